#include "script_classes/mouse_class.h"

#include <cstdio>
#include <string>

#include "graphics/obraz.h"
#include "platform/input_source.h"
#include "platform/input_state.h"
#include "script/arg_ops.h"
#include "script/method_table.h"
#include "script_classes/object_args.h"
#include "shell/button.h"
#include "shell/mouse.h"

asmClassMouse::asmClassMouse(asmClass* cls, const char* name) : asmScriptClass(cls) { SetName(name); }

asmClassMouse::~asmClassMouse() = default;

ddMouse* asmClassMouse::Mouse() { return ddMouse::Instance; }

// The script methods: each name with its built-in index and handler.
// 18 names for 16 methods.
struct asmClassMouse::ScriptMethods {
    static void PushX(asmClassMouse&, asmInterpreter& m, int) { PushInt(m, GetMouseX()); }
    static void PushY(asmClassMouse&, asmInterpreter& m, int) { PushInt(m, GetMouseY()); }
    static constexpr MethodRow<asmClassMouse> kRows[] = {
        {"getpx", 0, PushX},
        {"getposx", 0, PushX},
        {"getpy", 1, PushY},
        {"getposy", 1, PushY},
        {"setcursor", 2,
         [](asmClassMouse&, asmInterpreter& m, int) {
             ddMouse* mouse = Mouse();
             if (Obraz* picture = PopVisibleObject(m, true); picture && mouse) mouse->SetCursorObraz(picture);
         }},
        {"show", 3,
         [](asmClassMouse&, asmInterpreter&, int) {
             ddMouse* mouse = Mouse();
             if (mouse) mouse->Show();
         }},
        {"hide", 4,
         [](asmClassMouse&, asmInterpreter&, int) {
             ddMouse* mouse = Mouse();
             if (mouse) mouse->Hide();
         }},
        {"stdcursor", 5,
         [](asmClassMouse&, asmInterpreter&, int) {
             ddMouse* mouse = Mouse();
             if (mouse) mouse->RestoreDefault();
         }},
        {"stdbutcursor", 6,
         [](asmClassMouse&, asmInterpreter& m, int) {
             if (Obraz* picture = PopVisibleObject(m, true)) CreateSharedImage(picture);
         }},
        {"getcx", 7,
         [](asmClassMouse&, asmInterpreter& m, int) {
             ddMouse* mouse = Mouse();
             Obraz* cursor = mouse ? mouse->GetCursorObraz() : nullptr;
             PushInt(m, cursor ? cursor->GetCenterX() : 0);
         }},
        {"getcy", 8,
         [](asmClassMouse&, asmInterpreter& m, int) {
             ddMouse* mouse = Mouse();
             Obraz* cursor = mouse ? mouse->GetCursorObraz() : nullptr;
             PushInt(m, cursor ? cursor->GetCenterY() : 0);
         }},
        {"setpos", 9,
         [](asmClassMouse&, asmInterpreter& m, int) {
             ddMouse* mouse = Mouse();
             int y = PopArgInt(m);
             int x = PopArgInt(m);
             if (mouse) mouse->WarpTo(x, y);
         }},
        {"getpos", 10,
         [](asmClassMouse&, asmInterpreter& m, int) {
             PushInt(m, GetMouseX());
             PushInt(m, GetMouseY());
         }},
        {"isvisible", 11,
         [](asmClassMouse&, asmInterpreter& m, int) {
             ddMouse* mouse = Mouse();
             PushInt(m, mouse ? mouse->IsVisible() : 0);
         }},
        {"showsys", 12, [](asmClassMouse&, asmInterpreter&, int) { ShowCursorAtMouse(); }},
        {"hidesys", 13, [](asmClassMouse&, asmInterpreter&, int) { HideCursor(); }},
        {"getsyspos", 14,
         [](asmClassMouse&, asmInterpreter& m, int) {
             InputSource& in = CurrentInput();
             in.PumpEvents();
             int x = 0, y = 0;
             in.GetMouseState(&x, &y);
             PushInt(m, x);
             PushInt(m, y);
         }},
        {"setsyscursor", 15,
         [](asmClassMouse&, asmInterpreter& m, int) {
             ddMouse* mouse = Mouse();
             if (Obraz* picture = PopVisibleObject(m, true); picture && mouse)
                 mouse->SetHardwareCursor(picture);
         }},
    };
    static_assert(std::size(kRows) == 18);
    static constexpr UnknownMethod kUnknown{"mouse unknown built in method %d\n", OnUnknown::Report};
    static constexpr MethodTable<asmClassMouse> kTable{kRows, kUnknown};
};

template class asmScriptClass<asmClassMouse, asmClassObj>;
