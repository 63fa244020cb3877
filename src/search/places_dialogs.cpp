// "Parts of the city" and "Districts": pick a named place or a district, and the plan moves to it
// while the paint flashes its name or outline.
#include <cstring>

#include "data/districts.h"
#include "data/store.h"
#include "platform/user.h"
#include "resources/resources.h"
#include "search/street_search.h"
#include "view/shared_state.h"
#include "view/surface.h"
#include "view/view.h"

namespace {

constexpr int kPlaceCombo = 1014;
constexpr int kDistrictList = 1126;
// Half the side of the square shown around a part's point.
constexpr float kPartHalfSide = 500.0f;

void Beep() { MessageBeep(MB_ICONEXCLAMATION); }

void ShowPart(HWND dialog) {
    HWND combo = GetDlgItem(dialog, kPlaceCombo);
    const LRESULT sel = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (sel < 0 || g_places == nullptr || sel >= g_place_count) {
        Beep();
        SetFocus(combo);
        return;
    }
    EndDialog(dialog, IDOK);
    const PlaceRec& place = g_places[sel];
    g_partShown = &place;
    const float x = place.x;
    const float y = place.y;
    PushViewRect(x - kPartHalfSide, y - kPartHalfSide, x + kPartHalfSide, y + kPartHalfSide);
    MarkFrameAndRepaint();
}

INT_PTR CALLBACK PartsOfCityProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        HWND combo = GetDlgItem(dialog, kPlaceCombo);
        SendMessageA(combo, CB_RESETCONTENT, 0, 0);
        SendMessageA(combo, CB_INITSTORAGE, static_cast<WPARAM>(g_place_count),
                     static_cast<LPARAM>(g_place_count) * static_cast<LPARAM>(sizeof g_places[0].name));
        char name[sizeof g_places[0].name];
        for (int32_t i = 0; i < g_place_count && g_places != nullptr; ++i) {
            const size_t len = strnlen(g_places[i].name, sizeof name - 1);
            memcpy(name, g_places[i].name, len);
            name[len] = '\0';
            SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        }
        SetFocus(combo);
        return FALSE;
    }
    if (message != WM_COMMAND) return FALSE;
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == IDOK || (id == kPlaceCombo && code == CBN_DBLCLK)) {
        ShowPart(dialog);
        return TRUE;
    }
    if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

void ShowDistrict(HWND dialog) {
    HWND list = GetDlgItem(dialog, kDistrictList);
    const LRESULT sel = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (sel < 0) {
        Beep();
        SetFocus(list);
        return;
    }
    // A plan without this district's outline has nowhere to go: the choice is refused like an
    // empty one, and the view stays.
    const AreaRec* outline = FindDistrictOutline(static_cast<int>(sel) + 1);
    if (outline == nullptr) {
        Beep();
        SetFocus(list);
        return;
    }
    EndDialog(dialog, IDOK);
    g_districtShown = outline;
    PushViewRect(outline->box.xMin, outline->box.yMin, outline->box.xMax, outline->box.yMax);
    MarkFrameAndRepaint();
}

INT_PTR CALLBACK DistrictsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        HWND list = GetDlgItem(dialog, kDistrictList);
        for (int k = 1; k <= kDistrictCount; ++k) {
            char name[kDistrictNameField];
            const size_t len = strnlen(g_district_names[k], kDistrictNameField - 1);
            memcpy(name, g_district_names[k], len);
            name[len] = '\0';
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        }
        SetFocus(list);
        return FALSE;
    }
    if (message != WM_COMMAND) return FALSE;
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == IDOK || (id == kDistrictList && code == LBN_DBLCLK)) {
        ShowDistrict(dialog);
        return TRUE;
    }
    if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void OpenPartsOfCity() {
    DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_PARTS_OF_CITY), g_surfaceWindow, PartsOfCityProc,
                    0);
}

void OpenDistricts() {
    DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_DISTRICTS), g_surfaceWindow, DistrictsProc, 0);
}
