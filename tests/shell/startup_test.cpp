// Start-up, the first paint behind the loading window, the frame that follows the window's
// size, and the shutdown that releases everything once, also when the plan cannot be loaded or
// the window cannot be made.
#include <string>

#include "shell/loading_dialog.h"
#include "shell_fixture.h"

namespace {

bool Checked(UINT id) { return (GetMenuState(GetMenu(g_hwndMain), id, MF_BYCOMMAND) & MF_CHECKED) != 0; }

std::string StageText(HWND loading) { return WindowTextUtf8(GetDlgItem(loading, 1059)); }

TEST_F(ShellTest, StartUpShowsTheWholeCityAndTheInitialMenuMarks) {
    WritePlan();
    Start();
    EXPECT_EQ(WindowTextUtf8(g_hwndMain), "Korvinsk. Address plan");
    EXPECT_STREQ(g_className, "MY3");
    EXPECT_TRUE(Checked(kModeWindowsOnClock));
    EXPECT_TRUE(Checked(kCmdColorBuildings));
    EXPECT_FALSE(Checked(kModeFlat));
    // The first paint loaded the whole plan, buildings included, and closed the loading window.
    EXPECT_EQ(g_building_count, 1);
    EXPECT_EQ(ShellLoadingDialog().Window(), nullptr);
    EXPECT_EQ(LiveWindowCount(), 1);
    EXPECT_EQ(g_needRedraw, 0);
    EXPECT_NE(g_selList, nullptr);
    EXPECT_NE(g_hMeasureMenu, nullptr);
    RECT client;
    GetClientRect(g_hwndMain, &client);
    EXPECT_EQ(g_clientWidth, client.right);
    EXPECT_EQ(g_clientHeight, client.bottom);
    EXPECT_EQ(g_mouseMode, kMouseIdle);
    EXPECT_EQ(ClassCursor(), arrowCursor);
}

TEST_F(ShellTest, WithoutMapFilesTheProgramEndsThroughTheNormalShutdown) {
    WorkingDirectory here(folder.path());
    EXPECT_EQ(RunViewer(ProgramInstance()), 0);
    // The window and the loading window it owned are gone, and so is every table and object.
    EXPECT_EQ(LiveWindowCount(), 0);
    EXPECT_EQ(LiveMenuCount(), 0);
    EXPECT_EQ(g_hwndMain, nullptr);
    EXPECT_EQ(g_selList, nullptr);
    EXPECT_EQ(g_areas, nullptr);
    EXPECT_EQ(g_pts, nullptr);
    EXPECT_EQ(g_hdcMem, nullptr);
    EXPECT_EQ(g_hbmMem, nullptr);
    EXPECT_EQ(mapClipRegion, nullptr);
    EXPECT_FALSE(StyleSetBuilt());
    EXPECT_EQ(g_fixed.pen_rubber_band, nullptr);
    // A second shutdown finds nothing left to release.
    ShutdownViewer();
}

TEST_F(ShellTest, WhenTheWindowCannotBeMadeTheProgramShowsNothingAndEndsWithZero) {
    // A module without the class name string: no class is registered, no window made.
    static const ResourceModule noStrings{};
    EXPECT_EQ(RunViewer(&noStrings), 0);
    EXPECT_EQ(LiveWindowCount(), 0);
    EXPECT_EQ(g_selList, nullptr);
}

TEST_F(ShellTest, LoadingWindowShowsEachStageAndGoesAtTheEnd) {
    g_hInstance = ProgramInstance();
    LoadingDialog loading;
    loading.Open("\xC7\xE0\xE3\xF0\xF3\xE7\xEA\xE0");  // Загрузка
    HWND first = loading.Window();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(IsWindowVisible(first));
    EXPECT_EQ(StageText(first), "\xD0\x97\xD0\xB0\xD0\xB3\xD1\x80\xD1\x83\xD0\xB7\xD0\xBA\xD0\xB0");
    loading.SetText("Loading:  Streets and roads");
    EXPECT_EQ(StageText(first), "Loading:  Streets and roads");

    // Opening again replaces the window rather than leaving one behind.
    loading.Open("again");
    EXPECT_FALSE(IsWindow(first));
    ASSERT_NE(loading.Window(), nullptr);
    EXPECT_EQ(LiveWindowCount(), 2);  // the dialog and its button

    loading.Close();
    EXPECT_EQ(loading.Window(), nullptr);
    EXPECT_EQ(LiveWindowCount(), 0);
    loading.SetText("after the end");  // ignored
    loading.Close();
}

TEST_F(ShellTest, WithoutBuildingFilesTheLoadingWindowStaysUntilShutdown) {
    WritePlan(false);
    Start();
    HWND loading = ShellLoadingDialog().Window();
    ASSERT_NE(loading, nullptr);
    EXPECT_EQ(StageText(loading), "Loading:  Streets and roads");
    ShutdownViewer();
    EXPECT_EQ(LiveWindowCount(), 0);
}

TEST_F(ShellTest, ASizeChangeRemakesTheFrameAtTheNewSize) {
    WritePlan();
    Start();
    // The detailed plan fills the viewport of the client area (the overview lays out its own).
    SetDetailedView(4000, 2000, 5000, 3500);
    HBITMAP before = g_hbmMem;
    Send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(640, 400));
    EXPECT_EQ(g_clientWidth, 640);
    EXPECT_EQ(g_clientHeight, 400);
    EXPECT_EQ(g_clientRect.right, 640);
    EXPECT_EQ(g_clientRect.bottom, 400);
    EXPECT_NE(g_hbmMem, before);
    EXPECT_EQ(mapClipRegion, nullptr);
    EXPECT_EQ(g_needRedraw, 1);

    EXPECT_EQ(Pump().paints, 1);
    EXPECT_EQ(g_view.vpRight, 640);
    EXPECT_EQ(g_view.vpBottom, 400);
    EXPECT_NE(GetPixel(g_hdcMem, 639, 399), CLR_INVALID);
    EXPECT_EQ(GetPixel(g_hdcMem, 640, 0), CLR_INVALID);
    EXPECT_NE(mapClipRegion, nullptr);

    // Minimised, and told the same size again: nothing to remake.
    HBITMAP kept = g_hbmMem;
    Send(WM_SIZE, SIZE_MINIMIZED, 0);
    Send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(640, 400));
    EXPECT_EQ(g_hbmMem, kept);
    EXPECT_EQ(g_clientWidth, 640);
    EXPECT_EQ(g_needRedraw, 0);
}

TEST_F(ShellTest, ExitDestroysTheWindowAndEndsTheLoop) {
    WritePlan();
    Start();
    Command(105);
    EXPECT_FALSE(IsWindow(g_hwndMain));
    EXPECT_TRUE(Pump().quit);
}

}  // namespace
