#include "gfx/TextureUpload.h"

#include "gfx/TextureFit.h"
#include "platform/OwnedSurface.h"

#include <SDL.h>
#include <algorithm>
#include <cstdio>

namespace {

const char* shownName(const std::string& name) {
    return name.empty() ? "image" : name.c_str();
}

TexCoords windowOf(int w, int h, int tw, int th) {
    return TexCoords{0, 0, float(w) / float(tw), float(h) / float(th)};
}

} // namespace

TextureUpload::TextureUpload(const GlEntryPoints& gl, GLenum(LEVELCOLORS_GLAPI* glGetError)(),
                             int maxSide, long long texelBudget)
    : gl_(gl), glGetError_(glGetError), maxSide_(maxSide), texelBudget_(texelBudget) {}

uint32_t TextureUpload::upload(SDL_Surface* image, TexCoords& window,
                               const UploadOptions& options) const {
    if (!image) {
        window = TexCoords{0, 0, 0, 0};
        return 0;
    }
    // A scaled image keeps its own size on screen; only its texture is smaller. It is sampled
    // from the image as it is, to keep the peak low.
    if (TextureFit::of(image->w, image->h, maxSide_, texelBudget_).scaled)
        return scaled(image, window, options);
    if (options.source == UploadFrom::Surface)
        return copied(image, window, options);
    // Most decoded images: the round trip through the display's format would change nothing.
    if (inTexelLayout(image))
        return direct(image, window, options);
    const OwnedSurface surface(SDL_DisplayFormatAlpha(image));
    if (!surface) {
        window = TexCoords{0, 0, 0, 0};
        return 0;
    }
    return copied(surface.get(), window, options);
}

TexCoords TextureUpload::plannedWindow(const SDL_Surface* image, const std::string& name,
                                       DiagnosticSink& sink) const {
    if (!image)
        return TexCoords{0, 0, 0, 0};
    const TextureFit fit = TextureFit::of(image->w, image->h, maxSide_, texelBudget_);
    if (fit.scaled)
        reportScaled(name, image, sink);
    return windowOf(fit.w, fit.h, fit.tw, fit.th);
}

bool TextureUpload::update(SDL_Surface* image, uint32_t texture, int x, int y, int w, int h,
                           SubImage subImage) const {
    if (!image || !texture || !subImage ||
        TextureFit::of(image->w, image->h, maxSide_, texelBudget_).scaled)
        return false;
    const int left = std::max(x, 0), top = std::max(y, 0);
    const int right = std::min(x + w, image->w), bottom = std::min(y + h, image->h);
    if (left >= right || top >= bottom)
        return true; // nothing of the image to copy
    const SDL_Rect clipped = {Sint16(left), Sint16(top), Uint16(right - left),
                              Uint16(bottom - top)};
    const OwnedSurface staging(SDL_CreateRGBSurface(SDL_SWSURFACE, clipped.w, clipped.h, 32,
                                                    texelMasks[0], texelMasks[1], texelMasks[2],
                                                    texelMasks[3]));
    if (!staging)
        return false;
    // As in copied(): a plain copy of each pixel's alpha, not a blend.
    const Uint32 savedFlags = image->flags & (SDL_SRCALPHA | SDL_RLEACCELOK);
    const Uint8 savedAlpha = image->format->alpha;
    if (savedFlags & SDL_SRCALPHA)
        SDL_SetAlpha(image, 0, 0);
    SDL_Rect from = clipped;
    SDL_Rect to = {0, 0, clipped.w, clipped.h};
    SDL_UpperBlit(image, &from, staging.get(), &to);
    if (savedFlags & SDL_SRCALPHA)
        SDL_SetAlpha(image, savedFlags, savedAlpha);

    gl_.glBindTexture(GL_TEXTURE_2D, texture);
    // The staging rows are packed, 4 bytes a pixel: GL's default row alignment of 4 fits them.
    subImage(GL_TEXTURE_2D, 0, clipped.x, clipped.y, clipped.w, clipped.h, GL_RGBA,
             GL_UNSIGNED_BYTE, staging->pixels);
    return true;
}

