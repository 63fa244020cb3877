// Pictures (cursors, icons, bitmaps) made from the resources' character rows, the cursor shown
// over the main window, strings and the warning beep.
#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QVariant>

#include <map>
#include <tuple>

#include "platform/gdi_qt.h"
#include "platform/user_qt.h"
#include "platform/user_testing.h"

namespace {

// Loaded pictures are shared, one per module, kind and number; system ones have no module.
std::map<std::tuple<HINSTANCE, int, int>, std::unique_ptr<PlatformIcon>> g_pictures;
HCURSOR g_cursor = nullptr;
int g_beeps = 0;

constexpr int kSystemArrow = 32512;
constexpr int kSystemIBeam = 32513;
constexpr int kSystemWait = 32514;
constexpr int kSystemCross = 32515;

PlatformIcon* SystemPicture(int number, int kind) {
    auto key = std::make_tuple(HINSTANCE{nullptr}, kind, number);
    auto it = g_pictures.find(key);
    if (it != g_pictures.end()) return it->second.get();
    Qt::CursorShape shape = Qt::ArrowCursor;
    switch (number) {
    case kSystemArrow: shape = Qt::ArrowCursor; break;
    case kSystemIBeam: shape = Qt::IBeamCursor; break;
    case kSystemWait: shape = Qt::WaitCursor; break;
    case kSystemCross: shape = Qt::CrossCursor; break;
    default: return nullptr;
    }
    auto icon = std::make_unique<PlatformIcon>();
    icon->system = true;
    icon->shape = shape;
    PlatformIcon* raw = icon.get();
    g_pictures[key] = std::move(icon);
    return raw;
}

PlatformIcon* ModulePicture(HINSTANCE instance, const char* name, ImageKind kind) {
    const ImageResource* res = FindImageResource(instance, name, kind);
    if (res == nullptr) return nullptr;
    auto key = std::make_tuple(instance, static_cast<int>(kind), res->id);
    auto it = g_pictures.find(key);
    if (it != g_pictures.end()) return it->second.get();
    auto icon = std::make_unique<PlatformIcon>();
    icon->image = ImageFromResource(*res, 0x00000000u);
    icon->hotX = res->hotX;
    icon->hotY = res->hotY;
    PlatformIcon* raw = icon.get();
    g_pictures[key] = std::move(icon);
    return raw;
}

void ShowCursorOn(HWND hwnd, HCURSOR cursor) {
    PlatformWindow* w = LiveWindow(hwnd);
    if (w == nullptr || !w->client) return;
    PlatformIcon* icon = LiveIcon(cursor);
    w->client->setCursor(icon != nullptr ? icon->Cursor() : QCursor(Qt::BlankCursor));
    w->client->setProperty("korvinskCursor", QVariant::fromValue(reinterpret_cast<quintptr>(cursor)));
}

}  // namespace

QCursor PlatformIcon::Cursor() const {
    if (system || image.isNull()) return QCursor(shape);
    return QCursor(QPixmap::fromImage(image), hotX, hotY);
}

PlatformIcon* LiveIcon(HICON icon) {
    if (icon == nullptr) return nullptr;
    for (auto& [key, p] : g_pictures) {
        if (p.get() == icon) return icon;
    }
    return nullptr;
}

QImage ImageFromResource(const ImageResource& resource, uint32_t backgroundArgb) {
    QImage image(resource.width, resource.height, QImage::Format_ARGB32);
    image.fill(QColor::fromRgba(backgroundArgb));
    for (int y = 0; y < resource.height; ++y) {
        const char* row = resource.rows[y];
        for (int x = 0; x < resource.width && row[x] != '\0'; ++x) {
            for (int k = 0; k < resource.paletteCount; ++k) {
                const PaletteEntry& e = resource.palette[k];
                if (e.key != row[x]) continue;
                const uint32_t argb = (e.argb >> 24) == 0 ? backgroundArgb : e.argb;
                image.setPixel(x, y, argb);
                break;
            }
        }
    }
    return image;
}

