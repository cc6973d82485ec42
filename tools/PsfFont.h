#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// A console bitmap font in PSF format (version 1 or 2), uncompressed, with its optional
// Unicode table. Glyph bits are kept as the file stores them: rows of whole bytes, most
// significant bit leftmost.
class PsfFont {
  public:
    // Parses the file at path. On failure returns false and sets error to one line naming the
    // file and the problem (a gzip-compressed file is refused with a hint to decompress it).
    bool load(const std::string& path, std::string& error);
    // Parses bytes already read; name is used in error lines only.
    bool parse(const std::vector<uint8_t>& bytes, const std::string& name, std::string& error);

    int width() const { return width_; }
    int height() const { return height_; }
    int glyphCount() const { return glyphCount_; }
    bool hasUnicodeTable() const { return unicode_; }

    // Index of the glyph drawn for a code point: through the Unicode table when the font has
    // one, else the code point itself. -1 when the font has no glyph for it.
    int glyphFor(uint32_t codePoint) const;
    // Whether pixel (x, y) of glyph is set; false outside the glyph or for a bad index.
    bool pixel(int glyph, int x, int y) const;

  private:
    bool parsePsf1(const std::vector<uint8_t>& bytes, const std::string& name, std::string& error);
    bool parsePsf2(const std::vector<uint8_t>& bytes, const std::string& name, std::string& error);

    int width_ = 0;
    int height_ = 0;
    int glyphCount_ = 0;
    size_t bytesPerRow_ = 0;
    std::vector<uint8_t> bitmaps_;
    bool unicode_ = false;
    std::map<uint32_t, int> glyphByCodePoint_;
};
