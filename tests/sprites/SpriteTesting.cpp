#include "tests/sprites/SpriteTesting.h"

#include "drive/XServer.h"
#include "gfx/Renderer.h"
#include "gfx/Screen.h"
#include "platform/ImageFile.h"
#include "platform/RegularFile.h"
#include "pngwriter/PngWriter.h"
#include "sprites/SpriteCatalog.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

// Present only in sanitizer builds.
extern "C" void __lsan_do_leak_check() __attribute__((weak));

namespace {

// The X server, the temporary working folder and the window, for the whole test program.
class SpriteEnvironment : public testing::Environment {
  public:
    void SetUp() override {
        server_ = std::make_unique<XServer>();
        server_->makeCurrent();
        char folder[] = "/tmp/levelcolors-sprites-XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        folder_ = folder;
        ASSERT_EQ(chdir(folder), 0);
        Screen::get();
        // Descriptions are opened, and images read, as the viewer opens and reads them.
        SpriteCatalog::get().use({&images_, openRegularFile, nullptr, false});
    }
    void TearDown() override {
        // The window stays open until the process ends; only the files go now.
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
        // Leaks are judged now, with the tests done and the graphics stack still loaded:
        // SDL's shut-down at exit unloads the GL driver and leaves blocks of its own behind
        // that no suppression can name. A leak found here ends the program with a failure.
        if (__lsan_do_leak_check)
            __lsan_do_leak_check();
    }

  private:
    // Each image read when asked for, as the viewer reads them outside a scan.
    class Files : public ImageSource {
      public:
        SDL_Surface* read(const std::string& path, DiagnosticSink& sink,
                          std::string& reason) override {
            return readImage(path, &reason, sink);
        }
    } images_;
    std::unique_ptr<XServer> server_;
    std::string folder_;
};

testing::Environment* const environment = testing::AddGlobalTestEnvironment(new SpriteEnvironment);

using ReadPixels = void(LEVELCOLORS_GLAPI*)(GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, void*);

} // namespace

void writeText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    ASSERT_TRUE(out.good()) << path;
}

void writeImage(const std::string& path, int width, int height, uint32_t left, uint32_t right) {
    std::vector<uint32_t> pixels(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[size_t(y) * size_t(width) + size_t(x)] = opaque(x < width / 2 ? left : right);
    ASSERT_TRUE(writePng(path, width, height, pixels)) << path;
}

void clearWindow() {
    Renderer::get().glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

Screenshot readWindow() {
    // Resolved here, not through the viewer's table, which has no read-back entry point.
    static const auto readPixels =
        reinterpret_cast<ReadPixels>(SDL_GL_GetProcAddress("glReadPixels"));
    Renderer::get().glFinish();
    Screenshot shot;
    shot.width = screenWidth;
    shot.height = screenHeight;
    std::vector<uint8_t> rgba(size_t(screenWidth) * size_t(screenHeight) * 4);
    readPixels(0, 0, screenWidth, screenHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    shot.pixels.resize(size_t(screenWidth) * size_t(screenHeight));
    // GL rows run bottom-up; the screenshot's top-down.
    for (int y = 0; y < screenHeight; ++y) {
        const uint8_t* row = &rgba[size_t(screenHeight - 1 - y) * size_t(screenWidth) * 4];
        for (int x = 0; x < screenWidth; ++x) {
            const uint8_t* p = row + size_t(x) * 4;
            shot.pixels[size_t(y) * size_t(screenWidth) + size_t(x)] =
                uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | uint32_t(p[2]);
        }
    }
    return shot;
}

Rect boundsOf(const Screenshot& shot, uint32_t rgb) {
    int left = shot.width, top = shot.height, right = -1, bottom = -1;
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x)
            if (shot.at(x, y) == rgb) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right < 0)
        return {0, 0, 0, 0};
    return {int16_t(left), int16_t(top), uint16_t(right - left + 1), uint16_t(bottom - top + 1)};
}

bool isBlank(const Screenshot& shot) {
    for (uint32_t p : shot.pixels)
        if (p != black)
            return false;
    return true;
}
