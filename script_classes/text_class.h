// The text script class "text" (type code 14): a line of text rendered in a
// TrueType font and colour, optionally in a background box, optionally
// editable from the keyboard with a chosen set of allowed characters.
#pragma once

#include <cstdint>

#include "graphics/text.h"
#include "script/script_class.h"

class asmClassText : public asmScriptClass<asmClassText, ddTekst> {
public:
    // Registers with the scene as a drawable and starts with the empty text.
    asmClassText(asmClass* cls, const char* name);
    ~asmClassText() override = default;

    // The colour "createtxt" stores and "create" renders in; black until the
    // first "createtxt".
    int32_t textR = 0, textG = 0, textB = 0;

    // The script methods' table, in the .cpp (read by asmScriptClass).
    struct ScriptMethods;
};

extern template class asmScriptClass<asmClassText, ddTekst>;
