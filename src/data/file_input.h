// Field-by-field input shared by the binary readers. Every read either delivers all the bytes
// asked for or reports the end of the file; a short read never leaves a field half filled in
// a record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

inline bool ReadBytes(FILE* file, void* out, size_t size) {
    return size == 0 || fread(out, 1, size, file) == size;
}

inline bool ReadI16(FILE* file, int16_t* value) {
    uint8_t b[2];
    if (!ReadBytes(file, b, 2)) return false;
    *value = static_cast<int16_t>(static_cast<uint16_t>(b[0] | (b[1] << 8)));
    return true;
}

inline bool ReadU8(FILE* file, uint8_t* value) { return ReadBytes(file, value, 1); }

// Reads `length` bytes of a text and keeps the first `keep` of them, terminated, in `out`
// (which has room for keep + 1); the rest is read and dropped so the next field follows.
bool ReadText(FILE* file, int length, char* out, int keep);

// A point count from a record head (code, code + count). Negative counts and counts that do
// not fit the record's i16 are impossible: the caller ends its table there.
inline bool CountFromHead(int16_t first, int16_t second, int16_t* count) {
    int value = static_cast<int>(second) - static_cast<int>(first);
    if (value < 0 || value > INT16_MAX) return false;
    *count = static_cast<int16_t>(value);
    return true;
}
