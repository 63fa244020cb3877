// Plane geometry of the import, in plan metres (x the northing, y the easting): joining ways into
// longer lines, the land from the coastline, points inside outlines, district sectors.
#pragma once

#include <cstdint>
#include <vector>

#include "common.h"

namespace planimport {

using citygen::Polyline;
using citygen::Ring;
using citygen::Vec;

// A line with the ids of the nodes at its two ends, so that lines can be joined where they meet.
struct NodeLine {
    Polyline pts;
    int64_t firstNode = 0;
    int64_t lastNode = 0;
};

// Joins lines that share end nodes into as few lines as possible. With `keepDirection` a line
// is only continued by one that starts where it ends (the coastline, whose direction tells
// where the land is); otherwise lines may be turned round (streets).
std::vector<NodeLine> JoinLines(std::vector<NodeLine> lines, bool keepDirection);

// The rectangle (0, 0)..(xMax, yMax) as a ring turning left.
Ring BoxRing(double xMax, double yMax);

struct LandResult {
    std::vector<Ring> parts;  // land outlines, largest first; empty: no usable coastline
    int brokenPieces = 0;     // coastline pieces that end inside the plan, left out
};

// The land of the plan (0, 0)..(xMax, yMax) from coastline lines, which keep the land on their
// left. Lines that run out of the plan are closed along its edge; closed lines inside it are
// islands. Pieces that end inside the plan cannot be closed and are counted as broken.
LandResult LandFromCoast(const std::vector<Polyline>& coast, double xMax, double yMax);

// A point well inside the outline and outside its holes: the middle of the widest stretch of a
// line across the outline near its middle; the centre of the box when there is none.
Vec InteriorPoint(const Ring& outer, const std::vector<Ring>& holes);

// Whether p lies inside `outer` and outside every hole.
bool InsideOutline(const Ring& outer, const std::vector<Ring>& holes, Vec p);

// Sector `k` (0..count-1) of `count` equal sectors of directions round `centre`, cut at the
// plan's edge; sector 0 is centred on the north and they follow clockwise on the screen.
Ring SectorOutline(Vec centre, int k, int count, double xMax, double yMax);

}  // namespace planimport
