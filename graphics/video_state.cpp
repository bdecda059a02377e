#include "graphics/video_state.h"

namespace GraphAPI {

namespace {

// Both are constant-initialised, so objects that die during the program's
// exit still find a state.
constinit VideoState g_builtIn;
constinit VideoState* g_video = &g_builtIn;

}  // namespace

VideoState& CurrentVideo() { return *g_video; }

void SetVideo(VideoState* video) { g_video = video ? video : &g_builtIn; }

ScopedVideo::ScopedVideo(VideoState& video) : previous(g_video) { g_video = &video; }

ScopedVideo::~ScopedVideo() { g_video = previous; }

ScopedDrawTarget::ScopedDrawTarget(SDL_Surface* target) : video(CurrentVideo()), previous(video.DrawTarget) {
    video.DrawTarget = target;
}

ScopedDrawTarget::~ScopedDrawTarget() { video.DrawTarget = previous; }

}  // namespace GraphAPI
