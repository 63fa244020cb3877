// The drawing calls. Each draws with the context's selected objects on its target through the
// painter the context keeps open, and is appended to the context's call record when tests ask.
#include <QFontMetrics>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/gdi_internal.h"
#include "platform/gdi_qt.h"

namespace {

GdiCall MakeCall(const PlatformDC* dc, GdiOp op) {
    GdiCall call{};
    call.op = op;
    call.pen = dc->pen;
    call.brush = dc->brush;
    call.font = dc->font;
    call.penInfo = dc->penInfo;
    call.brushInfo = dc->brushInfo;
    call.fontInfo = dc->fontInfo;
    call.textColor = dc->textColor;
    call.bkColor = dc->bkColor;
    call.bkMode = dc->bkMode;
    call.rop2 = dc->rop2;
    call.charExtra = dc->charExtra;
    return call;
}

void RecordPoints(PlatformDC* dc, GdiOp op, std::initializer_list<POINT> points) {
    if (!dc->recording) return;
    GdiCall call = MakeCall(dc, op);
    call.points.assign(points);
    dc->record.push_back(std::move(call));
}

int Clamp(int v) { return ClampCoord(v); }

QPoint ToQPoint(const POINT& p) { return QPoint(Clamp(p.x), Clamp(p.y)); }

QRect PointsBounds(const QPoint* points, int count, int penWidth) {
    int minX = points[0].x(), maxX = minX, minY = points[0].y(), maxY = minY;
    for (int i = 1; i < count; ++i) {
        minX = std::min(minX, points[i].x());
        maxX = std::max(maxX, points[i].x());
        minY = std::min(minY, points[i].y());
        maxY = std::max(maxY, points[i].y());
    }
    int margin = penWidth / 2 + 2;
    return QRect(QPoint(minX - margin, minY - margin), QPoint(maxX + margin, maxY + margin));
}

// Inverts, once, every pixel that paint covers: the shape is first drawn into a mask, so that
// pixels where a fill and its outline overlap, or where lines of a polyline meet, are not
// inverted twice.
template <typename Paint>
void DrawInverted(PlatformDC* dc, QRect area, Paint&& paint) {
    QImage& image = *dc->image;
    area = area.intersected(image.rect());
    if (dc->hasClip) area = area.intersected(dc->clip);
    if (area.isEmpty()) return;
    QImage mask(area.size(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter p(&mask);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.translate(-area.x(), -area.y());
        p.setPen(dc->qpen);
        p.setBrush(dc->qbrush);
        p.setBackground(ToQColor(dc->bkColor));
        p.setBackgroundMode(dc->bkMode == OPAQUE ? Qt::OpaqueMode : Qt::TransparentMode);
        paint(p);
    }
    ReleaseDevicePainter(&image);
    for (int y = 0; y < area.height(); ++y) {
        const QRgb* m = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(area.y() + y)) + area.x();
        for (int x = 0; x < area.width(); ++x) {
            if (qAlpha(m[x]) >= 128) line[x] ^= 0x00FFFFFFu;
        }
    }
}

// Draws a pen or brush shape, honouring the raster operation.
template <typename Paint>
BOOL DrawShape(PlatformDC* dc, const QRect& bounds, Paint&& paint) {
    if (dc->rop2 == R2_NOT && dc->image != nullptr && dc->image->depth() == 32) {
        DrawInverted(dc, bounds, paint);
        NotifyChanged(dc, bounds);
        return TRUE;
    }
    if (!BeginDCPainter(dc)) return FALSE;
    paint(dc->painter);
    NotifyChanged(dc, bounds);
    return TRUE;
}

std::vector<QPoint>& ScratchPoints(const POINT* points, int count) {
    static std::vector<QPoint> scratch;
    scratch.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) scratch[static_cast<size_t>(i)] = ToQPoint(points[i]);
    return scratch;
}

