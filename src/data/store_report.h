// A JSON account of what the map store holds and what the last load noted, for plan-inspect:
// the viewer says nothing about bad data, so this is how a maintainer sees what it made of a
// folder. Texts are shown as Unicode (the store keeps Windows-1251 bytes).
#pragma once

#include <cstdio>
#include <string>

enum ReportTable : unsigned {
    kReportPlaces = 1u << 0,
    kReportAreas = 1u << 1,
    kReportTopo1 = 1u << 2,
    kReportTopo2 = 1u << 3,
    kReportTopo3 = 1u << 4,
    kReportTopo4 = 1u << 5,
    kReportStreetLines = 1u << 6,
    kReportStreetNames = 1u << 7,
    kReportStreetIndex = 1u << 8,
    kReportLabels = 1u << 9,
    kReportBuildings = 1u << 10,
    kReportThemes = 1u << 11,
    kReportUserObjects = 1u << 12,
    kReportSigns = 1u << 13,
    kReportAllTables = (1u << 14) - 1,
};

struct StoreReportOptions {
    unsigned records = 0;  // ReportTable bits: tables whose every record is listed
    bool points = false;   // list the points of outlines, lines and buildings too
};

// The table bit for a name such as "labels" or "g_labels"; 0 when unknown.
unsigned ReportTableByName(const char* name);

// Windows-1251 text as a JSON string literal (quotes included), at most `size` bytes of it, up to
// the first NUL unless `keepNul`.
std::string JsonText(const char* text, size_t size, bool keepNul = false);

void WriteStoreReport(FILE* out, const StoreReportOptions& options);
