// The object search reached from the viewer itself: F5 opens its window beside the plan, a
// second F5 replaces it, and a search with one result flags the house and closes the window.
#include "search/object_search.h"
#include "shell/shell_fixture.h"

namespace {

class ObjectSearchCommand : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        g_objMode = -1;
        g_objName[0] = '\0';
        g_objStreetChoice = g_objDistrictChoice = g_objPartChoice = g_objThemeChoice = -1;
        g_objFound = 0;
        g_objCloseOnShow = true;
        WritePlan();
        // One group with one item, and one object in the plan's only house at (5010, 3010).
        ThemeNode themes[2] = {{{'A', '1'}, "Shops", nullptr, nullptr},
                               {{'A', '2'}, "Food", nullptr, nullptr}};
        ASSERT_TRUE(WriteThemeFile(folder.path(), themes, 2));
        UserObjectRec object{5010, 3010, 0, {'A', '2'}, "Bakery"};
        ASSERT_TRUE(WriteUserFile(folder.path(), &object, 1));
        Start();
    }

    void TearDown() override {
        ShellTest::TearDown();
        g_objWindow = nullptr;
        g_objTheme = nullptr;
        g_objThemeChoice = -1;
        g_objFound = 0;
    }

    void PressF5() {
        UserKeyDown(g_hwndMain, VK_F5);
        Pump();
    }
};

TEST_F(ObjectSearchCommand, F5OpensTheWindowAndASecondF5ReplacesIt) {
    PressF5();
    HWND first = g_objWindow;
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(IsWindowVisible(first));
    EXPECT_EQ(GetParent(first), g_hwndMain) << "owned by the main window";
    EXPECT_EQ(SendDlgItemMessageA(first, 1128, LB_GETCOUNT, 0, 0), 2) << "the loaded themes are offered";
    PressF5();
    EXPECT_FALSE(IsWindow(first));
    EXPECT_NE(g_objWindow, nullptr);
    EXPECT_NE(g_objWindow, first);
}

TEST_F(ObjectSearchCommand, ASingleResultFlagsItsHouseAndClosesTheWindow) {
    PressF5();
    ASSERT_NE(g_objWindow, nullptr);
    UserTypeText(GetDlgItem(g_objWindow, 1127), "bak");
    UserClick(GetDlgItem(g_objWindow, IDOK));
    Pump();
    EXPECT_EQ(g_objWindow, nullptr);
    ASSERT_EQ(g_selCount, 1);
    EXPECT_EQ(g_selList[0], 0);
    // The whole plan was shown: the house's box (5000, 3000)..(5020, 3020) widened by 250.
    ASSERT_EQ(g_zoom.zoomDepth, 2);
    ExpectRect(Top(), 4750, 2750, 5270, 3270);
}

}  // namespace
