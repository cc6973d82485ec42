#pragma once

#include <cstdint>

class Sprite;

// One frame of an animation: its picture (not owned) and the tick at which it begins.
struct AnimationFrame {
    Sprite* sprite = nullptr;
    int32_t start = 0;
};
