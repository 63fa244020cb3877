#include "kerbs.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace citygen {

double KerbHalfWidth(int rank) {
    switch (rank) {
        case 0: return 11.0;
        case 1: return 9.0;
        case 2: return 6.0;
        case 3: return 4.5;
        default: return 3.0;
    }
}

Polyline OffsetLine(const Polyline& line, double d) {
    Polyline out;
    if (line.size() < 2) return out;
    // Normals of the segments; zero-length segments take their neighbour's.
    std::vector<Vec> normals;
    Vec last{0.0, 0.0};
    bool haveLast = false;
    for (size_t i = 1; i < line.size(); ++i) {
        Vec seg = line[i] - line[i - 1];
        if (Length(seg) > 1e-9) {
            last = Perp(Normalized(seg));
            haveLast = true;
        }
        normals.push_back(last);
    }
    if (!haveLast) return out;
    // Fill leading degenerate segments from the first real one.
    Vec first{0.0, 0.0};
    for (const Vec& n : normals)
        if (Length(n) > 0.0) {
            first = n;
            break;
        }
    for (Vec& n : normals) {
        if (Length(n) > 0.0) break;
        n = first;
    }
    out.push_back(line.front() + normals.front() * d);
    for (size_t i = 1; i + 1 < line.size(); ++i) {
        Vec a = normals[i - 1];
        Vec b = normals[i];
        Vec m = a + b;
        double len = Length(m);
        if (len < 1e-6) {
            // A full turn back: keep the side of the incoming segment.
            out.push_back(line[i] + a * d);
            continue;
        }
        m = m * (1.0 / len);
        double cosHalf = Dot(m, a);
        double scale = std::min(1.0 / std::max(cosHalf, 1e-6), 2.0);
        out.push_back(line[i] + m * (d * scale));
    }
    out.push_back(line.back() + normals.back() * d);
    return out;
}

namespace {

using Key = std::pair<long, long>;

Key KeyOf(Vec p) { return {std::lround(p.x), std::lround(p.y)}; }

struct End {
    int street = 0;  // 0 for unnamed roads, each of which counts as its own street
    double halfWidth = 0.0;
};

struct Piece {
    const Polyline* line = nullptr;
    int street = 0;
    double halfWidth = 0.0;
};

// The widest half width of the other streets ending at `p`.
double OpenAt(const std::multimap<Key, End>& ends, Vec p, int street) {
    double widest = 0.0;
    auto range = ends.equal_range(KeyOf(p));
    for (auto it = range.first; it != range.second; ++it)
        if (it->second.street != street) widest = std::max(widest, it->second.halfWidth);
    return widest;
}

}  // namespace

void AddKerbs(City& city) {
    std::vector<Piece> pieces;
    for (const Street& s : city.streets)
        for (const Polyline& p : s.pieces) pieces.push_back({&p, s.id, KerbHalfWidth(s.rank)});
    // Unnamed roads get ids of their own below zero, so that two of them meeting open each other.
    int road = 0;
    for (const Polyline& r : city.roads) pieces.push_back({&r, --road, KerbHalfWidth(4)});

    std::multimap<Key, End> ends;
    for (const Piece& p : pieces) {
        if (p.line->size() < 2) continue;
        ends.insert({KeyOf(p.line->front()), {p.street, p.halfWidth}});
        ends.insert({KeyOf(p.line->back()), {p.street, p.halfWidth}});
    }

    for (const Piece& p : pieces) {
        const Polyline& line = *p.line;
        if (line.size() < 2) continue;
        double len = PolylineLength(line);
        double t0 = OpenAt(ends, line.front(), p.street);
        double t1 = len - OpenAt(ends, line.back(), p.street);
        if (t1 - t0 < 1.0) continue;  // the piece lies wholly within its crossings
        Polyline kept = (t0 > 0.0 || t1 < len) ? SubLine(line, t0, t1) : line;
        for (double side : {1.0, -1.0}) {
            Polyline kerb = OffsetLine(kept, side * p.halfWidth);
            if (kerb.size() < 2) continue;
            for (Vec& v : kerb) {
                v.x = std::clamp(v.x, 0.0, kPlanXMax);
                v.y = std::clamp(v.y, 0.0, kPlanYMax);
            }
            city.minor.push_back({kKerbCode, kerb});
        }
    }
}

}  // namespace citygen
