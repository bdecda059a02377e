// libFuzzer target for resampling pictures: a small picture of any depth
// (8-bit with a palette, 16, 24 or 32 bits, with or without an alpha
// channel, a colour key and a per-surface alpha), made from the input, is
// zoomed, turned and zoomed, scaled in its record, converted and saved.
// Nothing crashes; every result is exactly the size it reports, in files
// too; a zoom draws SDL_gfx's bytes wherever SDL_gfx can draw them.
//
// Input: depth, flags, colour key, surface alpha, width, height, zoom x and
// y (sixteenths, signed), angle (degrees, signed), then the palette and
// pixel bytes, taken round again when they run out.
#include <SDL/SDL.h>
#include <SDL/SDL_rotozoom.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz_support.h"
#include "graphics/bmp_file.h"
#include "graphics/graph_api.h"
#include "graphics/picture_files.h"

namespace {

struct Reader {
    const uint8_t* data;
    size_t size, at = 0;
    uint8_t Next() { return size ? data[at++ % size] : 0; }
};

SDL_Surface* MakeSource(Reader& in, int depth, bool alpha, int w, int h) {
    static constexpr Uint32 kMasks[4][3] = {{0, 0, 0},
                                            {0xF800, 0x07E0, 0x001F},
                                            {0xFF0000, 0x00FF00, 0x0000FF},
                                            {0xFF0000, 0x00FF00, 0x0000FF}};
    const Uint32* m = kMasks[depth / 8 - 1];
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, depth, m[0], m[1], m[2],
                                          depth == 32 && alpha ? 0xFF000000 : 0);
    if (!s) FuzzFailure("no source surface");
    if (depth == 8) {
        SDL_Color colours[256];
        for (SDL_Color& c : colours) c = {in.Next(), in.Next(), in.Next(), 0};
        SDL_SetColors(s, colours, 0, 256);
    }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w * s->format->BytesPerPixel; ++x)
            static_cast<Uint8*>(s->pixels)[y * s->pitch + x] = in.Next();
    return s;
}

// A surface of exactly its reported size: converting it or saving it as a
// BMP file makes no more rows.
void ExpectExact(SDL_Surface* s) {
    if (SDL_Surface* c = SDL_ConvertSurface(s, s->format, 0)) {
        if (c->w != s->w || c->h != s->h) FuzzFailure("a resampled picture converts to another size");
        SDL_FreeSurface(c);
    }
    if (GraphAPI::SaveBmpFile(s, "zoomed.bmp") == 0) {
        SDL_Surface* back = SDL_LoadBMP("zoomed.bmp");
        if (!back || back->w != s->w || back->h != s->h)
            FuzzFailure("a resampled picture saves another size");
        SDL_FreeSurface(back);
    }
}

bool SameRows(const SDL_Surface* a, const SDL_Surface* b) {
    if (a->w != b->w || a->h != b->h || a->format->BitsPerPixel != b->format->BitsPerPixel) return false;
    for (int y = 0; y < a->h; ++y)
        if (std::memcmp(static_cast<const Uint8*>(a->pixels) + y * a->pitch,
                        static_cast<const Uint8*>(b->pixels) + y * b->pitch,
                        static_cast<size_t>(a->w) * a->format->BytesPerPixel) != 0)
            return false;
    return true;
}

// A result taken into a record: it converts, duplicates and saves as a
// ".zel" picture that reads back at its size.
void ConvertAndSave(SDL_Surface* made) {
    Image image, copy;
    image.AdoptSurface(made);
    GraphAPI::ResetFromSurface(made, &image);
    GraphAPI::DuplicateImageAlpha(&image, &copy);
    if (!copy.surface || copy.surface->w != made->w || copy.surface->h != made->h)
        FuzzFailure("a resampled picture duplicates to another size");
    GraphAPI::ConvertSurface(&image, &copy);
    const std::string file = std::string("\x01\0\0\0", 4) + GraphAPI::EncodeZelPicture(image);
    Image* back = nullptr;
    if (GraphAPI::DecodeZel(reinterpret_cast<const uint8_t*>(file.data()), file.size(), &back, 1) != 1 ||
        !back || back->w != image.w || back->h != image.h)
        FuzzFailure("a resampled picture saves as another size");
    delete back;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    OpenDummyScreenAndFont();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 11) return 0;
    FuzzGuard guard;
    static constexpr int kDepths[] = {8, 16, 24, 32};
    const int depth = kDepths[data[0] & 3];
    const bool alpha = data[1] & 1, keyed = data[1] & 2, faded = data[1] & 4, smooth = data[1] & 8;
    const int w = 1 + data[4] % 24, h = 1 + data[5] % 24;
    const double zoomX = static_cast<int8_t>(data[6]) / 16.0, zoomY = static_cast<int8_t>(data[7]) / 16.0;
    const double angle = static_cast<int16_t>(data[8] | data[9] << 8) / (data[10] & 1 ? 1.0 : 1000.0);
    Reader in{data + 11, size - 11};
    SDL_Surface* source = MakeSource(in, depth, alpha, w, h);
    if (keyed) SDL_SetColorKey(source, SDL_SRCCOLORKEY, data[2] * 0x010101u);
    if (faded) SDL_SetAlpha(source, SDL_SRCALPHA, data[3]);

    // SDL_gfx reads 8-bit pictures wrongly when mirrored, and only zooms
    // below a thousandth of a degree.
    const bool gfxSafe = depth != 8 || (zoomX >= 0 && zoomY >= 0);
    SDL_Surface* zoomed = GraphAPI::ZoomSurface(source, zoomX, zoomY, smooth);
    if (!zoomed) FuzzFailure("a small picture did not zoom");
    int zw = 0, zh = 0;
    zoomSurfaceSize(w, h, std::fabs(zoomX), std::fabs(zoomY), &zw, &zh);
    if (zoomed->w != zw || zoomed->h != zh) FuzzFailure("a zoomed picture is not SDL_gfx's size");
    if (gfxSafe) {
        SDL_Surface* theirs = zoomSurface(source, zoomX, zoomY, smooth);
        if (!SameRows(zoomed, theirs)) FuzzFailure("a zoomed picture is not SDL_gfx's");
        SDL_FreeSurface(theirs);
    }
    ExpectExact(zoomed);
    ConvertAndSave(zoomed);

    SDL_Surface* turned = GraphAPI::RotozoomSurface(source, angle, zoomX, zoomY, smooth);
    if (!turned) FuzzFailure("a small picture did not turn");
    if (gfxSafe || std::fabs(angle) > 0.001) {
        SDL_Surface* theirs = rotozoomSurfaceXY(source, angle, zoomX, zoomY, smooth);
        if (!SameRows(turned, theirs)) FuzzFailure("a turned picture is not SDL_gfx's");
        SDL_FreeSurface(theirs);
    }
    ExpectExact(turned);
    ConvertAndSave(turned);

    Image record;
    record.AdoptSurface(source);
    GraphAPI::ResetFromSurface(source, &record);
    GraphAPI::ScaleImage(&record, static_cast<float>(zoomX), static_cast<float>(zoomY));
    if (record.surface) ExpectExact(record.surface);
    return 0;
}
