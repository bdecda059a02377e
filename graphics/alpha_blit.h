// The blit every picture reaches the screen through: SDL_UpperBlit, except
// that per-pixel alpha pictures onto a 32-bit surface without alpha (the
// screen) go through the vectorised blend rows with SDL's own clipping and
// arithmetic, which SDL's blit spends most of a frame of alpha pictures on.
#pragma once

#include <SDL/SDL.h>

namespace GraphAPI {

// SDL_UpperBlit's contract and result: the source rectangle (null: the
// whole source) is clipped to the source and to the destination's clip
// rectangle, the drawn rectangle is written back into destinationRect.
// Takes the vectorised rows only for an ARGB 8888 source with SDL_SRCALPHA
// at opacity 255 (its format's alpha) and no colour key onto an XRGB 8888
// destination, both unlocked and needing no lock, and only while the rows
// give the bytes SDL's own blit gives (tried once against it); everything
// else goes to SDL_UpperBlit.
int UpperBlit(SDL_Surface* source, SDL_Rect* sourceRect, SDL_Surface* destination, SDL_Rect* destinationRect);

// Whether UpperBlit takes the rows of the path in force: there are rows,
// and they give SDL's bytes.
bool UpperBlitTakesRows();

}  // namespace GraphAPI
