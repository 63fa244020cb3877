// plan-query's street questions on a small written plan: the answers of the subcommands run in
// process, and the program itself for what only it does (UTF-8 arguments, exit codes).
//
// The plan: 0..10000 m both ways; streets, in name order,
//   0 Abrykosovaya ul.       id 10  one line (1000, 1000)..(1300, 1500); houses 10, 2, 2a + caption
//   1 Lunnaya doroga         id 20  no lines; houses 3 and 1
//   2 Morskaya ul./Portovaya id 30  neither lines nor houses
// written in Cyrillic, as the data files hold them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "commands.h"
#include "data/store.h"
#include "data/writers.h"
#include "support/map_folder.h"
#include "view/view.h"

namespace {

const std::string kPlanQuery = KORVINSK_BINARY_DIR "/tools/plan-query/plan-query";

StreetNameRec Street(int16_t id, const char* name) {
    StreetNameRec rec{};
    rec.kind = 1;
    rec.id = id;
    strncpy(rec.name, name, sizeof rec.name - 1);
    return rec;
}

BuildingRec House(int16_t streetId, const char* number, const char* caption, PlanPoint* corners, float x,
                  float y) {
    corners[0] = {x, y};
    corners[1] = {x + 10, y};
    corners[2] = {x + 10, y + 10};
    corners[3] = {x, y + 10};
    BuildingRec rec{};
    rec.x = static_cast<uint16_t>(x + 5);
    rec.y = static_cast<uint16_t>(y + 5);
    rec.floors = 2;
    rec.streetId = streetId;
    strncpy(rec.houseNumber, number, sizeof rec.houseNumber - 1);
    strncpy(rec.caption, caption, sizeof rec.caption - 1);
    rec.count = 4;
    rec.pts = corners;
    rec.box = {x, y, x + 10, y + 10};
    return rec;
}

class PlanQueryStreet : public ::testing::Test {
  protected:
    void SetUp() override {
        FreeAllMapData();
        g_zoom = ZoomStack{};
        const char* dir = folder.path();
        ASSERT_TRUE(WritePlaceFile(dir, nullptr, 0));
        std::vector<PackedPoint> land = {{0, 0}, {10000, 0}, {10000, 10000}, {0, 10000}};
        AreaRec outline{};
        outline.code = 250;
        outline.count = static_cast<int16_t>(land.size());
        outline.pts = land.data();
        outline.box = {0, 0, 10000, 10000};
        ASSERT_TRUE(WriteAreaFile(dir, BBox{0, 0, 10000, 10000}, &outline, 1));
        ASSERT_TRUE(WriteTopoFile(dir, nullptr, 0));
        PlanPoint linePoints[] = {{1300, 1500}, {1000, 1000}};
        LineRec line{};
        line.code = 10;
        line.count = 2;
        line.pts = linePoints;
        line.box = {1000, 1000, 1300, 1500};
        const StreetNameRec names[] = {
            // Абрикосовая ул.
            Street(10, "\xC0\xE1\xF0\xE8\xEA\xEE\xF1\xEE\xE2\xE0\xFF \xF3\xEB."),
            // Лунная дорога
            Street(20, "\xCB\xF3\xED\xED\xE0\xFF \xE4\xEE\xF0\xEE\xE3\xE0"),
            // Морская ул./Портовая
            Street(30, "\xCC\xEE\xF0\xF1\xEA\xE0\xFF \xF3\xEB./\xCF\xEE\xF0\xF2\xEE\xE2\xE0\xFF"),
        };
        ASSERT_TRUE(WriteStreetFile(dir, &line, 1, names, 3, nullptr, 0));
        PlanPoint corners[5][4];
        const BuildingRec houses[] = {
            House(10, "10", "", corners[0], 5000, 5000),
            House(10, "2", "", corners[1], 4000, 4000),
            House(10, "2\xE0", "\xD8\xEA\xEE\xEB\xE0", corners[2], 3000, 3000),  // 2а, Школа
            House(20, "3", "", corners[3], 2100, 2050),
            House(20, "1", "", corners[4], 2000, 2000),
        };
        ASSERT_TRUE(WriteBuildingFiles(dir, houses, 5));
    }

