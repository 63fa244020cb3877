// Damaged extracts: the town of the importer's tests mutated many times over, and a few
// hand-made oddities, go through libosmium's reader and the whole build of the city. Whatever
// the reader accepts must build or be refused with a message, never crash or read out of
// bounds (the sanitizer build runs this too).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "import.h"
#include "osm_town.h"
#include "osm_input.h"

namespace {

// Reads and builds; true when the city was built.
bool ImportText(const std::string& xml, std::string* message) {
    planimport::OsmData data;
    std::string error;
    if (!planimport::ReadOsmBuffer(xml.data(), xml.size(), "osm", data, error)) {
        *message = error;
        return false;
    }
    planimport::ImportOptions options;
    options.input = "damaged.osm";
    citygen::City city;
    planimport::PlanSettings settings;
    planimport::ImportSummary summary;
    planimport::ImportFailure failure = planimport::ImportFailure::None;
    const bool built = planimport::BuildCity(data, options, city, settings, summary, error, failure);
    if (!built) {
        *message = error;
        EXPECT_FALSE(error.empty());
    }
    return built;
}

class Mutator {
public:
    explicit Mutator(uint64_t seed) : state_(seed * 6364136223846793005ull + 1442695040888963407ull) {}
    size_t Below(size_t n) { return n == 0 ? 0 : static_cast<size_t>(Next() % n); }
    std::string Mutate(std::string text) {
        const int steps = 1 + static_cast<int>(Below(4));
        static const char kBytes[] = {'<', '>', '"', '/', '-', '9', '.', '0', 'e', ' ', '\0', '\xFF', '\xD0', '&'};
        for (int i = 0; i < steps && !text.empty(); ++i) {
            const size_t at = Below(text.size());
            switch (Below(5)) {
                case 0: text[at] = kBytes[Below(sizeof kBytes)]; break;
                case 1: text.erase(at, 1 + Below(40)); break;
                case 2: text.insert(at, text.substr(Below(text.size()), 1 + Below(60))); break;
                case 3: text.resize(at); break;
                default: {
                    // A digit of a coordinate or an id changed: the likeliest damage to survive
                    // the XML parser.
                    const size_t digit = text.find_first_of("0123456789", at);
                    if (digit != std::string::npos) text[digit] = static_cast<char>('0' + Below(10));
                }
            }
        }
        return text;
    }

private:
    uint64_t Next() {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return state_ >> 33;
    }
    uint64_t state_;
};

// KORVINSK_IMPORT_MUTATIONS sets how many mutated extracts to try (default 300), for a longer
// run under the sanitizers.
uint64_t MutationCount() {
    const char* text = std::getenv("KORVINSK_IMPORT_MUTATIONS");
    const long long n = text != nullptr ? std::atoll(text) : 0;
    return n > 0 ? static_cast<uint64_t>(n) : 300;
}

TEST(PlanImportDamagedInput, MutatedExtractsAreReadOrRefusedSafely) {
    const std::string town = TownXml();
    int built = 0, refused = 0;
    const uint64_t count = MutationCount();
    for (uint64_t seed = 0; seed < count; ++seed) {
        Mutator m(seed);
        std::string message;
        (ImportText(m.Mutate(town), &message) ? built : refused) += 1;
    }
    // Both roads are taken: digits changed inside values still import, broken markup does not.
    EXPECT_GT(built, 0);
    EXPECT_GT(refused, 0);
}

TEST(PlanImportDamagedInput, OddButWellFormedExtracts) {
    struct Case {
        const char* what;
        std::string xml;
    };
    const std::string head = "<?xml version=\"1.0\"?><osm version=\"0.6\">";
    const Case cases[] = {
        {"no elements", head + "</osm>"},
        {"a node beyond the poles", head + "<node id=\"1\" lat=\"95\" lon=\"200\"/></osm>"},
        {"one node only", head + "<node id=\"1\" lat=\"1\" lon=\"1\"/></osm>"},
        {"a way of unknown nodes",
         head + "<node id=\"1\" lat=\"0\" lon=\"0\"/><node id=\"2\" lat=\"0.01\" lon=\"0.01\"/>"
                "<way id=\"1\"><nd ref=\"7\"/><nd ref=\"8\"/><tag k=\"highway\" v=\"residential\"/><tag k=\"name\" v=\"A\"/></way></osm>"},
        {"a building of one repeated node",
         head + "<node id=\"1\" lat=\"0\" lon=\"0\"/><node id=\"2\" lat=\"0.01\" lon=\"0.01\"/>"
                "<way id=\"1\"><nd ref=\"1\"/><nd ref=\"1\"/><nd ref=\"1\"/><nd ref=\"1\"/><tag k=\"building\" v=\"yes\"/></way></osm>"},
        {"a multipolygon of missing ways",
         head + "<node id=\"1\" lat=\"0\" lon=\"0\"/><node id=\"2\" lat=\"0.01\" lon=\"0.01\"/>"
                "<relation id=\"1\"><member type=\"way\" ref=\"9\" role=\"outer\"/><tag k=\"type\" v=\"multipolygon\"/>"
                "<tag k=\"building\" v=\"yes\"/></relation></osm>"},
        {"a coastline that ends in the middle",
         head + "<node id=\"1\" lat=\"0\" lon=\"0\"/><node id=\"2\" lat=\"0.01\" lon=\"0.01\"/><node id=\"3\" lat=\"0.005\" lon=\"0.005\"/>"
                "<way id=\"1\"><nd ref=\"1\"/><nd ref=\"3\"/><tag k=\"natural\" v=\"coastline\"/></way>"
                "<way id=\"2\"><nd ref=\"1\"/><nd ref=\"2\"/><tag k=\"highway\" v=\"residential\"/><tag k=\"name\" v=\"B\"/></way></osm>"},
        {"a node on the antimeridian", head + "<node id=\"1\" lat=\"0\" lon=\"179.999\"/><node id=\"2\" lat=\"0.001\" lon=\"180\"/></osm>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string message;
        ImportText(c.xml, &message);
    }
}

}  // namespace
