// The main window: its surface and contexts, size changes, menus and check marks, popup menus,
// cursors, pictures, help, and refusals of what cannot be made.
#include <QApplication>
#include <QImage>
#include <QWidget>

#include "platform/gdi_qt.h"
#include "platform/user_fixture.h"
#include "platform/user_qt.h"

namespace {

using UserMain = UserWindowTest;

QImage ShownImage(HWND hwnd) {
    QCoreApplication::processEvents();
    return LiveWindow(hwnd)->client->grab().toImage();
}

bool Shows(const QImage& image, int x, int y, COLORREF color) {
    const QRgb p = image.pixel(x, y);
    return qRed(p) == GetRValue(color) && qGreen(p) == GetGValue(color) && qBlue(p) == GetBValue(color);
}

TEST_F(UserMain, DrawingOnTheWindowContextShowsWithoutAPaint) {
    MakeMainWindow(true);
    Forget();
    HDC dc = GetDC(main_);
    ASSERT_NE(dc, nullptr);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT r{10, 10, 30, 30};
    FillRect(dc, &r, red);
    EXPECT_TRUE(Shows(ShownImage(main_), 15, 15, RGB(255, 0, 0)));
    EXPECT_TRUE(Received(WM_PAINT).empty()) << "no paint was needed";
    DeleteObject(red);
    EXPECT_EQ(ReleaseDC(main_, dc), 1);
    EXPECT_EQ(ReleaseDC(main_, dc), 0) << "released once";
}

TEST_F(UserMain, ClientSizeChangeIsReportedAndContextsKeepDrawing) {
    MakeMainWindow(true);
    HDC dc = GetDC(main_);
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    RECT before{0, 0, 20, 20};
    FillRect(dc, &before, blue);
    Forget();
    QWidget* frame = LiveWindow(main_)->widget;
    frame->showNormal();
    frame->resize(frame->width() - 100, frame->height() - 60);
    QCoreApplication::processEvents();
    PumpPendingMessages();
    RECT client;
    GetClientRect(main_, &client);
    const auto sizes = Received(WM_SIZE);
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(LOWORD(static_cast<uintptr_t>(sizes.back().lParam)), client.right);
    EXPECT_EQ(HIWORD(static_cast<uintptr_t>(sizes.back().lParam)), client.bottom);
    EXPECT_FALSE(Received(WM_PAINT).empty()) << "a new size is repainted";
    // The surface kept its pixels where they fit, and the old context draws on the new surface.
    EXPECT_TRUE(Shows(ShownImage(main_), 5, 5, RGB(0, 0, 255)));
    RECT after{client.right - 10, client.bottom - 10, client.right, client.bottom};
    FillRect(dc, &after, blue);
    EXPECT_TRUE(Shows(ShownImage(main_), client.right - 5, client.bottom - 5, RGB(0, 0, 255)));
    DeleteObject(blue);
    ReleaseDC(main_, dc);
}

TEST_F(UserMain, PaintContextDrawsOnTheSurfaceAndValidates) {
    MakeMainWindow(true);
    InvalidateRgn(main_, nullptr, TRUE);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(main_, &ps);
    ASSERT_NE(dc, nullptr);
    RECT client;
    GetClientRect(main_, &client);
    EXPECT_EQ(ps.rcPaint.right, client.right);
    EXPECT_EQ(ps.rcPaint.bottom, client.bottom);
    EXPECT_TRUE(ps.fErase);
    HBRUSH green = CreateSolidBrush(RGB(0, 200, 0));
    RECT r{40, 40, 50, 50};
    FillRect(dc, &r, green);
    EXPECT_TRUE(EndPaint(main_, &ps));
    DeleteObject(green);
    EXPECT_TRUE(Shows(ShownImage(main_), 45, 45, RGB(0, 200, 0)));
    Forget();
    PumpPendingMessages();
    EXPECT_TRUE(Received(WM_PAINT).empty()) << "BeginPaint validated the window";
}

TEST_F(UserMain, IconsDrawWithTheirTransparency) {
    MakeMainWindow(true);
    HDC dc = GetDC(main_);
    RECT all{0, 0, 100, 100};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HICON marker = LoadIconA(ProgramInstance(), MAKEINTRESOURCEA(IDI_LOCATOR_MARK));
    ASSERT_NE(marker, nullptr);
    EXPECT_TRUE(DrawIcon(dc, 20, 30, marker));
    const QImage shown = ShownImage(main_);
    // The marker is an arrow pointing right along row 12 of the icon; its corners are clear.
    EXPECT_TRUE(Shows(shown, 20 + 25, 30 + 12, RGB(0xE0, 0x20, 0x20)));
    EXPECT_TRUE(Shows(shown, 20 + 1, 30 + 1, RGB(255, 255, 255)));
    EXPECT_FALSE(DrawIcon(dc, 0, 0, nullptr));
    ReleaseDC(main_, dc);
}

TEST_F(UserMain, MenuBarShowsTheProgramsCheckMarks) {
    MakeMainWindow(true);
    HMENU menu = GetMenu(main_);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetMenuItemCount(menu), 5);
    EXPECT_TRUE(GetMenuState(menu, 32827, MF_BYCOMMAND) & MF_CHECKED) << "buildings start coloured";
    EXPECT_TRUE(MenuItemShownChecked(menu, 32827));
    EXPECT_EQ(CheckMenuItem(menu, 32786, MF_BYCOMMAND | MF_CHECKED), MF_UNCHECKED);
    EXPECT_EQ(CheckMenuItem(menu, 32786, MF_BYCOMMAND | MF_CHECKED), MF_CHECKED);
    EXPECT_TRUE(MenuItemShownChecked(menu, 32786)) << "found inside the 3D popup";
    EXPECT_EQ(CheckMenuItem(menu, 4711, MF_CHECKED), static_cast<DWORD>(-1));
    // Choosing an item posts its command; the mark stays what the program made it.
    Forget();
    UserChooseMenuItem(main_, 32786);
    UserChooseMenuItem(main_, 32812);
    PumpPendingMessages();
    const auto commands = Received(WM_COMMAND);
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(LOWORD(commands[0].wParam), 32786);
    EXPECT_EQ(HIWORD(commands[0].wParam), 0) << "from a menu";
    EXPECT_EQ(LOWORD(commands[1].wParam), 32812);
    EXPECT_TRUE(MenuItemShownChecked(menu, 32786));
    EXPECT_FALSE(MenuItemShownChecked(menu, 32812));
    CheckMenuItem(menu, 32786, MF_UNCHECKED);
    CheckMenuItem(menu, 32812, MF_CHECKED);
    EXPECT_FALSE(MenuItemShownChecked(menu, 32786));
    EXPECT_TRUE(MenuItemShownChecked(menu, 32812));
    EXPECT_EQ(MenuItemTextUtf8(menu, 32774), "Street, house         F2");
}

