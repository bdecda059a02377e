#include "script_classes/filter_class.h"

#include <string>

#include "foundation/saturating.h"
#include "script/arg_ops.h"
#include "script/method_table.h"
#include "script_classes/object_args.h"

asmClassFilter::asmClassFilter(asmClass* cls, const char* name) : asmScriptClass(cls, name) {}

asmClassFilter::~asmClassFilter() = default;

// The script methods: each name with its built-in index and handler.
struct asmClassFilter::ScriptMethods {
    static void SetAngleTo(asmClassFilter& self, asmInterpreter& m, int) { self.SetAngle(PopArgReal(m)); }
    static constexpr MethodRow<asmClassFilter> kRows[] = {
        {"getpx", 0,
         [](asmClassFilter& self, asmInterpreter& m, int) {
             const Image& out = self.LastOutput();
             PushInt(m, out.x);
         }},
        {"getpy", 1,
         [](asmClassFilter& self, asmInterpreter& m, int) {
             const Image& out = self.LastOutput();
             PushInt(m, out.y);
         }},
        {"getw", 2,
         [](asmClassFilter& self, asmInterpreter& m, int) {
             const Image& out = self.LastOutput();
             PushInt(m, out.w);
         }},
        {"geth", 3,
         [](asmClassFilter& self, asmInterpreter& m, int) {
             const Image& out = self.LastOutput();
             PushInt(m, out.h);
         }},
        {"getex", 4,
         [](asmClassFilter& self, asmInterpreter& m, int) {
             const Image& out = self.LastOutput();
             PushInt(m, SatAdd(out.x, out.w));
         }},
        {"getey", 5,
         [](asmClassFilter& self, asmInterpreter& m, int) {
             const Image& out = self.LastOutput();
             PushInt(m, SatAdd(out.y, out.h));
         }},
        {"getcx", 6,
         [](asmClassFilter& self, asmInterpreter& m, int) {
             const Image& out = self.LastOutput();
             PushInt(m, SatAdd(out.x, out.w / 2));
         }},
        {"getcy", 7,
         [](asmClassFilter& self, asmInterpreter& m, int) {
             const Image& out = self.LastOutput();
             PushInt(m, SatAdd(out.y, out.h / 2));
         }},
        {"normal", 8, [](asmClassFilter& self, asmInterpreter&, int) { self.Normal(); }},
        {"setzoom", 9, [](asmClassFilter& self, asmInterpreter& m, int) { self.SetZoom(PopArgReal(m)); }},
        {"rotate", 10,
         [](asmClassFilter& self, asmInterpreter& m, int) {
             self.SetAngle(self.GetAngle() + PopArgReal(m));
         }},
        {"rotatezoom", 11,
         [](asmClassFilter& self, asmInterpreter& m, int) {
             double z = PopArgReal(m);
             double d = PopArgReal(m);
             self.SetAngleZoom(self.GetAngle() + d, z);
         }},
        {"setzoomxy", 12,
         [](asmClassFilter& self, asmInterpreter& m, int) {
             double zy = PopArgReal(m);
             double zx = PopArgReal(m);
             self.SetZoomXY(zx, zy);
         }},
        {"rotatezoomxy", 13,
         [](asmClassFilter& self, asmInterpreter& m, int) {
             double zy = PopArgReal(m);
             double zx = PopArgReal(m);
             double d = PopArgReal(m);
             self.SetAngleZoomXY(self.GetAngle() + d, zx, zy);
         }},
        {"link", 14,
         [](asmClassFilter& self, asmInterpreter& m, int) { self.Link(PopVisibleObject(m, false)); }},
        {"unlink", 15, [](asmClassFilter& self, asmInterpreter&, int) { self.Unlink(); }},
        {"setsmooth", 16, [](asmClassFilter& self, asmInterpreter& m, int) { self.SetSmooth(PopArgInt(m)); }},
        {"isin", 17,
         [](asmClassFilter& self, asmInterpreter& m, int) {
             // The four arguments are taken whether or not the filter is linked,
             // so a script that polls every frame keeps its stack balanced.
             int t = PopArgInt(m);
             int v = PopArgInt(m);
             int y = PopArgInt(m);
             int x = PopArgInt(m);
             PushInt(m, self.GetLinked() &&
                                self.GetLinked()->IsInImage(x, y, v != 0, t != 0, self.GetOutputImage())
                            ? 1
                            : 0);
         }},
        {"setpivottype", 18,
         [](asmClassFilter& self, asmInterpreter& m, int) { self.SetPlacement(PopArgInt(m)); }},
        {"blend", 19,
         [](asmClassFilter& self, asmInterpreter& m, int) {
             self.AddBlend(PopVisibleObject(m, false), BLEND_OVER);
         }},
        {"removeblend", 20,
         [](asmClassFilter& self, asmInterpreter& m, int) { self.RemoveBlend(PopVisibleObject(m, false)); }},
        {"removeallblend", 21, [](asmClassFilter& self, asmInterpreter&, int) { self.RemoveAllBlends(); }},
        {"setopacity", 22,
         [](asmClassFilter& self, asmInterpreter& m, int) { self.SetOpacity(PopArgInt(m)); }},
        {"getopacity", 23,
         [](asmClassFilter& self, asmInterpreter& m, int) { PushInt(m, self.GetOpacity()); }},
        {"setrotpoint", 24,
         [](asmClassFilter& self, asmInterpreter& m, int) {
             int y = PopArgInt(m);
             int x = PopArgInt(m);
             self.SetRotPoint(x, y);
         }},
        {"getzoomx", 25,
         [](asmClassFilter& self, asmInterpreter& m, int) {
             PushReal(m, static_cast<float>(self.GetZoomX()));
         }},
        {"getzoomy", 26,
         [](asmClassFilter& self, asmInterpreter& m, int) {
             PushReal(m, static_cast<float>(self.GetZoomY()));
         }},
        {"setangle", 27, SetAngleTo},
        {"getangle", 28,
         [](asmClassFilter& self, asmInterpreter& m, int) {
             PushReal(m, static_cast<float>(self.GetAngle()));
         }},
        {"setanglezoom", 29,
         [](asmClassFilter& self, asmInterpreter& m, int) {
             double z = PopArgReal(m);
             double a = PopArgReal(m);
             self.SetAngleZoom(a, z);
         }},
        {"setanglezoomxy", 30,
         [](asmClassFilter& self, asmInterpreter& m, int) {
             double zy = PopArgReal(m);
             double zx = PopArgReal(m);
             double a = PopArgReal(m);
             self.SetAngleZoomXY(a, zx, zy);
         }},
        {"mask", 31,
         [](asmClassFilter& self, asmInterpreter& m, int) {
             self.AddBlend(PopVisibleObject(m, false), BLEND_MASK);
         }},
        {"setrotate", 32, SetAngleTo},
        {"getlevel", 33, [](asmClassFilter& self, asmInterpreter& m, int) { PushInt(m, self.GetLevel()); }},
        {"setlevel", 34, [](asmClassFilter& self, asmInterpreter& m, int) { self.SetLevel(PopArgInt(m)); }},
        {"reversexy", 35,
         [](asmClassFilter& self, asmInterpreter& m, int) {
             int vertical = PopArgInt(m);
             int horizontal = PopArgInt(m);
             self.ReverseXY(horizontal, vertical);
         }},
        {"setmaskalpha", 36,
         [](asmClassFilter& self, asmInterpreter& m, int) { self.SetMaskAlpha(PopArgInt(m)); }},
        {"lineardodge", 37,
         [](asmClassFilter& self, asmInterpreter& m, int) {
             self.AddBlend(PopVisibleObject(m, false), BLEND_LINEARDODGE);
         }},
        {"loupe", 38,
         [](asmClassFilter& self, asmInterpreter& m, int) {
             self.AddBlend(PopVisibleObject(m, false), BLEND_LOUPE);
         }},
        {"umask", 39,
         [](asmClassFilter& self, asmInterpreter& m, int) {
             self.AddBlend(PopVisibleObject(m, false), BLEND_UMASK);
         }},
    };
    static_assert(std::size(kRows) == 40);
    static constexpr UnknownMethod kUnknown{"\nfilter unknown built in method %d\n", OnUnknown::End};
    static constexpr MethodTable<asmClassFilter> kTable{kRows, kUnknown};
};

template class asmScriptClass<asmClassFilter, ddFilter>;

void asmClassFilter::CallBuiltIn(asmInterpreter* interp, int index) {
    if (GetLinked()) GetOutputImage();
    ScriptMethods::kTable.Run(*this, interp, index);
}
