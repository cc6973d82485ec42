#include "check/PaletteFile.h"

#include "listfile/FileExtension.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// Palette names are single text fields: control characters would end them early.
std::string oneLine(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        c = (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) ? ' ' : c;
    return out;
}

// The level folder's own name ("demo" for "demo/", or for "." run inside it).
std::string paletteName(const LevelReport& report) {
    std::error_code ignored;
    fs::path folder = fs::absolute(report.level.empty() ? "." : report.level, ignored);
    folder = folder.lexically_normal();
    if (folder.filename().empty())
        folder = folder.parent_path();
    const std::string name = folder.filename().string();
    return name.empty() ? "level" : name;
}

std::string markerName(const LevelReport& report, const Marker& marker) {
    std::string name;
    for (size_t entry : marker.entries)
        name += (name.empty() ? "" : ", ") + report.legend[entry].path;
    return oneLine(name);
}

std::string channels(uint32_t colour, int width) {
    std::ostringstream text;
    for (int shift = 16; shift >= 0; shift -= 8) {
        std::string value = std::to_string((colour >> shift) & 0xFF);
        if (int(value.size()) < width)
            value.insert(0, width - value.size(), ' ');
        text << (shift == 16 ? "" : " ") << value;
    }
    return text.str();
}

} // namespace

std::optional<PaletteFormat> paletteFormatOf(const std::string& file) {
    // A palette file needs a name before its extension.
    if (file.size() <= std::strlen(".gpl"))
        return std::nullopt;
    if (hasExtension(file, "gpl", ExtensionMatch::AnyCase))
        return PaletteFormat::Gimp;
    if (hasExtension(file, "pal", ExtensionMatch::AnyCase))
        return PaletteFormat::Jasc;
    return std::nullopt;
}

bool writePalette(const LevelReport& report, const std::string& file, PaletteFormat format,
                  std::string& reason) {
    std::ostringstream text;
    if (format == PaletteFormat::Gimp) {
        text << "GIMP Palette\nName: " << oneLine(paletteName(report)) << "\nColumns: 4\n#\n";
        for (const Marker& marker : report.markers)
            text << channels(marker.colour, 3) << "\t" << markerName(report, marker) << "\n";
    } else {
        text << "JASC-PAL\r\n0100\r\n" << report.markers.size() << "\r\n";
        for (const Marker& marker : report.markers)
            text << channels(marker.colour, 0) << "\r\n";
    }
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) {
        reason = std::strerror(errno);
        return false;
    }
    out << text.str();
    out.flush();
    if (!out) {
        reason = std::strerror(errno ? errno : EIO);
        return false;
    }
    return true;
}
