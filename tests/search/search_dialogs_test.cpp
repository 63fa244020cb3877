// The search dialogs driven as a user drives them: typing, clicking list lines, Enter, "Show",
// "Cancel", the form-list mode with its "Is selected" window, parts of the city and districts.
#include <string>
#include <vector>

#include "search_fixture.h"

namespace {

constexpr int kStreetEdit = 1048;
constexpr int kStreetList = 1049;
constexpr int kHouseEdit = 1050;
constexpr int kHouseList = 1051;
constexpr int kFormListBox = 1018;
constexpr int kShow = 1058;
constexpr int kSelectedList = 1019;
constexpr int kPlaceCombo = 1014;
constexpr int kDistrictList = 1126;

class SearchDialogTest : public SearchTest {
  protected:
    void SetUp() override {
        SearchTest::SetUp();
        MakeMainWindow();
    }
};

HWND Item(HWND dialog, int id) { return GetDlgItem(dialog, id); }

TEST_F(SearchDialogTest, StreetListShowsEveryNameAndFollowsTheTyping) {
    std::vector<std::string> lines;
    int afterLatin = -2, afterCyrillic = -2, afterClear = -2;
    int32_t selAfterCyrillic = -2, selAfterClear = -2;
    RunDialog(IDD_STREET_SEARCH, OpenStreetSearch, [&](HWND dialog) {
        lines = ListLines(Item(dialog, kStreetList));
        UserTypeText(Item(dialog, kStreetEdit), "Lunn");
        afterLatin = ListSel(Item(dialog, kStreetList));
        UserClearText(Item(dialog, kStreetEdit));
        UserTypeText(Item(dialog, kStreetEdit), "\xEC\xEE\xF0");  // Cyrillic mor
        afterCyrillic = ListSel(Item(dialog, kStreetList));
        selAfterCyrillic = g_streetSel;
        UserClearText(Item(dialog, kStreetEdit));
        afterClear = ListSel(Item(dialog, kStreetList));
        selAfterClear = g_streetSel;
        UserPressKey(dialog, VK_ESCAPE);
    });
    EXPECT_EQ(lines, (std::vector<std::string>{"Abrykosovaya ul.", "Akademycheskaya ul.", "Lesnaya ul.",
                                               "Lunnaya doroga", "Morskaya ul./Portovaya", "Parkovaya ul.",
                                               "Zhukovskogo ul."}));
    EXPECT_EQ(afterLatin, 3);
    EXPECT_EQ(afterCyrillic, 4);
    EXPECT_EQ(selAfterCyrillic, 4);
    EXPECT_EQ(afterClear, -1) << "an empty text chooses no street";
    EXPECT_EQ(selAfterClear, -1);
    EXPECT_EQ(g_houseList, nullptr) << "the house list goes with the dialog";
}

TEST_F(SearchDialogTest, HouseControlsWantAStreetFirst) {
    bool focusBack = false;
    RunDialog(IDD_STREET_SEARCH, OpenStreetSearch, [&](HWND dialog) {
        UserClick(Item(dialog, kHouseEdit));
        focusBack = GetFocus() == Item(dialog, kStreetEdit);
        UserPressKey(dialog, VK_ESCAPE);
    });
    EXPECT_EQ(Beeps(), 1);
    EXPECT_TRUE(focusBack);
}

TEST_F(SearchDialogTest, DoubleClickOnAHouseShowsIt) {
    std::vector<std::string> houses;
    int selAfterTyping = -2;
    RunDialog(IDD_STREET_SEARCH, OpenStreetSearch, [&](HWND dialog) {
        UserTypeText(Item(dialog, kStreetEdit), "abr");
        UserClick(Item(dialog, kHouseEdit));
        houses = ListLines(Item(dialog, kHouseList));
        UserTypeText(Item(dialog, kHouseEdit), "1");
        selAfterTyping = ListSel(Item(dialog, kHouseList));
        UserDoubleClickListLine(Item(dialog, kHouseList), 2);
    });
    EXPECT_EQ(houses, (std::vector<std::string>{"1", "3", "10", "12"}));
    EXPECT_EQ(selAfterTyping, 0);
    EXPECT_EQ(Selection(), std::vector<int32_t>{abr10});
    EXPECT_EQ(g_shownStreet, 1);
    ASSERT_EQ(g_zoom.zoomDepth, 2) << "the house was not in view";
    EXPECT_FLOAT_EQ(Top().xMin, 840);
    EXPECT_FLOAT_EQ(Top().yMax, 1210);
    EXPECT_EQ(g_needRedraw, 1);
    EXPECT_EQ(LiveWindowCount(), 1) << "only the main window is left";
}

TEST_F(SearchDialogTest, EnterAsksForTheStreetThenTheHouseThenShows) {
    int beepsNoStreet = -1, beepsNoHouse = -1;
    bool focusStreet = false, focusHouse = false;
    int houseLines = -1;
    RunDialog(IDD_STREET_SEARCH, OpenStreetSearch, [&](HWND dialog) {
        UserPressKey(dialog, VK_RETURN);
        beepsNoStreet = Beeps();
        focusStreet = GetFocus() == Item(dialog, kStreetEdit);
        UserTypeText(Item(dialog, kStreetEdit), "lunn");
        UserPressKey(dialog, VK_RETURN);
        beepsNoHouse = Beeps();
        focusHouse = GetFocus() == Item(dialog, kHouseEdit);
        houseLines = static_cast<int>(SendDlgItemMessageA(dialog, kHouseList, LB_GETCOUNT, 0, 0));
        UserTypeText(Item(dialog, kHouseEdit), "2a");
        UserPressKey(dialog, VK_RETURN);
    });
    EXPECT_EQ(beepsNoStreet, 1);
    EXPECT_TRUE(focusStreet);
    EXPECT_EQ(beepsNoHouse, 1) << "no beep for a missing house, only the focus move";
    EXPECT_TRUE(focusHouse);
    EXPECT_EQ(houseLines, 3);
    EXPECT_EQ(Selection(), std::vector<int32_t>{lun2a});
    EXPECT_EQ(g_shownStreet, 4);
}

TEST_F(SearchDialogTest, ShowWithoutAHouseShowsTheStreet) {
    RunDialog(IDD_STREET_SEARCH, OpenStreetSearch, [&](HWND dialog) {
        UserTypeText(Item(dialog, kStreetEdit), "abr");
        UserClick(Item(dialog, kShow));
    });
    EXPECT_EQ(g_shownStreet, 1);
    EXPECT_EQ(g_selCount, 0) << "the street's houses are flagged through the shown street";
    ASSERT_EQ(g_zoom.zoomDepth, 3);
    EXPECT_FLOAT_EQ(g_zoom.entries[2].xMin, 500);
    EXPECT_FLOAT_EQ(Top().xMin, 900);
    EXPECT_EQ(LiveWindowCount(), 1);
}

TEST_F(SearchDialogTest, StreetsThatCannotBeShownKeepTheDialogOpen) {
    struct Case {
        const char* typed;
        const char* why;
    };
    const Case cases[] = {{"park", "kind 100"}, {"zhuk", "neither lines nor houses"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const int beeps = Beeps();
        bool open = false, focusList = false;
        RunDialog(IDD_STREET_SEARCH, OpenStreetSearch, [&](HWND dialog) {
            UserTypeText(Item(dialog, kStreetEdit), c.typed);
            UserClick(Item(dialog, kShow));
            open = IsWindow(dialog) && IsWindowVisible(dialog);
            focusList = GetFocus() == Item(dialog, kStreetList);
            UserPressKey(dialog, VK_ESCAPE);
        });
        EXPECT_EQ(Beeps() - beeps, 1);
        EXPECT_TRUE(open);
        EXPECT_TRUE(focusList);
        EXPECT_EQ(g_zoom.zoomDepth, 1);
        EXPECT_EQ(g_shownStreet, -1);
    }
}

TEST_F(SearchDialogTest, FormListCollectsHousesAndADoubleClickTakesOneOut) {
    bool checked = false;
    bool windowShown = false;
    std::vector<std::string> afterAdding, afterRemoving;
    std::vector<int32_t> flagsAfterAdding;
    RunDialog(IDD_STREET_SEARCH, OpenStreetSearch, [&](HWND dialog) {
        UserClick(Item(dialog, kFormListBox));
        checked = IsDlgButtonChecked(dialog, kFormListBox) == BST_CHECKED;
        windowShown = g_hwndSelected != nullptr && IsWindowVisible(g_hwndSelected);
        if (g_hwndSelected == nullptr) return;
        HWND selected = Item(g_hwndSelected, kSelectedList);
        UserTypeText(Item(dialog, kStreetEdit), "lunn");
        // The list fills when the focus enters it; then a line can be clicked.
        UserClick(Item(dialog, kHouseList));
        UserClickListLine(Item(dialog, kHouseList), 0);
        UserPressKey(dialog, VK_RETURN);
        UserPressKey(dialog, VK_RETURN);  // the same house again
        UserClickListLine(Item(dialog, kHouseList), 1);
        UserPressKey(dialog, VK_RETURN);
        UserTypeText(Item(dialog, kStreetEdit), "mor");
        UserClick(Item(dialog, kHouseList));
        UserClickListLine(Item(dialog, kHouseList), 0);
        UserPressKey(dialog, VK_RETURN);
        afterAdding = ListLines(selected);
        flagsAfterAdding = Selection();
        UserDoubleClickListLine(selected, 0);
        afterRemoving = ListLines(selected);
        UserClick(Item(dialog, kShow));
    });
    EXPECT_TRUE(g_formList);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(windowShown);
    EXPECT_EQ(afterAdding,
              (std::vector<std::string>{"Lunnaya doroga, 2", "Lunnaya doroga, 2a", "Morskaya ul., 1"}))
        << "the street without its second name, the house without its caption";
    EXPECT_EQ(flagsAfterAdding, (std::vector<int32_t>{lun2, lun2a, morskayaFirst + 349}));
    EXPECT_EQ(afterRemoving, (std::vector<std::string>{"Lunnaya doroga, 2a", "Morskaya ul., 1"}));
    EXPECT_EQ(Selection(), (std::vector<int32_t>{lun2a, morskayaFirst + 349}));
    EXPECT_EQ(g_hwndSelected, nullptr);
    // House 2a (6100, 2000)..(6120, 2020) and house 1 (8001, 9000)..(8002, 9001), widened by 200.
    ASSERT_EQ(g_zoom.zoomDepth, 2);
    EXPECT_FLOAT_EQ(Top().xMin, 5900);
    EXPECT_FLOAT_EQ(Top().yMin, 1800);
    EXPECT_FLOAT_EQ(Top().xMax, 8202);
    EXPECT_FLOAT_EQ(Top().yMax, 9201);
    EXPECT_EQ(g_shownStreet, 5);
    EXPECT_EQ(LiveWindowCount(), 1) << "dialog and \"Is selected\" window are gone";
}

TEST_F(SearchDialogTest, FormListBoxTurnsTheModeOnAndOff) {
    bool onAfterFirst = false, offAfterSecond = true, boxOff = false, windowGone = false;
    RunDialog(IDD_STREET_SEARCH, OpenStreetSearch, [&](HWND dialog) {
        UserClick(Item(dialog, kFormListBox));
        onAfterFirst = g_formList;
        HWND first = g_hwndSelected;
        UserClick(Item(dialog, kFormListBox));
        offAfterSecond = g_formList;
        boxOff = IsDlgButtonChecked(dialog, kFormListBox) == BST_UNCHECKED;
        windowGone = g_hwndSelected == nullptr && !IsWindow(first);
        UserPressKey(dialog, VK_ESCAPE);
    });
    EXPECT_TRUE(onAfterFirst);
    EXPECT_FALSE(offAfterSecond);
    EXPECT_TRUE(boxOff);
    EXPECT_TRUE(windowGone);
}

TEST_F(SearchDialogTest, FullSelectionRefusesAnotherHouse) {
    int lines = -1;
    RunDialog(IDD_STREET_SEARCH, OpenStreetSearch, [&](HWND dialog) {
        UserClick(Item(dialog, kFormListBox));
        for (int32_t i = 0; i < kSelListSize; ++i) AddToSelection(100000 + i);
        UserTypeText(Item(dialog, kStreetEdit), "abr");
        UserClick(Item(dialog, kHouseList));
        UserClickListLine(Item(dialog, kHouseList), 0);
        UserPressKey(dialog, VK_RETURN);
        if (g_hwndSelected != nullptr) {
            lines = static_cast<int>(SendDlgItemMessageA(g_hwndSelected, kSelectedList, LB_GETCOUNT, 0, 0));
        }
        UserPressKey(dialog, VK_ESCAPE);
    });
    EXPECT_EQ(Beeps(), 1);
    EXPECT_EQ(lines, 0);
}

TEST_F(SearchDialogTest, CancelWithAStreetRemovesTheFlags) {
    RunDialog(IDD_STREET_SEARCH, OpenStreetSearch, [&](HWND dialog) {
        UserClick(Item(dialog, kFormListBox));
        UserTypeText(Item(dialog, kStreetEdit), "abr");
        UserClick(Item(dialog, kHouseList));
        UserClickListLine(Item(dialog, kHouseList), 0);
        UserPressKey(dialog, VK_RETURN);
        UserClick(Item(dialog, IDCANCEL));
    });
    EXPECT_EQ(g_selCount, 0);
    EXPECT_EQ(g_shownStreet, -1);
    EXPECT_EQ(g_needRedraw, 1);
    EXPECT_EQ(g_zoom.zoomDepth, 1);
    EXPECT_EQ(LiveWindowCount(), 1);
}

TEST_F(SearchDialogTest, CancelWithoutAStreetKeepsTheCollectedHouses) {
    RunDialog(IDD_STREET_SEARCH, OpenStreetSearch, [&](HWND dialog) {
        UserClick(Item(dialog, kFormListBox));
        UserTypeText(Item(dialog, kStreetEdit), "abr");
        UserClick(Item(dialog, kHouseList));
        UserClickListLine(Item(dialog, kHouseList), 0);
        UserPressKey(dialog, VK_RETURN);
        // Back in the street edit, the choice of a street starts anew.
        UserClearText(Item(dialog, kStreetEdit));
        UserPressKey(dialog, VK_ESCAPE);
    });
    EXPECT_EQ(Selection(), std::vector<int32_t>{abr1});
    EXPECT_EQ(g_needRedraw, 0);
    EXPECT_EQ(g_hwndSelected, nullptr);
    EXPECT_EQ(LiveWindowCount(), 1);
}

TEST_F(SearchDialogTest, OpeningTheSearchClearsTheFlags) {
    ASSERT_TRUE(AddToSelection(abr1));
    g_shownStreet = 4;
    RunDialog(IDD_STREET_SEARCH, OpenStreetSearch, [&](HWND dialog) { UserPressKey(dialog, VK_ESCAPE); });
    EXPECT_EQ(g_selCount, 0);
    EXPECT_EQ(g_shownStreet, -1);
}

TEST_F(SearchDialogTest, ChoosingFromTheStreetListBuildsItsHouses) {
    std::vector<std::string> houses;
    RunDialog(IDD_STREET_SEARCH, OpenStreetSearch, [&](HWND dialog) {
        UserTypeText(Item(dialog, kStreetEdit), "abr");
        // Entering the list empties the edit; the click then chooses.
        UserClickListLine(Item(dialog, kStreetList), 3);
        UserClick(Item(dialog, kHouseList));
        houses = ListLines(Item(dialog, kHouseList));
        UserPressKey(dialog, VK_ESCAPE);
    });
    EXPECT_EQ(houses, (std::vector<std::string>{"2", "2a, Shkola", "10"}));
}

// ---- Parts of the city ----

TEST_F(SearchDialogTest, PartOfTheCityIsShownInASquareAroundItsPoint) {
    int lines = -1;
    bool stillOpen = false;
    RunDialog(IDD_PARTS_OF_CITY, OpenPartsOfCity, [&](HWND dialog) {
        lines = static_cast<int>(SendDlgItemMessageA(dialog, kPlaceCombo, CB_GETCOUNT, 0, 0));
        UserClick(Item(dialog, IDOK));
        stillOpen = IsWindow(dialog) != FALSE;
        UserChooseComboLine(Item(dialog, kPlaceCombo), 1);
        UserClick(Item(dialog, IDOK));
    });
    EXPECT_EQ(lines, 2);
    EXPECT_TRUE(stillOpen) << "nothing chosen";
    EXPECT_EQ(Beeps(), 1);
    EXPECT_EQ(g_partShown, &g_places[1]);
    ASSERT_EQ(g_zoom.zoomDepth, 2);
    EXPECT_FLOAT_EQ(Top().xMin, 7500);
    EXPECT_FLOAT_EQ(Top().yMin, 500);
    EXPECT_FLOAT_EQ(Top().xMax, 8500);
    EXPECT_FLOAT_EQ(Top().yMax, 1500);
    EXPECT_EQ(g_needRedraw, 1);
}

TEST_F(SearchDialogTest, PartOfTheCityByTypingAndEnterOrByDoubleClick) {
    RunDialog(IDD_PARTS_OF_CITY, OpenPartsOfCity, [&](HWND dialog) {
        UserTypeText(Item(dialog, kPlaceCombo), "ce");
        UserPressKey(dialog, VK_RETURN);
    });
    EXPECT_EQ(g_partShown, &g_places[0]);
    EXPECT_FLOAT_EQ(Top().xMin, 2500);
    EXPECT_FLOAT_EQ(Top().yMax, 4500);

    g_partShown = nullptr;
    RunDialog(IDD_PARTS_OF_CITY, OpenPartsOfCity,
              [&](HWND dialog) { UserDoubleClickListLine(Item(dialog, kPlaceCombo), 1); });
    EXPECT_EQ(g_partShown, &g_places[1]);
    EXPECT_EQ(g_zoom.zoomDepth, 3);
}

TEST_F(SearchDialogTest, CancelledPartOrDistrictChangesNothing) {
    RunDialog(IDD_PARTS_OF_CITY, OpenPartsOfCity, [&](HWND dialog) {
        UserChooseComboLine(Item(dialog, kPlaceCombo), 1);
        UserClick(Item(dialog, IDCANCEL));
    });
    RunDialog(IDD_DISTRICTS, OpenDistricts, [&](HWND dialog) {
        UserClickListLine(Item(dialog, kDistrictList), 0);
        UserPressKey(dialog, VK_ESCAPE);
    });
    EXPECT_EQ(g_partShown, nullptr);
    EXPECT_EQ(g_districtShown, nullptr);
    EXPECT_EQ(g_zoom.zoomDepth, 1);
    EXPECT_EQ(g_needRedraw, 0);
}

// ---- Districts ----

TEST_F(SearchDialogTest, DistrictIsShownByItsOutlineBox) {
    int lines = -1;
    RunDialog(IDD_DISTRICTS, OpenDistricts, [&](HWND dialog) {
        lines = static_cast<int>(SendDlgItemMessageA(dialog, kDistrictList, LB_GETCOUNT, 0, 0));
        UserClickListLine(Item(dialog, kDistrictList), 0);
        UserClick(Item(dialog, IDOK));
    });
    EXPECT_EQ(lines, 5);
    EXPECT_EQ(g_districtShown, &g_areas[1]);
    ASSERT_EQ(g_zoom.zoomDepth, 2);
    EXPECT_FLOAT_EQ(Top().xMin, 0);
    EXPECT_FLOAT_EQ(Top().yMin, 0);
    EXPECT_FLOAT_EQ(Top().xMax, 5000);
    EXPECT_FLOAT_EQ(Top().yMax, 5000);
    EXPECT_EQ(g_needRedraw, 1);

    g_districtShown = nullptr;
    RunDialog(IDD_DISTRICTS, OpenDistricts,
              [&](HWND dialog) { UserDoubleClickListLine(Item(dialog, kDistrictList), 2); });
    EXPECT_EQ(g_districtShown, &g_areas[2]) << "district 3 is the second outline";
    EXPECT_FLOAT_EQ(Top().xMin, 5000);
    EXPECT_FLOAT_EQ(Top().xMax, 10000);
}

TEST_F(SearchDialogTest, DistrictWithoutOutlineOrNoChoiceIsRefused) {
    int beepsNoChoice = -1;
    bool openAfterMissing = false;
    RunDialog(IDD_DISTRICTS, OpenDistricts, [&](HWND dialog) {
        UserPressKey(dialog, VK_RETURN);
        beepsNoChoice = Beeps();
        UserClickListLine(Item(dialog, kDistrictList), 1);  // district 2: the plan has no outline
        UserPressKey(dialog, VK_RETURN);
        openAfterMissing = IsWindow(dialog) && GetFocus() == Item(dialog, kDistrictList);
        UserPressKey(dialog, VK_ESCAPE);
    });
    EXPECT_EQ(beepsNoChoice, 1);
    EXPECT_EQ(Beeps(), 2);
    EXPECT_TRUE(openAfterMissing);
    EXPECT_EQ(g_districtShown, nullptr);
    EXPECT_EQ(g_zoom.zoomDepth, 1) << "the view stays";
}

}  // namespace
