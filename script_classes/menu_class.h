// The menu script class "menu" (type code 13): a ddMenu that scripts make
// with "new", open, close, hit-test, move, fill from vector or table files
// and page. It raises no events.
#pragma once

#include "shell/menu.h"

class asmClassMenu : public ddMenu {
public:
    // Registers with the scene as a drawable.
    asmClassMenu(asmClass* cls, const char* name);
    ~asmClassMenu() override = default;

    void CallBuiltIn(asmInterpreter* interp, int index) override;

    static asmClass* Methods;
    static void InitMethods();
    static void FreeMethods();

private:
    // The script methods' table, beside CallBuiltIn in the .cpp.
    struct ScriptMethods;
};

// Registers "menu" with the script machine.
void RegisterMenuScriptClass();
