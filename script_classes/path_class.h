// The path finder script class "path" (type code 16): scripts build or copy
// a walk-path graph, link an animation and send it to points, and hear
// "onvisit" at every vertex reached and "onfinish" when a walk or turn ends.
#pragma once

#include "paths/path_finder.h"
#include "script/script_class.h"

class asmClassPath : public asmScriptClass<asmClassPath, ddPathFinder> {
public:
    // Registers with the scene as a drawable.
    asmClassPath(asmClass* cls, const char* name);
    ~asmClassPath() override = default;

    void OnFinish() override;
    void OnVisit() override;

    // The script methods' table, in the .cpp (read by asmScriptClass).
    struct ScriptMethods;
};

extern template class asmScriptClass<asmClassPath, ddPathFinder>;
