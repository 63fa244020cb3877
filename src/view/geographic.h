// Latitude and longitude of plan points: the plan's local frame is a piece of the Gauss-Krueger
// zone with central meridian 132 degrees east on the Krasovsky ellipsoid, shifted by fixed
// offsets; the readout shows degrees, minutes and seconds in whole tens.
#pragma once

#include <cstddef>

// The plan frame's offsets from the projection's own origin.
constexpr double kPlanOffsetNorth = 35750.0;
constexpr double kPlanOffsetEast = 22500.0;

struct GeoPoint {
    double latitude;   // degrees north
    double longitude;  // degrees east
};

// The inverse projection of a shifted plan point (a northing, b easting, metres).
GeoPoint PlanToGeographic(double a, double b);
// A plan point (X northing, Y easting) as the coordinates window shows it: shifted, each
// coordinate rounded to single precision, then converted. A city with a plan.ini that names the
// centre of its transverse Mercator is converted through that projection instead
// (TransverseMercatorToGeographic); one that gives only a projection string the viewer cannot
// evaluate gives NaN, which the readout shows as empty.
GeoPoint PlanPointToGeographic(float X, float Y);

// The inverse of a transverse Mercator on WGS84 with scale 1 at its central meridian lon0 and
// origin latitude lat0 (degrees): northing and easting in metres from (lat0, lon0).
GeoPoint TransverseMercatorToGeographic(double northing, double easting, double lat0, double lon0);

// Longest text FormatAngle writes, with its NUL.
constexpr size_t kAngleTextSize = 32;
// " D\xB0MM'SS\"" in Windows-1251, seconds in whole tens (never carried into the minutes).
// Writes at most `size` bytes with the NUL; returns the length. An angle that is not a number
// or beyond a full turn's thousandfold gives an empty text.
int FormatAngle(double degrees, char* text, size_t size);
