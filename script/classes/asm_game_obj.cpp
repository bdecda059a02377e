#include "script/classes/asm_game_obj.h"

#include <string>

#include "foundation/fatal.h"
#include "graphics/music.h"
#include "graphics/sound.h"
#include "script/arg_ops.h"
#include "script/classes/object_args.h"
#include "script/interpreter.h"
#include "script/method_table.h"
#include "script/script_objects.h"
#include "script/script_types.h"

asmClass* asmGameObj::Class = nullptr;

namespace {

constexpr const char* kGameMethods[] = {
    "play",        "pause",       "resume",       "exit",       "getgamename",   "setmusicvol",
    "getmusicvol", "playmusic",   "stopmusic",    "stdbkg",     "freestdbkg",    "pausemusic",
    "resumemusic", "ispaused",    "setsndvol",    "getsndvol",  "startmusic",    "endmusic",
    "fadeinmusic", "fadeoutmusic", "loadmusic",   "ismusicplaying", "getnextgame",
};

asmClassObj* NewGameObj(asmClass* cls, const char* name) { return new asmGameObj(cls, name); }
asmClass* GameClass() { return asmGameObj::Class; }

// The hooks call the game's script method of the event's name.
void CallEvent(asmGameObj* game, const char* name) { game->CallMethod(asmInterpreter::Instance, name); }

}  // namespace

asmGameObj::asmGameObj(asmClass* cls, const char* name) {
    SetClass(cls);
    SetName(name);
}

asmGameObj::~asmGameObj() = default;

void asmGameObj::InitMethods() {
    FreeMethods();
    Class = BuildClass(kGameMethods);
}

void asmGameObj::FreeMethods() { FreeClass(Class); }

void asmGameObj::OnMouseMove() { CallEvent(this, "mousemove"); }
void asmGameObj::OnLeftDown() { CallEvent(this, "mouselclick"); }
void asmGameObj::OnRightDown() { CallEvent(this, "mouserclick"); }
void asmGameObj::OnLeftUp() { CallEvent(this, "mouselrel"); }
void asmGameObj::OnRightUp() { CallEvent(this, "mouserrel"); }
void asmGameObj::OnKeyDown() { CallEvent(this, "keydown"); }
void asmGameObj::OnKeyUp() { CallEvent(this, "keyup"); }
void asmGameObj::OnMusicFinished() { CallEvent(this, "onmusicfin"); }
void asmGameObj::OnMouseLeave() { CallEvent(this, "appmouseoff"); }
void asmGameObj::OnMouseEnter() { CallEvent(this, "appmouseon"); }
void asmGameObj::OnActivate() { CallEvent(this, "appactivate"); }
void asmGameObj::OnDeactivate() { CallEvent(this, "appdeactivate"); }
// The game's own start runs only its own "init", never another object's.
void asmGameObj::OnStart() {
    if (asmObjects::Instance) asmObjects::Instance->CallInit(this);
}
void asmGameObj::OnStop() { CallEvent(this, "exit"); }

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
    switch (index) {
    case 0:
        game->Exit(PopText().c_str());
        return;
    case 1:
        game->Pause();
        return;
    case 2:
        game->Resume();
        return;
    case 3:
        game->Exit("exit");
        return;
    case 4:
        PushString(game->GetName() ? game->GetName() : "null");
        return;
    case 5:
        game->SetMusicVolume(PopArgInt());
        return;
    case 6:
        PushInt(MusicPlayer.GetVolume());
        return;
    case 7: {
        std::string file = PopText();
        game->LoadMusic(file.c_str());
        game->PlayMusic();
        return;
    }
    case 8:
        game->StopMusic();
        return;
    case 9:
        game->CreateBackgroundCanvas();
        return;
    case 10:
        game->DeleteBackgroundCanvas();
        return;
    case 11:
        MusicPlayer.Pause();
        return;
    case 12:
        MusicPlayer.Resume();
        return;
    case 13:
        PushInt(game->IsMousePaused());
        return;
    case 14:
        Dzwieki::SetMasterVolume(PopArgInt());
        return;
    case 15:
        PushInt(Dzwieki::GetMasterVolume());
        return;
    case 16:
        MusicPlayer.Play(1, 0);
        return;
    case 17:
        MusicPlayer.Halt(PopArgInt());
        return;
    case 18:
        MusicPlayer.Play(1, PopArgInt());
        return;
    case 19:
        MusicPlayer.FadeOut(PopArgInt());
        return;
    case 20: {
        std::string file = PopText();
        MusicPlayer.Load(file.c_str(), 1);
        return;
    }
    case 21:
        PushInt(MusicPlaying.load());
        return;
    case 22:
        PushString(game->GetNextAction() ? game->GetNextAction() : "exit");
        return;
    default: {
        std::string out = "\nunknown instruction to object game ";
        out += std::to_string(index);
        out += '\n';
        std::fwrite(out.data(), 1, out.size(), stdout);
        return;
    }
    }
}

void RegisterGameScriptClass() {
    RegisterScriptClass({"gameapi", -1, asmGameObj::InitMethods, asmGameObj::FreeMethods, GameClass, NewGameObj});
    SetGameFactory(NewGameObj);
}
