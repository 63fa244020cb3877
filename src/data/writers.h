// Writers of every map data file, byte for byte in the form the readers take. They build test
// folders and the generated city. Each writes one file (two for the buildings) into `folder`
// (a path without the file name) and returns false when the file cannot be written or a record
// cannot be expressed in the format; a file that was started is then incomplete.
// Texts are written as given (Windows-1251, untransliterated).
#pragma once

#include <cstdint>

#include "data/store.h"

// 8.tqf: named places; names longer than 29 bytes are refused.
bool WritePlaceFile(const char* folder, const PlaceRec* places, int count);

// 3.tqf: the plan extent, then the outlines (record 0 the land). An outline's `code` is written
// as given (the reader turns 250 into 0).
bool WriteAreaFile(const char* folder, const BBox& extent, const AreaRec* areas, int count);

// One group of 4.tqf: its class (1..4 fill g_topo1..g_topo4) and its lines.
struct TopoGroup {
    int16_t lineClass;
    const LineRec* lines;
    int count;
};
// 4.tqf: the groups in order.
bool WriteTopoFile(const char* folder, const TopoGroup* groups, int groupCount);

// 5.tqf: street lines, street names, labels. Each street name's `kind` must fit one byte and
// its name 29 bytes.
bool WriteStreetFile(const char* folder, const LineRec* lines, int lineCount, const StreetNameRec* names,
                     int nameCount, const LabelRec* labels, int labelCount);

// 7.tqf and 6.tqf in the same building order: attributes (house number up to 6 bytes, caption
// up to 46) and outlines.
bool WriteBuildingFiles(const char* folder, const BuildingRec* buildings, int count);

// tema.tqf: one line per node in the given order (the links of the nodes are not used).
bool WriteThemeFile(const char* folder, const ThemeNode* nodes, int count);
// user.tqf: the count line, then "x,y,code,name" per object.
bool WriteUserFile(const char* folder, const UserObjectRec* objects, int count);
// sign.tqf: the count line, then "id,0,a,b,c,d,text" per sign (c and d as whole numbers).
bool WriteSignFile(const char* folder, const SignRec* signs, int count);

// The two overview files share one form: shapes (a code byte, c + count, packed points) ended
// by a zero head, then labels, each a style byte and a record (length, x, y, text).
struct OverviewShape {
    uint8_t code;  // a shape with code 0 and no points would read as the end head: refused
    const PackedPoint* pts;
    int count;
};
struct OverviewLabel {
    char style;  // 'e', 'f', 'g' in 1.tqf; 'o', 'p', 'q' in 2.tqf
    uint16_t x;  // top-left corner of the text
    uint16_t y;
    const char* text;  // 1..255 bytes
};
// 1.tqf: the box the inset shows, its shapes and labels.
bool WriteInsetFile(const char* folder, const PackedBox& box, const OverviewShape* shapes, int shapeCount,
                    const OverviewLabel* labels, int labelCount);
// 2.tqf: the overview's water shapes and labels.
bool WriteOverviewFile(const char* folder, const OverviewShape* shapes, int shapeCount,
                       const OverviewLabel* labels, int labelCount);
