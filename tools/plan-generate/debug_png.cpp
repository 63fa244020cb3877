#include "debug_png.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace citygen {

namespace {

struct Canvas {
    int w;
    int h;
    double xMin, yMin, xMax, yMax;
    std::vector<uint8_t> rgb;

    Canvas(int width, double x0, double y0, double x1, double y1)
        : w(width), h(std::max(1, static_cast<int>(width * (x1 - x0) / (y1 - y0)))), xMin(x0), yMin(y0), xMax(x1), yMax(y1),
          rgb(static_cast<size_t>(w) * h * 3, 0) {}

    double Px(Vec p) const { return (p.y - yMin) / (yMax - yMin) * w; }
    double Py(Vec p) const { return (xMax - p.x) / (xMax - xMin) * h; }

    void Set(int x, int y, uint32_t c) {
        if (x < 0 || y < 0 || x >= w || y >= h) return;
        uint8_t* p = &rgb[(static_cast<size_t>(y) * w + x) * 3];
        p[0] = static_cast<uint8_t>(c >> 16);
        p[1] = static_cast<uint8_t>(c >> 8);
        p[2] = static_cast<uint8_t>(c);
    }

    void Fill(const Ring& ring, uint32_t c) {
        if (ring.size() < 3) return;
        std::vector<std::vector<double>> rows(h);
        size_t n = ring.size();
        for (size_t i = 0, j = n - 1; i < n; j = i++) {
            double ax = Px(ring[j]), ay = Py(ring[j]), bx = Px(ring[i]), by = Py(ring[i]);
            if (ay == by) continue;
            int r0 = std::max(0, static_cast<int>(std::ceil(std::min(ay, by) - 0.5)));
            int r1 = std::min(h - 1, static_cast<int>(std::floor(std::max(ay, by) - 0.5)));
            for (int r = r0; r <= r1; ++r) {
                double yc = r + 0.5;
                if (yc < std::min(ay, by) || yc >= std::max(ay, by)) continue;
                rows[r].push_back(ax + (yc - ay) * (bx - ax) / (by - ay));
            }
        }
        for (int r = 0; r < h; ++r) {
            auto& v = rows[r];
            std::sort(v.begin(), v.end());
            for (size_t k = 0; k + 1 < v.size(); k += 2)
                for (int x = static_cast<int>(std::ceil(v[k] - 0.5)); x <= static_cast<int>(std::floor(v[k + 1] - 0.5)); ++x)
                    Set(x, r, c);
        }
    }

    void Line(Vec a, Vec b, uint32_t c, int thick) {
        double x0 = Px(a), y0 = Py(a), x1 = Px(b), y1 = Py(b);
        int steps = static_cast<int>(std::max(std::fabs(x1 - x0), std::fabs(y1 - y0))) + 1;
        for (int i = 0; i <= steps; ++i) {
            double t = static_cast<double>(i) / steps;
            int x = static_cast<int>(x0 + (x1 - x0) * t);
            int y = static_cast<int>(y0 + (y1 - y0) * t);
            for (int dx = 0; dx < thick; ++dx)
                for (int dy = 0; dy < thick; ++dy) Set(x + dx - thick / 2, y + dy - thick / 2, c);
        }
    }

    void Poly(const Polyline& line, uint32_t c, int thick, bool closed = false) {
        for (size_t i = 1; i < line.size(); ++i) Line(line[i - 1], line[i], c, thick);
        if (closed && line.size() > 2) Line(line.back(), line.front(), c, thick);
    }
};

uint32_t Crc(const uint8_t* data, size_t n, uint32_t crc = 0xFFFFFFFFu) {
    for (size_t i = 0; i < n; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc;
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 3; i >= 0; --i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void Chunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data) {
    Put32(png, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    png.insert(png.end(), body.begin(), body.end());
    Put32(png, Crc(body.data(), body.size()) ^ 0xFFFFFFFFu);
}

bool SavePng(const Canvas& c, const std::string& path) {
    std::vector<uint8_t> raw;
    for (int y = 0; y < c.h; ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), c.rgb.begin() + static_cast<long>(y) * c.w * 3, c.rgb.begin() + static_cast<long>(y + 1) * c.w * 3);
    }
    // Stored (uncompressed) deflate blocks inside a zlib stream.
    std::vector<uint8_t> z = {0x78, 0x01};
    size_t pos = 0;
    while (pos < raw.size() || pos == 0) {
        size_t n = std::min<size_t>(65535, raw.size() - pos);
        bool last = pos + n >= raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(static_cast<uint8_t>(n & 0xFF));
        z.push_back(static_cast<uint8_t>(n >> 8));
        z.push_back(static_cast<uint8_t>(~n & 0xFF));
        z.push_back(static_cast<uint8_t>((~n >> 8) & 0xFF));
        z.insert(z.end(), raw.begin() + static_cast<long>(pos), raw.begin() + static_cast<long>(pos + n));
        pos += n;
        if (last) break;
    }
    uint32_t a = 1, b = 0;
    for (uint8_t v : raw) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    Put32(z, (b << 16) | a);
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<uint8_t> ihdr;
    Put32(ihdr, static_cast<uint32_t>(c.w));
    Put32(ihdr, static_cast<uint32_t>(c.h));
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});
    Chunk(png, "IHDR", ihdr);
    Chunk(png, "IDAT", z);
    Chunk(png, "IEND", {});
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(png.data(), 1, png.size(), f) == png.size();
    return std::fclose(f) == 0 && ok;
}

