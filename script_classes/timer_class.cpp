#include "script_classes/timer_class.h"

#include <string>

#include "scene/scene.h"
#include "script/arg_ops.h"
#include "script/method_table.h"
#include "script_classes/script_event.h"

asmClassTimer::asmClassTimer(asmClass* cls, const char* name) : asmScriptClass(cls) {
    CurrentStage().AddTimer(this);
    if (name) SetName(name);
}

void asmClassTimer::OnFinish() { RaiseScriptEvent(this, EV_ONFINISH); }
void asmClassTimer::OnStart() { RaiseScriptEvent(this, EV_ONSTART); }
void asmClassTimer::OnTick() { RaiseScriptEvent(this, EV_ONTICK); }

// The script methods: each name with its built-in index and handler.
// 11 names for 10 methods.
struct asmClassTimer::ScriptMethods {
    static void SetDelay(asmClassTimer& self, asmInterpreter& m, int) { self.SetInterval(PopArgInt(m)); }
    static constexpr MethodRow<asmClassTimer> kRows[] = {
        {"delay", 0, SetDelay},
        {"setdelay", 0, SetDelay},
        {"isplaying", 1,
         [](asmClassTimer& self, asmInterpreter& m, int) { PushInt(m, self.IsRunning() ? 1 : 0); }},
        {"pause", 2, [](asmClassTimer& self, asmInterpreter&, int) { self.Pause(); }},
        {"play", 3, [](asmClassTimer& self, asmInterpreter&, int) { self.Start(); }},
        {"resume", 4, [](asmClassTimer& self, asmInterpreter&, int) { self.Resume(); }},
        {"settick", 5,
         [](asmClassTimer& self, asmInterpreter& m, int) { self.SetRepeatCount(PopArgInt(m)); }},
        {"stop", 6, [](asmClassTimer& self, asmInterpreter& m, int) { self.Stop(PopArgInt(m) != 0); }},
        {"setcycle", 7,
         [](asmClassTimer& self, asmInterpreter& m, int) { self.SetFrameInterval(PopArgInt(m)); }},
        {"gettick", 8, [](asmClassTimer& self, asmInterpreter& m, int) { PushInt(m, self.GetTicksFired()); }},
        {"getdelay", 9, [](asmClassTimer& self, asmInterpreter& m, int) { PushInt(m, self.GetInterval()); }},
    };
    static_assert(std::size(kRows) == 11);
    static constexpr UnknownMethod kUnknown{"timer unknown built in method %d\n", OnUnknown::End};
    static constexpr MethodTable<asmClassTimer> kTable{kRows, kUnknown};
};

template class asmScriptClass<asmClassTimer, ddTimery>;
