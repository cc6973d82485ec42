#pragma once

#include "drive/WindowDriver.h"
#include "gfx/Rect.h"
#include "tests/support/Printers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

// Every sprite test program runs with its own X server, in a temporary folder of its own
// (the working directory) where the tests write their images and description files, with
// the window already open. The catalogue is process-wide: each test uses names of its own.

// Opaque colours as the images are written (0xAARRGGBB) and as pixels read back (0xRRGGBB).
constexpr uint32_t red = 0xFF0000;
constexpr uint32_t green = 0x00FF00;
constexpr uint32_t blue = 0x0000FF;
constexpr uint32_t yellow = 0xFFFF00;
constexpr uint32_t black = 0x000000;
inline uint32_t opaque(uint32_t rgb) {
    return 0xFF000000u | rgb;
}

// Writes a text file in the working directory.
void writeText(const std::string& path, const std::string& text);
// Writes a PNG of one opaque colour; the left half in `left` and the right half in `right`
// when they differ (width even).
void writeImage(const std::string& path, int width, int height, uint32_t left, uint32_t right);
inline void writeImage(const std::string& path, int width, int height, uint32_t rgb) {
    writeImage(path, width, height, rgb, rgb);
}

// Clears the window to black.
void clearWindow();
// The window's pixels, top row first, as 0xRRGGBB (glFinish first).
Screenshot readWindow();
// The smallest rectangle holding every pixel of this colour; all zero when there is none.
Rect boundsOf(const Screenshot& shot, uint32_t rgb);
// Whether the whole window is black.
bool isBlank(const Screenshot& shot);

// Runs f and returns what it wrote to standard error.
template <class F>
std::string stderrOf(F f) {
    testing::internal::CaptureStderr();
    f();
    return testing::internal::GetCapturedStderr();
}
