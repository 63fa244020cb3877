// Text: the Windows-1251 conversion, font heights, opaque cells, escapement and spacing.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontInfo>
#include <QString>

#include <algorithm>
#include <string>

#include "platform/gdi.h"
#include "platform/gdi_canvas.h"
#include "platform/gdi_qt.h"

namespace {

using GdiText = GdiCanvas;

HFONT MakeFont(int height, int escapement = 0, int weight = 400) {
    return CreateFontA(height, 0, escapement, 0, weight, 0, 0, 0, 0, 0, 0, 0, 0, "Arial Cyr");
}

// The box round every pixel that is not the background colour.
struct Ink {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1, count = 0;
};

TEST(Cp1251, ConvertsTheRussianLettersAndSigns) {
    struct Case {
        const char* name;
        const char* bytes;
        const char16_t* unicode;
    } cases[] = {
        {"Shchuka", "\xD9\xF3\xEA\xE0", u"\u0429\u0443\u043A\u0430"},       // Щука
        {"first and last capitals", "\xC0\xDF", u"\u0410\u042F"},          // АЯ
        {"first and last small letters", "\xE0\xFF", u"\u0430\u044F"},     // ая
        {"yo", "\xA8\xB8", u"\u0401\u0451"},                                // Ёё
        {"metre unit", " %.1f \xEC", u" %.1f \u043C"},                      // м
        {"number sign and quotes", "\xB9\xAB\xBB", u"\u2116\u00AB\u00BB"},  // №«»
        {"dashes", "\x96\x97", u"\u2013\u2014"},
        {"Latin stays", "Korvinsk", u"Korvinsk"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FromCp1251(c.bytes), QString::fromUtf16(c.unicode));
        EXPECT_EQ(ToCp1251(QString::fromUtf16(c.unicode)), std::string(c.bytes));
    }
}

TEST(Cp1251, EveryDefinedByteSurvivesTheRoundTrip) {
    for (int b = 1; b < 256; ++b) {
        if (b == 0x98) continue;  // no character has this code
        char byte = static_cast<char>(b);
        QString text = FromCp1251(&byte, 1);
        ASSERT_EQ(text.size(), 1);
        EXPECT_EQ(ToCp1251(text), std::string(1, byte)) << b;
    }
    EXPECT_EQ(ToCp1251(QString::fromUtf16(u"\u4E2D")), "?") << "no code in the page";
    EXPECT_EQ(FromCp1251("ab\0cd", 5).size(), 5) << "an explicit length passes NULs";
    EXPECT_EQ(FromCp1251(nullptr), QString());
}

TEST(GdiFonts, FacesAreDrawnWithMetricCompatibleFamilies) {
    struct Case {
        const char* face;
        const char* family;
    } cases[] = {
        {"Arial Cyr", "Liberation Sans"},
        {"Arial", "Liberation Sans"},
        {"", "Liberation Sans"},
        {"Times New Roman Cyr", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.face);
        HFONT font = CreateFontA(-12, 0, 0, 0, 700, 1, 0, 0, 0, 0, 0, 0, 0, c.face);
        QFont qfont;
        ASSERT_TRUE(GetQFont(font, &qfont));
        QFontInfo info(qfont);
        EXPECT_EQ(info.family().toStdString(), c.family) << "installed with fonts-liberation";
        EXPECT_TRUE(info.italic());
        EXPECT_EQ(info.pixelSize(), 12);
        DeleteObject(font);
    }
}

class GdiTextDrawing : public GdiText {
protected:
    Ink InkOf(COLORREF background) const {
        Ink ink;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                if (At(x, y) == background) continue;
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
                ++ink.count;
            }
        }
        return ink;
    }
};

TEST_F(GdiTextDrawing, FontHeightFollowsTheCellAndCharacterConvention) {
    // Positive: the cell (ascent + descent) is that tall. Negative: the characters are; the cell
    // of Liberation Sans is 1.117 times the character height (ascent 0.905, descent 0.212).
    struct Case {
        int height;
        int cell;
    } cases[] = {{20, 20}, {13, 13}, {40, 40}, {-20, 22}, {-94, 105}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.height);
        HFONT font = MakeFont(c.height);
        HGDIOBJ old = SelectObject(dc_, font);
        SIZE size{};
        ASSERT_TRUE(GetTextExtentPoint32A(dc_, "Hello", 5, &size));
        EXPECT_EQ(size.cy, c.cell);
        EXPECT_GT(size.cx, 0);
        SelectObject(dc_, old);
        DeleteObject(font);
    }
}

