// The whole-city overview: its layout on the client area, the inset and overview shapes, the
// label styles of both files, fixed labels and caption, and its day colours in every mode.
//
// On the 1000 x 600 surface (265 mm wide) the plan of 10000 m x 10000 m is fitted into 60% of
// the width, 159 mm x 159 mm: 0.0159 mm per metre, so the map is 600 x 599 pixels. The inset
// then ends at 1000 - 600 - 54 = 346 and the overview map spans 370..990.
#include "render_fixture.h"

#include <fstream>
#include <iterator>

#include "platform/png.h"
#include "render/overview.h"

namespace {

class OverviewTest : public RenderTest {
protected:
    void WriteInset(const std::vector<OverviewShape>& shapes, const std::vector<OverviewLabel>& labels) {
        ASSERT_TRUE(WriteInsetFile(folder.path(), PackedBox{0, 0, 40000, 40000}, shapes.data(),
                                   static_cast<int>(shapes.size()), labels.data(), static_cast<int>(labels.size())));
    }
    void WriteWater(const std::vector<OverviewShape>& shapes, const std::vector<OverviewLabel>& labels) {
        ASSERT_TRUE(WriteOverviewFile(folder.path(), shapes.data(), static_cast<int>(shapes.size()), labels.data(),
                                      static_cast<int>(labels.size())));
    }
    // The TextOut calls of one text, in order.
    std::vector<GdiCall> TextsOf(const std::string& text) const {
        return Calls(GdiOp::TextOut, [&](const GdiCall& call) { return call.text == text; });
    }
    static bool SameRect(const GdiCall& call, int left, int top, int right, int bottom) {
        return call.points.size() == 2 && call.points[0].x == left && call.points[0].y == top &&
               call.points[1].x == right && call.points[1].y == bottom;
    }
};

const std::vector<PackedPoint> kSquare = {{10000, 10000}, {20000, 10000}, {20000, 20000}, {10000, 20000}};
const std::vector<PackedPoint> kLake = {{3000, 3000}, {4000, 3000}, {4000, 4000}, {3000, 3000}};
const std::vector<PackedPoint> kRiver = {{5000, 1000}, {6000, 2000}, {7000, 2500}};

TEST_F(OverviewTest, LaysOutInsetAndMapSideBySide) {
    WritePlan(PlanContent{});
    WriteInset({}, {});
    FirstPaint();
    EXPECT_EQ(g_inset_limit, 350);

    const auto water = Calls(GdiOp::FillRect, [](const GdiCall& call) { return call.brushInfo.color == kDayWater; });
    ASSERT_EQ(water.size(), 2u);
    EXPECT_TRUE(SameRect(water[0], 6, 2, 346, 598));
    EXPECT_TRUE(SameRect(water[1], 370, 2, 989, 598));
    const auto edges = Calls(GdiOp::DrawEdge);
    ASSERT_EQ(edges.size(), 2u);
    EXPECT_TRUE(SameRect(edges[0], 6, 2, 346, 598));
    EXPECT_TRUE(SameRect(edges[1], 370, 2, 989, 598));
    for (const GdiCall& edge : edges) EXPECT_EQ(edge.edge, EDGE_RAISED);

    // The rest of the client area is the button face.
    const auto face = Calls(GdiOp::FillRect, [](const GdiCall& call) { return SameRect(call, 0, 0, kWidth, kHeight); });
    ASSERT_EQ(face.size(), 1u);
    EXPECT_EQ(face[0].brushInfo.color, GetSysColor(COLOR_BTNFACE));
}

TEST_F(OverviewTest, WithoutTheInsetFileOnlyTheInsetIsMissing) {
    WritePlan(PlanContent{});
    WriteWater({{1, kLake.data(), 4}}, {});
    FirstPaint();
    EXPECT_EQ(g_inset_limit, 350);
    const auto water = Calls(GdiOp::FillRect, [](const GdiCall& call) { return call.brushInfo.color == kDayWater; });
    ASSERT_EQ(water.size(), 1u);
    EXPECT_TRUE(SameRect(water[0], 370, 2, 989, 598));
    EXPECT_EQ(Calls(GdiOp::DrawEdge).size(), 1u);
    EXPECT_EQ(TextsOf(kMakerCaptionLine1).size(), 2u);
}

TEST_F(OverviewTest, InsetShapesAreGreenLandOverADarkEdge) {
    WritePlan(PlanContent{});
    WriteInset({{5, kSquare.data(), 4}}, {});
    FirstPaint();
    const auto shadow = Calls(GdiOp::Polygon, [](const GdiCall& call) { return call.brushInfo.color == Hex(0x505050); });
    const auto green = Calls(GdiOp::Polygon, [](const GdiCall& call) { return call.brushInfo.color == Hex(0x60B95E); });
    ASSERT_EQ(shadow.size(), 1u);
    ASSERT_EQ(green.size(), 1u);
    ASSERT_EQ(shadow[0].points.size(), 4u);
    ASSERT_EQ(green[0].points.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(green[0].points[i].x, shadow[0].points[i].x - 2);
        EXPECT_EQ(green[0].points[i].y, shadow[0].points[i].y - 2);
    }
    EXPECT_EQ(shadow[0].penInfo.style, PS_NULL);
    EXPECT_EQ(green[0].penInfo.style, PS_NULL);
}

TEST_F(OverviewTest, ClosedShapesAreLakesOpenOnesRivers) {
    WritePlan(PlanContent{});
    WriteWater({{1, kLake.data(), 4}, {2, kRiver.data(), 3}}, {});
    FirstPaint();
    const auto lakes = Calls(GdiOp::Polygon, [](const GdiCall& call) { return call.brushInfo.color == kDayWater; });
    ASSERT_EQ(lakes.size(), 1u);
    EXPECT_TRUE(PenIs(lakes[0], 1, kDayShore));
    const auto shoreLines = Calls(GdiOp::Polyline, [](const GdiCall& call) { return PenIs(call, 1, kDayShore); });
    ASSERT_EQ(shoreLines.size(), 1u);
    EXPECT_EQ(shoreLines[0].points.size(), 3u);
}

struct LabelExpect {
    const char* text;
    uint32_t rgb;
    int height;  // 0: the font the context had before the labels
    bool italic;
};

void ExpectLabels(const std::vector<GdiCall>& calls, const std::vector<LabelExpect>& expected,
                  const GdiFontInfo& previous) {
    ASSERT_EQ(calls.size(), 2 * expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].text);
        const GdiCall& under = calls[2 * i];
        const GdiCall& over = calls[2 * i + 1];
        EXPECT_EQ(under.text, expected[i].text);
        EXPECT_EQ(over.text, expected[i].text);
        EXPECT_EQ(under.textColor, Hex(0xFFFF00));
        EXPECT_EQ(over.textColor, Hex(expected[i].rgb));
        EXPECT_EQ(over.points[0].x, under.points[0].x - 1);
        EXPECT_EQ(over.points[0].y, under.points[0].y - 1);
        if (expected[i].height == 0) {
            EXPECT_EQ(over.fontInfo.face, previous.face);
            EXPECT_EQ(over.fontInfo.height, previous.height);
            EXPECT_EQ(over.fontInfo.weight, previous.weight);
        } else {
            EXPECT_EQ(over.fontInfo.face, "Arial Cyr");
            EXPECT_EQ(over.fontInfo.height, expected[i].height);
            EXPECT_EQ(over.fontInfo.italic, expected[i].italic);
            EXPECT_EQ(over.fontInfo.weight, 400);
        }
    }
}

