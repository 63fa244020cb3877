// Street names along their streets: the layout of one label worked out by hand, the label pass
// of the frame and the name written by a right click.
#include <gtest/gtest.h>

#include <set>

#include "plan_canvas.h"
#include "render/frame.h"
#include "render/labels.h"
#include "render/streets.h"
#include "render/styles.h"
#include "view/surface.h"
#include "view/view.h"

namespace {

// All cases: scale 0.5 at 4 px/mm (2 px per metre), view corner (50, 0), font height 16, so a
// character step is 16 / 4 / 0.5 = 8 m and each character takes 8 * 1.2 = 9.6 m of the line.
// A character's corner lies 0.55 * 8 = 4.4 m left of the path.
struct LayoutCase {
    const char* name;
    const char* street;
    std::vector<PlanPoint> line;
    PlanPoint at;
    std::vector<int> x;  // empty: positions not checked
    std::vector<int> y;
    std::vector<int> escapement;
};

const LayoutCase kLayoutCases[] = {
    // Path (100, 95.2)..(100, 104.8): the one character sits at the western end, its corner at
    // (104.4, 95.2) -> (trunc(190.9), trunc(300 - 109.3)) = (190, 190).
    {"OneCharacterAtTheWesternEnd", "A", {{100, 0}, {100, 200}}, {100, 100}, {190}, {190}, {0}},
    {"OneCharacterOnALineDrawnEastToWest", "A", {{100, 200}, {100, 0}}, {100, 100}, {190}, {190}, {0}},
    // 28.8 m centred on y = 100: characters at y 85.6, 100, 114.4 (step 14.4).
    {"CentredOnTheLabelPoint", "ABC", {{100, 0}, {100, 200}}, {100, 100}, {171, 200, 229}, {190, 190, 190}, {0, 0, 0}},
    {"EastToWestLineStillReadsLeftToRight", "ABC", {{100, 200}, {100, 0}}, {100, 100}, {171, 200, 229},
     {190, 190, 190}, {0, 0, 0}},
    // Only 5 m to the west end: the text slides east and starts at the end, y 0, 14.4, 28.8.
    {"SlidesAlongNearTheEndOfTheLine", "ABC", {{100, 0}, {100, 200}}, {100, 5}, {0, 29, 58}, {190, 190, 190},
     {0, 0, 0}},
    // A 20 m line for 28.8 m of text: squeezed to the line, a step of (28.8 - 8.8) / 2 = 10 m.
    {"SqueezedOntoAShortLine", "ABC", {{100, 0}, {100, 20}}, {100, 10}, {0, 20, 40}, {190, 190, 190}, {0, 0, 0}},
    // A street running north: written upwards (escapement 90 degrees), corners 4.4 m west.
    {"NorthboundStreetReadsUpwards", "AB", {{0, 100}, {200, 100}}, {100, 100}, {191, 191}, {218, 180}, {900, 900}},
    // Round a corner at (100, 100): two letters before it run east, two after it run north.
    {"LettersFollowABend", "ABCD", {{100, 0}, {100, 100}, {200, 100}}, {100, 95}, {152, 177, 191, 191},
     {190, 190, 196, 171}, {0, 0, 900, 900}},
    // A 1 m wiggle in a 100 m line is dropped from the path: all letters keep one direction
    // instead of 11 before the wiggle and 3590 after it.
    {"SmallWigglesAreSmoothedOut", "ABCD", {{100, 0}, {101, 50}, {100, 100}}, {100, 50}, {}, {}, {0, 0, 0, 0}},
};

class LayoutLabelTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutLabelTest, PlacesEachCharacter) {
    const LayoutCase& c = GetParam();
    PlanCanvas canvas(kModeFlat);
    canvas.SetView(0.5, 50.0f, 0.0f);
    canvas.SetStreets({{3, c.line}});
    canvas.SetStreetNames({{3, c.street}});
    labelFontHeight = 16;
    ASSERT_EQ(LayoutLabel(c.at.x, c.at.y, g_street_lines[0]), 1);
    ASSERT_EQ(g_labelLayout.count, static_cast<int>(c.escapement.size()));
    for (int i = 0; i < g_labelLayout.count; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(g_labelLayout.escapement[i], c.escapement[i]);
        if (c.x.empty()) continue;
        EXPECT_EQ(g_labelLayout.x[i], c.x[i]);
        EXPECT_EQ(g_labelLayout.y[i], c.y[i]);
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, LayoutLabelTest, ::testing::ValuesIn(kLayoutCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LayoutLabelRefusalTest, PointsOffTheLineAndNamelessStreetsAreRefused) {
    PlanCanvas canvas(kModeFlat);
    canvas.SetView(0.5, 50.0f, 0.0f);
    canvas.SetStreets({{3, {{100, 0}, {100, 200}}}, {4, {{100, 0}}}});
    canvas.SetStreetNames({{3, "Lesnaya"}});
    labelFontHeight = 16;
    EXPECT_EQ(LayoutLabel(104.0f, 100.0f, g_street_lines[0]), 0) << "4 m away from the only segment";
    EXPECT_EQ(LayoutLabel(102.9f, 100.0f, g_street_lines[0]), 1);
    EXPECT_EQ(LayoutLabel(100.0f, 0.0f, g_street_lines[1]), 0) << "a line of one point has no segment";
}

TEST(StreetLabelTextTest, NameIsCutBeforeTheSlash) {
    PlanCanvas canvas(kModeFlat);
    canvas.SetStreetNames({{1, "Lenina/Prospekt"}, {2, "/Bez"}, {3, "Morskaya"}});
    char text[kLabelLayoutMax + 1];
    EXPECT_EQ(StreetLabelText(1, text), 6);
    EXPECT_STREQ(text, "Lenina");
    EXPECT_EQ(StreetLabelText(2, text), 0);
    EXPECT_EQ(StreetLabelText(3, text), 8);
    EXPECT_EQ(StreetLabelText(99, text), 0) << "an id beyond the index has no name";
}

// ---- The label pass ----

class LabelPassTest : public ::testing::Test {
protected:
    LabelPassTest() : canvas(kModeFlat) {
        canvas.SetView(0.5, 50.0f, 0.0f);
        // Street 1 along x = 100 and street 2 along x = 60, both from y = 0 to y = 200.
        canvas.SetStreets({{1, {{100, 0}, {100, 200}}}, {2, {{60, 0}, {60, 200}}}});
        canvas.SetStreetNames({{1, "ABC"}, {2, "Lenina/Pr"}});
    }
    std::vector<GdiCall> Texts() const { return canvas.CallsOf(GdiOp::TextOut); }

    PlanCanvas canvas;
};

TEST_F(LabelPassTest, ScaleDecidesWhichLabelsShowAndTheirFontHeight) {
    struct Case {
        double scale;
        int16_t size;
        bool shown;
        int fontHeight;
    };
    // z = 100 s: labels show while z >= size, the height is max(trunc(z / 3), 12).
    const Case cases[] = {{0.1, 10, true, 12}, {0.1, 11, false, 0}, {0.5, 50, true, 16}, {0.099, 1, false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.scale << " size " << c.size);
        canvas.SetView(c.scale, 50.0f, 0.0f);
        canvas.SetLabels({{100, 100, c.size, 1}});
        canvas.StartRecording();
        DrawStreetLabels();
        const auto texts = Texts();
        EXPECT_EQ(!texts.empty(), c.shown);
        for (const GdiCall& text : texts) EXPECT_EQ(text.fontInfo.height, c.fontHeight);
        EXPECT_EQ(g_labels[0].size, c.shown ? -c.size : c.size);
    }
}

TEST_F(LabelPassTest, ThinWithShadowBelowLevelThreeBoldFromIt) {
    for (int level : {2, 3}) {
        SCOPED_TRACE(level);
        canvas.SetView(0.5, 50.0f, 0.0f, level);
        canvas.SetLabels({{100, 100, 10, 1}});
        canvas.StartRecording();
        DrawStreetLabels();
        const auto texts = Texts();
        const int xs[] = {171, 200, 229};
        if (level == 2) {
            ASSERT_EQ(texts.size(), 6u);
            for (int c = 0; c < 3; ++c) {
                const GdiCall& shadow = texts[2 * c];
                const GdiCall& letter = texts[2 * c + 1];
                EXPECT_EQ(shadow.textColor, RGB(0xFA, 0xFA, 0x00));
                EXPECT_EQ(shadow.points[0].x, xs[c] + 1);
                EXPECT_EQ(shadow.points[0].y, 191);
                EXPECT_EQ(letter.textColor, RGB(0xB4, 0x3C, 0x28));
                EXPECT_EQ(letter.points[0].x, xs[c]);
                EXPECT_EQ(letter.points[0].y, 190);
                EXPECT_EQ(letter.fontInfo.weight, 100);
                EXPECT_EQ(letter.text, std::string(1, "ABC"[c]));
            }
        } else {
            ASSERT_EQ(texts.size(), 3u);
            for (int c = 0; c < 3; ++c) {
                EXPECT_EQ(texts[c].textColor, RGB(0xB4, 0x92, 0x76));
                EXPECT_EQ(texts[c].points[0].x, xs[c]);
                EXPECT_EQ(texts[c].fontInfo.weight, 700);
                EXPECT_EQ(texts[c].fontInfo.face, "Arial Cyr");
            }
        }
    }
}

TEST_F(LabelPassTest, OneFontPerDirectionAndNoneLeftBehind) {
    canvas.SetStreets({{1, {{100, 0}, {100, 100}, {200, 100}}}});
    canvas.SetStreetNames({{1, "ABCD"}});
    canvas.SetLabels({{100, 95, 10, 1}});
    const int live = GdiLiveObjectCount();
    canvas.StartRecording();
    DrawStreetLabels();
    const auto texts = Texts();
    ASSERT_EQ(texts.size(), 4u);
    std::set<HFONT> fonts;
    for (const GdiCall& text : texts) fonts.insert(text.font);
    EXPECT_EQ(fonts.size(), 2u) << "one font east, one north";
    EXPECT_EQ(texts[1].font, texts[0].font);
    EXPECT_EQ(texts[3].font, texts[2].font);
    EXPECT_EQ(texts[2].fontInfo.escapement, 900);
    EXPECT_EQ(GdiLiveObjectCount(), live);
}

TEST_F(LabelPassTest, LabelsNotOnTheirLineOrTooLargeKeepTheirSign) {
    canvas.SetLabels({
        {104, 100, 10, 1},   // 4 m from street 1: near the line, but not on a segment
        {100, 100, 60, 1},   // shown from z = 60 only
        {100, 150, -20, 1},  // drawn in the last pass: counted as size 20
        {100, 50, 10, 9},    // street 9 has no line
    });
    canvas.StartRecording();
    DrawStreetLabels();
    EXPECT_EQ(Texts().size(), 3u);
    EXPECT_EQ(g_labels[0].size, 10);
    EXPECT_EQ(g_labels[1].size, 60);
    EXPECT_EQ(g_labels[2].size, -20);
    EXPECT_EQ(g_labels[3].size, 10);
}

TEST_F(LabelPassTest, NameIsWrittenUpToTheSlash) {
    canvas.SetLabels({{60, 100, 10, 2}});
    canvas.StartRecording();
    DrawStreetLabels();
    std::string written;
    for (const GdiCall& text : Texts()) written += text.text;
    EXPECT_EQ(written, "Lenina");
}

TEST_F(LabelPassTest, PassStopsAtTheFirstLabelSouthOfTheViewButReachesClickedLabels) {
    // North first: one north of the view, one in it, one south of it (x < xMin = 50), then one
    // in view again, out of order, which the stop leaves out.
    canvas.SetLabels({{500, 100, 10, 1}, {100, 100, 10, 1}, {20, 100, 10, 2}, {60, 100, 10, 2}});
    canvas.StartRecording();
    DrawStreetLabels();
    EXPECT_EQ(Texts().size(), 3u) << "only ABC";
    EXPECT_EQ(g_labels[3].size, 10);

    // A right click on street 2 adds a label behind the ordered ones; it must still be drawn
    // by the next passes.
    ShowStreetNameAt(200, 220);  // plan (90, 100): 10 m from street 1, beyond the 6 m tolerance
    EXPECT_EQ(g_label_count, 4);
    ShowStreetNameAt(40, 280);  // plan (60, 20): street 2
    ASSERT_EQ(g_label_count, 5);
    EXPECT_TRUE(labelsAdded);
    labelCursor = 0;
    canvas.StartRecording();
    DrawStreetLabels();
    EXPECT_EQ(Texts().size(), 3u + 6u);
    EXPECT_LT(g_labels[4].size, 0);
    EXPECT_EQ(g_labels[3].size, 10);
}

// ---- Names by click ----

TEST_F(LabelPassTest, ClickAddsALabelWithAFontPerCharacter) {
    struct Case {
        int level;
        size_t callsPerCharacter;
        int weight;
    };
    for (const Case& c : {Case{0, 1, 700}, Case{1, 2, 100}, Case{2, 2, 100}, Case{3, 1, 700}}) {
        SCOPED_TRACE(c.level);
        canvas.SetView(0.5, 50.0f, 0.0f, c.level);
        canvas.SetLabels({{150, 10, 10, 1}});
        const int live = GdiLiveObjectCount();
        canvas.StartRecording();
        // (200, 200) is plan (100, 100), on street 1.
        ShowStreetNameAt(200, 200);
        const auto texts = Texts();
        ASSERT_EQ(texts.size(), 3 * c.callsPerCharacter);
        std::set<HFONT> fonts;
        for (const GdiCall& text : texts) {
            fonts.insert(text.font);
            EXPECT_EQ(text.fontInfo.weight, c.weight);
            EXPECT_EQ(text.fontInfo.height, 16) << "max(trunc(0.5 * 33.33), 12)";
            EXPECT_EQ(text.bkMode, TRANSPARENT);
        }
        EXPECT_EQ(fonts.size(), 3u);
        EXPECT_EQ(GdiLiveObjectCount(), live);
        ASSERT_EQ(g_label_count, 2);
        EXPECT_EQ(g_labels[1].x, 100);
        EXPECT_EQ(g_labels[1].y, 100);
        EXPECT_EQ(g_labels[1].size, -50) << "trunc(0.5 * -100)";
        EXPECT_EQ(g_labels[1].streetId, 1);
        EXPECT_TRUE(labelsAdded);
    }
}

TEST_F(LabelPassTest, ClicksBesideStreetsOrOnCodeZeroAddNothing) {
    canvas.SetStreets({{1, {{100, 0}, {100, 200}}}, {0, {{120, 0}, {120, 200}}}});
    canvas.SetLabels({});
    canvas.StartRecording();
    ShowStreetNameAt(200, 170);  // plan (115, 100): 5 m from the code-0 line, 15 m from street 1
    ShowStreetNameAt(200, 160);  // plan (120, 100): on the code-0 line
    EXPECT_TRUE(Texts().empty());
    EXPECT_EQ(g_label_count, 0);
    EXPECT_FALSE(labelsAdded);
}

TEST_F(LabelPassTest, ClickBesideAStraightStreetWithinTheToleranceFindsIt) {
    // Street 1 runs due east: its box has no height. The tolerance is 3 / 0.5 = 6 m.
    canvas.SetLabels({});
    ShowStreetNameAt(200, 198);  // plan (101, 100)
    ASSERT_EQ(g_label_count, 1);
    EXPECT_EQ(g_labels[0].x, 101);
    EXPECT_EQ(g_labels[0].streetId, 1);
}

TEST_F(LabelPassTest, EveryClickKeepsItsLabelBeyondTheRoomGiven) {
    canvas.SetLabels({{150, 10, 10, 1}, {100, 20, 10, 1}, {60, 30, 10, 2}});
    for (int i = 0; i < 150; ++i) ShowStreetNameAt(200, 200);
    ASSERT_EQ(g_label_count, 153);
    EXPECT_GE(g_label_capacity, 153);
    EXPECT_EQ(g_labels[2].streetId, 2) << "the file's labels survive the growth";
    for (int i = 3; i < 153; ++i) {
        ASSERT_EQ(g_labels[i].streetId, 1);
        ASSERT_EQ(g_labels[i].size, -50);
    }
}

}  // namespace
