// The text script class "text" (type code 14): a line of text rendered in a
// TrueType font and colour, optionally in a background box, optionally
// editable from the keyboard with a chosen set of allowed characters.
#pragma once

#include <cstdint>

#include "graphics/text.h"

class asmClassText : public ddTekst {
public:
    // Registers with the scene as a drawable and starts with the empty text.
    asmClassText(asmClass* cls, const char* name);
    ~asmClassText() override = default;

    void CallBuiltIn(asmInterpreter* interp, int index) override;

    // The colour "createtxt" stores and "create" renders in; black until the
    // first "createtxt".
    int32_t textR = 0, textG = 0, textB = 0;

    static asmClass* Methods;
    static void InitMethods();
    static void FreeMethods();

private:
    // The script methods' table, beside CallBuiltIn in the .cpp.
    struct ScriptMethods;
};

// Registers "text" with the script machine.
void RegisterTextScriptClass();
