#include "data/plan_ini.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "data/districts.h"
#include "data/text.h"

PlanIniRec g_planIni;

namespace {

// Larger than any plan.ini the importer writes by far; a bigger file is not one of ours.
constexpr size_t kMaxFileBytes = 64 * 1024;
constexpr int kMaxLineBytes = 1024;

// The city's name is typed by a person, often in Latin letters; the rule that turns the small
// Latin p into r is meant for the Russian data files, so Latin letters stay as written.
void TransliterateKeepingLatin(char* text, size_t fieldSize) {
    for (char* p = text; *p != '\0'; ++p)
        if (*p == 'p') *p = '\x01';
    Transliterate(text, fieldSize);
    for (char* p = text; *p != '\0'; ++p)
        if (*p == '\x01') *p = 'p';
}

bool ParseNumber(const char* text, double lo, double hi, double* out) {
    if (*text == '\0') return false;
    errno = 0;
    char* end = nullptr;
    const double v = std::strtod(text, &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(v) || v < lo || v > hi) return false;
    *out = v;
    return true;
}

bool Fail(char* error, size_t errorSize, int line, const char* what) {
    if (error != nullptr && errorSize > 0) {
        if (line > 0) std::snprintf(error, errorSize, "line %d: %s", line, what);
        else std::snprintf(error, errorSize, "%s", what);
    }
    return false;
}

void TrimInPlace(char*& begin, char*& end) {
    while (begin < end && (*begin == ' ' || *begin == '\t')) ++begin;
    while (end > begin && (end[-1] == ' ' || end[-1] == '\t' || end[-1] == '\r')) --end;
}

enum class Section { None, City, Projection, Districts, Other };

char g_caption[sizeof(PlanIniRec::name) + 32];

}  // namespace

