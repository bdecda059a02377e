// The methods a script can call on int, real and string values by name:
// each class's table of name, built-in index and handler, and the class
// descriptor built from it.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>

#include "foundation/fatal.h"
#include "foundation/random.h"
#include "foundation/saturating.h"
#include "foundation/text_util.h"
#include "foundation/value_files.h"
#include "script/arg_ops.h"
#include "script/asm_var.h"
#include "script/interpreter.h"
#include "script/method_table.h"
#include "script/script_numbers.h"

using namespace ScriptNumbers;

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kE = 2.718281828459045;

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

void PushRealFrom(asmInterpreter& m, double x) { PushReal(m, NarrowToFloat(x)); }

void PushText(asmInterpreter& m, const std::string& s) { PushString(m, s.c_str()); }

}  // namespace

// ---------------------------------------------------------------- int

// The script methods: each name with its built-in index and handler.
// 14 names for 13 methods.
struct asmVarInt::ScriptMethods {
    static void Get(asmVarInt& self, asmInterpreter& m, int) { PushInt(m, self.value); }
    static void Load(asmVarInt& self, asmInterpreter& m, int) {
        int def = PopArgInt(m);
        LoadIntFile(self.value, PopText(m).c_str(), def);
    }
    static void Print(asmVarInt& self, asmInterpreter&, int) {
        char buf[kTextSize];
        FormatInt(buf, self.value);
        PrintValue("int", self.GetName(), buf);
    }
    static void Rand(asmVarInt& self, asmInterpreter& m, int) {
        if (self.value < 1) {
            std::string out = "\nasmVarInt->rand(i) error i = ";
            out += std::to_string(self.value);
            out += '\n';
            FatalExit(out, 1);
        }
        PushInt(m, NextRandom() % self.value);
    }
    static void Length(asmVarInt&, asmInterpreter& m, int) {
        float a = static_cast<float>(PopArgInt(m));
        float b = static_cast<float>(PopArgInt(m));
        PushInt(m, SatTrunc(std::sqrt(a * a + b * b)));
    }
    static void ToString(asmVarInt& self, asmInterpreter& m, int) {
        char buf[kTextSize];
        FormatInt(buf, self.value);
        PushString(m, buf);
    }
    static constexpr MethodRow<asmVarInt> kRows[] = {
        {"get", 0, Get},
        {"to_i", 0, Get},
        {"set", 1, [](asmVarInt& self, asmInterpreter& m, int) { self.value = PopArgInt(m); }},
        {"load", 2, Load},
        {"save", 3,
         [](asmVarInt& self, asmInterpreter& m, int) { SaveIntFile(self.value, PopText(m).c_str()); }},
        {"abs", 4,
         [](asmVarInt& self, asmInterpreter& m, int) {
             PushInt(m, self.value < 0 ? WrapSub(0, self.value) : self.value);
         }},
        {"sqrt", 5,
         [](asmVarInt& self, asmInterpreter& m, int) {
             PushInt(m, SatTrunc(std::sqrt(static_cast<double>(self.value))));
         }},
        {"print", 6, Print},
        {"rand", 7, Rand},
        {"length", 8, Length},
        {"sgn", 9,
         [](asmVarInt& self, asmInterpreter& m, int) {
             PushInt(m, self.value > 0 ? 1 : (self.value < 0 ? -1 : 0));
         }},
        {"pow", 10,
         [](asmVarInt& self, asmInterpreter& m, int) { PushInt(m, IntPower(self.value, PopArgInt(m))); }},
        {"to_r", 11,
         [](asmVarInt& self, asmInterpreter& m, int) { PushReal(m, static_cast<float>(self.value)); }},
        {"to_s", 12, ToString},
    };
    static_assert(std::size(kRows) == 14);
    static constexpr UnknownMethod kUnknown{"\nunknown int built in method %d\n", OnUnknown::End};
    static constexpr MethodTable<asmVarInt> kTable{kRows, kUnknown};
};

