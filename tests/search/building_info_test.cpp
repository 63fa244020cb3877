// The information on a press: what the hit test finds, the texts of a building, the objects at
// its address point, and the dialogs that show them.
#include "search/building_info.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "info_plan.h"
#include "platform/user_testing.h"
#include "resources/resources.h"

namespace {

// Street 7 runs east-west along X = 40 from Y = 10 to 190 (its box has no height); a kerb of
// code 0 along X = 60; street 9 runs diagonally from (120, 200) to (280, 360), on the line
// Y = X + 80, so a point (200, 280 + d) lies d / sqrt(2) from it. Street 11 has no name record.
// House 0 straddles street 7 with its anchor at (40, 110), in district Alpha.
class InfoTest : public InfoPlanTest {
  protected:
    void SetUp() override {
        InfoPlanTest::SetUp();
        SetStreetNames({{7, "Lenina ul./Staraya"}, {9, "Sadovaya"}});
        SetStreetLines({{7, {{40, 10}, {40, 190}}},
                        {0, {{60, 10}, {60, 190}}},
                        {9, {{120, 200}, {280, 360}}},
                        {11, {{250, 10}, {250, 190}}}});
        HouseSketch house{30, 100, 50, 120};
        house.floors = 5;
        house.streetId = 7;
        house.houseNumber = "12";
        house.caption = "Shop";
        SetHouses({house});
    }
};

struct PressCase {
    const char* what;
    float x;
    float y;
    double scale;
    int level;
    InfoKind kind;
    const char* text;  // the tip's text; "" for a building or nothing
};

TEST_F(InfoTest, PressFindsBuildingThenStreetThenDistrict) {
    const PressCase cases[] = {
        {"inside the house on the street", 40, 110, 0.5, 3, InfoKind::Building, ""},
        {"on the street beside the house", 40, 150, 0.5, 3, InfoKind::Street, "Lenina ul."},
        {"5 m off the street, outside its box", 45, 150, 0.5, 3, InfoKind::District, "Alpha district"},
        {"on the kerb of code 0", 60, 150, 0.5, 3, InfoKind::District, "Alpha district"},
        {"10.6 m off at level 3 (12 m)", 200, 295, 0.5, 3, InfoKind::Street, "Sadovaya"},
        {"12.7 m off at level 3 (12 m)", 200, 298, 0.5, 3, InfoKind::District, "Gamma district"},
        {"38.9 m off at level 0 (40 m)", 200, 335, 0.05, 0, InfoKind::Street, "Sadovaya"},
        {"41.0 m off at level 0 (40 m)", 200, 338, 0.05, 0, InfoKind::District, "Gamma district"},
        {"3.5 m off at level 5 (4 m)", 200, 285, 2.5, 5, InfoKind::Street, "Sadovaya"},
        {"4.2 m off at level 5 (4 m)", 200, 286, 2.5, 5, InfoKind::District, "Gamma district"},
        {"on a street without a name", 250, 100, 0.5, 3, InfoKind::None, ""},
        {"land outside every district", 50, 450, 0.5, 3, InfoKind::None, ""},
        {"beyond the land", 400, 100, 0.5, 3, InfoKind::None, ""},
    };
    for (const PressCase& c : cases) {
        SCOPED_TRACE(c.what);
        SetView(c.scale, c.level);
        const InfoHit hit = FindInfoAt(c.x, c.y);
        EXPECT_EQ(hit.kind, c.kind);
        EXPECT_EQ(hit.building, c.kind == InfoKind::Building ? 0 : -1);
        if (c.kind == InfoKind::Street || c.kind == InfoKind::District) {
            EXPECT_STREQ(hit.text, c.text);
        }
    }
}

TEST_F(InfoTest, NoDistrictOutlinesMeansNothingOffTheStreets) {
    // Only the land outline: there is no district to name.
    g_area_count = 1;
    EXPECT_EQ(FindInfoAt(20, 150).kind, InfoKind::None);
    EXPECT_EQ(FindInfoAt(40, 150).kind, InfoKind::Street);
    g_area_count = 3;
}

TEST_F(InfoTest, TipNamesTheNearestPartWithin400Metres) {
    struct Case {
        const char* what;
        std::vector<PlaceSketch> places;
        const char* text;
    };
    // The press is at (20, 150).
    const Case cases[] = {
        {"300 m away", {{20, 450, "Gavan"}}, "Alpha district  (Gavan)"},
        {"exactly 400 m away", {{20, 550, "Gavan"}}, "Alpha district"},
        {"the nearer of two", {{20, 450, "Gavan"}, {120, 150, "Port"}}, "Alpha district  (Port)"},
        {"equal distances: the earlier", {{120, 150, "Port"}, {20, 250, "Gavan"}}, "Alpha district  (Port)"},
        {"equal distances, swapped", {{20, 250, "Gavan"}, {120, 150, "Port"}}, "Alpha district  (Gavan)"},
        {"no parts", {}, "Alpha district"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetPlaces(c.places);
        const InfoHit hit = FindInfoAt(20, 150);
        ASSERT_EQ(hit.kind, InfoKind::District);
        EXPECT_STREQ(hit.text, c.text);
    }
}

TEST_F(InfoTest, DialogNamesTheNearestPartWithin200Metres) {
    struct Case {
        const char* what;
        std::vector<PlaceSketch> places;
        const char* district;
    };
    // The anchor is (40, 110).
    const Case cases[] = {
        {"300 m away: only the tip would name it", {{40, 410, "Gavan"}}, "Alpha district"},
        {"150 m away", {{40, 260, "Gavan"}}, "Alpha district  (Gavan)"},
        {"exactly 200 m away", {{40, 310, "Gavan"}}, "Alpha district"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetPlaces(c.places);
        FillBuildingInfo(0);
        EXPECT_STREQ(g_infoDistrict, c.district);
    }
    // The same part about 300 m from a press on open ground is named in the tip.
    SetPlaces({{40, 410, "Gavan"}});
    EXPECT_STREQ(FindInfoAt(20, 110).text, "Alpha district  (Gavan)");
}

TEST_F(InfoTest, BuildingTexts) {
    struct Case {
        const char* what;
        HouseSketch house;
        const char* address;
        const char* title;
        const char* district;
        const char* floors;
        const char* extra;
    };
    HouseSketch base{30, 100, 50, 120};
    auto with = [&](auto change) {
        HouseSketch h = base;
        change(h);
        return h;
    };
    const Case cases[] = {
        {"street and number", with([](HouseSketch& h) {
             h.streetId = 7;
             h.houseNumber = "12a";
             h.floors = 9;
             h.purpose = 444;
             h.caption = "School No 3";
         }),
         "Lenina ul., 12a", "Lenina ul., 12a", "Alpha district", "9-floor educational building",
         "School No 3"},
        {"number without a street", with([](HouseSketch& h) {
             h.houseNumber = "5";
             h.purpose = 658;
         }),
         ", 5", ", 5", "Alpha district", "1-floor apartment building", ""},
        {"street without a number", with([](HouseSketch& h) {
             h.streetId = 9;
             h.floors = 0;
             h.purpose = 412;
         }),
         "Sadovaya", "Sadovaya", "Alpha district", "1-floor ", ""},
        {"neither: the template's title", with([](HouseSketch& h) {
             h.floors = 2;
             h.purpose = 660;
         }),
         "", "Information", "Alpha district", "2-floor educational building", ""},
        {"a street id without a name record", with([](HouseSketch& h) {
             h.streetId = 30;
             h.houseNumber = "1";
             h.purpose = 0;
         }),
         ", 1", ", 1", "Alpha district", "1-floor ", ""},
        {"a number filling its field", with([](HouseSketch& h) {
             h.streetId = 9;
             h.houseNumber = "1234567";
             h.purpose = 0;
         }),
         "Sadovaya, 1234567", "Sadovaya, 1234567", "Alpha district", "1-floor ", ""},
        {"negative floors, production", with([](HouseSketch& h) {
             h.floors = -4;
             h.purpose = 777;
         }),
         "", "Information", "Alpha district", "1-floor production target or garage", ""},
        {"medical, in Gamma", with([](HouseSketch& h) {
             h.x1 = 200;
             h.x2 = 210;
             h.purpose = 661;
             h.floors = 3;
         }),
         "", "Information", "Gamma district", "3-floor medical building", ""},
        {"public, outside every district", with([](HouseSketch& h) {
             h.y1 = 440;
             h.y2 = 460;
             h.purpose = 888;
             h.floors = 12;
         }),
         "", "Information", "", "12-floor public building", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FreeMapData();
        SetOutlines();
        SetHouses({c.house});
        FillBuildingInfo(0);
        EXPECT_STREQ(g_infoAddress, c.address);
        EXPECT_STREQ(InfoTitle(), c.title);
        EXPECT_STREQ(g_infoDistrict, c.district);
        EXPECT_STREQ(g_infoFloors, c.floors);
        EXPECT_STREQ(g_infoExtra, c.extra);
    }
}

TEST_F(InfoTest, PurposeWordsOfEveryCode) {
    const std::pair<int, const char*> cases[] = {
        {411, "apartment building"},
        {658, "apartment building"},
        {413, "production target or garage"},
        {657, "production target or garage"},
        {777, "production target or garage"},
        {444, "educational building"},
        {660, "educational building"},
        {461, "public building"},
        {659, "public building"},
        {888, "public building"},
        {555, "medical building"},
        {661, "medical building"},
        {412, ""},
        {0, ""},
        {-411, ""},
    };
    for (const auto& [code, words] : cases) {
        SCOPED_TRACE(code);
        EXPECT_STREQ(PurposeWords(code), words);
    }
}

TEST_F(InfoTest, ObjectsAtTheAnchorInTableOrder) {
    SetUserObjects({{40, 110, "Pharmacy"}, {41, 110, "Next door"}, {40, 111, "Across"}, {40, 110, "Bakery"}});
    FillBuildingInfo(0);
    EXPECT_EQ(g_infoObjectCount, 2);
    EXPECT_EQ(g_infoObjects, (std::vector<int32_t>{0, 3}));
    // The next building's texts start afresh.
    FreeThemeUserSign();
    FillBuildingInfo(0);
    EXPECT_EQ(g_infoObjectCount, 0);
    EXPECT_TRUE(g_infoObjects.empty());
}

// What the dialog showed, read by the hook while it is open.
struct Shown {
    int templateId = 0;
    std::string title;
    std::string district;
    std::string floors;
    std::string extra;
    bool hasList = false;
    std::vector<std::string> lines;
    int infoOpen = -1;
    bool stayedOpen = false;  // after a click on a list line
    bool closed = false;      // after the closing action
    int closing = 0;          // 0: the Close button; else the key
};

std::string ItemText(HWND dialog, int id) {
    char buffer[128] = {};
    GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
    return buffer;
}

void ReadDialog(HWND dialog, int templateId, void* context) {
    Shown& shown = *static_cast<Shown*>(context);
    shown.templateId = templateId;
    shown.title = WindowTextUtf8(dialog);
    shown.district = ItemText(dialog, 120);
    shown.floors = ItemText(dialog, 123);
    shown.extra = ItemText(dialog, 1015);
    shown.infoOpen = g_infoOpen;
    const HWND list = GetDlgItem(dialog, 1105);
    shown.hasList = list != nullptr;
    if (list != nullptr) {
        const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char line[128] = {};
            SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line));
            shown.lines.push_back(line);
        }
        if (count > 0) {
            UserClickListLine(list, 0);
            shown.stayedOpen = IsWindowVisible(dialog) != FALSE;
        }
    }
    if (shown.closing == 0)
        UserClick(GetDlgItem(dialog, IDCLOSE));
    else
        UserPressKey(dialog, shown.closing);
    shown.closed = IsWindowVisible(dialog) == FALSE;
}

class InfoDialogTest : public InfoTest {
  protected:
    void TearDown() override {
        SetDialogHook(nullptr, nullptr);
        InfoTest::TearDown();
    }
    Shown Press(int sx, int sy, int closing = 0) {
        Shown shown;
        shown.closing = closing;
        SetDialogHook(ReadDialog, &shown);
        ShowInfoAt(sx, sy);
        SetDialogHook(nullptr, nullptr);
        return shown;
    }
};

// The anchor (40, 110) is the pixel (220, 220).
TEST_F(InfoDialogTest, BuildingWithoutObjectsOpensTheSmallDialog) {
    SetPlaces({{40, 260, "Gavan"}});
    const Shown shown = Press(220, 220);
    EXPECT_EQ(shown.templateId, IDD_INFO);
    EXPECT_EQ(shown.title, "Lenina ul., 12");
    EXPECT_EQ(shown.district, "Alpha district  (Gavan)");
    EXPECT_EQ(shown.floors, "5-floor apartment building");
    EXPECT_EQ(shown.extra, "Shop");
    EXPECT_FALSE(shown.hasList);
    EXPECT_EQ(shown.infoOpen, 1);
    EXPECT_TRUE(shown.closed);
    EXPECT_EQ(g_infoOpen, 0);
    EXPECT_EQ(g_tip.tipSaveBitmap, nullptr) << "a building shows no tip";
}

// The house lies outside every district, without street or number: pixel (900, 220) is (40, 450).
TEST_F(InfoDialogTest, EmptyTextsReplaceThePlaceholders) {
    FreeMapData();
    SetOutlines();
    SetHouses({HouseSketch{30, 440, 50, 460}});
    const Shown shown = Press(900, 220);
    EXPECT_EQ(shown.templateId, IDD_INFO);
    EXPECT_EQ(shown.title, "Information");
    EXPECT_EQ(shown.district, "");
    EXPECT_EQ(shown.floors, "1-floor apartment building");
    EXPECT_EQ(shown.extra, "");
}

TEST_F(InfoDialogTest, ObjectsAreListedInTheLargerDialog) {
    SetUserObjects({{40, 110, "Apteka \xB9 7"}, {41, 110, "Elsewhere"}, {40, 110, "Bakery"}});  // Apteka № 7
    const Shown shown = Press(220, 220);
    EXPECT_EQ(shown.templateId, IDD_INFO_WITH_OBJECTS);
    EXPECT_TRUE(shown.hasList);
    EXPECT_EQ(shown.lines, (std::vector<std::string>{"Apteka \xB9 7", "Bakery"}));
    EXPECT_TRUE(shown.stayedOpen) << "a line chosen in the list closes nothing";
    EXPECT_TRUE(shown.closed);
    EXPECT_EQ(g_infoOpen, 0);
}

TEST_F(InfoDialogTest, EveryObjectAtOneAddressIsListed) {
    std::vector<std::string> names;
    std::vector<PlaceSketch> objects;
    for (int i = 0; i < 150; ++i) names.push_back("Office " + std::to_string(i));
    for (const std::string& name : names) objects.push_back({40, 110, name.c_str()});
    SetUserObjects(objects);
    const Shown shown = Press(220, 220);
    EXPECT_EQ(g_infoObjectCount, 150);
    EXPECT_EQ(shown.lines, names);
}

TEST_F(InfoDialogTest, EnterAndEscapeClose) {
    for (int key : {VK_RETURN, VK_ESCAPE}) {
        SCOPED_TRACE(key);
        const Shown shown = Press(220, 220, key);
        EXPECT_TRUE(shown.closed);
        EXPECT_EQ(g_infoOpen, 0);
    }
}

// (40, 150) on street 7 is the pixel (300, 220); (20, 150) in Alpha is (300, 260).
TEST_F(InfoDialogTest, StreetsAndDistrictsShowTheTip) {
    struct Case {
        const char* what;
        int sx;
        int sy;
        const char* text;
        COLORREF background;
    };
    const Case cases[] = {
        {"street", 300, 220, "Lenina ul.", RGB(255, 255, 0)},
        {"district", 300, 260, "Alpha district", RGB(150, 255, 255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetBkMode(dc_, TRANSPARENT);
        StartCallRecord(dc_);
        const Shown shown = Press(c.sx, c.sy);
        std::vector<GdiCall> texts;
        for (const GdiCall& call : GetCallRecord(dc_)) {
            if (call.op == GdiOp::TextOut) texts.push_back(call);
        }
        StopCallRecord(dc_);
        EXPECT_EQ(shown.templateId, 0) << "no dialog";
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].text, c.text);
        EXPECT_EQ(texts[0].points[0].x, c.sx + 6);
        EXPECT_EQ(texts[0].points[0].y, c.sy - 6);
        EXPECT_EQ(texts[0].bkColor, c.background);
        EXPECT_EQ(texts[0].bkMode, OPAQUE) << "the text cell is filled";
        EXPECT_NE(g_tip.tipSaveBitmap, nullptr);
        RemoveTip();
    }
}

TEST_F(InfoDialogTest, NothingShowsOutsideDistrictsAndStreets) {
    StartCallRecord(dc_);
    const Shown shown = Press(2 * 450, 300 - 2 * 50);
    size_t drawn = GetCallRecord(dc_).size();
    StopCallRecord(dc_);
    EXPECT_EQ(shown.templateId, 0);
    EXPECT_EQ(drawn, 0u);
    EXPECT_EQ(g_tip.tipSaveBitmap, nullptr);
}

}  // namespace
