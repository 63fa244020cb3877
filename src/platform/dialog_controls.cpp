// The controls of dialogs: buttons, edits, statics, list boxes and combo boxes, each answering
// its messages and reporting to its dialog as the desktop's controls do.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>
#include <functional>

#include "platform/gdi_qt.h"
#include "platform/user_qt.h"

namespace {

void Notify(HWND control, WORD code) {
    ToolkitHandlerScope scope;
    NotifyParent(control, code);
}

std::string TextArg(LPARAM lParam) { return lParam != 0 ? std::string(reinterpret_cast<const char*>(lParam)) : std::string(); }

// A text that tells of progress (the loading window's) is shown at once, even while the program
// is busy in a handler and the loop does not run.
void ShowNow(QWidget* widget) {
    if (widget->window()->isVisible()) PumpDisplay();
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    if (prefix.size() > text.size()) return false;
    return CompareListText(text.substr(0, prefix.size()), prefix) == 0;
}

// Focus entering and leaving a control made of several widgets, reported once each way.
class FocusWatcher final : public QObject {
public:
    FocusWatcher(QWidget* outer, std::function<void(bool)> report) : QObject(outer), outer_(outer), report_(std::move(report)) {}
    void Watch(QWidget* w) { w->installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut) return false;
        auto* fe = static_cast<QFocusEvent*>(event);
        if (fe->reason() == Qt::PopupFocusReason) return false;
        if (event->type() == QEvent::FocusIn && !inside_) {
            inside_ = true;
            report_(true);
        } else if (event->type() == QEvent::FocusOut && inside_) {
            QWidget* now = QApplication::focusWidget();
            if (now == nullptr || (now != outer_ && !outer_->isAncestorOf(now))) {
                inside_ = false;
                report_(false);
            }
        }
        return false;
    }

private:
    QWidget* outer_;
    std::function<void(bool)> report_;
    bool inside_ = false;
};

// ---- Buttons ----

template <class Base>
class ButtonWidget final : public Base {
public:
    ButtonWidget(HWND hwnd, DWORD style, QWidget* parent) : Base(parent), hwnd_(hwnd), style_(style) {}

protected:
    void focusInEvent(QFocusEvent* event) override {
        Base::focusInEvent(event);
        if ((style_ & BS_NOTIFY) && event->reason() != Qt::PopupFocusReason) Notify(hwnd_, BN_SETFOCUS);
    }
    void focusOutEvent(QFocusEvent* event) override {
        Base::focusOutEvent(event);
        if ((style_ & BS_NOTIFY) && event->reason() != Qt::PopupFocusReason) Notify(hwnd_, BN_KILLFOCUS);
    }
    // Only the automatic kinds change their check by themselves; the others wait for the
    // program's BM_SETCHECK.
    void nextCheckState() override {
        const DWORD type = style_ & BS_TYPEMASK;
        if (type == BS_AUTOCHECKBOX || type == BS_AUTO3STATE) {
            Base::nextCheckState();
        } else if (type == BS_AUTORADIOBUTTON) {
            this->setChecked(true);
            UncheckGroupMates();
        }
    }

private:
    // The other automatic radio buttons of the group (a run of controls that starts at a
    // WS_GROUP control) are unchecked.
    void UncheckGroupMates() {
        PlatformWindow* self = LiveWindow(hwnd_);
        PlatformWindow* dialog = self != nullptr ? LiveWindow(self->parent) : nullptr;
        if (dialog == nullptr) return;
        const auto& controls = dialog->controls;
        const auto at = std::find(controls.begin(), controls.end(), hwnd_);
        if (at == controls.end()) return;
        size_t first = static_cast<size_t>(at - controls.begin());
        while (first > 0 && (LiveWindow(controls[first])->style & WS_GROUP) == 0) --first;
        for (size_t i = first; i < controls.size(); ++i) {
            PlatformWindow* c = LiveWindow(controls[i]);
            if (c == nullptr) continue;
            if (i > first && (c->style & WS_GROUP)) break;
            if (controls[i] != hwnd_ && (c->style & BS_TYPEMASK) == BS_AUTORADIOBUTTON && c->kind == WindowKind::Control) {
                SendMessageA(controls[i], BM_SETCHECK, BST_UNCHECKED, 0);
            }
        }
    }

    HWND hwnd_;
    DWORD style_;
};

