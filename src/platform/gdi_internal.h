// What stands behind the drawing handles; shared by the drawing, printing and PNG files of the
// platform layer only.
#pragma once

#include <QBrush>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QRect>

#include <functional>
#include <memory>
#include <vector>

#include "platform/gdi.h"


enum class GdiKind { Pen, Brush, Font, Region, Bitmap };

struct GdiObject {
    GdiKind kind;
    bool stock = false;
    uintptr_t handle = 0;

    GdiPenInfo penInfo{};
    QPen pen;

    GdiBrushInfo brushInfo{};
    QBrush brush;

    GdiFontInfo fontInfo{};
    QFont font;
    int cellHeight = 0;  // ascent + descent in pixels
    int ascent = 0;

    QRect region;  // left, top inclusive; empty for an empty region

    std::unique_ptr<QImage> image;
    PlatformDC* selectedIn = nullptr;  // bitmaps: the memory context holding it
};

enum class DCKind { Memory, Image, Device, Printer };

struct PlatformDC {
    DCKind kind = DCKind::Memory;
    QImage* image = nullptr;          // the pixels drawn on, when the target is an image
    QPaintDevice* device = nullptr;   // the paint target
    HBITMAP bitmap = nullptr;         // memory contexts: the selected bitmap
    std::unique_ptr<QPrinter> printer;
    bool inDocument = false;
    bool inPage = false;

    QPainter painter;
    bool painterOpen = false;

    HPEN pen = nullptr;
    GdiPenInfo penInfo{};
    QPen qpen;
    HBRUSH brush = nullptr;
    GdiBrushInfo brushInfo{};
    QBrush qbrush;
    HFONT font = nullptr;
    GdiFontInfo fontInfo{};
    QFont qfont;
    int fontCell = 0;
    int fontAscent = 0;

    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    int charExtra = 0;
    POINT position{0, 0};
    bool hasClip = false;
    QRect clip;

    bool recording = false;
    std::vector<GdiCall> record;
    std::function<void(const QRect&)> changed;
};

// The live context behind a handle, or null.
PlatformDC* FindDC(HDC hdc);
// A new context of the given kind with the default objects selected, registered as live.
PlatformDC* NewDC(DCKind kind);
// Opens the context's painter on its target if needed; false when there is nothing to draw on.
bool BeginDCPainter(PlatformDC* dc);
void EndDCPainter(PlatformDC* dc);
// Closes whichever context's painter is open on the device, so that its pixels can be written.
void ReleaseDevicePainter(QPaintDevice* device);

// Coordinates beyond this are cut to it before they reach the toolkit, whose rectangles and
// fixed-point rasteriser would overflow; no screen or page comes near it.
constexpr int kCoordLimit = 1 << 24;
inline int ClampCoord(int v) { return v < -kCoordLimit ? -kCoordLimit : v > kCoordLimit ? kCoordLimit : v; }

inline QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

// The live object behind a handle if it is of the given kind, or null.
GdiObject* FindObject(const void* handle, GdiKind kind);
GdiObject* FindAnyObject(const void* handle);
// The 1 x 1 bitmap every memory context starts with (a stock object).
HBITMAP DefaultBitmap();
// The font a fresh context starts with.
HFONT DefaultFont();
// Copies the object's drawing attributes into the context (and its open painter).
void ApplyPen(PlatformDC* dc, const GdiObject* pen);
void ApplyBrush(PlatformDC* dc, const GdiObject* brush);
void ApplyFont(PlatformDC* dc, const GdiObject* font);
// Contexts holding the object selected (or its copy) are told that it goes away.
void ForgetBitmapInContexts(GdiObject* bitmap);
// Sets the context's drawing state on its freshly opened painter.
void SetupDCPainter(PlatformDC* dc);
// Tells the context's owner (a window) which pixels may have changed.
void NotifyChanged(PlatformDC* dc, const QRect& area);
