#include "script/classes/button_class.h"

#include <iterator>
#include <string>

#include "foundation/fatal.h"
#include "graphics/filter.h"
#include "graphics/obraz_filter.h"
#include "script/arg_ops.h"
#include "script/classes/object_args.h"
#include "script/classes/script_event.h"
#include "script/interpreter.h"
#include "script/method_table.h"
#include "script/script_types.h"
#include "shell/scene.h"

asmClass* asmClassButton::Methods = nullptr;

namespace {

constexpr MethodName kButtonMethods[] = {
    {"set", 0},   {"enable", 1},  {"disable", 2},   {"setmouse", 3}, {"setan", 4},
    {"setflags", 5}, {"show", 6}, {"hide", 7},      {"getimg", 8},   {"disabled", 9},
    {"pause", 10}, {"resume", 11}, {"setrect", 12}, {"setpos", 13},  {"setcursorpos", 14},
};
static_assert(std::size(kButtonMethods) == 15);

asmClassObj* NewButton(asmClass* cls, const char* name) { return new asmClassButton(cls, name); }
asmClass* ButtonClass() { return asmClassButton::Methods; }

// A picture argument: "null" is none; another name must name an object
// (fatal otherwise) and one that is not visible gives none.
Obraz* PopPictureOrNull() {
    std::string name = PopText();
    if (name == "null") return nullptr;
    return dynamic_cast<Obraz*>(FindNamedObject(name.c_str()));
}

// A visible object about to be destroyed leaves every button (and every
// filter's blend list, which shares the one hook).
void ForgetGoneObject(Obraz* object) { ddButton::ForgetPictureEverywhere(object); }

}  // namespace

asmClassButton::asmClassButton(asmClass* cls, const char* name) {
    SetClass(cls);
    if (name) SetName(name);
    AddObrazGoneHook(ForgetGoneObject);
    if (ddScene::Current) ddScene::Current->AddButton(this);
}

asmClassButton::~asmClassButton() {
    if (ddScene::Current) ddScene::Current->RemoveButton(this);
}

void asmClassButton::InitMethods() {
    FreeMethods();
    Methods = BuildClass(kButtonMethods);
}

void asmClassButton::FreeMethods() { FreeClass(Methods); }

void asmClassButton::OnMoveOn() { RaiseScriptEvent(this, EV_ONMOVEON); }
void asmClassButton::OnMoveOff() { RaiseScriptEvent(this, EV_ONMOVEOFF); }
void asmClassButton::OnClick() { RaiseScriptEvent(this, EV_ONCLICK); }
void asmClassButton::OnRelease() { RaiseScriptEvent(this, EV_ONREL); }

void asmClassButton::CallBuiltIn(asmInterpreter*, int index) {
    switch (index) {
    case 0:
    case 4: {
        Obraz* pressedPicture = PopPictureOrNull();
        Obraz* overPicture = PopPictureOrNull();
        Obraz* normalPicture = PopPictureOrNull();
        SetImages(normalPicture, overPicture, pressedPicture);
        return;
    }
    case 1:
        Refresh();
        return;
    case 2:
        Reset();
        return;
    case 3:
        SetHoverCursor(PopPictureOrNull());
        return;
    case 5: {
        int b = PopArgInt();
        int a = PopArgInt();
        SetModeFlags(a, b);
        return;
    }
    case 6:
        Enable();
        return;
    case 7:
        Disable();
        return;
    case 8: {
        Obraz* n = GetNormal();
        const char* name = n && n != GetArea() ? n->GetName() : nullptr;
        PushNameOrNull(name);
        return;
    }
    case 9:
        PushInt(IsHidden());
        return;
    case 10:
        Pause();
        return;
    case 11:
        Resume();
        return;
    case 12: {
        int h = PopArgInt();
        int w = PopArgInt();
        int y = PopArgInt();
        int x = PopArgInt();
        SetRect(x, y, w, h);
        return;
    }
    case 13: {
        int y = PopArgInt();
        int x = PopArgInt();
        for (Obraz* p : {GetPressed(), GetOver(), GetNormal()})
            if (p && p != GetArea()) p->SetPos(x, y);
        GetArea()->SetPos(x, y);
        return;
    }
    case 14: {
        int y = PopArgInt();
        int x = PopArgInt();
        SetPointOffset(x, y);
        return;
    }
    default: {
        std::string line = "\nbutton unknown built in method " + std::to_string(index);
        FatalExit(line, 1);
    }
    }
}

void RegisterButtonScriptClass() {
    RegisterScriptClass({"button", 17, asmClassButton::InitMethods, asmClassButton::FreeMethods, ButtonClass, NewButton});
}
