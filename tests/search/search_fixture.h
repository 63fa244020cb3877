// Shared ground of the search tests: a small plan held in memory, a main window for the dialogs
// to belong to, the selection list as start-up makes it, and a way to act in a modal dialog.
//
// The plan covers 0..10000 m both ways (zoom entry 1). Its streets, in the order of their
// lower-cased names, as the search expects them:
//   0 Abrykosovaya ul.        id 1  lines; houses 12, 1, 10, 3
//   1 Akademycheskaya ul.     id 2  no lines; two houses
//   2 Lesnaya ul.             id 3  kind 0 (no houses), though one building names it
//   3 Lunnaya doroga          id 4  lines; houses 10, 2a (caption "  Shkola  "), 2 (blank caption)
//                                   and one building without a number
//   4 Morskaya ul./Portovaya  id 5  lines; 350 houses, numbered 350 down to 1 in table order
//   5 Parkovaya ul.           id 6  kind 100; lines and one house
//   6 Zhukovskogo ul.         id 7  neither lines nor houses
// Two parts of the city; district outlines 1 (0..5000 x 0..5000) and 3 (5000..10000 x 0..5000)
// only.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "data/store.h"
#include "platform/user.h"
#include "platform/user_testing.h"
#include "resources/resources.h"
#include "search/street_search.h"
#include "view/shared_state.h"
#include "view/surface.h"
#include "view/view.h"

class SearchTest : public ::testing::Test {
  protected:
    // Building indices of the named houses.
    int32_t abr1 = -1, abr3 = -1, abr10 = -1, abr12 = -1;
    int32_t lun2 = -1, lun2a = -1, lun10 = -1;
    int32_t akad1 = -1, akad2 = -1;
    int32_t morskayaFirst = -1;  // number 350

    void SetUp() override {
        names_ = {
            Street(1, 1, "Abrykosovaya ul."),
            Street(1, 2, "Akademycheskaya ul."),
            Street(0, 3, "Lesnaya ul."),
            Street(1, 4, "Lunnaya doroga"),
            Street(1, 5, "Morskaya ul./Portovaya"),
            Street(100, 6, "Parkovaya ul."),
            Street(1, 7, "Zhukovskogo ul."),
        };
        abr12 = AddBuilding(1, "12", "", {1000, 1000, 1010, 1010});
        abr1 = AddBuilding(1, "1", "", {1020, 1000, 1030, 1010});
        abr10 = AddBuilding(1, "10", "", {1040, 1000, 1050, 1010});
        abr3 = AddBuilding(1, "3", "", {1060, 1000, 1070, 1010});
        akad1 = AddBuilding(2, "1", "", {2000, 2000, 2010, 2010});
        akad2 = AddBuilding(2, "2", "", {2100, 2050, 2120, 2060});
        AddBuilding(3, "1", "", {3000, 3000, 3010, 3010});
        lun10 = AddBuilding(4, "10", "", {6000, 2000, 6020, 2020});
        lun2a = AddBuilding(4, "2a", "  Shkola  ", {6100, 2000, 6120, 2020});
        AddBuilding(4, "", "Garazh", {6200, 2000, 6210, 2010});
        lun2 = AddBuilding(4, "2", "   ", {6300, 2000, 6320, 2020});
        for (int n = 350; n >= 1; --n) {
            const float x = 8000.0f + static_cast<float>(n);
            const int32_t b = AddBuilding(5, std::to_string(n).c_str(), "", {x, 9000, x + 1, 9001});
            if (n == 350) morskayaFirst = b;
        }
        AddBuilding(6, "5", "", {7050, 7050, 7060, 7060});

        lines_ = {Line(1, {1000, 1000, 1100, 1500}), Line(1, {1100, 1400, 1300, 1450}),
                  Line(4, {6000, 2000, 6400, 2200}), Line(5, {8000, 8900, 8400, 9100}),
                  Line(6, {7000, 7000, 7100, 7100})};
        places_ = {Place(3000, 4000, "Centr"), Place(8000, 1000, "Port")};
        areas_ = {Area(0, {0, 0, 10000, 10000}), Area(1, {0, 0, 5000, 5000}),
                  Area(3, {5000, 0, 10000, 5000})};

        g_street_names = names_.data();
        g_street_name_count = static_cast<int32_t>(names_.size());
        g_buildings = buildings_.data();
        g_building_count = static_cast<int32_t>(buildings_.size());
        g_street_lines = lines_.data();
        g_street_line_count = static_cast<int32_t>(lines_.size());
        g_places = places_.data();
        g_place_count = static_cast<int32_t>(places_.size());
        g_areas = areas_.data();
        g_area_count = static_cast<int32_t>(areas_.size());

        g_zoom = ZoomStack{};
        g_zoom.zoomDepth = 1;
        g_zoom.entries[1] = ViewRect{0, 0, 10000, 10000};
        g_view = ViewState{};
        g_view.scale = 0.2;
        g_needRedraw = 0;
        ResetSharedToolState();
        g_selList = static_cast<int32_t*>(calloc(kSelListSize, sizeof(int32_t)));
        g_streetSel = -1;
        g_houseSel = -1;
        g_formList = false;
        beepsBefore_ = BeepCount();
    }

