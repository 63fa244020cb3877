// Windows: the registry behind the handles, window classes, the main window with its surface,
// showing, enabling, focus, positions, texts, painting contexts and mouse capture.
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <QVariant>

#include <algorithm>
#include <map>
#include <unordered_set>

#include "platform/gdi_qt.h"
#include "platform/user_qt.h"

namespace {

std::vector<std::unique_ptr<PlatformWindow>> g_windows;
std::unordered_set<const PlatformWindow*> g_live;

struct WindowClass {
    std::string name;
    UINT style = 0;
    WNDPROC proc = nullptr;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
    const char* menuName = nullptr;
};
std::map<std::string, WindowClass> g_classes;

HWND g_capture = nullptr;
int g_handlerDepth = 0;
std::vector<QPointer<QWidget>> g_retired;
bool g_pumping = false;

constexpr const char* kHwndProperty = "korvinskHwnd";

void SendInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD lPrivate) {
    PlatformWindow* w = LiveWindow(hwnd);
    if (w == nullptr || !w->client || w->inputBlocked) return;
    QueueMessage(hwnd, message, wParam, lParam, lPrivate);
}

DWORD ModifierBits(Qt::KeyboardModifiers mods) {
    DWORD bits = 0;
    if (mods & Qt::ShiftModifier) bits |= kPrivShift;
    if (mods & Qt::ControlModifier) bits |= kPrivControl;
    if (mods & Qt::AltModifier) bits |= kPrivAlt;
    return bits;
}

WPARAM MouseKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods) {
    WPARAM keys = 0;
    if (buttons & Qt::LeftButton) keys |= MK_LBUTTON;
    if (buttons & Qt::RightButton) keys |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton) keys |= MK_MBUTTON;
    if (mods & Qt::ShiftModifier) keys |= MK_SHIFT;
    if (mods & Qt::ControlModifier) keys |= MK_CONTROL;
    return keys;
}

// The client area of a main window: shows the surface and turns the toolkit's input into
// the window's messages.
class SurfaceWidget final : public QWidget {
public:
    SurfaceWidget(HWND hwnd, QWidget* parent) : QWidget(parent), hwnd_(hwnd) {
        setFocusPolicy(Qt::StrongFocus);
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        PlatformWindow* w = LiveWindow(hwnd_);
        if (w == nullptr || w->surface.isNull()) {
            painter.fillRect(event->rect(), palette().window());
            return;
        }
        painter.drawImage(event->rect(), w->surface, event->rect());
        QRegion outside = QRegion(event->rect()) - QRegion(w->surface.rect());
        for (const QRect& r : outside) painter.fillRect(r, palette().window());
    }

    void resizeEvent(QResizeEvent*) override { ResizeSurface(hwnd_, width(), height()); }

    // Tab belongs to the program here, not to the focus chain.
    bool focusNextPrevChild(bool) override { return false; }

    void keyPressEvent(QKeyEvent* event) override { Key(event, true); }
    void keyReleaseEvent(QKeyEvent* event) override { Key(event, false); }

    void mousePressEvent(QMouseEvent* event) override { Mouse(event, event->button(), 0); }
    void mouseReleaseEvent(QMouseEvent* event) override { Mouse(event, event->button(), 1); }
    void mouseDoubleClickEvent(QMouseEvent* event) override { Mouse(event, event->button(), 2); }
    void mouseMoveEvent(QMouseEvent* event) override {
        const QPoint p = event->position().toPoint();
        SendInput(hwnd_, WM_MOUSEMOVE, MouseKeys(event->buttons(), event->modifiers()),
                  MAKELPARAM(static_cast<unsigned>(p.x()), static_cast<unsigned>(p.y())),
                  ModifierBits(event->modifiers()));
    }

private:
    void Key(QKeyEvent* event, bool down) {
        // The desktop repeats only the press of a held key; its release comes once.
        if (!down && event->isAutoRepeat()) return;
        const bool x11 = QGuiApplication::platformName() == QLatin1String("xcb");
        const int vk = VirtualKeyFromToolkit(event->key(), event->modifiers().toInt(),
                                             event->nativeScanCode(), x11);
        if (vk == 0) return;
        DWORD priv = ModifierBits(event->modifiers());
        const QString text = event->text();
        if (down && !text.isEmpty()) {
            const std::string bytes = To1251(text.left(1));
            priv |= kPrivHasChar | static_cast<unsigned char>(bytes[0]);
        }
        LPARAM lParam = 1;
        if (down && event->isAutoRepeat()) lParam |= KF_REPEAT_BIT;
        if (!down) lParam |= KF_REPEAT_BIT | KF_UP_BIT;
        const bool alt = (event->modifiers() & Qt::AltModifier) && vk != VK_MENU;
        const UINT message = down ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
        SendInput(hwnd_, message, static_cast<WPARAM>(vk), lParam, priv);
    }

