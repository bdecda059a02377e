// The "vector" script class: its method table and dispatcher. The lists are
// the foundation's ddVector; this class picks the one of the current
// element type and moves values between it and the interpreter's stack.
#include "script/vector_class.h"

#include <cstdio>
#include <iterator>
#include <string>
#include <string_view>
#include <type_traits>

#include "foundation/fatal.h"
#include "script/arg_ops.h"
#include "script/asm_var.h"
#include "script/interpreter.h"
#include "script/method_table.h"

namespace {

constexpr const char* kTypeNames[] = {"int", "real", "string"};

// A popped argument (held in a register) converted to the element type.
void FromCell(asmVarReg* cell, int& out) { out = cell->GetInt(); }
void FromCell(asmVarReg* cell, float& out) { out = cell->GetReal(); }
void FromCell(asmVarReg* cell, ddString& out) {
    const char* s = cell->GetString();
    out = s ? s : "";
}

// An argument popped straight in the element type.
void PopTyped(asmInterpreter& m, int& out) { out = PopArgInt(m); }
void PopTyped(asmInterpreter& m, float& out) { out = PopArgReal(m); }
void PopTyped(asmInterpreter& m, ddString& out) { out = PopArgString(m); }

void PushElement(asmInterpreter& m, int v) { PushInt(m, v); }
void PushElement(asmInterpreter& m, float v) { PushReal(m, v); }
void PushElement(asmInterpreter& m, const ddString& v) { PushString(m, v.c_str() ? v.c_str() : ""); }

// The element as "print" writes it: ints in decimal, reals in the stream's
// default float form (six significant digits).
void AppendElement(std::string& out, int v) { out += std::to_string(v); }
void AppendElement(std::string& out, float v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g", static_cast<double>(v));
    out += buf;
}

// A value taken into register $a (or $b) and converted.
template <typename T>
T PopValue(asmInterpreter& m, int reg) {
    T v{};
    FromCell(PopArg(m, reg), v);
    return v;
}

}  // namespace

asmClassVector::asmClassVector(asmClass* cls, const char* name) : asmScriptClass(cls) { SetName(name); }

asmClassVector::~asmClassVector() {
    strings.Free();
    ints.Free();
    reals.Free();
}

asmClassVector* AsVector(asmClassObj* object) { return dynamic_cast<asmClassVector*>(object); }

asmClassVector* FindVectorNamed(asmInterpreter& m, const char* who, const char* name) {
    asmClassObj* object = m.FindVar(name);
    asmClassVector* vector = AsVector(object);
    if (!vector) {
        std::string out = "\n";
        out += who;
        out += ": ";
        out += name ? name : "";
        out += " is not a vector\n";
        FatalExit(out, 1);
    }
    return vector;
}

// The script methods: each name with its built-in index and handler. Most
// run on the list of the current element type, written once for the three
// lists.
struct asmClassVector::ScriptMethods {
    // The handler of a typed method: `body` takes the vector, the machine
    // and the list of its element type.
    template <auto body>
    static void Typed(asmClassVector& self, asmInterpreter& m, int) {
        switch (self.elementType) {
        case ELEM_INT:
            body(self, m, self.ints);
            return;
        case ELEM_REAL:
            body(self, m, self.reals);
            return;
        default:
            body(self, m, self.strings);
            return;
        }
    }

    static void SetType(asmClassVector& self, asmInterpreter& m, int) {
        ddString name = PopArgString(m);
        const char* n = name.c_str() ? name.c_str() : "";
        for (int t = 0; t < 3; ++t) {
            if (std::string_view(n) == kTypeNames[t]) {
                self.elementType = t;
                return;
            }
        }
        std::string out = "\nvector unknown type ";
        out += n;
        FatalExit(out, 1);
    }
    static void Free(asmClassVector& self, asmInterpreter&, int) {
        self.strings.Free();
        self.ints.Free();
        self.reals.Free();
    }

