#include "layout.h"

#include <cmath>

namespace citygen {

std::vector<District> BuildDistricts(const Ring& land) {
    // The border between the centre and the east runs slantwise, as the shore of Tervelsky bay
    // does; the hill district sits between the centre and the north.
    // Corners in whole metres, the hill district's corner on the slanting border itself
    // (eastFrom + 30 * (305, 74)), so that neighbouring outlines share their borders exactly.
    const Vec eastFrom{2250, 11800};
    const Vec eastTo{17500, 15500};
    const Vec hillCorner{11400, 14020};
    std::vector<District> districts(5);
    districts[0].cell = {{2250, 0}, {10000, 0}, hillCorner, eastFrom};
    districts[1].cell = {eastFrom, hillCorner, eastTo, {17500, kPlanYMax}, {2250, kPlanYMax}};
    districts[2].cell = {{10000, 0}, {17500, 0}, eastTo, hillCorner};
    districts[3].cell = {{17500, 0}, {kPlanXMax, 0}, {kPlanXMax, kPlanYMax}, {17500, kPlanYMax}};
    districts[4].cell = {{0, 0}, {2250, 0}, {2250, kPlanYMax}, {0, kPlanYMax}};
    for (int i = 0; i < 5; ++i) {
        District& d = districts[i];
        d.number = i + 1;
        Ring clipped = ClipRingConvex(land, d.cell);
        for (const Vec& p : clipped) {
            Vec q{std::round(p.x), std::round(p.y)};
            if (d.outline.empty() || d.outline.back().x != q.x || d.outline.back().y != q.y) d.outline.push_back(q);
        }
        while (d.outline.size() > 1 && d.outline.back().x == d.outline.front().x && d.outline.back().y == d.outline.front().y)
            d.outline.pop_back();
    }
    return districts;
}

bool NearDistrictBorder(const std::vector<District>& districts, Vec p, double distance) {
    for (const District& d : districts)
        for (size_t i = 0; i < d.cell.size(); ++i)
            if (SegmentDistance(p, d.cell[i], d.cell[(i + 1) % d.cell.size()]) < distance) return true;
    return false;
}

int OutlinesContaining(const std::vector<District>& districts, Vec p) {
    int n = 0;
    for (const District& d : districts) n += PointInRing(d.outline, p) ? 1 : 0;
    return n;
}

int DistrictAt(const std::vector<District>& districts, Vec p) {
    for (const District& d : districts)
        if (PointInRing(d.cell, p)) return d.number;
    return 0;
}

}  // namespace citygen
