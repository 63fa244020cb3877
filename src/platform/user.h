// The window calls of the platform layer: the main window, its messages and message loop,
// timers, cursors, menus, accelerators, dialogs with their controls, and the help viewer. Plain
// C++, shaped after the desktop window interface the program was designed against, so that each
// window procedure reads message by message.
//
// Behaviour worth knowing:
// - Texts are Windows-1251 byte strings; titles, menus and controls show them in Cyrillic.
// - Messages posted with PostMessageA, the input of the main window and menu commands wait in
//   one queue; GetMessageA hands them out in order, then WM_PAINT for an invalidated window
//   (any number of InvalidateRgn calls give one), then WM_TIMER. Notifications of controls and
//   the dialog keys Enter and Escape are sent at once, as the desktop sends them; a close box
//   posts WM_CLOSE (a dialog turns it into WM_COMMAND IDCANCEL, DefWindowProcA destroys).
// - Keys typed in a dialog are handled where the toolkit delivers them, so Enter and Escape work
//   in modeless dialogs too, whether or not the loop calls IsDialogMessageA.
// - The main window's client area is backed by a surface of its size: what is drawn on a
//   context from GetDC shows at once, without a paint. WM_SIZE (posted) reports a new client
//   size; the surface keeps its pixels where they fit and the window is invalidated.
// - A modal dialog runs a loop of its own until EndDialog; its owner takes no input meanwhile
//   but still paints and receives its timers.
// - A handle that was destroyed, or never was one, is refused (the call fails) rather than used.
#pragma once

#include <cstdint>

#include "platform/gdi.h"
#include "platform/types.h"
#include "platform/user_resource.h"

struct PlatformMenu;
struct PlatformIcon;
struct PlatformAccel;
using HMENU = PlatformMenu*;
using HICON = PlatformIcon*;
using HCURSOR = HICON;  // cursors and icons are the same kind of picture
using HACCEL = PlatformAccel*;
using ATOM = WORD;
using SHORT = int16_t;
using INT_PTR = intptr_t;
using UINT_PTR = uintptr_t;
using LONG_PTR = intptr_t;
using ULONG_PTR = uintptr_t;

#define CALLBACK
#define WINAPI

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using DLGPROC = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);

