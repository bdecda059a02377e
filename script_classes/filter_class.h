// The filter's script class "filter" (type code 19): the filter of
// graphics/filter.h as scripts make it with "new", link to a visible object,
// rotate, zoom, blend and fade.
#pragma once

#include "graphics/filter.h"

class asmClassFilter : public ddFilter {
public:
    asmClassFilter(asmClass* cls, const char* name);
    ~asmClassFilter() override;

    // Brings the output up to date with the linked object, then runs the
    // method.
    void CallBuiltIn(asmInterpreter* interp, int index) override;

    static asmClass* Class;
    static void InitMethods();
    static void FreeMethods();

private:
    // The script methods' table, beside CallBuiltIn in the .cpp.
    struct ScriptMethods;
};

// Registers "filter" with the script machine.
void RegisterFilterScriptClass();
