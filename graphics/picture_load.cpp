// Record operations and loading pictures through SDL_image.
#include <SDL/SDL_image.h>

#include "graphics/display_format.h"
#include "graphics/graph_api.h"

namespace GraphAPI {

void CopyImageParams(const Image* source, Image* target) {
    if (!source || !target) return;
    target->ShareFrom(*source);
}

void CopyImageRect(const Image* source, Image* target) {
    if (!source || !target) return;
    target->x = source->x;
    target->y = source->y;
    target->w = source->w;
    target->h = source->h;
    target->srx = source->srx;
    target->sry = source->sry;
    target->srw = source->srw;
    target->srh = source->srh;
}

void ResetFromSurface(SDL_Surface* surface, Image* target) {
    if (!target) return;
    target->x = target->y = target->srx = target->sry = 0;
    target->w = surface ? surface->w : 0;
    target->h = surface ? surface->h : 0;
    target->srw = target->w;
    target->srh = target->h;
}

uint32_t HasAlpha(const Image* image) {
    if (!image || !image->surface) return 0;
    return image->surface->format->Amask;
}

namespace {
// Converts a freshly loaded surface to the display format and hands it to
// the record; a failed load leaves an empty record.
void TakeLoaded(Image* image, SDL_Surface* loaded) {
    image->Free();
    if (!loaded) {
        image->x = image->y = image->w = image->h = 0;
        image->srx = image->sry = image->srw = image->srh = 0;
        return;
    }
    SDL_Surface* shown = nullptr;
    if (SDL_GetVideoSurface()) {
        shown = ToDisplayFormat(loaded, loaded->format->Amask != 0);
    }
    if (shown) {
        SDL_FreeSurface(loaded);
    } else {
        shown = loaded;  // no video mode yet: keep the loaded format
    }
    image->AdoptSurface(shown);
    ResetFromSurface(shown, image);
}
}  // namespace

void LoadImage(Image* image, const char* path) {
    if (!image) return;
    TakeLoaded(image, path ? IMG_Load(path) : nullptr);
}

void LoadImageRW(Image* image, SDL_RWops* source) {
    if (!image || !source) return;
    TakeLoaded(image, IMG_Load_RW(source, 0));
}

SDL_RWops* OpenRW(const char* path) { return path ? SDL_RWFromFile(path, "r") : nullptr; }

}  // namespace GraphAPI