bool ParsePlanIni(const char* text, size_t length, PlanIniRec* out, char* error, size_t errorSize) {
    std::memset(out, 0, sizeof *out);
    if (text == nullptr) return Fail(error, errorSize, 0, "no text");
    bool haveLon = false, haveLat = false, haveX = false, haveY = false;
    bool districtSeen[5] = {false, false, false, false, false};
    Section section = Section::None;
    size_t pos = 0;
    int lineNo = 0;
    char line[kMaxLineBytes + 1];
    while (pos < length) {
        ++lineNo;
        size_t end = pos;
        while (end < length && text[end] != '\n') ++end;
        const size_t lineLength = end - pos;
        if (lineLength > static_cast<size_t>(kMaxLineBytes)) return Fail(error, errorSize, lineNo, "line too long");
        std::memcpy(line, text + pos, lineLength);
        line[lineLength] = '\0';
        pos = end < length ? end + 1 : end;
        if (std::strlen(line) != lineLength) return Fail(error, errorSize, lineNo, "a NUL byte in the text");
        char* b = line;
        char* e = line + std::strlen(line);
        TrimInPlace(b, e);
        *e = '\0';
        if (b == e || *b == ';' || *b == '#') continue;
        if (*b == '[') {
            if (e[-1] != ']') return Fail(error, errorSize, lineNo, "a section name needs its closing ]");
            e[-1] = '\0';
            ++b;
            if (std::strcmp(b, "city") == 0) section = Section::City;
            else if (std::strcmp(b, "projection") == 0) section = Section::Projection;
            else if (std::strcmp(b, "districts") == 0) section = Section::Districts;
            else section = Section::Other;
            continue;
        }
        char* eq = std::strchr(b, '=');
        if (eq == nullptr) return Fail(error, errorSize, lineNo, "expected key=value");
        char* keyEnd = eq;
        char* valueBegin = eq + 1;
        char* keyBegin = b;
        TrimInPlace(keyBegin, keyEnd);
        *keyEnd = '\0';
        TrimInPlace(valueBegin, e);
        *e = '\0';
        const char* key = keyBegin;
        const char* value = valueBegin;
        if (*key == '\0') return Fail(error, errorSize, lineNo, "a key is missing before =");
        switch (section) {
            case Section::City:
                if (std::strcmp(key, "name") == 0) {
                    // The transliteration is cut to the field, as every name of the map files.
                    if (std::strlen(value) >= sizeof out->name) return Fail(error, errorSize, lineNo, "the name is too long");
                    std::snprintf(out->name, sizeof out->name, "%s", value);
                }
                break;
            case Section::Projection:
                if (std::strcmp(key, "proj") == 0) {
                    if (std::strlen(value) >= sizeof out->proj) return Fail(error, errorSize, lineNo, "proj is too long");
                    std::snprintf(out->proj, sizeof out->proj, "%s", value);
                } else if (std::strcmp(key, "lon_0") == 0) {
                    if (!ParseNumber(value, -180.0, 180.0, &out->lon0))
                        return Fail(error, errorSize, lineNo, "lon_0 must be a number of degrees from -180 to 180");
                    haveLon = true;
                } else if (std::strcmp(key, "lat_0") == 0) {
                    if (!ParseNumber(value, -90.0, 90.0, &out->lat0))
                        return Fail(error, errorSize, lineNo, "lat_0 must be a number of degrees from -90 to 90");
                    haveLat = true;
                } else if (std::strcmp(key, "x_shift") == 0) {
                    if (!ParseNumber(value, -1e8, 1e8, &out->xShift)) return Fail(error, errorSize, lineNo, "x_shift must be a number");
                    haveX = true;
                } else if (std::strcmp(key, "y_shift") == 0) {
                    if (!ParseNumber(value, -1e8, 1e8, &out->yShift)) return Fail(error, errorSize, lineNo, "y_shift must be a number");
                    haveY = true;
                }
                break;
            case Section::Districts: {
                if (key[0] < '1' || key[0] > '5' || key[1] != '\0')
                    return Fail(error, errorSize, lineNo, "districts are numbered 1 to 5");
                const int k = key[0] - '1';
                if (districtSeen[k]) return Fail(error, errorSize, lineNo, "a district is named twice");
                districtSeen[k] = true;
                std::snprintf(out->districts[k], sizeof out->districts[k], "%s", value);
                break;
            }
            case Section::None: return Fail(error, errorSize, lineNo, "a key before any section");
            case Section::Other: break;
        }
    }
    if (out->name[0] == '\0') return Fail(error, errorSize, 0, "[city] name= is missing");
    if (!haveX || !haveY) return Fail(error, errorSize, 0, "[projection] needs x_shift and y_shift");
    if (out->proj[0] == '\0' && !(haveLon && haveLat))
        return Fail(error, errorSize, 0, "[projection] needs proj= or both lon_0 and lat_0");
    int count = 0;
    while (count < 5 && districtSeen[count]) ++count;
    for (int k = count; k < 5; ++k)
        if (districtSeen[k]) return Fail(error, errorSize, 0, "district numbers must run from 1 without gaps");
    out->districtCount = count;
    out->haveCentre = haveLon && haveLat;
    TransliterateKeepingLatin(out->name, sizeof out->name);
    for (int k = 0; k < count; ++k) TransliterateKeepingLatin(out->districts[k], sizeof out->districts[k]);
    out->present = true;
    return true;
}

void LoadPlanIni() {
    std::memset(&g_planIni, 0, sizeof g_planIni);
    FILE* file = std::fopen("plan.ini", "rb");
    if (file == nullptr) return;
    char* text = static_cast<char*>(std::malloc(kMaxFileBytes + 1));
    size_t length = text != nullptr ? std::fread(text, 1, kMaxFileBytes + 1, file) : 0;
    std::fclose(file);
    if (text == nullptr) return;
    char error[160] = "";
    PlanIniRec rec;
    if (length > kMaxFileBytes) {
        std::fprintf(stderr, "plan.ini: larger than %zu bytes; ignored\n", kMaxFileBytes);
    } else if (!ParsePlanIni(text, length, &rec, error, sizeof error)) {
        std::fprintf(stderr, "plan.ini: %s; ignored\n", error);
    } else {
        g_planIni = rec;
        for (int k = 0; k < g_planIni.districtCount && k < kDistrictCount; ++k)
            std::snprintf(g_district_names[k + 1], kDistrictNameField, "%s", g_planIni.districts[k]);
        for (int k = g_planIni.districtCount; k < kDistrictCount; ++k)
            if (g_planIni.districtCount > 0) g_district_names[k + 1][0] = '\0';
    }
    std::free(text);
}

const char* PlanIniCaption() {
    if (!g_planIni.present) return nullptr;
    std::snprintf(g_caption, sizeof g_caption, "%s. Address plan", g_planIni.name);
    return g_caption;
}
