#include "script/asm_var.h"

#include <cstring>
#include <string>

#include "foundation/fatal.h"
#include "foundation/saturating.h"
#include "foundation/text_util.h"
#include "script/arg_ops.h"
#include "script/script_numbers.h"

using namespace ScriptNumbers;

namespace {

constexpr int kRegA = 0;  // quotients
constexpr int kRegD = 3;  // int remainders

[[noreturn]] void DivisionByZero() { FatalExit("\ndivision by 0\n", 1); }

// Real arithmetic runs in double precision on the float operands and is
// narrowed to float.
float RealSum(double a, double b) { return NarrowToFloat(a + b); }
float RealDiff(double a, double b) { return NarrowToFloat(a - b); }
float RealProd(double a, double b) { return NarrowToFloat(a * b); }
float RealQuot(double a, double b) { return NarrowToFloat(a / b); }

// int by int division: quotient to $a, remainder to $d.
void IntDivide(asmInterpreter& m, int n, int d) {
    if (d == 0) DivisionByZero();
    SetRegInt(m, kRegA, WrapDiv(n, d));
    SetRegInt(m, kRegD, WrapRem(n, d));
}

}  // namespace

// ---------------------------------------------------------------- asmVar

asmVar::asmVar(asmClass* cls, const char* name) : asmClassObj(cls), text("null") {
    asmClassObj::SetName(name);
}

asmVar::~asmVar() = default;

void asmVar::ForbiddenInstruction(const char* operation) {
    std::string message = "\nforbidden instruction ";
    message += operation;
    message += '\n';
    FatalExit(message, 1);
}

void asmVar::Set(asmVar&) { ForbiddenInstruction("Set"); }
int asmVar::GetInt() { ForbiddenInstruction("GetInt"); }
const char* asmVar::GetString() { ForbiddenInstruction("GetString"); }
float asmVar::GetReal() { ForbiddenInstruction("GetReal"); }
void asmVar::SetInt(int) { ForbiddenInstruction("SetInt"); }
void asmVar::SetReal(float) { ForbiddenInstruction("SetReal"); }
void asmVar::SetString(const ddString&) { ForbiddenInstruction("SetString"); }
void asmVar::SetString(const char*) { ForbiddenInstruction("SetString"); }
void asmVar::Save() { ForbiddenInstruction("Save"); }
void asmVar::Load() { ForbiddenInstruction("Load"); }
int asmVar::Cmp(asmVar&) { ForbiddenInstruction("Cmp"); }
int asmVar::Cmp(int) { ForbiddenInstruction("Cmp"); }
int asmVar::Cmp(float) { ForbiddenInstruction("Cmp"); }
int asmVar::Cmp(const char*) { ForbiddenInstruction("Cmp"); }
void asmVar::Add(asmInterpreter&, asmVar&) { ForbiddenInstruction("Add"); }
void asmVar::Add(asmInterpreter&, float) { ForbiddenInstruction("Add"); }
void asmVar::Add(asmInterpreter&, int) { ForbiddenInstruction("Add"); }
void asmVar::Add(asmInterpreter&, const ddString&) { ForbiddenInstruction("Add"); }
void asmVar::AddR(asmInterpreter&, float) { ForbiddenInstruction("AddR"); }
void asmVar::AddR(asmInterpreter&, int) { ForbiddenInstruction("AddR"); }
void asmVar::AddR(asmInterpreter&, const ddString&) { ForbiddenInstruction("AddR"); }
void asmVar::Sub(asmInterpreter&, asmVar&) { ForbiddenInstruction("Sub"); }
void asmVar::Sub(asmInterpreter&, int) { ForbiddenInstruction("Sub"); }
void asmVar::Sub(asmInterpreter&, const ddString&) { ForbiddenInstruction("Sub"); }
void asmVar::SubR(asmInterpreter&, const ddString&) { ForbiddenInstruction("SubR"); }
void asmVar::Sub(asmInterpreter&, float) { ForbiddenInstruction("Sub"); }
void asmVar::SubR(asmInterpreter&, int) { ForbiddenInstruction("SubR"); }
void asmVar::SubR(asmInterpreter&, float) { ForbiddenInstruction("SubR"); }
void asmVar::Mul(asmInterpreter&, asmVar&) { ForbiddenInstruction("Mul"); }
void asmVar::Mul(asmInterpreter&, int) { ForbiddenInstruction("Mul"); }
void asmVar::Mul(asmInterpreter&, float) { ForbiddenInstruction("Mul"); }
void asmVar::Mul(asmInterpreter&, const ddString&) { ForbiddenInstruction("Mul"); }
void asmVar::MulR(asmInterpreter&, const ddString&) { ForbiddenInstruction("MulR"); }
void asmVar::MulR(asmInterpreter&, int) { ForbiddenInstruction("MulR"); }
void asmVar::MulR(asmInterpreter&, float) { ForbiddenInstruction("MulR"); }
void asmVar::Div(asmInterpreter&, asmVar&) { ForbiddenInstruction("Div"); }
void asmVar::Div(asmInterpreter&, int) { ForbiddenInstruction("Div"); }
void asmVar::Div(asmInterpreter&, float) { ForbiddenInstruction("Div"); }
void asmVar::Div(asmInterpreter&, const ddString&) { ForbiddenInstruction("Div"); }
void asmVar::DivR(asmInterpreter&, const ddString&) { ForbiddenInstruction("DivR"); }
void asmVar::DivR(asmInterpreter&, int) { ForbiddenInstruction("DivR"); }
void asmVar::DivR(asmInterpreter&, float) { ForbiddenInstruction("DivR"); }

