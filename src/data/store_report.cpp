#include "data/store_report.h"

#include <cmath>
#include <cstring>

#include "data/load_notes.h"
#include "data/store.h"

namespace {

// Unicode of the Windows-1251 bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F in order.
const uint16_t kHighCodes[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0xFFFD, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

void AppendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// A small JSON printer: objects and arrays with commas put in where they belong.
class Json {
  public:
    explicit Json(FILE* out) : out_(out) {}

    void Open(char bracket) {
        Separate();
        fputc(bracket, out_);
        first_ = true;
    }
    void Close(char bracket) {
        fputc(bracket, out_);
        first_ = false;
    }
    void Key(const char* key) {
        Separate();
        fprintf(out_, "\"%s\":", key);
        afterKey_ = true;
    }
    void Raw(const std::string& text) {
        Separate();
        fputs(text.c_str(), out_);
    }
    void Int(long long value) { Raw(std::to_string(value)); }
    void Float(float value) {
        if (std::isnan(value)) return Raw("\"NaN\"");
        if (std::isinf(value)) return Raw(value > 0 ? "\"Infinity\"" : "\"-Infinity\"");
        char text[32];
        snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
        Raw(text);
    }
    void Bool(bool value) { Raw(value ? "true" : "false"); }
    void Null() { Raw("null"); }
    void Text(const char* text, size_t size, bool keepNul = false) { Raw(JsonText(text, size, keepNul)); }

    void IntField(const char* key, long long value) {
        Key(key);
        Int(value);
    }
    void TextField(const char* key, const char* text, size_t size, bool keepNul = false) {
        Key(key);
        Text(text, size, keepNul);
    }
    void Box(const char* key, float a, float b, float c, float d) {
        Key(key);
        Open('[');
        Float(a);
        Float(b);
        Float(c);
        Float(d);
        Close(']');
    }

  private:
    void Separate() {
        if (afterKey_) {
            afterKey_ = false;
            return;
        }
        if (!first_) fputc(',', out_);
        first_ = false;
    }
    FILE* out_;
    bool first_ = true;
    bool afterKey_ = false;
};

void CountField(Json& json, const char* key, const void* table, long long count) {
    json.Key(key);
    if (table == nullptr) {
        json.Null();
    } else {
        json.Int(count);
    }
}

const char* StatusText(FileStatus status) {
    switch (status) {
        case FileStatus::Read:
            return "read";
        case FileStatus::Missing:
            return "missing";
        case FileStatus::NotReached:
            break;
    }
    return "not reached";
}

template <typename Point>
void Points(Json& json, const Point* pts, int count) {
    json.Key("points");
    json.Open('[');
    for (int i = 0; i < count; ++i) {
        json.Open('[');
        if constexpr (std::is_same_v<Point, PackedPoint>) {
            json.Int(pts[i].x);
            json.Int(pts[i].y);
        } else {
            json.Float(pts[i].x);
            json.Float(pts[i].y);
        }
        json.Close(']');
    }
    json.Close(']');
}

void Lines(Json& json, const LineRec* table, int count, bool points) {
    json.Open('[');
    for (int i = 0; i < count; ++i) {
        const LineRec& r = table[i];
        json.Open('{');
        json.IntField("code", r.code);
        json.IntField("count", r.count);
        json.Box("box", r.box.xMin, r.box.yMin, r.box.xMax, r.box.yMax);
        if (points) Points(json, r.pts, r.count);
        json.Close('}');
    }
    json.Close(']');
}

void Records(Json& json, const StoreReportOptions& options) {
    const unsigned want = options.records;
    json.Key("records");
    json.Open('{');
    if (want & kReportPlaces) {
        json.Key("g_places");
        json.Open('[');
        for (int i = 0; i < g_place_count; ++i) {
            json.Open('{');
            json.IntField("x", g_places[i].x);
            json.IntField("y", g_places[i].y);
            json.TextField("name", g_places[i].name, sizeof g_places[i].name);
            json.Close('}');
        }
        json.Close(']');
    }
    if (want & kReportAreas) {
        json.Key("g_areas");
        json.Open('[');
        for (int i = 0; i < g_area_count; ++i) {
            const AreaRec& r = g_areas[i];
            json.Open('{');
            json.IntField("code", r.code);
            json.IntField("count", r.count);
            json.Box("box", r.box.xMin, r.box.yMin, r.box.xMax, r.box.yMax);
            if (options.points) Points(json, r.pts, r.count);
            json.Close('}');
        }
        json.Close(']');
    }
    const struct {
        unsigned bit;
        const char* name;
        const LineRec* table;
        int count;
    } lineTables[] = {
        {kReportTopo1, "g_topo1", g_topo1, g_topo1_count},
        {kReportTopo2, "g_topo2", g_topo2, g_topo2_count},
        {kReportTopo3, "g_topo3", g_topo3, g_topo3_count},
        {kReportTopo4, "g_topo4", g_topo4, g_topo4_count},
        {kReportStreetLines, "g_street_lines", g_street_lines, g_street_line_count},
    };
    for (const auto& t : lineTables) {
        if (!(want & t.bit)) continue;
        json.Key(t.name);
        Lines(json, t.table, t.count, options.points);
    }
    if (want & kReportStreetNames) {
        json.Key("g_street_names");
        json.Open('[');
        for (int i = 0; i < g_street_name_count; ++i) {
            json.Open('{');
            json.IntField("kind", g_street_names[i].kind);
            json.IntField("id", g_street_names[i].id);
            json.TextField("name", g_street_names[i].name, sizeof g_street_names[i].name);
            json.Close('}');
        }
        json.Close(']');
    }
    if (want & kReportStreetIndex) {
        json.Key("g_street_index");
        json.Open('[');
        for (int i = 0; i < g_street_index_count; ++i) json.Int(g_street_index[i]);
        json.Close(']');
    }
    if (want & kReportLabels) {
        json.Key("g_labels");
        json.Open('[');
        for (int i = 0; i < g_label_count; ++i) {
            json.Open('{');
            json.IntField("x", g_labels[i].x);
            json.IntField("y", g_labels[i].y);
            json.IntField("size", g_labels[i].size);
            json.IntField("streetId", g_labels[i].streetId);
            json.Close('}');
        }
        json.Close(']');
    }
    if (want & kReportBuildings) {
        json.Key("g_buildings");
        json.Open('[');
        for (int i = 0; i < g_building_count; ++i) {
            const BuildingRec& b = g_buildings[i];
            json.Open('{');
            json.IntField("x", b.x);
            json.IntField("y", b.y);
            json.IntField("purpose", b.purpose);
            json.IntField("count", b.count);
            json.IntField("floors", b.floors);
            json.IntField("streetId", b.streetId);
            json.TextField("houseNumber", b.houseNumber, sizeof b.houseNumber);
            json.TextField("caption", b.caption, sizeof b.caption);
            json.Box("box", b.box.xMin, b.box.yMin, b.box.xMax, b.box.yMax);
            if (options.points) Points(json, b.pts, b.count);
            json.Close('}');
        }
        json.Close(']');
    }
    if (want & kReportThemes) {
        json.Key("g_theme_root");
        json.Open('[');
        for (const ThemeNode* group = g_theme_root; group != nullptr; group = group->next) {
            json.Open('{');
            json.TextField("code", group->code, 2, true);
            json.TextField("name", group->name, sizeof group->name);
            json.Key("items");
            json.Open('[');
            for (const ThemeNode* item = group->child; item != nullptr; item = item->next) {
                json.Open('{');
                json.TextField("code", item->code, 2, true);
                json.TextField("name", item->name, sizeof item->name);
                json.Close('}');
            }
            json.Close(']');
            json.Close('}');
        }
        json.Close(']');
    }
    if (want & kReportUserObjects) {
        json.Key("g_user_objects");
        json.Open('[');
        for (int i = 0; i < g_user_count; ++i) {
            const UserObjectRec& u = g_user_objects[i];
            json.Open('{');
            json.IntField("x", u.x);
            json.IntField("y", u.y);
            json.IntField("found", u.found);
            json.TextField("code", u.code, 2, true);
            json.TextField("name", u.name, sizeof u.name);
            json.Close('}');
        }
        json.Close(']');
    }
    if (want & kReportSigns) {
        json.Key("g_signs");
        json.Open('[');
        for (int i = 0; i < g_sign_count; ++i) {
            const SignRec& s = g_signs[i];
            json.Open('{');
            json.IntField("id", s.id);
            json.IntField("a", s.a);
            json.IntField("b", s.b);
            json.Key("c");
            json.Float(s.c);
            json.Key("d");
            json.Float(s.d);
            json.TextField("text", s.text, sizeof s.text);
            json.Close('}');
        }
        json.Close(']');
    }
    json.Close('}');
}

}  // namespace

unsigned ReportTableByName(const char* name) {
    static const struct {
        const char* name;
        unsigned bit;
    } kNames[] = {
        {"places", kReportPlaces},
        {"areas", kReportAreas},
        {"topo1", kReportTopo1},
        {"topo2", kReportTopo2},
        {"topo3", kReportTopo3},
        {"topo4", kReportTopo4},
        {"street_lines", kReportStreetLines},
        {"street_names", kReportStreetNames},
        {"street_index", kReportStreetIndex},
        {"labels", kReportLabels},
        {"buildings", kReportBuildings},
        {"themes", kReportThemes},
        {"theme_root", kReportThemes},
        {"user_objects", kReportUserObjects},
        {"signs", kReportSigns},
        {"all", kReportAllTables},
    };
    if (name == nullptr) return 0;
    if (strncmp(name, "g_", 2) == 0) name += 2;
    for (const auto& entry : kNames) {
        if (strcmp(entry.name, name) == 0) return entry.bit;
    }
    return 0;
}

std::string JsonText(const char* text, size_t size, bool keepNul) {
    std::string out = "\"";
    for (size_t i = 0; i < size; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == 0 && !keepNul) break;
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            char escape[8];
            snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0xC0) {
            AppendUtf8(out, kHighCodes[c - 0x80]);
        } else {
            AppendUtf8(out, 0x0410 + (c - 0xC0));
        }
    }
    out += '"';
    return out;
}