    static constexpr MethodRow<asmClassVector> kRows[] = {
        {"get", 0, Typed<[]<typename T>(asmClassVector&, asmInterpreter& m, ddVector<T>& list) {
             int i = PopArg(m, 0)->GetInt();
             PushElement(m, list.Get(i));
         }>},
        {"set", 1, Typed<[]<typename T>(asmClassVector&, asmInterpreter& m, ddVector<T>& list) {
             T v = PopValue<T>(m, 1);
             int i = PopArgInt(m);
             list.Set(i, v);
         }>},
        {"add", 2, Typed<[]<typename T>(asmClassVector&, asmInterpreter& m, ddVector<T>& list) {
             list.Add(PopValue<T>(m, 0));
         }>},
        {"find", 3, Typed<[]<typename T>(asmClassVector&, asmInterpreter& m, ddVector<T>& list) {
             PushInt(m, list.Find(PopValue<T>(m, 0), 0));
         }>},
        {"type", 4, SetType},
        {"remove", 5, Typed<[]<typename T>(asmClassVector&, asmInterpreter& m, ddVector<T>& list) {
             list.Remove(PopValue<T>(m, 0));
         }>},
        {"size", 6, Typed<[]<typename T>(asmClassVector&, asmInterpreter& m, ddVector<T>& list) {
             PushInt(m, list.Size());
         }>},
        {"removeat", 7, Typed<[]<typename T>(asmClassVector&, asmInterpreter& m, ddVector<T>& list) {
             list.RemoveAt(PopArgInt(m));
         }>},
        {"sort", 8, Typed<[]<typename T>(asmClassVector&, asmInterpreter& m, ddVector<T>& list) {
             list.Sort((PopArgInt(m) & 0xff) != 0);
         }>},
        {"load", 9, Typed<[]<typename T>(asmClassVector&, asmInterpreter& m, ddVector<T>& list) {
             ddString path = PopArgString(m);
             list.LoadFromFile(path.c_str() ? path.c_str() : "");
         }>},
        {"save", 10, Typed<[]<typename T>(asmClassVector&, asmInterpreter& m, ddVector<T>& list) {
             ddString path = PopArgString(m);
             list.Save(path.c_str() ? path.c_str() : "");
         }>},
        {"contains", 11, Typed<[]<typename T>(asmClassVector&, asmInterpreter& m, ddVector<T>& list) {
             PushInt(m, list.Contains(PopValue<T>(m, 0)) ? 1 : 0);
         }>},
        {"free", 12, Free},
        {"beginadd", 13, Typed<[]<typename T>(asmClassVector&, asmInterpreter& m, ddVector<T>& list) {
             // Values pushed after a "begin" marker go to the front in the
             // order they were pushed; the marker is consumed.
             asmVarReg* arg = PopArg(m, 0);
             for (;;) {
                 const char* text = arg->GetString();
                 if (text && std::string_view(text) == "begin") break;
                 T v{};
                 FromCell(arg, v);
                 list.AddBegin(v);
                 arg = PopArg(m, 0);
             }
         }>},
        {"hash", 14,
         Typed<[]<typename T>(asmClassVector&, asmInterpreter&, ddVector<T>& list) { list.Hash(); }>},
        {"print", 15, Typed<[]<typename T>(asmClassVector& self, asmInterpreter&, ddVector<T>& list) {
             std::string out = "vector ";
             out += self.GetName() ? self.GetName() : "";
             out += " type(";
             out += kTypeNames[self.elementType];
             out += ") :\n";
             if constexpr (std::is_same_v<T, ddString>) {
                 std::fwrite(out.data(), 1, out.size(), stdout);
                 list.Print();
                 out.clear();
             } else {
                 for (int i = 0; i < list.Size(); ++i) {
                     AppendElement(out, list.Get(i));
                     out += ' ';
                 }
             }
             out += '\n';
             std::fwrite(out.data(), 1, out.size(), stdout);
         }>},
        {"resize", 16, Typed<[]<typename T>(asmClassVector&, asmInterpreter& m, ddVector<T>& list) {
             T v = PopValue<T>(m, 0);
             int n = PopArgInt(m);
             list.Fill(n, v);
         }>},
        {"swap", 17, Typed<[]<typename T>(asmClassVector&, asmInterpreter& m, ddVector<T>& list) {
             int i = PopArgInt(m);
             int j = PopArgInt(m);
             list.Swap(i, j);
         }>},
        {"last", 18, Typed<[]<typename T>(asmClassVector&, asmInterpreter& m, ddVector<T>& list) {
             PushElement(m, list.Last());
         }>},
        {"findfrom", 19, Typed<[]<typename T>(asmClassVector&, asmInterpreter& m, ddVector<T>& list) {
             int from = PopArgInt(m);
             T v{};
             PopTyped(m, v);
             PushInt(m, list.Find(v, from));
         }>},
        {"addbegin", 20, Typed<[]<typename T>(asmClassVector&, asmInterpreter& m, ddVector<T>& list) {
             list.AddBegin(PopValue<T>(m, 0));
         }>},
        {"empty", 21, Typed<[]<typename T>(asmClassVector&, asmInterpreter& m, ddVector<T>& list) {
             PushInt(m, list.Size() == 0 ? 1 : 0);
         }>},
        {"getvectype", 22,
         [](asmClassVector& self, asmInterpreter& m, int) { PushString(m, kTypeNames[self.elementType]); }},
        {"pop", 23, Typed<[]<typename T>(asmClassVector&, asmInterpreter& m, ddVector<T>& list) {
             // Copied before the removal frees the element.
             T v = list.Last();
             PushElement(m, v);
             list.RemoveAt(list.Size() - 1);
         }>},
        {"first", 24, Typed<[]<typename T>(asmClassVector&, asmInterpreter& m, ddVector<T>& list) {
             PushElement(m, list.Get(0));
         }>},
        {"copy", 25, Typed<[]<typename T>(asmClassVector&, asmInterpreter& m, ddVector<T>& list) {
             ddString name = PopArgString(m);
             asmClassVector* other = FindVectorNamed(m, "vector copy", name.c_str() ? name.c_str() : "");
             if constexpr (std::is_same_v<T, ddString>)
                 list = other->strings;
             else if constexpr (std::is_same_v<T, int>)
                 list = other->ints;
             else
                 list = other->reals;
         }>},
    };
    static_assert(std::size(kRows) == 26);
    static constexpr UnknownMethod kUnknown{"\nvector unknown built in method %d", OnUnknown::End};
    static constexpr MethodTable<asmClassVector> kTable{kRows, kUnknown};
};

template class asmScriptClass<asmClassVector, asmClassObj>;
