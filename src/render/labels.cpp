// Street names along their streets. A name is laid out once per label as a path along the
// street line (the stretch of line under the text, with its small wiggles dropped), then
// written one character per call, each turned to follow the path.
#include "render/labels.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/gdi.h"
#include "render/frame.h"
#include "render/pixel_math.h"
#include "render/streets.h"
#include "render/styles.h"
#include "view/geometry.h"
#include "view/surface.h"
#include "view/view.h"

int32_t labelFontHeight = 12;
LabelLayout g_labelLayout = {};
int32_t g_firstAddedLabel = -1;

namespace {

constexpr COLORREF kLabelShadow = RGB(0xFA, 0xFA, 0x00);
constexpr COLORREF kLabelThin = RGB(0xB4, 0x3C, 0x28);
constexpr COLORREF kLabelBold = RGB(0xB4, 0x92, 0x76);
constexpr int kWeightThin = 100;
constexpr int kWeightBold = 700;
// One degree: smaller changes of direction between letters keep the font of the previous one.
constexpr int kEscapementTolerance = 10;
// A label point is on its street when it lies this close to one of the line's segments.
constexpr float kLabelOnSegment = 3.0f;
// The street of a label is the first line of its id passing this close to the label's point.
constexpr float kLabelNearLine = 5.0f;

double Dist(const WalkPoint& a, const WalkPoint& b) { return std::hypot(b.x - a.x, b.y - a.y); }

const float* Coords(const LineRec& rec) { return reinterpret_cast<const float*>(rec.pts); }

// The size sign flips for every pass; the one value whose negation an i16 cannot hold stays
// at the far end instead of wrapping round to itself.
int16_t Negated(int16_t value) { return value == INT16_MIN ? INT16_MAX : static_cast<int16_t>(-value); }

// Foot of the perpendicular from p on the line through a and b; a itself when a and b
// coincide and there is no line.
WalkPoint Foot(const WalkPoint& p, const WalkPoint& a, const WalkPoint& b) {
    const double A = a.y - b.y;
    const double B = b.x - a.x;
    const double G = a.x * b.y - b.x * a.y;
    const double n2 = A * A + B * B;
    if (n2 == 0.0) return a;
    return WalkPoint{(B * (B * p.x - A * p.y) - A * G) / n2, (A * (A * p.y - B * p.x) - B * G) / n2};
}

// The vertices between S and E that the text follows. Small turns of short pieces are left out,
// so that letters do not jitter over the digitising noise of the line.
std::vector<WalkPoint> LabelPath(const std::vector<WalkPoint>& pts, const WalkPoint& S, int segS,
                                 const WalkPoint& E, int segE, double step) {
    std::vector<WalkPoint> path;
    path.push_back(S);
    WalkPoint prev = S;
    for (int v = segS; v <= segE - 2; ++v) {
        const WalkPoint& cur = pts[v + 1];
        const WalkPoint& next = pts[v + 2];
        const double turn =
            std::fabs(std::atan2(cur.y - prev.y, cur.x - prev.x) - std::atan2(next.y - cur.y, next.x - cur.x));
        if (turn <= 0.12 && Dist(prev, cur) <= 4.0 * step) continue;
        path.push_back(cur);
        prev = cur;
    }
    path.push_back(E);
    return path;
}

// Writes the laid-out characters of `text`. With `fontPerChar` every character gets a font of
// its own; otherwise a font serves the following characters while the direction holds.
void WriteLabelText(const char* text, int len, bool thin, bool fontPerChar) {
    const int weight = thin ? kWeightThin : kWeightBold;
    HFONT font = nullptr;
    int previous = 0;
    for (int c = 0; c < len && c < g_labelLayout.count; ++c) {
        const int escapement = g_labelLayout.escapement[c];
        if (font == nullptr || fontPerChar || std::abs(escapement - previous) > kEscapementTolerance) {
            if (font != nullptr) {
                SelectObject(g_hdc, g_fixed.font_label);
                DeleteObject(font);
            }
            font = CreateFontA(labelFontHeight, 0, escapement, 0, weight, 0, 0, 0, 0, 0, 0, 0, 0, "Arial Cyr");
            SelectObject(g_hdc, font);
        }
        previous = escapement;
        const int x = g_labelLayout.x[c];
        const int y = g_labelLayout.y[c];
        if (thin) {
            SetTextColor(g_hdc, kLabelShadow);
            TextOutA(g_hdc, x + 1, y + 1, text + c, 1);
            SetTextColor(g_hdc, kLabelThin);
        } else {
            SetTextColor(g_hdc, kLabelBold);
        }
        TextOutA(g_hdc, x, y, text + c, 1);
    }
    if (font != nullptr) {
        SelectObject(g_hdc, g_fixed.font_label);
        DeleteObject(font);
    }
}

// Room for one more label: the table grows when the clicks have used up the room it was given,
// so that every click keeps its label.
bool MakeRoomForLabel() {
    if (g_labels != nullptr && g_label_count < g_label_capacity) return true;
    const int64_t grown = static_cast<int64_t>(g_label_capacity > g_label_count ? g_label_capacity : g_label_count) +
                          kAddedLabelRoom;
    if (grown > INT32_MAX / static_cast<int64_t>(sizeof(LabelRec))) return false;
    void* fresh = realloc(g_labels, static_cast<size_t>(grown) * sizeof(LabelRec));
    if (fresh == nullptr) return false;
    g_labels = static_cast<LabelRec*>(fresh);
    g_label_capacity = static_cast<int32_t>(grown);
    return true;
}

uint16_t ToPackedCoordinate(double value) {
    if (!(value > 0.0)) return 0;
    if (value >= 65535.0) return 65535;
    return static_cast<uint16_t>(value);
}

}  // namespace

