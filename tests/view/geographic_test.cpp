#include "view/geographic.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "data/plan_ini.h"

namespace {

struct AngleCase {
    const char* name;
    double degrees;
    const char* text;  // Windows-1251: 0xB0 is the degree sign
};

TEST(FormatAngleTest, DegreesMinutesAndSecondsInWholeTens) {
    const AngleCase cases[] = {
        // 0.12345 * 60 = 7.407 minutes; 0.407 * 60 = 24.42 seconds: trunc(24.72) = 24, (24 + 5) / 10 = 2.
        {"24.42 seconds show as 20", 10.12345, " 10\xB0" "07'20\""},
        {"the central meridian", 132.0, " 132\xB0" "00'00\""},
        // 59.8 seconds: trunc(60.1) = 60, (60 + 5) / 10 * 10 = 60; the minutes stay 0.
        {"59.8 seconds are not carried", 10.0 + 59.8 / 3600.0, " 10\xB0" "00'60\""},
        // 24.99 seconds: trunc(25.29) = 25, (25 + 5) / 10 * 10 = 30.
        {"25 seconds round up to 30", 43.0 + 5.0 / 60.0 + 24.99 / 3600.0, " 43\xB0" "05'30\""},
        {"zero", 0.0, " 0\xB0" "00'00\""},
        // 0.0557722 * 60 = 3.346 minutes; 0.346 * 60 = 20.78 seconds: trunc(21.08) = 21, 26 / 10 * 10 = 20.
        {"a latitude of the plan", 43.0557722, " 43\xB0" "03'20\""},
    };
    for (const AngleCase& c : cases) {
        SCOPED_TRACE(c.name);
        char text[kAngleTextSize];
        const int length = FormatAngle(c.degrees, text, sizeof text);
        EXPECT_EQ(std::string(text), std::string(c.text));
        EXPECT_EQ(length, static_cast<int>(std::string(c.text).size()));
    }
}

TEST(FormatAngleTest, NoNumberAndSmallRoomAreSafe) {
    char text[kAngleTextSize] = "x";
    EXPECT_EQ(FormatAngle(std::nan(""), text, sizeof text), 0);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(FormatAngle(1e300, text, sizeof text), 0);
    EXPECT_STREQ(text, "");
    char small[5];
    EXPECT_EQ(FormatAngle(132.0, small, sizeof small), 4);
    EXPECT_STREQ(small, " 132");
    EXPECT_EQ(FormatAngle(132.0, nullptr, 10), 0);
}

TEST(PlanToGeographicTest, TheCentralMeridianAndTheLatitudeOnIt) {
    struct Case {
        float X;
        double latitude;  // on the meridian Z = 0, so B is the foot latitude Bx of the series
    };
    // x = X + 35750 + 4733250; beta = x * 1.5704606412125508e-7;
    // Bx = beta + sin(beta) cos(beta) (50221746 + (293622 + (2350 + 22 cos^2)cos^2)cos^2) 1e-10.
    const Case cases[] = {{0.0f, 43.05577222646865}, {4375.0f, 43.095152539588476}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.X);
        const GeoPoint p = PlanPointToGeographic(c.X, 13250.0f);
        EXPECT_EQ(p.longitude, 132.0) << "Y = 13250 lies on the central meridian";
        EXPECT_NEAR(p.latitude, c.latitude, 1e-9);
    }
}

TEST(PlanToGeographicTest, EastOfTheMeridianIsEastAndLatitudeFallsAwayFromIt) {
    const GeoPoint west = PlanPointToGeographic(5000.0f, 3250.0f);
    const GeoPoint east = PlanPointToGeographic(5000.0f, 23250.0f);
    const GeoPoint on = PlanPointToGeographic(5000.0f, 13250.0f);
    // 10 km at about 43 degrees north are about 0.123 degrees of longitude.
    EXPECT_NEAR(east.longitude - 132.0, 10000.0 / (111320.0 * std::cos(43.1 * M_PI / 180.0)), 0.002);
    EXPECT_NEAR(132.0 - west.longitude, east.longitude - 132.0, 1e-9) << "symmetric about the meridian";
    EXPECT_LT(east.latitude, on.latitude);
    EXPECT_NEAR(west.latitude, east.latitude, 1e-12);
}

}  // namespace

// A city with a plan.ini: its transverse Mercator on WGS84. At the equator a metre north is
// 1 / (a (1 - e^2)) radians of latitude (the meridian's radius of curvature there, 6335439.3 m)
// and a metre east 1 / a radians of longitude (6378137 m).
TEST(GeographicOfImportedCity, TransverseMercatorAtAndNearItsCentre) {
    GeoPoint centre = TransverseMercatorToGeographic(0.0, 0.0, 55.75, 37.62);
    EXPECT_NEAR(centre.latitude, 55.75, 1e-7);  // a centimetre: the series is cut after D^6
    EXPECT_NEAR(centre.longitude, 37.62, 1e-9);
    GeoPoint north = TransverseMercatorToGeographic(1000.0, 0.0, 0.0, 10.0);
    EXPECT_NEAR(north.latitude, 1000.0 / 6335439.3 * 57.29577951308232, 1e-7);
    EXPECT_NEAR(north.longitude, 10.0, 1e-12);
    GeoPoint east = TransverseMercatorToGeographic(0.0, 1000.0, 0.0, 10.0);
    EXPECT_NEAR(east.latitude, 0.0, 1e-9);
    EXPECT_NEAR(east.longitude, 10.0 + 1000.0 / 6378137.0 * 57.29577951308232, 1e-7);
    // South of the origin latitude: the degree between 55 and 56 degrees is 111,333 m long
    // (111132.954 - 559.822 cos 2phi + 1.175 cos 4phi at phi = 55.5 degrees).
    GeoPoint south = TransverseMercatorToGeographic(-111333.0, 0.0, 56.0, 37.0);
    EXPECT_NEAR(south.latitude, 55.0, 0.0002);
}

TEST(GeographicOfImportedCity, PlanPointsGoThroughTheCityProjection) {
    const PlanIniRec saved = g_planIni;
    g_planIni = PlanIniRec{};
    g_planIni.present = true;
    g_planIni.haveCentre = true;
    g_planIni.lat0 = 0.0;
    g_planIni.lon0 = 10.0;
    g_planIni.xShift = 5000.0;
    g_planIni.yShift = 3000.0;
    GeoPoint p = PlanPointToGeographic(6000.0f, 3000.0f);
    EXPECT_NEAR(p.latitude, 1000.0 / 6335439.3 * 57.29577951308232, 1e-7);
    EXPECT_NEAR(p.longitude, 10.0, 1e-9);
    // Only a projection string: nothing the viewer can convert, an empty readout.
    g_planIni.haveCentre = false;
    p = PlanPointToGeographic(6000.0f, 3000.0f);
    char text[kAngleTextSize];
    EXPECT_EQ(FormatAngle(p.latitude, text, sizeof text), 0);
    EXPECT_STREQ(text, "");
    g_planIni = saved;
}