// ---------------------------------------------------------------- asmVarInt

void asmVarInt::Set(asmVar& v) { value = v.GetInt(); }

const char* asmVarInt::GetString() {
    char buf[kTextSize];
    FormatInt(buf, value);
    text = buf;
    return text.c_str();
}

void asmVarInt::SetReal(float r) { value = SatTrunc(r); }
void asmVarInt::SetString(const ddString& s) { value = TextToInt(s.c_str()); }
void asmVarInt::SetString(const char* s) { value = TextToInt(s); }

int asmVarInt::Cmp(asmVar& v) { return CompareDiff(value, v.GetInt()); }
int asmVarInt::Cmp(int i) { return CompareDiff(value, i); }
int asmVarInt::Cmp(float r) { return CompareReal(value, r); }
int asmVarInt::Cmp(const char* s) { return CompareDiff(value, TextToInt(s)); }

void asmVarInt::Add(asmInterpreter& m, asmVar& v) { PushInt(m, WrapAdd(value, v.GetInt())); }
void asmVarInt::Add(asmInterpreter& m, float r) { PushInt(m, WrapAdd(value, SatTrunc(r))); }
void asmVarInt::Add(asmInterpreter& m, int i) { PushInt(m, WrapAdd(value, i)); }
void asmVarInt::Add(asmInterpreter& m, const ddString& s) {
    PushInt(m, WrapAdd(value, TextToInt(s.c_str())));
}
void asmVarInt::AddR(asmInterpreter& m, float r) { PushReal(m, RealSum(r, value)); }
void asmVarInt::AddR(asmInterpreter& m, int i) { PushInt(m, WrapAdd(i, value)); }
void asmVarInt::AddR(asmInterpreter& m, const ddString& s) {
    char buf[kTextSize];
    FormatInt(buf, value);
    PushConcat(m, s.c_str(), buf);
}

void asmVarInt::Sub(asmInterpreter& m, asmVar& v) { PushInt(m, WrapSub(value, v.GetInt())); }
void asmVarInt::Sub(asmInterpreter& m, int i) { PushInt(m, WrapSub(value, i)); }
void asmVarInt::Sub(asmInterpreter& m, float r) { PushInt(m, WrapSub(value, SatTrunc(r))); }
void asmVarInt::SubR(asmInterpreter& m, int i) { PushInt(m, WrapSub(i, value)); }
void asmVarInt::SubR(asmInterpreter& m, float r) { PushReal(m, RealDiff(r, value)); }

void asmVarInt::Mul(asmInterpreter& m, asmVar& v) { PushInt(m, WrapMul(v.GetInt(), value)); }
void asmVarInt::Mul(asmInterpreter& m, int i) { PushInt(m, WrapMul(value, i)); }
void asmVarInt::Mul(asmInterpreter& m, float r) { PushInt(m, SatTrunc(RealProd(value, r))); }
void asmVarInt::MulR(asmInterpreter& m, int i) { PushInt(m, WrapMul(value, i)); }
void asmVarInt::MulR(asmInterpreter& m, float r) { PushInt(m, SatTrunc(RealProd(value, r))); }

