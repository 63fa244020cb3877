// The runtime's pseudo-random numbers, as the lit windows of "Windows on clock" use them: a
// linear congruential generator that is never seeded, so the sequence runs on from frame to
// frame and each composed frame shows a new pattern of lit windows.
#pragma once

#include <cstdint>

// Starts at 1; tests may set it to replay the sequence from its start.
extern uint32_t g_randSeed;

// Next number 0..32767: seed = seed * 214013 + 2531011 (mod 2^32), bits 16 to 30 of the seed.
int RuntimeRand();
