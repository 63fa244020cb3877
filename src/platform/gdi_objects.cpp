// Pens, brushes, fonts, regions and bitmaps: creation, the stock objects, and the table that
// keeps every live one. Handles are numbers that are never reused, so that a handle kept after
// its object was deleted is refused instead of standing for a newer object.
#include <QFontMetricsF>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>

#include "platform/gdi_internal.h"
#include "platform/gdi_qt.h"

namespace {

// Far above the values (HBRUSH)(COLOR_xxx + 1) that FillRect takes as system colours.
constexpr uintptr_t kFirstHandle = 0x10000;
constexpr uintptr_t kHandleStep = 16;

struct ObjectTable {
    std::unordered_map<uintptr_t, std::unique_ptr<GdiObject>> objects;
    uintptr_t nextHandle = kFirstHandle;
    int live = 0;
    std::unordered_map<int, uintptr_t> stock;     // GetStockObject index -> handle
    std::unordered_map<int, uintptr_t> sysBrush;  // system colour -> handle
    uintptr_t defaultBitmap = 0;
    uintptr_t defaultFont = 0;
};

ObjectTable& Table() {
    static ObjectTable* table = new ObjectTable();  // lives as long as the process
    return *table;
}

GdiObject* Register(std::unique_ptr<GdiObject> object, bool stock) {
    ObjectTable& table = Table();
    object->stock = stock;
    object->handle = table.nextHandle;
    table.nextHandle += kHandleStep;
    if (!stock) ++table.live;
    GdiObject* raw = object.get();
    table.objects.emplace(raw->handle, std::move(object));
    return raw;
}

void* HandleOf(const GdiObject* object) { return reinterpret_cast<void*>(object->handle); }

std::unique_ptr<GdiObject> MakePen(int style, int width, COLORREF color, bool geometric, DWORD caps) {
    auto object = std::make_unique<GdiObject>();
    object->kind = GdiKind::Pen;
    int base = style & 0x0F;
    if (base != PS_SOLID && base != PS_DASH && base != PS_DOT && base != PS_NULL) base = PS_SOLID;
    width = std::clamp(width, 1, 10000);  // wider than any page: the stroker would only labour
    bool flat = geometric && (caps & 0x0F00) == PS_ENDCAP_FLAT;
    object->penInfo = GdiPenInfo{base, width, color, geometric, flat};
    if (base == PS_NULL) {
        object->pen = QPen(Qt::NoPen);
        return object;
    }
    QPen pen(ToQColor(color));
    pen.setWidth(width);
    if (!geometric && width == 1) {
        // A thin pen leaves out the end point of a line, so that joined lines meet without
        // covering a pixel twice.
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
    } else if (!geometric) {
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    } else {
        DWORD cap = caps & 0x0F00;
        pen.setCapStyle(cap == PS_ENDCAP_FLAT ? Qt::FlatCap : cap == PS_ENDCAP_SQUARE ? Qt::SquareCap : Qt::RoundCap);
        DWORD join = caps & 0xF000;
        pen.setJoinStyle(join == PS_JOIN_MITER ? Qt::MiterJoin : join == PS_JOIN_BEVEL ? Qt::BevelJoin : Qt::RoundJoin);
    }
    if (base == PS_DOT) {
        pen.setDashPattern({3.0, 3.0});
    } else if (base == PS_DASH) {
        pen.setDashPattern({18.0, 6.0});
    }
    object->pen = pen;
    return object;
}

std::unique_ptr<GdiObject> MakeBrush(UINT style, int hatch, COLORREF color) {
    auto object = std::make_unique<GdiObject>();
    object->kind = GdiKind::Brush;
    object->brushInfo = GdiBrushInfo{style, hatch, color};
    if (style == BS_NULL) {
        object->brush = QBrush(Qt::NoBrush);
    } else if (style == BS_HATCHED) {
        static const Qt::BrushStyle kHatches[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::BDiagPattern,
                                                  Qt::FDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        object->brush = QBrush(ToQColor(color), kHatches[std::clamp(hatch, 0, 5)]);
    } else {
        object->brush = QBrush(ToQColor(color));
    }
    return object;
}

QString FamilyFor(const char* face) {
    QString name = QString::fromLatin1(face != nullptr ? face : "");
    if (name.isEmpty() || name.startsWith(QLatin1String("Arial"), Qt::CaseInsensitive) ||
        name.contains(QLatin1String("Sans Serif"), Qt::CaseInsensitive) ||
        name.startsWith(QLatin1String("MS Shell Dlg"), Qt::CaseInsensitive) ||
        name.compare(QLatin1String("System"), Qt::CaseInsensitive) == 0) {
        return QStringLiteral("Liberation Sans");
    }
    if (name.startsWith(QLatin1String("Times"), Qt::CaseInsensitive)) return QStringLiteral("Liberation Serif");
    if (name.startsWith(QLatin1String("Courier"), Qt::CaseInsensitive)) return QStringLiteral("Liberation Mono");
    return name;
}

// Ascent and descent of a family per pixel of character height.
void FamilyProportions(const QFont& font, double* ascent, double* descent) {
    QFont probe = font;
    probe.setPixelSize(1000);
    QFontMetricsF metrics(probe);
    *ascent = metrics.ascent() / 1000.0;
    *descent = metrics.descent() / 1000.0;
    if (*ascent + *descent <= 0.0) {
        *ascent = 0.905;
        *descent = 0.212;
    }
}

std::unique_ptr<GdiObject> MakeFont(int height, int escapement, int weight, bool italic, const char* face) {
    EnsurePlatformApplication();
    auto object = std::make_unique<GdiObject>();
    object->kind = GdiKind::Font;
    object->fontInfo = GdiFontInfo{height, escapement, weight, italic, face != nullptr ? face : ""};
    // Sizes beyond any screen or page would only make the font engine slow.
    height = std::clamp(height, -20000, 20000);
    QFont font;
    QString family = FamilyFor(face);
    font.setFamilies({family, QStringLiteral("Liberation Sans")});
    font.setWeight(static_cast<QFont::Weight>(weight <= 0 ? 400 : std::clamp(weight, 100, 900)));
    font.setItalic(italic);
    font.setKerning(false);  // characters advance by their own widths, as extra spacing expects
    font.setHintingPreference(QFont::PreferFullHinting);
    double ascent = 0.0;
    double descent = 0.0;
    FamilyProportions(font, &ascent, &descent);
    // The height asked for is a cell height when positive and a character height when
    // negative; 0 asks for the ordinary size.
    int cell = height == 0 ? 16 : std::abs(height);
    int pixelSize;
    if (height < 0) {
        pixelSize = std::max(1, std::abs(height));
        cell = std::max(1, static_cast<int>(std::lround(pixelSize * (ascent + descent))));
    } else {
        pixelSize = std::max(1, static_cast<int>(std::lround(cell / (ascent + descent))));
    }
    font.setPixelSize(pixelSize);
    object->font = font;
    object->cellHeight = cell;
    object->ascent = static_cast<int>(std::lround(cell * ascent / (ascent + descent)));
    return object;
}

COLORREF SysColorValue(int index) {
    // The colours of a current desktop's default scheme.
    static const COLORREF kColours[] = {
        RGB(200, 200, 200), RGB(0, 0, 0),       RGB(153, 180, 209), RGB(191, 205, 219), RGB(240, 240, 240),
        RGB(255, 255, 255), RGB(100, 100, 100), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),
        RGB(180, 180, 180), RGB(244, 247, 252), RGB(171, 171, 171), RGB(0, 120, 215),   RGB(255, 255, 255),
        RGB(240, 240, 240), RGB(160, 160, 160), RGB(109, 109, 109), RGB(0, 0, 0),       RGB(0, 0, 0),
        RGB(255, 255, 255), RGB(105, 105, 105), RGB(227, 227, 227), RGB(0, 0, 0),       RGB(255, 255, 225),
        RGB(0, 0, 0),       RGB(0, 102, 204),   RGB(185, 209, 234), RGB(215, 228, 242), RGB(51, 153, 255),
        RGB(240, 240, 240)};
    if (index < 0 || index >= static_cast<int>(sizeof(kColours) / sizeof(kColours[0]))) return 0;
    return kColours[index];
}

}  // namespace

