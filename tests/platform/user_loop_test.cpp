// The message queue and loop: paint coalescing, order, quit, timers, keys, characters,
// accelerators and mouse messages of the main window.
#include <QKeyEvent>

#include "platform/user_fixture.h"
#include "platform/user_qt.h"

namespace {

using UserLoop = UserWindowTest;

TEST_F(UserLoop, InvalidatingTwiceGivesOnePaint) {
    MakeMainWindow();
    Forget();
    EXPECT_TRUE(InvalidateRgn(main_, nullptr, TRUE));
    EXPECT_TRUE(InvalidateRgn(main_, nullptr, TRUE));
    PumpPendingMessages();
    EXPECT_EQ(Received(WM_PAINT).size(), 1u);
    // Painted and validated: nothing more comes.
    PumpPendingMessages();
    EXPECT_EQ(Received(WM_PAINT).size(), 1u);
}

TEST_F(UserLoop, PostedMessagesComeBeforeThePaintAndTheQuitAfterThem) {
    MakeMainWindow();
    Forget();
    InvalidateRgn(main_, nullptr, TRUE);
    PostMessageA(main_, WM_USER + 1, 11, 0);
    PostQuitMessage(7);
    PostMessageA(main_, WM_USER + 2, 22, 0);
    MSG msg;
    std::vector<UINT> order;
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        order.push_back(msg.message);
        DispatchMessageA(&msg);
    }
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 7u) << "the loop's result is the quit message's code";
    const std::vector<UINT> expected{WM_USER + 1, WM_USER + 2};
    EXPECT_EQ(order, expected) << "both posted messages before the quit, the paint not before them";
}

TEST_F(UserLoop, CloseBoxDestroysTheWindowThroughDefWindowProc) {
    MakeMainWindow();
    UserCloseBox(main_);
    PumpPendingMessages();
    EXPECT_EQ(Received(WM_CLOSE).size(), 1u);
    EXPECT_EQ(Received(WM_DESTROY).size(), 1u);
    EXPECT_FALSE(IsWindow(main_));
    EXPECT_EQ(SendMessageA(main_, WM_USER, 0, 0), 0) << "a destroyed window is refused";
    EXPECT_FALSE(DestroyWindow(main_));
}

TEST_F(UserLoop, TimerArrivesUntilKilledByTheHandleSetTimerGave) {
    MakeMainWindow();
    Forget();
    // The program keeps what SetTimer returns and kills that, for its timer with id 0.
    const UINT_PTR handle = SetTimer(main_, 0, 30, nullptr);
    ASSERT_NE(handle, 0u);
    PumpMessagesFor(200);
    const auto timers = Received(WM_TIMER);
    ASSERT_FALSE(timers.empty());
    EXPECT_EQ(timers.front().wParam, 0u) << "wParam is the timer's id";
    EXPECT_TRUE(KillTimer(main_, handle));
    Forget();
    PumpMessagesFor(120);
    EXPECT_TRUE(Received(WM_TIMER).empty());
    EXPECT_FALSE(KillTimer(main_, handle)) << "killed once";
}

TEST_F(UserLoop, SettingATimerAgainReplacesIt) {
    MakeMainWindow();
    SetTimer(main_, 5, 1000, nullptr);
    EXPECT_EQ(SetTimer(main_, 5, 30, nullptr), 5u);
    Forget();
    PumpMessagesFor(150);
    EXPECT_FALSE(Received(WM_TIMER).empty()) << "the new period counts";
    EXPECT_TRUE(KillTimer(main_, 5));
    EXPECT_FALSE(KillTimer(main_, 5)) << "there was only one";
}

TEST_F(UserLoop, KeyPressesCarryTheAutoRepeatBitAndReleasesBothHighBits) {
    MakeMainWindow();
    Forget();
    UserKeyDown(main_, VK_LEFT);
    UserKeyDown(main_, VK_LEFT, nullptr, true);
    UserKeyDown(main_, VK_LEFT, nullptr, true);
    UserKeyUp(main_, VK_LEFT);
    RunLoopOnce();
    const auto downs = Received(WM_KEYDOWN);
    ASSERT_EQ(downs.size(), 3u);
    EXPECT_EQ(downs[0].wParam, static_cast<WPARAM>(VK_LEFT));
    EXPECT_EQ(downs[0].lParam & KF_REPEAT_BIT, 0) << "a first press";
    EXPECT_NE(downs[1].lParam & KF_REPEAT_BIT, 0) << "held down";
    EXPECT_NE(downs[2].lParam & KF_REPEAT_BIT, 0);
    EXPECT_EQ(downs[0].lParam & 0xFFFF, 1) << "repeat count";
    const auto ups = Received(WM_KEYUP);
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_NE(ups[0].lParam & KF_REPEAT_BIT, 0);
    EXPECT_NE(ups[0].lParam & KF_UP_BIT, 0);
}

