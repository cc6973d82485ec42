#pragma once

#include "gfx/GlTypes.h"
#include "gfx/TexCoords.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class XServer;

// GL functions and constants that only the tests use, to look at what the viewer drew.
constexpr GLenum GL_MATRIX_MODE = 0x0BA0;
constexpr GLenum GL_VIEWPORT = 0x0BA2;
constexpr GLenum GL_MODELVIEW_MATRIX = 0x0BA6;
constexpr GLenum GL_PROJECTION_MATRIX = 0x0BA7;
constexpr GLenum GL_DEPTH_FUNC = 0x0B74;
constexpr GLenum GL_DEPTH_CLEAR_VALUE = 0x0B73;
constexpr GLenum GL_SHADE_MODEL = 0x0B54;
constexpr GLenum GL_BLEND_DST = 0x0BE0;
constexpr GLenum GL_BLEND_SRC = 0x0BE1;
constexpr GLenum GL_COLOR_CLEAR_VALUE = 0x0C22;
constexpr GLenum GL_CURRENT_COLOR = 0x0B00;
constexpr GLenum GL_LIST_BASE = 0x0B32;
constexpr GLenum GL_TEXTURE_BINDING_2D = 0x8069;
constexpr GLenum GL_TEXTURE_WIDTH = 0x1000;
constexpr GLenum GL_TEXTURE_HEIGHT = 0x1001;

// One private X server per test program, a temporary working folder holding test font images,
// and the viewer's Screen opened in it with those images given to the fonts. Also reads back
// what was drawn, through GL functions the test resolves itself.
class GlWorld {
  public:
    // The X server, started on first use; DISPLAY points at it.
    static GlWorld& get();
    // Ends SDL while the X server still runs, then stops the server; nothing if never started.
    static void shutDownIfStarted();
    const std::string& display() const;
    // The environment for a child program on this display, plus `extra`. The leak checker's
    // list of used suppressions is kept off standard error, which the tests read.
    std::map<std::string, std::string>
    childEnvironment(std::map<std::string, std::string> extra = {}) const;

    // Opens the Screen (once) in the working folder with the test fonts.
    void openScreen();
    const std::string& folder() const { return folder_; }
    // Reads the test font's image from the working folder and gives it to the Renderer; the
    // font's texture. Throws when the image cannot be read.
    uint32_t giveFontImage(bool small);

    // Clears colour and depth to an opaque colour (0xRRGGBB), leaving the viewer's clear
    // colour as it was.
    void clearTo(uint32_t rgb);
    // The window's pixels as 0xRRGGBB, row by row from the top (after glFinish).
    std::vector<uint32_t> readWindow();
    // Writes a PNG into the working folder, loads it with platform's loadImage and uploads it.
    uint32_t uploadPng(const std::string& name, int width, int height,
                       const std::vector<uint32_t>& argb, TexCoords& window);
    // The bound texture's level 0 as 0xAARRGGBB, row by row from the top, and its size.
    std::vector<uint32_t> boundTexels(int& width, int& height);

    void (*glReadPixels)(GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, void*) = nullptr;
    GLboolean (*glIsEnabled)(GLenum) = nullptr;
    GLboolean (*glIsList)(GLuint) = nullptr;
    void (*glGetIntegerv)(GLenum, GLint*) = nullptr;
    void (*glGetFloatv)(GLenum, GLfloat*) = nullptr;
    void (*glGetDoublev)(GLenum, GLdouble*) = nullptr;
    void (*glGetTexLevelParameteriv)(GLenum, GLint, GLenum, GLint*) = nullptr;
    void (*glGetTexImage)(GLenum, GLint, GLenum, GLenum, void*) = nullptr;

    // The test fonts: every glyph cell fully opaque, its colour naming the font, the glyph
    // and the texel's place in the cell, so a read-back pixel tells exactly what landed there.
    static uint32_t fontTexel(bool small, int glyph, int column, int row);

  private:
    GlWorld();
    static GlWorld*& instance();
    std::unique_ptr<XServer> server_;
    std::string display_;
    std::string folder_;
    bool screenOpen_ = false;
};

constexpr uint32_t windowWidth = 300;
constexpr uint32_t windowHeight = 800;