    void TearDown() override {
        FreeAllMapData();
        g_zoom = ZoomStack{};
    }

    struct Answer {
        int code = -1;
        std::string out;
        std::string err;
    };

    // Runs a subcommand in process, in the plan's folder.
    Answer Ask(int (*run)(const QueryCall&), std::vector<std::string> args) {
        WorkingDirectory here(folder.path());
        char* outText = nullptr;
        char* errText = nullptr;
        size_t outSize = 0, errSize = 0;
        QueryCall call;
        call.args = std::move(args);
        call.out = open_memstream(&outText, &outSize);
        call.err = open_memstream(&errText, &errSize);
        Answer answer;
        answer.code = run(call);
        fclose(call.out);
        fclose(call.err);
        answer.out = outText;
        answer.err = errText;
        free(outText);
        free(errText);
        return answer;
    }

    // Runs the program in `dir` with the words given (already quoted for the shell).
    static Answer Program(const std::string& dir, const std::string& words) {
        const std::string command = "cd '" + dir + "' && '" + kPlanQuery + "' " + words + " 2>&1";
        Answer answer;
        FILE* pipe = popen(command.c_str(), "r");
        if (pipe == nullptr) return answer;
        char buffer[512];
        while (fgets(buffer, sizeof buffer, pipe) != nullptr) answer.out += buffer;
        const int status = pclose(pipe);
        answer.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return answer;
    }

