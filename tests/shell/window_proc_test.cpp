// The window procedure's paint, commands, accelerators and overlay timer.
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "shell/commands.h"
#include "shell_fixture.h"

namespace {

// What the tools of the table were asked to do.
struct ToolCalls {
    int layers = 0;
    int palette = 0;
    int about = 0;
    int streetSearch = 0;
    int districts = 0;
    int partsOfCity = 0;
    int objectSearch = 0;
    int print = 0;
    int coordinates = 0;
    int flags = 0;
    int partNames = 0;
    std::vector<int> measureModes;
};
ToolCalls g_calls;

void InstallRecorders() {
    g_calls = ToolCalls{};
    g_toolRoutines.openLayersDialog = [] { ++g_calls.layers; };
    g_toolRoutines.openPalette = [] { ++g_calls.palette; };
    g_toolRoutines.openAboutBox = [] { ++g_calls.about; };
    g_toolRoutines.openStreetSearch = [] { ++g_calls.streetSearch; };
    g_toolRoutines.openDistricts = [] { ++g_calls.districts; };
    g_toolRoutines.openPartsOfCity = [] { ++g_calls.partsOfCity; };
    g_toolRoutines.openObjectSearch = [] { ++g_calls.objectSearch; };
    g_toolRoutines.printVisiblePlan = [] { ++g_calls.print; };
    g_toolRoutines.openCoordinatesWindow = [] { ++g_calls.coordinates; };
    g_toolRoutines.startMeasurement = [](int mode) { g_calls.measureModes.push_back(mode); };
    g_toolRoutines.drawSearchFlags = [] { ++g_calls.flags; };
}

int TotalToolCalls() {
    return g_calls.layers + g_calls.palette + g_calls.about + g_calls.streetSearch + g_calls.districts +
           g_calls.partsOfCity + g_calls.objectSearch + g_calls.print + g_calls.coordinates +
           static_cast<int>(g_calls.measureModes.size());
}

bool Checked(UINT id) { return (GetMenuState(GetMenu(g_hwndMain), id, MF_BYCOMMAND) & MF_CHECKED) != 0; }

// Every paint a record of what was drawn into the stored frame.
class PaintTest : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        WritePlan();
        Start();
    }
};

TEST_F(PaintTest, RefreshOnTheOverviewRecomposesItAPlainRepaintOnlyCopies) {
    StartCallRecord(g_hdcMem);
    Command(kCmdRefresh);
    EXPECT_EQ(g_needRedraw, 1);
    EXPECT_EQ(Pump().paints, 1);
    EXPECT_FALSE(GetCallRecord(g_hdcMem).empty());
    EXPECT_EQ(g_zoom.zoomDepth, 1);

    StartCallRecord(g_hdcMem);
    RequestRepaint();
    EXPECT_EQ(Pump().paints, 1);
    EXPECT_TRUE(GetCallRecord(g_hdcMem).empty());
    StopCallRecord(g_hdcMem);
}

TEST_F(PaintTest, ADisplayModeMovesTheCheckMarkAndRepaintsOnlyTheDetailedPlan) {
    for (const DisplayModeInfo& mode : kDisplayModes) {
        SCOPED_TRACE(mode.menuText);
        Command(static_cast<UINT>(mode.id));
        EXPECT_EQ(DisplayMode, mode.id);
        for (const DisplayModeInfo& other : kDisplayModes)
            EXPECT_EQ(Checked(static_cast<UINT>(other.id)), other.id == mode.id);
        // The overview keeps its day colours: nothing to repaint.
        EXPECT_EQ(g_needRedraw, 0);
        EXPECT_FALSE(PaintDue());
    }
    SetDetailedView(4000, 2000, 5000, 3500);
    Command(kModeFlat);
    EXPECT_EQ(g_needRedraw, 1);
    EXPECT_TRUE(PaintDue());
}

TEST_F(PaintTest, ColorBuildingsTogglesItsCheckMarkAndAsksForAFrame) {
    Command(kCmdColorBuildings);
    EXPECT_EQ(colorBuildings, 0);
    EXPECT_FALSE(Checked(kCmdColorBuildings));
    EXPECT_EQ(g_needRedraw, 1);
    Pump();
    Command(kCmdColorBuildings);
    EXPECT_EQ(colorBuildings, 1);
    EXPECT_TRUE(Checked(kCmdColorBuildings));
}

