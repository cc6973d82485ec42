#include "gfx/Renderer.h"

#include "diagnostics/DiagnosticSink.h"
#include "gfx/Screen.h"
#include "gfx/TextureFit.h"

#include <SDL.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr int glyphCount = 96;
constexpr int firstGlyphCode = 32;
constexpr unsigned char lastGlyphCode = 127;
constexpr unsigned char substituteGlyph = '?';

void reportScaled(const std::string& name, const SDL_Surface* image, const TextureFit& fit,
                  int maxSide, DiagnosticSink& sink = standardError()) {
    const std::string shown = name.empty() ? "image" : name;
    sink.report({DiagnosticKind::Image,
                 name,
                 {},
                 shown + ": ",
                 std::to_string(image->w) + "x" + std::to_string(image->h) +
                     " pixels scaled down to " + std::to_string(fit.w) + "x" +
                     std::to_string(fit.h) + " to fit a texture (at most " +
                     std::to_string(maxSide) + " pixels a side and " +
                     std::to_string(Renderer::texelBudget >> 20) + " Mpx)"});
}

// A texture GL refuses draws blank; it is named, with GL's error code. Errors left from
// earlier calls are cleared first so that only this upload's is seen. The texels go into the
// texture `into` when given, else into a new one.
uint32_t createTexture(Renderer& gl, int tw, int th, const void* texels,
                       const std::string& imageName, GLuint into) {
    for (int i = 0; gl.glGetError && i < 16 && gl.glGetError() != GL_NO_ERROR; ++i) {
    }
    GLuint name = into;
    if (!name)
        gl.glGenTextures(1, &name);
    gl.glBindTexture(GL_TEXTURE_2D, name);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    gl.glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, tw, th, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    const GLenum error = gl.glGetError ? gl.glGetError() : GL_NO_ERROR;
    if (error != GL_NO_ERROR) {
        std::fprintf(stderr, "%s: GL refused its %dx%d texture (error 0x%04X)\n",
                     imageName.empty() ? "image" : imageName.c_str(), tw, th, error);
        std::fflush(stderr);
    }
    return name;
}

uint32_t uploadScaled(Renderer& gl, SDL_Surface* image, const TextureFit& fit, TexCoords& window,
                      const std::string& name, uint32_t into, bool scalingReported = false) {
    if (!scalingReported)
        reportScaled(name, image, fit, gl.maxTextureSide);
    window = TexCoords{0, 0, float(fit.w) / float(fit.tw), float(fit.h) / float(fit.th)};
    return createTexture(gl, fit.tw, fit.th, scaledTexels(image, fit).get(), name, into);
}

// Uploads an image in texel layout. Its rows go straight to GL when they fill the texture;
// otherwise they go through a padded copy.
uint32_t uploadTexels(Renderer& gl, SDL_Surface* image, TexCoords& window,
                      const std::string& imageName, uint32_t into) {
    const int tw = textureSide(image->w);
    const int th = textureSide(image->h);
    window = TexCoords{0, 0, float(image->w) / float(tw), float(image->h) / float(th)};
    if (image->w != tw || image->h != th || image->pitch != tw * 4)
        return createTexture(gl, tw, th, paddedTexels(image).get(), imageName, into);
    SDL_LockSurface(image);
    const uint32_t name = createTexture(gl, tw, th, image->pixels, imageName, into);
    SDL_UnlockSurface(image);
    return name;
}

} // namespace

Renderer& Renderer::get() {
    // Never destroyed: textures and lists live as long as the process.
    static Renderer* renderer = new Renderer;
    return *renderer;
}

Renderer::Renderer() {
    load(SDL_GL_GetProcAddress);
    glGetIntegerv =
        reinterpret_cast<decltype(glGetIntegerv)>(SDL_GL_GetProcAddress("glGetIntegerv"));
    glGetError = reinterpret_cast<decltype(glGetError)>(SDL_GL_GetProcAddress("glGetError"));
    GLint side = 0;
    if (glGetIntegerv)
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &side);
    if (side > 0)
        maxTextureSide = side;

    // The lists bind no texture: they draw whatever image the caller gives the font later.
    bigFontLists = buildFont(1.0, 16.0, 32.0, bigFontTexture);
    smallFontLists = buildFont(1.0, 8.0, 16.0, smallFontTexture);
}

uint32_t Renderer::setFontImage(bool small, SDL_Surface* image, const std::string& name) {
    uint32_t& texture = small ? smallFontTexture : bigFontTexture;
    TexCoords window;
    Rect size;
    const uint32_t uploaded = uploadImage(image, window, size, name, texture);
    if (uploaded == 0 && texture != 0)
        glDeleteTextures(1, &texture);
    texture = uploaded;
    return texture;
}

