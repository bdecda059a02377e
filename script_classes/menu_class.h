// The menu script class "menu" (type code 13): a ddMenu that scripts make
// with "new", open, close, hit-test, move, fill from vector or table files
// and page. It raises no events.
#pragma once

#include "script/script_class.h"
#include "shell/menu.h"

class asmClassMenu : public asmScriptClass<asmClassMenu, ddMenu> {
public:
    // Registers with the scene as a drawable.
    asmClassMenu(asmClass* cls, const char* name);
    ~asmClassMenu() override = default;

    // The script methods' table, in the .cpp (read by asmScriptClass).
    struct ScriptMethods;
};

extern template class asmScriptClass<asmClassMenu, ddMenu>;
