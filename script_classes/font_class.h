// The font script class "font" (type code 18): a TrueType font scripts
// create with "new" and open at a point size; texts take it with their
// "setfont" method. A font that goes away leaves its texts on the default
// font.
#pragma once

#include "graphics/font.h"
#include "script/script_class.h"

class asmClassFont : public asmScriptClass<asmClassFont, ddFont> {
public:
    asmClassFont(asmClass* cls, const char* name);
    ~asmClassFont() override;

    // The script methods' table, in the .cpp (read by asmScriptClass).
    struct ScriptMethods;
};

extern template class asmScriptClass<asmClassFont, ddFont>;
