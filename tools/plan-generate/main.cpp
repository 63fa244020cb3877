// plan-generate: writes the default city of Korvinsk, or a town of a given size, into a new
// folder, as the map files the viewer reads.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "debug_png.h"
#include "generate.h"
#include "output.h"

namespace {

const char kUsage[] =
    "usage: plan-generate --out FOLDER [--seed S] [--buildings N] [--png FILE]\n"
    "  --out FOLDER    new folder to write the city into (must not exist yet)\n"
    "  --seed S        whole number 0..18446744073709551615 (default 1): another seed, another city\n"
    "  --buildings N   number of buildings, 1..32767 (default 30000: the whole city)\n"
    "  --png FILE      also draw a rough picture of the plan into FILE\n";

int Usage(const char* problem) {
    std::fprintf(stderr, "plan-generate: %s\n%s", problem, kUsage);
    return 2;
}

// Whole decimal numbers only: no sign, no blanks, no trailing text.
bool ParseNumber(const char* text, unsigned long long max, unsigned long long& value) {
    if (text == nullptr || *text < '0' || *text > '9') return false;
    errno = 0;
    char* end = nullptr;
    value = std::strtoull(text, &end, 10);
    return errno == 0 && *end == '\0' && value <= max;
}

}  // namespace

int main(int argc, char** argv) {
    citygen::Options options;
    std::string out;
    std::string png;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        bool known = arg == "--out" || arg == "--seed" || arg == "--buildings" || arg == "--png";
        if (!known) return Usage(("unknown argument \"" + arg + "\"").c_str());
        if (i + 1 >= argc) return Usage((arg + " needs a value").c_str());
        const char* value = argv[++i];
        unsigned long long number = 0;
        if (arg == "--out") {
            out = value;
        } else if (arg == "--png") {
            png = value;
        } else if (arg == "--seed") {
            if (!ParseNumber(value, ~0ull, number)) return Usage(("bad seed \"" + std::string(value) + "\"").c_str());
            options.seed = number;
        } else {
            if (!ParseNumber(value, 32767, number) || number < 1)
                return Usage(("bad number of buildings \"" + std::string(value) + "\" (1..32767)").c_str());
            options.buildings = static_cast<int>(number);
        }
    }
    if (out.empty()) return Usage("--out FOLDER is required");

    citygen::City city = citygen::GenerateCity(options);
    std::string error;
    if (!citygen::WriteCityFolder(city, out, error)) {
        std::fprintf(stderr, "plan-generate: %s\n", error.c_str());
        return 1;
    }
    if (!png.empty() && !citygen::WriteDebugPng(city, png, 0, 0, citygen::kPlanXMax, citygen::kPlanYMax, 1000)) {
        std::fprintf(stderr, "plan-generate: cannot write %s\n", png.c_str());
        return 1;
    }
    size_t pieces = 0;
    for (const citygen::Street& s : city.streets) pieces += s.pieces.size();
    std::printf("%s: %zu buildings, %zu streets in %zu pieces, %zu objects\n", out.c_str(), city.buildings.size(),
                city.streets.size(), pieces, city.objects.size());
    return 0;
}
