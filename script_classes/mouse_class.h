// The mouse script class: the one object "mouse" through which scripts read
// and move the mouse and steer the software cursor, the system cursor and
// the buttons' hover cursor.
#pragma once

#include "foundation/asm_class_obj.h"
#include "script/script_class.h"

class ddMouse;

class asmClassMouse : public asmScriptClass<asmClassMouse, asmClassObj> {
public:
    asmClassMouse(asmClass* cls, const char* name);
    ~asmClassMouse() override;

    // The engine's mouse object. Read at each call, because every new scene
    // replaces it; null while there is none.
    static ddMouse* Mouse();

    // The script methods' table, in the .cpp (read by asmScriptClass).
    struct ScriptMethods;
};

extern template class asmScriptClass<asmClassMouse, asmClassObj>;
