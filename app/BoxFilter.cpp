#include "app/BoxFilter.h"

#include <algorithm>
#include <array>

namespace {

// Alpha, and red, green and blue times alpha: the sums that average without dark fringes.
using Sums = std::array<uint64_t, 4>;

// How much of each source pixel along one direction each result pixel covers, in units of
// 1/`to` of a source pixel: result pixel j covers [j * from, (j + 1) * from), source pixel i
// [i * to, (i + 1) * to), so every result pixel's weights add up to `from`.
struct Span {
    int first = 0; // the first source pixel covered
    std::vector<uint64_t> weights;
};

std::vector<Span> spans(int from, int to) {
    std::vector<Span> result(static_cast<size_t>(to));
    for (int j = 0; j < to; ++j) {
        const int64_t start = int64_t(j) * from, end = int64_t(j + 1) * from;
        Span& span = result[size_t(j)];
        span.first = int(start / to);
        for (int64_t i = span.first; i * to < end; ++i)
            span.weights.push_back(uint64_t(std::min(end, (i + 1) * to) - std::max(start, i * to)));
    }
    return result;
}

} // namespace

std::vector<uint32_t> boxFilter(const uint32_t* pixels, int width, int height, int pitch,
                                int toWidth, int toHeight) {
    if (!pixels || width <= 0 || height <= 0)
        return {};
    toWidth = std::clamp(toWidth, 1, width);
    toHeight = std::clamp(toHeight, 1, height);
    const std::vector<Span> across = spans(width, toWidth), down = spans(height, toHeight);
    // Across each source row first, then down the columns of those sums.
    std::vector<Sums> rows(size_t(height) * size_t(toWidth), Sums{});
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = pixels + size_t(y) * size_t(pitch);
        for (int j = 0; j < toWidth; ++j) {
            const Span& span = across[size_t(j)];
            Sums& sums = rows[size_t(y) * size_t(toWidth) + size_t(j)];
            for (size_t k = 0; k < span.weights.size(); ++k) {
                const uint32_t pixel = row[size_t(span.first) + k];
                const uint64_t alpha = pixel >> 24, weight = span.weights[k] * alpha;
                sums[0] += weight;
                sums[1] += weight * ((pixel >> 16) & 0xFF);
                sums[2] += weight * ((pixel >> 8) & 0xFF);
                sums[3] += weight * (pixel & 0xFF);
            }
        }
    }
    std::vector<uint32_t> result(size_t(toWidth) * size_t(toHeight), 0);
    const uint64_t area = uint64_t(width) * uint64_t(height);
    for (int i = 0; i < toHeight; ++i) {
        const Span& span = down[size_t(i)];
        for (int j = 0; j < toWidth; ++j) {
            Sums sums{};
            for (size_t k = 0; k < span.weights.size(); ++k) {
                const Sums& row = rows[(size_t(span.first) + k) * size_t(toWidth) + size_t(j)];
                for (size_t c = 0; c < 4; ++c)
                    sums[c] += span.weights[k] * row[c];
            }
            if (sums[0] == 0)
                continue;
            const auto mean = [](uint64_t sum, uint64_t count) {
                return uint32_t((2 * sum + count) / (2 * count));
            };
            result[size_t(i) * size_t(toWidth) + size_t(j)] =
                mean(sums[0], area) << 24 | mean(sums[1], sums[0]) << 16 |
                mean(sums[2], sums[0]) << 8 | mean(sums[3], sums[0]);
        }
    }
    return result;
}