template class asmScriptClass<asmVarInt, asmVar>;

// ---------------------------------------------------------------- real

// The script methods: each name with its built-in index and handler.
// 27 names for 26 methods. The math functions take the value as a double;
// the trigonometric ones without "rad" read it in degrees.
struct asmVarReal::ScriptMethods {
    static double X(const asmVarReal& self) { return self.value; }
    static double Degrees(const asmVarReal& self) { return X(self) * kPi / 180.0; }

    static void Get(asmVarReal& self, asmInterpreter& m, int) { PushReal(m, self.value); }
    static void Load(asmVarReal& self, asmInterpreter& m, int) {
        float def = PopArgReal(m);
        LoadFloatFile(self.value, PopText(m).c_str(), def);
    }
    static void Print(asmVarReal& self, asmInterpreter&, int) {
        // The stream's default float form: six significant digits.
        char buf[kTextSize];
        std::snprintf(buf, sizeof buf, "%g", X(self));
        PrintValue("real", self.GetName(), buf);
    }
    static void Length(asmVarReal&, asmInterpreter& m, int) {
        double a = PopArgReal(m);
        double b = PopArgReal(m);
        PushRealFrom(m, std::sqrt(a * a + b * b));
    }
    static void Pow(asmVarReal& self, asmInterpreter& m, int) {
        // The value is read before the exponent is popped.
        const double x = X(self);
        double e = PopArgReal(m);
        PushRealFrom(m, std::pow(x, e));
    }
    static void PowOf(asmVarReal&, asmInterpreter& m, int) {
        double e = PopArgReal(m);
        double b = PopArgReal(m);
        PushRealFrom(m, std::pow(b, e));
    }
    static void ToString(asmVarReal& self, asmInterpreter& m, int) {
        char buf[kTextSize];
        FormatReal(buf, self.value);
        PushString(m, buf);
    }
    static constexpr MethodRow<asmVarReal> kRows[] = {
        {"get", 0, Get},
        {"to_r", 0, Get},
        {"set", 1, [](asmVarReal& self, asmInterpreter& m, int) { self.value = PopArgReal(m); }},
        {"load", 2, Load},
        {"save", 3,
         [](asmVarReal& self, asmInterpreter& m, int) { SaveFloatFile(self.value, PopText(m).c_str()); }},
        {"abs", 4, [](asmVarReal& self, asmInterpreter& m, int) { PushReal(m, std::fabs(self.value)); }},
        {"sqrt", 5, [](asmVarReal& self, asmInterpreter& m, int) { PushRealFrom(m, std::sqrt(X(self))); }},
        {"print", 6, Print},
        {"length", 7, Length},
        {"radsin", 8, [](asmVarReal& self, asmInterpreter& m, int) { PushRealFrom(m, std::sin(X(self))); }},
        {"radcos", 9, [](asmVarReal& self, asmInterpreter& m, int) { PushRealFrom(m, std::cos(X(self))); }},
        {"radtg", 10, [](asmVarReal& self, asmInterpreter& m, int) { PushRealFrom(m, std::tan(X(self))); }},
        {"radctg", 11,
         [](asmVarReal& self, asmInterpreter& m, int) { PushRealFrom(m, 1.0 / std::tan(X(self))); }},
        {"getpi", 12, [](asmVarReal&, asmInterpreter& m, int) { PushReal(m, static_cast<float>(kPi)); }},
        {"sin", 13,
         [](asmVarReal& self, asmInterpreter& m, int) { PushRealFrom(m, std::sin(Degrees(self))); }},
        {"cos", 14,
         [](asmVarReal& self, asmInterpreter& m, int) { PushRealFrom(m, std::cos(Degrees(self))); }},
        {"tg", 15,
         [](asmVarReal& self, asmInterpreter& m, int) { PushRealFrom(m, std::tan(Degrees(self))); }},
        {"ctg", 16,
         [](asmVarReal& self, asmInterpreter& m, int) { PushRealFrom(m, 1.0 / std::tan(Degrees(self))); }},
        {"gete", 17, [](asmVarReal&, asmInterpreter& m, int) { PushReal(m, static_cast<float>(kE)); }},
        {"log", 18, [](asmVarReal& self, asmInterpreter& m, int) { PushRealFrom(m, std::log(X(self))); }},
        {"pow", 19, Pow},
        {"powf", 20, PowOf},
        {"asin", 21, [](asmVarReal& self, asmInterpreter& m, int) { PushRealFrom(m, std::asin(X(self))); }},
        {"acos", 22, [](asmVarReal& self, asmInterpreter& m, int) { PushRealFrom(m, std::acos(X(self))); }},
        {"sgn", 23,
         [](asmVarReal& self, asmInterpreter& m, int) {
             PushInt(m, self.value > 0 ? 1 : (self.value < 0 ? -1 : 0));
         }},
        {"to_i", 24, [](asmVarReal& self, asmInterpreter& m, int) { PushInt(m, SatTrunc(X(self))); }},
        {"to_s", 25, ToString},
    };
    static_assert(std::size(kRows) == 27);
    static constexpr UnknownMethod kUnknown{"\nunknown real built in method %d\n", OnUnknown::End};
    static constexpr MethodTable<asmVarReal> kTable{kRows, kUnknown};
};

