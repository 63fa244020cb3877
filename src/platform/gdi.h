// The drawing calls of the platform layer: device contexts, pens, brushes, fonts, regions and
// bitmaps, and the operations that draw with them. Plain C++, shaped after the desktop drawing
// interface the program was designed against, so that each drawing routine reads call by call.
//
// Behaviour worth knowing:
// - Lines and fills are drawn without antialiasing, so pixel geometry is exact: a pen of width
//   w covers w pixels across; a 1-pixel line from MoveToEx to LineTo leaves out its end point;
//   FillRect covers left..right-1 x top..bottom-1. Text is drawn smoothly.
// - Texts are Windows-1251 byte strings; TextOutA shows them in Cyrillic.
// - Every pen, brush, font, region and bitmap created and not yet deleted is counted
//   (GdiLiveObjectCount); stock objects are not. A handle that was deleted, or never was one,
//   is refused (the call fails) rather than used. Deleting an object that is still selected
//   into a context is allowed: the context keeps drawing with a copy until something else is
//   selected; a deleted bitmap is replaced in its context by an empty 1 x 1 one.
// - A context draws on its target: a bitmap (memory contexts), a window surface (see
//   gdi_qt.h) or a printer page (print.h).
// - Memory and window contexts report the screen's capabilities; the physical size comes from
//   the display, or 96 pixels per inch when the display does not say.
//
// InitPlatformDrawing() is called once at start-up, before any window is made: it creates the
// toolkit's application object when none exists yet and installs GetDeviceWidthMm and
// GetDeviceWidthPx as the view's physical-width queries (SetDeviceWidthMmQuery in view/view.h).
// Making a window surface context (CreateImageDC in gdi_qt.h) installs the queries as well. Memory contexts made without it
// (tests, the command-line renderer) create the application object on first use but leave the
// view's query alone.
#pragma once

#include <string>
#include <vector>

#include "platform/types.h"

void InitPlatformDrawing();
int GetDeviceWidthMm(HDC hdc);  // GetDeviceCaps(hdc, HORZSIZE)
int GetDeviceWidthPx(HDC hdc);  // GetDeviceCaps(hdc, HORZRES)

// ---- Device contexts ----

HDC CreateCompatibleDC(HDC hdc);  // a memory context; hdc may be null (the screen)
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);  // 32-bit colour, black
BOOL DeleteDC(HDC hdc);

constexpr int HORZSIZE = 4;     // width in millimetres
constexpr int VERTSIZE = 6;     // height in millimetres
constexpr int HORZRES = 8;      // width in pixels
constexpr int VERTRES = 10;     // height in pixels
constexpr int LOGPIXELSX = 88;  // pixels per inch across
constexpr int LOGPIXELSY = 90;  // pixels per inch down
int GetDeviceCaps(HDC hdc, int index);

constexpr int MM_TEXT = 1;
int SetMapMode(HDC hdc, int mode);  // only MM_TEXT (pixels, y down) exists; returns the old mode

// ---- Drawing objects ----

constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_NULL = 5;
constexpr DWORD PS_ENDCAP_ROUND = 0x00000000;
constexpr DWORD PS_ENDCAP_SQUARE = 0x00000100;
constexpr DWORD PS_ENDCAP_FLAT = 0x00000200;
constexpr DWORD PS_JOIN_ROUND = 0x00000000;
constexpr DWORD PS_JOIN_BEVEL = 0x00001000;
constexpr DWORD PS_JOIN_MITER = 0x00002000;
constexpr DWORD PS_COSMETIC = 0x00000000;
constexpr DWORD PS_GEOMETRIC = 0x00010000;

constexpr UINT BS_SOLID = 0;
constexpr UINT BS_NULL = 1;
constexpr UINT BS_HATCHED = 2;

constexpr int HS_HORIZONTAL = 0;
constexpr int HS_VERTICAL = 1;
constexpr int HS_FDIAGONAL = 2;
constexpr int HS_BDIAGONAL = 3;
constexpr int HS_CROSS = 4;
constexpr int HS_DIAGCROSS = 5;

struct LOGBRUSH {
    UINT lbStyle;
    COLORREF lbColor;
    uintptr_t lbHatch;
};

// Width 0 or 1: a 1-pixel pen, whose lines leave out their end point. Wider: round ends and
// joins.
HPEN CreatePen(int style, int width, COLORREF color);
// Geometric pens take their colour from a solid brush; styleCount and styles must be 0.
HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD styleCount, const DWORD* styles);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateHatchBrush(int hatch, COLORREF color);

constexpr int FW_DONTCARE = 0;
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;
// height < 0: character height (em size) in pixels; > 0: cell height (ascent + descent);
// 0: a default size. escapement: tenths of a degree, counter-clockwise. "Arial Cyr" and "Arial"
// are drawn with Liberation Sans, which has the same metrics.
HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                  DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCSTR face);

constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int ANSI_VAR_FONT = 12;  // Liberation Sans, cell height 13 pixels
constexpr int SYSTEM_FONT = 13;    // a fresh context's font: bold, cell height 16 pixels
constexpr int DEFAULT_GUI_FONT = 17;
HGDIOBJ GetStockObject(int index);

