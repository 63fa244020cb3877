#include "names.h"

#include <algorithm>
#include <cstring>

#include "city.h"
#include "data/text.h"

namespace citygen {

namespace {

// Adjectives in their feminine form and how the masculine one ends:
// 'o' Морская/Морской, 'y' Светлая/Светлый, 'i' Тихая/Тихий, 's' Синяя/Синий.
struct Adjective {
    const char* feminine;
    char masculine;
};

const Adjective kAdjectives[] = {
    {"Морская", 'o'}, {"Портовая", 'y'}, {"Лесная", 'o'}, {"Садовая", 'y'}, {"Светлая", 'y'},
    {"Зелёная", 'y'}, {"Солнечная", 'y'}, {"Береговая", 'o'}, {"Речная", 'o'}, {"Полевая", 'o'},
    {"Луговая", 'o'}, {"Озёрная", 'y'}, {"Ключевая", 'o'}, {"Кедровая", 'y'}, {"Сосновая", 'y'},
    {"Берёзовая", 'y'}, {"Рябиновая", 'y'}, {"Тополиная", 'y'}, {"Липовая", 'y'}, {"Дубовая", 'y'},
    {"Ореховая", 'y'}, {"Вишнёвая", 'y'}, {"Сиреневая", 'y'}, {"Черёмуховая", 'y'}, {"Каменная", 'y'},
    {"Песчаная", 'y'}, {"Гранитная", 'y'}, {"Школьная", 'y'}, {"Студенческая", 'i'}, {"Рабочая", 'i'},
    {"Заводская", 'o'}, {"Фабричная", 'y'}, {"Рыбацкая", 'i'}, {"Матросская", 'i'}, {"Флотская", 'i'},
    {"Якорная", 'y'}, {"Парусная", 'y'}, {"Корабельная", 'y'}, {"Маячная", 'y'}, {"Штормовая", 'o'},
    {"Приморская", 'i'}, {"Нагорная", 'y'}, {"Овражная", 'y'}, {"Подгорная", 'y'}, {"Верхняя", 's'},
    {"Нижняя", 's'}, {"Средняя", 's'}, {"Дальняя", 's'}, {"Синяя", 's'}, {"Утренняя", 's'},
    {"Вечерняя", 's'}, {"Летняя", 's'}, {"Зимняя", 's'}, {"Весенняя", 's'}, {"Осенняя", 's'},
    {"Северная", 'y'}, {"Южная", 'y'}, {"Восточная", 'y'}, {"Западная", 'y'}, {"Тихая", 'i'},
    {"Широкая", 'i'}, {"Высокая", 'i'}, {"Глубокая", 'i'}, {"Короткая", 'i'}, {"Длинная", 'y'},
    {"Кривая", 'o'}, {"Прямая", 'o'}, {"Новая", 'y'}, {"Старая", 'y'}, {"Молодёжная", 'y'},
    {"Спортивная", 'y'}, {"Театральная", 'y'}, {"Цветочная", 'y'}, {"Почтовая", 'y'}, {"Вокзальная", 'y'},
    {"Трамвайная", 'y'}, {"Фонтанная", 'y'}, {"Базарная", 'y'}, {"Торговая", 'y'}, {"Банковская", 'i'},
    {"Госпитальная", 'y'}, {"Аптечная", 'y'}, {"Мельничная", 'y'}, {"Кузнечная", 'y'}, {"Гончарная", 'y'},
    {"Столярная", 'y'}, {"Плотницкая", 'i'}, {"Малярная", 'y'}, {"Сапёрная", 'y'}, {"Пограничная", 'y'},
    {"Уральская", 'i'}, {"Сибирская", 'i'}, {"Амурская", 'i'}, {"Байкальская", 'i'}, {"Охотская", 'i'},
    {"Камчатская", 'i'}, {"Курильская", 'i'}, {"Алтайская", 'i'}, {"Таёжная", 'y'}, {"Степная", 'o'},
    {"Горная", 'y'}, {"Скалистая", 'y'}, {"Каменистая", 'y'}, {"Туманная", 'y'}, {"Ветреная", 'y'},
    {"Снежная", 'y'}, {"Морозная", 'y'}, {"Радужная", 'y'}, {"Звёздная", 'y'}, {"Лунная", 'y'},
    {"Янтарная", 'y'}, {"Жемчужная", 'y'}, {"Коралловая", 'y'}, {"Изумрудная", 'y'}, {"Серебряная", 'y'},
    {"Золотая", 'o'}, {"Лазурная", 'y'}, {"Бирюзовая", 'y'}, {"Голубая", 'o'}, {"Красная", 'y'},
    {"Белая", 'y'}, {"Мирная", 'y'}, {"Дружная", 'y'}, {"Весёлая", 'y'}, {"Добрая", 'y'},
    {"Славная", 'y'}, {"Вольная", 'y'}, {"Ясная", 'y'}, {"Чистая", 'y'}, {"Кленовая", 'y'},
    {"Еловая", 'y'}, {"Пихтовая", 'y'}, {"Хвойная", 'y'}, {"Ольховая", 'y'}, {"Калиновая", 'y'},
    {"Малиновая", 'y'}, {"Брусничная", 'y'}, {"Черничная", 'y'}, {"Грибная", 'o'}, {"Ягодная", 'y'},
    {"Медовая", 'y'}, {"Ландышевая", 'y'}, {"Ромашковая", 'y'}, {"Васильковая", 'y'}, {"Виноградная", 'y'},
    {"Абрикосовая", 'y'}, {"Персиковая", 'y'}, {"Пионерская", 'i'}, {"Октябрьская", 'i'}, {"Майская", 'i'},
    {"Апрельская", 'i'}, {"Трудовая", 'o'}, {"Колхозная", 'y'}, {"Шахтёрская", 'i'}, {"Строительная", 'y'},
    {"Монтажная", 'y'}, {"Техническая", 'i'}, {"Научная", 'y'}, {"Университетская", 'i'},
    {"Академическая", 'i'}, {"Библиотечная", 'y'}, {"Музейная", 'y'}, {"Соборная", 'y'}, {"Слободская", 'o'},
    {"Посадская", 'i'}, {"Городская", 'o'}, {"Сельская", 'i'}, {"Дачная", 'y'}, {"Огородная", 'y'},
    {"Окружная", 'o'}, {"Кольцевая", 'o'}, {"Обводная", 'y'}, {"Островная", 'o'}, {"Заливная", 'o'},
    {"Бухтовая", 'y'}, {"Прибрежная", 'y'}, {"Волновая", 'o'}, {"Причальная", 'y'}, {"Лоцманская", 'i'},
    {"Шкиперская", 'i'}, {"Адмиральская", 'i'}, {"Капитанская", 'i'}, {"Океанская", 'i'}, {"Тихоокеанская", 'i'},
    {"Владивостокская", 'i'}, {"Хабаровская", 'i'}, {"Сахалинская", 'i'}, {"Магаданская", 'i'}, {"Иркутская", 'i'},
    {"Красноярская", 'i'}, {"Томская", 'i'}, {"Омская", 'i'}, {"Новгородская", 'i'}, {"Московская", 'i'},
    {"Ленинградская", 'i'}, {"Киевская", 'i'}, {"Одесская", 'i'}, {"Севастопольская", 'i'}, {"Черноморская", 'i'},
    {"Балтийская", 'i'}, {"Беломорская", 'i'}, {"Мурманская", 'i'}, {"Архангельская", 'i'}, {"Ладожская", 'i'},
    {"Онежская", 'i'}, {"Волжская", 'i'}, {"Донская", 'o'}, {"Енисейская", 'i'}, {"Ленская", 'i'},
    {"Кузнецкая", 'i'}, {"Слесарная", 'y'}, {"Токарная", 'y'}, {"Ткацкая", 'i'}, {"Бондарная", 'y'},
    {"Сетевязальная", 'y'}, {"Канатная", 'y'}, {"Судоремонтная", 'y'}, {"Котельная", 'y'}, {"Кирпичная", 'y'},
    {"Лесопильная", 'y'}, {"Рыбоконсервная", 'y'}, {"Элеваторная", 'y'}, {"Депутатская", 'i'}, {"Коммунальная", 'y'},
    {"Пожарная", 'y'}, {"Аэродромная", 'y'}, {"Гаражная", 'y'}, {"Складская", 'o'}, {"Товарная", 'y'},
};

// Names that follow the word "street" in the genitive: people and things.
const char* const kGenitives[] = {
    "Пушкина", "Лермонтова", "Гоголя", "Толстого", "Чехова", "Тургенева", "Некрасова", "Крылова",
    "Жуковского", "Державина", "Ломоносова", "Менделеева", "Попова", "Циолковского", "Королёва", "Гагарина",
    "Титова", "Терешковой", "Чкалова", "Нахимова", "Ушакова", "Макарова", "Беринга", "Крузенштерна",
    "Лазарева", "Невельского", "Арсеньева", "Пржевальского", "Семёнова", "Суворова", "Кутузова", "Багратиона",
    "Шолохова", "Горького", "Маяковского", "Есенина", "Блока", "Фадеева", "Куприна", "Бунина",
    "Пришвина", "Паустовского", "Глинки", "Чайковского", "Мусоргского", "Репина", "Сурикова", "Шишкина",
    "Айвазовского", "Левитана", "Васнецова", "Павлова", "Пирогова", "Сеченова", "Вавилова", "Курчатова",
    "Мичурина", "Тимирязева", "Докучаева", "Гончарова", "Островского", "Грибоедова", "Радищева", "Карамзина",
    "Кольцова", "Никитина", "Тютчева", "Аксакова", "Даля", "Лескова", "Короленко", "Станюковича",
    "Мира", "Победы", "Свободы", "Дружбы", "Надежды", "Труда", "Славы", "Юности",
    "Весны", "Рыбаков", "Моряков", "Строителей", "Энергетиков", "Геологов", "Металлистов", "Связистов",
    "Пограничников", "Партизан", "Космонавтов", "Лётчиков", "Водников", "Судостроителей", "Учителей", "Врачей",
    "Студентов", "Пионеров", "Шкиперов", "Лоцманов", "Китобоев", "Полярников", "Таможенников", "Портовиков",
    "Фрунзе", "Щорса", "Лазо", "Чапаева", "Котовского", "Кирова", "Калинина", "Дзержинского",
    "Хабарова", "Дежнёва", "Муравьёва-Амурского", "Венюкова", "Пастера", "Ботевой", "Жуковой", "Ахматовой",
    "Цветаевой", "Ковалевской", "Мусы Джалиля", "Шевченко", "Руставели", "Абая", "Низами", "Навои",
    "Рыбников", "Сталеваров", "Нефтяников", "Шахтёров", "Текстильщиков", "Железнодорожников", "Автомобилистов",
    "Монтажников", "Печатников", "Речников", "Грузчиков", "Докеров", "Маячников", "Бондарей", "Сплавщиков",
    "Ветеранов", "Героев", "Добровольцев", "Ополченцев", "Десантников", "Подводников", "Катерников", "Штурманов",
    "Парижской Коммуны", "Красной Звезды", "Первого Мая", "Восьмого Марта", "Девятого Января", "Лётчика Бабушкина",
    "Капитана Воронина", "Адмирала Макарова", "Адмирала Фокина", "Маршала Жукова", "Генерала Карбышева", "Академика Павлова",
};

const char* const kPlaceNames[] = {
    "Маяк", "Рыбачий", "Тихий Ключ", "Кедровая Падь", "Светлая Поляна", "Морской Городок", "Нагорье",
    "Слободка", "Заводской", "Угловое", "Дальний Мыс", "Каменка", "Берёзовка", "Сосновка", "Солнечный",
    "Вокзальный", "Портовый", "Чайка", "Якорный", "Парусный", "Ключевой", "Зелёный Угол", "Студгородок",
    "Весенний", "Луговой", "Орлиное Гнездо", "Крутой Яр", "Сопка Ветров", "Мыс Бурный", "Голубиная Падь",
    "Речной", "Озёрный", "Лесной", "Северный Посёлок", "Южный Берег", "Старый Город", "Новый Город",
    "Рябиновка", "Ольховка", "Черёмушки", "Заречье", "Подгорье", "Пограничный", "Кирпичный", "Рыбный Порт",
    "Гавань", "Холмы", "Первая Бухта", "Вторая Бухта", "Тихая Бухта", "Кедровка", "Островок",
    "Академгородок", "Лазурный", "Янтарный", "Морская Слобода", "Баркасная", "Ветряк", "Тайгинка",
    "Снежная Падь", "Светлый Ручей", "Ясеневый", "Канатный", "Причальный",
};

const char* const kQuotedWords[] = {
    "Ромашка", "Берёзка", "Уют", "Радуга", "Чайка", "Парус", "Волна", "Маяк", "Якорь", "Бриз",
    "Океан", "Восток", "Заря", "Рассвет", "Огонёк", "Весна", "Лето", "Калинка", "Рябинка", "Солнышко",
    "Надежда", "Удача", "Фортуна", "Престиж", "Визит", "Гармония", "Эдельвейс", "Незабудка", "Василёк",
    "Колосок", "Каравай", "Семейный", "Домашний", "Северный", "Южный", "Приморье", "Жемчужина", "Янтарь",
    "Кристалл", "Аврора", "Нептун", "Прибой", "Шторм", "Бригантина", "Фрегат", "Адмирал", "Капитан",
    "Юнга", "Лоцман", "Причал", "Гавань", "Мечта", "Сказка", "Улыбка", "Встреча", "Берег", "Лукоморье",
    "Тайга", "Кедр", "Сопка", "Бухта", "Компас", "Штурман", "Глобус", "Меридиан", "Полюс", "Айсберг",
};

template <typename T, size_t N>
constexpr int Count(const T (&)[N]) {
    return static_cast<int>(N);
}

// Forms of an adjective: 0 feminine, 1 masculine, 2 neuter. The endings are two letters of the
// UTF-8 text (two bytes each).
std::string AdjectiveForm(const Adjective& a, int gender) {
    std::string fem = a.feminine;
    std::string stem = fem.substr(0, fem.size() - 4);
    bool soft = a.masculine == 's';
    if (gender == 0) return fem;
    if (gender == 2) return stem + (soft ? "ее" : "ое");
    switch (a.masculine) {
        case 'o': return stem + "ой";
        case 'y': return stem + "ый";
        default: return stem + "ий";
    }
}

struct KindWord {
    int kind;
    const char* word;
    int gender;  // of the word, which the adjective follows
};

const KindWord kKindWords[] = {
    {kKindStreet, "ул.", 0},      {kKindAvenue, "пр-т", 1},  {kKindLane, "пер.", 1},
    {kKindEmbankment, "наб.", 0}, {kKindHighway, "ш.", 2},   {kKindPassage, "пр-д", 1},
    {kKindBoulevard, "б-р", 1},   {kKindRoad, "дорога", 0},  {kKindPlanned, "ул.", 0},
};

const KindWord& WordOf(int kind) {
    for (const KindWord& w : kKindWords)
        if (w.kind == kind) return w;
    return kKindWords[0];
}

const char* Ordinal(int gender) { return gender == 0 ? "-я" : gender == 1 ? "-й" : "-е"; }

bool Fits(const std::string& cp1251) { return cp1251.size() <= 29 && LatinLength(cp1251) <= 29; }

}  // namespace

std::string To1251(const std::string& utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            ++i;
            continue;
        }
        unsigned code = 0;
        int extra = 0;
        if ((c & 0xE0) == 0xC0) code = c & 0x1F, extra = 1;
        else if ((c & 0xF0) == 0xE0) code = c & 0x0F, extra = 2;
        else code = c & 0x07, extra = 3;
        for (int k = 1; k <= extra && i + k < utf8.size(); ++k) code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += 1 + extra;
        unsigned char b = '?';
        if (code >= 0x410 && code <= 0x44F) b = static_cast<unsigned char>(0xC0 + (code - 0x410));
        else if (code == 0x401) b = 0xA8;  // Ё
        else if (code == 0x451) b = 0xB8;  // ё
        else if (code == 0x2116) b = 0xB9;  // №
        else if (code == 0xAB) b = 0xAB;    // «
        else if (code == 0xBB) b = 0xBB;    // »
        else if (code == 0x2014) b = 0x97;  // —
        out.push_back(static_cast<char>(b));
    }
    return out;
}

