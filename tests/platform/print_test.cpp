// Printing without a dialog into PDF files: the page the file holds is the page the context
// reports, and the job calls keep their order.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>

#include "platform/gdi.h"
#include "platform/print.h"

namespace {

std::string TempPath(const char* name) { return std::string(KORVINSK_BINARY_DIR) + "/print_test_" + name + ".pdf"; }

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct MediaBox {
    double width = 0.0;
    double height = 0.0;
    int pages = 0;
};

// Width and height in points of the pages of a PDF file, and how many there are.
MediaBox ReadMediaBox(const std::string& pdf) {
    MediaBox box;
    std::regex media(R"(/MediaBox\s*\[\s*([-\d.]+)\s+([-\d.]+)\s+([-\d.]+)\s+([-\d.]+)\s*\])");
    for (auto it = std::sregex_iterator(pdf.begin(), pdf.end(), media); it != std::sregex_iterator(); ++it) {
        box.width = std::stod((*it)[3]) - std::stod((*it)[1]);
        box.height = std::stod((*it)[4]) - std::stod((*it)[2]);
    }
    std::regex page(R"(/Type\s*/Page[^s])");
    box.pages = static_cast<int>(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
    return box;
}

// What a page of the plan does: a frame half a millimetre wide inside the page, a title.
void DrawPage(HDC dc) {
    int w = std::max(1, static_cast<int>(GetDeviceCaps(dc, LOGPIXELSX) * 0.03937007874015748 * 0.5));
    HPEN frame = CreatePen(PS_SOLID, w, RGB(0, 0, 0));
    HGDIOBJ oldPen = SelectObject(dc, frame);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    EXPECT_TRUE(Rectangle(dc, w, w, GetDeviceCaps(dc, HORZRES) - w, GetDeviceCaps(dc, VERTRES) - w));
    HFONT font = CreateFontA(-94, 0, 0, 0, 400, 1, 0, 0, 0, 0, 0, 0, 0, "Arial Cyr");
    HGDIOBJ oldFont = SelectObject(dc, font);
    EXPECT_TRUE(TextOutA(dc, 47, 47, "Korvinsk.Address plan", 21));
    SelectObject(dc, oldFont);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(font);
    DeleteObject(frame);
}

struct Sheet {
    const char* name;
    double widthMm;
    double heightMm;
    int dpi;
    int expectedWidthPx;  // millimetres / 25.4 x dpi
    int expectedHeightPx;
};

class PrintSheet : public ::testing::TestWithParam<Sheet> {};

TEST_P(PrintSheet, PdfPageHasTheReportedSize) {
    const Sheet& sheet = GetParam();
    std::string path = TempPath(sheet.name);
    std::remove(path.c_str());
    const int objects = GdiLiveObjectCount();
    const int contexts = GdiLiveDCCount();

    HDC dc = CreatePdfPrinterDC(path.c_str(), sheet.widthMm, sheet.heightMm, sheet.dpi);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, HORZSIZE), static_cast<int>(sheet.widthMm));
    EXPECT_EQ(GetDeviceCaps(dc, VERTSIZE), static_cast<int>(sheet.heightMm));
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), sheet.dpi);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), sheet.dpi);
    // PDF pages are measured in whole points: the sheet may be up to a point smaller.
    const double point = sheet.dpi / 72.0;
    EXPECT_NEAR(GetDeviceCaps(dc, HORZRES), sheet.expectedWidthPx, point + 1.0);
    EXPECT_NEAR(GetDeviceCaps(dc, VERTRES), sheet.expectedHeightPx, point + 1.0);
    const double widthPt = GetDeviceCaps(dc, HORZRES) * 72.0 / sheet.dpi;
    const double heightPt = GetDeviceCaps(dc, VERTRES) * 72.0 / sheet.dpi;

    DOCINFOA doc{20, "Print", nullptr, nullptr, 0};
    EXPECT_GT(StartDocA(dc, &doc), 0);
    EXPECT_GT(StartPage(dc), 0);
    SetBkMode(dc, TRANSPARENT);
    DrawPage(dc);
    EXPECT_GT(EndPage(dc), 0);
    EXPECT_GT(EndDoc(dc), 0);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_EQ(GdiLiveObjectCount(), objects);
    EXPECT_EQ(GdiLiveDCCount(), contexts);

    std::string pdf = ReadFile(path);
    ASSERT_EQ(pdf.rfind("%PDF", 0), 0u) << path;
    MediaBox box = ReadMediaBox(pdf);
    EXPECT_EQ(box.pages, 1);
    // A point is 1/72 inch: the file's page is the page the context reported.
    EXPECT_NEAR(box.width, widthPt, 0.5);
    EXPECT_NEAR(box.height, heightPt, 0.5);
    EXPECT_NEAR(box.width, sheet.widthMm / 25.4 * 72.0, 1.0);
    EXPECT_NEAR(box.height, sheet.heightMm / 25.4 * 72.0, 1.0);
    std::remove(path.c_str());
}

