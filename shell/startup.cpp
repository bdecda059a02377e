#include "shell/startup.h"

#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "foundation/dd_base.h"
#include "foundation/fatal.h"
#include "graphics/font.h"
#include "graphics/graph_api.h"
#include "graphics/sdl_clock.h"
#include "graphics/music.h"
#include "platform/single_instance.h"
#include "script/classes/engine_script_classes.h"
#include "shell/game_chooser.h"
#include "shell/mouse.h"
#include "shell/scene.h"
#include "shell/video_mode.h"
#include "tools/path_builder.h"
#include "tools/lumo_game.h"

namespace {

void ReleaseAppMutex() { ReleaseInstanceLock(); }

// SDL's answer to "which full-screen modes are there?"
struct ModeList {
    bool none = false;
    bool any = false;
    std::vector<Size> modes;
};

ModeList ListFullscreenModes() {
    ModeList list;
    SDL_Rect** modes = SDL_ListModes(nullptr, SDL_FULLSCREEN);
    if (!modes) {
        list.none = true;
    } else if (modes == reinterpret_cast<SDL_Rect**>(-1)) {
        list.any = true;
    } else {
        for (int i = 0; modes[i]; ++i) list.modes.push_back(Size{modes[i]->w, modes[i]->h});
    }
    return list;
}

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
    SDL_WM_SetCaption(caption.c_str(), nullptr);
    Image icon;
    GraphAPI::LoadImage(&icon, cfg.icon->c_str());
    if (icon.surface) SDL_WM_SetIcon(icon.surface, nullptr);  // a missing icon is skipped
}

}  // namespace

void OpenVideoMode(const StartupConfig& cfg) {
    if (cfg.screen) {
        const ScreenKey& s = *cfg.screen;
        Range widths = cfg.offsetX.value_or(Range{s.width, s.width});
        Range heights = cfg.offsetY.value_or(Range{s.height, s.height});
        ModeList list = ListFullscreenModes();
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

void RunGameKinds() {
    while (ActiveGame != "exit") {
        // Each kind starts on a cleared screen: nothing the last one drew
        // stays under it.
        GraphAPI::ClearScreenRGB();
        GraphAPI::UpdateScreen();
        if (ActiveGame == "asmgame") {
            ActiveGame = "exit";
            RunScriptMachine();
            MusicPlayer.Halt(0);
        } else if (ActiveGame == "lumo") {
            ActiveGame = "exit";
            lumo2Game editor;
            editor.Run();
        } else if (ActiveGame == "ptbuilder") {
            GraphAPI::AppOffsetX = 0;
            GraphAPI::AppOffsetY = 0;
            ActiveGame = "exit";
            pathbuilderGame editor;
            editor.Run();
        } else if (ActiveGame == "gamechooser") {
            ActiveGame = "exit";
            GameChooser chooser;
            chooser.Run();
        } else {
            ActiveGame = "exit";
        }
    }
}

int RunProgram() {
    if (!AcquireInstanceLock(kInstanceName)) return 1;
    std::atexit(ReleaseAppMutex);

    ddBase config;
    config.Load("configs/zel_config");
    StartupConfig cfg = ReadStartupConfig(config);

    if (SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO) < 0) {
        std::printf("unable to initiazlize SDL: %s\n", SDL_GetError());
        std::fflush(stdout);
        return -1;
    }
    UseSdlClock();
    OpenVideoMode(cfg);
    InstallAudioReleaser();
    SetCaptionAndIcon(cfg);
    DefaultFont.Open(cfg.fontFile.c_str(), cfg.fontSize);
    DefaultFont.SetColor(cfg.fontR, cfg.fontG, cfg.fontB);
    ActiveGame = cfg.activeGame.c_str();
    InstallMouseCursor();  // the scene makes its cursor through it
    {
        ddScene scene;
        ScopedScene shown(scene);
        RunGameKinds();
    }

    std::fflush(stdout);
    return 0;
}
