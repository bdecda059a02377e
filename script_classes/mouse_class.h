// The mouse script class: the one object "mouse" through which scripts read
// and move the mouse and steer the software cursor, the system cursor and
// the buttons' hover cursor.
#pragma once

#include "foundation/asm_class_obj.h"

class ddMouse;

class asmClassMouse : public asmClassObj {
public:
    asmClassMouse(asmClass* cls, const char* name);
    ~asmClassMouse() override;

    void CallBuiltIn(asmInterpreter* interp, int index) override;

    // The engine's mouse object. Read at each call, because every new scene
    // replaces it; null while there is none.
    static ddMouse* Mouse();

    static asmClass* Methods;
    static void InitMethods();
    static void FreeMethods();

private:
    // The script methods' table, beside CallBuiltIn in the .cpp.
    struct ScriptMethods;
};

// Registers "mouse" (the object the machine creates at set-up).
void RegisterMouseScriptClass();