template class asmScriptClass<asmVarReal, asmVar>;

// ---------------------------------------------------------------- string

// The script methods: each name with its built-in index and handler.
// 24 names for 23 methods.
struct asmVarString::ScriptMethods {
    // The text ("" for none). Methods that read it with arguments read it
    // before popping them.
    static const char* Chars(const asmVarString& self) { return self.text.c_str() ? self.text.c_str() : ""; }

    static void Get(asmVarString& self, asmInterpreter& m, int) { PushString(m, Chars(self)); }
    static void Set(asmVarString& self, asmInterpreter& m, int) {
        ddString s = PopArgString(m);
        self.SetString(s);
    }
    static void Load(asmVarString& self, asmInterpreter& m, int) {
        ddString def = PopArgString(m);
        ddString file = PopArgString(m);
        LoadTextFile(self.text, file.c_str() ? file.c_str() : "", def.c_str() ? def.c_str() : "");
    }
    static void Save(asmVarString& self, asmInterpreter& m, int) {
        const char* t = Chars(self);
        ddString file = PopArgString(m);
        SaveTextFile(t, file.c_str() ? file.c_str() : "");
    }
    static void GetMiddle(asmVarString& self, asmInterpreter& m, int) {
        int count = PopArgInt(m);
        int pos = PopArgInt(m);
        ddString part;
        part.AssignMid(self.text, pos, count);
        PushVarString(m, part);
    }
    static void GetRight(asmVarString& self, asmInterpreter& m, int) {
        int count = PopArgInt(m);
        int off = PopArgInt(m);
        ddString part;
        part.AssignRight(self.text, off, count);
        PushVarString(m, part);
    }
    static void Clear(asmVarString& self, asmInterpreter&, int) {
        self.text.Trim();
        if (!self.text.HasText()) self.text = "";
    }
    static void Contains(asmVarString& self, asmInterpreter& m, int) {
        std::string needle = PopArg(m, 0)->GetString();
        PushInt(m, self.text.Contains(needle.c_str()) ? 1 : 0);
    }
    static void Change(asmVarString& self, asmInterpreter& m, int) {
        ddString to = PopArgString(m);
        ddString from = PopArgString(m);
        self.text.ReplaceAll(from.c_str() ? from.c_str() : "", to.c_str() ? to.c_str() : "");
    }
    static void Find(asmVarString& self, asmInterpreter& m, int) {
        std::string needle = PopArg(m, 0)->GetString();
        PushInt(m, self.text.Find(needle.c_str(), 0));
    }
    static void FindFrom(asmVarString& self, asmInterpreter& m, int) {
        std::string needle = PopArg(m, 1)->GetString();
        int from = PopArgInt(m);
        PushInt(m, self.text.Find(needle.c_str(), from));
    }
    static void IsObjectName(asmVarString& self, asmInterpreter& m, int) {
        std::string name = Chars(self);
        asmObjectModel* objects = m.GetObjectModel();
        PushInt(m, objects && objects->LookupVar(name.c_str()) ? 1 : 0);
    }
    // "to_u" (17) and "to_l" (18).
    static void ChangeCase(asmVarString& self, asmInterpreter& m, int index) {
        std::string copy = Chars(self);
        for (char& c : copy) {
            if (index == 17 && c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
            if (index == 18 && c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        }
        PushText(m, copy);
    }
    static void GetByte(asmVarString& self, asmInterpreter& m, int) {
        const char* t = Chars(self);
        int i = PopArgInt(m);
        // An index outside the text reads as -1.
        PushInt(m, i >= 0 && i < self.text.Length() ? static_cast<int>(static_cast<signed char>(t[i])) : -1);
    }
    static void SetByte(asmVarString& self, asmInterpreter& m, int) {
        const char* t = Chars(self);
        int b = PopArgInt(m);
        int i = PopArgInt(m);
        if (i >= 0 && i < self.text.Length()) {
            std::string changed = t;
            changed[static_cast<size_t>(i)] = static_cast<char>(b & 0xff);
            if (changed[static_cast<size_t>(i)] == '\0') changed.resize(static_cast<size_t>(i));
            self.text = changed.c_str();
        }
    }
    static void CompareAlphabetically(asmVarString& self, asmInterpreter& m, int) {
        ddString s = PopArgString(m);
        PushInt(m, self.text.Compare(s.c_str() ? s.c_str() : ""));
    }
    static void FindLast(asmVarString& self, asmInterpreter& m, int) {
        ddString s = PopArgString(m);
        PushInt(m, self.text.FindLast(s.c_str() ? s.c_str() : ""));
    }
    static constexpr MethodRow<asmVarString> kRows[] = {
        {"get", 0, Get},
        {"to_s", 0, Get},
        {"set", 1, Set},
        {"load", 2, Load},
        {"save", 3, Save},
        {"getb", 4, GetMiddle},
        {"print", 5,
         [](asmVarString& self, asmInterpreter&, int) { PrintValue("string", self.GetName(), Chars(self)); }},
        // Takes its argument and computes nothing.
        {"sub", 6, [](asmVarString&, asmInterpreter& m, int) { PopArg(m, 0); }},
        {"gete", 7, GetRight},
        {"length", 8, [](asmVarString& self, asmInterpreter& m, int) { PushInt(m, self.text.Length()); }},
        {"clear", 9, Clear},
        {"contains", 10, Contains},
        {"change", 11, Change},
        {"find", 12, Find},
        {"findfrom", 13, FindFrom},
        {"to_i", 14, [](asmVarString& self, asmInterpreter& m, int) { PushInt(m, TextToInt(Chars(self))); }},
        {"to_r", 15,
         [](asmVarString& self, asmInterpreter& m, int) { PushReal(m, TextToReal(Chars(self))); }},
        {"isptr", 16, IsObjectName},
        {"to_u", 17, ChangeCase},
        {"to_l", 18, ChangeCase},
        {"getbyte", 19, GetByte},
        {"setbyte", 20, SetByte},
        {"cmpalph", 21, CompareAlphabetically},
        {"rfind", 22, FindLast},
    };
    static_assert(std::size(kRows) == 24);
    static constexpr UnknownMethod kUnknown{"\nunknown string built in method %d\n", OnUnknown::End};
    static constexpr MethodTable<asmVarString> kTable{kRows, kUnknown};
};

template class asmScriptClass<asmVarString, asmVar>;
