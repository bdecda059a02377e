// The engine script class: the one object "engine" through which scripts
// reach engine-wide services (frame delay, volumes, music, screen mode and
// sizes, immediate redraws, the drawing order, the button cursor, files and
// folders, a shell command, web links, the debug level, the clock).
#pragma once

#include "foundation/asm_class_obj.h"
#include "script/script_class.h"

class asmClassEngine : public asmScriptClass<asmClassEngine, asmClassObj> {
public:
    asmClassEngine(asmClass* cls, const char* name);
    ~asmClassEngine() override;

    // The script methods' table, in the .cpp (read by asmScriptClass).
    struct ScriptMethods;
};

extern template class asmScriptClass<asmClassEngine, asmClassObj>;

// "mkdir" and "chdir" as the script sees them: 0 created, 1 already there,
// -1 any other failure; 0 changed, -1 failed.
int MakeFolder(const char* path);
int ChangeFolder(const char* path);
// LoopDelay for a frame rate, or -1 when the rate is not above 0.
int DelayForFps(double fps);
