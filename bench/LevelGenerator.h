#pragma once

#include <string>

// What a generated level holds.
struct GeneratedLevel {
    int textures = 0;    // files in "textures/" that the scan takes as textures
    int animated = 0;    // of which "animated" descriptions with 4 frames each
    int showOne = 0;     // and "showone" descriptions with 2 parts each
    int objects = 0;     // object descriptions over the four object folders
    int images = 0;      // PNG files the scan reads: images, frames, parts and swatches
    long long bytes = 0; // their size on disk
};

// Writes a level of `textures` textures and as many objects into `folder` (made if needed):
// sides spread log-uniformly from 16 to 256 pixels, a tenth "animated", a tenth "showone",
// every texture and object with an 8 by 8 swatch of its own colour, the two collision
// swatches, and the fonts, background and overlay copied from `demoFolder`. The same
// arguments give the same bytes. Returns false, after one line on standard error naming the
// file, when a file cannot be written or copied.
bool generateLevel(const std::string& folder, int textures, const std::string& demoFolder,
                   GeneratedLevel& summary);

// Paints `folder`/levels/painted.png, a map of `width` by `height` cells for the level that
// generateLevel wrote there with `textures` textures: rectangles of one marker each, as levels
// are painted, of its textures that hold still (no "animated" one) and its objects, over
// unpainted ground. The same arguments give the same bytes. Returns false, after one line on
// standard error naming the file, when it cannot be written.
bool paintStillMap(const std::string& folder, int textures, int width, int height);

// The swatch of the first texture row of a level, "textures/<first texture>_p.png" (the first
// ".png" texture in byte order), as a path inside `folder`; "" when the level has no texture.
std::string firstTextureSwatch(const std::string& folder);
