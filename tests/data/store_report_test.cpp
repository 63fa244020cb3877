// The JSON report of plan-inspect: texts shown as Unicode, and tables that stopped early.
#include "data/store_report.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "map_fixture.h"

namespace {

std::string Report(const StoreReportOptions& options) {
    char* buffer = nullptr;
    size_t size = 0;
    FILE* out = open_memstream(&buffer, &size);
    WriteStoreReport(out, options);
    fclose(out);
    std::string text(buffer, size);
    free(buffer);
    return text;
}

TEST(JsonTextTest, Windows1251BecomesUtf8AndSpecialsAreEscaped) {
    struct Case {
        const char* name;
        std::string input;
        bool keepNul;
        std::string expected;
    } cases[] = {
        {"Ascii", "Main", false, "\"Main\""},
        {"CapitalAAndSmallYa", "\xC0\xFF", false, "\"\xD0\x90\xD1\x8F\""},
        {"YoAndNumeroSign", "\xA8\xB8\xB9", false, "\"\xD0\x81\xD1\x91\xE2\x84\x96\""},
        {"QuoteBackslashControl", "a\"b\\c\x01", false, "\"a\\\"b\\\\c\\u0001\""},
        {"StopsAtNul", std::string("ab\0cd", 5), false, "\"ab\""},
        {"KeepsNulForCodes", std::string("A\0", 2), true, "\"A\\u0000\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(JsonText(c.input.data(), c.input.size(), c.keepNul), c.expected);
    }
}

TEST(ReportTableTest, NamesWithOrWithoutPrefix) {
    EXPECT_EQ(ReportTableByName("labels"), kReportLabels);
    EXPECT_EQ(ReportTableByName("g_street_index"), kReportStreetIndex);
    EXPECT_EQ(ReportTableByName("all"), kReportAllTables);
    EXPECT_EQ(ReportTableByName("lables"), 0u);
}

class StoreReportTest : public MapFolderTest {};

TEST_F(StoreReportTest, ShowsCountsFilesAndTablesThatStoppedEarly) {
    PlaceRec places[] = {Place(1, 2, "\xD6\xE5\xED\xF2\xF0")};  // Центр, stored as "Centr"
    ASSERT_TRUE(WritePlaceFile(folder.path(), places, 1));
    ASSERT_TRUE(WriteAreaFile(folder.path(), BBox{0, 0, 10, 10}, nullptr, 0));
    StreetNameRec names[] = {StreetName(2, 1, "Main")};
    std::vector<LabelRec> labels(6, LabelRec{5, 6, 7, 2});
    ASSERT_TRUE(WriteStreetFile(folder.path(), nullptr, 0, names, 1, labels.data(), 6));
    std::vector<uint8_t> bytes = folder.Read("5.tqf");
    PutI16(bytes, bytes.size() - 6 * 8 - 2, 10);
    folder.Write("5.tqf", bytes);
    LoadMain();

    StoreReportOptions options;
    options.records = kReportPlaces | kReportStreetIndex;
    std::string json = Report(options);
    EXPECT_NE(json.find("\"8.tqf\":\"read\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"4.tqf\":\"missing\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"5.tqf\":\"not reached\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"g_areas\":0"), std::string::npos) << json;
    EXPECT_NE(json.find("\"g_topo1\":null"), std::string::npos) << json;
    EXPECT_NE(json.find("\"g_places\":[{\"x\":1,\"y\":2,\"name\":\"Centr\"}]"), std::string::npos) << json;

    // 4.tqf missing stops the loading; with it present the labels stop at 6 of 10.
    FreeAllMapData();
    ASSERT_TRUE(WriteTopoFile(folder.path(), nullptr, 0));
    LoadMain();
    json = Report(options);
    EXPECT_NE(
        json.find("{\"file\":\"5.tqf\",\"table\":\"g_labels\",\"announced\":10,\"read\":6,\"skipped\":0,"
                  "\"stopped_early\":true}"),
        std::string::npos)
        << json;
    EXPECT_NE(json.find("\"g_street_index\":[0,0,0]"), std::string::npos) << json;
    EXPECT_NE(json.find("\"g_labels\":110"), std::string::npos)
        << "room for the 10 announced and 100 more: " << json;
}

}  // namespace