GdiObject* FindAnyObject(const void* handle) {
    ObjectTable& table = Table();
    auto it = table.objects.find(reinterpret_cast<uintptr_t>(handle));
    return it == table.objects.end() ? nullptr : it->second.get();
}

GdiObject* FindObject(const void* handle, GdiKind kind) {
    GdiObject* object = FindAnyObject(handle);
    return object != nullptr && object->kind == kind ? object : nullptr;
}

HPEN CreatePen(int style, int width, COLORREF color) {
    return static_cast<HPEN>(HandleOf(Register(MakePen(style, width, color, false, 0), false)));
}

HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD styleCount, const DWORD* styles) {
    if (brush == nullptr || styleCount != 0 || styles != nullptr) return nullptr;
    bool geometric = (style & PS_GEOMETRIC) != 0;
    if (!geometric && width != 1) return nullptr;
    int w = static_cast<int>(std::min<DWORD>(width, 10000u));
    COLORREF color = brush->lbStyle == BS_NULL ? 0 : brush->lbColor;
    int base = brush->lbStyle == BS_NULL ? PS_NULL : static_cast<int>(style & 0x0F);
    return static_cast<HPEN>(HandleOf(Register(MakePen(base, w, color, geometric, style & 0xFF00), false)));
}

HBRUSH CreateSolidBrush(COLORREF color) {
    return static_cast<HBRUSH>(HandleOf(Register(MakeBrush(BS_SOLID, 0, color), false)));
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
    if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) return nullptr;
    return static_cast<HBRUSH>(HandleOf(Register(MakeBrush(BS_HATCHED, hatch, color), false)));
}

