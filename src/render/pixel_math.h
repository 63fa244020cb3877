// Number conversions shared by the street and building layers.
#pragma once

#include <cstdint>

// Drops the fraction (towards zero). Values no int can hold, NaN included, give 0, so that a
// degenerate input never becomes an undefined conversion.
inline int32_t TruncateToInt(double value) {
    if (!(value > -2147483648.0 && value < 2147483648.0)) return 0;
    return static_cast<int32_t>(value);
}

// The i16 fields of the records keep values outside their range at the nearest end.
inline int16_t ClampToI16(int32_t value) {
    if (value > 32767) return 32767;
    if (value < -32768) return -32768;
    return static_cast<int16_t>(value);
}
