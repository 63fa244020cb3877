// What a left press on the plan tells the user: the information dialog of a building, or a tip
// naming the street or the district (with the nearest part of the city) under the cursor.
#pragma once

#include <cstdint>
#include <vector>

#include "data/store.h"

constexpr int kInfoTextSize = 64;

// The texts of the last building shown, each emptied when the next one is filled.
extern char g_infoAddress[kInfoTextSize];   // street name, ", ", house number: the dialog's title
extern char g_infoDistrict[kInfoTextSize];  // "<name> district" and "  (<part>)"
extern char g_infoFloors[kInfoTextSize];    // "<n>-floor " and the purpose words
extern char g_infoExtra[kInfoTextSize];     // the building's caption
// Indices into g_user_objects of the objects at the building's address point, in table order.
// As many as the data hold: any number of objects may share one address point.
extern std::vector<int32_t> g_infoObjects;
extern int32_t g_infoObjectCount;

// The part of the city named in the tip lies nearer than this to the press; in the dialog,
// nearer than the second to the building's address point.
constexpr float kTipPartReach = 400.0f;
constexpr float kDialogPartReach = 200.0f;

// The words a purpose code adds after the floors; "" for a code without words.
const char* PurposeWords(int purpose);

// Index into g_areas of the first district outline (from record 1 on) holding the point; -1
// when none does or there are no district outlines.
int DistrictAt(float X, float Y);
// The district's name as shown: the table's name for its number, "" for an unknown number.
const char* DistrictName(int code);
// The part of the city whose point is nearest to (X, Y), the earlier on equal distances, when
// it is nearer than `reach`; null otherwise.
const PlaceRec* NearestPart(float X, float Y, float reach);

// What a press at a plan point shows with the current view.
enum class InfoKind { None, Building, Street, District };
struct InfoHit {
    InfoKind kind;
    int32_t building;          // index into g_buildings for InfoKind::Building
    char text[kInfoTextSize];  // the tip's text, untrimmed, for a street or a district
};
// Buildings before street lines before districts; uses the view's scale and detail level for
// the tolerance and starts at the sweep cursors of the last frame.
InfoHit FindInfoAt(float X, float Y);

// Fills the four texts and the objects at the address point of building `index`.
void FillBuildingInfo(int32_t index);
// The dialog's title: the address, or the template's own title when there is none.
const char* InfoTitle();

// The press at window pixel (sx, sy): opens the building's dialog or shows the tip.
void ShowInfoAt(int sx, int sy);
// Fills the texts and runs dialog 153 (with the objects) or 223 (without) until it is closed.
void ShowBuildingInfo(int32_t index);
