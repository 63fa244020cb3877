#include "output.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <sys/stat.h>

#include "data/store.h"
#include "data/writers.h"
#include "names.h"

namespace citygen {

namespace {

// Point arrays live here while the records that point at them are written.
struct Storage {
    std::vector<std::unique_ptr<std::vector<PlanPoint>>> plan;
    std::vector<std::unique_ptr<std::vector<PackedPoint>>> packed;

    PlanPoint* Plan(const Polyline& line) {
        auto pts = std::make_unique<std::vector<PlanPoint>>();
        for (const Vec& p : line) pts->push_back({static_cast<float>(p.x), static_cast<float>(p.y)});
        plan.push_back(std::move(pts));
        return plan.back()->data();
    }
    PackedPoint* Packed(const std::vector<Vec>& ring) {
        auto pts = std::make_unique<std::vector<PackedPoint>>();
        for (const Vec& p : ring) {
            auto clampU16 = [](double v) { return static_cast<uint16_t>(std::clamp(std::lround(v), 0L, 65535L)); };
            pts->push_back({clampU16(p.x), clampU16(p.y)});
        }
        packed.push_back(std::move(pts));
        return packed.back()->data();
    }
};

BBox BoxOf(const PlanPoint* pts, int count) {
    BBox box{pts[0].x, pts[0].y, pts[0].x, pts[0].y};
    for (int i = 1; i < count; ++i) {
        box.xMin = std::min(box.xMin, pts[i].x);
        box.yMin = std::min(box.yMin, pts[i].y);
        box.xMax = std::max(box.xMax, pts[i].x);
        box.yMax = std::max(box.yMax, pts[i].y);
    }
    return box;
}

LineRec MakeLine(Storage& store, int code, const Polyline& line) {
    LineRec rec{};
    rec.code = static_cast<int16_t>(code);
    rec.count = static_cast<int16_t>(line.size());
    rec.pts = store.Plan(line);
    rec.box = BoxOf(rec.pts, rec.count);
    return rec;
}

AreaRec MakeArea(Storage& store, int code, const Ring& ring) {
    AreaRec rec{};
    rec.code = static_cast<int16_t>(code);
    rec.count = static_cast<int16_t>(ring.size());
    rec.pts = store.Packed(ring);
    rec.box = {65535, 65535, 0, 0};
    for (int i = 0; i < rec.count; ++i) {
        rec.box.xMin = std::min(rec.box.xMin, rec.pts[i].x);
        rec.box.yMin = std::min(rec.box.yMin, rec.pts[i].y);
        rec.box.xMax = std::max(rec.box.xMax, rec.pts[i].x);
        rec.box.yMax = std::max(rec.box.yMax, rec.pts[i].y);
    }
    return rec;
}

// North first: the drawing skips the records that lie wholly north of the view.
void SortNorthFirst(std::vector<LineRec>& lines) {
    std::stable_sort(lines.begin(), lines.end(), [](const LineRec& a, const LineRec& b) { return a.box.xMin > b.box.xMin; });
}

template <size_t N>
void CopyText(char (&field)[N], const std::string& text) {
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), std::min(text.size(), N - 1));
}

bool Fail(std::string& error, const char* file) {
    error = std::string("cannot write ") + file;
    return false;
}

}  // namespace