// The rectangle's interior as the toolkit draws it: with a pen, the outline runs on the first
// and last pixel rows and columns inside (left, top, right, bottom).
QRect ShapeRect(int left, int top, int right, int bottom) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    left = Clamp(left);
    top = Clamp(top);
    right = Clamp(right);
    bottom = Clamp(bottom);
    return QRect(left, top, std::max(right - left - 1, 0), std::max(bottom - top - 1, 0));
}

QBrush BrushFor(HBRUSH brush, GdiBrushInfo* info) {
    uintptr_t value = reinterpret_cast<uintptr_t>(brush);
    if (value >= 1 && value <= 31) brush = GetSysColorBrush(static_cast<int>(value) - 1);
    GdiObject* object = FindObject(brush, GdiKind::Brush);
    if (object == nullptr) return QBrush();
    *info = object->brushInfo;
    return object->brush;
}

// Fills without the pen and whatever the raster operation; pattern gaps follow the
// background mode.
void FillArea(PlatformDC* dc, const QRect& rect, const QBrush& brush) {
    QPainter& p = dc->painter;
    p.setPen(Qt::NoPen);
    p.setBrush(brush);
    p.drawRect(rect);
    p.setPen(dc->qpen);
    p.setBrush(dc->qbrush);
}

QFont TextFont(const PlatformDC* dc) {
    QFont font = dc->qfont;
    if (dc->charExtra != 0) font.setLetterSpacing(QFont::AbsoluteSpacing, dc->charExtra);
    return font;
}

int TextWidth(const PlatformDC* dc, const QFont& font, const QString& text) {
    QFontMetrics metrics = dc->device != nullptr ? QFontMetrics(font, dc->device) : QFontMetrics(font);
    return metrics.horizontalAdvance(text);
}

}  // namespace

BOOL MoveToEx(HDC hdc, int x, int y, POINT* previous) {
    PlatformDC* dc = FindDC(hdc);
    if (dc == nullptr) return FALSE;
    if (previous != nullptr) *previous = dc->position;
    dc->position = POINT{x, y};
    RecordPoints(dc, GdiOp::MoveTo, {POINT{x, y}});
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
    PlatformDC* dc = FindDC(hdc);
    if (dc == nullptr) return FALSE;
    RecordPoints(dc, GdiOp::LineTo, {POINT{x, y}});
    QPoint ends[2] = {ToQPoint(dc->position), ToQPoint(POINT{x, y})};
    dc->position = POINT{x, y};
    return DrawShape(dc, PointsBounds(ends, 2, dc->penInfo.width),
                     [&](QPainter& p) { p.drawLine(ends[0], ends[1]); });
}

BOOL Polyline(HDC hdc, const POINT* points, int count) {
    PlatformDC* dc = FindDC(hdc);
    if (dc == nullptr || points == nullptr || count < 2) return FALSE;
    if (dc->recording) {
        GdiCall call = MakeCall(dc, GdiOp::Polyline);
        call.points.assign(points, points + count);
        dc->record.push_back(std::move(call));
    }
    std::vector<QPoint>& q = ScratchPoints(points, count);
    return DrawShape(dc, PointsBounds(q.data(), count, dc->penInfo.width),
                     [&](QPainter& p) { p.drawPolyline(q.data(), count); });
}

