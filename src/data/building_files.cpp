// Buildings: attributes from 7.tqf and outlines from 6.tqf, read side by side in one order.
#include <cstdio>
#include <cstdlib>

#include "data/file_input.h"
#include "data/load_notes.h"
#include "data/loading_window.h"
#include "data/point_codec.h"
#include "data/readers.h"
#include "data/store.h"
#include "data/text.h"

namespace {

constexpr int kLoadingTextEvery = 200;
constexpr int kHouseNumberChars = 6;
constexpr int kCaptionChars = 46;

void ReleaseBuildings() {
    if (g_buildings != nullptr) {
        for (int i = 0; i < g_building_count; ++i) free(g_buildings[i].pts);
        free(g_buildings);
    }
    g_buildings = nullptr;
    g_building_count = 0;
}

bool ReadOutline(FILE* outlines, BuildingRec* rec) {
    uint8_t box[16];
    if (!ReadBytes(outlines, box, sizeof box)) return false;
    rec->box = {DecodeF32(box), DecodeF32(box + 4), DecodeF32(box + 8), DecodeF32(box + 12)};
    uint8_t point[kPlanPointBytes];
    for (int i = 0; i < rec->count; ++i) {
        if (!ReadBytes(outlines, point, sizeof point)) return false;
        rec->pts[i] = DecodePlanPoint(point);
    }
    return true;
}

}  // namespace

int ReadBuildings(FILE* attributes, FILE* outlines) {
    ReleaseBuildings();
    int16_t announced;
    if (!ReadI16(attributes, &announced)) {
        // The files are there but say nothing: an empty table, so that the paint does not
        // try to load them again and again.
        NoteTable(kFile7, "g_buildings", kCountCutOff);
        g_buildings = static_cast<BuildingRec*>(calloc(1, sizeof(BuildingRec)));
        return 0;
    }
    TableNote* note = NoteTable(kFile7, "g_buildings", announced);
    int records = announced > 0 ? announced : 0;
    // calloc leaves every pts NULL, so a table read in part can always be released.
    g_buildings = static_cast<BuildingRec*>(
        calloc(records > 0 ? static_cast<size_t>(records) : 1, sizeof(BuildingRec)));
    if (g_buildings == nullptr) return 0;

    char text[kLoadingTextEvery];
    for (int i = 0; i < records; ++i) {
        if (i % kLoadingTextEvery == 0) {
            snprintf(text, sizeof text, kLoadingBuildingsFormat, i, static_cast<int>(announced));
            GetLoadingWindow()->SetText(text);
        }
        uint8_t head[14];
        if (!ReadBytes(attributes, head, sizeof head)) break;
        BuildingRec& rec = g_buildings[i];
        rec.x = DecodeU16(head);
        int16_t count = DecodeI16(head + 2);
        rec.floors = DecodeI16(head + 4);
        rec.y = DecodeU16(head + 6);
        rec.streetId = DecodeI16(head + 8);
        rec.purpose = DecodeI16(head + 10);
        if (count < 0) break;  // an impossible record ends the table like the end of the file
        if (!ReadText(attributes, head[12], rec.houseNumber, kHouseNumberChars) ||
            !ReadText(attributes, head[13], rec.caption, kCaptionChars)) {
            break;
        }
        Transliterate(rec.caption, sizeof rec.caption);
        if (count > 0) {
            rec.pts = static_cast<PlanPoint*>(malloc(static_cast<size_t>(count) * sizeof(PlanPoint)));
            if (rec.pts == nullptr) break;
        }
        rec.count = count;
        if (!ReadOutline(outlines, &rec)) {
            free(rec.pts);
            rec.pts = nullptr;
            break;
        }
        g_building_count = i + 1;
    }
    if (note != nullptr) note->read = g_building_count;
    return g_building_count;
}

int LongestBuildingOutline() {
    int longest = 0;
    for (int i = 0; i < g_building_count; ++i) {
        if (g_buildings[i].count > longest) longest = g_buildings[i].count;
    }
    return longest;
}

void LoadBuildingFiles() {
    ClearLoadNotes(kFile7, kFileSign);
    FILE* attributes = fopen("7.tqf", "rb");
    NoteFile(kFile7, attributes != nullptr ? FileStatus::Read : FileStatus::Missing);
    if (attributes == nullptr) return;
    FILE* outlines = fopen("6.tqf", "rb");
    NoteFile(kFile6, outlines != nullptr ? FileStatus::Read : FileStatus::Missing);
    if (outlines == nullptr) {
        fclose(attributes);
        return;
    }
    ReadBuildings(attributes, outlines);
    fclose(outlines);
    fclose(attributes);
    GetLoadingWindow()->Close();
    // Drawing converts building outlines through g_pts as well, so it must hold the longest.
    int longest = LongestBuildingOutline();
    EnsureScratchPoints((longest > g_max_points ? longest : g_max_points) + 1);
    LoadThemeUserSignFiles();
}
