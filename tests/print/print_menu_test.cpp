// "Print" from the main window's menu, with the dialog answering as a user choosing a PDF file
// would: one page per command, the colour the command asked for, and the window's view as it
// was, also after a cancelled dialog.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/print.h"
#include "print/print_view.h"
#include "shell/commands.h"
#include "shell/shell_fixture.h"

namespace {

std::string MenuPdf(const char* name) {
    return std::string(KORVINSK_BINARY_DIR) + "/print_menu_" + name + ".pdf";
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class PrintMenuTest : public ShellTest {
  protected:
    void TearDown() override {
        EndPrintDlgOverride();
        ShellTest::TearDown();
    }
};

TEST_F(PrintMenuTest, BothCommandsPrintOnePageAndTheWindowKeepsItsView) {
    WritePlan();
    Start();
    ASSERT_EQ(PushViewRect(4000, 2000, 6000, 5000), 1);
    g_needRedraw = 1;
    InvalidateRgn(g_hwndMain, nullptr, TRUE);
    Pump();
    ASSERT_EQ(g_zoom.zoomDepth, 2);
    const ViewState before = g_view;

    const struct {
        const char* name;
        UINT id;
        uint32_t colour;
        bool confirm;
    } cases[] = {
        {"colour", kCmdPrintColor, 1, true},
        {"bw", kCmdPrintBlackWhite, 0, true},
        {"cancelled", kCmdPrintColor, 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = MenuPdf(c.name);
        std::remove(path.c_str());
        SetPrintDlgOverride(c.confirm ? path.c_str() : nullptr);
        Command(c.id);
        EXPECT_EQ(g_printInColor, c.colour);
        const std::string pdf = ReadAll(path);
        if (c.confirm) {
            EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
        } else {
            EXPECT_TRUE(pdf.empty());
        }
        EXPECT_EQ(g_zoom.zoomDepth, 2);
        EXPECT_EQ(g_view.scale, before.scale);
        EXPECT_EQ(g_view.xMin, before.xMin);
        EXPECT_EQ(g_view.yMin, before.yMin);
        EXPECT_EQ(g_view.xMax, before.xMax);
        EXPECT_EQ(g_view.yMax, before.yMax);
        EXPECT_EQ(g_view.vpRight, before.vpRight);
        EXPECT_EQ(g_view.screenWidthMm, before.screenWidthMm);
        Pump();
        std::remove(path.c_str());
    }
}

}  // namespace
