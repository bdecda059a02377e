#include "script_classes/font_class.h"

#include <string>

#include "foundation/fatal.h"
#include "script/arg_ops.h"
#include "script/method_table.h"
#include "script/script_types.h"
#include "script_classes/object_args.h"

asmClass* asmClassFont::Methods = nullptr;

namespace {

asmClassObj* NewFont(asmClass* cls, const char* name) { return new asmClassFont(cls, name); }
asmClass* FontClass() { return asmClassFont::Methods; }

}  // namespace

asmClassFont::asmClassFont(asmClass* cls, const char* name) : ddFont(cls) {
    if (name) SetName(name);
}

asmClassFont::~asmClassFont() = default;

// The script methods: each name with its built-in index and handler.
struct asmClassFont::ScriptMethods {
    static constexpr MethodRow<asmClassFont> kRows[] = {
        {"load", 0,
         [](asmClassFont& self, asmInterpreter& m, int) {
             int size = PopArgInt(m);
             std::string file = PopText(m);
             self.Open(file.c_str(), size);
         }},
        {"getsize", 1, [](asmClassFont& self, asmInterpreter& m, int) { PushInt(m, self.GetLineHeight()); }},
    };
    static void Unknown(int index) {
        // The font shares the text class's wording.
        FatalExit("text unknown built in method " + std::to_string(index) + "\n", 1);
    }
    static constexpr MethodTable<asmClassFont> kTable{kRows, Unknown};
};

void asmClassFont::InitMethods() {
    FreeMethods();
    Methods = ScriptMethods::kTable.BuildClass();
}

void asmClassFont::FreeMethods() { FreeClass(Methods); }

void asmClassFont::CallBuiltIn(asmInterpreter* interp, int index) {
    ScriptMethods::kTable.Run(*this, interp, index);
}

void RegisterFontScriptClass() {
    RegisterScriptClass(
        {"font", 18, asmClassFont::InitMethods, asmClassFont::FreeMethods, FontClass, NewFont});
}
