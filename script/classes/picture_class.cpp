#include "script/classes/picture_class.h"

#include <string>

#include "foundation/fatal.h"
#include "graphics/filter.h"
#include "graphics/graph_api.h"
#include "script/arg_ops.h"
#include "script/classes/object_args.h"
#include "script/method_table.h"
#include "script/script_types.h"
#include "shell/input_state.h"
#include "shell/scene.h"

asmClass* asmClassObraz::Methods = nullptr;

namespace {

// 51 names for 49 methods; 26 and 27 carry none.
constexpr MethodName kPictureMethods[] = {
    {"create", 0},         {"copy", 1},           {"load", 2},          {"lodx", 3},
    {"lody", 4},           {"setpos", 5},         {"getpx", 6},         {"getposx", 6},
    {"getpy", 7},          {"getposy", 7},        {"getcx", 8},         {"getcy", 9},
    {"getex", 10},         {"getey", 11},         {"setz", 12},         {"getz", 13},
    {"isin", 14},          {"move", 15},          {"show", 16},         {"hide", 17},
    {"transparency", 18},  {"save", 19},          {"blit", 20},         {"clip", 21},
    {"geth", 22},          {"getw", 23},          {"isvisible", 24},    {"getpos", 25},
    {"getrgba", 28},       {"getrgb", 29},        {"clone", 30},        {"putrgba", 31},
    {"putrgb", 32},        {"equal", 33},         {"convert", 34},      {"erase", 35},
    {"paint", 36},         {"blitscreen", 37},    {"withincut", 38},    {"blitmask", 39},
    {"scale", 40},         {"loadbuffer", 41},    {"createfrombuffer", 42}, {"free", 43},
    {"rle", 44},           {"buildrotozoom", 45}, {"bitmask", 46},      {"setlodxy", 47},
    {"paintfromgrey", 48}, {"paintfromsrc", 49},  {"loadnoscale", 50},
};
static_assert(std::size(kPictureMethods) == 51);

asmClassObj* NewPicture(asmClass* cls, const char* name) { return new asmClassObraz(cls, name); }
asmClass* PictureClass() { return asmClassObraz::Methods; }

// A named picture argument; an unknown name is fatal, another kind of
// object gives null.
Obraz* PopPicture() { return PopVisibleObject(true); }

}  // namespace

asmClassObraz::asmClassObraz(asmClass* cls, const char* name) {
    SetClass(cls);
    if (ddScene::Current) ddScene::Current->AddDrawable(this);
    if (name) SetName(name);
    DisplayFormatDone = 0;
}

asmClassObraz::~asmClassObraz() {
    if (ddScene::Current) ddScene::Current->RemoveDrawable(this);
}

void asmClassObraz::InitMethods() {
    FreeMethods();
    Methods = BuildClass(kPictureMethods);
}

void asmClassObraz::FreeMethods() { FreeClass(Methods); }

void asmClassObraz::BlitScreen() {
    SDL_Surface* target = GetScreenImage()->surface;
    ddScene* scene = ddScene::Current;
    if (!target || !scene) return;
    for (int i = 0; i < scene->DrawableSlots(); ++i) {
        Obraz* d = scene->DrawableAt(i);
        if (!d || d == this || !d->IsOnScreen() || !d->IsVisible()) continue;
        if (ObrazFilter* linkedFilter = d->GetLinkedFilter()) {
            if (auto* f = dynamic_cast<ddFilter*>(linkedFilter)) f->Draw(target);
            continue;
        }
        Image* shown = d->GetVisibleImage();
        if (shown && shown->surface) GraphAPI::BlitToSurface(shown, target);
    }
    SDL_UpdateRect(target, 0, 0, 0, 0);
    SetRedraw();
}

