// The shape of the land: the coastline with its bays, capes, peninsula and islands, the water
// inside the land (the harbour, lakes, rivers) and a raster of the plan that later steps ask
// "is this land, how far is the water" without walking thousands of coast points.
#pragma once

#include <cstdint>
#include <vector>

#include "city.h"

namespace citygen {

// What a cell of the raster holds; several flags may be set together.
enum CellFlag : uint8_t {
    kCellLand = 1,      // inside the land outline
    kCellWater = 2,     // a water body on land: harbour, lake, river
    kCellForest = 4,    // woods and forest: no streets, no houses
    kCellPark = 8,      // parks and squares: streets may pass, no houses
    kCellIndustry = 16,
    kCellShore = 32,  // the coast or a shore passes through: neither wholly land nor water
    kCellCemetery = 64,  // within a cemetery's fence: no road at all, not even a highway
};

class LandMask {
public:
    static constexpr double kCell = 10.0;

    LandMask();
    // Sets (or clears) `flag` in every cell whose centre lies inside the ring (even-odd).
    void FillRing(const Ring& ring, uint8_t flag, bool set = true);
    // Marks the cells an outline passes through, so that a dry cell lies wholly on land.
    void MarkOutline(const Ring& ring);
    // Distance of every cell to the nearest sea or water cell, in metres; call after the water.
    void ComputeWaterDistance();

    uint8_t At(Vec p) const;
    // Land that is not water.
    bool IsDry(Vec p) const { return (At(p) & (kCellLand | kCellWater | kCellShore)) == kCellLand; }
    double WaterDistance(Vec p) const;

    int rows() const { return rows_; }
    int cols() const { return cols_; }

private:
    int rows_;  // along x
    int cols_;  // along y
    std::vector<uint8_t> flags_;
    std::vector<uint16_t> waterDistance_;
};

// A closed water area drawn from the land layer: the harbour (4912) or a lake or river (4925).
struct WaterBody {
    int code = 4925;
    Ring ring;
};

struct Coast {
    Ring land;                       // the outline of record 0
    std::vector<Ring> controlParts;  // coarse outlines for the overview maps
    std::vector<WaterBody> water;
    std::vector<Polyline> rivers;    // centre lines, for the overview
    Polyline bridge;                 // the bridge to the island, part of the outline
};

// The coastline and the water; the same seed always gives the same shape, and the fixed places
// the viewer knows (bays, the peninsula, the circular places) stay where they belong.
Coast BuildCoast(uint64_t seed);

// Fills the land and water flags of the mask and computes the water distance.
void PaintCoast(const Coast& coast, LandMask& mask);

}  // namespace citygen