TEST_F(UserLoop, ModifierStateFollowsTheMessageBeingHandled) {
    MakeMainWindow();
    UserKeyDown(main_, VK_SHIFT);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_NE(GetKeyState(VK_SHIFT) & 0x8000, 0);
    UserKeyUp(main_, VK_SHIFT);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0);
}

struct CharCase {
    const char* name;
    int vk;           // the key as the test presses it
    const char* typed;
    int expectVk;
    char expectChar;
};

class UserChars : public UserWindowTest, public ::testing::WithParamInterface<CharCase> {};

// The navigation characters come from the main keyboard and the keypad alike; the keys
// themselves stay apart.
TEST_P(UserChars, KeyThenItsCharacter) {
    const CharCase& c = GetParam();
    MakeMainWindow();
    Forget();
    UserKeyDown(main_, c.vk, c.typed);
    RunLoopOnce();
    const auto downs = Received(WM_KEYDOWN);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].wParam, static_cast<WPARAM>(c.expectVk));
    const auto chars = Received(WM_CHAR);
    ASSERT_EQ(chars.size(), 1u);
    EXPECT_EQ(chars[0].wParam, static_cast<WPARAM>(static_cast<unsigned char>(c.expectChar)));
    // The character comes right after its key.
    ASSERT_GE(All().size(), 2u);
    EXPECT_EQ(All()[All().size() - 2].message, WM_KEYDOWN);
    EXPECT_EQ(All().back().message, WM_CHAR);
}

INSTANTIATE_TEST_SUITE_P(
    MainAndKeypad, UserChars,
    ::testing::Values(CharCase{"SlashKey", VK_OEM_2, "/", VK_OEM_2, '/'},
                      CharCase{"KeypadSlash", VK_DIVIDE, "/", VK_DIVIDE, '/'},
                      CharCase{"KeypadPlus", VK_ADD, "+", VK_ADD, '+'},
                      CharCase{"MainPlus", VK_OEM_PLUS, "+", VK_OEM_PLUS, '+'},
                      CharCase{"KeypadStar", VK_MULTIPLY, "*", VK_MULTIPLY, '*'},
                      CharCase{"MainMinus", VK_OEM_MINUS, "-", VK_OEM_MINUS, '-'},
                      CharCase{"KeypadMinus", VK_SUBTRACT, "-", VK_SUBTRACT, '-'},
                      // Й, the Cyrillic letter on the Q key.
                      CharCase{"CyrillicLetter", 'Q', "\xC9", 'Q', '\xC9'}),
    [](const ::testing::TestParamInfo<CharCase>& info) { return std::string(info.param.name); });

struct KeyCase {
    const char* name;
    int qtKey;
    unsigned modifiers;
    unsigned scanCode;
    bool x11;
    int expectVk;
};

class UserKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(UserKeys, ToolkitKeyToVirtualKey) {
    const KeyCase& c = GetParam();
    EXPECT_EQ(VirtualKeyFromToolkit(c.qtKey, c.modifiers, c.scanCode, c.x11), c.expectVk);
}

