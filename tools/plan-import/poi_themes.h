// The theme tree of an imported city: groups of points of interest and their items, and which
// OpenStreetMap tags make an object of each item.
#pragma once

#include <functional>

namespace planimport {

struct PoiItem {
    char group;        // the group key, 'A'..
    char item;         // '2'..'9': the item's code after its group key
    const char* name;  // UTF-8
};

struct PoiGroup {
    char key;
    const char* name;  // UTF-8
};

int PoiGroupCount();
const PoiGroup& PoiGroupAt(int index);
int PoiItemCount();
const PoiItem& PoiItemAt(int index);

// The value of a tag, or NULL when the object has none.
using TagLookup = std::function<const char*(const char* key)>;

// The item whose objects the tags describe, or -1 for none.
int ClassifyPoi(const TagLookup& tag);

}  // namespace planimport
