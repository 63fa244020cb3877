#include "entries.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "data/readers.h"
#include "data/store.h"

namespace {

// A memory stream over the input; fmemopen does not write in read mode.
FILE* OpenBytes(const uint8_t* data, size_t size) {
    static uint8_t empty[1];
    void* buffer = size == 0 ? empty : const_cast<uint8_t*>(data);
    FILE* file = fmemopen(buffer, size, "rb");
    if (file == nullptr) abort();
    return file;
}

// Splits off a part announced by a u16 length; the length is cut to what is there.
void TakePart(const uint8_t*& data, size_t& size, const uint8_t** part, size_t* partSize) {
    size_t length = 0;
    if (size >= 2) {
        length = static_cast<size_t>(data[0] | (data[1] << 8));
        data += 2;
        size -= 2;
    } else {
        data += size;
        size = 0;
    }
    if (length > size) length = size;
    *part = data;
    *partSize = length;
    data += length;
    size -= length;
}

void Check(bool sound) {
    if (!sound) abort();
}

bool Terminated(const char* text, size_t field) { return strnlen(text, field) < field; }

// Reads every point so that the sanitizers see any bad pointer or size.
template <typename Point>
double TouchPoints(const Point* pts, int count) {
    double sum = 0;
    for (int i = 0; i < count; ++i) sum += static_cast<double>(pts[i].x) + static_cast<double>(pts[i].y);
    return sum;
}

template <typename Rec>
void CheckPointTable(const Rec* table, int count) {
    Check(count >= 0 && (count == 0 || table != nullptr));
    volatile double sink = 0;
    for (int i = 0; i < count; ++i) {
        Check(table[i].count >= 0);
        Check(table[i].count == 0 || table[i].pts != nullptr);
        Check(table[i].count <= g_max_points);
        sink = sink + TouchPoints(table[i].pts, table[i].count);
    }
}

void CheckStore() {
    Check(g_place_count >= 0 && (g_place_count == 0 || g_places != nullptr));
    for (int i = 0; i < g_place_count; ++i) Check(Terminated(g_places[i].name, sizeof g_places[i].name));
    CheckPointTable(g_areas, g_area_count);
    CheckPointTable(g_topo1, g_topo1_count);
    CheckPointTable(g_topo2, g_topo2_count);
    CheckPointTable(g_topo3, g_topo3_count);
    CheckPointTable(g_topo4, g_topo4_count);
    CheckPointTable(g_street_lines, g_street_line_count);

    Check(g_street_name_count >= 0 && (g_street_name_count == 0 || g_street_names != nullptr));
    for (int i = 0; i < g_street_name_count; ++i) {
        Check(Terminated(g_street_names[i].name, sizeof g_street_names[i].name));
        Check(g_street_names[i].kind <= 255);
    }
    Check(g_street_index_count >= 0 && (g_street_index_count == 0 || g_street_index != nullptr));
    for (int id = 0; id < g_street_index_count; ++id) {
        int position = g_street_index[id];
        Check(position >= 0 && (position < g_street_name_count || position == 0));
    }
    for (int id = -3; id < g_street_index_count + 3; ++id) {
        const StreetNameRec* rec = StreetNameById(id);
        Check(rec == nullptr || (rec >= g_street_names && rec < g_street_names + g_street_name_count));
    }
    Check(g_label_count >= 0 && g_label_count <= g_label_capacity);
    Check(g_label_capacity == 0 || g_label_capacity >= g_label_count + 100);
    for (int i = 0; i < g_label_count; ++i) StreetNameById(g_labels[i].streetId);

    Check(g_building_count >= 0 && (g_building_count == 0 || g_buildings != nullptr));
    int longest = 0;
    volatile double sink = 0;
    for (int i = 0; i < g_building_count; ++i) {
        const BuildingRec& b = g_buildings[i];
        Check(b.count >= 0 && (b.count == 0 || b.pts != nullptr));
        Check(Terminated(b.houseNumber, sizeof b.houseNumber) && Terminated(b.caption, sizeof b.caption));
        sink = sink + TouchPoints(b.pts, b.count);
        StreetNameById(b.streetId);
        if (b.count > longest) longest = b.count;
    }

    for (const ThemeNode* group = g_theme_root; group != nullptr; group = group->next) {
        Check(Terminated(group->name, sizeof group->name));
        for (const ThemeNode* item = group->child; item != nullptr; item = item->next) {
            Check(item->child == nullptr && Terminated(item->name, sizeof item->name));
        }
    }
    Check(g_user_count >= 0 && g_user_count <= g_user_capacity);
    for (int i = 0; i < g_user_count; ++i)
        Check(Terminated(g_user_objects[i].name, sizeof g_user_objects[i].name));
    Check(g_sign_count >= 0 && g_sign_count <= g_sign_capacity);
    for (int i = 0; i < g_sign_count; ++i) Check(Terminated(g_signs[i].text, sizeof g_signs[i].text));
}

template <void (*read)(FILE*)>
int FuzzOneFile(const uint8_t* data, size_t size) {
    FreeAllMapData();
    FILE* file = OpenBytes(data, size);
    read(file);
    fclose(file);
    CheckStore();
    FreeAllMapData();
    return 0;
}

}  // namespace

