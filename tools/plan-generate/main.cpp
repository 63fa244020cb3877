// plan-generate: writes the default city of Korvinsk, or a smaller town, into a folder.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "debug_png.h"
#include "generate.h"

int main(int argc, char** argv) {
    citygen::Options options;
    std::string png;
    double box[4] = {0, 0, citygen::kPlanXMax, citygen::kPlanYMax};
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--png") && i + 1 < argc) png = argv[++i];
        else if (!std::strcmp(argv[i], "--buildings") && i + 1 < argc) options.buildings = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--box") && i + 4 < argc) {
            for (int k = 0; k < 4; ++k) box[k] = std::atof(argv[++i]);
        } else if (!std::strcmp(argv[i], "--seed") && i + 1 < argc) options.seed = std::strtoull(argv[++i], nullptr, 10);
    }
    citygen::City city = citygen::GenerateCity(options);
    if (!png.empty()) citygen::WriteDebugPng(city, png, box[0], box[1], box[2], box[3], 1000);
    std::printf("land %zu points\n", city.land.size());
    for (auto& d : city.districts) std::printf("district %d: %zu points\n", d.number, d.outline.size());
    size_t pieces = 0;
    for (auto& s : city.streets) pieces += s.pieces.size();
    std::printf("streets %zu pieces %zu roads %zu\n", city.streets.size(), pieces, city.roads.size());
    return 0;
}