void ReleaseAllPictures() {
    g_pictures.clear();
    g_cursor = nullptr;
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
    if (name == nullptr) return nullptr;
    if (instance == nullptr) {
        if (!IS_INTRESOURCE(name)) return nullptr;
        return SystemPicture(static_cast<int>(reinterpret_cast<uintptr_t>(name)), 0);
    }
    return ModulePicture(instance, name, ImageKind::Cursor);
}

HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
    if (name == nullptr) return nullptr;
    if (instance == nullptr) {
        if (!IS_INTRESOURCE(name)) return nullptr;
        return SystemPicture(static_cast<int>(reinterpret_cast<uintptr_t>(name)), 1);
    }
    return ModulePicture(instance, name, ImageKind::Icon);
}

BOOL DestroyCursor(HCURSOR cursor) { return LiveIcon(cursor) != nullptr ? TRUE : FALSE; }
BOOL DestroyIcon(HICON icon) { return LiveIcon(icon) != nullptr ? TRUE : FALSE; }

HCURSOR SetCursor(HCURSOR cursor) {
    const HCURSOR previous = g_cursor;
    g_cursor = LiveIcon(cursor) != nullptr ? cursor : nullptr;
    for (HWND hwnd : LiveWindows()) {
        PlatformWindow* w = LiveWindow(hwnd);
        if (w != nullptr && w->kind == WindowKind::Main) ShowCursorOn(hwnd, g_cursor);
    }
    return previous;
}

HCURSOR GetShownCursor(HWND hwnd) {
    PlatformWindow* w = LiveWindow(hwnd);
    if (w == nullptr || !w->client) return nullptr;
    const QVariant v = w->client->property("korvinskCursor");
    return v.isValid() ? reinterpret_cast<HCURSOR>(v.value<quintptr>()) : nullptr;
}

void* LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int, int, UINT) {
    switch (type) {
    case IMAGE_BITMAP: {
        const ImageResource* res = FindImageResource(instance, name, ImageKind::Bitmap);
        if (res == nullptr) return nullptr;
        EnsureApplication();
        const DWORD face = GetSysColor(COLOR_BTNFACE);
        const uint32_t background = 0xFF000000u | (static_cast<uint32_t>(GetRValue(face)) << 16) |
                                    (static_cast<uint32_t>(GetGValue(face)) << 8) | GetBValue(face);
        return CreateBitmapFromImage(ImageFromResource(*res, background));
    }
    case IMAGE_ICON:
        return LoadIconA(instance, name);
    case IMAGE_CURSOR:
        return LoadCursorA(instance, name);
    default:
        return nullptr;
    }
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon) {
    PlatformIcon* picture = LiveIcon(icon);
    QImage* target = GetDCImage(hdc);
    if (picture == nullptr || target == nullptr || picture->image.isNull()) return FALSE;
    ReleaseDCPainter(hdc);
    {
        QPainter painter(target);
        painter.drawImage(x, y, picture->image);
    }
    // A window's surface shows the change at once, as drawing calls on it do.
    for (HWND hwnd : LiveWindows()) {
        PlatformWindow* w = LiveWindow(hwnd);
        if (w != nullptr && w->kind == WindowKind::Main && &w->surface == target && w->client) {
            w->client->update(x, y, picture->image.width(), picture->image.height());
        }
    }
    return TRUE;
}

int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int size) {
    const StringResource* res = FindStringResource(instance, static_cast<int>(id));
    if (buffer == nullptr || size <= 0) return 0;
    buffer[0] = '\0';
    if (res == nullptr || res->text == nullptr) return 0;
    return CopyText(res->text, buffer, size);
}

BOOL MessageBeep(UINT) {
    ++g_beeps;
    if (QCoreApplication::instance() != nullptr) QApplication::beep();
    return TRUE;
}

int BeepCount() { return g_beeps; }
