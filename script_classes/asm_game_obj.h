// The scripted game: a game kind whose event hooks call the script method
// of the same event on the game object. The built-in object "gameapi" is
// one too; its class holds the methods scripts use to choose the next game,
// pause and resume, and drive the music and the sound volume.
#pragma once

#include "script/script_class.h"
#include "shell/game_api.h"

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