HFONT CreateFontA(int height, int /*width*/, int escapement, int /*orientation*/, int weight, DWORD italic,
                  DWORD /*underline*/, DWORD /*strikeOut*/, DWORD /*charSet*/, DWORD /*outPrecision*/,
                  DWORD /*clipPrecision*/, DWORD /*quality*/, DWORD /*pitchAndFamily*/, LPCSTR face) {
    return static_cast<HFONT>(HandleOf(Register(MakeFont(height, escapement, weight, italic != 0, face), false)));
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    auto object = std::make_unique<GdiObject>();
    object->kind = GdiKind::Region;
    // A region is normalised, and empty when it has no width or height.
    left = ClampCoord(left);
    top = ClampCoord(top);
    right = ClampCoord(right);
    bottom = ClampCoord(bottom);
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    if (left < right && top < bottom) object->region = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    return static_cast<HRGN>(HandleOf(Register(std::move(object), false)));
}

HBITMAP CreateBitmapFromImage(const QImage& image) {
    if (image.isNull()) return nullptr;
    auto object = std::make_unique<GdiObject>();
    object->kind = GdiKind::Bitmap;
    object->image = std::make_unique<QImage>(image.convertToFormat(QImage::Format_RGB32));
    return static_cast<HBITMAP>(HandleOf(Register(std::move(object), false)));
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
    if (hdc != nullptr && FindDC(hdc) == nullptr) return nullptr;
    // Beyond 32768 pixels a side the toolkit refuses images; and a bitmap larger than eight 4K
    // screens would only exhaust memory.
    if (width <= 0 || height <= 0 || width > 32768 || height > 32768) return nullptr;
    if (static_cast<int64_t>(width) * height > (int64_t{1} << 27)) return nullptr;
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) return nullptr;
    image.fill(Qt::black);
    auto object = std::make_unique<GdiObject>();
    object->kind = GdiKind::Bitmap;
    object->image = std::make_unique<QImage>(std::move(image));
    return static_cast<HBITMAP>(HandleOf(Register(std::move(object), false)));
}

QImage* GetBitmapImage(HBITMAP bitmap) {
    GdiObject* object = FindObject(bitmap, GdiKind::Bitmap);
    return object != nullptr ? object->image.get() : nullptr;
}

