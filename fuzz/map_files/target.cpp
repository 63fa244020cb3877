// One libFuzzer target; FUZZ_ENTRY names the entry point of entries.h it drives.
#include <cstddef>
#include <cstdint>

#include "entries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return FUZZ_ENTRY(data, size); }
