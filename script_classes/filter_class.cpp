#include "script_classes/filter_class.h"

#include <string>

#include "foundation/fatal.h"
#include "foundation/saturating.h"
#include "script/arg_ops.h"
#include "script/method_table.h"
#include "script/script_types.h"
#include "script_classes/object_args.h"

asmClass* asmClassFilter::Class = nullptr;

namespace {

asmClassObj* NewFilter(asmClass* cls, const char* name) { return new asmClassFilter(cls, name); }
asmClass* FilterClass() { return asmClassFilter::Class; }

}  // namespace

asmClassFilter::asmClassFilter(asmClass* cls, const char* name) : ddFilter(cls, name) {}

asmClassFilter::~asmClassFilter() = default;

// The script methods: each name with its built-in index and handler.
struct asmClassFilter::ScriptMethods {
    static void SetAngleTo(asmClassFilter& self, asmInterpreter*, int) { self.SetAngle(PopArgReal()); }
    static constexpr MethodRow<asmClassFilter> kRows[] = {
        {"getpx", 0,
         [](asmClassFilter& self, asmInterpreter*, int) {
             const Image& out = self.LastOutput();
             PushInt(out.x);
         }},
        {"getpy", 1,
         [](asmClassFilter& self, asmInterpreter*, int) {
             const Image& out = self.LastOutput();
             PushInt(out.y);
         }},
        {"getw", 2,
         [](asmClassFilter& self, asmInterpreter*, int) {
             const Image& out = self.LastOutput();
             PushInt(out.w);
         }},
        {"geth", 3,
         [](asmClassFilter& self, asmInterpreter*, int) {
             const Image& out = self.LastOutput();
             PushInt(out.h);
         }},
        {"getex", 4,
         [](asmClassFilter& self, asmInterpreter*, int) {
             const Image& out = self.LastOutput();
             PushInt(SatAdd(out.x, out.w));
         }},
        {"getey", 5,
         [](asmClassFilter& self, asmInterpreter*, int) {
             const Image& out = self.LastOutput();
             PushInt(SatAdd(out.y, out.h));
         }},
        {"getcx", 6,
         [](asmClassFilter& self, asmInterpreter*, int) {
             const Image& out = self.LastOutput();
             PushInt(SatAdd(out.x, out.w / 2));
         }},
        {"getcy", 7,
         [](asmClassFilter& self, asmInterpreter*, int) {
             const Image& out = self.LastOutput();
             PushInt(SatAdd(out.y, out.h / 2));
         }},
        {"normal", 8, [](asmClassFilter& self, asmInterpreter*, int) { self.Normal(); }},
        {"setzoom", 9, [](asmClassFilter& self, asmInterpreter*, int) { self.SetZoom(PopArgReal()); }},
        {"rotate", 10,
         [](asmClassFilter& self, asmInterpreter*, int) { self.SetAngle(self.GetAngle() + PopArgReal()); }},
        {"rotatezoom", 11,
         [](asmClassFilter& self, asmInterpreter*, int) {
             double z = PopArgReal();
             double d = PopArgReal();
             self.SetAngleZoom(self.GetAngle() + d, z);
         }},
        {"setzoomxy", 12,
         [](asmClassFilter& self, asmInterpreter*, int) {
             double zy = PopArgReal();
             double zx = PopArgReal();
             self.SetZoomXY(zx, zy);
         }},
        {"rotatezoomxy", 13,
         [](asmClassFilter& self, asmInterpreter*, int) {
             double zy = PopArgReal();
             double zx = PopArgReal();
             double d = PopArgReal();
             self.SetAngleZoomXY(self.GetAngle() + d, zx, zy);
         }},
        {"link", 14, [](asmClassFilter& self, asmInterpreter*, int) { self.Link(PopVisibleObject(false)); }},
        {"unlink", 15, [](asmClassFilter& self, asmInterpreter*, int) { self.Unlink(); }},
        {"setsmooth", 16, [](asmClassFilter& self, asmInterpreter*, int) { self.SetSmooth(PopArgInt()); }},
        {"isin", 17,
         [](asmClassFilter& self, asmInterpreter*, int) {
             // The four arguments are taken whether or not the filter is linked,
             // so a script that polls every frame keeps its stack balanced.
             int t = PopArgInt();
             int v = PopArgInt();
             int y = PopArgInt();
             int x = PopArgInt();
             PushInt(self.GetLinked() &&
                             self.GetLinked()->IsInImage(x, y, v != 0, t != 0, self.GetOutputImage())
                         ? 1
                         : 0);
         }},
        {"setpivottype", 18,
         [](asmClassFilter& self, asmInterpreter*, int) { self.SetPlacement(PopArgInt()); }},
        {"blend", 19,
         [](asmClassFilter& self, asmInterpreter*, int) {
             self.AddBlend(PopVisibleObject(false), BLEND_OVER);
         }},
        {"removeblend", 20,
         [](asmClassFilter& self, asmInterpreter*, int) { self.RemoveBlend(PopVisibleObject(false)); }},
        {"removeallblend", 21, [](asmClassFilter& self, asmInterpreter*, int) { self.RemoveAllBlends(); }},
        {"setopacity", 22, [](asmClassFilter& self, asmInterpreter*, int) { self.SetOpacity(PopArgInt()); }},
        {"getopacity", 23, [](asmClassFilter& self, asmInterpreter*, int) { PushInt(self.GetOpacity()); }},
        {"setrotpoint", 24,
         [](asmClassFilter& self, asmInterpreter*, int) {
             int y = PopArgInt();
             int x = PopArgInt();
             self.SetRotPoint(x, y);
         }},
        {"getzoomx", 25,
         [](asmClassFilter& self, asmInterpreter*, int) { PushReal(static_cast<float>(self.GetZoomX())); }},
        {"getzoomy", 26,
         [](asmClassFilter& self, asmInterpreter*, int) { PushReal(static_cast<float>(self.GetZoomY())); }},
        {"setangle", 27, SetAngleTo},
        {"getangle", 28,
         [](asmClassFilter& self, asmInterpreter*, int) { PushReal(static_cast<float>(self.GetAngle())); }},
        {"setanglezoom", 29,
         [](asmClassFilter& self, asmInterpreter*, int) {
             double z = PopArgReal();
             double a = PopArgReal();
             self.SetAngleZoom(a, z);
         }},
        {"setanglezoomxy", 30,
         [](asmClassFilter& self, asmInterpreter*, int) {
             double zy = PopArgReal();
             double zx = PopArgReal();
             double a = PopArgReal();
             self.SetAngleZoomXY(a, zx, zy);
         }},
        {"mask", 31,
         [](asmClassFilter& self, asmInterpreter*, int) {
             self.AddBlend(PopVisibleObject(false), BLEND_MASK);
         }},
        {"setrotate", 32, SetAngleTo},
        {"getlevel", 33, [](asmClassFilter& self, asmInterpreter*, int) { PushInt(self.GetLevel()); }},
        {"setlevel", 34, [](asmClassFilter& self, asmInterpreter*, int) { self.SetLevel(PopArgInt()); }},
        {"reversexy", 35,
         [](asmClassFilter& self, asmInterpreter*, int) {
             int vertical = PopArgInt();
             int horizontal = PopArgInt();
             self.ReverseXY(horizontal, vertical);
         }},
        {"setmaskalpha", 36,
         [](asmClassFilter& self, asmInterpreter*, int) { self.SetMaskAlpha(PopArgInt()); }},
        {"lineardodge", 37,
         [](asmClassFilter& self, asmInterpreter*, int) {
             self.AddBlend(PopVisibleObject(false), BLEND_LINEARDODGE);
         }},
        {"loupe", 38,
         [](asmClassFilter& self, asmInterpreter*, int) {
             self.AddBlend(PopVisibleObject(false), BLEND_LOUPE);
         }},
        {"umask", 39,
         [](asmClassFilter& self, asmInterpreter*, int) {
             self.AddBlend(PopVisibleObject(false), BLEND_UMASK);
         }},
    };
    static_assert(std::size(kRows) == 40);
    static void Unknown(int index) {
        std::string line = "\nfilter unknown built in method " + std::to_string(index) + "\n";
        FatalExit(line, 1);
    }
    static constexpr MethodTable<asmClassFilter> kTable{kRows, Unknown};
};

void asmClassFilter::InitMethods() {
    FreeMethods();
    Class = ScriptMethods::kTable.BuildClass();
}

void asmClassFilter::FreeMethods() { FreeClass(Class); }

void asmClassFilter::CallBuiltIn(asmInterpreter* interp, int index) {
    if (GetLinked()) GetOutputImage();
    ScriptMethods::kTable.Run(*this, interp, index);
}

void RegisterFilterScriptClass() {
    RegisterScriptClass(
        {"filter", 19, asmClassFilter::InitMethods, asmClassFilter::FreeMethods, FilterClass, NewFilter});
}
