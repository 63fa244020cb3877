// The street search proper: finding a street by typed text, and the views and flags of a
// found house or street.
#include "search/street_search.h"

#include <cstring>

#include "data/store.h"
#include "data/text.h"
#include "platform/user.h"
#include "view/geometry.h"
#include "view/shared_state.h"
#include "view/surface.h"
#include "view/view.h"

int32_t g_streetSel = -1;
int32_t g_houseSel = -1;
bool g_formList = false;
HWND g_hwndSelected = nullptr;

namespace {

constexpr int kListSelected = 1019;
constexpr float kHouseMargin = 200.0f;
constexpr float kStreetOuterMargin = 500.0f;
constexpr float kStreetInnerMargin = 100.0f;
// A house already in view stays where it is only when the plan is shown at least this large.
constexpr double kCloseScale = 0.4;
constexpr float kEmpty = 1e10f;

// The typed text in the Latin letters the names are held in. Only the Cyrillic runs are
// transliterated: a Latin "p" typed by the user must stay a "p" (the table turns it into "r").
void LatinForm(const char* text, char out[kTranslitBufSize]) {
    size_t len = 0;
    const size_t inputLength = strnlen(text, kTranslitBufSize - 1);
    size_t i = 0;
    while (i < inputLength && len < kTranslitBufSize - 1) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            out[len++] = text[i++];
            continue;
        }
        char run[kTranslitBufSize];
        size_t runLength = 0;
        while (i < inputLength && static_cast<unsigned char>(text[i]) >= 0x80) run[runLength++] = text[i++];
        run[runLength] = '\0';
        // A run followed by Latin text reads its next byte as the end, which the table treats
        // alike (small second letters).
        Transliterate(run, sizeof run);
        const size_t add = strnlen(run, sizeof run);
        for (size_t k = 0; k < add && len < kTranslitBufSize - 1; ++k) out[len++] = run[k];
    }
    out[len] = '\0';
}

// The street's name lower-cased, as the search compares it.
void LowerName(const StreetNameRec& street, char out[sizeof street.name]) {
    const size_t len = strnlen(street.name, sizeof street.name - 1);
    memcpy(out, street.name, len);
    out[len] = '\0';
    LowerText(out);
}

void Widen(const BBox& box, float margin, float out[4]) {
    out[0] = box.xMin - margin;
    out[1] = box.yMin - margin;
    out[2] = box.xMax + margin;
    out[3] = box.yMax + margin;
}

void AddToBox(const BBox& part, BBox* box) {
    if (part.xMin < box->xMin) box->xMin = part.xMin;
    if (part.yMin < box->yMin) box->yMin = part.yMin;
    if (part.xMax > box->xMax) box->xMax = part.xMax;
    if (part.yMax > box->yMax) box->yMax = part.yMax;
}

bool HasRoom(const BBox& box) { return box.xMin <= box.xMax && box.yMin <= box.yMax; }

const BuildingRec* BuildingOfEntry(int32_t k) {
    if (g_houseList == nullptr || k < 0 || k >= g_houseCount) return nullptr;
    const int32_t b = g_houseList[k].building;
    if (g_buildings == nullptr || b < 0 || b >= g_building_count) return nullptr;
    return &g_buildings[b];
}

}  // namespace

void MarkFrameAndRepaint() {
    g_needRedraw = 1;
    if (g_surfaceWindow != nullptr) InvalidateRgn(g_surfaceWindow, nullptr, TRUE);
}

int32_t FindStreet(const char* text) {
    if (g_street_names == nullptr || g_street_name_count <= 0) return -1;
    char typed[kTranslitBufSize];
    LatinForm(text != nullptr ? text : "", typed);
    LowerText(typed);
    const size_t n = strlen(typed);

    int32_t s = g_street_name_count;
    char name[sizeof g_street_names[0].name];
    for (int32_t i = 0; i < g_street_name_count; ++i) {
        LowerName(g_street_names[i], name);
        const int order = strncmp(name, typed, n);
        if (order == 0) return i;
        if (order > 0) {
            s = i;
            break;
        }
    }
    if (n >= 5) {
        for (int32_t i = 0; i < g_street_name_count; ++i) {
            LowerName(g_street_names[i], name);
            if (strstr(name, typed) != nullptr) return i;
        }
    }
    return s < g_street_name_count ? s - 1 : -1;
}

