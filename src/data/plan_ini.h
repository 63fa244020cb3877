// plan.ini: what the viewer and the tools must know about a city that is not Korvinsk. It lies
// beside the map files; without it the plan is Korvinsk's, with its captions, its circular
// places, its overview labels and its coordinate conversion.
//
// The file is Windows-1251 text of "key=value" lines in sections:
//   [city]        name=            the city's name (required)
//   [projection]  proj=            PROJ definition of the plane, easting and northing in metres
//                 lon_0=, lat_0=   when given, the plane is the transverse Mercator on WGS84 with
//                                  this central meridian and latitude of origin (degrees), scale 1
//                                  and no false easting or northing: convertible without PROJ
//                 x_shift=, y_shift=  plan x = northing + x_shift, plan y = easting + y_shift
//   [districts]   1= .. 5=         district names, in the order of the district numbers
// Lines starting with ';' or '#' and blank lines are comments.
#pragma once

#include <cstddef>

struct PlanIniRec {
    bool present;        // a well-formed plan.ini was read
    char name[64];       // the city's name, transliterated
    char proj[256];      // empty when the file gives only lon_0 and lat_0
    bool haveCentre;     // lon0 and lat0 were given: the plane is that transverse Mercator
    double lon0;         // degrees
    double lat0;
    double xShift;       // plan x = northing + xShift
    double yShift;       // plan y = easting + yShift
    int districtCount;   // names given in [districts], numbers 1..districtCount without gaps
    char districts[5][16];  // transliterated, as the district-name table holds them
};

extern PlanIniRec g_planIni;

// Parses a whole plan.ini held in memory into `out` (which is cleared first). False, with a
// message in `error`, when the text is malformed: then `out->present` stays false.
bool ParsePlanIni(const char* text, size_t length, PlanIniRec* out, char* error, size_t errorSize);

// Reads plan.ini from the working directory into g_planIni and, when it names districts, puts
// their names into the district-name table. A missing file clears g_planIni; a malformed one
// is reported on the standard error and ignored.
void LoadPlanIni();

// "<name>. Address plan" for a plan.ini city; NULL without one.
const char* PlanIniCaption();
