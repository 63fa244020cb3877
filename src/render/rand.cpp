#include "render/rand.h"

uint32_t g_randSeed = 1;

int RuntimeRand() {
    // Unsigned arithmetic wraps modulo 2^32, which is the generator's modulus.
    g_randSeed = g_randSeed * 214013u + 2531011u;
    return static_cast<int>((g_randSeed >> 16) & 0x7FFFu);
}
