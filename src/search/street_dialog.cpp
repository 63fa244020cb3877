// "Where is street, where is house": the street and house lists, the form-list mode with its
// "Is selected" window, and the ways out ("Show", Enter, a double-click, "Cancel").
#include <cstring>

#include "data/store.h"
#include "platform/user.h"
#include "resources/resources.h"
#include "search/street_search.h"
#include "view/shared_state.h"
#include "view/surface.h"

namespace {

constexpr int kStreetEdit = 1048;
constexpr int kStreetList = 1049;
constexpr int kHouseEdit = 1050;
constexpr int kHouseList = 1051;
constexpr int kFormListBox = 1018;
constexpr int kShowButton = 1058;
constexpr int kSelectedList = 1019;
// What WM_GETTEXT takes from an edit: 31 characters and the terminator.
constexpr int kTypedSize = 32;

void Beep() { MessageBeep(MB_ICONEXCLAMATION); }

void FocusItem(HWND dialog, int id) { SetFocus(GetDlgItem(dialog, id)); }

bool StreetChosen() {
    return g_street_names != nullptr && g_streetSel >= 0 && g_streetSel < g_street_name_count;
}

INT_PTR CALLBACK SelectedHousesProc(HWND, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && LOWORD(wParam) == kSelectedList && HIWORD(wParam) == LBN_DBLCLK) {
        const LRESULT position = SendDlgItemMessageA(g_hwndSelected, kSelectedList, LB_GETCURSEL, 0, 0);
        if (position >= 0) RemoveSelectedHouse(static_cast<int32_t>(position));
        return TRUE;
    }
    return FALSE;
}

void OpenSelectedWindow() {
    if (g_hwndSelected != nullptr) return;
    g_hwndSelected = CreateDialogParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_SELECTED_HOUSES),
                                        g_surfaceWindow, SelectedHousesProc, 0);
    if (g_hwndSelected != nullptr) ShowWindow(g_hwndSelected, SW_SHOWNA);
}

void CloseSelectedWindow() {
    if (g_hwndSelected != nullptr) DestroyWindow(g_hwndSelected);
    g_hwndSelected = nullptr;
}

void FillStreetList(HWND dialog) {
    HWND list = GetDlgItem(dialog, kStreetList);
    SendMessageA(list, LB_INITSTORAGE, static_cast<WPARAM>(g_street_name_count),
                 static_cast<LPARAM>(g_street_name_count) * kHouseTextSize);
    char name[sizeof g_street_names[0].name];
    for (int32_t i = 0; i < g_street_name_count && g_street_names != nullptr; ++i) {
        const size_t len = strnlen(g_street_names[i].name, sizeof name - 1);
        memcpy(name, g_street_names[i].name, len);
        name[len] = '\0';
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
}

void FillHouseList(HWND dialog) {
    HWND list = GetDlgItem(dialog, kHouseList);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    SendMessageA(list, LB_INITSTORAGE, static_cast<WPARAM>(g_houseCount),
                 static_cast<LPARAM>(g_houseCount) * kHouseTextSize);
    for (int32_t k = 0; k < g_houseCount; ++k) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(g_houseList[k].text));
    }
}

// Focus entering the street controls starts the choice of a street anew.
void StreetFocused(HWND dialog) {
    g_houseSel = -1;
    g_houseCount = 0;
    SendDlgItemMessageA(dialog, kHouseList, LB_RESETCONTENT, 0, 0);
    SetDlgItemTextA(dialog, kStreetEdit, "");
    SetDlgItemTextA(dialog, kHouseEdit, "");
}

void HouseFocused(HWND dialog) {
    if (!StreetChosen()) {
        Beep();
        FocusItem(dialog, kStreetEdit);
        return;
    }
    if (g_houseCount != 0) return;
    BuildHouseList();
    FillHouseList(dialog);
}

void StreetTyped(HWND dialog) {
    char typed[kTypedSize];
    GetDlgItemTextA(dialog, kStreetEdit, typed, kTypedSize);
    g_streetSel = typed[0] == '\0' ? -1 : FindStreet(typed);
    SendDlgItemMessageA(dialog, kStreetList, LB_SETCURSEL, static_cast<WPARAM>(g_streetSel), 0);
}

void HouseTyped(HWND dialog) {
    char typed[kTypedSize];
    GetDlgItemTextA(dialog, kHouseEdit, typed, kTypedSize);
    g_houseSel = typed[0] == '\0' ? -1 : FindHouse(typed);
    SendDlgItemMessageA(dialog, kHouseList, LB_SETCURSEL, static_cast<WPARAM>(g_houseSel), 0);
}

int32_t ListSelection(HWND dialog, int id) {
    const LRESULT sel = SendDlgItemMessageA(dialog, id, LB_GETCURSEL, 0, 0);
    return sel >= 0 ? static_cast<int32_t>(sel) : -1;
}

