// The whole-folder fuzz entry: one input holds all eleven map files of a folder, and the entry
// runs over them what the viewer runs on a folder (the full load, the overview, and frames at a
// few views and modes), so that what the readers each accept is also tried together: counts that
// disagree between files, street ids that point nowhere, outlines beyond the plan's box, labels on
// lines that do not exist.
//
// The container: for each file in the order of kFolderFiles, a u32 little-endian length and the
// file's bytes (a length of 0xFFFFFFFF: the file is absent; a length past the end is cut to what
// is there). A byte after the last file, if any, chooses the display mode.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr int kFolderFileCount = 11;
extern const char* const kFolderFiles[kFolderFileCount];
constexpr uint32_t kAbsentFile = 0xFFFFFFFFu;

int FuzzWholeFolder(const uint8_t* data, size_t size);

// The files of a map folder in the container's form; absent files are marked absent.
std::vector<uint8_t> PackMapFolder(const std::string& folder, uint8_t modeChoice = 0);
