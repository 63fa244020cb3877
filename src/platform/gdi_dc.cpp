// Device contexts: creation, capabilities, the selected objects and state, the painter each
// context keeps open on its target, and the call record.
#include <QApplication>
#include <QPaintDevice>
#include <QScreen>

#include <cmath>
#include <unordered_map>
#include <unordered_set>

#include "platform/gdi_internal.h"
#include "platform/gdi_qt.h"

// The view asks the platform for the physical width of a device (view/view.h). The platform
// library comes after the view in the link order, so the installer is referenced weakly: a
// program without the view simply has nothing to install into.
using DeviceWidthMmQuery = int (*)(HDC);
void SetDeviceWidthMmQuery(DeviceWidthMmQuery widthMm, DeviceWidthMmQuery widthPx) __attribute__((weak));

namespace {

std::unordered_set<PlatformDC*>& LiveDCs() {
    static auto* set = new std::unordered_set<PlatformDC*>();
    return *set;
}

// Only one painter may be open on a paint device; a context that needs one closes the other's.
std::unordered_map<QPaintDevice*, PlatformDC*>& Painting() {
    static auto* map = new std::unordered_map<QPaintDevice*, PlatformDC*>();
    return *map;
}

struct ScreenCaps {
    int widthPx;
    int heightPx;
    int widthMm;
    int heightMm;
    int dpiX;
    int dpiY;
};

ScreenCaps MeasureScreen() {
    EnsurePlatformApplication();
    ScreenCaps caps{1024, 768, 0, 0, 96, 96};
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        QSize size = screen->geometry().size();
        if (size.width() > 0 && size.height() > 0) {
            caps.widthPx = size.width();
            caps.heightPx = size.height();
        }
        double dpiX = screen->logicalDotsPerInchX();
        double dpiY = screen->logicalDotsPerInchY();
        if (dpiX > 0.0 && dpiY > 0.0) {
            caps.dpiX = static_cast<int>(std::lround(dpiX));
            caps.dpiY = static_cast<int>(std::lround(dpiY));
        }
        QSizeF physical = screen->physicalSize();
        if (physical.width() > 0.0 && physical.height() > 0.0) {
            caps.widthMm = static_cast<int>(std::lround(physical.width()));
            caps.heightMm = static_cast<int>(std::lround(physical.height()));
        }
    }
    if (caps.widthMm <= 0 || caps.heightMm <= 0) {
        // The display does not tell its size: assume 96 pixels per inch.
        caps.widthMm = static_cast<int>(std::lround(caps.widthPx * 25.4 / 96.0));
        caps.heightMm = static_cast<int>(std::lround(caps.heightPx * 25.4 / 96.0));
    }
    return caps;
}

const ScreenCaps& Screen() {
    static const ScreenCaps caps = MeasureScreen();
    return caps;
}

void InstallWidthQuery() {
    if (SetDeviceWidthMmQuery != nullptr) SetDeviceWidthMmQuery(GetDeviceWidthMm, GetDeviceWidthPx);
}

void SelectDefaults(PlatformDC* dc) {
    HGDIOBJ pen = GetStockObject(BLACK_PEN);
    HGDIOBJ brush = GetStockObject(WHITE_BRUSH);
    HFONT font = DefaultFont();
    ApplyPen(dc, FindObject(pen, GdiKind::Pen));
    dc->pen = static_cast<HPEN>(pen);
    ApplyBrush(dc, FindObject(brush, GdiKind::Brush));
    dc->brush = static_cast<HBRUSH>(brush);
    ApplyFont(dc, FindObject(font, GdiKind::Font));
    dc->font = font;
}

void AttachBitmap(PlatformDC* dc, HBITMAP bitmap) {
    GdiObject* object = FindObject(bitmap, GdiKind::Bitmap);
    dc->bitmap = bitmap;
    dc->image = object->image.get();
    dc->device = dc->image;
    if (!object->stock) object->selectedIn = dc;
}

}  // namespace

void EnsurePlatformApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "korvinsk-plan";
    static char* argv[] = {name, nullptr};
    static QApplication* application = new QApplication(argc, argv);
    (void)application;
}

void InitPlatformDrawing() {
    EnsurePlatformApplication();
    InstallWidthQuery();
}

int GetDeviceWidthMm(HDC hdc) { return GetDeviceCaps(hdc, HORZSIZE); }

int GetDeviceWidthPx(HDC hdc) { return GetDeviceCaps(hdc, HORZRES); }

PlatformDC* FindDC(HDC hdc) {
    if (hdc == nullptr) return nullptr;
    auto& live = LiveDCs();
    return live.count(hdc) != 0 ? hdc : nullptr;
}

PlatformDC* NewDC(DCKind kind) {
    EnsurePlatformApplication();
    auto* dc = new PlatformDC();
    dc->kind = kind;
    SelectDefaults(dc);
    if (kind == DCKind::Memory) AttachBitmap(dc, DefaultBitmap());
    LiveDCs().insert(dc);
    return dc;
}

int GdiLiveDCCount() { return static_cast<int>(LiveDCs().size()); }

void SetupDCPainter(PlatformDC* dc) {
    QPainter& p = dc->painter;
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setPen(dc->qpen);
    p.setBrush(dc->qbrush);
    p.setBackground(ToQColor(dc->bkColor));
    p.setBackgroundMode(dc->bkMode == OPAQUE ? Qt::OpaqueMode : Qt::TransparentMode);
    if (dc->hasClip) {
        p.setClipRect(dc->clip);
    } else {
        p.setClipping(false);
    }
}

bool BeginDCPainter(PlatformDC* dc) {
    if (dc->painterOpen) return dc->kind != DCKind::Printer || dc->inPage;
    if (dc->device == nullptr || dc->kind == DCKind::Printer) return false;
    auto& painting = Painting();
    auto it = painting.find(dc->device);
    if (it != painting.end() && it->second != dc) EndDCPainter(it->second);
    if (!dc->painter.begin(dc->device)) return false;
    painting[dc->device] = dc;
    dc->painterOpen = true;
    SetupDCPainter(dc);
    return true;
}

void EndDCPainter(PlatformDC* dc) {
    if (!dc->painterOpen) return;
    dc->painter.end();
    dc->painterOpen = false;
    auto& painting = Painting();
    auto it = painting.find(dc->device);
    if (it != painting.end() && it->second == dc) painting.erase(it);
}

void ReleaseDevicePainter(QPaintDevice* device) {
    auto& painting = Painting();
    auto it = painting.find(device);
    if (it != painting.end()) EndDCPainter(it->second);
}

void NotifyChanged(PlatformDC* dc, const QRect& area) {
    if (!dc->changed || dc->image == nullptr) return;
    QRect touched = area.intersected(dc->image->rect());
    if (dc->hasClip) touched = touched.intersected(dc->clip);
    if (!touched.isEmpty()) dc->changed(touched);
}

void ApplyPen(PlatformDC* dc, const GdiObject* pen) {
    dc->penInfo = pen->penInfo;
    dc->qpen = pen->pen;
    if (dc->painterOpen) dc->painter.setPen(dc->qpen);
}

void ApplyBrush(PlatformDC* dc, const GdiObject* brush) {
    dc->brushInfo = brush->brushInfo;
    dc->qbrush = brush->brush;
    if (dc->painterOpen) dc->painter.setBrush(dc->qbrush);
}

void ApplyFont(PlatformDC* dc, const GdiObject* font) {
    dc->fontInfo = font->fontInfo;
    dc->qfont = font->font;
    dc->fontCell = font->cellHeight;
    dc->fontAscent = font->ascent;
}

