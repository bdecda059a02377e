// The methods a script can call on int, real and string values by name:
// their class descriptors and the three dispatchers.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "foundation/fatal.h"
#include "foundation/random.h"
#include "foundation/value_files.h"
#include "script/arg_ops.h"
#include "script/asm_var.h"
#include "script/interpreter.h"
#include "script/method_table.h"
#include "script/script_numbers.h"

using namespace ScriptNumbers;

asmClass* asmVarInt::Class = nullptr;
asmClass* asmVarReal::Class = nullptr;
asmClass* asmVarString::Class = nullptr;

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kE = 2.718281828459045;


constexpr MethodName kIntMethods[] = {
    {"get", 0},  {"to_i", 0},   {"set", 1},  {"load", 2}, {"save", 3},  {"abs", 4},
    {"sqrt", 5}, {"print", 6},  {"rand", 7}, {"length", 8}, {"sgn", 9}, {"pow", 10},
    {"to_r", 11}, {"to_s", 12},
};

constexpr MethodName kRealMethods[] = {
    {"get", 0},     {"to_r", 0},    {"set", 1},   {"load", 2},  {"save", 3},   {"abs", 4},
    {"sqrt", 5},    {"print", 6},   {"length", 7}, {"radsin", 8}, {"radcos", 9}, {"radtg", 10},
    {"radctg", 11}, {"getpi", 12},  {"sin", 13},  {"cos", 14},  {"tg", 15},    {"ctg", 16},
    {"gete", 17},   {"log", 18},    {"pow", 19},  {"powf", 20}, {"asin", 21},  {"acos", 22},
    {"sgn", 23},    {"to_i", 24},   {"to_s", 25},
};

constexpr MethodName kStringMethods[] = {
    {"get", 0},       {"to_s", 0},      {"set", 1},     {"load", 2},    {"save", 3},
    {"getb", 4},      {"print", 5},     {"sub", 6},     {"gete", 7},    {"length", 8},
    {"clear", 9},     {"contains", 10}, {"change", 11}, {"find", 12},   {"findfrom", 13},
    {"to_i", 14},     {"to_r", 15},     {"isptr", 16},  {"to_u", 17},   {"to_l", 18},
    {"getbyte", 19},  {"setbyte", 20},  {"cmpalph", 21}, {"rfind", 22},
};

// "\n<kind> <name>: <value>\n", the form every "print" writes.
void PrintValue(const char* kind, const char* name, const char* value) {
    std::string out = "\n";
    out += kind;
    out += ' ';
    out += name ? name : "";
    out += ": ";
    out += value;
    out += '\n';
    std::fwrite(out.data(), 1, out.size(), stdout);
}

[[noreturn]] void UnknownMethod(const char* kind, int index) {
    std::string out = "\nunknown ";
    out += kind;
    out += " built in method ";
    out += std::to_string(index);
    out += '\n';
    FatalExit(out, 1);
}

// n multiplied e times into 1, wrapping in 32 bits; squaring gives the same
// product modulo 2^32 without e steps.
int IntPower(int n, int e) {
    uint32_t result = 1;
    uint32_t base = static_cast<uint32_t>(n);
    while (e > 0) {
        if (e & 1) result *= base;
        base *= base;
        e >>= 1;
    }
    return static_cast<int>(result);
}

void PushRealFrom(double x) { PushReal(NarrowToFloat(x)); }

void PushText(const std::string& s) { PushString(s.c_str()); }

}  // namespace

// ---------------------------------------------------------------- int

void asmVarInt::InitMethods() {
    FreeMethods();
    Class = BuildClass(kIntMethods);
}

void asmVarInt::FreeMethods() { FreeClass(Class); }