class ButtonControl final : public Control {
public:
    ButtonControl(HWND hwnd, const DialogItemResource& item, QWidget* parent) : style_(item.style) {
        text_ = item.text != nullptr ? item.text : "";
        const DWORD type = style_ & BS_TYPEMASK;
        const bool checkKind = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
                               type == BS_AUTO3STATE || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
        if (checkKind && (style_ & BS_PUSHLIKE) == 0) {
            if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) {
                auto* radio = new ButtonWidget<QRadioButton>(hwnd, style_, parent);
                radio->setAutoExclusive(false);
                button_ = radio;
            } else {
                auto* check = new ButtonWidget<QCheckBox>(hwnd, style_, parent);
                check->setTristate(type == BS_3STATE || type == BS_AUTO3STATE);
                button_ = check;
            }
        } else {
            auto* push = new ButtonWidget<QPushButton>(hwnd, style_, parent);
            push->setAutoDefault(false);
            push->setDefault(type == BS_DEFPUSHBUTTON);
            push->setCheckable(checkKind);
            button_ = push;
            push_ = !checkKind;
        }
        if ((style_ & (BS_BITMAP | BS_ICON)) == 0) button_->setText(Text1251(text_.c_str()));
        button_->setFocusPolicy((style_ & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
        QObject::connect(button_, &QAbstractButton::clicked, button_, [hwnd]() { Notify(hwnd, BN_CLICKED); });
    }

    QWidget* Widget() override { return button_; }
    bool IsPushButton() const override { return push_; }
    bool IsDefaultButton() const override { return (style_ & BS_TYPEMASK) == BS_DEFPUSHBUTTON; }

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_SETTEXT:
            text_ = TextArg(lParam);
            if ((style_ & (BS_BITMAP | BS_ICON)) == 0) button_->setText(Text1251(text_.c_str()));
            ShowNow(button_);
            return TRUE;
        case WM_GETTEXT:
            return CopyText(text_, reinterpret_cast<char*>(lParam), static_cast<int>(wParam));
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(text_.size());
        case BM_GETCHECK: {
            auto* check = qobject_cast<QCheckBox*>(button_);
            if (check != nullptr && check->checkState() == Qt::PartiallyChecked) return BST_INDETERMINATE;
            return button_->isChecked() ? BST_CHECKED : BST_UNCHECKED;
        }
        case BM_SETCHECK: {
            auto* check = qobject_cast<QCheckBox*>(button_);
            if (check != nullptr && check->isTristate() && wParam == BST_INDETERMINATE) {
                check->setCheckState(Qt::PartiallyChecked);
            } else if (button_->isCheckable()) {
                button_->setChecked(wParam == BST_CHECKED);
            }
            return 0;
        }
        case BM_CLICK:
            button_->click();
            return 0;
        case BM_GETIMAGE:
            return reinterpret_cast<LRESULT>(image_);
        case BM_SETIMAGE: {
            const LRESULT previous = reinterpret_cast<LRESULT>(image_);
            QImage picture;
            if (wParam == IMAGE_BITMAP) {
                QImage* source = GetBitmapImage(reinterpret_cast<HBITMAP>(lParam));
                if (source != nullptr) picture = *source;
            } else if (wParam == IMAGE_ICON) {
                PlatformIcon* icon = LiveIcon(reinterpret_cast<HICON>(lParam));
                if (icon != nullptr) picture = icon->image;
            }
            image_ = reinterpret_cast<void*>(lParam);
            if (!picture.isNull()) {
                button_->setIcon(QIcon(QPixmap::fromImage(picture)));
                // A picture larger than its button is shown smaller rather than cut.
                const QSize room(std::max(8, button_->width() - 6), std::max(8, button_->height() - 6));
                button_->setIconSize(picture.size().boundedTo(room));
            } else {
                button_->setIcon(QIcon());
            }
            return previous;
        }
        default:
            return 0;
        }
    }

private:
    DWORD style_;
    std::string text_;
    QAbstractButton* button_ = nullptr;
    bool push_ = false;
    void* image_ = nullptr;
};

