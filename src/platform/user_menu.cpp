// Menus: loaded from the resources, shown as the main window's menu bar or as a popup, with
// check marks and greyed items kept in step with the toolkit's actions.
#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <algorithm>
#include <functional>

#include "platform/user_qt.h"
#include "platform/user_testing.h"

struct PlatformMenu {
    struct Item {
        std::string text;  // Windows-1251
        UINT id = 0;
        UINT flags = 0;  // MF_CHECKED, MF_GRAYED, MF_POPUP, MF_SEPARATOR
        HMENU sub = nullptr;
        QPointer<QAction> action;  // while shown in a menu bar
    };
    std::vector<Item> items;
    HMENU parent = nullptr;
    HWND window = nullptr;  // the main window whose bar shows it
};

namespace {

std::vector<std::unique_ptr<PlatformMenu>> g_menus;
PopupMenuHook g_popupHook = nullptr;
void* g_popupHookContext = nullptr;

PlatformMenu* LiveMenu(HMENU menu) {
    if (menu == nullptr) return nullptr;
    for (auto& m : g_menus) {
        if (m.get() == menu) return menu;
    }
    return nullptr;
}

HMENU BuildMenu(const MenuResourceItem* items, int count, HMENU parent) {
    auto menu = std::make_unique<PlatformMenu>();
    PlatformMenu* raw = menu.get();
    raw->parent = parent;
    g_menus.push_back(std::move(menu));
    for (int i = 0; i < count; ++i) {
        const MenuResourceItem& r = items[i];
        PlatformMenu::Item item;
        item.text = r.text != nullptr ? r.text : "";
        item.id = r.id;
        item.flags = r.flags & (MF_CHECKED | MF_GRAYED | MF_POPUP | MF_SEPARATOR);
        if (r.flags & MF_POPUP) item.sub = BuildMenu(r.items, r.itemCount, raw);
        raw->items.push_back(item);
    }
    return raw;
}

// The item a command or position names; by command the popups are searched too.
PlatformMenu::Item* FindItem(HMENU menu, UINT item, UINT flags) {
    PlatformMenu* m = LiveMenu(menu);
    if (m == nullptr) return nullptr;
    if (flags & MF_BYPOSITION) {
        return item < m->items.size() ? &m->items[item] : nullptr;
    }
    for (PlatformMenu::Item& it : m->items) {
        if (it.sub != nullptr) {
            if (PlatformMenu::Item* found = FindItem(it.sub, item, flags)) return found;
        } else if ((it.flags & MF_SEPARATOR) == 0 && it.id == item) {
            return &it;
        }
    }
    return nullptr;
}

// An unchecked item shows no check box at all, as on the desktop the menus come from.
void SyncAction(const PlatformMenu::Item& item) {
    if (!item.action) return;
    item.action->setEnabled((item.flags & MF_GRAYED) == 0);
    const bool checked = (item.flags & MF_CHECKED) != 0;
    if (item.sub == nullptr) item.action->setCheckable(checked);
    if (item.action->isCheckable()) item.action->setChecked(checked);
}

// A menu of the bar closed with Escape leaves the bar holding the keyboard, its title lit, so
// the keys would not reach the plan. Once no menu is open any more, the bar lets go and the
// keys go to the window's client area again.
void ReturnKeysAfterMenu(QMenuBar* bar, HWND hwnd) {
    if (QApplication::activePopupWidget() != nullptr) return;
    if (QApplication::focusWidget() != bar) return;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(bar, &press);
    PlatformWindow* w = LiveWindow(hwnd);
    if (QApplication::focusWidget() == bar && w != nullptr && w->client) w->client->setFocus(Qt::OtherFocusReason);
}

void DestroyMenuTree(HMENU menu) {
    PlatformMenu* m = LiveMenu(menu);
    if (m == nullptr) return;
    for (PlatformMenu::Item& it : m->items) {
        if (it.sub != nullptr) DestroyMenuTree(it.sub);
    }
    g_menus.erase(std::remove_if(g_menus.begin(), g_menus.end(), [m](const auto& p) { return p.get() == m; }),
                  g_menus.end());
}

// Fills a toolkit menu from ours. Chosen commands go to the sink; the check marks stay ours,
// whatever the toolkit would toggle by itself.
void FillMenu(QMenu* target, HMENU menu, const std::function<void(UINT)>& sink, bool keepActions) {
    PlatformMenu* m = LiveMenu(menu);
    if (m == nullptr) return;
    for (PlatformMenu::Item& it : m->items) {
        if (it.flags & MF_SEPARATOR) {
            target->addSeparator();
            continue;
        }
        if (it.sub != nullptr) {
            QMenu* sub = target->addMenu(Text1251(it.text.c_str()));
            FillMenu(sub, it.sub, sink, keepActions);
            if (keepActions) it.action = sub->menuAction();
            SyncAction(it);
            continue;
        }
        QAction* action = target->addAction(Text1251(it.text.c_str()));
        const UINT id = it.id;
        const HMENU owner = menu;
        QObject::connect(action, &QAction::triggered, action, [id, owner, sink, action]() {
            PlatformMenu::Item* item = FindItem(owner, id, MF_BYCOMMAND);
            if (item != nullptr && action->isCheckable()) action->setChecked((item->flags & MF_CHECKED) != 0);
            sink(id);
        });
        if (keepActions) {
            it.action = action;
            SyncAction(it);
        } else {
            action->setEnabled((it.flags & MF_GRAYED) == 0);
            if (it.flags & MF_CHECKED) {
                action->setCheckable(true);
                action->setChecked(true);
            }
        }
    }
}

}  // namespace

