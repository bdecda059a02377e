#include "script_classes/text_class.h"

#include <string>

#include "graphics/font.h"
#include "scene/scene.h"
#include "script/arg_ops.h"
#include "script/interpreter.h"
#include "script/method_table.h"
#include "script_classes/object_args.h"

asmClassText::asmClassText(asmClass* cls, const char* name) {
    SetClass(cls);
    CurrentStage().AddDrawable(this);
    if (name) SetName(name);
    SetText("");
}

// The script methods: each name with its built-in index and handler.
struct asmClassText::ScriptMethods {
    static constexpr MethodRow<asmClassText> kRows[] = {
        {"set", 0, [](asmClassText& self, asmInterpreter& m, int) { self.SetText(PopText(m).c_str()); }},
        {"isin", 1,
         [](asmClassText& self, asmInterpreter& m, int) {
             int v[4];
             PopInts(m, v);
             PushInt(m, self.IsIn(v[0], v[1], v[2] != 0, v[3] != 0) ? 1 : 0);
         }},
        {"letall", 2, [](asmClassText& self, asmInterpreter&, int) { self.LetAll(); }},
        {"letalf", 3, [](asmClassText& self, asmInterpreter&, int) { self.LetAlpha(); }},
        {"letcyph", 4, [](asmClassText& self, asmInterpreter&, int) { self.LetCiphers(); }},
        {"lock", 5, [](asmClassText& self, asmInterpreter&, int) { self.Lock(); }},
        {"unlock", 6, [](asmClassText& self, asmInterpreter&, int) { self.Unlock(); }},
        {"unlocked", 7,
         [](asmClassText& self, asmInterpreter& m, int) { PushInt(m, self.IsUnlocked() ? 1 : 0); }},
        {"setz", 8, [](asmClassText& self, asmInterpreter& m, int) { self.SetLayer(PopArgInt(m)); }},
        {"getz", 9, [](asmClassText& self, asmInterpreter& m, int) { PushInt(m, self.GetLayer()); }},
        {"setpos", 10,
         [](asmClassText& self, asmInterpreter& m, int) {
             int v[2];
             PopInts(m, v);
             self.SetPos(v[0], v[1]);
         }},
        {"getpx", 11, [](asmClassText& self, asmInterpreter& m, int) { PushInt(m, self.GetX()); }},
        {"getpy", 12, [](asmClassText& self, asmInterpreter& m, int) { PushInt(m, self.GetY()); }},
        {"setbkg", 13,
         [](asmClassText& self, asmInterpreter& m, int) {
             int v[8];
             PopInts(m, v);
             self.CreateBackground(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
         }},
        {"copybkg", 14,
         [](asmClassText& self, asmInterpreter& m, int) {
             Obraz* object = PopVisibleObject(m, true);
             int v[2];
             PopInts(m, v);
             if (object) self.CopyPlacement(v[0], v[1], object);
         }},
        {"getcx", 15, [](asmClassText& self, asmInterpreter& m, int) { PushInt(m, self.GetCenterX()); }},
        {"getcy", 16, [](asmClassText& self, asmInterpreter& m, int) { PushInt(m, self.GetCenterY()); }},
        {"getex", 17, [](asmClassText& self, asmInterpreter& m, int) { PushInt(m, self.GetEndX()); }},
        {"getey", 18, [](asmClassText& self, asmInterpreter& m, int) { PushInt(m, self.GetEndY()); }},
        {"setborders", 19,
         [](asmClassText& self, asmInterpreter& m, int) {
             int v[5];
             PopInts(m, v);
             self.DrawBackgroundRect(v[0], v[1], v[2], v[3], v[4]);
         }},
        {"show", 20, [](asmClassText& self, asmInterpreter&, int) { self.Show(); }},
        {"hide", 21, [](asmClassText& self, asmInterpreter&, int) { self.Hide(); }},
        {"pause", 22, [](asmClassText& self, asmInterpreter&, int) { self.Pause(); }},
        {"resume", 23, [](asmClassText& self, asmInterpreter&, int) { self.Resume(); }},
        {"createtxt", 24,
         [](asmClassText& self, asmInterpreter& m, int) {
             int v[3];
             PopInts(m, v);
             self.textR = v[0];
             self.textG = v[1];
             self.textB = v[2];
             self.Render(self.textR, self.textG, self.textB);
         }},
        {"get", 25, [](asmClassText& self, asmInterpreter& m, int) { PushString(m, self.GetText()); }},
        {"setfont", 26,
         [](asmClassText& self, asmInterpreter& m, int) {
             if (ddFont* f = PopObject<ddFont>(m)) self.SetFont(f);
         }},
        {"getw", 27, [](asmClassText& self, asmInterpreter& m, int) { PushInt(m, self.GetWidth()); }},
        {"geth", 28, [](asmClassText& self, asmInterpreter& m, int) { PushInt(m, self.GetHeight()); }},
        {"load", 29, [](asmClassText& self, asmInterpreter& m, int) { self.Load(PopText(m).c_str(), 1); }},
        {"loadtxt", 30,
         [](asmClassText& self, asmInterpreter& m, int) {
             int v[3];
             PopInts(m, v);
             std::string file = PopText(m);
             self.LoadTextFile(file.c_str(), v[0], v[1], v[2]);
         }},
        {"buildbkg", 31,
         [](asmClassText& self, asmInterpreter& m, int) {
             int v[4];
             PopInts(m, v);
             // A box exactly around the text as its font measures it.
             ddFont* f = self.GetFont();
             const int w = f ? f->TextWidth(self.GetText()) : 0;
             const int h = f ? f->TextHeight(self.GetText()) : 0;
             self.CreateBackground(self.GetX(), self.GetY(), w, h, v[0], v[1], v[2], v[3]);
         }},
        {"move", 32,
         [](asmClassText& self, asmInterpreter& m, int) {
             int v[2];
             PopInts(m, v);
             self.Move(v[0], v[1]);
         }},
        {"isvisible", 33,
         [](asmClassText& self, asmInterpreter& m, int) { PushInt(m, self.IsVisible() ? 1 : 0); }},
        {"create", 34,
         [](asmClassText& self, asmInterpreter&, int) { self.Render(self.textR, self.textG, self.textB); }},
        {"getcolor", 35,
         [](asmClassText& self, asmInterpreter& m, int) {
             PushInt(m, self.textR);
             PushInt(m, self.textG);
             PushInt(m, self.textB);
         }},
        {"clip", 36,
         [](asmClassText& self, asmInterpreter& m, int) {
             int v[4];
             PopInts(m, v);
             self.Clip(v[0], v[1], v[2], v[3]);
         }},
    };
    static_assert(std::size(kRows) == 37);
    static constexpr UnknownMethod kUnknown{"\ntext unknown built in method %d", OnUnknown::End};
    static constexpr MethodTable<asmClassText> kTable{kRows, kUnknown};
};

template class asmScriptClass<asmClassText, ddTekst>;
