// The blit every picture reaches the screen through: SDL_UpperBlit, except
// that per-pixel alpha pictures onto a 32-bit surface without alpha (the
// screen) go through the vectorised blend rows with SDL's own clipping and
// arithmetic, which SDL's blit spends most of a frame of alpha pictures on;
// and that per-pixel alpha pictures and translucent pictures without alpha
// onto a 32-bit picture with alpha (a snapshot of the scene) are drawn here
// as SDL 1.2 documents those pairs, which the compatibility layer's blit
// gets wrong.
#pragma once

#include <SDL/SDL.h>

namespace GraphAPI {

// SDL_UpperBlit's contract and result: the source rectangle (null: the
// whole source) is clipped to the source and to the destination's clip
// rectangle, the drawn rectangle is written back into destinationRect.
// Takes the vectorised rows only for an ARGB 8888 source with SDL_SRCALPHA
// at opacity 255 (its format's alpha) and no colour key onto an XRGB 8888
// destination, both unlocked and needing no lock, and only while the rows
// give the bytes SDL's own blit gives (tried once against it).
// Such a source at any opacity onto an ARGB 8888 destination (another
// surface) blends the colours by each point's alpha weighed by the opacity,
// with SDL's arithmetic, and leaves the destination's alpha as it was. An
// XRGB 8888 source with SDL_SRCALPHA at an opacity n of 1 to 254 onto it
// blends each colour as SDL's blit does, (s n + d (256 - n)) >> 8, or with
// a colour key d + (s - d) n / 255 cut toward d, and makes the alpha 255,
// except where the key leaves the points equal to it. Both give the same
// bytes on every pixel path. Everything else goes to SDL_UpperBlit.
int UpperBlit(SDL_Surface* source, SDL_Rect* sourceRect, SDL_Surface* destination, SDL_Rect* destinationRect);

// Whether UpperBlit takes the rows of the path in force: there are rows,
// and they give SDL's bytes.
bool UpperBlitTakesRows();

}  // namespace GraphAPI
