// Writing what a context or bitmap holds to a PNG file, for rendering without a screen.
#pragma once

#include <cstdint>

#include "platform/types.h"

// false when the handle is refused, the context has no image (a printer) or the file cannot be
// written.
bool SaveBitmapPng(HBITMAP bitmap, const char* path);
bool SaveDCPng(HDC hdc, const char* path);
// A picture given as rows of 0xAARRGGBB pixels (width × height, row by row), with its alpha.
bool SaveArgbPng(const uint32_t* pixels, int width, int height, const char* path);
