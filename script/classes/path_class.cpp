#include "script/classes/path_class.h"

#include <cmath>
#include <iterator>
#include <string>

#include "foundation/fatal.h"
#include "graphics/animation.h"
#include "graphics/filter.h"
#include "script/arg_ops.h"
#include "script/classes/object_args.h"
#include "script/classes/script_event.h"
#include "script/interpreter.h"
#include "script/method_table.h"
#include "script/script_types.h"

asmClass* asmClassPath::Methods = nullptr;

namespace {

// "stand" (6) is registered between "stop" and "show".
constexpr MethodName kPathMethods[] = {
    {"build", 0},          {"goto", 1},          {"stop", 2},          {"stand", 6},
    {"show", 3},           {"hide", 4},          {"copy", 5},          {"iswalking", 7},
    {"move", 8},           {"setpos", 9},        {"enable", 10},       {"disable", 11},
    {"setanstep", 12},     {"setz", 13},         {"getz", 14},         {"getidpath", 15},
    {"getposx", 16},       {"getposy", 17},      {"getpx", 18},        {"getpy", 19},
    {"isenabled", 20},     {"linkanima", 21},    {"getidanpath", 22},  {"getidan2path", 23},
    {"getidgopath", 24},   {"getidan", 25},      {"getidan2", 26},     {"getidgo", 27},
    {"setbase", 28},       {"getbase", 29},      {"dotcolor", 30},     {"setzsize", 31},
    {"linkfilter", 32},    {"unlinkfilter", 33}, {"setscalepower", 34}, {"iswayto", 35},
    {"excludev", 36},      {"scalean", 37},      {"getfromver", 38},   {"getgover", 39},
    {"getxver", 40},       {"getyver", 41},      {"getanver", 42},     {"getbyname", 43},
    {"unlinkanima", 44},   {"turn", 45},         {"letturn", 46},      {"canturn", 47},
    {"vecdir", 48},        {"shift", 49},        {"getmovetype", 50},  {"setmovetype", 51},
    {"length", 52},
};
static_assert(std::size(kPathMethods) == 53);

asmClassObj* NewPath(asmClass* cls, const char* name) { return new asmClassPath(cls, name); }
asmClass* PathClass() { return asmClassPath::Methods; }

}  // namespace

asmClassPath::asmClassPath(asmClass* cls, const char* name) : ddPathFinder(cls, name) {}

void asmClassPath::OnFinish() { RaiseScriptEvent(this, EV_ONFINISH); }

void asmClassPath::OnVisit() { RaiseScriptEvent(this, EV_ONVISIT); }

void asmClassPath::InitMethods() {
    FreeMethods();
    Methods = BuildClass(kPathMethods);
}

void asmClassPath::FreeMethods() { FreeClass(Methods); }

