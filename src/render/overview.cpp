// The whole-city overview: the inset map of 1.tqf on the left, the plan at a fitting scale on
// the right with the water and labels of 2.tqf, fixed geographic labels and the maker's caption.
#include "render/overview.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "data/overview_files.h"
#include "data/plan_ini.h"
#include "data/store.h"
#include "platform/gdi.h"
#include "render/scratch_points.h"
#include "render/styles.h"
#include "view/surface.h"
#include "view/view.h"

int32_t g_inset_limit = 0;

const char kMakerCaptionLine1[] = "Korvinsk. Address plan";
const char kMakerCaptionLine2[] = "Compiled by the City Survey Office";

namespace {

constexpr const char kFace[] = "Arial Cyr";
constexpr int32_t kCodeLine9005 = 9005;

constexpr COLORREF Hex(uint32_t rgb) {
    return RGB(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
               static_cast<int>(rgb & 0xFF));
}

bool LargeScreen() { return g_clientHeight > 800; }

HFONT MakeFont(int height, int escapement, int weight, bool italic) {
    return CreateFontA(height, 0, escapement, escapement, weight, italic ? 1 : 0, 0, 0, 0, 0, 0, 0, 0, kFace);
}

// The three label styles of a file, in the order of its style bytes (1.tqf: e, f, g;
// 2.tqf: o, p, q); the first is in force when the labels begin.
struct LabelStyle {
    int smallHeight;
    int largeHeight;
    bool italicWhenLarge;
    uint32_t rgb;
};

const LabelStyle kLabelStyles[3] = {
    {12, 16, false, 0x960000},
    {12, 16, true, 0x0000FF},
    {16, 24, false, 0x00009B},
};

HFONT MakeLabelFont(int style) {
    const LabelStyle& s = kLabelStyles[style];
    const bool large = LargeScreen();
    return MakeFont(large ? s.largeHeight : s.smallHeight, 0, FW_NORMAL, large && s.italicWhenLarge);
}

// Places a box of plan metres into wMm x hMm of screen: the axis that fills first spans its
// whole range and the other is widened. `centred` widens equally on both sides; otherwise the
// top and the right edge stay where they are. False when the box or the screen has no size.
bool FitBox(double xMin, double yMin, double xMax, double yMax, double wMm, double hMm, bool centred) {
    const double northing = xMax - xMin;
    const double easting = yMax - yMin;
    if (!(northing > 0.0) || !(easting > 0.0) || !std::isfinite(northing) || !std::isfinite(easting)) return false;
    if (!(wMm > 0.0) || !(hMm > 0.0) || !std::isfinite(wMm) || !std::isfinite(hMm)) return false;
    double x1 = xMin, y1 = yMin, x2 = xMax, y2 = yMax;
    double scale;
    if (wMm / hMm <= easting / northing) {
        scale = wMm / easting;
        const double spanX = hMm / scale;
        if (centred) {
            const double cx = (xMin + xMax) * 0.5;
            x1 = cx - spanX * 0.5;
            x2 = cx + spanX * 0.5;
        } else {
            x1 = xMax - spanX;
        }
    } else {
        scale = hMm / northing;
        const double spanY = wMm / scale;
        if (centred) {
            const double cy = (yMin + yMax) * 0.5;
            y1 = cy - spanY * 0.5;
            y2 = cy + spanY * 0.5;
        } else {
            y1 = yMax - spanY;
        }
    }
    g_view.scale = scale;
    g_view.xMin = static_cast<float>(x1);
    g_view.yMin = static_cast<float>(y1);
    g_view.xMax = static_cast<float>(x2);
    g_view.yMax = static_cast<float>(y2);
    return true;
}

// Pixels per millimetre of the device, from its pixels per inch.
void TakeDevicePixelsPerMm() {
    g_view.pxPerMmX = static_cast<float>(GetDeviceCaps(g_hdc, LOGPIXELSX) * 0.03937007874015748);
    g_view.pxPerMmY = static_cast<float>(GetDeviceCaps(g_hdc, LOGPIXELSY) * 0.03937007874015748);
}

void SetViewport(int left, int top, int right, int bottom) {
    g_view.vpLeft = static_cast<int16_t>(left);
    g_view.vpTop = static_cast<int16_t>(top);
    g_view.vpRight = static_cast<int16_t>(right);
    g_view.vpBottom = static_cast<int16_t>(bottom);
}

float MmAcross(int pixels) { return g_view.pxPerMmX > 0.0f ? pixels / g_view.pxPerMmX : 0.0f; }
float MmDown(int pixels) { return g_view.pxPerMmY > 0.0f ? pixels / g_view.pxPerMmY : 0.0f; }

// The labels after the shapes of the open file. `labelFont` (the file's first style) is
// selected; `previous` is the font the labels give back the context.
void DrawLabelList(HFONT previous, HFONT labelFont, const char styles[3]) {
    COLORREF colour = Hex(kLabelStyles[0].rgb);
    uint8_t current = static_cast<uint8_t>(styles[0]);
    uint8_t style;
    while (ReadOverviewStyle(g_fd_overview, &style)) {
        if (style != current) {
            SelectObject(g_hdc, previous);
            if (labelFont != nullptr) DeleteObject(labelFont);
            labelFont = nullptr;
            // The second style lasts for one label only; the third stays in force.
            if (style == static_cast<uint8_t>(styles[1])) {
                labelFont = MakeLabelFont(1);
                SelectObject(g_hdc, labelFont);
                colour = Hex(kLabelStyles[1].rgb);
            } else if (style == static_cast<uint8_t>(styles[2])) {
                labelFont = MakeLabelFont(2);
                SelectObject(g_hdc, labelFont);
                colour = Hex(kLabelStyles[2].rgb);
                current = style;
            }
        }
        if (!DrawOverviewLabel(colour)) break;
    }
    SelectObject(g_hdc, previous);
    if (labelFont != nullptr) DeleteObject(labelFont);
}

// Reads the shapes of the open file, handing each to `draw`; true when the end head was
// reached, so that labels follow.
template <typename DrawShape>
bool ForEachShape(DrawShape draw) {
    OverviewShapeBuf shape{};
    ShapeRead result;
    while ((result = ReadOverviewShape(g_fd_overview, &shape)) == ShapeRead::Shape) {
        if (shape.count < 1) continue;
        POINT* pts = ScratchPoints(shape.count);
        if (pts == nullptr) {
            result = ShapeRead::NoMemory;
            break;
        }
        const int n = PackedPointsToScreen(shape.count, reinterpret_cast<const uint16_t*>(shape.pts), pts);
        draw(shape, pts, n);
    }
    FreeOverviewShape(&shape);
    return result == ShapeRead::End;
}

void CloseOverviewFile() {
    if (g_fd_overview != nullptr) fclose(g_fd_overview);
    g_fd_overview = nullptr;
}

// A polyline of every line record, converted one at a time.
template <typename Keep>
void DrawLines(const LineRec* lines, int count, bool polygon, Keep keep) {
    for (int i = 0; i < count && lines != nullptr; ++i) {
        const LineRec& rec = lines[i];
        if (rec.pts == nullptr || rec.count < 1 || !keep(rec)) continue;
        POINT* pts = ScratchPoints(rec.count);
        if (pts == nullptr) continue;
        const int n = PlanPointsToScreen(rec.count, reinterpret_cast<const float*>(rec.pts), pts);
        if (polygon) Polygon(g_hdc, pts, n);
        else Polyline(g_hdc, pts, n);
    }
}

int ConvertLand(POINT** out) {
    if (g_areas == nullptr || g_area_count < 1 || g_areas[0].pts == nullptr || g_areas[0].count < 1) return 0;
    POINT* pts = ScratchPoints(g_areas[0].count);
    if (pts == nullptr) return 0;
    *out = pts;
    return PackedPointsToScreen(g_areas[0].count, reinterpret_cast<const uint16_t*>(g_areas[0].pts), pts);
}

HPEN MakeGeometricPen(DWORD style, int width, uint32_t rgb) {
    const LOGBRUSH brush = {BS_SOLID, Hex(rgb), 0};
    return ExtCreatePen(PS_GEOMETRIC | style, static_cast<DWORD>(width), &brush, 0, nullptr);
}

struct FixedLabel {
    const char* text;
    float x;
    float y;
    int smallHeight;
    int largeHeight;
    int escapement;
    int weight;
    uint32_t firstRgb;
    uint32_t secondRgb;
    int dx;
    int dy;
};

const FixedLabel kFixedLabels[] = {
    {"Kelmarsky bay", 18250.0f, 2500.0f, 22, 30, 450, 400, 0xB4F0FA, 0x508CC8, -2, -2},
    {"Tervelsky", 1750.0f, 15800.0f, 18, 28, 500, 400, 0xB4F0FA, 0x508CC8, -2, -2},
    {"bay", 2350.0f, 19100.0f, 18, 28, 500, 400, 0xB4F0FA, 0x508CC8, -2, -2},
    {"Selvarov-Kelmarsky pens.", 7850.0f, 9100.0f, 18, 28, 520, 100, 0xFAFA00, 0x8C1414, -1, -1},
};

void DrawFixedLabels() {
    SetTextCharacterExtra(g_hdc, 8);
    for (const FixedLabel& label : kFixedLabels) {
        HFONT font = MakeFont(LargeScreen() ? label.largeHeight : label.smallHeight, label.escapement, label.weight, true);
        HGDIOBJ previous = SelectObject(g_hdc, font);
        int32_t sx, sy;
        PlanToScreen(label.x, label.y, &sx, &sy);
        const int length = static_cast<int>(strlen(label.text));
        SetTextColor(g_hdc, Hex(label.firstRgb));
        TextOutA(g_hdc, sx, sy, label.text, length);
        SetTextColor(g_hdc, Hex(label.secondRgb));
        TextOutA(g_hdc, sx + label.dx, sy + label.dy, label.text, length);
        SelectObject(g_hdc, previous);
        DeleteObject(font);
    }
    SetTextCharacterExtra(g_hdc, 0);
}

// The caption's font stays selected; the font it replaced is returned. The second line lies
// one font height below the first, so that the larger font does not overlap it.
HGDIOBJ DrawMakerCaption(HFONT font, int fontHeight) {
    HGDIOBJ previous = SelectObject(g_hdc, font);
    const char* city = PlanIniCaption();
    const char* lines[2] = {city != nullptr ? city : kMakerCaptionLine1, kMakerCaptionLine2};
    const int tops[2] = {14, 14 + fontHeight};
    const int x = g_view.vpLeft + 22;
    for (int i = 0; i < 2; ++i) {
        const int length = static_cast<int>(strlen(lines[i]));
        SetTextColor(g_hdc, Hex(0xFAFA00));
        TextOutA(g_hdc, x + 1, tops[i] + 1, lines[i], length);
        SetTextColor(g_hdc, RGB(0, 0, 0));
        TextOutA(g_hdc, x, tops[i], lines[i], length);
    }
    return previous;
}

}  // namespace

