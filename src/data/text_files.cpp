// The three text files: tema.tqf (the theme tree), user.tqf (objects with an address) and
// sign.tqf (signs). One record per line, fields separated by commas.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "data/load_notes.h"
#include "data/readers.h"
#include "data/store.h"
#include "data/text.h"

namespace {

constexpr int kLineBuffer = 200;
constexpr int kThemeNameChars = 48;
constexpr int kUserNameChars = 64;
constexpr int kSignTextChars = 81;
constexpr int kThemeCommaFrom = 9;
constexpr int kFirstRoom = 64;

// Reads one line of at most kLineBuffer - 1 characters, the line end included. The rest of a
// longer line is dropped: it is not a record of its own.
bool ReadLine(FILE* file, char* line) {
    int c = getc(file);
    if (c == EOF) return false;
    int n = 0;
    while (c != EOF) {
        if (n < kLineBuffer - 1) line[n++] = static_cast<char>(c);
        if (c == '\n') break;
        c = getc(file);
    }
    line[n] = '\0';
    return true;
}

// Decimal conversion as the C library's atoi does it (white space, sign, digits), but without
// its undefined overflow: values beyond int are held at the nearest limit.
int DecimalValue(const char* text) {
    while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    long long value = 0;
    while (*text >= '0' && *text <= '9') {
        if (value <= static_cast<long long>(INT_MAX) + 1) value = value * 10 + (*text - '0');
        ++text;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

// Trims `text`, keeps at most `keep` characters, copies it into `field` and transliterates it
// there; transliteration cuts whatever would outgrow the field.
void StoreName(char* text, char* field, size_t fieldSize, int keep) {
    TrimText(text);
    size_t n = strlen(text);
    if (n > static_cast<size_t>(keep)) n = static_cast<size_t>(keep);
    memcpy(field, text, n);
    field[n] = '\0';
    Transliterate(field, fieldSize);
}

// The first line of user.tqf and sign.tqf: the number of records.
bool ReadCountLine(FILE* file, int* announced) {
    char line[kLineBuffer];
    if (!ReadLine(file, line)) return false;
    *announced = DecimalValue(line);
    return true;
}

// Room for one more record in a table that holds at most `limit`. Memory is taken as the lines
// come rather than all at once, so a count line of a billion costs nothing.
template <typename T>
bool MakeRoom(T*& table, int32_t& capacity, int32_t count, int limit) {
    if (count < capacity) return true;
    if (count >= limit) return false;
    int64_t grown = capacity < kFirstRoom ? kFirstRoom : static_cast<int64_t>(capacity) * 2;
    if (grown > limit) grown = limit;
    T* fresh = static_cast<T*>(realloc(table, static_cast<size_t>(grown) * sizeof(T)));
    if (fresh == nullptr) return false;
    table = fresh;
    capacity = static_cast<int32_t>(grown);
    return true;
}

void LinkThemeNode(ThemeNode* node, TableNote* note) {
    if (g_theme_root == nullptr) {
        g_theme_root = node;
        return;
    }
    ThemeNode* last = g_theme_root;
    if (node->code[1] == '1') {
        while (last->next != nullptr) last = last->next;
        last->next = node;
        return;
    }
    ThemeNode* group = g_theme_root;
    while (group != nullptr && !(group->code[0] == node->code[0] && group->code[1] == '1'))
        group = group->next;
    if (group == nullptr) {
        // An item before its group has nowhere to go.
        free(node);
        if (note != nullptr) ++note->skipped;
        return;
    }
    ThemeNode** tail = &group->child;
    while (*tail != nullptr) tail = &(*tail)->next;
    *tail = node;
}

int CountThemeNodes() {
    int n = 0;
    for (const ThemeNode* group = g_theme_root; group != nullptr; group = group->next) {
        ++n;
        for (const ThemeNode* item = group->child; item != nullptr; item = item->next) ++n;
    }
    return n;
}

}  // namespace

void ReadThemeFile(FILE* file) {
    FreeThemeTree();

    TableNote* note = NoteTable(kFileTema, "g_theme_root", kNoCountInFile);
    char line[kLineBuffer];
    while (ReadLine(file, line)) {
        char* comma = strlen(line) > kThemeCommaFrom ? strchr(line + kThemeCommaFrom, ',') : nullptr;
        if (comma == nullptr) {
            if (note != nullptr) ++note->skipped;
            continue;
        }
        ThemeNode* node = static_cast<ThemeNode*>(calloc(1, sizeof(ThemeNode)));
        if (node == nullptr) break;
        node->code[0] = line[0];
        node->code[1] = line[1];
        StoreName(comma + 1, node->name, sizeof node->name, kThemeNameChars);
        LinkThemeNode(node, note);
    }
    if (note != nullptr) note->read = CountThemeNodes();
}

bool ReadUserFile(FILE* file) {
    free(g_user_objects);
    g_user_objects = nullptr;
    g_user_count = 0;
    g_user_capacity = 0;
    int announced;
    if (!ReadCountLine(file, &announced)) {
        NoteTable(kFileUser, "g_user_objects", kCountCutOff);
        return false;
    }
    TableNote* note = NoteTable(kFileUser, "g_user_objects", announced);
    char line[kLineBuffer];
    while (ReadLine(file, line)) {
        char* first = strchr(line, ',');
        char* second = first != nullptr ? strchr(first + 1, ',') : nullptr;
        char* third = second != nullptr ? strchr(second + 1, ',') : nullptr;
        if (third == nullptr || !MakeRoom(g_user_objects, g_user_capacity, g_user_count, announced)) {
            if (note != nullptr) ++note->skipped;
            continue;
        }
        UserObjectRec& rec = g_user_objects[g_user_count];
        rec = UserObjectRec{};
        rec.x = static_cast<uint16_t>(DecimalValue(line));
        rec.y = static_cast<uint16_t>(DecimalValue(first + 1));
        // The code is the first two characters of the third field; a shorter field leaves NULs.
        for (int i = 0; i < 2 && second + 1 + i < third; ++i) rec.code[i] = second[1 + i];
        StoreName(third + 1, rec.name, sizeof rec.name, kUserNameChars);
        rec.found = 0;
        ++g_user_count;
    }
    if (note != nullptr) note->read = g_user_count;
    return true;
}

void ReadSignFile(FILE* file) {
    free(g_signs);
    g_signs = nullptr;
    g_sign_count = 0;
    g_sign_capacity = 0;
    int announced;
    if (!ReadCountLine(file, &announced)) {
        NoteTable(kFileSign, "g_signs", kCountCutOff);
        return;
    }
    TableNote* note = NoteTable(kFileSign, "g_signs", announced);
    char line[kLineBuffer];
    while (ReadLine(file, line)) {
        TrimText(line);
        char* fields[7];
        fields[0] = line;
        int found = 1;
        for (; found < 7; ++found) {
            char* comma = strchr(fields[found - 1], ',');
            if (comma == nullptr) break;
            fields[found] = comma + 1;
        }
        if (found < 7 || !MakeRoom(g_signs, g_sign_capacity, g_sign_count, announced)) {
            if (note != nullptr) ++note->skipped;
            continue;
        }
        SignRec& rec = g_signs[g_sign_count];
        rec = SignRec{};
        rec.id = DecimalValue(fields[0]);
        rec.a = static_cast<int16_t>(DecimalValue(fields[2]));
        rec.b = static_cast<int16_t>(DecimalValue(fields[3]));
        rec.c = static_cast<float>(DecimalValue(fields[4]));
        rec.d = static_cast<float>(DecimalValue(fields[5]));
        size_t n = strlen(fields[6]);
        if (n > kSignTextChars) n = kSignTextChars;
        memcpy(rec.text, fields[6], n);
        rec.text[n] = '\0';
        Transliterate(rec.text, sizeof rec.text);
        ++g_sign_count;
    }
    if (note != nullptr) note->read = g_sign_count;
}

void LoadThemeUserSignFiles() {
    ClearLoadNotes(kFileTema, kFileSign);
    FreeThemeUserSign();
    FILE* file = fopen("tema.tqf", "r");
    NoteFile(kFileTema, file != nullptr ? FileStatus::Read : FileStatus::Missing);
    if (file == nullptr) return;
    ReadThemeFile(file);
    fclose(file);

    file = fopen("user.tqf", "r");
    NoteFile(kFileUser, file != nullptr ? FileStatus::Read : FileStatus::Missing);
    if (file == nullptr) return;
    bool hasCount = ReadUserFile(file);
    fclose(file);
    if (!hasCount) return;

    file = fopen("sign.tqf", "r");
    NoteFile(kFileSign, file != nullptr ? FileStatus::Read : FileStatus::Missing);
    if (file == nullptr) return;
    ReadSignFile(file);
    fclose(file);
}
