// The screen and video state: the video mode asked for and the one got,
// the screen surface and the picture record over it, the application size
// with its view offsets, the scaled drawing size and the global scale
// factors, the desktop size read before the mode was set, and where
// drawing goes: the screen, or for a while a picture that a snapshot of the
// scene is drawn into (ScopedDrawTarget).
//
// One state is the current one, reached through CurrentVideo(). The
// program's start-up owns the real one and installs it for the whole run;
// tests install a fresh one with ScopedVideo. With none installed a
// built-in state at the initial values is current, so pictures can be
// built without a screen.
#pragma once

#include <SDL/SDL.h>

#include <cstdint>

#include "graphics/image.h"

namespace GraphAPI {

struct VideoState {
    VideoState() = default;
    VideoState(const VideoState&) = delete;
    VideoState& operator=(const VideoState&) = delete;

    int AppWidth = 0, AppHeight = 0;        // the size the game is drawn in
    int ScreenWidth = 0, ScreenHeight = 0;  // the video mode's size
    int BitsPerPixel = 0;                   // the colour depth asked of the mode
    uint32_t VideoFlags = 0;                // 0 or SDL_FULLSCREEN
    int Fullscreen = 1;                     // 1 while the mode is full screen
    SDL_Surface* Screen = nullptr;
    // Over Screen (never frees it); always follows the current screen.
    Image ScreenImage;
    // Where the screen's top-left corner lies in application coordinates.
    int AppOffsetX = 0, AppOffsetY = 0;
    int DesktopWidth = 0, DesktopHeight = 0;
    // Scaled drawing size / application size.
    float ScreenScaleX = 1.0f, ScreenScaleY = 1.0f;
    // The scaled drawing size lives in the screen record's w and h.
    int& ScaledWidth = ScreenImage.w;
    int& ScaledHeight = ScreenImage.h;
    // Where drawing goes instead of the screen; null: the screen.
    SDL_Surface* DrawTarget = nullptr;
};

// The installed state, or the built-in one; never null.
VideoState& CurrentVideo();
// Installs a state (not owned); null goes back to the built-in one.
void SetVideo(VideoState* video);

// Makes a state the current one for as long as it lives; the one before
// comes back after it.
class ScopedVideo {
public:
    explicit ScopedVideo(VideoState& video);
    ~ScopedVideo();
    ScopedVideo(const ScopedVideo&) = delete;
    ScopedVideo& operator=(const ScopedVideo&) = delete;

private:
    VideoState* previous;
};

// Sends the drawing of the current video state into a surface instead of
// the screen for as long as it lives (a snapshot of the scene); the target
// before comes back after it. The surface's top-left point is the
// application's (0, 0): no view offsets apply to it.
class ScopedDrawTarget {
public:
    explicit ScopedDrawTarget(SDL_Surface* target);
    ~ScopedDrawTarget();
    ScopedDrawTarget(const ScopedDrawTarget&) = delete;
    ScopedDrawTarget& operator=(const ScopedDrawTarget&) = delete;

private:
    VideoState& video;
    SDL_Surface* previous;
};

}  // namespace GraphAPI