void WriteStoreReport(FILE* out, const StoreReportOptions& options) {
    Json json(out);
    json.Open('{');

    json.Key("files");
    json.Open('{');
    for (int f = 0; f < kMapFileCount; ++f) {
        json.Key(MapFileName(static_cast<MapFile>(f)));
        json.Raw(std::string("\"") + StatusText(g_load_notes.files[f]) + "\"");
    }
    json.Close('}');

    json.Key("plan_loaded");
    json.Bool(g_areas != nullptr);

    int groups = 0, items = 0;
    for (const ThemeNode* g = g_theme_root; g != nullptr; g = g->next) {
        ++groups;
        for (const ThemeNode* i = g->child; i != nullptr; i = i->next) ++items;
    }
    json.Key("counts");
    json.Open('{');
    CountField(json, "g_places", g_places, g_place_count);
    CountField(json, "g_areas", g_areas, g_area_count);
    CountField(json, "g_topo1", g_topo1, g_topo1_count);
    CountField(json, "g_topo2", g_topo2, g_topo2_count);
    CountField(json, "g_topo3", g_topo3, g_topo3_count);
    CountField(json, "g_topo4", g_topo4, g_topo4_count);
    CountField(json, "g_street_lines", g_street_lines, g_street_line_count);
    CountField(json, "g_street_names", g_street_names, g_street_name_count);
    CountField(json, "g_street_index", g_street_index, g_street_index_count);
    CountField(json, "g_labels", g_labels, g_label_count);
    CountField(json, "g_buildings", g_buildings, g_building_count);
    CountField(json, "theme_groups", g_theme_root, groups);
    CountField(json, "theme_items", g_theme_root, items);
    CountField(json, "g_user_objects", g_user_objects, g_user_count);
    CountField(json, "g_signs", g_signs, g_sign_count);
    json.Close('}');

    json.Key("capacities");
    json.Open('{');
    CountField(json, "g_labels", g_labels, g_label_capacity);
    CountField(json, "g_user_objects", g_user_objects, g_user_capacity);
    CountField(json, "g_signs", g_signs, g_sign_capacity);
    CountField(json, "g_pts", g_pts, g_pts_capacity);
    json.Close('}');

    json.IntField("g_max_points", g_max_points);

    // Every table the files announced, with what was kept: a table that stopped early shows
    // here with fewer records read than announced (an announced count of -1: the file ended
    // before its count; null: the file has no count).
    json.Key("tables_read");
    json.Open('[');
    for (int i = 0; i < g_load_notes.tableCount; ++i) {
        const TableNote& note = g_load_notes.tables[i];
        json.Open('{');
        json.Key("file");
        json.Raw(std::string("\"") + MapFileName(note.file) + "\"");
        json.Key("table");
        json.Raw(std::string("\"") + note.table + "\"");
        json.Key("announced");
        if (note.announced == kNoCountInFile) {
            json.Null();
        } else {
            json.Int(note.announced);
        }
        json.IntField("read", note.read);
        json.IntField("skipped", note.skipped);
        json.Key("stopped_early");
        json.Bool(note.announced == kCountCutOff || note.read < note.announced);
        json.Close('}');
    }
    json.Close(']');
    json.IntField("notes_lost", g_load_notes.notesLost);

    if (options.records != 0) Records(json, options);
    json.Close('}');
    fputc('\n', out);
}
