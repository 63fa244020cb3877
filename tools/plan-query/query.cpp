#include "query.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "data/store.h"
#include "data/store_report.h"

const QueryCommand* FindQueryCommand(const std::string& name) {
    for (const QueryCommand* c = kQueryCommands; c->name != nullptr; ++c) {
        if (name == c->name) return c;
    }
    return nullptr;
}

void PrintQueryUsage(FILE* out) {
    fputs("usage: plan-query [--dir FOLDER] COMMAND ARGS...\n", out);
    for (const QueryCommand* c = kQueryCommands; c->name != nullptr; ++c) {
        fprintf(out, "  plan-query [--dir FOLDER] %s %s\n", c->name, c->usage);
    }
}

int QueryUsageError(const QueryCall& call, const char* command, const std::string& message) {
    fprintf(call.err, "plan-query: %s\n", message.c_str());
    const QueryCommand* c = FindQueryCommand(command);
    if (c != nullptr) fprintf(call.err, "usage: plan-query [--dir FOLDER] %s %s\n", c->name, c->usage);
    return kQueryUsage;
}

bool LoadQueryPlan(FILE* err) {
    LoadMainFiles();
    if (g_areas == nullptr || g_area_count < 1) {
        fputs("plan-query: no plan could be loaded here (3.tqf and the files before it are needed)\n", err);
        FreeAllMapData();
        return false;
    }
    LoadBuildingFiles();
    return true;
}

void FreeQueryPlan() { FreeAllMapData(); }

namespace {

// The upper half of Windows-1251 by Unicode code point; 0 where the code page has a hole.
constexpr unsigned kHighCodes[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0,      0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

char CodePageByte(unsigned code) {
    if (code < 0x80) return static_cast<char>(code);
    if (code >= 0x0410 && code <= 0x044F) return static_cast<char>(0xC0 + (code - 0x0410));
    for (unsigned i = 0; i < 64; ++i) {
        if (kHighCodes[i] == code) return static_cast<char>(0x80 + i);
    }
    return '?';
}

}  // namespace

std::string Utf8ToCp1251(const std::string& text) {
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        unsigned code = 0;
        size_t length = 1;
        if (c < 0x80) {
            code = c;
        } else if ((c & 0xE0) == 0xC0) {
            code = c & 0x1F;
            length = 2;
        } else if ((c & 0xF0) == 0xE0) {
            code = c & 0x0F;
            length = 3;
        } else if ((c & 0xF8) == 0xF0) {
            code = c & 0x07;
            length = 4;
        } else {
            out += '?';
            ++i;
            continue;
        }
        bool valid = i + length <= text.size();
        for (size_t k = 1; valid && k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) valid = false;
            code = (code << 6) | (next & 0x3F);
        }
        if (!valid) {
            out += '?';
            ++i;
            continue;
        }
        out += CodePageByte(code);
        i += length;
    }
    return out;
}

std::string JsonString(const char* text, size_t size) {
    if (text == nullptr) return "null";
    return JsonText(text, size);
}

std::string JsonString(const std::string& text) { return JsonText(text.c_str(), text.size()); }

std::string JsonNumber(double value) {
    if (!std::isfinite(value)) return "null";
    char buffer[40];
    if (value == std::floor(value) && std::fabs(value) < 1e15) {
        snprintf(buffer, sizeof buffer, "%.0f", value);
    } else {
        snprintf(buffer, sizeof buffer, "%.9g", value);
    }
    return buffer;
}

bool ParseInt(const std::string& text, long* value) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const long v = strtol(text.c_str(), &end, 10);
    if (errno != 0 || end == nullptr || *end != '\0') return false;
    *value = v;
    return true;
}

bool ParseDouble(const std::string& text, double* value) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const double v = strtod(text.c_str(), &end);
    if (errno != 0 || end == nullptr || *end != '\0' || !std::isfinite(v)) return false;
    *value = v;
    return true;
}
