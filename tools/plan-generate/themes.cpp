#include "themes.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "names.h"

namespace citygen {

namespace {

// An item of the theme tree and how its objects are named: "#" becomes a number, "%" a name
// in quotes.
struct Item {
    const char* name;
    const char* patterns[3];
};

struct Group {
    char key;
    const char* name;
    Item items[6];
};

const Group kGroups[] = {
    {'A', "Магазины",
     {{"Продукты", {"Магазин %", "Гастроном № #", "Универсам %"}},
      {"Одежда и обувь", {"Магазин одежды %", "Обувь %", "Модный дом %"}},
      {"Книги", {"Книжный магазин %", "Книги %", nullptr}},
      {"Хозяйственные товары", {"Хозтовары %", "Хозяйственный магазин № #", nullptr}},
      {"Электроника", {"Электроника %", "Бытовая техника %", nullptr}},
      {"Цветы", {"Цветы %", "Цветочный салон %", nullptr}}}},
    {'B', "Аптеки и оптика",
     {{"Аптеки", {"Аптека № #", "Аптека %", nullptr}}, {"Оптика", {"Оптика %", "Салон оптики %", nullptr}}}},
    {'C', "Образование",
     {{"Школы", {"Школа № #", "Гимназия № #", "Лицей № #"}},
      {"Детские сады", {"Детский сад № #", nullptr, nullptr}},
      {"Колледжи", {"Колледж № #", "Морской колледж № #", nullptr}},
      {"Вузы", {"Институт %", "Университет %", "Академия %"}}}},
    {'D', "Медицина",
     {{"Поликлиники", {"Поликлиника № #", "Детская поликлиника № #", nullptr}},
      {"Больницы", {"Городская больница № #", "Госпиталь № #", nullptr}},
      {"Стоматологии", {"Стоматология %", nullptr, nullptr}}}},
    {'E', "Финансы",
     {{"Банки", {"Банк %", "Отделение банка % № #", nullptr}},
      {"Банкоматы", {"Банкомат банка %", nullptr, nullptr}},
      {"Страхование", {"Страховая компания %", nullptr, nullptr}}}},
    {'F', "Кафе и рестораны",
     {{"Кафе", {"Кафе %", "Кофейня %", nullptr}},
      {"Рестораны", {"Ресторан %", nullptr, nullptr}},
      {"Столовые", {"Столовая № #", nullptr, nullptr}},
      {"Пекарни", {"Пекарня %", "Булочная № #", nullptr}}}},
    {'G', "Гостиницы", {{"Гостиницы", {"Гостиница %", nullptr, nullptr}}, {"Общежития", {"Общежитие № #", nullptr, nullptr}}}},
    {'H', "Почта и связь",
     {{"Почтовые отделения", {"Почтовое отделение № #", nullptr, nullptr}}, {"Связь", {"Салон связи %", nullptr, nullptr}}}},
    {'I', "Спорт",
     {{"Стадионы", {"Стадион %", nullptr, nullptr}},
      {"Бассейны", {"Бассейн %", nullptr, nullptr}},
      {"Спортивные клубы", {"Спортивный клуб %", "Фитнес-клуб %", nullptr}}}},
    {'J', "Культура",
     {{"Театры", {"Театр %", nullptr, nullptr}},
      {"Кинотеатры", {"Кинотеатр %", nullptr, nullptr}},
      {"Музеи", {"Музей %", nullptr, nullptr}},
      {"Библиотеки", {"Библиотека № #", nullptr, nullptr}}}},
    {'K', "Автосервис",
     {{"Автосервисы", {"Автосервис %", "Шиномонтаж № #", nullptr}},
      {"Автозаправки", {"АЗС № #", nullptr, nullptr}},
      {"Автостоянки", {"Автостоянка № #", nullptr, nullptr}}}},
    {'L', "Власть и порядок",
     {{"Администрация", {"Администрация района № #", nullptr, nullptr}},
      {"Суды", {"Районный суд № #", nullptr, nullptr}},
      {"Полиция", {"Отделение полиции № #", nullptr, nullptr}}}},
    {'M', "Бытовые услуги",
     {{"Парикмахерские", {"Парикмахерская %", "Салон красоты %", nullptr}},
      {"Химчистки", {"Химчистка %", nullptr, nullptr}},
      {"Ремонт обуви", {"Мастерская № #", nullptr, nullptr}},
      {"Ателье", {"Ателье %", nullptr, nullptr}}}},
    {'N', "Промышленность", {{"Заводы", {"Завод %", "Комбинат %", nullptr}}, {"Склады", {"Склад № #", nullptr, nullptr}}}},
};

struct ItemRef {
    int group;
    int item;
};

// What may be found in a building of each purpose, and how much.
std::vector<ItemRef> Offer(int purpose, Zone zone) {
    auto refs = [](std::initializer_list<std::pair<char, int>> list) {
        std::vector<ItemRef> out;
        for (const auto& e : list) {
            int g = 0;
            while (kGroups[g].key != e.first) ++g;
            out.push_back({g, e.second});
        }
        return out;
    };
    switch (purpose) {
        case 444:
        case 660:
            if (zone == Zone::Campus) return refs({{'C', 3}, {'C', 2}});
            return refs({{'C', 0}, {'C', 1}, {'C', 0}, {'C', 1}, {'C', 2}});
        case 555:
        case 661: return refs({{'D', 0}, {'D', 1}, {'D', 0}});
        case 888:
            return refs({{'A', 0}, {'A', 1}, {'A', 2}, {'A', 3}, {'A', 4}, {'A', 5}, {'B', 0}, {'B', 1}, {'E', 0}, {'E', 1},
                         {'F', 0}, {'F', 1}, {'F', 3}, {'H', 1}, {'M', 0}, {'D', 2}, {'J', 1}, {'I', 2}});
        case 461:
        case 659:
            // The offices of the works and the car services stand at the gates of the industrial
            // quarters; the sheds and warehouses behind them hold nothing to look up.
            if (zone == Zone::Industry) return refs({{'K', 0}, {'K', 1}, {'K', 2}, {'N', 0}, {'N', 1}, {'F', 2}, {'E', 0}});
            return refs({{'E', 0}, {'E', 2}, {'G', 0}, {'H', 0}, {'I', 0}, {'I', 1}, {'J', 0}, {'J', 2}, {'J', 3}, {'L', 0},
                         {'L', 1}, {'L', 2}, {'F', 1}, {'F', 2}, {'A', 0}, {'D', 2}});
        default:
            if (zone == Zone::Campus) return refs({{'G', 1}});
            return refs({{'A', 0}, {'A', 0}, {'A', 1}, {'A', 3}, {'A', 5}, {'B', 0}, {'B', 0}, {'E', 1}, {'F', 0}, {'F', 3},
                         {'H', 0}, {'H', 1}, {'M', 0}, {'M', 1}, {'M', 2}, {'M', 3}, {'D', 2}});
    }
}

// How many objects a building holds: the ground floors along the main streets hold the shops
// and offices, the side streets few.
int ObjectCount(const Building& b, int streetRank, Rng& rng) {
    bool mainStreet = streetRank <= 1;
    switch (b.purpose) {
        case 444:
        case 660:
        case 555:
        case 661: return 1;
        case 888: return rng.Between(3, 8);
        case 461:
        case 659: return rng.Chance(0.7) ? rng.Between(1, 3) : 0;
        case 413:
        case 657:
        case 777: return 0;
        default:
            // Flats: the old town's ground floors are shops and cafes all along its main streets
            // and on many of its side streets; the estates' slabs on the avenues have a shop or
            // two at the foot, and the tall ones behind a hairdresser or a chemist.
            if (b.zone == Zone::Centre) return rng.Chance(mainStreet ? 0.8 : 0.25) ? rng.Between(1, mainStreet ? 3 : 2) : 0;
            if (b.zone == Zone::Blocks) {
                if (mainStreet) return rng.Chance(0.7) ? rng.Between(1, 2) : 0;
                return rng.Chance(b.floors >= 9 ? 0.2 : 0.08) ? 1 : 0;
            }
            if (b.zone == Zone::Houses) return mainStreet && rng.Chance(0.12) ? 1 : 0;
            if (b.zone == Zone::Campus) return rng.Chance(0.5) ? 1 : 0;
            return 0;
    }
}

std::string Fill(const char* pattern, int number, Rng& rng) {
    std::string text = To1251(pattern);
    std::string out;
    for (char c : text) {
        if (c == '#') out += std::to_string(number);
        else if (c == '%') out += QuotedName(rng);
        else out.push_back(c);
    }
    return out;
}

const char* const kSigns[] = {
    "Памятник морякам-тихоокеанцам", "Памятник первым поселенцам", "Обелиск в честь основания города",
    "Памятник рыбакам", "Памятный знак «Якорь»", "Мемориальная доска", "Памятник портовикам",
    "Памятник строителям города", "Памятный камень", "Скульптура «Морячка»", "Памятник учителю",
    "Памятник лоцманам", "Стела «Морские ворота»", "Мемориал «Вечный огонь»", "Памятник китобоям",
    "Фонтан «Дельфины»", "Скульптура «Рыбачка»", "Памятник пограничникам", "Бюст капитана", "Маяк-памятник",
};

}  // namespace

void PlaceObjects(uint64_t seed, City& city) {
    Rng rng(seed, 1201);
    // The tree: each group line, then its items.
    for (const Group& g : kGroups) {
        city.themes.push_back({{g.key, '1'}, To1251(g.name)});
        for (int i = 0; i < 6 && g.items[i].name; ++i) {
            char second = static_cast<char>(i < 8 ? '2' + i : 'A' + i - 8);
            city.themes.push_back({{g.key, second}, To1251(g.items[i].name)});
        }
    }
    std::map<std::pair<int, int>, int> numbers;
    for (Building& b : city.buildings) {
        int rank = b.streetId >= 1 && b.streetId <= static_cast<int>(city.streets.size()) ? city.streets[b.streetId - 1].rank : 2;
        int count = ObjectCount(b, rank, rng);
        if (count == 0) {
            // Captions of buildings that hold nothing to search for.
            if (b.purpose == 413 && b.caption.empty())
                b.caption = rng.Chance(0.5) ? To1251("гаражи")
                                            : To1251("гаражный кооператив ") + QuotedName(rng);
            else if (b.purpose == 777 && b.caption.empty() && rng.Chance(0.5))
                b.caption = To1251("склад № ") + std::to_string(1 + rng.Below(90));
            continue;
        }
        std::vector<ItemRef> offer = Offer(b.purpose, b.zone);
        for (int k = 0; k < count; ++k) {
            ItemRef ref = offer[rng.Below(static_cast<int>(offer.size()))];
            const Item& item = kGroups[ref.group].items[ref.item];
            int patterns = 0;
            while (patterns < 3 && item.patterns[patterns]) ++patterns;
            int number = ++numbers[{ref.group, ref.item}];
            std::string name = Fill(item.patterns[rng.Below(patterns)], number, rng);
            if (LatinLength(name) > 64) continue;
            UserObject o;
            o.x = b.refX;
            o.y = b.refY;
            o.code[0] = kGroups[ref.group].key;
            o.code[1] = static_cast<char>('2' + ref.item);
            o.name = name;
            city.objects.push_back(o);
            // Schools, clinics and public buildings are known by their first tenant.
            bool named = b.purpose == 444 || b.purpose == 660 || b.purpose == 555 || b.purpose == 661 ||
                         ((b.purpose == 461 || b.purpose == 659) && rng.Chance(0.5));
            if (k == 0 && named && b.caption.empty() && LatinLength(name) <= 46) b.caption = name;
        }
        if (b.purpose == 888 && b.caption.empty()) {
            std::string caption = To1251("Торговый центр ") + QuotedName(rng);
            if (LatinLength(caption) <= 46) b.caption = caption;
        }
    }
    // Monuments and plaques by some of the public buildings.
    std::vector<const Building*> publicOnes;
    for (const Building& b : city.buildings)
        if (b.purpose == 461 || b.purpose == 659 || b.purpose == 888) publicOnes.push_back(&b);
    int signs = std::min<int>(90, static_cast<int>(publicOnes.size()));
    for (int i = 0; i < signs; ++i) {
        const Building* b = publicOnes[rng.Below(static_cast<int>(publicOnes.size()))];
        Sign s;
        s.id = 100 + i;
        s.a = 1 + rng.Below(3);
        s.b = 1905 + rng.Below(90);
        s.c = b->refX + rng.Between(-25, 25);
        s.d = b->refY + rng.Between(-25, 25);
        s.text = To1251(kSigns[rng.Below(static_cast<int>(sizeof kSigns / sizeof kSigns[0]))]);
        city.signs.push_back(s);
    }
}

}  // namespace citygen
