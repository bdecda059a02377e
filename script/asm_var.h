// Script values: int, real (32-bit float) and string, and the register cell
// that makes up the interpreter's registers, stacks and locals.
//
// Arithmetic never changes the value it is called on: Add, Sub and Mul push
// their result onto the main stack of the machine they are handed; Div
// writes the quotient into its register $a and, for int by int, the
// remainder into $d. Which kind the result has is
// decided by the operation chosen (see the tables in asm_var.cpp).
#pragma once

#include <cstdint>

#include "foundation/asm_class_obj.h"
#include "foundation/dd_string.h"
#include "script/script_class.h"

// Script type codes of the values.
enum asmTypeCode : int32_t {
    TYPE_NONE = -1,
    TYPE_INT = 4,
    TYPE_REAL = 5,
    TYPE_STRING = 6,
    TYPE_DEF = 7,
};

class asmVar : public asmClassObj {
public:
    asmVar(asmClass* cls, const char* name);
    ~asmVar() override;

    virtual int32_t GetType() { return type; }

    virtual void Set(asmVar& v);
    virtual int GetInt();
    virtual const char* GetString();
    virtual float GetReal();
    virtual void SetInt(int i);
    virtual void SetReal(float r);
    virtual void SetString(const ddString& s);
    virtual void SetString(const char* s);
    virtual void Save();
    virtual void Load();

    virtual int Cmp(asmVar& v);
    virtual int Cmp(int i);
    virtual int Cmp(float r);
    virtual int Cmp(const char* s);

    virtual void Add(asmInterpreter& m, asmVar& v);
    virtual void Add(asmInterpreter& m, float r);
    virtual void Add(asmInterpreter& m, int i);
    virtual void Add(asmInterpreter& m, const ddString& s);
    virtual void AddR(asmInterpreter& m, float r);
    virtual void AddR(asmInterpreter& m, int i);
    virtual void AddR(asmInterpreter& m, const ddString& s);

    virtual void Sub(asmInterpreter& m, asmVar& v);
    virtual void Sub(asmInterpreter& m, int i);
    virtual void Sub(asmInterpreter& m, const ddString& s);
    virtual void SubR(asmInterpreter& m, const ddString& s);
    virtual void Sub(asmInterpreter& m, float r);
    virtual void SubR(asmInterpreter& m, int i);
    virtual void SubR(asmInterpreter& m, float r);

    virtual void Mul(asmInterpreter& m, asmVar& v);
    virtual void Mul(asmInterpreter& m, int i);
    virtual void Mul(asmInterpreter& m, float r);
    virtual void Mul(asmInterpreter& m, const ddString& s);
    virtual void MulR(asmInterpreter& m, const ddString& s);
    virtual void MulR(asmInterpreter& m, int i);
    virtual void MulR(asmInterpreter& m, float r);

    virtual void Div(asmInterpreter& m, asmVar& v);
    virtual void Div(asmInterpreter& m, int i);
    virtual void Div(asmInterpreter& m, float r);
    virtual void Div(asmInterpreter& m, const ddString& s);
    virtual void DivR(asmInterpreter& m, const ddString& s);
    virtual void DivR(asmInterpreter& m, int i);
    virtual void DivR(asmInterpreter& m, float r);

    // Ends the program: "forbidden instruction " and the operation's word.
    [[noreturn]] static void ForbiddenInstruction(const char* operation);

protected:
    int32_t type = TYPE_NONE;
    // A string's text; for int and real the buffer GetString writes into.
    ddString text;
};

class asmVarInt : public asmScriptClass<asmVarInt, asmVar> {
public:
    asmVarInt(asmClass* cls, const char* name) : asmScriptClass(cls, name) { type = TYPE_INT; }

    using asmVar::Add;
    using asmVar::AddR;
    using asmVar::Cmp;
    using asmVar::Div;
    using asmVar::DivR;
    using asmVar::Mul;
    using asmVar::MulR;
    using asmVar::SetString;
    using asmVar::Sub;
    using asmVar::SubR;

    // The script methods' table, in value_methods.cpp (read by asmScriptClass).
    struct ScriptMethods;

    void Set(asmVar& v) override;
    int GetInt() override { return value; }
    const char* GetString() override;
    float GetReal() override { return static_cast<float>(value); }
    void SetInt(int i) override { value = i; }
    void SetReal(float r) override;
    void SetString(const ddString& s) override;
    void SetString(const char* s) override;

    int Cmp(asmVar& v) override;
    int Cmp(int i) override;
    int Cmp(float r) override;
    int Cmp(const char* s) override;

