#pragma once

#include "app/HeldKeys.h"
#include "app/KeyTable.h"
#include "app/LevelContents.h"
#include "app/MapView.h"
#include "gfx/TexCoords.h"

#include <cstdint>

// An image the loop draws every frame, uploaded once: the background or the overlay.
struct Decoration {
    uint32_t texture = 0;
    TexCoords window = {0, 0, 0, 0};
};

// Loads and uploads a decoration image, the level's own or else the data folder's copy; its
// surface is freed once uploaded. An image neither has is reported on standard error and
// leaves texture 0.
Decoration loadDecoration(const char* path);

constexpr const char* backgroundPath = "whiteBG.png";
constexpr const char* overlayPath = "scramble.png";

// Loads a decoration image again as loadDecoration does, and deletes its old texture. An
// image that cannot be loaded now is reported the same way and leaves texture 0.
void reloadDecoration(Decoration& decoration, const char* path);

// The frame's part before the pacing wait: clear, then the chosen background over the whole
// window: the background image, a light grey and white checkerboard of 8-pixel squares, or
// mid grey. Without its image the white background is still a white quad: texture 0 leaves
// the current colour, opaque white, as it is.
void drawBackground(const Decoration& background, Background chosen);

// The frame's part after the wait: the page, the overlay at (5, height - 80), glFinish, the
// buffer swap, then every queued key-down, mouse wheel step and pointer move applied to the
// state, which is returned, and the repeat of a key held down when one is due (`held` notes the
// keys and makes the repeats, of the keys that repeat). The close button ends the loop as Escape
// does, and both first ask while a map has unsaved edits ("unsaved: ^S saves, Esc quits": the
// next key answers, Ctrl+S saving every edited map, Escape quitting, any other key staying; a
// second close quits). A right click on a list row takes its colour for the brush. The page is
// `level`'s. In the map view `map` draws the view instead of the page (the backdrop drawn again
// above its area, under the caption), with no overlay over its area, and takes its own events
// first. A key-down or a mouse button ends the mark of a row (state.marked), and a pointer move its
// naming by the hover lines. `eventsCame` tells whether any event at all was taken (an expose, say,
// changes no state but asks for a frame).
ViewState finishFrame(ViewState state, const LevelContents& level, const Decoration& background,
                      const Decoration& overlay, HeldKeys& held, MapView& map, bool& eventsCame);
