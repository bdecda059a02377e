#include "script_classes/font_class.h"

#include <string>

#include "script/arg_ops.h"
#include "script/method_table.h"
#include "script_classes/object_args.h"

asmClassFont::asmClassFont(asmClass* cls, const char* name) : asmScriptClass(cls) {
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
    // The font shares the text class's wording.
    static constexpr UnknownMethod kUnknown{"text unknown built in method %d\n", OnUnknown::End};
    static constexpr MethodTable<asmClassFont> kTable{kRows, kUnknown};
};

template class asmScriptClass<asmClassFont, ddFont>;
