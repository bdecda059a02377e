// The glue every built-in script class shares: its class descriptor
// `Methods`, built from the class's method table at the script machine's
// set-up (InitMethods) and freed at its end (FreeMethods), and CallBuiltIn,
// which runs a method by its index through that table.
//
// A class derives from asmScriptClass<itself, the engine class it exposes>
// and keeps its table, `ScriptMethods::kTable` (script/method_table.h), in
// its .cpp. The glue is made there, after the table, and only declared
// where the header is included, since the table is not visible there:
//
//   timer_class.h:   class asmClassTimer : public asmScriptClass<asmClassTimer, ddTimery> {
//                    public:
//                        struct ScriptMethods;
//                        ...
//                    };
//                    extern template class asmScriptClass<asmClassTimer, ddTimery>;
//   timer_class.cpp: struct asmClassTimer::ScriptMethods { ... kTable ... };
//                    template class asmScriptClass<asmClassTimer, ddTimery>;
//
// A class whose calls need more than the table (the game, the filter)
// overrides CallBuiltIn again and runs the table itself.
#pragma once

#include "foundation/asm_class_obj.h"
#include "script/method_table.h"

class asmInterpreter;

template <class Obj, class Base = asmClassObj>
class asmScriptClass : public Base {
public:
    using Base::Base;

    // The class descriptor: null before the machine's set-up and after its
    // end. Objects made by "new" are given it.
    static inline asmClass* Methods = nullptr;
    // Builds the descriptor from the table (again, if it was built).
    static void InitMethods();
    // Deletes the descriptor and leaves Methods null.
    static void FreeMethods();

    // Runs method `index` with the machine that called it; an index the
    // table does not name does what the table says.
    void CallBuiltIn(asmInterpreter* interp, int index) override;
};

// Out of the class, so that they are made only where the table is visible.
template <class Obj, class Base>
void asmScriptClass<Obj, Base>::InitMethods() {
    FreeMethods();
    Methods = Obj::ScriptMethods::kTable.BuildClass();
}

template <class Obj, class Base>
void asmScriptClass<Obj, Base>::FreeMethods() {
    FreeClass(Methods);
}

template <class Obj, class Base>
void asmScriptClass<Obj, Base>::CallBuiltIn(asmInterpreter* interp, int index) {
    Obj::ScriptMethods::kTable.Run(static_cast<Obj&>(*this), interp, index);
}
