// The object search without its window: the saved choices, the filters and the lookups that the
// window and plan-query share.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "data/text.h"
#include "search/object_search.h"
#include "view/geometry.h"
#include "view/shared_state.h"

int32_t g_objMode = -1;
char g_objName[kObjectNameField] = "";
int32_t g_objStreetChoice = -1;
int32_t g_objDistrictChoice = -1;
int32_t g_objPartChoice = -1;
int32_t g_objThemeChoice = -1;
int32_t g_objFound = 0;
bool g_objCloseOnShow = true;

namespace {

// A part of the city reaches this far from its point.
constexpr float kPartReach = 1000.0f;

// The transliteration table turns a Latin p into r, because the city data sometimes hold a
// Latin p where a Cyrillic р was meant. What the user types in Latin is meant as typed, so
// only the text between the p's goes through the table.
void TransliterateTyped(char* text, size_t field) {
    std::vector<char> out;
    out.reserve(field);
    const char* p = text;
    while (*p != '\0' && out.size() + 1 < field) {
        if (*p == 'p') {
            out.push_back(*p++);
            continue;
        }
        std::vector<char> piece(field, '\0');
        size_t n = 0;
        while (p[n] != '\0' && p[n] != 'p' && n + 1 < field) {
            piece[n] = p[n];
            ++n;
        }
        Transliterate(piece.data(), piece.size());
        for (size_t k = 0; piece[k] != '\0' && out.size() + 1 < field; ++k) out.push_back(piece[k]);
        p += n;
    }
    std::memcpy(text, out.data(), out.size());
    text[out.size()] = '\0';
}

// The outline of district `number` (1..5): the first district record carrying it.
const AreaRec* DistrictOutline(int number) {
    if (g_areas == nullptr) return nullptr;
    for (int i = 1; i < g_area_count; ++i) {
        if (g_areas[i].code == number) return &g_areas[i];
    }
    return nullptr;
}

bool AnchorInArea(const AreaRec& area, const BuildingRec& b) {
    if (area.pts == nullptr || area.count < 1) return false;
    return PointInPolygonU16(area.count, reinterpret_cast<const uint16_t*>(area.pts), b.x, b.y) == 1;
}

// The first building at each anchor, found by a binary search instead of a walk over every
// building for every object.
class AnchorLookup {
  public:
    AnchorLookup() {
        keys_.reserve(static_cast<size_t>(std::max(g_building_count, 0)));
        for (int32_t i = 0; g_buildings != nullptr && i < g_building_count; ++i) {
            keys_.push_back(Key(g_buildings[i].x, g_buildings[i].y) | static_cast<uint32_t>(i));
        }
        std::sort(keys_.begin(), keys_.end());
    }

    int32_t Find(uint16_t x, uint16_t y) const {
        const uint64_t key = Key(x, y);
        const auto it = std::lower_bound(keys_.begin(), keys_.end(), key);
        if (it == keys_.end() || (*it & ~0xFFFFFFFFull) != key) return -1;
        return static_cast<int32_t>(*it & 0xFFFFFFFFull);
    }

  private:
    static uint64_t Key(uint16_t x, uint16_t y) {
        return (static_cast<uint64_t>(x) << 48) | (static_cast<uint64_t>(y) << 32);
    }
    std::vector<uint64_t> keys_;
};

// What the address choices ask of the building an object stands in.
struct AddressFilter {
    bool given = false;
    bool street = false;
    int streetId = 0;
    bool district = false;
    const AreaRec* outline = nullptr;
    bool part = false;
    const PlaceRec* place = nullptr;
    bool impossible = false;  // a choice that nothing can pass

    bool Passes(const BuildingRec& b) const {
        if (impossible) return false;
        if (street && b.streetId != streetId) return false;
        if (district && !AnchorInArea(*outline, b)) return false;
        if (part && Distance(place->x, place->y, b.x, b.y) > kPartReach) return false;
        return true;
    }
};

AddressFilter ChosenAddress() {
    AddressFilter f;
    if (g_objStreetChoice >= 0) {
        f.given = f.street = true;
        if (g_street_names != nullptr && g_objStreetChoice < g_street_name_count) {
            f.streetId = g_street_names[g_objStreetChoice].id;
        } else {
            f.impossible = true;
        }
    }
    if (g_objDistrictChoice >= 0) {
        f.given = f.district = true;
        f.outline = DistrictOutline(g_objDistrictChoice + 1);
        // A district without an outline holds no building.
        if (f.outline == nullptr) f.impossible = true;
    }
    if (g_objPartChoice >= 0) {
        f.given = f.part = true;
        if (g_places != nullptr && g_objPartChoice < g_place_count) {
            f.place = &g_places[g_objPartChoice];
        } else {
            f.impossible = true;
        }
    }
    return f;
}

// The theme key: the group letter, and the item letter for an item.
size_t ThemeKey(char key[2]) {
    if (g_objTheme == nullptr) return 0;
    key[0] = g_objTheme->code[0];
    key[1] = g_objTheme->code[1];
    return g_objTheme->code[1] == '1' ? 1 : 2;
}

bool NameMatches(const UserObjectRec& object, const char* name, size_t nameLength) {
    char lower[sizeof object.name + 1];
    const size_t length = strnlen(object.name, sizeof object.name);
    std::memcpy(lower, object.name, length);
    lower[length] = '\0';
    LowerText(lower);
    if (g_objMode == 0) return std::strncmp(lower, name, nameLength) == 0;
    return std::strstr(lower, name) != nullptr;
}

}  // namespace

