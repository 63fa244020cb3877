// Windows-1251 <-> Unicode. Qt 6 carries no codec for this code page, so the table is ours.
#include <array>

#include "platform/gdi_qt.h"

namespace {

// 0x80..0xBF; 0xC0..0xFF are the Russian letters U+0410..U+044F in order. 0x98 has no character.
constexpr std::array<char16_t, 64> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

char16_t CharFromCp1251(unsigned char c) {
    if (c < 0x80) return c;
    if (c >= 0xC0) return static_cast<char16_t>(0x0410 + (c - 0xC0));
    return kUpperHalf[c - 0x80];
}

char CharToCp1251(char16_t u) {
    if (u < 0x80) return static_cast<char>(u);
    if (u >= 0x0410 && u <= 0x044F) return static_cast<char>(0xC0 + (u - 0x0410));
    for (size_t i = 0; i < kUpperHalf.size(); ++i) {
        if (kUpperHalf[i] == u && u != 0xFFFD) return static_cast<char>(0x80 + i);
    }
    return '?';
}

}  // namespace

QString FromCp1251(const char* text, int length) {
    QString out;
    if (text == nullptr) return out;
    if (length < 0) {
        length = 0;
        while (text[length] != '\0') ++length;
    }
    out.resize(length);
    for (int i = 0; i < length; ++i) out[i] = QChar(CharFromCp1251(static_cast<unsigned char>(text[i])));
    return out;
}

std::string ToCp1251(const QString& text) {
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (QChar c : text) out.push_back(CharToCp1251(c.unicode()));
    return out;
}