    void Add(asmInterpreter& m, asmVar& v) override;
    void Add(asmInterpreter& m, float r) override;
    void Add(asmInterpreter& m, int i) override;
    void Add(asmInterpreter& m, const ddString& s) override;
    void AddR(asmInterpreter& m, float r) override;
    void AddR(asmInterpreter& m, int i) override;
    void AddR(asmInterpreter& m, const ddString& s) override;
    void Sub(asmInterpreter& m, asmVar& v) override;
    void Sub(asmInterpreter& m, int i) override;
    void Sub(asmInterpreter& m, float r) override;
    void SubR(asmInterpreter& m, int i) override;
    void SubR(asmInterpreter& m, float r) override;
    void Mul(asmInterpreter& m, asmVar& v) override;
    void Mul(asmInterpreter& m, int i) override;
    void Mul(asmInterpreter& m, float r) override;
    void MulR(asmInterpreter& m, int i) override;
    void MulR(asmInterpreter& m, float r) override;
    void Div(asmInterpreter& m, asmVar& v) override;
    void Div(asmInterpreter& m, int i) override;
    void Div(asmInterpreter& m, float r) override;
    void DivR(asmInterpreter& m, int i) override;
    void DivR(asmInterpreter& m, float r) override;

    // Direct access for the interpreter's fast paths.
    int32_t value = 0;
};

extern template class asmScriptClass<asmVarInt, asmVar>;

class asmVarReal : public asmScriptClass<asmVarReal, asmVar> {
public:
    asmVarReal(asmClass* cls, const char* name) : asmScriptClass(cls, name) { type = TYPE_REAL; }

    using asmVar::Add;
    using asmVar::AddR;
    using asmVar::Cmp;
    using asmVar::Div;
    using asmVar::DivR;
    using asmVar::Mul;
    using asmVar::MulR;
    using asmVar::SetString;
    using asmVar::Sub;
    using asmVar::SubR;

    // The script methods' table, in value_methods.cpp (read by asmScriptClass).
    struct ScriptMethods;

    void Set(asmVar& v) override;
    int GetInt() override;
    const char* GetString() override;
    float GetReal() override { return value; }
    void SetInt(int i) override { value = static_cast<float>(i); }
    void SetReal(float r) override { value = r; }
    void SetString(const ddString& s) override;
    void SetString(const char* s) override;

    int Cmp(asmVar& v) override;
    int Cmp(int i) override;
    int Cmp(float r) override;
    int Cmp(const char* s) override;

    void Add(asmInterpreter& m, asmVar& v) override;
    void Add(asmInterpreter& m, float r) override;
    void Add(asmInterpreter& m, int i) override;
    void Add(asmInterpreter& m, const ddString& s) override;
    void AddR(asmInterpreter& m, float r) override;
    void AddR(asmInterpreter& m, int i) override;
    void AddR(asmInterpreter& m, const ddString& s) override;
    void Sub(asmInterpreter& m, asmVar& v) override;
    void Sub(asmInterpreter& m, int i) override;
    void Sub(asmInterpreter& m, float r) override;
    void SubR(asmInterpreter& m, int i) override;
    void SubR(asmInterpreter& m, float r) override;
    void Mul(asmInterpreter& m, asmVar& v) override;
    void Mul(asmInterpreter& m, int i) override;
    void Mul(asmInterpreter& m, float r) override;
    void MulR(asmInterpreter& m, int i) override;
    void MulR(asmInterpreter& m, float r) override;
    void Div(asmInterpreter& m, asmVar& v) override;
    void Div(asmInterpreter& m, int i) override;
    void Div(asmInterpreter& m, float r) override;
    void DivR(asmInterpreter& m, int i) override;
    void DivR(asmInterpreter& m, float r) override;

    float value = 0.0f;
};

extern template class asmScriptClass<asmVarReal, asmVar>;

class asmVarString : public asmScriptClass<asmVarString, asmVar> {
public:
    asmVarString(asmClass* cls, const char* name) : asmScriptClass(cls, name) { type = TYPE_STRING; }

    using asmVar::Add;
    using asmVar::AddR;
    using asmVar::Cmp;
    using asmVar::SetString;

    // The script methods' table, in value_methods.cpp (read by asmScriptClass).
    struct ScriptMethods;

    void Set(asmVar& v) override;
    int GetInt() override;
    const char* GetString() override { return text.c_str(); }
    float GetReal() override;
    void SetInt(int i) override;
    void SetReal(float r) override;
    void SetString(const ddString& s) override { SetString(s.c_str()); }
    void SetString(const char* s) override { text = s ? s : ""; }

    int Cmp(asmVar& v) override;
    int Cmp(int i) override;
    int Cmp(float r) override;
    int Cmp(const char* s) override;

