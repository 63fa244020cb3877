// The object search window: a modeless dialog beside the plan, with the choices on the left and
// the sorted results on the right. Every result line carries its object's index, so lines of
// equal names still lead to their own objects.
#include "search/object_search.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "data/districts.h"
#include "resources/resources.h"
#include "view/geometry.h"
#include "view/shared_state.h"
#include "view/surface.h"
#include "view/view.h"

namespace {

constexpr int kNameEdit = 1127;
constexpr int kThemeList = 1128;
constexpr int kClearButton = 1130;
constexpr int kHouseEdit = 1134;
constexpr int kModeBox = 1135;
constexpr int kStreetBox = 1136;
constexpr int kPartBox = 1137;
constexpr int kDistrictBox = 1138;
constexpr int kCloseOnShowBox = 1139;
constexpr int kTotalText = 1140;
constexpr int kResultList = 1173;
constexpr int kShowButton = 1040;

// начинается с
constexpr char kStartsWith[] = "\xED\xE0\xF7\xE8\xED\xE0\xE5\xF2\xF1\xFF \xF1";
// содержит
constexpr char kContains[] = "\xF1\xEE\xE4\xE5\xF0\xE6\xE8\xF2";

// Found buildings are brought into view with this margin, in metres.
constexpr float kShowMargin = 250.0f;
// A building already in view is left where it is when the plan is at least this detailed.
constexpr double kCloseEnoughScale = 0.4;
// The address fill names a part of the city only when its point is nearer than this.
constexpr float kNearPart = 500.0f;
// Bytes reserved per result line: the object name field.
constexpr int kResultLineBytes = 66;

HWND Item(HWND window, int id) { return GetDlgItem(window, id); }

LRESULT Send(HWND window, int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(Item(window, id), message, wParam, lParam);
}

LPARAM TextParam(const char* text) { return reinterpret_cast<LPARAM>(text); }

// A fixed text field as a terminated string, however the field was filled.
std::string FieldText(const char* field, size_t size) { return std::string(field, strnlen(field, size)); }

int32_t Choice(LRESULT selection) { return selection < 0 ? -1 : static_cast<int32_t>(selection); }

void Beep() { MessageBeep(MB_ICONEXCLAMATION); }

void ShowWaitCursor() { SetCursor(LoadCursorA(nullptr, IDC_WAIT)); }
void ShowArrowCursor() { SetCursor(LoadCursorA(nullptr, IDC_ARROW)); }

void RepaintPlan() {
    if (g_surfaceWindow != nullptr) InvalidateRgn(g_surfaceWindow, nullptr, TRUE);
}

void PushWidened(const BBox& box) {
    if (PushViewRect(box.xMin - kShowMargin, box.yMin - kShowMargin, box.xMax + kShowMargin,
                     box.yMax + kShowMargin) == 1) {
        g_needRedraw = 1;
    }
}

void FillCombo(HWND window, int id, const std::vector<std::string>& lines, int32_t choice) {
    Send(window, id, CB_RESETCONTENT);
    Send(window, id, CB_INITSTORAGE, lines.size(), static_cast<LPARAM>(lines.size() * 32));
    for (const std::string& line : lines) Send(window, id, CB_ADDSTRING, 0, TextParam(line.c_str()));
    Send(window, id, CB_SETCURSEL, static_cast<WPARAM>(choice), 0);
}

void FillThemeList(HWND window) {
    Send(window, kThemeList, LB_RESETCONTENT);
    // Each group, then its items indented under it: the lines follow ThemeNodeAtLine.
    for (const ThemeNode* group = g_theme_root; group != nullptr; group = group->next) {
        std::string line = " ";
        line += FieldText(group->name, sizeof group->name);
        Send(window, kThemeList, LB_ADDSTRING, 0, TextParam(line.c_str()));
        for (const ThemeNode* item = group->child; item != nullptr; item = item->next) {
            std::string indented = "        ";
            indented += FieldText(item->name, sizeof item->name);
            Send(window, kThemeList, LB_ADDSTRING, 0, TextParam(indented.c_str()));
        }
    }
    Send(window, kThemeList, LB_SETCURSEL, static_cast<WPARAM>(g_objThemeChoice), 0);
}

void SetTotalText(HWND window, int32_t found) {
    char text[40];
    FormatObjectTotal(found, text, sizeof text);
    SetDlgItemTextA(window, kTotalText, text);
}

// The result list after a search: the found objects' names, each line carrying its object.
void ListFoundObjects(HWND window) {
    Send(window, kResultList, LB_RESETCONTENT);
    Send(window, kResultList, LB_INITSTORAGE, static_cast<WPARAM>(g_objFound),
         static_cast<LPARAM>(g_objFound) * kResultLineBytes);
    for (int32_t i = 0; g_user_objects != nullptr && i < g_user_count; ++i) {
        if (g_user_objects[i].found != 1) continue;
        const std::string name = FieldText(g_user_objects[i].name, sizeof g_user_objects[i].name);
        const LRESULT at = Send(window, kResultList, LB_ADDSTRING, 0, TextParam(name.c_str()));
        if (at >= 0) Send(window, kResultList, LB_SETITEMDATA, static_cast<WPARAM>(at), i);
    }
    EnableWindow(Item(window, kShowButton), TRUE);
    SetTotalText(window, g_objFound);
}

void FillWindow(HWND window) {
    // The title, "Поиск объектов с адресной привязкой", comes with the template.
    FillCombo(window, kModeBox, {kStartsWith, kContains}, g_objMode);
    Send(window, kNameEdit, EM_LIMITTEXT, kObjectNameField - 1);
    SetDlgItemTextA(window, kNameEdit, g_objName);

    std::vector<std::string> lines;
    for (int k = 1; k <= kDistrictCount; ++k)
        lines.push_back(FieldText(g_district_names[k], kDistrictNameField));
    FillCombo(window, kDistrictBox, lines, g_objDistrictChoice);

    lines.clear();
    for (int32_t i = 0; g_street_names != nullptr && i < g_street_name_count; ++i) {
        lines.push_back(FieldText(g_street_names[i].name, sizeof g_street_names[i].name));
    }
    FillCombo(window, kStreetBox, lines, g_objStreetChoice);

    lines.clear();
    for (int32_t i = 0; g_places != nullptr && i < g_place_count; ++i) {
        lines.push_back(FieldText(g_places[i].name, sizeof g_places[i].name));
    }
    FillCombo(window, kPartBox, lines, g_objPartChoice);

    FillThemeList(window);

    EnableWindow(Item(window, kHouseEdit), FALSE);
    EnableWindow(Item(window, kShowButton), FALSE);
    if (g_objFound != 0) ListFoundObjects(window);

    Send(window, kCloseOnShowBox, BM_SETCHECK, g_objCloseOnShow ? BST_CHECKED : BST_UNCHECKED);
    SetFocus(Item(window, IDOK));
}

// "Cancel", and the end of a "Show" that closes the window: the next opening starts without
// results.
void CloseSearchWindow(HWND window) {
    ClearFoundObjects();
    DestroyWindow(window);
    if (g_objWindow == window) g_objWindow = nullptr;
}

bool CloseOnShowChecked(HWND window) {
    g_objCloseOnShow = Send(window, kCloseOnShowBox, BM_GETCHECK) == BST_CHECKED;
    return g_objCloseOnShow;
}

// A search with a single result flags its building at once.
void ShowSingleResult(HWND window) {
    int32_t object = -1;
    for (int32_t i = 0; i < g_user_count && object < 0; ++i) {
        if (g_user_objects[i].found == 1) object = i;
    }
    const int32_t building = ObjectBuilding(object);
    // Nothing to show: the result stays listed in the open window.
    if (building < 0) return;
    g_selCount = 0;
    AddToSelection(building);
    const BBox& box = g_buildings[building].box;
    if (!(PointInView(box.xMin, box.yMin) == 1 && g_view.scale >= kCloseEnoughScale)) PushWidened(box);
    RepaintPlan();
    if (CloseOnShowChecked(window)) CloseSearchWindow(window);
}

void ClearChoices(HWND window) {
    Send(window, kResultList, LB_RESETCONTENT);
    SetDlgItemTextA(window, kNameEdit, "");
    SetDlgItemTextA(window, kHouseEdit, "");
    for (int id : {kModeBox, kStreetBox, kDistrictBox, kPartBox})
        Send(window, id, CB_SETCURSEL, static_cast<WPARAM>(-1));
    Send(window, kThemeList, LB_SETCURSEL, static_cast<WPARAM>(-1));
    EnableWindow(Item(window, kHouseEdit), FALSE);
    EnableWindow(Item(window, kShowButton), FALSE);
    g_objMode = -1;
    g_objName[0] = '\0';
    g_objStreetChoice = g_objDistrictChoice = g_objPartChoice = -1;
    SetObjectThemeChoice(-1);
    ClearFoundObjects();
    SetDlgItemTextA(window, kTotalText, "");
    SetFocus(Item(window, IDOK));
}

// The district whose outline holds the point, as its name; empty outside every district.
std::string DistrictNameAt(uint16_t x, uint16_t y) {
    for (int32_t i = 1; g_areas != nullptr && i < g_area_count; ++i) {
        const AreaRec& area = g_areas[i];
        if (area.pts == nullptr || area.count < 1) continue;
        if (PointInPolygonU16(area.count, reinterpret_cast<const uint16_t*>(area.pts), x, y) != 1) continue;
        if (area.code < 1 || area.code > kDistrictCount) return std::string();
        return FieldText(g_district_names[area.code], kDistrictNameField);
    }
    return std::string();
}

// The nearest part of the city within reach of the point (the first one on equal distances).
std::string NearPartName(uint16_t x, uint16_t y) {
    int32_t nearest = -1;
    float best = 0.0f;
    for (int32_t i = 0; g_places != nullptr && i < g_place_count; ++i) {
        const float d = Distance(g_places[i].x, g_places[i].y, x, y);
        if (nearest < 0 || d < best) {
            nearest = i;
            best = d;
        }
    }
    if (nearest < 0 || !(best < kNearPart)) return std::string();
    return FieldText(g_places[nearest].name, sizeof g_places[nearest].name);
}

// A result line chosen: its building's address shows in the address fields, for reading only.
void FillAddress(HWND window) {
    const LRESULT line = Send(window, kResultList, LB_GETCURSEL);
    const LRESULT object =
        line >= 0 ? Send(window, kResultList, LB_GETITEMDATA, static_cast<WPARAM>(line)) : LB_ERR;
    const int32_t building =
        object >= 0 && object < g_user_count ? ObjectBuilding(static_cast<int32_t>(object)) : -1;
    if (building < 0) {
        Beep();
        SetFocus(Item(window, kResultList));
        return;
    }
    const BuildingRec& b = g_buildings[building];
    EnableWindow(Item(window, kHouseEdit), TRUE);
    const StreetNameRec* street = b.streetId != 0 ? StreetNameById(b.streetId) : nullptr;
    const std::string streetName = street != nullptr && street->id == b.streetId
                                       ? FieldText(street->name, sizeof street->name)
                                       : std::string();
    SetDlgItemTextA(window, kStreetBox, streetName.c_str());
    SetDlgItemTextA(window, kHouseEdit, FieldText(b.houseNumber, sizeof b.houseNumber).c_str());
    SetDlgItemTextA(window, kDistrictBox, DistrictNameAt(b.x, b.y).c_str());
    SetDlgItemTextA(window, kPartBox, "");
    const std::string part = NearPartName(b.x, b.y);
    if (!part.empty()) SetDlgItemTextA(window, kPartBox, part.c_str());
}

// Whether a command asks the window to act (rather than report a focus change or an edit).
bool IsAction(int id, int code) {
    switch (id) {
        case IDOK:
        case kClearButton:
        case kShowButton:
            return code == BN_CLICKED;
        case IDCANCEL:
            return true;
        case kThemeList:
            return code == LBN_DBLCLK;
        case kResultList:
            return code == LBN_DBLCLK || code == LBN_SELCHANGE;
        default:
            return false;
    }
}

void OnCommand(HWND window, int id, int code) {
    if (!IsAction(id, code)) return;
    // The information dialog is open over the plan: nothing here may change the plan meanwhile.
    if (g_infoOpen != 0) {
        Beep();
        return;
    }
    switch (id) {
        case IDOK:
            RunObjectSearch(window);
            break;
        case kClearButton:
            ClearChoices(window);
            break;
        case IDCANCEL:
            CloseSearchWindow(window);
            break;
        case kShowButton:
            ShowFoundObjects(window);
            break;
        case kThemeList:
            RunObjectSearch(window);
            break;
        case kResultList:
            if (code == LBN_DBLCLK)
                ShowFoundObjects(window);
            else
                FillAddress(window);
            break;
        default:
            break;
    }
}

INT_PTR CALLBACK ObjectSearchProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            FillWindow(window);
            return FALSE;  // the focus is placed already
        case WM_COMMAND:
            OnCommand(window, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_DESTROY:
            // The window may go with its owner at exit.
            if (g_objWindow == window) g_objWindow = nullptr;
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

void OpenObjectSearch() {
    if (g_infoOpen != 0) {
        Beep();
        return;
    }
    // Never two windows: one left open is cancelled first.
    if (IsWindow(g_objWindow)) CloseSearchWindow(g_objWindow);
    HWND window = CreateDialogParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_OBJECT_SEARCH), g_surfaceWindow,
                                     ObjectSearchProc, 0);
    if (window == nullptr) return;
    g_objWindow = window;
    ShowWindow(window, SW_SHOWNA);
}

