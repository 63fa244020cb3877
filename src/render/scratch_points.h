// The shared screen-point buffer g_pts, checked before each conversion.
#pragma once

#include "platform/types.h"

// g_pts when it holds at least `count` points (growing it if it must), else NULL: a record
// longer than the buffer is then skipped instead of written past its end.
POINT* ScratchPoints(int count);
