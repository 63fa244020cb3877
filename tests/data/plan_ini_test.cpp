// plan.ini: the settings of a city that is not Korvinsk, read beside the map files.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "data/districts.h"
#include "data/plan_ini.h"
#include "data/store.h"
#include "support/map_folder.h"

namespace {

const char kGood[] =
    "; written by hand\r\n"
    "[city]\r\n"
    "name = \xCA\xE8\xE5\xE2 plan\r\n"  // Киев plan
    "[projection]\r\n"
    "proj=+proj=tmerc +lat_0=50.45 +lon_0=30.52 +ellps=WGS84\r\n"
    "lon_0=30.52\r\n"
    "lat_0=50.45\r\n"
    "x_shift=5600.5\r\n"
    "y_shift=-120\r\n"
    "[districts]\r\n"
    "1=\xD6\xE5\xED\xF2\xF0\r\n"  // Центр
    "2=Podil\r\n"
    "[later]\r\n"
    "whatever=1\r\n";

TEST(PlanIni, AWellFormedFileGivesNameProjectionAndDistricts) {
    PlanIniRec rec;
    char error[160] = "";
    ASSERT_TRUE(ParsePlanIni(kGood, sizeof kGood - 1, &rec, error, sizeof error)) << error;
    EXPECT_TRUE(rec.present);
    // Cyrillic is transliterated; the Latin letters stay as written, p included.
    EXPECT_STREQ(rec.name, "Kyev plan");
    EXPECT_STREQ(rec.proj, "+proj=tmerc +lat_0=50.45 +lon_0=30.52 +ellps=WGS84");
    EXPECT_TRUE(rec.haveCentre);
    EXPECT_DOUBLE_EQ(rec.lon0, 30.52);
    EXPECT_DOUBLE_EQ(rec.lat0, 50.45);
    EXPECT_DOUBLE_EQ(rec.xShift, 5600.5);
    EXPECT_DOUBLE_EQ(rec.yShift, -120.0);
    ASSERT_EQ(rec.districtCount, 2);
    EXPECT_STREQ(rec.districts[0], "Centr");
    EXPECT_STREQ(rec.districts[1], "Podil");
}

TEST(PlanIni, AProjectionByDefinitionAloneHasNoCentre) {
    const std::string text = "[city]\nname=A\n[projection]\nproj=+proj=utm +zone=35\nx_shift=1\ny_shift=2\nlon_0=25\n";
    PlanIniRec rec;
    char error[160] = "";
    ASSERT_TRUE(ParsePlanIni(text.data(), text.size(), &rec, error, sizeof error)) << error;
    // lon_0 without lat_0 describes no plane.
    EXPECT_FALSE(rec.haveCentre);
    EXPECT_STREQ(rec.proj, "+proj=utm +zone=35");
}

TEST(PlanIni, MalformedFilesAreRefusedWithTheReason) {
    struct Case {
        const char* what;
        std::string text;
        const char* reason;
    };
    const std::string proj = "[projection]\nlon_0=10\nlat_0=50\nx_shift=0\ny_shift=0\n";
    const Case cases[] = {
        {"no name", proj, "name"},
        {"an empty name", "[city]\nname=\n" + proj, "name"},
        {"no shifts", "[city]\nname=A\n[projection]\nlon_0=10\nlat_0=50\n", "x_shift"},
        {"neither proj nor centre", "[city]\nname=A\n[projection]\nx_shift=0\ny_shift=0\n", "proj="},
        {"a longitude past 180", "[city]\nname=A\n[projection]\nlon_0=181\nlat_0=0\nx_shift=0\ny_shift=0\n", "lon_0"},
        {"a shift that is no number", "[city]\nname=A\n[projection]\nproj=x\nx_shift=1e\ny_shift=0\n", "x_shift"},
        {"a line without =", "[city]\nname A\n" + proj, "line 2"},
        {"a key before any section", "name=A\n" + proj, "line 1"},
        {"an unclosed section", "[city\nname=A\n" + proj, "line 1"},
        {"district 6", "[city]\nname=A\n" + proj + "[districts]\n6=X\n", "1 to 5"},
        {"a gap in the districts", "[city]\nname=A\n" + proj + "[districts]\n1=X\n3=Y\n", "gaps"},
        {"a district named twice", "[city]\nname=A\n" + proj + "[districts]\n1=X\n1=Y\n", "twice"},
        {"a NUL byte", std::string("[city]\nname=A\0B\n", 15) + proj, "NUL"},
        {"a line of 2000 bytes", "[city]\nname=" + std::string(2000, 'a') + "\n" + proj, "too long"},
        {"a name longer than its field", "[city]\nname=" + std::string(80, 'a') + "\n" + proj, "too long"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PlanIniRec rec;
        char error[160] = "";
        EXPECT_FALSE(ParsePlanIni(c.text.data(), c.text.size(), &rec, error, sizeof error));
        EXPECT_FALSE(rec.present);
        EXPECT_NE(std::strstr(error, c.reason), nullptr) << error;
    }
}

TEST(PlanIni, LoadingReadsTheWorkingFolderAndIgnoresABadFile) {
    TempFolder folder;
    WorkingDirectory here(folder.path());
    char saved[kDistrictCount + 1][kDistrictNameField];
    std::memcpy(saved, g_district_names, sizeof saved);

    LoadPlanIni();  // no file: Korvinsk
    EXPECT_FALSE(g_planIni.present);
    EXPECT_EQ(PlanIniCaption(), nullptr);

    folder.WriteText("plan.ini", kGood);
    LoadPlanIni();
    ASSERT_TRUE(g_planIni.present);
    EXPECT_STREQ(PlanIniCaption(), "Kyev plan. Address plan");
    // Two districts named: the table takes them and the other three are left without names.
    EXPECT_STREQ(g_district_names[1], "Centr");
    EXPECT_STREQ(g_district_names[2], "Podil");
    EXPECT_STREQ(g_district_names[3], "");

    folder.WriteText("plan.ini", "[city]\nname=Broken\n");
    testing::internal::CaptureStderr();
    LoadPlanIni();
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(g_planIni.present);
    EXPECT_NE(report.find("plan.ini"), std::string::npos);
    EXPECT_NE(report.find("ignored"), std::string::npos);

    std::memcpy(g_district_names, saved, sizeof saved);
    std::memset(&g_planIni, 0, sizeof g_planIni);
}

}  // namespace
