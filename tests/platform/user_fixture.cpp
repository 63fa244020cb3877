#include "platform/user_fixture.h"

namespace {

std::vector<RecordedMessage> g_received;

// Handles paint as the program does (begin, end), closes on WM_CLOSE through DefWindowProcA and
// records everything.
LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    g_received.push_back(RecordedMessage{hwnd, message, wParam, lParam});
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

void UserWindowTest::SetUp() { g_received.clear(); }

void UserWindowTest::TearDown() {
    SetDialogHook(nullptr, nullptr);
    SetPopupMenuHook(nullptr, nullptr);
    ShutdownPlatformWindows();
    g_received.clear();
}

HWND UserWindowTest::MakeMainWindow(bool show, UINT classStyle) {
    char className[100];
    char title[100];
    LoadStringA(ProgramInstance(), IDS_CLASS_NAME, className, sizeof className);
    LoadStringA(ProgramInstance(), IDS_APP_TITLE, title, sizeof title);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = ProgramInstance();
    wc.hIcon = LoadIconA(ProgramInstance(), MAKEINTRESOURCEA(IDI_PROGRAM));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszMenuName = MAKEINTRESOURCEA(IDR_MAIN_MENU);
    wc.lpszClassName = className;
    EXPECT_NE(RegisterClassExA(&wc), 0);
    main_ = CreateWindowExA(0, className, title, WS_OVERLAPPEDWINDOW | WS_MAXIMIZE, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0,
                            nullptr, nullptr, ProgramInstance(), nullptr);
    EXPECT_NE(main_, nullptr);
    if (show) ShowWindow(main_, SW_MAXIMIZE);
    PumpPendingMessages();
    return main_;
}

std::vector<RecordedMessage> UserWindowTest::Received(UINT message) {
    std::vector<RecordedMessage> out;
    for (const RecordedMessage& m : g_received) {
        if (m.message == message) out.push_back(m);
    }
    return out;
}

std::vector<RecordedMessage>& UserWindowTest::All() { return g_received; }

int UserWindowTest::RunLoopOnce(HACCEL accelerators) {
    int n = 0;
    MSG msg;
    while (n < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        ++n;
        if (accelerators != nullptr && TranslateAcceleratorA(msg.hwnd, accelerators, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return n;
}