int FuzzPlaceFile(const uint8_t* data, size_t size) { return FuzzOneFile<ReadPlaceFile>(data, size); }
int FuzzOutlineFile(const uint8_t* data, size_t size) { return FuzzOneFile<ReadOutlineFile>(data, size); }
int FuzzTopoFile(const uint8_t* data, size_t size) { return FuzzOneFile<ReadTopoFile>(data, size); }
int FuzzStreetFile(const uint8_t* data, size_t size) { return FuzzOneFile<ReadStreetFile>(data, size); }

int FuzzBuildingFiles(const uint8_t* data, size_t size) {
    const uint8_t* attributes;
    size_t attributesSize;
    TakePart(data, size, &attributes, &attributesSize);
    FreeAllMapData();
    FILE* file7 = OpenBytes(attributes, attributesSize);
    FILE* file6 = OpenBytes(data, size);
    int read = ReadBuildings(file7, file6);
    fclose(file6);
    fclose(file7);
    Check(read == g_building_count);
    EnsureScratchPoints(LongestBuildingOutline() + 1);
    Check(g_pts_capacity >= LongestBuildingOutline() + 1);
    CheckStore();
    FreeAllMapData();
    return 0;
}

int FuzzTextFiles(const uint8_t* data, size_t size) {
    const uint8_t *tema, *user;
    size_t temaSize, userSize;
    TakePart(data, size, &tema, &temaSize);
    TakePart(data, size, &user, &userSize);
    FreeAllMapData();
    FILE* file = OpenBytes(tema, temaSize);
    ReadThemeFile(file);
    fclose(file);
    file = OpenBytes(user, userSize);
    bool signsFollow = ReadUserFile(file);
    fclose(file);
    if (signsFollow) {
        file = OpenBytes(data, size);
        ReadSignFile(file);
        fclose(file);
    }
    CheckStore();
    FreeAllMapData();
    return 0;
}

const std::vector<FuzzTargetInfo>& FuzzTargets() {
    static const std::vector<FuzzTargetInfo> kTargets = {
        {FuzzTarget::Place, "place", FuzzPlaceFile},
        {FuzzTarget::Outline, "outline", FuzzOutlineFile},
        {FuzzTarget::Topo, "topo", FuzzTopoFile},
        {FuzzTarget::Street, "street", FuzzStreetFile},
        {FuzzTarget::Building, "building", FuzzBuildingFiles},
        {FuzzTarget::Text, "text", FuzzTextFiles},
    };
    return kTargets;
}

std::vector<uint8_t> JoinFuzzInput(const std::vector<std::vector<uint8_t>>& files) {
    std::vector<uint8_t> joined;
    for (size_t i = 0; i < files.size(); ++i) {
        if (i + 1 < files.size()) {
            size_t n = files[i].size() > 0xFFFF ? 0xFFFF : files[i].size();
            joined.push_back(static_cast<uint8_t>(n & 0xFF));
            joined.push_back(static_cast<uint8_t>(n >> 8));
            joined.insert(joined.end(), files[i].begin(), files[i].begin() + static_cast<long>(n));
        } else {
            joined.insert(joined.end(), files[i].begin(), files[i].end());
        }
    }
    return joined;
}
