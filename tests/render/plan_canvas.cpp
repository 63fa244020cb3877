#include "plan_canvas.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "render/building_walk.h"
#include "render/buildings.h"
#include "render/frame.h"
#include "render/labels.h"
#include "render/layer_settings.h"
#include "render/styles.h"
#include "view/shared_state.h"
#include "view/surface.h"
#include "view/view.h"

std::vector<PlanPoint> RectOutline(float x1, float y1, float x2, float y2) {
    return {{x1, y1}, {x1, y2}, {x2, y2}, {x2, y1}};
}

namespace {

void ResetSharedState() {
    buildingCursor = waterCursor = minorLineCursor = streetLineCursor = labelCursor = 0;
    labelsAdded = false;
    g_firstAddedLabel = -1;
    g_selCount = 0;
    g_shownStreet = -1;
    g_layerStreetNames = kLayerSelect;
    g_layerBuildings = kLayerAll;
    g_layerAddresses = kLayerAll;
    colorBuildings = 1;
    storeyPx = 0;
    minLabelSize = 0;
    mapClipRegion = nullptr;
}

template <typename T>
T* CopyTable(const std::vector<T>& rows, size_t room) {
    T* table = static_cast<T*>(calloc(rows.size() + room + 1, sizeof(T)));
    if (!rows.empty()) memcpy(table, rows.data(), rows.size() * sizeof(T));
    return table;
}

}  // namespace

PlanCanvas::PlanCanvas(int32_t mode) {
    liveObjects_ = GdiLiveObjectCount();
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateCompatibleBitmap(dc_, kCanvasWidth, kCanvasHeight);
    SelectObject(dc_, bitmap_);
    g_hdc = dc_;
    g_clientRect = RECT{0, 0, kCanvasWidth, kCanvasHeight};
    g_clientWidth = kCanvasWidth;
    g_clientHeight = kCanvasHeight;
    ResetSharedState();
    CreateFixedObjects();
    DisplayMode = mode;
    BuildStyleSet();
    SelectObject(dc_, g_fixed.font_label);
    SetBkMode(dc_, TRANSPARENT);
    Fill(RGB(255, 255, 255));
    SetView(0.5, 0.0f, 0.0f);
}

PlanCanvas::~PlanCanvas() {
    ReleaseStyleSet();
    SelectObject(dc_, GetStockObject(SYSTEM_FONT));
    DeleteFixedObjects();
    g_hdc = nullptr;
    DeleteDC(dc_);
    DeleteObject(bitmap_);
    FreeMapData();
    FreeStreetData();
    ResetSharedState();
    EXPECT_EQ(GdiLiveObjectCount(), liveObjects_) << "drawing objects left behind";
}

void PlanCanvas::SetView(double s, float xMin, float yMin, int detailLevel) {
    g_view.scale = s;
    g_view.pxPerMmX = kCanvasPxPerMm;
    g_view.pxPerMmY = kCanvasPxPerMm;
    g_view.vpLeft = 0;
    g_view.vpTop = 0;
    g_view.vpRight = kCanvasWidth;
    g_view.vpBottom = kCanvasHeight;
    g_view.screenWidthMm = kCanvasWidth / kCanvasPxPerMm;
    g_view.screenHeightMm = kCanvasHeight / kCanvasPxPerMm;
    g_view.xMin = xMin;
    g_view.yMin = yMin;
    g_view.xMax = static_cast<float>(xMin + g_view.screenHeightMm / s);
    g_view.yMax = static_cast<float>(yMin + g_view.screenWidthMm / s);
    if (detailLevel < 0) {
        detailLevel = s < 0.1 ? 0 : s < 0.25 ? 1 : s < 0.5 ? 2 : s < 1.0 ? 3 : s < 2.2 ? 4 : 5;
    }
    g_view.detailLevel = static_cast<uint16_t>(detailLevel);
}

void PlanCanvas::SetMode(int32_t mode) {
    ReleaseStyleSet();
    DisplayMode = mode;
    BuildStyleSet();
}

void PlanCanvas::SetStreets(const std::vector<StreetSpec>& streets) {
    FreeLines(g_street_lines, g_street_line_count);
    std::vector<LineRec> rows;
    for (const StreetSpec& sketch : streets) {
        LineRec rec{};
        rec.code = sketch.code;
        rec.count = static_cast<int16_t>(sketch.points.size());
        rec.pts = CopyTable(sketch.points, 0);
        rec.box = BBox{sketch.points[0].x, sketch.points[0].y, sketch.points[0].x, sketch.points[0].y};
        for (const PlanPoint& p : sketch.points) {
            if (p.x < rec.box.xMin) rec.box.xMin = p.x;
            if (p.y < rec.box.yMin) rec.box.yMin = p.y;
            if (p.x > rec.box.xMax) rec.box.xMax = p.x;
            if (p.y > rec.box.yMax) rec.box.yMax = p.y;
        }
        rows.push_back(rec);
    }
    g_street_lines = CopyTable(rows, 0);
    g_street_line_count = static_cast<int32_t>(rows.size());
}

