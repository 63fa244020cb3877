// Contexts over images owned by others (the window surface), bitmaps from images, PNG files,
// and the physical-width query the view uses.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QtGlobal>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/gdi.h"
#include "platform/gdi_qt.h"
#include "platform/png.h"
#include "view/surface.h"
#include "view/view.h"

namespace {

std::vector<QString>* g_warnings = nullptr;

// Only the painters' complaints count: the environment may add unrelated ones (a missing
// XDG_RUNTIME_DIR when run as root, for instance).
void CollectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtDebugMsg && type != QtInfoMsg && g_warnings != nullptr && message.contains("QPainter"))
        g_warnings->push_back(message);
}

QImage WhiteImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

TEST(GdiSurface, ImageContextDrawsOnTheCallersImageAndReportsChanges) {
    QImage surface = WhiteImage(50, 40);
    HDC dc = CreateImageDC(&surface);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDCImage(dc), &surface);
    std::vector<QRect> changes;
    SetDCChangedCallback(dc, [&](const QRect& area) { changes.push_back(area); });

    RECT rect{40, 30, 70, 60};  // partly off the surface
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(surface.pixel(45, 35), qRgb(0, 0, 0));
    EXPECT_EQ(surface.pixel(39, 35), qRgb(255, 255, 255));
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], QRect(40, 30, 10, 10)) << "clipped to the surface";

    changes.clear();
    RECT away{100, 100, 120, 120};
    FillRect(dc, &away, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_TRUE(changes.empty()) << "nothing on the surface changed";

    MoveToEx(dc, 0, 5, nullptr);
    LineTo(dc, 20, 5);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_TRUE(changes[0].contains(QRect(0, 5, 20, 1)));
    EXPECT_TRUE(DeleteDC(dc));
}

TEST(GdiSurface, TwoContextsOnOneSurfaceTakeTurns) {
    // The paint context and the window context draw on the same surface, one after the other.
    std::vector<QString> warnings;
    g_warnings = &warnings;
    QtMessageHandler previous = qInstallMessageHandler(CollectWarnings);

    QImage surface = WhiteImage(40, 40);
    HDC window = CreateImageDC(&surface);
    HDC paint = CreateImageDC(&surface);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    RECT left{0, 0, 10, 10};
    RECT right{30, 0, 40, 10};
    for (int turn = 0; turn < 3; ++turn) {
        FillRect(window, &left, red);
        FillRect(paint, &right, blue);
        MoveToEx(window, 0, 20 + turn, nullptr);
        LineTo(window, 40, 20 + turn);
    }
    EXPECT_EQ(surface.pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(surface.pixel(35, 5), qRgb(0, 0, 255));
    EXPECT_EQ(surface.pixel(20, 22), qRgb(0, 0, 0));

    // Copying the surface into a memory context and back, as a paint does.
    HDC memory = CreateCompatibleDC(window);
    HBITMAP frame = CreateCompatibleBitmap(window, 40, 40);
    HGDIOBJ old = SelectObject(memory, frame);
    EXPECT_TRUE(BitBlt(memory, 0, 0, 40, 40, paint, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(memory, 35, 5), RGB(0, 0, 255));

    qInstallMessageHandler(previous);
    g_warnings = nullptr;
    EXPECT_TRUE(warnings.empty()) << warnings.front().toStdString();

    SelectObject(memory, old);
    DeleteObject(frame);
    DeleteDC(memory);
    DeleteObject(red);
    DeleteObject(blue);
    DeleteDC(window);
    DeleteDC(paint);
}

TEST(GdiSurface, RetargetingKeepsTheContextsState) {
    QImage small = WhiteImage(10, 10);
    HDC dc = CreateImageDC(&small);
    HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(dc, red);
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, 5, 0);

    ReleaseDCPainter(dc);
    QImage large = WhiteImage(100, 80);  // the window grew
    SetImageDCTarget(dc, &large);
    MoveToEx(dc, 50, 70, nullptr);
    LineTo(dc, 60, 70);
    EXPECT_EQ(large.pixel(55, 70), qRgb(255, 0, 0)) << "still the red pen";
    EXPECT_EQ(small.pixel(5, 5), qRgb(255, 255, 255));

    SetImageDCTarget(dc, nullptr);
    EXPECT_FALSE(LineTo(dc, 0, 0)) << "nothing to draw on";

    SelectObject(dc, old);
    DeleteObject(red);
    DeleteDC(dc);
}

TEST(GdiSurface, BitmapFromAnImageIsACopyAndIsCounted) {
    const int start = GdiLiveObjectCount();
    QImage picture(3, 2, QImage::Format_ARGB32);
    picture.fill(qRgb(0, 128, 0));
    picture.setPixel(2, 1, qRgb(200, 10, 10));
    HBITMAP bitmap = CreateBitmapFromImage(picture);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(GdiLiveObjectCount(), start + 1);
    picture.fill(Qt::white);  // the bitmap keeps its own pixels

    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    EXPECT_EQ(GetPixel(dc, 2, 1), RGB(200, 10, 10));
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 128, 0));
    ASSERT_NE(GetBitmapImage(bitmap), nullptr);
    EXPECT_EQ(GetBitmapImage(bitmap)->size(), QSize(3, 2));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    EXPECT_EQ(GetBitmapImage(bitmap), nullptr);
    EXPECT_EQ(GdiLiveObjectCount(), start);
    EXPECT_EQ(CreateBitmapFromImage(QImage()), nullptr);
}

