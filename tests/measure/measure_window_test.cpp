// The measurement tool in the running viewer: the commands open the "Measurements" window, the
// mouse adds points and moves the rubber band, the pop-up menu cancels, and every way out
// (Escape, the Home key, the main window closing, a failed growth) ends it cleanly.
//
// The view is the shell tests' hand-set one: 1:5000 at 4 pixels per millimetre, so a pixel is
// 1.25 m; with the view's corner at X 5000, Y 3000 the pixel (sx, sy) is the plan point
// X = 5000 + (600 - sy) * 1.25, Y = 3000 + sx * 1.25.
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "measure/measure.h"
#include "shell/commands.h"
#include "shell/shell_fixture.h"

namespace {

// The units as the window shows them (UTF-8).
const std::string kM = "\xD0\xBC";                     // м
const std::string kKm = "\xD0\xBA\xD0\xBC";            // км
const std::string kSqM = "\xD0\xBA\xD0\xB2.\xD0\xBC";  // кв.м
const std::string kHa = "\xD0\xB3\xD0\xB0";            // га

UINT g_popupChoice = 0;
int g_popupsShown = 0;

UINT ChoosePopupItem(HMENU menu, int, int, void*) {
    ++g_popupsShown;
    // The menu shown is the first popup of "Popup1".
    EXPECT_EQ(GetMenuItemID(menu, 0), kCmdCancelLastPoint);
    EXPECT_EQ(GetMenuItemID(menu, 1), kCmdCancelMeasurement);
    return g_popupChoice;
}

void* RefuseToGrow(void* block, size_t bytes) {
    if (block != nullptr) return nullptr;
    return malloc(bytes);
}

class MeasureWindowTest : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        WritePlan();
        Start();
        SetDetailedView(5000, 3000, 5750, 4250);
        g_view.detailLevel = 3;
        g_popupChoice = 0;
        g_popupsShown = 0;
        SetPopupMenuHook(ChoosePopupItem, nullptr);
    }

    void TearDown() override {
        SetPopupMenuHook(nullptr, nullptr);
        SetMeasureRealloc(nullptr);
        ShellTest::TearDown();
        EXPECT_EQ(g_measurePoints, nullptr);
    }

    void StartOn(UINT command) {
        Command(command);
        ASSERT_TRUE(IsWindow(g_measureWindow));
    }

    void MoveTo(int x, int y) { Mouse(WM_MOUSEMOVE, x, y, 0); }
    void ClickAt(int x, int y) {
        MoveTo(x, y);
        Mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
        Mouse(WM_LBUTTONUP, x, y, 0);
    }
    void Choose(UINT command) {
        g_popupChoice = command;
        Mouse(WM_RBUTTONDOWN, 400, 300, MK_RBUTTON);
        Mouse(WM_RBUTTONUP, 400, 300, 0);
    }

    static std::string Field(int id) { return WindowTextUtf8(GetDlgItem(g_measureWindow, id)); }

    // The window's pixels in a rectangle, row by row.
    static std::vector<COLORREF> Pixels(HDC dc, int left, int top, int right, int bottom) {
        std::vector<COLORREF> pixels;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) pixels.push_back(GetPixel(dc, x, y));
        }
        return pixels;
    }
};

TEST_F(MeasureWindowTest, AStartedMeasurementTakesTheMouseAndShowsItsCursor) {
    StartOn(kCmdMeasureOnLines);
    EXPECT_EQ(g_mouseMode, kMouseMeasuring);
    EXPECT_EQ(ClassCursor(), measureCursor);
    EXPECT_EQ(g_measureMode, kMeasureOnLines);
    EXPECT_EQ(g_measureCount, 0);
    EXPECT_TRUE(IsWindowVisible(g_measureWindow));
    // A second start while one runs changes nothing.
    const HWND window = g_measureWindow;
    Command(kCmdMeasureOnStreets);
    EXPECT_EQ(g_measureWindow, window);
    EXPECT_EQ(g_measureMode, kMeasureOnLines);
}