bool WriteCityFiles(const City& city, const std::string& folder, std::string& error) {
    Storage store;
    const char* dir = folder.c_str();

    std::vector<PlaceRec> places;
    for (const Place& p : city.places) {
        PlaceRec rec{};
        rec.x = static_cast<uint16_t>(p.x);
        rec.y = static_cast<uint16_t>(p.y);
        CopyText(rec.name, p.name);
        places.push_back(rec);
    }
    if (!WritePlaceFile(dir, places.data(), static_cast<int>(places.size()))) return Fail(error, "8.tqf");

    std::vector<AreaRec> areas{MakeArea(store, 0, city.land)};
    for (const District& d : city.districts) areas.push_back(MakeArea(store, d.number, d.outline));
    const BBox extent{0.0f, 0.0f, static_cast<float>(city.extentXMax), static_cast<float>(city.extentYMax)};
    if (!WriteAreaFile(dir, extent, areas.data(), static_cast<int>(areas.size()))) return Fail(error, "3.tqf");

    std::vector<LineRec> topo[4];
    const std::vector<TopoLine>* classes[4] = {&city.areas, &city.lines, &city.water, &city.minor};
    for (int c = 0; c < 4; ++c) {
        for (const TopoLine& t : *classes[c]) topo[c].push_back(MakeLine(store, t.code, t.pts));
        SortNorthFirst(topo[c]);
    }
    TopoGroup groups[4];
    for (int c = 0; c < 4; ++c) groups[c] = {static_cast<int16_t>(c + 1), topo[c].data(), static_cast<int>(topo[c].size())};
    if (!WriteTopoFile(dir, groups, 4)) return Fail(error, "4.tqf");

    std::vector<LineRec> streetLines;
    for (const Street& s : city.streets)
        for (const Polyline& p : s.pieces) streetLines.push_back(MakeLine(store, s.id, p));
    for (const Polyline& r : city.roads) streetLines.push_back(MakeLine(store, 0, r));
    SortNorthFirst(streetLines);
    // The list the street search scans expects the names in the order of their lower-cased
    // Latin form, which is what the viewer holds after loading.
    std::vector<const Street*> named;
    for (const Street& s : city.streets) named.push_back(&s);
    std::vector<std::string> keys(city.streets.size() + 1);
    for (const Street* s : named) keys[s->id] = LatinKey(s->name);
    std::stable_sort(named.begin(), named.end(), [&](const Street* a, const Street* b) {
        if (keys[a->id] != keys[b->id]) return keys[a->id] < keys[b->id];
        return a->id < b->id;
    });
    std::vector<StreetNameRec> names;
    for (const Street* s : named) {
        StreetNameRec rec{};
        rec.kind = s->kind;
        rec.id = static_cast<int16_t>(s->id);
        CopyText(rec.name, s->name);
        names.push_back(rec);
    }
    std::vector<LabelRec> labels;
    for (const Label& l : city.labels)
        labels.push_back({static_cast<uint16_t>(l.at.x), static_cast<uint16_t>(l.at.y), static_cast<int16_t>(l.size),
                          static_cast<int16_t>(l.streetId)});
    std::stable_sort(labels.begin(), labels.end(), [](const LabelRec& a, const LabelRec& b) { return a.x > b.x; });
    if (!WriteStreetFile(dir, streetLines.data(), static_cast<int>(streetLines.size()), names.data(),
                         static_cast<int>(names.size()), labels.data(), static_cast<int>(labels.size())))
        return Fail(error, "5.tqf");

    std::vector<BuildingRec> buildings;
    for (const Building& b : city.buildings) {
        BuildingRec rec{};
        rec.x = static_cast<uint16_t>(b.refX);
        rec.y = static_cast<uint16_t>(b.refY);
        rec.purpose = static_cast<int16_t>(b.purpose);
        rec.count = static_cast<int16_t>(b.outline.size());
        rec.floors = static_cast<int16_t>(b.floors);
        rec.streetId = static_cast<int16_t>(b.streetId);
        CopyText(rec.houseNumber, b.number);
        CopyText(rec.caption, b.caption);
        rec.pts = store.Plan(b.outline);
        rec.box = BoxOf(rec.pts, rec.count);
        buildings.push_back(rec);
    }
    std::stable_sort(buildings.begin(), buildings.end(),
                     [](const BuildingRec& a, const BuildingRec& b) { return a.box.xMin > b.box.xMin; });
    if (!WriteBuildingFiles(dir, buildings.data(), static_cast<int>(buildings.size()))) return Fail(error, "7.tqf and 6.tqf");

    std::vector<ThemeNode> themes;
    for (const ThemeEntry& t : city.themes) {
        ThemeNode node{};
        node.code[0] = t.code[0];
        node.code[1] = t.code[1];
        CopyText(node.name, t.name);
        themes.push_back(node);
    }
    if (!WriteThemeFile(dir, themes.data(), static_cast<int>(themes.size()))) return Fail(error, "tema.tqf");

    std::vector<UserObjectRec> objects;
    for (const UserObject& o : city.objects) {
        UserObjectRec rec{};
        rec.x = static_cast<uint16_t>(o.x);
        rec.y = static_cast<uint16_t>(o.y);
        rec.code[0] = o.code[0];
        rec.code[1] = o.code[1];
        CopyText(rec.name, o.name);
        objects.push_back(rec);
    }
    if (!WriteUserFile(dir, objects.data(), static_cast<int>(objects.size()))) return Fail(error, "user.tqf");

    std::vector<SignRec> signs;
    for (const Sign& s : city.signs) {
        SignRec rec{};
        rec.id = s.id;
        rec.a = static_cast<int16_t>(s.a);
        rec.b = static_cast<int16_t>(s.b);
        rec.c = static_cast<float>(s.c);
        rec.d = static_cast<float>(s.d);
        CopyText(rec.text, s.text);
        signs.push_back(rec);
    }
    if (!WriteSignFile(dir, signs.data(), static_cast<int>(signs.size()))) return Fail(error, "sign.tqf");

    auto shapesOf = [&](const std::vector<MapShape>& in) {
        std::vector<::OverviewShape> out;
        for (const auto& s : in) out.push_back({static_cast<uint8_t>(s.code), store.Packed(s.pts), static_cast<int>(s.pts.size())});
        return out;
    };
    auto labelsOf = [](const std::vector<MapText>& in) {
        std::vector<OverviewLabel> out;
        for (const auto& l : in)
            out.push_back({l.style, static_cast<uint16_t>(l.x), static_cast<uint16_t>(l.y), l.text.c_str()});
        return out;
    };
    std::vector<::OverviewShape> insetShapes = shapesOf(city.insetShapes);
    std::vector<OverviewLabel> insetLabels = labelsOf(city.insetLabels);
    const PackedBox insetBox{static_cast<uint16_t>(city.insetBox[0]), static_cast<uint16_t>(city.insetBox[1]),
                             static_cast<uint16_t>(city.insetBox[2]), static_cast<uint16_t>(city.insetBox[3])};
    if (!WriteInsetFile(dir, insetBox, insetShapes.data(), static_cast<int>(insetShapes.size()), insetLabels.data(),
                        static_cast<int>(insetLabels.size())))
        return Fail(error, "1.tqf");
    std::vector<::OverviewShape> overviewShapes = shapesOf(city.overviewShapes);
    std::vector<OverviewLabel> overviewLabels = labelsOf(city.overviewLabels);
    if (!WriteOverviewFile(dir, overviewShapes.data(), static_cast<int>(overviewShapes.size()), overviewLabels.data(),
                           static_cast<int>(overviewLabels.size())))
        return Fail(error, "2.tqf");
    return true;
}

