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