void RunObjectSearch(HWND window) {
    const LRESULT mode = Send(window, kModeBox, CB_GETCURSEL);
    g_objMode = mode == 0 ? 0 : 1;
    char typed[kObjectNameField] = {};
    Send(window, kNameEdit, WM_GETTEXT, sizeof typed, TextParam(typed));
    SetObjectSearchName(typed);
    SetObjectAddressChoices(Choice(Send(window, kStreetBox, CB_GETCURSEL)),
                            Choice(Send(window, kDistrictBox, CB_GETCURSEL)),
                            Choice(Send(window, kPartBox, CB_GETCURSEL)));
    SetObjectThemeChoice(Choice(Send(window, kThemeList, LB_GETCURSEL)));

    ShowWaitCursor();
    if (MatchThemeObjects() == 0) {
        Send(window, kResultList, LB_RESETCONTENT);
        // An empty list says nothing was found; an old total or "Show" would say otherwise.
        SetTotalText(window, 0);
        EnableWindow(Item(window, kShowButton), FALSE);
        Beep();
        ShowArrowCursor();
        SetFocus(Item(window, IDOK));
        return;
    }
    ListFoundObjects(window);
    SetFocus(Item(window, kShowButton));
    ShowArrowCursor();
    if (g_objFound == 1) ShowSingleResult(window);
}