TEST_F(UserMain, MenusGoWithTheirWindowOrWithDestroyMenu) {
    const int start = LiveMenuCount();
    MakeMainWindow();
    EXPECT_GT(LiveMenuCount(), start);
    DestroyWindow(main_);
    EXPECT_EQ(LiveMenuCount(), start);
    HMENU popup = LoadMenuA(ProgramInstance(), kMeasureMenuName);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(GetSubMenu(popup, 1), nullptr);
    EXPECT_EQ(GetMenuItemID(popup, 0), static_cast<UINT>(-1)) << "a popup has no command";
    EXPECT_TRUE(DestroyMenu(popup));
    EXPECT_FALSE(DestroyMenu(popup));
    EXPECT_EQ(LiveMenuCount(), start);
    EXPECT_EQ(LoadMenuA(ProgramInstance(), "Popup2"), nullptr);
}

UINT ChooseSecondLine(HMENU menu, int, int, void*) { return GetMenuItemID(menu, 1); }
UINT ChooseNothing(HMENU, int, int, void*) { return 0; }

TEST_F(UserMain, PopupMenuReturnsTheChosenCommand) {
    MakeMainWindow();
    HMENU popup = LoadMenuA(ProgramInstance(), kMeasureMenuName);
    HMENU items = GetSubMenu(popup, 0);
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(GetMenuItemID(items, 0), 32840u);
    EXPECT_EQ(GetMenuItemID(items, 1), 32839u);
    POINT at{100, 50};
    EXPECT_TRUE(ClientToScreen(main_, &at));
    SetPopupMenuHook(ChooseSecondLine, nullptr);
    EXPECT_EQ(TrackPopupMenuEx(items, TPM_RETURNCMD, at.x, at.y, main_, nullptr), 32839);
    SetPopupMenuHook(ChooseNothing, nullptr);
    EXPECT_EQ(TrackPopupMenuEx(items, TPM_RETURNCMD, at.x, at.y, main_, nullptr), 0);
    // Without TPM_RETURNCMD the choice is posted to the owner.
    SetPopupMenuHook(ChooseSecondLine, nullptr);
    Forget();
    EXPECT_TRUE(TrackPopupMenuEx(items, 0, at.x, at.y, main_, nullptr));
    PumpPendingMessages();
    ASSERT_EQ(Received(WM_COMMAND).size(), 1u);
    EXPECT_EQ(LOWORD(Received(WM_COMMAND)[0].wParam), 32839);
    DestroyMenu(popup);
}

