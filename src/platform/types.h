// Handle and value types of the drawing layer, visible to every folder.
// Plain C++: no toolkit header may be included here.
#pragma once

#include <cstdint>

struct RECT {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

struct POINT {
    int32_t x;
    int32_t y;
};

// Opaque handles; the platform layer defines what stands behind them.
struct PlatformDC;
struct PlatformBitmap;
using HDC = PlatformDC*;
using HBITMAP = PlatformBitmap*;
