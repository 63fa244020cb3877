// The files read first: 8.tqf (named places), 3.tqf (land and district outlines, plan extent),
// 4.tqf (topographic lines) and 5.tqf (street lines, street names, labels).
#include <cstdlib>
#include <cstring>

#include "data/file_input.h"
#include "data/load_notes.h"
#include "data/loading_window.h"
#include "data/plan_ini.h"
#include "data/point_codec.h"
#include "data/readers.h"
#include "data/store.h"
#include "data/text.h"
#include "view/view.h"

namespace {

constexpr int kNameField = 30;  // PlaceRec and StreetNameRec names

void SetNoteRead(TableNote* note, int32_t read) {
    if (note != nullptr) note->read = read;
}

// Tables are allocated for at least one record so that a table announced empty is still
// "loaded" (non-NULL) with count 0.
template <typename T>
T* AllocTable(int records) {
    return static_cast<T*>(calloc(records > 0 ? static_cast<size_t>(records) : 1, sizeof(T)));
}

// Decodes `count` points of `bytesPerPoint` bytes each, reading a chunk at a time.
template <typename Point, int bytesPerPoint, Point (*decode)(const uint8_t*)>
bool ReadPoints(FILE* file, Point* out, int count) {
    constexpr int kChunkPoints = 512;
    uint8_t chunk[kChunkPoints * bytesPerPoint];
    int done = 0;
    while (done < count) {
        int n = count - done < kChunkPoints ? count - done : kChunkPoints;
        if (!ReadBytes(file, chunk, static_cast<size_t>(n) * bytesPerPoint)) return false;
        for (int i = 0; i < n; ++i) out[done + i] = decode(chunk + i * bytesPerPoint);
        done += n;
    }
    return true;
}

bool ReadPackedPoints(FILE* file, PackedPoint* out, int count) {
    return ReadPoints<PackedPoint, kPackedPointBytes, DecodePackedPoint>(file, out, count);
}

bool ReadPlanPoints(FILE* file, PlanPoint* out, int count) {
    return ReadPoints<PlanPoint, kPlanPointBytes, DecodePlanPoint>(file, out, count);
}

// Reads and drops `count` plan points (the lines of a 4.tqf class that has no table).
bool SkipPlanPoints(FILE* file, int count) {
    uint8_t chunk[4096];
    size_t left = static_cast<size_t>(count) * kPlanPointBytes;
    while (left > 0) {
        size_t n = left < sizeof chunk ? left : sizeof chunk;
        if (!ReadBytes(file, chunk, n)) return false;
        left -= n;
    }
    return true;
}

enum class LineResult { Read, EndOfTable, StreetEnd, NoMemory };

// One line record of 4.tqf or 5.tqf. With `keep` false the record is read and dropped. A head of
// two zeros ends the street lines when `zeroHeadEnds` is set.
LineResult ReadLineRecord(FILE* file, LineRec* rec, bool keep, bool zeroHeadEnds) {
    int16_t first, second, count;
    if (!ReadI16(file, &first) || !ReadI16(file, &second)) return LineResult::EndOfTable;
    if (zeroHeadEnds && first == 0 && second == 0) return LineResult::StreetEnd;
    if (!CountFromHead(first, second, &count)) return LineResult::EndOfTable;
    uint8_t box[16];
    PlanPoint* pts = nullptr;
    if (keep && count > 0) {
        pts = static_cast<PlanPoint*>(malloc(static_cast<size_t>(count) * sizeof(PlanPoint)));
        if (pts == nullptr) return LineResult::NoMemory;
    }
    bool complete = ReadBytes(file, box, sizeof box) &&
                    (keep ? ReadPlanPoints(file, pts, count) : SkipPlanPoints(file, count));
    if (!complete) {
        free(pts);
        return LineResult::EndOfTable;
    }
    if (keep) {
        rec->code = first;
        rec->count = count;
        rec->pts = pts;
        rec->box = {DecodeF32(box), DecodeF32(box + 4), DecodeF32(box + 8), DecodeF32(box + 12)};
        if (count > g_max_points) g_max_points = count;
    }
    return LineResult::Read;
}

void ReplaceLineTable(LineRec*& table, int32_t& count, LineRec* fresh) {
    FreeLines(table, count);
    table = fresh;
    count = 0;
}

// Street names: id, kind, name; then the index from id to position.
bool ReadStreetNames(FILE* file) {
    int16_t announced;
    if (!ReadI16(file, &announced)) {
        NoteTable(kFile5, "g_street_names", kCountCutOff);
        return false;
    }
    TableNote* note = NoteTable(kFile5, "g_street_names", announced);
    StreetNameRec* names = AllocTable<StreetNameRec>(announced);
    if (names == nullptr) return false;
    g_street_names = names;
    bool complete = true;
    int maxId = 0;
    for (int i = 0; i < announced; ++i) {
        int16_t id;
        uint8_t kind, length;
        StreetNameRec rec{};
        if (!ReadI16(file, &id) || !ReadU8(file, &kind) || !ReadU8(file, &length) ||
            !ReadText(file, length, rec.name, kNameField - 1)) {
            complete = false;
            break;
        }
        rec.id = id;
        rec.kind = kind;
        Transliterate(rec.name, sizeof rec.name);
        names[g_street_name_count++] = rec;
        if (id > maxId) maxId = id;
    }
    SetNoteRead(note, g_street_name_count);

    int16_t* index = static_cast<int16_t*>(calloc(static_cast<size_t>(maxId) + 1, sizeof(int16_t)));
    if (index != nullptr) {
        // A later record with the same id wins; negative ids have no slot.
        for (int i = 0; i < g_street_name_count; ++i) {
            if (names[i].id >= 0) index[names[i].id] = static_cast<int16_t>(i);
        }
        g_street_index = index;
        g_street_index_count = maxId + 1;
    }
    return complete;
}

void ReadLabels(FILE* file) {
    int16_t announced;
    if (!ReadI16(file, &announced)) {
        NoteTable(kFile5, "g_labels", kCountCutOff);
        return;
    }
    TableNote* note = NoteTable(kFile5, "g_labels", announced);
    int capacity = (announced > 0 ? announced : 0) + kAddedLabelRoom;
    LabelRec* labels = AllocTable<LabelRec>(capacity);
    if (labels == nullptr) return;
    g_labels = labels;
    g_label_capacity = capacity;
    for (int i = 0; i < announced; ++i) {
        uint8_t entry[8];
        if (!ReadBytes(file, entry, sizeof entry)) break;
        LabelRec& rec = labels[g_label_count];
        rec.streetId = DecodeI16(entry);
        rec.x = DecodeU16(entry + 2);
        rec.y = DecodeU16(entry + 4);
        rec.size = DecodeI16(entry + 6);
        ++g_label_count;
    }
    SetNoteRead(note, g_label_count);
}

FILE* OpenMapFile(MapFile which) {
    FILE* file = fopen(MapFileName(which), "rb");
    NoteFile(which, file != nullptr ? FileStatus::Read : FileStatus::Missing);
    return file;
}

// Tables of an earlier load are released first, so that loading again never leaks.
void ReleaseMainTables() {
    free(g_places);
    g_places = nullptr;
    g_place_count = 0;
    FreeAreas(g_areas, g_area_count);
    g_areas = nullptr;
    g_area_count = 0;
    ReplaceLineTable(g_topo1, g_topo1_count, nullptr);
    ReplaceLineTable(g_topo2, g_topo2_count, nullptr);
    ReplaceLineTable(g_topo3, g_topo3_count, nullptr);
    ReplaceLineTable(g_topo4, g_topo4_count, nullptr);
    ReplaceLineTable(g_street_lines, g_street_line_count, nullptr);
    FreeStreetNamesAndLabels();
}

}  // namespace

