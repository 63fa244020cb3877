// Finding streets and houses, the order of the house list, and what showing a house or a street
// does to the view and the flags. Expected values are worked out from the search rules on the
// plan of search_fixture.h.
#include <string>
#include <vector>

#include "search_fixture.h"

namespace {

TEST_F(SearchTest, FindStreetByTypedText) {
    struct Case {
        const char* typed;
        int32_t expected;
        const char* why;
    };
    const Case cases[] = {
        {"a", 0, "the first name beginning with a"},
        {"A", 0, "capitals are lower-cased"},
        {"ak", 1, "a longer beginning"},
        {"lunn", 3, "a whole beginning"},
        {"\xCB\xF3\xED\xED", 3, "Cyrillic Lunn, as a Russian keyboard types it"},
        {"\xCB\xD3\xCD\xCD", 3, "Cyrillic LUNN in capitals"},
        {"\xE6\xF3\xEA", 6, "Cyrillic zhuk: one letter gives two"},
        {"park", 5, "a Latin p stays p"},
        {"\xCF\xE0\xF0\xEA", 5, "Cyrillic Park"},
        {"p\xE0rk", 5, "Latin with one Cyrillic letter inside"},
        {"b", 1, "between two names: the earlier"},
        {"lesz", 2, "four letters between two names: the earlier"},
        {"doro", 1, "four letters inside a name are not looked for inside"},
        {"doroga", 3, "five or more letters beginning no name: the first name holding them"},
        {"portovaya", 4, "the second part of a name is found too"},
        {"ul./p", 4, "inside the name, punctuation and all"},
        {"zzzz", -1, "after every name: nothing"},
        {"aaaa", -1, "before every name: nothing"},
        {"", 0, "an empty text begins every name"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(FindStreet(c.typed), c.expected);
    }
}

TEST_F(SearchTest, FindStreetWithoutStreetsFindsNothing) {
    g_street_name_count = 0;
    EXPECT_EQ(FindStreet("a"), -1);
    g_street_names = nullptr;
    EXPECT_EQ(FindStreet("a"), -1);
}

TEST_F(SearchTest, HouseListIsInHouseNumberOrderWithCaptions) {
    ChooseStreet(3);
    EXPECT_EQ(HouseTexts(), (std::vector<std::string>{"2", "2a, Shkola", "10"}))
        << "a blank caption adds nothing; the unnumbered building is left out";
    ASSERT_EQ(g_houseCount, 3);
    EXPECT_EQ(g_houseList[0].building, lun2);
    EXPECT_EQ(g_houseList[1].building, lun2a);
    EXPECT_EQ(g_houseList[2].building, lun10);

    ChooseStreet(0);
    EXPECT_EQ(HouseTexts(), (std::vector<std::string>{"1", "3", "10", "12"}));
}

TEST_F(SearchTest, StreetsWithoutHousesGiveAnEmptyList) {
    struct Case {
        int32_t street;
        const char* why;
    };
    const Case cases[] = {{2, "kind 0, though a building names it"},
                          {5, "kind 100, though a building names it"},
                          {6, "no building names it"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        ChooseStreet(c.street);
        EXPECT_EQ(g_houseCount, 0);
    }
}

TEST_F(SearchTest, HouseListHoldsEveryHouseOfALongStreet) {
    ChooseStreet(4);
    ASSERT_EQ(g_houseCount, 350);
    EXPECT_GE(g_houseCapacity, 350);
    for (int32_t k = 0; k < 350; ++k) {
        ASSERT_EQ(std::string(g_houseList[k].text), std::to_string(k + 1)) << "entry " << k;
    }
    // Number 350 was the first of the street in the table, number 1 the last.
    EXPECT_EQ(g_houseList[349].building, morskayaFirst);
    EXPECT_EQ(g_houseList[0].building, morskayaFirst + 349);
}

TEST_F(SearchTest, HouseListBuildsWithoutPriorSizing) {
    // plan-query and any caller that skipped the sizing still get the whole list.
    FreeHouseList();
    g_streetSel = 4;
    BuildHouseList();
    EXPECT_EQ(g_houseCount, 350);
}

TEST_F(SearchTest, CaptionIsCutSoTheLineFitsItsField) {
    strcpy(g_buildings[lun10].houseNumber, "123456");
    strcpy(g_buildings[lun10].caption, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn");
    ChooseStreet(3);
    ASSERT_EQ(g_houseCount, 3);
    EXPECT_EQ(std::string(g_houseList[2].text), "123456, ABCDEFGHIJKLMNOPQRSTUVW");
}

TEST_F(SearchTest, EqualNumbersKeepTheOrderOfTheSelectionSort) {
    strcpy(g_buildings[abr12].houseNumber, "5");
    strcpy(g_buildings[abr1].houseNumber, "5");
    strcpy(g_buildings[abr10].houseNumber, "3");
    strcpy(g_buildings[abr3].houseNumber, "7");
    ChooseStreet(0);
    ASSERT_EQ(g_houseCount, 4);
    // The table holds 5, 5, 3, 7; the 3 swaps with the first 5, which ends behind the second.
    EXPECT_EQ(g_houseList[0].building, abr10);
    EXPECT_EQ(g_houseList[1].building, abr1);
    EXPECT_EQ(g_houseList[2].building, abr12);
    EXPECT_EQ(g_houseList[3].building, abr3);
}

TEST_F(SearchTest, CyrillicLetterSuffixesOrderBeforeLatinOnes) {
    strcpy(g_buildings[lun10].houseNumber, "12b");
    strcpy(g_buildings[lun2a].houseNumber, "12\xE0");  // 12 and a Cyrillic a
    strcpy(g_buildings[lun2].houseNumber, "12");
    ChooseStreet(3);
    EXPECT_EQ(HouseTexts(), (std::vector<std::string>{"12", "12\xE0, Shkola", "12b"}));
}

TEST_F(SearchTest, FindHouseByTypedNumber) {
    struct Case {
        int32_t street;
        const char* typed;
        int32_t expected;
        const char* why;
    };
    const Case cases[] = {
        {0, "1", 0, "the first number beginning with 1"},
        {0, "10", 2, "a whole number"},
        {0, "12", 3, "the last number"},
        {0, "2", 1, "between 1 and 3: the next one"},
        {0, "99", 3, "above every number: the last entry"},
        {3, "2A", 1, "the caption is not compared, letters are lower-cased"},
        {3, "shk", 2, "text ordering after every number: the last entry"},
        {6, "1", -1, "an empty list"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        ChooseStreet(c.street);
        EXPECT_EQ(FindHouse(c.typed), c.expected);
    }
}

// ---- Showing a house ----

TEST_F(SearchTest, ShowHouseAlreadyWellInViewOnlyMovesTheFlag) {
    ChooseStreet(0);
    g_selCount = 3;
    SetView(500, 500, 1500, 1500, 0.5);
    ShowHouse(2);
    EXPECT_EQ(Selection(), std::vector<int32_t>{abr10});
    EXPECT_EQ(g_shownStreet, 1);
    EXPECT_EQ(g_zoom.zoomDepth, 1) << "the view stays";
    EXPECT_EQ(g_needRedraw, 0);
}

TEST_F(SearchTest, ShowHouseMovesTheViewWhenSmallOrElsewhere) {
    struct Case {
        float xMin, yMin, xMax, yMax;
        double scale;
        const char* why;
    };
    const Case cases[] = {
        {500, 500, 1500, 1500, 0.4, "in view, but at a scale of exactly 0.4"},
        {5000, 5000, 6000, 6000, 1.0, "large, but elsewhere"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        g_zoom.zoomDepth = 1;
        g_needRedraw = 0;
        ChooseStreet(0);
        SetView(c.xMin, c.yMin, c.xMax, c.yMax, c.scale);
        ShowHouse(2);
        EXPECT_EQ(Selection(), std::vector<int32_t>{abr10});
        ASSERT_EQ(g_zoom.zoomDepth, 2);
        // The house (1040, 1000)..(1050, 1010) with 200 m around it.
        const ViewRect& top = Top();
        EXPECT_FLOAT_EQ(top.xMin, 840);
        EXPECT_FLOAT_EQ(top.yMin, 800);
        EXPECT_FLOAT_EQ(top.xMax, 1250);
        EXPECT_FLOAT_EQ(top.yMax, 1210);
        EXPECT_EQ(g_needRedraw, 1);
    }
}

TEST_F(SearchTest, ShowHouseInFormListModeShowsEveryFlaggedHouse) {
    g_formList = true;
    ChooseStreet(0);
    ShowHouse(0);
    EXPECT_EQ(g_zoom.zoomDepth, 1) << "nothing flagged: nothing to show";
    EXPECT_EQ(g_needRedraw, 0);

    ASSERT_TRUE(AddToSelection(abr1));
    ASSERT_TRUE(AddToSelection(akad2));
    ShowHouse(-1);
    ASSERT_EQ(g_zoom.zoomDepth, 2);
    // (1020, 1000)..(1030, 1010) and (2100, 2050)..(2120, 2060), joined and widened by 200.
    EXPECT_FLOAT_EQ(Top().xMin, 820);
    EXPECT_FLOAT_EQ(Top().yMin, 800);
    EXPECT_FLOAT_EQ(Top().xMax, 2320);
    EXPECT_FLOAT_EQ(Top().yMax, 2260);
    EXPECT_EQ(g_needRedraw, 1);
    EXPECT_EQ(Selection(), (std::vector<int32_t>{abr1, akad2})) << "the flags stay as collected";
}

// ---- Showing a street ----

TEST_F(SearchTest, ShowStreetPushesTheWideViewThenTheTightOne) {
    g_streetSel = 0;
    ASSERT_TRUE(ShowStreet());
    EXPECT_EQ(g_shownStreet, 1);
    EXPECT_EQ(g_needRedraw, 1);
    ASSERT_EQ(g_zoom.zoomDepth, 3);
    // The lines span (1000, 1000)..(1300, 1500).
    const ViewRect& wide = g_zoom.entries[2];
    EXPECT_FLOAT_EQ(wide.xMin, 500);
    EXPECT_FLOAT_EQ(wide.yMin, 500);
    EXPECT_FLOAT_EQ(wide.xMax, 1800);
    EXPECT_FLOAT_EQ(wide.yMax, 2000);
    EXPECT_FLOAT_EQ(Top().xMin, 900);
    EXPECT_FLOAT_EQ(Top().yMin, 900);
    EXPECT_FLOAT_EQ(Top().xMax, 1400);
    EXPECT_FLOAT_EQ(Top().yMax, 1600);
}

TEST_F(SearchTest, ShowStreetWithoutLinesGoesToItsHouses) {
    g_streetSel = 1;
    ASSERT_TRUE(ShowStreet());
    EXPECT_EQ(g_shownStreet, 2);
    ASSERT_EQ(g_zoom.zoomDepth, 3);
    // The houses span (2000, 2000)..(2120, 2060).
    EXPECT_FLOAT_EQ(g_zoom.entries[2].xMin, 1500);
    EXPECT_FLOAT_EQ(g_zoom.entries[2].yMin, 1500);
    EXPECT_FLOAT_EQ(g_zoom.entries[2].xMax, 2620);
    EXPECT_FLOAT_EQ(g_zoom.entries[2].yMax, 2560);
    EXPECT_FLOAT_EQ(Top().xMin, 1900);
    EXPECT_FLOAT_EQ(Top().yMin, 1900);
    EXPECT_FLOAT_EQ(Top().xMax, 2220);
    EXPECT_FLOAT_EQ(Top().yMax, 2160);
}

TEST_F(SearchTest, ShowStreetWithNothingOnThePlanLeavesTheViewAlone) {
    g_streetSel = 6;
    EXPECT_FALSE(ShowStreet());
    EXPECT_EQ(g_zoom.zoomDepth, 1);
    EXPECT_EQ(g_shownStreet, -1);
    EXPECT_EQ(g_needRedraw, 0);
    g_streetSel = -1;
    EXPECT_FALSE(ShowStreet());
}

// ---- The selection ----

TEST_F(SearchTest, AddSelectedHouseAddsOnce) {
    ChooseStreet(0);
    g_houseSel = 1;
    EXPECT_TRUE(AddSelectedHouse());
    EXPECT_FALSE(AddSelectedHouse());
    EXPECT_EQ(Selection(), std::vector<int32_t>{abr3});
    EXPECT_EQ(Beeps(), 0) << "a house already there is passed over silently";
    g_houseSel = -1;
    EXPECT_FALSE(AddSelectedHouse());
}

TEST_F(SearchTest, The501stHouseIsRefusedWithABeep) {
    for (int32_t i = 0; i < kSelListSize; ++i) ASSERT_TRUE(AddToSelection(100000 + i));
    ChooseStreet(0);
    g_houseSel = 0;
    EXPECT_FALSE(AddSelectedHouse());
    EXPECT_EQ(g_selCount, kSelListSize);
    EXPECT_EQ(g_selList[kSelListSize - 1], 100000 + kSelListSize - 1);
    EXPECT_EQ(Beeps(), 1);
}

TEST_F(SearchTest, RemovingAFlagMovesTheLaterOnesUp) {
    for (int32_t b : {abr1, abr3, abr10}) ASSERT_TRUE(AddToSelection(b));
    RemoveSelectedHouse(1);
    EXPECT_EQ(Selection(), (std::vector<int32_t>{abr1, abr10}));
    RemoveSelectedHouse(2);
    RemoveSelectedHouse(-1);
    EXPECT_EQ(Selection(), (std::vector<int32_t>{abr1, abr10})) << "positions outside are ignored";
}

TEST_F(SearchTest, DistrictOutlineByNumber) {
    EXPECT_EQ(FindDistrictOutline(1), &g_areas[1]);
    EXPECT_EQ(FindDistrictOutline(3), &g_areas[2]);
    EXPECT_EQ(FindDistrictOutline(2), nullptr);
    EXPECT_EQ(FindDistrictOutline(0), nullptr) << "the land outline is no district";
}

}  // namespace
