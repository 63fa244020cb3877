// The point encodings of the map files. Both keep the two coordinates interleaved by halves:
// packed points as bytes x.lo y.hi y.lo x.hi, plan points as 16-bit halves x.lo y.hi y.lo x.hi.
#pragma once

#include <cstdint>
#include <cstring>

#include "data/plan_types.h"

constexpr int kPackedPointBytes = 4;
constexpr int kPlanPointBytes = 8;

inline int16_t DecodeI16(const uint8_t* b) {
    return static_cast<int16_t>(static_cast<uint16_t>(b[0] | (b[1] << 8)));
}

inline uint16_t DecodeU16(const uint8_t* b) { return static_cast<uint16_t>(b[0] | (b[1] << 8)); }

inline int32_t DecodeI32(const uint8_t* b) {
    uint32_t v = static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
                 (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
    return static_cast<int32_t>(v);
}

inline float FloatFromBytes(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3) {
    uint32_t v = static_cast<uint32_t>(b0) | (static_cast<uint32_t>(b1) << 8) |
                 (static_cast<uint32_t>(b2) << 16) | (static_cast<uint32_t>(b3) << 24);
    float f;
    std::memcpy(&f, &v, sizeof f);
    return f;
}

inline float DecodeF32(const uint8_t* b) { return FloatFromBytes(b[0], b[1], b[2], b[3]); }

inline PackedPoint DecodePackedPoint(const uint8_t* b) {
    PackedPoint p;
    p.x = static_cast<uint16_t>(b[0] | (b[3] << 8));
    p.y = static_cast<uint16_t>(b[2] | (b[1] << 8));
    return p;
}

inline PlanPoint DecodePlanPoint(const uint8_t* b) {
    PlanPoint p;
    p.x = FloatFromBytes(b[0], b[1], b[6], b[7]);
    p.y = FloatFromBytes(b[4], b[5], b[2], b[3]);
    return p;
}

inline void EncodeI16(int16_t v, uint8_t* b) {
    uint16_t u = static_cast<uint16_t>(v);
    b[0] = static_cast<uint8_t>(u & 0xFF);
    b[1] = static_cast<uint8_t>(u >> 8);
}

inline void EncodeU16(uint16_t v, uint8_t* b) {
    b[0] = static_cast<uint8_t>(v & 0xFF);
    b[1] = static_cast<uint8_t>(v >> 8);
}

inline void EncodeI32(int32_t v, uint8_t* b) {
    uint32_t u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) b[i] = static_cast<uint8_t>((u >> (8 * i)) & 0xFF);
}

inline void EncodeF32(float f, uint8_t* b) {
    uint32_t u;
    std::memcpy(&u, &f, sizeof u);
    for (int i = 0; i < 4; ++i) b[i] = static_cast<uint8_t>((u >> (8 * i)) & 0xFF);
}

inline void EncodePackedPoint(PackedPoint p, uint8_t* b) {
    b[0] = static_cast<uint8_t>(p.x & 0xFF);
    b[1] = static_cast<uint8_t>(p.y >> 8);
    b[2] = static_cast<uint8_t>(p.y & 0xFF);
    b[3] = static_cast<uint8_t>(p.x >> 8);
}

inline void EncodePlanPoint(PlanPoint p, uint8_t* b) {
    uint8_t x[4], y[4];
    EncodeF32(p.x, x);
    EncodeF32(p.y, y);
    b[0] = x[0];
    b[1] = x[1];
    b[2] = y[2];
    b[3] = y[3];
    b[4] = y[0];
    b[5] = y[1];
    b[6] = x[2];
    b[7] = x[3];
}
