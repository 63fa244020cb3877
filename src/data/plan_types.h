// Point and box forms of the plan: metres, x the northing (up), y the easting (right).
#pragma once

#include <cstdint>

// Whole metres, as stored compactly by outlines, places and labels.
struct PackedPoint {
    uint16_t x;
    uint16_t y;
};

// Metres as IEEE singles, as stored by lines and building outlines.
struct PlanPoint {
    float x;
    float y;
};

struct BBox {
    float xMin;
    float yMin;
    float xMax;
    float yMax;
};
