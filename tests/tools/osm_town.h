// A small OpenStreetMap extract for the importer's tests, built element by element.
#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

// An OpenStreetMap XML document built element by element, written as extracts are: nodes, ways,
// relations, each by ascending id.
class OsmXml {
public:
    OsmXml& Bounds(double minLat, double minLon, double maxLat, double maxLon) {
        char text[200];
        std::snprintf(text, sizeof text, "  <bounds minlat=\"%.7f\" minlon=\"%.7f\" maxlat=\"%.7f\" maxlon=\"%.7f\"/>\n",
                      minLat, minLon, maxLat, maxLon);
        bounds_ = text;
        return *this;
    }
    OsmXml& Node(long id, double lat, double lon, const std::map<std::string, std::string>& tags = {}) {
        char text[160];
        std::snprintf(text, sizeof text, "  <node id=\"%ld\" version=\"1\" lat=\"%.7f\" lon=\"%.7f\"", id, lat, lon);
        std::string& out = nodes_[id];
        out = text;
        if (tags.empty()) {
            out += "/>\n";
            return *this;
        }
        out += ">\n";
        for (const auto& t : tags) out += "    <tag k=\"" + t.first + "\" v=\"" + t.second + "\"/>\n";
        out += "  </node>\n";
        return *this;
    }
    OsmXml& Way(long id, const std::vector<long>& nodes, const std::map<std::string, std::string>& tags = {}) {
        std::string& out = ways_[id];
        out = "  <way id=\"" + std::to_string(id) + "\" version=\"1\">\n";
        for (long n : nodes) out += "    <nd ref=\"" + std::to_string(n) + "\"/>\n";
        for (const auto& t : tags) out += "    <tag k=\"" + t.first + "\" v=\"" + t.second + "\"/>\n";
        out += "  </way>\n";
        return *this;
    }
    // A closed way round the box of two corners, with nodes id .. id + 3.
    OsmXml& Box(long id, double lat0, double lon0, double lat1, double lon1, const std::map<std::string, std::string>& tags) {
        Node(id, lat0, lon0).Node(id + 1, lat0, lon1).Node(id + 2, lat1, lon1).Node(id + 3, lat1, lon0);
        return Way(id, {id, id + 1, id + 2, id + 3, id}, tags);
    }
    OsmXml& Relation(long id, const std::vector<std::pair<long, std::string>>& ways,
                     const std::map<std::string, std::string>& tags) {
        std::string& out = relations_[id];
        out = "  <relation id=\"" + std::to_string(id) + "\" version=\"1\">\n";
        for (const auto& m : ways)
            out += "    <member type=\"way\" ref=\"" + std::to_string(m.first) + "\" role=\"" + m.second + "\"/>\n";
        for (const auto& t : tags) out += "    <tag k=\"" + t.first + "\" v=\"" + t.second + "\"/>\n";
        out += "  </relation>\n";
        return *this;
    }
    std::string Text() const {
        std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<osm version=\"0.6\" generator=\"test\">\n" + bounds_;
        for (const auto* list : {&nodes_, &ways_, &relations_})
            for (const auto& e : *list) text += e.second;
        return text + "</osm>\n";
    }

private:
    std::string bounds_;
    std::map<long, std::string> nodes_, ways_, relations_;
};

// The small town of these tests: five named streets (one in two ways, one with a node missing
// from the file), a service road, a footway, a coastline, seven buildings (one outside the area,
// one a multipolygon with a courtyard, one addressed by a node inside it), four points of
// interest and two places.
std::string TownXml() {
    OsmXml x;
    x.Bounds(0.0, 0.0, 0.01, 0.01);
    x.Node(1, 0.005, 0.001).Node(2, 0.005, 0.005).Node(3, 0.005, 0.009);
    x.Way(100, {1, 2}, {{"highway", "residential"}, {"name", "улица Ленина"}});
    x.Way(101, {3, 2}, {{"highway", "tertiary"}, {"name", "улица Ленина"}});
    x.Node(4, 0.002, 0.002).Node(5, 0.009, 0.002);
    x.Way(102, {4, 5}, {{"highway", "residential"}, {"name", "Abbey Road"}});
    x.Node(6, 0.008, 0.003).Node(7, 0.008, 0.005);
    x.Way(103, {6, 7}, {{"highway", "residential"}, {"name", "Қазақ көшесі"}});
    x.Node(8, 0.003, 0.006).Node(9, 0.003, 0.009);
    x.Way(104, {8, 9}, {{"highway", "residential"}, {"name", "Città Vecchia"}});
    x.Node(10, 0.0035, 0.001).Node(11, 0.0035, 0.0015);
    x.Way(105, {10, 99999, 11}, {{"highway", "residential"}, {"name", "Missing Lane"}});
    x.Node(12, 0.006, 0.009).Node(13, 0.009, 0.009);
    x.Way(106, {12, 13}, {{"highway", "service"}});
    x.Node(14, 0.0042, 0.003).Node(15, 0.0042, 0.004);
    x.Way(107, {14, 15}, {{"highway", "footway"}});
    x.Node(20, 0.0015, -0.01).Node(21, 0.0015, 0.02);
    x.Way(110, {20, 21}, {{"natural", "coastline"}});
    x.Box(30, 0.0052, 0.0040, 0.0055, 0.0043,
          {{"building", "apartments"}, {"building:levels", "9"}, {"addr:housenumber", "12а"}, {"addr:street", "улица Ленина"}});
    x.Box(34, 0.0030, 0.0022, 0.0032, 0.0025, {{"building", "yes"}, {"addr:housenumber", "3"}, {"addr:street", "Abbey Road"}});
    x.Box(38, 0.0070, 0.0070, 0.0073, 0.0074, {{"building", "school"}, {"amenity", "school"}, {"name", "Школа № 5"}});
    x.Box(42, 0.0060, 0.0060, 0.0066, 0.0066, {});
    x.Box(46, 0.0062, 0.0062, 0.0064, 0.0064, {});
    x.Relation(200, {{42, "outer"}, {46, "inner"}},
               {{"type", "multipolygon"}, {"building", "yes"}, {"addr:housenumber", "5"}, {"addr:street", "Abbey Road"}});
    x.Box(50, 0.0090, 0.0080, 0.0091, 0.0081,
          {{"building", "garage"}, {"addr:housenumber", "7"}, {"addr:street", "Несуществующая"}});
    x.Box(54, 0.0050, 0.0115, 0.0052, 0.0118, {{"building", "yes"}});
    // A house whose address is a node inside it.
    x.Box(80, 0.0084, 0.0010, 0.0086, 0.0013, {{"building", "house"}});
    x.Node(84, 0.0085, 0.0011, {{"addr:housenumber", "9"}, {"addr:street", "abbey road"}});
    x.Node(60, 0.0031, 0.0023, {{"shop", "supermarket"}, {"name", "Магнит"}});
    x.Node(61, 0.0053, 0.0041, {{"amenity", "cafe"}, {"name", "Кафе «Уют»"}});
    x.Node(62, 0.0045, 0.0045, {{"amenity", "pharmacy"}, {"name", "Аптека"}});
    x.Node(63, 0.0053, 0.0042, {{"amenity", "atm"}});
    x.Node(70, 0.0065, 0.0050, {{"place", "suburb"}, {"name", "Центр"}});
    x.Node(71, 0.0050, 0.0050, {{"place", "city"}, {"name", "Тестоград"}});
    return x.Text();
}

}  // namespace