TEST_F(UserMain, ClassCursorReturnsWithTheNextMouseMove) {
    MakeMainWindow(true);
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
    HCURSOR pan = LoadCursorA(ProgramInstance(), MAKEINTRESOURCEA(IDC_PAN));
    ASSERT_NE(pan, nullptr);
    EXPECT_EQ(SetClassLongA(main_, GCL_HCURSOR, pan), reinterpret_cast<ULONG_PTR>(arrow));
    SetCursor(wait);
    EXPECT_EQ(GetShownCursor(main_), wait);
    UserMouse(main_, WM_MOUSEMOVE, 10, 10, 0);
    RunLoopOnce();
    EXPECT_EQ(GetShownCursor(main_), pan) << "the class cursor after a move";
    // While the mouse is captured the cursor set stays.
    SetCapture(main_);
    EXPECT_EQ(GetCapture(), main_);
    SetCursor(wait);
    UserMouse(main_, WM_MOUSEMOVE, 12, 12, MK_LBUTTON);
    RunLoopOnce();
    EXPECT_EQ(GetShownCursor(main_), wait);
    ReleaseCapture();
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(UserMain, ResourcePicturesLoadAndUnknownOnesDoNot) {
    for (int id : {IDC_PAN, IDC_TIP, IDC_ZOOM_RECT, IDC_MEASURE, IDC_ZOOM_OUT}) {
        SCOPED_TRACE(id);
        HCURSOR c = LoadCursorA(ProgramInstance(), MAKEINTRESOURCEA(id));
        EXPECT_NE(c, nullptr);
        EXPECT_EQ(LoadCursorA(ProgramInstance(), MAKEINTRESOURCEA(id)), c) << "shared";
        EXPECT_TRUE(DestroyCursor(c));
        EXPECT_EQ(LoadCursorA(ProgramInstance(), MAKEINTRESOURCEA(id)), c) << "still there";
    }
    EXPECT_EQ(LoadCursorA(ProgramInstance(), MAKEINTRESOURCEA(IDI_PROGRAM)), nullptr) << "an icon, not a cursor";
    EXPECT_EQ(LoadImageA(ProgramInstance(), MAKEINTRESOURCEA(214), IMAGE_BITMAP, 0, 0, 0), nullptr)
        << "the locator picture is made from the map, not kept here";
    EXPECT_EQ(LoadCursorA(nullptr, "#1"), nullptr);
    EXPECT_NE(LoadIconA(ProgramInstance(), "#300"), nullptr) << "a number written as text";
}

TEST_F(UserMain, HelpOpensInAWindowAndCloses) {
    MakeMainWindow(true);
    EXPECT_TRUE(WinHelpA(main_, "tovr_e", HELP_CONTENTS, 0));
    EXPECT_TRUE(IsHelpWindowOpen());
    EXPECT_NE(HelpWindowTitleUtf8().find("Korvinsk"), std::string::npos);
    EXPECT_TRUE(WinHelpA(main_, "tovr_e", HELP_CONTENTS, 0)) << "asking again shows the same window";
    EXPECT_TRUE(WinHelpA(main_, "tovr_e", HELP_QUIT, 0));
    EXPECT_FALSE(IsHelpWindowOpen());
}

TEST_F(UserMain, BeepsAreCounted) {
    const int before = BeepCount();
    MessageBeep(MB_ICONEXCLAMATION);
    MessageBeep(MB_ICONEXCLAMATION);
    EXPECT_EQ(BeepCount(), before + 2);
}

LRESULT CALLBACK RefuseCreation(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) return -1;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST_F(UserMain, WindowsThatCannotBeMadeAreNull) {
    EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "x", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr,
                              ProgramInstance(), nullptr),
              nullptr);
    WNDCLASSEXA wc{};
    wc.lpfnWndProc = RefuseCreation;
    wc.lpszClassName = "Refusing";
    EXPECT_NE(RegisterClassExA(&wc), 0);
    EXPECT_EQ(RegisterClassExA(&wc), 0) << "the name is taken";
    EXPECT_EQ(CreateWindowExA(0, "Refusing", "x", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr,
                              ProgramInstance(), nullptr),
              nullptr);
    EXPECT_EQ(LiveWindowCount(), 0);
    EXPECT_EQ(SetTimer(reinterpret_cast<HWND>(&wc), 1, 10, nullptr), 0u) << "not a window";
}

TEST_F(UserMain, StringsAreCutToTheBuffer) {
    char buffer[8];
    EXPECT_EQ(LoadStringA(ProgramInstance(), IDS_APP_TITLE, buffer, sizeof buffer), 7);
    EXPECT_STREQ(buffer, "Korvins");
    EXPECT_EQ(LoadStringA(ProgramInstance(), 4711, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(LoadStringA(nullptr, IDS_APP_TITLE, buffer, sizeof buffer), 0);
}

TEST_F(UserMain, PointsMapBetweenClientAndScreen) {
    MakeMainWindow(true);
    POINT p{123, 45};
    ClientToScreen(main_, &p);
    ScreenToClient(main_, &p);
    EXPECT_EQ(p.x, 123);
    EXPECT_EQ(p.y, 45);
}

}  // namespace
