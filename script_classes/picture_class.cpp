#include "script_classes/picture_class.h"

#include <string>

#include "graphics/graph_api.h"
#include "graphics/stage.h"
#include "scene/scene.h"
#include "script/arg_ops.h"
#include "script/method_table.h"
#include "script_classes/object_args.h"

namespace {

// A named picture argument; an unknown name is fatal, another kind of
// object gives null.
Obraz* PopPicture(asmInterpreter& m) { return PopVisibleObject(m, true); }

}  // namespace

asmClassObraz::asmClassObraz(asmClass* cls, const char* name) {
    SetClass(cls);
    CurrentStage().AddDrawable(this);
    if (name) SetName(name);
    DisplayFormatDone = 0;
}

void asmClassObraz::BlitScreen() {
    SDL_Surface* target = GetScreenImage()->surface;
    if (!target) return;
    CurrentScene().DrawSnapshot(target, this);
    // What was drawn may have given this picture other pixels.
    if (SDL_Surface* now = GetScreenImage()->surface) SDL_UpdateRect(now, 0, 0, 0, 0);
    SetRedraw();
}

// The script methods: each name with its built-in index and handler.
// 51 names for 49 methods; 26 and 27 carry none.
struct asmClassObraz::ScriptMethods {
    static void PushX(asmClassObraz& self, asmInterpreter& m, int) { PushInt(m, self.GetX()); }
    static void PushY(asmClassObraz& self, asmInterpreter& m, int) { PushInt(m, self.GetY()); }
    static void BlendThroughMask(asmClassObraz& self, asmInterpreter& m, int index) {
        Obraz* b = PopPicture(m);
        Obraz* a = PopPicture(m);
        if (!a || !b) return;
        if (index == 48)
            GraphAPI::BlendThroughMaskRGB(self.GetScreenImage(), a->GetDrawImage(), b->GetDrawImage());
        else
            GraphAPI::BlendThroughMask(self.GetScreenImage(), a->GetDrawImage(), b->GetDrawImage());
        SetRedraw();
    }
    static constexpr MethodRow<asmClassObraz> kRows[] = {
        {"create", 0,
         [](asmClassObraz& self, asmInterpreter& m, int) {
             int v[6];
             PopInts(m, v);
             self.DisplayFormatDone = 0;
             self.Create(v[0], v[1], v[2], v[3], v[4], v[5]);
         }},
        {"copy", 1,
         [](asmClassObraz& self, asmInterpreter& m, int) {
             if (Obraz* other = PopPicture(m)) self.Copy(other);
         }},
        {"load", 2,
         [](asmClassObraz& self, asmInterpreter& m, int) {
             std::string file = PopText(m);
             self.DisplayFormatDone = 0;
             self.Load(file.c_str(), 1);
         }},
        {"lodx", 3, [](asmClassObraz& self, asmInterpreter& m, int) { PushInt(m, self.GetLodX()); }},
        {"lody", 4, [](asmClassObraz& self, asmInterpreter& m, int) { PushInt(m, self.GetLodY()); }},
        {"setpos", 5,
         [](asmClassObraz& self, asmInterpreter& m, int) {
             int v[2];
             PopInts(m, v);
             self.SetPos(v[0], v[1]);
         }},
        {"getpx", 6, PushX},
        {"getposx", 6, PushX},
        {"getpy", 7, PushY},
        {"getposy", 7, PushY},
        {"getcx", 8, [](asmClassObraz& self, asmInterpreter& m, int) { PushInt(m, self.GetCenterX()); }},
        {"getcy", 9, [](asmClassObraz& self, asmInterpreter& m, int) { PushInt(m, self.GetCenterY()); }},
        {"getex", 10, [](asmClassObraz& self, asmInterpreter& m, int) { PushInt(m, self.GetEndX()); }},
        {"getey", 11, [](asmClassObraz& self, asmInterpreter& m, int) { PushInt(m, self.GetEndY()); }},
        {"setz", 12, [](asmClassObraz& self, asmInterpreter& m, int) { self.SetLayer(PopArgInt(m)); }},
        {"getz", 13, [](asmClassObraz& self, asmInterpreter& m, int) { PushInt(m, self.GetLayer()); }},
        {"isin", 14,
         [](asmClassObraz& self, asmInterpreter& m, int) {
             int v[4];
             PopInts(m, v);
             PushInt(m, self.IsIn(v[0], v[1], v[2] != 0, v[3] != 0) ? 1 : 0);
         }},
        {"move", 15,
         [](asmClassObraz& self, asmInterpreter& m, int) {
             int v[2];
             PopInts(m, v);
             self.Move(v[0], v[1]);
         }},
        {"show", 16, [](asmClassObraz& self, asmInterpreter&, int) { self.Show(); }},
        {"hide", 17, [](asmClassObraz& self, asmInterpreter&, int) { self.Hide(); }},
        {"transparency", 18,
         [](asmClassObraz& self, asmInterpreter& m, int) {
             int alpha = PopArgInt(m);
             if (!self.DisplayFormatDone) {
                 self.DisplayFormatDone = 1;
                 self.ToDisplayFormat();
             }
             self.SetTransparency(alpha);
         }},
        {"save", 19, [](asmClassObraz& self, asmInterpreter& m, int) { self.Save(PopText(m).c_str()); }},
        {"blit", 20,
         [](asmClassObraz& self, asmInterpreter& m, int) {
             if (Obraz* other = PopPicture(m)) self.Blit(other);
         }},
        {"clip", 21,
         [](asmClassObraz& self, asmInterpreter& m, int) {
             int v[4];
             PopInts(m, v);
             self.Clip(v[0], v[1], v[2], v[3]);
         }},
        {"geth", 22, [](asmClassObraz& self, asmInterpreter& m, int) { PushInt(m, self.GetHeight()); }},
        {"getw", 23, [](asmClassObraz& self, asmInterpreter& m, int) { PushInt(m, self.GetWidth()); }},
        {"isvisible", 24,
         [](asmClassObraz& self, asmInterpreter& m, int) { PushInt(m, self.IsVisible() ? 1 : 0); }},
        {"getpos", 25,
         [](asmClassObraz& self, asmInterpreter& m, int) {
             PushInt(m, self.GetX());
             PushInt(m, self.GetY());
         }},
        {"getrgba", 28,
         [](asmClassObraz& self, asmInterpreter& m, int) {
             int v[2];
             PopInts(m, v);
             uint8_t r = 0, g = 0, b = 0, a = 0;
             self.GetRGBA(v[0], v[1], &r, &g, &b, &a);
             PushInt(m, r);
             PushInt(m, g);
             PushInt(m, b);
             PushInt(m, a);
         }},
        {"getrgb", 29,
         [](asmClassObraz& self, asmInterpreter& m, int) {
             int v[2];
             PopInts(m, v);
             uint8_t r = 0, g = 0, b = 0;
             self.GetRGB(v[0], v[1], &r, &g, &b);
             PushInt(m, r);
             PushInt(m, g);
             PushInt(m, b);
         }},
        {"clone", 30,
         [](asmClassObraz& self, asmInterpreter& m, int) {
             if (Obraz* other = PopPicture(m)) self.Clone(other);
         }},
        {"putrgba", 31,
         [](asmClassObraz& self, asmInterpreter& m, int) {
             int v[6];
             PopInts(m, v);
             self.PutRGBA(v[0], v[1], v[2], v[3], v[4], v[5]);
         }},
        {"putrgb", 32,
         [](asmClassObraz& self, asmInterpreter& m, int) {
             int v[5];
             PopInts(m, v);
             self.PutRGB(v[0], v[1], v[2], v[3], v[4]);
         }},
        {"equal", 33,
         [](asmClassObraz& self, asmInterpreter& m, int) {
             Obraz* other = PopPicture(m);
             PushInt(m, other && self.Equal(other) ? 1 : 0);
         }},
        {"convert", 34,
         [](asmClassObraz& self, asmInterpreter& m, int) {
             if (Obraz* other = PopPicture(m)) {
                 GraphAPI::ConvertSurface(self.GetImage(), other->GetImage());
                 self.Refresh();
             }
         }},
        {"erase", 35,
         [](asmClassObraz& self, asmInterpreter& m, int) {
             if (Obraz* other = PopPicture(m)) {
                 GraphAPI::CutOutMask(self.GetScreenImage(), other->GetDrawImage());
                 SetRedraw();
             }
         }},
        {"paint", 36,
         [](asmClassObraz& self, asmInterpreter& m, int) {
             int v[5];
             PopInts(m, v);
             self.Paint(v[0], v[1], v[2], v[3], v[4]);
         }},
        {"blitscreen", 37, [](asmClassObraz& self, asmInterpreter&, int) { self.BlitScreen(); }},
        {"withincut", 38,
         [](asmClassObraz& self, asmInterpreter& m, int) {
             int v[2];
             PopInts(m, v);
             PushInt(m, self.WithinCut(v[0], v[1]) ? 1 : 0);
         }},
        {"blitmask", 39,
         [](asmClassObraz& self, asmInterpreter& m, int) {
             Obraz* mask = PopPicture(m);
             Obraz* source = PopPicture(m);
             if (source && mask) {
                 self.BlitMask(source, mask);
                 SetRedraw();
             }
         }},
        {"scale", 40,
         [](asmClassObraz& self, asmInterpreter& m, int) {
             float fy = PopArgReal(m);
             float fx = PopArgReal(m);
             self.Scale(fx, fy);
         }},
        {"loadbuffer", 41,
         [](asmClassObraz& self, asmInterpreter& m, int) { self.LoadBuffer(PopText(m).c_str()); }},
        {"createfrombuffer", 42, [](asmClassObraz& self, asmInterpreter&, int) { self.CreateFromBuffer(); }},
        {"free", 43, [](asmClassObraz& self, asmInterpreter&, int) { self.Free(); }},
        {"rle", 44, [](asmClassObraz& self, asmInterpreter&, int) { self.SetRLE(); }},
        {"buildrotozoom", 45,
         [](asmClassObraz& self, asmInterpreter& m, int) {
             float zy = PopArgReal(m);
             float zx = PopArgReal(m);
             float angle = PopArgReal(m);
             if (Obraz* other = PopPicture(m)) self.BuildRotozoom(other, angle, zx, zy);
         }},
        {"bitmask", 46, [](asmClassObraz& self, asmInterpreter& m, int) { self.SetBitmask(PopArgInt(m)); }},
        {"setlodxy", 47,
         [](asmClassObraz& self, asmInterpreter& m, int) {
             int v[2];
             PopInts(m, v);
             self.lodX = v[0];
             self.lodY = v[1];
         }},
        {"paintfromgrey", 48, BlendThroughMask},
        {"paintfromsrc", 49, BlendThroughMask},
        {"loadnoscale", 50,
         [](asmClassObraz& self, asmInterpreter& m, int) {
             std::string file = PopText(m);
             self.DisplayFormatDone = 0;
             self.Load(file.c_str(), 0);
         }},
    };
    static_assert(std::size(kRows) == 51);
    static constexpr UnknownMethod kUnknown{"image unknown built in method %d\n", OnUnknown::End};
    static constexpr MethodTable<asmClassObraz> kTable{kRows, kUnknown};
};

template class asmScriptClass<asmClassObraz, Obraz>;
