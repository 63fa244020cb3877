// The print dialog and the print job. The dialog offers the desktop's printers and printing to
// a PDF file; the returned context draws on the printer's pages and reports the page's size in
// millimetres and pixels and the printer's resolution through GetDeviceCaps. The page is the
// area the printer can print on, with (0, 0) at its top left corner; a PDF file has no margins,
// so there it is the whole sheet. The context is released with DeleteDC (gdi.h).
#pragma once

#include "platform/types.h"

constexpr DWORD PD_RETURNDC = 0x00000100;

struct PRINTDLGA {
    DWORD lStructSize;
    HWND hwndOwner;
    void* hDevMode;
    void* hDevNames;
    HDC hDC;
    DWORD Flags;
    WORD nFromPage;
    WORD nToPage;
    WORD nMinPage;
    WORD nMaxPage;
    WORD nCopies;
    void* hInstance;
    LPARAM lCustData;
    void* lpfnPrintHook;
    void* lpfnSetupHook;
    LPCSTR lpPrintTemplateName;
    LPCSTR lpSetupTemplateName;
    void* hPrintTemplate;
    void* hSetupTemplate;
};
using PRINTDLG = PRINTDLGA;

struct DOCINFOA {
    int cbSize;
    LPCSTR lpszDocName;
    LPCSTR lpszOutput;  // a file to print into instead of the chosen printer; may be null
    LPCSTR lpszDatatype;
    DWORD fwType;
};

// Shows the print dialog. TRUE when the user confirmed; with PD_RETURNDC, hDC is then a new
// printer context. FALSE (and hDC null) when cancelled. lStructSize is not checked.
BOOL PrintDlgA(PRINTDLGA* dialog);

// Return a positive number, or 0 on failure; the page calls fail outside a document.
int StartDocA(HDC hdc, const DOCINFOA* info);
int StartPage(HDC hdc);
int EndPage(HDC hdc);
int EndDoc(HDC hdc);

// A printer context that prints into a PDF file without a dialog, on a sheet of the given size
// in millimetres at the given resolution (pixels per inch).
HDC CreatePdfPrinterDC(const char* path, double widthMm = 210.0, double heightMm = 297.0, int dpi = 600);

// For tests and unattended runs: from now on PrintDlgA shows no dialog but answers as if the
// user had chosen printing into pdfPath (sheet A4 portrait, 600 pixels per inch), or cancelled
// when pdfPath is null. EndPrintDlgOverride returns to the real dialog. The environment
// variable KORVINSK_PRINT_TO_PDF (a file path) has the same effect as an override.
void SetPrintDlgOverride(const char* pdfPath);
void EndPrintDlgOverride();