void asmVarInt::Div(asmInterpreter& m, asmVar& v) { IntDivide(m, value, v.GetInt()); }
void asmVarInt::Div(asmInterpreter& m, int i) { IntDivide(m, value, i); }
void asmVarInt::Div(asmInterpreter& m, float r) {
    if (r == 0.0f) DivisionByZero();
    SetRegInt(m, kRegA, SatTrunc(RealQuot(value, r)));
}
void asmVarInt::DivR(asmInterpreter& m, int i) {
    if (value == 0) DivisionByZero();
    SetRegInt(m, kRegA, WrapDiv(i, value));
}
void asmVarInt::DivR(asmInterpreter& m, float r) {
    if (value == 0) DivisionByZero();
    SetRegReal(m, kRegA, RealQuot(r, value));
}

// ---------------------------------------------------------------- asmVarReal

void asmVarReal::Set(asmVar& v) { value = v.GetReal(); }
int asmVarReal::GetInt() { return SatTrunc(value); }

const char* asmVarReal::GetString() {
    char buf[kTextSize];
    FormatReal(buf, value);
    text = buf;
    return text.c_str();
}

void asmVarReal::SetString(const ddString& s) { value = TextToReal(s.c_str()); }
void asmVarReal::SetString(const char* s) { value = TextToReal(s); }

int asmVarReal::Cmp(asmVar& v) { return CompareReal(value, v.GetReal()); }
int asmVarReal::Cmp(int i) { return CompareReal(value, i); }
int asmVarReal::Cmp(float r) { return CompareReal(value, r); }
int asmVarReal::Cmp(const char* s) { return CompareReal(value, TextToReal(s)); }

void asmVarReal::Add(asmInterpreter& m, asmVar& v) { PushReal(m, RealSum(value, v.GetReal())); }
void asmVarReal::Add(asmInterpreter& m, float r) { PushReal(m, RealSum(value, r)); }
void asmVarReal::Add(asmInterpreter& m, int i) { PushReal(m, RealSum(value, i)); }
void asmVarReal::Add(asmInterpreter& m, const ddString& s) {
    PushReal(m, RealSum(value, TextToReal(s.c_str())));
}
void asmVarReal::AddR(asmInterpreter& m, float r) { PushReal(m, RealSum(r, value)); }
void asmVarReal::AddR(asmInterpreter& m, int i) { PushReal(m, RealSum(i, value)); }
void asmVarReal::AddR(asmInterpreter& m, const ddString& s) {
    char buf[kTextSize];
    FormatReal(buf, value);
    PushConcat(m, s.c_str(), buf);
}

void asmVarReal::Sub(asmInterpreter& m, asmVar& v) { PushReal(m, RealDiff(value, v.GetReal())); }
void asmVarReal::Sub(asmInterpreter& m, int i) { PushReal(m, RealDiff(value, i)); }
void asmVarReal::Sub(asmInterpreter& m, float r) { PushReal(m, RealDiff(value, r)); }
void asmVarReal::SubR(asmInterpreter& m, int i) { PushReal(m, RealDiff(i, value)); }
void asmVarReal::SubR(asmInterpreter& m, float r) { PushReal(m, RealDiff(r, value)); }

void asmVarReal::Mul(asmInterpreter& m, asmVar& v) { PushReal(m, RealProd(value, v.GetReal())); }
void asmVarReal::Mul(asmInterpreter& m, int i) { PushReal(m, RealProd(value, i)); }
void asmVarReal::Mul(asmInterpreter& m, float r) { PushReal(m, RealProd(value, r)); }
void asmVarReal::MulR(asmInterpreter& m, int i) { PushReal(m, RealProd(i, value)); }
void asmVarReal::MulR(asmInterpreter& m, float r) { PushReal(m, RealProd(r, value)); }

void asmVarReal::Div(asmInterpreter& m, asmVar& v) {
    float d = v.GetReal();
    if (d == 0.0f) DivisionByZero();
    SetRegReal(m, kRegA, RealQuot(value, d));
}
void asmVarReal::Div(asmInterpreter& m, int i) {
    if (i == 0) DivisionByZero();
    SetRegReal(m, kRegA, RealQuot(value, i));
}
void asmVarReal::Div(asmInterpreter& m, float r) {
    if (r == 0.0f) DivisionByZero();
    SetRegReal(m, kRegA, RealQuot(value, r));
}
void asmVarReal::DivR(asmInterpreter& m, int i) {
    if (value == 0.0f) DivisionByZero();
    SetRegReal(m, kRegA, RealQuot(i, value));
}
void asmVarReal::DivR(asmInterpreter& m, float r) {
    if (value == 0.0f) DivisionByZero();
    SetRegReal(m, kRegA, RealQuot(r, value));
}