void DrawOverview() {
    g_view.screenWidthMm = static_cast<float>(g_view.screenWidthMm * 0.6);
    const ViewRect& E = g_zoom.entries[1];
    if (!FitBox(E.xMin, E.yMin, E.xMax, E.yMax, g_view.screenWidthMm, g_view.screenHeightMm, true)) g_view.scale = 0.0;

    const int32_t saved = DisplayMode;
    DisplayMode = kModeFlat;
    ReleaseStyleSet();
    BuildStyleSet();

    int32_t westX, northY, eastX, southY;
    PlanToScreen(E.xMax, E.yMin, &westX, &northY);
    PlanToScreen(E.xMin, E.yMax, &eastX, &southY);
    const int width = eastX - westX;
    const int height = southY - northY;

    RECT client = g_clientRect;
    FillRect(g_hdc, &client, reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_BTNFACE + 1)));
    const int insetRight = g_view.vpRight - width;
    g_inset_limit = insetRight - 50;
    DrawInsetMap(insetRight - 54, height);
    SelectObject(g_hdc, g_style.brush_water);
    DrawOverviewMap(width + 40, height);

    if (saved != kModeFlat) {
        DisplayMode = saved;
        ReleaseStyleSet();
        BuildStyleSet();
    }
}

void DrawInsetMap(int width, int height) {
    g_fd_overview = fopen("1.tqf", "rb");
    if (g_fd_overview == nullptr) return;
    PackedBox box;
    if (!ReadInsetHeader(g_fd_overview, &box)) {
        CloseOverviewFile();
        return;
    }
    SetViewport(22, 22, width - 18, height - 18);
    TakeDevicePixelsPerMm();
    g_view.screenWidthMm = MmAcross(width - 40);
    g_view.screenHeightMm = MmDown(height - 40);
    // Without room for the inset there is no scale to draw its shapes at.
    const bool fitted = FitBox(box.xMin, box.yMin, box.xMax, box.yMax, g_view.screenWidthMm, g_view.screenHeightMm, true);

    RECT frame = {6, 2, width, height - 1};
    FillRect(g_hdc, &frame, g_style.brush_water);
    DrawEdge(g_hdc, &frame, EDGE_RAISED, BF_RECT);
    if (!fitted) {
        CloseOverviewFile();
        return;
    }
    SelectObject(g_hdc, g_fixed.null_pen != nullptr ? g_fixed.null_pen : GetStockObject(NULL_PEN));

    // Green land with a dark edge below and to the right: the shadow first, the land 2 pixels
    // up and left of it.
    const bool labels = ForEachShape([](const OverviewShapeBuf&, POINT* pts, int n) {
        SelectObject(g_hdc, g_style.brush_shadow);
        Polygon(g_hdc, pts, n);
        for (int i = 0; i < n; ++i) {
            pts[i].x -= 2;
            pts[i].y -= 2;
        }
        SelectObject(g_hdc, g_style.brush_overview_green);
        Polygon(g_hdc, pts, n);
    });

    if (labels) {
        HGDIOBJ previous = SelectObject(g_hdc, GetStockObject(ANSI_VAR_FONT));
        HFONT labelFont = MakeLabelFont(0);
        SelectObject(g_hdc, labelFont);
        DrawLabelList(static_cast<HFONT>(previous), labelFont, "efg");
    }
    CloseOverviewFile();
}