HMENU LoadMenuA(HINSTANCE instance, LPCSTR name) {
    const MenuResource* res = FindMenuResource(instance, name);
    if (res == nullptr) return nullptr;
    return BuildMenu(res->items, res->itemCount, nullptr);
}

BOOL DestroyMenu(HMENU menu) {
    if (LiveMenu(menu) == nullptr) return FALSE;
    DestroyMenuTree(menu);
    return TRUE;
}

HMENU GetMenu(HWND hwnd) {
    PlatformWindow* w = LiveWindow(hwnd);
    return w != nullptr && LiveMenu(w->menu) != nullptr ? w->menu : nullptr;
}

HMENU GetSubMenu(HMENU menu, int position) {
    PlatformMenu* m = LiveMenu(menu);
    if (m == nullptr || position < 0 || static_cast<size_t>(position) >= m->items.size()) return nullptr;
    return m->items[static_cast<size_t>(position)].sub;
}

int GetMenuItemCount(HMENU menu) {
    PlatformMenu* m = LiveMenu(menu);
    return m != nullptr ? static_cast<int>(m->items.size()) : -1;
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags) {
    PlatformMenu::Item* it = FindItem(menu, item, flags);
    if (it == nullptr) return static_cast<DWORD>(-1);
    const DWORD previous = it->flags & MF_CHECKED;
    it->flags = (it->flags & ~MF_CHECKED) | (flags & MF_CHECKED);
    SyncAction(*it);
    return previous;
}

