// Seed inputs for the fuzz targets, written by the file writers into a scratch folder.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "data/writers.h"
#include "entries.h"

namespace {

std::vector<uint8_t> ReadWhole(const std::string& path) {
    std::vector<uint8_t> bytes;
    FILE* file = fopen(path.c_str(), "rb");
    if (file == nullptr) return bytes;
    uint8_t chunk[4096];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, file)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
    fclose(file);
    return bytes;
}

// A scratch folder for one seed, removed with its files afterwards.
class ScratchFolder {
  public:
    ScratchFolder() {
        const char* tmp = getenv("TMPDIR");
        path_ = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/korvinsk-seed-XXXXXX";
        if (mkdtemp(path_.data()) == nullptr) path_.clear();
    }
    ~ScratchFolder() {
        if (path_.empty()) return;
        for (const char* name :
             {"8.tqf", "3.tqf", "4.tqf", "5.tqf", "6.tqf", "7.tqf", "tema.tqf", "user.tqf", "sign.tqf"}) {
            unlink((path_ + "/" + name).c_str());
        }
        rmdir(path_.c_str());
    }
    const char* path() const { return path_.c_str(); }
    std::vector<uint8_t> Read(const char* name) const { return ReadWhole(path_ + "/" + name); }

  private:
    std::string path_;
};

PlaceRec Place(uint16_t x, uint16_t y, const char* name) {
    PlaceRec rec{};
    rec.x = x;
    rec.y = y;
    strncpy(rec.name, name, sizeof rec.name - 1);
    return rec;
}

StreetNameRec Street(int16_t id, uint16_t kind, const char* name) {
    StreetNameRec rec{};
    rec.id = id;
    rec.kind = kind;
    strncpy(rec.name, name, sizeof rec.name - 1);
    return rec;
}

const PlanPoint kLine[] = {{900.0f, 10.0f}, {850.5f, 20.25f}, {800.0f, 35.0f}, {760.0f, 40.0f}};
const PackedPoint kLand[] = {{0, 0}, {1000, 0}, {1000, 1200}, {0, 1200}, {0, 0}};
const PackedPoint kDistrict[] = {{100, 100}, {500, 100}, {500, 600}, {100, 100}};

LineRec Line(int16_t code, int count) {
    LineRec rec{};
    rec.code = code;
    rec.count = static_cast<int16_t>(count);
    rec.pts = const_cast<PlanPoint*>(kLine);
    rec.box = {760.0f, 10.0f, 900.0f, 40.0f};
    return rec;
}

std::vector<std::vector<uint8_t>> PlaceSeeds(const ScratchFolder& folder) {
    PlaceRec places[] = {Place(1200, 300, "\xD6\xE5\xED\xF2\xF0"),  // Центр
                         Place(400, 900, "\xD9\xF3\xEA\xE0"),       // Щука
                         Place(65535, 0, "Port")};
    WritePlaceFile(folder.path(), places, 3);
    return {folder.Read("8.tqf")};
}

std::vector<std::vector<uint8_t>> OutlineSeeds(const ScratchFolder& folder) {
    AreaRec areas[3] = {};
    areas[0] = {250, 5, const_cast<PackedPoint*>(kLand), {0, 0, 1000, 1200}};
    areas[1] = {1, 4, const_cast<PackedPoint*>(kDistrict), {100, 100, 500, 600}};
    areas[2] = {2, 3, const_cast<PackedPoint*>(kDistrict), {100, 100, 500, 600}};
    WriteAreaFile(folder.path(), BBox{0.0f, 0.0f, 1000.0f, 1200.0f}, areas, 3);
    return {folder.Read("3.tqf")};
}

std::vector<std::vector<uint8_t>> TopoSeeds(const ScratchFolder& folder) {
    LineRec lines[] = {Line(1014, 4), Line(9005, 3), Line(3, 2)};
    TopoGroup groups[] = {{1, lines, 1},     {2, lines + 1, 2}, {3, lines, 3},
                          {4, lines + 2, 1}, {2, lines, 1},     {9, lines, 2}};
    WriteTopoFile(folder.path(), groups, 6);
    return {folder.Read("4.tqf")};
}