    void TearDown() override {
        SetDialogHook(nullptr, nullptr);
        FreeHouseList();
        g_hwndSelected = nullptr;
        ShutdownPlatformWindows();
        g_surfaceWindow = nullptr;
        free(g_selList);
        g_selList = nullptr;
        ResetSharedToolState();
        g_street_names = nullptr;
        g_street_name_count = 0;
        g_buildings = nullptr;
        g_building_count = 0;
        g_street_lines = nullptr;
        g_street_line_count = 0;
        g_places = nullptr;
        g_place_count = 0;
        g_areas = nullptr;
        g_area_count = 0;
        g_zoom = ZoomStack{};
        g_needRedraw = 0;
    }

    // The view as a paint would have left it: the plan box shown, at a scale.
    static void SetView(float xMin, float yMin, float xMax, float yMax, double scale) {
        g_view.xMin = xMin;
        g_view.yMin = yMin;
        g_view.xMax = xMax;
        g_view.yMax = yMax;
        g_view.scale = scale;
    }

    // The street chosen and its house list built, as the dialog does when the focus enters the
    // house controls.
    static void ChooseStreet(int32_t index) {
        g_streetSel = index;
        ASSERT_TRUE(AllocateHouseList());
        BuildHouseList();
    }

    static std::vector<std::string> HouseTexts() {
        std::vector<std::string> out;
        for (int32_t k = 0; k < g_houseCount; ++k) out.emplace_back(g_houseList[k].text);
        return out;
    }

    static std::vector<int32_t> Selection() {
        return std::vector<int32_t>(g_selList, g_selList + g_selCount);
    }

    int Beeps() const { return BeepCount() - beepsBefore_; }

    // A shown main window that the dialogs belong to, standing in for the viewer's.
    HWND MakeMainWindow() {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = MainProc;
        wc.hInstance = ProgramInstance();
        wc.lpszClassName = "SearchTestMain";
        RegisterClassExA(&wc);  // already registered by an earlier test: fine
        main_ = CreateWindowExA(0, "SearchTestMain", "Plan", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr,
                                nullptr, ProgramInstance(), nullptr);
        EXPECT_NE(main_, nullptr);
        ShowWindow(main_, SW_SHOW);
        PumpPendingMessages();
        g_surfaceWindow = main_;
        return main_;
    }

    // Runs `open` (one of the Open... routines) with `act` done inside dialog `templateId` while
    // it is open, as the user would.
    static void RunDialog(int templateId, void (*open)(), std::function<void(HWND)> act) {
        Script script{templateId, std::move(act), false};
        SetDialogHook(&Script::Hook, &script);
        open();
        SetDialogHook(nullptr, nullptr);
        EXPECT_TRUE(script.ran) << "dialog " << templateId << " was not opened";
    }

    static std::string ListText(HWND list, int index) {
        char buffer[256] = {};
        SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
        return buffer;
    }
    static std::vector<std::string> ListLines(HWND list) {
        std::vector<std::string> out;
        const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
        for (int i = 0; i < count; ++i) out.push_back(ListText(list, i));
        return out;
    }
    static int ListSel(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)); }
    static const ViewRect& Top() { return g_zoom.entries[g_zoom.zoomDepth]; }

    HWND main_ = nullptr;

  private:
    struct Script {
        int templateId;
        std::function<void(HWND)> act;
        bool ran;
        static void Hook(HWND dialog, int id, void* context) {
            auto* self = static_cast<Script*>(context);
            // The "Is selected" window is made from a template too; it is only looked at.
            if (id != self->templateId || self->ran) return;
            self->ran = true;
            self->act(dialog);
        }
    };

    static LRESULT CALLBACK MainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_PAINT) {
            PAINTSTRUCT ps;
            BeginPaint(hwnd, &ps);
            EndPaint(hwnd, &ps);
            return 0;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }

    static StreetNameRec Street(uint16_t kind, int16_t id, const char* name) {
        StreetNameRec rec{};
        rec.kind = kind;
        rec.id = id;
        strncpy(rec.name, name, sizeof rec.name - 1);
        return rec;
    }
    int32_t AddBuilding(int16_t streetId, const char* number, const char* caption, BBox box) {
        BuildingRec rec{};
        rec.streetId = streetId;
        strncpy(rec.houseNumber, number, sizeof rec.houseNumber - 1);
        strncpy(rec.caption, caption, sizeof rec.caption - 1);
        rec.box = box;
        rec.x = static_cast<uint16_t>(box.xMin);
        rec.y = static_cast<uint16_t>(box.yMin);
        buildings_.push_back(rec);
        return static_cast<int32_t>(buildings_.size() - 1);
    }
    static LineRec Line(int16_t code, BBox box) {
        LineRec rec{};
        rec.code = code;
        rec.box = box;
        return rec;
    }
    static PlaceRec Place(uint16_t x, uint16_t y, const char* name) {
        PlaceRec rec{};
        rec.x = x;
        rec.y = y;
        strncpy(rec.name, name, sizeof rec.name - 1);
        return rec;
    }
    static AreaRec Area(int16_t code, PackedBox box) {
        AreaRec rec{};
        rec.code = code;
        rec.box = box;
        return rec;
    }

    std::vector<StreetNameRec> names_;
    std::vector<BuildingRec> buildings_;
    std::vector<LineRec> lines_;
    std::vector<PlaceRec> places_;
    std::vector<AreaRec> areas_;
    int beepsBefore_ = 0;
};
