// Acting as the user for tests: input goes through the toolkit's event path, so the controls
// and windows report exactly as they do for a person at the keyboard.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QRadioButton>
#include <QThread>

#include <algorithm>

#include "platform/gdi_qt.h"
#include "platform/user_qt.h"
#include "platform/user_testing.h"

namespace {

Qt::KeyboardModifiers g_heldModifiers = Qt::NoModifier;

// The window a widget belongs to must be active for the toolkit to move the focus in it.
void Activate(QWidget* widget) {
    QWidget* top = widget->window();
    if (!top->isVisible()) return;
    if (!top->isActiveWindow()) {
        top->activateWindow();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

QWidget* ControlWidget(HWND control) {
    PlatformWindow* w = LiveWindow(control);
    return w != nullptr ? w->widget.data() : nullptr;
}

QLineEdit* EditOf(HWND control) {
    QWidget* widget = ControlWidget(control);
    if (widget == nullptr) return nullptr;
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit;
    if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->lineEdit();
    return widget->findChild<QLineEdit*>();
}

void Focus(HWND control) {
    QWidget* widget = ControlWidget(control);
    if (widget == nullptr || IsInputBlocked(widget)) return;
    Activate(widget);
    SetFocus(control);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void SendKey(QWidget* target, int qtKey, Qt::KeyboardModifiers mods, const QString& text, bool autoRepeat = false) {
    QKeyEvent press(QEvent::KeyPress, qtKey, mods, text, autoRepeat);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, mods, text, autoRepeat);
    QCoreApplication::sendEvent(target, &release);
}

void SendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers mods) {
    const QPointF local(at);
    QMouseEvent event(type, local, target->mapToGlobal(local), button, buttons, mods);
    QCoreApplication::sendEvent(target, &event);
}

struct KeyOf {
    int vk;
    int qtKey;
    bool keypad;
};

constexpr KeyOf kKeys[] = {
    {VK_RETURN, Qt::Key_Return, false}, {VK_ESCAPE, Qt::Key_Escape, false}, {VK_TAB, Qt::Key_Tab, false},
    {VK_SPACE, Qt::Key_Space, false},   {VK_BACK, Qt::Key_Backspace, false}, {VK_DELETE, Qt::Key_Delete, false},
    {VK_UP, Qt::Key_Up, false},         {VK_DOWN, Qt::Key_Down, false},     {VK_LEFT, Qt::Key_Left, false},
    {VK_RIGHT, Qt::Key_Right, false},   {VK_HOME, Qt::Key_Home, false},     {VK_END, Qt::Key_End, false},
    {VK_PRIOR, Qt::Key_PageUp, false},  {VK_NEXT, Qt::Key_PageDown, false}, {VK_INSERT, Qt::Key_Insert, false},
    {VK_SHIFT, Qt::Key_Shift, false},   {VK_CONTROL, Qt::Key_Control, false}, {VK_MENU, Qt::Key_Alt, false},
    {VK_OEM_2, Qt::Key_Slash, false},   {VK_OEM_PLUS, Qt::Key_Equal, false}, {VK_OEM_MINUS, Qt::Key_Minus, false},
    {VK_OEM_PERIOD, Qt::Key_Period, false}, {VK_OEM_COMMA, Qt::Key_Comma, false},
    {VK_DIVIDE, Qt::Key_Slash, true},   {VK_MULTIPLY, Qt::Key_Asterisk, true}, {VK_ADD, Qt::Key_Plus, true},
    {VK_SUBTRACT, Qt::Key_Minus, true}, {VK_DECIMAL, Qt::Key_Period, true},
};

bool ToolkitKey(int vk, int* qtKey, bool* keypad) {
    *keypad = false;
    if (vk >= 'A' && vk <= 'Z') {
        *qtKey = Qt::Key_A + (vk - 'A');
        return true;
    }
    if (vk >= '0' && vk <= '9') {
        *qtKey = Qt::Key_0 + (vk - '0');
        return true;
    }
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) {
        *qtKey = Qt::Key_0 + (vk - VK_NUMPAD0);
        *keypad = true;
        return true;
    }
    if (vk >= VK_F1 && vk <= VK_F12) {
        *qtKey = Qt::Key_F1 + (vk - VK_F1);
        return true;
    }
    for (const KeyOf& k : kKeys) {
        if (k.vk == vk) {
            *qtKey = k.qtKey;
            *keypad = k.keypad;
            return true;
        }
    }
    return false;
}

Qt::KeyboardModifier ModifierOfKey(int vk) {
    switch (vk) {
    case VK_SHIFT: return Qt::ShiftModifier;
    case VK_CONTROL: return Qt::ControlModifier;
    case VK_MENU: return Qt::AltModifier;
    default: return Qt::NoModifier;
    }
}

}  // namespace

