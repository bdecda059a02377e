// What each instruction does, in its general form.
#include "script/executors.h"

#include <algorithm>

#include "script/interpreter.h"

namespace asmExec {
namespace {

// The four arithmetic instructions differ only in the value operations
// they call: this + operand, and operand + this (the R forms).
struct AddOps {
    static void On(asmInterpreter& m, asmVar& v, asmVar& w) { v.Add(m, w); }
    static void On(asmInterpreter& m, asmVar& v, int i) { v.Add(m, i); }
    static void On(asmInterpreter& m, asmVar& v, float r) { v.Add(m, r); }
    static void On(asmInterpreter& m, asmVar& v, const ddString& s) { v.Add(m, s); }
    static void R(asmInterpreter& m, asmVar& v, int i) { v.AddR(m, i); }
    static void R(asmInterpreter& m, asmVar& v, float r) { v.AddR(m, r); }
    static void R(asmInterpreter& m, asmVar& v, const ddString& s) { v.AddR(m, s); }
};
struct SubOps {
    static void On(asmInterpreter& m, asmVar& v, asmVar& w) { v.Sub(m, w); }
    static void On(asmInterpreter& m, asmVar& v, int i) { v.Sub(m, i); }
    static void On(asmInterpreter& m, asmVar& v, float r) { v.Sub(m, r); }
    static void On(asmInterpreter& m, asmVar& v, const ddString& s) { v.Sub(m, s); }
    static void R(asmInterpreter& m, asmVar& v, int i) { v.SubR(m, i); }
    static void R(asmInterpreter& m, asmVar& v, float r) { v.SubR(m, r); }
    static void R(asmInterpreter& m, asmVar& v, const ddString& s) { v.SubR(m, s); }
};
struct MulOps {
    static void On(asmInterpreter& m, asmVar& v, asmVar& w) { v.Mul(m, w); }
    static void On(asmInterpreter& m, asmVar& v, int i) { v.Mul(m, i); }
    static void On(asmInterpreter& m, asmVar& v, float r) { v.Mul(m, r); }
    static void On(asmInterpreter& m, asmVar& v, const ddString& s) { v.Mul(m, s); }
    static void R(asmInterpreter& m, asmVar& v, int i) { v.MulR(m, i); }
    static void R(asmInterpreter& m, asmVar& v, float r) { v.MulR(m, r); }
    static void R(asmInterpreter& m, asmVar& v, const ddString& s) { v.MulR(m, s); }
};
struct DivOps {
    static void On(asmInterpreter& m, asmVar& v, asmVar& w) { v.Div(m, w); }
    static void On(asmInterpreter& m, asmVar& v, int i) { v.Div(m, i); }
    static void On(asmInterpreter& m, asmVar& v, float r) { v.Div(m, r); }
    static void On(asmInterpreter& m, asmVar& v, const ddString& s) { v.Div(m, s); }
    static void R(asmInterpreter& m, asmVar& v, int i) { v.DivR(m, i); }
    static void R(asmInterpreter& m, asmVar& v, float r) { v.DivR(m, r); }
    static void R(asmInterpreter& m, asmVar& v, const ddString& s) { v.DivR(m, s); }
};

// The method name of a call. Names read through a bracket come from a
// variable whose text may change while the method runs: keep a stable copy.
const char* MethodName(asmInterpreter& m, asmOperand& op) {
    if (op.kind == OPK_NAME && op.text.c_str()) return op.text.c_str();
    bool indirect =
        op.kind == OPK_INDIRECT_NAME || op.kind == OPK_INDIRECT_REG || op.kind == OPK_INDIRECT_LOCAL;
    return indirect ? m.StableName(m.OperandName(op)) : m.OperandName(op);
}

bool IsLiteral(const asmOperand& op) {
    return op.kind == OPK_INT || op.kind == OPK_REAL || op.kind == OPK_STRING;
}

// Op (v, B): v's form for what B is.
template <typename Ops>
void Apply(asmInterpreter& m, asmVar& v, asmOperand& b) {
    switch (b.kind) {
    case OPK_INT:
        Ops::On(m, v, static_cast<int>(b.ivalue));
        return;
    case OPK_REAL:
        Ops::On(m, v, b.rvalue);
        return;
    case OPK_STRING:
        Ops::On(m, v, b.text);
        return;
    default:
        if (asmVar* w = m.OperandValueOrNull(b)) {
            Ops::On(m, v, *w);
            return;
        }
        m.Fatal("unknown format");
    }
}

template <typename Ops>
int Arithmetic(asmInterpreter& m, asmInstruction& in, int index) {
    asmOperand& a = *in.operand1;
    asmOperand& b = *in.operand2;
    switch (a.kind) {
    case OPK_REG:
        Apply<Ops>(m, m.Register(a.ivalue), b);
        break;
    case OPK_LOCAL:
        Apply<Ops>(m, m.LocalCell(a.ivalue), b);
        break;
    case OPK_INT:
    case OPK_REAL:
    case OPK_STRING:
        if (IsLiteral(b)) {
            // Two literals: $a takes the left one, then $a's form runs.
            asmVarReg& ra = m.Register(0);
            if (a.kind == OPK_INT)
                ra.AssignInt(a.ivalue);
            else if (a.kind == OPK_REAL)
                ra.AssignReal(a.rvalue);
            else
                ra.AssignString(a.text);
            Apply<Ops>(m, ra, b);
        } else if (asmVar* w = m.OperandValueOrNull(b)) {
            // Literal on the left: the right value's R form.
            if (a.kind == OPK_INT)
                Ops::R(m, *w, static_cast<int>(a.ivalue));
            else if (a.kind == OPK_REAL)
                Ops::R(m, *w, a.rvalue);
            else
                Ops::R(m, *w, a.text);
        } else {
            m.Fatal("unknown format");
        }
        break;
    default:
        Apply<Ops>(m, m.OperandValue(a), b);
        break;
    }
    return index + 1;
}

// "pop" into a register, a local or a variable from a stack's top cell.
void StoreTop(asmInterpreter& m, asmOperand& x, asmVarReg& top) {
    switch (x.kind) {
    case OPK_REG:
        m.Register(x.ivalue).SetAs(top);
        return;
    case OPK_LOCAL:
        m.LocalCell(x.ivalue).Set(top);
        return;
    default:
        m.OperandValue(x).Set(top);
        return;
    }
}

template <typename Test>
int CompareTop(asmInterpreter& m, Test test) {
    asmVarReg& b = m.PopArg(1);
    asmVarReg& a = m.PopArg(0);
    int r = a.Cmp(b);
    m.PushCell().AssignInt(test(r) ? 1 : 0);
    return 0;
}

void DeclareLocal(asmInterpreter& m, asmInstruction& in) {
    int n = in.operand1->ivalue;
    m.highWater = std::max(m.highWater, n);
}

}  // namespace

int And(asmInterpreter& m, asmInstruction& in, int index) {
    int a = m.OperandInt(*in.operand1);
    int b = m.OperandInt(*in.operand2);
    m.PushCell().AssignInt(a & b);
    return index + 1;
}

int Or(asmInterpreter& m, asmInstruction& in, int index) {
    int a = m.OperandInt(*in.operand1);
    int b = m.OperandInt(*in.operand2);
    m.PushCell().AssignInt(a | b);
    return index + 1;
}

int Mov(asmInterpreter& m, asmInstruction& in, int index) {
    asmOperand& a = *in.operand1;
    asmOperand& b = *in.operand2;
    if (a.kind == OPK_REG)
        m.LoadCell(m.Register(a.ivalue), b);
    else if (a.kind == OPK_LOCAL)
        m.AssignFrom(m.LocalCell(a.ivalue), b);
    else
        m.AssignFrom(m.OperandValue(a), b);
    return index + 1;
}

int Cmp(asmInterpreter& m, asmInstruction& in, int index) {
    m.CompareWith(m.ValueOf(*in.operand1), *in.operand2);
    return index + 1;
}

int Jmp(asmInterpreter&, asmInstruction& in, int) { return in.operand1->ivalue; }
int Je(asmInterpreter& m, asmInstruction& in, int index) {
    return m.flag == 0 ? in.operand1->ivalue : index + 1;
}
int Jne(asmInterpreter& m, asmInstruction& in, int index) {
    return m.flag != 0 ? in.operand1->ivalue : index + 1;
}
int Jl(asmInterpreter& m, asmInstruction& in, int index) {
    return m.flag < 0 ? in.operand1->ivalue : index + 1;
}
int Jle(asmInterpreter& m, asmInstruction& in, int index) {
    return m.flag <= 0 ? in.operand1->ivalue : index + 1;
}
int Ja(asmInterpreter& m, asmInstruction& in, int index) {
    return m.flag > 0 ? in.operand1->ivalue : index + 1;
}
int Jae(asmInterpreter& m, asmInstruction& in, int index) {
    return m.flag >= 0 ? in.operand1->ivalue : index + 1;
}

int Add(asmInterpreter& m, asmInstruction& in, int index) { return Arithmetic<AddOps>(m, in, index); }
int Mul(asmInterpreter& m, asmInstruction& in, int index) { return Arithmetic<MulOps>(m, in, index); }
int Div(asmInterpreter& m, asmInstruction& in, int index) { return Arithmetic<DivOps>(m, in, index); }
int Sub(asmInterpreter& m, asmInstruction& in, int index) { return Arithmetic<SubOps>(m, in, index); }

int New(asmInterpreter& m, asmInstruction& in, int index) {
    if (asmObjectModel* objects = m.GetObjectModel())
        objects->ExecNew(*in.operand1, *in.operand2);
    else
        m.Fatal("declaration of non existing type", m.OperandName(*in.operand1));
    return index + 1;
}

int Delete(asmInterpreter& m, asmInstruction& in, int index) {
    if (asmObjectModel* objects = m.GetObjectModel())
        objects->ExecDelete(*in.operand1);
    else
        m.Fatal("there is no object to delete: ", m.OperandName(*in.operand1));
    return index + 1;
}

int Push(asmInterpreter& m, asmInstruction& in, int index) {
    m.LoadCell(m.PushCell(), *in.operand1);
    return index + 1;
}

int Pop(asmInterpreter& m, asmInstruction& in, int index) {
    if (m.sp < 0) m.Underflow("InterpPop");
    StoreTop(m, *in.operand1, m.StackCell(m.sp));
    --m.sp;
    return index + 1;
}

int Ret(asmInterpreter&, asmInstruction&, int) { return -1; }

int Call(asmInterpreter& m, asmInstruction& in, int index) {
    asmOperand& o = *in.operand1;
    asmOperand& name = *in.operand2;
    if (asmClassObj* object = m.OperandObject(o)) {
        const char* method = MethodName(m, name);
        m.CallOn(object, method, name.call);
    }
    return index + 1;
}

int CallThis(asmInterpreter& m, asmInstruction& in, int index) {
    asmOperand& name = *in.operand1;
    if (!m.currentObject) m.Fatal("callthis: active object is null");
    const char* method = MethodName(m, name);
    m.CallOn(m.currentObject, method, name.call);
    return index + 1;
}

int CallParent(asmInterpreter& m, asmInstruction& in, int index) {
    asmOperand& name = *in.operand2;
    ddTrie<asmClass>* entry = m.typeMap ? m.typeMap->Find(m.OperandName(*in.operand1)) : nullptr;
    if (!entry || !entry->pointer) return index + 1;
    asmClassObj* object = m.currentObject;
    if (!object) m.Fatal("clparent: active object is null");
    const char* method = MethodName(m, name);
    asmClass* own = object->GetClass();
    object->SetClass(entry->pointer);
    m.CallOn(object, method, name.call);
    object->SetClass(own);
    return index + 1;
}

int LocalInt(asmInterpreter& m, asmInstruction& in, int index) {
    DeclareLocal(m, in);
    m.LocalCell(in.operand1->ivalue).BindInt();
    return index + 1;
}

int LocalString(asmInterpreter& m, asmInstruction& in, int index) {
    DeclareLocal(m, in);
    m.LocalCell(in.operand1->ivalue).BindString();
    return index + 1;
}

int LocalReal(asmInterpreter& m, asmInstruction& in, int index) {
    DeclareLocal(m, in);
    m.LocalCell(in.operand1->ivalue).BindReal();
    return index + 1;
}

int LocalDef(asmInterpreter& m, asmInstruction& in, int index) {
    DeclareLocal(m, in);
    m.LocalCell(in.operand1->ivalue).Unbind();
    return index + 1;
}

int Psax(asmInterpreter& m, asmInstruction&, int index) {
    m.PushCell().SetAs(m.Register(0));
    return index + 1;
}

int Popax(asmInterpreter& m, asmInstruction&, int index) {
    m.PopArg(0);
    return index + 1;
}

int SPush(asmInterpreter& m, asmInstruction& in, int index) {
    if (m.ssp + 1 > kStackCells - 1) m.Fatal("special stack overflow");
    m.LoadCell(m.SpecialCell(++m.ssp), *in.operand1);
    return index + 1;
}

int SPop(asmInterpreter& m, asmInstruction& in, int index) {
    if (m.ssp < 0) m.Fatal("special stack pointer < 0");
    StoreTop(m, *in.operand1, m.SpecialCell(m.ssp));
    --m.ssp;
    return index + 1;
}

int Neg(asmInterpreter& m, asmInstruction&, int index) {
    asmVarReg& v = m.PopArg(0);
    int isZero = v.Cmp(0) == 0 ? 1 : 0;
    m.PushCell().AssignInt(isZero);
    return index + 1;
}

int CmpJe(asmInterpreter& m, asmInstruction&, int index) {
    CompareTop(m, [](int r) { return r == 0; });
    return index + 1;
}
int CmpJne(asmInterpreter& m, asmInstruction&, int index) {
    CompareTop(m, [](int r) { return r != 0; });
    return index + 1;
}
int CmpJae(asmInterpreter& m, asmInstruction&, int index) {
    CompareTop(m, [](int r) { return r >= 0; });
    return index + 1;
}
int CmpJle(asmInterpreter& m, asmInstruction&, int index) {
    CompareTop(m, [](int r) { return r <= 0; });
    return index + 1;
}
int CmpJa(asmInterpreter& m, asmInstruction&, int index) {
    CompareTop(m, [](int r) { return r > 0; });
    return index + 1;
}
int CmpJl(asmInterpreter& m, asmInstruction&, int index) {
    CompareTop(m, [](int r) { return r < 0; });
    return index + 1;
}

int SPushS(asmInterpreter& m, asmInstruction&, int index) {
    if (m.ssp + 1 > kStackCells - 1) m.Fatal("special stack overflow");
    ++m.ssp;
    asmVarReg& a = m.PopArg(0);
    m.SpecialCell(m.ssp).SetAs(a);
    return index + 1;
}

int Cmp0(asmInterpreter& m, asmInstruction&, int index) {
    asmVarReg& v = m.PopArg(0);
    m.flag = v.Cmp(0);
    return index + 1;
}

int CmpSt(asmInterpreter& m, asmInstruction&, int index) {
    if (m.ssp < 0) m.Fatal("cmpst: idsstack<0");
    asmVarReg& v = m.PopArg(0);
    m.flag = m.SpecialCell(m.ssp).Cmp(v);
    return index + 1;
}

}  // namespace asmExec
