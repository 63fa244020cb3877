// What the last load made of the files: which could be opened and, per table, how many records
// the file announced and how many were kept. The viewer stays silent about bad data; the notes
// are for plan-inspect, which shows a maintainer where a table stopped.
#pragma once

#include <cstdint>

enum MapFile : int {
    kFile8,
    kFile3,
    kFile4,
    kFile5,
    kFile7,
    kFile6,
    kFileTema,
    kFileUser,
    kFileSign,
    kMapFileCount
};

enum class FileStatus : uint8_t { NotReached, Missing, Read };

struct TableNote {
    MapFile file;
    const char* table;  // the store's name of the table ("g_topo2"), or what was dropped
    int32_t announced;  // the count the file gives; kCountCutOff or kNoCountInFile instead
    int32_t read;       // records kept
    int32_t skipped;    // lines or records passed over (bad form, beyond the announced count)
};

constexpr int32_t kCountCutOff = -1;    // the file ended before its count
constexpr int32_t kNoCountInFile = -2;  // the format has no count (tema.tqf)
constexpr int kMaxTableNotes = 64;

struct LoadNotes {
    FileStatus files[kMapFileCount];
    TableNote tables[kMaxTableNotes];
    int32_t tableCount;
    int32_t notesLost;  // notes that did not fit (a 4.tqf of very many groups)
};

extern LoadNotes g_load_notes;

const char* MapFileName(MapFile file);
void ClearLoadNotes();
void ClearLoadNotes(MapFile from, MapFile to);  // inclusive range: a stage clears its own notes
void NoteFile(MapFile file, FileStatus status);
// Returns the note to fill in, or NULL when there is no room left.
TableNote* NoteTable(MapFile file, const char* table, int32_t announced);