bool ReadText(FILE* file, int length, char* out, int keep) {
    char buffer[256];
    if (length < 0 || length > static_cast<int>(sizeof buffer)) return false;
    if (!ReadBytes(file, buffer, static_cast<size_t>(length))) return false;
    int n = length < keep ? length : keep;
    memcpy(out, buffer, static_cast<size_t>(n));
    out[n] = '\0';
    return true;
}

void ReadPlaceFile(FILE* file) {
    free(g_places);
    g_places = nullptr;
    g_place_count = 0;
    int16_t announced;
    if (!ReadI16(file, &announced)) {
        NoteTable(kFile8, "g_places", kCountCutOff);
        return;
    }
    TableNote* note = NoteTable(kFile8, "g_places", announced);
    g_places = AllocTable<PlaceRec>(announced);
    if (g_places == nullptr) return;
    for (int i = 0; i < announced; ++i) {
        uint8_t head[4];
        uint8_t length;
        PlaceRec rec{};
        if (!ReadBytes(file, head, sizeof head) || !ReadU8(file, &length) ||
            !ReadText(file, length, rec.name, kNameField - 1)) {
            break;
        }
        rec.x = DecodeU16(head);
        rec.y = DecodeU16(head + 2);
        Transliterate(rec.name, sizeof rec.name);
        g_places[g_place_count++] = rec;
    }
    SetNoteRead(note, g_place_count);
}

