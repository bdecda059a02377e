#include "script/classes/engine_class.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "foundation/clock.h"
#include "foundation/file_io.h"
#include "graphics/graph_api.h"
#include "graphics/music.h"
#include "platform/app_data.h"
#include "platform/open_link.h"
#include "script/arg_ops.h"
#include "script/classes/object_args.h"
#include "script/interpreter.h"
#include "script/method_table.h"
#include "script/script_objects.h"
#include "script/script_types.h"
#include "shell/button.h"
#include "shell/input_state.h"
#include "shell/scene.h"

asmClass* asmClassEngine::Methods = nullptr;

namespace {

constexpr const char* kEngineMethods[] = {
    "getimg",        "removeimg",     "removesnd",      "print",        "refresh",
    "sortimages",    "stdbutcursor",  "actclassname",   "varexist",     "setdebugstate",
    "getticks",      "fileexist",     "printtypes",     "redraw",       "redrawnoblit",
    "getstack",      "getspecialpath", "mkdir",         "chdir",        "getscreenres",
    "setsndvol",     "setfullscreen", "getscreensize",  "setscreensize", "getscreenscale",
    "setvideomode",  "setloopdelay",  "getloopdelay",   "setfps",       "system",
    "linkwww",       "getsavepath",   "setmusicvol",    "getmusicvol",  "startmusic",
    "endmusic",      "fadeinmusic",   "fadeoutmusic",   "loadmusic",    "ismusicplaying",
    "getactmusic",   "playmusic",     "stopmusic",      "islocalmusic", "getappsize",
    "getscreenoffset", "setpath",     "isaudio",        "getxandro",    "getdesktopres",
};
static_assert(std::size(kEngineMethods) == 50);

asmClassObj* NewEngine(asmClass* cls, const char* name) { return new asmClassEngine(cls, name); }
asmClass* EngineClass() { return asmClassEngine::Methods; }

// One scene frame now, drawn but without the per-frame updates.
void RedrawNow(bool blit) {
    UpdateRequested = 0;
    RedrawRequested = 1;
    ResortRequested = 1;
    if (!blit) BlitAfterRedraw = 0;
    if (ddScene::Current) ddScene::Current->Frame();
    if (!blit) BlitAfterRedraw = 1;
    UpdateRequested = 1;
}

}  // namespace

int MakeFolder(const char* path) {
    if (!path) return -1;
    if (::mkdir(path, 0777) == 0) return 0;
    return errno == EEXIST ? 1 : -1;
}

int ChangeFolder(const char* path) { return path && ::chdir(path) == 0 ? 0 : -1; }

int DelayForFps(double fps) {
    if (!(fps > 0)) return -1;
    double delay = 1000.0 / fps + 0.5;
    if (!(delay < 2147483647.0)) return 2147483647;
    return static_cast<int>(delay);
}

asmClassEngine::asmClassEngine(asmClass* cls, const char* name) : asmClassObj(cls) { SetName(name); }

asmClassEngine::~asmClassEngine() = default;

void asmClassEngine::InitMethods() {
    FreeMethods();
    Methods = BuildClass(kEngineMethods);
}

void asmClassEngine::FreeMethods() { FreeClass(Methods); }

