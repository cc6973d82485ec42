#include "level/EditStep.h"

#include <algorithm>

namespace {

void putNumber(std::vector<uint8_t>& stream, uint64_t value) {
    while (value >= 0x80) {
        stream.push_back(uint8_t(value | 0x80));
        value >>= 7;
    }
    stream.push_back(uint8_t(value));
}

uint64_t takeNumber(const std::vector<uint8_t>& stream, size_t& at) {
    uint64_t value = 0;
    for (int shift = 0;; shift += 7) {
        const uint8_t byte = stream[at++];
        value |= uint64_t(byte & 0x7F) << shift;
        if (!(byte & 0x80))
            return value;
    }
}

void putColour(std::vector<uint8_t>& stream, uint32_t colour) {
    for (int shift = 0; shift < 32; shift += 8)
        stream.push_back(uint8_t(colour >> shift));
}

uint32_t takeColour(const std::vector<uint8_t>& stream, size_t& at) {
    uint32_t colour = 0;
    for (int shift = 0; shift < 32; shift += 8)
        colour |= uint32_t(stream[at++]) << shift;
    return colour;
}

// A run may lie before the last one (a stroke going up or left): its distance is signed,
// folded so that small distances either way take few bytes.
uint64_t zigZag(int64_t value) {
    return value < 0 ? (uint64_t(-(value + 1)) << 1) | 1 : uint64_t(value) << 1;
}

int64_t unZigZag(uint64_t value) {
    return (value & 1) ? -int64_t(value >> 1) - 1 : int64_t(value >> 1);
}

} // namespace

void EditStep::add(size_t start, size_t count, uint32_t before, uint32_t after) {
    if (count == 0)
        return;
    cells_ += count;
    if (runCount_ > 0 && start == runStart_ + runCount_) {
        runCount_ += count;
    } else {
        if (runCount_ > 0) {
            putNumber(positions_, zigZag(int64_t(runStart_) - int64_t(lastEnd_)));
            putNumber(positions_, runCount_);
            lastEnd_ = runStart_ + runCount_;
        }
        runStart_ = start;
        runCount_ = count;
    }
    addColours(before_, beforeRun_, before, count);
    addColours(after_, afterRun_, after, count);
}

void EditStep::addColours(std::vector<uint8_t>& stream, ColourRun& run, uint32_t colour,
                          size_t count) {
    if (run.count > 0 && run.colour == colour) {
        run.count += count;
        return;
    }
    if (run.count > 0) {
        putColour(stream, run.colour);
        putNumber(stream, run.count);
    }
    run = {colour, count};
}

void EditStep::finish() {
    if (runCount_ > 0) {
        putNumber(positions_, zigZag(int64_t(runStart_) - int64_t(lastEnd_)));
        putNumber(positions_, runCount_);
        lastEnd_ = runStart_ + runCount_;
        runCount_ = 0;
    }
    for (auto [stream, run] : {std::pair{&before_, &beforeRun_}, std::pair{&after_, &afterRun_}}) {
        if (run->count > 0) {
            putColour(*stream, run->colour);
            putNumber(*stream, run->count);
            run->count = 0;
        }
    }
    positions_.shrink_to_fit();
    before_.shrink_to_fit();
    after_.shrink_to_fit();
}

size_t EditStep::bytes() const {
    return sizeof *this + positions_.capacity() + before_.capacity() + after_.capacity();
}

void EditStep::apply(MapCanvas& canvas, const std::vector<uint8_t>& colours) const {
    size_t at = 0, colourAt = 0, end = 0, left = 0;
    uint32_t colour = 0;
    while (at < positions_.size()) {
        size_t start = size_t(int64_t(end) + unZigZag(takeNumber(positions_, at)));
        size_t count = takeNumber(positions_, at);
        end = start + count;
        while (count > 0) {
            if (left == 0) {
                colour = takeColour(colours, colourAt);
                left = takeNumber(colours, colourAt);
            }
            const size_t part = std::min(count, left);
            canvas.fill(start, part, colour);
            start += part;
            count -= part;
            left -= part;
        }
    }
}
