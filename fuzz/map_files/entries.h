// Entry points of the map-file fuzz targets. Each feeds arbitrary bytes to the real readers as
// the file of its kind, checks that what the store then holds is sound (aborting if not), and
// empties the store again. The libFuzzer targets call them; so do the data tests, over the
// seed and malformed corpora, in the regular and sanitizer builds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class FuzzTarget { Place, Outline, Topo, Street, Building, Text };

struct FuzzTargetInfo {
    FuzzTarget target;
    const char* name;  // fuzz_<name>, corpus/<name>
    int (*entry)(const uint8_t* data, size_t size);
};

int FuzzPlaceFile(const uint8_t* data, size_t size);    // 8.tqf
int FuzzOutlineFile(const uint8_t* data, size_t size);  // 3.tqf
int FuzzTopoFile(const uint8_t* data, size_t size);     // 4.tqf
int FuzzStreetFile(const uint8_t* data, size_t size);   // 5.tqf
// 7.tqf and 6.tqf: a u16 length of the 7.tqf part, the 7.tqf part, then 6.tqf.
int FuzzBuildingFiles(const uint8_t* data, size_t size);
// tema.tqf, user.tqf, sign.tqf: two u16 lengths (tema, user), then the three files.
int FuzzTextFiles(const uint8_t* data, size_t size);

const std::vector<FuzzTargetInfo>& FuzzTargets();

// Joins files into one input with u16 length prefixes for all but the last file.
std::vector<uint8_t> JoinFuzzInput(const std::vector<std::vector<uint8_t>>& files);

// Inputs made by the writers: a small sound plan and a few variants of it.
std::vector<std::vector<uint8_t>> FuzzSeeds(FuzzTarget target);