BOOL Polygon(HDC hdc, const POINT* points, int count) {
    PlatformDC* dc = FindDC(hdc);
    if (dc == nullptr || points == nullptr || count < 2) return FALSE;
    if (dc->recording) {
        GdiCall call = MakeCall(dc, GdiOp::Polygon);
        call.points.assign(points, points + count);
        dc->record.push_back(std::move(call));
    }
    std::vector<QPoint>& q = ScratchPoints(points, count);
    return DrawShape(dc, PointsBounds(q.data(), count, dc->penInfo.width),
                     [&](QPainter& p) { p.drawPolygon(q.data(), count, Qt::OddEvenFill); });
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
    PlatformDC* dc = FindDC(hdc);
    if (dc == nullptr) return FALSE;
    RecordPoints(dc, GdiOp::Ellipse, {POINT{left, top}, POINT{right, bottom}});
    QRect rect = ShapeRect(left, top, right, bottom);
    return DrawShape(dc, rect.adjusted(-dc->penInfo.width - 1, -dc->penInfo.width - 1, dc->penInfo.width + 1,
                                       dc->penInfo.width + 1),
                     [&](QPainter& p) { p.drawEllipse(rect); });
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    PlatformDC* dc = FindDC(hdc);
    if (dc == nullptr) return FALSE;
    RecordPoints(dc, GdiOp::Rectangle, {POINT{left, top}, POINT{right, bottom}});
    QRect rect = ShapeRect(left, top, right, bottom);
    return DrawShape(dc, rect.adjusted(-dc->penInfo.width - 1, -dc->penInfo.width - 1, dc->penInfo.width + 1,
                                       dc->penInfo.width + 1),
                     [&](QPainter& p) { p.drawRect(rect); });
}

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    PlatformDC* dc = FindDC(hdc);
    if (dc == nullptr || rect == nullptr) return FALSE;
    GdiBrushInfo info{};
    QBrush qbrush = BrushFor(brush, &info);
    if (qbrush.style() == Qt::NoBrush && info.style != BS_NULL) return FALSE;  // refused handle
    if (dc->recording) {
        GdiCall call = MakeCall(dc, GdiOp::FillRect);
        call.points = {POINT{rect->left, rect->top}, POINT{rect->right, rect->bottom}};
        call.brush = brush;
        call.brushInfo = info;
        dc->record.push_back(std::move(call));
    }
    int left = Clamp(rect->left), top = Clamp(rect->top), right = Clamp(rect->right), bottom = Clamp(rect->bottom);
    if (right <= left || bottom <= top) return TRUE;
    if (!BeginDCPainter(dc)) return FALSE;
    QRect area(left, top, right - left, bottom - top);
    FillArea(dc, area, qbrush);
    NotifyChanged(dc, area);
    return TRUE;
}

