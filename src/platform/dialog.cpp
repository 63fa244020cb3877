// Dialogs made from the resources' templates: layout in dialog units of the template's font,
// modal dialogs with a loop of their own, modeless popups and child windows, and the dialog
// keys (Enter, Escape, the close box).
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>

#include "platform/user_qt.h"
#include "platform/user_testing.h"

namespace {

DialogHook g_dialogHook = nullptr;
std::vector<HWND> g_modalDialogs;  // running modal dialogs, innermost last
void* g_dialogHookContext = nullptr;

constexpr int kDefaultScreenDpi = 96;

// A dialog as a window of its own.
class DialogWindow final : public QWidget {
public:
    DialogWindow(HWND hwnd, QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags), hwnd_(hwnd) {}

protected:
    void closeEvent(QCloseEvent* event) override {
        // The close box asks the dialog; what it does is the program's choice.
        event->ignore();
        if (LiveWindow(hwnd_) != nullptr) PostMessageA(hwnd_, WM_CLOSE, 0, 0);
    }

private:
    HWND hwnd_;
};

// The caption of a dialog that lives inside another window: its title, a close box, and a grip
// to move the window around its parent.
class ChildCaption final : public QWidget {
public:
    ChildCaption(HWND hwnd, const QString& title, bool closeBox, QWidget* parent) : QWidget(parent), hwnd_(hwnd) {
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, pal.color(QPalette::Highlight));
        pal.setColor(QPalette::WindowText, pal.color(QPalette::HighlightedText));
        setPalette(pal);
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(3, 1, 1, 1);
        layout->setSpacing(1);
        label_ = new QLabel(title, this);
        label_->setTextFormat(Qt::PlainText);
        QFont f = label_->font();
        f.setBold(true);
        label_->setFont(f);
        layout->addWidget(label_, 1);
        if (closeBox) {
            auto* close = new QToolButton(this);
            close->setText(QStringLiteral("\u00D7"));
            close->setAutoRaise(true);
            close->setFocusPolicy(Qt::NoFocus);
            close->setFixedSize(14, 14);
            const HWND hwnd = hwnd_;
            QObject::connect(close, &QToolButton::clicked, close, [hwnd]() {
                if (LiveWindow(hwnd) != nullptr) PostMessageA(hwnd, WM_CLOSE, 0, 0);
            });
            layout->addWidget(close);
        }
        setFixedHeight(std::max(16, QFontMetrics(f).height() + 2));
    }

    void SetTitle(const QString& title) { label_->setText(title); }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        grab_ = event->globalPosition().toPoint() - parentWidget()->pos();
        dragging_ = true;
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (!dragging_) return;
        QWidget* frame = parentWidget();
        QPoint p = event->globalPosition().toPoint() - grab_;
        if (frame->parentWidget() != nullptr) {
            const QRect room = frame->parentWidget()->rect();
            p.setX(std::clamp(p.x(), 0, std::max(0, room.width() - frame->width())));
            p.setY(std::clamp(p.y(), 0, std::max(0, room.height() - frame->height())));
        }
        frame->move(p);
    }
    void mouseReleaseEvent(QMouseEvent*) override { dragging_ = false; }

private:
    HWND hwnd_;
    QLabel* label_ = nullptr;
    QPoint grab_;
    bool dragging_ = false;
};

const char* MappedFace(const char* face) {
    if (face == nullptr) return "Liberation Sans";
    static const char* const kSansFaces[] = {"MS Sans Serif", "MS Shell Dlg", "MS Shell Dlg 2", "Arial",
                                             "Arial Cyr", "Microsoft Sans Serif", "Tahoma"};
    for (const char* f : kSansFaces) {
        if (std::strcmp(f, face) == 0) return "Liberation Sans";
    }
    return face;
}

// Enter clicks the focused push button, else the default one, else asks for IDOK; Escape asks
// for IDCANCEL. Both report as the click of that button would.
class DialogKeyFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool escape = key->key() == Qt::Key_Escape;
        if ((!enter && !escape) || key->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) return false;
        if (QApplication::activePopupWidget() != nullptr) return false;
        HWND target = WindowOfWidget(static_cast<QWidget*>(watched));
        PlatformWindow* w = LiveWindow(target);
        if (w == nullptr) return false;
        HWND dialog = w->kind == WindowKind::Control ? w->parent : target;
        PlatformWindow* d = LiveWindow(dialog);
        if (d == nullptr || d->kind != WindowKind::Dialog) return false;
        ToolkitHandlerScope scope;
        if (escape) {
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
            return true;
        }
        HWND button = nullptr;
        if (w->kind == WindowKind::Control && w->control != nullptr && w->control->IsPushButton()) button = target;
        if (button == nullptr) {
            for (HWND c : d->controls) {
                PlatformWindow* cw = LiveWindow(c);
                if (cw != nullptr && cw->control != nullptr && cw->control->IsDefaultButton() && cw->widget &&
                    cw->widget->isEnabled() && !cw->widget->isHidden()) {
                    button = c;
                    break;
                }
            }
        }
        const int id = button != nullptr ? LiveWindow(button)->id : IDOK;
        if (button == nullptr) button = GetDlgItem(dialog, IDOK);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
        return true;
    }
};

