#include "script_classes/asm_game_obj.h"

#include <string>

#include "audio/audio_state.h"
#include "audio/sound.h"
#include "foundation/fatal.h"
#include "script/arg_ops.h"
#include "script/interpreter.h"
#include "script/method_table.h"
#include "script/script_objects.h"
#include "script_classes/object_args.h"

namespace {

// The hooks call the game's script method of the hook's name. The game
// loop calls them without a machine to hand over: the running one is meant.
void CallHook(asmGameObj* game, asmGameHook hook) {
    game->CallMethod(asmInterpreter::Instance, kGameHookNames[hook]);
}

}  // namespace

asmGameObj::asmGameObj(asmClass* cls, const char* name) {
    SetClass(cls);
    SetName(name);
}

asmGameObj::~asmGameObj() = default;

void asmGameObj::OnMouseMove() { CallHook(this, HOOK_MOUSEMOVE); }
void asmGameObj::OnLeftDown() { CallHook(this, HOOK_MOUSELCLICK); }
void asmGameObj::OnRightDown() { CallHook(this, HOOK_MOUSERCLICK); }
void asmGameObj::OnLeftUp() { CallHook(this, HOOK_MOUSELREL); }
void asmGameObj::OnRightUp() { CallHook(this, HOOK_MOUSERREL); }
void asmGameObj::OnKeyDown() { CallHook(this, HOOK_KEYDOWN); }
void asmGameObj::OnKeyUp() { CallHook(this, HOOK_KEYUP); }
void asmGameObj::OnMusicFinished() { CallHook(this, HOOK_ONMUSICFIN); }
void asmGameObj::OnMouseLeave() { CallHook(this, HOOK_APPMOUSEOFF); }
void asmGameObj::OnMouseEnter() { CallHook(this, HOOK_APPMOUSEON); }
void asmGameObj::OnActivate() { CallHook(this, HOOK_APPACTIVATE); }
void asmGameObj::OnDeactivate() { CallHook(this, HOOK_APPDEACTIVATE); }
// The game's own start runs only its own "init" (HOOK_INIT), never another
// object's (on the running object layer: the game loop hands no machine over).
void asmGameObj::OnStart() {
    if (asmObjects::Instance) asmObjects::Instance->CallInit(this);
}
void asmGameObj::OnStop() { CallHook(this, HOOK_EXIT); }

// The script methods: each name with its built-in index and handler.
struct asmGameObj::ScriptMethods {
    static constexpr MethodRow<asmGameObj> kRows[] = {
        {"play", 0, [](asmGameObj& game, asmInterpreter& m, int) { game.Exit(PopText(m).c_str()); }},
        {"pause", 1, [](asmGameObj& game, asmInterpreter&, int) { game.Pause(); }},
        {"resume", 2, [](asmGameObj& game, asmInterpreter&, int) { game.Resume(); }},
        {"exit", 3, [](asmGameObj& game, asmInterpreter&, int) { game.Exit("exit"); }},
        {"getgamename", 4,
         [](asmGameObj& game, asmInterpreter& m, int) {
             PushString(m, game.GetName() ? game.GetName() : "null");
         }},
        {"setmusicvol", 5,
         [](asmGameObj& game, asmInterpreter& m, int) { game.SetMusicVolume(PopArgInt(m)); }},
        {"getmusicvol", 6,
         [](asmGameObj&, asmInterpreter& m, int) { PushInt(m, CurrentAudio().MusicPlayer.GetVolume()); }},
        {"playmusic", 7,
         [](asmGameObj& game, asmInterpreter& m, int) {
             std::string file = PopText(m);
             game.LoadMusic(file.c_str());
             game.PlayMusic();
         }},
        {"stopmusic", 8, [](asmGameObj& game, asmInterpreter&, int) { game.StopMusic(); }},
        {"stdbkg", 9, [](asmGameObj& game, asmInterpreter&, int) { game.CreateBackgroundCanvas(); }},
        {"freestdbkg", 10, [](asmGameObj& game, asmInterpreter&, int) { game.DeleteBackgroundCanvas(); }},
        {"pausemusic", 11, [](asmGameObj&, asmInterpreter&, int) { CurrentAudio().MusicPlayer.Pause(); }},
        {"resumemusic", 12, [](asmGameObj&, asmInterpreter&, int) { CurrentAudio().MusicPlayer.Resume(); }},
        {"ispaused", 13, [](asmGameObj& game, asmInterpreter& m, int) { PushInt(m, game.IsMousePaused()); }},
        {"setsndvol", 14,
         [](asmGameObj&, asmInterpreter& m, int) { Dzwieki::SetMasterVolume(PopArgInt(m)); }},
        {"getsndvol", 15,
         [](asmGameObj&, asmInterpreter& m, int) { PushInt(m, Dzwieki::GetMasterVolume()); }},
        {"startmusic", 16, [](asmGameObj&, asmInterpreter&, int) { CurrentAudio().MusicPlayer.Play(1, 0); }},
        {"endmusic", 17,
         [](asmGameObj&, asmInterpreter& m, int) { CurrentAudio().MusicPlayer.Halt(PopArgInt(m)); }},
        {"fadeinmusic", 18,
         [](asmGameObj&, asmInterpreter& m, int) { CurrentAudio().MusicPlayer.Play(1, PopArgInt(m)); }},
        {"fadeoutmusic", 19,
         [](asmGameObj&, asmInterpreter& m, int) { CurrentAudio().MusicPlayer.FadeOut(PopArgInt(m)); }},
        {"loadmusic", 20,
         [](asmGameObj&, asmInterpreter& m, int) {
             std::string file = PopText(m);
             CurrentAudio().MusicPlayer.Load(file.c_str(), 1);
         }},
        {"ismusicplaying", 21,
         [](asmGameObj&, asmInterpreter& m, int) { PushInt(m, CurrentAudio().MusicPlaying.load()); }},
        {"getnextgame", 22,
         [](asmGameObj& game, asmInterpreter& m, int) {
             PushString(m, game.GetNextAction() ? game.GetNextAction() : "exit");
         }},
    };
    static constexpr UnknownMethod kUnknown{"\nunknown instruction to object game %d\n", OnUnknown::Report};
    static constexpr MethodTable<asmGameObj> kTable{kRows, kUnknown};
};

template class asmScriptClass<asmGameObj, GameAPI>;

void asmGameObj::CallBuiltIn(asmInterpreter* interp, int index) {
    auto* game = dynamic_cast<asmGameObj*>(interp->currentGame);
    if (!game) {
        if (index == 0) {
            // During loading "play" only names the first game.
            std::string name = PopText(*interp);
            if (asmObjects* objects = asmObjects::Of(*interp)) objects->nextGame = name.c_str();
            return;
        }
        FatalExit("\ncall game method not within game!\n", 1);
    }
    ScriptMethods::kTable.Run(*game, interp, index);
}
