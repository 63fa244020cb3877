// plan-import: turns an OpenStreetMap extract into the map files of a new city folder, with a
// plan.ini that tells the viewer the city's name and projection.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "import.h"

namespace {

const char kUsage[] =
    "usage: plan-import INPUT --out FOLDER [--bbox minlon,minlat,maxlon,maxlat] [--name \"City\"] [--proj DEF]\n"
    "  INPUT          an OpenStreetMap extract: .osm, .osm.pbf, .osm.bz2 or .osm.gz\n"
    "  --out FOLDER   new folder to write the map files into (must not exist yet)\n"
    "  --bbox BOX     import only this area, in degrees (default: the extract's bounds)\n"
    "  --name NAME    the city's name for the captions (default: the largest place in the data)\n"
    "  --proj DEF     PROJ definition of the plane (default: a transverse Mercator on WGS84\n"
    "                 centred on the area)\n";

int Usage(const std::string& problem) {
    std::fprintf(stderr, "plan-import: %s\n%s", problem.c_str(), kUsage);
    return 2;
}

bool ParseBox(const std::string& text, planimport::GeoBox& box) {
    double v[4];
    const char* p = text.c_str();
    for (int i = 0; i < 4; ++i) {
        char* end = nullptr;
        errno = 0;
        v[i] = std::strtod(p, &end);
        if (end == p || errno != 0 || !std::isfinite(v[i])) return false;
        p = end;
        if (i < 3) {
            if (*p != ',') return false;
            ++p;
        }
    }
    if (*p != '\0') return false;
    if (v[0] < -180.0 || v[2] > 180.0 || v[1] < -90.0 || v[3] > 90.0 || !(v[0] < v[2]) || !(v[1] < v[3])) return false;
    box = planimport::GeoBox{};
    box.Extend(v[0], v[1]);
    box.Extend(v[2], v[3]);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    planimport::ImportOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--out" || arg == "--bbox" || arg == "--name" || arg == "--proj") {
            if (i + 1 >= argc) return Usage(arg + " needs a value");
            const std::string value = argv[++i];
            if (arg == "--out") {
                options.out = value;
            } else if (arg == "--bbox") {
                if (!ParseBox(value, options.box))
                    return Usage("bad box \"" + value + "\": four numbers minlon,minlat,maxlon,maxlat with min below max");
                options.haveBox = true;
            } else if (arg == "--name") {
                if (value.empty()) return Usage("--name needs a name");
                options.name = value;
            } else {
                if (value.empty()) return Usage("--proj needs a definition");
                options.proj = value;
            }
            continue;
        }
        if (!arg.empty() && arg[0] == '-') return Usage("unknown argument \"" + arg + "\"");
        if (!options.input.empty()) return Usage("only one INPUT may be given");
        options.input = arg;
    }
    if (options.input.empty()) return Usage("INPUT is required");
    if (options.out.empty()) return Usage("--out FOLDER is required");

    planimport::ImportSummary summary;
    std::string error;
    const int code = planimport::RunImport(options, summary, error);
    if (code != 0) {
        std::fprintf(stderr, "plan-import: %s\n", error.c_str());
        if (code == 2) std::fputs(kUsage, stderr);
        return code;
    }
    std::fputs(planimport::SummaryText(summary, options.out).c_str(), stdout);
    return 0;
}
