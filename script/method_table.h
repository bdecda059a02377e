// Method tables of the built-in script classes. A class lists its methods
// once, as rows of script name, built-in index and handler (the way
// script/opcodes.cpp lists the instructions), with what a call of an index
// no row names does. At the script machine's set-up the rows become the
// class's name map, which a call by name goes through to find the index;
// the handler of each index is fixed when the program is compiled, so
// running a built-in method is one array index.
//
// A class keeps its table in a nested struct ScriptMethods defined beside
// its handlers, so that the handlers (captureless lambdas or static member
// functions) have the class's own access; script/script_class.h turns the
// table into the class's descriptor and dispatch:
//
//   struct asmClassTimer::ScriptMethods {
//       static constexpr MethodRow<asmClassTimer> kRows[] = {
//           {"pause", 2, [](asmClassTimer& self, asmInterpreter&, int) { self.Pause(); }},
//           ...
//       };
//       static constexpr UnknownMethod kUnknown{"timer unknown built in method %d\n", OnUnknown::End};
//       static constexpr MethodTable<asmClassTimer> kTable{kRows, kUnknown};
//   };
#pragma once

#include <array>
#include <cstddef>
#include <span>

#include "foundation/asm_class_obj.h"
#include "foundation/dd_trie.h"

class asmInterpreter;

// One name of a built-in method, the index it calls and the handler that
// runs it. Names that share an index (aliases) list the same handler; one
// handler may serve several indices and tell them apart by `index`.
template <class Obj>
struct MethodRow {
    const char* name;
    int index;
    void (*run)(Obj& self, asmInterpreter& m, int index);
};

// What a call of an index that no row names does, in the class's own words
// and by its own choice: the words are written to standard output, "%d"
// standing for the index, and then the program ends with exit code 1
// (End) or the call does nothing more (Report).
enum class OnUnknown : bool { Report, End };
struct UnknownMethod {
    const char* words;
    OnUnknown choice;
};

// Carries out `unknown` for `index`.
void RunUnknownMethod(const UnknownMethod& unknown, int index);

// Reached only while a table is checked at compile time, where calling it
// stops the compilation at the faulty row with the reason in the source.
inline void RejectMethodRow(const char* /*reason*/) {}

// A class's rows and the handler of each index. Made at compile time, which
// rejects a row without a name, a name listed twice, an index outside
// 0..kMaxIndex-1, two handlers for one index and unknown-method words
// without text. An index no row names runs `unknown`.
template <class Obj>
class MethodTable {
public:
    using Handler = void (*)(Obj& self, asmInterpreter& m, int index);
    // Room for indices 0..63; the largest class uses 0..60.
    static constexpr int kMaxIndex = 64;

    // Handlers are compared only with each other: the sanitizer build cannot
    // compare a function's address with null at compile time.
    template <size_t N>
    consteval MethodTable(const MethodRow<Obj> (&rows)[N], UnknownMethod unknown)
        : rows(rows), unknown(unknown) {
        if (!unknown.words || !*unknown.words) RejectMethodRow("unknown-method words without text");
        std::array<bool, kMaxIndex> named{};
        for (size_t i = 0; i < N; ++i) {
            const MethodRow<Obj>& row = rows[i];
            if (!row.name || !*row.name) RejectMethodRow("a row without a name");
            if (row.index < 0 || row.index >= kMaxIndex) RejectMethodRow("an index out of range");
            for (size_t j = 0; j < i; ++j)
                if (SameName(rows[j].name, row.name)) RejectMethodRow("a name listed twice");
            const size_t at = static_cast<size_t>(row.index);
            if (named[at] && byIndex[at] != row.run) RejectMethodRow("two handlers for one index");
            named[at] = true;
            byIndex[at] = row.run;
        }
    }

    // A new class descriptor whose name map holds every row's name with its
    // index, in the rows' order; the caller owns it.
    asmClass* BuildClass() const {
        auto* cls = new asmClass;
        for (const MethodRow<Obj>& row : rows) SetTrieEntryValue(cls->methods, row.name, row.index);
        return cls;
    }

    // Runs the handler of `index` on `self` with the machine that called it,
    // or `unknown` for an index no row names (negative ones included) or
    // whose row has a null handler; only a handler needs the machine.
    void Run(Obj& self, asmInterpreter* m, int index) const {
        const Handler run = index >= 0 && index < kMaxIndex ? byIndex[static_cast<size_t>(index)] : nullptr;
        if (run)
            run(self, *m, index);
        else
            RunUnknownMethod(unknown, index);
    }

private:
    static constexpr bool SameName(const char* a, const char* b) {
        for (; *a && *a == *b; ++a) ++b;
        return *a == *b;
    }

    std::span<const MethodRow<Obj>> rows;
    UnknownMethod unknown;
    std::array<Handler, kMaxIndex> byIndex{};
};

// Deletes the table and leaves the pointer null.
inline void FreeClass(asmClass*& cls) {
    delete cls;
    cls = nullptr;
}
