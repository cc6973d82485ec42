#include "tools/PsfFont.h"

#include <fstream>
#include <iterator>

namespace {

uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
           uint32_t(b[at + 3]) << 24;
}

// Decodes one UTF-8 sequence starting at pos, advancing pos. Returns false on a malformed or
// truncated sequence (pos is then left past the bad lead byte).
bool decodeUtf8(const std::vector<uint8_t>& b, size_t end, size_t& pos, uint32_t& cp) {
    const uint8_t lead = b[pos++];
    int more = 0;
    if (lead < 0x80) {
        cp = lead;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        cp = lead & 0x1F, more = 1;
    } else if ((lead & 0xF0) == 0xE0) {
        cp = lead & 0x0F, more = 2;
    } else if ((lead & 0xF8) == 0xF0) {
        cp = lead & 0x07, more = 3;
    } else {
        return false;
    }
    for (; more > 0; --more) {
        if (pos >= end || (b[pos] & 0xC0) != 0x80)
            return false;
        cp = cp << 6 | (b[pos++] & 0x3F);
    }
    return true;
}

} // namespace

bool PsfFont::load(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot be opened";
        return false;
    }
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    if (in.bad()) {
        error = path + ": read error";
        return false;
    }
    return parse(bytes, path, error);
}

bool PsfFont::parse(const std::vector<uint8_t>& bytes, const std::string& name,
                    std::string& error) {
    *this = PsfFont();
    if (bytes.size() >= 2 && bytes[0] == 0x1F && bytes[1] == 0x8B) {
        error = name + ": gzip-compressed; decompress it first (gzip -dc)";
        return false;
    }
    if (bytes.size() >= 4 && le32(bytes, 0) == 0x864AB572u)
        return parsePsf2(bytes, name, error);
    if (bytes.size() >= 2 && bytes[0] == 0x36 && bytes[1] == 0x04)
        return parsePsf1(bytes, name, error);
    error = name + ": not a PSF font (bad magic number)";
    return false;
}

bool PsfFont::parsePsf1(const std::vector<uint8_t>& bytes, const std::string& name,
                        std::string& error) {
    if (bytes.size() < 4) {
        error = name + ": PSF1 header truncated";
        return false;
    }
    const uint8_t mode = bytes[2];
    width_ = 8;
    height_ = bytes[3];
    glyphCount_ = (mode & 0x01) ? 512 : 256;
    bytesPerRow_ = 1;
    const size_t glyphBytes = size_t(height_);
    const size_t tableStart = 4 + glyphBytes * size_t(glyphCount_);
    if (height_ == 0 || bytes.size() < tableStart) {
        error = name + ": PSF1 glyph data truncated or empty";
        return false;
    }
    bitmaps_.assign(bytes.begin() + 4, bytes.begin() + long(tableStart));
    if (!(mode & 0x06))
        return true;
    unicode_ = true;
    // One entry per glyph: 16-bit code points, 0xFFFE starting combining sequences (ignored
    // here), 0xFFFF ending the entry.
    size_t pos = tableStart;
    for (int glyph = 0; glyph < glyphCount_; ++glyph) {
        bool inSequence = false;
        for (;;) {
            if (pos + 2 > bytes.size()) {
                error = name + ": PSF1 Unicode table truncated at glyph " + std::to_string(glyph);
                return false;
            }
            const uint32_t value = uint32_t(bytes[pos]) | uint32_t(bytes[pos + 1]) << 8;
            pos += 2;
            if (value == 0xFFFF)
                break;
            if (value == 0xFFFE)
                inSequence = true;
            else if (!inSequence)
                glyphByCodePoint_.emplace(value, glyph);
        }
    }
    return true;
}

bool PsfFont::parsePsf2(const std::vector<uint8_t>& bytes, const std::string& name,
                        std::string& error) {
    if (bytes.size() < 32) {
        error = name + ": PSF2 header truncated";
        return false;
    }
    const uint32_t headerSize = le32(bytes, 8);
    const uint32_t flags = le32(bytes, 12);
    const uint32_t count = le32(bytes, 16);
    const uint32_t charSize = le32(bytes, 20);
    const uint32_t height = le32(bytes, 24);
    const uint32_t width = le32(bytes, 28);
    // Sizes far beyond any console font are refused before they can overflow the arithmetic.
    if (width == 0 || height == 0 || width > 256 || height > 256 || count == 0 || count > 65536 ||
        headerSize < 32) {
        error = name + ": PSF2 header has implausible sizes";
        return false;
    }
    bytesPerRow_ = (width + 7) / 8;
    if (charSize != bytesPerRow_ * height) {
        error = name + ": PSF2 glyph size does not match its width and height";
        return false;
    }
    width_ = int(width);
    height_ = int(height);
    glyphCount_ = int(count);
    const size_t tableStart = size_t(headerSize) + size_t(charSize) * count;
    if (bytes.size() < tableStart) {
        error = name + ": PSF2 glyph data truncated";
        return false;
    }
    bitmaps_.assign(bytes.begin() + long(headerSize), bytes.begin() + long(tableStart));
    if (!(flags & 0x01))
        return true;
    unicode_ = true;
    // One entry per glyph: UTF-8 code points, 0xFE starting combining sequences (ignored
    // here), 0xFF ending the entry.
    size_t pos = tableStart;
    for (int glyph = 0; glyph < glyphCount_; ++glyph) {
        bool inSequence = false;
        for (;;) {
            if (pos >= bytes.size()) {
                error = name + ": PSF2 Unicode table truncated at glyph " + std::to_string(glyph);
                return false;
            }
            const uint8_t b = bytes[pos];
            if (b == 0xFF) {
                ++pos;
                break;
            }
            if (b == 0xFE) {
                ++pos;
                inSequence = true;
                continue;
            }
            uint32_t cp = 0;
            if (!decodeUtf8(bytes, bytes.size(), pos, cp)) {
                error =
                    name + ": PSF2 Unicode table has bad UTF-8 at glyph " + std::to_string(glyph);
                return false;
            }
            if (!inSequence)
                glyphByCodePoint_.emplace(cp, glyph);
        }
    }
    return true;
}

int PsfFont::glyphFor(uint32_t codePoint) const {
    if (unicode_) {
        const auto found = glyphByCodePoint_.find(codePoint);
        return found == glyphByCodePoint_.end() ? -1 : found->second;
    }
    return codePoint < uint32_t(glyphCount_) ? int(codePoint) : -1;
}

bool PsfFont::pixel(int glyph, int x, int y) const {
    if (glyph < 0 || glyph >= glyphCount_ || x < 0 || x >= width_ || y < 0 || y >= height_)
        return false;
    const size_t row = (size_t(glyph) * size_t(height_) + size_t(y)) * bytesPerRow_;
    return (bitmaps_[row + size_t(x) / 8] >> (7 - x % 8)) & 1;
}