const LineRec* LabelStreetLine(const LabelRec& label) {
    const float x = label.x;
    const float y = label.y;
    for (int i = 0; i < g_street_line_count; ++i) {
        const LineRec& rec = g_street_lines[i];
        if (rec.code != label.streetId || rec.pts == nullptr) continue;
        if (PointNearPolyline(x, y, rec.count, Coords(rec), kLabelNearLine)) return &rec;
    }
    return nullptr;
}

int WalkBack(const WalkPoint* pts, int count, int i, WalkPoint* q, double d, double* rest) {
    *rest = 0.0;
    for (int v = i < count - 1 ? i : count - 1; v >= 0; --v) {
        const double D = Dist(*q, pts[v]);
        if (D > d) {
            q->x += (pts[v].x - q->x) * d / D;
            q->y += (pts[v].y - q->y) * d / D;
            return v;
        }
        d -= D;
        *q = pts[v];
    }
    *rest = d;
    return 0;
}

int WalkForward(const WalkPoint* pts, int count, int j, WalkPoint* q, double d, double* rest) {
    *rest = 0.0;
    for (int v = j < 0 ? 0 : j; v < count; ++v) {
        const double D = Dist(*q, pts[v]);
        if (D > d) {
            q->x += (pts[v].x - q->x) * d / D;
            q->y += (pts[v].y - q->y) * d / D;
            return v;
        }
        d -= D;
        *q = pts[v];
    }
    *rest = d;
    return count - 1;
}

int StreetLabelText(int code, char out[kLabelLayoutMax + 1]) {
    out[0] = '\0';
    const StreetNameRec* street = StreetNameById(code);
    if (street == nullptr) return 0;
    int len = 0;
    while (len < kLabelLayoutMax && len < static_cast<int>(sizeof street->name) && street->name[len] != '\0' &&
           street->name[len] != '/') {
        out[len] = street->name[len];
        ++len;
    }
    out[len] = '\0';
    return len;
}

int LayoutLabel(float px, float py, const LineRec& line) {
    g_labelLayout.count = 0;
    if (line.pts == nullptr || line.count < 2) return 0;
    const int count = line.count;
    int i = -1;
    for (int v = 0; v + 1 < count; ++v) {
        const Segment segment{line.pts[v].x, line.pts[v].y, line.pts[v + 1].x, line.pts[v + 1].y};
        if (PointNearSegment(px, py, segment, kLabelOnSegment)) {
            i = v;
            break;
        }
    }
    if (i < 0) return 0;

    char text[kLabelLayoutMax + 1];
    const int len = StreetLabelText(line.code, text);
    if (len < 1) return 0;
    const double s = g_view.scale;
    const double charStep = static_cast<double>(labelFontHeight) / g_view.pxPerMmX / s;
    if (!(charStep > 0.0) || !std::isfinite(charStep)) return 0;

    std::vector<WalkPoint> pts(static_cast<size_t>(count));
    for (int v = 0; v < count; ++v) pts[v] = WalkPoint{line.pts[v].x, line.pts[v].y};
    const WalkPoint F = Foot(WalkPoint{px, py}, pts[i], pts[i + 1]);
    const double total = len * charStep * 1.2;
    const double half = total * 0.5;

    // Centred on F where the line allows; near an end of the line the text slides along it
    // by what the walk towards that end could not use.
    WalkPoint S = F;
    double b = 0.0;
    int segS = WalkBack(pts.data(), count, i, &S, half, &b);
    WalkPoint E = F;
    double f = 0.0;
    int segE = WalkForward(pts.data(), count, i + 1, &E, half + b, &f);
    double r = f;
    if (f > 0.0) {
        E = F;
        segE = WalkForward(pts.data(), count, i + 1, &E, half, &f);
        S = F;
        segS = WalkBack(pts.data(), count, i, &S, half + f, &r);
    }
    // A single character needs no spacing (and the spacing rule would divide by zero).
    const double step = len > 1 ? (total - r) / (len - 1) : 0.0;

    std::vector<WalkPoint> path = LabelPath(pts, S, segS, E, segE, step);
    // Text always runs west to east, left to right on the screen.
    if (path.front().y > path.back().y) {
        for (size_t a = 0, z = path.size() - 1; a < z; ++a, --z) std::swap(path[a], path[z]);
    }

    const int pathCount = static_cast<int>(path.size());
    for (int c = 0; c < len; ++c) {
        WalkPoint Q = path[0];
        double rest = 0.0;
        int j = WalkForward(path.data(), pathCount, 1, &Q, c * step, &rest);
        if (j < 1) j = 1;
        const double a = std::atan2(path[j].x - path[j - 1].x, path[j].y - path[j - 1].y);
        int escapement = TruncateToInt(a * 573.0 + 0.5);
        if (escapement < 0) escapement += 3600;
        // The text cell hangs below its top-left corner: lifting the corner half a letter to
        // the left of the direction puts the letters on the line.
        const double X = Q.x + std::cos(a) * 0.55 * charStep;
        const double Y = Q.y - std::sin(a) * 0.55 * charStep;
        PlanToScreen(static_cast<float>(X), static_cast<float>(Y), &g_labelLayout.x[c], &g_labelLayout.y[c]);
        g_labelLayout.escapement[c] = escapement;
    }
    g_labelLayout.count = len;
    return 1;
}

