#include "synthetic_osm.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace planbench {

namespace {

constexpr double kLat0 = 43.1;   // the degrees the plan's south-west corner is put at
constexpr double kLon0 = 131.9;
constexpr double kMetresPerLat = 111132.0;
const double kMetresPerLon = 111320.0 * std::cos(kLat0 * 3.14159265358979323846 / 180.0);

// UTF-8 of a Windows-1251 text (letters, Ё, № and the quotes are all the city uses).
std::string Utf8(const std::string& cp1251) {
    std::string out;
    for (unsigned char c : cp1251) {
        unsigned code = c;
        if (c >= 0xC0) code = 0x410 + (c - 0xC0);
        else if (c == 0xA8) code = 0x401;
        else if (c == 0xB8) code = 0x451;
        else if (c == 0xB9) code = 0x2116;
        else if (c == 0xAB || c == 0xBB) code = c;
        else if (c >= 0x80) code = '?';
        if (code < 0x80) {
            if (code == '&') out += "&amp;";
            else if (code == '<') out += "&lt;";
            else if (code == '"') out += "&quot;";
            else out.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (code >> 6)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (code >> 12)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return out;
}

class Writer {
public:
    explicit Writer(FILE* file) : file_(file) {}

    long Node(citygen::Vec p, const std::string& tags = "") {
        const long id = ++nodeId_;
        nodes_ += "<node id=\"" + std::to_string(id) + "\" version=\"1\" lat=\"" + Degrees(kLat0 + p.x / kMetresPerLat) +
                  "\" lon=\"" + Degrees(kLon0 + p.y / kMetresPerLon) + "\"";
        nodes_ += tags.empty() ? "/>\n" : ">" + tags + "</node>\n";
        Flush(nodes_);
        return id;
    }
    // A way through new nodes at the points; closed when asked.
    void Way(const std::vector<citygen::Vec>& pts, bool closed, const std::string& tags) {
        if (pts.size() < 2) return;
        std::string way = "<way id=\"" + std::to_string(++wayId_) + "\" version=\"1\">";
        long first = 0;
        for (const citygen::Vec& p : pts) {
            const long id = Node(p);
            if (first == 0) first = id;
            way += "<nd ref=\"" + std::to_string(id) + "\"/>";
        }
        if (closed) way += "<nd ref=\"" + std::to_string(first) + "\"/>";
        ways_ += way + tags + "</way>\n";
    }
    bool Finish() {
        Flush(nodes_, true);
        std::fputs(ways_.c_str(), file_);
        std::fputs("</osm>\n", file_);
        return std::ferror(file_) == 0;
    }

private:
    static std::string Degrees(double v) {
        char text[32];
        std::snprintf(text, sizeof text, "%.7f", v);
        return text;
    }
    void Flush(std::string& text, bool always = false) {
        if (!always && text.size() < (1u << 20)) return;
        std::fputs(text.c_str(), file_);
        text.clear();
    }
    FILE* file_;
    long nodeId_ = 0;
    long wayId_ = 0;
    std::string nodes_;
    std::string ways_;
};

std::string Tag(const char* key, const std::string& value) { return std::string("<tag k=\"") + key + "\" v=\"" + value + "\"/>"; }

}  // namespace

bool WriteSyntheticOsm(const citygen::City& city, const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    char bounds[200];
    std::snprintf(bounds, sizeof bounds, "<bounds minlat=\"%.7f\" minlon=\"%.7f\" maxlat=\"%.7f\" maxlon=\"%.7f\"/>\n", kLat0,
                  kLon0, kLat0 + city.extentXMax / kMetresPerLat, kLon0 + city.extentYMax / kMetresPerLon);
    std::fputs("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<osm version=\"0.6\" generator=\"bench\">\n", file);
    std::fputs(bounds, file);
    Writer w(file);
    std::vector<std::string> streetNames(city.streets.size() + 1);
    for (const citygen::Street& s : city.streets) {
        streetNames[s.id] = Utf8(s.name);
        const std::string tags = Tag("highway", s.rank <= 1 ? "primary" : "residential") + Tag("name", streetNames[s.id]);
        for (const citygen::Polyline& p : s.pieces) w.Way(p, false, tags);
    }
    for (const citygen::Polyline& r : city.roads) w.Way(r, false, Tag("highway", "service"));
    for (const citygen::Building& b : city.buildings) {
        std::string tags = Tag("building", b.purpose == 413 ? "garage" : b.purpose == 444 ? "school" : "yes");
        tags += Tag("building:levels", std::to_string(b.floors));
        if (!b.number.empty()) tags += Tag("addr:housenumber", Utf8(b.number));
        if (b.streetId > 0 && b.streetId < static_cast<int>(streetNames.size())) tags += Tag("addr:street", streetNames[b.streetId]);
        if (!b.caption.empty()) tags += Tag("name", Utf8(b.caption));
        w.Way(b.outline, true, tags);
    }
    // The coastline keeps the land on its left: on the screen the ring turns left.
    citygen::Ring land = city.land;
    if (citygen::RingArea2(land) > 0.0) land.assign(city.land.rbegin(), city.land.rend());
    w.Way(land, true, Tag("natural", "coastline"));
    for (const citygen::TopoLine& t : city.water) w.Way(t.pts, true, Tag("natural", "water"));
    for (const citygen::TopoLine& t : city.areas) w.Way(t.pts, true, Tag("leisure", "park"));
    for (const citygen::Place& p : city.places) w.Node({double(p.x), double(p.y)}, Tag("place", "suburb") + Tag("name", Utf8(p.name)));
    for (const citygen::UserObject& o : city.objects)
        w.Node({o.x + 0.3, o.y + 0.3}, Tag("amenity", "cafe") + Tag("name", Utf8(o.name)));
    const bool ok = w.Finish();
    return std::fclose(file) == 0 && ok;
}

}  // namespace planbench
