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

}  // namespace GraphAPI