HGDIOBJ GetStockObject(int index) {
    ObjectTable& table = Table();
    auto it = table.stock.find(index);
    if (it != table.stock.end()) return reinterpret_cast<void*>(it->second);
    std::unique_ptr<GdiObject> object;
    switch (index) {
        case WHITE_BRUSH: object = MakeBrush(BS_SOLID, 0, RGB(255, 255, 255)); break;
        case LTGRAY_BRUSH: object = MakeBrush(BS_SOLID, 0, RGB(192, 192, 192)); break;
        case GRAY_BRUSH: object = MakeBrush(BS_SOLID, 0, RGB(128, 128, 128)); break;
        case DKGRAY_BRUSH: object = MakeBrush(BS_SOLID, 0, RGB(64, 64, 64)); break;
        case BLACK_BRUSH: object = MakeBrush(BS_SOLID, 0, RGB(0, 0, 0)); break;
        case NULL_BRUSH: object = MakeBrush(BS_NULL, 0, 0); break;
        case WHITE_PEN: object = MakePen(PS_SOLID, 1, RGB(255, 255, 255), false, 0); break;
        case BLACK_PEN: object = MakePen(PS_SOLID, 1, RGB(0, 0, 0), false, 0); break;
        case NULL_PEN: object = MakePen(PS_NULL, 1, 0, false, 0); break;
        case ANSI_VAR_FONT: object = MakeFont(13, 0, 400, false, "MS Sans Serif"); break;
        case SYSTEM_FONT: object = MakeFont(16, 0, 700, false, "System"); break;
        case DEFAULT_GUI_FONT: object = MakeFont(-11, 0, 400, false, "MS Shell Dlg"); break;
        default: return nullptr;
    }
    GdiObject* raw = Register(std::move(object), true);
    table.stock.emplace(index, raw->handle);
    return HandleOf(raw);
}

HBITMAP DefaultBitmap() {
    ObjectTable& table = Table();
    if (table.defaultBitmap == 0) {
        auto object = std::make_unique<GdiObject>();
        object->kind = GdiKind::Bitmap;
        object->image = std::make_unique<QImage>(1, 1, QImage::Format_RGB32);
        object->image->fill(Qt::black);
        table.defaultBitmap = Register(std::move(object), true)->handle;
    }
    return reinterpret_cast<HBITMAP>(table.defaultBitmap);
}

HFONT DefaultFont() { return static_cast<HFONT>(GetStockObject(SYSTEM_FONT)); }

DWORD GetSysColor(int index) { return SysColorValue(index); }

HBRUSH GetSysColorBrush(int index) {
    ObjectTable& table = Table();
    auto it = table.sysBrush.find(index);
    if (it != table.sysBrush.end()) return reinterpret_cast<HBRUSH>(it->second);
    if (index < 0 || index > 30) return nullptr;
    GdiObject* raw = Register(MakeBrush(BS_SOLID, 0, SysColorValue(index)), true);
    table.sysBrush.emplace(index, raw->handle);
    return static_cast<HBRUSH>(HandleOf(raw));
}

BOOL DeleteObject(HGDIOBJ handle) {
    ObjectTable& table = Table();
    auto it = table.objects.find(reinterpret_cast<uintptr_t>(handle));
    if (it == table.objects.end()) return FALSE;
    GdiObject* object = it->second.get();
    if (object->stock) return TRUE;
    if (object->kind == GdiKind::Bitmap && object->selectedIn != nullptr) ForgetBitmapInContexts(object);
    table.objects.erase(it);
    --table.live;
    return TRUE;
}

int GdiLiveObjectCount() { return Table().live; }

bool GetPenInfo(HPEN pen, GdiPenInfo* info) {
    GdiObject* object = FindObject(pen, GdiKind::Pen);
    if (object == nullptr || info == nullptr) return false;
    *info = object->penInfo;
    return true;
}

bool GetBrushInfo(HBRUSH brush, GdiBrushInfo* info) {
    GdiObject* object = FindObject(brush, GdiKind::Brush);
    if (object == nullptr || info == nullptr) return false;
    *info = object->brushInfo;
    return true;
}

bool GetFontInfo(HFONT font, GdiFontInfo* info) {
    GdiObject* object = FindObject(font, GdiKind::Font);
    if (object == nullptr || info == nullptr) return false;
    *info = object->fontInfo;
    return true;
}

bool GetQFont(HFONT font, QFont* out) {
    GdiObject* object = FindObject(font, GdiKind::Font);
    if (object == nullptr || out == nullptr) return false;
    *out = object->font;
    return true;
}
