// The importer takes every form an extract comes in: the town of the importer's tests converted
// with libosmium's writer into PBF, gzip and bzip2 files imports as the XML does.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wstringop-overread"
#include <osmium/io/any_input.hpp>
#include <osmium/io/any_output.hpp>
#pragma GCC diagnostic pop

#include "import.h"
#include "osm_town.h"
#include "support/map_folder.h"

namespace {

void Convert(const std::string& from, const std::string& to) {
    osmium::io::Reader reader{from};
    osmium::io::Header header = reader.header();
    osmium::io::Writer writer{to, header, osmium::io::overwrite::allow};
    while (osmium::memory::Buffer buffer = reader.read()) writer(std::move(buffer));
    writer.close();
    reader.close();
}

TEST(PlanImportFormats, PbfGzipAndBzip2ImportAsTheXmlDoes) {
    TempFolder scratch;
    const std::string xml = scratch.File("town.osm");
    std::ofstream(xml, std::ios::binary) << TownXml();
    for (const char* suffix : {"osm", "osm.pbf", "osm.gz", "osm.bz2"}) {
        SCOPED_TRACE(suffix);
        const std::string input = scratch.File((std::string("copy.") + suffix).c_str());
        Convert(xml, input);
        planimport::ImportOptions options;
        options.input = input;
        options.out = scratch.File((std::string("out-") + suffix).c_str());
        planimport::ImportSummary summary;
        std::string error;
        ASSERT_EQ(planimport::RunImport(options, summary, error), 0) << error;
        // As the XML town: five streets, six buildings in the area, three objects, land from
        // the coast, the city's name from its place node.
        EXPECT_EQ(summary.streets, 5);
        EXPECT_EQ(summary.buildings, 6);
        EXPECT_EQ(summary.objects, 3);
        EXPECT_TRUE(summary.landFromCoast);
        EXPECT_EQ(summary.cityName, "\xD2\xE5\xF1\xF2\xEE\xE3\xF0\xE0\xE4");  // Тестоград
    }
}

}  // namespace
