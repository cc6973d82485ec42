#include "gfx/Renderer.h"

#include "gfx/BitmapFont.h"
#include "gfx/Screen.h"
#include "platform/OwnedSurface.h"

#include <SDL.h>
#include <utility>

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
    glTexSubImage2D =
        reinterpret_cast<decltype(glTexSubImage2D)>(SDL_GL_GetProcAddress("glTexSubImage2D"));
    GLint side = 0;
    if (glGetIntegerv)
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &side);
    if (side > 0)
        maxTextureSide = side;

    // The lists bind no texture: they draw whatever image the caller gives the font later.
    bigFontLists = buildFont(1.0, 16.0, 32.0, bigFontTexture);
    smallFontLists = buildFont(1.0, 8.0, 16.0, smallFontTexture);
}

uint32_t Renderer::upload(SDL_Surface* image, TexCoords& window, const UploadOptions& options) {
    return TextureUpload(*this, glGetError, maxTextureSide, texelBudget)
        .upload(image, window, options);
}

bool Renderer::update(SDL_Surface* image, uint32_t texture, int x, int y, int w, int h) {
    return TextureUpload(*this, glGetError, maxTextureSide, texelBudget)
        .update(image, texture, x, y, w, h, glTexSubImage2D);
}

TexCoords Renderer::plannedWindow(const SDL_Surface* image, const std::string& name,
                                  DiagnosticSink* sink) {
    return TextureUpload(*this, glGetError, maxTextureSide, texelBudget)
        .plannedWindow(image, name, sink ? *sink : standardError());
}

uint32_t Renderer::setFontImage(bool small, SDL_Surface* image, const std::string& name) {
    const OwnedSurface owned(image);
    uint32_t& texture = small ? smallFontTexture : bigFontTexture;
    TexCoords window;
    const uint32_t uploaded = upload(owned.get(), window, {name, texture, UploadFrom::Decoded});
    if (uploaded == 0 && texture != 0)
        glDeleteTextures(1, &texture);
    texture = uploaded;
    return texture;
}

uint32_t Renderer::buildFont(double scale, double glyphWidth, double glyphHeight,
                             uint32_t texture) {
    return compileFont(*this, scale, glyphWidth, glyphHeight, texture);
}

void Renderer::drawText(int32_t x, int32_t y, std::string text, bool small) {
    // The pixel projection of the window, whatever its size.
    const Rect& view = Screen::get().view;
    drawFontText(*this, small ? smallFontTexture : bigFontTexture,
                 small ? smallFontLists : bigFontLists, x, y, std::move(text), view.w, view.h);
}
