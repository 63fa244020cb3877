// The toolkit side of the window calls: what stands behind a window handle, and the helpers the
// window, message, menu, dialog and control files share. Internal to the platform layer.
#pragma once

#include <QCursor>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

#include "platform/user.h"

class QFont;
class QAction;
class QMenu;

enum class WindowKind { Main, Dialog, Control };

// The behaviour of one control: its toolkit widget and its answers to the control messages.
class Control {
public:
    virtual ~Control() = default;
    virtual QWidget* Widget() = 0;
    // Messages that are the control's own (WM_SETTEXT, LB_..., CB_..., BM_...); WM_GETTEXT too.
    virtual LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Whether Enter on it clicks it (push buttons).
    virtual bool IsPushButton() const { return false; }
    virtual bool IsDefaultButton() const { return false; }
};

struct PlatformWindow {
    WindowKind kind = WindowKind::Main;
    DWORD style = 0;
    int id = 0;             // controls: the id of the template item
    HWND parent = nullptr;  // controls: their dialog; child windows: their parent
    HWND owner = nullptr;   // popups: the window they belong to
    QPointer<QWidget> widget;  // the outer widget (a top-level window, or a child's frame)
    QPointer<QWidget> client;  // the client area: the main window's surface, a dialog's content
    bool destroyed = false;
    bool inputBlocked = false;  // a disabled main window: it paints but takes no input
    std::string title;      // Windows-1251

    // Main windows
    WNDPROC wndProc = nullptr;
    UINT classStyle = 0;
    HCURSOR classCursor = nullptr;
    QImage surface;
    bool invalid = false;
    bool eraseRequested = false;
    HMENU menu = nullptr;
    std::vector<HDC> dcs;   // contexts from GetDC and BeginPaint on the surface

    // Dialogs
    DLGPROC dlgProc = nullptr;
    int templateId = 0;
    bool modal = false;
    bool ended = false;
    INT_PTR result = 0;
    int baseX = 6;          // dialog base units of the template's font, in pixels
    int baseY = 13;
    std::vector<HWND> controls;

    // Controls
    std::unique_ptr<Control> control;
};

// ---- Registry of windows (user_window.cpp) ----

// The window behind a live handle, or null.
PlatformWindow* LiveWindow(HWND hwnd);
HWND NewWindow(WindowKind kind);
// The window a widget (or a widget inside it) stands for, or null.
HWND WindowOfWidget(QWidget* widget);
void TagWidget(QWidget* widget, HWND hwnd);
std::vector<HWND> LiveWindows();
// The top-level window a window belongs to (itself for popups and main windows).
HWND TopLevelOf(HWND hwnd);

// Whether input for a widget or a toolkit window is withheld: it belongs to a disabled main
// window.
bool IsInputBlocked(QObject* target);
// Activates the innermost running modal dialog, if any (dialog.cpp).
void ActivateModalDialog();

// Makes the application object (with widgets) if there is none.
void EnsureApplication();

// Letting the toolkit show what changed (a window that appeared, a new text) without handling
// any input; used while the program is busy in a handler.
void PumpDisplay();

// Widgets of destroyed windows are deleted only where no toolkit handler is running, since a
// window may be destroyed from inside the handler of its own button.
struct ToolkitHandlerScope {
    ToolkitHandlerScope();
    ~ToolkitHandlerScope();
};
void RetireWidget(QWidget* widget);
void DeleteRetiredWidgets(bool force);

// The surface of a main window after its client area changed size.
void ResizeSurface(HWND hwnd, int width, int height);
void ApplyClassCursor(HWND hwnd);
// Drops the window's queued messages; null empties the queue and forgets a posted quit.
void ForgetWindowInQueue(HWND hwnd);  // user_message.cpp
void KillWindowTimers(HWND hwnd);     // user_message.cpp; null: every timer
void ReleaseAccelerators();           // user_message.cpp
void ReleaseAllMenus();               // user_menu.cpp
void ForgetFocusAndCapture(HWND hwnd);  // user_window.cpp

// ---- Messages (user_message.cpp) ----

void QueueMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD lPrivate = 0);
// Replaces a queued message of the same window and kind (a newer size, a newer move).
void QueueOrReplaceMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
DWORD MessageTime();
int VirtualKeyFromToolkit(int qtKey, unsigned modifiers, unsigned nativeScanCode, bool x11);
void NotifyParent(HWND control, WORD code);

// lPrivate bits of input messages.
constexpr DWORD kPrivHasChar = 0x100;
constexpr DWORD kPrivShift = 0x200;
constexpr DWORD kPrivControl = 0x400;
constexpr DWORD kPrivAlt = 0x800;

// ---- Menus (user_menu.cpp) ----

// The menu bar of a main window, made from its menu; commands are posted to hwnd.
QWidget* CreateMenuBar(HMENU menu, HWND hwnd);
void DestroyWindowMenu(HWND hwnd);

// ---- Pictures (user_cursor.cpp) ----

struct PlatformIcon {
    QImage image;  // empty for the system cursors
    int hotX = 0;
    int hotY = 0;
    Qt::CursorShape shape = Qt::ArrowCursor;  // for the system cursors
    bool system = false;
    QCursor Cursor() const;
};
PlatformIcon* LiveIcon(HICON icon);
QImage ImageFromResource(const ImageResource& resource, uint32_t backgroundArgb);
void ReleaseAllPictures();

// ---- Dialogs (dialog.cpp, dialog_controls.cpp) ----

QFont DialogFont(const char* face, int points);
// Pixels of dialog units, rounded as the desktop does.
int DialogUnitsToPixelsX(int units, int baseX);
int DialogUnitsToPixelsY(int units, int baseY);
void ComputeDialogBaseUnits(const QFont& font, int* baseX, int* baseY);
std::unique_ptr<Control> CreateControl(HWND hwnd, const DialogItemResource& item, QWidget* parent,
                                       HINSTANCE instance);
LRESULT DialogDispatch(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// For tests acting as the user: the list widget of a list box or simple combo box, and a
// choice made in a combo box's list.
class QListWidget;
QListWidget* ControlListWidget(HWND control);
bool ChooseComboLine(HWND control, int index);
void RunDialogHook(HWND dialog);
void InstallDialogKeyFilter();

// ---- Text ----

QString Text1251(const char* text, int length = -1);
std::string To1251(const QString& text);
// Copies text into buffer (size bytes, NUL included); returns the bytes copied.
int CopyText(const std::string& text, char* buffer, int size);
// Order of list texts: case-blind, Cyrillic in alphabet order.
int CompareListText(const std::string& a, const std::string& b);
