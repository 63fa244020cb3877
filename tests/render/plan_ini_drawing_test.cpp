// A plan with a plan.ini is another city: its name in the overview's caption, and none of
// Korvinsk's fixed items (the circular places, the overview's bay and peninsula labels).
#include <cstring>

#include "data/plan_ini.h"
#include "plan_canvas.h"
#include "render/overview.h"
#include "render/streets.h"
#include "render_fixture.h"

namespace {

class OtherCityOverviewTest : public RenderTest {
protected:
    void TearDown() override {
        std::memset(&g_planIni, 0, sizeof g_planIni);
        RenderTest::TearDown();
    }
    size_t TextCount(const char* text) const {
        return Calls(GdiOp::TextOut, [&](const GdiCall& call) { return call.text == text; }).size();
    }
};

TEST_F(OtherCityOverviewTest, CaptionNamesTheCityAndKorvinskLabelsAreLeftOut) {
    WritePlan(PlanContent{});
    folder.WriteText("plan.ini", "[city]\nname=Testville\n[projection]\nlon_0=10\nlat_0=50\nx_shift=0\ny_shift=0\n");
    FirstPaint();
    ASSERT_TRUE(g_planIni.present);
    // Each caption line is written twice: the yellow shadow, then the black text.
    EXPECT_EQ(TextCount("Testville. Address plan"), 2u);
    EXPECT_EQ(TextCount(kMakerCaptionLine1), 0u);
    EXPECT_EQ(TextCount(kMakerCaptionLine2), 2u);
    for (const char* fixed : {"Kelmarsky bay", "Tervelsky", "bay", "Selvarov-Kelmarsky pens."}) EXPECT_EQ(TextCount(fixed), 0u) << fixed;
}

TEST_F(OtherCityOverviewTest, AMalformedPlanIniLeavesKorvinsk) {
    WritePlan(PlanContent{});
    folder.WriteText("plan.ini", "[city]\nname=Testville\n");  // no projection
    testing::internal::CaptureStderr();
    FirstPaint();
    testing::internal::GetCapturedStderr();
    EXPECT_FALSE(g_planIni.present);
    EXPECT_EQ(TextCount(kMakerCaptionLine1), 2u);
    EXPECT_EQ(TextCount("Kelmarsky bay"), 2u);
}

TEST(OtherCityStreetsTest, NoCircularPlaces) {
    g_planIni.present = true;
    PlanCanvas canvas(kModeGraphic);
    // The view of the circular place at (4737, 6125), at detail level 3, with a street through it.
    canvas.SetView(0.5, 4707.0f, 6085.0f);
    canvas.SetStreets({{5, {{4737.0f, 6000.0f}, {4737.0f, 6300.0f}}}});
    canvas.StartRecording();
    DrawStreetBodies();
    std::vector<GdiOp> ops;
    for (const GdiCall& call : canvas.Calls()) ops.push_back(call.op);
    EXPECT_EQ(ops, (std::vector<GdiOp>{GdiOp::Polyline, GdiOp::Polyline}));
    std::memset(&g_planIni, 0, sizeof g_planIni);
}

}  // namespace
