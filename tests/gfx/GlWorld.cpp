#include "tests/gfx/GlWorld.h"

#include "drive/XServer.h"
#include "gfx/Renderer.h"
#include "gfx/Screen.h"
#include "platform/ImageFile.h"
#include "pngwriter/PngWriter.h"

#include <SDL.h>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>
#include <unistd.h>

namespace {

// Stops SDL and the X server once every test has run, before the process exits.
class GlEnvironment : public ::testing::Environment {
  public:
    void TearDown() override { GlWorld::shutDownIfStarted(); }
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new GlEnvironment);

template <typename Function>
void resolve(Function& slot, const char* name) {
    slot = reinterpret_cast<Function>(SDL_GL_GetProcAddress(name));
    if (!slot)
        throw std::runtime_error(std::string("no GL function ") + name);
}

bool writeFont(const std::string& path, bool small) {
    const int cellWidth = small ? 8 : 16;
    const int cellHeight = small ? 16 : 32;
    const int width = cellWidth * 16;
    const int height = cellHeight * 8;
    std::vector<uint32_t> pixels(size_t(width) * size_t(height), 0xFFFFFFFF);
    for (int glyph = 0; glyph < 96; ++glyph)
        for (int row = 0; row < cellHeight; ++row)
            for (int column = 0; column < cellWidth; ++column) {
                const int x = (glyph % 16) * cellWidth + column;
                const int y = (glyph / 16) * cellHeight + row;
                pixels[size_t(y) * size_t(width) + size_t(x)] =
                    0xFF000000 | GlWorld::fontTexel(small, glyph, column, row);
            }
    return writePng(path, width, height, pixels);
}

} // namespace

GlWorld*& GlWorld::instance() {
    static GlWorld* world = nullptr;
    return world;
}

GlWorld& GlWorld::get() {
    if (!instance())
        instance() = new GlWorld;
    return *instance();
}

GlWorld::GlWorld() {
    server_ = std::make_unique<XServer>();
    server_->makeCurrent();
    display_ = server_->display();
}

const std::string& GlWorld::display() const {
    return display_;
}

std::map<std::string, std::string>
GlWorld::childEnvironment(std::map<std::string, std::string> extra) const {
    const char* leakOptions = std::getenv("LSAN_OPTIONS");
    std::map<std::string, std::string> env = {
        {"DISPLAY", display_},
        {"LSAN_OPTIONS",
         std::string(leakOptions && *leakOptions ? leakOptions + std::string(":") : "") +
             "print_suppressions=0"}};
    for (const auto& [name, value] : extra)
        env[name] = value;
    return env;
}

uint32_t GlWorld::fontTexel(bool small, int glyph, int column, int row) {
    const uint32_t red = uint32_t((small ? 0x80 : 0x00) + glyph);
    const uint32_t green = uint32_t(column * 16 + 8);
    const uint32_t blue = uint32_t(row * 8 + 4);
    return red << 16 | green << 8 | blue;
}

void GlWorld::openScreen() {
    if (screenOpen_)
        return;
    std::string templ = (std::filesystem::temp_directory_path() / "levelcolors-gfx-XXXXXX");
    if (!mkdtemp(templ.data()))
        throw std::runtime_error("no temporary folder");
    folder_ = templ;
    std::filesystem::create_directory(folder_ + "/fonts");
    if (!writeFont(folder_ + "/fonts/bigFont.png", false) ||
        !writeFont(folder_ + "/fonts/smallFont.png", true))
        throw std::runtime_error("cannot write the test fonts");
    if (chdir(folder_.c_str()) != 0)
        throw std::runtime_error("cannot enter " + folder_);

    Screen::get();
    // The Renderer opens no file: the fonts' images are the caller's to give.
    giveFontImage(false);
    giveFontImage(true);
    resolve(glReadPixels, "glReadPixels");
    resolve(glIsEnabled, "glIsEnabled");
    resolve(glIsList, "glIsList");
    resolve(glGetIntegerv, "glGetIntegerv");
    resolve(glGetFloatv, "glGetFloatv");
    resolve(glGetDoublev, "glGetDoublev");
    resolve(glGetTexLevelParameteriv, "glGetTexLevelParameteriv");
    resolve(glGetTexImage, "glGetTexImage");
    screenOpen_ = true;
}

uint32_t GlWorld::giveFontImage(bool small) {
    const std::string path = small ? "fonts/smallFont.png" : "fonts/bigFont.png";
    SDL_Surface* image = readImage(path);
    if (!image)
        throw std::runtime_error("cannot read " + path);
    return Renderer::get().setFontImage(small, image, path);
}

void GlWorld::clearTo(uint32_t rgb) {
    Renderer& gl = Renderer::get();
    GLfloat saved[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, saved);
    gl.glClearColor(float((rgb >> 16) & 0xFF) / 255.0f, float((rgb >> 8) & 0xFF) / 255.0f,
                    float(rgb & 0xFF) / 255.0f, 1.0f);
    gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gl.glClearColor(saved[0], saved[1], saved[2], saved[3]);
}

std::vector<uint32_t> GlWorld::readWindow() {
    Renderer::get().glFinish();
    std::vector<uint8_t> bytes(size_t(windowWidth) * windowHeight * 4);
    glReadPixels(0, 0, GLsizei(windowWidth), GLsizei(windowHeight), GL_RGBA, GL_UNSIGNED_BYTE,
                 bytes.data());
    // GL rows run from the bottom up.
    std::vector<uint32_t> pixels(size_t(windowWidth) * windowHeight);
    for (uint32_t glRow = 0; glRow < windowHeight; ++glRow)
        for (uint32_t x = 0; x < windowWidth; ++x) {
            const uint8_t* p = &bytes[(size_t(glRow) * windowWidth + x) * 4];
            pixels[size_t(windowHeight - 1 - glRow) * windowWidth + x] =
                uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
        }
    return pixels;
}

uint32_t GlWorld::uploadPng(const std::string& name, int width, int height,
                            const std::vector<uint32_t>& argb, TexCoords& window) {
    if (!writePng(folder_ + "/" + name, width, height, argb))
        throw std::runtime_error("cannot write " + name);
    SDL_Surface* surface = loadImage(name);
    if (!surface)
        throw std::runtime_error("cannot load " + name);
    const uint32_t texture = Renderer::get().uploadSurface(surface, window);
    SDL_FreeSurface(surface);
    return texture;
}

std::vector<uint32_t> GlWorld::boundTexels(int& width, int& height) {
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    std::vector<uint8_t> bytes(size_t(width) * size_t(height) * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, bytes.data());
    std::vector<uint32_t> texels(size_t(width) * size_t(height));
    for (size_t i = 0; i < texels.size(); ++i) {
        const uint8_t* p = &bytes[i * 4];
        texels[i] = uint32_t(p[3]) << 24 | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    }
    return texels;
}

void GlWorld::shutDownIfStarted() {
    GlWorld* world = instance();
    if (!world)
        return;
    if (world->screenOpen_) {
        SDL_Quit();
        std::error_code ignored;
        std::filesystem::remove_all(world->folder_, ignored);
    }
    world->server_.reset();
}
