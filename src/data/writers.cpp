#include "data/writers.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "data/point_codec.h"

namespace {

// Collects one file's bytes, then writes them in one go.
class ByteSink {
  public:
    void I16(int16_t v) {
        uint8_t b[2];
        EncodeI16(v, b);
        bytes_.insert(bytes_.end(), b, b + 2);
    }
    void U16(uint16_t v) {
        uint8_t b[2];
        EncodeU16(v, b);
        bytes_.insert(bytes_.end(), b, b + 2);
    }
    void I32(int32_t v) {
        uint8_t b[4];
        EncodeI32(v, b);
        bytes_.insert(bytes_.end(), b, b + 4);
    }
    void F32(float v) {
        uint8_t b[4];
        EncodeF32(v, b);
        bytes_.insert(bytes_.end(), b, b + 4);
    }
    void U8(uint8_t v) { bytes_.push_back(v); }
    void Bytes(const void* data, size_t n) {
        const uint8_t* p = static_cast<const uint8_t*>(data);
        bytes_.insert(bytes_.end(), p, p + n);
    }
    void Text(const std::string& text) { Bytes(text.data(), text.size()); }
    void Packed(PackedPoint p) {
        uint8_t b[kPackedPointBytes];
        EncodePackedPoint(p, b);
        Bytes(b, sizeof b);
    }
    void Plan(PlanPoint p) {
        uint8_t b[kPlanPointBytes];
        EncodePlanPoint(p, b);
        Bytes(b, sizeof b);
    }
    void Box(const BBox& box) {
        F32(box.xMin);
        F32(box.yMin);
        F32(box.xMax);
        F32(box.yMax);
    }
    bool Save(const char* folder, const char* name) const {
        std::string path = std::string(folder) + "/" + name;
        FILE* file = fopen(path.c_str(), "wb");
        if (file == nullptr) return false;
        bool ok = bytes_.empty() || fwrite(bytes_.data(), 1, bytes_.size(), file) == bytes_.size();
        return fclose(file) == 0 && ok;
    }

  private:
    std::vector<uint8_t> bytes_;
};

bool FitsI16(long value) { return value >= INT16_MIN && value <= INT16_MAX; }

// A point list's head: code, then code + count, both i16.
bool Head(ByteSink& out, int code, int count) {
    if (count < 0 || !FitsI16(code) || !FitsI16(static_cast<long>(code) + count)) return false;
    out.I16(static_cast<int16_t>(code));
    out.I16(static_cast<int16_t>(code + count));
    return true;
}

bool CountFits(int count) { return count >= 0 && count <= INT16_MAX; }

// A length byte and the text, for names of at most `maxChars` bytes.
bool ShortText(ByteSink& out, const char* text, size_t maxChars) {
    size_t n = strnlen(text, maxChars + 1);
    if (n > maxChars) return false;
    out.U8(static_cast<uint8_t>(n));
    out.Bytes(text, n);
    return true;
}

bool LineRecord(ByteSink& out, const LineRec& line) {
    if (!Head(out, line.code, line.count)) return false;
    // A head of two zeros would end the street lines when read back.
    out.Box(line.box);
    for (int i = 0; i < line.count; ++i) out.Plan(line.pts[i]);
    return true;
}

// Text lines end as in files made on Windows; the readers trim the CR.
const char kLineEnd[] = "\r\n";

std::string Field(const char* text, size_t size) { return std::string(text, strnlen(text, size)); }

bool OverviewBody(ByteSink& out, const OverviewShape* shapes, int shapeCount, const OverviewLabel* labels,
                  int labelCount) {
    for (int i = 0; i < shapeCount; ++i) {
        const OverviewShape& shape = shapes[i];
        long end = static_cast<long>(shape.code) + shape.count;
        if (shape.count < 0 || end > UINT16_MAX || end == 0) return false;
        out.U16(shape.code);
        out.U16(static_cast<uint16_t>(end));
        for (int k = 0; k < shape.count; ++k) out.Packed(shape.pts[k]);
    }
    out.U16(0);
    out.U16(0);
    for (int i = 0; i < labelCount; ++i) {
        const OverviewLabel& label = labels[i];
        size_t n = label.text != nullptr ? strlen(label.text) : 0;
        if (n < 1 || n > 255) return false;
        out.U8(static_cast<uint8_t>(label.style));
        out.U8(static_cast<uint8_t>(n));
        out.U16(label.x);
        out.U16(label.y);
        out.Bytes(label.text, n);
    }
    return true;
}

}  // namespace

bool WritePlaceFile(const char* folder, const PlaceRec* places, int count) {
    ByteSink out;
    if (!CountFits(count)) return false;
    out.I16(static_cast<int16_t>(count));
    for (int i = 0; i < count; ++i) {
        out.U16(places[i].x);
        out.U16(places[i].y);
        if (!ShortText(out, places[i].name, 29)) return false;
    }
    return out.Save(folder, "8.tqf");
}

bool WriteAreaFile(const char* folder, const BBox& extent, const AreaRec* areas, int count) {
    ByteSink out;
    if (!CountFits(count)) return false;
    out.I16(static_cast<int16_t>(count));
    out.Box(extent);
    for (int i = 0; i < count; ++i) {
        const AreaRec& area = areas[i];
        if (!Head(out, area.code, area.count)) return false;
        out.I32(area.box.xMin);
        out.I32(area.box.yMin);
        out.I32(area.box.xMax);
        out.I32(area.box.yMax);
        for (int k = 0; k < area.count; ++k) out.Packed(area.pts[k]);
    }
    return out.Save(folder, "3.tqf");
}

