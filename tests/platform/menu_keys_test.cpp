// The menu bar as the desktop's: an item shows a check box only while it is checked, and a menu
// closed with Escape gives the keys back to the plan.
#include <gtest/gtest.h>

#include "user_fixture.h"

namespace {

class MenuBarTest : public UserWindowTest {};

TEST_F(MenuBarTest, AnUncheckedItemShowsNoBoxEvenAfterItWasChecked) {
    MakeMainWindow(true);
    HMENU menu = GetMenu(main_);
    ASSERT_NE(menu, nullptr);
    struct Step {
        const char* name;
        UINT id;
        bool change;
        UINT check;
        bool box;
        bool checked;
    };
    const Step steps[] = {
        {"never checked", 32816, false, 0, false, false},
        {"checked from the start", 32827, false, 0, true, true},
        {"checked", 32816, true, MF_CHECKED, true, true},
        {"unchecked again", 32816, true, MF_UNCHECKED, false, false},
        {"the start's mark taken away", 32827, true, MF_UNCHECKED, false, false},
        {"inside a popup, checked", 32786, true, MF_CHECKED, true, true},
        {"inside a popup, unchecked", 32786, true, MF_UNCHECKED, false, false},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        if (s.change) CheckMenuItem(menu, s.id, MF_BYCOMMAND | s.check);
        EXPECT_EQ(MenuItemShowsBox(menu, s.id), s.box);
        EXPECT_EQ(MenuItemShownChecked(menu, s.id), s.checked);
    }
    // Choosing an unchecked item does not give it a box of its own accord.
    UserChooseMenuItem(main_, 32820);
    PumpPendingMessages();
    EXPECT_FALSE(MenuItemShowsBox(menu, 32820));
}

TEST_F(MenuBarTest, AfterAMenuIsClosedWithEscapeTheKeysGoToThePlan) {
    MakeMainWindow(true);
    SetFocus(main_);
    PumpPendingMessages();
    ASSERT_TRUE(ClientHasKeyboard(main_));
    for (int position : {0, 1, 4}) {
        SCOPED_TRACE(position);
        UserEscapeFromMenu(main_, position);
        PumpPendingMessages();
        EXPECT_TRUE(ClientHasKeyboard(main_));
    }
}

}  // namespace
