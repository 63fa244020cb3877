#include "data/load_notes.h"

LoadNotes g_load_notes;

const char* MapFileName(MapFile file) {
    static const char* const kNames[kMapFileCount] = {"8.tqf", "3.tqf",    "4.tqf",    "5.tqf",   "7.tqf",
                                                      "6.tqf", "tema.tqf", "user.tqf", "sign.tqf"};
    return (file >= 0 && file < kMapFileCount) ? kNames[file] : "";
}

void ClearLoadNotes() { ClearLoadNotes(kFile8, kFileSign); }

void ClearLoadNotes(MapFile from, MapFile to) {
    for (int f = from; f <= to; ++f) g_load_notes.files[f] = FileStatus::NotReached;
    int kept = 0;
    for (int i = 0; i < g_load_notes.tableCount; ++i) {
        const TableNote& note = g_load_notes.tables[i];
        if (note.file < from || note.file > to) g_load_notes.tables[kept++] = note;
    }
    g_load_notes.tableCount = kept;
    if (from == kFile8 && to == kFileSign) g_load_notes.notesLost = 0;
}

void NoteFile(MapFile file, FileStatus status) { g_load_notes.files[file] = status; }

TableNote* NoteTable(MapFile file, const char* table, int32_t announced) {
    if (g_load_notes.tableCount >= kMaxTableNotes) {
        ++g_load_notes.notesLost;
        return nullptr;
    }
    TableNote* note = &g_load_notes.tables[g_load_notes.tableCount++];
    note->file = file;
    note->table = table;
    note->announced = announced;
    note->read = 0;
    note->skipped = 0;
    return note;
}
