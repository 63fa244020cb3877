#include "data/text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string Translit(const std::string& in) {
    std::vector<char> field(in.size() * 3 + 1, '\0');
    std::memcpy(field.data(), in.data(), in.size());
    Transliterate(field.data(), field.size());
    return std::string(field.data());
}

struct TranslitCase {
    const char* name;
    const char* in;
    const char* out;
};

TEST(Transliterate, LettersDigraphsAndRuleA) {
    const TranslitCase cases[] = {
        {"Shchuka", "\xD9\xF3\xEA\xE0", "Sh`uka"},                        // Щука
        {"SHCHUKA", "\xD9\xD3\xCA\xC0", "SH`UKA"},                        // ЩУКА
        {"shchi", "\xF9\xE8", "sh`y"},                                    // щи
        {"Ij", "\xC8\xE9", "Yj"},                                         // Ий
        {"IJ", "\xC8\xC9", "IJ"},                                         // ИЙ
        {"sinij", "\xF1\xE8\xED\xE8\xE9", "synij"},                       // синий
        {"Ivan", "\xC8\xE2\xE0\xED", "Yvan"},                             // Иван
        {"Elka", "\xA8\xEB\xEA\xE0", "Elka"},                             // Ёлка
        {"obezd", "\xEE\xE1\xFA\xE5\xE7\xE4", "ob`ezd"},                  // объезд
        {"latin p", "plan", "rlan"},
        {"latin P", "Plan", "Plan"},
        {"Zh at end", "\xC6", "Zh"},                                      // Ж
        {"ZHUK", "\xC6\xD3\xCA", "ZHUK"},                                 // ЖУК
        {"Zhuk", "\xC6\xF3\xEA", "Zhuk"},                                 // Жук
        {"capital before blank", "\xD4 \xD7", "Ph Ch"},                   // Ф Ч
        {"capital before ASCII", "\xD8" "A", "ShA"},                      // ШA
        {"capital before Yo", "\xD7\xA8", "CHE"},                         // ЧЁ
        {"YU then Ya", "\xDE\xDF", "YUYa"},                               // ЮЯ
        {"soft and hard signs", "\xDA\xDC\xFA\xFC", "````"},              // ЪЬъь
        {"other high bytes stay", "\x96\xAB\xB9", "\x96\xAB\xB9"},
        {"empty", "", ""},
        {"small alphabet",  // абвгдеёжзийклмнопрстуфхцчшщъыьэюя
         "\xE0\xE1\xE2\xE3\xE4\xE5\xB8\xE6\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF"
         "\xF0\xF1\xF2\xF3\xF4\xF5\xF6\xF7\xF8\xF9\xFA\xFB\xFC\xFD\xFE\xFF",
         "abvgdeezhzijklmnoprstuphhcchshsh``i`eyuya"},
        {"capital alphabet",  // АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ
         "\xC0\xC1\xC2\xC3\xC4\xC5\xA8\xC6\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF"
         "\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xD7\xD8\xD9\xDA\xDB\xDC\xDD\xDE\xDF",
         "ABVGDEEZHZIJKLMNOPRSTUPHHCCHSHSH``I`EYUYa"},
    };
    for (const TranslitCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Translit(c.in), c.out);
    }
}

TEST(Transliterate, NullAndZeroSizeAreIgnored) {
    Transliterate(nullptr, 10);
    char text[4] = "abc";
    Transliterate(text, 0);
    EXPECT_STREQ(text, "abc");
}

TEST(Transliterate, CutsAtTheCallersField) {
    // A 30-byte field holding 20 capital Щ: the 60-character result is cut to 29 characters.
    char field[40];
    std::memset(field, 'Q', sizeof field);
    std::memset(field, '\xD9', 20);
    field[20] = '\0';
    Transliterate(field, 30);
    std::string expected;
    for (int i = 0; i < 9; ++i) expected += "SH`";
    expected += "SH";
    EXPECT_EQ(std::string(field), expected);
    for (size_t i = 30; i < sizeof field; ++i) EXPECT_EQ(field[i], 'Q') << "byte " << i;

    char one[1] = {'\xC6'};  // Ж in a field with room for the terminator only
    Transliterate(one, 1);
    EXPECT_EQ(one[0], '\0');
}

TEST(Transliterate, CutsAtTheWorkBuffer) {
    // 200 small щ would give 600 characters; the work buffer holds 255.
    std::vector<char> field(700, '\0');
    std::memset(field.data(), '\xF9', 200);
    Transliterate(field.data(), field.size());
    std::string expected;
    for (int i = 0; i < 85; ++i) expected += "sh`";
    EXPECT_EQ(std::string(field.data()), expected);
}

