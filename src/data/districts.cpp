#include "data/districts.h"

#include <cstring>

namespace {

// The one list of the names. The viewer's table is a copy, because start-up transliterates it in
// place while the generator needs the Russian originals.
constexpr char kSourceNames[kDistrictCount + 1][kDistrictNameField] = {
    "",
    "\xD6\xE5\xED\xF2\xF0\xE0\xEB\xFC\xED\xFB\xE9",  // Центральный
    "\xCF\xF0\xE8\xEC\xEE\xF0\xF1\xEA\xE8\xE9",      // Приморский
    "\xCD\xE0\xE3\xEE\xF0\xED\xFB\xE9",              // Нагорный
    "\xD1\xE5\xE2\xE5\xF0\xED\xFB\xE9",              // Северный
    "\xCE\xF1\xF2\xF0\xEE\xE2\xED\xEE\xE9",          // Островной
};

}  // namespace

char g_district_names[kDistrictCount + 1][kDistrictNameField];

namespace {
// Filled before main runs; nothing reads the table during static initialisation.
const bool g_district_names_filled = (std::memcpy(g_district_names, kSourceNames, sizeof kSourceNames), true);
}  // namespace

const char* DistrictSourceName(int number) {
    if (number < 1 || number > kDistrictCount) return "";
    return kSourceNames[number];
}
