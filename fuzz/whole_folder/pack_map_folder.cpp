// pack_map_folder FOLDER OUTPUT: the map files of FOLDER as one input of the whole-folder fuzz
// target, for its seed corpus.
#include <cstdio>

#include "folder_entry.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        fputs("usage: pack_map_folder FOLDER OUTPUT\n", stderr);
        return 2;
    }
    const std::vector<uint8_t> bytes = PackMapFolder(argv[1]);
    FILE* out = fopen(argv[2], "wb");
    if (out == nullptr || fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size() || fclose(out) != 0) {
        fprintf(stderr, "pack_map_folder: cannot write '%s'\n", argv[2]);
        return 1;
    }
    return 0;
}
