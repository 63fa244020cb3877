// A small plan held in memory for the tests of the information on a press, drawn on a memory
// context of 400 x 300 pixels that stands in for the window.
//
// The view: scale 0.5 at 4 pixels per millimetre, lower left corner (0, 0), detail level 3, so
// one metre is 2 pixels, the pixel (sx, sy) is the plan point (X, Y) = ((300 - sy) / 2, sx / 2),
// and the street tolerance is 2 x 3 / 0.5 = 12 m.
//
// The outlines: the land X 0..300, Y 0..500; district 1 X 0..100, Y 0..400; district 3
// X 100..300, Y 0..400. East of Y = 400 is land outside every district. The test names the
// districts "Alpha" (1) and "Gamma" (3).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "data/districts.h"
#include "data/store.h"
#include "platform/gdi.h"
#include "render/frame.h"
#include "render/tip.h"
#include "view/shared_state.h"
#include "view/surface.h"
#include "view/view.h"

struct PlaceSketch {
    uint16_t x;
    uint16_t y;
    const char* name;
};

struct HouseSketch {
    float x1, y1, x2, y2;  // the outline, a rectangle; the anchor is its centre
    int16_t purpose = 411;
    int16_t floors = 1;
    int16_t streetId = 0;
    const char* houseNumber = "";
    const char* caption = "";
};

struct LineSketch {
    int16_t code;
    std::vector<PlanPoint> points;
};

template <typename T>
T* CopyRows(const std::vector<T>& rows) {
    T* table = static_cast<T*>(calloc(rows.size() + 1, sizeof(T)));
    if (!rows.empty()) memcpy(table, rows.data(), rows.size() * sizeof(T));
    return table;
}

class InfoPlanTest : public ::testing::Test {
  protected:
    static constexpr int kWidth = 400;
    static constexpr int kHeight = 300;

    void SetUp() override {
        FreeAllMapData();
        liveObjects_ = GdiLiveObjectCount();
        memcpy(savedNames_, g_district_names, sizeof savedNames_);
        memset(g_district_names, 0, sizeof g_district_names);
        strcpy(g_district_names[1], "Alpha");
        strcpy(g_district_names[3], "Gamma");
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateCompatibleBitmap(dc_, kWidth, kHeight);
        SelectObject(dc_, bitmap_);
        g_hdc = dc_;
        g_clientRect = RECT{0, 0, kWidth, kHeight};
        g_clientWidth = kWidth;
        g_clientHeight = kHeight;
        buildingCursor = streetLineCursor = 0;
        g_infoOpen = 0;
        SetView(0.5, 3);
        SetOutlines();
    }

    void TearDown() override {
        RemoveTip();
        g_hdc = nullptr;
        DeleteDC(dc_);
        DeleteObject(bitmap_);
        FreeAllMapData();
        memcpy(g_district_names, savedNames_, sizeof savedNames_);
        EXPECT_EQ(GdiLiveObjectCount(), liveObjects_) << "drawing objects left behind";
    }

    static void SetView(double scale, int level) {
        g_view = ViewState{};
        g_view.scale = scale;
        g_view.detailLevel = static_cast<uint16_t>(level);
        g_view.pxPerMmX = g_view.pxPerMmY = 4.0f;
        g_view.vpRight = kWidth;
        g_view.vpBottom = kHeight;
        g_view.screenWidthMm = kWidth / 4.0f;
        g_view.screenHeightMm = kHeight / 4.0f;
        g_view.xMax = static_cast<float>(g_view.screenHeightMm / scale);
        g_view.yMax = static_cast<float>(g_view.screenWidthMm / scale);
    }

    static AreaRec Outline(int16_t code, uint16_t x1, uint16_t y1, uint16_t x2, uint16_t y2) {
        AreaRec area{};
        area.code = code;
        area.count = 4;
        area.pts = CopyRows(std::vector<PackedPoint>{{x1, y1}, {x1, y2}, {x2, y2}, {x2, y1}});
        area.box = PackedBox{x1, y1, x2, y2};
        return area;
    }

    static void SetOutlines() {
        g_areas = CopyRows(std::vector<AreaRec>{Outline(0, 0, 0, 300, 500), Outline(1, 0, 0, 100, 400),
                                                Outline(3, 100, 0, 300, 400)});
        g_area_count = 3;
    }

