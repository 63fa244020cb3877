// plan-query objects on a small plan written to a folder: the answers for each choice, worked
// out by hand, and the refusals of choices that are malformed or that the plan lacks.
//
// The plan: land 0..10000 m both ways; district 1 the square x 0..3000, y 0..2000; part
// "Центр" at (5000, 5000); street 7 "Ленина". Building b0 at (1000, 1000) on street 7, b1 at
// (5600, 5800) without a street: exactly 1000 m from the part's point.
// Objects: o0 (1000, 1000) A2 "Магазин «Луч»", o1 (5600, 5800) B2 "Аптека «Визит»",
// o2 (7000, 7000) A2 "Киоск" (no building there).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "commands.h"
#include "data/store.h"
#include "data/writers.h"
#include "support/map_folder.h"

namespace {

struct QueryAnswer {
    int code;
    std::string out;
    std::string err;
};

std::string ReadAll(FILE* f) {
    std::string text;
    rewind(f);
    char buffer[4096];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    fclose(f);
    return text;
}

class ObjectsQuery : public ::testing::Test {
  protected:
    void SetUp() override {
        FreeAllMapData();
        const char* dir = folder_.path();
        // Центр
        PlaceRec centre{5000, 5000, "\xD6\xE5\xED\xF2\xF0"};
        ASSERT_TRUE(WritePlaceFile(dir, &centre, 1));
        std::vector<PackedPoint> land = {{0, 0}, {10000, 0}, {10000, 10000}, {0, 10000}};
        std::vector<PackedPoint> district = {{0, 0}, {3000, 0}, {3000, 2000}, {0, 2000}};
        AreaRec areas[2] = {};
        areas[0].code = 250;
        areas[0].count = 4;
        areas[0].pts = land.data();
        areas[0].box = {0, 0, 10000, 10000};
        areas[1].code = 1;
        areas[1].count = 4;
        areas[1].pts = district.data();
        areas[1].box = {0, 0, 3000, 2000};
        ASSERT_TRUE(WriteAreaFile(dir, BBox{0, 0, 10000, 10000}, areas, 2));
        ASSERT_TRUE(WriteTopoFile(dir, nullptr, 0));
        // Ленина
        StreetNameRec street{1, 7, "\xCB\xE5\xED\xE8\xED\xE0"};
        ASSERT_TRUE(WriteStreetFile(dir, nullptr, 0, &street, 1, nullptr, 0));
        PlanPoint square0[] = {{990, 990}, {990, 1010}, {1010, 1010}, {1010, 990}};
        PlanPoint square1[] = {{5590, 5790}, {5590, 5810}, {5610, 5810}, {5610, 5790}};
        BuildingRec houses[2] = {};
        houses[0] = House(1000, 1000, 7, square0);
        houses[1] = House(5600, 5800, 0, square1);
        ASSERT_TRUE(WriteBuildingFiles(dir, houses, 2));
        // Магазины, Продукты, Аптеки, Аптеки
        const ThemeNode themes[] = {
            {{'A', '1'}, "\xCC\xE0\xE3\xE0\xE7\xE8\xED\xFB", nullptr, nullptr},
            {{'A', '2'}, "\xCF\xF0\xEE\xE4\xF3\xEA\xF2\xFB", nullptr, nullptr},
            {{'B', '1'}, "\xC0\xEF\xF2\xE5\xEA\xE8", nullptr, nullptr},
            {{'B', '2'}, "\xC0\xEF\xF2\xE5\xEA\xE8", nullptr, nullptr},
        };
        ASSERT_TRUE(WriteThemeFile(dir, themes, 4));
        // Магазин «Луч», Аптека «Визит», Киоск
        const UserObjectRec objects[] = {
            {1000, 1000, 0, {'A', '2'}, "\xCC\xE0\xE3\xE0\xE7\xE8\xED \xAB\xCB\xF3\xF7\xBB"},
            {5600, 5800, 0, {'B', '2'}, "\xC0\xEF\xF2\xE5\xEA\xE0 \xAB\xC2\xE8\xE7\xE8\xF2\xBB"},
            {7000, 7000, 0, {'A', '2'}, "\xCA\xE8\xEE\xF1\xEA"},
        };
        ASSERT_TRUE(WriteUserFile(dir, objects, 3));
        ASSERT_TRUE(WriteSignFile(dir, nullptr, 0));
    }

    void TearDown() override { FreeAllMapData(); }

    static BuildingRec House(uint16_t x, uint16_t y, int16_t street, PlanPoint* corners) {
        BuildingRec b{};
        b.x = x;
        b.y = y;
        b.streetId = street;
        b.houseNumber[0] = '1';
        b.count = 4;
        b.pts = corners;
        b.box = {corners[0].x, corners[0].y, corners[2].x, corners[2].y};
        return b;
    }

