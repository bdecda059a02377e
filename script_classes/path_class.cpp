#include "script_classes/path_class.h"

#include <cmath>
#include <iterator>
#include <string>

#include "graphics/animation.h"
#include "graphics/filter.h"
#include "script/arg_ops.h"
#include "script/interpreter.h"
#include "script/method_table.h"
#include "script_classes/object_args.h"
#include "script_classes/script_event.h"

asmClassPath::asmClassPath(asmClass* cls, const char* name) : asmScriptClass(cls, name) {}

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
    static void PushBaseX(asmClassPath& self, asmInterpreter& m, int) { PushInt(m, self.GetBaseX()); }
    static void PushBaseY(asmClassPath& self, asmInterpreter& m, int) { PushInt(m, self.GetBaseY()); }
    static constexpr MethodRow<asmClassPath> kRows[] = {
        {"build", 0,
         [](asmClassPath& self, asmInterpreter& m, int) {
             const int tagArg = PopArgInt(m);
             const float speedArg = PopArgReal(m);
             int steps[2];
             PopInts(m, steps);
             const std::string source = PopText(m);
             self.Build(nullptr, source.c_str(), steps[0], steps[1], speedArg, tagArg);
         }},
        {"goto", 1,
         [](asmClassPath& self, asmInterpreter& m, int) {
             int v[2];
             PopInts(m, v);
             PushInt(m, self.Goto(v[0], v[1]));
         }},
        {"stop", 2, [](asmClassPath& self, asmInterpreter& m, int) { self.Stop(PopArgInt(m) != 0); }},
        {"stand", 6,
         [](asmClassPath& self, asmInterpreter&, int) {
             if (self.GetLinkedAnima() && !self.GetStandAction().empty())
                 self.GetLinkedAnima()->SetFrameByName(self.GetStandAction().c_str(), 0);
         }},
        {"show", 3, [](asmClassPath& self, asmInterpreter&, int) { self.Show(); }},
        {"hide", 4, [](asmClassPath& self, asmInterpreter&, int) { self.Hide(); }},
        {"copy", 5,
         [](asmClassPath& self, asmInterpreter& m, int) {
             const float speedArg = PopArgReal(m);
             // Another kind of object counts as no path finder: the copy leaves this one reset.
             self.CopyFrom(nullptr, PopObject<ddPathFinder>(m), speedArg);
         }},
        {"iswalking", 7,
         [](asmClassPath& self, asmInterpreter& m, int) { PushInt(m, self.IsWalking() ? 1 : 0); }},
        {"move", 8,
         [](asmClassPath& self, asmInterpreter& m, int) {
             int v[2];
             PopInts(m, v);
             self.Move(v[0], v[1]);
         }},
        {"setpos", 9,
         [](asmClassPath& self, asmInterpreter& m, int) {
             int v[2];
             PopInts(m, v);
             self.SetPos(v[0], v[1]);
         }},
        {"enable", 10,
         [](asmClassPath& self, asmInterpreter& m, int) { self.SetEnabledById(PopArgInt(m), 1); }},
        {"disable", 11,
         [](asmClassPath& self, asmInterpreter& m, int) { self.SetEnabledById(PopArgInt(m), 0); }},
        {"setanstep", 12,
         [](asmClassPath& self, asmInterpreter& m, int) {
             const float s = PopArgReal(m);
             if (s > 0.0f && std::isfinite(s)) self.SetSpeed(s);
         }},
        {"setz", 13, [](asmClassPath& self, asmInterpreter& m, int) { self.SetLayer(PopArgInt(m)); }},
        {"getz", 14, [](asmClassPath& self, asmInterpreter& m, int) { PushInt(m, self.GetLayer()); }},
        {"getidpath", 15,
         [](asmClassPath&, asmInterpreter& m, int) {
             int v[2];
             PopInts(m, v);
             PushInt(m, -1);
         }},
        {"getposx", 16, PushBaseX},
        {"getposy", 17, PushBaseY},
        {"getpx", 18, PushBaseX},
        {"getpy", 19, PushBaseY},
        {"isenabled", 20,
         [](asmClassPath& self, asmInterpreter& m, int) { PushInt(m, self.IsEnabledById(PopArgInt(m))); }},
        {"linkanima", 21,
         [](asmClassPath& self, asmInterpreter& m, int) {
             // Another kind of object is refused: the link stays as it was.
             if (auto* anima = PopObject<Animacja>(m)) self.LinkAnima(anima);
         }},
        {"getidanpath", 22,
         [](asmClassPath& self, asmInterpreter& m, int) {
             const ddpathVertex* v = EnabledVertex(self, self.GetFromIndex());
             PushInt(m, v ? v->GetId() : -1);
         }},
        {"getidan2path", 23,
         [](asmClassPath& self, asmInterpreter& m, int) {
             const ddpathVertex* v = EnabledVertex(self, self.GetToIndex());
             PushInt(m, v ? v->GetId() : -1);
         }},
        {"getidgopath", 24,
         [](asmClassPath& self, asmInterpreter& m, int) {
             const ddpathVertex* v = EnabledVertex(self, self.GetTargetIndex());
             PushInt(m, v ? v->GetId() : -1);
         }},
        {"getidan", 25,
         [](asmClassPath& self, asmInterpreter& m, int) {
             PushInt(m, EnabledVertex(self, self.GetFromIndex()) ? self.GetFromIndex() : -1);
         }},
        {"getidan2", 26,
         [](asmClassPath& self, asmInterpreter& m, int) {
             PushInt(m, EnabledVertex(self, self.GetToIndex()) ? self.GetToIndex() : -1);
         }},
        {"getidgo", 27,
         [](asmClassPath& self, asmInterpreter& m, int) { PushInt(m, self.GetTargetIndex()); }},
        {"setbase", 28,
         [](asmClassPath& self, asmInterpreter& m, int) { self.SetWalkPrefix(PopText(m).c_str()); }},
        {"getbase", 29,
         [](asmClassPath& self, asmInterpreter& m, int) { PushString(m, self.GetWalkPrefix().c_str()); }},
        {"dotcolor", 30,
         [](asmClassPath& self, asmInterpreter& m, int) {
             int v[3];
             PopInts(m, v);
             self.GetDot().SetColor(v[0], v[1], v[2], 255);
         }},
        {"setzsize", 31,
         [](asmClassPath& self, asmInterpreter& m, int) {
             const float size = PopArgReal(m);
             if (size >= 0.0f && std::isfinite(size)) self.SetDepthSize(size);
         }},
        {"linkfilter", 32, [](asmClassPath& self, asmInterpreter&, int) { self.LinkFilter(); }},
        {"unlinkfilter", 33, [](asmClassPath& self, asmInterpreter&, int) { self.UnlinkFilter(); }},
        {"setscalepower", 34,
         [](asmClassPath& self, asmInterpreter& m, int) {
             // A power that is no number would stop the walker for good.
             const float power = PopArgReal(m);
             if (std::isfinite(power)) self.SetScalePower(power);
         }},
        {"iswayto", 35,
         [](asmClassPath& self, asmInterpreter& m, int) {
             int v[2];
             PopInts(m, v);
             PushInt(m, self.PlanEndpoints(v[0], v[1], false));
         }},
        {"excludev", 36, [](asmClassPath& self, asmInterpreter& m, int) { self.Exclude(PopArgInt(m)); }},
        {"scalean", 37, [](asmClassPath& self, asmInterpreter&, int) { self.ScaleAtCurrent(); }},
        {"getfromver", 38,
         [](asmClassPath& self, asmInterpreter& m, int) {
             int v[3];
             PopInts(m, v);
             PushInt(m, self.WalkFrom(v[0], v[1], v[2]));
         }},
        {"getgover", 39,
         [](asmClassPath& self, asmInterpreter& m, int) {
             const int n = PopArgInt(m);
             const ddpathVertex* target = self.GetPathVertex(self.GetTargetIndex());
             // Widened: a step number minus any int stays exact.
             const long long k = target ? static_cast<long long>(target->GetStep()) - n : -1;
             PushInt(m, target && k >= 1 && k <= self.GetVertexCount() ? self.VertexAfter(static_cast<int>(k))
                                                                       : -1);
         }},
        {"getxver", 40,
         [](asmClassPath& self, asmInterpreter& m, int) { PushInt(m, self.VertexScreenX(PopArgInt(m))); }},
        {"getyver", 41,
         [](asmClassPath& self, asmInterpreter& m, int) { PushInt(m, self.VertexScreenY(PopArgInt(m))); }},
        {"getanver", 42,
         [](asmClassPath& self, asmInterpreter& m, int) { PushInt(m, self.VertexAfter(PopArgInt(m))); }},
        {"getbyname", 43,
         [](asmClassPath& self, asmInterpreter& m, int) { PushInt(m, self.FindById(PopArgInt(m))); }},
        {"unlinkanima", 44, [](asmClassPath& self, asmInterpreter&, int) { self.UnlinkAnima(); }},
        {"turn", 45, [](asmClassPath& self, asmInterpreter& m, int) { self.Turn(PopText(m).c_str()); }},
        {"letturn", 46,
         [](asmClassPath& self, asmInterpreter& m, int) { self.SetTurnOnArrival(PopArgInt(m)); }},
        {"canturn", 47,
         [](asmClassPath& self, asmInterpreter& m, int) { PushInt(m, self.GetTurnOnArrival()); }},
        {"vecdir", 48,
         [](asmClassPath& self, asmInterpreter& m, int) {
             int v[2];
             PopInts(m, v);
             PushString(m, DirectionFromVector(v[0], v[1], self.GetMoveType()).c_str());
         }},
        {"shift", 49,
         [](asmClassPath& self, asmInterpreter& m, int) {
             int v[2];
             PopInts(m, v);
             self.ShiftVertices(v[0], v[1]);
         }},
        {"getmovetype", 50,
         [](asmClassPath& self, asmInterpreter& m, int) { PushInt(m, self.GetMoveType()); }},
        {"setmovetype", 51,
         [](asmClassPath& self, asmInterpreter& m, int) { self.SetMoveType(PopArgInt(m)); }},
        {"length", 52,
         [](asmClassPath& self, asmInterpreter& m, int) {
             int v[2];
             PopInts(m, v);
             PushReal(m, self.RouteLength(v[0], v[1]));
         }},
    };
    static_assert(std::size(kRows) == 53);
    static constexpr UnknownMethod kUnknown{"\npathfinder unknown built in method %d", OnUnknown::End};
    static constexpr MethodTable<asmClassPath> kTable{kRows, kUnknown};
};

template class asmScriptClass<asmClassPath, ddPathFinder>;
