// The object search window driven as the user drives it: choosing, listing, showing, clearing,
// cancelling and reopening, on the plan of object_fixture.h.
#include <string>
#include <vector>

#include "data/districts.h"
#include "search/object_fixture.h"

namespace {

constexpr int kNameEdit = 1127;
constexpr int kThemeList = 1128;
constexpr int kClear = 1130;
constexpr int kHouseEdit = 1134;
constexpr int kModeBox = 1135;
constexpr int kStreetBox = 1136;
constexpr int kPartBox = 1137;
constexpr int kDistrictBox = 1138;
constexpr int kCloseOnShow = 1139;
constexpr int kTotal = 1140;
constexpr int kResults = 1173;
constexpr int kShow = 1040;

class ObjectWindow : public ObjectSearchTest {
  protected:
    HWND Open() {
        OpenObjectSearch();
        EXPECT_NE(g_objWindow, nullptr);
        PumpPendingMessages();
        return g_objWindow;
    }
    static HWND Item(int id) { return GetDlgItem(g_objWindow, id); }
    static LRESULT Ask(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageA(Item(id), message, wParam, lParam);
    }
    static std::string Text(int id) {
        char buffer[100] = {};
        GetWindowTextA(Item(id), buffer, sizeof buffer);
        return buffer;
    }
    static std::vector<std::string> Lines(int id, UINT countMessage = LB_GETCOUNT,
                                          UINT textMessage = LB_GETTEXT) {
        std::vector<std::string> out;
        const LRESULT count = Ask(id, countMessage);
        for (LRESULT i = 0; i < count; ++i) {
            char buffer[100] = {};
            Ask(id, textMessage, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer));
            out.emplace_back(buffer);
        }
        return out;
    }
    static std::vector<LRESULT> ResultData() {
        std::vector<LRESULT> out;
        const LRESULT count = Ask(kResults, LB_GETCOUNT);
        for (LRESULT i = 0; i < count; ++i)
            out.push_back(Ask(kResults, LB_GETITEMDATA, static_cast<WPARAM>(i)));
        return out;
    }
    static void TypeName(const char* text) {
        UserClearText(Item(kNameEdit));
        if (text[0] != '\0') UserTypeText(Item(kNameEdit), text);
    }
    static void Press(int id) {
        UserClick(Item(id));
        PumpPendingMessages();
    }
    static void Search(const char* name) {
        TypeName(name);
        Press(IDOK);
    }
    static void SetCloseOnShow(bool on) {
        const LRESULT wanted = on ? BST_CHECKED : BST_UNCHECKED;
        if (Ask(kCloseOnShow, BM_GETCHECK) != wanted) Press(kCloseOnShow);
        ASSERT_EQ(Ask(kCloseOnShow, BM_GETCHECK), wanted);
    }
    static void UncheckCloseOnShow() { SetCloseOnShow(false); }
    static void ExpectTopView(const ViewRect& r) {
        const ViewRect& top = TopView();
        EXPECT_FLOAT_EQ(top.xMin, r.xMin);
        EXPECT_FLOAT_EQ(top.yMin, r.yMin);
        EXPECT_FLOAT_EQ(top.xMax, r.xMax);
        EXPECT_FLOAT_EQ(top.yMax, r.yMax);
    }
};