uint32_t Renderer::uploadSurface(SDL_Surface* surface, TexCoords& window, const std::string& name,
                                 uint32_t into) {
    if (!surface) {
        window = TexCoords{0, 0, 0, 0};
        return 0;
    }
    const TextureFit fit = TextureFit::of(surface->w, surface->h, maxTextureSide, texelBudget);
    if (fit.scaled)
        return uploadScaled(*this, surface, fit, window, name, into);
    const int w = surface->w;
    const int h = surface->h;
    const int tw = textureSide(w);
    const int th = textureSide(h);
    window = TexCoords{0, 0, float(w) / float(tw), float(h) / float(th)};

    SDL_Surface* staging = SDL_CreateRGBSurface(SDL_SWSURFACE, tw, th, 32, texelMasks[0],
                                                texelMasks[1], texelMasks[2], texelMasks[3]);
    if (!staging)
        return 0;

    // With per-surface alpha on, the blit would blend instead of copying each pixel's alpha.
    const Uint32 savedFlags = surface->flags & (SDL_SRCALPHA | SDL_RLEACCELOK);
    const Uint8 savedAlpha = surface->format->alpha;
    if (savedFlags & SDL_SRCALPHA)
        SDL_SetAlpha(surface, 0, 0);

    SDL_Rect area = {0, 0, Uint16(w), Uint16(h)};
    SDL_UpperBlit(surface, &area, staging, &area);

    if (savedFlags & SDL_SRCALPHA)
        SDL_SetAlpha(surface, savedFlags, savedAlpha);

    const uint32_t texture = createTexture(*this, tw, th, staging->pixels, name, into);
    SDL_FreeSurface(staging);
    return texture;
}

uint32_t Renderer::uploadImage(SDL_Surface* loaded, TexCoords& window, Rect& size,
                               const std::string& name, uint32_t into) {
    size = loaded ? Rect{0, 0, uint16_t(loaded->w), uint16_t(loaded->h)} : Rect{0, 0, 0, 0};
    const uint32_t texture = uploadDecoded(loaded, window, name, false, into);
    SDL_FreeSurface(loaded);
    if (texture == 0)
        size = Rect{0, 0, 0, 0};
    return texture;
}

TexCoords Renderer::plannedWindow(const SDL_Surface* image, const std::string& name,
                                  DiagnosticSink* sink) {
    if (!image)
        return TexCoords{0, 0, 0, 0};
    const TextureFit fit = TextureFit::of(image->w, image->h, maxTextureSide, texelBudget);
    if (fit.scaled)
        reportScaled(name, image, fit, maxTextureSide, sink ? *sink : standardError());
    return TexCoords{0, 0, float(fit.w) / float(fit.tw), float(fit.h) / float(fit.th)};
}

uint32_t Renderer::uploadDecoded(SDL_Surface* loaded, TexCoords& window, const std::string& name,
                                 bool scalingReported, uint32_t into) {
    if (!loaded) {
        window = TexCoords{0, 0, 0, 0};
        return 0;
    }
    // A scaled image keeps its own size on screen; only its texture is smaller.
    const TextureFit fit = TextureFit::of(loaded->w, loaded->h, maxTextureSide, texelBudget);
    // Most images: the round trip through the display's format would change nothing. A scaled
    // one is sampled from the decoded pixels to keep the peak low.
    if (fit.scaled)
        return uploadScaled(*this, loaded, fit, window, name, into, scalingReported);
    if (inTexelLayout(loaded))
        return uploadTexels(*this, loaded, window, name, into);
    // Everything else takes loadImage's way: conversion to the display's format with alpha.
    SDL_Surface* surface = SDL_DisplayFormatAlpha(loaded);
    if (!surface) {
        window = TexCoords{0, 0, 0, 0};
        return 0;
    }
    const uint32_t texture = uploadSurface(surface, window, name, into);
    SDL_FreeSurface(surface);
    return texture;
}

uint32_t Renderer::buildFont(double scale, double glyphWidth, double glyphHeight,
                             uint32_t texture) {
    const GLuint first = glGenLists(glyphCount);
    glBindTexture(GL_TEXTURE_2D, texture);
    const GLint quadHeight = GLint(scale * glyphHeight);
    const GLint quadWidth = GLint(scale * glyphWidth);
    // One pixel less than the glyph width: neighbouring glyphs share a column.
    const double advance = scale * glyphWidth - 1.0;
    const double cellWidth = 0.0625;
    const double cellHeight = 0.125;
    for (int i = 0; i < glyphCount; ++i) {
        const double left = (i % 16) * cellWidth;
        const double top = (i / 16) * cellHeight;
        glNewList(first + GLuint(i), GL_COMPILE);
        glBegin(GL_QUADS);
        glTexCoord2f(float(left), float(top + cellHeight));
        glVertex2i(0, quadHeight);
        glTexCoord2f(float(left + cellWidth), float(top + cellHeight));
        glVertex2i(quadWidth, quadHeight);
        glTexCoord2f(float(left + cellWidth), float(top));
        glVertex2i(quadWidth, 0);
        glTexCoord2f(float(left), float(top));
        glVertex2i(0, 0);
        glEnd();
        glTranslated(advance, 0, 0);
        glEndList();
    }
    return first;
}

void Renderer::drawText(int32_t x, int32_t y, std::string text, bool small) {
    const uint32_t texture = small ? smallFontTexture : bigFontTexture;
    const uint32_t lists = small ? smallFontLists : bigFontLists;

    // Only the text before the first zero byte is drawn; bytes without a glyph would call
    // lists outside this font's block, so they become the font's '?'.
    text.resize(std::strlen(text.c_str()));
    for (char& c : text) {
        const unsigned char code = static_cast<unsigned char>(c);
        if (code < firstGlyphCode || code > lastGlyphCode)
            c = char(substituteGlyph);
    }

    glBindTexture(GL_TEXTURE_2D, texture);
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    // The pixel projection of the window, whatever its size.
    const Rect& view = Screen::get().view;
    glOrtho(0, view.w, view.h, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glTranslated(x, y, 0);
    glListBase(lists - firstGlyphCode);
    glCallLists(GLsizei(text.size()), GL_UNSIGNED_BYTE, text.data());
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);
}
