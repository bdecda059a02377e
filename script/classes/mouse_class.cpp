#include "script/classes/mouse_class.h"

#include <cstdio>
#include <string>

#include "graphics/obraz.h"
#include "script/arg_ops.h"
#include "script/classes/object_args.h"
#include "script/method_table.h"
#include "script/script_types.h"
#include "shell/button.h"
#include "shell/input_state.h"
#include "shell/mouse.h"

asmClass* asmClassMouse::Methods = nullptr;

namespace {

// 18 names for 16 methods.
constexpr MethodName kMouseMethods[] = {
    {"getpx", 0},      {"getposx", 0},   {"getpy", 1},      {"getposy", 1},  {"setcursor", 2},
    {"show", 3},       {"hide", 4},      {"stdcursor", 5},  {"stdbutcursor", 6}, {"getcx", 7},
    {"getcy", 8},      {"setpos", 9},    {"getpos", 10},    {"isvisible", 11}, {"showsys", 12},
    {"hidesys", 13},   {"getsyspos", 14}, {"setsyscursor", 15},
};
static_assert(std::size(kMouseMethods) == 18);

asmClassObj* NewMouse(asmClass* cls, const char* name) { return new asmClassMouse(cls, name); }
asmClass* MouseClass() { return asmClassMouse::Methods; }

}  // namespace

asmClassMouse::asmClassMouse(asmClass* cls, const char* name) : asmClassObj(cls) { SetName(name); }

asmClassMouse::~asmClassMouse() = default;

ddMouse* asmClassMouse::Mouse() { return ddMouse::Instance; }

void asmClassMouse::InitMethods() {
    FreeMethods();
    Methods = BuildClass(kMouseMethods);
}

void asmClassMouse::FreeMethods() { FreeClass(Methods); }

void asmClassMouse::CallBuiltIn(asmInterpreter*, int index) {
    ddMouse* mouse = Mouse();
    switch (index) {
    case 0:
        PushInt(GetMouseX());
        return;
    case 1:
        PushInt(GetMouseY());
        return;
    case 2:
        if (Obraz* picture = PopVisibleObject(true); picture && mouse) mouse->SetCursorObraz(picture);
        return;
    case 3:
        if (mouse) mouse->Show();
        return;
    case 4:
        if (mouse) mouse->Hide();
        return;
    case 5:
        if (mouse) mouse->RestoreDefault();
        return;
    case 6:
        if (Obraz* picture = PopVisibleObject(true)) CreateSharedImage(picture);
        return;
    case 7: {
        Obraz* cursor = mouse ? mouse->GetCursorObraz() : nullptr;
        PushInt(cursor ? cursor->GetCenterX() : 0);
        return;
    }
    case 8: {
        Obraz* cursor = mouse ? mouse->GetCursorObraz() : nullptr;
        PushInt(cursor ? cursor->GetCenterY() : 0);
        return;
    }
    case 9: {
        int y = PopArgInt();
        int x = PopArgInt();
        if (mouse) mouse->WarpTo(x, y);
        return;
    }
    case 10:
        PushInt(GetMouseX());
        PushInt(GetMouseY());
        return;
    case 11:
        PushInt(mouse ? mouse->IsVisible() : 0);
        return;
    case 12:
        ShowCursorAtMouse();
        return;
    case 13:
        HideCursor();
        return;
    case 14: {
        InputSource& in = CurrentInput();
        in.PumpEvents();
        int x = 0, y = 0;
        in.GetMouseState(&x, &y);
        PushInt(x);
        PushInt(y);
        return;
    }
    case 15:
        if (Obraz* picture = PopVisibleObject(true); picture && mouse) mouse->SetHardwareCursor(picture);
        return;
    default: {
        std::string line = "mouse unknown built in method " + std::to_string(index) + "\n";
        std::fwrite(line.data(), 1, line.size(), stdout);
        return;
    }
    }
}

void RegisterMouseScriptClass() {
    RegisterScriptClass({"mouse", -1, asmClassMouse::InitMethods, asmClassMouse::FreeMethods, MouseClass, NewMouse});
}