INSTANTIATE_TEST_SUITE_P(Sheets, PrintSheet,
                         ::testing::Values(Sheet{"A4_portrait_600", 210, 297, 600, 4961, 7016},
                                           Sheet{"A4_landscape_300", 297, 210, 300, 3508, 2480},
                                           Sheet{"postcard_200", 100, 150, 200, 787, 1181}),
                         [](const ::testing::TestParamInfo<Sheet>& info) { return std::string(info.param.name); });

TEST(PrintJob, CallsOutOfOrderFailAndDrawNothing) {
    std::string path = TempPath("order");
    HDC dc = CreatePdfPrinterDC(path.c_str());
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(StartPage(dc), 0) << "no document yet";
    EXPECT_FALSE(TextOutA(dc, 10, 10, "x", 1)) << "no page yet";
    EXPECT_EQ(EndDoc(dc), 0);
    DOCINFOA doc{20, "Print", nullptr, nullptr, 0};
    EXPECT_GT(StartDocA(dc, &doc), 0);
    EXPECT_EQ(StartDocA(dc, &doc), 0) << "one document at a time";
    EXPECT_EQ(EndPage(dc), 0) << "no page started";
    EXPECT_GT(StartPage(dc), 0);
    EXPECT_EQ(StartPage(dc), 0) << "the page is not ended";
    EXPECT_GT(EndPage(dc), 0);
    EXPECT_GT(StartPage(dc), 0) << "a second page";
    EXPECT_GT(EndPage(dc), 0);
    EXPECT_GT(EndDoc(dc), 0);
    EXPECT_EQ(ReadMediaBox(ReadFile(path)).pages, 2);
    EXPECT_TRUE(DeleteDC(dc));
    std::remove(path.c_str());

    EXPECT_EQ(StartDocA(nullptr, &doc), 0);
    EXPECT_EQ(CreatePdfPrinterDC(nullptr), nullptr);
    EXPECT_EQ(CreatePdfPrinterDC(path.c_str(), 0.0, 297.0), nullptr);
}

TEST(PrintJob, ContextDeletedInsideADocumentStillClosesTheFile) {
    std::string path = TempPath("unfinished");
    HDC dc = CreatePdfPrinterDC(path.c_str());
    DOCINFOA doc{20, "Print", nullptr, nullptr, 0};
    StartDocA(dc, &doc);
    StartPage(dc);
    DrawPage(dc);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_EQ(ReadMediaBox(ReadFile(path)).pages, 1);
    std::remove(path.c_str());
}

TEST(PrintDialog, OverrideAnswersWithoutADialog) {
    std::string path = TempPath("dialog");
    std::remove(path.c_str());
    PRINTDLGA dialog{};
    dialog.lStructSize = 66;
    dialog.Flags = PD_RETURNDC;

    SetPrintDlgOverride(nullptr);
    EXPECT_FALSE(PrintDlgA(&dialog)) << "cancelled";
    EXPECT_EQ(dialog.hDC, nullptr);

    SetPrintDlgOverride(path.c_str());
    ASSERT_TRUE(PrintDlgA(&dialog));
    ASSERT_NE(dialog.hDC, nullptr);
    EXPECT_EQ(GetDeviceCaps(dialog.hDC, HORZSIZE), 210);
    EXPECT_EQ(GetDeviceCaps(dialog.hDC, LOGPIXELSX), 600);
    DOCINFOA doc{20, "Print", nullptr, nullptr, 0};
    StartDocA(dialog.hDC, &doc);
    StartPage(dialog.hDC);
    DrawPage(dialog.hDC);
    EndPage(dialog.hDC);
    EndDoc(dialog.hDC);
    DeleteDC(dialog.hDC);
    EXPECT_EQ(ReadMediaBox(ReadFile(path)).pages, 1);

    const int contexts = GdiLiveDCCount();
    PRINTDLGA noContext{};
    EXPECT_TRUE(PrintDlgA(&noContext)) << "confirmed, but no context was asked for";
    EXPECT_EQ(noContext.hDC, nullptr);
    EXPECT_EQ(GdiLiveDCCount(), contexts);
    EXPECT_FALSE(PrintDlgA(nullptr));
    EndPrintDlgOverride();
    std::remove(path.c_str());
}

}  // namespace
