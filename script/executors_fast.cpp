// Specialised executors for the commonest shapes: int arithmetic, compares,
// moves, pushes and pops on registers, locals and named variables. Each
// takes its short path only when every value involved holds an int and a
// named operand's remembered look-up is current; otherwise it hands over to
// the general executor, which does the full work (and refreshes the look-up).
#include "script/executors.h"
#include "script/interpreter.h"
#include "script/opcodes.h"
#include "script/script_numbers.h"

namespace asmExec {
namespace {

using namespace ScriptNumbers;

inline int32_t* IntOfCell(asmVarReg& c) { return c.HoldsInt() ? &c.IntPart().value : nullptr; }

// Where the int of an operand lives, or null when the short path does not apply.
template <int Kind>
inline int32_t* IntSlot(asmInterpreter& m, asmOperand& op) {
    if constexpr (Kind == OPK_REG) {
        return IntOfCell(m.Register(op.ivalue));
    } else if constexpr (Kind == OPK_LOCAL) {
        asmVarReg* cell = m.LocalCellIfValid(op.ivalue);
        return cell ? IntOfCell(*cell) : nullptr;
    } else {
        const asmNameCache& c = op.names;
        if (c.epoch != m.NameEpoch() || c.scope != m.currentObject) return nullptr;
        if (c.valueKind == VK_INT) return &static_cast<asmVarInt*>(c.value)->value;
        if (c.valueKind == VK_CELL) return IntOfCell(*static_cast<asmVarReg*>(c.value));
        return nullptr;
    }
}

struct AddInt {
    static int Do(int a, int b) { return WrapAdd(a, b); }
    static constexpr asmExecutor General = Add;
};
struct SubInt {
    static int Do(int a, int b) { return WrapSub(a, b); }
    static constexpr asmExecutor General = Sub;
};
struct MulInt {
    static int Do(int a, int b) { return WrapMul(a, b); }
    static constexpr asmExecutor General = Mul;
};

// op A, int literal: pushes the result.
template <typename Op, int KA>
int ArithLiteral(asmInterpreter& m, asmInstruction& in, int index) {
    if (int32_t* a = IntSlot<KA>(m, *in.operand1)) {
        m.PushCell().AssignInt(Op::Do(*a, in.operand2->ivalue));
        return index + 1;
    }
    return Op::General(m, in, index);
}

// op A, B with both holding ints: pushes the result.
template <typename Op, int KA, int KB>
int ArithValues(asmInterpreter& m, asmInstruction& in, int index) {
    int32_t* a = IntSlot<KA>(m, *in.operand1);
    int32_t* b = a ? IntSlot<KB>(m, *in.operand2) : nullptr;
    if (b) {
        m.PushCell().AssignInt(Op::Do(*a, *b));
        return index + 1;
    }
    return Op::General(m, in, index);
}

template <int KA>
int CmpLiteral(asmInterpreter& m, asmInstruction& in, int index) {
    if (int32_t* a = IntSlot<KA>(m, *in.operand1)) {
        m.flag = CompareDiff(*a, in.operand2->ivalue);
        return index + 1;
    }
    return Cmp(m, in, index);
}

template <int KA, int KB>
int CmpValues(asmInterpreter& m, asmInstruction& in, int index) {
    int32_t* a = IntSlot<KA>(m, *in.operand1);
    int32_t* b = a ? IntSlot<KB>(m, *in.operand2) : nullptr;
    if (b) {
        m.flag = CompareDiff(*a, *b);
        return index + 1;
    }
    return Cmp(m, in, index);
}

// mov A, int literal where A is a local or variable holding an int.
template <int KA>
int MovLiteral(asmInterpreter& m, asmInstruction& in, int index) {
    if (int32_t* a = IntSlot<KA>(m, *in.operand1)) {
        *a = in.operand2->ivalue;
        return index + 1;
    }
    return Mov(m, in, index);
}

int PushLiteralInt(asmInterpreter& m, asmInstruction& in, int index) {
    m.PushCell().AssignInt(in.operand1->ivalue);
    return index + 1;
}

template <int KX>
int PushValue(asmInterpreter& m, asmInstruction& in, int index) {
    if (int32_t* x = IntSlot<KX>(m, *in.operand1)) {
        int v = *x;
        m.PushCell().AssignInt(v);
        return index + 1;
    }
    return Push(m, in, index);
}

// pop X with an int on top: a register is rebound to its int part, a
// local or variable holding an int takes the value.
template <int KX>
int PopValue(asmInterpreter& m, asmInstruction& in, int index) {
    if (m.sp >= 0) {
        asmVarReg& top = m.StackCell(m.sp);
        if (top.HoldsInt()) {
            if constexpr (KX == OPK_REG) {
                m.Register(in.operand1->ivalue).AssignInt(top.IntPart().value);
                --m.sp;
                return index + 1;
            } else if (int32_t* x = IntSlot<KX>(m, *in.operand1)) {
                *x = top.IntPart().value;
                --m.sp;
                return index + 1;
            }
        }
    }
    return Pop(m, in, index);
}

// Index of a value operand kind among the specialised ones, -1 otherwise.
int Slot(const asmOperand* op) {
    if (!op) return -1;
    switch (op->kind) {
    case OPK_REG: return 0;
    case OPK_LOCAL: return 1;
    case OPK_NAME: return 2;
    default: return -1;
    }
}

constexpr int kKinds[3] = {OPK_REG, OPK_LOCAL, OPK_NAME};

template <typename Op>
asmExecutor PickArith(int a, const asmOperand& b) {
    if (b.kind == OPK_INT) {
        static constexpr asmExecutor table[3] = {
            ArithLiteral<Op, kKinds[0]>, ArithLiteral<Op, kKinds[1]>, ArithLiteral<Op, kKinds[2]>};
        return table[a];
    }
    int bi = Slot(&b);
    if (bi < 0) return nullptr;
    static constexpr asmExecutor table[3][3] = {
        {ArithValues<Op, kKinds[0], kKinds[0]>, ArithValues<Op, kKinds[0], kKinds[1]>,
         ArithValues<Op, kKinds[0], kKinds[2]>},
        {ArithValues<Op, kKinds[1], kKinds[0]>, ArithValues<Op, kKinds[1], kKinds[1]>,
         ArithValues<Op, kKinds[1], kKinds[2]>},
        {ArithValues<Op, kKinds[2], kKinds[0]>, ArithValues<Op, kKinds[2], kKinds[1]>,
         ArithValues<Op, kKinds[2], kKinds[2]>},
    };
    return table[a][bi];
}

asmExecutor PickCmp(int a, const asmOperand& b) {
    if (b.kind == OPK_INT) {
        static constexpr asmExecutor table[3] = {CmpLiteral<kKinds[0]>, CmpLiteral<kKinds[1]>,
                                                 CmpLiteral<kKinds[2]>};
        return table[a];
    }
    int bi = Slot(&b);
    if (bi < 0) return nullptr;
    static constexpr asmExecutor table[3][3] = {
        {CmpValues<kKinds[0], kKinds[0]>, CmpValues<kKinds[0], kKinds[1]>, CmpValues<kKinds[0], kKinds[2]>},
        {CmpValues<kKinds[1], kKinds[0]>, CmpValues<kKinds[1], kKinds[1]>, CmpValues<kKinds[1], kKinds[2]>},
        {CmpValues<kKinds[2], kKinds[0]>, CmpValues<kKinds[2], kKinds[1]>, CmpValues<kKinds[2], kKinds[2]>},
    };
    return table[a][bi];
}

}  // namespace

asmExecutor SelectFast(int opcode, const asmInstruction& in) {
    int a = Slot(in.operand1);
    switch (opcode) {
    case OP_ADD:
        return a < 0 ? nullptr : PickArith<AddInt>(a, *in.operand2);
    case OP_SUB:
        return a < 0 ? nullptr : PickArith<SubInt>(a, *in.operand2);
    case OP_MUL:
        return a < 0 ? nullptr : PickArith<MulInt>(a, *in.operand2);
    case OP_CMP:
        return a < 0 ? nullptr : PickCmp(a, *in.operand2);
    case OP_MOV:
        // A register always takes the literal through the general path's
        // AssignInt, which is already short.
        if (a == 1 && in.operand2->kind == OPK_INT) return MovLiteral<OPK_LOCAL>;
        if (a == 2 && in.operand2->kind == OPK_INT) return MovLiteral<OPK_NAME>;
        return nullptr;
    case OP_PUSH:
        if (in.operand1->kind == OPK_INT) return PushLiteralInt;
        if (a == 0) return PushValue<OPK_REG>;
        if (a == 1) return PushValue<OPK_LOCAL>;
        if (a == 2) return PushValue<OPK_NAME>;
        return nullptr;
    case OP_POP:
        if (a == 0) return PopValue<OPK_REG>;
        if (a == 1) return PopValue<OPK_LOCAL>;
        if (a == 2) return PopValue<OPK_NAME>;
        return nullptr;
    default:
        return nullptr;
    }
}

}  // namespace asmExec
