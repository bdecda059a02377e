// The picture record every visible object draws through: a surface with a
// position, size, source rectangle, ownership mark and an optional one-bit
// hit mask.
//
// Sharing: a FIRST record owns its surface and mask. A NONFIRST record made
// by sharing holds a reference on the surface (SDL's refcount) and on the
// mask, so freeing the original never leaves a sharer on freed pixels.
#pragma once

#include <SDL/SDL.h>

#include <cstdint>
#include <memory>

enum ImageType : int32_t { FIRST = 0, NONFIRST = 1 };

class Image {
public:
    Image() = default;
    Image(const Image& other);             // shares the other record
    Image& operator=(const Image& other);  // frees, then shares
    ~Image() { Free(); }

    void Free();
    void FreeMask();
    void BuildMask(int margin);
    int GetMaskBit(int x, int y) const;
    void CopyMask(const Image* other);
    void Print() const;

    int GetCenterX() const { return x + w / 2; }
    int GetCenterY() const { return y + h / 2; }
    int GetEndX() const { return x + w; }
    int GetEndY() const { return y + h; }

    // Takes a new surface of its own (the record becomes FIRST), freeing
    // whatever it held.
    void AdoptSurface(SDL_Surface* s);
    // Shares another record's surface and mask by reference.
    void ShareFrom(const Image& other);
    // Points at a surface without owning or referencing it (the screen).
    void ViewSurface(SDL_Surface* s);

    SDL_Surface* surface = nullptr;
    int32_t x = 0, y = 0;
    int32_t w = 0, h = 0;
    int32_t srx = 0, sry = 0;
    int32_t srw = 0, srh = 0;
    int32_t imgtype = NONFIRST;
    uint8_t* bitmask = nullptr;
    int32_t maskw = 0, maskh = 0;
    const Image* owner = nullptr;

private:
    void ReleaseSurface();

    bool holdsSurfaceRef = false;         // a shared surface we took a reference on
    std::shared_ptr<uint8_t[]> maskHold;  // keeps the mask alive for every sharer
};