INSTANTIATE_TEST_SUITE_P(
    Table, UserKeys,
    ::testing::Values(KeyCase{"Slash", Qt::Key_Slash, 0, 0, false, VK_OEM_2},
                      KeyCase{"QuestionMark", Qt::Key_Question, Qt::ShiftModifier, 0, false, VK_OEM_2},
                      KeyCase{"KeypadSlash", Qt::Key_Slash, Qt::KeypadModifier, 0, false, VK_DIVIDE},
                      KeyCase{"ShiftEightStar", Qt::Key_Asterisk, Qt::ShiftModifier, 0, false, '8'},
                      KeyCase{"KeypadStar", Qt::Key_Asterisk, Qt::KeypadModifier, 0, false, VK_MULTIPLY},
                      KeyCase{"ShiftEqualsPlus", Qt::Key_Plus, Qt::ShiftModifier, 0, false, VK_OEM_PLUS},
                      KeyCase{"KeypadPlus", Qt::Key_Plus, Qt::KeypadModifier, 0, false, VK_ADD},
                      KeyCase{"KeypadMinus", Qt::Key_Minus, Qt::KeypadModifier, 0, false, VK_SUBTRACT},
                      KeyCase{"KeypadDigit", Qt::Key_7, Qt::KeypadModifier, 0, false, VK_NUMPAD0 + 7},
                      // On the Russian layout the slash key types a full stop; it stays the slash key.
                      KeyCase{"SlashKeyTypingFullStop", Qt::Key_Period, 0, 61, true, VK_OEM_2},
                      KeyCase{"ScanCodesOnlyOnX11", Qt::Key_Period, 0, 61, false, VK_OEM_PERIOD},
                      KeyCase{"PageUp", Qt::Key_PageUp, 0, 0, false, VK_PRIOR},
                      KeyCase{"Home", Qt::Key_Home, 0, 0, false, VK_HOME},
                      KeyCase{"F8", Qt::Key_F8, 0, 0, false, VK_F8},
                      KeyCase{"Control", Qt::Key_Control, Qt::ControlModifier, 0, false, VK_CONTROL},
                      KeyCase{"Letter", Qt::Key_W, 0, 0, false, 'W'},
                      KeyCase{"Unknown", Qt::Key_MediaPlay, 0, 0, false, 0}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

TEST_F(UserLoop, AcceleratorTableMapsTheFunctionKeysToCommands) {
    MakeMainWindow();
    HACCEL table = LoadAcceleratorsA(ProgramInstance(), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    ASSERT_NE(table, nullptr);
    const struct {
        int vk;
        int command;  // 0: no command, the key goes to the window
    } cases[] = {{VK_F2, 32774}, {VK_F3, 32800}, {VK_F4, 32773}, {VK_F5, 32799},
                 {VK_F6, 32821}, {VK_F7, 0},     {VK_F8, 32771}, {VK_F9, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.vk);
        Forget();
        UserKeyDown(main_, c.vk);
        UserKeyUp(main_, c.vk);
        RunLoopOnce(table);
        const auto commands = Received(WM_COMMAND);
        if (c.command == 0) {
            EXPECT_TRUE(commands.empty());
            EXPECT_EQ(Received(WM_KEYDOWN).size(), 1u);
        } else {
            ASSERT_EQ(commands.size(), 1u);
            EXPECT_EQ(LOWORD(commands[0].wParam), c.command);
            EXPECT_EQ(HIWORD(commands[0].wParam), 1) << "from an accelerator";
            EXPECT_TRUE(Received(WM_KEYDOWN).empty()) << "a translated key is not dispatched";
        }
    }
    // The table names the keys alone: with Shift held, F2 is just a key.
    Forget();
    UserKeyDown(main_, VK_SHIFT);
    UserKeyDown(main_, VK_F2);
    UserKeyUp(main_, VK_F2);
    UserKeyUp(main_, VK_SHIFT);
    RunLoopOnce(table);
    EXPECT_TRUE(Received(WM_COMMAND).empty());
    EXPECT_TRUE(DestroyAcceleratorTable(table));
    EXPECT_FALSE(DestroyAcceleratorTable(table));
}

TEST_F(UserLoop, MouseMessagesCarryButtonsModifiersAndPosition) {
    MakeMainWindow();
    const struct {
        UINT message;
        WPARAM keys;
        int x;
        int y;
    } cases[] = {
        {WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, 10, 20},  // 9: zoom rectangle
        {WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, 300, 5},    // 5: pan
        {WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL, 7, 400},  // 10: back
        {WM_MOUSEMOVE, MK_LBUTTON, 640, 480},
        {WM_LBUTTONUP, 0, 1, 2},
        {WM_RBUTTONUP, 0, 3, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        Forget();
        UserMouse(main_, c.message, c.x, c.y, c.keys);
        RunLoopOnce();
        const auto got = Received(c.message);
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].wParam, c.keys);
        EXPECT_EQ(LOWORD(static_cast<uintptr_t>(got[0].lParam)), c.x);
        EXPECT_EQ(HIWORD(static_cast<uintptr_t>(got[0].lParam)), c.y);
    }
}

TEST_F(UserLoop, SecondPressOfADoubleClickFollowsTheClassStyle) {
    for (const bool dblclks : {true, false}) {
        SCOPED_TRACE(dblclks);
        MakeMainWindow(false, dblclks ? CS_DBLCLKS : 0);
        Forget();
        UserMouse(main_, WM_LBUTTONDBLCLK, 5, 5, MK_LBUTTON);
        RunLoopOnce();
        EXPECT_EQ(Received(WM_LBUTTONDBLCLK).size(), dblclks ? 1u : 0u);
        EXPECT_EQ(Received(WM_LBUTTONDOWN).size(), dblclks ? 0u : 1u);
        ShutdownPlatformWindows();
    }
}

}  // namespace
