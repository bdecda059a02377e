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
#include "script/script_types.h"

asmClass* asmClassVector::Class = nullptr;

namespace {

constexpr const char* kVectorMethods[] = {
    "get",    "set",      "add",      "find",   "type",  "remove",     "size",  "removeat", "sort",
    "load",   "save",     "contains", "free",   "beginadd", "hash",    "print", "resize",   "swap",
    "last",   "findfrom", "addbegin", "empty",  "getvectype", "pop",   "first", "copy",
};
static_assert(std::size(kVectorMethods) == 26);

constexpr const char* kTypeNames[] = {"int", "real", "string"};

// A popped argument (held in a register) converted to the element type.
void FromCell(asmVarReg* cell, int& out) { out = cell->GetInt(); }
void FromCell(asmVarReg* cell, float& out) { out = cell->GetReal(); }
void FromCell(asmVarReg* cell, ddString& out) {
    const char* s = cell->GetString();
    out = s ? s : "";
}

// An argument popped straight in the element type.
void PopTyped(int& out) { out = PopArgInt(); }
void PopTyped(float& out) { out = PopArgReal(); }
void PopTyped(ddString& out) { out = PopArgString(); }

void PushElement(int v) { PushInt(v); }
void PushElement(float v) { PushReal(v); }
void PushElement(const ddString& v) { PushString(v.c_str() ? v.c_str() : ""); }

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
T PopValue(int reg) {
    T v{};
    FromCell(PopArg(reg), v);
    return v;
}

asmClassObj* NewVector(asmClass* cls, const char* name) { return new asmClassVector(cls, name); }
asmClass* VectorClass() { return asmClassVector::Class; }

}  // namespace

asmClassVector::asmClassVector(asmClass* cls, const char* name) : asmClassObj(cls) { SetName(name); }

asmClassVector::~asmClassVector() {
    strings.Free();
    ints.Free();
    reals.Free();
}

void asmClassVector::InitMethods() {
    FreeMethods();
    Class = BuildClass(kVectorMethods);
}

void asmClassVector::FreeMethods() { FreeClass(Class); }

asmClassVector* AsVector(asmClassObj* object) { return dynamic_cast<asmClassVector*>(object); }

asmClassVector* FindVectorNamed(const char* who, const char* name) {
    asmClassObj* object = asmInterpreter::Instance->FindVar(name);
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

template <typename T>
void asmClassVector::RunTyped(ddVector<T>& list, int index) {
    switch (index) {
    case 0: {
        int i = PopArg(0)->GetInt();
        PushElement(list.Get(i));
        return;
    }
    case 1: {
        T v = PopValue<T>(1);
        int i = PopArgInt();
        list.Set(i, v);
        return;
    }
    case 2:
        list.Add(PopValue<T>(0));
        return;
    case 3:
        PushInt(list.Find(PopValue<T>(0), 0));
        return;
    case 5:
        list.Remove(PopValue<T>(0));
        return;
    case 6:
        PushInt(list.Size());
        return;
    case 7:
        list.RemoveAt(PopArgInt());
        return;
    case 8:
        list.Sort((PopArgInt() & 0xff) != 0);
        return;
    case 9: {
        ddString path = PopArgString();
        list.LoadFromFile(path.c_str() ? path.c_str() : "");
        return;
    }
    case 10: {
        ddString path = PopArgString();
        list.Save(path.c_str() ? path.c_str() : "");
        return;
    }
    case 11:
        PushInt(list.Contains(PopValue<T>(0)) ? 1 : 0);
        return;
    case 13: {
        // Values pushed after a "begin" marker go to the front in the order
        // they were pushed; the marker is consumed.
        asmVarReg* arg = PopArg(0);
        for (;;) {
            const char* text = arg->GetString();
            if (text && std::string_view(text) == "begin") break;
            T v{};
            FromCell(arg, v);
            list.AddBegin(v);
            arg = PopArg(0);
        }
        return;
    }
    case 14:
        list.Hash();
        return;
    case 15: {
        std::string out = "vector ";
        out += GetName() ? GetName() : "";
        out += " type(";
        out += kTypeNames[elementType];
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
        return;
    }
    case 16: {
        T v = PopValue<T>(0);
        int n = PopArgInt();
        list.Fill(n, v);
        return;
    }
    case 17: {
        int i = PopArgInt();
        int j = PopArgInt();
        list.Swap(i, j);
        return;
    }
    case 18:
        PushElement(list.Last());
        return;
    case 19: {
        int from = PopArgInt();
        T v{};
        PopTyped(v);
        PushInt(list.Find(v, from));
        return;
    }
    case 20:
        list.AddBegin(PopValue<T>(0));
        return;
    case 21:
        PushInt(list.Size() == 0 ? 1 : 0);
        return;
    case 23: {
        // Copied before the removal frees the element.
        T v = list.Last();
        PushElement(v);
        list.RemoveAt(list.Size() - 1);
        return;
    }
    case 24:
        PushElement(list.Get(0));
        return;
    case 25: {
        ddString name = PopArgString();
        asmClassVector* other = FindVectorNamed("vector copy", name.c_str() ? name.c_str() : "");
        if constexpr (std::is_same_v<T, ddString>) list = other->strings;
        else if constexpr (std::is_same_v<T, int>) list = other->ints;
        else list = other->reals;
        return;
    }
    default: {
        std::string out = "\nvector unknown built in method ";
        out += std::to_string(index);
        FatalExit(out, 1);
    }
    }
}

void asmClassVector::CallBuiltIn(asmInterpreter*, int index) {
    switch (index) {
    case 4: {
        ddString name = PopArgString();
        const char* n = name.c_str() ? name.c_str() : "";
        for (int t = 0; t < 3; ++t) {
            if (std::string_view(n) == kTypeNames[t]) {
                elementType = t;
                return;
            }
        }
        std::string out = "\nvector unknown type ";
        out += n;
        FatalExit(out, 1);
    }
    case 12:
        strings.Free();
        ints.Free();
        reals.Free();
        return;
    case 22:
        PushString(kTypeNames[elementType]);
        return;
    default:
        break;
    }
    switch (elementType) {
    case ELEM_INT:
        RunTyped(ints, index);
        return;
    case ELEM_REAL:
        RunTyped(reals, index);
        return;
    default:
        RunTyped(strings, index);
        return;
    }
}

void RegisterVectorScriptClass() {
    RegisterScriptClass({"vector", asmClassVector::kTypeCode, asmClassVector::InitMethods,
                         asmClassVector::FreeMethods, VectorClass, NewVector});
}
