// Keys, characters and the mouse: every step of the view is worked out by hand from the view
// and the whole map. Unless a case says otherwise the view is the plan rectangle
// (4000, 2000)..(5000, 3500): h = 1000 m high, w = 1500 m wide, on a 1000 x 600 viewport at
// 1.25 m a pixel (ShellTest::SetDetailedView). The whole map is (0, 0)..(10000, 10000).
#include <vector>

#include "render/overview.h"
#include "shell_fixture.h"

namespace {

struct Clicks {
    std::vector<POINT> info;
    std::vector<POINT> streetNames;
    std::vector<POINT> popups;
    int tipsRemoved = 0;
};
Clicks g_clicks;

void InstallClickRecorders() {
    g_clicks = Clicks{};
    g_toolRoutines.showInfoAt = [](int x, int y) { g_clicks.info.push_back(POINT{x, y}); };
    g_toolRoutines.showStreetNameAt = [](int x, int y) { g_clicks.streetNames.push_back(POINT{x, y}); };
    g_toolRoutines.measurePopup = [](int x, int y) { g_clicks.popups.push_back(POINT{x, y}); };
    g_toolRoutines.removeTip = [] { ++g_clicks.tipsRemoved; };
}

class NavigationTest : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        WritePlan();
        Start();
    }

    void Key(int key, bool autoRepeat = false) {
        Send(WM_KEYDOWN, static_cast<WPARAM>(key), autoRepeat ? (1 | KF_REPEAT_BIT) : 1);
    }
    void KeyUp(int key) { Send(WM_KEYUP, static_cast<WPARAM>(key), 1 | KF_REPEAT_BIT | KF_UP_BIT); }

    // A left drag from one point to another with the buttons and keys of `keys` held.
    void Drag(POINT from, POINT to, WPARAM keys) {
        Mouse(WM_LBUTTONDOWN, from.x, from.y, keys);
        Mouse(WM_MOUSEMOVE, (from.x + to.x) / 2, (from.y + to.y) / 2, keys);
        Mouse(WM_MOUSEMOVE, to.x, to.y, keys);
        Mouse(WM_LBUTTONUP, to.x, to.y, keys & ~MK_LBUTTON);
    }
};

struct ViewCase {
    const char* name;
    ViewRect view;
    int input;
    ViewRect expected;
};

void PrintTo(const ViewCase& c, std::ostream* os) { *os << c.name; }

class ArrowKeyTest : public NavigationTest, public testing::WithParamInterface<ViewCase> {};

