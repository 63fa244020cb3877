// Street names written letter by letter along their street, so that each letter follows the
// bends of the line: the layout of one label, the label pass of the frame and the name
// written at a right click.
#pragma once

#include <cstdint>

#include "data/store.h"

// Character height of the label fonts in pixels; set by each label pass and each click (and
// by the printer's label pass, which reads the same layout).
extern int32_t labelFontHeight;

// One laid-out label: per character its screen position (top left of the turned text cell)
// and its escapement in tenths of a degree, 0..3599.
constexpr int kLabelLayoutMax = 32;
struct LabelLayout {
    int count;
    int32_t x[kLabelLayoutMax];
    int32_t y[kLabelLayoutMax];
    int32_t escapement[kLabelLayoutMax];
};
extern LabelLayout g_labelLayout;

// A plan point walked along a polyline.
struct WalkPoint {
    double x;
    double y;
};

// Moves q backwards along the polyline by d, first towards pts[i], then pts[i - 1], ...
// Returns the index of the vertex q was walking towards when d ran out, with *rest 0; or 0
// with the distance still left in *rest when the first vertex is reached.
int WalkBack(const WalkPoint* pts, int count, int i, WalkPoint* q, double d, double* rest);
// The same forwards, towards pts[j], pts[j + 1], ...; count - 1 with the rest in *rest when
// the last vertex is reached.
int WalkForward(const WalkPoint* pts, int count, int j, WalkPoint* q, double d, double* rest);

// The name of street `code` as labels show it: cut before the first "/". Writes at most
// kLabelLayoutMax characters and the terminator into `out`; returns the length (0 when the
// street has no name record).
int StreetLabelText(int code, char out[kLabelLayoutMax + 1]);

// The street line a stored label belongs to: the first line of the label's street passing
// within 5 m of its point; NULL when there is none.
const LineRec* LabelStreetLine(const LabelRec& label);

// Places each character of the line's street name around the point (px, py) into
// g_labelLayout, centred on the line where it allows and running west to east. 1 on success;
// 0 when the point is not within 3 m of a segment of the line, or there is nothing to write.
int LayoutLabel(float px, float py, const LineRec& line);

// True when the plan point lies in a street line's box, a side of the box shorter than the
// tolerance being widened by it on both ends (borders count).
bool PointInClickBox(float X, float Y, const BBox& box, float tolerance);

// Writes the name of the street under the window point (sx, sy) on the window and keeps it as
// a new label. A point on no street, or on a street line of code 0, does nothing.
void ShowStreetNameAt(int sx, int sy);

// Index of the first label added by a click, -1 before the first one.
extern int32_t g_firstAddedLabel;