TEST(GdiSurface, PngHoldsThePixelsDrawn) {
    std::string path = std::string(KORVINSK_BINARY_DIR) + "/gdi_surface_test.png";
    std::remove(path.c_str());
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 30, 20);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH brush = CreateSolidBrush(RGB(12, 34, 56));
    RECT rect{10, 5, 20, 15};
    FillRect(dc, &rect, brush);

    ASSERT_TRUE(SaveDCPng(dc, path.c_str()));
    QImage saved(QString::fromStdString(path));
    ASSERT_EQ(saved.size(), QSize(30, 20));
    EXPECT_EQ(saved.pixel(15, 10), qRgb(12, 34, 56));
    EXPECT_EQ(saved.pixel(0, 0), qRgb(0, 0, 0));
    std::remove(path.c_str());
    ASSERT_TRUE(SaveBitmapPng(bitmap, path.c_str()));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(path)));
    std::remove(path.c_str());

    EXPECT_FALSE(SaveDCPng(nullptr, path.c_str()));
    EXPECT_FALSE(SaveBitmapPng(bitmap, nullptr));
    EXPECT_FALSE(SaveBitmapPng(bitmap, "/nonexistent-folder/x.png"));

    SelectObject(dc, old);
    DeleteObject(brush);
    DeleteObject(bitmap);
    DeleteDC(dc);
    EXPECT_FALSE(SaveBitmapPng(bitmap, path.c_str())) << "deleted";
}

TEST(GdiSurface, InitialisationGivesTheViewThePhysicalWidth) {
    HDC dc = CreateCompatibleDC(nullptr);
    HDC savedHdc = g_hdc;
    RECT savedRect = g_clientRect;
    g_hdc = dc;
    g_clientRect = RECT{0, 0, 800, 600};
    InitPlatformDrawing();
    UpdateScreenMetrics();
    // 800 pixels of the screen, at the screen's millimetres per pixel.
    const double mmPerPx = static_cast<double>(GetDeviceCaps(dc, HORZSIZE)) / GetDeviceCaps(dc, HORZRES);
    EXPECT_FLOAT_EQ(g_view.screenWidthMm, static_cast<float>(mmPerPx * 800.0));
    SetDeviceWidthMmQuery(nullptr);
    g_hdc = savedHdc;
    g_clientRect = savedRect;
    DeleteDC(dc);
}

}  // namespace
