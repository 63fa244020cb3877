// Cyrillic-to-Latin transliteration and the small text routines shared by loading,
// searching and drawing.
#include "data/text.h"

#include <climits>
#include <cstring>

char g_translit_buf[kTranslitBufSize];

namespace {

// Second letter of a capital digraph: a capital when the next byte, as a signed byte, is
// below -32 (0x80..0xDF, i.e. a following capital Cyrillic letter), so that names written
// in capitals stay in capitals and capitalised words read naturally.
char RuleA(unsigned char next, char capital) {
    if (static_cast<signed char>(next) < -32) return capital;
    return static_cast<char>(capital - 'A' + 'a');
}

// Writes the Latin form of byte c (followed by next) into out; returns the number of bytes (1..3).
int TranslitByte(unsigned char c, unsigned char next, char out[3]) {
    // Single-letter forms of 0xC0..0xFF; 0 marks the letters that need more than one byte
    // or depend on the next byte.
    static const char kCapital[33] = "ABVGDE\0ZYJKLMNOPRSTU\0HC\0\0\0`I`E\0\0";
    static const char kSmall[33] = "abvgde\0zyjklmnoprstu\0hc\0\0\0`i`e\0\0";
    switch (c) {
        case 0x70: out[0] = 'r'; return 1;  // Latin p
        case 0xA8: out[0] = 'E'; return 1;  // Ё
        case 0xB8: out[0] = 'e'; return 1;  // ё
        case 0xC6: out[0] = 'Z'; out[1] = RuleA(next, 'H'); return 2;  // Ж
        case 0xC8: out[0] = next == 0xC9 ? 'I' : 'Y'; return 1;       // И
        case 0xD4: out[0] = 'P'; out[1] = RuleA(next, 'H'); return 2;  // Ф
        case 0xD7: out[0] = 'C'; out[1] = RuleA(next, 'H'); return 2;  // Ч
        case 0xD8: out[0] = 'S'; out[1] = RuleA(next, 'H'); return 2;  // Ш
        case 0xD9: out[0] = 'S'; out[1] = RuleA(next, 'H'); out[2] = '`'; return 3;  // Щ
        case 0xDE: out[0] = 'Y'; out[1] = RuleA(next, 'U'); return 2;  // Ю
        case 0xDF: out[0] = 'Y'; out[1] = RuleA(next, 'A'); return 2;  // Я
        case 0xE6: out[0] = 'z'; out[1] = 'h'; return 2;  // ж
        case 0xE8: out[0] = next == 0xE9 ? 'i' : 'y'; return 1;  // и
        case 0xF4: out[0] = 'p'; out[1] = 'h'; return 2;  // ф
        case 0xF7: out[0] = 'c'; out[1] = 'h'; return 2;  // ч
        case 0xF8: out[0] = 's'; out[1] = 'h'; return 2;  // ш
        case 0xF9: out[0] = 's'; out[1] = 'h'; out[2] = '`'; return 3;  // щ
        case 0xFE: out[0] = 'y'; out[1] = 'u'; return 2;  // ю
        case 0xFF: out[0] = 'y'; out[1] = 'a'; return 2;  // я
        default: break;
    }
    if (c >= 0xC0 && c <= 0xDF) {
        out[0] = kCapital[c - 0xC0];
        return 1;
    }
    if (c >= 0xE0) {
        out[0] = kSmall[c - 0xE0];
        return 1;
    }
    out[0] = static_cast<char>(c);
    return 1;
}

bool IsBlank(char c) { return c == ' '; }

bool IsTrailingSpace(char c) { return c == ' ' || c == '\r' || c == '\n' || c == '\t'; }

// The standard decimal conversion (leading white space, optional sign, digits), saturating
// instead of overflowing on absurdly long digit runs.
long long DecimalValue(const char* s) {
    while (*s == ' ' || (*s >= '\t' && *s <= '\r')) ++s;
    bool negative = false;
    if (*s == '-' || *s == '+') negative = *s++ == '-';
    long long v = 0;
    for (; IsDigitChar(*s); ++s) {
        if (v < LLONG_MAX / 10) v = v * 10 + (*s - '0');
        else v = LLONG_MAX;
    }
    return negative ? -v : v;
}

}  // namespace

