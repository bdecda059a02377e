// libFuzzer target for the ".zel" and ".z16" readers: any bytes decode
// cleanly, never past the room given or the data; every picture read,
// written again in either format and read back, is the same picture.
#include <SDL/SDL.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "graphics/graph_api.h"
#include "graphics/picture_files.h"

namespace {

constexpr int kRoom = 4;

using Decoder = int (*)(const uint8_t*, size_t, Image**, int);

struct Pictures {
    std::vector<Image*> images;
    Pictures() : images(kRoom + 1, nullptr) {}
    ~Pictures() {
        for (Image* i : images) delete i;
    }
    int Decode(Decoder decode, std::string_view bytes) {
        const int n =
            decode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), images.data(), kRoom);
        if (n < 0 || n > kRoom || images[kRoom]) FuzzFailure("decoded more pictures than there was room for");
        for (int i = 0; i < n; ++i)
            if (!images[i] || !images[i]->surface || images[i]->imgtype != FIRST)
                FuzzFailure("a decoded picture has no surface of its own");
        return n;
    }
};

// The same placement and size, and the same pixels: fully transparent
// pixels keep no colour, and ".z16" keeps 5-6-5 colour only.
void ExpectSamePicture(const Image& a, const Image& b, bool z16) {
    if (a.x != b.x || a.y != b.y || a.w != b.w || a.h != b.h)
        FuzzFailure("a written picture reads back moved or resized");
    const bool alpha = a.surface->format->Amask != 0;
    for (int j = 0; j < a.h; ++j)
        for (int i = 0; i < a.w; ++i) {
            Uint8 r1, g1, b1, a1, r2, g2, b2, a2;
            SDL_GetRGBA(GraphAPI::GetPixel(a.surface, i, j), a.surface->format, &r1, &g1, &b1, &a1);
            SDL_GetRGBA(GraphAPI::GetPixel(b.surface, i, j), b.surface->format, &r2, &g2, &b2, &a2);
            if (alpha && a1 != a2) FuzzFailure("a written picture reads back with another alpha");
            if (alpha && a1 == 0) continue;
            if (z16) {
                r1 >>= 3, g1 >>= 2, b1 >>= 3, r2 >>= 3, g2 >>= 2, b2 >>= 3;
            }
            if (r1 != r2 || g1 != g2 || b1 != b2)
                FuzzFailure("a written picture reads back with another colour");
        }
}

// Writes the pictures as one file and reads them back.
void RoundTrip(const Pictures& read, int n, bool z16) {
    const char* path = z16 ? "saved.z16" : "saved.zel";
    const Image* const* list = read.images.data();
    if (z16)
        GraphAPI::SaveZ16File(list, path, n);
    else
        GraphAPI::SaveZelFile(list, path, n);
    if (GraphAPI::CountPictures(path) != n) FuzzFailure("a written picture file counts other pictures");
    Pictures back;
    const int m = z16 ? GraphAPI::LoadZ16(back.images.data(), path, kRoom)
                      : GraphAPI::LoadZel(back.images.data(), path, kRoom);
    if (m != n) FuzzFailure("a written picture file reads back with other pictures");
    for (int i = 0; i < n; ++i) ExpectSamePicture(*read.images[i], *back.images[i], z16);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SDL_Init(0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzGuard guard;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (Decoder decode : {GraphAPI::DecodeZel, GraphAPI::DecodeZ16}) {
        Pictures read;
        const int n = read.Decode(decode, bytes);
        // Runs of many pixels make large pictures from small files; the
        // round trip compares pixel by pixel, so only smaller ones take it.
        int64_t pixels = 0;
        for (int i = 0; i < n; ++i) pixels += int64_t{read.images[i]->w} * read.images[i]->h;
        if (n == 0 || pixels > (1 << 14)) continue;
        RoundTrip(read, n, false);
        RoundTrip(read, n, true);
    }
    return 0;
}
