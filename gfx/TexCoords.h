#pragma once

// The window of an image inside its power-of-two texture, in texture coordinates with row 0
// at the top of the image.
struct TexCoords {
    float left;
    float top;
    float right;
    float bottom;
};