// Closes the dialog on the chosen house: flagged, and the plan drawn anew around it.
void CloseOnHouse(HWND dialog) {
    EndDialog(dialog, IDOK);
    ShowHouse(g_houseSel);
    MarkFrameAndRepaint();
}

void HouseDoubleClicked(HWND dialog) {
    g_houseSel = ListSelection(dialog, kHouseList);
    if (g_houseSel < 0) {
        FocusItem(dialog, kHouseList);
        return;
    }
    if (g_formList) {
        AddSelectedHouse();
        return;
    }
    CloseOnHouse(dialog);
}

void EnterPressed(HWND dialog) {
    if (!StreetChosen()) {
        Beep();
        FocusItem(dialog, kStreetEdit);
        return;
    }
    if (g_houseSel < 0) {
        FocusItem(dialog, kHouseEdit);
        return;
    }
    if (g_formList) {
        AddSelectedHouse();
        return;
    }
    CloseOnHouse(dialog);
}

// The box turns form-list mode over when it takes the focus, and hands the focus on at once.
void FormListFocused(HWND dialog) {
    g_formList = IsDlgButtonChecked(dialog, kFormListBox) == BST_UNCHECKED;
    CheckDlgButton(dialog, kFormListBox, g_formList ? BST_CHECKED : BST_UNCHECKED);
    if (g_formList)
        OpenSelectedWindow();
    else
        CloseSelectedWindow();
    FocusItem(dialog, StreetChosen() ? kHouseEdit : kStreetEdit);
}

void ShowPressed(HWND dialog) {
    if (!g_formList) {
        if (!StreetChosen()) {
            Beep();
            FocusItem(dialog, kStreetEdit);
            return;
        }
        if (g_houseSel >= 0) {
            ShowHouse(g_houseSel);
        } else if (g_street_names[g_streetSel].kind == kStreetKindHidden || !ShowStreet()) {
            // A street that cannot be shown, or has nothing on the plan to show.
            Beep();
            FocusItem(dialog, kStreetList);
            return;
        }
    } else {
        if (g_selCount == 0) {
            Beep();
            FocusItem(dialog, kStreetEdit);
            return;
        }
        CloseSelectedWindow();
        ShowHouse(g_houseSel);
    }
    EndDialog(dialog, IDOK);
    if (g_surfaceWindow != nullptr) InvalidateRgn(g_surfaceWindow, nullptr, TRUE);
}

void CancelPressed(HWND dialog) {
    if (g_formList) CloseSelectedWindow();
    EndDialog(dialog, IDCANCEL);
    if (StreetChosen()) {
        g_selCount = 0;
        g_shownStreet = -1;
        MarkFrameAndRepaint();
    }
}

void StreetSearchCommand(HWND dialog, int id, int code) {
    switch (id) {
        case kStreetEdit:
            if (code == EN_SETFOCUS)
                StreetFocused(dialog);
            else if (code == EN_CHANGE)
                StreetTyped(dialog);
            break;
        case kStreetList:
            if (code == LBN_SETFOCUS)
                StreetFocused(dialog);
            else if (code == LBN_SELCHANGE)
                g_streetSel = ListSelection(dialog, kStreetList);
            break;
        case kHouseEdit:
            if (code == EN_SETFOCUS)
                HouseFocused(dialog);
            else if (code == EN_CHANGE)
                HouseTyped(dialog);
            break;
        case kHouseList:
            if (code == LBN_SETFOCUS)
                HouseFocused(dialog);
            else if (code == LBN_SELCHANGE)
                g_houseSel = ListSelection(dialog, kHouseList);
            else if (code == LBN_DBLCLK)
                HouseDoubleClicked(dialog);
            break;
        case kFormListBox:
            if (code == BN_SETFOCUS) {
                FormListFocused(dialog);
            } else if (code == BN_CLICKED) {
                // The click that brought the focus may toggle the box once more by itself; the
                // box shows the mode, which only the focus report turns.
                CheckDlgButton(dialog, kFormListBox, g_formList ? BST_CHECKED : BST_UNCHECKED);
            }
            break;
        case kShowButton:
            if (code == BN_CLICKED) ShowPressed(dialog);
            break;
        case IDOK:
            EnterPressed(dialog);
            break;
        case IDCANCEL:
            CancelPressed(dialog);
            break;
        default:
            break;
    }
}

INT_PTR CALLBACK StreetSearchProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            FillStreetList(dialog);
            FocusItem(dialog, kStreetEdit);
            return FALSE;
        case WM_COMMAND:
            StreetSearchCommand(dialog, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

void OpenStreetSearch() {
    g_selCount = 0;
    g_shownStreet = -1;
    g_streetSel = -1;
    g_houseSel = -1;
    g_houseCount = 0;
    g_formList = false;
    if (!AllocateHouseList()) {
        Beep();
        return;
    }
    DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_STREET_SEARCH), g_surfaceWindow, StreetSearchProc,
                    0);
    // However the dialog ended, the "Is selected" window does not outlive it.
    CloseSelectedWindow();
    FreeHouseList();
}