constexpr WORD LOWORD(uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HIWORD(uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
constexpr WPARAM MAKEWPARAM(unsigned lo, unsigned hi) {
    return static_cast<WPARAM>((lo & 0xFFFF) | ((hi & 0xFFFF) << 16));
}
constexpr LPARAM MAKELPARAM(unsigned lo, unsigned hi) {
    return static_cast<LPARAM>(static_cast<DWORD>((lo & 0xFFFF) | ((hi & 0xFFFF) << 16)));
}

// ---- Messages ----

constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_KILLFOCUS = 0x0008;
constexpr UINT WM_SETTEXT = 0x000C;
constexpr UINT WM_GETTEXT = 0x000D;
constexpr UINT WM_GETTEXTLENGTH = 0x000E;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_SYSKEYUP = 0x0105;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
constexpr UINT WM_MBUTTONDOWN = 0x0207;
constexpr UINT WM_MBUTTONUP = 0x0208;
constexpr UINT WM_MBUTTONDBLCLK = 0x0209;
constexpr UINT WM_USER = 0x0400;

// WM_SIZE wParam
constexpr WPARAM SIZE_RESTORED = 0;
constexpr WPARAM SIZE_MINIMIZED = 1;
constexpr WPARAM SIZE_MAXIMIZED = 2;

// Mouse message wParam: the buttons and modifiers held.
constexpr WPARAM MK_LBUTTON = 0x0001;
constexpr WPARAM MK_RBUTTON = 0x0002;
constexpr WPARAM MK_SHIFT = 0x0004;
constexpr WPARAM MK_CONTROL = 0x0008;
constexpr WPARAM MK_MBUTTON = 0x0010;

// Key messages: wParam is the virtual key; lParam holds the repeat count (bits 0-15, always 1),
// bit 30 (the key was already down: an auto-repeated press) and bit 31 (released).
constexpr LPARAM KF_REPEAT_BIT = 1L << 30;
constexpr LPARAM KF_UP_BIT = 1L << 31;

// ---- Virtual keys ----

constexpr int VK_LBUTTON = 0x01;
constexpr int VK_RBUTTON = 0x02;
constexpr int VK_MBUTTON = 0x04;
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;  // Alt
constexpr int VK_PAUSE = 0x13;
constexpr int VK_CAPITAL = 0x14;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_PRIOR = 0x21;  // Page Up
constexpr int VK_NEXT = 0x22;   // Page Down
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_INSERT = 0x2D;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_NUMPAD0 = 0x60;  // ...VK_NUMPAD9 = 0x69
constexpr int VK_MULTIPLY = 0x6A;
constexpr int VK_ADD = 0x6B;
constexpr int VK_SUBTRACT = 0x6D;
constexpr int VK_DECIMAL = 0x6E;
constexpr int VK_DIVIDE = 0x6F;
constexpr int VK_F1 = 0x70;
constexpr int VK_F2 = 0x71;
constexpr int VK_F3 = 0x72;
constexpr int VK_F4 = 0x73;
constexpr int VK_F5 = 0x74;
constexpr int VK_F6 = 0x75;
constexpr int VK_F7 = 0x76;
constexpr int VK_F8 = 0x77;
constexpr int VK_F9 = 0x78;
constexpr int VK_F10 = 0x79;
constexpr int VK_F11 = 0x7A;
constexpr int VK_F12 = 0x7B;
constexpr int VK_NUMLOCK = 0x90;
constexpr int VK_OEM_1 = 0xBA;       // ; :
constexpr int VK_OEM_PLUS = 0xBB;    // = +
constexpr int VK_OEM_COMMA = 0xBC;   // , <
constexpr int VK_OEM_MINUS = 0xBD;   // - _
constexpr int VK_OEM_PERIOD = 0xBE;  // . >
constexpr int VK_OEM_2 = 0xBF;       // / ?
constexpr int VK_OEM_3 = 0xC0;       // ` ~
constexpr int VK_OEM_4 = 0xDB;       // [ {
constexpr int VK_OEM_5 = 0xDC;       // \ |
constexpr int VK_OEM_6 = 0xDD;       // ] }
constexpr int VK_OEM_7 = 0xDE;       // ' "

// High bit set while the key is down, as of the message being handled.
SHORT GetKeyState(int virtualKey);

// ---- Window classes and windows ----

constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;
constexpr UINT CS_DBLCLKS = 0x0008;

constexpr DWORD WS_OVERLAPPED = 0x00000000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_MINIMIZE = 0x20000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
constexpr DWORD WS_MAXIMIZE = 0x01000000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_DLGFRAME = 0x00400000;
constexpr DWORD WS_CAPTION = WS_BORDER | WS_DLGFRAME;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_HSCROLL = 0x00100000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;
constexpr DWORD WS_OVERLAPPEDWINDOW =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000u);

struct WNDCLASSEXA {
    UINT cbSize;
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;  // a menu of hInstance, by number or name
    LPCSTR lpszClassName;
    HICON hIconSm;
};

// 0 when the class has no name or no procedure, or the name is taken.
ATOM RegisterClassExA(const WNDCLASSEXA* windowClass);

// Makes a top-level window of a registered class, with the class's menu unless menu is given,
// and sends it WM_CREATE. Only top-level windows are made this way (controls come from dialog
// templates). Null when the class is unknown or the procedure answers WM_CREATE with -1.
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance, void* param);

// Sends WM_DESTROY to the window and to each window it owns or contains, then removes them.
// Contexts obtained with GetDC and not released are deleted with the window.
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_NORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_MAXIMIZE = 3;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWNA = 8;
constexpr int SW_RESTORE = 9;
constexpr int SW_SHOWDEFAULT = 10;
// Returns whether the window was visible before.
BOOL ShowWindow(HWND hwnd, int command);
BOOL IsWindowVisible(HWND hwnd);
BOOL UpdateWindow(HWND hwnd);  // paints now if the window is invalid

// Returns whether the window was disabled before.
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsWindowEnabled(HWND hwnd);

// Gives the keyboard focus to the window (null: to none); returns the window that had it.
// Refused (null) for a disabled window or one inside a disabled window.
HWND SetFocus(HWND hwnd);
HWND GetFocus();

constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;
// x, y: in the parent's client area for child windows, on the screen for top-level ones. The
// size is the window's outer size. insertAfter is ignored.
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int width, int height, UINT flags);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);

BOOL GetClientRect(HWND hwnd, RECT* rect);  // (0, 0, width, height) of the client area
BOOL GetWindowRect(HWND hwnd, RECT* rect);  // on the screen
BOOL ClientToScreen(HWND hwnd, POINT* point);
BOOL ScreenToClient(HWND hwnd, POINT* point);
BOOL GetCursorPos(POINT* point);

HWND GetParent(HWND hwnd);  // a control's dialog, a child window's parent, else the owner

BOOL SetWindowTextA(HWND hwnd, LPCSTR text);
int GetWindowTextA(HWND hwnd, LPSTR buffer, int size);  // at most size - 1 bytes and a NUL
int GetWindowTextLengthA(HWND hwnd);

// The class cursor, shown whenever the mouse moves over the window.
constexpr int GCL_HCURSOR = -12;
constexpr int GCL_HICON = -14;
ULONG_PTR SetClassLongA(HWND hwnd, int index, LONG_PTR value);
inline ULONG_PTR SetClassLongA(HWND hwnd, int index, HCURSOR cursor) {
    return SetClassLongA(hwnd, index, reinterpret_cast<LONG_PTR>(cursor));
}
ULONG_PTR GetClassLongA(HWND hwnd, int index);

// ---- Messages and the message loop ----

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
    DWORD lPrivate;  // the platform's own: the character a key press types, the modifiers held
};

LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Calls the window's procedure (for a dialog or a control, its handling of the message) and
// returns its result; 0 for a refused window.
LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Queues the message; FALSE for a refused window. A null window posts to the thread: the
// message is handed out by GetMessageA with a null hwnd and dispatched nowhere.
BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);

// Waits for the next message. 0 for WM_QUIT (msg->wParam holds the exit code), else 1. Only
// hwnd null and filters 0 are supported. Tests that drive the loop themselves should prefer
// PeekMessageA, which does not wait.
BOOL GetMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;
BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
// A key press that types a character queues WM_CHAR with it (Windows-1251) right after.
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageA(const MSG* msg);
// Dispatches a message meant for the dialog or one of its controls; FALSE for any other.
BOOL IsDialogMessageA(HWND dialog, MSG* msg);

// ---- Painting ----

struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
};

// The whole client area becomes invalid whatever the region (null: the whole client area);
// one WM_PAINT follows however often it is called.
BOOL InvalidateRgn(HWND hwnd, HRGN region, BOOL erase);
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT* rect);

// The context of a paint: draws on the window's surface; EndPaint deletes it.
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);
// A fresh context on the main window's surface, with the default state; ReleaseDC deletes it.
// A null hwnd gives a context of the screen's capabilities (a memory context).
HDC GetDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC hdc);

// ---- Timers ----

// Returns a nonzero handle; KillTimer takes it, or the id. A timer with the same window and id
// is replaced. Each expiry queues at most one WM_TIMER (wParam the id); the timer repeats until
// killed.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

// ---- Cursors, icons and pictures ----

// System cursors and icons: numbers smuggled in a name, as MAKEINTRESOURCEA does.
inline const char* const IDC_ARROW = MAKEINTRESOURCEA(32512);
inline const char* const IDC_IBEAM = MAKEINTRESOURCEA(32513);
inline const char* const IDC_WAIT = MAKEINTRESOURCEA(32514);
inline const char* const IDC_CROSS = MAKEINTRESOURCEA(32515);
inline const char* const IDI_APPLICATION = MAKEINTRESOURCEA(32512);

// With a null instance, one of the IDC_ cursors; else a cursor of the module. Loaded pictures
// are shared: loading one twice gives the same handle, and they live until the program ends,
// so DestroyCursor and DestroyIcon leave them alone.
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
BOOL DestroyCursor(HCURSOR cursor);
BOOL DestroyIcon(HICON icon);

// Shows the cursor over the main window until the mouse moves (then the class cursor shows);
// returns the previous one.
HCURSOR SetCursor(HCURSOR cursor);

constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT IMAGE_ICON = 1;
constexpr UINT IMAGE_CURSOR = 2;
constexpr UINT LR_DEFAULTCOLOR = 0x0000;
constexpr UINT LR_DEFAULTSIZE = 0x0040;
constexpr UINT LR_SHARED = 0x8000;
// IMAGE_BITMAP: a new bitmap (delete it with DeleteObject); the background of the picture is
// the button face colour. IMAGE_ICON, IMAGE_CURSOR: the shared picture. Width and height are
// ignored (the picture's own size).
void* LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int width, int height, UINT flags);

// Draws the icon with its transparency at (x, y) on a context that draws on an image.
BOOL DrawIcon(HDC hdc, int x, int y, HICON icon);

// ---- Mouse capture ----

// The capture is the program's own record of which window holds the mouse; while a button is
// held the window under the press receives every move anyway.
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();

// ---- Strings, beeps ----

// Copies at most size - 1 bytes of the string and a NUL; returns the bytes copied (0 when the
// module has no such string).
int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int size);

constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_ICONHAND = 0x00000010;
constexpr UINT MB_ICONQUESTION = 0x00000020;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr UINT MB_ICONASTERISK = 0x00000040;
BOOL MessageBeep(UINT type);

// ---- Menus ----

constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_SEPARATOR = 0x0800;

// A new menu from the module (destroy it with DestroyMenu unless a window holds it: a window's
// menu goes with the window).
HMENU LoadMenuA(HINSTANCE instance, LPCSTR name);
BOOL DestroyMenu(HMENU menu);
HMENU GetMenu(HWND hwnd);
HMENU GetSubMenu(HMENU menu, int position);  // null when that item is not a popup
int GetMenuItemCount(HMENU menu);
// By command, the item is looked for in the popups too. Returns the previous state
// (MF_CHECKED or MF_UNCHECKED), or -1 when there is no such item.
DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags);
// Returns the previous MF_GRAYED state, or -1 when there is no such item.
BOOL EnableMenuItem(HMENU menu, UINT item, UINT flags);
// The item's state: MF_CHECKED, MF_GRAYED, MF_POPUP, MF_SEPARATOR bits; -1 when there is none.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
int GetMenuStringA(HMENU menu, UINT item, LPSTR buffer, int size, UINT flags);
UINT GetMenuItemID(HMENU menu, int position);  // -1 (as UINT) for popups and missing items

constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_LEFTBUTTON = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;
struct TPMPARAMS;
// Shows the menu at (x, y) on the screen and waits for the choice. With TPM_RETURNCMD the
// chosen command is returned (0 when nothing was chosen); without it the command is posted to
// the owner as WM_COMMAND and TRUE returned.
BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, const TPMPARAMS* params);

// ---- Accelerators ----

constexpr BYTE FVIRTKEY = 0x01;
constexpr BYTE FNOINVERT = 0x02;
constexpr BYTE FSHIFT = 0x04;
constexpr BYTE FCONTROL = 0x08;
constexpr BYTE FALT = 0x10;

HACCEL LoadAcceleratorsA(HINSTANCE instance, LPCSTR name);
BOOL DestroyAcceleratorTable(HACCEL table);
// A key press that matches an entry of the table (the key, with exactly the Shift, Ctrl and Alt
// state the entry names) is turned into WM_COMMAND (low word the command, high word 1) sent to
// hwnd; returns 1 then, else 0.
int TranslateAcceleratorA(HWND hwnd, HACCEL table, MSG* msg);

// ---- Dialogs ----

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
constexpr int IDCLOSE = 8;
constexpr int IDHELP = 9;

constexpr DWORD DS_ABSALIGN = 0x0001;
constexpr DWORD DS_SETFONT = 0x0040;
constexpr DWORD DS_MODALFRAME = 0x0080;
constexpr DWORD DS_CENTER = 0x0800;

// Runs the dialog modally over its owner (disabled meanwhile) and returns what EndDialog was
// given; -1 when the template is missing. The owner still paints and receives its timers.
INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC proc, LPARAM param);
// A modeless dialog: a popup owned by owner, or a child window of it when the template says
// WS_CHILD. Shown at once only when the template says WS_VISIBLE. Null when the template is
// missing. proc may be null (the dialog then handles nothing itself).
HWND CreateDialogParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC proc, LPARAM param);
// Ends a modal dialog: its loop returns result. A modeless dialog is only hidden.
BOOL EndDialog(HWND dialog, INT_PTR result);