TEST_F(GdiTextDrawing, OpaqueTextFillsItsCellWithTheBackground) {
    HFONT font = MakeFont(20);
    HGDIOBJ old = SelectObject(dc_, font);
    const COLORREF green = RGB(0, 200, 0);
    SetBkColor(dc_, green);
    SetTextColor(dc_, RGB(255, 0, 0));
    SIZE size{};
    GetTextExtentPoint32A(dc_, "Tip", 3, &size);

    EXPECT_EQ(SetBkMode(dc_, OPAQUE), OPAQUE) << "a fresh context is opaque";
    ASSERT_TRUE(TextOutA(dc_, 10, 30, "Tip", 3));
    // The cell's corners are background; one pixel beyond it nothing changed.
    EXPECT_EQ(At(10, 30), green);
    EXPECT_EQ(At(10, 49), green);
    EXPECT_EQ(At(10 + size.cx - 1, 30), green);
    EXPECT_EQ(At(10 + size.cx - 1, 49), green);
    EXPECT_EQ(At(9, 40), kWhite);
    EXPECT_EQ(At(10, 29), kWhite);
    EXPECT_EQ(At(10, 50), kWhite);
    EXPECT_EQ(At(10 + size.cx, 40), kWhite);
    Ink ink = InkOf(kWhite);
    EXPECT_EQ(ink.count, size.cx * 20) << "nothing outside the cell";
    EXPECT_GT(Count(RGB(255, 0, 0)), 0) << "the text colour shows";

    Clear(kWhite);
    SetBkMode(dc_, TRANSPARENT);
    TextOutA(dc_, 10, 30, "Tip", 3);
    EXPECT_EQ(Count(green), 0);
    EXPECT_GT(Count(RGB(255, 0, 0)), 0);

    SelectObject(dc_, old);
    DeleteObject(font);
}

TEST_F(GdiTextDrawing, TextHangsBelowItsPosition) {
    HFONT font = MakeFont(20);
    HGDIOBJ old = SelectObject(dc_, font);
    SetBkMode(dc_, TRANSPARENT);
    TextOutA(dc_, 30, 40, "H", 1);
    Ink ink = InkOf(kWhite);
    // A capital stands on the baseline, ascent (0.905 / 1.117 of the cell, 16 pixels) below the
    // top of the cell, and reaches up to about 0.73 of the character height.
    EXPECT_GE(ink.top, 40);
    EXPECT_LE(ink.bottom, 40 + 16);
    EXPECT_GE(ink.bottom, 40 + 14);
    EXPECT_GE(ink.left, 30);
    SelectObject(dc_, old);
    DeleteObject(font);
}

TEST_F(GdiTextDrawing, EscapementNineHundredWritesUpwards) {
    SetBkMode(dc_, TRANSPARENT);
    HFONT flat = MakeFont(16, 0);
    HGDIOBJ old = SelectObject(dc_, flat);
    TextOutA(dc_, 20, 100, "WWWW", 4);
    Ink across = InkOf(kWhite);
    EXPECT_GT(across.right - across.left, across.bottom - across.top);
    EXPECT_GE(across.top, 100);

    Clear(kWhite);
    HFONT up = MakeFont(16, 900);
    SelectObject(dc_, up);
    TextOutA(dc_, 20, 100, "WWWW", 4);
    Ink upwards = InkOf(kWhite);
    // Turned a quarter counter-clockwise about (20, 100): the text runs up from the position and
    // the cell lies to its right.
    EXPECT_GT(upwards.bottom - upwards.top, upwards.right - upwards.left);
    EXPECT_LE(upwards.bottom, 101);
    EXPECT_GE(upwards.left, 19);
    EXPECT_LE(upwards.right, 20 + 16);
    EXPECT_EQ(upwards.bottom - upwards.top, across.right - across.left);

    SelectObject(dc_, old);
    DeleteObject(flat);
    DeleteObject(up);
}

TEST_F(GdiTextDrawing, CharacterExtraWidensEachCharacter) {
    HFONT font = MakeFont(-14);
    HGDIOBJ old = SelectObject(dc_, font);
    SIZE plain{};
    GetTextExtentPoint32A(dc_, "bay", 3, &plain);
    EXPECT_EQ(SetTextCharacterExtra(dc_, 8), 0);
    SIZE spaced{};
    GetTextExtentPoint32A(dc_, "bay", 3, &spaced);
    EXPECT_EQ(spaced.cx, plain.cx + 3 * 8);
    EXPECT_EQ(SetTextCharacterExtra(dc_, 0), 8);
    SelectObject(dc_, old);
    DeleteObject(font);
}

TEST_F(GdiTextDrawing, CyrillicTextIsDrawn) {
    SelectObject(dc_, GetStockObject(ANSI_VAR_FONT));
    SetBkMode(dc_, TRANSPARENT);
    // Загрузка
    EXPECT_TRUE(TextOutA(dc_, 5, 5, "\xC7\xE0\xE3\xF0\xF3\xE7\xEA\xE0", 8));
    Ink ink = InkOf(kWhite);
    EXPECT_GT(ink.count, 30);
    EXPECT_GT(ink.right - ink.left, 8 * 4);
    SelectObject(dc_, GetStockObject(SYSTEM_FONT));
}

TEST_F(GdiTextDrawing, TextOutRefusesBadArguments) {
    EXPECT_FALSE(TextOutA(dc_, 0, 0, nullptr, 3));
    EXPECT_FALSE(TextOutA(dc_, 0, 0, "abc", -1));
    EXPECT_FALSE(TextOutA(nullptr, 0, 0, "abc", 3));
    EXPECT_TRUE(TextOutA(dc_, 0, 0, "abc", 0));
    EXPECT_EQ(CountNot(kWhite), 0);
}

}  // namespace
