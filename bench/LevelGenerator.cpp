#include "bench/LevelGenerator.h"

#include "pngwriter/PngWriter.h"
#include "tools/Random.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const objectFolders[] = {"characters", "events", "cutscenes", "entities"};

class Writer {
  public:
    Writer(std::string folder, GeneratedLevel& summary)
        : folder_(std::move(folder)), summary_(summary) {}

    bool image(const std::string& relative, int width, int height,
               const std::vector<uint32_t>& pixels) {
        const std::string path = folder_ + "/" + relative;
        if (!writePng(path, width, height, pixels))
            return fail(path, "cannot be written");
        ++summary_.images;
        summary_.bytes += (long long)fs::file_size(path);
        return true;
    }

    bool text(const std::string& relative, const std::string& body) {
        const std::string path = folder_ + "/" + relative;
        std::ofstream out(path, std::ios::binary);
        out << body;
        out.close();
        return out ? true : fail(path, "cannot be written");
    }

    bool copy(const std::string& from, const std::string& relative) {
        std::error_code error;
        fs::copy_file(from, folder_ + "/" + relative, fs::copy_options::overwrite_existing, error);
        return error ? fail(from, error.message()) : true;
    }

    bool folder(const std::string& relative) {
        std::error_code error;
        fs::create_directories(folder_ + "/" + relative, error);
        return error ? fail(folder_ + "/" + relative, error.message()) : true;
    }

  private:
    bool fail(const std::string& path, const std::string& problem) {
        std::fprintf(stderr, "generateLevel: %s: %s\n", path.c_str(), problem.c_str());
        return false;
    }

    std::string folder_;
    GeneratedLevel& summary_;
};

// Sides spread evenly on a log scale, so that small tiles are as common as large ones.
int side(Random& random) {
    return int(std::lround(16.0 * std::pow(16.0, random.below(1001) / 1000.0)));
}

// A tile-like picture: bricks of a base colour with mortar lines and per-pixel noise whose
// strength varies from picture to picture, so that files compress as real art does, some
// well and some badly.
std::vector<uint32_t> picture(Random& random, int width, int height, int frame) {
    const int r = random.between(40, 215), g = random.between(40, 215), b = random.between(40, 215);
    const int noise = random.between(0, 24);
    const int brickW = random.between(6, 32), brickH = random.between(4, 16);
    std::vector<uint32_t> pixels(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y) {
        const int row = y / brickH;
        for (int x = 0; x < width; ++x) {
            const int shiftedX = x + frame * 3 + (row % 2) * brickW / 2;
            const bool mortar = y % brickH == 0 || shiftedX % brickW == 0;
            const int n = noise ? random.below(noise + 1) - noise / 2 : 0;
            const int light = mortar ? -60 : n + (shiftedX / brickW + row) % 3 * 8;
            const auto channel = [light](int c) { return uint32_t(std::clamp(c + light, 0, 255)); };
            pixels[size_t(y) * size_t(width) + size_t(x)] =
                0xFF000000u | channel(r) << 16 | channel(g) << 8 | channel(b);
        }
    }
    return pixels;
}

// Distinct opaque colours: an odd multiplier permutes the 24-bit values.
uint32_t swatchColour(int index) {
    return 0xFF000000u | ((uint32_t(index) + 1u) * 0x9E3779u & 0xFFFFFFu);
}

std::string numbered(const char* stem, int i) {
    char name[64];
    std::snprintf(name, sizeof name, "%s_%05d", stem, i);
    return name;
}

} // namespace

