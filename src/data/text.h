// Cyrillic-to-Latin transliteration and the small text routines shared by loading,
// searching and drawing. All texts are NUL-terminated Windows-1251 byte strings.
#pragma once

#include <cstddef>

// The work buffer transliteration writes into before copying back: results hold at most 255 bytes.
constexpr size_t kTranslitBufSize = 256;
extern char g_translit_buf[kTranslitBufSize];

// Replaces `text` in place by its Latin transliteration. `fieldSize` is the size of the caller's
// buffer including the terminator; the result is cut so that it always fits (and so is the
// 255-byte work buffer). A NULL text or a field size of 0 is ignored.
void Transliterate(char* text, size_t fieldSize);

// Removes leading blanks and trailing blanks, CR, LF and TAB; returns the new length.
int TrimText(char* text);

// 1 for '0'..'9', else 0.
int IsDigitChar(char c);

// 0 when the text (after leading blanks) is a number, else the 1-based position of the first
// character that is not part of one.
int NumberTextCheck(const char* text);

// Order of two house numbers: -1, 0 or 1.
int CompareHouseNumbers(const char* a, const char* b);

// Lower-cases ASCII and Cyrillic Windows-1251 letters in place.
void LowerText(char* text);
