#pragma once

// The window's title, by which the tests, benchmarks and scripts find the window (the scripts
// take it from scripts/window-title). Apart from Screen.h, so that programs that include
// Xlib, whose Screen is another, can use it.
constexpr const char* windowTitle = "SDL Dynamic OpenGL Loading Test";