void PlanCanvas::SetStreetNames(const std::vector<std::pair<int16_t, const char*>>& names) {
    free(g_street_names);
    free(g_street_index);
    std::vector<StreetNameRec> rows;
    int maxId = 0;
    for (const auto& [id, name] : names) {
        StreetNameRec rec{};
        rec.id = id;
        strncpy(rec.name, name, sizeof rec.name - 1);
        rows.push_back(rec);
        if (id > maxId) maxId = id;
    }
    g_street_names = CopyTable(rows, 0);
    g_street_name_count = static_cast<int32_t>(rows.size());
    g_street_index = static_cast<int16_t*>(calloc(static_cast<size_t>(maxId) + 1, sizeof(int16_t)));
    for (size_t i = 0; i < rows.size(); ++i) g_street_index[rows[i].id] = static_cast<int16_t>(i);
    g_street_index_count = maxId + 1;
}

void PlanCanvas::SetLabels(const std::vector<LabelRec>& labels) {
    free(g_labels);
    g_labels = CopyTable(labels, kAddedLabelRoom);
    g_label_count = static_cast<int32_t>(labels.size());
    g_label_capacity = g_label_count + kAddedLabelRoom;
    g_firstAddedLabel = -1;
}

void PlanCanvas::SetBuildings(const std::vector<BuildingSketch>& buildings) {
    if (g_buildings != nullptr) {
        for (int i = 0; i < g_building_count; ++i) free(g_buildings[i].pts);
        free(g_buildings);
    }
    std::vector<BuildingRec> rows;
    int longest = 0;
    for (const BuildingSketch& sketch : buildings) {
        BuildingRec rec{};
        rec.purpose = sketch.purpose;
        rec.floors = sketch.floors;
        rec.streetId = sketch.streetId;
        strncpy(rec.houseNumber, sketch.houseNumber, sizeof rec.houseNumber - 1);
        strncpy(rec.caption, sketch.caption, sizeof rec.caption - 1);
        rec.count = static_cast<int16_t>(sketch.points.size());
        rec.pts = CopyTable(sketch.points, 0);
        rec.box = BBox{sketch.points[0].x, sketch.points[0].y, sketch.points[0].x, sketch.points[0].y};
        for (const PlanPoint& p : sketch.points) {
            if (p.x < rec.box.xMin) rec.box.xMin = p.x;
            if (p.y < rec.box.yMin) rec.box.yMin = p.y;
            if (p.x > rec.box.xMax) rec.box.xMax = p.x;
            if (p.y > rec.box.yMax) rec.box.yMax = p.y;
        }
        rec.x = static_cast<uint16_t>((rec.box.xMin + rec.box.xMax) / 2);
        rec.y = static_cast<uint16_t>((rec.box.yMin + rec.box.yMax) / 2);
        if (rec.count > longest) longest = rec.count;
        rows.push_back(rec);
    }
    g_buildings = CopyTable(rows, 0);
    g_building_count = static_cast<int32_t>(rows.size());
}

void PlanCanvas::Fill(COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    const RECT all{0, 0, kCanvasWidth, kCanvasHeight};
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
}

void PlanCanvas::StartRecording() { StartCallRecord(dc_); }

const std::vector<GdiCall>& PlanCanvas::Calls() const { return GetCallRecord(dc_); }

std::vector<GdiCall> PlanCanvas::CallsOf(GdiOp op) const {
    std::vector<GdiCall> calls;
    for (const GdiCall& call : Calls()) {
        if (call.op == op) calls.push_back(call);
    }
    return calls;
}

COLORREF PlanCanvas::Pixel(int x, int y) const { return GetPixel(dc_, x, y); }

COLORREF PenColour(const GdiCall& call) { return call.penInfo.color; }
bool PenIsNull(const GdiCall& call) { return call.penInfo.style == PS_NULL; }
COLORREF BrushColour(const GdiCall& call) { return call.brushInfo.color; }
bool BrushIsNull(const GdiCall& call) { return call.brushInfo.style == BS_NULL; }

std::vector<POINT> Shifted(const std::vector<POINT>& points, int dx, int dy) {
    std::vector<POINT> out = points;
    for (POINT& p : out) {
        p.x += dx;
        p.y += dy;
    }
    return out;
}

std::string Describe(const std::vector<POINT>& points) {
    std::string text;
    for (const POINT& p : points) text += "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
    return text;
}
