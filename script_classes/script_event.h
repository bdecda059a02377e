// Raising a script event from an engine object's hook: only an object that
// was given a handler for the event ("addmethod" with the event's name)
// hears it, through its method of that name.
#pragma once

#include "foundation/asm_class_obj.h"
#include "script/interpreter.h"

// Engine hooks (timers, buttons, animations, path finders) are called by
// lower floors that hand no machine over: the event goes to the running one.
inline void RaiseScriptEvent(asmClassObj* object, int event) {
    if (object->HasEvent(event)) object->CallMethod(asmInterpreter::Instance, kEventNames[event]);
}
