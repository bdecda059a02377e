// The scripted game: a game kind whose event hooks call the script method
// of the same event on the game object. The built-in object "gameapi" is
// one too; its class holds the methods scripts use to choose the next game,
// pause and resume, and drive the music and the sound volume.
#pragma once

#include "script/script_class.h"
#include "shell/game_api.h"

// The script methods the game's hooks call on the game object, one per
// hook, in the hooks' order.
enum asmGameHook : int {
    HOOK_MOUSEMOVE,
    HOOK_MOUSELCLICK,
    HOOK_MOUSERCLICK,
    HOOK_MOUSELREL,
    HOOK_MOUSERREL,
    HOOK_KEYDOWN,
    HOOK_KEYUP,
    HOOK_ONMUSICFIN,
    HOOK_APPMOUSEOFF,
    HOOK_APPMOUSEON,
    HOOK_APPACTIVATE,
    HOOK_APPDEACTIVATE,
    HOOK_INIT,
    HOOK_EXIT,
    HOOK_COUNT,
};
inline constexpr const char* kGameHookNames[HOOK_COUNT] = {
    "mousemove",  "mouselclick", "mouserclick", "mouselrel",   "mouserrel",     "keydown", "keyup",
    "onmusicfin", "appmouseoff", "appmouseon",  "appactivate", "appdeactivate", "init",    "exit",
};

class asmGameObj : public asmScriptClass<asmGameObj, GameAPI> {
public:
    asmGameObj(asmClass* cls, const char* name);
    ~asmGameObj() override;

    // Works on the running game, whichever object it was called on.
    void CallBuiltIn(asmInterpreter* interp, int index) override;

    void OnMouseMove() override;
    void OnLeftDown() override;
    void OnRightDown() override;
    void OnLeftUp() override;
    void OnRightUp() override;
    void OnKeyDown() override;
    void OnKeyUp() override;
    void OnMusicFinished() override;
    void OnMouseLeave() override;
    void OnMouseEnter() override;
    void OnActivate() override;
    void OnDeactivate() override;
    void OnStart() override;
    void OnStop() override;

    // The script methods' table, in the .cpp (read by asmScriptClass).
    struct ScriptMethods;
};

extern template class asmScriptClass<asmGameObj, GameAPI>;