bool WriteCityFolder(const City& city, const std::string& target, std::string& error, const ExtraFileWriter& extra) {
    namespace fs = std::filesystem;
    std::string clean = target;
    while (clean.size() > 1 && clean.back() == '/') clean.pop_back();
    if (clean.empty()) {
        error = "the output folder name is empty";
        return false;
    }
    std::error_code ec;
    if (fs::exists(fs::symlink_status(clean, ec))) {
        error = clean + " already exists; remove it or name another folder";
        return false;
    }
    fs::path path(clean);
    fs::path parent = path.parent_path();
    if (parent.empty()) parent = ".";
    std::string pattern = (parent / ("." + path.filename().string() + ".partial-XXXXXX")).string();
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    if (mkdtemp(buf.data()) == nullptr) {
        error = "cannot create a folder in " + parent.string() + ": " + std::strerror(errno);
        return false;
    }
    std::string temp(buf.data());
    // mkdtemp keeps the folder private; the city gets the permissions mkdir would give it.
    mode_t creationMask = ::umask(0);
    ::umask(creationMask);
    ::chmod(temp.c_str(), 0777 & ~creationMask);
    std::string writeError;
    if (!WriteCityFiles(city, temp, writeError) || (extra && !extra(temp, writeError))) {
        fs::remove_all(temp, ec);
        error = writeError + " in " + parent.string();
        return false;
    }
    if (std::rename(temp.c_str(), clean.c_str()) != 0) {
        error = "cannot rename the finished city to " + clean + ": " + std::strerror(errno);
        fs::remove_all(temp, ec);
        return false;
    }
    return true;
}

}  // namespace citygen