// A group box as the desktop draws it: the frame's top line runs through the middle of the
// title, so the controls placed just below the title sit inside the frame.
class GroupFrame final : public QWidget {
public:
    explicit GroupFrame(QWidget* parent) : QWidget(parent) {
        setFocusPolicy(Qt::NoFocus);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    void SetTitle(const QString& title) {
        title_ = title;
        update();
    }
    QString Title() const { return title_; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QFontMetrics fm(font());
        const int top = fm.height() / 2;
        const QRect frame = rect().adjusted(0, top, -1, -1);
        p.setPen(palette().color(QPalette::Mid));
        p.drawRect(frame.adjusted(0, 0, -1, -1));
        p.setPen(palette().color(QPalette::Light));
        p.drawRect(frame.adjusted(1, 1, 0, 0));
        if (title_.isEmpty()) return;
        const QRect text(8, 0, fm.horizontalAdvance(title_) + 4, fm.height());
        p.fillRect(text, palette().color(QPalette::Window));
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(text, Qt::AlignCenter, title_);
    }

private:
    QString title_;
};

class GroupBoxControl final : public Control {
public:
    GroupBoxControl(const DialogItemResource& item, QWidget* parent) {
        text_ = item.text != nullptr ? item.text : "";
        box_ = new GroupFrame(parent);
        box_->SetTitle(Text1251(text_.c_str()));
    }
    QWidget* Widget() override { return box_; }
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_SETTEXT:
            text_ = TextArg(lParam);
            box_->SetTitle(Text1251(text_.c_str()));
            return TRUE;
        case WM_GETTEXT:
            return CopyText(text_, reinterpret_cast<char*>(lParam), static_cast<int>(wParam));
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(text_.size());
        default:
            return 0;
        }
    }
    QString Title() const { return box_->Title(); }

private:
    std::string text_;
    GroupFrame* box_;
};

// ---- Edits ----

class EditWidget final : public QLineEdit {
public:
    EditWidget(HWND hwnd, QWidget* parent) : QLineEdit(parent), hwnd_(hwnd) {}

protected:
    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        if (event->reason() != Qt::PopupFocusReason) Notify(hwnd_, EN_SETFOCUS);
    }
    void focusOutEvent(QFocusEvent* event) override {
        QLineEdit::focusOutEvent(event);
        if (event->reason() != Qt::PopupFocusReason) Notify(hwnd_, EN_KILLFOCUS);
    }

private:
    HWND hwnd_;
};

class EditControl final : public Control {
public:
    EditControl(HWND hwnd, const DialogItemResource& item, QWidget* parent) : hwnd_(hwnd) {
        edit_ = new EditWidget(hwnd, parent);
        edit_->setFrame((item.style & WS_BORDER) != 0);
        edit_->setReadOnly((item.style & ES_READONLY) != 0);
        if (item.style & ES_CENTER) edit_->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        if (item.style & ES_RIGHT) edit_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        edit_->setFocusPolicy((item.style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
        edit_->setText(Text1251(item.text));
        QObject::connect(edit_, &QLineEdit::textEdited, edit_, [hwnd]() { Notify(hwnd, EN_CHANGE); });
    }

    QWidget* Widget() override { return edit_; }

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_SETTEXT: {
            {
                const QSignalBlocker block(edit_);
                edit_->setText(Text1251(TextArg(lParam).c_str()));
            }
            // As on the desktop, a text set by the program is a change too.
            Notify(hwnd_, EN_CHANGE);
            return TRUE;
        }
        case WM_GETTEXT:
            return CopyText(To1251(edit_->text()), reinterpret_cast<char*>(lParam), static_cast<int>(wParam));
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(edit_->text().size());
        case EM_SETSEL: {
            const int start = static_cast<int>(static_cast<intptr_t>(wParam));
            const int end = static_cast<int>(lParam);
            if (start < 0) {
                edit_->deselect();
            } else {
                const int stop = end < 0 ? static_cast<int>(edit_->text().size()) : end;
                edit_->setSelection(start, stop - start);
            }
            return 0;
        }
        case EM_LIMITTEXT:
            edit_->setMaxLength(wParam == 0 ? 32767 : static_cast<int>(std::min<WPARAM>(wParam, 32767)));
            return 0;
        case EM_SETREADONLY:
            edit_->setReadOnly(wParam != 0);
            return TRUE;
        default:
            return 0;
        }
    }

private:
    HWND hwnd_;
    QLineEdit* edit_;
};

// ---- Statics ----