TEST_F(MeasureWindowTest, ARightAngleOfAHundredMetresInTheUnitsOfEachDetailLevel) {
    struct Case {
        uint16_t level;
        std::string current;  // after moving 100 m east of the first point
        std::string two;      // total after two points
        std::string three;    // total after three
        std::string area;
    };
    const Case cases[] = {
        {3, " 100.0 " + kM, " 100.0 " + kM, " 200.0 " + kM, " 5000.0 " + kSqM},
        {2, " 100.0 " + kM, " 100.0 " + kM, " 200.0 " + kM, " 0.5 " + kHa},
        {1, " 0.100 " + kKm, " 0.1 " + kKm, " 0.2 " + kKm, " 0.5 " + kHa},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("detail level " + std::to_string(c.level));
        g_view.detailLevel = c.level;
        StartOn(kCmdMeasureOnLines);
        // (5125, 3125), then 80 pixels (100 m) east, then 80 pixels north.
        ClickAt(100, 500);
        EXPECT_EQ(g_measureCount, 1);
        EXPECT_EQ(Field(kMeasureTotalField), "");
        MoveTo(180, 500);
        EXPECT_EQ(Field(kMeasureRelativeField), "100.0, 0.0");
        EXPECT_EQ(Field(kMeasureCurrentField), c.current);
        ClickAt(180, 500);
        EXPECT_EQ(Field(kMeasureTotalField), c.two);
        EXPECT_EQ(Field(kMeasureAreaField), "");
        MoveTo(180, 420);
        EXPECT_EQ(Field(kMeasureRelativeField), "0.0, 100.0");
        ClickAt(180, 420);
        EXPECT_EQ(Field(kMeasureTotalField), c.three);
        EXPECT_EQ(Field(kMeasureAreaField), c.area);
        SendMessageA(g_measureWindow, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
        EXPECT_EQ(g_measureWindow, nullptr);
        Pump();
    }
}

TEST_F(MeasureWindowTest, CancellingTheLastPointRewritesTheTotalAndEmptiesAGoneArea) {
    StartOn(kCmdMeasureOnLines);
    ClickAt(100, 500);
    ClickAt(180, 500);
    ClickAt(180, 420);
    const int menus = LiveMenuCount();
    struct Step {
        int32_t count;
        std::string total;
        std::string area;
    };
    const Step steps[] = {
        // Two points close no polygon: the area of the three is gone with the third.
        {2, " 100.0 " + kM, ""},
        {1, " 0.0 " + kM, ""},
        {0, " 0.0 " + kM, ""},
        // With no point left it empties the fields as cancelling the measurement does.
        {0, "", ""},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE("down to " + std::to_string(s.count) + " points");
        Choose(kCmdCancelLastPoint);
        EXPECT_EQ(g_measureCount, s.count);
        EXPECT_EQ(Field(kMeasureTotalField), s.total);
        EXPECT_EQ(Field(kMeasureAreaField), s.area);
        EXPECT_TRUE(PaintDue());
        Pump();
        EXPECT_TRUE(IsWindow(g_measureWindow));
        EXPECT_EQ(g_mouseMode, kMouseMeasuring);
    }
    EXPECT_EQ(g_popupsShown, 4);
    // The menu loaded for each popup went again.
    EXPECT_EQ(LiveMenuCount(), menus);
}

TEST_F(MeasureWindowTest, CancellingTheMeasurementKeepsTheToolAndTheRelativeCoordinates) {
    StartOn(kCmdMeasureOnLines);
    ClickAt(100, 500);
    ClickAt(180, 500);
    MoveTo(180, 420);
    Choose(kCmdCancelMeasurement);
    EXPECT_EQ(g_measureCount, 0);
    EXPECT_EQ(Field(kMeasureRelativeField), "0.0, 100.0");
    EXPECT_EQ(Field(kMeasureCurrentField), "");
    EXPECT_EQ(Field(kMeasureTotalField), "");
    Pump();
    // The next click starts a new polyline.
    ClickAt(300, 300);
    EXPECT_EQ(g_measureCount, 1);
    EXPECT_FLOAT_EQ(g_measurePoints[0].y, 3375.0f);
    // Choosing nothing changes nothing.
    Choose(0);
    EXPECT_EQ(g_measureCount, 1);
    EXPECT_FALSE(PaintDue());
}

TEST_F(MeasureWindowTest, EveryWayOutFreesThePointsAndGivesTheMouseBack) {
    enum class Way { kEscape, kEnter, kCloseBox, kExit };
    const std::pair<const char*, Way> cases[] = {{"Escape", Way::kEscape},
                                                 {"Enter", Way::kEnter},
                                                 {"close box", Way::kCloseBox},
                                                 {"Exit", Way::kExit}};
    for (const auto& [name, way] : cases) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(IsWindow(g_hwndMain));
        StartOn(kCmdMeasureOnLines);
        ClickAt(100, 500);
        ClickAt(180, 500);
        switch (way) {
            case Way::kEscape:
                UserPressKey(g_measureWindow, VK_ESCAPE);
                break;
            case Way::kEnter:
                UserPressKey(g_measureWindow, VK_RETURN);
                break;
            case Way::kCloseBox:
                UserCloseBox(g_measureWindow);
                break;
            case Way::kExit:
                Command(kCmdExit);
                break;
        }
        Pump();
        EXPECT_EQ(g_measureWindow, nullptr);
        EXPECT_EQ(g_measurePoints, nullptr);
        EXPECT_EQ(g_measureCount, 0);
        if (!IsWindow(g_hwndMain)) continue;
        EXPECT_EQ(g_mouseMode, kMouseIdle);
        EXPECT_EQ(ClassCursor(), arrowCursor);
    }
}