std::vector<GdiCall> LabelCalls(const std::vector<GdiCall>& calls) {
    std::vector<GdiCall> out;
    for (const GdiCall& call : calls) {
        if (call.op == GdiOp::TextOut && call.text.size() == 2 && call.text[0] == 'L') out.push_back(call);
    }
    return out;
}

struct SizeCase {
    int clientHeight;
    int e, f, g;
    bool fItalic;
    int bay, tervelsky, caption;
};

void PrintTo(const SizeCase& c, std::ostream* os) { *os << c.clientHeight; }

class OverviewSizes : public OverviewTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(OverviewSizes, FontsFollowTheClientHeight) {
    const SizeCase& c = GetParam();
    OpenSurface(1000, c.clientHeight);
    WritePlan(PlanContent{});
    // The second style lasts for one label and is made anew for each; the third stays.
    WriteInset({}, {{'e', 100, 100, "LA"}, {'f', 100, 100, "LB"}, {'f', 100, 100, "LC"}, {'g', 100, 100, "LD"}});
    FirstPaint();
    const std::vector<GdiCall> labels = LabelCalls(frameCalls);
    ExpectLabels(labels,
                 {{"LA", 0x960000, c.e, false}, {"LB", 0x0000FF, c.f, c.fItalic}, {"LC", 0x0000FF, c.f, c.fItalic},
                  {"LD", 0x00009B, c.g, false}},
                 GdiFontInfo{});
    ASSERT_EQ(labels.size(), 8u);
    EXPECT_NE(labels[3].font, labels[5].font);

    const auto bay = TextsOf("Kelmarsky bay");
    ASSERT_EQ(bay.size(), 2u);
    EXPECT_EQ(bay[0].fontInfo.height, c.bay);
    EXPECT_EQ(bay[0].fontInfo.escapement, 450);
    EXPECT_TRUE(bay[0].fontInfo.italic);
    EXPECT_EQ(bay[0].charExtra, 8);
    EXPECT_EQ(bay[0].textColor, Hex(0xB4F0FA));
    EXPECT_EQ(bay[1].textColor, Hex(0x508CC8));
    EXPECT_EQ(bay[1].points[0].x, bay[0].points[0].x - 2);
    const auto tervelsky = TextsOf("Tervelsky");
    ASSERT_EQ(tervelsky.size(), 2u);
    EXPECT_EQ(tervelsky[0].fontInfo.height, c.tervelsky);
    const auto pens = TextsOf("Selvarov-Kelmarsky pens.");
    ASSERT_EQ(pens.size(), 2u);
    EXPECT_EQ(pens[0].fontInfo.weight, 100);
    EXPECT_EQ(pens[0].fontInfo.escapement, 520);
    EXPECT_EQ(pens[1].points[0].y, pens[0].points[0].y - 1);

