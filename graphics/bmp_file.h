// Saving a surface as a BMP file. The file is written beside its target and
// renamed over it, so a failed save never destroys the file that was there.
#pragma once

#include <SDL/SDL.h>

namespace GraphAPI {

// 0 on success, -1 when nothing was saved.
int SaveBmpFile(SDL_Surface* surface, const char* path);

}  // namespace GraphAPI