QPoint OwnerClientOrigin(HWND owner) {
    PlatformWindow* o = LiveWindow(owner);
    if (o == nullptr) return QPoint(0, 0);
    QWidget* client = o->client ? o->client.data() : o->widget.data();
    return client != nullptr ? client->mapToGlobal(QPoint(0, 0)) : QPoint(0, 0);
}

HWND MakeDialog(HINSTANCE instance, const DialogResource& tmpl, HWND owner, DLGPROC proc, LPARAM param, bool modal) {
    EnsureApplication();
    const bool child = (tmpl.style & WS_CHILD) != 0;
    PlatformWindow* ownerWindow = LiveWindow(owner);
    if (child && ownerWindow == nullptr) return nullptr;

    HWND hwnd = NewWindow(WindowKind::Dialog);
    PlatformWindow* d = LiveWindow(hwnd);
    d->style = tmpl.style;
    d->dlgProc = proc;
    d->templateId = tmpl.id;
    d->modal = modal;
    d->title = tmpl.caption != nullptr ? tmpl.caption : "";
    if (child) d->parent = owner;
    else d->owner = ownerWindow != nullptr ? TopLevelOf(owner) : nullptr;

    const QFont font = DialogFont(tmpl.fontFace, tmpl.fontSize);
    ComputeDialogBaseUnits(font, &d->baseX, &d->baseY);
    const int clientW = DialogUnitsToPixelsX(tmpl.cx, d->baseX);
    const int clientH = DialogUnitsToPixelsY(tmpl.cy, d->baseY);
    const bool caption = (tmpl.style & WS_CAPTION) == WS_CAPTION;
    const bool closeBox = caption && (tmpl.style & WS_SYSMENU) != 0;

    QWidget* outer = nullptr;
    QWidget* content = nullptr;
    if (child) {
        QWidget* parentClient = ownerWindow->client ? ownerWindow->client.data() : ownerWindow->widget.data();
        auto* frame = new QFrame(parentClient);
        frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
        frame->setLineWidth(1);
        frame->setAutoFillBackground(true);
        auto* layout = new QVBoxLayout(frame);
        layout->setContentsMargins(1, 1, 1, 1);
        layout->setSpacing(0);
        if (caption) layout->addWidget(new ChildCaption(hwnd, Text1251(d->title.c_str()), closeBox, frame));
        content = new QWidget(frame);
        content->setFixedSize(clientW, clientH);
        layout->addWidget(content);
        frame->adjustSize();
        frame->move(DialogUnitsToPixelsX(tmpl.x, d->baseX), DialogUnitsToPixelsY(tmpl.y, d->baseY));
        frame->hide();
        outer = frame;
    } else {
        QWidget* ownerTop = d->owner != nullptr && LiveWindow(d->owner)->widget ? LiveWindow(d->owner)->widget->window() : nullptr;
        Qt::WindowFlags flags = Qt::Dialog;
        if (caption) {
            flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
            if (closeBox) flags |= Qt::WindowCloseButtonHint;
        } else {
            flags |= Qt::FramelessWindowHint;
        }
        auto* window = new DialogWindow(hwnd, ownerTop, flags);
        window->setWindowTitle(Text1251(d->title.c_str()));
        window->setFixedSize(clientW, clientH);
        content = window;
        outer = window;
        QPoint pos;
        if (tmpl.style & DS_CENTER) {
            QScreen* screen = ownerTop != nullptr && ownerTop->screen() != nullptr ? ownerTop->screen()
                                                                                   : QGuiApplication::primaryScreen();
            const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
            pos = area.center() - QPoint(clientW / 2, clientH / 2);
        } else {
            const QPoint origin = (tmpl.style & DS_ABSALIGN) ? QPoint(0, 0) : OwnerClientOrigin(d->owner);
            pos = origin + QPoint(DialogUnitsToPixelsX(tmpl.x, d->baseX), DialogUnitsToPixelsY(tmpl.y, d->baseY));
        }
        window->move(pos);
    }
    TagWidget(outer, hwnd);
    content->setFont(font);
    if (content != outer) TagWidget(content, hwnd);
    d->widget = outer;
    d->client = content;

    for (int i = 0; i < tmpl.itemCount; ++i) {
        const DialogItemResource& item = tmpl.items[i];
        HWND c = NewWindow(WindowKind::Control);
        PlatformWindow* cw = LiveWindow(c);
        cw->style = item.style;
        cw->id = item.id;
        cw->parent = hwnd;
        cw->control = CreateControl(c, item, content, instance);
        QWidget* widget = cw->control != nullptr ? cw->control->Widget() : nullptr;
        if (widget == nullptr) continue;
        TagWidget(widget, c);
        int height = DialogUnitsToPixelsY(item.cy, d->baseY);
        // A drop-down combo box's height includes its list; on the dialog only the box shows.
        if (std::strcmp(item.className, "COMBOBOX") == 0 && (item.style & 3) != CBS_SIMPLE) {
            height = std::min(height, widget->sizeHint().height());
        }
        widget->setGeometry(DialogUnitsToPixelsX(item.x, d->baseX), DialogUnitsToPixelsY(item.y, d->baseY),
                            DialogUnitsToPixelsX(item.cx, d->baseX), height);
        widget->setEnabled((item.style & WS_DISABLED) == 0);
        widget->setVisible((item.style & WS_VISIBLE) != 0);
        cw->widget = widget;
        cw->client = widget;
        d->controls.push_back(c);
    }

    HWND firstTab = nullptr;
    for (HWND c : d->controls) {
        PlatformWindow* cw = LiveWindow(c);
        if (cw != nullptr && (cw->style & WS_TABSTOP) && (cw->style & WS_VISIBLE) && !(cw->style & WS_DISABLED)) {
            firstTab = c;
            break;
        }
    }
    const INT_PTR focusDefault = d->dlgProc != nullptr
                                     ? d->dlgProc(hwnd, WM_INITDIALOG, reinterpret_cast<WPARAM>(firstTab), param)
                                     : TRUE;
    if (LiveWindow(hwnd) == nullptr) return nullptr;
    if (modal || (tmpl.style & WS_VISIBLE)) ShowWindow(hwnd, SW_SHOW);
    if (focusDefault && firstTab != nullptr && LiveWindow(firstTab) != nullptr) SetFocus(firstTab);
    return hwnd;
}

}  // namespace

