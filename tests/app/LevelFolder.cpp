#include "tests/app/LevelFolder.h"

#include "pngwriter/PngWriter.h"
#include "tests/support/Paths.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>
#include <vector>

namespace {

// In-process, so that levels of hundreds of files are made in moments.
void makeParents(const std::string& file) {
    const size_t slash = file.rfind('/');
    if (slash != std::string::npos)
        std::filesystem::create_directories(file.substr(0, slash));
}

} // namespace

LevelFolder::LevelFolder() {
    char templ[] = "/tmp/levelcolors-level-XXXXXX";
    if (!mkdtemp(templ))
        throw std::runtime_error("cannot make a level folder");
    path_ = templ;
    makeParents(path_ + "/fonts/x");
    writePng(path_ + "/fonts/smallFont.png", 128, 128,
             std::vector<uint32_t>(128 * 128, 0xFFFFFFFF));
    writePng(path_ + "/fonts/bigFont.png", 256, 256, std::vector<uint32_t>(256 * 256, 0xFFFFFFFF));
    writeImage("whiteBG.png", 4, 4, 0xFFFFFF);
    // The overlay: grey, with marked corners so its placement can be checked to the pixel.
    std::vector<uint32_t> overlay(51 * 81, 0xFF808080);
    overlay.front() = 0xFF000000 | overlayTopLeft;
    overlay[79 * 51 + 50] = 0xFF000000 | overlayBottomRight; // the last row on screen
    writePng(path_ + "/scramble.png", 51, 81, overlay);
}

LevelFolder::~LevelFolder() {
    std::system(("rm -rf '" + path_ + "'").c_str());
}

void LevelFolder::writeText(const std::string& relative, const std::string& text) {
    makeParents(path_ + "/" + relative);
    std::ofstream(path_ + "/" + relative, std::ios::binary) << text;
}

void LevelFolder::writeImage(const std::string& relative, int width, int height, uint32_t rgb) {
    makeParents(path_ + "/" + relative);
    writeFlatPng(path_ + "/" + relative, width, height, 0xFF000000 | rgb);
}

void LevelFolder::addTexture(const std::string& stem, uint32_t swatchRgb, uint32_t imageRgb,
                             int size) {
    writeImage("textures/" + stem + ".png", size, size, imageRgb);
    writeImage("textures/" + stem + "_p.png", 8, 8, swatchRgb);
}

void LevelFolder::addAnimation(const std::string& stem, uint32_t swatchRgb,
                               const std::vector<std::pair<std::string, int>>& frames, bool loop) {
    std::string text = loop ? "(animated (loop)" : "(animated";
    for (const auto& [image, time] : frames)
        text += "\n (sprite (filename " + image + ") (time " + std::to_string(time) + "))";
    writeText("textures/" + stem + ".txt", text + ")\n");
    writeImage("textures/" + stem + "_p.png", 8, 8, swatchRgb);
}

void LevelFolder::addObject(const std::string& folder, const std::string& stem,
                            uint32_t swatchRgb) {
    writeText(folder + "/" + stem + ".txt", "(object (name " + stem + "))\n");
    writeImage(folder + "/" + stem + "_p.png", 8, 8, swatchRgb);
}

namespace {

// RRGGBB (opaque) or AARRGGBB.
uint32_t goldenColour(const std::string& hex) {
    const uint32_t value = uint32_t(std::stoul(hex, nullptr, 16));
    return hex.size() == 8 ? value : 0xFF000000u | value;
}

} // namespace

void LevelFolder::copyGolden(const std::string& name) {
    const std::string golden = sourceRoot() + "/tests/app/levels/" + name;
    std::system(("cp -R '" + golden + "/.' '" + path_ + "/'").c_str());
    std::ifstream list(golden + "/images.txt");
    std::string line;
    while (std::getline(list, line)) {
        std::istringstream fields(line);
        std::string file, width;
        if (!(fields >> file >> width) || file[0] == '#')
            continue;
        if (width == "corrupt") {
            writeText(file, "\x89PNG\r\n\x1a\nthis is no image");
            continue;
        }
        int height = 0;
        std::string rgb;
        fields >> height >> rgb;
        // "dot X,Y COLOUR ..." sets single pixels, for painted maps.
        std::string word;
        if (!(fields >> word) || word != "dot") {
            writeImage(file, std::stoi(width), height, uint32_t(std::stoul(rgb, nullptr, 16)));
            continue;
        }
        std::vector<uint32_t> pixels(size_t(std::stoi(width)) * size_t(height), goldenColour(rgb));
        std::string at, colour;
        while (fields >> at >> colour) {
            const size_t comma = at.find(',');
            pixels[size_t(std::stoi(at.substr(comma + 1))) * size_t(std::stoi(width)) +
                   size_t(std::stoi(at.substr(0, comma)))] = goldenColour(colour);
        }
        writePng(path_ + "/" + file, std::stoi(width), height, pixels);
    }
}

std::string LevelFolder::goldenText(const std::string& name, const std::string& file) {
    std::ifstream in(sourceRoot() + "/tests/app/levels/" + name + "/" + file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
