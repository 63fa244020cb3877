// pack_map_folder FOLDER OUTPUT [MODE]: the map files of FOLDER as one input of the whole-folder
// fuzz target, for its seed corpus; MODE (0-255) is the byte that chooses the display mode.
#include <cstdio>
#include <cstdlib>

#include "folder_entry.h"

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        fputs("usage: pack_map_folder FOLDER OUTPUT [MODE]\n", stderr);
        return 2;
    }
    const uint8_t mode = argc == 4 ? static_cast<uint8_t>(strtoul(argv[3], nullptr, 10)) : 0;
    const std::vector<uint8_t> bytes = PackMapFolder(argv[1], mode);
    FILE* out = fopen(argv[2], "wb");
    if (out == nullptr || fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size() || fclose(out) != 0) {
        fprintf(stderr, "pack_map_folder: cannot write '%s'\n", argv[2]);
        return 1;
    }
    return 0;
}
