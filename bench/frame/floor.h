// The floor of a frame: the drawing calls a composed frame made, replayed onto a QImage with
// QPainter and nothing else, for comparison with the frame itself.
#pragma once

#include <memory>
#include <vector>

#include "platform/gdi.h"

class FloorReplay {
public:
    // The calls drawn into the frame and onto the window, as recorded.
    FloorReplay(const std::vector<GdiCall>& frameCalls, const std::vector<GdiCall>& windowCalls, int width, int height);
    ~FloorReplay();
    void Draw();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