    void Add(asmInterpreter& m, asmVar& v) override;
    void Add(asmInterpreter& m, float r) override;
    void Add(asmInterpreter& m, int i) override;
    void Add(asmInterpreter& m, const ddString& s) override;
    void AddR(asmInterpreter& m, float r) override;
    void AddR(asmInterpreter& m, int i) override;
    void AddR(asmInterpreter& m, const ddString& s) override;

    // The text itself, for the interpreter's fast paths.
    ddString& Text() { return text; }
};

extern template class asmScriptClass<asmVarString, asmVar>;

// A register cell: refers to one value, its target, and forwards every
// operation to it. The target is one of the cell's own three parts or none.
class asmVarReg : public asmVar {
public:
    explicit asmVarReg(asmClass* cls = nullptr, const char* name = nullptr);
    ~asmVarReg() override;

    using asmVar::Add;
    using asmVar::AddR;
    using asmVar::Cmp;
    using asmVar::Div;
    using asmVar::DivR;
    using asmVar::Mul;
    using asmVar::MulR;
    using asmVar::SetString;
    using asmVar::Sub;
    using asmVar::SubR;

    void SetName(const char* n) override;
    void CallMethod(asmInterpreter* interp, const char* methodName) override;
    void CallBuiltIn(asmInterpreter* interp, int index) override;
    int32_t GetType() override;

    void Set(asmVar& v) override;
    int GetInt() override;
    const char* GetString() override;
    float GetReal() override;
    void SetInt(int i) override;
    void SetReal(float r) override;
    void SetString(const ddString& s) override;
    void SetString(const char* s) override;

    int Cmp(asmVar& v) override;
    int Cmp(int i) override;
    int Cmp(float r) override;
    int Cmp(const char* s) override;

    void Add(asmInterpreter& m, asmVar& v) override;
    void Add(asmInterpreter& m, float r) override;
    void Add(asmInterpreter& m, int i) override;
    void Add(asmInterpreter& m, const ddString& s) override;
    void AddR(asmInterpreter& m, float r) override;
    void AddR(asmInterpreter& m, int i) override;
    void AddR(asmInterpreter& m, const ddString& s) override;
    void Sub(asmInterpreter& m, asmVar& v) override;
    void Sub(asmInterpreter& m, int i) override;
    void Sub(asmInterpreter& m, const ddString& s) override;
    void SubR(asmInterpreter& m, const ddString& s) override;
    void Sub(asmInterpreter& m, float r) override;
    void SubR(asmInterpreter& m, int i) override;
    void SubR(asmInterpreter& m, float r) override;
    void Mul(asmInterpreter& m, asmVar& v) override;
    void Mul(asmInterpreter& m, int i) override;
    void Mul(asmInterpreter& m, float r) override;
    void Mul(asmInterpreter& m, const ddString& s) override;
    void MulR(asmInterpreter& m, const ddString& s) override;
    void MulR(asmInterpreter& m, int i) override;
    void MulR(asmInterpreter& m, float r) override;
    void Div(asmInterpreter& m, asmVar& v) override;
    void Div(asmInterpreter& m, int i) override;
    void Div(asmInterpreter& m, float r) override;
    void Div(asmInterpreter& m, const ddString& s) override;
    void DivR(asmInterpreter& m, const ddString& s) override;
    void DivR(asmInterpreter& m, int i) override;
    void DivR(asmInterpreter& m, float r) override;

    void SetPartClasses(asmClass* intClass, asmClass* realClass, asmClass* stringClass);

    void BindInt() { target = &intPart; }
    void BindReal() { target = &realPart; }
    void BindString() { target = &stringPart; }
    void Unbind() { target = nullptr; }

    // Bind to the own part of that kind, then set it.
    void AssignInt(int i) {
        target = &intPart;
        intPart.value = i;
    }
    void AssignReal(float r) {
        target = &realPart;
        realPart.value = r;
    }
    void AssignString(const char* s) {
        target = &stringPart;
        stringPart.SetString(s);
    }
    void AssignString(const ddString& s) { AssignString(s.c_str()); }

    // Copies v by its type into the own part (never aliases).
    void SetAs(asmVar& v);

    asmVar* Target() const { return target; }
    bool HoldsInt() const { return target == &intPart; }
    bool HoldsString() const { return target == &stringPart; }
    asmVarInt& IntPart() { return intPart; }
    asmVarReal& RealPart() { return realPart; }
    asmVarString& StringPart() { return stringPart; }

private:
    asmVar& Bound(const char* failure);

    asmVar* target = nullptr;
    asmVarInt intPart;
    asmVarReal realPart;
    asmVarString stringPart;
};
