// Shared ground of the data tests: records built in memory (the writers turn them into files),
// a fresh temporary map folder per test, and a store emptied before and after each test.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "data/load_notes.h"
#include "data/store.h"
#include "data/writers.h"
#include "support/map_folder.h"
#include "view/view.h"

// Keeps the point arrays of the records it makes alive for the test.
class Records {
  public:
    LineRec Line(int16_t code, std::vector<PlanPoint> pts) {
        LineRec rec{};
        rec.code = code;
        rec.count = static_cast<int16_t>(pts.size());
        rec.box = BoxOf(pts);
        plan_.push_back(std::move(pts));
        rec.pts = plan_.back().data();
        return rec;
    }
    // A line of `count` points along x from `x0`, one metre apart.
    LineRec Straight(int16_t code, int count, float x0 = 100.0f, float y = 50.0f) {
        std::vector<PlanPoint> pts;
        for (int i = 0; i < count; ++i) pts.push_back({x0 + static_cast<float>(i), y});
        return Line(code, std::move(pts));
    }
    AreaRec Area(int16_t code, std::vector<PackedPoint> pts, PackedBox box) {
        AreaRec rec{};
        rec.code = code;
        rec.count = static_cast<int16_t>(pts.size());
        rec.box = box;
        packed_.push_back(std::move(pts));
        rec.pts = packed_.back().data();
        return rec;
    }
    BuildingRec Building(uint16_t x, uint16_t y, const char* houseNumber, const char* caption, int points) {
        BuildingRec rec{};
        rec.x = x;
        rec.y = y;
        rec.purpose = 3;
        rec.floors = 5;
        rec.streetId = 1;
        strncpy(rec.houseNumber, houseNumber, sizeof rec.houseNumber - 1);
        strncpy(rec.caption, caption, sizeof rec.caption - 1);
        std::vector<PlanPoint> pts;
        for (int i = 0; i < points; ++i) pts.push_back({static_cast<float>(x + i), static_cast<float>(y)});
        rec.count = static_cast<int16_t>(points);
        rec.box = BoxOf(pts);
        plan_.push_back(std::move(pts));
        rec.pts = plan_.back().data();
        return rec;
    }

  private:
    static BBox BoxOf(const std::vector<PlanPoint>& pts) {
        if (pts.empty()) return {0, 0, 0, 0};
        BBox box{pts[0].x, pts[0].y, pts[0].x, pts[0].y};
        for (const PlanPoint& p : pts) {
            box.xMin = std::min(box.xMin, p.x);
            box.yMin = std::min(box.yMin, p.y);
            box.xMax = std::max(box.xMax, p.x);
            box.yMax = std::max(box.yMax, p.y);
        }
        return box;
    }
    std::deque<std::vector<PlanPoint>> plan_;
    std::deque<std::vector<PackedPoint>> packed_;
};

inline PlaceRec Place(uint16_t x, uint16_t y, const char* name) {
    PlaceRec rec{};
    rec.x = x;
    rec.y = y;
    strncpy(rec.name, name, sizeof rec.name - 1);
    return rec;
}

inline StreetNameRec StreetName(int16_t id, uint16_t kind, const char* name) {
    StreetNameRec rec{};
    rec.id = id;
    rec.kind = kind;
    strncpy(rec.name, name, sizeof rec.name - 1);
    return rec;
}

inline ThemeNode Theme(const char* code, const char* name) {
    ThemeNode node{};
    node.code[0] = code[0];
    node.code[1] = code[1];
    strncpy(node.name, name, sizeof node.name - 1);
    return node;
}

// Bytes of one line record of 4.tqf / 5.tqf: head, box, points.
inline size_t LineRecordBytes(int points) { return 4 + 16 + 8 * static_cast<size_t>(points); }

inline void PutI16(std::vector<uint8_t>& bytes, size_t at, int16_t value) {
    bytes[at] = static_cast<uint8_t>(static_cast<uint16_t>(value) & 0xFF);
    bytes[at + 1] = static_cast<uint8_t>(static_cast<uint16_t>(value) >> 8);
}

class MapFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        FreeAllMapData();
        ClearLoadNotes();
        g_zoom = ZoomStack{};
    }
    void TearDown() override { FreeAllMapData(); }

    void LoadMain() {
        WorkingDirectory here(folder.path());
        LoadMainFiles();
    }
    void LoadBuildings() {
        WorkingDirectory here(folder.path());
        LoadBuildingFiles();
    }
    void LoadTexts() {
        WorkingDirectory here(folder.path());
        LoadThemeUserSignFiles();
    }

    TempFolder folder;
    RecordingLoadingWindow window;
    Records records;
};