size_t LatinLength(const std::string& cp1251) {
    char buf[kTranslitBufSize] = {0};
    std::strncpy(buf, cp1251.c_str(), sizeof buf - 1);
    Transliterate(buf, sizeof buf);
    return std::strlen(buf);
}

std::string LatinKey(const std::string& cp1251) {
    char buf[kTranslitBufSize] = {0};
    std::strncpy(buf, cp1251.c_str(), sizeof buf - 1);
    Transliterate(buf, sizeof buf);
    LowerText(buf);
    return buf;
}

StreetNamer::StreetNamer(uint64_t seed) : rng_(seed, 707) {}

std::string StreetNamer::Try(int kind, int rank) {
    const KindWord& word = WordOf(kind);
    std::string base;
    // Main streets are mostly named after people and grand things, side streets after places,
    // trees and trades.
    bool genitive = rng_.Chance(rank <= 1 ? 0.5 : 0.25);
    if (kind == kKindRoad) genitive = false;
    if (genitive) base = kGenitives[rng_.Below(Count(kGenitives))];
    else base = AdjectiveForm(kAdjectives[rng_.Below(Count(kAdjectives))], word.gender);
    std::string name = base + " " + word.word;
    // Side streets of one name are told apart by number, as in "Морская 2-я ул.".
    if (!genitive && rank >= 2 && kind != kKindRoad && kind != kKindPlanned && rng_.Chance(0.08))
        name = base + " " + std::to_string(1 + rng_.Below(4)) + Ordinal(word.gender) + " " + word.word;
    if (kind == kKindPlanned) name = "Проектная " + std::to_string(1 + rng_.Below(12)) + "-я ул.";
    return To1251(name);
}

