// The button script class "button" (type code 17): a ddButton that scripts
// make with "new", give pictures or a rectangle, and that raises "onclick",
// "onrel", "onmoveon" and "onmoveoff" into the script methods added under
// those names.
#pragma once

#include "shell/button.h"

class asmClassButton : public ddButton {
public:
    // Registers with the scene's button list.
    asmClassButton(asmClass* cls, const char* name);
    ~asmClassButton() override = default;

    void CallBuiltIn(asmInterpreter* interp, int index) override;

    void OnMoveOn() override;
    void OnMoveOff() override;
    void OnClick() override;
    void OnRelease() override;

    static asmClass* Methods;
    static void InitMethods();
    static void FreeMethods();

private:
    // The script methods' table, beside CallBuiltIn in the .cpp.
    struct ScriptMethods;
};

// Registers "button" with the script machine.
void RegisterButtonScriptClass();
