// plan-query geo: the coordinates window's numbers and texts, as JSON in UTF-8.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "commands.h"
#include "query.h"

namespace {

struct Answer {
    int code;
    std::string out;
    std::string err;
};

std::string ReadAll(FILE* file) {
    std::string text;
    rewind(file);
    char buffer[512];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
    return text;
}

Answer AskGeo(std::vector<std::string> args) {
    const QueryCommand* command = FindQueryCommand("geo");
    EXPECT_NE(command, nullptr);
    if (command == nullptr) return {};
    QueryCall call;
    call.args = std::move(args);
    call.out = tmpfile();
    call.err = tmpfile();
    Answer answer;
    answer.code = command->run(call);
    answer.out = ReadAll(call.out);
    answer.err = ReadAll(call.err);
    fclose(call.out);
    fclose(call.err);
    return answer;
}

TEST(PlanQueryGeoTest, AnswersWithDegreesAndTheirTexts) {
    struct Case {
        const char* X;
        const char* Y;
        const char* answer;
    };
    // On the central meridian (Y = 13250) the longitude is 132 exactly; the latitude at X = 0 is
    // the foot latitude 43.0557722 (3.346 minutes, 20.78 seconds shown as 20).
    const Case cases[] = {
        {"0", "13250",
         "{\"latitude\": 43.0557722, \"longitude\": 132, \"latitude_text\": \" 43\u00B003'20\\\"\", "
         "\"longitude_text\": \" 132\u00B000'00\\\"\"}\n"},
        {"4375", "13250",
         "{\"latitude\": 43.0951525, \"longitude\": 132, \"latitude_text\": \" 43\u00B005'40\\\"\", "
         "\"longitude_text\": \" 132\u00B000'00\\\"\"}\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.X << " " << c.Y);
        const Answer a = AskGeo({c.X, c.Y});
        EXPECT_EQ(a.code, kQueryOk);
        EXPECT_EQ(a.out, c.answer);
    }
}

TEST(PlanQueryGeoTest, RefusesWhatIsNoPlanPoint) {
    const std::vector<std::vector<std::string>> bad = {{}, {"1"}, {"1", "2", "3"}, {"x", "1"}, {"1", "nan"},
                                                        {"1e300", "1"}, {"1", ""}};
    for (const auto& args : bad) {
        SCOPED_TRACE(args.size());
        const Answer a = AskGeo(args);
        EXPECT_EQ(a.code, kQueryUsage);
        EXPECT_TRUE(a.out.empty());
        EXPECT_NE(a.err.find("geo X Y"), std::string::npos);
    }
}

}  // namespace
