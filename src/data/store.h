// The map store: every table of the plan, loaded once from the data files in the working
// directory and kept until exit. A NULL table means "not loaded"; each table has its own count.
// Line records, buildings and labels keep the file order (north first), which drawing relies on.
#pragma once

#include <cstdint>

#include "data/plan_types.h"
#include "platform/types.h"

// Outline boxes are whole metres.
struct PackedBox {
    uint16_t xMin;
    uint16_t yMin;
    uint16_t xMax;
    uint16_t yMax;
};

struct PlaceRec {
    uint16_t x;
    uint16_t y;
    char name[30];  // at most 29 characters, transliterated
};

struct AreaRec {
    int16_t code;  // 0 for the land outline, district number 1..5 for district outlines
    int16_t count;
    PackedPoint* pts;
    PackedBox box;
};

struct LineRec {
    int16_t code;  // feature code; the street id for street lines
    int16_t count;
    PlanPoint* pts;
    BBox box;
};

struct StreetNameRec {
    uint16_t kind;  // one byte in the file
    int16_t id;
    char name[30];  // at most 29 characters, transliterated
};

struct LabelRec {
    uint16_t x;
    uint16_t y;
    int16_t size;  // hundredths of a millimetre per metre; the label drawing uses its sign
    int16_t streetId;
};

struct BuildingRec {
    uint16_t x;  // reference point: ties the building to districts, places and user objects
    uint16_t y;
    int16_t purpose;
    int16_t count;
    int16_t floors;
    int16_t streetId;     // 0 = no street
    char houseNumber[7];  // Windows-1251 as read: a letter suffix stays Cyrillic
    char caption[47];     // transliterated, empty when absent
    PlanPoint* pts;
    BBox box;
};

struct ThemeNode {
    char code[2];  // not terminated; code[0] is the group key, code[1] == '1' marks a group
    char name[50];
    ThemeNode* child;  // first item of a group; always NULL for items
    ThemeNode* next;   // next group, or next item of the same group
};

struct UserObjectRec {
    uint16_t x;  // equals the reference point of the building the object stands in
    uint16_t y;
    int16_t found;  // set by the object search
    char code[2];   // not terminated
    char name[66];
};

struct SignRec {
    int32_t id;
    int16_t a;
    int16_t b;
    float c;
    float d;
    char text[82];
};

// Labels added by clicks on streets go behind the ones read from 5.tqf.
constexpr int kAddedLabelRoom = 100;

extern PlaceRec* g_places;
extern int32_t g_place_count;
extern AreaRec* g_areas;  // record 0 the land, records 1.. the districts
extern int32_t g_area_count;
extern LineRec* g_topo1;
extern int32_t g_topo1_count;
extern LineRec* g_topo2;
extern int32_t g_topo2_count;
extern LineRec* g_topo3;
extern int32_t g_topo3_count;
extern LineRec* g_topo4;
extern int32_t g_topo4_count;
extern LineRec* g_street_lines;
extern int32_t g_street_line_count;
extern StreetNameRec* g_street_names;
extern int32_t g_street_name_count;
// Position in g_street_names per street id; 0 where no record has the id. Never index it
// directly: ids come from files and may lie outside it; use StreetNamePosition.
extern int16_t* g_street_index;
extern int32_t g_street_index_count;  // largest id + 1
extern LabelRec* g_labels;
extern int32_t g_label_count;
extern int32_t g_label_capacity;  // records g_labels has room for: file labels + kAddedLabelRoom
extern BuildingRec* g_buildings;
extern int32_t g_building_count;

extern ThemeNode* g_theme_root;
extern UserObjectRec* g_user_objects;
extern int32_t g_user_count;
extern int32_t g_user_capacity;
extern SignRec* g_signs;
extern int32_t g_sign_count;
extern int32_t g_sign_capacity;

// Largest point count of any outline or line (buildings are not counted).
extern int32_t g_max_points;
// Scratch screen points for converting one record at a time. It holds g_pts_capacity points:
// g_max_points + 1, raised after the buildings are read so that every building outline fits.
extern POINT* g_pts;
extern int32_t g_pts_capacity;

// Position of street `id`'s record in g_street_names, or -1 ("no street") when the id is
// negative, beyond the index, or the index is not loaded. Every lookup of a file id goes here.
int StreetNamePosition(int id);
// The record itself, or NULL for "no street".
const StreetNameRec* StreetNameById(int id);

// Reads 8.tqf, 3.tqf, 4.tqf and 5.tqf from the working directory and allocates g_pts. Opens the
// loading window and leaves it open for the buildings. A missing file ends loading there.
void LoadMainFiles();
// Reads 7.tqf and 6.tqf side by side, closes the loading window, then reads the text files.
void LoadBuildingFiles();
// Reads tema.tqf, user.tqf and sign.tqf.
void LoadThemeUserSignFiles();

// Free every non-NULL point array of the first `count` records, then the table.
void FreeAreas(AreaRec* table, int count);
void FreeLines(LineRec* table, int count);
// Places, outlines, topography, street lines and buildings; the tables become NULL, counts 0.
void FreeMapData();
// The theme tree, the user objects and the signs.
void FreeThemeUserSign();
// Releases the street names, the street index and the labels, leaving their counts at 0.
void FreeStreetNamesAndLabels();
// Street names with their index, the labels and g_pts: what the shell releases last at exit.
void FreeStreetData();
// Everything above, in the exit order.
void FreeAllMapData();
