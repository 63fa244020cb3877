#include "render/tip.h"

#include <algorithm>

#include "data/text.h"
#include "platform/gdi.h"
#include "platform/user.h"
#include "resources/resources.h"
#include "view/surface.h"

TipState g_tip = {};

namespace {

constexpr COLORREF kTipText = RGB(0xFF, 0x00, 0x00);
// The least the tip saves: this many pixels a character, and a cell this high.
constexpr int kCharAllowance = 12;
constexpr int kCellAllowance = 16;
constexpr int kCursorOffset = 6;

int16_t ToI16(int64_t value) {
    return static_cast<int16_t>(std::clamp<int64_t>(value, INT16_MIN, INT16_MAX));
}

}  // namespace

void ShowTip(int32_t sx, int32_t sy, char* text, COLORREF background) {
    if (text == nullptr || g_hdc == nullptr) return;
    RemoveTip();
    SetCursor(LoadCursorA(ProgramInstance(), MAKEINTRESOURCEA(IDC_TIP)));
    const int len = TrimText(text);

    HGDIOBJ previousFont = SelectObject(g_hdc, GetStockObject(ANSI_VAR_FONT));
    // The stock font is variable-pitch: a text of wide letters takes more than the allowance
    // per character, so the cell is measured and the larger of the two is kept.
    SIZE cell{0, 0};
    if (!GetTextExtentPoint32A(g_hdc, text, len, &cell)) cell = SIZE{0, 0};
    g_tip.tipX = ToI16(static_cast<int64_t>(sx) + kCursorOffset);
    g_tip.tipY = ToI16(static_cast<int64_t>(sy) - kCursorOffset);
    g_tip.tipWidth =
        ToI16(std::max<int64_t>(static_cast<int64_t>(kCharAllowance) * len, cell.cx) + 2 * kTipBleed);
    g_tip.tipHeight = ToI16(std::max<int64_t>(kCellAllowance, cell.cy) + 2 * kTipBleed);

    g_tip.tipSaveContext = CreateCompatibleDC(g_hdc);
    g_tip.tipSaveBitmap = CreateCompatibleBitmap(g_hdc, g_tip.tipWidth, g_tip.tipHeight);
    if (g_tip.tipSaveContext != nullptr && g_tip.tipSaveBitmap != nullptr) {
        SelectObject(g_tip.tipSaveContext, g_tip.tipSaveBitmap);
        BitBlt(g_tip.tipSaveContext, 0, 0, g_tip.tipWidth, g_tip.tipHeight, g_hdc, g_tip.tipX - kTipBleed,
               g_tip.tipY - kTipBleed, SRCCOPY);
    }

    SetTextColor(g_hdc, kTipText);
    SetBkColor(g_hdc, background);
    TextOutA(g_hdc, g_tip.tipX, g_tip.tipY, text, len);
    if (previousFont != nullptr) SelectObject(g_hdc, previousFont);
}

void RemoveTip() {
    if (g_tip.tipSaveBitmap == nullptr) {
        // A context made without its bitmap is not left behind either.
        if (g_tip.tipSaveContext != nullptr) DeleteDC(g_tip.tipSaveContext);
        g_tip.tipSaveContext = nullptr;
        return;
    }
    if (g_tip.tipSaveContext != nullptr) {
        if (g_hdc != nullptr) {
            BitBlt(g_hdc, g_tip.tipX - kTipBleed, g_tip.tipY - kTipBleed, g_tip.tipWidth, g_tip.tipHeight,
                   g_tip.tipSaveContext, 0, 0, SRCCOPY);
        }
        DeleteDC(g_tip.tipSaveContext);
    }
    DeleteObject(g_tip.tipSaveBitmap);
    g_tip.tipSaveContext = nullptr;
    g_tip.tipSaveBitmap = nullptr;
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}
