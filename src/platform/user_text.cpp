// Texts of windows and controls: Windows-1251 bytes in the program, Unicode on the screen.
#include <cstring>

#include "platform/gdi_qt.h"
#include "platform/user_qt.h"

QString Text1251(const char* text, int length) { return FromCp1251(text, length); }

std::string To1251(const QString& text) { return ToCp1251(text); }

int CopyText(const std::string& text, char* buffer, int size) {
    if (buffer == nullptr || size <= 0) return 0;
    const size_t n = std::min(text.size(), static_cast<size_t>(size - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

namespace {

// The place of a byte in the order of list texts: letters of either case together, Cyrillic
// letters in the order of the alphabet with Ё after Е, everything else by its code.
int SortKey(unsigned char c) {
    if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 'a' + 'A');
    if (c >= 0xE0) c = static_cast<unsigned char>(c - 0x20);  // а..я -> А..Я
    if (c == 0xB8) c = 0xA8;                                   // ё -> Ё
    if (c >= 0xC0) return 0x1000 + (c - 0xC0) * 2 + (c > 0xC5 ? 2 : 0);  // А..Е, then room for Ё
    if (c == 0xA8) return 0x1000 + (0xC5 - 0xC0) * 2 + 1;                // Ё right after Е
    return c;
}

}  // namespace

int CompareListText(const std::string& a, const std::string& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int ka = SortKey(static_cast<unsigned char>(a[i]));
        const int kb = SortKey(static_cast<unsigned char>(b[i]));
        if (ka != kb) return ka < kb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}
