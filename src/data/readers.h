// The readers of the map files, one per format, each taking an open file positioned at its
// start (ReadAreaFile: after the header of 3.tqf). The Load* functions of store.h open the files
// of the working directory and call these; the fuzz targets feed them memory streams, so both
// run the same code. Every reader replaces the tables it fills and leaves a note of what it
// kept in g_load_notes.
#pragma once

#include <cstdio>

// 8.tqf into g_places.
void ReadPlaceFile(FILE* file);
// 3.tqf: the plan extent (pushed as zoom entry 1) and the outlines. g_areas stays NULL when the
// header is incomplete or the view refuses the extent.
void ReadOutlineFile(FILE* file);
// The outline records of 3.tqf; `announced` is the count of its header.
void ReadAreaFile(FILE* file, int announced);
// 4.tqf into g_topo1..g_topo4.
void ReadTopoFile(FILE* file);
// 5.tqf: street lines, street names with g_street_index, labels.
void ReadStreetFile(FILE* file);
// 7.tqf and 6.tqf side by side into g_buildings; returns the buildings read completely.
int ReadBuildings(FILE* attributes, FILE* outlines);
// tema.tqf into the tree of g_theme_root.
void ReadThemeFile(FILE* file);
// user.tqf into g_user_objects; false when the file has not even its count line.
bool ReadUserFile(FILE* file);
// sign.tqf into g_signs.
void ReadSignFile(FILE* file);

// Releases every node of the theme tree (each group's items, then the group).
void FreeThemeTree();

// Longest building outline loaded, so that g_pts can be sized for it.
int LongestBuildingOutline();
// Makes g_pts hold at least `points` points (it only grows).
void EnsureScratchPoints(int points);