    QueryAnswer Ask(std::vector<std::string> args) {
        WorkingDirectory here(folder_.path());
        QueryCall call;
        call.args = std::move(args);
        call.out = tmpfile();
        call.err = tmpfile();
        QueryAnswer answer;
        answer.code = RunObjectsQuery(call);
        answer.out = ReadAll(call.out);
        answer.err = ReadAll(call.err);
        return answer;
    }

    TempFolder folder_;
};

// The answer for the given object lines (each already in JSON).
std::string Answer(int found, const char* total, const std::vector<std::string>& lines) {
    std::string text =
        "{\"found\": " + std::to_string(found) + ", \"total_text\": \"" + total + "\", \"objects\": [";
    for (size_t i = 0; i < lines.size(); ++i) text += (i == 0 ? "\n  " : ",\n  ") + lines[i];
    text += lines.empty() ? "]}\n" : "\n]}\n";
    return text;
}

const std::string kShop = R"({"index": 0, "name": "Magazyn «Luch»", "code": "A2", "building": 0})";
const std::string kPharmacy = R"({"index": 1, "name": "Apteka «Vyzyt»", "code": "B2", "building": 1})";
const std::string kKiosk = R"({"index": 2, "name": "Kyosk", "code": "A2", "building": null})";

TEST_F(ObjectsQuery, AnswersAsTheWindowWouldFind) {
    struct Case {
        std::vector<std::string> args;
        std::string expected;
    };
    const Case cases[] = {
        {{}, Answer(3, "Всего: 3", {kShop, kPharmacy, kKiosk})},
        {{"--theme", "A1"}, Answer(2, "Всего: 2", {kShop, kKiosk})},
        {{"--theme", "B2", "--name", "виз"}, Answer(1, "Всего: 1", {kPharmacy})},
        {{"--name", "LUCH", "--mode", "contains"}, Answer(1, "Всего: 1", {kShop})},
        {{"--name", "luch", "--mode", "starts"}, Answer(0, "", {})},
        {{"--name", "kyo", "--mode", "starts"}, Answer(1, "Всего: 1", {kKiosk})},
        {{"--street", "0"}, Answer(1, "Всего: 1", {kShop})},
        {{"--district", "1"}, Answer(1, "Всего: 1", {kShop})},
        {{"--district", "3"}, Answer(0, "", {})},
        {{"--part", "0"}, Answer(1, "Всего: 1", {kPharmacy})},
        {{"--part", "0", "--theme", "A1"}, Answer(0, "", {})},
    };
    for (const Case& c : cases) {
        std::string what;
        for (const std::string& a : c.args) what += a + " ";
        SCOPED_TRACE(what);
        const QueryAnswer answer = Ask(c.args);
        EXPECT_EQ(answer.code, kQueryOk) << answer.err;
        EXPECT_EQ(answer.out, c.expected);
        EXPECT_EQ(g_user_objects, nullptr) << "the plan is released after the answer";
    }
}

TEST_F(ObjectsQuery, RefusesWhatItCannotAsk) {
    struct Case {
        std::vector<std::string> args;
        int code;
    };
    const Case cases[] = {
        {{"--theme", "Z1"}, kQueryFailed},     {{"--theme", "A"}, kQueryUsage},
        {{"--street", "1"}, kQueryFailed},     {{"--street", "-1"}, kQueryUsage},
        {{"--part", "1"}, kQueryFailed},       {{"--part", "x"}, kQueryUsage},
        {{"--district", "0"}, kQueryUsage},    {{"--district", "6"}, kQueryUsage},
        {{"--mode", "sideways"}, kQueryUsage}, {{"--name"}, kQueryUsage},
        {{"--colour", "red"}, kQueryUsage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0] + (c.args.size() > 1 ? " " + c.args[1] : ""));
        const QueryAnswer answer = Ask(c.args);
        EXPECT_EQ(answer.code, c.code);
        EXPECT_EQ(answer.out, "");
        EXPECT_NE(answer.err, "");
    }
}

TEST_F(ObjectsQuery, AFolderWithoutAPlanIsAFailure) {
    TempFolder empty;
    WorkingDirectory here(empty.path());
    QueryCall call;
    call.out = tmpfile();
    call.err = tmpfile();
    EXPECT_EQ(RunObjectsQuery(call), kQueryFailed);
    EXPECT_EQ(ReadAll(call.out), "");
    EXPECT_NE(ReadAll(call.err), "");
}

}  // namespace
