// The libFuzzer target over a whole map folder.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "folder_entry.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Nothing is shown: the toolkit needs no display.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return FuzzWholeFolder(data, size); }
