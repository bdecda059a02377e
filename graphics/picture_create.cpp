// Creating, duplicating and converting pictures; colour keys, RLE and
// per-surface alpha.
#include <cstddef>
#include <cstdio>
#include <cstring>

#include "graphics/display_format.h"
#include "graphics/graph_api.h"
#include "graphics/surface_lock.h"

namespace GraphAPI {

SDL_Surface* CreateSurface32(int w, int h, bool withAlpha) {
    if (w < 0 || h < 0) return nullptr;
    return SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x00FF0000, 0x0000FF00, 0x000000FF,
                                withAlpha ? 0xFF000000 : 0);
}

SDL_Surface* SurfaceLike(const SDL_Surface* model, int w, int h, void* pixels, int pitch) {
    if (!model || w < 0 || h < 0) return nullptr;
    const SDL_PixelFormat* f = model->format;
    SDL_Surface* made = pixels ? SDL_CreateRGBSurfaceFrom(pixels, w, h, f->BitsPerPixel, pitch, f->Rmask,
                                                          f->Gmask, f->Bmask, f->Amask)
                               : SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, f->BitsPerPixel, f->Rmask,
                                                      f->Gmask, f->Bmask, f->Amask);
    if (!made) return nullptr;
    if (f->palette && made->format->palette) SDL_SetColors(made, f->palette->colors, 0, f->palette->ncolors);
    if (model->flags & SDL_SRCCOLORKEY) SDL_SetColorKey(made, SDL_SRCCOLORKEY, f->colorkey);
    SDL_SetAlpha(made, model->flags & SDL_SRCALPHA, f->alpha);
    return made;
}

bool CopyRows(SDL_Surface* from, SDL_Surface* to) {
    SurfaceLock lockFrom(from), lockTo(to);
    if (!lockFrom.Ok() || !lockTo.Ok() || !from->pixels || !to->pixels) return false;
    const size_t row = static_cast<size_t>(from->w) * from->format->BytesPerPixel;
    for (int y = 0; y < from->h; ++y)
        std::memcpy(static_cast<Uint8*>(to->pixels) + static_cast<ptrdiff_t>(y) * to->pitch,
                    static_cast<const Uint8*>(from->pixels) + static_cast<ptrdiff_t>(y) * from->pitch, row);
    return true;
}

SDL_Surface* ToDisplayFormat(SDL_Surface* source, bool withAlpha) {
    if (!source) return nullptr;
    SDL_Surface* converted = nullptr;
    if (SDL_GetVideoSurface()) {
        converted = withAlpha ? SDL_DisplayFormatAlpha(source) : SDL_DisplayFormat(source);
    } else if (SDL_Surface* model = CreateSurface32(1, 1, withAlpha)) {
        converted = SDL_ConvertSurface(source, model->format, SDL_SWSURFACE);
        SDL_FreeSurface(model);
    }
    // The compatibility layer hands back alpha surfaces without the flag
    // that makes blits honour their alpha; SDL 1.2 itself sets it.
    if (converted && withAlpha) SDL_SetAlpha(converted, SDL_SRCALPHA, 255);
    return converted;
}

void CreateImage(Image* image, int w, int h, int withAlpha) {
    if (!image) return;
    image->Free();
    image->x = image->y = image->w = image->h = 0;
    image->srx = image->sry = image->srw = image->srh = 0;
    if (w < 0 || h < 0) return;
    const int asked = CurrentVideo().BitsPerPixel;
    int depth = asked > 0 ? asked : 32;
    SDL_Surface* temp = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, depth, 0, 0, 0, 0);
    if (!temp) return;
    SDL_Surface* shown = ToDisplayFormat(temp, withAlpha != 0);
    SDL_FreeSurface(temp);
    if (!shown) return;
    // Converting the zeroed temporary makes every pixel opaque black; a
    // picture with alpha starts fully transparent instead.
    if (withAlpha) {
        SurfaceLock lock(shown);
        if (lock.Ok() && shown->pixels) {
            for (int row = 0; row < shown->h; ++row)
                std::memset(static_cast<Uint8*>(shown->pixels) + row * shown->pitch, 0,
                            static_cast<size_t>(shown->w) * shown->format->BytesPerPixel);
        }
    }
    image->AdoptSurface(shown);
    ResetFromSurface(shown, image);
}

void CreateImage(Image* image, int w, int h) { CreateImage(image, w, h, 0); }

namespace {
void Duplicate(const Image* source, Image* target, bool forceAlpha) {
    if (!source || !target) return;
    SDL_Surface* copy = nullptr;
    if (source->surface) {
        copy = ToDisplayFormat(source->surface, forceAlpha || source->surface->format->Amask != 0);
    }
    if (source != target) {
        target->Free();
        CopyImageRect(source, target);
    }
    if (copy) target->AdoptSurface(copy);
}
}  // namespace

void DuplicateImage(const Image* source, Image* target) { Duplicate(source, target, false); }

void DuplicateImageAlpha(const Image* source, Image* target) { Duplicate(source, target, true); }

Image* CreateSurfaceFromFile(int w, int h, SDL_Surface* surface) {
    if (!surface) return nullptr;
    Image* image = new Image;
    CreateImage(image, w, h, 1);
    SDL_Surface* to = image->surface;
    if (!to) return image;
    SurfaceLock lockFrom(surface);
    SurfaceLock lockTo(to);
    if (!lockFrom.Ok() || !lockTo.Ok() || !surface->pixels) return image;
    int cw = w < surface->w ? w : surface->w;
    int ch = h < surface->h ? h : surface->h;
    if (cw > to->w) cw = to->w;
    if (ch > to->h) ch = to->h;
    if (cw <= 0 || ch <= 0) return image;
    if (surface->format->BytesPerPixel == 4 && to->format->BytesPerPixel == 4) {
        for (int y = 0; y < ch; ++y)
            std::memcpy(static_cast<Uint8*>(to->pixels) + y * to->pitch,
                        static_cast<const Uint8*>(surface->pixels) + y * surface->pitch,
                        static_cast<size_t>(cw) * 4);
    } else {
        for (int y = 0; y < ch; ++y)
            for (int x = 0; x < cw; ++x) PutPixel(to, x, y, GetPixel(surface, x, y));
    }
    return image;
}

void ConvertSurface(Image* image, const Image* model) {
    if (!image || !model || !image->surface || !model->surface) return;
    SDL_Surface* converted =
        SDL_ConvertSurface(image->surface, model->surface->format, model->surface->flags);
    // The record takes the converted pixels; its rectangle stays.
    if (converted) image->AdoptSurface(converted);
}

void SetColorKey(Image* image, int r, int g, int b) {
    if (!image || !image->surface) return;
    SDL_SetColorKey(image->surface, SDL_SRCCOLORKEY,
                    SDL_MapRGB(image->surface->format, static_cast<Uint8>(r), static_cast<Uint8>(g),
                               static_cast<Uint8>(b)));
}

void SetRLE(Image* image) {
    if (!image || !image->surface) return;
    if (SDL_SetAlpha(image->surface, SDL_SRCALPHA | SDL_RLEACCEL, 255) == -1)
        std::printf("\nGraphAPI::SetRLE() error");
}

void SetAlpha(Image* image, int alpha) {
    if (!image) return;
    if (!image->surface || SDL_SetAlpha(image->surface, SDL_SRCALPHA, static_cast<Uint8>(alpha & 255)) == -1)
        std::printf("\nGraphAPI::SetAlpha error");
}

}  // namespace GraphAPI
