// Messages: the queue, the loop calls over the toolkit's event loop, sending and dispatching,
// timers, accelerators, the key state and the translation of the toolkit's keys.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <array>
#include <deque>
#include <map>
#include <utility>

#include "platform/user_qt.h"

namespace {

std::deque<MSG> g_queue;
bool g_quitPosted = false;
int g_quitCode = 0;
std::array<bool, 256> g_keyDown{};

struct Timer {
    QTimer* timer = nullptr;
    bool pending = false;
    TIMERPROC proc = nullptr;
};
// By (window, id); a window timer with id 0 answers to the handle 1 as well.
std::map<std::pair<HWND, UINT_PTR>, Timer> g_timers;
constexpr UINT_PTR kHandleOfTimerZero = 1;

QElapsedTimer& Clock() {
    static QElapsedTimer clock;
    if (!clock.isValid()) clock.start();
    return clock;
}

// The modifier state travels with each input message, so GetKeyState answers as of the message
// being handled.
void TrackKeyState(const MSG& msg) {
    const bool input = (msg.message >= WM_KEYDOWN && msg.message <= WM_SYSKEYUP) ||
                       (msg.message >= WM_MOUSEMOVE && msg.message <= WM_MBUTTONDBLCLK);
    if (!input) return;
    g_keyDown[VK_SHIFT] = (msg.lPrivate & kPrivShift) != 0;
    g_keyDown[VK_CONTROL] = (msg.lPrivate & kPrivControl) != 0;
    g_keyDown[VK_MENU] = (msg.lPrivate & kPrivAlt) != 0;
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) g_keyDown[msg.wParam & 0xFF] = true;
    if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) g_keyDown[msg.wParam & 0xFF] = false;
    if (msg.message >= WM_MOUSEMOVE && msg.message <= WM_MBUTTONDBLCLK) {
        g_keyDown[VK_LBUTTON] = (msg.wParam & MK_LBUTTON) != 0;
        g_keyDown[VK_RBUTTON] = (msg.wParam & MK_RBUTTON) != 0;
        g_keyDown[VK_MBUTTON] = (msg.wParam & MK_MBUTTON) != 0;
    }
}

MSG MakeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD lPrivate) {
    MSG msg{};
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = MessageTime();
    const QPoint p = QCoreApplication::instance() != nullptr ? QCursor::pos() : QPoint();
    msg.pt = POINT{p.x(), p.y()};
    msg.lPrivate = lPrivate;
    return msg;
}

// Posted and input messages first, then the quit, then a paint, then a timer: the desktop's
// order, so that a paint waits until the input before it is handled.
bool TakeMessage(MSG* out, bool remove) {
    if (!g_queue.empty()) {
        *out = g_queue.front();
        if (remove) {
            g_queue.pop_front();
            TrackKeyState(*out);
            if (out->message == WM_MOUSEMOVE) ApplyClassCursor(out->hwnd);
        }
        return true;
    }
    if (g_quitPosted) {
        *out = MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(g_quitCode), 0, 0);
        if (remove) g_quitPosted = false;
        return true;
    }
    for (HWND hwnd : LiveWindows()) {
        PlatformWindow* w = LiveWindow(hwnd);
        if (w != nullptr && w->kind == WindowKind::Main && w->invalid) {
            *out = MakeMessage(hwnd, WM_PAINT, 0, 0, 0);
            return true;  // stays due until the window is validated
        }
    }
    for (auto& [key, timer] : g_timers) {
        if (timer.pending) {
            *out = MakeMessage(key.first, WM_TIMER, key.second, reinterpret_cast<LPARAM>(timer.proc), 0);
            if (remove) timer.pending = false;
            return true;
        }
    }
    return false;
}

void ProcessToolkitEvents(bool wait) {
    EnsureApplication();
    DeleteRetiredWidgets(false);
    QCoreApplication::processEvents(wait ? QEventLoop::WaitForMoreEvents : QEventLoop::AllEvents);
}

}  // namespace

DWORD MessageTime() { return static_cast<DWORD>(Clock().elapsed()); }

void QueueMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD lPrivate) {
    g_queue.push_back(MakeMessage(hwnd, message, wParam, lParam, lPrivate));
}

void QueueOrReplaceMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    for (MSG& m : g_queue) {
        if (m.hwnd == hwnd && m.message == message) {
            m.wParam = wParam;
            m.lParam = lParam;
            return;
        }
    }
    QueueMessage(hwnd, message, wParam, lParam);
}

void ForgetWindowInQueue(HWND hwnd) {
    if (hwnd == nullptr) {
        g_queue.clear();
        g_quitPosted = false;
        g_quitCode = 0;
        g_keyDown.fill(false);
        return;
    }
    g_queue.erase(std::remove_if(g_queue.begin(), g_queue.end(), [hwnd](const MSG& m) { return m.hwnd == hwnd; }),
                  g_queue.end());
}

SHORT GetKeyState(int virtualKey) {
    if (virtualKey < 0 || virtualKey > 255) return 0;
    return g_keyDown[static_cast<size_t>(virtualKey)] ? static_cast<SHORT>(0x8000) : 0;
}

// ---- Sending, posting, dispatching ----

LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    PlatformWindow* w = LiveWindow(hwnd);
    if (w == nullptr) return 0;
    switch (message) {
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_PAINT:
        ValidateRect(hwnd, nullptr);
        return 0;
    case WM_SETTEXT:
        w->title = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
        if (w->widget) w->widget->setWindowTitle(Text1251(w->title.c_str()));
        return TRUE;
    case WM_GETTEXT:
        return CopyText(w->title, reinterpret_cast<char*>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(w->title.size());
    default:
        return 0;
    }
}

LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    PlatformWindow* w = LiveWindow(hwnd);
    if (w == nullptr) return 0;
    switch (w->kind) {
    case WindowKind::Main:
        return w->wndProc != nullptr ? w->wndProc(hwnd, message, wParam, lParam)
                                     : DefWindowProcA(hwnd, message, wParam, lParam);
    case WindowKind::Dialog:
        return DialogDispatch(hwnd, message, wParam, lParam);
    case WindowKind::Control:
        return w->control != nullptr ? w->control->Handle(message, wParam, lParam) : 0;
    }
    return 0;
}

BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hwnd != nullptr && LiveWindow(hwnd) == nullptr) return FALSE;
    QueueMessage(hwnd, message, wParam, lParam);
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    g_quitPosted = true;
    g_quitCode = exitCode;
}

BOOL GetMessageA(MSG* msg, HWND, UINT, UINT) {
    if (msg == nullptr) return FALSE;
    for (;;) {
        ProcessToolkitEvents(false);
        if (TakeMessage(msg, true)) return msg->message == WM_QUIT ? FALSE : TRUE;
        ProcessToolkitEvents(true);
    }
}

BOOL PeekMessageA(MSG* msg, HWND, UINT, UINT, UINT removeFlags) {
    if (msg == nullptr) return FALSE;
    if (TakeMessage(msg, (removeFlags & PM_REMOVE) != 0)) return TRUE;
    ProcessToolkitEvents(false);
    return TakeMessage(msg, (removeFlags & PM_REMOVE) != 0) ? TRUE : FALSE;
}

