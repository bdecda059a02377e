// The timer script class "timer" (type code 10): a timer scripts create with
// "new", give an interval in milliseconds or frames and a repeat count,
// and start, pause, resume and stop. It raises "onstart" when started,
// "ontick" on each expiry but the last, and "onfinish" when it finishes.
#pragma once

#include "graphics/timer.h"
#include "script/script_class.h"

class asmClassTimer : public asmScriptClass<asmClassTimer, ddTimery> {
public:
    // Registers with the scene's timers.
    asmClassTimer(asmClass* cls, const char* name);
    ~asmClassTimer() override = default;

    void OnFinish() override;
    void OnStart() override;
    void OnTick() override;

    // The script methods' table, in the .cpp (read by asmScriptClass).
    struct ScriptMethods;
};

extern template class asmScriptClass<asmClassTimer, ddTimery>;
