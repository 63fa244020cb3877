// The house list of the chosen street: built from the buildings, ordered by house number, and
// searched by a typed number.
#include <cstdlib>
#include <cstring>

#include "data/store.h"
#include "data/text.h"
#include "search/street_search.h"

HouseEntry* g_houseList = nullptr;
int32_t g_houseCapacity = 0;
int32_t g_houseCount = 0;

namespace {

// Street ids are i16: one counter for each.
constexpr int kStreetIdRange = 65536;

bool Numbered(const BuildingRec& b) { return b.houseNumber[0] != '\0'; }

// The building's house number as a terminated text, however the record was filled.
void CopyHouseNumber(const BuildingRec& b, char* out) {
    const size_t len = strnlen(b.houseNumber, sizeof b.houseNumber);
    memcpy(out, b.houseNumber, len);
    out[len] = '\0';
}

// The sort key of an entry: its text up to the first ",".
void SortKey(const HouseEntry& entry, char key[kHouseTextSize]) {
    size_t len = strnlen(entry.text, kHouseTextSize - 1);
    const char* comma = static_cast<const char*>(memchr(entry.text, ',', len));
    if (comma != nullptr) len = static_cast<size_t>(comma - entry.text);
    memcpy(key, entry.text, len);
    key[len] = '\0';
}

// Room for `count` entries, keeping none of the old ones.
bool EnsureHouseRoom(int32_t count) {
    if (g_houseList != nullptr && count <= g_houseCapacity) return true;
    FreeHouseList();
    const int32_t room = count > 0 ? count : 1;
    g_houseList = static_cast<HouseEntry*>(calloc(static_cast<size_t>(room), sizeof(HouseEntry)));
    if (g_houseList == nullptr) return false;
    g_houseCapacity = room;
    return true;
}

}  // namespace

bool AllocateHouseList() {
    // The longest list any street can have; a real street may have hundreds of numbered houses.
    int32_t* counts = static_cast<int32_t*>(calloc(kStreetIdRange, sizeof(int32_t)));
    if (counts == nullptr) return false;
    int32_t largest = 0;
    for (int32_t i = 0; i < g_building_count && g_buildings != nullptr; ++i) {
        if (!Numbered(g_buildings[i])) continue;
        const int32_t n = ++counts[g_buildings[i].streetId + 32768];
        if (n > largest) largest = n;
    }
    free(counts);
    g_houseCount = 0;
    return EnsureHouseRoom(largest);
}

void FreeHouseList() {
    free(g_houseList);
    g_houseList = nullptr;
    g_houseCapacity = 0;
    g_houseCount = 0;
}

void BuildHouseList() {
    g_houseCount = 0;
    if (g_street_names == nullptr || g_streetSel < 0 || g_streetSel >= g_street_name_count) return;
    const StreetNameRec& street = g_street_names[g_streetSel];
    if (street.kind == kStreetKindNoHouses || street.kind == kStreetKindHidden) return;
    if (g_buildings == nullptr) return;

    int32_t needed = 0;
    for (int32_t i = 0; i < g_building_count; ++i) {
        if (g_buildings[i].streetId == street.id && Numbered(g_buildings[i])) ++needed;
    }
    // The list was sized for the plan at hand; a caller that did not size it still gets room.
    if (!EnsureHouseRoom(needed)) return;

    for (int32_t i = 0; i < g_building_count; ++i) {
        const BuildingRec& b = g_buildings[i];
        if (b.streetId != street.id || !Numbered(b)) continue;
        HouseEntry& entry = g_houseList[g_houseCount++];
        entry.building = i;
        CopyHouseNumber(b, entry.text);
    }
    SortHouseList();

    for (int32_t k = 0; k < g_houseCount; ++k) {
        HouseEntry& entry = g_houseList[k];
        const BuildingRec& b = g_buildings[entry.building];
        const int numberLength = static_cast<int>(strlen(entry.text));
        char caption[sizeof b.caption];
        const size_t captionLength = strnlen(b.caption, sizeof b.caption - 1);
        memcpy(caption, b.caption, captionLength);
        caption[captionLength] = '\0';
        const int room = 29 - numberLength;
        if (room >= 0 && static_cast<size_t>(room) < captionLength) caption[room] = '\0';
        if (TrimText(caption) == 0) continue;
        strcat(entry.text, ", ");
        strcat(entry.text, caption);
    }
}

void SortHouseList() {
    if (g_houseList == nullptr) return;
    char minKey[kHouseTextSize];
    char candidate[kHouseTextSize];
    for (int32_t i = 0; i + 1 < g_houseCount; ++i) {
        int32_t least = i;
        SortKey(g_houseList[i], minKey);
        for (int32_t j = i + 1; j < g_houseCount; ++j) {
            SortKey(g_houseList[j], candidate);
            // Only a strictly smaller number replaces the minimum: equal numbers keep their order
            // of first appearance at the front.
            if (CompareHouseNumbers(minKey, candidate) > 0) {
                least = j;
                memcpy(minKey, candidate, sizeof minKey);
            }
        }
        if (least != i) {
            const HouseEntry swap = g_houseList[i];
            g_houseList[i] = g_houseList[least];
            g_houseList[least] = swap;
        }
    }
}

int32_t FindHouse(const char* text) {
    char typed[kHouseTextSize];
    const size_t typedLength = text != nullptr ? strnlen(text, kHouseTextSize - 1) : 0;
    if (typedLength > 0) memcpy(typed, text, typedLength);
    typed[typedLength] = '\0';
    LowerText(typed);
    const size_t n = strlen(typed);
    if (g_houseList == nullptr) return -1;
    for (int32_t i = 0; i < g_houseCount; ++i) {
        char cut[kHouseTextSize];
        const size_t len = strnlen(g_houseList[i].text, kHouseTextSize - 1);
        memcpy(cut, g_houseList[i].text, len);
        cut[len] = '\0';
        LowerText(cut);
        char* comma = strchr(cut, ',');
        if (comma != nullptr) *comma = '\0';
        if (strlen(cut) > n) cut[n] = '\0';
        if (strcmp(cut, typed) == 0) return i;
        if (CompareHouseNumbers(cut, typed) >= 0) return i;
    }
    return g_houseCount - 1;
}