TEST_P(ArrowKeyTest, PushesTheViewHalfItsSizeTowardsTheKeyStoppingAtTheEdge) {
    const ViewCase& c = GetParam();
    SetDetailedView(c.view.xMin, c.view.yMin, c.view.xMax, c.view.yMax);
    const int depth = g_zoom.zoomDepth;
    Key(c.input);
    ASSERT_EQ(g_zoom.zoomDepth, depth + 1);
    ExpectRect(Top(), c.expected.xMin, c.expected.yMin, c.expected.xMax, c.expected.yMax);
    EXPECT_EQ(g_needRedraw, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ArrowKeyTest,
    testing::Values(
        ViewCase{"up", {4000, 2000, 5000, 3500}, VK_UP, {4500, 2000, 5500, 3500}},
        ViewCase{"down", {4000, 2000, 5000, 3500}, VK_DOWN, {3500, 2000, 4500, 3500}},
        ViewCase{"right", {4000, 2000, 5000, 3500}, VK_RIGHT, {4000, 2750, 5000, 4250}},
        ViewCase{"left", {4000, 2000, 5000, 3500}, VK_LEFT, {4000, 1250, 5000, 2750}},
        ViewCase{"up at the north edge", {9700, 2000, 9900, 2300}, VK_UP, {9800, 2000, 10000, 2300}},
        ViewCase{"down at the south edge", {0, 2000, 1000, 3500}, VK_DOWN, {0, 2000, 1000, 3500}},
        ViewCase{"right near the east edge", {4000, 9000, 5000, 9900}, VK_RIGHT, {4000, 9100, 5000, 10000}},
        ViewCase{"left near the west edge", {4000, 300, 5000, 1500}, VK_LEFT, {4000, 0, 5000, 1200}}),
    [](const testing::TestParamInfo<ViewCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (ch == ' ') ch = '_';
        return name;
    });

class CharacterTest : public NavigationTest, public testing::WithParamInterface<ViewCase> {};

TEST_P(CharacterTest, ZoomsAboutTheCentreOrOutClampedSideBySide) {
    const ViewCase& c = GetParam();
    SetDetailedView(c.view.xMin, c.view.yMin, c.view.xMax, c.view.yMax);
    const int depth = g_zoom.zoomDepth;
    const int beeps = BeepCount();
    Send(WM_CHAR, static_cast<WPARAM>(c.input), 1);
    ASSERT_EQ(g_zoom.zoomDepth, depth + 1);
    ExpectRect(Top(), c.expected.xMin, c.expected.yMin, c.expected.xMax, c.expected.yMax);
    EXPECT_EQ(g_needRedraw, 1);
    EXPECT_EQ(BeepCount(), beeps);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, CharacterTest,
    testing::Values(
        // h/4 = 250, w/4 = 375
        ViewCase{"plus", {4000, 2000, 5000, 3500}, '+', {4250, 2375, 4750, 3125}},
        // h/3 = 333.33 (a single-precision third), w/3 = 500
        ViewCase{"star", {4000, 2000, 5000, 3500}, '*', {4333.3335f, 2500, 4666.6665f, 3000}},
        // 0.2 h = 200, 0.2 w = 300
        ViewCase{"minus", {4000, 2000, 5000, 3500}, '-', {3800, 1700, 5200, 3800}},
        ViewCase{"minus at the west edge", {4000, 0, 5000, 1500}, '-', {3800, 0, 5200, 1800}},
        ViewCase{"slash", {4000, 2000, 5000, 3500}, '/', {3000, 500, 6000, 5000}},
        ViewCase{"slash in the south west corner", {0, 0, 1000, 1500}, '/', {0, 0, 2000, 3000}},
        // A zoom out from the whole map is clamped back to the whole map.
        ViewCase{"slash on the whole map", {0, 0, 10000, 10000}, '/', {0, 0, 10000, 10000}}),
    [](const testing::TestParamInfo<ViewCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (ch == ' ') ch = '_';
        return name;
    });

TEST_F(NavigationTest, AnAutoRepeatedPressAndOtherCharactersMoveNothing) {
    SetDetailedView(4000, 2000, 5000, 3500);
    Key(VK_UP);
    ASSERT_EQ(g_zoom.zoomDepth, 3);
    g_needRedraw = 0;
    Key(VK_UP, true);
    for (char ch : {'a', '=', '0', ' '}) Send(WM_CHAR, static_cast<WPARAM>(ch), 1);
    EXPECT_EQ(g_zoom.zoomDepth, 3);
    EXPECT_EQ(g_needRedraw, 0);
}

TEST_F(NavigationTest, BackStopsAtTheFirstDetailedView) {
    struct Case {
        const char* name;
        int pushes;
        bool controlRightClick;
        int depthAfter;
        bool newFrame;
    };
    const Case cases[] = {{"Page Up at depth 2", 1, false, 2, false},
                          {"Page Up at depth 3", 2, false, 2, true},
                          {"Ctrl and right click at depth 2", 1, true, 2, false},
                          {"Ctrl and right click at depth 4", 3, true, 3, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_zoom.zoomDepth = 1;
        for (int i = 0; i < c.pushes; ++i) SetDetailedView(4000, 2000, 5000, 3500);
        if (c.controlRightClick)
            Mouse(WM_RBUTTONDOWN, 300, 300, MK_RBUTTON | MK_CONTROL);
        else
            Key(VK_PRIOR);
        EXPECT_EQ(g_zoom.zoomDepth, c.depthAfter);
        EXPECT_EQ(g_needRedraw, c.newFrame ? 1 : 0);
    }
}

TEST_F(NavigationTest, HomeReturnsToTheOverviewAndReleasesTheStyleSet) {
    SetDetailedView(4000, 2000, 5000, 3500);
    SetDetailedView(4000, 2000, 4500, 2500);
    Pump();
    ASSERT_TRUE(StyleSetBuilt());
    Key(VK_HOME);
    EXPECT_EQ(g_zoom.zoomDepth, 1);
    EXPECT_FALSE(StyleSetBuilt());
    EXPECT_EQ(g_needRedraw, 1);
    EXPECT_EQ(Pump().paints, 1);
    // The overview built the set again.
    EXPECT_TRUE(StyleSetBuilt());
}

TEST_F(NavigationTest, AShiftDragMovesTheViewAgainstTheDrag) {
    SetDetailedView(4000, 2000, 5000, 3500);
    Key(VK_SHIFT);
    EXPECT_EQ(ClassCursor(), panCursor);
    // 100 pixels right and 40 down are 125 m east and 50 m south: the view goes west and north.
    Drag(POINT{300, 300}, POINT{400, 340}, MK_LBUTTON | MK_SHIFT);
    ExpectRect(Top(), 4050, 1875, 5050, 3375);
    EXPECT_EQ(g_dragArmed, 0u);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(g_needRedraw, 1);

    // A drag of 5 pixels or less moves nothing but still asks for a frame.
    const int depth = g_zoom.zoomDepth;
    g_needRedraw = 0;
    Key(VK_SHIFT);
    Drag(POINT{300, 300}, POINT{305, 295}, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(g_zoom.zoomDepth, depth);
    EXPECT_EQ(g_needRedraw, 1);
}

TEST_F(NavigationTest, AZoomRectangleDependsOnlyOnTheRectangleDrawn) {
    // The rectangle runs from (100, 100) to (300, 250), the corner being 6 pixels beyond the
    // cursor: screen (100, 250) is plan (4437.5, 2125), screen (300, 100) is (4625, 2375).
    const struct {
        const char* name;
        POINT press;
        POINT cursor;
    } cases[] = {{"down right", {100, 100}, {294, 244}},
                 {"up left", {300, 250}, {94, 94}},
                 {"up right", {100, 250}, {294, 94}},
                 {"down left", {300, 100}, {94, 244}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        g_zoom.zoomDepth = 1;
        SetDetailedView(4000, 2000, 4750, 3250);
        Key(VK_CONTROL);
        Drag(c.press, c.cursor, MK_LBUTTON | MK_CONTROL);
        ASSERT_EQ(g_zoom.zoomDepth, 3);
        ExpectRect(Top(), 4437.5f, 2125, 4625, 2375);
        EXPECT_EQ(GetCapture(), nullptr);
        KeyUp(VK_CONTROL);
    }
    // Five pixels or less across: nothing pushed.
    g_zoom.zoomDepth = 1;
    SetDetailedView(4000, 2000, 4750, 3250);
    Key(VK_CONTROL);
    Drag(POINT{100, 100}, POINT{99, 150}, MK_LBUTTON | MK_CONTROL);
    EXPECT_EQ(g_zoom.zoomDepth, 2);
    EXPECT_EQ(g_needRedraw, 1);
}

TEST_F(NavigationTest, OnTheOverviewOnlyCtrlDragsAndTheyZoomIntoThePlan) {
    InstallClickRecorders();
    const POINT inside{g_clientWidth - 200, g_clientHeight / 2 - 60};
    ASSERT_GT(inside.x, g_inset_limit);

    Mouse(WM_LBUTTONDOWN, inside.x, inside.y, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, inside.x, inside.y, 0);
    EXPECT_TRUE(g_clicks.info.empty());
    EXPECT_EQ(g_clicks.tipsRemoved, 0);
    EXPECT_EQ(g_needRedraw, 0);

    Key(VK_SHIFT);
    EXPECT_EQ(ClassCursor(), arrowCursor);
    EXPECT_EQ(g_dragArmed, 0u);
    KeyUp(VK_SHIFT);

    Key(VK_CONTROL);
    EXPECT_EQ(ClassCursor(), zoomRectCursor);
    EXPECT_EQ(g_dragArmed, 1u);
    // Left of the map lies the inset: no drag starts there.
    Mouse(WM_LBUTTONDOWN, g_inset_limit - 10, inside.y, MK_LBUTTON | MK_CONTROL);
    EXPECT_EQ(g_dragArmed, 0u);
    EXPECT_EQ(GetCapture(), nullptr);
    Mouse(WM_LBUTTONUP, g_inset_limit - 10, inside.y, MK_CONTROL);
    EXPECT_EQ(g_zoom.zoomDepth, 1);

    Key(VK_CONTROL);
    Drag(inside, POINT{inside.x + 100, inside.y + 80}, MK_LBUTTON | MK_CONTROL);
    EXPECT_EQ(g_zoom.zoomDepth, 2);
    EXPECT_EQ(g_needRedraw, 1);
    Pump();
    EXPECT_GT(g_view.scale, 0.0);
}

TEST_F(NavigationTest, ShiftAndCtrlTogetherNeverLeaveTheMouseCaptured) {
    SetDetailedView(4000, 2000, 5000, 3500);
    const int depth = g_zoom.zoomDepth;
    Key(VK_SHIFT);
    Key(VK_CONTROL);
    Mouse(WM_LBUTTONDOWN, 300, 300, MK_LBUTTON | MK_SHIFT | MK_CONTROL);
    EXPECT_EQ(GetCapture(), g_hwndMain);
    EXPECT_EQ(g_mouseMode, kMouseIdle);
    Mouse(WM_LBUTTONUP, 400, 400, MK_SHIFT | MK_CONTROL);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(g_dragArmed, 0u);
    EXPECT_EQ(g_zoom.zoomDepth, depth);

    // A repaint in the middle of a drag ends its mode; the release still gives the mouse back.
    Key(VK_CONTROL);
    Mouse(WM_LBUTTONDOWN, 300, 300, MK_LBUTTON | MK_CONTROL);
    EXPECT_EQ(g_mouseMode, kMouseZoomRect);
    RequestRepaint();
    Pump();
    Mouse(WM_LBUTTONUP, 400, 400, MK_CONTROL);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(g_dragArmed, 0u);
}

TEST_F(NavigationTest, KeyReleasesDisarmUnlessADragIsUnderWay) {
    SetDetailedView(4000, 2000, 5000, 3500);
    Key(VK_CONTROL);
    Mouse(WM_LBUTTONDOWN, 300, 300, MK_LBUTTON | MK_CONTROL);
    KeyUp(VK_CONTROL);
    EXPECT_EQ(g_dragArmed, 1u);
    Mouse(WM_LBUTTONUP, 400, 400, 0);
    EXPECT_EQ(g_dragArmed, 0u);
    Pump();

    Key(VK_CONTROL);
    KeyUp(VK_CONTROL);
    EXPECT_EQ(g_dragArmed, 0u);
    EXPECT_EQ(ClassCursor(), arrowCursor);
}

TEST_F(NavigationTest, ClicksOnThePlanGoToTheirTools) {
    InstallClickRecorders();
    SetDetailedView(4000, 2000, 5000, 3500);
    Mouse(WM_LBUTTONDOWN, 310, 220, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 310, 220, 0);
    ASSERT_EQ(g_clicks.info.size(), 1u);
    EXPECT_EQ(g_clicks.info[0].x, 310);
    EXPECT_EQ(g_clicks.info[0].y, 220);
    EXPECT_EQ(g_clicks.tipsRemoved, 1);

    // A plain right click names the street on the press and again on the release.
    Mouse(WM_RBUTTONDOWN, 50, 60, MK_RBUTTON);
    Mouse(WM_RBUTTONUP, 50, 60, 0);
    ASSERT_EQ(g_clicks.streetNames.size(), 2u);
    EXPECT_EQ(g_clicks.streetNames[1].x, 50);
    EXPECT_EQ(g_clicks.streetNames[1].y, 60);

    // With a theme chosen in the object search only the press names it.
    ThemeNode theme{};
    g_objTheme = &theme;
    Mouse(WM_RBUTTONDOWN, 50, 60, MK_RBUTTON);
    Mouse(WM_RBUTTONUP, 50, 60, 0);
    EXPECT_EQ(g_clicks.streetNames.size(), 3u);
    g_objTheme = nullptr;

    // A palette tool takes the right button away.
    g_paletteTool = kToolZoomRect;
    Mouse(WM_RBUTTONDOWN, 50, 60, MK_RBUTTON);
    Mouse(WM_RBUTTONUP, 50, 60, 0);
    EXPECT_EQ(g_clicks.streetNames.size(), 3u);
    g_paletteTool = kToolInformation;

    // While measuring, the right button opens the measurement's menu instead.
    g_measureWindow =
        CreateDialogParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_LOADING), g_hwndMain, nullptr, 0);
    Mouse(WM_RBUTTONDOWN, 70, 80, MK_RBUTTON);
    Mouse(WM_RBUTTONUP, 70, 80, 0);
    EXPECT_EQ(g_clicks.popups.size(), 1u);
    EXPECT_EQ(g_clicks.streetNames.size(), 3u);
    DestroyWindow(g_measureWindow);
    g_measureWindow = nullptr;
}

TEST_F(NavigationTest, TheZoomOutToolGrowsTheViewAroundTheClick) {
    SetDetailedView(4000, 2000, 5000, 3500);
    g_paletteTool = kToolZoomOutAtPoint;
    // Screen (400, 200) is plan (4500, 2500); 0.75 h = 750, 0.75 w = 1125.
    Mouse(WM_LBUTTONDOWN, 400, 200, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 400, 200, 0);
    ExpectRect(Top(), 3750, 1375, 5250, 3625);
    EXPECT_EQ(g_needRedraw, 1);
    g_paletteTool = kToolInformation;
}

}  // namespace