void asmClassEngine::CallBuiltIn(asmInterpreter* interp, int index) {
    asmInterpreter* m = interp ? interp : asmInterpreter::Instance;
    switch (index) {
    case 0: {
        int hi = PopArgInt();
        int lo = PopArgInt();
        int q = PopArgInt();
        int p = PopArgInt();
        int y = PopArgInt();
        int x = PopArgInt();
        Obraz* found = ddScene::Current ? FindTopmostAt(x, y, p != 0, q != 0, lo, hi) : nullptr;
        PushNameOrNull(found ? found->GetName() : nullptr);
        return;
    }
    case 1: {
        if (Obraz* picture = PopObject<Obraz>(); picture && ddScene::Current)
            ddScene::Current->RemoveDrawable(picture);
        SetRedraw();
        return;
    }
    case 2:
        return;
    case 3:
        PopText();
        return;
    case 4:
        SetRedraw();
        return;
    case 5:
        if (ddScene::Current) ddScene::Current->Sort();
        return;
    case 6:
        if (Obraz* picture = PopVisibleObject(true)) CreateSharedImage(picture);
        return;
    case 7:
        PushNameOrNull(m && m->currentObject ? m->currentObject->GetName() : nullptr);
        return;
    case 8: {
        std::string name = PopText();
        asmObjectModel* model = m ? m->GetObjectModel() : nullptr;
        PushInt(model && model->LookupVar(name.c_str()) ? 1 : 0);
        return;
    }
    case 9:
        ScriptDebugLevel = PopArgInt();
        return;
    case 10:
        PushInt(static_cast<int>(ClockTicks()));
        return;
    case 11:
        PushInt(FileExists(PopText().c_str()) ? 1 : 0);
        return;
    case 12:
        if (m && m->typeMap) {
            std::fflush(stdout);
            ddTrie<asmClass>::Dump(m->typeMap);
            std::fflush(stdout);
        }
        return;
    case 13:
        RedrawNow(true);
        return;
    case 14:
        RedrawNow(false);
        return;
    case 15:
        PushInt(m ? m->sp : -1);
        return;
    case 16: {
        std::string kind = PopText();
        std::string folder = kind == "appdata" ? UserDataFolder() : std::string();
        PushNameOrNull(folder.c_str());
        return;
    }
    case 17:
        PushInt(MakeFolder(PopText().c_str()));
        return;
    case 18:
        PushInt(ChangeFolder(PopText().c_str()));
        return;
    case 19:
        PushInt(GraphAPI::ScreenWidth);
        PushInt(GraphAPI::ScreenHeight);
        return;
    case 20: {
        int volume = PopArgInt();
        if (ddScene::Current) ddScene::Current->SetVolume(volume);
        return;
    }
    case 21:
        GraphAPI::SetFullscreen(PopArgInt());
        SetRedraw();
        return;
    case 22:
        PushInt(MinInt(GraphAPI::ScaledWidth, GraphAPI::AppWidth));
        PushInt(MinInt(GraphAPI::ScaledHeight, GraphAPI::AppHeight));
        return;
    case 23: {
        int h = PopArgInt();
        int w = PopArgInt();
        GraphAPI::SetScaledSize(w, h);
        return;
    }
    case 24:
        PushReal(ScreenScaleX);
        PushReal(ScreenScaleY);
        return;
    case 25:
        return;
    case 26:
        LoopDelay = PopArgInt();
        return;
    case 27:
        PushInt(LoopDelay);
        return;
    case 28:
        if (int delay = DelayForFps(PopArgReal()); delay >= 0) LoopDelay = delay;
        return;
    case 29: {
        std::string command = PopText();
        std::fflush(stdout);
        [[maybe_unused]] int status = std::system(command.c_str());
        return;
    }
    case 30:
        OpenLink(PopText().c_str());
        return;
    case 31:
        PushString("saves/");
        return;
    case 32:
        MusicPlayer.SetVolume(PopArgInt());
        return;
    case 33:
        PushInt(MusicPlayer.GetVolume());
        return;
    case 34:
        MusicPlayer.Play(1, 0);
        return;
    case 35:
        MusicPlayer.Halt(PopArgInt());
        return;
    case 36:
        MusicPlayer.Play(1, PopArgInt());
        return;
    case 37:
        MusicPlayer.FadeOut(PopArgInt());
        return;
    case 38:
        MusicPlayer.Load(PopText().c_str(), 0);
        return;
    case 39:
        PushInt(MusicPlaying.load());
        return;
    case 40:
        PushNameOrNull(MusicPlayer.GetName());
        return;
    case 41:
        MusicPlayer.Load(PopText().c_str(), 0);
        MusicPlayer.Play(-1, 0);
        return;
    case 42:
        MusicPlayer.Halt(0);
        return;
    case 43:
        PushInt(MusicPlayer.GetReload());
        return;
    case 44:
        PushInt(GraphAPI::AppWidth);
        PushInt(GraphAPI::AppHeight);
        return;
    case 45:
        PushInt(GraphAPI::AppOffsetX);
        PushInt(GraphAPI::AppOffsetY);
        return;
    case 46:
        EnginePath = PopText().c_str();
        return;
    case 47:
        PushInt(GraphAPI::AudioOpen);
        return;
    case 48:
        PushInt(0);
        return;
    case 49:
        PushInt(GraphAPI::DesktopWidth);
        PushInt(GraphAPI::DesktopHeight);
        return;
    default: {
        std::string line = "engine unknown built in method " + std::to_string(index) + "\n";
        std::fwrite(line.data(), 1, line.size(), stdout);
        return;
    }
    }
}

void RegisterEngineScriptClass() {
    RegisterScriptClass({"engine", -1, asmClassEngine::InitMethods, asmClassEngine::FreeMethods, EngineClass, NewEngine});
}