void ReadOutlineFile(FILE* file) {
    FreeAreas(g_areas, g_area_count);
    g_areas = nullptr;
    g_area_count = 0;
    int16_t announced;
    uint8_t extent[16];
    // Without its extent the plan has no whole-city view, so it counts as not loaded.
    if (!ReadI16(file, &announced) || !ReadBytes(file, extent, sizeof extent)) {
        NoteTable(kFile3, "g_areas", kCountCutOff);
        return;
    }
    g_zoom.zoomDepth = 0;
    if (!PushViewRect(DecodeF32(extent), DecodeF32(extent + 4), DecodeF32(extent + 8),
                      DecodeF32(extent + 12))) {
        // An extent the view refuses (not a finite box) leaves no whole-city view either.
        NoteTable(kFile3, "g_areas", announced);
        return;
    }
    ReadAreaFile(file, announced);
}

void ReadAreaFile(FILE* file, int announced) {
    TableNote* note = NoteTable(kFile3, "g_areas", announced);
    AreaRec* areas = AllocTable<AreaRec>(announced);
    if (areas == nullptr) return;
    FreeAreas(g_areas, g_area_count);
    g_areas = areas;
    g_area_count = 0;
    for (int i = 0; i < announced; ++i) {
        int16_t first, second, count;
        if (!ReadI16(file, &first) || !ReadI16(file, &second)) break;
        if (!CountFromHead(first, second, &count)) break;
        PackedPoint* pts = nullptr;
        if (count > 0) {
            pts = static_cast<PackedPoint*>(malloc(static_cast<size_t>(count) * sizeof(PackedPoint)));
            if (pts == nullptr) break;
        }
        uint8_t box[16];
        if (!ReadBytes(file, box, sizeof box) || !ReadPackedPoints(file, pts, count)) {
            free(pts);
            break;
        }
        AreaRec& rec = areas[g_area_count];
        rec.code = first == 250 ? 0 : first;
        rec.count = count;
        rec.pts = pts;
        // The box is stored as 32-bit values of which the plan keeps the low 16 bits.
        rec.box.xMin = static_cast<uint16_t>(DecodeI32(box));
        rec.box.yMin = static_cast<uint16_t>(DecodeI32(box + 4));
        rec.box.xMax = static_cast<uint16_t>(DecodeI32(box + 8));
        rec.box.yMax = static_cast<uint16_t>(DecodeI32(box + 12));
        if (count > g_max_points) g_max_points = count;
        ++g_area_count;
    }
    SetNoteRead(note, g_area_count);
}

