#include "script_classes/path_class.h"

#include <cmath>
#include <iterator>
#include <string>

#include "foundation/fatal.h"
#include "graphics/animation.h"
#include "graphics/filter.h"
#include "script/arg_ops.h"
#include "script/interpreter.h"
#include "script/method_table.h"
#include "script/script_types.h"
#include "script_classes/object_args.h"
#include "script_classes/script_event.h"

asmClass* asmClassPath::Methods = nullptr;

namespace {

asmClassObj* NewPath(asmClass* cls, const char* name) { return new asmClassPath(cls, name); }
asmClass* PathClass() { return asmClassPath::Methods; }

}  // namespace

asmClassPath::asmClassPath(asmClass* cls, const char* name) : ddPathFinder(cls, name) {}

void asmClassPath::OnFinish() { RaiseScriptEvent(this, EV_ONFINISH); }

void asmClassPath::OnVisit() { RaiseScriptEvent(this, EV_ONVISIT); }

// The script methods: each name with its built-in index and handler.
// "stand" (6) is registered between "stop" and "show".
struct asmClassPath::ScriptMethods {
    // The vertex at index i when it is enabled, else null: the ids and indices
    // of the segment's ends are -1 for none or a disabled one.
    static const ddpathVertex* EnabledVertex(asmClassPath& self, int i) {
        const ddpathVertex* v = self.GetPathVertex(i);
        return v && v->IsEnabled() ? v : nullptr;
    }
    static void PushBaseX(asmClassPath& self, asmInterpreter*, int) { PushInt(self.GetBaseX()); }
    static void PushBaseY(asmClassPath& self, asmInterpreter*, int) { PushInt(self.GetBaseY()); }
    static constexpr MethodRow<asmClassPath> kRows[] = {
        {"build", 0,
         [](asmClassPath& self, asmInterpreter*, int) {
             const int tagArg = PopArgInt();
             const float speedArg = PopArgReal();
             int steps[2];
             PopInts(steps);
             const std::string source = PopText();
             self.Build(nullptr, source.c_str(), steps[0], steps[1], speedArg, tagArg);
         }},
        {"goto", 1,
         [](asmClassPath& self, asmInterpreter*, int) {
             int v[2];
             PopInts(v);
             PushInt(self.Goto(v[0], v[1]));
         }},
        {"stop", 2, [](asmClassPath& self, asmInterpreter*, int) { self.Stop(PopArgInt() != 0); }},
        {"stand", 6,
         [](asmClassPath& self, asmInterpreter*, int) {
             if (self.GetLinkedAnima() && !self.GetStandAction().empty())
                 self.GetLinkedAnima()->SetFrameByName(self.GetStandAction().c_str(), 0);
         }},
        {"show", 3, [](asmClassPath& self, asmInterpreter*, int) { self.Show(); }},
        {"hide", 4, [](asmClassPath& self, asmInterpreter*, int) { self.Hide(); }},
        {"copy", 5,
         [](asmClassPath& self, asmInterpreter*, int) {
             const float speedArg = PopArgReal();
             // Another kind of object counts as no path finder: the copy leaves this one reset.
             self.CopyFrom(nullptr, PopObject<ddPathFinder>(), speedArg);
         }},
        {"iswalking", 7, [](asmClassPath& self, asmInterpreter*, int) { PushInt(self.IsWalking() ? 1 : 0); }},
        {"move", 8,
         [](asmClassPath& self, asmInterpreter*, int) {
             int v[2];
             PopInts(v);
             self.Move(v[0], v[1]);
         }},
        {"setpos", 9,
         [](asmClassPath& self, asmInterpreter*, int) {
             int v[2];
             PopInts(v);
             self.SetPos(v[0], v[1]);
         }},
        {"enable", 10, [](asmClassPath& self, asmInterpreter*, int) { self.SetEnabledById(PopArgInt(), 1); }},
        {"disable", 11,
         [](asmClassPath& self, asmInterpreter*, int) { self.SetEnabledById(PopArgInt(), 0); }},
        {"setanstep", 12,
         [](asmClassPath& self, asmInterpreter*, int) {
             const float s = PopArgReal();
             if (s > 0.0f && std::isfinite(s)) self.SetSpeed(s);
         }},
        {"setz", 13, [](asmClassPath& self, asmInterpreter*, int) { self.SetLayer(PopArgInt()); }},
        {"getz", 14, [](asmClassPath& self, asmInterpreter*, int) { PushInt(self.GetLayer()); }},
        {"getidpath", 15,
         [](asmClassPath&, asmInterpreter*, int) {
             int v[2];
             PopInts(v);
             PushInt(-1);
         }},
        {"getposx", 16, PushBaseX},
        {"getposy", 17, PushBaseY},
        {"getpx", 18, PushBaseX},
        {"getpy", 19, PushBaseY},
        {"isenabled", 20,
         [](asmClassPath& self, asmInterpreter*, int) { PushInt(self.IsEnabledById(PopArgInt())); }},
        {"linkanima", 21,
         [](asmClassPath& self, asmInterpreter*, int) {
             // Another kind of object is refused: the link stays as it was.
             if (auto* anima = PopObject<Animacja>()) self.LinkAnima(anima);
         }},
        {"getidanpath", 22,
         [](asmClassPath& self, asmInterpreter*, int) {
             const ddpathVertex* v = EnabledVertex(self, self.GetFromIndex());
             PushInt(v ? v->GetId() : -1);
         }},
        {"getidan2path", 23,
         [](asmClassPath& self, asmInterpreter*, int) {
             const ddpathVertex* v = EnabledVertex(self, self.GetToIndex());
             PushInt(v ? v->GetId() : -1);
         }},
        {"getidgopath", 24,
         [](asmClassPath& self, asmInterpreter*, int) {
             const ddpathVertex* v = EnabledVertex(self, self.GetTargetIndex());
             PushInt(v ? v->GetId() : -1);
         }},
        {"getidan", 25,
         [](asmClassPath& self, asmInterpreter*, int) {
             PushInt(EnabledVertex(self, self.GetFromIndex()) ? self.GetFromIndex() : -1);
         }},
        {"getidan2", 26,
         [](asmClassPath& self, asmInterpreter*, int) {
             PushInt(EnabledVertex(self, self.GetToIndex()) ? self.GetToIndex() : -1);
         }},
        {"getidgo", 27, [](asmClassPath& self, asmInterpreter*, int) { PushInt(self.GetTargetIndex()); }},
        {"setbase", 28,
         [](asmClassPath& self, asmInterpreter*, int) { self.SetWalkPrefix(PopText().c_str()); }},
        {"getbase", 29,
         [](asmClassPath& self, asmInterpreter*, int) { PushString(self.GetWalkPrefix().c_str()); }},
        {"dotcolor", 30,
         [](asmClassPath& self, asmInterpreter*, int) {
             int v[3];
             PopInts(v);
             self.GetDot().SetColor(v[0], v[1], v[2], 255);
         }},
        {"setzsize", 31,
         [](asmClassPath& self, asmInterpreter*, int) {
             const float size = PopArgReal();
             if (size >= 0.0f && std::isfinite(size)) self.SetDepthSize(size);
         }},
        {"linkfilter", 32, [](asmClassPath& self, asmInterpreter*, int) { self.LinkFilter(); }},
        {"unlinkfilter", 33, [](asmClassPath& self, asmInterpreter*, int) { self.UnlinkFilter(); }},
        {"setscalepower", 34,
         [](asmClassPath& self, asmInterpreter*, int) {
             // A power that is no number would stop the walker for good.
             const float power = PopArgReal();
             if (std::isfinite(power)) self.SetScalePower(power);
         }},
        {"iswayto", 35,
         [](asmClassPath& self, asmInterpreter*, int) {
             int v[2];
             PopInts(v);
             PushInt(self.PlanEndpoints(v[0], v[1], false));
         }},
        {"excludev", 36, [](asmClassPath& self, asmInterpreter*, int) { self.Exclude(PopArgInt()); }},
        {"scalean", 37, [](asmClassPath& self, asmInterpreter*, int) { self.ScaleAtCurrent(); }},
        {"getfromver", 38,
         [](asmClassPath& self, asmInterpreter*, int) {
             int v[3];
             PopInts(v);
             PushInt(self.WalkFrom(v[0], v[1], v[2]));
         }},
        {"getgover", 39,
         [](asmClassPath& self, asmInterpreter*, int) {
             const int n = PopArgInt();
             const ddpathVertex* target = self.GetPathVertex(self.GetTargetIndex());
             // Widened: a step number minus any int stays exact.
             const long long k = target ? static_cast<long long>(target->GetStep()) - n : -1;
             PushInt(target && k >= 1 && k <= self.GetVertexCount() ? self.VertexAfter(static_cast<int>(k))
                                                                    : -1);
         }},
        {"getxver", 40,
         [](asmClassPath& self, asmInterpreter*, int) { PushInt(self.VertexScreenX(PopArgInt())); }},
        {"getyver", 41,
         [](asmClassPath& self, asmInterpreter*, int) { PushInt(self.VertexScreenY(PopArgInt())); }},
        {"getanver", 42,
         [](asmClassPath& self, asmInterpreter*, int) { PushInt(self.VertexAfter(PopArgInt())); }},
        {"getbyname", 43,
         [](asmClassPath& self, asmInterpreter*, int) { PushInt(self.FindById(PopArgInt())); }},
        {"unlinkanima", 44, [](asmClassPath& self, asmInterpreter*, int) { self.UnlinkAnima(); }},
        {"turn", 45, [](asmClassPath& self, asmInterpreter*, int) { self.Turn(PopText().c_str()); }},
        {"letturn", 46, [](asmClassPath& self, asmInterpreter*, int) { self.SetTurnOnArrival(PopArgInt()); }},
        {"canturn", 47, [](asmClassPath& self, asmInterpreter*, int) { PushInt(self.GetTurnOnArrival()); }},
        {"vecdir", 48,
         [](asmClassPath& self, asmInterpreter*, int) {
             int v[2];
             PopInts(v);
             PushString(DirectionFromVector(v[0], v[1], self.GetMoveType()).c_str());
         }},
        {"shift", 49,
         [](asmClassPath& self, asmInterpreter*, int) {
             int v[2];
             PopInts(v);
             self.ShiftVertices(v[0], v[1]);
         }},
        {"getmovetype", 50, [](asmClassPath& self, asmInterpreter*, int) { PushInt(self.GetMoveType()); }},
        {"setmovetype", 51, [](asmClassPath& self, asmInterpreter*, int) { self.SetMoveType(PopArgInt()); }},
        {"length", 52,
         [](asmClassPath& self, asmInterpreter*, int) {
             int v[2];
             PopInts(v);
             PushReal(self.RouteLength(v[0], v[1]));
         }},
    };
    static_assert(std::size(kRows) == 53);
    static void Unknown(int index) {
        FatalExit("\npathfinder unknown built in method " + std::to_string(index), 1);
    }
    static constexpr MethodTable<asmClassPath> kTable{kRows, Unknown};
};

void asmClassPath::InitMethods() {
    FreeMethods();
    Methods = ScriptMethods::kTable.BuildClass();
}

void asmClassPath::FreeMethods() { FreeClass(Methods); }

void asmClassPath::CallBuiltIn(asmInterpreter* interp, int index) {
    ScriptMethods::kTable.Run(*this, interp, index);
}

void RegisterPathScriptClass() {
    RegisterScriptClass(
        {"path", 16, asmClassPath::InitMethods, asmClassPath::FreeMethods, PathClass, NewPath});
}
