// The font script class "font" (type code 18): a TrueType font scripts
// create with "new" and open at a point size; texts take it with their
// "setfont" method. A font that goes away leaves its texts on the default
// font.
#pragma once

#include "graphics/font.h"

class asmClassFont : public ddFont {
public:
    asmClassFont(asmClass* cls, const char* name);
    ~asmClassFont() override;

    void CallBuiltIn(asmInterpreter* interp, int index) override;

    static asmClass* Methods;
    static void InitMethods();
    static void FreeMethods();

private:
    // The script methods' table, beside CallBuiltIn in the .cpp.
    struct ScriptMethods;
};

// Registers "font" with the script machine.
void RegisterFontScriptClass();
