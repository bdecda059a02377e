#include "script_classes/asm_game_obj.h"

#include <string>

#include "audio/audio_state.h"
#include "audio/sound.h"
#include "foundation/fatal.h"
#include "script/arg_ops.h"
#include "script/interpreter.h"
#include "script/method_table.h"
#include "script/script_objects.h"
#include "script/script_types.h"
#include "script_classes/object_args.h"

asmClass* asmGameObj::Class = nullptr;

namespace {

asmClassObj* NewGameObj(asmClass* cls, const char* name) { return new asmGameObj(cls, name); }
asmClass* GameClass() { return asmGameObj::Class; }

// The hooks call the game's script method of the hook's name.
void CallHook(asmGameObj* game, asmGameHook hook) {
    game->CallMethod(asmInterpreter::Instance, kGameHookNames[hook]);
}

}  // namespace

asmGameObj::asmGameObj(asmClass* cls, const char* name) {
    SetClass(cls);
    SetName(name);
}

asmGameObj::~asmGameObj() = default;

void asmGameObj::OnMouseMove(const InputEvent&) { CallHook(this, HOOK_MOUSEMOVE); }
void asmGameObj::OnLeftDown(const InputEvent&) { CallHook(this, HOOK_MOUSELCLICK); }
void asmGameObj::OnRightDown(const InputEvent&) { CallHook(this, HOOK_MOUSERCLICK); }
void asmGameObj::OnLeftUp(const InputEvent&) { CallHook(this, HOOK_MOUSELREL); }
void asmGameObj::OnRightUp(const InputEvent&) { CallHook(this, HOOK_MOUSERREL); }
void asmGameObj::OnKeyDown(const InputEvent&) { CallHook(this, HOOK_KEYDOWN); }
void asmGameObj::OnKeyUp(const InputEvent&) { CallHook(this, HOOK_KEYUP); }
void asmGameObj::OnMusicFinished() { CallHook(this, HOOK_ONMUSICFIN); }
void asmGameObj::OnMouseLeave() { CallHook(this, HOOK_APPMOUSEOFF); }
void asmGameObj::OnMouseEnter() { CallHook(this, HOOK_APPMOUSEON); }
void asmGameObj::OnActivate() { CallHook(this, HOOK_APPACTIVATE); }
void asmGameObj::OnDeactivate() { CallHook(this, HOOK_APPDEACTIVATE); }
// The game's own start runs only its own "init" (HOOK_INIT), never another
// object's.
void asmGameObj::OnStart() {
    if (asmObjects::Instance) asmObjects::Instance->CallInit(this);
}
void asmGameObj::OnStop() { CallHook(this, HOOK_EXIT); }

// The script methods: each name with its built-in index and handler.
struct asmGameObj::ScriptMethods {
    static constexpr MethodRow<asmGameObj> kRows[] = {
        {"play", 0, [](asmGameObj& game, asmInterpreter*, int) { game.Exit(PopText().c_str()); }},
        {"pause", 1, [](asmGameObj& game, asmInterpreter*, int) { game.Pause(); }},
        {"resume", 2, [](asmGameObj& game, asmInterpreter*, int) { game.Resume(); }},
        {"exit", 3, [](asmGameObj& game, asmInterpreter*, int) { game.Exit("exit"); }},
        {"getgamename", 4,
         [](asmGameObj& game, asmInterpreter*, int) {
             PushString(game.GetName() ? game.GetName() : "null");
         }},
        {"setmusicvol", 5, [](asmGameObj& game, asmInterpreter*, int) { game.SetMusicVolume(PopArgInt()); }},
        {"getmusicvol", 6,
         [](asmGameObj&, asmInterpreter*, int) { PushInt(CurrentAudio().MusicPlayer.GetVolume()); }},
        {"playmusic", 7,
         [](asmGameObj& game, asmInterpreter*, int) {
             std::string file = PopText();
             game.LoadMusic(file.c_str());
             game.PlayMusic();
         }},
        {"stopmusic", 8, [](asmGameObj& game, asmInterpreter*, int) { game.StopMusic(); }},
        {"stdbkg", 9, [](asmGameObj& game, asmInterpreter*, int) { game.CreateBackgroundCanvas(); }},
        {"freestdbkg", 10, [](asmGameObj& game, asmInterpreter*, int) { game.DeleteBackgroundCanvas(); }},
        {"pausemusic", 11, [](asmGameObj&, asmInterpreter*, int) { CurrentAudio().MusicPlayer.Pause(); }},
        {"resumemusic", 12, [](asmGameObj&, asmInterpreter*, int) { CurrentAudio().MusicPlayer.Resume(); }},
        {"ispaused", 13, [](asmGameObj& game, asmInterpreter*, int) { PushInt(game.IsMousePaused()); }},
        {"setsndvol", 14, [](asmGameObj&, asmInterpreter*, int) { Dzwieki::SetMasterVolume(PopArgInt()); }},
        {"getsndvol", 15, [](asmGameObj&, asmInterpreter*, int) { PushInt(Dzwieki::GetMasterVolume()); }},
        {"startmusic", 16, [](asmGameObj&, asmInterpreter*, int) { CurrentAudio().MusicPlayer.Play(1, 0); }},
        {"endmusic", 17,
         [](asmGameObj&, asmInterpreter*, int) { CurrentAudio().MusicPlayer.Halt(PopArgInt()); }},
        {"fadeinmusic", 18,
         [](asmGameObj&, asmInterpreter*, int) { CurrentAudio().MusicPlayer.Play(1, PopArgInt()); }},
        {"fadeoutmusic", 19,
         [](asmGameObj&, asmInterpreter*, int) { CurrentAudio().MusicPlayer.FadeOut(PopArgInt()); }},
        {"loadmusic", 20,
         [](asmGameObj&, asmInterpreter*, int) {
             std::string file = PopText();
             CurrentAudio().MusicPlayer.Load(file.c_str(), 1);
         }},
        {"ismusicplaying", 21,
         [](asmGameObj&, asmInterpreter*, int) { PushInt(CurrentAudio().MusicPlaying.load()); }},
        {"getnextgame", 22,
         [](asmGameObj& game, asmInterpreter*, int) {
             PushString(game.GetNextAction() ? game.GetNextAction() : "exit");
         }},
    };
    static void Unknown(int index) {
        std::string out = "\nunknown instruction to object game ";
        out += std::to_string(index);
        out += '\n';
        std::fwrite(out.data(), 1, out.size(), stdout);
    }
    static constexpr MethodTable<asmGameObj> kTable{kRows, Unknown};
};

void asmGameObj::InitMethods() {
    FreeMethods();
    Class = ScriptMethods::kTable.BuildClass();
}

void asmGameObj::FreeMethods() { FreeClass(Class); }

void asmGameObj::CallBuiltIn(asmInterpreter* interp, int index) {
    if (!interp) interp = asmInterpreter::Instance;
    auto* game = interp ? dynamic_cast<asmGameObj*>(interp->currentGame) : nullptr;
    if (!game) {
        if (index == 0) {
            // During loading "play" only names the first game.
            std::string name = PopText();
            if (asmObjects::Instance) asmObjects::Instance->nextGame = name.c_str();
            return;
        }
        FatalExit("\ncall game method not within game!\n", 1);
    }
    ScriptMethods::kTable.Run(*game, interp, index);
}

void RegisterGameScriptClass() {
    RegisterScriptClass(
        {"gameapi", -1, asmGameObj::InitMethods, asmGameObj::FreeMethods, GameClass, NewGameObj});
    SetGameFactory(NewGameObj);
}