TEST(Transliterate, NeverReadsBeyondAnUnterminatedField) {
    // Exactly four bytes on the heap, no terminator: the sanitizer catches any read past them.
    std::vector<char> field = {'\xC6', '\xC6', '\xC6', '\xC6'};  // ЖЖЖЖ
    Transliterate(field.data(), field.size());
    EXPECT_EQ(std::string(field.data()), "ZHZ");
}

struct TrimCase {
    const char* name;
    const char* in;
    const char* out;
    int length;
};

TEST(TrimText, RemovesLeadingBlanksAndTrailingWhiteSpace) {
    const TrimCase cases[] = {
        {"both ends", "  ab c \r\n", "ab c", 4},
        {"lone tab", "\t", "", 0},
        {"leading tab kept", "\tab", "\tab", 3},
        {"only blanks", "   ", "", 0},
        {"empty", "", "", 0},
        {"nothing to trim", "abc", "abc", 3},
        {"trailing mixture", "x \t\r\n \t", "x", 1},
    };
    for (const TrimCase& c : cases) {
        SCOPED_TRACE(c.name);
        char buf[32];
        std::strcpy(buf, c.in);
        EXPECT_EQ(TrimText(buf), c.length);
        EXPECT_STREQ(buf, c.out);
    }
}

TEST(IsDigitChar, OnlyAsciiDigits) {
    EXPECT_EQ(IsDigitChar('0'), 1);
    EXPECT_EQ(IsDigitChar('9'), 1);
    EXPECT_EQ(IsDigitChar('/'), 0);
    EXPECT_EQ(IsDigitChar(':'), 0);
    EXPECT_EQ(IsDigitChar('\xB9'), 0);  // №
}

struct NumberCase {
    const char* in;
    int result;
};

TEST(NumberTextCheck, PositionOfFirstNonNumericCharacter) {
    const NumberCase cases[] = {
        {"-12", 0}, {"1.5", 0}, {"  7", 0}, {"12 ", 3}, {"1a", 2},  {"", 0},
        {"   ", 0}, {"1-2", 2}, {" -5", 0}, {"- 5", 2}, {"a", 1},   {"  x", 3},
        {"1.2.3", 0}, {"12\xE0", 3},  // 12а
    };
    for (const NumberCase& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.in + "\"");
        EXPECT_EQ(NumberTextCheck(c.in), c.result);
    }
}

struct CompareCase {
    const char* a;
    const char* b;
    int result;
};

TEST(CompareHouseNumbers, OrdersNumbersAndSuffixes) {
    const CompareCase cases[] = {
        {"12", "012", 0},
        {"12\xE0", "12b", -1},  // 12а: Cyrillic suffixes come before Latin ones
        {"2", "12", -1},
        {"12", "2", 1},
        {"12", "12a", -1},
        {"12a", "12", 1},
        {"9a", "10", -1},
        {"12a", "12b", -1},
        {"12b", "12a", 1},
        {"12a", "12a", 0},
        {"12/1", "12/2", -1},
        {"12/10", "12/9", 1},
        {"", "", 0},
        {"a", "", 1},
        {"", "a", -1},
        {"-3", "2", -1},
        {"99999999999999999999999", "1", 1},
    };
    for (const CompareCase& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
        EXPECT_EQ(CompareHouseNumbers(c.a, c.b), c.result);
    }
}

TEST(LowerText, AsciiAndCyrillicCapitals) {
    const TranslitCase cases[] = {
        {"ascii", "ABC xyz 12", "abc xyz 12"},
        {"cyrillic", "\xD9\xD3\xCA\xC0 \xA8\xEB\xEA\xE0", "\xF9\xF3\xEA\xE0 \xB8\xEB\xEA\xE0"},  // ЩУКА Ёлка
        {"edges of the alphabet", "Ab\xC0\xDF\xE0", "ab\xE0\xFF\xE0"},                         // АЯа
        {"other bytes stay", "\x96\xAB\xB9", "\x96\xAB\xB9"},
    };
    for (const TranslitCase& c : cases) {
        SCOPED_TRACE(c.name);
        char buf[32];
        std::strcpy(buf, c.in);
        LowerText(buf);
        EXPECT_STREQ(buf, c.out);
    }
}

}  // namespace
