// The pictures: cursors, icons and the palette's button pictures, drawn as rows of characters,
// one character a pixel (see kPalette). '.' is the background: transparent in cursors and icons,
// the button face in bitmaps.
#include <iterator>
#include <string>

#include "resources/resource_tables.h"
#include "resources/resources.h"

namespace {

constexpr PaletteEntry kPalette[] = {
    {'.', 0x00000000u},  // background
    {'k', 0xFF000000u},  // black
    {'w', 0xFFFFFFFFu},  // white
    {'l', 0xFFC8C8C8u},  // light grey: streets
    {'r', 0xFFE02020u},  // red
    {'b', 0xFF2060D0u},  // blue
    {'c', 0xFFA8D8F0u},  // pale blue: water, lenses
    {'y', 0xFFFFF060u},  // yellow
    {'G', 0xFF80C070u},  // green
    {'o', 0xFFC09060u},  // brown: houses
};

// the hand that drags the plan
constexpr const char* kPanCursor[] = {
    "........................",
    "..........kk............",
    "......kk.kwwkkk.........",
    ".....kwwkkwwkwwk........",
    ".....kwwkkwwkwwk.kk.....",
    "......kwwkwwkwwkkwwk....",
    "......kwwkwwkwwkwwwk....",
    "..kk..kwwkwwkwwkwwwk....",
    ".kwwk.kwwwwwwwwwwwwk....",
    ".kwwwkkwwwwwwwwwwwwk....",
    "..kwwwkwwwwwwwwwwwwk....",
    "...kwwwwwwwwwwwwwwwk....",
    "...kwwwwwwwwwwwwwwwk....",
    "....kwwwwwwwwwwwwwwk....",
    "....kwwwwwwwwwwwwwk.....",
    ".....kwwwwwwwwwwwwk.....",
    "......kwwwwwwwwwwk......",
    ".......kwwwwwwwwwk......",
    ".......kwwwwwwwwwk......",
    ".......kkkkkkkkkkk......",
    "........................",
    "........................",
    "........................",
    "........................",
};

// an arrow with a label: the address tip is shown
constexpr const char* kTipCursor[] = {
    "k.......................",
    "kk......................",
    "kwk.....................",
    "kwwk....................",
    "kwwwk...................",
    "kwwwwk..................",
    "kwwwwwk.................",
    "kwwwwwwk................",
    "kwwwwwwwk...............",
    "kwwwwwkkkk..............",
    "kwwkwwk.................",
    "kwk.kwwk................",
    "kk..kwwk................",
    "k....kwwkkkkkkkkkkkkkkkk",
    ".....kwwkkyyyyyyyyyyyyyk",
    "......kk.kyrrrrrrrrrryyk",
    ".........kyyyyyyyyyyyyyk",
    ".........kyrrrrrrrrrrryk",
    ".........kyyyyyyyyyyyyyk",
    ".........kyrrrrrrryyyyyk",
    ".........kyyyyyyyyyyyyyk",
    ".........kkkkkkkkkkkkkkk",
    "........................",
    "........................",
};

// a cross and the rectangle being drawn
constexpr const char* kZoomRectCursor[] = {
    ".....wkw................",
    ".....wkw................",
    ".....wkw................",
    ".....wkw................",
    ".....wkw................",
    "wwwww.w.wwwww...........",
    "kkkkkw.wkkkkkw..........",
    "wwwww.w.wwwww...........",
    ".....wkw................",
    ".....wkw.kwkwkwkwkwkwkk.",
    ".....wkw.w............w.",
    ".....wkw.k............k.",
    ".....wkw.w.....kk.....w.",
    "......w..k.....kk.....k.",
    ".........w...kkkkkk...w.",
    ".........k...kkkkkk...k.",
    ".........w.....kk.....w.",
    ".........k.....kk.....k.",
    ".........w............w.",
    ".........k............k.",
    ".........wwkwkwkwkwkwkw.",
    "........................",
    "........................",
    "........................",
};

// a measuring cross with ticks
constexpr const char* kMeasureCursor[] = {
    "..........wkw...........",
    "..........wkw...........",
    ".........wkkkw..........",
    "..........wkw...........",
    "..........wkw...........",
    ".........wkkkw..........",
    "..........wkw...........",
    "..........wkw...........",
    "..........wkw...........",
    "..w..w.....w.....w..w...",
    "wwkwwkwww.....wwwkwwkww.",
    "kkkkkkkkkw.r.wkkkkkkkkkw",
    "wwkwwkwww.....wwwkwwkww.",
    "..w..w.....w.....w..w...",
    "..........wkw...........",
    "..........wkw...........",
    "..........wkw...........",
    ".........wkkkw..........",
    "..........wkw...........",
    "..........wkw...........",
    ".........wkkkw..........",
    "..........wkw...........",
    "..........wkw...........",
    "...........w............",
};

// a magnifier with a minus, its lens on the point
constexpr const char* kZoomOutCursor[] = {
    "......wwwww.............",
    "....wwkkkkkww...........",
    "...wkkccccckkw..........",
    "..wkkccccccckkw.........",
    ".wkkccccccccckkw........",
    ".wkccccccccccckw........",
    "wkccccccccccccckw.......",
    "wkccccccccccccckw.......",
    "wkccckkkkkkkccckw.......",
    "wkccckkkkkkkccckw.......",
    "wkccccccccccccckw.......",
    ".wkccccccccccckw........",
    ".wkkccccccccckkw........",
    "..wkkccccccckkw.........",
    "...wkkccccckkkkw........",
    "....wwkkkkkwwkkkw.......",
    "......wwwww..wkkkw......",
    "..............wkkkw.....",
    "...............wkkkw....",
    "................wkkkw...",
    ".................wkkkw..",
    "..................wkkw..",
    "...................ww...",
    "........................",
};

// a red arrow pointing right at a very small view on the locator
constexpr const char* kLocatorMarkIcon[] = {
    "................................",
    "................................",
    "................................",
    "................................",
    "....................kkkk........",
    "....................krrrk.......",
    "....................krrrrk......",
    "....................krrrrrk.....",
    "....................krrrrrrk....",
    "..kkkkkkkkkkkkkkkkkkrrrrrrrrk...",
    "..krrrrrrrrrrrrrrrrrrrrrrrrrrk..",
    "..krrrrrrrrrrrrrrrrrrrrrrrrrrrk.",
    "..krrrrrrrrrrrrrrrrrrrrrrrrrrrrk",
    "..krrrrrrrrrrrrrrrrrrrrrrrrrrrk.",
    "..krrrrrrrrrrrrrrrrrrrrrrrrrrk..",
    "..kkkkkkkkkkkkkkkkkkrrrrrrrrk...",
    "....................krrrrrrk....",
    "....................krrrrrk.....",
    "....................krrrrk......",
    "....................krrrk.......",
    "....................kkkk........",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
};

// the program: a city plan with a pin
constexpr const char* kProgramIcon[] = {
    "................................",
    ".kkkkkkkkkkkkkkkkkkkkkkkkkkkkkk.",
    ".kGGGGGGGllGGGGGGGGGllGGGGGGGGk.",
    ".kGoooooGllGoooooGGGllGoooooGGk.",
    ".kGoooooGllGoooooGGGllGoooooGGk.",
    ".kGoooooGllGoooooGGGllGoooooGGk.",
    ".kGoooooGllGoooooGGGllGoooooGGk.",
    ".kGoooooGllGoooooGGGllGoooooGGk.",
    ".kGGGGGGGllGGGGGGGGGllGGGGGGGGk.",
    ".kllllllllllllllllllllllllllllk.",
    ".kllllllllllllllllllllllllllllk.",
    ".kGGGGGGGllGGGkkkGGGllGGGGGGGGk.",
    ".kGoooooGllGokrrrkGGllGoooooGGk.",
    ".kGoooooGllGkrrrrrkGllGoooooGGk.",
    ".kGoooooGllGkrrwrrkGllGoooooGGk.",
    ".kGoooooGllGkrrrrrkGllGoooooGbk.",
    ".kGoooooGllGokrrrkGGllGooooGbbk.",
    ".kGGGGGGGllGGGkkkGGGllGGGGGbbck.",
    ".kGGGGGGGllGGGGkGGGGllGGGGbbcck.",
    ".kGGGGGGGllGGGGkGGGGllGGGbbccck.",
    ".klllllllllllllkllllllllbbcccck.",
    ".klllllllllllllkllllllllbccccck.",
    ".kGGGGGGGllGGGGkGGGGllbbcccccck.",
    ".kGoooooGllGoooooGGGllbccccccck.",
    ".kGoooooGllGoooooGGGbbcccccccck.",
    ".kGoooooGllGoooooGGbbccccccccck.",
    ".kGoooooGllGoooooGbbcccccccccck.",
    ".kGoooooGllGooooGbbccccccccccck.",
    ".kGGGGGGGllGGGGGbbcccccccccccck.",
    ".kGGGGGGGllGGGGbbccccccccccccck.",
    ".kkkkkkkkkkkkkkkkkkkkkkkkkkkkkk.",
    "................................",
};

// palette: zoom out at a point
constexpr const char* kZoomOutBitmap[] = {
    "....................",
    "....................",
    ".....kkkkk..........",
    "....kkccckk.........",
    "...kccccccck........",
    "..kkccccccckk.......",
    "..kccccccccck.......",
    "..kcckkkkkcck.......",
    "..kcckkkkkcck.......",
    "..kkccccccckk.......",
    "...kccccccck........",
    "....kkccckkkk.......",
    ".....kkkkk.kkk......",
    "............kkk.....",
    ".............kkk....",
    "..............kkk...",
    "...............kkk..",
    "................k...",
    "....................",
    "....................",
};

// palette: zoom to a rectangle
constexpr const char* kZoomRectBitmap[] = {
    "....................",
    ".k.k.k.k.k.k.k.kk...",
    "....................",
    ".k..............k...",
    "....................",
    ".k..............k...",
    "........kkkkk.......",
    ".k.....kkccckk..k...",
    "......kkcckcckk.....",
    ".k....kccckccck.k...",
    "......kckkkkkck.....",
    ".k....kccckccck.k...",
    "......kkcckcckk.....",
    ".k.k.k.kkccckkkkk...",
    "........kkkkkkkk....",
    "..............kkk...",
    "...............kkk..",
    "................kkk.",
    ".................k..",
    "....................",
};

// palette: pan by dragging
constexpr const char* kPanBitmap[] = {
    "....................",
    "....................",
    ".........kk.........",
    ".....kk.kwwkk.......",
    "....kwwkkwwkwk......",
    "....kwwkkwwkwwkk....",
    ".....kwkwwkwwkwwk...",
    ".....kwkwwkwwkwwk...",
    "..kk.kwwwwwwwwwwk...",
    ".kwwkkwwwwwwwwwwk...",
    "..kwwkwwwwwwwwwwk...",
    "...kwwwwwwwwwwwwk...",
    "....kwwwwwwwwwwk....",
    ".....kwwwwwwwwwk....",
    "......kwwwwwwwk.....",
    ".......kwwwwwwk.....",
    ".......kkkkkkkk.....",
    "....................",
    "....................",
    "....................",
};

// palette: information about what is clicked
constexpr const char* kInfoBitmap[] = {
    "....................",
    "..k.................",
    "..kk................",
    "..kwk...............",
    "..kwwk..............",
    "..kwwwk.............",
    "..kwwwwk............",
    "..kwwwwwk...........",
    "..kwwwkkkk..bbbbb...",
    "..kwkwk....bbbbbbb..",
    "..kk.kwk..bbbbwbbbb.",
    "..k..kwk.bbbbbbbbbbb",
    "......kk.bbbbwwbbbbb",
    ".........bbbbbwbbbbb",
    ".........bbbbbwbbbbb",
    ".........bbbbbwbbbbb",
    "..........bbbwwwbbb.",
    "...........bbbbbbb..",
    "............bbbbb...",
    "....................",
};

template <size_t N>
constexpr ImageResource Picture(int id, ImageKind kind, const char* const (&rows)[N], int hotX = 0, int hotY = 0) {
    return ImageResource{id, kind, static_cast<int>(std::char_traits<char>::length(rows[0])), static_cast<int>(N),
                         hotX, hotY, rows, kPalette, static_cast<int>(std::size(kPalette))};
}

}  // namespace

extern const ImageResource kImageTable[] = {
    Picture(IDC_PAN, ImageKind::Cursor, kPanCursor, 11, 11),
    Picture(IDC_TIP, ImageKind::Cursor, kTipCursor, 0, 0),
    Picture(IDC_ZOOM_RECT, ImageKind::Cursor, kZoomRectCursor, 6, 6),
    Picture(IDC_MEASURE, ImageKind::Cursor, kMeasureCursor, 11, 11),
    Picture(IDC_ZOOM_OUT, ImageKind::Cursor, kZoomOutCursor, 8, 8),
    Picture(IDI_LOCATOR_MARK, ImageKind::Icon, kLocatorMarkIcon),
    Picture(IDI_PROGRAM, ImageKind::Icon, kProgramIcon),
    Picture(IDB_ZOOM_OUT, ImageKind::Bitmap, kZoomOutBitmap),
    Picture(IDB_ZOOM_RECT, ImageKind::Bitmap, kZoomRectBitmap),
    Picture(IDB_PAN, ImageKind::Bitmap, kPanBitmap),
    Picture(IDB_INFO, ImageKind::Bitmap, kInfoBitmap),
};
extern const int kImageCount = static_cast<int>(std::size(kImageTable));
