// The timer script class "timer" (type code 10): a timer scripts create with
// "new", give an interval in milliseconds or frames and a repeat count,
// and start, pause, resume and stop. It raises "onstart" when started,
// "ontick" on each expiry but the last, and "onfinish" when it finishes.
#pragma once

#include "graphics/timer.h"

class asmClassTimer : public ddTimery {
public:
    // Registers with the scene's timers.
    asmClassTimer(asmClass* cls, const char* name);
    ~asmClassTimer() override = default;

    void CallBuiltIn(asmInterpreter* interp, int index) override;
    void OnFinish() override;
    void OnStart() override;
    void OnTick() override;

    static asmClass* Methods;
    static void InitMethods();
    static void FreeMethods();

private:
    // The script methods' table, beside CallBuiltIn in the .cpp.
    struct ScriptMethods;
};

// Registers "timer" with the script machine.
void RegisterTimerScriptClass();