void ReadTopoFile(FILE* file) {
    static const char* const kTableNames[5] = {"other class", "g_topo1", "g_topo2", "g_topo3", "g_topo4"};
    LineRec** tables[5] = {nullptr, &g_topo1, &g_topo2, &g_topo3, &g_topo4};
    int32_t* counts[5] = {nullptr, &g_topo1_count, &g_topo2_count, &g_topo3_count, &g_topo4_count};
    for (int k = 1; k <= 4; ++k) ReplaceLineTable(*tables[k], *counts[k], nullptr);

    for (;;) {
        int16_t lineClass, announced;
        if (!ReadI16(file, &lineClass) || !ReadI16(file, &announced)) return;
        int slot = (lineClass >= 1 && lineClass <= 4) ? lineClass : 0;
        TableNote* note = NoteTable(kFile4, kTableNames[slot], announced);
        LineRec* table = nullptr;
        int32_t dropped = 0;
        int32_t* count = &dropped;
        if (slot != 0) {
            // A later group of the same class replaces the earlier one.
            table = AllocTable<LineRec>(announced);
            if (table == nullptr) return;
            ReplaceLineTable(*tables[slot], *counts[slot], table);
            count = counts[slot];
        }
        for (int i = 0; i < announced; ++i) {
            LineRec scratch{};
            LineResult result = ReadLineRecord(file, slot != 0 ? &table[*count] : &scratch, slot != 0, false);
            if (result != LineResult::Read) {
                // A short or impossible record leaves nothing to read the rest of the file by.
                SetNoteRead(note, *count);
                return;
            }
            ++*count;
        }
        SetNoteRead(note, *count);
    }
}

void ReadStreetFile(FILE* file) {
    ReplaceLineTable(g_street_lines, g_street_line_count, nullptr);
    FreeStreetNamesAndLabels();

    int16_t announced;
    if (!ReadI16(file, &announced)) {
        NoteTable(kFile5, "g_street_lines", kCountCutOff);
        return;
    }
    TableNote* note = NoteTable(kFile5, "g_street_lines", announced);
    g_street_lines = AllocTable<LineRec>(announced);
    if (g_street_lines == nullptr) return;
    for (int i = 0; i < announced; ++i) {
        LineResult result = ReadLineRecord(file, &g_street_lines[g_street_line_count], true, true);
        if (result == LineResult::StreetEnd) break;
        if (result != LineResult::Read) {
            SetNoteRead(note, g_street_line_count);
            return;
        }
        ++g_street_line_count;
    }
    SetNoteRead(note, g_street_line_count);
    if (!ReadStreetNames(file)) return;
    ReadLabels(file);
}

void EnsureScratchPoints(int points) {
    if (points < 1) points = 1;
    if (g_pts != nullptr && g_pts_capacity >= points) return;
    POINT* fresh = static_cast<POINT*>(calloc(static_cast<size_t>(points), sizeof(POINT)));
    if (fresh == nullptr) return;
    free(g_pts);
    g_pts = fresh;
    g_pts_capacity = points;
}

// Reads the four files in order; a file that cannot be opened ends the loading there.
static void ReadMainFiles() {
    FILE* file = OpenMapFile(kFile8);
    if (file == nullptr) return;
    ReadPlaceFile(file);
    fclose(file);

    GetLoadingWindow()->SetText(kLoadingTopography);
    g_max_points = 0;
    file = OpenMapFile(kFile3);
    if (file == nullptr) return;
    ReadOutlineFile(file);
    fclose(file);

    GetLoadingWindow()->SetText(kLoadingTopography);
    file = OpenMapFile(kFile4);
    if (file == nullptr) return;
    ReadTopoFile(file);
    fclose(file);

    GetLoadingWindow()->SetText(kLoadingStreets);
    file = OpenMapFile(kFile5);
    if (file == nullptr) return;
    ReadStreetFile(file);
    fclose(file);
}

void LoadMainFiles() {
    // The city's own settings first: they decide what the drawing adds to the files.
    LoadPlanIni();
    ClearLoadNotes();
    ReleaseMainTables();
    g_max_points = 0;
    GetLoadingWindow()->Open(kLoadingHydrography);
    ReadMainFiles();
    // Also after a stop: the outlines read so far are drawn through g_pts.
    EnsureScratchPoints(g_max_points + 1);
}
