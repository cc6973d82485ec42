#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A level folder built by a test in /tmp and removed afterwards: the decoration and font
// images every level needs, plus whatever files the test adds. The test fonts are solid
// white cells, so that every glyph draws as a full block and labels are measurable bars.
class LevelFolder {
  public:
    LevelFolder();
    ~LevelFolder();
    LevelFolder(const LevelFolder&) = delete;
    LevelFolder& operator=(const LevelFolder&) = delete;

    const std::string& path() const { return path_; }

    // Writes a text file (folders are made as needed).
    void writeText(const std::string& relative, const std::string& text);
    // Writes a flat opaque image of `rgb` (0xRRGGBB).
    void writeImage(const std::string& relative, int width, int height, uint32_t rgb);
    // A texture image with its swatch: "textures/<stem>.png" and "textures/<stem>_p.png".
    void addTexture(const std::string& stem, uint32_t swatchRgb, uint32_t imageRgb, int size = 16);
    // An "animated" texture "textures/<stem>.txt" of `frames` (image path, time), looping or
    // played once, with its swatch; the frame images are the caller's.
    void addAnimation(const std::string& stem, uint32_t swatchRgb,
                      const std::vector<std::pair<std::string, int>>& frames, bool loop = true);
    // An object description file "<folder>/<stem>.txt" with its swatch.
    void addObject(const std::string& folder, const std::string& stem, uint32_t swatchRgb);
    // Copies a golden level folder from tests/app/levels/<name>; its "images.txt" lists the
    // PNG files to make, one per line: "<path> <width> <height> <RRGGBB>", or
    // "<path> corrupt" for a file that is no image; after the colour, "dot X,Y COLOUR ..." sets
    // single pixels (COLOUR RRGGBB, or AARRGGBB with its alpha). Lines from "#" are comments.
    void copyGolden(const std::string& name);
    // The text of a file of the golden folder, e.g. the expected standard error.
    static std::string goldenText(const std::string& name, const std::string& file);

    // The overlay image's corner pixels, which the tests look for at (5, 720).
    static constexpr uint32_t overlayTopLeft = 0xFF00FF;
    static constexpr uint32_t overlayBottomRight = 0x00FFFF;

  private:
    std::string path_;
};
