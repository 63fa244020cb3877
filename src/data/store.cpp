#include "data/store.h"

#include <cstdlib>

#include "data/readers.h"

PlaceRec* g_places = nullptr;
int32_t g_place_count = 0;
AreaRec* g_areas = nullptr;
int32_t g_area_count = 0;
LineRec* g_topo1 = nullptr;
int32_t g_topo1_count = 0;
LineRec* g_topo2 = nullptr;
int32_t g_topo2_count = 0;
LineRec* g_topo3 = nullptr;
int32_t g_topo3_count = 0;
LineRec* g_topo4 = nullptr;
int32_t g_topo4_count = 0;
LineRec* g_street_lines = nullptr;
int32_t g_street_line_count = 0;
StreetNameRec* g_street_names = nullptr;
int32_t g_street_name_count = 0;
int16_t* g_street_index = nullptr;
int32_t g_street_index_count = 0;
LabelRec* g_labels = nullptr;
int32_t g_label_count = 0;
int32_t g_label_capacity = 0;
BuildingRec* g_buildings = nullptr;
int32_t g_building_count = 0;

ThemeNode* g_theme_root = nullptr;
UserObjectRec* g_user_objects = nullptr;
int32_t g_user_count = 0;
int32_t g_user_capacity = 0;
SignRec* g_signs = nullptr;
int32_t g_sign_count = 0;
int32_t g_sign_capacity = 0;

int32_t g_max_points = 0;
POINT* g_pts = nullptr;
int32_t g_pts_capacity = 0;

int StreetNamePosition(int id) {
    if (g_street_index == nullptr || id < 0 || id >= g_street_index_count) return -1;
    int position = g_street_index[id];
    // The index is built from the names table, but guard the pair anyway: a position that
    // points outside the names would be a wild read in every caller.
    if (g_street_names == nullptr || position < 0 || position >= g_street_name_count) return -1;
    return position;
}

const StreetNameRec* StreetNameById(int id) {
    int position = StreetNamePosition(id);
    return position < 0 ? nullptr : &g_street_names[position];
}

void FreeAreas(AreaRec* table, int count) {
    if (table == nullptr) return;
    for (int i = 0; i < count; ++i) free(table[i].pts);
    free(table);
}

void FreeLines(LineRec* table, int count) {
    if (table == nullptr) return;
    for (int i = 0; i < count; ++i) free(table[i].pts);
    free(table);
}

static void FreeLineTable(LineRec*& table, int32_t& count) {
    FreeLines(table, count);
    table = nullptr;
    count = 0;
}

void FreeMapData() {
    free(g_places);
    g_places = nullptr;
    g_place_count = 0;
    FreeAreas(g_areas, g_area_count);
    g_areas = nullptr;
    g_area_count = 0;
    FreeLineTable(g_topo1, g_topo1_count);
    FreeLineTable(g_topo2, g_topo2_count);
    FreeLineTable(g_topo3, g_topo3_count);
    FreeLineTable(g_topo4, g_topo4_count);
    FreeLineTable(g_street_lines, g_street_line_count);
    if (g_buildings != nullptr) {
        for (int i = 0; i < g_building_count; ++i) free(g_buildings[i].pts);
        free(g_buildings);
    }
    g_buildings = nullptr;
    g_building_count = 0;
}

void FreeThemeTree() {
    ThemeNode* node = g_theme_root;
    g_theme_root = nullptr;
    while (node != nullptr) {
        ThemeNode* item = node->child;
        while (item != nullptr) {
            ThemeNode* nextItem = item->next;
            free(item);
            item = nextItem;
        }
        ThemeNode* nextGroup = node->next;
        free(node);
        node = nextGroup;
    }
}

void FreeThemeUserSign() {
    FreeThemeTree();
    free(g_user_objects);
    g_user_objects = nullptr;
    g_user_count = 0;
    g_user_capacity = 0;
    free(g_signs);
    g_signs = nullptr;
    g_sign_count = 0;
    g_sign_capacity = 0;
}

void FreeStreetNamesAndLabels() {
    free(g_street_names);
    g_street_names = nullptr;
    g_street_name_count = 0;
    free(g_street_index);
    g_street_index = nullptr;
    g_street_index_count = 0;
    free(g_labels);
    g_labels = nullptr;
    g_label_count = 0;
    g_label_capacity = 0;
}

void FreeStreetData() {
    FreeStreetNamesAndLabels();
    free(g_pts);
    g_pts = nullptr;
    g_pts_capacity = 0;
}

void FreeAllMapData() {
    FreeMapData();
    FreeThemeUserSign();
    FreeStreetData();
    g_max_points = 0;
}