class StaticControl final : public Control {
public:
    StaticControl(const DialogItemResource& item, QWidget* parent, HINSTANCE instance) : style_(item.style) {
        text_ = item.text != nullptr ? item.text : "";
        label_ = new QLabel(parent);
        label_->setTextFormat(Qt::PlainText);
        label_->setFocusPolicy(Qt::NoFocus);
        const DWORD type = style_ & SS_TYPEMASK;
        if (type == SS_ICON) {
            SetIcon(LoadIconA(instance, MAKEINTRESOURCEA(item.imageId)));
        } else {
            label_->setWordWrap(true);
            Qt::Alignment align = Qt::AlignTop;
            align |= type == SS_CENTER ? Qt::AlignHCenter : type == SS_RIGHT ? Qt::AlignRight : Qt::AlignLeft;
            label_->setAlignment(align);
            label_->setText(Text1251(text_.c_str()));
        }
        if (style_ & SS_SUNKEN) label_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }

    QWidget* Widget() override { return label_; }

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_SETTEXT:
            text_ = TextArg(lParam);
            if ((style_ & SS_TYPEMASK) != SS_ICON) label_->setText(Text1251(text_.c_str()));
            ShowNow(label_);
            return TRUE;
        case WM_GETTEXT:
            return CopyText(text_, reinterpret_cast<char*>(lParam), static_cast<int>(wParam));
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(text_.size());
        case STM_SETICON: {
            const LRESULT previous = reinterpret_cast<LRESULT>(icon_);
            SetIcon(reinterpret_cast<HICON>(wParam));
            return previous;
        }
        default:
            return 0;
        }
    }

private:
    void SetIcon(HICON icon) {
        icon_ = icon;
        PlatformIcon* picture = LiveIcon(icon);
        if (picture != nullptr && !picture->image.isNull()) label_->setPixmap(QPixmap::fromImage(picture->image));
        else label_->clear();
    }

    DWORD style_;
    std::string text_;
    QLabel* label_;
    HICON icon_ = nullptr;
};

// ---- List boxes ----

class ListWidget final : public QListWidget {
public:
    ListWidget(HWND hwnd, bool notify, QWidget* parent) : QListWidget(parent), hwnd_(hwnd), notify_(notify) {}

protected:
    void focusInEvent(QFocusEvent* event) override {
        QListWidget::focusInEvent(event);
        if (event->reason() != Qt::PopupFocusReason) Notify(hwnd_, LBN_SETFOCUS);
    }
    void focusOutEvent(QFocusEvent* event) override {
        QListWidget::focusOutEvent(event);
        if (event->reason() != Qt::PopupFocusReason) Notify(hwnd_, LBN_KILLFOCUS);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        QListWidget::mouseDoubleClickEvent(event);
        if (notify_) Notify(hwnd_, LBN_DBLCLK);
    }

private:
    HWND hwnd_;
    bool notify_;
};

// The items of a list (of a list box or of a combo box's list): Windows-1251 texts with a value
// each, kept beside the toolkit's widget.
struct ListItem {
    std::string text;
    LPARAM data = 0;
};

// Where a text goes in a sorted list: after every item not greater than it.
int SortedPosition(const std::vector<ListItem>& items, const std::string& text) {
    int pos = 0;
    while (pos < static_cast<int>(items.size()) && CompareListText(items[static_cast<size_t>(pos)].text, text) <= 0) ++pos;
    return pos;
}

int FindText(const std::vector<ListItem>& items, WPARAM start, const std::string& text, bool exact) {
    const int count = static_cast<int>(items.size());
    if (count == 0) return -1;
    const int from = static_cast<int>(static_cast<intptr_t>(start));
    const int first = from < 0 || from >= count ? 0 : from + 1;
    for (int k = 0; k < count; ++k) {
        const int i = (first + k) % count;
        const std::string& t = items[static_cast<size_t>(i)].text;
        if (exact ? CompareListText(t, text) == 0 : StartsWithNoCase(t, text)) return i;
    }
    return -1;
}

