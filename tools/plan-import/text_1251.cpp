#include "text_1251.h"

#include <algorithm>
#include <cstring>

#include "names.h"

namespace planimport {

namespace {

// Russian letters by their place in А..я (0..63): the Windows-1251 byte is 0xC0 + place.
constexpr unsigned char Ru(int place) { return static_cast<unsigned char>(0xC0 + place); }
enum : int { kA = 0, kB, kV, kG, kD, kE, kZh, kZ, kI, kJ, kK, kL, kM, kN, kO, kP, kR, kS, kT, kU, kF, kH, kC, kCh, kSh, kShch,
             kHard, kY, kSoft, kEh, kYu, kYa };
constexpr int kSmall = 32;

struct Mapping {
    char32_t code;
    unsigned char byte;
};

// Cyrillic letters of other languages: the Russian letter the viewer spells alike.
const Mapping kOtherCyrillic[] = {
    {0x0406, Ru(kY)},          {0x0456, Ru(kY + kSmall)},   // І і  -> Ы ы (spelled I i)
    {0x0407, Ru(kY)},          {0x0457, Ru(kY + kSmall)},   // Ї ї
    {0x0404, Ru(kE)},          {0x0454, Ru(kE + kSmall)},   // Є є
    {0x0490, Ru(kG)},          {0x0491, Ru(kG + kSmall)},   // Ґ ґ
    {0x040E, Ru(kU)},          {0x045E, Ru(kU + kSmall)},   // Ў ў
    {0x04D8, Ru(kA)},          {0x04D9, Ru(kA + kSmall)},   // Ә ә
    {0x0492, Ru(kG)},          {0x0493, Ru(kG + kSmall)},   // Ғ ғ
    {0x049A, Ru(kK)},          {0x049B, Ru(kK + kSmall)},   // Қ қ
    {0x04A2, Ru(kN)},          {0x04A3, Ru(kN + kSmall)},   // Ң ң
    {0x04E8, Ru(kO)},          {0x04E9, Ru(kO + kSmall)},   // Ө ө
    {0x04B0, Ru(kU)},          {0x04B1, Ru(kU + kSmall)},   // Ұ ұ
    {0x04AE, Ru(kU)},          {0x04AF, Ru(kU + kSmall)},   // Ү ү
    {0x04BA, Ru(kH)},          {0x04BB, Ru(kH + kSmall)},   // Һ һ
    {0x0402, Ru(kD)},          {0x0452, Ru(kD + kSmall)},   // Ђ ђ
    {0x0403, Ru(kG)},          {0x0453, Ru(kG + kSmall)},   // Ѓ ѓ
    {0x0408, Ru(kJ)},          {0x0458, Ru(kJ + kSmall)},   // Ј ј
    {0x0409, Ru(kL)},          {0x0459, Ru(kL + kSmall)},   // Љ љ
    {0x040A, Ru(kN)},          {0x045A, Ru(kN + kSmall)},   // Њ њ
    {0x040B, Ru(kCh)},         {0x045B, Ru(kCh + kSmall)},  // Ћ ћ
    {0x040C, Ru(kK)},          {0x045C, Ru(kK + kSmall)},   // Ќ ќ
    {0x040F, Ru(kD)},          {0x045F, Ru(kD + kSmall)},   // Џ џ
    {0x0405, Ru(kZ)},          {0x0455, Ru(kZ + kSmall)},   // Ѕ ѕ
    {0x0401, 0xA8},            {0x0451, 0xB8},              // Ё ё
};

// Punctuation the code page has.
const Mapping kPunctuation[] = {
    {0x00A0, ' '},  {0x00AB, 0xAB}, {0x00BB, 0xBB}, {0x2116, 0xB9}, {0x2013, 0x96}, {0x2014, 0x97},
    {0x2018, 0x91}, {0x2019, 0x92}, {0x201C, 0x93}, {0x201D, 0x94}, {0x201E, 0x84}, {0x2026, 0x85},
    {0x00B0, 0xB0}, {0x00B7, 0xB7}, {0x00A7, 0xA7}, {0x00A9, 0xA9}, {0x00AE, 0xAE}, {0x00B1, 0xB1},
    {0x2022, 0x95}, {0x20AC, 0x88}, {0x2122, 0x99}, {0x00B5, 0xB5}, {0x00B6, 0xB6},
};

// Latin-1 Supplement and Latin Extended-A (U+00C0..U+017F): the base letter of each, or a pair.
const char* const kLatin[] = {
    // U+00C0
    "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I", "I",
    "D", "N", "O", "O", "O", "O", "O", "x", "O", "U", "U", "U", "U", "Y", "TH", "ss",
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",
    "d", "n", "o", "o", "o", "o", "o", "/", "o", "u", "u", "u", "u", "y", "th", "y",
    // U+0100
    "A", "a", "A", "a", "A", "a", "C", "c", "C", "c", "C", "c", "C", "c", "D", "d",
    "D", "d", "E", "e", "E", "e", "E", "e", "E", "e", "E", "e", "G", "g", "G", "g",
    "G", "g", "G", "g", "H", "h", "H", "h", "I", "i", "I", "i", "I", "i", "I", "i",
    "I", "i", "IJ", "ij", "J", "j", "K", "k", "k", "L", "l", "L", "l", "L", "l", "L",
    "l", "L", "l", "N", "n", "N", "n", "N", "n", "n", "N", "n", "O", "o", "O", "o",
    "O", "o", "OE", "oe", "R", "r", "R", "r", "R", "r", "S", "s", "S", "s", "S", "s",
    "S", "s", "T", "t", "T", "t", "T", "t", "U", "u", "U", "u", "U", "u", "U", "u",
    "U", "u", "U", "u", "W", "w", "Y", "y", "Y", "Z", "z", "Z", "z", "Z", "z", "s",
};

const char* Lookup(const Mapping* table, size_t n, char32_t code, unsigned char* byte) {
    for (size_t i = 0; i < n; ++i)
        if (table[i].code == code) {
            *byte = table[i].byte;
            return "";
        }
    return nullptr;
}

void Append(std::string& out, char32_t code) {
    if (code < 0x20 || code == 0x7F) {
        out.push_back(' ');
        return;
    }
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
        return;
    }
    if (code >= 0x0410 && code <= 0x044F) {
        out.push_back(static_cast<char>(0xC0 + (code - 0x0410)));
        return;
    }
    unsigned char byte = 0;
    if (Lookup(kOtherCyrillic, sizeof kOtherCyrillic / sizeof kOtherCyrillic[0], code, &byte) ||
        Lookup(kPunctuation, sizeof kPunctuation / sizeof kPunctuation[0], code, &byte)) {
        out.push_back(static_cast<char>(byte));
        return;
    }
    if (code >= 0x00C0 && code <= 0x017F) {
        out += kLatin[code - 0x00C0];
        return;
    }
    if (code == 0x0218 || code == 0x015E) { out.push_back('S'); return; }  // Ș
    if (code == 0x0219 || code == 0x015F) { out.push_back('s'); return; }
    if (code == 0x021A) { out.push_back('T'); return; }  // Ț
    if (code == 0x021B) { out.push_back('t'); return; }
    if (code == 0x2010 || code == 0x2011 || code == 0x2012 || code == 0x2212) { out.push_back('-'); return; }
    if (code >= 0x2000 && code <= 0x200A) { out.push_back(' '); return; }
    if (code == 0x200B || code == 0x200C || code == 0x200D || code == 0xFEFF || code == 0x00AD) return;  // invisible
    out.push_back('?');
}

}  // namespace