HWND GetDlgItem(HWND dialog, int id);  // null when the dialog has no such control
int GetDlgCtrlID(HWND control);
LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text);
UINT GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int size);
BOOL CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);

// Dialog units of the dialog's font into pixels: x * baseX / 4 and y * baseY / 8, rounded.
BOOL MapDialogRect(HWND dialog, RECT* rect);

// ---- Controls: styles, messages and notifications ----

// Buttons
constexpr DWORD BS_PUSHBUTTON = 0x0000;
constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
constexpr DWORD BS_CHECKBOX = 0x0002;
constexpr DWORD BS_AUTOCHECKBOX = 0x0003;
constexpr DWORD BS_RADIOBUTTON = 0x0004;
constexpr DWORD BS_3STATE = 0x0005;
constexpr DWORD BS_AUTO3STATE = 0x0006;
constexpr DWORD BS_GROUPBOX = 0x0007;
constexpr DWORD BS_AUTORADIOBUTTON = 0x0009;
constexpr DWORD BS_TYPEMASK = 0x000F;
constexpr DWORD BS_ICON = 0x0040;
constexpr DWORD BS_BITMAP = 0x0080;
constexpr DWORD BS_PUSHLIKE = 0x1000;
constexpr DWORD BS_MULTILINE = 0x2000;
constexpr DWORD BS_NOTIFY = 0x4000;  // report focus changes (BN_SETFOCUS, BN_KILLFOCUS)

constexpr UINT BM_GETCHECK = 0x00F0;
constexpr UINT BM_SETCHECK = 0x00F1;
constexpr UINT BM_CLICK = 0x00F5;
constexpr UINT BM_GETIMAGE = 0x00F6;
constexpr UINT BM_SETIMAGE = 0x00F7;  // wParam IMAGE_BITMAP or IMAGE_ICON; returns the previous
constexpr WPARAM BST_UNCHECKED = 0;
constexpr WPARAM BST_CHECKED = 1;
constexpr WPARAM BST_INDETERMINATE = 2;

constexpr WORD BN_CLICKED = 0;
constexpr WORD BN_DOUBLECLICKED = 5;
constexpr WORD BN_SETFOCUS = 6;
constexpr WORD BN_KILLFOCUS = 7;

// Edits
constexpr DWORD ES_LEFT = 0x0000;
constexpr DWORD ES_CENTER = 0x0001;
constexpr DWORD ES_RIGHT = 0x0002;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_READONLY = 0x0800;

constexpr UINT EM_SETSEL = 0x00B1;
constexpr UINT EM_LIMITTEXT = 0x00C5;
constexpr UINT EM_SETREADONLY = 0x00CF;

constexpr WORD EN_SETFOCUS = 0x0100;
constexpr WORD EN_KILLFOCUS = 0x0200;
constexpr WORD EN_CHANGE = 0x0300;  // also after WM_SETTEXT, as the desktop's edits do

// Statics
constexpr DWORD SS_LEFT = 0x0000;
constexpr DWORD SS_CENTER = 0x0001;
constexpr DWORD SS_RIGHT = 0x0002;
constexpr DWORD SS_ICON = 0x0003;
constexpr DWORD SS_TYPEMASK = 0x001F;
constexpr DWORD SS_NOPREFIX = 0x0080;
constexpr DWORD SS_SUNKEN = 0x1000;

constexpr UINT STM_SETICON = 0x0170;

// List boxes
constexpr DWORD LBS_NOTIFY = 0x0001;
constexpr DWORD LBS_SORT = 0x0002;
constexpr DWORD LBS_MULTIPLESEL = 0x0008;
constexpr DWORD LBS_HASSTRINGS = 0x0040;
constexpr DWORD LBS_NOINTEGRALHEIGHT = 0x0100;
constexpr DWORD LBS_EXTENDEDSEL = 0x0800;