TEST_F(PaintTest, FunctionKeysReachTheirSearchesAndF6AndF8DoNothing) {
    InstallRecorders();
    struct Case {
        int key;
        int ToolCalls::*counter;
    };
    const Case cases[] = {{VK_F2, &ToolCalls::streetSearch},
                          {VK_F3, &ToolCalls::districts},
                          {VK_F4, &ToolCalls::partsOfCity},
                          {VK_F5, &ToolCalls::objectSearch},
                          {VK_F6, nullptr},
                          {VK_F8, nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        g_calls = ToolCalls{};
        UserKeyDown(g_hwndMain, c.key);
        UserKeyUp(g_hwndMain, c.key);
        EXPECT_EQ(Pump().paints, 0);
        EXPECT_EQ(TotalToolCalls(), c.counter != nullptr ? 1 : 0);
        if (c.counter != nullptr) {
            EXPECT_EQ(g_calls.*c.counter, 1);
        }
        EXPECT_EQ(g_needRedraw, 0);
        EXPECT_EQ(g_zoom.zoomDepth, 1);
    }
}

TEST_F(PaintTest, CommandsOfToolsNotBuiltDoNothing) {
    // A table without any tool, whichever are built by now.
    g_toolRoutines = ToolRoutines{};
    SetDetailedView(4000, 2000, 5000, 3500);
    const int windows = LiveWindowCount();
    const UINT ids[] = {kCmdLayers,      kCmdInstruments,  kCmdStreetSearch, kCmdDistricts,
                        kCmdPartsOfCity, kCmdObjectSearch, kCmdCoordinates,  kCmdMeasureOnLines,
                        kCmdMeasureOnStreets, kCmdAbout};
    for (UINT id : ids) {
        SCOPED_TRACE(id);
        Command(id);
        EXPECT_EQ(g_needRedraw, 0);
        EXPECT_FALSE(PaintDue());
        EXPECT_EQ(LiveWindowCount(), windows);
        EXPECT_FALSE(Checked(kCmdInstruments));
        EXPECT_EQ(g_printInColor, 0u);
        EXPECT_EQ(g_zoom.zoomDepth, 2);
    }
}

TEST_F(PaintTest, CommandsReachTheirToolsOnlyWhereTheyMayRun) {
    InstallRecorders();
    struct Case {
        const char* name;
        UINT id;
        bool detailed;
        uint32_t tool;
        int calls;
        bool newFrame;
    };
    const Case cases[] = {
        {"layers, then a new frame", kCmdLayers, false, kToolInformation, 1, true},
        {"about", kCmdAbout, false, kToolInformation, 1, false},
        {"printing", kCmdPrintColor, true, kToolInformation, 1, false},
        {"coordinates on the overview", kCmdCoordinates, false, kToolInformation, 0, false},
        {"coordinates on the plan", kCmdCoordinates, true, kToolInformation, 1, false},
        {"measuring on the overview", kCmdMeasureOnLines, false, kToolInformation, 0, false},
        {"measuring with the pan tool", kCmdMeasureOnLines, true, kToolPan, 0, false},
        {"measuring with no tool", kCmdMeasureOnStreets, true, kToolNone, 1, false},
        {"palette opened", kCmdInstruments, false, kToolInformation, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_zoom.zoomDepth = 1;
        if (c.detailed) SetDetailedView(4000, 2000, 5000, 3500);
        g_paletteTool = c.tool;
        g_calls = ToolCalls{};
        g_needRedraw = 0;
        Command(c.id);
        EXPECT_EQ(TotalToolCalls(), c.calls);
        EXPECT_EQ(g_needRedraw, c.newFrame ? 1 : 0);
        if (c.id == kCmdPrintColor) {
            EXPECT_EQ(g_printInColor, 1u);
        }
        if (c.id == kCmdMeasureOnStreets) {
            EXPECT_EQ(g_calls.measureModes, std::vector<int>{1});
        }
        Pump();
    }
    EXPECT_TRUE(Checked(kCmdInstruments));
}

TEST_F(PaintTest, ClosingThePaletteTakesItsToolAndCheckMarkAway) {
    InstallRecorders();
    Command(kCmdInstruments);
    // The palette routine would keep its window; a dialog stands in for it.
    g_hwndPalette =
        CreateDialogParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_PALETTE), g_hwndMain, nullptr, 0);
    ASSERT_NE(g_hwndPalette, nullptr);
    HWND palette = g_hwndPalette;
    g_paletteTool = kToolPan;
    Command(kCmdInstruments);
    EXPECT_FALSE(IsWindow(palette));
    EXPECT_EQ(g_hwndPalette, nullptr);
    EXPECT_EQ(g_paletteTool, kToolNone);
    EXPECT_FALSE(Checked(kCmdInstruments));
    EXPECT_EQ(ClassCursor(), arrowCursor);
}

