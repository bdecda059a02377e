// The path finder script class "path" (type code 16): scripts build or copy
// a walk-path graph, link an animation and send it to points, and hear
// "onvisit" at every vertex reached and "onfinish" when a walk or turn ends.
#pragma once

#include "paths/path_finder.h"

class asmClassPath : public ddPathFinder {
public:
    // Registers with the scene as a drawable.
    asmClassPath(asmClass* cls, const char* name);
    ~asmClassPath() override = default;

    void CallBuiltIn(asmInterpreter* interp, int index) override;
    void OnFinish() override;
    void OnVisit() override;

    static asmClass* Methods;
    static void InitMethods();
    static void FreeMethods();

private:
    // The script methods' table, beside CallBuiltIn in the .cpp.
    struct ScriptMethods;
};

// Registers "path" with the script machine.
void RegisterPathScriptClass();
