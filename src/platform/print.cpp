// The print dialog and the print job over the toolkit's printer, which can also write PDF files.
#include <QApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>

#include <cstdlib>
#include <memory>
#include <string>

#include "platform/gdi_internal.h"
#include "platform/gdi_qt.h"
#include "platform/print.h"

namespace {

struct DialogOverride {
    bool active = false;
    bool accept = false;
    std::string path;
};

DialogOverride& Override() {
    static auto* state = new DialogOverride();
    return *state;
}

// The whole sheet is drawn on: the program places its own frame inside it.
void UseWholeSheet(QPrinter* printer) {
    printer->setFullPage(true);
    printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

// A real printer cannot print to the edge of the sheet: the page is the area it can print on,
// as large as the printer allows.
void UsePrintableArea(QPrinter* printer) {
    printer->setFullPage(false);
    printer->setPageMargins(printer->pageLayout().minimumMargins(), printer->pageLayout().units());
}

HDC PrinterDC(std::unique_ptr<QPrinter> printer) {
    PlatformDC* dc = NewDC(DCKind::Printer);
    dc->device = printer.get();
    dc->printer = std::move(printer);
    return dc;
}

PlatformDC* FindPrinterDC(HDC hdc) {
    PlatformDC* dc = FindDC(hdc);
    return dc != nullptr && dc->kind == DCKind::Printer ? dc : nullptr;
}

}  // namespace

HDC CreatePdfPrinterDC(const char* path, double widthMm, double heightMm, int dpi) {
    if (path == nullptr || *path == '\0' || !(widthMm > 0.0) || !(heightMm > 0.0) || dpi <= 0) return nullptr;
    EnsurePlatformApplication();
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromLocal8Bit(path));
    printer->setResolution(dpi);
    printer->setPageSize(QPageSize(QSizeF(widthMm, heightMm), QPageSize::Millimeter, QString(),
                                   QPageSize::ExactMatch));
    printer->setPageOrientation(QPageLayout::Portrait);
    UseWholeSheet(printer.get());
    return PrinterDC(std::move(printer));
}

void SetPrintDlgOverride(const char* pdfPath) {
    DialogOverride& o = Override();
    o.active = true;
    o.accept = pdfPath != nullptr;
    o.path = pdfPath != nullptr ? pdfPath : "";
}

void EndPrintDlgOverride() { Override() = DialogOverride(); }

BOOL PrintDlgA(PRINTDLGA* dialog) {
    if (dialog == nullptr) return FALSE;
    dialog->hDC = nullptr;
    EnsurePlatformApplication();
    const DialogOverride& o = Override();
    const char* envPath = std::getenv("KORVINSK_PRINT_TO_PDF");
    if (o.active || (envPath != nullptr && *envPath != '\0')) {
        if (o.active && !o.accept) return FALSE;
        HDC hdc = CreatePdfPrinterDC(o.active ? o.path.c_str() : envPath);
        if (hdc == nullptr) return FALSE;
        if (dialog->Flags & PD_RETURNDC) {
            dialog->hDC = hdc;
        } else {
            DeleteDC(hdc);
        }
        return TRUE;
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog box(printer.get(), QApplication::activeWindow());
    box.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (box.exec() != QDialog::Accepted) return FALSE;
    if (printer->outputFormat() == QPrinter::PdfFormat) {
        UseWholeSheet(printer.get());
    } else {
        UsePrintableArea(printer.get());
    }
    if (dialog->Flags & PD_RETURNDC) dialog->hDC = PrinterDC(std::move(printer));
    return TRUE;
}

int StartDocA(HDC hdc, const DOCINFOA* info) {
    PlatformDC* dc = FindPrinterDC(hdc);
    if (dc == nullptr || dc->inDocument) return 0;
    if (info != nullptr && info->lpszDocName != nullptr) dc->printer->setDocName(FromCp1251(info->lpszDocName));
    if (info != nullptr && info->lpszOutput != nullptr && *info->lpszOutput != '\0') {
        dc->printer->setOutputFileName(QString::fromLocal8Bit(info->lpszOutput));
    }
    dc->inDocument = true;
    return 1;
}

int StartPage(HDC hdc) {
    PlatformDC* dc = FindPrinterDC(hdc);
    if (dc == nullptr || !dc->inDocument || dc->inPage) return 0;
    if (dc->painterOpen) {
        if (!dc->printer->newPage()) return 0;
    } else {
        // Opening the painter starts the document and its first page.
        if (!dc->painter.begin(dc->printer.get())) return 0;
        dc->painterOpen = true;
    }
    dc->inPage = true;
    SetupDCPainter(dc);
    return 1;
}

int EndPage(HDC hdc) {
    PlatformDC* dc = FindPrinterDC(hdc);
    if (dc == nullptr || !dc->inPage) return 0;
    dc->inPage = false;
    return 1;
}

int EndDoc(HDC hdc) {
    PlatformDC* dc = FindPrinterDC(hdc);
    if (dc == nullptr || !dc->inDocument) return 0;
    dc->inPage = false;
    dc->inDocument = false;
    if (dc->painterOpen) {
        dc->painter.end();
        dc->painterOpen = false;
    }
    return 1;
}
