// The filter's script class "filter": its method table and dispatcher.
#include <string>

#include "foundation/fatal.h"
#include "foundation/saturating.h"
#include "graphics/filter.h"
#include "script/arg_ops.h"
#include "script/classes/object_args.h"
#include "script/classes/filter_class.h"
#include "script/method_table.h"
#include "script/script_types.h"

asmClass* ddFilter::Class = nullptr;

namespace {

constexpr const char* kFilterMethods[] = {
    "getpx",        "getpy",        "getw",         "geth",           "getex",       "getey",
    "getcx",        "getcy",        "normal",       "setzoom",        "rotate",      "rotatezoom",
    "setzoomxy",    "rotatezoomxy", "link",         "unlink",         "setsmooth",   "isin",
    "setpivottype", "blend",        "removeblend",  "removeallblend", "setopacity",  "getopacity",
    "setrotpoint",  "getzoomx",     "getzoomy",     "setangle",       "getangle",    "setanglezoom",
    "setanglezoomxy", "mask",       "setrotate",    "getlevel",       "setlevel",    "reversexy",
    "setmaskalpha", "lineardodge",  "loupe",        "umask",
};
static_assert(std::size(kFilterMethods) == 40);

asmClassObj* NewFilter(asmClass* cls, const char* name) { return new ddFilter(cls, name); }
asmClass* FilterClass() { return ddFilter::Class; }

}  // namespace

void ddFilter::InitMethods() {
    FreeMethods();
    Class = BuildClass(kFilterMethods);
}

void ddFilter::FreeMethods() { FreeClass(Class); }

void ddFilter::CallBuiltIn(asmInterpreter*, int index) {
    const Image& out = linked ? *GetOutputImage() : output;
    switch (index) {
    case 0:
        PushInt(out.x);
        return;
    case 1:
        PushInt(out.y);
        return;
    case 2:
        PushInt(out.w);
        return;
    case 3:
        PushInt(out.h);
        return;
    case 4:
        PushInt(SatAdd(out.x, out.w));
        return;
    case 5:
        PushInt(SatAdd(out.y, out.h));
        return;
    case 6:
        PushInt(SatAdd(out.x, out.w / 2));
        return;
    case 7:
        PushInt(SatAdd(out.y, out.h / 2));
        return;
    case 8:
        Normal();
        return;
    case 9:
        SetZoom(PopArgReal());
        return;
    case 10:
        SetAngle(angle + PopArgReal());
        return;
    case 11: {
        double z = PopArgReal();
        double d = PopArgReal();
        SetAngleZoom(angle + d, z);
        return;
    }
    case 12: {
        double zy = PopArgReal();
        double zx = PopArgReal();
        SetZoomXY(zx, zy);
        return;
    }
    case 13: {
        double zy = PopArgReal();
        double zx = PopArgReal();
        double d = PopArgReal();
        SetAngleZoomXY(angle + d, zx, zy);
        return;
    }
    case 14:
        Link(PopVisibleObject(false));
        return;
    case 15:
        Unlink();
        return;
    case 16:
        smooth = PopArgInt();
        return;
    case 17: {
        // The four arguments are taken whether or not the filter is linked,
        // so a script that polls every frame keeps its stack balanced.
        int t = PopArgInt();
        int v = PopArgInt();
        int y = PopArgInt();
        int x = PopArgInt();
        PushInt(linked && linked->IsInImage(x, y, v != 0, t != 0, GetOutputImage()) ? 1 : 0);
        return;
    }
    case 18:
        placement = PopArgInt();
        return;
    case 19:
        AddBlend(PopVisibleObject(false), BLEND_OVER);
        return;
    case 20:
        RemoveBlend(PopVisibleObject(false));
        return;
    case 21:
        RemoveAllBlends();
        return;
    case 22:
        SetOpacity(PopArgInt());
        return;
    case 23:
        PushInt(opacity);
        return;
    case 24: {
        int y = PopArgInt();
        int x = PopArgInt();
        SetRotPoint(x, y);
        return;
    }
    case 25:
        PushReal(static_cast<float>(zoomX));
        return;
    case 26:
        PushReal(static_cast<float>(zoomY));
        return;
    case 27:
    case 32:
        SetAngle(PopArgReal());
        return;
    case 28:
        PushReal(static_cast<float>(angle));
        return;
    case 29: {
        double z = PopArgReal();
        double a = PopArgReal();
        SetAngleZoom(a, z);
        return;
    }
    case 30: {
        double zy = PopArgReal();
        double zx = PopArgReal();
        double a = PopArgReal();
        SetAngleZoomXY(a, zx, zy);
        return;
    }
    case 31:
        AddBlend(PopVisibleObject(false), BLEND_MASK);
        return;
    case 33:
        PushInt(level);
        return;
    case 34:
        SetLevel(PopArgInt());
        return;
    case 35: {
        int vertical = PopArgInt();
        int horizontal = PopArgInt();
        ReverseXY(horizontal, vertical);
        return;
    }
    case 36:
        maskAlpha = PopArgInt();
        return;
    case 37:
        AddBlend(PopVisibleObject(false), BLEND_LINEARDODGE);
        return;
    case 38:
        AddBlend(PopVisibleObject(false), BLEND_LOUPE);
        return;
    case 39:
        AddBlend(PopVisibleObject(false), BLEND_UMASK);
        return;
    default: {
        std::string line = "\nfilter unknown built in method " + std::to_string(index) + "\n";
        FatalExit(line, 1);
    }
    }
}

void RegisterFilterScriptClass() {
    RegisterScriptClass({"filter", 19, ddFilter::InitMethods, ddFilter::FreeMethods, FilterClass, NewFilter});
}