// ---------------------------------------------------------------- asmVarString

void asmVarString::Set(asmVar& v) { SetString(v.GetString()); }
int asmVarString::GetInt() { return TextToInt(text.c_str()); }
float asmVarString::GetReal() { return TextToReal(text.c_str()); }

void asmVarString::SetInt(int i) {
    char buf[kTextSize];
    FormatInt(buf, i);
    text = buf;
}

void asmVarString::SetReal(float r) {
    char buf[kTextSize];
    FormatReal(buf, r);
    text = buf;
}

int asmVarString::Cmp(asmVar& v) { return std::strcmp(text.c_str(), v.GetString()); }
int asmVarString::Cmp(int i) {
    char buf[kTextSize];
    FormatInt(buf, i);
    return std::strcmp(text.c_str(), buf);
}
int asmVarString::Cmp(float r) {
    char buf[kTextSize];
    FormatReal(buf, r);
    return std::strcmp(text.c_str(), buf);
}
int asmVarString::Cmp(const char* s) { return std::strcmp(text.c_str(), s ? s : ""); }

void asmVarString::Add(asmInterpreter& m, asmVar& v) { PushConcat(m, text.c_str(), v.GetString()); }
void asmVarString::Add(asmInterpreter& m, float r) {
    char buf[kTextSize];
    FormatReal(buf, r);
    PushConcat(m, text.c_str(), buf);
}
void asmVarString::Add(asmInterpreter& m, int i) {
    char buf[kTextSize];
    FormatInt(buf, i);
    PushConcat(m, text.c_str(), buf);
}
void asmVarString::Add(asmInterpreter& m, const ddString& s) { PushConcat(m, text.c_str(), s.c_str()); }
void asmVarString::AddR(asmInterpreter& m, float r) {
    char buf[kTextSize];
    FormatReal(buf, r);
    PushConcat(m, buf, text.c_str());
}
void asmVarString::AddR(asmInterpreter& m, int i) {
    char buf[kTextSize];
    FormatInt(buf, i);
    PushConcat(m, buf, text.c_str());
}
void asmVarString::AddR(asmInterpreter& m, const ddString& s) { PushConcat(m, s.c_str(), text.c_str()); }

// ---------------------------------------------------------------- asmVarReg

asmVarReg::asmVarReg(asmClass* cls, const char* name)
    : asmVar(cls, name), intPart(nullptr, nullptr), realPart(nullptr, nullptr), stringPart(nullptr, nullptr) {
    type = TYPE_DEF;
}

asmVarReg::~asmVarReg() = default;  // the parts are members; the target is never owned

asmVar& asmVarReg::Bound(const char* failure) {
    if (!target) FatalExit(failure, 1);
    return *target;
}

namespace {
constexpr const char* kNoType = "\nunknown register type\n";
constexpr const char* kNoCall = "\nunknown value of register!";
constexpr const char* kNoSet = "\ncan't set var to register!";
constexpr const char* kNoGet = "\ncan't get var from register!";
}  // namespace

void asmVarReg::SetName(const char* n) {
    asmVar::SetName(n);
    intPart.SetName(n);
    realPart.SetName(n);
    stringPart.SetName(n);
}

void asmVarReg::CallMethod(asmInterpreter* interp, const char* methodName) {
    Bound(kNoCall).CallMethod(interp, methodName);
}

void asmVarReg::CallBuiltIn(asmInterpreter* interp, int index) { Bound(kNoSet).CallBuiltIn(interp, index); }

int32_t asmVarReg::GetType() { return Bound(kNoType).GetType(); }

void asmVarReg::Set(asmVar& v) {
    if (!target) SetAs(v);
    target->Set(v);
}

int asmVarReg::GetInt() { return Bound(kNoGet).GetInt(); }
const char* asmVarReg::GetString() { return Bound(kNoGet).GetString(); }
float asmVarReg::GetReal() { return Bound(kNoGet).GetReal(); }

void asmVarReg::SetInt(int i) {
    if (!target) target = &intPart;
    target->SetInt(i);
}
void asmVarReg::SetReal(float r) {
    if (!target) target = &realPart;
    target->SetReal(r);
}
void asmVarReg::SetString(const ddString& s) {
    if (!target) target = &stringPart;
    target->SetString(s);
}
void asmVarReg::SetString(const char* s) {
    if (!target) target = &stringPart;
    target->SetString(s);
}

