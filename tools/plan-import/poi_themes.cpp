#include "poi_themes.h"

#include <cstring>

namespace planimport {

namespace {

const PoiGroup kGroups[] = {
    {'A', "Магазины"},        {'B', "Аптеки и оптика"}, {'C', "Образование"},   {'D', "Медицина"},
    {'E', "Финансы"},         {'F', "Кафе и рестораны"}, {'G', "Гостиницы"},    {'H', "Почта и связь"},
    {'I', "Спорт"},           {'J', "Культура"},        {'K', "Транспорт"},     {'L', "Власть и порядок"},
    {'M', "Бытовые услуги"},  {'N', "Храмы"},
};

const PoiItem kItems[] = {
    {'A', '2', "Продукты"}, {'A', '3', "Одежда и обувь"}, {'A', '4', "Книги и канцтовары"},
    {'A', '5', "Хозяйственные товары"}, {'A', '6', "Электроника и связь"}, {'A', '7', "Цветы"},
    {'A', '8', "Другие магазины"},
    {'B', '2', "Аптеки"}, {'B', '3', "Оптика"},
    {'C', '2', "Школы"}, {'C', '3', "Детские сады"}, {'C', '4', "Колледжи"}, {'C', '5', "Вузы"},
    {'D', '2', "Поликлиники"}, {'D', '3', "Больницы"}, {'D', '4', "Стоматологии"}, {'D', '5', "Ветеринарные клиники"},
    {'E', '2', "Банки"}, {'E', '3', "Банкоматы"}, {'E', '4', "Обмен валюты и страхование"},
    {'F', '2', "Кафе"}, {'F', '3', "Рестораны"}, {'F', '4', "Быстрое питание"}, {'F', '5', "Бары"},
    {'G', '2', "Гостиницы"}, {'G', '3', "Хостелы"},
    {'H', '2', "Почтовые отделения"},
    {'I', '2', "Спортивные клубы"}, {'I', '3', "Бассейны и стадионы"},
    {'J', '2', "Театры"}, {'J', '3', "Кинотеатры"}, {'J', '4', "Музеи"}, {'J', '5', "Библиотеки"}, {'J', '6', "Галереи"},
    {'K', '2', "Автозаправки"}, {'K', '3', "Автосервисы"}, {'K', '4', "Автостоянки"}, {'K', '5', "Вокзалы и станции"},
    {'L', '2', "Администрация"}, {'L', '3', "Суды"}, {'L', '4', "Полиция"},
    {'M', '2', "Парикмахерские"}, {'M', '3', "Химчистки и прачечные"}, {'M', '4', "Ремонт и ателье"},
    {'N', '2', "Храмы"},
};

struct Rule {
    const char* key;
    const char* values;  // '|'-separated; "*" matches any value
    char group;
    char item;
};

// Tried in order: the first rule that matches names the item.
const Rule kRules[] = {
    {"amenity", "pharmacy", 'B', '2'},
    {"shop", "chemist|medical_supply", 'B', '2'},
    {"shop", "optician", 'B', '3'},
    {"amenity", "school", 'C', '2'},
    {"amenity", "kindergarten|childcare", 'C', '3'},
    {"amenity", "college", 'C', '4'},
    {"amenity", "university", 'C', '5'},
    {"amenity", "clinic|doctors", 'D', '2'},
    {"healthcare", "clinic|doctor|centre", 'D', '2'},
    {"amenity", "hospital", 'D', '3'},
    {"amenity", "dentist", 'D', '4'},
    {"amenity", "veterinary", 'D', '5'},
    {"amenity", "bank", 'E', '2'},
    {"amenity", "atm", 'E', '3'},
    {"amenity", "bureau_de_change", 'E', '4'},
    {"office", "insurance", 'E', '4'},
    {"amenity", "cafe|ice_cream", 'F', '2'},
    {"amenity", "restaurant|food_court", 'F', '3'},
    {"amenity", "fast_food", 'F', '4'},
    {"amenity", "bar|pub|biergarten", 'F', '5'},
    {"tourism", "hotel|motel", 'G', '2'},
    {"tourism", "hostel|guest_house|apartment", 'G', '3'},
    {"amenity", "post_office", 'H', '2'},
    {"leisure", "sports_centre|fitness_centre", 'I', '2'},
    {"leisure", "swimming_pool|stadium|ice_rink", 'I', '3'},
    {"amenity", "theatre", 'J', '2'},
    {"amenity", "cinema", 'J', '3'},
    {"tourism", "museum", 'J', '4'},
    {"amenity", "library", 'J', '5'},
    {"tourism", "gallery", 'J', '6'},
    {"amenity", "arts_centre", 'J', '6'},
    {"amenity", "fuel", 'K', '2'},
    {"shop", "car_repair|tyres|car", 'K', '3'},
    {"amenity", "car_wash|car_rental", 'K', '3'},
    {"amenity", "parking", 'K', '4'},
    {"amenity", "bus_station|ferry_terminal|taxi", 'K', '5'},
    {"railway", "station|halt", 'K', '5'},
    {"amenity", "townhall", 'L', '2'},
    {"office", "government", 'L', '2'},
    {"amenity", "courthouse", 'L', '3'},
    {"amenity", "police", 'L', '4'},
    {"shop", "hairdresser|beauty|cosmetics", 'M', '2'},
    {"shop", "laundry|dry_cleaning", 'M', '3'},
    {"shop", "tailor|shoe_repair|repair", 'M', '4'},
    {"craft", "tailor|shoemaker|watchmaker", 'M', '4'},
    {"amenity", "place_of_worship", 'N', '2'},
    {"shop", "supermarket|convenience|grocery|bakery|butcher|greengrocer|deli|confectionery|alcohol|beverages|seafood|dairy|farm",
     'A', '2'},
    {"shop", "clothes|shoes|fashion|boutique|bag|jewelry", 'A', '3'},
    {"shop", "books|stationery|newsagent", 'A', '4'},
    {"shop", "hardware|doityourself|houseware|furniture|paint|garden_centre", 'A', '5'},
    {"shop", "electronics|mobile_phone|computer|appliance", 'A', '6'},
    {"shop", "florist", 'A', '7'},
    {"shop", "*", 'A', '8'},
};

bool ValueMatches(const char* values, const char* value) {
    if (std::strcmp(values, "*") == 0) return true;
    const size_t n = std::strlen(value);
    const char* p = values;
    while (*p != '\0') {
        const char* bar = std::strchr(p, '|');
        const size_t len = bar != nullptr ? static_cast<size_t>(bar - p) : std::strlen(p);
        if (len == n && std::strncmp(p, value, n) == 0) return true;
        if (bar == nullptr) break;
        p = bar + 1;
    }
    return false;
}

}  // namespace

int PoiGroupCount() { return static_cast<int>(sizeof kGroups / sizeof kGroups[0]); }
const PoiGroup& PoiGroupAt(int index) { return kGroups[index]; }
int PoiItemCount() { return static_cast<int>(sizeof kItems / sizeof kItems[0]); }
const PoiItem& PoiItemAt(int index) { return kItems[index]; }

int ClassifyPoi(const TagLookup& tag) {
    for (const Rule& rule : kRules) {
        const char* value = tag(rule.key);
        if (value == nullptr || *value == '\0' || !ValueMatches(rule.values, value)) continue;
        for (int i = 0; i < PoiItemCount(); ++i)
            if (kItems[i].group == rule.group && kItems[i].item == rule.item) return i;
    }
    return -1;
}

}  // namespace planimport