BOOL TranslateMessage(const MSG* msg) {
    if (msg == nullptr || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
    if ((msg->lPrivate & kPrivHasChar) == 0) return FALSE;
    // The character comes next, before anything queued after the key.
    MSG ch = *msg;
    ch.message = WM_CHAR;
    ch.wParam = msg->lPrivate & 0xFF;
    ch.lPrivate = msg->lPrivate & ~kPrivHasChar;
    g_queue.push_front(ch);
    return TRUE;
}

LRESULT DispatchMessageA(const MSG* msg) {
    if (msg == nullptr || msg->hwnd == nullptr) return 0;
    if (msg->message == WM_TIMER && msg->lParam != 0) {
        auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        proc(msg->hwnd, WM_TIMER, msg->wParam, msg->time);
        return 0;
    }
    return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL IsDialogMessageA(HWND dialog, MSG* msg) {
    if (msg == nullptr || LiveWindow(dialog) == nullptr || msg->hwnd == nullptr) return FALSE;
    // Keys inside dialogs are handled where the toolkit delivers them; what arrives here for a
    // dialog is what was posted to it or to its controls.
    if (msg->hwnd != dialog) {
        PlatformWindow* w = LiveWindow(msg->hwnd);
        if (w == nullptr || w->kind != WindowKind::Control || w->parent != dialog) return FALSE;
    }
    DispatchMessageA(msg);
    return TRUE;
}

void NotifyParent(HWND control, WORD code) {
    PlatformWindow* c = LiveWindow(control);
    if (c == nullptr || LiveWindow(c->parent) == nullptr) return;
    SendMessageA(c->parent, WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(c->id), code),
                 reinterpret_cast<LPARAM>(control));
}

// ---- Timers ----

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc) {
    if (hwnd != nullptr && LiveWindow(hwnd) == nullptr) return 0;
    EnsureApplication();
    if (hwnd == nullptr) {
        // Thread timers get a fresh id.
        UINT_PTR next = 0x7F00;
        while (g_timers.count({nullptr, next}) != 0) ++next;
        id = next;
    }
    Timer& t = g_timers[{hwnd, id}];
    if (t.timer == nullptr) {
        t.timer = new QTimer();
        const std::pair<HWND, UINT_PTR> key{hwnd, id};
        QObject::connect(t.timer, &QTimer::timeout, [key]() {
            auto it = g_timers.find(key);
            if (it != g_timers.end()) it->second.pending = true;
        });
    }
    t.proc = proc;
    t.pending = false;
    t.timer->start(static_cast<int>(std::max<UINT>(elapseMs, 10)));
    if (hwnd == nullptr) return id;
    return id != 0 ? id : kHandleOfTimerZero;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    auto it = g_timers.find({hwnd, id});
    if (it == g_timers.end() && id == kHandleOfTimerZero) it = g_timers.find({hwnd, 0});
    if (it == g_timers.end()) return FALSE;
    delete it->second.timer;
    g_timers.erase(it);
    return TRUE;
}

void KillWindowTimers(HWND hwnd) {
    for (auto it = g_timers.begin(); it != g_timers.end();) {
        if (it->first.first == hwnd || hwnd == nullptr) {
            delete it->second.timer;
            it = g_timers.erase(it);
        } else {
            ++it;
        }
    }
}

// ---- Accelerators ----

struct PlatformAccel {
    std::vector<AccelResourceEntry> entries;
};

namespace {
std::vector<std::unique_ptr<PlatformAccel>> g_accels;

PlatformAccel* LiveAccel(HACCEL table) {
    for (auto& a : g_accels) {
        if (a.get() == table) return table;
    }
    return nullptr;
}
}  // namespace

HACCEL LoadAcceleratorsA(HINSTANCE instance, LPCSTR name) {
    const AccelResource* res = FindAccelResource(instance, name);
    if (res == nullptr) return nullptr;
    auto table = std::make_unique<PlatformAccel>();
    table->entries.assign(res->entries, res->entries + res->count);
    g_accels.push_back(std::move(table));
    return g_accels.back().get();
}

BOOL DestroyAcceleratorTable(HACCEL table) {
    for (auto it = g_accels.begin(); it != g_accels.end(); ++it) {
        if (it->get() == table) {
            g_accels.erase(it);
            return TRUE;
        }
    }
    return FALSE;
}

int TranslateAcceleratorA(HWND hwnd, HACCEL table, MSG* msg) {
    PlatformAccel* accel = LiveAccel(table);
    if (accel == nullptr || msg == nullptr || LiveWindow(hwnd) == nullptr) return 0;
    const bool keyDown = msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN;
    const bool charMsg = msg->message == WM_CHAR;
    if (!keyDown && !charMsg) return 0;
    const bool shift = (msg->lPrivate & kPrivShift) != 0;
    const bool ctrl = (msg->lPrivate & kPrivControl) != 0;
    const bool alt = (msg->lPrivate & kPrivAlt) != 0;
    for (const AccelResourceEntry& e : accel->entries) {
        const bool virtKey = (e.flags & FVIRTKEY) != 0;
        if (virtKey != keyDown || e.key != (msg->wParam & 0xFFFF)) continue;
        if (virtKey && (((e.flags & FSHIFT) != 0) != shift || ((e.flags & FCONTROL) != 0) != ctrl ||
                        ((e.flags & FALT) != 0) != alt)) {
            continue;
        }
        SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(e.cmd, 1), 0);
        return 1;
    }
    return 0;
}

void ReleaseAccelerators() { g_accels.clear(); }

// ---- Keys ----

