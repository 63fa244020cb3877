// The toolkit side of the drawing calls, for the rest of the platform layer and the program's
// entry point only: contexts over a window surface or any paint device, the image behind a
// bitmap or a context, bitmaps made from resource images, and the Windows-1251 text conversion.
#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include <functional>
#include <string>

#include "platform/gdi.h"

class QPaintDevice;

// Creates the application object if there is none yet (argv of the program name only).
void EnsurePlatformApplication();

// A context that draws on an image owned by the caller, e.g. a window surface of the client
// size that is shown on screen. It reports the screen's capabilities. The image should be
// Format_RGB32; it must outlive the context or be replaced with SetImageDCTarget first.
HDC CreateImageDC(QImage* image);
// Points the context at another image (after the surface was reallocated on a resize); the
// context's objects, colours, modes and clip are kept. Null detaches it (drawing is dropped).
void SetImageDCTarget(HDC hdc, QImage* image);

// A context that draws on any paint device (a PDF writer; a widget only inside its paint
// event); it reports the device's own size and resolution. The device must outlive the context.
HDC CreatePaintDeviceDC(QPaintDevice* device);

// Ends the painter a context keeps open on its target (it is reopened by the next drawing
// call). Needed before the target is resized, or painted on by another painter.
void ReleaseDCPainter(HDC hdc);

// Called after every drawing call that may have changed pixels of the context's target, with
// the rectangle touched (clipped to the target); a window uses it to schedule a repaint.
void SetDCChangedCallback(HDC hdc, std::function<void(const QRect&)> callback);

// The image a context draws on (the selected bitmap's for memory contexts), or null.
QImage* GetDCImage(HDC hdc);
// The image of a bitmap, or null for a refused handle.
QImage* GetBitmapImage(HBITMAP bitmap);
// A new bitmap holding a copy of image (converted to 32-bit colour); counted like any other.
HBITMAP CreateBitmapFromImage(const QImage& image);

// Windows-1251 <-> Unicode. length < 0: up to the terminating NUL. Characters without a
// Windows-1251 code become '?'.
QString FromCp1251(const char* text, int length = -1);
std::string ToCp1251(const QString& text);

// The font a font handle stands for (for controls that show text in a created font). False for
// a refused handle.
bool GetQFont(HFONT font, QFont* out);