uint32_t AreaColour(int code) {
    switch (code) {
        case 750: return 0x4E9A4E;
        case 718: return 0xAAFFAA;
        case 1014: return 0xCED4C8;
        case 6614: return 0x3C783C;
        default: return 0xFF00FF;
    }
}

uint32_t BuildingColour(int purpose) {
    switch (purpose) {
        case 411: case 658: return 0x899A7D;
        case 461: case 659: case 888: return 0xBBA078;
        case 444: case 660: return 0xA78C6E;
        case 555: case 661: return 0x6B968C;
        default: return 0x969696;
    }
}

}  // namespace

bool WriteDebugPng(const City& city, const std::string& path, double xMin, double yMin, double xMax, double yMax,
                   int width) {
    Canvas c(width, xMin, yMin, xMax, yMax);
    double metresPerPx = (yMax - yMin) / width;
    int thick = metresPerPx < 3.0 ? 3 : 1;
    for (size_t i = 0; i < c.rgb.size(); i += 3) {
        c.rgb[i] = 0x96;
        c.rgb[i + 1] = 0xE6;
        c.rgb[i + 2] = 0xFF;
    }
    c.Fill(city.land, 0xE4CFB0);
    for (const TopoLine& a : city.areas) c.Fill(a.pts, AreaColour(a.code));
    for (const TopoLine& w : city.water) c.Fill(w.pts, 0x96E6FF);
    for (const TopoLine& w : city.water) c.Poly(w.pts, 0x2828FF, 1);
    c.Poly(city.land, 0x5050FF, 1, true);
    for (const District& d : city.districts) c.Poly(d.outline, 0xC000C0, 1, true);
    for (const TopoLine& l : city.minor) c.Poly(l.pts, 0xC89678, 1);
    for (const Polyline& r : city.roads) c.Poly(r, 0xFFFFFF, 1);
    for (const Street& s : city.streets) {
        uint32_t colour = s.rank == 0 ? 0xDC3C3C : s.rank == 1 ? 0xDC783C : s.rank == 2 ? 0xFAFA64 : 0xFFFFFF;
        for (const Polyline& p : s.pieces) c.Poly(p, colour, s.rank <= 1 ? thick + 1 : thick);
    }
    for (const TopoLine& l : city.lines) c.Poly(l.pts, l.code == 9005 ? 0xFF0000 : 0x505050, 1);
    for (const Building& b : city.buildings) c.Fill(b.outline, BuildingColour(b.purpose));
    for (const Label& l : city.labels) c.Set(static_cast<int>(c.Px(l.at)), static_cast<int>(c.Py(l.at)), 0x000000);
    for (const Vec& p : kCircularPlaces) {
        for (int a = 0; a < 24; ++a) {
            Vec q = p + Dir(a * 0.2618) * std::max(40.0, 4 * metresPerPx);
            c.Set(static_cast<int>(c.Px(q)), static_cast<int>(c.Py(q)), 0xFF0000);
        }
    }
    for (const Place& pl : city.places) {
        Vec p{static_cast<double>(pl.x), static_cast<double>(pl.y)};
        for (int d = -3; d <= 3; ++d) {
            c.Set(static_cast<int>(c.Px(p)) + d, static_cast<int>(c.Py(p)), 0x0000C0);
            c.Set(static_cast<int>(c.Px(p)), static_cast<int>(c.Py(p)) + d, 0x0000C0);
        }
    }
    return SavePng(c, path);
}

}  // namespace citygen