QFont DialogFont(const char* face, int points) {
    QFont font(QString::fromLatin1(MappedFace(face)));
    const int size = points > 0 ? points : 8;
    font.setPixelSize((size * kDefaultScreenDpi + 36) / 72);
    return font;
}

void ComputeDialogBaseUnits(const QFont& font, int* baseX, int* baseY) {
    const QFontMetrics fm(font);
    const int extent = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    *baseX = std::max(1, (extent / 26 + 1) / 2);
    *baseY = std::max(1, fm.height());
}

int DialogUnitsToPixelsX(int units, int baseX) {
    const int product = units * baseX;
    return product >= 0 ? (product + 2) / 4 : -((-product + 2) / 4);
}

int DialogUnitsToPixelsY(int units, int baseY) {
    const int product = units * baseY;
    return product >= 0 ? (product + 4) / 8 : -((-product + 4) / 8);
}

void InstallDialogKeyFilter() {
    static DialogKeyFilter* filter = nullptr;
    if (filter != nullptr || QCoreApplication::instance() == nullptr) return;
    filter = new DialogKeyFilter(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(filter);
}

void ActivateModalDialog() {
    for (auto it = g_modalDialogs.rbegin(); it != g_modalDialogs.rend(); ++it) {
        PlatformWindow* d = LiveWindow(*it);
        if (d != nullptr && d->widget && d->widget->isVisible()) {
            d->widget->activateWindow();
            return;
        }
    }
}

void SetDialogHook(DialogHook hook, void* context) {
    g_dialogHook = hook;
    g_dialogHookContext = context;
}

void RunDialogHook(HWND dialog) {
    PlatformWindow* d = LiveWindow(dialog);
    if (g_dialogHook != nullptr && d != nullptr) g_dialogHook(dialog, d->templateId, g_dialogHookContext);
}

LRESULT DialogDispatch(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    PlatformWindow* d = LiveWindow(dialog);
    if (d == nullptr) return 0;
    const INT_PTR handled = d->dlgProc != nullptr ? d->dlgProc(dialog, message, wParam, lParam) : FALSE;
    d = LiveWindow(dialog);
    if (handled || d == nullptr) return handled;
    switch (message) {
    case WM_CLOSE:
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
        return 0;
    case WM_SETTEXT: {
        d->title = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
        const QString title = Text1251(d->title.c_str());
        if (d->widget && d->widget->isWindow()) d->widget->setWindowTitle(title);
        if (d->widget) {
            if (auto* caption = d->widget->findChild<ChildCaption*>(QString(), Qt::FindDirectChildrenOnly)) {
                caption->SetTitle(title);
            }
        }
        return TRUE;
    }
    case WM_GETTEXT:
        return CopyText(d->title, reinterpret_cast<char*>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(d->title.size());
    default:
        return 0;
    }
}

INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC proc, LPARAM param) {
    const DialogResource* tmpl = FindDialogResource(instance, templateName);
    if (tmpl == nullptr) return -1;
    // The owner takes no input while the dialog runs, as soon as it exists.
    const HWND ownerTop = TopLevelOf(owner);
    const bool disableOwner = ownerTop != nullptr && IsWindowEnabled(ownerTop);
    if (disableOwner) EnableWindow(ownerTop, FALSE);
    const HWND dialog = MakeDialog(instance, *tmpl, owner, proc, param, true);
    INT_PTR result = -1;
    if (dialog != nullptr) {
        const bool hooked = g_dialogHook != nullptr;
        g_modalDialogs.push_back(dialog);
        RunDialogHook(dialog);
        MSG msg;
        int idleRounds = 0;
        while (LiveWindow(dialog) != nullptr && !LiveWindow(dialog)->ended) {
            BOOL got;
            if (hooked) {
                got = PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
                if (!got) {
                    // Driven by a test: nothing more will happen by itself.
                    if (++idleRounds > 2) EndDialog(dialog, -1);
                    continue;
                }
                idleRounds = 0;
            } else {
                got = GetMessageA(&msg, nullptr, 0, 0) ? TRUE : FALSE;
                if (!got) msg.message = WM_QUIT;
            }
            if (msg.message == WM_QUIT) {
                // The program is ending: leave the quit for the outer loop.
                PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            if (!IsDialogMessageA(dialog, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        g_modalDialogs.pop_back();
        // The record of a window outlives it, so the result is there however the dialog went.
        const PlatformWindow* record = reinterpret_cast<const PlatformWindow*>(dialog);
        result = record->ended ? record->result : 0;
        if (LiveWindow(dialog) != nullptr) DestroyWindow(dialog);
    }
    if (disableOwner && LiveWindow(ownerTop) != nullptr) {
        EnableWindow(ownerTop, TRUE);
        PlatformWindow* o = LiveWindow(ownerTop);
        if (o->widget && o->widget->isVisible()) o->widget->activateWindow();
    }
    return result;
}

HWND CreateDialogParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC proc, LPARAM param) {
    const DialogResource* tmpl = FindDialogResource(instance, templateName);
    if (tmpl == nullptr) return nullptr;
    const HWND dialog = MakeDialog(instance, *tmpl, owner, proc, param, false);
    if (dialog != nullptr) RunDialogHook(dialog);
    return dialog;
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
    PlatformWindow* d = LiveWindow(dialog);
    if (d == nullptr || d->kind != WindowKind::Dialog) return FALSE;
    d->result = result;
    d->ended = true;
    if (d->widget) d->widget->hide();
    // Ended from the toolkit's own handling of a click or a key, no message of the program is
    // on its way: without one the modal loop would wait on, its window gone, for good.
    if (d->modal) PostMessageA(nullptr, WM_NULL, 0, 0);
    return TRUE;
}

HWND GetDlgItem(HWND dialog, int id) {
    PlatformWindow* d = LiveWindow(dialog);
    if (d == nullptr) return nullptr;
    for (HWND c : d->controls) {
        PlatformWindow* cw = LiveWindow(c);
        if (cw != nullptr && cw->id == id) return c;
    }
    return nullptr;
}

int GetDlgCtrlID(HWND control) {
    PlatformWindow* c = LiveWindow(control);
    return c != nullptr && c->kind == WindowKind::Control ? c->id : 0;
}

LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageA(GetDlgItem(dialog, id), message, wParam, lParam);
}

BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text) { return SetWindowTextA(GetDlgItem(dialog, id), text); }

UINT GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int size) {
    return static_cast<UINT>(GetWindowTextA(GetDlgItem(dialog, id), buffer, size));
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
    HWND button = GetDlgItem(dialog, id);
    if (button == nullptr) return FALSE;
    SendMessageA(button, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
    return static_cast<UINT>(SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0));
}

BOOL MapDialogRect(HWND dialog, RECT* rect) {
    PlatformWindow* d = LiveWindow(dialog);
    if (d == nullptr || d->kind != WindowKind::Dialog || rect == nullptr) return FALSE;
    rect->left = DialogUnitsToPixelsX(rect->left, d->baseX);
    rect->right = DialogUnitsToPixelsX(rect->right, d->baseX);
    rect->top = DialogUnitsToPixelsY(rect->top, d->baseY);
    rect->bottom = DialogUnitsToPixelsY(rect->bottom, d->baseY);
    return TRUE;
}
