// Record operations and loading pictures through SDL_image.
#include <SDL/SDL_image.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

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

// The most pixels a run-length coded BMP may declare: its rows may describe
// far more pixels than it has bytes, so its size cannot be checked against
// the file's; far beyond any picture a game shows.
constexpr uint64_t kMaxCodedBmpPixels = uint64_t{1} << 26;

uint32_t Le(const uint8_t* p, int n) {
    uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

// Whether a BMP in `source` can hold the picture its header declares: its
// rows of pixels lie within the file (or, run-length coded, it declares at
// most kMaxCodedBmpPixels). SDL_image allocates and clears the whole declared
// picture before it reads a row, so a few bytes declaring a huge picture
// would cost that much memory for nothing. Anything that is not a readable
// BMP header passes, for SDL_image to judge; the stream is left where it was.
bool BmpFitsItsFile(SDL_RWops* source) {
    const int start = SDL_RWtell(source);
    const int end = SDL_RWseek(source, 0, RW_SEEK_END);
    SDL_RWseek(source, start, RW_SEEK_SET);
    uint8_t h[34] = {};
    const size_t got = SDL_RWread(source, h, 1, sizeof h);
    SDL_RWseek(source, start, RW_SEEK_SET);
    if (start < 0 || end < start || got < 26 || h[0] != 'B' || h[1] != 'M') return true;
    const uint64_t size = static_cast<uint64_t>(end - start);
    const uint32_t headerSize = Le(h + 14, 4);
    int64_t w = 0, rows = 0;
    uint32_t bpp = 0, compression = 0;
    if (headerSize == 12) {  // the old OS/2 header: 16-bit sizes, never coded
        w = Le(h + 18, 2);
        rows = Le(h + 20, 2);
        bpp = Le(h + 24, 2);
    } else {
        if (got < 34) return true;
        w = static_cast<int32_t>(Le(h + 18, 4));
        rows = static_cast<int32_t>(Le(h + 22, 4));
        bpp = Le(h + 28, 2);
        compression = Le(h + 30, 4);
    }
    if (rows < 0) rows = -rows;  // top-down rows
    if (w <= 0 || rows == 0) return true;
    // Whatever the header says, a pixel takes at least a bit.
    bpp = std::max<uint32_t>(bpp, 1);
    // Run-length coded, 8 or 4 bits a pixel.
    const bool coded = compression == 1 || compression == 2;
    if (coded) return static_cast<uint64_t>(w) * static_cast<uint64_t>(rows) <= kMaxCodedBmpPixels;
    // Every row but the last is padded to 4 bytes; the last may end unpadded.
    const uint64_t rowBytes = (static_cast<uint64_t>(w) * bpp + 31) / 32 * 4;
    const uint64_t lastRow = (static_cast<uint64_t>(w) * bpp + 7) / 8;
    const uint64_t pixels = rowBytes * static_cast<uint64_t>(rows - 1) + lastRow;
    return Le(h + 10, 4) + pixels <= size;
}

// SDL_image's load from where `source` stands, unless it holds a BMP that
// cannot hold what it declares; `type` names the format for files without a
// mark of their own. Takes `source` when `freeSource` is set.
SDL_Surface* LoadChecked(SDL_RWops* source, bool freeSource, const char* type) {
    if (!source) return nullptr;
    if (!BmpFitsItsFile(source)) {
        if (freeSource) SDL_RWclose(source);
        return nullptr;
    }
    return IMG_LoadTyped_RW(source, freeSource ? 1 : 0, const_cast<char*>(type));
}

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
    // As IMG_Load: the name's extension is the type for formats without a
    // mark of their own.
    const char* dot = path ? std::strrchr(path, '.') : nullptr;
    TakeLoaded(image,
               path ? LoadChecked(SDL_RWFromFile(path, "rb"), true, dot ? dot + 1 : nullptr) : nullptr);
}

void LoadImageRW(Image* image, SDL_RWops* source) {
    if (!image || !source) return;
    TakeLoaded(image, LoadChecked(source, false, nullptr));
}

SDL_RWops* OpenRW(const char* path) { return path ? SDL_RWFromFile(path, "r") : nullptr; }

}  // namespace GraphAPI