TEST_F(ObjectWindow, OpeningOffersEveryChoiceAndNoResult) {
    Open();
    EXPECT_EQ(WindowTextUtf8(g_objWindow), "Поиск объектов с адресной привязкой");
    EXPECT_TRUE(IsWindowVisible(g_objWindow));
    // начинается с, содержит
    EXPECT_EQ(Lines(kModeBox, CB_GETCOUNT, CB_GETLBTEXT),
              (std::vector<std::string>{"\xED\xE0\xF7\xE8\xED\xE0\xE5\xF2\xF1\xFF \xF1",
                                        "\xF1\xEE\xE4\xE5\xF0\xE6\xE8\xF2"}));
    EXPECT_EQ(Ask(kModeBox, CB_GETCURSEL), CB_ERR);
    std::vector<std::string> districts;
    for (int k = 1; k <= kDistrictCount; ++k) districts.emplace_back(g_district_names[k]);
    EXPECT_EQ(Lines(kDistrictBox, CB_GETCOUNT, CB_GETLBTEXT), districts);
    EXPECT_EQ(Lines(kStreetBox, CB_GETCOUNT, CB_GETLBTEXT), (std::vector<std::string>{"Lenina", "Mira"}));
    EXPECT_EQ(Lines(kPartBox, CB_GETCOUNT, CB_GETLBTEXT), (std::vector<std::string>{"Centr", "Vokzal"}));
    EXPECT_EQ(Lines(kThemeList), (std::vector<std::string>{" Magaziny", "        Produkty", "        Odezhda",
                                                           " Apteki", "        Apteki", "        Optika"}));
    EXPECT_EQ(Ask(kThemeList, LB_GETCURSEL), LB_ERR);
    EXPECT_EQ(Ask(kResults, LB_GETCOUNT), 0);
    EXPECT_FALSE(IsWindowEnabled(Item(kShow)));
    EXPECT_FALSE(IsWindowEnabled(Item(kHouseEdit)));
    EXPECT_EQ(Ask(kCloseOnShow, BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(GetFocus(), Item(IDOK));
}

TEST_F(ObjectWindow, EnterListsTheFoundNamesSortedEachWithItsObject) {
    Open();
    TypeName("luch");
    UserPressKey(Item(kNameEdit), VK_RETURN);
    PumpPendingMessages();
    EXPECT_EQ(g_objMode, 1) << "no mode chosen counts as contains";
    EXPECT_EQ(std::string(g_objName), "luch");
    EXPECT_EQ(Lines(kResults),
              (std::vector<std::string>{"Kiosk Luch", "Magazin Luch", "Magazin Luch", "Optika Luch"}));
    EXPECT_EQ(ResultData(), (std::vector<LRESULT>{3, 0, 1, 6}));
    EXPECT_EQ(WindowTextUtf8(Item(kTotal)), "Всего: 4");
    EXPECT_TRUE(IsWindowEnabled(Item(kShow)));
    EXPECT_EQ(GetFocus(), Item(kShow));
    EXPECT_EQ(g_selCount, 0) << "listing flags nothing";
}

TEST_F(ObjectWindow, TheBoxesAndTheThemeListAreTheSearchsChoices) {
    Open();
    UserChooseComboLine(Item(kModeBox), 0);
    TypeName("Magazin");
    UserChooseComboLine(Item(kStreetBox), 0);
    UserClickListLine(Item(kThemeList), 0);
    UncheckCloseOnShow();
    Press(IDOK);
    EXPECT_EQ(g_objMode, 0);
    EXPECT_EQ(g_objStreetChoice, 0);
    EXPECT_EQ(g_shownStreet, 7);
    EXPECT_EQ(g_objThemeChoice, 0);
    EXPECT_EQ(g_objTheme, &themes[0]);
    EXPECT_EQ(FoundObjects(), (std::vector<int>{0, 1}));
    // The part of the city joins in: only b1 lies within 1000 m of the station.
    UserChooseComboLine(Item(kPartBox), 1);
    Press(IDOK);
    EXPECT_EQ(g_partShown, &g_places[1]);
    EXPECT_EQ(FoundObjects(), (std::vector<int>{1}));
}

TEST_F(ObjectWindow, TwoResultsOfOneNameEachShowTheirOwnBuilding) {
    Open();
    Search("magazin luch");
    ASSERT_EQ(Lines(kResults), (std::vector<std::string>{"Magazin Luch", "Magazin Luch"}));
    UserClickListLine(Item(kResults), 0);
    UserClickListLine(Item(kResults), 1, true);
    Press(kShow);
    EXPECT_EQ(Selection(), (std::vector<int>{0, 1}));
    // b0 and b1 together, 250 m round them.
    ExpectTopView({740, 740, 2260, 1260});
    EXPECT_EQ(g_zoom.zoomDepth, 2);
    EXPECT_EQ(g_needRedraw, 1);
    EXPECT_FALSE(IsWindow(Item(kResults))) << "the window closes when it shows";
    EXPECT_EQ(g_objWindow, nullptr);

    // The second line alone leads to the second shop's building, not to the first one's.
    Open();
    Search("magazin luch");
    UncheckCloseOnShow();
    UserClickListLine(Item(kResults), 1);
    Press(kShow);
    EXPECT_EQ(Selection(), (std::vector<int>{1}));
    ExpectTopView({1740, 740, 2260, 1260});
    EXPECT_EQ(g_zoom.zoomDepth, 3);
    EXPECT_NE(g_objWindow, nullptr) << "the box was cleared: the window stays";
    EXPECT_FALSE(g_objCloseOnShow);
    EXPECT_EQ(g_objFound, 2);
}

TEST_F(ObjectWindow, ShowOfThreeResultsZoomsToTheirUnionWidenedBy250) {
    Open();
    UserClickListLine(Item(kThemeList), 3);
    Press(IDOK);
    ASSERT_EQ(Lines(kResults), (std::vector<std::string>{"Apteka No 2", "Apteka Sever", "Optika Luch"}));
    UserClickListLine(Item(kResults), 0);
    UserClickListLine(Item(kResults), 2, false, true);
    Press(kShow);
    EXPECT_EQ(Selection(), (std::vector<int>{2, 3, 0}));
    ExpectTopView({740, 740, 5860, 6060});
    EXPECT_EQ(g_zoom.zoomDepth, 2);
    EXPECT_EQ(g_objWindow, nullptr);
    EXPECT_EQ(g_objFound, 0);
    EXPECT_TRUE(FoundObjects().empty()) << "a closing Show forgets the results";
}

TEST_F(ObjectWindow, ASingleResultIsShownAtOnce) {
    struct SingleCase {
        const char* what;
        bool closeOnShow;
        ViewState view;
        bool pushed;
    };
    ViewState far{};
    far.xMin = 8000;
    far.yMin = 0;
    far.xMax = 9000;
    far.yMax = 1000;
    far.scale = 0.2;
    ViewState near = far;
    near.xMin = 5000;
    near.yMin = 5000;
    near.xMax = 6000;
    near.yMax = 6000;
    near.scale = 0.4;
    ViewState nearCoarse = near;
    nearCoarse.scale = 0.39;
    const SingleCase cases[] = {
        {"far away, box set", true, far, true},
        {"far away, box cleared", false, far, true},
        {"in view at 0.4", true, near, false},
        {"in view but coarser than 0.4", true, nearCoarse, true},
    };
    for (const SingleCase& c : cases) {
        SCOPED_TRACE(c.what);
        g_view = c.view;
        g_zoom.zoomDepth = 1;
        g_selCount = 0;
        Open();
        SetCloseOnShow(c.closeOnShow);
        Search("sever");
        EXPECT_EQ(Selection(), (std::vector<int>{3}));
        if (c.pushed) {
            ASSERT_EQ(g_zoom.zoomDepth, 2);
            ExpectTopView({5340, 5540, 5860, 6060});
        } else {
            EXPECT_EQ(g_zoom.zoomDepth, 1);
        }
        EXPECT_EQ(g_objWindow != nullptr, !c.closeOnShow);
        EXPECT_EQ(g_objFound, c.closeOnShow ? 0 : 1);
        if (g_objWindow != nullptr) Press(IDCANCEL);
        ASSERT_EQ(g_objWindow, nullptr);
    }
}

TEST_F(ObjectWindow, AResultWithoutABuildingIsListedButNeverShown) {
    g_selList[0] = 4;
    g_selCount = 1;
    Open();
    const int beeps = BeepCount();
    Search("kiosk");
    EXPECT_EQ(Lines(kResults), (std::vector<std::string>{"Kiosk Luch"}));
    EXPECT_EQ(BeepCount(), beeps) << "a result was found";
    EXPECT_NE(g_objWindow, nullptr) << "nothing was shown, so nothing closes";
    EXPECT_EQ(g_zoom.zoomDepth, 1);
    // Show of that line has no building to go to: a beep, and the plan stays as it was.
    UserClickListLine(Item(kResults), 0);
    const int afterSelect = BeepCount();
    Press(kShow);
    EXPECT_EQ(BeepCount(), afterSelect + 1);
    EXPECT_EQ(g_zoom.zoomDepth, 1);
    EXPECT_EQ(g_needRedraw, 0);
    EXPECT_EQ(Selection(), (std::vector<int>{4})) << "the old flags stay";
    EXPECT_NE(g_objWindow, nullptr);
}

TEST_F(ObjectWindow, RefusalsBeepAndChangeNothing) {
    Open();
    int beeps = BeepCount();
    Search("no such name");
    EXPECT_EQ(BeepCount(), beeps + 1) << "a search without result";
    EXPECT_EQ(Ask(kResults, LB_GETCOUNT), 0);
    EXPECT_FALSE(IsWindowEnabled(Item(kShow)));
    EXPECT_EQ(GetFocus(), Item(IDOK));

    Search("luch");
    beeps = BeepCount();
    Press(kShow);
    EXPECT_EQ(BeepCount(), beeps + 1) << "Show without a selected line";
    EXPECT_EQ(GetFocus(), Item(kResults));
    EXPECT_EQ(g_zoom.zoomDepth, 1);
    EXPECT_NE(g_objWindow, nullptr);

    // A district number no outline carries: the search finds nothing.
    UserChooseComboLine(Item(kDistrictBox), 2);
    TypeName("");
    beeps = BeepCount();
    Press(IDOK);
    EXPECT_EQ(BeepCount(), beeps + 1);
    EXPECT_EQ(g_objFound, 0);
}

TEST_F(ObjectWindow, ReopeningAfterCancelShowsTheOldChoicesWithoutResults) {
    Open();
    UserChooseComboLine(Item(kModeBox), 0);
    TypeName("magazin");
    UserChooseComboLine(Item(kStreetBox), 0);
    UserChooseComboLine(Item(kDistrictBox), 0);
    UserChooseComboLine(Item(kPartBox), 0);
    UserClickListLine(Item(kThemeList), 0);
    Press(IDOK);
    // Centr is far from Lenina: nothing found, but the choices are kept.
    EXPECT_EQ(g_objFound, 0);
    UserChooseComboLine(Item(kPartBox), 1);
    UncheckCloseOnShow();
    Press(IDOK);
    ASSERT_EQ(g_objFound, 1);
    Press(IDCANCEL);
    EXPECT_EQ(g_objWindow, nullptr);
    EXPECT_EQ(g_objFound, 0);
    EXPECT_TRUE(FoundObjects().empty());

    Open();
    EXPECT_EQ(Ask(kModeBox, CB_GETCURSEL), 0);
    EXPECT_EQ(Text(kNameEdit), "magazin");
    EXPECT_EQ(Ask(kStreetBox, CB_GETCURSEL), 0);
    EXPECT_EQ(Ask(kDistrictBox, CB_GETCURSEL), 0);
    EXPECT_EQ(Ask(kPartBox, CB_GETCURSEL), 1);
    EXPECT_EQ(Ask(kThemeList, LB_GETCURSEL), 0);
    EXPECT_EQ(Ask(kResults, LB_GETCOUNT), 0);
    EXPECT_FALSE(IsWindowEnabled(Item(kShow)));
    EXPECT_EQ(Ask(kCloseOnShow, BM_GETCHECK), BST_UNCHECKED) << "as it was when the single result was shown";
}

TEST_F(ObjectWindow, AWindowGoneWithoutCancelLeavesItsResultsForTheNextOpening) {
    Open();
    Search("luch");
    // As when its owner goes: no Cancel reaches it.
    DestroyWindow(g_objWindow);
    EXPECT_EQ(g_objWindow, nullptr);
    EXPECT_EQ(g_objFound, 4);
    Open();
    EXPECT_EQ(ResultData(), (std::vector<LRESULT>{3, 0, 1, 6}));
    EXPECT_TRUE(IsWindowEnabled(Item(kShow)));
    EXPECT_EQ(WindowTextUtf8(Item(kTotal)), "Всего: 4");
}

TEST_F(ObjectWindow, OpeningAgainCancelsTheOpenWindowFirst) {
    HWND first = Open();
    Search("luch");
    HWND second = Open();
    EXPECT_FALSE(IsWindow(first));
    EXPECT_NE(second, nullptr);
    EXPECT_EQ(Ask(kResults, LB_GETCOUNT), 0);
    EXPECT_EQ(g_objFound, 0);
}

TEST_F(ObjectWindow, ChoosingAResultShowsItsAddress) {
    struct AddressCase {
        int line;
        const char* street;
        const char* house;
        int district;  // 0: none
        const char* part;
    };
    Open();
    UncheckCloseOnShow();
    Search("a");
    ASSERT_EQ(Lines(kResults), (std::vector<std::string>{"Apteka No 2", "Apteka Sever", "Bulochnaya",
                                                         "Magazin Luch", "Magazin Luch", "Optika Luch"}));
    const AddressCase cases[] = {
        {4, "Lenina", "3", 1, "Vokzal"},  // b1, the station 300 m away
        {0, "Mira", "2", 2, ""},          // b2
        {1, "Mira", "5", 0, ""},          // b3, Centr exactly 1000 m away: not near
        {2, "", "", 0, ""},               // b4, no street, no number
        {3, "Lenina", "1", 1, ""},        // b0, the station 1300 m away
    };
    for (const AddressCase& c : cases) {
        SCOPED_TRACE(c.line);
        UserClickListLine(Item(kResults), c.line);
        PumpPendingMessages();
        EXPECT_TRUE(IsWindowEnabled(Item(kHouseEdit)));
        EXPECT_EQ(Text(kStreetBox), c.street);
        EXPECT_EQ(Text(kHouseEdit), c.house);
        EXPECT_EQ(Text(kDistrictBox),
                  c.district == 0 ? std::string() : std::string(g_district_names[c.district]));
        EXPECT_EQ(Text(kPartBox), c.part);
    }
    // The fields only show: the next search still reads the boxes' choices.
    EXPECT_EQ(Ask(kStreetBox, CB_GETCURSEL), CB_ERR);

    // An object without a building has no address.
    Search("kiosk");
    const int beeps = BeepCount();
    UserClickListLine(Item(kResults), 0);
    EXPECT_EQ(BeepCount(), beeps + 1);
    EXPECT_EQ(GetFocus(), Item(kResults));
}

TEST_F(ObjectWindow, ClearForgetsEveryChoiceAndResult) {
    Open();
    UserChooseComboLine(Item(kModeBox), 1);
    UserChooseComboLine(Item(kStreetBox), 0);
    UserChooseComboLine(Item(kDistrictBox), 0);
    UserChooseComboLine(Item(kPartBox), 1);
    UserClickListLine(Item(kThemeList), 0);
    UncheckCloseOnShow();
    Search("luch");
    UserClickListLine(Item(kResults), 0);
    ASSERT_GT(g_objFound, 0);
    Press(kClear);
    EXPECT_EQ(Ask(kResults, LB_GETCOUNT), 0);
    EXPECT_EQ(Text(kNameEdit), "");
    EXPECT_EQ(Text(kHouseEdit), "");
    for (int id : {kModeBox, kStreetBox, kDistrictBox, kPartBox}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(Ask(id, CB_GETCURSEL), CB_ERR);
    }
    EXPECT_EQ(Ask(kThemeList, LB_GETCURSEL), LB_ERR);
    EXPECT_FALSE(IsWindowEnabled(Item(kShow)));
    EXPECT_FALSE(IsWindowEnabled(Item(kHouseEdit)));
    EXPECT_EQ(Text(kTotal), "");
    EXPECT_EQ(GetFocus(), Item(IDOK));
    EXPECT_EQ(g_objMode, -1);
    EXPECT_EQ(std::string(g_objName), "");
    EXPECT_EQ(g_objStreetChoice, -1);
    EXPECT_EQ(g_objDistrictChoice, -1);
    EXPECT_EQ(g_objPartChoice, -1);
    EXPECT_EQ(g_objThemeChoice, -1);
    EXPECT_EQ(g_objTheme, nullptr);
    EXPECT_EQ(g_objFound, 0);
    EXPECT_TRUE(FoundObjects().empty());
}

TEST_F(ObjectWindow, WhileTheInformationIsOpenEveryCommandIsRefused) {
    HWND window = Open();
    g_infoOpen = 1;
    TypeName("luch");
    int beeps = BeepCount();
    Press(IDOK);
    EXPECT_EQ(BeepCount(), beeps + 1);
    EXPECT_EQ(g_objFound, 0);
    Press(IDCANCEL);
    UserCloseBox(window);
    PumpPendingMessages();
    EXPECT_EQ(BeepCount(), beeps + 3);
    EXPECT_TRUE(IsWindow(window));
    beeps = BeepCount();
    OpenObjectSearch();
    EXPECT_EQ(BeepCount(), beeps + 1);
    EXPECT_EQ(g_objWindow, window) << "no second window";

    g_infoOpen = 0;
    Press(IDOK);
    EXPECT_EQ(g_objFound, 4);
}

TEST_F(ObjectWindow, DoubleClicksListAndShow) {
    Open();
    UserDoubleClickListLine(Item(kThemeList), 1);
    PumpPendingMessages();
    EXPECT_EQ(FoundObjects(), (std::vector<int>{0, 3, 5}));
    // Bulochnaya, Kiosk Luch, Magazin Luch
    UserDoubleClickListLine(Item(kResults), 0);
    PumpPendingMessages();
    EXPECT_EQ(Selection(), (std::vector<int>{4}));
    EXPECT_EQ(g_objWindow, nullptr);
}

TEST_F(ObjectWindow, TheResultListHoldsAtMostFiveHundred) {
    struct LimitCase {
        int objects;
        int lines;
        const char* total;
    };
    const LimitCase cases[] = {{600, 500, "Всего более 500"}, {499, 499, "Всего: 499"}};
    for (const LimitCase& c : cases) {
        SCOPED_TRACE(c.objects);
        objects.assign(static_cast<size_t>(c.objects), Object(7000, 7000, "A2", "Kiosk"));
        Install();
        Open();
        Press(IDOK);
        EXPECT_EQ(Ask(kResults, LB_GETCOUNT), c.lines);
        EXPECT_EQ(WindowTextUtf8(Item(kTotal)), c.total);
        Press(IDCANCEL);
    }
}

}  // namespace
