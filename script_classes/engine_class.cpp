#include "script_classes/engine_class.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "audio/audio_state.h"
#include "foundation/clock.h"
#include "foundation/file_io.h"
#include "foundation/saturating.h"
#include "graphics/graph_api.h"
#include "graphics/stage.h"
#include "platform/app_data.h"
#include "platform/open_link.h"
#include "scene/frame_flags.h"
#include "scene/scene.h"
#include "script/arg_ops.h"
#include "script/interpreter.h"
#include "script/method_table.h"
#include "script/script_objects.h"
#include "script_classes/object_args.h"
#include "shell/button.h"
#include "shell/engine_path.h"

namespace {

// One scene frame now, drawn but without the per-frame updates.
void RedrawNow(bool blit) {
    ddScene& scene = CurrentScene();
    FrameFlags& flags = scene.Flags();
    flags.UpdateRequested = 0;
    flags.RedrawRequested = 1;
    flags.ResortRequested = 1;
    if (!blit) flags.BlitAfterRedraw = 0;
    scene.Frame();
    if (!blit) flags.BlitAfterRedraw = 1;
    flags.UpdateRequested = 1;
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

asmClassEngine::asmClassEngine(asmClass* cls, const char* name) : asmScriptClass(cls) { SetName(name); }

asmClassEngine::~asmClassEngine() = default;

// The script methods: each name with its built-in index and handler.
struct asmClassEngine::ScriptMethods {
    static constexpr MethodRow<asmClassEngine> kRows[] = {
        {"getimg", 0,
         [](asmClassEngine&, asmInterpreter& m, int) {
             int hi = PopArgInt(m);
             int lo = PopArgInt(m);
             int q = PopArgInt(m);
             int p = PopArgInt(m);
             int y = PopArgInt(m);
             int x = PopArgInt(m);
             Obraz* found = CurrentScene().FindTopmostAt(x, y, p != 0, q != 0, lo, hi);
             PushNameOrNull(m, found ? found->GetName() : nullptr);
         }},
        {"removeimg", 1,
         [](asmClassEngine&, asmInterpreter& m, int) {
             if (Obraz* picture = PopObject<Obraz>(m)) CurrentStage().RemoveDrawable(picture);
             SetRedraw();
         }},
        {"removesnd", 2, [](asmClassEngine&, asmInterpreter&, int) {}},
        {"print", 3, [](asmClassEngine&, asmInterpreter& m, int) { PopText(m); }},
        {"refresh", 4, [](asmClassEngine&, asmInterpreter&, int) { SetRedraw(); }},
        {"sortimages", 5, [](asmClassEngine&, asmInterpreter&, int) { CurrentScene().Sort(); }},
        {"stdbutcursor", 6,
         [](asmClassEngine&, asmInterpreter& m, int) {
             if (Obraz* picture = PopVisibleObject(m, true)) CreateSharedImage(picture);
         }},
        {"actclassname", 7,
         [](asmClassEngine&, asmInterpreter& m, int) {
             PushNameOrNull(m, m.currentObject ? m.currentObject->GetName() : nullptr);
         }},
        {"varexist", 8,
         [](asmClassEngine&, asmInterpreter& m, int) {
             std::string name = PopText(m);
             asmObjectModel* model = m.GetObjectModel();
             PushInt(m, model && model->LookupVar(name.c_str()) ? 1 : 0);
         }},
        {"setdebugstate", 9, [](asmClassEngine&, asmInterpreter& m, int) { m.debugLevel = PopArgInt(m); }},
        {"getticks", 10,
         [](asmClassEngine&, asmInterpreter& m, int) { PushInt(m, static_cast<int>(ClockTicks())); }},
        {"fileexist", 11,
         [](asmClassEngine&, asmInterpreter& m, int) { PushInt(m, FileExists(PopText(m).c_str()) ? 1 : 0); }},
        {"printtypes", 12,
         [](asmClassEngine&, asmInterpreter& m, int) {
             if (m.typeMap) {
                 std::fflush(stdout);
                 ddTrie<asmClass>::Dump(m.typeMap);
                 std::fflush(stdout);
             }
         }},
        {"redraw", 13, [](asmClassEngine&, asmInterpreter&, int) { RedrawNow(true); }},
        {"redrawnoblit", 14, [](asmClassEngine&, asmInterpreter&, int) { RedrawNow(false); }},
        {"getstack", 15, [](asmClassEngine&, asmInterpreter& m, int) { PushInt(m, m.sp); }},
        {"getspecialpath", 16,
         [](asmClassEngine&, asmInterpreter& m, int) {
             std::string kind = PopText(m);
             std::string folder = kind == "appdata" ? UserDataFolder() : std::string();
             PushNameOrNull(m, folder.c_str());
         }},
        {"mkdir", 17,
         [](asmClassEngine&, asmInterpreter& m, int) { PushInt(m, MakeFolder(PopText(m).c_str())); }},
        {"chdir", 18,
         [](asmClassEngine&, asmInterpreter& m, int) { PushInt(m, ChangeFolder(PopText(m).c_str())); }},
        {"getscreenres", 19,
         [](asmClassEngine&, asmInterpreter& m, int) {
             PushInt(m, GraphAPI::CurrentVideo().ScreenWidth);
             PushInt(m, GraphAPI::CurrentVideo().ScreenHeight);
         }},
        {"setsndvol", 20,
         [](asmClassEngine&, asmInterpreter& m, int) {
             int volume = PopArgInt(m);
             CurrentScene().SetVolume(volume);
         }},
        {"setfullscreen", 21,
         [](asmClassEngine&, asmInterpreter& m, int) {
             GraphAPI::SetFullscreen(PopArgInt(m));
             SetRedraw();
         }},
        {"getscreensize", 22,
         [](asmClassEngine&, asmInterpreter& m, int) {
             PushInt(m, MinInt(GraphAPI::CurrentVideo().ScaledWidth, GraphAPI::CurrentVideo().AppWidth));
             PushInt(m, MinInt(GraphAPI::CurrentVideo().ScaledHeight, GraphAPI::CurrentVideo().AppHeight));
         }},
        {"setscreensize", 23,
         [](asmClassEngine&, asmInterpreter& m, int) {
             int h = PopArgInt(m);
             int w = PopArgInt(m);
             GraphAPI::SetScaledSize(w, h);
         }},
        {"getscreenscale", 24,
         [](asmClassEngine&, asmInterpreter& m, int) {
             PushReal(m, GraphAPI::CurrentVideo().ScreenScaleX);
             PushReal(m, GraphAPI::CurrentVideo().ScreenScaleY);
         }},
        {"setvideomode", 25, [](asmClassEngine&, asmInterpreter&, int) {}},
        {"setloopdelay", 26,
         [](asmClassEngine&, asmInterpreter& m, int) { CurrentScene().Flags().LoopDelay = PopArgInt(m); }},
        {"getloopdelay", 27,
         [](asmClassEngine&, asmInterpreter& m, int) { PushInt(m, CurrentScene().Flags().LoopDelay); }},
        {"setfps", 28,
         [](asmClassEngine&, asmInterpreter& m, int) {
             if (int delay = DelayForFps(PopArgReal(m)); delay >= 0) CurrentScene().Flags().LoopDelay = delay;
         }},
        {"system", 29,
         [](asmClassEngine&, asmInterpreter& m, int) {
             std::string command = PopText(m);
             std::fflush(stdout);
             [[maybe_unused]] int status = std::system(command.c_str());
         }},
        {"linkwww", 30, [](asmClassEngine&, asmInterpreter& m, int) { OpenLink(PopText(m).c_str()); }},
        {"getsavepath", 31, [](asmClassEngine&, asmInterpreter& m, int) { PushString(m, "saves/"); }},
        {"setmusicvol", 32,
         [](asmClassEngine&, asmInterpreter& m, int) { CurrentAudio().MusicPlayer.SetVolume(PopArgInt(m)); }},
        {"getmusicvol", 33,
         [](asmClassEngine&, asmInterpreter& m, int) { PushInt(m, CurrentAudio().MusicPlayer.GetVolume()); }},
        {"startmusic", 34,
         [](asmClassEngine&, asmInterpreter&, int) { CurrentAudio().MusicPlayer.Play(1, 0); }},
        {"endmusic", 35,
         [](asmClassEngine&, asmInterpreter& m, int) { CurrentAudio().MusicPlayer.Halt(PopArgInt(m)); }},
        {"fadeinmusic", 36,
         [](asmClassEngine&, asmInterpreter& m, int) { CurrentAudio().MusicPlayer.Play(1, PopArgInt(m)); }},
        {"fadeoutmusic", 37,
         [](asmClassEngine&, asmInterpreter& m, int) { CurrentAudio().MusicPlayer.FadeOut(PopArgInt(m)); }},
        {"loadmusic", 38,
         [](asmClassEngine&, asmInterpreter& m, int) {
             CurrentAudio().MusicPlayer.Load(PopText(m).c_str(), 0);
         }},
        {"ismusicplaying", 39,
         [](asmClassEngine&, asmInterpreter& m, int) { PushInt(m, CurrentAudio().MusicPlaying.load()); }},
        {"getactmusic", 40,
         [](asmClassEngine&, asmInterpreter& m, int) {
             PushNameOrNull(m, CurrentAudio().MusicPlayer.GetName());
         }},
        {"playmusic", 41,
         [](asmClassEngine&, asmInterpreter& m, int) {
             CurrentAudio().MusicPlayer.Load(PopText(m).c_str(), 0);
             CurrentAudio().MusicPlayer.Play(-1, 0);
         }},
        {"stopmusic", 42, [](asmClassEngine&, asmInterpreter&, int) { CurrentAudio().MusicPlayer.Halt(0); }},
        {"islocalmusic", 43,
         [](asmClassEngine&, asmInterpreter& m, int) { PushInt(m, CurrentAudio().MusicPlayer.GetReload()); }},
        {"getappsize", 44,
         [](asmClassEngine&, asmInterpreter& m, int) {
             PushInt(m, GraphAPI::CurrentVideo().AppWidth);
             PushInt(m, GraphAPI::CurrentVideo().AppHeight);
         }},
        {"getscreenoffset", 45,
         [](asmClassEngine&, asmInterpreter& m, int) {
             PushInt(m, GraphAPI::CurrentVideo().AppOffsetX);
             PushInt(m, GraphAPI::CurrentVideo().AppOffsetY);
         }},
        {"setpath", 46, [](asmClassEngine&, asmInterpreter& m, int) { SetEnginePath(PopText(m).c_str()); }},
        {"isaudio", 47,
         [](asmClassEngine&, asmInterpreter& m, int) { PushInt(m, CurrentAudio().AudioOpen); }},
        {"getxandro", 48, [](asmClassEngine&, asmInterpreter& m, int) { PushInt(m, 0); }},
        {"getdesktopres", 49,
         [](asmClassEngine&, asmInterpreter& m, int) {
             PushInt(m, GraphAPI::CurrentVideo().DesktopWidth);
             PushInt(m, GraphAPI::CurrentVideo().DesktopHeight);
         }},
    };
    static_assert(std::size(kRows) == 50);
    static constexpr UnknownMethod kUnknown{"engine unknown built in method %d\n", OnUnknown::Report};
    static constexpr MethodTable<asmClassEngine> kTable{kRows, kUnknown};
};

template class asmScriptClass<asmClassEngine, asmClassObj>;
