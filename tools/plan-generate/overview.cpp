#include "overview.h"

#include <cmath>

#include "names.h"

namespace citygen {

namespace {

constexpr double kPi = 3.14159265358979323846;

Ring RoundIsland(Vec c, double rx, double ry, double phase) {
    Ring ring;
    for (int i = 0; i < 14; ++i) {
        double a = 2.0 * kPi * i / 14;
        double k = 1.0 + 0.2 * std::sin(3.0 * a + phase) + 0.1 * std::cos(5.0 * a + phase);
        ring.push_back(c + Vec{std::cos(a) * rx * k, std::sin(a) * ry * k});
    }
    return ring;
}

MapShape Shape(int code, const Ring& ring, bool closed) {
    MapShape s;
    s.code = code;
    for (const Vec& p : ring) s.pts.push_back({std::round(p.x), std::round(p.y)});
    if (closed && !s.pts.empty()) s.pts.push_back(s.pts.front());
    return s;
}

}  // namespace

void BuildOverview(const Coast& coast, City& city) {
    // The inset: the mainland runs on beyond the plan to the north and east, with the far
    // shore of Tervelsky bay and a few islands in it. Its box is kept small enough that the
    // names of the bays and the sea, at the sizes the viewer writes them, fit on the water.
    city.insetBox[0] = 0;
    city.insetBox[1] = 0;
    city.insetBox[2] = 40000;
    city.insetBox[3] = 30000;
    const Ring box = {{0, 0}, {40000, 0}, {40000, 30000}, {0, 30000}};
    Ring mainland;
    const Ring& plan = coast.controlParts[0];
    for (const Vec& p : plan) {
        if (p.x == kPlanXMax && p.y == 0.0) {
            mainland.push_back({48000, 0});
            mainland.push_back({48000, 40000});
            mainland.push_back({0, 40000});
            for (Vec q : {Vec{0, 34500}, Vec{3000, 33000}, Vec{7000, 31500}, Vec{11000, 30200}, Vec{15000, 28600},
                          Vec{17500, 27000}, Vec{17000, 24500}, Vec{14500, 22000}})
                mainland.push_back(q);
            continue;
        }
        if (p.x == kPlanXMax && p.y == kPlanYMax) continue;
        mainland.push_back(p);
    }
    // The viewer does not cut the inset's shapes at its frame.
    city.insetShapes.push_back(Shape(1, ClipRingConvex(mainland, box), false));
    city.insetShapes.push_back(Shape(2, coast.controlParts[1], false));
    city.insetShapes.push_back(Shape(2, coast.controlParts[2], false));
    city.insetShapes.push_back(Shape(2, RoundIsland({4500, 27000}, 1400, 2200, 0.4), false));
    city.insetShapes.push_back(Shape(2, RoundIsland({2000, 28300}, 900, 1200, 1.3), false));
    city.insetShapes.push_back(Shape(2, RoundIsland({9000, 22800}, 500, 700, 2.1), false));
    // Each label's point is the top-left corner of its text, which runs east.
    city.insetLabels = {
        {'e', 9000, 7200, To1251("Корвинск")},      {'e', 38000, 14000, To1251("Сосновка")},
        {'e', 31000, 21000, To1251("Кедровый")},    {'e', 20500, 24000, To1251("Рыбачье")},
        {'e', 37000, 3000, To1251("Заречное")},     {'f', 19900, 1200, To1251("зал.")},
        {'f', 18800, 900, To1251("Кельмарский")},   {'f', 7900, 16800, To1251("зал. Тервельский")},
        {'f', 33000, 16500, To1251("р. Кедровка")}, {'g', 2600, 14500, To1251("Студёное море")},
    };

    // The whole-city map: lakes (rings closed on their first point) and rivers (open lines).
    for (const TopoLine& w : city.water)
        if (w.code == 4925 && w.pts.size() < 40) city.overviewShapes.push_back(Shape(3, w.pts, true));
    for (const Polyline& r : coast.rivers) city.overviewShapes.push_back(Shape(4, Simplify(r, 15.0), false));
    city.overviewLabels = {
        {'o', 24500, 15600, To1251("Кедровка")},     {'o', 25300, 16300, To1251("Сосновый Бор")},
        {'p', 27600, 13300, To1251("р. Кедровка")},  {'p', 15800, 16600, To1251("р. Сосновка")},
        {'p', 2450, 3900, To1251("прол. Ветреный")}, {'q', 1300, 4600, To1251("о. Лесной")},
    };
}

}  // namespace citygen
