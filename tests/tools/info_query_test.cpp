// plan-query info: the answer for a press at a plan point, run in process on a small plan.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "commands.h"
#include "data/districts.h"
#include "data/store.h"
#include "data/writers.h"
#include "support/map_folder.h"

namespace {

// The plan is 0..1000 m both ways, all land. District 1 (the city's "Центральный", in Latin
// letters "Central`nij") is X 0..500, district 2 ("Приморский", "Prymorskij") X 500..1000. Street 3 runs
// along X = 300 from Y = 100 to 900. The one house, X 280..320, Y 400..440, stands on it with its anchor at
// (300, 420); two objects share that point. The part of the city "Gavan" lies at (300, 520), 100 m east of
// the anchor.
class InfoQueryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        memcpy(savedNames_, g_district_names, sizeof savedNames_);
        const char* dir = folder.path();

        PlaceRec gavan{300, 520, "Gavan"};
        ASSERT_TRUE(WritePlaceFile(dir, &gavan, 1));

        PackedPoint land[] = {{0, 0}, {0, 1000}, {1000, 1000}, {1000, 0}};
        PackedPoint alpha[] = {{0, 0}, {0, 1000}, {500, 1000}, {500, 0}};
        PackedPoint beta[] = {{500, 0}, {500, 1000}, {1000, 1000}, {1000, 0}};
        AreaRec areas[3] = {{250, 4, land, {0, 0, 1000, 1000}},
                            {1, 4, alpha, {0, 0, 500, 1000}},
                            {2, 4, beta, {500, 0, 1000, 1000}}};
        ASSERT_TRUE(WriteAreaFile(dir, BBox{0, 0, 1000, 1000}, areas, 3));
        ASSERT_TRUE(WriteTopoFile(dir, nullptr, 0));

        PlanPoint street[] = {{300, 100}, {300, 900}};
        LineRec line{3, 2, street, {300, 100, 300, 900}};
        StreetNameRec name{1, 3, "Sadovaya/Staraya"};
        ASSERT_TRUE(WriteStreetFile(dir, &line, 1, &name, 1, nullptr, 0));

        PlanPoint outline[] = {{280, 400}, {280, 440}, {320, 440}, {320, 400}};
        BuildingRec house{};
        house.x = 300;
        house.y = 420;
        house.purpose = 444;
        house.count = 4;
        house.floors = 4;
        house.streetId = 3;
        strcpy(house.houseNumber, "12\xE0");  // 12а
        strcpy(house.caption, "School");
        house.pts = outline;
        house.box = BBox{280, 400, 320, 440};
        ASSERT_TRUE(WriteBuildingFiles(dir, &house, 1));

        UserObjectRec objects[3] = {{300, 420, 0, {'A', '2'}, "Library"},
                                    {300, 421, 0, {'A', '2'}, "Next door"},
                                    {300, 420, 0, {'B', '2'}, "Cafe"}};
        ThemeNode themes[3] = {{{'A', '1'}, "Culture", nullptr, nullptr},
                               {{'A', '2'}, "Libraries", nullptr, nullptr},
                               {{'B', '2'}, "Cafes", nullptr, nullptr}};
        ASSERT_TRUE(WriteThemeFile(dir, themes, 3));
        ASSERT_TRUE(WriteUserFile(dir, objects, 3));
    }

    void TearDown() override { memcpy(g_district_names, savedNames_, sizeof savedNames_); }

    struct Answer {
        int code = -1;
        std::string out;
        std::string err;
    };

    Answer Ask(const std::vector<std::string>& args) {
        WorkingDirectory here(folder.path());
        QueryCall call;
        call.args = args;
        call.out = tmpfile();
        call.err = tmpfile();
        Answer answer;
        answer.code = RunInfoQuery(call);
        answer.out = ReadAll(call.out);
        answer.err = ReadAll(call.err);
        fclose(call.out);
        fclose(call.err);
        return answer;
    }

    static std::string ReadAll(FILE* file) {
        std::string text;
        rewind(file);
        char buffer[512];
        size_t n = 0;
        while ((n = fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
        return text;
    }

    TempFolder folder;

  private:
    char savedNames_[kDistrictCount + 1][kDistrictNameField] = {};
};

TEST_F(InfoQueryTest, AnswersWhatAPressShows) {
    struct Case {
        const char* what;
        std::vector<std::string> args;
        const char* json;
    };
    const Case cases[] = {
        {"the house on the street",
         {"300", "420", "--scale", "0.5"},
         "{\"kind\": \"building\", \"building\": 0, \"title\": \"Sadovaya, 12\xD0\xB0\", "
         "\"district\": \"Central`nij district  (Gavan)\", \"floors\": \"4-floor educational building\", "
         "\"extra\": \"School\", \"objects\": [\"Library\", \"Cafe\"]}\n"},
        {"the street past the house",
         {"300", "600", "--scale", "0.5"},
         "{\"kind\": \"street\", \"text\": \"Sadovaya\"}\n"},
        // 215 m from Gavan: within the tip's 400 m.
        {"open ground in the centre",
         {"100", "600", "--scale", "0.5"},
         "{\"kind\": \"district\", \"text\": \"Central`nij district  (Gavan)\"}\n"},
        {"open ground by the sea, far from Gavan",
         {"900", "100", "--scale", "0.5"},
         "{\"kind\": \"district\", \"text\": \"Prymorskij district\"}\n"},
        // 8 m off the street's line but outside its box, which has no height.
        {"beside the street",
         {"308", "600", "--scale", "0.5"},
         "{\"kind\": \"district\", \"text\": \"Central`nij district  (Gavan)\"}\n"},
        {"the scale given first",
         {"--scale", "1", "300", "600"},
         "{\"kind\": \"street\", \"text\": \"Sadovaya\"}\n"},
        {"beyond the plan", {"1500", "1500", "--scale", "0.5"}, "{\"kind\": \"none\"}\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Answer answer = Ask(c.args);
        EXPECT_EQ(answer.code, kQueryOk) << answer.err;
        EXPECT_EQ(answer.out, c.json);
    }
    EXPECT_EQ(g_buildings, nullptr) << "the plan is released after each answer";
}

TEST_F(InfoQueryTest, RefusesWhatItCannotAnswer) {
    struct Case {
        const char* what;
        std::vector<std::string> args;
        int code;
        const char* message;
    };
    const Case cases[] = {
        {"no scale", {"300", "420"}, kQueryUsage, "--scale is needed"},
        {"scale without value", {"300", "420", "--scale"}, kQueryUsage, "--scale needs a value"},
        {"scale 0", {"300", "420", "--scale", "0"}, kQueryUsage, "positive number"},
        {"negative scale", {"300", "420", "--scale", "-1"}, kQueryUsage, "positive number"},
        {"a word for X", {"north", "420", "--scale", "0.5"}, kQueryUsage, "not a plan coordinate"},
        {"one coordinate", {"300", "--scale", "0.5"}, kQueryUsage, "X Y is needed"},
        {"three coordinates", {"300", "420", "5", "--scale", "0.5"}, kQueryUsage, "X Y is needed"},
        {"a view larger than the plan",
         {"300", "420", "--scale", "0.001"},
         kQueryFailed,
         "larger than the whole plan"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Answer answer = Ask(c.args);
        EXPECT_EQ(answer.code, c.code);
        EXPECT_EQ(answer.out, "");
        EXPECT_NE(answer.err.find(c.message), std::string::npos) << answer.err;
    }
}

}  // namespace