bool WriteTopoFile(const char* folder, const TopoGroup* groups, int groupCount) {
    ByteSink out;
    for (int g = 0; g < groupCount; ++g) {
        if (!CountFits(groups[g].count)) return false;
        out.I16(groups[g].lineClass);
        out.I16(static_cast<int16_t>(groups[g].count));
        for (int i = 0; i < groups[g].count; ++i) {
            if (!LineRecord(out, groups[g].lines[i])) return false;
        }
    }
    return out.Save(folder, "4.tqf");
}

bool WriteStreetFile(const char* folder, const LineRec* lines, int lineCount, const StreetNameRec* names,
                     int nameCount, const LabelRec* labels, int labelCount) {
    ByteSink out;
    if (!CountFits(lineCount) || !CountFits(nameCount) || !CountFits(labelCount)) return false;
    out.I16(static_cast<int16_t>(lineCount));
    for (int i = 0; i < lineCount; ++i) {
        // A street line of code 0 without points has the head that ends the list.
        if (lines[i].code == 0 && lines[i].count == 0) return false;
        if (!LineRecord(out, lines[i])) return false;
    }
    out.I16(static_cast<int16_t>(nameCount));
    for (int i = 0; i < nameCount; ++i) {
        if (names[i].kind > 255) return false;
        out.I16(names[i].id);
        out.U8(static_cast<uint8_t>(names[i].kind));
        if (!ShortText(out, names[i].name, 29)) return false;
    }
    out.I16(static_cast<int16_t>(labelCount));
    for (int i = 0; i < labelCount; ++i) {
        out.I16(labels[i].streetId);
        out.U16(labels[i].x);
        out.U16(labels[i].y);
        out.I16(labels[i].size);
    }
    return out.Save(folder, "5.tqf");
}

bool WriteBuildingFiles(const char* folder, const BuildingRec* buildings, int count) {
    ByteSink attributes, outlines;
    if (!CountFits(count)) return false;
    attributes.I16(static_cast<int16_t>(count));
    for (int i = 0; i < count; ++i) {
        const BuildingRec& b = buildings[i];
        size_t numberLength = strnlen(b.houseNumber, sizeof b.houseNumber);
        size_t captionLength = strnlen(b.caption, sizeof b.caption);
        if (b.count < 0 || numberLength > 6 || captionLength > 46) return false;
        attributes.U16(b.x);
        attributes.I16(b.count);
        attributes.I16(b.floors);
        attributes.U16(b.y);
        attributes.I16(b.streetId);
        attributes.I16(b.purpose);
        attributes.U8(static_cast<uint8_t>(numberLength));
        attributes.U8(static_cast<uint8_t>(captionLength));
        attributes.Bytes(b.houseNumber, numberLength);
        attributes.Bytes(b.caption, captionLength);
        outlines.Box(b.box);
        for (int k = 0; k < b.count; ++k) outlines.Plan(b.pts[k]);
    }
    return attributes.Save(folder, "7.tqf") && outlines.Save(folder, "6.tqf");
}

bool WriteThemeFile(const char* folder, const ThemeNode* nodes, int count) {
    ByteSink out;
    for (int i = 0; i < count; ++i) {
        // Characters 2 to 8 are not read; the name follows the comma at character 9.
        out.Bytes(nodes[i].code, 2);
        out.Text("       ,");
        out.Text(Field(nodes[i].name, sizeof nodes[i].name));
        out.Text(kLineEnd);
    }
    return out.Save(folder, "tema.tqf");
}

bool WriteUserFile(const char* folder, const UserObjectRec* objects, int count) {
    ByteSink out;
    out.Text(std::to_string(count) + kLineEnd);
    for (int i = 0; i < count; ++i) {
        const UserObjectRec& o = objects[i];
        out.Text(std::to_string(o.x) + "," + std::to_string(o.y) + ",");
        out.Bytes(o.code, 2);
        // Built by appending: g++ 12 at -O3 misreads "," + std::string as an overlapping copy.
        std::string tail = ",";
        tail += Field(o.name, sizeof o.name);
        tail += kLineEnd;
        out.Text(tail);
    }
    return out.Save(folder, "user.tqf");
}

bool WriteSignFile(const char* folder, const SignRec* signs, int count) {
    ByteSink out;
    out.Text(std::to_string(count) + kLineEnd);
    for (int i = 0; i < count; ++i) {
        const SignRec& s = signs[i];
        out.Text(std::to_string(s.id) + ",0," + std::to_string(s.a) + "," + std::to_string(s.b) + "," +
                 std::to_string(static_cast<long>(s.c)) + "," + std::to_string(static_cast<long>(s.d)) + "," +
                 Field(s.text, sizeof s.text) + kLineEnd);
    }
    return out.Save(folder, "sign.tqf");
}

bool WriteInsetFile(const char* folder, const PackedBox& box, const OverviewShape* shapes, int shapeCount,
                    const OverviewLabel* labels, int labelCount) {
    ByteSink out;
    out.U16(box.xMin);
    out.U16(box.yMin);
    out.U16(box.xMax);
    out.U16(box.yMax);
    if (!OverviewBody(out, shapes, shapeCount, labels, labelCount)) return false;
    return out.Save(folder, "1.tqf");
}

bool WriteOverviewFile(const char* folder, const OverviewShape* shapes, int shapeCount,
                       const OverviewLabel* labels, int labelCount) {
    ByteSink out;
    if (!OverviewBody(out, shapes, shapeCount, labels, labelCount)) return false;
    return out.Save(folder, "2.tqf");
}