    static void SetPlaces(const std::vector<PlaceSketch>& places) {
        std::vector<PlaceRec> rows;
        for (const PlaceSketch& p : places) {
            PlaceRec rec{};
            rec.x = p.x;
            rec.y = p.y;
            strncpy(rec.name, p.name, sizeof rec.name - 1);
            rows.push_back(rec);
        }
        free(g_places);
        g_places = CopyRows(rows);
        g_place_count = static_cast<int32_t>(rows.size());
    }

    static void SetHouses(const std::vector<HouseSketch>& houses) {
        std::vector<BuildingRec> rows;
        for (const HouseSketch& h : houses) {
            BuildingRec rec{};
            rec.purpose = h.purpose;
            rec.floors = h.floors;
            rec.streetId = h.streetId;
            // A number of all seven characters fills the field without a terminator.
            memcpy(rec.houseNumber, h.houseNumber, std::min(strlen(h.houseNumber), sizeof rec.houseNumber));
            strncpy(rec.caption, h.caption, sizeof rec.caption - 1);
            rec.count = 4;
            rec.pts =
                CopyRows(std::vector<PlanPoint>{{h.x1, h.y1}, {h.x1, h.y2}, {h.x2, h.y2}, {h.x2, h.y1}});
            rec.box = BBox{h.x1, h.y1, h.x2, h.y2};
            rec.x = static_cast<uint16_t>((h.x1 + h.x2) / 2);
            rec.y = static_cast<uint16_t>((h.y1 + h.y2) / 2);
            rows.push_back(rec);
        }
        g_buildings = CopyRows(rows);
        g_building_count = static_cast<int32_t>(rows.size());
    }

    static void SetStreetLines(const std::vector<LineSketch>& lines) {
        std::vector<LineRec> rows;
        for (const LineSketch& sketch : lines) {
            LineRec rec{};
            rec.code = sketch.code;
            rec.count = static_cast<int16_t>(sketch.points.size());
            rec.pts = CopyRows(sketch.points);
            rec.box = BBox{sketch.points[0].x, sketch.points[0].y, sketch.points[0].x, sketch.points[0].y};
            for (const PlanPoint& p : sketch.points) {
                rec.box.xMin = std::min(rec.box.xMin, p.x);
                rec.box.yMin = std::min(rec.box.yMin, p.y);
                rec.box.xMax = std::max(rec.box.xMax, p.x);
                rec.box.yMax = std::max(rec.box.yMax, p.y);
            }
            rows.push_back(rec);
        }
        g_street_lines = CopyRows(rows);
        g_street_line_count = static_cast<int32_t>(rows.size());
    }

    static void SetStreetNames(const std::vector<std::pair<int16_t, const char*>>& names) {
        std::vector<StreetNameRec> rows;
        int maxId = 0;
        for (const auto& [id, name] : names) {
            StreetNameRec rec{};
            rec.id = id;
            strncpy(rec.name, name, sizeof rec.name - 1);
            rows.push_back(rec);
            maxId = std::max<int>(maxId, id);
        }
        g_street_names = CopyRows(rows);
        g_street_name_count = static_cast<int32_t>(rows.size());
        g_street_index = static_cast<int16_t*>(calloc(static_cast<size_t>(maxId) + 1, sizeof(int16_t)));
        for (size_t i = 0; i < rows.size(); ++i) g_street_index[rows[i].id] = static_cast<int16_t>(i);
        g_street_index_count = maxId + 1;
    }

    static void SetUserObjects(const std::vector<PlaceSketch>& objects) {
        std::vector<UserObjectRec> rows;
        for (const PlaceSketch& o : objects) {
            UserObjectRec rec{};
            rec.x = o.x;
            rec.y = o.y;
            memcpy(rec.name, o.name, std::min(strlen(o.name), sizeof rec.name));
            rows.push_back(rec);
        }
        g_user_objects = CopyRows(rows);
        g_user_count = g_user_capacity = static_cast<int32_t>(rows.size());
    }

    HDC dc_ = nullptr;

  private:
    HBITMAP bitmap_ = nullptr;
    int liveObjects_ = 0;
    char savedNames_[kDistrictCount + 1][kDistrictNameField] = {};
};
