#include "app/startup.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/game_kind_list.h"
#include "app/video_mode.h"
#include "audio/anim_sound_table.h"
#include "audio/music.h"
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

namespace {

void ReleaseAppMutex() { ReleaseInstanceLock(); }

void ScaleToScreenHeight() {
    int w = ScaledAppWidth(GraphAPI::AppWidth, GraphAPI::AppHeight, GraphAPI::ScreenHeight);
    GraphAPI::SetScaledSize(w, GraphAPI::ScreenHeight);
    GraphAPI::SetAppSize(w, GraphAPI::ScreenHeight);
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
        GraphAPI::ScreenWidth = chosen.width;
        GraphAPI::ScreenHeight = chosen.height;
        if (!cfg.appSize) {
            GraphAPI::Init(chosen.width, chosen.height, s.bpp, s.fullscreen, s.desktopDepth);
            return;
        }
        const Size app = *cfg.appSize;
        if (auto row = FindResRow(cfg.resRows, chosen)) {
            GraphAPI::Init(row->videoWidth, row->videoHeight, s.bpp, s.fullscreen, s.desktopDepth);
            GraphAPI::SetAppSize(app.width, app.height);
            ScaleToScreenHeight();
        } else {
            GraphAPI::Init(chosen.width, chosen.height, s.bpp, s.fullscreen, s.desktopDepth);
            GraphAPI::SetAppSize(app.width, app.height);
            if (GraphAPI::ScreenHeight < GraphAPI::AppWidth) ScaleToScreenHeight();
        }
    } else if (cfg.windebug) {
        const WindebugKey& d = *cfg.windebug;
        GraphAPI::Init(d.width, d.height, d.bpp, 0, d.desktopDepth);
    } else {
        GraphAPI::Init(800, 600, 32, 0, 1);
    }
}

int RunProgram(void (*useSeams)()) {
    if (!AcquireInstanceLock(kInstanceName)) return 1;
    std::atexit(ReleaseAppMutex);

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
    InstallAudioReleaser();
    InstallAnimationSoundTables();
    SetCaptionAndIcon(cfg);
    DefaultFont.Open(cfg.fontFile.c_str(), cfg.fontSize);
    DefaultFont.SetColor(cfg.fontR, cfg.fontG, cfg.fontB);
    InstallMouseCursor();  // the scene makes its cursor through it
    {
        ddScene scene;
        ScopedScene shown(scene);
        RunGameKinds(ProgramGameKinds(), cfg.activeGame);
    }

    std::fflush(stdout);
    return 0;
}
