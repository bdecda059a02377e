#include "graphics/bmp_file.h"

#include <unistd.h>

#include <cstdio>
#include <string>

namespace GraphAPI {

int SaveBmpFile(SDL_Surface* surface, const char* path) {
    if (!surface || !path || !*path) return -1;
    std::string target = path;
    std::string temp = target + ".part" + std::to_string(getpid());
    SDL_RWops* out = SDL_RWFromFile(temp.c_str(), "wb");
    if (!out) return -1;
    int result = SDL_SaveBMP_RW(surface, out, 1);
    if (result == 0 && std::rename(temp.c_str(), target.c_str()) != 0) result = -1;
    if (result != 0) std::remove(temp.c_str());
    return result;
}

}  // namespace GraphAPI