class ListBoxControl final : public Control {
public:
    ListBoxControl(HWND hwnd, const DialogItemResource& item, QWidget* parent) : style_(item.style) {
        list_ = new ListWidget(hwnd, (style_ & LBS_NOTIFY) != 0, parent);
        list_->setFocusPolicy((style_ & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
        list_->setSelectionMode((style_ & LBS_EXTENDEDSEL)   ? QAbstractItemView::ExtendedSelection
                                : (style_ & LBS_MULTIPLESEL) ? QAbstractItemView::MultiSelection
                                                             : QAbstractItemView::SingleSelection);
        list_->setVerticalScrollBarPolicy((style_ & WS_VSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        if ((style_ & WS_BORDER) == 0) list_->setFrameShape(QFrame::NoFrame);
        list_->setUniformItemSizes(true);
        const bool notify = (style_ & LBS_NOTIFY) != 0;
        QObject::connect(list_, &QListWidget::itemSelectionChanged, list_, [this, hwnd, notify]() {
            if (quiet_ == 0 && notify) Notify(hwnd, LBN_SELCHANGE);
        });
    }

    QWidget* Widget() override { return list_; }
    bool Multiple() const { return (style_ & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL)) != 0; }
    QListWidget* List() { return list_; }

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
        const int count = static_cast<int>(items_.size());
        const int index = static_cast<int>(static_cast<intptr_t>(wParam));
        switch (message) {
        case LB_ADDSTRING:
            return Insert((style_ & LBS_SORT) ? SortedPosition(items_, TextArg(lParam)) : count, TextArg(lParam));
        case LB_INSERTSTRING:
            if (index > count) return LB_ERR;
            return Insert(index < 0 ? count : index, TextArg(lParam));
        case LB_DELETESTRING: {
            if (index < 0 || index >= count) return LB_ERR;
            Quiet q(this);
            items_.erase(items_.begin() + index);
            delete list_->takeItem(index);
            return static_cast<LRESULT>(items_.size());
        }
        case LB_RESETCONTENT: {
            Quiet q(this);
            items_.clear();
            list_->clear();
            return 0;
        }
        case LB_SETCURSEL: {
            if (Multiple()) return LB_ERR;
            Quiet q(this);
            list_->clearSelection();
            if (index < 0 || index >= count) return LB_ERR;
            list_->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
            list_->scrollToItem(list_->item(index));
            return index;
        }
        case LB_GETCURSEL: {
            if (Multiple()) return list_->currentRow() >= 0 ? list_->currentRow() : LB_ERR;
            const auto selected = list_->selectedItems();
            return selected.isEmpty() ? LB_ERR : list_->row(selected.front());
        }
        case LB_SETSEL: {
            if (!Multiple()) return LB_ERR;
            const int which = static_cast<int>(lParam);
            if (which >= count) return LB_ERR;
            Quiet q(this);
            for (int i = 0; i < count; ++i) {
                if (which < 0 || which == i) list_->item(i)->setSelected(wParam != 0);
            }
            return 0;
        }
        case LB_GETSEL:
            if (index < 0 || index >= count) return LB_ERR;
            return list_->item(index)->isSelected() ? 1 : 0;
        case LB_GETTEXT:
            if (index < 0 || index >= count || lParam == 0) return LB_ERR;
            return CopyText(items_[static_cast<size_t>(index)].text, reinterpret_cast<char*>(lParam),
                            static_cast<int>(items_[static_cast<size_t>(index)].text.size() + 1));
        case LB_GETTEXTLEN:
            if (index < 0 || index >= count) return LB_ERR;
            return static_cast<LRESULT>(items_[static_cast<size_t>(index)].text.size());
        case LB_GETCOUNT:
            return count;
        case LB_GETSELCOUNT:
            if (!Multiple()) return LB_ERR;
            return static_cast<LRESULT>(list_->selectedItems().size());
        case LB_GETSELITEMS: {
            if (!Multiple()) return LB_ERR;
            auto* out = reinterpret_cast<int*>(lParam);
            int n = 0;
            for (int i = 0; i < count && n < static_cast<int>(wParam) && out != nullptr; ++i) {
                if (list_->item(i)->isSelected()) out[n++] = i;
            }
            return n;
        }
        case LB_GETITEMDATA:
            if (index < 0 || index >= count) return LB_ERR;
            return items_[static_cast<size_t>(index)].data;
        case LB_SETITEMDATA:
            if (index < 0 || index >= count) return LB_ERR;
            items_[static_cast<size_t>(index)].data = lParam;
            return LB_OKAY;
        case LB_INITSTORAGE:
            items_.reserve(items_.size() + wParam);
            return static_cast<LRESULT>(items_.size() + wParam);
        case LB_FINDSTRING:
            return FindText(items_, wParam, TextArg(lParam), false);
        case LB_FINDSTRINGEXACT:
            return FindText(items_, wParam, TextArg(lParam), true);
        case LB_SETTOPINDEX:
            if (index < 0 || index >= count) return LB_ERR;
            list_->scrollToItem(list_->item(index), QAbstractItemView::PositionAtTop);
            return 0;
        case WM_GETTEXT:
            return CopyText(std::string(), reinterpret_cast<char*>(lParam), static_cast<int>(wParam));
        default:
            return 0;
        }
    }

private:
    // Changes made by the program report nothing; only the user's do.
    struct Quiet {
        explicit Quiet(ListBoxControl* c) : control(c) { ++control->quiet_; }
        ~Quiet() { --control->quiet_; }
        ListBoxControl* control;
    };

    LRESULT Insert(int pos, const std::string& text) {
        Quiet q(this);
        items_.insert(items_.begin() + pos, ListItem{text, 0});
        list_->insertItem(pos, Text1251(text.c_str()));
        return pos;
    }

    DWORD style_;
    QListWidget* list_;
    std::vector<ListItem> items_;
    int quiet_ = 0;
};

// ---- Combo boxes ----

// The simple combo box: an edit over a list that is always shown.
class SimpleComboWidget final : public QWidget {
public:
    explicit SimpleComboWidget(QWidget* parent) : QWidget(parent) {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(1);
        edit = new QLineEdit(this);
        list = new QListWidget(this);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setUniformItemSizes(true);
        list->setFocusPolicy(Qt::ClickFocus);
        layout->addWidget(edit);
        layout->addWidget(list, 1);
        setFocusProxy(edit);
    }
    QLineEdit* edit;
    QListWidget* list;
};

class ComboBoxControl final : public Control {
public:
    ComboBoxControl(HWND hwnd, const DialogItemResource& item, QWidget* parent) : hwnd_(hwnd), style_(item.style) {
        const DWORD kind = style_ & 3;
        const Qt::FocusPolicy policy = (style_ & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus;
        auto* watcher = static_cast<FocusWatcher*>(nullptr);
        auto report = [hwnd](bool in) { Notify(hwnd, in ? CBN_SETFOCUS : CBN_KILLFOCUS); };
        if (kind == CBS_SIMPLE) {
            simple_ = new SimpleComboWidget(parent);
            simple_->setFocusPolicy(policy);
            simple_->edit->setFocusPolicy(policy);
            outer_ = simple_;
            watcher = new FocusWatcher(simple_, report);
            watcher->Watch(simple_->edit);
            watcher->Watch(simple_->list);
            QObject::connect(simple_->edit, &QLineEdit::textEdited, simple_, [this](const QString& t) { OnTyped(t); });
            QObject::connect(simple_->list, &QListWidget::itemClicked, simple_,
                             [this](QListWidgetItem* it) { OnChosen(simple_->list->row(it)); });
            QObject::connect(simple_->list, &QListWidget::itemDoubleClicked, simple_, [this, hwnd](QListWidgetItem* it) {
                OnChosen(simple_->list->row(it));
                Notify(hwnd, CBN_DBLCLK);
            });
            simple_->edit->installEventFilter(new ArrowKeys(this, simple_));
        } else {
            combo_ = new QComboBox(parent);
            combo_->setFocusPolicy(policy);
            combo_->setMaxVisibleItems(12);
            outer_ = combo_;
            watcher = new FocusWatcher(combo_, report);
            watcher->Watch(combo_);
            if (kind == CBS_DROPDOWN) {
                combo_->setEditable(true);
                combo_->setInsertPolicy(QComboBox::NoInsert);
                combo_->setCompleter(nullptr);
                watcher->Watch(combo_->lineEdit());
                QObject::connect(combo_->lineEdit(), &QLineEdit::textEdited, combo_, [this](const QString& t) { OnTyped(t); });
            }
            QObject::connect(combo_, qOverload<int>(&QComboBox::activated), combo_, [this](int i) {
                if (quiet_ == 0) OnChosen(i);
            });
        }
    }

    QWidget* Widget() override { return outer_; }

    // What the user's choice of a line does (also used by tests acting as the user).
    void OnChosen(int index) {
        if (index < 0 || index >= static_cast<int>(items_.size())) return;
        cursel_ = index;
        ShowSelection(true);
        Notify(hwnd_, CBN_SELCHANGE);
    }

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
        const int count = static_cast<int>(items_.size());
        const int index = static_cast<int>(static_cast<intptr_t>(wParam));
        switch (message) {
        case CB_ADDSTRING:
            return Insert((style_ & CBS_SORT) ? SortedPosition(items_, TextArg(lParam)) : count, TextArg(lParam));
        case CB_INSERTSTRING:
            if (index > count) return CB_ERR;
            return Insert(index < 0 ? count : index, TextArg(lParam));
        case CB_DELETESTRING: {
            if (index < 0 || index >= count) return CB_ERR;
            items_.erase(items_.begin() + index);
            if (cursel_ == index) cursel_ = -1;
            else if (cursel_ > index) --cursel_;
            Rebuild();
            return static_cast<LRESULT>(items_.size());
        }
        case CB_RESETCONTENT:
            items_.clear();
            cursel_ = -1;
            Rebuild();
            SetEditText(QString());
            return CB_OKAY;
        case CB_SETCURSEL:
            if (index < 0 || index >= count) {
                cursel_ = -1;
                ShowSelection(true);
                return CB_ERR;
            }
            cursel_ = index;
            ShowSelection(true);
            return index;
        case CB_GETCURSEL:
            return cursel_ >= 0 ? cursel_ : CB_ERR;
        case CB_GETCOUNT:
            return count;
        case CB_GETLBTEXT:
            if (index < 0 || index >= count || lParam == 0) return CB_ERR;
            return CopyText(items_[static_cast<size_t>(index)].text, reinterpret_cast<char*>(lParam),
                            static_cast<int>(items_[static_cast<size_t>(index)].text.size() + 1));
        case CB_GETLBTEXTLEN:
            if (index < 0 || index >= count) return CB_ERR;
            return static_cast<LRESULT>(items_[static_cast<size_t>(index)].text.size());
        case CB_GETITEMDATA:
            if (index < 0 || index >= count) return CB_ERR;
            return items_[static_cast<size_t>(index)].data;
        case CB_SETITEMDATA:
            if (index < 0 || index >= count) return CB_ERR;
            items_[static_cast<size_t>(index)].data = lParam;
            return CB_OKAY;
        case CB_INITSTORAGE:
            items_.reserve(items_.size() + wParam);
            return static_cast<LRESULT>(items_.size() + wParam);
        case CB_FINDSTRING:
            return FindText(items_, wParam, TextArg(lParam), false);
        case CB_FINDSTRINGEXACT:
            return FindText(items_, wParam, TextArg(lParam), true);
        case WM_SETTEXT: {
            const std::string text = TextArg(lParam);
            if (HasEdit()) {
                // The edit shows the text; the list's selection stays what it was.
                SetEditText(Text1251(text.c_str()));
                return TRUE;
            }
            const int found = FindText(items_, static_cast<WPARAM>(-1), text, true);
            if (found < 0) return CB_ERR;
            cursel_ = found;
            ShowSelection(false);
            return TRUE;
        }
        case WM_GETTEXT:
            return CopyText(CurrentText(), reinterpret_cast<char*>(lParam), static_cast<int>(wParam));
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(CurrentText().size());
        default:
            return 0;
        }
    }

    int Count() const { return static_cast<int>(items_.size()); }

private:
    // Up and Down in a simple combo box's edit walk its list, as on the desktop.
    class ArrowKeys final : public QObject {
    public:
        ArrowKeys(ComboBoxControl* control, QObject* parent) : QObject(parent), control_(control) {}

    protected:
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() != QEvent::KeyPress) return false;
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key != Qt::Key_Up && key != Qt::Key_Down) return false;
            const int next = std::clamp(control_->cursel_ + (key == Qt::Key_Down ? 1 : -1), 0, control_->Count() - 1);
            if (control_->Count() > 0 && next != control_->cursel_) control_->OnChosen(next);
            return true;
        }

