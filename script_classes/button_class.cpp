#include "script_classes/button_class.h"

#include <iterator>
#include <string>

#include "scene/scene.h"
#include "script/arg_ops.h"
#include "script/interpreter.h"
#include "script/method_table.h"
#include "script_classes/object_args.h"
#include "script_classes/script_event.h"

namespace {

// A picture argument: "null" is none; another name must name an object
// (fatal otherwise) and one that is not visible gives none.
Obraz* PopPictureOrNull(asmInterpreter& m) {
    std::string name = PopText(m);
    if (name == "null") return nullptr;
    return dynamic_cast<Obraz*>(FindNamedObject(m, name.c_str()));
}

}  // namespace

asmClassButton::asmClassButton(asmClass* cls, const char* name) {
    SetClass(cls);
    if (name) SetName(name);
    CurrentScene().AddButton(this);
}

void asmClassButton::OnMoveOn() { RaiseScriptEvent(this, EV_ONMOVEON); }
void asmClassButton::OnMoveOff() { RaiseScriptEvent(this, EV_ONMOVEOFF); }
void asmClassButton::OnClick() { RaiseScriptEvent(this, EV_ONCLICK); }
void asmClassButton::OnRelease() { RaiseScriptEvent(this, EV_ONREL); }

// The script methods: each name with its built-in index and handler.
struct asmClassButton::ScriptMethods {
    static void SetPictures(asmClassButton& self, asmInterpreter& m, int) {
        Obraz* pressedPicture = PopPictureOrNull(m);
        Obraz* overPicture = PopPictureOrNull(m);
        Obraz* normalPicture = PopPictureOrNull(m);
        self.SetImages(normalPicture, overPicture, pressedPicture);
    }
    static constexpr MethodRow<asmClassButton> kRows[] = {
        {"set", 0, SetPictures},
        {"enable", 1, [](asmClassButton& self, asmInterpreter&, int) { self.Refresh(); }},
        {"disable", 2, [](asmClassButton& self, asmInterpreter&, int) { self.Reset(); }},
        {"setmouse", 3,
         [](asmClassButton& self, asmInterpreter& m, int) { self.SetHoverCursor(PopPictureOrNull(m)); }},
        {"setan", 4, SetPictures},
        {"setflags", 5,
         [](asmClassButton& self, asmInterpreter& m, int) {
             int b = PopArgInt(m);
             int a = PopArgInt(m);
             self.SetModeFlags(a, b);
         }},
        {"show", 6, [](asmClassButton& self, asmInterpreter&, int) { self.Enable(); }},
        {"hide", 7, [](asmClassButton& self, asmInterpreter&, int) { self.Disable(); }},
        {"getimg", 8,
         [](asmClassButton& self, asmInterpreter& m, int) {
             Obraz* n = self.GetNormal();
             const char* name = n && n != self.GetArea() ? n->GetName() : nullptr;
             PushNameOrNull(m, name);
         }},
        {"disabled", 9, [](asmClassButton& self, asmInterpreter& m, int) { PushInt(m, self.IsHidden()); }},
        {"pause", 10, [](asmClassButton& self, asmInterpreter&, int) { self.Pause(); }},
        {"resume", 11, [](asmClassButton& self, asmInterpreter&, int) { self.Resume(); }},
        {"setrect", 12,
         [](asmClassButton& self, asmInterpreter& m, int) {
             int h = PopArgInt(m);
             int w = PopArgInt(m);
             int y = PopArgInt(m);
             int x = PopArgInt(m);
             self.SetRect(x, y, w, h);
         }},
        {"setpos", 13,
         [](asmClassButton& self, asmInterpreter& m, int) {
             int y = PopArgInt(m);
             int x = PopArgInt(m);
             for (Obraz* p : {self.GetPressed(), self.GetOver(), self.GetNormal()})
                 if (p && p != self.GetArea()) p->SetPos(x, y);
             self.GetArea()->SetPos(x, y);
         }},
        {"setcursorpos", 14,
         [](asmClassButton& self, asmInterpreter& m, int) {
             int y = PopArgInt(m);
             int x = PopArgInt(m);
             self.SetPointOffset(x, y);
         }},
    };
    static_assert(std::size(kRows) == 15);
    static constexpr UnknownMethod kUnknown{"\nbutton unknown built in method %d", OnUnknown::End};
    static constexpr MethodTable<asmClassButton> kTable{kRows, kUnknown};
};

template class asmScriptClass<asmClassButton, ddButton>;
