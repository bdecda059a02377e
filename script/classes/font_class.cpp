#include "script/classes/font_class.h"

#include <string>

#include "foundation/fatal.h"
#include "script/arg_ops.h"
#include "script/classes/object_args.h"
#include "script/method_table.h"
#include "script/script_types.h"

asmClass* asmClassFont::Methods = nullptr;

namespace {

constexpr const char* kFontMethods[] = {"load", "getsize"};

asmClassObj* NewFont(asmClass* cls, const char* name) { return new asmClassFont(cls, name); }
asmClass* FontClass() { return asmClassFont::Methods; }

}  // namespace

asmClassFont::asmClassFont(asmClass* cls, const char* name) : ddFont(cls) {
    if (name) SetName(name);
}

asmClassFont::~asmClassFont() = default;

void asmClassFont::InitMethods() {
    FreeMethods();
    Methods = BuildClass(kFontMethods);
}

void asmClassFont::FreeMethods() { FreeClass(Methods); }

void asmClassFont::CallBuiltIn(asmInterpreter*, int index) {
    switch (index) {
    case 0: {
        int size = PopArgInt();
        std::string file = PopText();
        Open(file.c_str(), size);
        return;
    }
    case 1:
        PushInt(GetLineHeight());
        return;
    default:
        // The font shares the text class's wording.
        FatalExit("text unknown built in method " + std::to_string(index) + "\n", 1);
    }
}

void RegisterFontScriptClass() {
    RegisterScriptClass({"font", 18, asmClassFont::InitMethods, asmClassFont::FreeMethods, FontClass, NewFont});
}
