// The five districts of Korvinsk. Their names are city data: the viewer shows them (turned into
// Latin letters at start-up) and the city generator writes district outlines numbered after them,
// so both take the names from here and cannot disagree.
#pragma once

constexpr int kDistrictCount = 5;
// Each name lives in a 16-byte field: at most 15 characters and the terminator.
constexpr int kDistrictNameField = 16;

// Entry k (1..5) holds the name of district number k, entry 0 stays empty. Windows-1251 until
// start-up transliterates the fields in place.
extern char g_district_names[kDistrictCount + 1][kDistrictNameField];

// The Windows-1251 name of district `number` (1..5) as the city data hold it, unaffected by the
// transliteration of g_district_names; "" for any other number.
const char* DistrictSourceName(int number);
