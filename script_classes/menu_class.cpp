#include "script_classes/menu_class.h"

#include <cstdio>
#include <iterator>
#include <string>

#include "scene/scene.h"
#include "script/arg_ops.h"
#include "script/asm_var.h"
#include "script/interpreter.h"
#include "script/method_table.h"
#include "script_classes/object_args.h"

namespace {

// An argument that is an int when the value on the stack is one, otherwise
// the name of an item.
struct IntOrName {
    bool isInt = false;
    int value = 0;
    std::string name;
};

IntOrName PopIntOrName(asmInterpreter& m) {
    IntOrName a;
    if (m.sp >= 0 && m.StackCell(m.sp).GetType() == TYPE_INT) {
        a.isInt = true;
        a.value = PopArgInt(m);
    } else {
        a.name = PopText(m);
    }
    return a;
}

void Forbidden(const char* method, int value) {
    std::printf("\nmenu:%s forbidden argument :%d", method, value);
    std::fflush(stdout);
}

void PushTextOrNull(asmInterpreter& m, const char* s) { PushString(m, s ? s : "null"); }

// An item name; "null" names no item, which means the menu itself where an
// operation takes "item name or current".
const char* ItemName(const std::string& name) { return name == "null" ? nullptr : name.c_str(); }

}  // namespace

asmClassMenu::asmClassMenu(asmClass* cls, const char* name) {
    SetClass(cls);
    CurrentStage().AddDrawable(this);
    if (name) SetName(name);
}

// The script methods: each name with its built-in index and handler.
struct asmClassMenu::ScriptMethods {
    static void PushLayer(asmClassMenu& self, asmInterpreter& m, int) { PushInt(m, self.GetLayer()); }
    static void FillFromFile(asmClassMenu& self, asmInterpreter& m, int index) {
        std::string source = PopText(m);
        std::string item = PopText(m);
        if (index == 14)
            self.FillSubmenus(ItemName(item), source.c_str());
        else
            self.FillItems(ItemName(item), source.c_str());
    }
    static constexpr MethodRow<asmClassMenu> kRows[] = {
        {"hide", 0,
         [](asmClassMenu& self, asmInterpreter& m, int) {
             IntOrName a = PopIntOrName(m);
             if (!a.isInt)
                 self.Close(ItemName(a.name));
             else if (a.value == 0)
                 self.Close(nullptr);
             else if (a.value == -1)
                 self.Hide();
             else
                 Forbidden("hide", a.value);
         }},
        {"show", 1,
         [](asmClassMenu& self, asmInterpreter& m, int) {
             IntOrName a = PopIntOrName(m);
             if (!a.isInt)
                 self.Open(ItemName(a.name));
             else if (a.value == 0)
                 self.Open(nullptr);
             else if (a.value == -1)
                 self.Show();
             else
                 Forbidden("show", a.value);
         }},
        {"on", 2,
         [](asmClassMenu& self, asmInterpreter& m, int) {
             PushInt(m, self.IsSelected(PopText(m).c_str()) ? 1 : 0);
         }},
        {"isvissub", 3,
         [](asmClassMenu& self, asmInterpreter& m, int) {
             PushInt(m, self.IsOpen(ItemName(PopText(m))) ? 1 : 0);
         }},
        {"getid", 4, PushLayer},
        {"getcheckedtxt", 5,
         [](asmClassMenu& self, asmInterpreter& m, int) { PushTextOrNull(m, self.GetSelectedValue()); }},
        {"getcheckedname", 6,
         [](asmClassMenu& self, asmInterpreter& m, int) { PushTextOrNull(m, self.GetSelectedLabel()); }},
        {"isin", 7,
         [](asmClassMenu& self, asmInterpreter& m, int) {
             int q = PopArgInt(m);
             int p = PopArgInt(m);
             int y = PopArgInt(m);
             int x = PopArgInt(m);
             PushInt(m, self.IsIn(x, y, p != 0, q != 0) ? 1 : 0);
         }},
        {"setz", 8, [](asmClassMenu& self, asmInterpreter& m, int) { self.SetLayer(PopArgInt(m)); }},
        {"isvisible", 9,
         [](asmClassMenu& self, asmInterpreter& m, int) {
             IntOrName a = PopIntOrName(m);
             if (!a.isInt)
                 PushInt(m, self.Exists(ItemName(a.name)) ? 1 : 0);
             else if (a.value == -1)
                 PushInt(m, self.IsVisible() ? 1 : 0);
             else
                 Forbidden("isvisible", a.value);
         }},
        {"move", 10,
         [](asmClassMenu& self, asmInterpreter& m, int) {
             int dy = PopArgInt(m);
             int dx = PopArgInt(m);
             self.Move(dx, dy);
         }},
        {"next", 11, [](asmClassMenu& self, asmInterpreter& m, int) { self.PageNext(ItemName(PopText(m))); }},
        {"prev", 12, [](asmClassMenu& self, asmInterpreter& m, int) { self.PagePrev(ItemName(PopText(m))); }},
        {"getz", 13, PushLayer},
        {"addback", 14, FillFromFile},
        {"addfront", 15, FillFromFile},
        {"rewind", 16,
         [](asmClassMenu& self, asmInterpreter& m, int) {
             int n = PopArgInt(m);
             std::string item = PopText(m);
             self.EnablePaging(ItemName(item), n);
         }},
        {"pause", 17, [](asmClassMenu& self, asmInterpreter&, int) { self.Pause(); }},
        {"resume", 18, [](asmClassMenu& self, asmInterpreter&, int) { self.Resume(); }},
    };
    static_assert(std::size(kRows) == 19);
    static constexpr UnknownMethod kUnknown{"\nmenu unknown built in method %d", OnUnknown::End};
    static constexpr MethodTable<asmClassMenu> kTable{kRows, kUnknown};
};

template class asmScriptClass<asmClassMenu, ddMenu>;