std::string StreetNamer::Next(int kind, int rank) {
    for (int attempt = 0; attempt < 400; ++attempt) {
        std::string name = Try(kind, rank);
        if (attempt >= 40) {
            // Numbered streets of one name, "Морская 2-я ул."; names of people are not numbered.
            const KindWord& word = WordOf(kind);
            std::string plain = AdjectiveForm(kAdjectives[rng_.Below(Count(kAdjectives))], word.gender);
            name = To1251(plain + " " + std::to_string(2 + rng_.Below(6)) + Ordinal(word.gender) + " " + word.word);
        }
        if (!Fits(name) || used_.count(name)) continue;
        // Now and then a street keeps its former name after a slash.
        if (rank >= 2 && kind != kKindPlanned && rng_.Chance(0.03)) {
            std::string former = To1251(AdjectiveForm(kAdjectives[rng_.Below(Count(kAdjectives))], WordOf(kind).gender));
            std::string withFormer = name + "/" + former;
            if (Fits(withFormer)) {
                used_.insert(name);
                name = withFormer;
            }
        }
        used_.insert(name);
        return name;
    }
    // Cannot happen with the lists above; keep a unique name all the same.
    std::string fallback = To1251("Безымянная ") + std::to_string(used_.size());
    used_.insert(fallback);
    return fallback;
}

std::string StreetNamer::Bridge() {
    std::string name = To1251("Островной мост");
    used_.insert(name);
    return name;
}

std::vector<std::string> PlaceNames(uint64_t seed, int count) {
    Rng rng(seed, 808);
    std::vector<std::string> all;
    for (const char* n : kPlaceNames) all.push_back(To1251(n));
    for (int i = static_cast<int>(all.size()) - 1; i > 0; --i) std::swap(all[i], all[rng.Below(i + 1)]);
    if (count <= 0) return all;
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i) {
        std::string name = all[i % all.size()];
        if (i >= static_cast<int>(all.size())) {
            name += ' ';
            name += std::to_string(1 + i / static_cast<int>(all.size()));
        }
        out.push_back(name);
    }
    return out;
}

std::string QuotedName(Rng& rng) { return To1251(std::string("«") + kQuotedWords[rng.Below(Count(kQuotedWords))] + "»"); }

}  // namespace citygen
