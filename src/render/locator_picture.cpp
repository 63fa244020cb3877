// The locator's picture is drawn once from the plan after it is loaded, so that whatever city
// the folder holds, the locator shows that city. Its scale and place inside the picture are
// those the locator's marking assumes: the map's height spans the picture's 400 rows.
#include "render/locator_picture.h"

#include <cmath>
#include <vector>

#include "data/store.h"
#include "platform/gdi.h"
#include "view/geometry.h"
#include "view/view.h"

namespace {

// The plan's own day colours, thin enough for a small picture.
constexpr COLORREF kSea = RGB(0x96, 0xE6, 0xFF);
constexpr COLORREF kLand = RGB(0xE4, 0xCF, 0xB0);
constexpr COLORREF kGreen = RGB(0xAA, 0xFF, 0xAA);
constexpr COLORREF kDarkGreen = RGB(0x3C, 0x78, 0x3C);
constexpr COLORREF kGreyGreen = RGB(0xCE, 0xD4, 0xC8);
constexpr COLORREF kDistrict = RGB(0xA0, 0x78, 0x5A);
constexpr COLORREF kMainStreet = RGB(0xDC, 0x78, 0x3C);

constexpr int16_t kCodeArea750 = 750;
constexpr int16_t kCodeArea718 = 718;
constexpr int16_t kCodeArea1014 = 1014;
constexpr int16_t kCodeArea6614 = 6614;
constexpr int16_t kCodeWater4925 = 4925;
constexpr int16_t kCodeWater4912 = 4912;

// A street is a main street when its pieces together run at least this share of the map's
// height; the picture is too small for the others.
constexpr double kMainStreetShare = 0.125;

int ToPixel(double v) {
    if (std::isnan(v)) return -32000;
    if (v > 32000.0) return 32000;
    if (v < -32000.0) return -32000;
    return static_cast<int>(v);
}

struct PictureFrame {
    float exMin;
    float eyMin;
    float exMax;
};

class PictureDrawing {
public:
    PictureDrawing(HDC dc, const PictureFrame& frame) : dc_(dc), frame_(frame) {}

    void Outline(const AreaRec& area, bool filled) {
        if (area.pts == nullptr || area.count < 1) return;
        points_.clear();
        for (int i = 0; i < area.count; ++i) Add(area.pts[i].x, area.pts[i].y);
        Draw(filled);
    }

    void Line(const LineRec& rec, bool filled) {
        if (rec.pts == nullptr || rec.count < 1) return;
        points_.clear();
        for (int i = 0; i < rec.count; ++i) Add(rec.pts[i].x, rec.pts[i].y);
        Draw(filled);
    }

private:
    void Add(float X, float Y) {
        const POINT p = LocatorPicturePoint(X, Y, frame_.exMin, frame_.eyMin, frame_.exMax);
        if (!points_.empty() && points_.back().x == p.x && points_.back().y == p.y) return;
        points_.push_back(p);
    }

    void Draw(bool filled) {
        const int n = static_cast<int>(points_.size());
        if (n < 1) return;
        if (filled) Polygon(dc_, points_.data(), n);
        else Polyline(dc_, points_.data(), n);
    }

    HDC dc_;
    PictureFrame frame_;
    std::vector<POINT> points_;
};

COLORREF AreaColour(int16_t code, bool* known) {
    *known = true;
    switch (code) {
        case kCodeArea718:
        case kCodeArea750: return kGreen;
        case kCodeArea6614: return kDarkGreen;
        case kCodeArea1014: return kGreyGreen;
        default: *known = false; return 0;
    }
}

void DrawAreas(HDC dc, PictureDrawing& drawing) {
    for (int i = 0; i < g_topo1_count && g_topo1 != nullptr; ++i) {
        bool known = false;
        const COLORREF colour = AreaColour(g_topo1[i].code, &known);
        if (!known) continue;
        HBRUSH brush = CreateSolidBrush(colour);
        SelectObject(dc, brush);
        drawing.Line(g_topo1[i], true);
        SelectObject(dc, GetStockObject(NULL_BRUSH));
        DeleteObject(brush);
    }
}

// Street ids whose pieces run long enough together to be shown.
std::vector<bool> MainStreets(double minLength) {
    std::vector<double> length(65536, 0.0);
    for (int i = 0; i < g_street_line_count && g_street_lines != nullptr; ++i) {
        const LineRec& rec = g_street_lines[i];
        if (rec.pts == nullptr || rec.count < 2) continue;
        length[static_cast<uint16_t>(rec.code)] += PolylineLength(rec.count, reinterpret_cast<const float*>(rec.pts));
    }
    std::vector<bool> main(65536, false);
    for (size_t code = 1; code < length.size(); ++code) main[code] = length[code] >= minLength;
    return main;
}

void DrawPicture(HDC dc, const PictureFrame& frame) {
    PictureDrawing drawing(dc, frame);
    HPEN noPen = static_cast<HPEN>(GetStockObject(NULL_PEN));
    HBRUSH sea = CreateSolidBrush(kSea);
    HBRUSH land = CreateSolidBrush(kLand);
    RECT all{0, 0, kLocatorWidth, kLocatorHeight};
    FillRect(dc, &all, sea);

    SelectObject(dc, noPen);
    if (g_area_count > 0) {
        SelectObject(dc, land);
        drawing.Outline(g_areas[0], true);
    }
    DrawAreas(dc, drawing);
    SelectObject(dc, sea);
    for (int i = 0; i < g_topo3_count && g_topo3 != nullptr; ++i) {
        if (g_topo3[i].code == kCodeWater4925 || g_topo3[i].code == kCodeWater4912) drawing.Line(g_topo3[i], true);
    }

    HPEN district = CreatePen(PS_SOLID, 1, kDistrict);
    SelectObject(dc, district);
    for (int i = 1; i < g_area_count; ++i) drawing.Outline(g_areas[i], false);

    HPEN street = CreatePen(PS_SOLID, 1, kMainStreet);
    SelectObject(dc, street);
    const std::vector<bool> main = MainStreets((static_cast<double>(frame.exMax) - frame.exMin) * kMainStreetShare);
    for (int i = 0; i < g_street_line_count && g_street_lines != nullptr; ++i) {
        if (main[static_cast<uint16_t>(g_street_lines[i].code)]) drawing.Line(g_street_lines[i], false);
    }

    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(street);
    DeleteObject(district);
    DeleteObject(land);
    DeleteObject(sea);
}

}  // namespace

POINT LocatorPicturePoint(float X, float Y, float exMin, float eyMin, float exMax) {
    const double k = (static_cast<double>(exMax) - exMin) * kLocatorMetresPerPixelFactor;
    if (!(k > 0.0)) return POINT{0, 0};
    return POINT{ToPixel((Y - static_cast<double>(eyMin)) / k + kLocatorMapLeft),
                 ToPixel(kLocatorHeight - (X - static_cast<double>(exMin)) / k + kLocatorMapTop)};
}

HBITMAP DrawLocatorPicture() {
    if (g_zoom.zoomDepth < 1 || g_areas == nullptr) return nullptr;
    const ViewRect& E = g_zoom.entries[1];
    if (!(E.xMax > E.xMin)) return nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) return nullptr;
    HBITMAP picture = CreateCompatibleBitmap(dc, kLocatorWidth, kLocatorHeight);
    if (picture == nullptr) {
        DeleteDC(dc);
        return nullptr;
    }
    HGDIOBJ previous = SelectObject(dc, picture);
    DrawPicture(dc, PictureFrame{E.xMin, E.yMin, E.xMax});
    SelectObject(dc, previous);
    DeleteDC(dc);
    return picture;
}
