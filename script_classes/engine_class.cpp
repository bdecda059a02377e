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
#include "script/script_types.h"
#include "script_classes/object_args.h"
#include "shell/button.h"
#include "shell/engine_path.h"

asmClass* asmClassEngine::Methods = nullptr;

namespace {

asmClassObj* NewEngine(asmClass* cls, const char* name) { return new asmClassEngine(cls, name); }
asmClass* EngineClass() { return asmClassEngine::Methods; }

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

asmClassEngine::asmClassEngine(asmClass* cls, const char* name) : asmClassObj(cls) { SetName(name); }

asmClassEngine::~asmClassEngine() = default;

// The script methods: each name with its built-in index and handler.
struct asmClassEngine::ScriptMethods {
    static constexpr MethodRow<asmClassEngine> kRows[] = {
        {"getimg", 0,
         [](asmClassEngine&, asmInterpreter*, int) {
             int hi = PopArgInt();
             int lo = PopArgInt();
             int q = PopArgInt();
             int p = PopArgInt();
             int y = PopArgInt();
             int x = PopArgInt();
             Obraz* found = CurrentScene().FindTopmostAt(x, y, p != 0, q != 0, lo, hi);
             PushNameOrNull(found ? found->GetName() : nullptr);
         }},
        {"removeimg", 1,
         [](asmClassEngine&, asmInterpreter*, int) {
             if (Obraz* picture = PopObject<Obraz>()) CurrentStage().RemoveDrawable(picture);
             SetRedraw();
         }},
        {"removesnd", 2, [](asmClassEngine&, asmInterpreter*, int) {}},
        {"print", 3, [](asmClassEngine&, asmInterpreter*, int) { PopText(); }},
        {"refresh", 4, [](asmClassEngine&, asmInterpreter*, int) { SetRedraw(); }},
        {"sortimages", 5, [](asmClassEngine&, asmInterpreter*, int) { CurrentScene().Sort(); }},
        {"stdbutcursor", 6,
         [](asmClassEngine&, asmInterpreter*, int) {
             if (Obraz* picture = PopVisibleObject(true)) CreateSharedImage(picture);
         }},
        {"actclassname", 7,
         [](asmClassEngine&, asmInterpreter* m, int) {
             PushNameOrNull(m && m->currentObject ? m->currentObject->GetName() : nullptr);
         }},
        {"varexist", 8,
         [](asmClassEngine&, asmInterpreter* m, int) {
             std::string name = PopText();
             asmObjectModel* model = m ? m->GetObjectModel() : nullptr;
             PushInt(model && model->LookupVar(name.c_str()) ? 1 : 0);
         }},
        {"setdebugstate", 9, [](asmClassEngine&, asmInterpreter* m, int) { m->debugLevel = PopArgInt(); }},
        {"getticks", 10,
         [](asmClassEngine&, asmInterpreter*, int) { PushInt(static_cast<int>(ClockTicks())); }},
        {"fileexist", 11,
         [](asmClassEngine&, asmInterpreter*, int) { PushInt(FileExists(PopText().c_str()) ? 1 : 0); }},
        {"printtypes", 12,
         [](asmClassEngine&, asmInterpreter* m, int) {
             if (m && m->typeMap) {
                 std::fflush(stdout);
                 ddTrie<asmClass>::Dump(m->typeMap);
                 std::fflush(stdout);
             }
         }},
        {"redraw", 13, [](asmClassEngine&, asmInterpreter*, int) { RedrawNow(true); }},
        {"redrawnoblit", 14, [](asmClassEngine&, asmInterpreter*, int) { RedrawNow(false); }},
        {"getstack", 15, [](asmClassEngine&, asmInterpreter* m, int) { PushInt(m ? m->sp : -1); }},
        {"getspecialpath", 16,
         [](asmClassEngine&, asmInterpreter*, int) {
             std::string kind = PopText();
             std::string folder = kind == "appdata" ? UserDataFolder() : std::string();
             PushNameOrNull(folder.c_str());
         }},
        {"mkdir", 17, [](asmClassEngine&, asmInterpreter*, int) { PushInt(MakeFolder(PopText().c_str())); }},
        {"chdir", 18,
         [](asmClassEngine&, asmInterpreter*, int) { PushInt(ChangeFolder(PopText().c_str())); }},
        {"getscreenres", 19,
         [](asmClassEngine&, asmInterpreter*, int) {
             PushInt(GraphAPI::CurrentVideo().ScreenWidth);
             PushInt(GraphAPI::CurrentVideo().ScreenHeight);
         }},
        {"setsndvol", 20,
         [](asmClassEngine&, asmInterpreter*, int) {
             int volume = PopArgInt();
             CurrentScene().SetVolume(volume);
         }},
        {"setfullscreen", 21,
         [](asmClassEngine&, asmInterpreter*, int) {
             GraphAPI::SetFullscreen(PopArgInt());
             SetRedraw();
         }},
        {"getscreensize", 22,
         [](asmClassEngine&, asmInterpreter*, int) {
             PushInt(MinInt(GraphAPI::CurrentVideo().ScaledWidth, GraphAPI::CurrentVideo().AppWidth));
             PushInt(MinInt(GraphAPI::CurrentVideo().ScaledHeight, GraphAPI::CurrentVideo().AppHeight));
         }},
        {"setscreensize", 23,
         [](asmClassEngine&, asmInterpreter*, int) {
             int h = PopArgInt();
             int w = PopArgInt();
             GraphAPI::SetScaledSize(w, h);
         }},
        {"getscreenscale", 24,
         [](asmClassEngine&, asmInterpreter*, int) {
             PushReal(GraphAPI::CurrentVideo().ScreenScaleX);
             PushReal(GraphAPI::CurrentVideo().ScreenScaleY);
         }},
        {"setvideomode", 25, [](asmClassEngine&, asmInterpreter*, int) {}},
        {"setloopdelay", 26,
         [](asmClassEngine&, asmInterpreter*, int) { CurrentScene().Flags().LoopDelay = PopArgInt(); }},
        {"getloopdelay", 27,
         [](asmClassEngine&, asmInterpreter*, int) { PushInt(CurrentScene().Flags().LoopDelay); }},
        {"setfps", 28,
         [](asmClassEngine&, asmInterpreter*, int) {
             if (int delay = DelayForFps(PopArgReal()); delay >= 0) CurrentScene().Flags().LoopDelay = delay;
         }},
        {"system", 29,
         [](asmClassEngine&, asmInterpreter*, int) {
             std::string command = PopText();
             std::fflush(stdout);
             [[maybe_unused]] int status = std::system(command.c_str());
         }},
        {"linkwww", 30, [](asmClassEngine&, asmInterpreter*, int) { OpenLink(PopText().c_str()); }},
        {"getsavepath", 31, [](asmClassEngine&, asmInterpreter*, int) { PushString("saves/"); }},
        {"setmusicvol", 32,
         [](asmClassEngine&, asmInterpreter*, int) { CurrentAudio().MusicPlayer.SetVolume(PopArgInt()); }},
        {"getmusicvol", 33,
         [](asmClassEngine&, asmInterpreter*, int) { PushInt(CurrentAudio().MusicPlayer.GetVolume()); }},
        {"startmusic", 34,
         [](asmClassEngine&, asmInterpreter*, int) { CurrentAudio().MusicPlayer.Play(1, 0); }},
        {"endmusic", 35,
         [](asmClassEngine&, asmInterpreter*, int) { CurrentAudio().MusicPlayer.Halt(PopArgInt()); }},
        {"fadeinmusic", 36,
         [](asmClassEngine&, asmInterpreter*, int) { CurrentAudio().MusicPlayer.Play(1, PopArgInt()); }},
        {"fadeoutmusic", 37,
         [](asmClassEngine&, asmInterpreter*, int) { CurrentAudio().MusicPlayer.FadeOut(PopArgInt()); }},
        {"loadmusic", 38,
         [](asmClassEngine&, asmInterpreter*, int) {
             CurrentAudio().MusicPlayer.Load(PopText().c_str(), 0);
         }},
        {"ismusicplaying", 39,
         [](asmClassEngine&, asmInterpreter*, int) { PushInt(CurrentAudio().MusicPlaying.load()); }},
        {"getactmusic", 40,
         [](asmClassEngine&, asmInterpreter*, int) { PushNameOrNull(CurrentAudio().MusicPlayer.GetName()); }},
        {"playmusic", 41,
         [](asmClassEngine&, asmInterpreter*, int) {
             CurrentAudio().MusicPlayer.Load(PopText().c_str(), 0);
             CurrentAudio().MusicPlayer.Play(-1, 0);
         }},
        {"stopmusic", 42, [](asmClassEngine&, asmInterpreter*, int) { CurrentAudio().MusicPlayer.Halt(0); }},
        {"islocalmusic", 43,
         [](asmClassEngine&, asmInterpreter*, int) { PushInt(CurrentAudio().MusicPlayer.GetReload()); }},
        {"getappsize", 44,
         [](asmClassEngine&, asmInterpreter*, int) {
             PushInt(GraphAPI::CurrentVideo().AppWidth);
             PushInt(GraphAPI::CurrentVideo().AppHeight);
         }},
        {"getscreenoffset", 45,
         [](asmClassEngine&, asmInterpreter*, int) {
             PushInt(GraphAPI::CurrentVideo().AppOffsetX);
             PushInt(GraphAPI::CurrentVideo().AppOffsetY);
         }},
        {"setpath", 46, [](asmClassEngine&, asmInterpreter*, int) { SetEnginePath(PopText().c_str()); }},
        {"isaudio", 47, [](asmClassEngine&, asmInterpreter*, int) { PushInt(CurrentAudio().AudioOpen); }},
        {"getxandro", 48, [](asmClassEngine&, asmInterpreter*, int) { PushInt(0); }},
        {"getdesktopres", 49,
         [](asmClassEngine&, asmInterpreter*, int) {
             PushInt(GraphAPI::CurrentVideo().DesktopWidth);
             PushInt(GraphAPI::CurrentVideo().DesktopHeight);
         }},
    };
    static_assert(std::size(kRows) == 50);
    static void Unknown(int index) {
        std::string line = "engine unknown built in method " + std::to_string(index) + "\n";
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
    static constexpr MethodTable<asmClassEngine> kTable{kRows, Unknown};
};

void asmClassEngine::InitMethods() {
    FreeMethods();
    Methods = ScriptMethods::kTable.BuildClass();
}

void asmClassEngine::FreeMethods() { FreeClass(Methods); }

void asmClassEngine::CallBuiltIn(asmInterpreter* interp, int index) {
    asmInterpreter* m = interp ? interp : asmInterpreter::Instance;
    ScriptMethods::kTable.Run(*this, m, index);
}

void RegisterEngineScriptClass() {
    RegisterScriptClass(
        {"engine", -1, asmClassEngine::InitMethods, asmClassEngine::FreeMethods, EngineClass, NewEngine});
}
