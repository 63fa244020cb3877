// Russian names of the city: streets, parts of the city, objects and captions. The word lists
// are written in UTF-8 and turned into the Windows-1251 bytes of the map files here.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "common.h"

namespace citygen {

// Windows-1251 bytes of a UTF-8 text; characters the code page lacks become '?'.
std::string To1251(const std::string& utf8);
// Length of the Latin form the viewer shows (its transliteration).
size_t LatinLength(const std::string& cp1251);
// The lower-cased Latin form, by which the street list is ordered.
std::string LatinKey(const std::string& cp1251);

// Gives unique street names of a kind (the kind constants of city.h).
class StreetNamer {
public:
    explicit StreetNamer(uint64_t seed);
    // A new name for a street of `kind`; `rank` leans the choice (main streets get the
    // grander names). Never longer than 29 characters, in Windows-1251 and in Latin letters.
    std::string Next(int kind, int rank);
    // A name for the bridge (a street of kind 0).
    std::string Bridge();

private:
    std::string Try(int kind, int rank);
    Rng rng_;
    std::set<std::string> used_;
};

// `count` different names of parts of the city, in Windows-1251; all of the list for 0.
std::vector<std::string> PlaceNames(uint64_t seed, int count);

// A short proper name for a shop, café or the like, in Windows-1251 with its quotes.
std::string QuotedName(Rng& rng);

}  // namespace citygen
