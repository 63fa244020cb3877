// Shared ground of the object search tests: a small plan held in memory, with the tables set
// directly, and the search state back at its start-up values.
//
// The plan covers 0..10000 m both ways. Two districts: number 1 is the square x 0..3000,
// y 0..2000; number 2 is x 0..3000, y 2000..4000; no outline carries number 3.
//
//   building  anchor        street        house   box (20 m square round the anchor)
//   b0        (1000, 1000)  7 "Lenina"    1       990..1010, 990..1010
//   b1        (2000, 1000)  7 "Lenina"    3       1990..2010, 990..1010
//   b2        (1000, 3000)  9 "Mira"      2       990..1010, 2990..3010
//   b3        (5600, 5800)  9 "Mira"      5       5590..5610, 5790..5810
//   b4        (5601, 5800)  0             ""      5591..5611, 5790..5810
//
// Parts of the city: p0 "Centr" at (5000, 5000): b3 lies exactly 1000 m away (600, 800), b4
// a little farther; p1 "Vokzal" at (2300, 1000), 300 m from b1.
//
// Theme lines: 0 " Magaziny" (A1), 1 "Produkty" (A2), 2 "Odezhda" (A3), 3 " Apteki" (B1),
// 4 "Apteki" (B2, named as its group), 5 "Optika" (B3).
//
//   object  point         code  name            building
//   o0      (1000, 1000)  A2    Magazin Luch    b0
//   o1      (2000, 1000)  A3    Magazin Luch    b1
//   o2      (1000, 3000)  B2    Apteka No 2     b2
//   o3      (7000, 7000)  A2    Kiosk Luch      none
//   o4      (5600, 5800)  B2    Apteka Sever    b3
//   o5      (5601, 5800)  A2    Bulochnaya      b4
//   o6      (1000, 1000)  B3    Optika Luch     b0
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "data/store.h"
#include "platform/user.h"
#include "platform/user_testing.h"
#include "search/object_search.h"
#include "view/shared_state.h"
#include "view/surface.h"
#include "view/view.h"

class ObjectSearchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        FreeAllMapData();
        ResetSharedToolState();
        ResetSearchState();
        g_selList = selection_;
        g_selCount = 0;
        g_needRedraw = 0;
        g_surfaceWindow = nullptr;
        g_zoom = ZoomStack{};
        g_zoom.entries[1] = ViewRect{0, 0, 10000, 10000};
        g_zoom.zoomDepth = 1;
        // A view far from every building, at 1:5000.
        g_view = ViewState{};
        SetView(8000, 0, 9000, 1000, 0.2);
        BuildPlan();
        Install();
    }

    void TearDown() override {
        SetDialogHook(nullptr, nullptr);
        ShutdownPlatformWindows();
        ResetSearchState();
        ResetSharedToolState();
        g_selList = nullptr;
        g_selCount = 0;
        g_places = nullptr;
        g_place_count = 0;
        g_areas = nullptr;
        g_area_count = 0;
        g_street_names = nullptr;
        g_street_name_count = 0;
        g_street_index = nullptr;
        g_street_index_count = 0;
        g_buildings = nullptr;
        g_building_count = 0;
        g_theme_root = nullptr;
        g_user_objects = nullptr;
        g_user_count = 0;
        g_user_capacity = 0;
        g_zoom = ZoomStack{};
        g_view = ViewState{};
    }

    static void ResetSearchState() {
        g_objMode = -1;
        g_objName[0] = '\0';
        g_objStreetChoice = g_objDistrictChoice = g_objPartChoice = g_objThemeChoice = -1;
        g_objFound = 0;
        g_objCloseOnShow = true;
        g_objTheme = nullptr;
        g_objWindow = nullptr;
    }

    static void SetView(float xMin, float yMin, float xMax, float yMax, double scale) {
        g_view.xMin = xMin;
        g_view.yMin = yMin;
        g_view.xMax = xMax;
        g_view.yMax = yMax;
        g_view.scale = scale;
    }

    static const ViewRect& TopView() { return g_zoom.entries[g_zoom.zoomDepth]; }

    void BuildPlan() {
        streets = {Street(7, "Lenina"), Street(9, "Mira")};
        index.assign(10, 0);
        index[7] = 0;
        index[9] = 1;
        places = {Place(5000, 5000, "Centr"), Place(2300, 1000, "Vokzal")};
        districtPoints = {
            {{0, 0}, {10000, 0}, {10000, 10000}, {0, 10000}},
            {{0, 0}, {3000, 0}, {3000, 2000}, {0, 2000}},
            {{0, 2000}, {3000, 2000}, {3000, 4000}, {0, 4000}},
        };
        areas.clear();
        const int16_t codes[] = {0, 1, 2};
        for (size_t i = 0; i < districtPoints.size(); ++i) {
            AreaRec a{};
            a.code = codes[i];
            a.count = static_cast<int16_t>(districtPoints[i].size());
            a.pts = districtPoints[i].data();
            areas.push_back(a);
        }
        buildings = {Building(1000, 1000, 7, "1"), Building(2000, 1000, 7, "3"), Building(1000, 3000, 9, "2"),
                     Building(5600, 5800, 9, "5"), Building(5601, 5800, 0, "")};
        themes.clear();
        ThemeNode* a1 = Theme("A1", "Magaziny");
        ThemeNode* a2 = Theme("A2", "Produkty");
        ThemeNode* a3 = Theme("A3", "Odezhda");
        ThemeNode* b1 = Theme("B1", "Apteki");
        ThemeNode* b2 = Theme("B2", "Apteki");
        ThemeNode* b3 = Theme("B3", "Optika");
        a1->child = a2;
        a2->next = a3;
        a1->next = b1;
        b1->child = b2;
        b2->next = b3;
        objects = {Object(1000, 1000, "A2", "Magazin Luch"), Object(2000, 1000, "A3", "Magazin Luch"),
                   Object(1000, 3000, "B2", "Apteka No 2"),  Object(7000, 7000, "A2", "Kiosk Luch"),
                   Object(5600, 5800, "B2", "Apteka Sever"), Object(5601, 5800, "A2", "Bulochnaya"),
                   Object(1000, 1000, "B3", "Optika Luch")};
    }

    // Points the store's tables at the vectors above (after any change to them).
    void Install() {
        g_street_names = streets.data();
        g_street_name_count = static_cast<int32_t>(streets.size());
        g_street_index = index.data();
        g_street_index_count = static_cast<int32_t>(index.size());
        g_places = places.data();
        g_place_count = static_cast<int32_t>(places.size());
        g_areas = areas.data();
        g_area_count = static_cast<int32_t>(areas.size());
        g_buildings = buildings.empty() ? nullptr : buildings.data();
        g_building_count = static_cast<int32_t>(buildings.size());
        g_theme_root = themes.empty() ? nullptr : &themes.front();
        g_user_objects = objects.empty() ? nullptr : objects.data();
        g_user_count = static_cast<int32_t>(objects.size());
        g_user_capacity = g_user_count;
    }

    static StreetNameRec Street(int16_t id, const char* name) {
        StreetNameRec s{};
        s.kind = 1;
        s.id = id;
        std::strncpy(s.name, name, sizeof s.name - 1);
        return s;
    }
    static PlaceRec Place(uint16_t x, uint16_t y, const char* name) {
        PlaceRec p{};
        p.x = x;
        p.y = y;
        std::strncpy(p.name, name, sizeof p.name - 1);
        return p;
    }
    static BuildingRec Building(uint16_t x, uint16_t y, int16_t street, const char* house) {
        BuildingRec b{};
        b.x = x;
        b.y = y;
        b.streetId = street;
        std::strncpy(b.houseNumber, house, sizeof b.houseNumber - 1);
        b.box = BBox{x - 10.0f, y - 10.0f, x + 10.0f, y + 10.0f};
        return b;
    }
    static UserObjectRec Object(uint16_t x, uint16_t y, const char* code, const char* name) {
        UserObjectRec o{};
        o.x = x;
        o.y = y;
        o.code[0] = code[0];
        o.code[1] = code[1];
        std::strncpy(o.name, name, sizeof o.name - 1);
        return o;
    }
    ThemeNode* Theme(const char* code, const char* name) {
        ThemeNode n{};
        n.code[0] = code[0];
        n.code[1] = code[1];
        std::strncpy(n.name, name, sizeof n.name - 1);
        themes.push_back(n);
        return &themes.back();
    }

    // Indices of the objects whose `found` is set, in table order.
    static std::vector<int> FoundObjects() {
        std::vector<int> out;
        for (int i = 0; i < g_user_count; ++i) {
            if (g_user_objects[i].found == 1) out.push_back(i);
        }
        return out;
    }

    static std::vector<int> Selection() { return std::vector<int>(g_selList, g_selList + g_selCount); }

    std::vector<StreetNameRec> streets;
    std::vector<int16_t> index;
    std::vector<PlaceRec> places;
    std::vector<std::vector<PackedPoint>> districtPoints;
    std::vector<AreaRec> areas;
    std::vector<BuildingRec> buildings;
    std::deque<ThemeNode> themes;
    std::vector<UserObjectRec> objects;
    int32_t selection_[kSelListSize] = {};
};