void Transliterate(char* text, size_t fieldSize) {
    if (text == nullptr || fieldSize == 0) return;
    // The result must fit the caller's field and the work buffer, terminator included.
    size_t limit = fieldSize - 1;
    if (limit > kTranslitBufSize - 1) limit = kTranslitBufSize - 1;
    size_t len = 0;
    // The input is never read beyond the field, even when the field lacks its terminator.
    for (size_t i = 0; i < fieldSize && text[i] != '\0' && len < limit; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        unsigned char next = i + 1 < fieldSize ? static_cast<unsigned char>(text[i + 1]) : 0;
        char out[3];
        int n = TranslitByte(c, next, out);
        for (int k = 0; k < n && len < limit; ++k) g_translit_buf[len++] = out[k];
    }
    g_translit_buf[len] = '\0';
    std::memcpy(text, g_translit_buf, len + 1);
}

int TrimText(char* text) {
    if (text == nullptr) return 0;
    size_t start = 0;
    while (IsBlank(text[start])) ++start;
    size_t len = std::strlen(text + start);
    while (len > 0 && IsTrailingSpace(text[start + len - 1])) --len;
    std::memmove(text, text + start, len);
    text[len] = '\0';
    return static_cast<int>(len);
}

int IsDigitChar(char c) { return c >= '0' && c <= '9' ? 1 : 0; }

int NumberTextCheck(const char* text) {
    if (text == nullptr) return 0;
    static const char kNumeric[] = " 1234567890.-";
    int i = 0;
    while (text[i] == ' ') ++i;
    const int first = i;
    for (; text[i] != '\0'; ++i) {
        char c = text[i];
        bool ok = std::strchr(kNumeric, c) != nullptr;
        if ((c == ' ' || c == '-') && i != first) ok = false;
        if (!ok) return i + 1;
    }
    return 0;
}

int CompareHouseNumbers(const char* a, const char* b) {
    if (a == nullptr) a = "";
    if (b == nullptr) b = "";
    if (NumberTextCheck(a) == 0 && NumberTextCheck(b) == 0) {
        long long va = DecimalValue(a);
        long long vb = DecimalValue(b);
        return va > vb ? 1 : (va < vb ? -1 : 0);
    }
    while (*a != '\0' && *b != '\0') {
        if (IsDigitChar(*a) && IsDigitChar(*b)) {
            long long va = DecimalValue(a);
            long long vb = DecimalValue(b);
            if (va > vb) return 1;
            if (va < vb) return -1;
            while (IsDigitChar(*a) && *b != '\0') {
                ++a;
                ++b;
            }
            continue;
        }
        if (*a != *b) break;
        ++a;
        ++b;
    }
    if (*a == '\0') return *b == '\0' ? 0 : -1;
    if (*b == '\0') return 1;
    // Signed bytes: Cyrillic suffixes (0x80..0xFF) order before every ASCII character.
    return static_cast<signed char>(*a) > static_cast<signed char>(*b) ? 1 : -1;
}

void LowerText(char* text) {
    if (text == nullptr) return;
    // АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ and the same small letters, in the same order.
    static const char kCapitals[] =
        "\xC0\xC1\xC2\xC3\xC4\xC5\xA8\xC6\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF"
        "\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xD7\xD8\xD9\xDA\xDB\xDC\xDD\xDE\xDF";
    static const char kSmalls[] =
        "\xE0\xE1\xE2\xE3\xE4\xE5\xB8\xE6\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF"
        "\xF0\xF1\xF2\xF3\xF4\xF5\xF6\xF7\xF8\xF9\xFA\xFB\xFC\xFD\xFE\xFF";
    for (char* p = text; *p != '\0'; ++p) {
        if (*p >= 'A' && *p <= 'Z') *p = static_cast<char>(*p - 'A' + 'a');
        const char* found = std::strchr(kCapitals, *p);
        if (found != nullptr) *p = kSmalls[found - kCapitals];
    }
}