void SetObjectSearchName(const char* typed) {
    char name[kObjectNameField] = {};
    if (typed != nullptr) {
        const size_t length = strnlen(typed, sizeof name - 1);
        std::memcpy(name, typed, length);
    }
    TransliterateTyped(name, sizeof name);
    TrimText(name);
    LowerText(name);
    std::memcpy(g_objName, name, sizeof g_objName);
}

void SetObjectAddressChoices(int32_t street, int32_t district, int32_t part) {
    g_objStreetChoice = street < 0 ? -1 : street;
    g_objDistrictChoice = district < 0 ? -1 : district;
    g_objPartChoice = part < 0 ? -1 : part;
    const bool streetKnown = g_street_names != nullptr && street >= 0 && street < g_street_name_count;
    g_shownStreet = streetKnown ? g_street_names[street].id : -1;
    const bool partKnown = g_places != nullptr && part >= 0 && part < g_place_count;
    g_partShown = partKnown ? &g_places[part] : nullptr;
}

const ThemeNode* ThemeNodeAtLine(int32_t line) {
    if (line < 0) return nullptr;
    int32_t at = 0;
    for (const ThemeNode* group = g_theme_root; group != nullptr; group = group->next) {
        if (at++ == line) return group;
        for (const ThemeNode* item = group->child; item != nullptr; item = item->next) {
            if (at++ == line) return item;
        }
    }
    return nullptr;
}

int32_t ThemeLineCount() {
    int32_t count = 0;
    for (const ThemeNode* group = g_theme_root; group != nullptr; group = group->next) {
        ++count;
        for (const ThemeNode* item = group->child; item != nullptr; item = item->next) ++count;
    }
    return count;
}

int32_t ThemeLineOfCode(const char* code) {
    if (code == nullptr || strnlen(code, 3) != 2) return -1;
    for (int32_t line = 0;; ++line) {
        const ThemeNode* node = ThemeNodeAtLine(line);
        if (node == nullptr) return -1;
        if (node->code[0] == code[0] && node->code[1] == code[1]) return line;
    }
}

void SetObjectThemeChoice(int32_t line) {
    g_objTheme = ThemeNodeAtLine(line);
    g_objThemeChoice = g_objTheme != nullptr ? line : -1;
}

int32_t MatchThemeObjects() {
    char key[2] = {0, 0};
    const size_t keyLength = ThemeKey(key);

    char name[kObjectNameField];
    std::memcpy(name, g_objName, sizeof name);
    name[sizeof name - 1] = '\0';
    const size_t nameLength = static_cast<size_t>(TrimText(name));
    if (nameLength > 0) LowerText(name);

    ClearFoundObjects();
    if (g_user_objects == nullptr) return 0;

    const AddressFilter address = ChosenAddress();
    std::vector<AnchorLookup> lookup;
    if (address.given && !address.impossible) lookup.emplace_back();

    for (int32_t i = 0; i < g_user_count && g_objFound < kObjectResultLimit; ++i) {
        UserObjectRec& object = g_user_objects[i];
        if (keyLength > 0 && std::memcmp(object.code, key, keyLength) != 0) continue;
        if (nameLength > 0 && !NameMatches(object, name, nameLength)) continue;
        if (address.given) {
            if (address.impossible) continue;
            const int32_t b = lookup.front().Find(object.x, object.y);
            if (b < 0 || !address.Passes(g_buildings[b])) continue;
        }
        object.found = 1;
        ++g_objFound;
    }
    return g_objFound;
}

int32_t ObjectBuilding(int32_t object) {
    if (g_user_objects == nullptr || object < 0 || object >= g_user_count || g_buildings == nullptr)
        return -1;
    const UserObjectRec& o = g_user_objects[object];
    for (int32_t i = 0; i < g_building_count; ++i) {
        if (g_buildings[i].x == o.x && g_buildings[i].y == o.y) return i;
    }
    return -1;
}

void ClearFoundObjects() {
    for (int32_t i = 0; g_user_objects != nullptr && i < g_user_count; ++i) g_user_objects[i].found = 0;
    g_objFound = 0;
}

void FormatObjectTotal(int32_t found, char* out, size_t size) {
    if (out == nullptr || size == 0) return;
    if (found <= 0) {
        out[0] = '\0';
    } else if (found >= kObjectResultLimit) {
        // Всего более %d
        snprintf(out, size, "\xC2\xF1\xE5\xE3\xEE \xE1\xEE\xEB\xE5\xE5 %d", static_cast<int>(found));
    } else {
        // Всего: %d
        snprintf(out, size, "\xC2\xF1\xE5\xE3\xEE: %d", static_cast<int>(found));
    }
}