    private:
        ComboBoxControl* control_;
    };

    bool HasEdit() const { return (style_ & 3) != CBS_DROPDOWNLIST; }

    std::string CurrentText() const {
        if (simple_ != nullptr) return To1251(simple_->edit->text());
        if (combo_->isEditable()) return To1251(combo_->lineEdit()->text());
        return cursel_ >= 0 ? items_[static_cast<size_t>(cursel_)].text : std::string();
    }

    void SetEditText(const QString& text) {
        if (simple_ != nullptr) simple_->edit->setText(text);
        else if (combo_->isEditable()) combo_->lineEdit()->setText(text);
    }

    // Typing in the edit selects the first line that begins with the text, or none.
    void OnTyped(const QString& typed) {
        const std::string text = To1251(typed);
        cursel_ = text.empty() ? -1 : FindText(items_, static_cast<WPARAM>(-1), text, false);
        ShowSelection(false);
        Notify(hwnd_, CBN_EDITCHANGE);
    }

    // Shows cursel_ in the widget; with setText the edit takes the line's text too.
    void ShowSelection(bool setText) {
        ++quiet_;
        const QString text = cursel_ >= 0 ? Text1251(items_[static_cast<size_t>(cursel_)].text.c_str()) : QString();
        if (simple_ != nullptr) {
            simple_->list->clearSelection();
            if (cursel_ >= 0) {
                simple_->list->setCurrentRow(cursel_, QItemSelectionModel::ClearAndSelect);
                simple_->list->scrollToItem(simple_->list->item(cursel_));
            }
            if (setText) simple_->edit->setText(text);
        } else if (combo_->isEditable()) {
            const QString keep = combo_->lineEdit()->text();
            combo_->setCurrentIndex(cursel_);
            combo_->lineEdit()->setText(setText ? text : keep);
        } else {
            combo_->setCurrentIndex(cursel_);
        }
        --quiet_;
    }

    LRESULT Insert(int pos, const std::string& text) {
        items_.insert(items_.begin() + pos, ListItem{text, 0});
        if (cursel_ >= pos) ++cursel_;
        ++quiet_;
        if (simple_ != nullptr) {
            simple_->list->insertItem(pos, Text1251(text.c_str()));
        } else {
            const QString keep = combo_->isEditable() ? combo_->lineEdit()->text() : QString();
            combo_->insertItem(pos, Text1251(text.c_str()));
            combo_->setCurrentIndex(cursel_);  // the toolkit would select the first line by itself
            if (combo_->isEditable()) combo_->lineEdit()->setText(keep);
        }
        --quiet_;
        ShowSelection(false);
        return pos;
    }

    void Rebuild() {
        ++quiet_;
        if (simple_ != nullptr) {
            simple_->list->clear();
            for (const ListItem& it : items_) simple_->list->addItem(Text1251(it.text.c_str()));
        } else {
            const QString keep = combo_->isEditable() ? combo_->lineEdit()->text() : QString();
            combo_->clear();
            for (const ListItem& it : items_) combo_->addItem(Text1251(it.text.c_str()));
            combo_->setCurrentIndex(cursel_);
            if (combo_->isEditable()) combo_->lineEdit()->setText(keep);
        }
        --quiet_;
        ShowSelection(false);
    }

    HWND hwnd_;
    DWORD style_;
    QWidget* outer_ = nullptr;
    QComboBox* combo_ = nullptr;
    SimpleComboWidget* simple_ = nullptr;
    std::vector<ListItem> items_;
    int cursel_ = -1;
    int quiet_ = 0;
};