uint32_t TextureUpload::copied(SDL_Surface* surface, TexCoords& window,
                               const UploadOptions& options) const {
    const int w = surface->w;
    const int h = surface->h;
    const int tw = textureSide(w);
    const int th = textureSide(h);
    window = windowOf(w, h, tw, th);

    const OwnedSurface staging(SDL_CreateRGBSurface(SDL_SWSURFACE, tw, th, 32, texelMasks[0],
                                                    texelMasks[1], texelMasks[2], texelMasks[3]));
    if (!staging)
        return 0;

    // With per-surface alpha on, the blit would blend instead of copying each pixel's alpha.
    const Uint32 savedFlags = surface->flags & (SDL_SRCALPHA | SDL_RLEACCELOK);
    const Uint8 savedAlpha = surface->format->alpha;
    if (savedFlags & SDL_SRCALPHA)
        SDL_SetAlpha(surface, 0, 0);

    SDL_Rect area = {0, 0, Uint16(w), Uint16(h)};
    SDL_UpperBlit(surface, &area, staging.get(), &area);

    if (savedFlags & SDL_SRCALPHA)
        SDL_SetAlpha(surface, savedFlags, savedAlpha);

    return created(tw, th, staging->pixels, options);
}

// An image in texel layout: its rows go straight to GL when they fill the texture, otherwise
// through a padded copy.
uint32_t TextureUpload::direct(SDL_Surface* image, TexCoords& window,
                               const UploadOptions& options) const {
    const int tw = textureSide(image->w);
    const int th = textureSide(image->h);
    window = windowOf(image->w, image->h, tw, th);
    if (image->w != tw || image->h != th || image->pitch != tw * 4)
        return created(tw, th, paddedTexels(image).get(), options);
    SDL_LockSurface(image);
    const uint32_t name = created(tw, th, image->pixels, options);
    SDL_UnlockSurface(image);
    return name;
}

uint32_t TextureUpload::scaled(SDL_Surface* image, TexCoords& window,
                               const UploadOptions& options) const {
    const TextureFit fit = TextureFit::of(image->w, image->h, maxSide_, texelBudget_);
    if (!options.scalingReported)
        reportScaled(options.name, image, standardError());
    window = windowOf(fit.w, fit.h, fit.tw, fit.th);
    return created(fit.tw, fit.th, scaledTexels(image, fit).get(), options);
}

// A texture GL refuses draws blank; it is named, with GL's error code. Errors left from
// earlier calls are cleared first so that only this upload's is seen.
uint32_t TextureUpload::created(int tw, int th, const void* texels,
                                const UploadOptions& options) const {
    for (int i = 0; glGetError_ && i < 16 && glGetError_() != GL_NO_ERROR; ++i) {
    }
    GLuint name = options.into;
    if (!name)
        gl_.glGenTextures(1, &name);
    gl_.glBindTexture(GL_TEXTURE_2D, name);
    gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    gl_.glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, tw, th, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    const GLenum error = glGetError_ ? glGetError_() : GL_NO_ERROR;
    if (error != GL_NO_ERROR) {
        std::fprintf(stderr, "%s: GL refused its %dx%d texture (error 0x%04X)\n",
                     shownName(options.name), tw, th, error);
        std::fflush(stderr);
    }
    return name;
}

void TextureUpload::reportScaled(const std::string& name, const SDL_Surface* image,
                                 DiagnosticSink& sink) const {
    const TextureFit fit = TextureFit::of(image->w, image->h, maxSide_, texelBudget_);
    sink.report({DiagnosticKind::Image,
                 name,
                 {},
                 std::string(shownName(name)) + ": ",
                 std::to_string(image->w) + "x" + std::to_string(image->h) +
                     " pixels scaled down to " + std::to_string(fit.w) + "x" +
                     std::to_string(fit.h) + " to fit a texture (at most " +
                     std::to_string(maxSide_) + " pixels a side and " +
                     std::to_string(texelBudget_ >> 20) + " Mpx)"});
}