    void Mouse(QMouseEvent* event, Qt::MouseButton button, int kind) {
        PlatformWindow* w = LiveWindow(hwnd_);
        UINT base = 0;
        if (button == Qt::LeftButton) base = WM_LBUTTONDOWN;
        else if (button == Qt::RightButton) base = WM_RBUTTONDOWN;
        else if (button == Qt::MiddleButton) base = WM_MBUTTONDOWN;
        if (base == 0 || w == nullptr) return;
        UINT message = base + static_cast<UINT>(kind);  // down, up, double click
        if (kind == 2 && (w->classStyle & CS_DBLCLKS) == 0) message = base;
        if (kind == 0 || kind == 2) setFocus(Qt::MouseFocusReason);
        const QPoint p = event->position().toPoint();
        SendInput(hwnd_, message, MouseKeys(event->buttons(), event->modifiers()),
                  MAKELPARAM(static_cast<unsigned>(p.x()), static_cast<unsigned>(p.y())),
                  ModifierBits(event->modifiers()));
    }

    HWND hwnd_;
};

class MainWindowWidget final : public QMainWindow {
public:
    explicit MainWindowWidget(HWND hwnd) : hwnd_(hwnd) {}

protected:
    void closeEvent(QCloseEvent* event) override {
        // The program decides: the close box asks, DefWindowProcA destroys. A disabled window's
        // close box does nothing.
        event->ignore();
        PlatformWindow* w = LiveWindow(hwnd_);
        if (w != nullptr && !w->inputBlocked) PostMessageA(hwnd_, WM_CLOSE, 0, 0);
    }

private:
    HWND hwnd_;
};

// A disabled main window keeps its look (the desktop does not grey a window that waits for a
// dialog) but no mouse or key reaches it, its menu or the windows inside it: the input is taken
// away where it reaches the window, before the toolkit could move the focus for a click. If the
// window is activated all the same, the dialog it waits for is activated again.
class BlockedInputFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
            return IsInputBlocked(watched);
        case QEvent::WindowActivate:
            if (watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow() && IsInputBlocked(watched)) {
                QTimer::singleShot(0, []() { ActivateModalDialog(); });
            }
            return false;
        default:
            return false;
        }
    }
};

void DestroyTree(HWND hwnd);

}  // namespace

// ---- Registry ----

bool IsInputBlocked(QObject* target) {
    if (target == nullptr) return false;
    QWidget* top = nullptr;
    if (target->isWidgetType()) {
        top = static_cast<QWidget*>(target)->window();
    } else if (auto* window = qobject_cast<QWindow*>(target)) {
        for (HWND hwnd : LiveWindows()) {
            PlatformWindow* w = LiveWindow(hwnd);
            if (w != nullptr && w->kind == WindowKind::Main && w->widget && w->widget->windowHandle() == window) {
                return w->inputBlocked;
            }
        }
        return false;
    }
    if (top == nullptr) return false;
    const QVariant v = top->property(kHwndProperty);
    if (!v.isValid()) return false;
    PlatformWindow* w = LiveWindow(reinterpret_cast<HWND>(v.value<quintptr>()));
    return w != nullptr && w->kind == WindowKind::Main && w->inputBlocked;
}

