#include "search/building_info.h"

#include <cstdio>
#include <cstring>

#include "data/districts.h"
#include "platform/gdi.h"
#include "platform/user.h"
#include "render/frame.h"
#include "render/labels.h"
#include "render/tip.h"
#include "resources/resources.h"
#include "view/geometry.h"
#include "view/shared_state.h"
#include "view/surface.h"
#include "view/view.h"

char g_infoAddress[kInfoTextSize];
char g_infoDistrict[kInfoTextSize];
char g_infoFloors[kInfoTextSize];
char g_infoExtra[kInfoTextSize];
std::vector<int32_t> g_infoObjects;
int32_t g_infoObjectCount = 0;

namespace {

constexpr COLORREF kStreetTipBackground = RGB(255, 255, 0);
constexpr COLORREF kDistrictTipBackground = RGB(150, 255, 255);

constexpr int kDistrictStatic = 120;
constexpr int kFloorsStatic = 123;
constexpr int kExtraStatic = 1015;
constexpr int kObjectList = 1105;
constexpr const char kTemplateTitle[] = "Information";

struct PurposeEntry {
    int16_t code;
    const char* words;
};

constexpr const char kApartment[] = "apartment building";
constexpr const char kProduction[] = "production target or garage";
constexpr const char kEducational[] = "educational building";
constexpr const char kPublic[] = "public building";
constexpr const char kMedical[] = "medical building";

constexpr PurposeEntry kPurposeWords[] = {
    {411, kApartment},  {658, kApartment},   {413, kProduction},  {657, kProduction},
    {777, kProduction}, {444, kEducational}, {660, kEducational}, {461, kPublic},
    {659, kPublic},     {888, kPublic},      {555, kMedical},     {661, kMedical},
};

// Appends `text` (at most `size` bytes of it, up to its NUL) to `out`, cutting at the buffer's end.
void Append(char (&out)[kInfoTextSize], const char* text, size_t size = static_cast<size_t>(-1)) {
    size_t used = strnlen(out, kInfoTextSize - 1);
    const size_t length = strnlen(text, size);
    for (size_t i = 0; i < length && used + 1 < kInfoTextSize; ++i) out[used++] = text[i];
    out[used] = '\0';
}

// "  (<part>)" after a district text, when a part of the city is within reach.
void AppendPart(char (&out)[kInfoTextSize], float X, float Y, float reach) {
    const PlaceRec* part = NearestPart(X, Y, reach);
    if (part == nullptr) return;
    Append(out, "  (");
    Append(out, part->name, sizeof part->name);
    Append(out, ")");
}

void AppendStreetName(char (&out)[kInfoTextSize], int streetId) {
    char name[kLabelLayoutMax + 1];
    StreetLabelText(streetId, name);
    Append(out, name);
}

bool BoxHolds(const BBox& box, float X, float Y) {
    return X >= box.xMin && X <= box.xMax && Y >= box.yMin && Y <= box.yMax;
}

const float* Coords(const PlanPoint* pts) { return reinterpret_cast<const float*>(pts); }

int FindBuilding(float X, float Y) {
    if (g_buildings == nullptr) return -1;
    for (int i = buildingCursor < 0 ? 0 : buildingCursor; i < g_building_count; ++i) {
        const BuildingRec& b = g_buildings[i];
        if (b.pts == nullptr || !BoxHolds(b.box, X, Y)) continue;
        if (PointInPolygon(b.count, Coords(b.pts), X, Y)) return i;
    }
    return -1;
}

// The first street line whose box holds the point and which passes within t of it.
const LineRec* FindStreetLine(float X, float Y, float t) {
    if (g_street_lines == nullptr) return nullptr;
    for (int i = streetLineCursor < 0 ? 0 : streetLineCursor; i < g_street_line_count; ++i) {
        const LineRec& line = g_street_lines[i];
        if (line.pts == nullptr || !BoxHolds(line.box, X, Y)) continue;
        if (PointNearPolyline(X, Y, line.count, Coords(line.pts), t)) return &line;
    }
    return nullptr;
}

INT_PTR InfoDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: {
            if (g_infoAddress[0] != '\0') SetWindowTextA(dialog, g_infoAddress);
            SetDlgItemTextA(dialog, kFloorsStatic, g_infoFloors);
            SetDlgItemTextA(dialog, kExtraStatic, g_infoExtra);
            SetDlgItemTextA(dialog, kDistrictStatic, g_infoDistrict);
            if (g_infoObjectCount > 0) {
                const UserObjectRec* objects = g_user_objects;
                SendDlgItemMessageA(dialog, kObjectList, LB_RESETCONTENT, 0, 0);
                SendDlgItemMessageA(
                    dialog, kObjectList, LB_INITSTORAGE, static_cast<WPARAM>(g_infoObjectCount),
                    static_cast<LPARAM>(g_infoObjectCount) * static_cast<LPARAM>(sizeof objects->name));
                for (int32_t index : g_infoObjects) {
                    // The name field need not hold its terminator.
                    char name[sizeof objects->name + 1];
                    const size_t length = strnlen(objects[index].name, sizeof objects->name);
                    memcpy(name, objects[index].name, length);
                    name[length] = '\0';
                    SendDlgItemMessageA(dialog, kObjectList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
                }
            }
            return TRUE;
        }
        case WM_COMMAND:
            // The list's notifications carry a code; the button, Enter and Escape do not.
            if (HIWORD(wParam) == 0) EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

const char* PurposeWords(int purpose) {
    for (const PurposeEntry& entry : kPurposeWords) {
        if (entry.code == purpose) return entry.words;
    }
    return "";
}

int DistrictAt(float X, float Y) {
    if (g_areas == nullptr || g_area_count < 2) return -1;
    for (int i = 1; i < g_area_count; ++i) {
        const AreaRec& area = g_areas[i];
        if (area.pts == nullptr) continue;
        if (PointInPolygonU16(area.count, reinterpret_cast<const uint16_t*>(area.pts), X, Y)) return i;
    }
    return -1;
}

const char* DistrictName(int code) {
    if (code < 1 || code > kDistrictCount) return "";
    return g_district_names[code];
}

const PlaceRec* NearestPart(float X, float Y, float reach) {
    if (g_places == nullptr) return nullptr;
    const PlaceRec* nearest = nullptr;
    float best = 0.0f;
    for (int i = 0; i < g_place_count; ++i) {
        const float d = Distance(X, Y, g_places[i].x, g_places[i].y);
        if (nearest == nullptr || d < best) {
            nearest = &g_places[i];
            best = d;
        }
    }
    return nearest != nullptr && best < reach ? nearest : nullptr;
}

InfoHit FindInfoAt(float X, float Y) {
    InfoHit hit{InfoKind::None, -1, {}};
    const double scale = g_view.scale;
    if (!(scale > 0.0)) return hit;
    const int level = g_view.detailLevel == 0 ? 1 : g_view.detailLevel;
    const float t = static_cast<float>(2.0 * level / scale);

    hit.building = FindBuilding(X, Y);
    if (hit.building >= 0) {
        hit.kind = InfoKind::Building;
        return hit;
    }
    const LineRec* line = FindStreetLine(X, Y, t);
    if (line != nullptr && line->code != 0) {
        AppendStreetName(hit.text, line->code);
        // A street without a name record has nothing to show.
        if (hit.text[0] != '\0') hit.kind = InfoKind::Street;
        return hit;
    }
    const int district = DistrictAt(X, Y);
    if (district < 0) return hit;
    Append(hit.text, DistrictName(g_areas[district].code));
    Append(hit.text, " district");
    AppendPart(hit.text, X, Y, kTipPartReach);
    hit.kind = InfoKind::District;
    return hit;
}

void FillBuildingInfo(int32_t index) {
    g_infoAddress[0] = g_infoDistrict[0] = g_infoFloors[0] = g_infoExtra[0] = '\0';
    g_infoObjects.clear();
    g_infoObjectCount = 0;
    if (g_buildings == nullptr || index < 0 || index >= g_building_count) return;
    const BuildingRec& b = g_buildings[index];

    if (b.streetId != 0) AppendStreetName(g_infoAddress, b.streetId);
    if (strnlen(b.houseNumber, sizeof b.houseNumber) > 0) {
        Append(g_infoAddress, ", ");
        Append(g_infoAddress, b.houseNumber, sizeof b.houseNumber);
    }
    Append(g_infoExtra, b.caption, sizeof b.caption);

    if (b.floors > 1)
        snprintf(g_infoFloors, sizeof g_infoFloors, "%d-floor ", b.floors);
    else
        Append(g_infoFloors, "1-floor ");
    Append(g_infoFloors, PurposeWords(b.purpose));

    const float X = b.x;
    const float Y = b.y;
    const int district = DistrictAt(X, Y);
    if (district >= 0) {
        Append(g_infoDistrict, DistrictName(g_areas[district].code));
        Append(g_infoDistrict, " district");
    }
    AppendPart(g_infoDistrict, X, Y, kDialogPartReach);

    if (g_user_objects != nullptr) {
        for (int32_t i = 0; i < g_user_count; ++i) {
            if (g_user_objects[i].x == b.x && g_user_objects[i].y == b.y) g_infoObjects.push_back(i);
        }
    }
    g_infoObjectCount = static_cast<int32_t>(g_infoObjects.size());
}

const char* InfoTitle() { return g_infoAddress[0] != '\0' ? g_infoAddress : kTemplateTitle; }

void ShowBuildingInfo(int32_t index) {
    FillBuildingInfo(index);
    const int templateId = g_infoObjectCount > 0 ? IDD_INFO_WITH_OBJECTS : IDD_INFO;
    g_infoOpen = 1;
    DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(templateId), g_surfaceWindow, InfoDialogProc, 0);
    g_infoOpen = 0;
}

void ShowInfoAt(int sx, int sy) {
    SetBkMode(g_hdc, OPAQUE);
    float X = 0.0f, Y = 0.0f;
    ScreenToPlan(sx, sy, &X, &Y);
    InfoHit hit = FindInfoAt(X, Y);
    switch (hit.kind) {
        case InfoKind::Building:
            ShowBuildingInfo(hit.building);
            break;
        case InfoKind::Street:
            ShowTip(sx, sy, hit.text, kStreetTipBackground);
            break;
        case InfoKind::District:
            ShowTip(sx, sy, hit.text, kDistrictTipBackground);
            break;
        case InfoKind::None:
            break;
    }
}