void ShowFoundObjects(HWND window) {
    const LRESULT selected = Send(window, kResultList, LB_GETSELCOUNT);
    if (selected <= 0) {
        Beep();
        SetFocus(Item(window, kResultList));
        return;
    }
    ShowWaitCursor();
    std::vector<int> lines(static_cast<size_t>(selected));
    const LRESULT got =
        Send(window, kResultList, LB_GETSELITEMS, lines.size(), reinterpret_cast<LPARAM>(lines.data()));
    lines.resize(got > 0 ? static_cast<size_t>(got) : 0);

    // Each line leads to its own object through the index it carries.
    std::vector<int32_t> buildings;
    BBox box{1e10f, 1e10f, -1e10f, -1e10f};
    for (int line : lines) {
        const LRESULT object = Send(window, kResultList, LB_GETITEMDATA, static_cast<WPARAM>(line));
        const int32_t building =
            object >= 0 && object < g_user_count ? ObjectBuilding(static_cast<int32_t>(object)) : -1;
        if (building < 0) continue;
        bool known = false;
        for (int32_t b : buildings) known = known || b == building;
        if (known) continue;
        if (static_cast<int>(buildings.size()) >= kSelListSize) break;
        buildings.push_back(building);
        const BBox& bb = g_buildings[building].box;
        box.xMin = std::min(box.xMin, bb.xMin);
        box.yMin = std::min(box.yMin, bb.yMin);
        box.xMax = std::max(box.xMax, bb.xMax);
        box.yMax = std::max(box.yMax, bb.yMax);
    }
    // None of the chosen objects stands in a building: nothing to show, the plan stays as it is.
    if (buildings.empty()) {
        Beep();
        SetFocus(Item(window, kResultList));
        ShowArrowCursor();
        return;
    }

    g_selCount = 0;
    for (int32_t b : buildings) AddToSelection(b);
    const float cx = (box.xMin + box.xMax) / 2.0f;
    const float cy = (box.yMin + box.yMax) / 2.0f;
    const bool stay = buildings.size() <= 1 && PointInView(cx, cy) == 1 && g_view.scale >= kCloseEnoughScale;
    if (!stay) PushWidened(box);
    RepaintPlan();

    if (CloseOnShowChecked(window)) CloseSearchWindow(window);
    ShowArrowCursor();
}