int asmVarReg::Cmp(asmVar& v) { return Bound(kNoType).Cmp(v); }
int asmVarReg::Cmp(int i) { return Bound(kNoType).Cmp(i); }
int asmVarReg::Cmp(float r) { return Bound(kNoType).Cmp(r); }
int asmVarReg::Cmp(const char* s) { return Bound(kNoType).Cmp(s); }

void asmVarReg::Add(asmInterpreter& m, asmVar& v) { Bound(kNoSet).Add(m, v); }
void asmVarReg::Add(asmInterpreter& m, float r) { Bound(kNoSet).Add(m, r); }
void asmVarReg::Add(asmInterpreter& m, int i) { Bound(kNoSet).Add(m, i); }
void asmVarReg::Add(asmInterpreter& m, const ddString& s) { Bound(kNoSet).Add(m, s); }
void asmVarReg::AddR(asmInterpreter& m, float r) { Bound(kNoSet).AddR(m, r); }
void asmVarReg::AddR(asmInterpreter& m, int i) { Bound(kNoSet).AddR(m, i); }
void asmVarReg::AddR(asmInterpreter& m, const ddString& s) { Bound(kNoSet).AddR(m, s); }
void asmVarReg::Sub(asmInterpreter& m, asmVar& v) { Bound(kNoSet).Sub(m, v); }
void asmVarReg::Sub(asmInterpreter& m, int i) { Bound(kNoSet).Sub(m, i); }
void asmVarReg::Sub(asmInterpreter&, const ddString&) { ForbiddenInstruction("Sub"); }
void asmVarReg::SubR(asmInterpreter&, const ddString&) { ForbiddenInstruction("SubR"); }
void asmVarReg::Sub(asmInterpreter& m, float r) { Bound(kNoSet).Sub(m, r); }
void asmVarReg::SubR(asmInterpreter& m, int i) { Bound(kNoSet).SubR(m, i); }
void asmVarReg::SubR(asmInterpreter& m, float r) { Bound(kNoSet).SubR(m, r); }
void asmVarReg::Mul(asmInterpreter& m, asmVar& v) { Bound(kNoSet).Mul(m, v); }
void asmVarReg::Mul(asmInterpreter& m, int i) { Bound(kNoSet).Mul(m, i); }
void asmVarReg::Mul(asmInterpreter& m, float r) { Bound(kNoSet).Mul(m, r); }
void asmVarReg::Mul(asmInterpreter&, const ddString&) { ForbiddenInstruction("Mul"); }
void asmVarReg::MulR(asmInterpreter&, const ddString&) { ForbiddenInstruction("MulR"); }
void asmVarReg::MulR(asmInterpreter& m, int i) { Bound(kNoSet).MulR(m, i); }
void asmVarReg::MulR(asmInterpreter& m, float r) { Bound(kNoSet).MulR(m, r); }
void asmVarReg::Div(asmInterpreter& m, asmVar& v) { Bound(kNoSet).Div(m, v); }
void asmVarReg::Div(asmInterpreter& m, int i) { Bound(kNoSet).Div(m, i); }
void asmVarReg::Div(asmInterpreter& m, float r) { Bound(kNoSet).Div(m, r); }
void asmVarReg::Div(asmInterpreter&, const ddString&) { ForbiddenInstruction("Div"); }
void asmVarReg::DivR(asmInterpreter&, const ddString&) { ForbiddenInstruction("DivR"); }
void asmVarReg::DivR(asmInterpreter& m, int i) { Bound(kNoSet).DivR(m, i); }
void asmVarReg::DivR(asmInterpreter& m, float r) { Bound(kNoSet).DivR(m, r); }

void asmVarReg::SetPartClasses(asmClass* intClass, asmClass* realClass, asmClass* stringClass) {
    intPart.SetClass(intClass);
    realPart.SetClass(realClass);
    stringPart.SetClass(stringClass);
}

void asmVarReg::SetAs(asmVar& v) {
    int32_t t = v.GetType();
    switch (t) {
    case TYPE_INT:
        AssignInt(v.GetInt());
        return;
    case TYPE_REAL:
        AssignReal(v.GetReal());
        return;
    case TYPE_STRING:
        AssignString(v.GetString());
        return;
    default: {
        std::string message = "\nasmvarreg::setas no such type ";
        message += std::to_string(t);
        message += '\n';
        FatalExit(message, 1);
    }
    }
}