void asmVarInt::CallBuiltIn(asmInterpreter*, int index) {
    switch (index) {
    case 0:
        PushInt(value);
        return;
    case 1:
        value = PopArgInt();
        return;
    case 2: {
        int def = PopArgInt();
        LoadIntFile(value, PopText().c_str(), def);
        return;
    }
    case 3: {
        SaveIntFile(value, PopText().c_str());
        return;
    }
    case 4:
        PushInt(value < 0 ? WrapSub(0, value) : value);
        return;
    case 5:
        PushInt(RealToInt(std::sqrt(static_cast<double>(value))));
        return;
    case 6: {
        char buf[kTextSize];
        FormatInt(buf, value);
        PrintValue("int", GetName(), buf);
        return;
    }
    case 7:
        if (value < 1) {
            std::string out = "\nasmVarInt->rand(i) error i = ";
            out += std::to_string(value);
            out += '\n';
            FatalExit(out, 1);
        }
        PushInt(NextRandom() % value);
        return;
    case 8: {
        float a = static_cast<float>(PopArgInt());
        float b = static_cast<float>(PopArgInt());
        PushInt(RealToInt(std::sqrt(a * a + b * b)));
        return;
    }
    case 9:
        PushInt(value > 0 ? 1 : (value < 0 ? -1 : 0));
        return;
    case 10:
        PushInt(IntPower(value, PopArgInt()));
        return;
    case 11:
        PushReal(static_cast<float>(value));
        return;
    case 12: {
        char buf[kTextSize];
        FormatInt(buf, value);
        PushString(buf);
        return;
    }
    default:
        UnknownMethod("int", index);
    }
}

// ---------------------------------------------------------------- real

void asmVarReal::InitMethods() {
    FreeMethods();
    Class = BuildClass(kRealMethods);
}

void asmVarReal::FreeMethods() { FreeClass(Class); }

void asmVarReal::CallBuiltIn(asmInterpreter*, int index) {
    const double x = value;
    const double deg = x * kPi / 180.0;
    switch (index) {
    case 0:
        PushReal(value);
        return;
    case 1:
        value = PopArgReal();
        return;
    case 2: {
        float def = PopArgReal();
        LoadFloatFile(value, PopText().c_str(), def);
        return;
    }
    case 3: {
        SaveFloatFile(value, PopText().c_str());
        return;
    }
    case 4:
        PushReal(std::fabs(value));
        return;
    case 5:
        PushRealFrom(std::sqrt(x));
        return;
    case 6: {
        // The stream's default float form: six significant digits.
        char buf[kTextSize];
        std::snprintf(buf, sizeof buf, "%g", x);
        PrintValue("real", GetName(), buf);
        return;
    }
    case 7: {
        double a = PopArgReal();
        double b = PopArgReal();
        PushRealFrom(std::sqrt(a * a + b * b));
        return;
    }
    case 8:
        PushRealFrom(std::sin(x));
        return;
    case 9:
        PushRealFrom(std::cos(x));
        return;
    case 10:
        PushRealFrom(std::tan(x));
        return;
    case 11:
        PushRealFrom(1.0 / std::tan(x));
        return;
    case 12:
        PushReal(static_cast<float>(kPi));
        return;
    case 13:
        PushRealFrom(std::sin(deg));
        return;
    case 14:
        PushRealFrom(std::cos(deg));
        return;
    case 15:
        PushRealFrom(std::tan(deg));
        return;
    case 16:
        PushRealFrom(1.0 / std::tan(deg));
        return;
    case 17:
        PushReal(static_cast<float>(kE));
        return;
    case 18:
        PushRealFrom(std::log(x));
        return;
    case 19: {
        double e = PopArgReal();
        PushRealFrom(std::pow(x, e));
        return;
    }
    case 20: {
        double e = PopArgReal();
        double b = PopArgReal();
        PushRealFrom(std::pow(b, e));
        return;
    }
    case 21:
        PushRealFrom(std::asin(x));
        return;
    case 22:
        PushRealFrom(std::acos(x));
        return;
    case 23:
        PushInt(value > 0 ? 1 : (value < 0 ? -1 : 0));
        return;
    case 24:
        PushInt(RealToInt(x));
        return;
    case 25: {
        char buf[kTextSize];
        FormatReal(buf, value);
        PushString(buf);
        return;
    }
    default:
        UnknownMethod("real", index);
    }
}

