#include "script/classes/menu_class.h"

#include <cstdio>
#include <iterator>
#include <string>

#include "foundation/fatal.h"
#include "script/arg_ops.h"
#include "script/asm_var.h"
#include "script/classes/object_args.h"
#include "script/interpreter.h"
#include "script/method_table.h"
#include "script/script_types.h"
#include "shell/scene.h"

asmClass* asmClassMenu::Methods = nullptr;

namespace {

constexpr MethodName kMenuMethods[] = {
    {"hide", 0},     {"show", 1},         {"on", 2},       {"isvissub", 3},  {"getid", 4},
    {"getcheckedtxt", 5}, {"getcheckedname", 6}, {"isin", 7}, {"setz", 8},   {"isvisible", 9},
    {"move", 10},    {"next", 11},        {"prev", 12},    {"getz", 13},     {"addback", 14},
    {"addfront", 15}, {"rewind", 16},     {"pause", 17},   {"resume", 18},
};
static_assert(std::size(kMenuMethods) == 19);

asmClassObj* NewMenu(asmClass* cls, const char* name) { return new asmClassMenu(cls, name); }
asmClass* MenuClass() { return asmClassMenu::Methods; }

// An argument that is an int when the value on the stack is one, otherwise
// the name of an item.
struct IntOrName {
    bool isInt = false;
    int value = 0;
    std::string name;
};

IntOrName PopIntOrName() {
    IntOrName a;
    asmInterpreter* m = asmInterpreter::Instance;
    if (m && m->sp >= 0 && m->StackCell(m->sp).GetType() == TYPE_INT) {
        a.isInt = true;
        a.value = PopArgInt();
    } else {
        a.name = PopText();
    }
    return a;
}

void Forbidden(const char* method, int value) {
    std::printf("\nmenu:%s forbidden argument :%d", method, value);
    std::fflush(stdout);
}

void PushTextOrNull(const char* s) { PushString(s ? s : "null"); }

// An item name; "null" names no item, which means the menu itself where an
// operation takes "item name or current".
const char* ItemName(const std::string& name) { return name == "null" ? nullptr : name.c_str(); }

}  // namespace

asmClassMenu::asmClassMenu(asmClass* cls, const char* name) {
    SetClass(cls);
    if (ddScene::Current) ddScene::Current->AddDrawable(this);
    if (name) SetName(name);
}

asmClassMenu::~asmClassMenu() {
    if (ddScene::Current) ddScene::Current->RemoveDrawable(this);
}

void asmClassMenu::InitMethods() {
    FreeMethods();
    Methods = BuildClass(kMenuMethods);
}

void asmClassMenu::FreeMethods() { FreeClass(Methods); }

void asmClassMenu::CallBuiltIn(asmInterpreter*, int index) {
    switch (index) {
    case 0: {
        IntOrName a = PopIntOrName();
        if (!a.isInt)
            Close(ItemName(a.name));
        else if (a.value == 0)
            Close(nullptr);
        else if (a.value == -1)
            Hide();
        else
            Forbidden("hide", a.value);
        return;
    }
    case 1: {
        IntOrName a = PopIntOrName();
        if (!a.isInt)
            Open(ItemName(a.name));
        else if (a.value == 0)
            Open(nullptr);
        else if (a.value == -1)
            Show();
        else
            Forbidden("show", a.value);
        return;
    }
    case 2:
        PushInt(IsSelected(PopText().c_str()) ? 1 : 0);
        return;
    case 3:
        PushInt(IsOpen(ItemName(PopText())) ? 1 : 0);
        return;
    case 4:
    case 13:
        PushInt(GetLayer());
        return;
    case 5:
        PushTextOrNull(GetSelectedValue());
        return;
    case 6:
        PushTextOrNull(GetSelectedLabel());
        return;
    case 7: {
        int q = PopArgInt();
        int p = PopArgInt();
        int y = PopArgInt();
        int x = PopArgInt();
        PushInt(IsIn(x, y, p != 0, q != 0) ? 1 : 0);
        return;
    }
    case 8:
        SetLayer(PopArgInt());
        return;
    case 9: {
        IntOrName a = PopIntOrName();
        if (!a.isInt)
            PushInt(Exists(ItemName(a.name)) ? 1 : 0);
        else if (a.value == -1)
            PushInt(IsVisible() ? 1 : 0);
        else
            Forbidden("isvisible", a.value);
        return;
    }
    case 10: {
        int dy = PopArgInt();
        int dx = PopArgInt();
        Move(dx, dy);
        return;
    }
    case 11:
        PageNext(ItemName(PopText()));
        return;
    case 12:
        PagePrev(ItemName(PopText()));
        return;
    case 14:
    case 15: {
        std::string source = PopText();
        std::string item = PopText();
        if (index == 14)
            FillSubmenus(ItemName(item), source.c_str());
        else
            FillItems(ItemName(item), source.c_str());
        return;
    }
    case 16: {
        int n = PopArgInt();
        std::string item = PopText();
        EnablePaging(ItemName(item), n);
        return;
    }
    case 17:
        Pause();
        return;
    case 18:
        Resume();
        return;
    default: {
        std::string line = "\nmenu unknown built in method " + std::to_string(index);
        FatalExit(line, 1);
    }
    }
}

void RegisterMenuScriptClass() {
    RegisterScriptClass({"menu", 13, asmClassMenu::InitMethods, asmClassMenu::FreeMethods, MenuClass, NewMenu});
}
