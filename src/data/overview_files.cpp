// The two files of the whole-city overview, read piece by piece while the overview is drawn.
#include "data/overview_files.h"

#include <cstdlib>
#include <cstring>

#include "data/file_input.h"
#include "data/point_codec.h"
#include "data/text.h"

FILE* g_fd_overview = nullptr;

namespace {

bool ReadU16(FILE* file, uint16_t* value) {
    uint8_t b[2];
    if (!ReadBytes(file, b, sizeof b)) return false;
    *value = DecodeU16(b);
    return true;
}

bool Reserve(OverviewShapeBuf* shape, int32_t count) {
    if (count <= shape->capacity) return true;
    void* grown = realloc(shape->pts, static_cast<size_t>(count) * sizeof(PackedPoint));
    if (grown == nullptr) return false;
    shape->pts = static_cast<PackedPoint*>(grown);
    shape->capacity = count;
    return true;
}

}  // namespace

bool ReadInsetHeader(FILE* file, PackedBox* box) {
    uint8_t b[8];
    if (!ReadBytes(file, b, sizeof b)) return false;
    box->xMin = DecodeU16(b);
    box->yMin = DecodeU16(b + 2);
    box->xMax = DecodeU16(b + 4);
    box->yMax = DecodeU16(b + 6);
    return true;
}

ShapeRead ReadOverviewShape(FILE* file, OverviewShapeBuf* shape) {
    uint8_t head[4];
    if (!ReadBytes(file, head, sizeof head)) return ShapeRead::Stop;
    // Only the low byte of the first field is the code; its high byte is not looked at.
    const uint8_t code = head[0];
    const uint16_t end = DecodeU16(head + 2);
    if (code == 0 && end == 0) return ShapeRead::End;
    if (end < code) return ShapeRead::Stop;
    const int32_t count = end - code;
    if (!Reserve(shape, count)) return ShapeRead::NoMemory;

    constexpr int kChunkPoints = 512;
    uint8_t chunk[kChunkPoints * kPackedPointBytes];
    int32_t done = 0;
    while (done < count) {
        const int32_t n = count - done < kChunkPoints ? count - done : kChunkPoints;
        if (!ReadBytes(file, chunk, static_cast<size_t>(n) * kPackedPointBytes)) return ShapeRead::Stop;
        for (int32_t i = 0; i < n; ++i) shape->pts[done + i] = DecodePackedPoint(chunk + i * kPackedPointBytes);
        done += n;
    }
    shape->code = code;
    shape->count = count;
    return ShapeRead::Shape;
}

void FreeOverviewShape(OverviewShapeBuf* shape) {
    free(shape->pts);
    shape->pts = nullptr;
    shape->count = 0;
    shape->capacity = 0;
}

bool ReadOverviewStyle(FILE* file, uint8_t* style) { return ReadU8(file, style); }

bool ReadOverviewLabelRecord(FILE* file, OverviewLabelRec* label) {
    uint8_t length;
    uint16_t x, y;
    if (!ReadU8(file, &length) || !ReadU16(file, &x) || !ReadU16(file, &y)) return false;
    // The whole text is read so that transliteration sees every letter before the cut.
    char text[kTranslitBufSize];
    if (!ReadBytes(file, text, length)) return false;
    text[length] = '\0';
    // A NUL inside the text ends it where the drawing would.
    Transliterate(text, sizeof text);
    label->x = x;
    label->y = y;
    strncpy(label->text, text, sizeof label->text - 1);
    label->text[sizeof label->text - 1] = '\0';
    return true;
}
