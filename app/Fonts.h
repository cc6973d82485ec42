#pragma once

// The viewer's two bitmap font images, each the level's own copy or else the data folder's,
// read and handed to the Renderer, which opens no file itself. An image that cannot be loaded
// is named on standard error, "Unable to load image fonts/bigFont.png : <reason>" (a refused
// file by its own line instead), and that font's text draws with texture 0. Needs the video mode
// set.
class Fonts {
  public:
    static constexpr const char* bigFontPath = "fonts/bigFont.png";
    static constexpr const char* smallFontPath = "fonts/smallFont.png";

    // Both fonts at start-up, the big one first, so its line comes before the small one's.
    static void load();
    // One font again, as at start-up, when its file changed; its old texture is reused or,
    // when the image cannot be loaded now, deleted.
    static void reload(bool small);
};
