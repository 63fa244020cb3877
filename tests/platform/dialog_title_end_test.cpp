// A dialog given a new title keeps its statics; a dialog that ends leaves its loop something to
// wake up to.
#include <string>

#include "platform/user_fixture.h"

namespace {

INT_PTR CALLBACK Quiet(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

std::string TextOf(HWND dialog, int id) {
    char buffer[128] = {};
    GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
    return buffer;
}

class DialogTitleEnd : public UserWindowTest {};

TEST_F(DialogTitleEnd, NewTitleOfATopLevelDialogLeavesItsStaticsAlone) {
    MakeMainWindow(true);
    // 223 is a top-level dialog whose first control is a static with the text "District".
    HWND dialog = CreateDialogParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_INFO), main_, Quiet, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(SetWindowTextA(dialog, "Sadovaya, 12\xE0"));  // 12а
    EXPECT_EQ(WindowTextUtf8(dialog), "Sadovaya, 12\xD0\xB0");
    EXPECT_EQ(TextOf(dialog, 120), "District");
    DestroyWindow(dialog);
}

TEST_F(DialogTitleEnd, EndingADialogQueuesAMessageForIt) {
    MakeMainWindow(true);
    HWND dialog = CreateDialogParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_INFO), main_, Quiet, 0);
    ASSERT_NE(dialog, nullptr);
    PumpPendingMessages();
    EndDialog(dialog, IDCLOSE);
    MSG msg{};
    bool woken = false;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) woken = woken || msg.hwnd == dialog;
    EXPECT_TRUE(woken) << "a loop waiting for the dialog's next message would wait for ever";
    DestroyWindow(dialog);
}

}  // namespace
