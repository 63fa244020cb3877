// Which objects a search finds for each combination of choices, worked out from the plan in
// object_fixture.h; the typed name in either alphabet; the limit of the result.
#include <string>
#include <vector>

#include "search/object_fixture.h"

namespace {

struct MatchCase {
    const char* what;
    int mode;
    const char* typed;
    int themeLine;
    int street;
    int district;
    int part;
    std::vector<int> expected;
};

using ObjectMatch = ObjectSearchTest;

TEST_F(ObjectMatch, EachChoiceAndTheirCombinationsFindTheirObjects) {
    const MatchCase cases[] = {
        {"nothing chosen finds every object", -1, "", -1, -1, -1, -1, {0, 1, 2, 3, 4, 5, 6}},
        {"no mode: the name anywhere", -1, "luch", -1, -1, -1, -1, {0, 1, 3, 6}},
        {"contains", 1, "luch", -1, -1, -1, -1, {0, 1, 3, 6}},
        {"starts with: no name begins so", 0, "luch", -1, -1, -1, -1, {}},
        {"starts with", 0, "magazin", -1, -1, -1, -1, {0, 1}},
        {"blanks and capitals do not count", 1, "  LUCH  ", -1, -1, -1, -1, {0, 1, 3, 6}},
        {"a group finds all its items", -1, "", 0, -1, -1, -1, {0, 1, 3, 5}},
        {"an item only its own code", -1, "", 1, -1, -1, -1, {0, 3, 5}},
        {"a second group", -1, "", 3, -1, -1, -1, {2, 4, 6}},
        {"an item named as its group is still the item", -1, "", 4, -1, -1, -1, {2, 4}},
        {"a street: its buildings only, no object without one", -1, "", -1, 0, -1, -1, {0, 1, 6}},
        {"another street", -1, "", -1, 1, -1, -1, {2, 4}},
        {"district 1", -1, "", -1, -1, 0, -1, {0, 1, 6}},
        {"district 2", -1, "", -1, -1, 1, -1, {2}},
        {"a district without an outline holds nothing", -1, "", -1, -1, 2, -1, {}},
        {"a part: exactly 1000 m is in, farther is out", -1, "", -1, -1, -1, 0, {4}},
        {"a part near the station", -1, "", -1, -1, -1, 1, {1}},
        {"theme, name and street together", 1, "luch", 0, 0, -1, -1, {0, 1}},
        {"theme and district together", -1, "", 3, -1, 0, -1, {6}},
        {"street and district that share nothing", -1, "", -1, 1, 0, -1, {}},
        {"a street outside the table matches nothing", -1, "", -1, 5, -1, -1, {}},
        {"a part outside the table matches nothing", -1, "", -1, -1, -1, 9, {}},
        // апт
        {"Cyrillic typed finds the Latin names", -1, "\xE0\xEF\xF2", -1, -1, -1, -1, {2, 4}},
        // АПТЕКА С
        {"Cyrillic capitals", 0, "\xC0\xCF\xD2\xC5\xCA\xC0 \xD1", -1, -1, -1, -1, {4}},
        {"a Latin p stays p", -1, "opt", -1, -1, -1, -1, {6}},
        {"Latin capitals", 0, "APT", -1, -1, -1, -1, {2, 4}},
    };
    for (const MatchCase& c : cases) {
        SCOPED_TRACE(c.what);
        g_objMode = c.mode;
        SetObjectSearchName(c.typed);
        SetObjectAddressChoices(c.street, c.district, c.part);
        SetObjectThemeChoice(c.themeLine);
        EXPECT_EQ(MatchThemeObjects(), static_cast<int32_t>(c.expected.size()));
        EXPECT_EQ(FoundObjects(), c.expected);
        EXPECT_EQ(g_objFound, static_cast<int32_t>(c.expected.size()));
    }
}

TEST_F(ObjectMatch, ChoicesBecomeTheShownStreetAndTheNamedPart) {
    SetObjectAddressChoices(1, 0, 1);
    EXPECT_EQ(g_objStreetChoice, 1);
    EXPECT_EQ(g_objDistrictChoice, 0);
    EXPECT_EQ(g_objPartChoice, 1);
    EXPECT_EQ(g_shownStreet, 9);
    EXPECT_EQ(g_partShown, &g_places[1]);
    SetObjectAddressChoices(-1, -1, -1);
    EXPECT_EQ(g_shownStreet, -1);
    EXPECT_EQ(g_partShown, nullptr);
    SetObjectAddressChoices(7, -1, 5);
    EXPECT_EQ(g_shownStreet, -1) << "no such street";
    EXPECT_EQ(g_partShown, nullptr) << "no such part";
}

TEST_F(ObjectMatch, TheThemeLinesWalkGroupsThenTheirItems) {
    const char* codes[] = {"A1", "A2", "A3", "B1", "B2", "B3"};
    ASSERT_EQ(ThemeLineCount(), 6);
    for (int line = 0; line < 6; ++line) {
        SCOPED_TRACE(line);
        const ThemeNode* node = ThemeNodeAtLine(line);
        ASSERT_NE(node, nullptr);
        EXPECT_EQ(std::string(node->code, 2), codes[line]);
        EXPECT_EQ(ThemeLineOfCode(codes[line]), line);
    }
    EXPECT_EQ(ThemeNodeAtLine(6), nullptr);
    EXPECT_EQ(ThemeNodeAtLine(-1), nullptr);
    EXPECT_EQ(ThemeLineOfCode("C1"), -1);
    EXPECT_EQ(ThemeLineOfCode("A"), -1);
    SetObjectThemeChoice(9);
    EXPECT_EQ(g_objTheme, nullptr);
    EXPECT_EQ(g_objThemeChoice, -1);
}

TEST_F(ObjectMatch, TheTypedNameIsKeptInLatinTrimmedAndLowerCased) {
    struct NameCase {
        const char* typed;
        std::string kept;
    };
    const NameCase cases[] = {
        {"  Apteka  ", "apteka"},
        // Щука Ж
        {"\xD9\xF3\xEA\xE0 \xC6", "sh`uka zh"},
        {"Plan", "plan"},
        {"plan", "plan"},
        // 20 times щ: three bytes each, cut at the 39 the field holds
        {"\xF9\xF9\xF9\xF9\xF9\xF9\xF9\xF9\xF9\xF9\xF9\xF9\xF9\xF9\xF9\xF9\xF9\xF9\xF9\xF9",
         "sh`sh`sh`sh`sh`sh`sh`sh`sh`sh`sh`sh`sh`"},
        {nullptr, ""},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.kept);
        SetObjectSearchName(c.typed);
        EXPECT_EQ(std::string(g_objName), c.kept);
    }
}

