#pragma once

#include <cstdint>
#include <functional>

// Frames follow one another at least this many milliseconds apart.
constexpr uint32_t framePeriod = 16;

// While the level is scanned again, each frame gives the rescan this many milliseconds (a file
// is never cut): frames then come some 30 ms apart, within the 50 ms a frame may wait on that
// work. While it loads, and its page is still filling, the scan takes more of each frame.
constexpr uint32_t scanSlice = 20;
constexpr uint32_t loadSlice = 30;

// Whether a frame period has passed since `lastStamp`. The difference is taken in unsigned
// 32-bit arithmetic so that the tick counter wrapping past 2^32 does not stall the loop.
inline bool framePeriodPassed(uint32_t now, uint32_t lastStamp) {
    return uint32_t(now - lastStamp) >= framePeriod;
}

// Sleeps for all but the last millisecond of the frame period left since `lastStamp`, then
// polls the tick counter, yielding the processor between polls, until the period has
// passed; returns at once when it already has.
void waitForFramePeriod(uint32_t lastStamp);

// Waits off the processor, while nothing on the window can change, until SDL has an event
// queued or `changed` (asked at each look) says something else came. It looks every few
// milliseconds, pumping SDL's events. Never fails.
void waitForEventOrChange(const std::function<bool()>& changed);
