#include "render/scratch_points.h"

#include "data/readers.h"
#include "data/store.h"

POINT* ScratchPoints(int count) {
    if (count < 1) count = 1;
    if (g_pts == nullptr || g_pts_capacity < count) EnsureScratchPoints(count);
    return g_pts != nullptr && g_pts_capacity >= count ? g_pts : nullptr;
}
