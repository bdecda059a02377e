#include "app/startup.h"

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/game_kind_list.h"
#include "app/video_mode.h"
#include "audio/anim_sound_table.h"
#include "audio/audio_state.h"
#include "foundation/dd_base.h"
#include "foundation/fatal.h"
#include "graphics/font.h"
#include "graphics/graph_api.h"
#include "platform/media.h"
#include "platform/sdl_backend.h"
#include "platform/single_instance.h"
#include "platform/video_modes.h"
#include "scene/scene.h"
#include "shell/mouse.h"

// Start-up, in this order:
//  0. freed memory kept in the process (below);
//  1. the single-instance lock, and the exit handler that releases it;
//  2. the program's own state installed: the video state, the audio state
//     and the default font (below; they live until the process ends);
//  3. the configuration read;
//  4. the media library started, and the seams (clock, input, events);
//  5. once the video mode is chosen: the exit handler ShutDownMedia, then
//     the audio device with the mixer's channel-finished and music-finished
//     callbacks, then the picture and font libraries and the video mode
//     (GraphAPI::Init), the application size and scaling;
//  6. the animations' sound tables, the caption and icon, the default font
//     opened, the mouse cursor;
//  7. the random source seeded and the keys set up, the scene made, the
//     game kinds run from the configured first kind.
//
// Shut-down runs from the exit handlers (a normal end and FatalExit alike),
// in the reverse order of their registration:
//  1. ShutDownMedia: the audio device (every sound halted, the music freed,
//     the device closed), then every open font and the font library, the
//     picture library and SDL (GraphAPI::Shutdown); standard output flushed;
//  2. the single-instance lock released.

namespace {

// The program's own state. Static, so that it outlives the exit handlers
// that close what it describes.
GraphAPI::VideoState g_video;
AudioState g_audio;
ddFont g_defaultFont;

// Pictures made and freed every frame (a filter's zoomed or turned output
// and the copies it draws through) would otherwise go back to the system
// when freed and be faulted in again, page by page, when made: that costs
// more than drawing them. Pictures up to 32 MiB come from the heap, and up
// to 64 MiB of it stays free in the process.
void KeepFreedMemory() {
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
}

void ReleaseAppMutex() { ReleaseInstanceLock(); }

void ShutDownMedia() {
    CloseAudioDevice();
    GraphAPI::Shutdown();
}

// Step 5: what the exit handler closes is opened only after it is
// registered.
void OpenMedia(int width, int height, int bitsPerPixel, int fullscreen, int useDesktopDepth) {
    std::atexit(ShutDownMedia);
    OpenAudioDevice();
    GraphAPI::Init(width, height, bitsPerPixel, fullscreen, useDesktopDepth);
}

void ScaleToScreenHeight() {
    const GraphAPI::VideoState& video = GraphAPI::CurrentVideo();
    int w = ScaledAppWidth(video.AppWidth, video.AppHeight, video.ScreenHeight);
    GraphAPI::SetScaledSize(w, video.ScreenHeight);
    GraphAPI::SetAppSize(w, video.ScreenHeight);
}

void SetCaptionAndIcon(const StartupConfig& cfg) {
    if (!cfg.caption) return;
    std::string caption = *cfg.caption;
    for (char& c : caption)
        if (c == '_') c = ' ';
    SetWindowCaption(caption.c_str());
    Image icon;
    GraphAPI::LoadImage(&icon, cfg.icon->c_str());
    if (icon.surface) SetWindowIcon(icon.surface);  // a missing icon is skipped
}

}  // namespace

void OpenVideoMode(const StartupConfig& cfg) {
    if (cfg.screen) {
        const ScreenKey& s = *cfg.screen;
        Range widths = cfg.offsetX.value_or(Range{s.width, s.width});
        Range heights = cfg.offsetY.value_or(Range{s.height, s.height});
        ListedModes list = ListFullscreenModes();
        if (list.none) FatalExit("No modes available!\n", 1);
        Size want{s.width, s.height};
        Size chosen = list.any ? want : SearchModes(list.modes, want, widths, heights);
        GraphAPI::VideoState& video = GraphAPI::CurrentVideo();
        video.ScreenWidth = chosen.width;
        video.ScreenHeight = chosen.height;
        if (!cfg.appSize) {
            OpenMedia(chosen.width, chosen.height, s.bpp, s.fullscreen, s.desktopDepth);
            return;
        }
        const Size app = *cfg.appSize;
        if (auto row = FindResRow(cfg.resRows, chosen)) {
            OpenMedia(row->videoWidth, row->videoHeight, s.bpp, s.fullscreen, s.desktopDepth);
            GraphAPI::SetAppSize(app.width, app.height);
            ScaleToScreenHeight();
        } else {
            OpenMedia(chosen.width, chosen.height, s.bpp, s.fullscreen, s.desktopDepth);
            GraphAPI::SetAppSize(app.width, app.height);
            if (video.ScreenHeight < video.AppWidth) ScaleToScreenHeight();
        }
    } else if (cfg.windebug) {
        const WindebugKey& d = *cfg.windebug;
        OpenMedia(d.width, d.height, d.bpp, 0, d.desktopDepth);
    } else {
        OpenMedia(800, 600, 32, 0, 1);
    }
}

int RunProgram(void (*useSeams)()) {
    KeepFreedMemory();
    if (!AcquireInstanceLock(kInstanceName)) return 1;
    std::atexit(ReleaseAppMutex);
    GraphAPI::SetVideo(&g_video);
    SetAudio(&g_audio);
    SetDefaultFont(&g_defaultFont);

    ddBase config;
    config.Load("configs/zel_config");
    StartupConfig cfg = ReadStartupConfig(config);

    if (!StartMedia()) {
        std::printf("unable to initiazlize SDL: %s\n", MediaError());
        std::fflush(stdout);
        return -1;
    }
    useSeams();
    OpenVideoMode(cfg);
    InstallAnimationSoundTables();
    SetCaptionAndIcon(cfg);
    g_defaultFont.Open(cfg.fontFile.c_str(), cfg.fontSize);
    g_defaultFont.SetColor(cfg.fontR, cfg.fontG, cfg.fontB);
    InstallMouseCursor();  // the scene makes its cursor through it
    SeedRandomAndSetUpKeys();
    {
        ddScene scene;
        ScopedScene shown(scene);
        RunGameKinds(ProgramGameKinds(), cfg.activeGame);
    }

    std::fflush(stdout);
    return 0;
}
