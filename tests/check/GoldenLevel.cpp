#include "tests/check/GoldenLevel.h"

#include "pngwriter/PngWriter.h"
#include "tests/support/Paths.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string unescaped(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\\x") == 0 && i + 3 < text.size()) {
            out += char(std::stoi(text.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

uint32_t colourOf(const std::string& text) {
    const uint32_t value = uint32_t(std::stoul(text, nullptr, 16));
    return text.size() > 6 ? value : 0xFF000000u | value;
}

void makeParents(const std::string& file) {
    fs::create_directories(fs::path(file).parent_path());
}

void writeBytes(const std::string& file, const std::string& bytes) {
    makeParents(file);
    std::ofstream(file, std::ios::binary) << bytes;
}

} // namespace

GoldenLevel::GoldenLevel() {
    char templ[] = "/tmp/levelcolors-check-XXXXXX";
    if (!mkdtemp(templ))
        throw std::runtime_error("cannot make a level folder");
    root_ = path_ = templ;
}

GoldenLevel::GoldenLevel(const std::string& name) : GoldenLevel() {
    addGolden(name);
    path_ = root_ + "/" + name;
}

void GoldenLevel::addGolden(const std::string& name) {
    const fs::path golden = fs::path(sourceRoot()) / "tests/check/levels" / name;
    if (!fs::is_directory(golden))
        throw std::runtime_error("no golden level " + golden.string());
    const std::string folder = path_ + "/" + name;
    fs::create_directory(folder);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(golden)) {
        const fs::path relative = fs::relative(entry.path(), golden);
        const std::string first = relative.begin()->string();
        // The expected outputs and the manifest describe the level; they are not part of it.
        if (first == "images.txt" || first == "args.txt" || first.rfind("expected", 0) == 0)
            continue;
        if (entry.is_directory())
            fs::create_directories(fs::path(folder) / relative);
        else
            fs::copy_file(entry.path(), fs::path(folder) / relative);
    }
    std::ifstream manifest(golden / "images.txt");
    std::string line;
    while (std::getline(manifest, line)) {
        if (!line.empty() && line[0] != '#')
            makeIn(folder, line);
    }
}

GoldenLevel::~GoldenLevel() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

std::string GoldenLevel::goldenText(const std::string& name, const std::string& file) {
    std::ifstream in(sourceRoot() + "/tests/check/levels/" + name + "/" + file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void GoldenLevel::make(const std::string& line) {
    makeIn(path_, line);
}

void GoldenLevel::makeIn(const std::string& folder, const std::string& line) {
    std::istringstream fields(line);
    std::string name, width;
    if (!(fields >> name >> width))
        return;
    const std::string file = folder + "/" + unescaped(name);
    if (width == "corrupt") {
        writeBytes(file, "\x89PNG\r\n\x1a\nthis is no image");
    } else if (width == "truncated") {
        // A 16 by 16 image cut short in its image data, as bytes, so that the decoder's
        // complaint about the cut stays the same whatever the PNG writer's encoding becomes.
        static const char cut[] =
            "\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x10\0\0\0\x10\x08\x06\0\0\0"
            "\x1f\xf3\xff\x61\0\0\0\x02IDAT\x78\x9c\x62\xa4\x91\x2b";
        writeBytes(file, std::string(cut, sizeof cut - 1));
    } else if (width == "folder") {
        fs::create_directories(file);
    } else if (width == "fifo") {
        makeParents(file);
        if (mkfifo(file.c_str(), 0644) != 0)
            throw std::runtime_error("cannot make the FIFO " + file);
    } else if (width == "link") {
        std::string target;
        fields >> target;
        makeParents(file);
        fs::create_symlink(unescaped(target), file);
    } else if (width == "text") {
        writeBytes(file, "(object (name odd))\n");
    } else {
        int height = 0;
        std::string colour, extra;
        fields >> height >> colour;
        const int w = std::stoi(width);
        std::vector<uint32_t> pixels(size_t(w) * size_t(height), colourOf(colour));
        while (fields >> extra) {
            if (extra == "corner") {
                fields >> colour;
                pixels[0] = colourOf(colour);
            } else if (extra == "dot") {
                continue;
            } else {
                const size_t comma = extra.find(',');
                const int x = std::stoi(extra.substr(0, comma));
                const int y = std::stoi(extra.substr(comma + 1));
                fields >> colour;
                pixels[size_t(y) * size_t(w) + size_t(x)] = colourOf(colour);
            }
        }
        makeParents(file);
        if (!writePng(file, w, height, pixels))
            throw std::runtime_error("cannot write " + file);
    }
}