constexpr UINT LB_ADDSTRING = 0x0180;     // lParam text; returns the index (sorted lists sort)
constexpr UINT LB_INSERTSTRING = 0x0181;  // wParam index, -1 for the end
constexpr UINT LB_DELETESTRING = 0x0182;  // returns the count left
constexpr UINT LB_RESETCONTENT = 0x0184;
constexpr UINT LB_SETSEL = 0x0185;        // multiple selection: wParam on/off, lParam index (-1 all)
constexpr UINT LB_SETCURSEL = 0x0186;     // single selection: wParam index, -1 for none
constexpr UINT LB_GETSEL = 0x0187;
constexpr UINT LB_GETCURSEL = 0x0188;     // single: the selection; multiple: the caret line
constexpr UINT LB_GETTEXT = 0x0189;       // wParam index, lParam buffer (LB_GETTEXTLEN + 1 bytes)
constexpr UINT LB_GETTEXTLEN = 0x018A;
constexpr UINT LB_GETCOUNT = 0x018B;
constexpr UINT LB_FINDSTRING = 0x018F;
constexpr UINT LB_GETSELCOUNT = 0x0190;
constexpr UINT LB_GETSELITEMS = 0x0191;   // wParam room, lParam int array; returns the count
constexpr UINT LB_SETTOPINDEX = 0x0197;
constexpr UINT LB_GETITEMDATA = 0x0199;
constexpr UINT LB_SETITEMDATA = 0x019A;
constexpr UINT LB_FINDSTRINGEXACT = 0x01A2;
constexpr UINT LB_INITSTORAGE = 0x01A8;
constexpr LRESULT LB_OKAY = 0;
constexpr LRESULT LB_ERR = -1;
constexpr LRESULT LB_ERRSPACE = -2;

constexpr WORD LBN_SELCHANGE = 1;
constexpr WORD LBN_DBLCLK = 2;
constexpr WORD LBN_SELCANCEL = 3;
constexpr WORD LBN_SETFOCUS = 4;
constexpr WORD LBN_KILLFOCUS = 5;

// Combo boxes
constexpr DWORD CBS_SIMPLE = 0x0001;
constexpr DWORD CBS_DROPDOWN = 0x0002;
constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
constexpr DWORD CBS_AUTOHSCROLL = 0x0040;
constexpr DWORD CBS_SORT = 0x0100;
constexpr DWORD CBS_HASSTRINGS = 0x0200;

constexpr UINT CB_ADDSTRING = 0x0143;
constexpr UINT CB_DELETESTRING = 0x0144;
constexpr UINT CB_GETCOUNT = 0x0146;
constexpr UINT CB_GETCURSEL = 0x0147;
constexpr UINT CB_GETLBTEXT = 0x0148;
constexpr UINT CB_GETLBTEXTLEN = 0x0149;
constexpr UINT CB_INSERTSTRING = 0x014A;
constexpr UINT CB_RESETCONTENT = 0x014B;
constexpr UINT CB_FINDSTRING = 0x014C;
constexpr UINT CB_SETCURSEL = 0x014E;
constexpr UINT CB_GETITEMDATA = 0x0150;
constexpr UINT CB_SETITEMDATA = 0x0151;
constexpr UINT CB_FINDSTRINGEXACT = 0x0158;
constexpr UINT CB_INITSTORAGE = 0x0161;
constexpr LRESULT CB_OKAY = 0;
constexpr LRESULT CB_ERR = -1;
constexpr LRESULT CB_ERRSPACE = -2;

constexpr WORD CBN_SELCHANGE = 1;
constexpr WORD CBN_DBLCLK = 2;
constexpr WORD CBN_SETFOCUS = 3;
constexpr WORD CBN_KILLFOCUS = 4;
constexpr WORD CBN_EDITCHANGE = 5;

// ---- Help ----

constexpr UINT HELP_CONTEXT = 0x0001;
constexpr UINT HELP_QUIT = 0x0002;
constexpr UINT HELP_CONTENTS = 0x0003;
constexpr UINT HELP_FINDER = 0x000B;
// Opens the program's help in a window of its own (HELP_CONTENTS, HELP_FINDER, HELP_CONTEXT)
// or closes it (HELP_QUIT). The file name is accepted as given; there is one help.
BOOL WinHelpA(HWND hwnd, LPCSTR helpFile, UINT command, ULONG_PTR data);

// ---- Start and end ----

// Makes the toolkit's application object from the program's arguments (so that the usual
// display options work); without it the first window makes one without arguments.
void InitPlatformWindows(int argc, char** argv);
// Destroys every window, menu, timer and picture still alive; for the end of the program and of
// tests that want a clean slate.
void ShutdownPlatformWindows();
