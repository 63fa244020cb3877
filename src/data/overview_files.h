// The two files of the whole-city overview: 1.tqf (the inset map: a box, shapes, labels) and
// 2.tqf (water shapes and labels of the overview map). They are read piece by piece while the
// overview is drawn and closed again; nothing of them stays in memory. Every read stops at the
// first piece that is cut short or impossible, whatever the file holds.
#pragma once

#include <cstdint>
#include <cstdio>

#include "data/store.h"

// The file being drawn, open only during an overview paint.
extern FILE* g_fd_overview;

// A label's text after transliteration keeps at most this many characters.
constexpr int kOverviewLabelChars = 31;

// The box of 1.tqf's header.
bool ReadInsetHeader(FILE* file, PackedBox* box);

// One shape's points, owned by the caller: ReadOverviewShape grows `pts` as needed and
// FreeOverviewShape releases it.
struct OverviewShapeBuf {
    uint8_t code;
    int32_t count;
    PackedPoint* pts;
    int32_t capacity;
};

enum class ShapeRead {
    Shape,     // `shape` holds the next shape
    End,       // the end head: the labels follow
    Stop,      // the file ends or holds an impossible head: nothing more can be read
    NoMemory,  // the points could not be stored: the rest of the file is left alone
};

ShapeRead ReadOverviewShape(FILE* file, OverviewShapeBuf* shape);
void FreeOverviewShape(OverviewShapeBuf* shape);

// The style byte that comes before each label; false at the end of the file.
bool ReadOverviewStyle(FILE* file, uint8_t* style);

// One label record: length, x, y, text. The text is transliterated and cut to
// kOverviewLabelChars characters. False when the record is cut short.
struct OverviewLabelRec {
    uint16_t x;  // plan point of the text's top-left corner
    uint16_t y;
    char text[kOverviewLabelChars + 1];
};
bool ReadOverviewLabelRecord(FILE* file, OverviewLabelRec* label);
