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
void IntDivide(int n, int d) {
    if (d == 0) DivisionByZero();
    SetRegInt(kRegA, WrapDiv(n, d));
    SetRegInt(kRegD, WrapRem(n, d));
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
void asmVar::Add(asmVar&) { ForbiddenInstruction("Add"); }
void asmVar::Add(float) { ForbiddenInstruction("Add"); }
void asmVar::Add(int) { ForbiddenInstruction("Add"); }
void asmVar::Add(const ddString&) { ForbiddenInstruction("Add"); }
void asmVar::AddR(float) { ForbiddenInstruction("AddR"); }
void asmVar::AddR(int) { ForbiddenInstruction("AddR"); }
void asmVar::AddR(const ddString&) { ForbiddenInstruction("AddR"); }
void asmVar::Sub(asmVar&) { ForbiddenInstruction("Sub"); }
void asmVar::Sub(int) { ForbiddenInstruction("Sub"); }
void asmVar::Sub(const ddString&) { ForbiddenInstruction("Sub"); }
void asmVar::SubR(const ddString&) { ForbiddenInstruction("SubR"); }
void asmVar::Sub(float) { ForbiddenInstruction("Sub"); }
void asmVar::SubR(int) { ForbiddenInstruction("SubR"); }
void asmVar::SubR(float) { ForbiddenInstruction("SubR"); }
void asmVar::Mul(asmVar&) { ForbiddenInstruction("Mul"); }
void asmVar::Mul(int) { ForbiddenInstruction("Mul"); }
void asmVar::Mul(float) { ForbiddenInstruction("Mul"); }
void asmVar::Mul(const ddString&) { ForbiddenInstruction("Mul"); }
void asmVar::MulR(const ddString&) { ForbiddenInstruction("MulR"); }
void asmVar::MulR(int) { ForbiddenInstruction("MulR"); }
void asmVar::MulR(float) { ForbiddenInstruction("MulR"); }
void asmVar::Div(asmVar&) { ForbiddenInstruction("Div"); }
void asmVar::Div(int) { ForbiddenInstruction("Div"); }
void asmVar::Div(float) { ForbiddenInstruction("Div"); }
void asmVar::Div(const ddString&) { ForbiddenInstruction("Div"); }
void asmVar::DivR(const ddString&) { ForbiddenInstruction("DivR"); }
void asmVar::DivR(int) { ForbiddenInstruction("DivR"); }
void asmVar::DivR(float) { ForbiddenInstruction("DivR"); }

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

void asmVarInt::Add(asmVar& v) { PushInt(WrapAdd(value, v.GetInt())); }
void asmVarInt::Add(float r) { PushInt(WrapAdd(value, SatTrunc(r))); }
void asmVarInt::Add(int i) { PushInt(WrapAdd(value, i)); }
void asmVarInt::Add(const ddString& s) { PushInt(WrapAdd(value, TextToInt(s.c_str()))); }
void asmVarInt::AddR(float r) { PushReal(RealSum(r, value)); }
void asmVarInt::AddR(int i) { PushInt(WrapAdd(i, value)); }
void asmVarInt::AddR(const ddString& s) {
    char buf[kTextSize];
    FormatInt(buf, value);
    PushConcat(s.c_str(), buf);
}

void asmVarInt::Sub(asmVar& v) { PushInt(WrapSub(value, v.GetInt())); }
void asmVarInt::Sub(int i) { PushInt(WrapSub(value, i)); }
void asmVarInt::Sub(float r) { PushInt(WrapSub(value, SatTrunc(r))); }
void asmVarInt::SubR(int i) { PushInt(WrapSub(i, value)); }
void asmVarInt::SubR(float r) { PushReal(RealDiff(r, value)); }

void asmVarInt::Mul(asmVar& v) { PushInt(WrapMul(v.GetInt(), value)); }
void asmVarInt::Mul(int i) { PushInt(WrapMul(value, i)); }
void asmVarInt::Mul(float r) { PushInt(SatTrunc(RealProd(value, r))); }
void asmVarInt::MulR(int i) { PushInt(WrapMul(value, i)); }
void asmVarInt::MulR(float r) { PushInt(SatTrunc(RealProd(value, r))); }

void asmVarInt::Div(asmVar& v) { IntDivide(value, v.GetInt()); }
void asmVarInt::Div(int i) { IntDivide(value, i); }
void asmVarInt::Div(float r) {
    if (r == 0.0f) DivisionByZero();
    SetRegInt(kRegA, SatTrunc(RealQuot(value, r)));
}
void asmVarInt::DivR(int i) {
    if (value == 0) DivisionByZero();
    SetRegInt(kRegA, WrapDiv(i, value));
}
void asmVarInt::DivR(float r) {
    if (value == 0) DivisionByZero();
    SetRegReal(kRegA, RealQuot(r, value));
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

void asmVarReal::Add(asmVar& v) { PushReal(RealSum(value, v.GetReal())); }
void asmVarReal::Add(float r) { PushReal(RealSum(value, r)); }
void asmVarReal::Add(int i) { PushReal(RealSum(value, i)); }
void asmVarReal::Add(const ddString& s) { PushReal(RealSum(value, TextToReal(s.c_str()))); }
void asmVarReal::AddR(float r) { PushReal(RealSum(r, value)); }
void asmVarReal::AddR(int i) { PushReal(RealSum(i, value)); }
void asmVarReal::AddR(const ddString& s) {
    char buf[kTextSize];
    FormatReal(buf, value);
    PushConcat(s.c_str(), buf);
}

void asmVarReal::Sub(asmVar& v) { PushReal(RealDiff(value, v.GetReal())); }
void asmVarReal::Sub(int i) { PushReal(RealDiff(value, i)); }
void asmVarReal::Sub(float r) { PushReal(RealDiff(value, r)); }
void asmVarReal::SubR(int i) { PushReal(RealDiff(i, value)); }
void asmVarReal::SubR(float r) { PushReal(RealDiff(r, value)); }

void asmVarReal::Mul(asmVar& v) { PushReal(RealProd(value, v.GetReal())); }
void asmVarReal::Mul(int i) { PushReal(RealProd(value, i)); }
void asmVarReal::Mul(float r) { PushReal(RealProd(value, r)); }
void asmVarReal::MulR(int i) { PushReal(RealProd(i, value)); }
void asmVarReal::MulR(float r) { PushReal(RealProd(r, value)); }

void asmVarReal::Div(asmVar& v) {
    float d = v.GetReal();
    if (d == 0.0f) DivisionByZero();
    SetRegReal(kRegA, RealQuot(value, d));
}
void asmVarReal::Div(int i) {
    if (i == 0) DivisionByZero();
    SetRegReal(kRegA, RealQuot(value, i));
}
void asmVarReal::Div(float r) {
    if (r == 0.0f) DivisionByZero();
    SetRegReal(kRegA, RealQuot(value, r));
}
void asmVarReal::DivR(int i) {
    if (value == 0.0f) DivisionByZero();
    SetRegReal(kRegA, RealQuot(i, value));
}
void asmVarReal::DivR(float r) {
    if (value == 0.0f) DivisionByZero();
    SetRegReal(kRegA, RealQuot(r, value));
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

void asmVarString::Add(asmVar& v) { PushConcat(text.c_str(), v.GetString()); }
void asmVarString::Add(float r) {
    char buf[kTextSize];
    FormatReal(buf, r);
    PushConcat(text.c_str(), buf);
}
void asmVarString::Add(int i) {
    char buf[kTextSize];
    FormatInt(buf, i);
    PushConcat(text.c_str(), buf);
}
void asmVarString::Add(const ddString& s) { PushConcat(text.c_str(), s.c_str()); }
void asmVarString::AddR(float r) {
    char buf[kTextSize];
    FormatReal(buf, r);
    PushConcat(buf, text.c_str());
}
void asmVarString::AddR(int i) {
    char buf[kTextSize];
    FormatInt(buf, i);
    PushConcat(buf, text.c_str());
}
void asmVarString::AddR(const ddString& s) { PushConcat(s.c_str(), text.c_str()); }

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

void asmVarReg::Add(asmVar& v) { Bound(kNoSet).Add(v); }
void asmVarReg::Add(float r) { Bound(kNoSet).Add(r); }
void asmVarReg::Add(int i) { Bound(kNoSet).Add(i); }
void asmVarReg::Add(const ddString& s) { Bound(kNoSet).Add(s); }
void asmVarReg::AddR(float r) { Bound(kNoSet).AddR(r); }
void asmVarReg::AddR(int i) { Bound(kNoSet).AddR(i); }
void asmVarReg::AddR(const ddString& s) { Bound(kNoSet).AddR(s); }
void asmVarReg::Sub(asmVar& v) { Bound(kNoSet).Sub(v); }
void asmVarReg::Sub(int i) { Bound(kNoSet).Sub(i); }
void asmVarReg::Sub(const ddString&) { ForbiddenInstruction("Sub"); }
void asmVarReg::SubR(const ddString&) { ForbiddenInstruction("SubR"); }
void asmVarReg::Sub(float r) { Bound(kNoSet).Sub(r); }
void asmVarReg::SubR(int i) { Bound(kNoSet).SubR(i); }
void asmVarReg::SubR(float r) { Bound(kNoSet).SubR(r); }
void asmVarReg::Mul(asmVar& v) { Bound(kNoSet).Mul(v); }
void asmVarReg::Mul(int i) { Bound(kNoSet).Mul(i); }
void asmVarReg::Mul(float r) { Bound(kNoSet).Mul(r); }
void asmVarReg::Mul(const ddString&) { ForbiddenInstruction("Mul"); }
void asmVarReg::MulR(const ddString&) { ForbiddenInstruction("MulR"); }
void asmVarReg::MulR(int i) { Bound(kNoSet).MulR(i); }
void asmVarReg::MulR(float r) { Bound(kNoSet).MulR(r); }
void asmVarReg::Div(asmVar& v) { Bound(kNoSet).Div(v); }
void asmVarReg::Div(int i) { Bound(kNoSet).Div(i); }
void asmVarReg::Div(float r) { Bound(kNoSet).Div(r); }
void asmVarReg::Div(const ddString&) { ForbiddenInstruction("Div"); }
void asmVarReg::DivR(const ddString&) { ForbiddenInstruction("DivR"); }
void asmVarReg::DivR(int i) { Bound(kNoSet).DivR(i); }
void asmVarReg::DivR(float r) { Bound(kNoSet).DivR(r); }

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