bool generateLevel(const std::string& folder, int textures, const std::string& demoFolder,
                   GeneratedLevel& summary) {
    summary = GeneratedLevel{};
    Writer out(folder, summary);
    for (const char* sub : {"textures/frames", "levels", "fonts"}) {
        if (!out.folder(sub))
            return false;
    }
    for (const char* sub : objectFolders) {
        if (!out.folder(sub))
            return false;
    }
    for (const char* file :
         {"fonts/bigFont.png", "fonts/smallFont.png", "whiteBG.png", "scramble.png"}) {
        if (!out.copy(demoFolder + "/" + file, file))
            return false;
    }

    Random random(uint64_t(textures) * 7919u + 1u);
    int colour = 0;
    for (int i = 0; i < textures; ++i) {
        const int width = side(random);
        const int height = random.chance(0.6) ? width : side(random);
        std::string stem;
        if (i % 10 == 0) {
            stem = numbered("anim", i);
            std::string description = "(animated\n  (loop)\n";
            for (int frame = 0; frame < 4; ++frame) {
                const std::string path =
                    "textures/frames/" + stem + "_" + std::to_string(frame) + ".png";
                if (!out.image(path, width, height, picture(random, width, height, frame)))
                    return false;
                description +=
                    "  (sprite (filename " + path + ") (time " + std::to_string(4 + i % 9) + "))\n";
            }
            if (!out.text("textures/" + stem + ".txt", description + ")\n"))
                return false;
            ++summary.animated;
        } else if (i % 10 == 1) {
            stem = numbered("show", i);
            std::string description =
                "(showone\n  (size " + std::to_string(width) + " " + std::to_string(height) + ")\n";
            for (int part = 0; part < 2; ++part) {
                const std::string path =
                    "textures/frames/" + stem + "_" + std::to_string(part) + ".png";
                if (!out.image(path, width, height, picture(random, width, height, part)))
                    return false;
                description += "  (sprite (filename " + path + ") (origin 0 0))\n";
            }
            if (!out.text("textures/" + stem + ".txt", description + ")\n"))
                return false;
            ++summary.showOne;
        } else {
            stem = numbered("tex", i);
            if (!out.image("textures/" + stem + ".png", width, height,
                           picture(random, width, height, 0)))
                return false;
        }
        if (!out.image("textures/" + stem + "_p.png", 8, 8,
                       std::vector<uint32_t>(64, swatchColour(colour++))))
            return false;
        ++summary.textures;
    }

    for (int i = 0; i < textures; ++i) {
        const std::string stem = std::string(objectFolders[i % 4]) + "/" + numbered("obj", i);
        if (!out.text(stem + ".txt", "(object\n  (name " + numbered("obj", i) + ")\n  (health " +
                                         std::to_string(i % 20 + 1) + "))\n") ||
            !out.image(stem + "_p.png", 8, 8, std::vector<uint32_t>(64, swatchColour(colour++))))
            return false;
        ++summary.objects;
    }

    // Collision colours of their own, carried by no texture or object.
    return out.image("levels/walkbehind_p.png", 8, 8,
                     std::vector<uint32_t>(64, swatchColour(colour++))) &&
           out.image("levels/walkinto_p.png", 8, 8,
                     std::vector<uint32_t>(64, swatchColour(colour++)));
}

bool paintStillMap(const std::string& folder, int textures, int width, int height) {
    Random random(uint64_t(textures) * 104729u + 3u);
    std::vector<uint32_t> pixels(size_t(width) * size_t(height), 0);
    const int rectangles = width * height / 50;
    for (int i = 0; i < rectangles && textures > 1; ++i) {
        // Mostly textures, every fifth an object; texture i % 10 == 0 is an animation.
        int marker = textures + random.below(textures);
        if (!random.chance(0.2)) {
            marker = random.below(textures);
            if (marker % 10 == 0)
                ++marker;
        }
        const int w = random.between(3, 24), h = random.between(3, 24);
        const int left = random.below(width), top = random.below(height);
        for (int y = top; y < std::min(height, top + h); ++y) {
            for (int x = left; x < std::min(width, left + w); ++x)
                pixels[size_t(y) * size_t(width) + size_t(x)] = swatchColour(marker);
        }
    }
    const std::string path = folder + "/levels/painted.png";
    if (writePng(path, width, height, pixels))
        return true;
    std::fprintf(stderr, "paintStillMap: %s: cannot be written\n", path.c_str());
    return false;
}

std::string firstTextureSwatch(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder + "/textures", error)) {
        const std::string name = entry.path().filename().string();
        const bool png = name.size() > 4 && name.compare(name.size() - 4, 4, ".png") == 0;
        const bool swatch = name.size() >= 6 && name.compare(name.size() - 6, 2, "_p") == 0;
        if (png && !swatch)
            names.push_back(name);
    }
    if (names.empty())
        return "";
    const std::string first = *std::min_element(names.begin(), names.end());
    return folder + "/textures/" + first.substr(0, first.size() - 4) + "_p.png";
}
