// Shared ground of the shell tests: a small plan written to a temporary folder, the viewer
// started on it headless with its real main window, and a loop that hands out messages the
// way the program's own loop does (accelerators included) without waiting for any.
//
// The test plan covers 0..10000 m both ways (zoom entry 1); the land is its western part,
// y 0..6000. There is one building, so the loading window reaches its last stage.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "data/load_notes.h"
#include "data/store.h"
#include "data/writers.h"
#include "platform/gdi.h"
#include "platform/user.h"
#include "platform/user_testing.h"
#include "render/frame.h"
#include "render/layer_settings.h"
#include "render/styles.h"
#include "resources/resources.h"
#include "shell/interaction.h"
#include "shell/main_window.h"
#include "view/shared_state.h"
#include "shell/tool_routines.h"
#include "support/map_folder.h"
#include "view/surface.h"
#include "view/view.h"

struct PumpResult {
    int dispatched = 0;
    int paints = 0;
    bool quit = false;
};

class ShellTest : public ::testing::Test {
  protected:
    void SetUp() override {
        FreeAllMapData();
        ClearLoadNotes();
        g_zoom = ZoomStack{};
        g_view = ViewState{};
        sweepXMax = 75000.0f;
        buildingCursor = waterCursor = minorLineCursor = streetLineCursor = labelCursor = 0;
        labelsAdded = false;
        colorBuildings = 1;
        g_needRedraw = 0;
        g_toolRoutines = kBuiltToolRoutines;
        startObjects_ = GdiLiveObjectCount();
        startContexts_ = GdiLiveDCCount();
    }

    void TearDown() override {
        ShutdownViewer();
        ShutdownPlatformWindows();
        here_.reset();
        g_toolRoutines = kBuiltToolRoutines;
        // Everything start-up and the run made was released again.
        EXPECT_EQ(GdiLiveObjectCount(), startObjects_);
        EXPECT_EQ(GdiLiveDCCount(), startContexts_);
    }

    void WritePlan(bool withBuildings = true) {
        const char* dir = folder.path();
        ASSERT_TRUE(WritePlaceFile(dir, nullptr, 0));
        std::vector<PackedPoint> land = {{0, 0}, {10000, 0}, {10000, 6000}, {0, 6000}};
        AreaRec outline{};
        outline.code = 250;
        outline.count = static_cast<int16_t>(land.size());
        outline.pts = land.data();
        outline.box = {0, 0, 10000, 6000};
        ASSERT_TRUE(WriteAreaFile(dir, BBox{0, 0, 10000, 10000}, &outline, 1));
        ASSERT_TRUE(WriteTopoFile(dir, nullptr, 0));
        ASSERT_TRUE(WriteStreetFile(dir, nullptr, 0, nullptr, 0, nullptr, 0));
        if (!withBuildings) return;
        PlanPoint corners[] = {{5000, 3000}, {5000, 3020}, {5020, 3020}, {5020, 3000}};
        BuildingRec house{};
        house.x = 5010;
        house.y = 3010;
        house.purpose = 3;
        house.floors = 5;
        house.streetId = 1;
        house.houseNumber[0] = '1';
        house.count = 4;
        house.pts = corners;
        house.box = {5000, 3000, 5020, 3020};
        ASSERT_TRUE(WriteBuildingFiles(dir, &house, 1));
    }

    // Starts the viewer in the plan's folder and lets the first paint load the plan.
    void Start() {
        here_.emplace(folder.path());
        ASSERT_TRUE(StartViewer(ProgramInstance()));
        Pump();
        ASSERT_EQ(g_zoom.zoomDepth, 1);
    }

    // Hands out every message due, through the program's loop step.
    PumpResult Pump() {
        PumpResult result;
        MSG msg;
        while (result.dispatched < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (msg.message == WM_QUIT) {
                result.quit = true;
                break;
            }
            PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
            if (msg.message == WM_PAINT) ++result.paints;
            DispatchViewerMessage(&msg);
            ++result.dispatched;
        }
        return result;
    }

    // True when a paint is due.
    bool PaintDue() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (msg.message == WM_PAINT) return true;
            if (msg.message == WM_QUIT) return false;
            // Anything queued before the paint is handled first, as the loop would.
            PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
            DispatchViewerMessage(&msg);
        }
        return false;
    }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageA(g_hwndMain, message, wParam, lParam);
    }
    void Command(UINT id) { Send(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    void Mouse(UINT message, int x, int y, WPARAM keys) {
        Send(message, keys, MAKELPARAM(static_cast<unsigned>(x), static_cast<unsigned>(y)));
    }

    // A detailed view with round numbers: the plan rectangle (xMin, yMin)..(xMax, yMax) on a
    // 1000 x 600 viewport at 4 pixels per millimetre and 1:5000, so one pixel is 1.25 m.
    // It is pushed as the top of the history too, as a paint would have left it.
    void SetDetailedView(float xMin, float yMin, float xMax, float yMax) {
        ASSERT_EQ(PushViewRect(xMin, yMin, xMax, yMax), 1);
        g_view.vpLeft = 0;
        g_view.vpTop = 0;
        g_view.vpRight = 1000;
        g_view.vpBottom = 600;
        g_view.pxPerMmX = 4.0f;
        g_view.pxPerMmY = 4.0f;
        g_view.scale = 0.2;
        g_view.xMin = xMin;
        g_view.yMin = yMin;
        g_view.xMax = xMax;
        g_view.yMax = yMax;
        g_needRedraw = 0;
    }

    const ViewRect& Top() const { return g_zoom.entries[g_zoom.zoomDepth]; }

    HCURSOR ClassCursor() const { return reinterpret_cast<HCURSOR>(GetClassLongA(g_hwndMain, GCL_HCURSOR)); }

    TempFolder folder;

  private:
    std::optional<WorkingDirectory> here_;
    int startObjects_ = 0;
    int startContexts_ = 0;
};

// A view rectangle compared field by field, with its values in the failure message.
inline void ExpectRect(const ViewRect& actual, float xMin, float yMin, float xMax, float yMax) {
    EXPECT_FLOAT_EQ(actual.xMin, xMin);
    EXPECT_FLOAT_EQ(actual.yMin, yMin);
    EXPECT_FLOAT_EQ(actual.xMax, xMax);
    EXPECT_FLOAT_EQ(actual.yMax, yMax);
}
