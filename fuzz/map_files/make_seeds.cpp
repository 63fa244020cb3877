// Writes the seed corpus of every fuzz target: <folder>/<target>/seed-<n>.
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "entries.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: make_fuzz_seeds FOLDER\n");
        return 2;
    }
    std::string root = argv[1];
    mkdir(root.c_str(), 0755);
    for (const FuzzTargetInfo& info : FuzzTargets()) {
        std::string folder = root + "/" + info.name;
        mkdir(folder.c_str(), 0755);
        int n = 0;
        for (const std::vector<uint8_t>& seed : FuzzSeeds(info.target)) {
            std::string path = folder + "/seed-" + std::to_string(n++);
            FILE* file = fopen(path.c_str(), "wb");
            if (file == nullptr || fwrite(seed.data(), 1, seed.size(), file) != seed.size()) {
                fprintf(stderr, "make_fuzz_seeds: cannot write %s\n", path.c_str());
                if (file != nullptr) fclose(file);
                return 1;
            }
            fclose(file);
        }
        if (n == 0) {
            fprintf(stderr, "make_fuzz_seeds: no seeds for %s\n", info.name);
            return 1;
        }
    }
    return 0;
}
