#include "script/classes/timer_class.h"

#include <string>

#include "foundation/fatal.h"
#include "script/arg_ops.h"
#include "script/classes/script_event.h"
#include "script/method_table.h"
#include "script/script_types.h"
#include "shell/scene.h"

asmClass* asmClassTimer::Methods = nullptr;

namespace {

// 11 names for 10 methods.
constexpr MethodName kTimerMethods[] = {
    {"delay", 0},  {"setdelay", 0}, {"isplaying", 1}, {"pause", 2},   {"play", 3},    {"resume", 4},
    {"settick", 5}, {"stop", 6},    {"setcycle", 7},  {"gettick", 8}, {"getdelay", 9},
};
static_assert(std::size(kTimerMethods) == 11);

asmClassObj* NewTimer(asmClass* cls, const char* name) { return new asmClassTimer(cls, name); }
asmClass* TimerClass() { return asmClassTimer::Methods; }

}  // namespace

asmClassTimer::asmClassTimer(asmClass* cls, const char* name) : ddTimery(cls) {
    if (ddScene::Current) ddScene::Current->AddTimer(this);
    if (name) SetName(name);
}

asmClassTimer::~asmClassTimer() {
    if (ddScene::Current) ddScene::Current->RemoveTimer(this);
}

void asmClassTimer::OnFinish() { RaiseScriptEvent(this, EV_ONFINISH); }
void asmClassTimer::OnStart() { RaiseScriptEvent(this, EV_ONSTART); }
void asmClassTimer::OnTick() { RaiseScriptEvent(this, EV_ONTICK); }

void asmClassTimer::InitMethods() {
    FreeMethods();
    Methods = BuildClass(kTimerMethods);
}

void asmClassTimer::FreeMethods() { FreeClass(Methods); }

void asmClassTimer::CallBuiltIn(asmInterpreter*, int index) {
    switch (index) {
    case 0:
        SetInterval(PopArgInt());
        return;
    case 1:
        PushInt(IsRunning() ? 1 : 0);
        return;
    case 2:
        Pause();
        return;
    case 3:
        Start();
        return;
    case 4:
        Resume();
        return;
    case 5:
        SetRepeatCount(PopArgInt());
        return;
    case 6:
        Stop(PopArgInt() != 0);
        return;
    case 7:
        SetFrameInterval(PopArgInt());
        return;
    case 8:
        PushInt(GetTicksFired());
        return;
    case 9:
        PushInt(GetInterval());
        return;
    default:
        FatalExit("timer unknown built in method " + std::to_string(index) + "\n", 1);
    }
}

void RegisterTimerScriptClass() {
    RegisterScriptClass({"timer", 10, asmClassTimer::InitMethods, asmClassTimer::FreeMethods, TimerClass, NewTimer});
}
