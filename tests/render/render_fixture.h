// Shared ground of the drawing tests: a small plan written to a temporary folder with the
// writers, an off-screen surface of 1000 x 600 pixels (265 mm wide at 96 pixels per inch),
// the style set and fixed objects, and helpers over the call record.
//
// The test city: the whole plan is 0..10000 m both ways; the land is the west part, the
// rectangle y 0..6000 (x 0..10000); east of y = 6000 is sea.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "data/load_notes.h"
#include "data/store.h"
#include "data/writers.h"
#include "platform/gdi.h"
#include "render/frame.h"
#include "render/layer_settings.h"
#include "render/offscreen.h"
#include "render/styles.h"
#include "support/map_folder.h"
#include "view/surface.h"
#include "view/view.h"

constexpr COLORREF Hex(uint32_t rgb) {
    return RGB(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF), static_cast<int>(rgb & 0xFF));
}

constexpr COLORREF kDayWater = Hex(0x96E6FF);
constexpr COLORREF kDayLand = Hex(0xE4CFB0);
constexpr COLORREF kDayShore = Hex(0x2828FF);
constexpr COLORREF kDayCoast = Hex(0x5050FF);

// Keeps the point arrays of the records it makes alive for the test.
class PlanRecords {
public:
    LineRec Line(int16_t code, std::vector<PlanPoint> pts) {
        LineRec rec{};
        rec.code = code;
        rec.count = static_cast<int16_t>(pts.size());
        rec.box = {pts[0].x, pts[0].y, pts[0].x, pts[0].y};
        for (const PlanPoint& p : pts) {
            rec.box.xMin = std::min(rec.box.xMin, p.x);
            rec.box.yMin = std::min(rec.box.yMin, p.y);
            rec.box.xMax = std::max(rec.box.xMax, p.x);
            rec.box.yMax = std::max(rec.box.yMax, p.y);
        }
        plan_.push_back(std::move(pts));
        rec.pts = plan_.back().data();
        return rec;
    }
    // A square ring (not closed) with its south-west corner at (x, y).
    LineRec Square(int16_t code, float x, float y, float side) {
        return Line(code, {{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}});
    }

private:
    std::deque<std::vector<PlanPoint>> plan_;
};

struct PlanContent {
    std::vector<PackedPoint> land = {{0, 0}, {10000, 0}, {10000, 6000}, {0, 6000}};
    std::vector<LineRec> topo[4];
    std::vector<LineRec> streetLines;
    std::vector<LabelRec> labels;
    std::vector<BuildingRec> buildings;
};

class RenderTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 1000;
    static constexpr int kHeight = 600;

    void SetUp() override {
        FreeAllMapData();
        ClearLoadNotes();
        g_zoom = ZoomStack{};
        g_view = ViewState{};
        sweepXMax = 75000.0f;
        buildingCursor = waterCursor = minorLineCursor = streetLineCursor = labelCursor = 0;
        labelsAdded = false;
        g_layerStreetNames = kLayerSelect;
        g_layerBuildings = kLayerAll;
        g_layerAddresses = kLayerSelect;
        colorBuildings = 1;
        g_needRedraw = 0;
        startObjects_ = GdiLiveObjectCount();
        OpenSurface(kWidth, kHeight);
        CreateFixedObjects();
        DisplayMode = kModeFlat;
        BuildStyleSet();
    }

    void TearDown() override {
        ReleaseStyleSet();
        DeleteFixedObjects();
        CloseOffscreenSurface();
        FreeAllMapData();
        DisplayMode = kModeWindowsOnClock;
        // Every object made by a frame is deleted again.
        EXPECT_EQ(GdiLiveObjectCount(), startObjects_);
    }

    void OpenSurface(int width, int height) { ASSERT_TRUE(OpenOffscreenSurface(width, height)); }

    void WritePlan(const PlanContent& content) {
        const char* dir = folder.path();
        ASSERT_TRUE(WritePlaceFile(dir, nullptr, 0));
        AreaRec land{};
        land.code = 250;
        land.count = static_cast<int16_t>(content.land.size());
        land.pts = const_cast<PackedPoint*>(content.land.data());
        land.box = {0, 0, 10000, 10000};
        ASSERT_TRUE(WriteAreaFile(dir, BBox{0, 0, 10000, 10000}, &land, 1));
        TopoGroup groups[4];
        int groupCount = 0;
        for (int c = 0; c < 4; ++c) {
            if (content.topo[c].empty()) continue;
            groups[groupCount++] = {static_cast<int16_t>(c + 1), content.topo[c].data(), static_cast<int>(content.topo[c].size())};
        }
        ASSERT_TRUE(WriteTopoFile(dir, groups, groupCount));
        ASSERT_TRUE(WriteStreetFile(dir, content.streetLines.data(), static_cast<int>(content.streetLines.size()), nullptr, 0,
                                    content.labels.data(), static_cast<int>(content.labels.size())));
        if (!content.buildings.empty()) {
            ASSERT_TRUE(WriteBuildingFiles(dir, content.buildings.data(), static_cast<int>(content.buildings.size())));
        }
    }

    // The first paint: loads the plan and shows the whole city.
    void FirstPaint() {
        WorkingDirectory here(folder.path());
        Paint();
    }

    // A paint as the paint handler does it, with the record of both contexts.
    void Paint() {
        StartCallRecord(g_hdcMem);
        StartCallRecord(OffscreenWindowDC());
        SetBkMode(g_hdc, TRANSPARENT);
        ComposeFrame();
        frameCalls = GetCallRecord(g_hdcMem);
        windowCalls = GetCallRecord(OffscreenWindowDC());
        StopCallRecord(g_hdcMem);
        StopCallRecord(OffscreenWindowDC());
    }

    // Pushes a view as a navigation step does and paints it.
    void Show(float x1, float y1, float x2, float y2) {
        ASSERT_EQ(PushViewRect(x1, y1, x2, y2), 1);
        Paint();
    }

    COLORREF WindowPixel(int x, int y) const { return GetPixel(OffscreenWindowDC(), x, y); }

    std::vector<GdiCall> Calls(GdiOp op, const std::function<bool(const GdiCall&)>& keep = nullptr) const {
        std::vector<GdiCall> out;
        for (const GdiCall& call : frameCalls) {
            if (call.op == op && (!keep || keep(call))) out.push_back(call);
        }
        return out;
    }

    static bool PenIs(const GdiCall& call, int width, COLORREF colour) {
        return call.penInfo.style == PS_SOLID && call.penInfo.width == width && call.penInfo.color == colour;
    }

    TempFolder folder;
    PlanRecords records;
    std::vector<GdiCall> frameCalls;
    std::vector<GdiCall> windowCalls;

private:
    int startObjects_ = 0;
};