BOOL EnableMenuItem(HMENU menu, UINT item, UINT flags) {
    PlatformMenu::Item* it = FindItem(menu, item, flags);
    if (it == nullptr) return -1;
    const BOOL previous = static_cast<BOOL>(it->flags & (MF_GRAYED | MF_DISABLED));
    it->flags = (it->flags & ~(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
    SyncAction(*it);
    return previous;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
    PlatformMenu::Item* it = FindItem(menu, item, flags);
    if (it == nullptr) return static_cast<UINT>(-1);
    return it->flags;
}

int GetMenuStringA(HMENU menu, UINT item, LPSTR buffer, int size, UINT flags) {
    PlatformMenu::Item* it = FindItem(menu, item, flags);
    if (it == nullptr) return 0;
    if (buffer == nullptr) return static_cast<int>(it->text.size());
    return CopyText(it->text, buffer, size);
}

UINT GetMenuItemID(HMENU menu, int position) {
    PlatformMenu* m = LiveMenu(menu);
    if (m == nullptr || position < 0 || static_cast<size_t>(position) >= m->items.size()) return static_cast<UINT>(-1);
    const PlatformMenu::Item& it = m->items[static_cast<size_t>(position)];
    if (it.sub != nullptr) return static_cast<UINT>(-1);
    return (it.flags & MF_SEPARATOR) ? 0 : it.id;
}

QWidget* CreateMenuBar(HMENU menu, HWND hwnd) {
    PlatformMenu* m = LiveMenu(menu);
    auto* bar = new QMenuBar();
    if (m == nullptr) return bar;
    m->window = hwnd;
    auto sink = [hwnd](UINT id) {
        if (LiveWindow(hwnd) != nullptr) PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    };
    for (PlatformMenu::Item& it : m->items) {
        if (it.sub != nullptr) {
            QMenu* sub = bar->addMenu(Text1251(it.text.c_str()));
            FillMenu(sub, it.sub, sink, true);
            it.action = sub->menuAction();
            // Queued: moving from one menu to the next closes the first before the next opens.
            QObject::connect(sub, &QMenu::aboutToHide, bar, [bar, hwnd]() {
                QTimer::singleShot(0, bar, [bar, hwnd]() { ReturnKeysAfterMenu(bar, hwnd); });
            });
        } else if ((it.flags & MF_SEPARATOR) == 0) {
            QAction* action = bar->addAction(Text1251(it.text.c_str()));
            const UINT id = it.id;
            QObject::connect(action, &QAction::triggered, action, [sink, id]() { sink(id); });
            it.action = action;
        }
        SyncAction(it);
    }
    return bar;
}

void DestroyWindowMenu(HWND hwnd) {
    PlatformWindow* w = LiveWindow(hwnd);
    if (w == nullptr) return;
    if (w->menu != nullptr) DestroyMenuTree(w->menu);
    w->menu = nullptr;
}

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, const TPMPARAMS*) {
    if (LiveMenu(menu) == nullptr) return FALSE;
    UINT chosen = 0;
    if (g_popupHook != nullptr) {
        chosen = g_popupHook(menu, x, y, g_popupHookContext);
    } else {
        EnsureApplication();
        QMenu popup;
        FillMenu(&popup, menu, [&chosen](UINT id) { chosen = id; }, false);
        ToolkitHandlerScope scope;
        popup.exec(QPoint(x, y));
    }
    if (flags & TPM_RETURNCMD) return static_cast<BOOL>(chosen);
    if (chosen != 0 && LiveWindow(owner) != nullptr) PostMessageA(owner, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
    return TRUE;
}

void SetPopupMenuHook(PopupMenuHook hook, void* context) {
    g_popupHook = hook;
    g_popupHookContext = context;
}

std::string MenuItemTextUtf8(HMENU menu, UINT id) {
    PlatformMenu::Item* it = FindItem(menu, id, MF_BYCOMMAND);
    if (it == nullptr) return {};
    QString text = Text1251(it->text.c_str());
    if (it->action) text = it->action->text();
    return text.toStdString();
}

bool MenuItemShownChecked(HMENU menu, UINT id) {
    PlatformMenu::Item* it = FindItem(menu, id, MF_BYCOMMAND);
    return it != nullptr && it->action && it->action->isCheckable() && it->action->isChecked();
}

bool MenuItemShowsBox(HMENU menu, UINT id) {
    PlatformMenu::Item* it = FindItem(menu, id, MF_BYCOMMAND);
    return it != nullptr && it->action && it->action->isCheckable();
}

void UserEscapeFromMenu(HWND window, int position) {
    PlatformWindow* w = LiveWindow(window);
    PlatformMenu* m = LiveMenu(GetMenu(window));
    if (w == nullptr || !w->widget || m == nullptr || position < 0 ||
        static_cast<size_t>(position) >= m->items.size())
        return;
    QAction* title = m->items[static_cast<size_t>(position)].action;
    QMenuBar* bar = w->widget->findChild<QMenuBar*>();
    if (title == nullptr || bar == nullptr) return;
    bar->setActiveAction(title);
    QCoreApplication::processEvents();
    QWidget* popup = QApplication::activePopupWidget();
    if (popup == nullptr) return;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(popup, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(popup, &release);
}

bool ClientHasKeyboard(HWND window) {
    PlatformWindow* w = LiveWindow(window);
    return w != nullptr && w->client && QApplication::focusWidget() == w->client.data();
}

void UserChooseMenuItem(HWND window, UINT id) {
    PlatformMenu::Item* it = FindItem(GetMenu(window), id, MF_BYCOMMAND);
    if (it != nullptr && it->action && it->action->isEnabled()) it->action->trigger();
}

int LiveMenuCount() { return static_cast<int>(g_menus.size()); }

void ReleaseAllMenus() { g_menus.clear(); }
