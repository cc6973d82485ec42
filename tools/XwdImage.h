#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A screenshot as the X tool xwd writes it, decoded: pixels as 0xRRGGBB, row by row from the
// top. Only 32-bit pixels (24- and 32-bit visuals) are read; anything else decodes as empty.
struct XwdImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

// Decodes what xwd wrote; anything it cannot read whole (a header or rows shorter than they
// say, other pixel sizes) decodes as empty.
XwdImage decodeXwd(const std::string& bytes);
