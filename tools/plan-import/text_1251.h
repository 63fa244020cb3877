// OpenStreetMap texts are UTF-8 in any script; the map files hold Windows-1251, which the viewer
// turns into Latin letters. Letters the code page lacks become the nearest letter it has.
#pragma once

#include <cstddef>
#include <string>

namespace planimport {

// Windows-1251 bytes of a UTF-8 text. Cyrillic letters outside Russian (Ukrainian, Belarusian,
// Kazakh, Serbian) become the Russian letters the viewer transliterates to the same sound;
// Latin letters with accents lose them; control characters become blanks; anything else
// without a likeness, and broken UTF-8, becomes '?'. The undefined byte 0x98 and NUL are never
// written.
std::string Utf8To1251(const std::string& utf8);

// The longest prefix of a Windows-1251 text whose Latin form (as the viewer shows it) has at
// most `latinLimit` characters, with trailing blanks removed, and its Latin small p written as
// the Cyrillic п, which the viewer turns into p (a Latin p it would show as r).
std::string CutToLatin(const std::string& cp1251, size_t latinLimit);

// At most `limit` bytes, trailing blanks removed: for house numbers, which stay as written.
std::string CutBytes(const std::string& cp1251, size_t limit);

}  // namespace planimport