void UserTypeText(HWND control, const char* text) {
    QLineEdit* edit = EditOf(control);
    if (edit == nullptr || text == nullptr) return;
    Focus(control);
    for (const char* p = text; *p != '\0'; ++p) {
        SendKey(edit, Qt::Key_unknown, Qt::NoModifier, Text1251(p, 1));
    }
}

void UserClearText(HWND control) {
    QLineEdit* edit = EditOf(control);
    if (edit == nullptr) return;
    Focus(control);
    edit->selectAll();
    SendKey(edit, Qt::Key_Delete, Qt::NoModifier, QString());
}

// A press gives the focus to what takes it by click, as the toolkit does for real presses.
void PressFocus(QWidget* widget) {
    if (IsInputBlocked(widget)) return;
    QWidget* target = widget->focusProxy() != nullptr ? widget->focusProxy() : widget;
    if (target->isEnabled() && (target->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus) {
        target->setFocus(Qt::MouseFocusReason);
    }
}

void UserClick(HWND control) {
    QWidget* widget = ControlWidget(control);
    if (widget == nullptr || !widget->isEnabled()) return;
    Activate(widget);
    // Check boxes and radio buttons answer on their box and label, which start at the left.
    QPoint at = widget->rect().center();
    if (qobject_cast<QCheckBox*>(widget) != nullptr || qobject_cast<QRadioButton*>(widget) != nullptr) {
        at.setX(std::min(6, widget->width() / 2));
    }
    PressFocus(widget);
    SendMouse(widget, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    SendMouse(widget, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
}

void UserClickListLine(HWND list, int index, bool ctrlHeld, bool shiftHeld) {
    QListWidget* lw = ControlListWidget(list);
    if (lw == nullptr || index < 0 || index >= lw->count()) return;
    Activate(lw);
    lw->scrollToItem(lw->item(index));
    const QPoint at = lw->visualItemRect(lw->item(index)).center();
    Qt::KeyboardModifiers mods = Qt::NoModifier;
    if (ctrlHeld) mods |= Qt::ControlModifier;
    if (shiftHeld) mods |= Qt::ShiftModifier;
    PressFocus(lw);
    SendMouse(lw->viewport(), QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, mods);
    SendMouse(lw->viewport(), QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton, mods);
}

void UserDoubleClickListLine(HWND list, int index) {
    QListWidget* lw = ControlListWidget(list);
    if (lw == nullptr || index < 0 || index >= lw->count()) return;
    Activate(lw);
    lw->scrollToItem(lw->item(index));
    const QPoint at = lw->visualItemRect(lw->item(index)).center();
    QWidget* vp = lw->viewport();
    PressFocus(lw);
    SendMouse(vp, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    SendMouse(vp, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    SendMouse(vp, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    SendMouse(vp, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
}

void UserChooseComboLine(HWND combo, int index) {
    Focus(combo);
    if (ControlListWidget(combo) != nullptr) {
        UserClickListLine(combo, index);
        return;
    }
    ChooseComboLine(combo, index);
}

void UserPressKey(HWND window, int virtualKey) {
    PlatformWindow* w = LiveWindow(window);
    int qtKey = 0;
    bool keypad = false;
    if (w == nullptr || !ToolkitKey(virtualKey, &qtKey, &keypad)) return;
    QWidget* base = w->client ? w->client.data() : w->widget.data();
    if (base == nullptr) return;
    Activate(base);
    QWidget* focus = QApplication::focusWidget();
    QWidget* target = focus != nullptr && (focus == base || base->isAncestorOf(focus) ||
                                           (w->widget && w->widget->isAncestorOf(focus)))
                          ? focus
                          : base;
    QString text;
    if (virtualKey == VK_RETURN) text = QStringLiteral("\r");
    if (virtualKey == VK_ESCAPE) text = QStringLiteral("\x1b");
    if (virtualKey == VK_SPACE) text = QStringLiteral(" ");
    SendKey(target, qtKey, keypad ? Qt::KeypadModifier : Qt::NoModifier, text);
}

void UserCloseBox(HWND window) {
    PlatformWindow* w = LiveWindow(window);
    if (w == nullptr || !w->widget) return;
    if (w->widget->isWindow()) w->widget->close();
    else PostMessageA(window, WM_CLOSE, 0, 0);
}

void UserKeyDown(HWND window, int virtualKey, const char* typed, bool autoRepeat) {
    PlatformWindow* w = LiveWindow(window);
    int qtKey = 0;
    bool keypad = false;
    if (w == nullptr || !w->client || !ToolkitKey(virtualKey, &qtKey, &keypad)) return;
    g_heldModifiers |= ModifierOfKey(virtualKey);
    Qt::KeyboardModifiers mods = g_heldModifiers;
    if (keypad) mods |= Qt::KeypadModifier;
    QKeyEvent press(QEvent::KeyPress, qtKey, mods, typed != nullptr ? Text1251(typed) : QString(), autoRepeat);
    QCoreApplication::sendEvent(w->client, &press);
}

void UserKeyUp(HWND window, int virtualKey) {
    PlatformWindow* w = LiveWindow(window);
    int qtKey = 0;
    bool keypad = false;
    if (w == nullptr || !w->client || !ToolkitKey(virtualKey, &qtKey, &keypad)) return;
    g_heldModifiers &= ~Qt::KeyboardModifiers(ModifierOfKey(virtualKey));
    QKeyEvent release(QEvent::KeyRelease, qtKey, g_heldModifiers | (keypad ? Qt::KeypadModifier : Qt::NoModifier),
                      QString(), false);
    QCoreApplication::sendEvent(w->client, &release);
}

void UserMouse(HWND window, UINT message, int x, int y, WPARAM keys) {
    PlatformWindow* w = LiveWindow(window);
    if (w == nullptr || !w->client) return;
    Qt::MouseButtons buttons = Qt::NoButton;
    if (keys & MK_LBUTTON) buttons |= Qt::LeftButton;
    if (keys & MK_RBUTTON) buttons |= Qt::RightButton;
    if (keys & MK_MBUTTON) buttons |= Qt::MiddleButton;
    Qt::KeyboardModifiers mods = Qt::NoModifier;
    if (keys & MK_SHIFT) mods |= Qt::ShiftModifier;
    if (keys & MK_CONTROL) mods |= Qt::ControlModifier;
    QEvent::Type type = QEvent::MouseMove;
    Qt::MouseButton button = Qt::NoButton;
    switch (message) {
    case WM_LBUTTONDOWN: type = QEvent::MouseButtonPress; button = Qt::LeftButton; break;
    case WM_LBUTTONUP: type = QEvent::MouseButtonRelease; button = Qt::LeftButton; break;
    case WM_LBUTTONDBLCLK: type = QEvent::MouseButtonDblClick; button = Qt::LeftButton; break;
    case WM_RBUTTONDOWN: type = QEvent::MouseButtonPress; button = Qt::RightButton; break;
    case WM_RBUTTONUP: type = QEvent::MouseButtonRelease; button = Qt::RightButton; break;
    case WM_MBUTTONDOWN: type = QEvent::MouseButtonPress; button = Qt::MiddleButton; break;
    case WM_MBUTTONUP: type = QEvent::MouseButtonRelease; button = Qt::MiddleButton; break;
    default: break;
    }
    SendMouse(w->client, type, QPoint(x, y), button, buttons, mods);
}

int PumpPendingMessages() {
    int dispatched = 0;
    MSG msg;
    // A bound, so that a window that never validates itself cannot hold a test forever.
    while (dispatched < 100000 && PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT) break;
        PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        ++dispatched;
    }
    return dispatched;
}

int PumpMessagesFor(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    int dispatched = 0;
    while (clock.elapsed() < milliseconds) {
        const int n = PumpPendingMessages();
        dispatched += n;
        if (n == 0) QThread::msleep(2);
    }
    return dispatched;
}

std::string WindowTextUtf8(HWND hwnd) {
    PlatformWindow* w = LiveWindow(hwnd);
    if (w == nullptr || !w->widget) return {};
    QWidget* widget = w->widget;
    if (w->kind != WindowKind::Control) {
        char buffer[512];
        GetWindowTextA(hwnd, buffer, sizeof buffer);
        return Text1251(buffer).toStdString();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->text().toStdString();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text().toStdString();
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text().toStdString();
    // Group boxes and simple combo boxes show the text their window holds.
    char buffer[256];
    GetWindowTextA(hwnd, buffer, sizeof buffer);
    return Text1251(buffer).toStdString();
}