void DrawOverviewMap(int width, int height) {
    const int right = g_clientRect.right;
    SetViewport(right - width + 10, 2, right - 10, height);
    TakeDevicePixelsPerMm();
    g_view.screenWidthMm = MmAcross(width - 20);
    g_view.screenHeightMm = MmDown(height - 2);
    const ViewRect& E = g_zoom.entries[1];
    if (!FitBox(E.xMin, E.yMin, E.xMax, E.yMax, g_view.screenWidthMm, g_view.screenHeightMm, false)) g_view.scale = 0.0;

    const int vpLeft = g_view.vpLeft, vpTop = g_view.vpTop, vpRight = g_view.vpRight, vpBottom = g_view.vpBottom;
    HRGN clip = CreateRectRgn(vpLeft - 1, vpTop, vpRight - 2, vpBottom);
    SelectClipRgn(g_hdc, clip);
    RECT water = {vpLeft, vpTop, vpRight - 1, vpBottom - 1};
    FillRect(g_hdc, &water, g_style.brush_water);
    HGDIOBJ nullPen = GetStockObject(NULL_PEN);

    // The land over a light band of shallow water along the coast.
    POINT* pts = nullptr;
    int n = ConvertLand(&pts);
    if (n > 0) {
        HPEN shallow = MakeGeometricPen(PS_ENDCAP_FLAT, 20, 0xB4F0FA);
        SelectObject(g_hdc, shallow);
        Polyline(g_hdc, pts, n);
        SelectObject(g_hdc, nullPen);
        DeleteObject(shallow);
        SelectObject(g_hdc, g_style.brush_land);
        Polygon(g_hdc, pts, n);
    }

    SelectObject(g_hdc, nullPen);
    SelectObject(g_hdc, g_style.brush_area_1014);
    DrawLines(g_topo1, g_topo1_count, true, [](const LineRec&) { return true; });

    SelectObject(g_hdc, g_style.pen_coast);
    n = ConvertLand(&pts);
    if (n > 0) Polyline(g_hdc, pts, n);

    SelectObject(g_hdc, GetStockObject(BLACK_PEN));
    DrawLines(g_topo2, g_topo2_count, false, [](const LineRec& rec) { return rec.code != kCodeLine9005; });

    // Lakes are closed shapes, rivers open ones.
    SelectObject(g_hdc, g_style.brush_water);
    SelectObject(g_hdc, g_style.pen_shore);
    g_fd_overview = fopen("2.tqf", "rb");
    bool labels = false;
    if (g_fd_overview != nullptr) {
        labels = ForEachShape([](const OverviewShapeBuf& shape, POINT* shapePts, int count) {
            const PackedPoint& first = shape.pts[0];
            const PackedPoint& last = shape.pts[shape.count - 1];
            if (first.x == last.x && first.y == last.y) Polygon(g_hdc, shapePts, count);
            else Polyline(g_hdc, shapePts, count);
        });
    }

    HPEN streetPen = MakeGeometricPen(0, 1, 0xBEAA8C);
    SelectObject(g_hdc, streetPen);
    DrawLines(g_street_lines, g_street_line_count, false, [](const LineRec&) { return true; });
    SelectObject(g_hdc, g_style.pen_red);
    DeleteObject(streetPen);
    DrawLines(g_topo2, g_topo2_count, false, [](const LineRec& rec) { return rec.code == kCodeLine9005; });

    // Those labels name Korvinsk's bays and peninsula at their places.
    if (!g_planIni.present) DrawFixedLabels();

    const int captionHeight = LargeScreen() ? 22 : 14;
    HFONT captionFont = MakeFont(captionHeight, 0, 100, false);
    HGDIOBJ previous = DrawMakerCaption(captionFont, captionHeight);
    if (labels) {
        HFONT labelFont = MakeLabelFont(0);
        SelectObject(g_hdc, labelFont);
        DeleteObject(captionFont);
        DrawLabelList(static_cast<HFONT>(previous), labelFont, "opq");
    } else {
        SelectObject(g_hdc, previous);
        DeleteObject(captionFont);
    }
    CloseOverviewFile();

    SelectClipRgn(g_hdc, nullptr);
    DeleteObject(clip);
    RECT frame = {vpLeft, vpTop, vpRight - 1, vpBottom - 1};
    DrawEdge(g_hdc, &frame, EDGE_RAISED, BF_RECT);
}

bool DrawOverviewLabel(COLORREF colour) {
    OverviewLabelRec label;
    if (g_fd_overview == nullptr || !ReadOverviewLabelRecord(g_fd_overview, &label)) return false;
    int32_t sx, sy;
    PlanToScreen(label.x, label.y, &sx, &sy);
    const int length = static_cast<int>(strlen(label.text));
    SetTextColor(g_hdc, Hex(0xFFFF00));
    TextOutA(g_hdc, sx, sy, label.text, length);
    SetTextColor(g_hdc, colour);
    TextOutA(g_hdc, sx - 1, sy - 1, label.text, length);
    return true;
}