BOOL DrawEdge(HDC hdc, RECT* rect, UINT edge, UINT flags) {
    PlatformDC* dc = FindDC(hdc);
    if (dc == nullptr || rect == nullptr) return FALSE;
    if (dc->recording) {
        GdiCall call = MakeCall(dc, GdiOp::DrawEdge);
        call.points = {POINT{rect->left, rect->top}, POINT{rect->right, rect->bottom}};
        call.edge = edge;
        call.flags = flags;
        dc->record.push_back(std::move(call));
    }
    struct Border {
        UINT raised;
        UINT sunken;
        COLORREF raisedLight, raisedDark, sunkenLight, sunkenDark;
    };
    // Outer line first, then the inner one: light on the top and left, dark on the bottom and
    // right for a raised edge, the other way round for a sunken one.
    const Border borders[2] = {
        {BDR_RAISEDOUTER, BDR_SUNKENOUTER, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW),
         GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT)},
        {BDR_RAISEDINNER, BDR_SUNKENINNER, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW),
         GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT)},
    };
    bool painting = BeginDCPainter(dc);
    int left = Clamp(rect->left), top = Clamp(rect->top), right = Clamp(rect->right), bottom = Clamp(rect->bottom);
    QRect all(left, top, right - left, bottom - top);
    for (const Border& border : borders) {
        if ((edge & (border.raised | border.sunken)) == 0) continue;
        if (right - left <= 0 || bottom - top <= 0) break;
        bool raised = (edge & border.raised) != 0;
        QColor topLeft = ToQColor(raised ? border.raisedLight : border.sunkenLight);
        QColor bottomRight = ToQColor(raised ? border.raisedDark : border.sunkenDark);
        if (painting) {
            QPainter& p = dc->painter;
            if (flags & BF_TOP) p.fillRect(QRect(left, top, right - left - 1, 1), topLeft);
            if (flags & BF_LEFT) p.fillRect(QRect(left, top, 1, bottom - top - 1), topLeft);
            if (flags & BF_BOTTOM) p.fillRect(QRect(left, bottom - 1, right - left, 1), bottomRight);
            if (flags & BF_RIGHT) p.fillRect(QRect(right - 1, top, 1, bottom - top), bottomRight);
        }
        if (flags & BF_LEFT) ++left;
        if (flags & BF_TOP) ++top;
        if (flags & BF_RIGHT) --right;
        if (flags & BF_BOTTOM) --bottom;
    }
    if (flags & BF_ADJUST) *rect = RECT{left, top, right, bottom};
    if (painting) NotifyChanged(dc, all);
    return painting ? TRUE : FALSE;
}

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int length) {
    PlatformDC* dc = FindDC(hdc);
    if (dc == nullptr || text == nullptr || length < 0) return FALSE;
    if (dc->recording) {
        GdiCall call = MakeCall(dc, GdiOp::TextOut);
        call.points = {POINT{x, y}};
        call.text.assign(text, static_cast<size_t>(length));
        dc->record.push_back(std::move(call));
    }
    if (length == 0) return TRUE;
    if (!BeginDCPainter(dc)) return FALSE;
    QString s = FromCp1251(text, length);
    QFont font = TextFont(dc);
    int width = TextWidth(dc, font, s);
    QTransform turn;
    turn.translate(Clamp(x), Clamp(y));
    if (dc->fontInfo.escapement % 3600 != 0) turn.rotate(-static_cast<double>(dc->fontInfo.escapement) / 10.0);
    QRect cell(0, 0, width, dc->fontCell);
    QPainter& p = dc->painter;
    p.setTransform(turn);
    if (dc->bkMode == OPAQUE) p.fillRect(cell, ToQColor(dc->bkColor));
    p.setBackgroundMode(Qt::TransparentMode);
    p.setPen(ToQColor(dc->textColor));
    p.setFont(font);
    p.drawText(QPoint(0, dc->fontAscent), s);
    p.resetTransform();
    p.setPen(dc->qpen);
    p.setBackgroundMode(dc->bkMode == OPAQUE ? Qt::OpaqueMode : Qt::TransparentMode);
    NotifyChanged(dc, turn.mapRect(cell).adjusted(-2, -2, 2, 2));
    return TRUE;
}

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR text, int length, SIZE* size) {
    PlatformDC* dc = FindDC(hdc);
    if (dc == nullptr || text == nullptr || length < 0 || size == nullptr) return FALSE;
    size->cx = TextWidth(dc, TextFont(dc), FromCp1251(text, length));
    size->cy = dc->fontCell;
    return TRUE;
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop) {
    PlatformDC* to = FindDC(dest);
    PlatformDC* from = FindDC(source);
    if (to == nullptr || from == nullptr || rop != SRCCOPY) return FALSE;
    if (to->recording) {
        GdiCall call = MakeCall(to, GdiOp::BitBlt);
        call.points = {POINT{x, y}, POINT{width, height}, POINT{sourceX, sourceY}};
        call.source = source;
        to->record.push_back(std::move(call));
    }
    if (from->image == nullptr || width <= 0 || height <= 0) return FALSE;
    x = Clamp(x);
    y = Clamp(y);
    // Only the part of the source rectangle that lies on the source is copied.
    QRect wanted(Clamp(sourceX), Clamp(sourceY), std::min(width, kCoordLimit), std::min(height, kCoordLimit));
    QRect part = wanted.intersected(from->image->rect());
    if (part.isEmpty()) return TRUE;
    QPoint at(x + part.x() - wanted.x(), y + part.y() - wanted.y());
    if (!BeginDCPainter(to)) return FALSE;
    QPainter& p = to->painter;
    p.setCompositionMode(QPainter::CompositionMode_Source);
    if (from->image == to->image) {
        p.drawImage(at, from->image->copy(part));
    } else {
        p.drawImage(at, *from->image, part);
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    NotifyChanged(to, QRect(at, part.size()));
    return TRUE;
}

COLORREF GetPixel(HDC hdc, int x, int y) {
    PlatformDC* dc = FindDC(hdc);
    if (dc == nullptr || dc->image == nullptr || !dc->image->valid(x, y)) return CLR_INVALID;
    QRgb c = dc->image->pixel(x, y);
    return RGB(qRed(c), qGreen(c), qBlue(c));
}