void asmClassObraz::CallBuiltIn(asmInterpreter*, int index) {
    switch (index) {
    case 0: {
        int v[6];
        PopInts(v);
        DisplayFormatDone = 0;
        Create(v[0], v[1], v[2], v[3], v[4], v[5]);
        return;
    }
    case 1:
        if (Obraz* other = PopPicture()) Copy(other);
        return;
    case 2: {
        std::string file = PopText();
        DisplayFormatDone = 0;
        Load(file.c_str(), 1);
        return;
    }
    case 3:
        PushInt(GetLodX());
        return;
    case 4:
        PushInt(GetLodY());
        return;
    case 5: {
        int v[2];
        PopInts(v);
        SetPos(v[0], v[1]);
        return;
    }
    case 6:
        PushInt(GetX());
        return;
    case 7:
        PushInt(GetY());
        return;
    case 8:
        PushInt(GetCenterX());
        return;
    case 9:
        PushInt(GetCenterY());
        return;
    case 10:
        PushInt(GetEndX());
        return;
    case 11:
        PushInt(GetEndY());
        return;
    case 12:
        SetLayer(PopArgInt());
        return;
    case 13:
        PushInt(GetLayer());
        return;
    case 14: {
        int v[4];
        PopInts(v);
        PushInt(IsIn(v[0], v[1], v[2] != 0, v[3] != 0) ? 1 : 0);
        return;
    }
    case 15: {
        int v[2];
        PopInts(v);
        Move(v[0], v[1]);
        return;
    }
    case 16:
        Show();
        return;
    case 17:
        Hide();
        return;
    case 18: {
        int alpha = PopArgInt();
        if (!DisplayFormatDone) {
            DisplayFormatDone = 1;
            ToDisplayFormat();
        }
        SetTransparency(alpha);
        return;
    }
    case 19:
        Save(PopText().c_str());
        return;
    case 20:
        if (Obraz* other = PopPicture()) Blit(other);
        return;
    case 21: {
        int v[4];
        PopInts(v);
        Clip(v[0], v[1], v[2], v[3]);
        return;
    }
    case 22:
        PushInt(GetHeight());
        return;
    case 23:
        PushInt(GetWidth());
        return;
    case 24:
        PushInt(IsVisible() ? 1 : 0);
        return;
    case 25:
        PushInt(GetX());
        PushInt(GetY());
        return;
    case 28: {
        int v[2];
        PopInts(v);
        uint8_t r = 0, g = 0, b = 0, a = 0;
        GetRGBA(v[0], v[1], &r, &g, &b, &a);
        PushInt(r);
        PushInt(g);
        PushInt(b);
        PushInt(a);
        return;
    }
    case 29: {
        int v[2];
        PopInts(v);
        uint8_t r = 0, g = 0, b = 0;
        GetRGB(v[0], v[1], &r, &g, &b);
        PushInt(r);
        PushInt(g);
        PushInt(b);
        return;
    }
    case 30:
        if (Obraz* other = PopPicture()) Clone(other);
        return;
    case 31: {
        int v[6];
        PopInts(v);
        PutRGBA(v[0], v[1], v[2], v[3], v[4], v[5]);
        return;
    }
    case 32: {
        int v[5];
        PopInts(v);
        PutRGB(v[0], v[1], v[2], v[3], v[4]);
        return;
    }
    case 33: {
        Obraz* other = PopPicture();
        PushInt(other && Equal(other) ? 1 : 0);
        return;
    }
    case 34:
        if (Obraz* other = PopPicture()) {
            GraphAPI::ConvertSurface(GetImage(), other->GetImage());
            Refresh();
        }
        return;
    case 35:
        if (Obraz* other = PopPicture()) {
            GraphAPI::CutOutMask(GetScreenImage(), other->GetDrawImage());
            SetRedraw();
        }
        return;
    case 36: {
        int v[5];
        PopInts(v);
        Paint(v[0], v[1], v[2], v[3], v[4]);
        return;
    }
    case 37:
        BlitScreen();
        return;
    case 38: {
        int v[2];
        PopInts(v);
        PushInt(WithinCut(v[0], v[1]) ? 1 : 0);
        return;
    }
    case 39: {
        Obraz* mask = PopPicture();
        Obraz* source = PopPicture();
        if (source && mask) {
            BlitMask(source, mask);
            SetRedraw();
        }
        return;
    }
    case 40: {
        float fy = PopArgReal();
        float fx = PopArgReal();
        Scale(fx, fy);
        return;
    }
    case 41:
        LoadBuffer(PopText().c_str());
        return;
    case 42:
        CreateFromBuffer();
        return;
    case 43:
        Free();
        return;
    case 44:
        SetRLE();
        return;
    case 45: {
        float zy = PopArgReal();
        float zx = PopArgReal();
        float angle = PopArgReal();
        if (Obraz* other = PopPicture()) BuildRotozoom(other, angle, zx, zy);
        return;
    }
    case 46:
        SetBitmask(PopArgInt());
        return;
    case 47: {
        int v[2];
        PopInts(v);
        lodX = v[0];
        lodY = v[1];
        return;
    }
    case 48:
    case 49: {
        Obraz* b = PopPicture();
        Obraz* a = PopPicture();
        if (!a || !b) return;
        if (index == 48)
            GraphAPI::BlendThroughMaskRGB(GetScreenImage(), a->GetDrawImage(), b->GetDrawImage());
        else
            GraphAPI::BlendThroughMask(GetScreenImage(), a->GetDrawImage(), b->GetDrawImage());
        SetRedraw();
        return;
    }
    case 50: {
        std::string file = PopText();
        DisplayFormatDone = 0;
        Load(file.c_str(), 0);
        return;
    }
    default: {
        std::string line = "image unknown built in method " + std::to_string(index) + "\n";
        FatalExit(line, 1);
    }
    }
}

void RegisterPictureScriptClass() {
    RegisterScriptClass({"img", 15, asmClassObraz::InitMethods, asmClassObraz::FreeMethods, PictureClass, NewPicture});
}
