// Scoped lock of a surface's pixels for the software pixel walks.
#pragma once

#include <SDL/SDL.h>

#include <cstdio>

namespace GraphAPI {

// Locks when the surface needs it and unlocks on scope exit. A failed lock
// prints "Can't lock screen: ..." to standard error; Ok() is then false and
// the caller must leave the pixels alone.
class SurfaceLock {
public:
    explicit SurfaceLock(SDL_Surface* s) {
        if (!s) {
            ok = false;
            return;
        }
        if (!SDL_MUSTLOCK(s)) return;
        if (SDL_LockSurface(s) < 0) {
            std::fprintf(stderr, "Can't lock screen: %s\n", SDL_GetError());
            ok = false;
            return;
        }
        locked = s;
    }
    ~SurfaceLock() {
        if (locked) SDL_UnlockSurface(locked);
    }
    SurfaceLock(const SurfaceLock&) = delete;
    SurfaceLock& operator=(const SurfaceLock&) = delete;

    bool Ok() const { return ok; }

private:
    SDL_Surface* locked = nullptr;
    bool ok = true;
};

}  // namespace GraphAPI