PlatformWindow* LiveWindow(HWND hwnd) {
    if (hwnd == nullptr) return nullptr;
    PlatformWindow* w = reinterpret_cast<PlatformWindow*>(hwnd);
    if (g_live.count(w) == 0 || w->destroyed) return nullptr;
    return w;
}

HWND NewWindow(WindowKind kind) {
    auto w = std::make_unique<PlatformWindow>();
    w->kind = kind;
    PlatformWindow* raw = w.get();
    g_windows.push_back(std::move(w));
    g_live.insert(raw);
    return raw;
}

void TagWidget(QWidget* widget, HWND hwnd) {
    widget->setProperty(kHwndProperty, QVariant::fromValue(reinterpret_cast<quintptr>(hwnd)));
}

HWND WindowOfWidget(QWidget* widget) {
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        const QVariant v = w->property(kHwndProperty);
        if (v.isValid()) {
            HWND hwnd = reinterpret_cast<HWND>(v.value<quintptr>());
            return LiveWindow(hwnd) != nullptr ? hwnd : nullptr;
        }
    }
    return nullptr;
}

std::vector<HWND> LiveWindows() {
    std::vector<HWND> out;
    for (auto& w : g_windows) {
        if (!w->destroyed) out.push_back(w.get());
    }
    return out;
}

HWND TopLevelOf(HWND hwnd) {
    PlatformWindow* w = LiveWindow(hwnd);
    while (w != nullptr && (w->kind == WindowKind::Control || (w->style & WS_CHILD) != 0)) {
        PlatformWindow* p = LiveWindow(w->parent);
        if (p == nullptr) break;
        hwnd = w->parent;
        w = p;
    }
    return w != nullptr ? hwnd : nullptr;
}