// ---------------------------------------------------------------- string

void asmVarString::InitMethods() {
    FreeMethods();
    Class = BuildClass(kStringMethods);
}

void asmVarString::FreeMethods() { FreeClass(Class); }

void asmVarString::CallBuiltIn(asmInterpreter*, int index) {
    const char* t = text.c_str() ? text.c_str() : "";
    switch (index) {
    case 0:
        PushString(t);
        return;
    case 1: {
        ddString s = PopArgString();
        SetString(s);
        return;
    }
    case 2: {
        ddString def = PopArgString();
        ddString file = PopArgString();
        LoadTextFile(text, file.c_str() ? file.c_str() : "", def.c_str() ? def.c_str() : "");
        return;
    }
    case 3: {
        ddString file = PopArgString();
        SaveTextFile(t, file.c_str() ? file.c_str() : "");
        return;
    }
    case 4: {
        int count = PopArgInt();
        int pos = PopArgInt();
        ddString part;
        part.AssignMid(text, pos, count);
        PushVarString(part);
        return;
    }
    case 5:
        PrintValue("string", GetName(), t);
        return;
    case 6:
        // Takes its argument and computes nothing.
        PopArg(0);
        return;
    case 7: {
        int count = PopArgInt();
        int off = PopArgInt();
        ddString part;
        part.AssignRight(text, off, count);
        PushVarString(part);
        return;
    }
    case 8:
        PushInt(text.Length());
        return;
    case 9:
        text.Trim();
        if (!text.HasText()) text = "";
        return;
    case 10: {
        std::string needle = PopArg(0)->GetString();
        PushInt(text.Contains(needle.c_str()) ? 1 : 0);
        return;
    }
    case 11: {
        ddString to = PopArgString();
        ddString from = PopArgString();
        text.ReplaceAll(from.c_str() ? from.c_str() : "", to.c_str() ? to.c_str() : "");
        return;
    }
    case 12: {
        std::string needle = PopArg(0)->GetString();
        PushInt(text.Find(needle.c_str(), 0));
        return;
    }
    case 13: {
        std::string needle = PopArg(1)->GetString();
        int from = PopArgInt();
        PushInt(text.Find(needle.c_str(), from));
        return;
    }
    case 14:
        PushInt(TextToInt(t));
        return;
    case 15:
        PushReal(TextToReal(t));
        return;
    case 16: {
        std::string name = t;
        asmObjectModel* objects = asmInterpreter::Instance ? asmInterpreter::Instance->GetObjectModel() : nullptr;
        PushInt(objects && objects->LookupVar(name.c_str()) ? 1 : 0);
        return;
    }
    case 17:
    case 18: {
        std::string copy = t;
        for (char& c : copy) {
            if (index == 17 && c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
            if (index == 18 && c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        }
        PushText(copy);
        return;
    }
    case 19: {
        int i = PopArgInt();
        // An index outside the text reads as -1.
        PushInt(i >= 0 && i < text.Length() ? static_cast<int>(static_cast<signed char>(t[i])) : -1);
        return;
    }
    case 20: {
        int b = PopArgInt();
        int i = PopArgInt();
        if (i >= 0 && i < text.Length()) {
            std::string changed = t;
            changed[static_cast<size_t>(i)] = static_cast<char>(b & 0xff);
            if (changed[static_cast<size_t>(i)] == '\0') changed.resize(static_cast<size_t>(i));
            text = changed.c_str();
        }
        return;
    }
    case 21: {
        ddString s = PopArgString();
        PushInt(text.Compare(s.c_str() ? s.c_str() : ""));
        return;
    }
    case 22: {
        ddString s = PopArgString();
        PushInt(text.FindLast(s.c_str() ? s.c_str() : ""));
        return;
    }
    default:
        UnknownMethod("string", index);
    }
}