void asmClassPath::CallBuiltIn(asmInterpreter*, int index) {
    // Ids and indices of the segment's ends, -1 for none or a disabled one.
    auto enabledVertex = [this](int i) -> const ddpathVertex* {
        const ddpathVertex* v = GetPathVertex(i);
        return v && v->IsEnabled() ? v : nullptr;
    };
    switch (index) {
    case 0: {
        const int tagArg = PopArgInt();
        const float speedArg = PopArgReal();
        int steps[2];
        PopInts(steps);
        const std::string source = PopText();
        Build(nullptr, source.c_str(), steps[0], steps[1], speedArg, tagArg);
        return;
    }
    case 1: {
        int v[2];
        PopInts(v);
        PushInt(Goto(v[0], v[1]));
        return;
    }
    case 2:
        Stop(PopArgInt() != 0);
        return;
    case 3:
        Show();
        return;
    case 4:
        Hide();
        return;
    case 5: {
        const float speedArg = PopArgReal();
        // Another kind of object counts as no path finder: the copy leaves this one reset.
        CopyFrom(nullptr, PopObject<ddPathFinder>(), speedArg);
        return;
    }
    case 6:
        if (GetLinkedAnima() && !GetStandAction().empty())
            GetLinkedAnima()->SetFrameByName(GetStandAction().c_str(), 0);
        return;
    case 7:
        PushInt(IsWalking() ? 1 : 0);
        return;
    case 8: {
        int v[2];
        PopInts(v);
        Move(v[0], v[1]);
        return;
    }
    case 9: {
        int v[2];
        PopInts(v);
        SetPos(v[0], v[1]);
        return;
    }
    case 10:
        SetEnabledById(PopArgInt(), 1);
        return;
    case 11:
        SetEnabledById(PopArgInt(), 0);
        return;
    case 12: {
        const float s = PopArgReal();
        if (s > 0.0f && std::isfinite(s)) SetSpeed(s);
        return;
    }
    case 13:
        SetLayer(PopArgInt());
        return;
    case 14:
        PushInt(GetLayer());
        return;
    case 15: {
        int v[2];
        PopInts(v);
        PushInt(-1);
        return;
    }
    case 16:
    case 18:
        PushInt(GetBaseX());
        return;
    case 17:
    case 19:
        PushInt(GetBaseY());
        return;
    case 20:
        PushInt(IsEnabledById(PopArgInt()));
        return;
    case 21:
        // Another kind of object is refused: the link stays as it was.
        if (auto* anima = PopObject<Animacja>()) LinkAnima(anima);
        return;
    case 22: {
        const ddpathVertex* v = enabledVertex(GetFromIndex());
        PushInt(v ? v->GetId() : -1);
        return;
    }
    case 23: {
        const ddpathVertex* v = enabledVertex(GetToIndex());
        PushInt(v ? v->GetId() : -1);
        return;
    }
    case 24: {
        const ddpathVertex* v = enabledVertex(GetTargetIndex());
        PushInt(v ? v->GetId() : -1);
        return;
    }
    case 25:
        PushInt(enabledVertex(GetFromIndex()) ? GetFromIndex() : -1);
        return;
    case 26:
        PushInt(enabledVertex(GetToIndex()) ? GetToIndex() : -1);
        return;
    case 27:
        PushInt(GetTargetIndex());
        return;
    case 28:
        SetWalkPrefix(PopText().c_str());
        return;
    case 29:
        PushString(GetWalkPrefix().c_str());
        return;
    case 30: {
        int v[3];
        PopInts(v);
        GetDot().SetColor(v[0], v[1], v[2], 255);
        return;
    }
    case 31: {
        const float size = PopArgReal();
        if (size >= 0.0f && std::isfinite(size)) SetDepthSize(size);
        return;
    }
    case 32:
        LinkFilter();
        return;
    case 33:
        UnlinkFilter();
        return;
    case 34: {
        // A power that is no number would stop the walker for good.
        const float power = PopArgReal();
        if (std::isfinite(power)) SetScalePower(power);
        return;
    }
    case 35: {
        int v[2];
        PopInts(v);
        PushInt(PlanEndpoints(v[0], v[1], false));
        return;
    }
    case 36:
        Exclude(PopArgInt());
        return;
    case 37:
        ScaleAtCurrent();
        return;
    case 38: {
        int v[3];
        PopInts(v);
        PushInt(WalkFrom(v[0], v[1], v[2]));
        return;
    }
    case 39: {
        const int n = PopArgInt();
        const ddpathVertex* target = GetPathVertex(GetTargetIndex());
        // Widened: a step number minus any int stays exact.
        const long long k = target ? static_cast<long long>(target->GetStep()) - n : -1;
        PushInt(target && k >= 1 && k <= GetVertexCount() ? VertexAfter(static_cast<int>(k)) : -1);
        return;
    }
    case 40:
        PushInt(VertexScreenX(PopArgInt()));
        return;
    case 41:
        PushInt(VertexScreenY(PopArgInt()));
        return;
    case 42:
        PushInt(VertexAfter(PopArgInt()));
        return;
    case 43:
        PushInt(FindById(PopArgInt()));
        return;
    case 44:
        UnlinkAnima();
        return;
    case 45:
        Turn(PopText().c_str());
        return;
    case 46:
        SetTurnOnArrival(PopArgInt());
        return;
    case 47:
        PushInt(GetTurnOnArrival());
        return;
    case 48: {
        int v[2];
        PopInts(v);
        PushString(DirectionFromVector(v[0], v[1], GetMoveType()).c_str());
        return;
    }
    case 49: {
        int v[2];
        PopInts(v);
        ShiftVertices(v[0], v[1]);
        return;
    }
    case 50:
        PushInt(GetMoveType());
        return;
    case 51:
        SetMoveType(PopArgInt());
        return;
    case 52: {
        int v[2];
        PopInts(v);
        PushReal(RouteLength(v[0], v[1]));
        return;
    }
    default:
        FatalExit("\npathfinder unknown built in method " + std::to_string(index), 1);
    }
}

void RegisterPathScriptClass() {
    RegisterScriptClass({"path", 16, asmClassPath::InitMethods, asmClassPath::FreeMethods, PathClass, NewPath});
}