void ShowHouse(int32_t k) {
    if (g_street_names != nullptr && g_streetSel >= 0 && g_streetSel < g_street_name_count) {
        g_shownStreet = g_street_names[g_streetSel].id;
    }
    if (!g_formList) {
        const BuildingRec* b = BuildingOfEntry(k);
        if (b == nullptr) return;
        g_selCount = 0;
        AddToSelection(g_houseList[k].building);
        if (PointInView(b->box.xMin, b->box.yMin) && g_view.scale > kCloseScale) return;
        float view[4];
        Widen(b->box, kHouseMargin, view);
        PushViewRect(view[0], view[1], view[2], view[3]);
        g_needRedraw = 1;
        return;
    }
    if (g_selCount <= 0 || g_selList == nullptr || g_buildings == nullptr) return;
    BBox box{kEmpty, kEmpty, -kEmpty, -kEmpty};
    const int32_t count = g_selCount < kSelListSize ? g_selCount : kSelListSize;
    for (int32_t i = 0; i < count; ++i) {
        const int32_t b = g_selList[i];
        if (b >= 0 && b < g_building_count) AddToBox(g_buildings[b].box, &box);
    }
    if (!HasRoom(box)) return;
    float view[4];
    Widen(box, kHouseMargin, view);
    PushViewRect(view[0], view[1], view[2], view[3]);
    g_needRedraw = 1;
}

bool ShowStreet() {
    if (g_street_names == nullptr || g_streetSel < 0 || g_streetSel >= g_street_name_count) return false;
    const int16_t id = g_street_names[g_streetSel].id;
    BBox box{kEmpty, kEmpty, -kEmpty, -kEmpty};
    for (int32_t i = 0; i < g_street_line_count && g_street_lines != nullptr; ++i) {
        if (g_street_lines[i].code == id) AddToBox(g_street_lines[i].box, &box);
    }
    // A street drawn without lines is shown by its houses; one with neither has nothing to show.
    if (!HasRoom(box)) {
        for (int32_t i = 0; i < g_building_count && g_buildings != nullptr; ++i) {
            if (g_buildings[i].streetId == id) AddToBox(g_buildings[i].box, &box);
        }
    }
    if (!HasRoom(box)) return false;
    g_shownStreet = id;
    float view[4];
    Widen(box, kStreetOuterMargin, view);
    PushViewRect(view[0], view[1], view[2], view[3]);
    Widen(box, kStreetInnerMargin, view);
    PushViewRect(view[0], view[1], view[2], view[3]);
    g_needRedraw = 1;
    return true;
}

bool AddSelectedHouse() {
    if (BuildingOfEntry(g_houseSel) == nullptr) return false;
    const int32_t building = g_houseList[g_houseSel].building;
    if (IsSelected(building)) return false;
    if (!AddToSelection(building)) {
        MessageBeep(MB_ICONEXCLAMATION);
        return false;
    }
    // "Street, house": the street without the second part of its name, the house without its
    // caption.
    char line[sizeof g_street_names[0].name + 2 + kHouseTextSize];
    size_t len = 0;
    if (g_street_names != nullptr && g_streetSel >= 0 && g_streetSel < g_street_name_count) {
        const char* name = g_street_names[g_streetSel].name;
        const size_t nameLength = strnlen(name, sizeof g_street_names[0].name - 1);
        const char* slash = static_cast<const char*>(memchr(name, '/', nameLength));
        len = slash != nullptr ? static_cast<size_t>(slash - name) : nameLength;
        memcpy(line, name, len);
    }
    memcpy(line + len, ", ", 2);
    len += 2;
    const char* house = g_houseList[g_houseSel].text;
    const size_t houseLength = strnlen(house, kHouseTextSize - 1);
    const char* comma = static_cast<const char*>(memchr(house, ',', houseLength));
    const size_t take = comma != nullptr ? static_cast<size_t>(comma - house) : houseLength;
    memcpy(line + len, house, take);
    len += take;
    line[len] = '\0';
    if (g_hwndSelected != nullptr) {
        SendDlgItemMessageA(g_hwndSelected, kListSelected, LB_INSERTSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(line));
    }
    return true;
}

void RemoveSelectedHouse(int32_t position) {
    if (g_selList == nullptr || position < 0 || position >= g_selCount || position >= kSelListSize) return;
    for (int32_t i = position; i + 1 < g_selCount && i + 1 < kSelListSize; ++i)
        g_selList[i] = g_selList[i + 1];
    --g_selCount;
    if (g_hwndSelected != nullptr) {
        SendDlgItemMessageA(g_hwndSelected, kListSelected, LB_DELETESTRING, static_cast<WPARAM>(position), 0);
    }
}

const AreaRec* FindDistrictOutline(int number) {
    for (int32_t i = 1; i < g_area_count && g_areas != nullptr; ++i) {
        if (g_areas[i].code == number) return &g_areas[i];
    }
    return nullptr;
}