bool SameClass(const char* a, const char* b) {
    if (a == nullptr) return false;
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        const char ca = (*a >= 'a' && *a <= 'z') ? static_cast<char>(*a - 32) : *a;
        if (ca != *b) return false;
    }
    return *a == *b;
}

}  // namespace

std::unique_ptr<Control> CreateControl(HWND hwnd, const DialogItemResource& item, QWidget* parent, HINSTANCE instance) {
    if (SameClass(item.className, "BUTTON")) {
        if ((item.style & BS_TYPEMASK) == BS_GROUPBOX) return std::make_unique<GroupBoxControl>(item, parent);
        return std::make_unique<ButtonControl>(hwnd, item, parent);
    }
    if (SameClass(item.className, "EDIT")) return std::make_unique<EditControl>(hwnd, item, parent);
    if (SameClass(item.className, "STATIC")) return std::make_unique<StaticControl>(item, parent, instance);
    if (SameClass(item.className, "LISTBOX")) return std::make_unique<ListBoxControl>(hwnd, item, parent);
    if (SameClass(item.className, "COMBOBOX")) return std::make_unique<ComboBoxControl>(hwnd, item, parent);
    return nullptr;
}

// ---- For tests acting as the user ----

QListWidget* ControlListWidget(HWND control) {
    PlatformWindow* c = LiveWindow(control);
    if (c == nullptr || c->kind != WindowKind::Control || c->control == nullptr) return nullptr;
    if (auto* list = dynamic_cast<ListBoxControl*>(c->control.get())) return list->List();
    if (auto* simple = dynamic_cast<SimpleComboWidget*>(c->widget.data())) return simple->list;
    return nullptr;
}

bool ChooseComboLine(HWND control, int index) {
    PlatformWindow* c = LiveWindow(control);
    if (c == nullptr || c->kind != WindowKind::Control) return false;
    auto* combo = dynamic_cast<ComboBoxControl*>(c->control.get());
    if (combo == nullptr || index < 0 || index >= combo->Count()) return false;
    combo->OnChosen(index);
    return true;
}
