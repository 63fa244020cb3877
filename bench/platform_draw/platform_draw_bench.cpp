// Drawing calls as a detailed frame uses them: many small filled outlines, polylines, labels,
// pen changes, and the rubber band drawn under NOT on every mouse move.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "platform/gdi.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

struct Frame {
    Frame() {
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateCompatibleBitmap(dc, kWidth, kHeight);
        SelectObject(dc, bitmap);
    }
    ~Frame() {
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    HDC dc;
    HBITMAP bitmap;
};

// Outlines of n small buildings spread over the frame, each of `points` corners.
std::vector<std::vector<POINT>> Buildings(int n, int points) {
    std::vector<std::vector<POINT>> all;
    unsigned seed = 12345;
    auto next = [&seed](int range) {
        seed = seed * 214013u + 2531011u;
        return static_cast<int>((seed >> 16) & 0x7FFF) % range;
    };
    for (int i = 0; i < n; ++i) {
        int x = next(kWidth), y = next(kHeight);
        std::vector<POINT> outline;
        for (int k = 0; k < points; ++k) outline.push_back(POINT{x + next(40), y + next(40)});
        all.push_back(outline);
    }
    return all;
}

void BM_FilledOutlines(benchmark::State& state) {
    Frame frame;
    auto buildings = Buildings(static_cast<int>(state.range(0)), 8);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(80, 80, 80));
    HBRUSH brush = CreateSolidBrush(RGB(220, 200, 160));
    SelectObject(frame.dc, pen);
    SelectObject(frame.dc, brush);
    for (auto _ : state) {
        for (const auto& b : buildings) Polygon(frame.dc, b.data(), static_cast<int>(b.size()));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    SelectObject(frame.dc, GetStockObject(BLACK_PEN));
    SelectObject(frame.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(pen);
    DeleteObject(brush);
}
BENCHMARK(BM_FilledOutlines)->Arg(1000)->Arg(10000);

void BM_PenChangesAndPolylines(benchmark::State& state) {
    Frame frame;
    auto lines = Buildings(2000, 20);
    HPEN pens[2] = {CreatePen(PS_SOLID, 3, RGB(255, 255, 255)), CreatePen(PS_SOLID, 1, RGB(120, 100, 80))};
    for (auto _ : state) {
        int i = 0;
        for (const auto& line : lines) {
            SelectObject(frame.dc, pens[i++ & 1]);
            Polyline(frame.dc, line.data(), static_cast<int>(line.size()));
        }
    }
    state.SetItemsProcessed(state.iterations() * 2000);
    SelectObject(frame.dc, GetStockObject(BLACK_PEN));
    DeleteObject(pens[0]);
    DeleteObject(pens[1]);
}
BENCHMARK(BM_PenChangesAndPolylines);

void BM_Labels(benchmark::State& state) {
    Frame frame;
    HFONT font = CreateFontA(14, 0, static_cast<int>(state.range(0)), 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, "Arial Cyr");
    SelectObject(frame.dc, font);
    SetBkMode(frame.dc, TRANSPARENT);
    for (auto _ : state) {
        for (int i = 0; i < 500; ++i) TextOutA(frame.dc, (i * 37) % kWidth, (i * 53) % kHeight, "Kirova 12", 9);
    }
    state.SetItemsProcessed(state.iterations() * 500);
    SelectObject(frame.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
}
BENCHMARK(BM_Labels)->Arg(0)->Arg(450);

void BM_RubberBandMove(benchmark::State& state) {
    Frame frame;
    SetROP2(frame.dc, R2_NOT);
    SetBkMode(frame.dc, TRANSPARENT);
    POINT band[5] = {{100, 100}, {900, 100}, {900, 700}, {100, 700}, {100, 100}};
    for (auto _ : state) {
        Polyline(frame.dc, band, 5);  // erase the previous one
        Polyline(frame.dc, band, 5);  // draw the new one
    }
}
BENCHMARK(BM_RubberBandMove);

void BM_FrameCopy(benchmark::State& state) {
    Frame window;
    Frame memory;
    for (auto _ : state) BitBlt(window.dc, 0, 0, kWidth, kHeight, memory.dc, 0, 0, SRCCOPY);
}
BENCHMARK(BM_FrameCopy);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