TEST_F(MeasureWindowTest, HomeWhileMeasuringEndsItAndShowsTheWholeCity) {
    StartOn(kCmdMeasureOnStreets);
    ClickAt(100, 500);
    Send(WM_KEYDOWN, VK_HOME, 0);
    Pump();
    EXPECT_EQ(g_measureWindow, nullptr);
    EXPECT_EQ(g_measurePoints, nullptr);
    EXPECT_EQ(g_zoom.zoomDepth, 1);
    // The overview was composed, not the old frame copied back: its fit replaced the view.
    EXPECT_NE(g_view.scale, 0.2);
    EXPECT_EQ(g_mouseMode, kMouseIdle);
}

TEST_F(MeasureWindowTest, ClosingTheMainWindowTakesThePointsWithIt) {
    StartOn(kCmdMeasureOnLines);
    ClickAt(100, 500);
    UserCloseBox(g_hwndMain);
    Pump();
    EXPECT_FALSE(IsWindow(g_hwndMain));
    EXPECT_EQ(g_measureWindow, nullptr);
    EXPECT_EQ(g_measurePoints, nullptr);
}

TEST_F(MeasureWindowTest, TheFieldsCanBeReadButNotTypedInto) {
    StartOn(kCmdMeasureOnLines);
    const HWND total = GetDlgItem(g_measureWindow, kMeasureTotalField);
    UserTypeText(total, "123");
    EXPECT_EQ(WindowTextUtf8(total), "");
    EXPECT_NE(GetFocus(), total);
    EXPECT_TRUE(IsWindow(g_measureWindow));
}

TEST_F(MeasureWindowTest, OnStreetsAtTheSmallestScalesEveryClickBeeps) {
    g_view.detailLevel = 0;
    StartOn(kCmdMeasureOnStreets);
    const int beeps = BeepCount();
    ClickAt(100, 500);
    ClickAt(180, 500);
    EXPECT_EQ(BeepCount(), beeps + 2);
    ASSERT_EQ(g_measureCount, 2);
    EXPECT_FLOAT_EQ(g_measurePoints[1].y, 3225.0f);
}

TEST_F(MeasureWindowTest, TheRubberBandDrawnAgainLeavesTheWindowAsItWas) {
    StartOn(kCmdMeasureOnLines);
    ClickAt(100, 500);
    const std::vector<COLORREF> clicked = Pixels(g_hdc, 95, 395, 305, 505);
    MoveTo(300, 400);
    const std::vector<COLORREF> toFar = Pixels(g_hdc, 95, 395, 305, 505);
    EXPECT_NE(toFar, clicked);
    MoveTo(200, 450);
    EXPECT_NE(Pixels(g_hdc, 95, 395, 305, 505), toFar);
    // The band to (200, 450) is erased by drawing it again: what is left is the band to
    // (300, 400) on the window as it was.
    MoveTo(300, 400);
    EXPECT_EQ(Pixels(g_hdc, 95, 395, 305, 505), toFar);
    // A click erases the band; the new point's line and circle take its place.
    ClickAt(300, 400);
    Choose(kCmdCancelLastPoint);
    Pump();
    EXPECT_EQ(Pixels(g_hdc, 95, 395, 305, 505), Pixels(g_hdcMem, 95, 395, 305, 505));
}

TEST_F(MeasureWindowTest, TheBandOfACancelledPointIsNotDrawnBackAfterTheRepaint) {
    StartOn(kCmdMeasureOnLines);
    ClickAt(100, 500);
    ClickAt(300, 400);
    MoveTo(250, 300);
    Choose(kCmdCancelLastPoint);
    Pump();
    // The repaint showed the stored frame; the one point left has no line to redraw.
    EXPECT_EQ(Pixels(g_hdc, 95, 295, 305, 505), Pixels(g_hdcMem, 95, 295, 305, 505));
    // The band now runs from the first point; nothing is drawn where the band from the
    // cancelled point to (250, 300) was.
    MoveTo(200, 450);
    EXPECT_NE(Pixels(g_hdc, 95, 445, 205, 505), Pixels(g_hdcMem, 95, 445, 205, 505));
    EXPECT_EQ(Pixels(g_hdc, 245, 295, 305, 405), Pixels(g_hdcMem, 245, 295, 305, 405));
}

TEST_F(MeasureWindowTest, AGrowthThatFailsEndsTheMeasurementCleanly) {
    SetMeasureRealloc(RefuseToGrow);
    StartOn(kCmdMeasureOnLines);
    for (int i = 0; i < 99; ++i) ClickAt(100 + (i % 2) * 50, 100 + i * 4);
    ASSERT_EQ(g_measureCount, 99);
    ASSERT_TRUE(IsWindow(g_measureWindow));
    ClickAt(500, 300);
    EXPECT_EQ(g_measureWindow, nullptr);
    EXPECT_EQ(g_measurePoints, nullptr);
    Pump();
    EXPECT_EQ(g_mouseMode, kMouseIdle);
    // The mouse is the plain viewer's again: a move reaches no measurement.
    MoveTo(200, 200);
    EXPECT_EQ(g_measureCount, 0);
}

}  // namespace
