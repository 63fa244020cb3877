// PNG files of what a bitmap or a context holds.
#include <QImage>

#include "platform/gdi_internal.h"
#include "platform/gdi_qt.h"
#include "platform/png.h"

namespace {

bool SaveImage(const QImage* image, const char* path) {
    if (image == nullptr || image->isNull() || path == nullptr || *path == '\0') return false;
    return image->save(QString::fromLocal8Bit(path), "PNG");
}

}  // namespace

bool SaveBitmapPng(HBITMAP bitmap, const char* path) { return SaveImage(GetBitmapImage(bitmap), path); }

bool SaveDCPng(HDC hdc, const char* path) { return SaveImage(GetDCImage(hdc), path); }

bool SaveArgbPng(const uint32_t* pixels, int width, int height, const char* path) {
    if (pixels == nullptr || width <= 0 || height <= 0 || width > 16384 || height > 16384) return false;
    QImage image(width, height, QImage::Format_ARGB32);
    if (image.isNull()) return false;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) row[x] = pixels[static_cast<size_t>(y) * width + x];
    }
    return SaveImage(&image, path);
}