void ForgetBitmapInContexts(GdiObject* bitmap) {
    PlatformDC* dc = bitmap->selectedIn;
    bitmap->selectedIn = nullptr;
    if (dc == nullptr || FindDC(dc) == nullptr) return;
    EndDCPainter(dc);
    AttachBitmap(dc, DefaultBitmap());
}

HDC CreateCompatibleDC(HDC hdc) {
    if (hdc != nullptr && FindDC(hdc) == nullptr) return nullptr;
    return NewDC(DCKind::Memory);
}

HDC CreateImageDC(QImage* image) {
    PlatformDC* dc = NewDC(DCKind::Image);
    dc->image = image;
    dc->device = image;
    InstallWidthQuery();
    return dc;
}

void SetImageDCTarget(HDC hdc, QImage* image) {
    PlatformDC* dc = FindDC(hdc);
    if (dc == nullptr || dc->kind != DCKind::Image) return;
    EndDCPainter(dc);
    dc->image = image;
    dc->device = image;
}

HDC CreatePaintDeviceDC(QPaintDevice* device) {
    PlatformDC* dc = NewDC(DCKind::Device);
    dc->device = device;
    if (device != nullptr && device->devType() == QInternal::Image) dc->image = static_cast<QImage*>(device);
    return dc;
}

void ReleaseDCPainter(HDC hdc) {
    PlatformDC* dc = FindDC(hdc);
    if (dc != nullptr && dc->kind != DCKind::Printer) EndDCPainter(dc);
}

void SetDCChangedCallback(HDC hdc, std::function<void(const QRect&)> callback) {
    PlatformDC* dc = FindDC(hdc);
    if (dc != nullptr) dc->changed = std::move(callback);
}

QImage* GetDCImage(HDC hdc) {
    PlatformDC* dc = FindDC(hdc);
    return dc != nullptr ? dc->image : nullptr;
}

BOOL DeleteDC(HDC hdc) {
    PlatformDC* dc = FindDC(hdc);
    if (dc == nullptr) return FALSE;
    EndDCPainter(dc);
    if (dc->kind == DCKind::Memory) {
        GdiObject* bitmap = FindObject(dc->bitmap, GdiKind::Bitmap);
        if (bitmap != nullptr && bitmap->selectedIn == dc) bitmap->selectedIn = nullptr;
    }
    LiveDCs().erase(dc);
    delete dc;
    return TRUE;
}

int GetDeviceCaps(HDC hdc, int index) {
    PlatformDC* dc = FindDC(hdc);
    if (dc == nullptr) return 0;
    if (dc->kind == DCKind::Memory || dc->kind == DCKind::Image || dc->device == nullptr) {
        const ScreenCaps& s = Screen();
        switch (index) {
            case HORZSIZE: return s.widthMm;
            case VERTSIZE: return s.heightMm;
            case HORZRES: return s.widthPx;
            case VERTRES: return s.heightPx;
            case LOGPIXELSX: return s.dpiX;
            case LOGPIXELSY: return s.dpiY;
            default: return 0;
        }
    }
    const QPaintDevice* d = dc->device;
    switch (index) {
        case HORZSIZE: return d->widthMM();
        case VERTSIZE: return d->heightMM();
        case HORZRES: return d->width();
        case VERTRES: return d->height();
        case LOGPIXELSX: return d->logicalDpiX();
        case LOGPIXELSY: return d->logicalDpiY();
        default: return 0;
    }
}