std::vector<std::vector<uint8_t>> StreetSeeds(const ScratchFolder& folder) {
    LineRec lines[] = {Line(3, 4), Line(7, 2), Line(3, 3)};
    StreetNameRec names[] = {Street(7, 1, "\xCB\xE5\xF1\xED\xE0\xFF"),  // Лесная
                             Street(3, 2, "Main"), Street(12, 255, "\xCC\xEE\xF0\xF1\xEA\xE0\xFF/2")};
    LabelRec labels[] = {{890, 12, 250, 3}, {850, 20, -100, 7}, {10, 10, 50, 12}};
    WriteStreetFile(folder.path(), lines, 3, names, 3, labels, 3);
    return {folder.Read("5.tqf")};
}

std::vector<std::vector<uint8_t>> BuildingSeeds(const ScratchFolder& folder) {
    BuildingRec buildings[3] = {};
    const char* numbers[] = {"12\xE0", "", "101/3"};
    const char* captions[] = {"\xCA\xEE\xF0\xEF\xF3\xF1 2", "", "School"};
    for (int i = 0; i < 3; ++i) {
        BuildingRec& b = buildings[i];
        b.x = static_cast<uint16_t>(900 - 100 * i);
        b.y = static_cast<uint16_t>(20 + i);
        b.purpose = static_cast<int16_t>(i + 1);
        b.floors = static_cast<int16_t>(2 * i + 1);
        b.streetId = static_cast<int16_t>(i == 1 ? 0 : 3);
        strncpy(b.houseNumber, numbers[i], sizeof b.houseNumber - 1);
        strncpy(b.caption, captions[i], sizeof b.caption - 1);
        b.count = static_cast<int16_t>(4 - i);
        b.pts = const_cast<PlanPoint*>(kLine);
        b.box = {760.0f, 10.0f, 900.0f, 40.0f};
    }
    WriteBuildingFiles(folder.path(), buildings, 3);
    return {JoinFuzzInput({folder.Read("7.tqf"), folder.Read("6.tqf")})};
}

std::vector<std::vector<uint8_t>> TextSeeds(const ScratchFolder& folder) {
    ThemeNode themes[4] = {};
    const char* codes[] = {"A1", "A2", "B1", "A3"};
    const char* names[] = {"\xCC\xE0\xE3\xE0\xE7\xE8\xED\xFB", "Bakery", "Health", "Cafe"};  // Магазины
    for (int i = 0; i < 4; ++i) {
        memcpy(themes[i].code, codes[i], 2);
        strncpy(themes[i].name, names[i], sizeof themes[i].name - 1);
    }
    UserObjectRec users[2] = {};
    users[0] = {900, 20, 0, {'A', '2'}, "\xD5\xEB\xE5\xE1"};  // Хлеб
    users[1] = {800, 21, 0, {'B', '1'}, "Clinic"};
    SignRec signs[2] = {};
    signs[0] = {1, 2, 3, 400.0f, 500.0f, "Stoe"};
    signs[1] = {-7, -1, 0, -3.0f, 0.0f, "\xC2\xFA\xE5\xE7\xE4"};  // Въезд
    WriteThemeFile(folder.path(), themes, 4);
    WriteUserFile(folder.path(), users, 2);
    WriteSignFile(folder.path(), signs, 2);
    return {JoinFuzzInput({folder.Read("tema.tqf"), folder.Read("user.tqf"), folder.Read("sign.tqf")})};
}

}  // namespace

std::vector<std::vector<uint8_t>> FuzzSeeds(FuzzTarget target) {
    ScratchFolder folder;
    if (*folder.path() == '\0') return {};
    switch (target) {
        case FuzzTarget::Place:
            return PlaceSeeds(folder);
        case FuzzTarget::Outline:
            return OutlineSeeds(folder);
        case FuzzTarget::Topo:
            return TopoSeeds(folder);
        case FuzzTarget::Street:
            return StreetSeeds(folder);
        case FuzzTarget::Building:
            return BuildingSeeds(folder);
        case FuzzTarget::Text:
            return TextSeeds(folder);
    }
    return {};
}
