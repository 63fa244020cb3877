// The keys of the "Find" menu reach the searches as the program is built: F2, F3 and F4 open
// their dialogs over the main window, and closing them leaves the view alone.
#include "shell_fixture.h"

namespace {

struct Opened {
    int templateId = 0;
    HWND owner = nullptr;
};

void NoteAndEscape(HWND dialog, int templateId, void* context) {
    auto* opened = static_cast<Opened*>(context);
    opened->templateId = templateId;
    opened->owner = GetParent(dialog);
    UserPressKey(dialog, VK_ESCAPE);
}

class SearchKeys : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        WritePlan();
        Start();
    }
    void TearDown() override {
        SetDialogHook(nullptr, nullptr);
        ShellTest::TearDown();
    }
};

TEST_F(SearchKeys, FunctionKeysOpenTheirDialogs) {
    struct Case {
        int key;
        int templateId;
    };
    const Case cases[] = {{VK_F2, IDD_STREET_SEARCH}, {VK_F3, IDD_DISTRICTS}, {VK_F4, IDD_PARTS_OF_CITY}};
    const int windows = LiveWindowCount();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.templateId);
        Opened opened;
        SetDialogHook(NoteAndEscape, &opened);
        UserKeyDown(g_hwndMain, c.key);
        UserKeyUp(g_hwndMain, c.key);
        Pump();
        SetDialogHook(nullptr, nullptr);
        EXPECT_EQ(opened.templateId, c.templateId);
        EXPECT_EQ(opened.owner, g_hwndMain);
        EXPECT_EQ(LiveWindowCount(), windows) << "the dialog is gone";
        EXPECT_EQ(g_zoom.zoomDepth, 1);
    }
}

}  // namespace