void DrawStreetLabels() {
    if (g_labels == nullptr || g_label_count < 1) return;
    const double z = 100.0 * g_view.scale;
    if (z < 10.0) return;
    const int fontHeight = TruncateToInt(z * 0.33333334);
    labelFontHeight = fontHeight > 12 ? fontHeight : 12;
    for (int i = 0; i < g_label_count; ++i) {
        if (g_labels[i].size < 0) g_labels[i].size = Negated(g_labels[i].size);
    }

    const bool thin = g_view.detailLevel < 3;
    // Labels added by clicks sit behind the file's north-first list, out of order: the stop
    // at the first label south of the view ends the ordered part only.
    const int ordered = g_firstAddedLabel >= 0 && g_firstAddedLabel < g_label_count ? g_firstAddedLabel : g_label_count;
    for (int i = labelCursor < 0 ? 0 : labelCursor; i < g_label_count; ++i) {
        LabelRec& label = g_labels[i];
        if (i < ordered && label.x < g_view.xMin) {
            i = ordered - 1;
            continue;
        }
        if (label.size > z) continue;
        if (!PointInView(label.x, label.y)) continue;
        const LineRec* line = LabelStreetLine(label);
        if (line == nullptr) continue;
        if (!LayoutLabel(label.x, label.y, *line)) continue;
        char text[kLabelLayoutMax + 1];
        const int len = StreetLabelText(line->code, text);
        WriteLabelText(text, len, thin, false);
        label.size = Negated(label.size);
    }
}

bool PointInClickBox(float X, float Y, const BBox& box, float tolerance) {
    // A straight east-west or north-south street has a box of no height or width, which no
    // click would hit exactly: such a side is widened by the tolerance. A box that is wide
    // enough stays as it is, so a click beyond a street's end does not find it.
    const Box b = OrderedBox(box.xMin, box.yMin, box.xMax, box.yMax);
    const double t = tolerance;
    const double dx = static_cast<double>(b.right) - b.left < t ? t : 0.0;
    const double dy = static_cast<double>(b.top) - b.bottom < t ? t : 0.0;
    return b.left - dx <= X && X <= b.right + dx && b.bottom - dy <= Y && Y <= b.top + dy;
}

void ShowStreetNameAt(int sx, int sy) {
    const double s = g_view.scale;
    if (!(s > 0.0) || g_street_lines == nullptr) return;
    float X = 0.0f, Y = 0.0f;
    ScreenToPlan(sx, sy, &X, &Y);
    const float tolerance = static_cast<float>(3.0 / s);  // 3 mm on the screen

    const LineRec* line = nullptr;
    for (int i = streetLineCursor < 0 ? 0 : streetLineCursor; i < g_street_line_count; ++i) {
        const LineRec& rec = g_street_lines[i];
        if (rec.pts == nullptr) continue;
        if (!PointInClickBox(X, Y, rec.box, tolerance)) continue;
        if (PointNearPolyline(X, Y, rec.count, Coords(rec), tolerance)) {
            line = &rec;
            break;
        }
    }
    if (line == nullptr || line->code == 0) return;

    const int fontHeight = TruncateToInt(s * 33.333333333333);
    labelFontHeight = fontHeight > 12 ? fontHeight : 12;
    if (!LayoutLabel(X, Y, *line)) return;

    SelectClipRgn(g_hdc, mapClipRegion);
    SetBkMode(g_hdc, TRANSPARENT);
    char text[kLabelLayoutMax + 1];
    const int len = StreetLabelText(line->code, text);
    const int k = g_view.detailLevel;
    WriteLabelText(text, len, k == 1 || k == 2, true);

    if (MakeRoomForLabel()) {
        LabelRec& added = g_labels[g_label_count];
        added.x = ToPackedCoordinate(X);
        added.y = ToPackedCoordinate(Y);
        added.size = ClampToI16(TruncateToInt(s * -100.0));
        added.streetId = line->code;
        if (g_firstAddedLabel < 0) g_firstAddedLabel = g_label_count;
        ++g_label_count;
        labelsAdded = true;
    }
    SetBkMode(g_hdc, OPAQUE);
    SelectClipRgn(g_hdc, nullptr);
}