int SetMapMode(HDC hdc, int mode) {
    if (FindDC(hdc) == nullptr || mode != MM_TEXT) return 0;
    return MM_TEXT;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ handle) {
    PlatformDC* dc = FindDC(hdc);
    GdiObject* object = FindAnyObject(handle);
    if (dc == nullptr || object == nullptr) return nullptr;
    switch (object->kind) {
        case GdiKind::Pen: {
            HPEN previous = dc->pen;
            ApplyPen(dc, object);
            dc->pen = static_cast<HPEN>(handle);
            return previous;
        }
        case GdiKind::Brush: {
            HBRUSH previous = dc->brush;
            ApplyBrush(dc, object);
            dc->brush = static_cast<HBRUSH>(handle);
            return previous;
        }
        case GdiKind::Font: {
            HFONT previous = dc->font;
            ApplyFont(dc, object);
            dc->font = static_cast<HFONT>(handle);
            return previous;
        }
        case GdiKind::Region:
            return reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(SelectClipRgn(hdc, static_cast<HRGN>(handle))));
        case GdiKind::Bitmap: {
            if (dc->kind != DCKind::Memory) return nullptr;
            if (object->selectedIn != nullptr && object->selectedIn != dc) return nullptr;  // one context at a time
            HBITMAP previous = dc->bitmap;
            if (previous == handle) return previous;
            EndDCPainter(dc);
            GdiObject* old = FindObject(previous, GdiKind::Bitmap);
            if (old != nullptr && old->selectedIn == dc) old->selectedIn = nullptr;
            AttachBitmap(dc, static_cast<HBITMAP>(handle));
            return previous;
        }
    }
    return nullptr;
}

int SelectClipRgn(HDC hdc, HRGN region) {
    PlatformDC* dc = FindDC(hdc);
    if (dc == nullptr) return 0;
    if (region == nullptr) {
        dc->hasClip = false;
        if (dc->painterOpen) dc->painter.setClipping(false);
        return SIMPLEREGION;
    }
    GdiObject* object = FindObject(region, GdiKind::Region);
    if (object == nullptr) return 0;
    dc->hasClip = true;
    dc->clip = object->region;
    if (dc->painterOpen) dc->painter.setClipRect(dc->clip);
    return dc->clip.isEmpty() ? NULLREGION : SIMPLEREGION;
}

COLORREF SetTextColor(HDC hdc, COLORREF color) {
    PlatformDC* dc = FindDC(hdc);
    if (dc == nullptr) return CLR_INVALID;
    COLORREF previous = dc->textColor;
    dc->textColor = color & 0xFFFFFF;
    return previous;
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
    PlatformDC* dc = FindDC(hdc);
    if (dc == nullptr) return CLR_INVALID;
    COLORREF previous = dc->bkColor;
    dc->bkColor = color & 0xFFFFFF;
    if (dc->painterOpen) dc->painter.setBackground(ToQColor(dc->bkColor));
    return previous;
}

int SetBkMode(HDC hdc, int mode) {
    PlatformDC* dc = FindDC(hdc);
    if (dc == nullptr || (mode != OPAQUE && mode != TRANSPARENT)) return 0;
    int previous = dc->bkMode;
    dc->bkMode = mode;
    if (dc->painterOpen) dc->painter.setBackgroundMode(mode == OPAQUE ? Qt::OpaqueMode : Qt::TransparentMode);
    return previous;
}

int SetROP2(HDC hdc, int mode) {
    PlatformDC* dc = FindDC(hdc);
    if (dc == nullptr || (mode != R2_COPYPEN && mode != R2_NOT)) return 0;
    int previous = dc->rop2;
    dc->rop2 = mode;
    return previous;
}

int SetTextCharacterExtra(HDC hdc, int extra) {
    PlatformDC* dc = FindDC(hdc);
    if (dc == nullptr) return static_cast<int>(0x80000000);
    int previous = dc->charExtra;
    dc->charExtra = extra;
    return previous;
}

void StartCallRecord(HDC hdc) {
    PlatformDC* dc = FindDC(hdc);
    if (dc == nullptr) return;
    dc->recording = true;
    dc->record.clear();
}

void StopCallRecord(HDC hdc) {
    PlatformDC* dc = FindDC(hdc);
    if (dc != nullptr) dc->recording = false;
}

const std::vector<GdiCall>& GetCallRecord(HDC hdc) {
    static const std::vector<GdiCall> kNone;
    PlatformDC* dc = FindDC(hdc);
    return dc != nullptr ? dc->record : kNone;
}
