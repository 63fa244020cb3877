// The overview files read piece by piece: a corpus of sound and damaged files, each read to its
// end the way the overview drawing reads it, with what must come out of it.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "data/overview_files.h"

namespace {

// Raw little-endian bytes.
struct Bytes {
    Bytes& U8(int v) {
        data.push_back(static_cast<uint8_t>(v));
        return *this;
    }
    Bytes& U16(int v) {
        data.push_back(static_cast<uint8_t>(v & 0xFF));
        data.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
        return *this;
    }
    // A packed point: x.lo, y.hi, y.lo, x.hi.
    Bytes& Point(int x, int y) {
        return U8(x & 0xFF).U8((y >> 8) & 0xFF).U8(y & 0xFF).U8((x >> 8) & 0xFF);
    }
    Bytes& Text(const std::string& text) {
        data.insert(data.end(), text.begin(), text.end());
        return *this;
    }
    Bytes& Label(char style, const std::string& text, int x, int y) {
        return U8(style).U8(static_cast<int>(text.size())).U16(x).U16(y).Text(text);
    }
    Bytes& EndOfShapes() { return U16(0).U16(0); }
    std::vector<uint8_t> data;
};

// What a whole read of one file gives, written as a short text for comparison:
// "S<code>:<count>" per shape (with its first point), "end" at the end head, "stop" or
// "nomem" when the shapes end otherwise, "L<style>:<x>,<y>:<text>" per label, "cut" for a
// label record cut short.
std::string ReadAll(const std::vector<uint8_t>& bytes, bool inset) {
    static uint8_t empty[1];
    FILE* file = fmemopen(bytes.empty() ? empty : const_cast<uint8_t*>(bytes.data()), bytes.size(), "rb");
    EXPECT_NE(file, nullptr);
    std::string out;
    if (inset) {
        PackedBox box;
        if (!ReadInsetHeader(file, &box)) {
            fclose(file);
            return "nobox";
        }
        out += "box" + std::to_string(box.xMin) + "," + std::to_string(box.yMin) + "," + std::to_string(box.xMax) +
               "," + std::to_string(box.yMax) + " ";
    }
    OverviewShapeBuf shape{};
    ShapeRead result;
    int guard = 0;
    while ((result = ReadOverviewShape(file, &shape)) == ShapeRead::Shape && ++guard < 100) {
        out += "S" + std::to_string(shape.code) + ":" + std::to_string(shape.count);
        if (shape.count > 0) out += "@" + std::to_string(shape.pts[0].x) + "," + std::to_string(shape.pts[0].y);
        out += " ";
    }
    FreeOverviewShape(&shape);
    if (result == ShapeRead::End) {
        out += "end";
        uint8_t style;
        while (ReadOverviewStyle(file, &style) && ++guard < 100) {
            OverviewLabelRec label;
            if (!ReadOverviewLabelRecord(file, &label)) {
                out += " cut";
                break;
            }
            out += " L" + std::string(1, static_cast<char>(style)) + ":" + std::to_string(label.x) + "," +
                   std::to_string(label.y) + ":" + label.text;
        }
    } else {
        out += result == ShapeRead::Stop ? "stop" : "nomem";
    }
    fclose(file);
    return out;
}

struct FileCase {
    const char* name;
    bool inset;
    std::vector<uint8_t> bytes;
    std::string expected;
};

void PrintTo(const FileCase& c, std::ostream* os) { *os << c.name; }

class OverviewFileCorpus : public ::testing::TestWithParam<FileCase> {};

TEST_P(OverviewFileCorpus, ReadsWhatIsThereAndStopsAtDamage) {
    EXPECT_EQ(ReadAll(GetParam().bytes, GetParam().inset), GetParam().expected);
}

const std::string k40As(40, 'A');

INSTANTIATE_TEST_SUITE_P(
    Files, OverviewFileCorpus,
    ::testing::Values(
        FileCase{"SoundInset", true,
                 Bytes()
                     .U16(100).U16(200).U16(30000).U16(40000)
                     .U16(7).U16(7 + 2).Point(1000, 2000).Point(1100, 2100)
                     .EndOfShapes()
                     .Label('e', "Town", 500, 600).Label('g', "Sea", 700, 800)
                     .data,
                 "box100,200,30000,40000 S7:2@1000,2000 end Le:500,600:Town Lg:700,800:Sea"},
        FileCase{"SoundOverviewWithPointsAboveOneByte", false,
                 Bytes().U16(3).U16(3 + 1).Point(0x1234, 0xABCD).EndOfShapes().Label('q', "Lake", 1, 2).data,
                 "S3:1@4660,43981 end Lq:1,2:Lake"},
        FileCase{"Empty", false, {}, "stop"},
        FileCase{"EmptyInset", true, {}, "nobox"},
        FileCase{"InsetHeaderCut", true, Bytes().U16(1).U16(2).U16(3).data, "nobox"},
        FileCase{"HeadCut", false, Bytes().U16(5).data, "stop"},
        FileCase{"EndBeforeCode", false, Bytes().U16(9).U16(4).Point(1, 1).EndOfShapes().data, "stop"},
        FileCase{"PointsCut", false, Bytes().U16(1).U16(4).Point(1, 1).Point(2, 2).data, "stop"},
        FileCase{"HugeCountWithoutPoints", false, Bytes().U16(0).U16(0xFFFF).data, "stop"},
        // Only the low byte of the head's first field is the code.
        FileCase{"HighByteOfCodeIgnored", false, Bytes().U8(5).U8(0xFF).U16(7).Point(1, 1).Point(2, 2).EndOfShapes().data,
                 "S5:2@1,1 end"},
        FileCase{"EndHeadWithHighByte", false, Bytes().U8(0).U8(0x12).U16(0).Label('o', "X", 3, 4).data,
                 "end Lo:3,4:X"},
        FileCase{"CodeZeroWithPoints", false, Bytes().U16(0).U16(1).Point(9, 9).EndOfShapes().data, "S0:1@9,9 end"},
        FileCase{"ShapeWithoutPoints", false, Bytes().U16(4).U16(4).EndOfShapes().data, "S4:0 end"},
        FileCase{"NoEndHead", false, Bytes().U16(1).U16(2).Point(5, 6).data, "S1:1@5,6 stop"},
        FileCase{"LabelTextCut", false, Bytes().EndOfShapes().U8('o').U8(10).U16(1).U16(2).Text("abcd").data,
                 "end cut"},
        FileCase{"LabelPositionCut", false, Bytes().EndOfShapes().U8('o').U8(2).U16(1).data, "end cut"},
        FileCase{"StyleByteAlone", false, Bytes().EndOfShapes().U8('p').data, "end cut"},
        FileCase{"EmptyLabelText", false, Bytes().EndOfShapes().Label('o', "", 1, 1).Label('p', "B", 2, 2).data,
                 "end Lo:1,1: Lp:2,2:B"},
        // A label longer than the drawing keeps is cut to 31 characters.
        FileCase{"LongLabelCut", false, Bytes().EndOfShapes().Label('o', k40As, 1, 1).data,
                 "end Lo:1,1:" + std::string(31, 'A')},
        // A NUL inside a text ends the text; the next record is still found.
        FileCase{"NulInsideText", false,
                 Bytes().EndOfShapes().Label('o', std::string("ab\0cd", 5), 1, 1).Label('o', "Z", 2, 2).data,
                 "end Lo:1,1:ab Lo:2,2:Z"},
        // Texts are Windows-1251: А (0xC0) becomes A.
        FileCase{"CyrillicTransliterated", false, Bytes().EndOfShapes().Label('o', "\xC0", 1, 1).data,
                 "end Lo:1,1:A"}),
    [](const ::testing::TestParamInfo<FileCase>& info) { return std::string(info.param.name); });

// A shape after a long one reuses the buffer; the second shape's points are its own.
TEST(OverviewShapeBuffer, GrowsAndKeepsEachShapesPoints) {
    Bytes bytes;
    bytes.U16(1).U16(1 + 600);
    for (int i = 0; i < 600; ++i) bytes.Point(i, 2 * i);
    bytes.U16(2).U16(2 + 2).Point(7, 8).Point(9, 10).EndOfShapes();
    EXPECT_EQ(ReadAll(bytes.data, false), "S1:600@0,0 S2:2@7,8 end");
}

}  // namespace