    TempFolder folder;
};

TEST_F(PlanQueryStreet, StreetAnswersTheIndexAndTheHeldName) {
    struct Case {
        const char* typed;
        const char* expected;
    };
    const Case cases[] = {
        {"lunn", "{\"index\": 1, \"name\": \"Lunnaya doroga\"}\n"},
        {"b", "{\"index\": 0, \"name\": \"Abrykosovaya ul.\"}\n"},
        {"portovaya", "{\"index\": 2, \"name\": \"Morskaya ul./Portovaya\"}\n"},
        {"zz", "{\"index\": -1, \"name\": null}\n"},
        {"\xD0\x9B\xD1\x83\xD0\xBD", "{\"index\": 1, \"name\": \"Lunnaya doroga\"}\n"},  // Лун in UTF-8
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const Answer a = Ask(RunStreetQuery, {c.typed});
        EXPECT_EQ(a.code, kQueryOk) << a.err;
        EXPECT_EQ(a.out, c.expected);
    }
}

TEST_F(PlanQueryStreet, HousesAreListedAsTheDialogShowsThem) {
    const Answer a = Ask(RunHousesQuery, {"0"});
    EXPECT_EQ(a.code, kQueryOk) << a.err;
    EXPECT_EQ(a.out,
              "[\n"
              "  {\"building\": 1, \"text\": \"2\"},\n"
              "  {\"building\": 2, \"text\": \"2\xD0\xB0, Shkola\"},\n"
              "  {\"building\": 0, \"text\": \"10\"}\n"
              "]\n");
    const Answer none = Ask(RunHousesQuery, {"2"});
    EXPECT_EQ(none.out, "[]\n");
}

TEST_F(PlanQueryStreet, HouseAnswersTheIndexTheTypedNumberChooses) {
    struct Case {
        const char* street;
        const char* typed;
        const char* expected;
    };
    const Case cases[] = {
        {"0", "2", "{\"index\": 0, \"building\": 1, \"text\": \"2\"}\n"},
        // 2А typed in UTF-8 with a Cyrillic capital; the list holds a small one.
        {"0", "2\xD0\x90", "{\"index\": 1, \"building\": 2, \"text\": \"2\xD0\xB0, Shkola\"}\n"},
        {"0", "99", "{\"index\": 2, \"building\": 0, \"text\": \"10\"}\n"},
        {"1", "2", "{\"index\": 1, \"building\": 3, \"text\": \"3\"}\n"},
        {"2", "1", "{\"index\": -1, \"building\": null, \"text\": null}\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.street) + " " + c.typed);
        const Answer a = Ask(RunHouseQuery, {c.street, c.typed});
        EXPECT_EQ(a.code, kQueryOk) << a.err;
        EXPECT_EQ(a.out, c.expected);
    }
}

TEST_F(PlanQueryStreet, ShowStreetAnswersThePushedViews) {
    struct Case {
        const char* street;
        const char* expected;
    };
    const Case cases[] = {
        {"0",
         "{\"street\": 0, \"id\": 10, \"shown\": true, \"views\": ["
         "{\"xMin\": 500, \"yMin\": 500, \"xMax\": 1800, \"yMax\": 2000}, "
         "{\"xMin\": 900, \"yMin\": 900, \"xMax\": 1400, \"yMax\": 1600}]}\n"},
        // No lines: the box of its houses, (2000, 2000)..(2110, 2060).
        {"1",
         "{\"street\": 1, \"id\": 20, \"shown\": true, \"views\": ["
         "{\"xMin\": 1500, \"yMin\": 1500, \"xMax\": 2610, \"yMax\": 2560}, "
         "{\"xMin\": 1900, \"yMin\": 1900, \"xMax\": 2210, \"yMax\": 2160}]}\n"},
        {"2", "{\"street\": 2, \"id\": 30, \"shown\": false, \"views\": []}\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.street);
        g_zoom = ZoomStack{};
        const Answer a = Ask(RunShowStreetQuery, {c.street});
        EXPECT_EQ(a.code, kQueryOk) << a.err;
        EXPECT_EQ(a.out, c.expected);
    }
}

TEST_F(PlanQueryStreet, BadStreetIndexesAreUsageErrors) {
    struct Case {
        int (*run)(const QueryCall&);
        std::vector<std::string> args;
    };
    const Case cases[] = {
        {RunHousesQuery, {"x"}},     {RunHousesQuery, {"3"}},          {RunHousesQuery, {"-1"}},
        {RunHouseQuery, {"0"}},      {RunShowStreetQuery, {"1", "2"}}, {RunStreetQuery, {}},
        {RunHouseQuery, {"7", "1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.empty() ? std::string("(none)") : c.args[0]);
        const Answer a = Ask(c.run, c.args);
        EXPECT_EQ(a.code, kQueryUsage);
        EXPECT_EQ(a.out, "");
        EXPECT_NE(a.err.find("usage: plan-query"), std::string::npos) << a.err;
    }
}

TEST_F(PlanQueryStreet, ProgramTakesUtf8AndReportsFailuresByExitCode) {
    const Answer found = Program(folder.path(), "street '\xD0\x9B\xD1\x83\xD0\xBD\xD0\xBD'");  // Лунн
    EXPECT_EQ(found.code, 0);
    EXPECT_EQ(found.out, "{\"index\": 1, \"name\": \"Lunnaya doroga\"}\n");

    const Answer withDir = Program("/", "--dir '" + std::string(folder.path()) + "' houses 1");
    EXPECT_EQ(withDir.code, 0);
    EXPECT_EQ(withDir.out,
              "[\n  {\"building\": 4, \"text\": \"1\"},\n  {\"building\": 3, \"text\": \"3\"}\n]\n");

    TempFolder empty;
    const Answer noPlan = Program(empty.path(), "street a");
    EXPECT_EQ(noPlan.code, 1);
    EXPECT_NE(noPlan.out.find("no plan"), std::string::npos) << noPlan.out;

    EXPECT_EQ(Program(folder.path(), "houses").code, 2);
    EXPECT_EQ(Program(folder.path(), "houses 99").code, 2);
    EXPECT_EQ(Program(folder.path(), "").code, 2);
}

}  // namespace
