// The yardstick for the engine's start-up and exit: the least an SDL program
// does to show the engine's window. It starts SDL's audio and video, opens
// the mode and the font the engine's configuration names
// (configs/fonts/normal.ttf at size 14, 320x240x32 unless given as
// arguments), and closes everything again. Run from a game folder.
// With --audio first it also opens the audio device as the engine does
// (SDL_mixer, 44100 Hz, 16 bit, stereo, 4096-sample buffers, 64 channels)
// and closes it at the end, before the font library, as the engine's exit.
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <SDL/SDL_ttf.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    bool audio = argc > 1 && std::strcmp(argv[1], "--audio") == 0;
    if (audio) {
        --argc;
        ++argv;
    }
    int width = argc > 2 ? std::atoi(argv[1]) : 320;
    int height = argc > 2 ? std::atoi(argv[2]) : 240;
    if (SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO) < 0) {
        std::printf("SDL_Init: %s\n", SDL_GetError());
        return 1;
    }
    // Without a device the run would measure less than it claims: fail.
    if (audio && Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 4096) != 0) {
        std::printf("Mix_OpenAudio: %s\n", Mix_GetError());
        SDL_Quit();
        return 1;
    }
    if (audio) Mix_AllocateChannels(64);
    SDL_Surface* screen = SDL_SetVideoMode(width, height, 32, 0);
    if (!screen || TTF_Init() == -1) {
        std::printf("video or font library: %s\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    TTF_Font* font = TTF_OpenFont("configs/fonts/normal.ttf", 14);
    if (!font) std::printf("no font: %s\n", TTF_GetError());
    SDL_Flip(screen);
    if (audio) {
        Mix_HaltChannel(-1);
        Mix_CloseAudio();
    }
    if (font) TTF_CloseFont(font);
    TTF_Quit();
    SDL_Quit();
    return 0;
}
