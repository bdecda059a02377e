// Vectorised rows of the blends, for the layouts pictures are kept in: a
// source and mask in ARGB 8888 onto an ARGB 8888 destination, or onto XRGB
// 8888 (no alpha channel) where a table has two entries ([0] without
// destination alpha, [1] with it).
//
// Each row function takes whole rows of w >= 0 points, start pointers that
// need no alignment, and gives exactly the bytes of the per-point rules in
// blends.cpp and effects.cpp, which stay the reference and the portable
// path. One set per instruction set (SSE2, AVX2); the processor's best is
// chosen once per process and looked up once per call.
#pragma once

#include <cstdint>

namespace GraphAPI {

struct BlendRows {
    using Row1 = void (*)(uint32_t* d, int w, uint32_t k);
    using Row2 = void (*)(uint32_t* d, const uint32_t* s, int w);
    using Row2K = void (*)(uint32_t* d, const uint32_t* s, int w, uint32_t k);
    using Row3 = void (*)(uint32_t* d, const uint32_t* s, const uint32_t* m, int w);
    using Row3K = void (*)(uint32_t* d, const uint32_t* s, const uint32_t* m, int w, uint32_t k);

    Row2 over[2];             // BlendOver
    Row2K alpha[2];           // BlendAlpha, k = strength 1..255
    Row2 add[2];              // BlendAdd
    Row2K add256[2];          // BlendAdd256, k = strength 1..256
    Row2 maskAlpha[2];        // MaskAlpha mode != 0, s = the mask (inside it)
    Row2 maskKeep;            // MaskAlpha mode 0, s = the mask (inside it)
    Row2 clearWhereOpaque;    // ClearWhereOpaque
    Row3K masked[2][2];       // BlendMasked [mixing][destination alpha], k = strength 1..255
    Row3 throughMask[2][2];   // BlendThroughMask [source read opaque][destination alpha]
    Row3 copyThroughMask[2];  // CopyThroughMask, points inside source and mask
    Row2 cutOut;              // CutOutMask onto a destination with alpha
    Row1 scaleAlpha;          // ScaleAlpha, k = the factor, 0 or more
    // SDL's per-pixel alpha blit onto XRGB, h rows of w points at once;
    // pitches in bytes.
    void (*sdlAlphaBlit)(uint32_t* d, int dPitch, const uint32_t* s, int sPitch, int w, int h);
    // SDL 1.2's per-pixel alpha blit onto ARGB, the destination's alpha kept,
    // the source's weighed by its opacity (0..255).
    void (*sdlAlphaKeepBlit)(uint32_t* d, int dPitch, const uint32_t* s, int sPitch, int w, int h,
                             uint32_t opacity);
    // SDL 1.2's blit of a source without alpha at an opacity n of 1..254
    // onto ARGB: colours blended by n with SDL's arithmetic for a keyed or
    // an unkeyed source, alpha 255; when keyed, the points equal to key are
    // left as they were.
    void (*sdlOpacityBlit)(uint32_t* d, int dPitch, const uint32_t* s, int sPitch, int w, int h, uint32_t n,
                           bool keyed, uint32_t key);
};

enum class PixelPath { kScalar, kSse2, kAvx2 };

// The row set of the path in force, null for the per-point path.
const BlendRows* ChosenBlendRows();
// The path in force: the best the processor has, unless a test chose one.
PixelPath ChosenPixelPath();
const char* PixelPathName(PixelPath path);

// For tests: runs every later call on the given path, or on the best one
// below it that the processor has; returns the path now in force.
PixelPath ForcePixelPath(PixelPath path);
// Back to the processor's best.
void UnforcePixelPath();

#if defined(__x86_64__)
extern const BlendRows kSse2BlendRows;
extern const BlendRows kAvx2BlendRows;
#endif

}  // namespace GraphAPI
