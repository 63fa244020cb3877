// tema.tqf, user.tqf and sign.tqf through LoadThemeUserSignFiles.
#include <climits>
#include <string>
#include <vector>

#include "map_fixture.h"

namespace {

class TextFilesTest : public MapFolderTest {};

// "A1, Name" as a line of tema.tqf: the code, seven characters that are not read, the comma.
std::string ThemeLine(const char* code, const std::string& name) {
    return std::string(code) + "xxxxxxx," + name + "\r\n";
}

std::vector<std::string> ChildCodes(const ThemeNode* group) {
    std::vector<std::string> codes;
    for (const ThemeNode* n = group->child; n != nullptr; n = n->next) codes.emplace_back(n->code, 2);
    return codes;
}

std::vector<std::string> TopCodes() {
    std::vector<std::string> codes;
    for (const ThemeNode* n = g_theme_root; n != nullptr; n = n->next) codes.emplace_back(n->code, 2);
    return codes;
}

TEST_F(TextFilesTest, ItemsHangFromTheirGroupInFileOrder) {
    ThemeNode themes[] = {Theme("A1", "Food"), Theme("A2", "Bakery"), Theme("B1", "Health"),
                          Theme("A3", "Cafe")};
    ASSERT_TRUE(WriteThemeFile(folder.path(), themes, 4));
    LoadTexts();
    ASSERT_EQ(TopCodes(), (std::vector<std::string>{"A1", "B1"}));
    EXPECT_STREQ(g_theme_root->name, "Food");
    EXPECT_EQ(ChildCodes(g_theme_root), (std::vector<std::string>{"A2", "A3"}));
    EXPECT_STREQ(g_theme_root->child->next->name, "Cafe");
    EXPECT_EQ(g_theme_root->next->child, nullptr);
}

TEST_F(TextFilesTest, ItemAsFirstLineIsTheRootButTakesNoItems) {
    folder.WriteText("tema.tqf", ThemeLine("A2", "First") + ThemeLine("A1", "Group") +
                                     ThemeLine("A3", "Item") + ThemeLine("C2", "Orphan") +
                                     "A1 short,line\r\n" + ThemeLine("C1", "Late"));
    LoadTexts();
    ASSERT_EQ(TopCodes(), (std::vector<std::string>{"A2", "A1", "C1"}));
    EXPECT_EQ(g_theme_root->child, nullptr);
    EXPECT_EQ(ChildCodes(g_theme_root->next), (std::vector<std::string>{"A3"}));
    // The orphan item came before its group and is dropped, not attached later.
    EXPECT_EQ(g_theme_root->next->next->child, nullptr);
}

TEST_F(TextFilesTest, NamesKeepTheirFirstCharactersAsRead) {
    std::string sixty, seventy;
    for (int i = 0; i < 60; ++i) sixty += static_cast<char>('a' + i % 15);  // a..o: Latin p is read as r
    for (int i = 0; i < 70; ++i) seventy += static_cast<char>('A' + i % 26);
    folder.WriteText("tema.tqf", ThemeLine("A1", "  " + sixty + "  "));
    folder.WriteText("user.tqf", "1\r\n10,20,ABC," + seventy + "\r\n");
    LoadTexts();
    ASSERT_NE(g_theme_root, nullptr);
    EXPECT_EQ(std::string(g_theme_root->name), sixty.substr(0, 48));
    ASSERT_EQ(g_user_count, 1);
    EXPECT_EQ(std::string(g_user_objects[0].name), seventy.substr(0, 64));
    EXPECT_EQ(std::string(g_user_objects[0].code, 2), "AB");
    EXPECT_EQ(g_user_objects[0].x, 10);
    EXPECT_EQ(g_user_objects[0].y, 20);
    EXPECT_EQ(g_user_objects[0].found, 0);
}

TEST_F(TextFilesTest, UserObjectsFollowTheirLines) {
    ThemeNode themes[] = {Theme("A1", "Food")};
    ASSERT_TRUE(WriteThemeFile(folder.path(), themes, 1));
    folder.WriteText("user.tqf",
                     " 3\n"
                     " 1500, -2 ,B2,\xCF\xE5\xEA\xE0\xF0\xED\xFF \n"  // Пекарня
                     "no commas at all\n"
                     "7,8,C\n"
                     "70000,+12x,D,Name, with comma\n"
                     "1,2,E5,Third\n"
                     "4,5,F6,Beyond the count\n");
    LoadTexts();
    ASSERT_EQ(g_user_count, 3);
    EXPECT_EQ(g_user_objects[0].x, 1500);
    EXPECT_EQ(g_user_objects[0].y, 65534) << "-2 as a u16";
    EXPECT_STREQ(g_user_objects[0].name, "Pekarnya");
    // The code field "D" has one character: the second is left empty.
    EXPECT_EQ(g_user_objects[1].x, 70000 - 65536);
    EXPECT_EQ(g_user_objects[1].y, 12);
    EXPECT_EQ(g_user_objects[1].code[0], 'D');
    EXPECT_EQ(g_user_objects[1].code[1], '\0');
    EXPECT_STREQ(g_user_objects[1].name, "Name, with comma");
    EXPECT_STREQ(g_user_objects[2].name, "Third");
    EXPECT_LE(g_user_count, g_user_capacity);
}

TEST_F(TextFilesTest, SignsTakeSevenFields) {
    ThemeNode themes[] = {Theme("A1", "Food")};
    ASSERT_TRUE(WriteThemeFile(folder.path(), themes, 1));
    folder.WriteText("user.tqf", "0\n");
    folder.WriteText("sign.tqf",
                     "2\n"
                     "  17,skip,-3,4,250,-12,Text, with comma \r\n"
                     "1,2,3,4,5,6\r\n"
                     "99999999999,,70000,x,,7,\xD1\xEE\xEA\r\n");  // Сок
    LoadTexts();
    EXPECT_EQ(g_user_count, 0);
    ASSERT_EQ(g_sign_count, 2);
    EXPECT_EQ(g_signs[0].id, 17);
    EXPECT_EQ(g_signs[0].a, -3);
    EXPECT_EQ(g_signs[0].b, 4);
    EXPECT_EQ(g_signs[0].c, 250.0f);
    EXPECT_EQ(g_signs[0].d, -12.0f);
    EXPECT_STREQ(g_signs[0].text, "Text, with comma");
    // Out-of-range numbers: held at the int limit, then cut to 16 bits like any int.
    EXPECT_EQ(g_signs[1].id, INT_MAX);
    EXPECT_EQ(g_signs[1].a, static_cast<int16_t>(70000 - 65536));
    EXPECT_EQ(g_signs[1].b, 0);
    EXPECT_EQ(g_signs[1].c, 0.0f);
    EXPECT_EQ(g_signs[1].d, 7.0f);
    EXPECT_STREQ(g_signs[1].text, "Sok");
}

TEST_F(TextFilesTest, OverlongLineGivesOneRecord) {
    std::string longName(300, 'n');
    folder.WriteText("tema.tqf", ThemeLine("A1", longName) + ThemeLine("A2", "Next"));
    folder.WriteText("user.tqf", "5\n1,2,AB," + longName + ",3,4\n5,6,CD,Short\n");
    LoadTexts();
    EXPECT_EQ(std::string(g_theme_root->name), longName.substr(0, 48));
    EXPECT_EQ(ChildCodes(g_theme_root), (std::vector<std::string>{"A2"}));
    ASSERT_EQ(g_user_count, 2) << "the rest of the long line is not an object of its own";
    EXPECT_STREQ(g_user_objects[1].name, "Short");
}

struct TextStageCase {
    const char* name;
    bool tema, temaEmpty, user, userEmpty, sign;
    bool themes;
    int users, signs;  // -1: table NULL
};

class TextStageTest : public TextFilesTest, public ::testing::WithParamInterface<TextStageCase> {};

TEST_P(TextStageTest, AMissingOrEmptyFileStopsWhatFollows) {
    const TextStageCase& c = GetParam();
    if (c.tema) folder.WriteText("tema.tqf", c.temaEmpty ? "" : ThemeLine("A1", "Food"));
    if (c.user) folder.WriteText("user.tqf", c.userEmpty ? "" : "1\n1,2,A1,Shop\n");
    if (c.sign) folder.WriteText("sign.tqf", "1\n1,0,2,3,4,5,Sign\n");
    LoadTexts();
    EXPECT_EQ(g_theme_root != nullptr, c.themes);
    EXPECT_EQ(g_user_objects == nullptr ? -1 : g_user_count, c.users);
    EXPECT_EQ(g_signs == nullptr ? -1 : g_sign_count, c.signs);
}

INSTANTIATE_TEST_SUITE_P(
    Stages, TextStageTest,
    ::testing::Values(TextStageCase{"All", true, false, true, false, true, true, 1, 1},
                      TextStageCase{"TemaMissing", false, false, true, false, true, false, -1, -1},
                      TextStageCase{"TemaEmpty", true, true, true, false, true, false, 1, 1},
                      TextStageCase{"UserMissing", true, false, false, false, true, true, -1, -1},
                      TextStageCase{"UserEmpty", true, false, true, true, true, true, -1, -1},
                      TextStageCase{"SignMissing", true, false, true, false, false, true, 1, -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextFilesTest, HugeOrNegativeCountsCostNothing) {
    ThemeNode themes[] = {Theme("A1", "Food")};
    ASSERT_TRUE(WriteThemeFile(folder.path(), themes, 1));
    folder.WriteText("user.tqf", "2000000000\n1,2,A1,Shop\n");
    folder.WriteText("sign.tqf", "-5\n1,0,2,3,4,5,Sign\n");
    LoadTexts();
    EXPECT_EQ(g_user_count, 1);
    EXPECT_LT(g_user_capacity, 1000) << "room is taken as lines come";
    EXPECT_EQ(g_sign_count, 0);
}

TEST_F(TextFilesTest, WritersRoundTrip) {
    ThemeNode themes[] = {Theme("A1", "\xC5\xE4\xE0"), Theme("A2", "Bread")};  // Еда
    UserObjectRec users[2] = {};
    users[0] = {100, 200, 0, {'A', '2'}, "Baker's"};
    users[1] = {65535, 0, 1, {'A', '1'}, "Corner"};
    SignRec signs[1] = {};
    signs[0] = {-4, 5, -6, 70.0f, 80.0f, "Halt"};
    ASSERT_TRUE(WriteThemeFile(folder.path(), themes, 2));
    ASSERT_TRUE(WriteUserFile(folder.path(), users, 2));
    ASSERT_TRUE(WriteSignFile(folder.path(), signs, 1));
    LoadTexts();
    EXPECT_STREQ(g_theme_root->name, "Eda");
    EXPECT_STREQ(g_theme_root->child->name, "Bread");
    ASSERT_EQ(g_user_count, 2);
    EXPECT_EQ(g_user_objects[1].x, 65535);
    EXPECT_EQ(g_user_objects[1].found, 0) << "found is not part of the file";
    EXPECT_STREQ(g_user_objects[0].name, "Baker's");
    ASSERT_EQ(g_sign_count, 1);
    EXPECT_EQ(g_signs[0].id, -4);
    EXPECT_EQ(g_signs[0].b, -6);
    EXPECT_EQ(g_signs[0].d, 80.0f);
    EXPECT_STREQ(g_signs[0].text, "Halt");
}

}  // namespace
