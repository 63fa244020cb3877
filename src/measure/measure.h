// The measurement tool: lengths and areas clicked point by point on the plan, along free lines
// or moved onto the streets, read off in the small "Measurements" window. The lines are drawn
// straight onto the window inverted, so drawing a line again erases it and a repaint from the
// stored frame wipes them all.
#pragma once

#include "measure/measure_path.h"
#include "platform/types.h"

// Control ids of the "Measurements" window.
constexpr int kMeasureRelativeField = 1248;
constexpr int kMeasureCurrentField = 1159;
constexpr int kMeasureTotalField = 1160;
constexpr int kMeasureAreaField = 1161;
// Commands of the pop-up menu.
constexpr UINT kCmdCancelLastPoint = 32840;
constexpr UINT kCmdCancelMeasurement = 32839;

// Opens the window and starts an empty polyline: 0 on lines, 1 on streets. Nothing happens
// when the points cannot be allocated or the window cannot be made.
void StartMeasurement(int mode);
// Closes the window, frees the points and repaints from the stored frame, which wipes the lines.
void StopMeasurement();
// A left-button release while measuring, at the rubber band's cursor point rb[1].
void MeasureClick(POINT* rb);
// A mouse move while measuring, with the cursor's plan point.
void TrackMeasureCursor(float X, float Y, POINT* rb);
// A right-button press at the client pixel (sx, sy) while measuring: the pop-up menu.
void MeasurePopup(int sx, int sy);
