// plan-query measure, run in process on a small written plan: the clicks go through the
// measurement tool's own logic at the scale asked for.
//
// The plan: 0..10000 m both ways. Street 1 runs north along Y 500 from X 1000 to 1400, a point
// every 100 m; street 2 runs east along X 1200 from Y 300 to 700. They share the point
// (1200, 500).
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "commands.h"
#include "data/store.h"
#include "data/writers.h"
#include "support/map_folder.h"

namespace {

struct Answer {
    int code = -1;
    std::string out;
    std::string err;
};

std::string ReadAll(FILE* file) {
    std::string text;
    rewind(file);
    char buffer[512];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
    return text;
}

class PlanQueryMeasureTest : public ::testing::Test {
  protected:
    void SetUp() override {
        FreeAllMapData();
        const char* dir = folder_.path();
        ASSERT_TRUE(WritePlaceFile(dir, nullptr, 0));
        std::vector<PackedPoint> land = {{0, 0}, {10000, 0}, {10000, 10000}, {0, 10000}};
        AreaRec outline{};
        outline.code = 250;
        outline.count = static_cast<int16_t>(land.size());
        outline.pts = land.data();
        outline.box = {0, 0, 10000, 10000};
        ASSERT_TRUE(WriteAreaFile(dir, BBox{0, 0, 10000, 10000}, &outline, 1));
        ASSERT_TRUE(WriteTopoFile(dir, nullptr, 0));
        std::vector<PlanPoint> north = {{1000, 500}, {1100, 500}, {1200, 500}, {1300, 500}, {1400, 500}};
        std::vector<PlanPoint> east = {{1200, 300}, {1200, 400}, {1200, 500}, {1200, 600}, {1200, 700}};
        LineRec lines[2] = {};
        lines[0] = LineRec{1, 5, north.data(), BBox{1000, 500, 1400, 500}};
        lines[1] = LineRec{2, 5, east.data(), BBox{1200, 300, 1200, 700}};
        StreetNameRec names[2] = {};
        names[0].id = 1;
        names[1].id = 2;
        ASSERT_TRUE(WriteStreetFile(dir, lines, 2, names, 2, nullptr, 0));
    }

    Answer Ask(const std::vector<std::string>& args, const char* dir = nullptr) {
        WorkingDirectory here(dir != nullptr ? dir : folder_.path());
        QueryCall call;
        call.args = args;
        call.out = tmpfile();
        call.err = tmpfile();
        Answer answer;
        answer.code = RunMeasureQuery(call);
        answer.out = ReadAll(call.out);
        answer.err = ReadAll(call.err);
        fclose(call.out);
        fclose(call.err);
        return answer;
    }

    TempFolder folder_;
};

TEST_F(PlanQueryMeasureTest, ClicksAreMeasuredAsTheToolTakesThem) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::string answer;
    };
    const Case cases[] = {
        // 1:5000, detail level 1: a reach of 10 m, kilometres and hectares. Along street 1 to
        // the shared point, then street 2 to the click: 400 m closing a 200 m by 200 m corner.
        {"on streets",
         {"--mode", "streets", "--scale", "0.2", "1000,502", "1206,700"},
         "{\"points\": [[1000, 500], [1100, 500], [1200, 500], [1200, 500], [1200, 600], [1200, 700]], "
         "\"length_text\": \" 0.4 \xD0\xBA\xD0\xBC\", \"area_text\": \" 2.0 \xD0\xB3\xD0\xB0\", \"beeps\": "
         "0}\n"},
        // 1:2000, detail level 3: metres and square metres.
        {"on lines",
         {"--mode", "lines", "--scale", "0.5", "1000,500", "1200,500", "1200,700"},
         "{\"points\": [[1000, 500], [1200, 500], [1200, 700]], \"length_text\": \" 400.0 \xD0\xBC\", "
         "\"area_text\": \" 20000.0 \xD0\xBA\xD0\xB2.\xD0\xBC\", \"beeps\": 0}\n"},
        // 1:20000, detail level 0: nothing snaps and every click beeps; 285.7 m.
        {"on streets far out",
         {"--mode", "streets", "--scale", "0.05", "1000,502", "1206,700"},
         "{\"points\": [[1000, 502], [1206, 700]], \"length_text\": \" 0.3 \xD0\xBA\xD0\xBC\", "
         "\"area_text\": null, \"beeps\": 2}\n"},
        {"one click",
         {"--scale", "0.2", "1500,500", "--mode", "lines"},
         "{\"points\": [[1500, 500]], \"length_text\": null, \"area_text\": null, \"beeps\": 0}\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Answer a = Ask(c.args);
        EXPECT_EQ(a.code, kQueryOk) << a.err;
        EXPECT_EQ(a.out, c.answer);
    }
}

TEST_F(PlanQueryMeasureTest, WrongArgumentsAreRefusedWithTheUsage) {
    const std::vector<std::vector<std::string>> cases = {
        {"--scale", "0.2", "1,1"},
        {"--mode", "roads", "--scale", "0.2", "1,1"},
        {"--mode", "lines", "1,1"},
        {"--mode", "lines", "--scale", "0", "1,1"},
        {"--mode", "lines", "--scale", "50", "1,1"},
        {"--mode", "lines", "--scale", "nan", "1,1"},
        {"--mode", "lines", "--scale", "0.2"},
        {"--mode", "lines", "--scale", "0.2", "12"},
        {"--mode", "lines", "--scale", "0.2", "1,x"},
        {"--mode", "lines", "--scale", "0.2", "1,1e30"},
        {"--mode", "lines", "--scale"},
    };
    for (const auto& args : cases) {
        std::string line;
        for (const std::string& word : args) line += word + " ";
        SCOPED_TRACE(line);
        const Answer a = Ask(args);
        EXPECT_EQ(a.code, kQueryUsage);
        EXPECT_EQ(a.out, "");
        EXPECT_NE(a.err.find("usage: plan-query [--dir FOLDER] measure"), std::string::npos) << a.err;
    }
}

TEST_F(PlanQueryMeasureTest, AFolderWithoutAPlanIsAFailure) {
    TempFolder empty;
    const Answer a = Ask({"--mode", "lines", "--scale", "0.2", "1,1"}, empty.path());
    EXPECT_EQ(a.code, kQueryFailed);
    EXPECT_EQ(a.out, "");
    EXPECT_FALSE(a.err.empty());
}

}  // namespace