std::string Utf8To1251(const std::string& utf8) {
    std::string out;
    const size_t n = utf8.size();
    size_t i = 0;
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            Append(out, c);
            ++i;
            continue;
        }
        int extra = 0;
        char32_t code = 0;
        char32_t least = 0;
        if ((c & 0xE0) == 0xC0) extra = 1, code = c & 0x1F, least = 0x80;
        else if ((c & 0xF0) == 0xE0) extra = 2, code = c & 0x0F, least = 0x800;
        else if ((c & 0xF8) == 0xF0) extra = 3, code = c & 0x07, least = 0x10000;
        else {
            out.push_back('?');  // a stray continuation byte or an impossible lead byte
            ++i;
            continue;
        }
        bool ok = true;
        for (int k = 1; ok && k <= extra; ++k) {
            if (i + k >= n) {
                ok = false;
                break;
            }
            const unsigned char d = static_cast<unsigned char>(utf8[i + k]);
            if ((d & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            code = (code << 6) | (d & 0x3F);
        }
        if (!ok || code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            out.push_back('?');
            ++i;  // resynchronise on the next byte
            continue;
        }
        Append(out, code);
        i += 1 + extra;
    }
    return out;
}

std::string CutToLatin(const std::string& cp1251, size_t latinLimit) {
    std::string s = cp1251.substr(0, std::min(cp1251.size(), latinLimit));
    while (!s.empty() && citygen::LatinLength(s) > latinLimit) s.pop_back();
    while (!s.empty() && s.back() == ' ') s.pop_back();
    // The viewer reads a Latin small p as r (a rule for the Russian data); the Cyrillic п reads
    // as p, so Latin names keep their spelling.
    for (char& c : s)
        if (c == 'p') c = '\xEF';
    return s;
}

std::string CutBytes(const std::string& cp1251, size_t limit) {
    std::string s = cp1251.substr(0, std::min(cp1251.size(), limit));
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

}  // namespace planimport