    const auto caption = TextsOf(kMakerCaptionLine1);
    ASSERT_EQ(caption.size(), 2u);
    EXPECT_EQ(caption[0].fontInfo.height, c.caption);
    EXPECT_EQ(caption[0].fontInfo.escapement, 0);
    EXPECT_EQ(caption[0].textColor, Hex(0xFAFA00));
    EXPECT_EQ(caption[1].textColor, RGB(0, 0, 0));
    EXPECT_EQ(caption[1].points[0].x + 1, caption[0].points[0].x);
    EXPECT_EQ(caption[1].points[0].y, 14);
    EXPECT_EQ(caption[1].charExtra, 0);
    const auto second = TextsOf(kMakerCaptionLine2);
    ASSERT_EQ(second.size(), 2u);
    // One font height below the first line: 14 + 14 on small screens, 14 + 22 on large ones.
    EXPECT_EQ(second[1].points[0].y, 14 + c.caption);
    EXPECT_EQ(second[1].points[0].x, caption[1].points[0].x);
}

INSTANTIATE_TEST_SUITE_P(ClientHeights, OverviewSizes,
                         ::testing::Values(SizeCase{800, 12, 12, 16, false, 22, 18, 14},
                                           SizeCase{900, 16, 16, 24, true, 30, 28, 22}),
                         [](const ::testing::TestParamInfo<SizeCase>& info) {
                             return "Height" + std::to_string(info.param.clientHeight);
                         });

TEST_F(OverviewTest, AfterTheThirdStyleOtherLabelsKeepItsColourInThePreviousFont) {
    WritePlan(PlanContent{});
    WriteInset({}, {{'g', 100, 100, "LA"}, {'e', 100, 100, "LB"}, {'x', 100, 100, "LC"}});
    WriteWater({}, {{'o', 100, 100, "LD"}, {'q', 100, 100, "LE"}, {'p', 100, 100, "LF"}});
    SelectObject(g_hdcMem, GetStockObject(SYSTEM_FONT));
    GdiFontInfo systemFont;
    ASSERT_TRUE(GetFontInfo(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)), &systemFont));
    FirstPaint();
    // The inset starts in style e: a g label turns it to g; e and x then change nothing.
    const std::vector<GdiCall> labels = LabelCalls(frameCalls);
    ASSERT_EQ(labels.size(), 12u);
    ExpectLabels(std::vector<GdiCall>(labels.begin(), labels.begin() + 6),
                 {{"LA", 0x00009B, 16, false}, {"LB", 0x00009B, 0, false}, {"LC", 0x00009B, 0, false}}, systemFont);
    // The overview map's labels start in style o, with their own fonts.
    ExpectLabels(std::vector<GdiCall>(labels.begin() + 6, labels.end()),
                 {{"LD", 0x960000, 12, false}, {"LE", 0x00009B, 16, false}, {"LF", 0x0000FF, 12, false}}, systemFont);
}

std::vector<char> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST_F(OverviewTest, NightKeepsTheDayColoursOfTheOverview) {
    PlanContent content;
    content.topo[0].push_back(records.Square(1014, 4000, 1000, 1500));
    WritePlan(content);
    WriteInset({{5, kSquare.data(), 4}}, {{'e', 30000, 5000, "LA"}});
    WriteWater({{1, kLake.data(), 4}}, {});

    FirstPaint();
    ASSERT_TRUE(SaveDCPng(OffscreenWindowDC(), folder.File("flat.png").c_str()));
    // The map's middle row crosses the land.
    int landPixels = 0;
    for (int x = 370; x < 990; ++x) landPixels += WindowPixel(x, 300) == kDayLand ? 1 : 0;
    EXPECT_GT(landPixels, 100);

    SetDisplayMode(kModeNight);
    EXPECT_EQ(g_needRedraw, 0);
    FirstPaint();
    ASSERT_TRUE(SaveDCPng(OffscreenWindowDC(), folder.File("night.png").c_str()));
    EXPECT_EQ(FileBytes(folder.File("flat.png")), FileBytes(folder.File("night.png")));

    // The night set is back for the detailed plan.
    EXPECT_EQ(DisplayMode, kModeNight);
    GdiBrushInfo land;
    ASSERT_TRUE(GetBrushInfo(g_style.brush_land, &land));
    EXPECT_EQ(land.color, Hex(0x1E1E1E));
}

}  // namespace