namespace {

struct KeyPair {
    int from;
    int vk;
};

// X11 key codes of the physical keys whose virtual key does not follow from the character
// they type: the punctuation keys and the keypad's operators.
constexpr KeyPair kX11Keys[] = {
    {20, VK_OEM_MINUS}, {21, VK_OEM_PLUS}, {34, VK_OEM_4},      {35, VK_OEM_6},    {47, VK_OEM_1},
    {48, VK_OEM_7},     {49, VK_OEM_3},    {51, VK_OEM_5},      {59, VK_OEM_COMMA}, {60, VK_OEM_PERIOD},
    {61, VK_OEM_2},     {63, VK_MULTIPLY}, {82, VK_SUBTRACT},   {86, VK_ADD},      {106, VK_DIVIDE},
};

constexpr KeyPair kToolkitKeys[] = {
    {Qt::Key_Backspace, VK_BACK},  {Qt::Key_Tab, VK_TAB},          {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},   {Qt::Key_Enter, VK_RETURN},     {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},         {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_CapsLock, VK_CAPITAL}, {Qt::Key_Escape, VK_ESCAPE},   {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},    {Qt::Key_PageDown, VK_NEXT},    {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},       {Qt::Key_Left, VK_LEFT},        {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},     {Qt::Key_Down, VK_DOWN},        {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},   {Qt::Key_NumLock, VK_NUMLOCK},  {Qt::Key_Semicolon, VK_OEM_1},
    {Qt::Key_Colon, VK_OEM_1},     {Qt::Key_Equal, VK_OEM_PLUS},   {Qt::Key_Comma, VK_OEM_COMMA},
    {Qt::Key_Less, VK_OEM_COMMA},  {Qt::Key_Underscore, VK_OEM_MINUS}, {Qt::Key_Greater, VK_OEM_PERIOD},
    {Qt::Key_Question, VK_OEM_2},  {Qt::Key_QuoteLeft, VK_OEM_3},  {Qt::Key_AsciiTilde, VK_OEM_3},
    {Qt::Key_BracketLeft, VK_OEM_4}, {Qt::Key_BraceLeft, VK_OEM_4}, {Qt::Key_Backslash, VK_OEM_5},
    {Qt::Key_Bar, VK_OEM_5},       {Qt::Key_BracketRight, VK_OEM_6}, {Qt::Key_BraceRight, VK_OEM_6},
    {Qt::Key_Apostrophe, VK_OEM_7}, {Qt::Key_QuoteDbl, VK_OEM_7},  {Qt::Key_Exclam, '1'},
    {Qt::Key_At, '2'},             {Qt::Key_NumberSign, '3'},      {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'},        {Qt::Key_AsciiCircum, '6'},     {Qt::Key_Ampersand, '7'},
    {Qt::Key_ParenLeft, '9'},      {Qt::Key_ParenRight, '0'},
};

// Keys whose virtual key depends on whether they sit on the keypad.
struct PadKey {
    int qtKey;
    int mainVk;
    int padVk;
};
constexpr PadKey kPadKeys[] = {
    {Qt::Key_Slash, VK_OEM_2, VK_DIVIDE},       {Qt::Key_Asterisk, '8', VK_MULTIPLY},
    {Qt::Key_Plus, VK_OEM_PLUS, VK_ADD},        {Qt::Key_Minus, VK_OEM_MINUS, VK_SUBTRACT},
    {Qt::Key_Period, VK_OEM_PERIOD, VK_DECIMAL},
};

}  // namespace

int VirtualKeyFromToolkit(int qtKey, unsigned modifiers, unsigned nativeScanCode, bool x11) {
    const bool keypad = (modifiers & Qt::KeypadModifier) != 0;
    if (x11 && nativeScanCode != 0) {
        for (const KeyPair& k : kX11Keys) {
            if (static_cast<unsigned>(k.from) == nativeScanCode) return k.vk;
        }
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 'A' + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return keypad ? VK_NUMPAD0 + (qtKey - Qt::Key_0) : '0' + (qtKey - Qt::Key_0);
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return VK_F1 + (qtKey - Qt::Key_F1);
    for (const PadKey& k : kPadKeys) {
        if (k.qtKey == qtKey) return keypad ? k.padVk : k.mainVk;
    }
    for (const KeyPair& k : kToolkitKeys) {
        if (k.from == qtKey) return k.vk;
    }
    return 0;
}