void EnsureApplication() {
    EnsurePlatformApplication();
    InstallDialogKeyFilter();
    static BlockedInputFilter* blocked = nullptr;
    if (blocked == nullptr) {
        blocked = new BlockedInputFilter(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(blocked);
    }
}

void InitPlatformWindows(int argc, char** argv) {
    if (QCoreApplication::instance() == nullptr) {
        static int s_argc;
        s_argc = argc;
        new QApplication(s_argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
    }
    EnsureApplication();
}

ToolkitHandlerScope::ToolkitHandlerScope() { ++g_handlerDepth; }
ToolkitHandlerScope::~ToolkitHandlerScope() { --g_handlerDepth; }

void RetireWidget(QWidget* widget) {
    if (widget == nullptr) return;
    widget->hide();
    g_retired.emplace_back(widget);
}

void DeleteRetiredWidgets(bool force) {
    if (g_handlerDepth > 0 && !force) return;
    std::vector<QPointer<QWidget>> retired;
    retired.swap(g_retired);
    for (auto& w : retired) delete w.data();
}

void PumpDisplay() {
    if (g_pumping || QCoreApplication::instance() == nullptr) return;
    g_pumping = true;
    {
        ToolkitHandlerScope scope;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    g_pumping = false;
}

// ---- Classes and main windows ----

ATOM RegisterClassExA(const WNDCLASSEXA* wc) {
    if (wc == nullptr || wc->lpszClassName == nullptr || wc->lpfnWndProc == nullptr) return 0;
    const std::string name = wc->lpszClassName;
    if (name.empty() || g_classes.count(name) != 0) return 0;
    WindowClass c;
    c.name = name;
    c.style = wc->style;
    c.proc = wc->lpfnWndProc;
    c.instance = wc->hInstance;
    c.icon = wc->hIcon;
    c.cursor = wc->hCursor;
    c.menuName = wc->lpszMenuName;
    g_classes[name] = c;
    return static_cast<ATOM>(0xC000 + g_classes.size());
}

HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR title, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE, void* param) {
    if (className == nullptr || IS_INTRESOURCE(className)) return nullptr;
    auto it = g_classes.find(className);
    if (it == g_classes.end()) return nullptr;
    const WindowClass& wc = it->second;
    EnsureApplication();

    HWND hwnd = NewWindow(WindowKind::Main);
    PlatformWindow* w = LiveWindow(hwnd);
    w->style = style;
    w->owner = parent;
    w->wndProc = wc.proc;
    w->classStyle = wc.style;
    w->classCursor = wc.cursor;
    w->title = title != nullptr ? title : "";

    auto* frame = new MainWindowWidget(hwnd);
    TagWidget(frame, hwnd);
    frame->setWindowTitle(Text1251(w->title.c_str()));
    PlatformIcon* icon = LiveIcon(wc.icon);
    if (icon != nullptr && !icon->image.isNull()) frame->setWindowIcon(QIcon(QPixmap::fromImage(icon->image)));
    auto* surface = new SurfaceWidget(hwnd, frame);
    TagWidget(surface, hwnd);
    frame->setCentralWidget(surface);
    w->widget = frame;
    w->client = surface;

    if (menu == nullptr && wc.menuName != nullptr) menu = LoadMenuA(wc.instance, wc.menuName);
    if (menu != nullptr) {
        w->menu = menu;
        frame->setMenuBar(static_cast<QMenuBar*>(CreateMenuBar(menu, hwnd)));
    }

    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect avail = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    const int wdt = width == CW_USEDEFAULT || width <= 0 ? avail.width() * 3 / 4 : width;
    const int hgt = width == CW_USEDEFAULT || height <= 0 ? avail.height() * 3 / 4 : height;
    frame->resize(wdt, hgt);
    if (x != CW_USEDEFAULT) frame->move(x, y);
    // Lay the frame out now, so that the client size is known before the window is shown.
    if (frame->layout() != nullptr) frame->layout()->activate();
    ResizeSurface(hwnd, surface->width(), surface->height());
    ForgetWindowInQueue(hwnd);  // no WM_SIZE before WM_CREATE

    if (SendMessageA(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(param)) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (LiveWindow(hwnd) == nullptr) return nullptr;
    if (style & WS_VISIBLE) ShowWindow(hwnd, (style & WS_MAXIMIZE) ? SW_MAXIMIZE : SW_SHOW);
    return hwnd;
}

void ResizeSurface(HWND hwnd, int width, int height) {
    PlatformWindow* w = LiveWindow(hwnd);
    if (w == nullptr || w->kind != WindowKind::Main) return;
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (w->surface.width() == width && w->surface.height() == height) return;
    for (HDC dc : w->dcs) ReleaseDCPainter(dc);
    QImage next(width, height, QImage::Format_RGB32);
    const DWORD face = GetSysColor(COLOR_BTNFACE);
    next.fill(QColor(GetRValue(face), GetGValue(face), GetBValue(face)));
    if (!w->surface.isNull()) {
        QPainter p(&next);
        p.drawImage(0, 0, w->surface);
    }
    w->surface = next;
    for (HDC dc : w->dcs) SetImageDCTarget(dc, &w->surface);
    w->invalid = true;
    w->eraseRequested = true;
    const bool maximized = w->widget && w->widget->isMaximized();
    QueueOrReplaceMessage(hwnd, WM_SIZE, maximized ? SIZE_MAXIMIZED : SIZE_RESTORED,
                          MAKELPARAM(static_cast<unsigned>(width), static_cast<unsigned>(height)));
}

namespace {

void SendDestroy(HWND hwnd) {
    PlatformWindow* w = LiveWindow(hwnd);
    if (w == nullptr) return;
    if (w->kind == WindowKind::Main && w->wndProc != nullptr) w->wndProc(hwnd, WM_DESTROY, 0, 0);
    if (w->kind == WindowKind::Dialog && w->dlgProc != nullptr) w->dlgProc(hwnd, WM_DESTROY, 0, 0);
}

void DestroyTree(HWND hwnd) {
    PlatformWindow* w = LiveWindow(hwnd);
    if (w == nullptr) return;
    // Owned popups go first, then the window hears of its end, then its children.
    for (HWND other : LiveWindows()) {
        PlatformWindow* o = LiveWindow(other);
        if (o != nullptr && o->owner == hwnd && (o->style & WS_CHILD) == 0 && o->kind != WindowKind::Control) {
            DestroyTree(other);
        }
    }
    SendDestroy(hwnd);
    for (HWND other : LiveWindows()) {
        PlatformWindow* o = LiveWindow(other);
        if (o != nullptr && o->parent == hwnd) DestroyTree(other);
    }
    w = LiveWindow(hwnd);
    if (w == nullptr) return;
    if (w->kind == WindowKind::Main) DestroyWindowMenu(hwnd);
    w->destroyed = true;
    g_live.erase(w);
    for (HDC dc : w->dcs) {
        SetImageDCTarget(dc, nullptr);
        DeleteDC(dc);
    }
    w->dcs.clear();
    KillWindowTimers(hwnd);
    ForgetWindowInQueue(hwnd);
    ForgetFocusAndCapture(hwnd);
    // Only the outermost widget is deleted; the toolkit deletes what it contains.
    PlatformWindow* p = reinterpret_cast<PlatformWindow*>(w->parent);
    const bool insideDestroyed = p != nullptr && p->destroyed && p->widget && w->widget &&
                                 p->widget->isAncestorOf(w->widget);
    if (!insideDestroyed) RetireWidget(w->widget);
    // The control's record stays with the window's: its widget may still report while it goes.
}

}  // namespace

BOOL DestroyWindow(HWND hwnd) {
    if (LiveWindow(hwnd) == nullptr) return FALSE;
    // A window is destroyed once, even if its WM_DESTROY handler asks again.
    DestroyTree(hwnd);
    DeleteRetiredWidgets(false);
    return TRUE;
}

BOOL IsWindow(HWND hwnd) { return LiveWindow(hwnd) != nullptr ? TRUE : FALSE; }

void ForgetFocusAndCapture(HWND hwnd) {
    if (g_capture == hwnd) g_capture = nullptr;
}

// ---- Showing, enabling, focus ----

BOOL ShowWindow(HWND hwnd, int command) {
    PlatformWindow* w = LiveWindow(hwnd);
    if (w == nullptr || !w->widget) return FALSE;
    QWidget* widget = w->widget;
    const BOOL wasVisible = widget->isVisible() ? TRUE : FALSE;
    switch (command) {
    case SW_HIDE:
        widget->hide();
        break;
    case SW_MAXIMIZE: {
        // Sized to the screen at once: without a window manager nobody else would, and with one
        // the program learns the final size from WM_SIZE.
        if (widget->isWindow()) {
            QScreen* screen = widget->screen() != nullptr ? widget->screen() : QGuiApplication::primaryScreen();
            if (screen != nullptr) widget->setGeometry(screen->availableGeometry());
            widget->showMaximized();
        } else {
            widget->show();
        }
        break;
    }
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
        widget->showMinimized();
        break;
    case SW_RESTORE:
        widget->showNormal();
        break;
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE: {
        const bool had = widget->testAttribute(Qt::WA_ShowWithoutActivating);
        widget->setAttribute(Qt::WA_ShowWithoutActivating, true);
        widget->show();
        widget->raise();
        widget->setAttribute(Qt::WA_ShowWithoutActivating, had);
        break;
    }
    default:
        widget->show();
        widget->raise();
        if (widget->isWindow()) widget->activateWindow();
        break;
    }
    if (widget->isWindow() && command != SW_HIDE) PumpDisplay();
    return wasVisible;
}

BOOL IsWindowVisible(HWND hwnd) {
    PlatformWindow* w = LiveWindow(hwnd);
    if (w == nullptr || !w->widget) return FALSE;
    if (w->kind == WindowKind::Control) return w->widget->isVisibleTo(w->widget->window()) && w->widget->window()->isVisible();
    return w->widget->isVisible() ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND hwnd) {
    PlatformWindow* w = LiveWindow(hwnd);
    if (w == nullptr) return FALSE;
    if (w->kind == WindowKind::Main && w->invalid) SendMessageA(hwnd, WM_PAINT, 0, 0);
    PumpDisplay();
    return TRUE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    PlatformWindow* w = LiveWindow(hwnd);
    if (w == nullptr) return FALSE;
    if (w->kind == WindowKind::Main) {
        const BOOL wasDisabled = w->inputBlocked ? TRUE : FALSE;
        w->inputBlocked = enable == FALSE;
        return wasDisabled;
    }
    if (!w->widget) return FALSE;
    const BOOL wasDisabled = w->widget->isEnabled() ? FALSE : TRUE;
    w->widget->setEnabled(enable != FALSE);
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND hwnd) {
    PlatformWindow* w = LiveWindow(hwnd);
    if (w == nullptr) return FALSE;
    if (w->kind == WindowKind::Main) return w->inputBlocked ? FALSE : TRUE;
    return w->widget && w->widget->isEnabled() ? TRUE : FALSE;
}

HWND GetFocus() {
    if (QCoreApplication::instance() == nullptr) return nullptr;
    return WindowOfWidget(QApplication::focusWidget());
}

namespace {

// The widget that takes the focus for a window.
QWidget* FocusTarget(PlatformWindow* w) {
    if (w->kind == WindowKind::Main) return w->client;
    if (w->kind == WindowKind::Control) {
        QWidget* widget = w->widget;
        if (widget != nullptr && widget->focusProxy() != nullptr) return widget->focusProxy();
        return widget;
    }
    for (HWND c : w->controls) {
        PlatformWindow* cw = LiveWindow(c);
        if (cw != nullptr && cw->widget && cw->widget->isEnabled() && cw->widget->focusPolicy() != Qt::NoFocus &&
            !cw->widget->isHidden()) {
            return FocusTarget(cw);
        }
    }
    return w->client;
}

}  // namespace

HWND SetFocus(HWND hwnd) {
    if (QCoreApplication::instance() == nullptr) return nullptr;
    const HWND previous = GetFocus();
    if (hwnd == nullptr) {
        QWidget* f = QApplication::focusWidget();
        if (f != nullptr) f->clearFocus();
        return previous;
    }
    PlatformWindow* w = LiveWindow(hwnd);
    if (w == nullptr) return nullptr;
    // A disabled window, or one inside a disabled main window, takes no focus.
    PlatformWindow* topWindow = LiveWindow(TopLevelOf(hwnd));
    if (w->inputBlocked || (topWindow != nullptr && topWindow->inputBlocked)) return nullptr;
    QWidget* target = FocusTarget(w);
    if (target == nullptr || !target->isEnabled()) return nullptr;
    if (target->isHidden() || !target->isVisibleTo(target->window())) {
        // A hidden control can hold no focus here; the focus leaves its window's controls.
        QWidget* f = target->window()->focusWidget();
        if (f != nullptr) f->clearFocus();
        return previous;
    }
    QWidget* top = target->window();
    if (top->isVisible() && !top->isActiveWindow() && !top->testAttribute(Qt::WA_ShowWithoutActivating)) {
        top->activateWindow();
    }
    target->setFocus(Qt::OtherFocusReason);
    return previous;
}

// ---- Positions and sizes ----

BOOL SetWindowPos(HWND hwnd, HWND, int x, int y, int width, int height, UINT flags) {
    PlatformWindow* w = LiveWindow(hwnd);
    if (w == nullptr || !w->widget) return FALSE;
    QWidget* widget = w->widget;
    if ((flags & SWP_NOMOVE) == 0) widget->move(x, y);
    if ((flags & SWP_NOSIZE) == 0) widget->resize(std::max(width, 0), std::max(height, 0));
    if (flags & SWP_SHOWWINDOW) ShowWindow(hwnd, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    if (flags & SWP_HIDEWINDOW) widget->hide();
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL) {
    return SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
    PlatformWindow* w = LiveWindow(hwnd);
    if (w == nullptr || rect == nullptr) return FALSE;
    QWidget* client = w->client ? w->client.data() : w->widget.data();
    if (client == nullptr) return FALSE;
    *rect = RECT{0, 0, client->width(), client->height()};
    return TRUE;
}

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
    PlatformWindow* w = LiveWindow(hwnd);
    if (w == nullptr || rect == nullptr || !w->widget) return FALSE;
    QWidget* widget = w->widget;
    const QRect frame = widget->isWindow() ? widget->frameGeometry() : widget->rect();
    const QPoint topLeft = widget->isWindow() ? frame.topLeft() : widget->mapToGlobal(QPoint(0, 0));
    *rect = RECT{topLeft.x(), topLeft.y(), topLeft.x() + frame.width(), topLeft.y() + frame.height()};
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, POINT* point) {
    PlatformWindow* w = LiveWindow(hwnd);
    if (w == nullptr || point == nullptr) return FALSE;
    QWidget* client = w->client ? w->client.data() : w->widget.data();
    if (client == nullptr) return FALSE;
    const QPoint p = client->mapToGlobal(QPoint(point->x, point->y));
    *point = POINT{p.x(), p.y()};
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* point) {
    PlatformWindow* w = LiveWindow(hwnd);
    if (w == nullptr || point == nullptr) return FALSE;
    QWidget* client = w->client ? w->client.data() : w->widget.data();
    if (client == nullptr) return FALSE;
    const QPoint p = client->mapFromGlobal(QPoint(point->x, point->y));
    *point = POINT{p.x(), p.y()};
    return TRUE;
}

BOOL GetCursorPos(POINT* point) {
    if (point == nullptr) return FALSE;
    const QPoint p = QCursor::pos();
    *point = POINT{p.x(), p.y()};
    return TRUE;
}

HWND GetParent(HWND hwnd) {
    PlatformWindow* w = LiveWindow(hwnd);
    if (w == nullptr) return nullptr;
    if (w->kind == WindowKind::Control || (w->style & WS_CHILD)) return LiveWindow(w->parent) ? w->parent : nullptr;
    return LiveWindow(w->owner) ? w->owner : nullptr;
}

// ---- Texts ----

BOOL SetWindowTextA(HWND hwnd, LPCSTR text) {
    return SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0 ? TRUE : FALSE;
}

int GetWindowTextA(HWND hwnd, LPSTR buffer, int size) {
    if (buffer == nullptr || size <= 0) return 0;
    buffer[0] = '\0';
    return static_cast<int>(SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthA(HWND hwnd) { return static_cast<int>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0)); }

// ---- Class cursor ----

ULONG_PTR SetClassLongA(HWND hwnd, int index, LONG_PTR value) {
    PlatformWindow* w = LiveWindow(hwnd);
    if (w == nullptr || w->kind != WindowKind::Main) return 0;
    if (index == GCL_HCURSOR) {
        const ULONG_PTR previous = reinterpret_cast<ULONG_PTR>(w->classCursor);
        w->classCursor = reinterpret_cast<HCURSOR>(value);
        return previous;
    }
    return 0;
}

ULONG_PTR GetClassLongA(HWND hwnd, int index) {
    PlatformWindow* w = LiveWindow(hwnd);
    if (w == nullptr || index != GCL_HCURSOR) return 0;
    return reinterpret_cast<ULONG_PTR>(w->classCursor);
}

void ApplyClassCursor(HWND hwnd) {
    PlatformWindow* w = LiveWindow(hwnd);
    if (w == nullptr || !w->client || g_capture != nullptr) return;
    PlatformIcon* icon = LiveIcon(w->classCursor);
    if (icon != nullptr) {
        w->client->setCursor(icon->Cursor());
        w->client->setProperty("korvinskCursor", QVariant::fromValue(reinterpret_cast<quintptr>(w->classCursor)));
    }
}

// ---- Painting ----

namespace {

HDC SurfaceDC(HWND hwnd) {
    PlatformWindow* w = LiveWindow(hwnd);
    if (w == nullptr || w->kind != WindowKind::Main) return nullptr;
    HDC dc = CreateImageDC(&w->surface);
    if (dc == nullptr) return nullptr;
    QPointer<QWidget> client = w->client;
    SetDCChangedCallback(dc, [client](const QRect& r) {
        if (client) client->update(r);
    });
    w->dcs.push_back(dc);
    return dc;
}

bool DropSurfaceDC(HWND hwnd, HDC hdc) {
    PlatformWindow* w = LiveWindow(hwnd);
    if (w == nullptr) return false;
    auto it = std::find(w->dcs.begin(), w->dcs.end(), hdc);
    if (it == w->dcs.end()) return false;
    w->dcs.erase(it);
    DeleteDC(hdc);
    if (w->client) w->client->update();
    return true;
}

}  // namespace

BOOL InvalidateRgn(HWND hwnd, HRGN, BOOL erase) { return InvalidateRect(hwnd, nullptr, erase); }

BOOL InvalidateRect(HWND hwnd, const RECT*, BOOL erase) {
    PlatformWindow* w = LiveWindow(hwnd);
    if (w == nullptr) return FALSE;
    if (w->kind == WindowKind::Main) {
        w->invalid = true;
        if (erase) w->eraseRequested = true;
    } else if (w->widget) {
        w->widget->update();
    }
    return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT*) {
    PlatformWindow* w = LiveWindow(hwnd);
    if (w == nullptr) return FALSE;
    w->invalid = false;
    w->eraseRequested = false;
    return TRUE;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
    PlatformWindow* w = LiveWindow(hwnd);
    if (w == nullptr || paint == nullptr || w->kind != WindowKind::Main) return nullptr;
    HDC dc = SurfaceDC(hwnd);
    *paint = PAINTSTRUCT{};
    paint->hdc = dc;
    paint->fErase = w->eraseRequested ? TRUE : FALSE;
    paint->rcPaint = RECT{0, 0, w->surface.width(), w->surface.height()};
    w->invalid = false;
    w->eraseRequested = false;
    return dc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint) {
    if (paint == nullptr) return FALSE;
    return DropSurfaceDC(hwnd, paint->hdc) ? TRUE : FALSE;
}

HDC GetDC(HWND hwnd) {
    if (hwnd == nullptr) {
        EnsureApplication();
        return CreateCompatibleDC(nullptr);
    }
    return SurfaceDC(hwnd);
}

int ReleaseDC(HWND hwnd, HDC hdc) {
    if (hwnd == nullptr) return DeleteDC(hdc) ? 1 : 0;
    return DropSurfaceDC(hwnd, hdc) ? 1 : 0;
}

// ---- Capture ----

HWND SetCapture(HWND hwnd) {
    const HWND previous = g_capture;
    if (LiveWindow(hwnd) != nullptr) g_capture = hwnd;
    return previous;
}

BOOL ReleaseCapture() {
    g_capture = nullptr;
    return TRUE;
}

HWND GetCapture() { return LiveWindow(g_capture) != nullptr ? g_capture : nullptr; }

// ---- The end ----

void ShutdownPlatformWindows() {
    for (HWND hwnd : LiveWindows()) {
        PlatformWindow* w = LiveWindow(hwnd);
        if (w != nullptr && w->kind != WindowKind::Control && (w->style & WS_CHILD) == 0) DestroyTree(hwnd);
    }
    for (HWND hwnd : LiveWindows()) DestroyTree(hwnd);
    WinHelpA(nullptr, nullptr, HELP_QUIT, 0);
    DeleteRetiredWidgets(true);
    g_windows.clear();
    g_live.clear();
    g_classes.clear();
    g_capture = nullptr;
    ReleaseAllPictures();
    ReleaseAllMenus();
    ReleaseAccelerators();
    KillWindowTimers(nullptr);
    ForgetWindowInQueue(nullptr);
}

int LiveWindowCount() { return static_cast<int>(g_live.size()); }
