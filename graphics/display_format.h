// Conversion of surfaces to the format pictures are kept in.
#pragma once

#include <SDL/SDL.h>

namespace GraphAPI {

// A new surface holding `source` converted to the display format (with an
// alpha channel when withAlpha). Without a video mode the display format is
// taken as 32-bit ARGB (XRGB without alpha). Null on failure; the source
// stays the caller's.
SDL_Surface* ToDisplayFormat(SDL_Surface* source, bool withAlpha);

// A new zeroed 32-bit surface: ARGB 8888 with alpha, XRGB 8888 without.
SDL_Surface* CreateSurface32(int w, int h, bool withAlpha);

// A surface like `model`: w x h in its pixel format, with its palette, its
// colour key and its per-surface alpha setting. New and zeroed, or, given
// pixels and their pitch, over those pixels (which stay the caller's and
// must outlive it). Null when SDL cannot make it.
SDL_Surface* SurfaceLike(const SDL_Surface* model, int w, int h, void* pixels = nullptr, int pitch = 0);

// Copies every pixel row of `from` into `to`, which is at least as large and
// of the same format. False, having said why, when either cannot be locked.
bool CopyRows(SDL_Surface* from, SDL_Surface* to);

}  // namespace GraphAPI
