// Printing the visible plan on one page: the print dialog, the printer's view of the plan, the
// clip, the frame and the title. The layers on the page are drawn by print_layers.h.
#pragma once

#include <cstdint>

#include "platform/print.h"
#include "view/view.h"

// 0 black and white, 1 colour; set by the "Print" commands before they print.
extern uint32_t g_printInColor;
// Cleared before every use; its hDC is the printer the page is drawn on.
extern PRINTDLGA g_printDlg;
// Plan metres that make 5 mm on the paper: smaller buildings keep their numbers off the page
// when the "Addresses" setting is "select".
extern int32_t g_printMinSize;

// What the printer reports of its page.
struct PrinterPage {
    int widthPx;
    int heightPx;
    int widthMm;
    int heightMm;
    int dpiX;
    int dpiY;
};

PrinterPage ReadPrinterPage(HDC printer);

// Points the view state at the page: the northing range xMin..xMax fills the page's height,
// the easting range keeps its centre and follows the page's width. False, with the view
// unchanged, for a box or page that has no such view (empty, or larger than the drawing
// coordinates hold).
bool SetPrinterView(const PrinterPage& page, float xMin, float yMin, float xMax, float yMax);

// "Print": the print dialog, and on confirmation one page of the current zoom entry. The
// screen view is rebuilt from the same entry afterwards, however the dialog or the job ended.
void PrintView();

// One whole document of one page of the plan box on `printer`, which becomes g_printDlg.hDC.
// The view state is left pointing at the page: the caller rebuilds its own.
void PrintPlanDocument(HDC printer, float xMin, float yMin, float xMax, float yMax);

// One page of the plan box on g_printDlg.hDC, inside a started document.
void PrintPage(float xMin, float yMin, float xMax, float yMax);
