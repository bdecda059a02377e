// The filter's script class "filter" (type code 19): the filter of
// graphics/filter.h as scripts make it with "new", link to a visible object,
// rotate, zoom, blend and fade.
#pragma once

#include "graphics/filter.h"
#include "script/script_class.h"

class asmClassFilter : public asmScriptClass<asmClassFilter, ddFilter> {
public:
    asmClassFilter(asmClass* cls, const char* name);
    ~asmClassFilter() override;

    // Brings the output up to date with the linked object, then runs the
    // method.
    void CallBuiltIn(asmInterpreter* interp, int index) override;

    // The script methods' table, in the .cpp (read by asmScriptClass).
    struct ScriptMethods;
};

extern template class asmScriptClass<asmClassFilter, ddFilter>;
