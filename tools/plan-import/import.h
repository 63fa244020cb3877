// The whole import: an OpenStreetMap extract becomes a City of the generator's form, which the
// generator's writer turns into the eleven map files, with plan.ini beside them.
#pragma once

#include <string>
#include <vector>

#include "city.h"
#include "osm_input.h"

namespace planimport {

struct ImportOptions {
    std::string input;
    std::string out;
    bool haveBox = false;
    GeoBox box;        // --bbox
    std::string name;  // --name, UTF-8; empty: from the data
    std::string proj;  // --proj; empty: a transverse Mercator centred on the box
};

// What went in and what was left out, for the summary.
struct ImportSummary {
    int streets = 0;
    int streetLines = 0;
    int roadLines = 0;
    int labels = 0;
    int streetsWithoutLabel = 0;
    int buildings = 0;
    int addressed = 0;             // buildings with a house number
    int streetNotFound = 0;        // addr:street that names no imported street
    int buildingsOutside = 0;      // not wholly inside the plan
    int buildingsTooSmall = 0;     // fewer than three usable points
    int places = 0;
    int objects = 0;
    int objectsOutside = 0;        // in no building
    int objectsBeyond = 0;         // outside the area
    int objectsUnnamed = 0;
    int topo[4] = {0, 0, 0, 0};
    int districts = 0;
    bool districtsFromBoundaries = false;
    bool landFromCoast = false;
    int landPartsLeftOut = 0;      // islands beyond the one land outline
    int brokenCoast = 0;
    int waysMissingNodes = 0;
    std::string cityName;          // as written to plan.ini, Windows-1251
};

// What plan.ini records.
struct PlanSettings {
    std::string name;  // Windows-1251
    std::string proj;
    bool centred = true;  // proj is the transverse Mercator centred on (lon0, lat0)
    double lon0 = 0.0;
    double lat0 = 0.0;
    double xShift = 0.0;  // plan x = northing + xShift
    double yShift = 0.0;  // plan y = easting + yShift
    std::vector<std::string> districts;  // Windows-1251, numbers 1.. in order
};

// The largest whole metre of the u16 coordinate fields and the most records a table holds.
constexpr double kMaxPlanMetres = 65535.0;
constexpr int kMaxRecords = 32767;
// Room left round the data, so that nothing lies on the plan's edge.
constexpr double kPlanMargin = 100.0;

enum class ImportFailure { None, BadArgument, BadInput };

// Builds the city from read data. On failure `error` says why and `failure` what kind.
bool BuildCity(const OsmData& data, const ImportOptions& options, citygen::City& city, PlanSettings& settings,
               ImportSummary& summary, std::string& error, ImportFailure& failure);

// The label size (hundredths of a millimetre per metre: the scale from which a label shows) at
// which a name of `chars` letters fits along a line of `length` metres; 0 when it never fits.
int LabelSize(double length, size_t chars);

// The text of plan.ini.
std::string PlanIniText(const PlanSettings& settings);

// Reads, builds and writes. Returns 0 on success, 1 for unusable input or a failed write, 2 for
// an argument that turned out unusable (a projection PROJ refuses).
int RunImport(const ImportOptions& options, ImportSummary& summary, std::string& error);

// The summary as printed.
std::string SummaryText(const ImportSummary& summary, const std::string& folder);

}  // namespace planimport
