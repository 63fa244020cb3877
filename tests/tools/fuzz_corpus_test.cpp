// The corpora the long fuzz runs left behind (fuzz/corpus/<target>), and every input that once
// broke a reader (fuzz/regressions/<target>), replayed through the fuzz entries in this build.
// The entries abort on a fault, on an unsound store and on a leaked drawing object, so each input
// passing is the check; the sanitizer build adds the memory and undefined-behaviour checks.
#include <dirent.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "../../fuzz/map_files/entries.h"
#include "../../fuzz/whole_folder/folder_entry.h"

namespace {

const std::string kFuzzDir = KORVINSK_SOURCE_DIR "/fuzz";

struct Target {
    const char* name;
    int (*entry)(const uint8_t* data, size_t size);
};

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> files;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return files;
    while (const dirent* e = readdir(dir)) {
        if (e->d_name[0] != '.') files.push_back(folder + "/" + e->d_name);
    }
    closedir(dir);
    std::sort(files.begin(), files.end());
    return files;
}

bool ReadWhole(const std::string& path, std::vector<uint8_t>& bytes) {
    bytes.clear();
    FILE* file = fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    uint8_t chunk[4096];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, file)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
    fclose(file);
    return true;
}

class FuzzCorpus : public testing::TestWithParam<Target> {};

TEST_P(FuzzCorpus, EveryKeptInputRunsClean) {
    const Target& target = GetParam();
    const std::vector<std::string> corpus = FilesIn(kFuzzDir + "/corpus/" + target.name);
    // The corpora are part of the sources: an empty one means they were lost, not that all is well.
    ASSERT_GE(corpus.size(), 5u) << "fuzz/corpus/" << target.name << " is missing or nearly empty";
    std::vector<std::string> inputs = corpus;
    for (const std::string& found : FilesIn(kFuzzDir + "/regressions/" + target.name)) inputs.push_back(found);
    std::vector<uint8_t> bytes;
    for (const std::string& path : inputs) {
        SCOPED_TRACE(path);
        ASSERT_TRUE(ReadWhole(path, bytes));
        EXPECT_EQ(target.entry(bytes.data(), bytes.size()), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzCorpus,
                         testing::Values(Target{"place", FuzzPlaceFile}, Target{"outline", FuzzOutlineFile},
                                         Target{"topo", FuzzTopoFile}, Target{"street", FuzzStreetFile},
                                         Target{"building", FuzzBuildingFiles}, Target{"text", FuzzTextFiles},
                                         Target{"folder", FuzzWholeFolder}),
                         [](const testing::TestParamInfo<Target>& info) { return std::string(info.param.name); });

}  // namespace