TEST_F(ObjectMatch, ObjectsStandInTheFirstBuildingAtTheirPoint) {
    // A second building at b0's anchor is never the one found.
    buildings.push_back(Building(1000, 1000, 9, "99"));
    Install();
    const int expected[] = {0, 1, 2, -1, 3, 4, 0};
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ObjectBuilding(i), expected[i]);
    }
    EXPECT_EQ(ObjectBuilding(-1), -1);
    EXPECT_EQ(ObjectBuilding(7), -1);
    // The street filter judges by the first building too: Mira's later copy of b0 adds nothing.
    SetObjectAddressChoices(1, -1, -1);
    MatchThemeObjects();
    EXPECT_EQ(FoundObjects(), (std::vector<int>{2, 4}));
}

TEST_F(ObjectMatch, TheResultStopsAtFiveHundredAndTheTotalSaysSo) {
    struct LimitCase {
        int objects;
        int found;
        const char* total;  // UTF-8
    };
    const LimitCase cases[] = {
        {600, 500, "Всего более 500"},
        {500, 500, "Всего более 500"},
        {499, 499, "Всего: 499"},
        {1, 1, "Всего: 1"},
    };
    for (const LimitCase& c : cases) {
        SCOPED_TRACE(c.objects);
        objects.assign(static_cast<size_t>(c.objects), Object(1000, 1000, "A2", "Same"));
        Install();
        EXPECT_EQ(MatchThemeObjects(), c.found);
        const std::vector<int> found = FoundObjects();
        ASSERT_EQ(found.size(), static_cast<size_t>(c.found));
        EXPECT_EQ(found.back(), c.found - 1) << "the first ones in table order";
        char total[40];
        FormatObjectTotal(g_objFound, total, sizeof total);
        // Всего / более in Windows-1251, then the number
        const std::string expected = c.found == 500 ? "\xC2\xF1\xE5\xE3\xEE \xE1\xEE\xEB\xE5\xE5 500"
                                                    : "\xC2\xF1\xE5\xE3\xEE: " + std::to_string(c.found);
        EXPECT_EQ(std::string(total), expected) << c.total;
    }
    char total[40] = "x";
    FormatObjectTotal(0, total, sizeof total);
    EXPECT_EQ(std::string(total), "");
}

TEST_F(ObjectMatch, ANewSearchForgetsTheOldResult) {
    SetObjectSearchName("luch");
    MatchThemeObjects();
    SetObjectSearchName("sever");
    EXPECT_EQ(MatchThemeObjects(), 1);
    EXPECT_EQ(FoundObjects(), (std::vector<int>{4}));
    ClearFoundObjects();
    EXPECT_TRUE(FoundObjects().empty());
    EXPECT_EQ(g_objFound, 0);
}

TEST_F(ObjectMatch, AnEmptyPlanFindsNothingAndNeverFails) {
    objects.clear();
    buildings.clear();
    themes.clear();
    Install();
    SetObjectAddressChoices(0, 0, 0);
    SetObjectThemeChoice(0);
    EXPECT_EQ(MatchThemeObjects(), 0);
    EXPECT_EQ(ObjectBuilding(0), -1);
    EXPECT_EQ(ThemeLineCount(), 0);
}

}  // namespace