TEST_F(PaintTest, SearchFlagsAreDrawnOnEveryPaintWhileThereAreResults) {
    InstallRecorders();
    struct Case {
        int32_t selCount;
        int32_t shownStreet;
        int flags;
    };
    const Case cases[] = {{0, -1, 0}, {3, -1, 1}, {0, 0, 1}, {2, 7, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.selCount << " selected, street " << c.shownStreet);
        g_selCount = c.selCount;
        g_shownStreet = c.shownStreet;
        g_calls.flags = 0;
        RequestRepaint();
        Pump();
        EXPECT_EQ(g_calls.flags, c.flags);
    }
    g_selCount = 0;
    g_shownStreet = -1;
}

// Draws a red square on the window, as a part name would be drawn.
const RECT kOverlay = {100, 100, 120, 120};
void DrawRedSquare(const PlaceRec*) {
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(g_hdc, &kOverlay, red);
    DeleteObject(red);
}

TEST_F(PaintTest, AnOverlayVanishesTwoSecondsLaterWithoutRecomposing) {
    g_toolRoutines.drawPartName = DrawRedSquare;
    SetDetailedView(4000, 2000, 5000, 3500);
    PlaceRec place{5000, 3000, "Centre"};
    g_partShown = &place;
    RequestNewFrame();
    Pump();
    EXPECT_EQ(g_partShown, nullptr);
    EXPECT_NE(g_overlayTimer, 0u);
    EXPECT_EQ(GetPixel(g_hdc, 110, 110), RGB(255, 0, 0));
    const COLORREF stored = GetPixel(g_hdcMem, 110, 110);
    ASSERT_NE(stored, RGB(255, 0, 0));

    StartCallRecord(g_hdcMem);
    for (int waited = 0; waited < 4000 && g_overlayTimer != 0; waited += 20) {
        Pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    Pump();
    EXPECT_EQ(g_overlayTimer, 0u);
    EXPECT_EQ(GetPixel(g_hdc, 110, 110), stored);
    EXPECT_TRUE(GetCallRecord(g_hdcMem).empty());
    StopCallRecord(g_hdcMem);
}

TEST_F(PaintTest, ATimerWithoutAnOverlayChangesNothing) {
    Send(WM_TIMER, 0, 0);
    EXPECT_FALSE(PaintDue());
}

TEST_F(PaintTest, AnOpenMeasurementIsRedrawnAfterThePaint) {
    SetDetailedView(4000, 2000, 4750, 3250);
    // A dialog stands in for the measurement window.
    g_measureWindow =
        CreateDialogParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_LOADING), g_hwndMain, nullptr, 0);
    ASSERT_NE(g_measureWindow, nullptr);
    // On screen at 1.25 m a pixel, rounded as the view rounds (y = 600 - (metres / 1.25 + 0.5),
    // truncated): (200, 199), (400, 199), (400, 399).
    PlanPoint points[] = {{4500, 2250}, {4500, 2500}, {4250, 2500}};
    g_measurePoints = points;
    g_measureCount = 3;
    RequestRepaint();
    Pump();
    EXPECT_EQ(g_mouseMode, kMouseMeasuring);
    EXPECT_EQ(ClassCursor(), measureCursor);
    EXPECT_EQ(g_rubberBand[0].x, 400);
    EXPECT_EQ(g_rubberBand[0].y, 399);
    EXPECT_EQ(g_rubberBand[1].x, 400);
    EXPECT_EQ(g_rubberBand[1].y, 399);
    EXPECT_EQ(GetPixel(g_hdc, 300, 199), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(g_hdc, 400, 300), RGB(0, 0, 0));

    DestroyWindow(g_measureWindow);
    g_measureWindow = nullptr;
    g_measurePoints = nullptr;
    g_measureCount = 0;
    RequestRepaint();
    Pump();
    EXPECT_EQ(g_mouseMode, kMouseIdle);
    EXPECT_EQ(ClassCursor(), arrowCursor);
}

TEST_F(PaintTest, ThePaletteToolChoosesTheCursorAfterEachPaint) {
    const struct {
        uint32_t tool;
        HCURSOR* cursor;
    } cases[] = {{kToolNone, &arrowCursor},
                 {kToolZoomOutAtPoint, &zoomOutCursor},
                 {kToolZoomRect, &zoomRectCursor},
                 {kToolPan, &panCursor},
                 {kToolInformation, &arrowCursor}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tool);
        g_paletteTool = c.tool;
        RequestRepaint();
        Pump();
        EXPECT_EQ(ClassCursor(), *c.cursor);
    }
}

}  // namespace