HRGN CreateRectRgn(int left, int top, int right, int bottom);

// Returns the previously selected object of the same kind, or null when the handle is refused.
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object);
BOOL DeleteObject(HGDIOBJ object);  // stock objects are left alone (TRUE)

constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
// The region is copied: the caller may delete it at once. A null region removes the clip.
// Returns SIMPLEREGION or NULLREGION, or 0 when hdc or the region is refused.
int SelectClipRgn(HDC hdc, HRGN region);

constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
DWORD GetSysColor(int index);
HBRUSH GetSysColorBrush(int index);  // a stock brush: never deleted

// Objects created and not yet deleted, stock objects not counted; and the live contexts.
int GdiLiveObjectCount();
int GdiLiveDCCount();

// ---- Context state ----

constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
constexpr int R2_NOT = 6;
constexpr int R2_COPYPEN = 13;

COLORREF SetTextColor(HDC hdc, COLORREF color);  // each returns the previous value
COLORREF SetBkColor(HDC hdc, COLORREF color);
int SetBkMode(HDC hdc, int mode);
int SetROP2(HDC hdc, int mode);  // R2_COPYPEN or R2_NOT (every pixel drawn is inverted once)
int SetTextCharacterExtra(HDC hdc, int extra);

// ---- Drawing ----

BOOL MoveToEx(HDC hdc, int x, int y, POINT* previous);
BOOL LineTo(HDC hdc, int x, int y);
BOOL Polyline(HDC hdc, const POINT* points, int count);
BOOL Polygon(HDC hdc, const POINT* points, int count);  // alternate fill, closed outline
BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom);
BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom);
// brush may also be (HBRUSH)(COLOR_xxx + 1), a system colour.
int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);

constexpr UINT BDR_RAISEDOUTER = 0x0001;
constexpr UINT BDR_SUNKENOUTER = 0x0002;
constexpr UINT BDR_RAISEDINNER = 0x0004;
constexpr UINT BDR_SUNKENINNER = 0x0008;
constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr UINT EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
constexpr UINT BF_LEFT = 0x0001;
constexpr UINT BF_TOP = 0x0002;
constexpr UINT BF_RIGHT = 0x0004;
constexpr UINT BF_BOTTOM = 0x0008;
constexpr UINT BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr UINT BF_ADJUST = 0x2000;
// Two-pixel 3D frame inside rect; with BF_ADJUST rect shrinks to the area inside it.
BOOL DrawEdge(HDC hdc, RECT* rect, UINT edge, UINT flags);

// (x, y) is the top-left corner of the text cell (of the turned cell with an escapement). In
// OPAQUE mode the cell is first filled with the background colour.
BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int length);
BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR text, int length, SIZE* size);

constexpr DWORD SRCCOPY = 0x00CC0020;
BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop);

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
COLORREF GetPixel(HDC hdc, int x, int y);  // CLR_INVALID outside the target or on a printer

// ---- Call record, for tests that check what a routine drew ----

enum class GdiOp { MoveTo, LineTo, Polyline, Polygon, Ellipse, Rectangle, FillRect, DrawEdge, TextOut, BitBlt };

struct GdiPenInfo {
    int style;  // PS_SOLID, PS_DOT, PS_NULL, ... (without the end-cap and geometric bits)
    int width;
    COLORREF color;
    bool geometric;
    bool flatEnds;
};

struct GdiBrushInfo {
    UINT style;  // BS_SOLID, BS_NULL or BS_HATCHED
    int hatch;
    COLORREF color;
};

struct GdiFontInfo {
    int height;
    int escapement;
    int weight;
    bool italic;
    std::string face;
};

// One drawing call with the state it drew with. points: the vertices (MoveTo, LineTo: one;
// Ellipse, Rectangle, FillRect, DrawEdge: (left, top), (right, bottom); TextOut: the position;
// BitBlt: (x, y), (width, height), (sourceX, sourceY)). For FillRect, brush is the brush passed.
struct GdiCall {
    GdiOp op;
    std::vector<POINT> points;
    HPEN pen;
    HBRUSH brush;
    HFONT font;
    GdiPenInfo penInfo;
    GdiBrushInfo brushInfo;
    GdiFontInfo fontInfo;
    std::string text;  // TextOut: the bytes as passed
    COLORREF textColor;
    COLORREF bkColor;
    int bkMode;
    int rop2;
    int charExtra;
    UINT edge;   // DrawEdge
    UINT flags;  // DrawEdge
    HDC source;  // BitBlt
};

// While recording, each drawing call on hdc is appended to its record (and still drawn).
// Starting clears the record; the record lives until the context is deleted.
void StartCallRecord(HDC hdc);
void StopCallRecord(HDC hdc);
const std::vector<GdiCall>& GetCallRecord(HDC hdc);  // empty for an unknown context

// Descriptions of objects, for tests: false when the handle is not a live object of that kind.
bool GetPenInfo(HPEN pen, GdiPenInfo* info);
bool GetBrushInfo(HBRUSH brush, GdiBrushInfo* info);
bool GetFontInfo(HFONT font, GdiFontInfo* info);
