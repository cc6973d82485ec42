#pragma once

#include "diagnostics/DiagnosticSink.h"
#include "gfx/GlEntryPoints.h"
#include "gfx/TexCoords.h"

#include <cstdint>
#include <string>

struct SDL_Surface;

// What an upload is given.
enum class UploadFrom {
    // Any surface, copied through a staging surface in texel layout; its alpha settings are
    // switched off for the copy and restored, so each pixel's alpha goes up unchanged.
    Surface,
    // An image as its file decoded it: one already in texel layout goes up as it is, any other
    // first takes the display's format with alpha, as images read for the display do.
    Decoded,
};

// How an upload goes. The defaults make a new texture of a surface.
struct UploadOptions {
    std::string name;  // names the image in the lines about it ("image" when empty)
    uint32_t into = 0; // fills this texture instead of a new one (and returns its name)
    UploadFrom source = UploadFrom::Surface;
    bool scalingReported = false; // plannedWindow has written the line about scaling it down
};

// Makes textures of images through the GL table: power-of-two sides, transparent black
// outside the image, row 0 the image's top. An image whose texture would exceed `maxSide`
// texels a side or `texelBudget` texels is scaled down to fit (sampled from the image itself),
// with one line on standard error naming it; a texture GL refuses is named, with GL's error,
// when `glGetError` is given. Main thread only.
class TextureUpload {
  public:
    TextureUpload(const GlEntryPoints& gl, GLenum(LEVELCOLORS_GLAPI* glGetError)(), int maxSide,
                  long long texelBudget);

    // Uploads `image`, which it neither changes nor frees, writes the image's window in the
    // texture and returns the texture's name, left bound. No image gives texture 0 and an empty
    // window, silently; a staging surface or conversion that fails gives texture 0.
    uint32_t upload(SDL_Surface* image, TexCoords& window, const UploadOptions& options) const;

    // The window upload will give `image`, worked out before any upload; the line about
    // scaling it down, when it will be, is reported now, to `sink`. No image gives an empty
    // window.
    TexCoords plannedWindow(const SDL_Surface* image, const std::string& name,
                            DiagnosticSink& sink) const;

    // Copies the `area` of `image` (clipped to it) into `texture`, which an upload of a
    // surface of the same size made (UploadFrom::Surface), through `subImage`
    // (glTexSubImage2D), converted as that upload converts. False, changing nothing, when
    // there is no `subImage`, no texture or image, or the image's texture is scaled down;
    // then only a whole upload will do.
    using SubImage = void(LEVELCOLORS_GLAPI*)(GLenum target, GLint level, GLint x, GLint y,
                                              GLsizei width, GLsizei height, GLenum format,
                                              GLenum type, const void* pixels);
    bool update(SDL_Surface* image, uint32_t texture, int x, int y, int w, int h,
                SubImage subImage) const;

  private:
    uint32_t copied(SDL_Surface* surface, TexCoords& window, const UploadOptions& options) const;
    uint32_t direct(SDL_Surface* image, TexCoords& window, const UploadOptions& options) const;
    uint32_t scaled(SDL_Surface* image, TexCoords& window, const UploadOptions& options) const;
    uint32_t created(int tw, int th, const void* texels, const UploadOptions& options) const;
    void reportScaled(const std::string& name, const SDL_Surface* image,
                      DiagnosticSink& sink) const;

    const GlEntryPoints& gl_;
    GLenum(LEVELCOLORS_GLAPI* glGetError_)();
    int maxSide_;
    long long texelBudget_;
};
