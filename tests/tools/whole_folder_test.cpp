// What the viewer runs on a folder, over a generated town and over variants of it whose files no
// longer agree with each other: each must load, show the overview and compose its frames without a
// fault, leaving no drawing object behind (the entry aborts otherwise).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "../../fuzz/whole_folder/folder_entry.h"
#include "support/map_folder.h"

namespace {

const std::string kGenerator = KORVINSK_BINARY_DIR "/tools/plan-generate/plan-generate";

// A packed town of `buildings` buildings, generated once per size.
const std::vector<uint8_t>& Town(int buildings) {
    static std::vector<uint8_t> packed[2];
    std::vector<uint8_t>& slot = packed[buildings > 100 ? 1 : 0];
    if (slot.empty()) {
        TempFolder folder;
        const std::string city = folder.File("town");
        const std::string command = kGenerator + " --out '" + city + "' --seed 3 --buildings " +
                                    std::to_string(buildings) + " > /dev/null";
        if (std::system(command.c_str()) != 0) return slot;
        slot = PackMapFolder(city);
        std::system(("rm -rf '" + city + "'").c_str());
    }
    return slot;
}

// Where each file of a packed folder lies: offset of its bytes and its length.
struct FilePart {
    size_t offset;
    uint32_t length;
};

std::vector<FilePart> Parts(const std::vector<uint8_t>& packed) {
    std::vector<FilePart> parts;
    size_t at = 0;
    for (int i = 0; i < kFolderFileCount && at + 4 <= packed.size(); ++i) {
        uint32_t length = 0;
        std::memcpy(&length, packed.data() + at, 4);
        at += 4;
        if (length == kAbsentFile) length = 0;
        parts.push_back({at, length});
        at += length;
    }
    return parts;
}

void RunFolder(const std::vector<uint8_t>& input) { EXPECT_EQ(FuzzWholeFolder(input.data(), input.size()), 0); }

TEST(WholeFolder, TownInEveryModeAndEmptyInput) {
    const std::vector<uint8_t>& town = Town(60);
    ASSERT_FALSE(town.empty()) << "the generator did not make a town";
    for (uint8_t mode = 0; mode < 8; ++mode) {
        SCOPED_TRACE(mode);
        std::vector<uint8_t> input = town;
        input.pop_back();
        input.push_back(mode);
        RunFolder(input);
    }
    RunFolder({});
}

// Files taken from one town and put beside another's: counts, street ids, building numbers and
// labels that do not match the outlines and lines they refer to.
TEST(WholeFolder, FilesOfTwoTownsMixed) {
    const std::vector<uint8_t>& small = Town(60);
    const std::vector<uint8_t>& large = Town(400);
    ASSERT_FALSE(small.empty());
    ASSERT_FALSE(large.empty());
    const std::vector<FilePart> a = Parts(small);
    const std::vector<FilePart> b = Parts(large);
    ASSERT_EQ(a.size(), static_cast<size_t>(kFolderFileCount));
    ASSERT_EQ(b.size(), static_cast<size_t>(kFolderFileCount));
    for (int swapped = 0; swapped < kFolderFileCount; ++swapped) {
        SCOPED_TRACE(kFolderFiles[swapped]);
        std::vector<uint8_t> input;
        for (int i = 0; i < kFolderFileCount; ++i) {
            const std::vector<uint8_t>& from = i == swapped ? large : small;
            const FilePart& part = i == swapped ? b[i] : a[i];
            for (int shift = 0; shift < 32; shift += 8) input.push_back(static_cast<uint8_t>(part.length >> shift));
            input.insert(input.end(), from.begin() + part.offset, from.begin() + part.offset + part.length);
        }
        input.push_back(3);
        RunFolder(input);
    }
}

// Each file absent in turn, each cut in half, and bytes overwritten inside each file.
TEST(WholeFolder, AbsentCutAndDamagedFiles) {
    const std::vector<uint8_t>& town = Town(60);
    ASSERT_FALSE(town.empty());
    const std::vector<FilePart> parts = Parts(town);
    ASSERT_EQ(parts.size(), static_cast<size_t>(kFolderFileCount));
    for (int i = 0; i < kFolderFileCount; ++i) {
        SCOPED_TRACE(kFolderFiles[i]);
        std::vector<uint8_t> absent = town;
        const uint32_t none = kAbsentFile;
        std::memcpy(absent.data() + parts[i].offset - 4, &none, 4);
        absent.erase(absent.begin() + parts[i].offset, absent.begin() + parts[i].offset + parts[i].length);
        RunFolder(absent);

        std::vector<uint8_t> cut = town;
        const uint32_t half = parts[i].length / 2;
        std::memcpy(cut.data() + parts[i].offset - 4, &half, 4);
        cut.erase(cut.begin() + parts[i].offset + half, cut.begin() + parts[i].offset + parts[i].length);
        RunFolder(cut);

        // Overwritten bytes: counts and lengths become huge or negative, ids point anywhere.
        for (uint8_t fill : {uint8_t{0xFF}, uint8_t{0x80}, uint8_t{0x7F}}) {
            std::vector<uint8_t> damaged = town;
            for (size_t k = 0; k < parts[i].length; k += 37) {
                damaged[parts[i].offset + k] = fill;
                if (k + 1 < parts[i].length) damaged[parts[i].offset + k + 1] = fill;
            }
            RunFolder(damaged);
        }
    }
}

}  // namespace
