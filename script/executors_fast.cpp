// Specialised executors for the commonest shapes: int arithmetic, compares,
// moves, pushes and pops on registers, locals and named variables. Each
// takes its short path only when every value involved holds an int and a
// named operand's remembered look-up is current; otherwise it hands over to
// the general executor, which does the full work (and refreshes the look-up).
//
// Fused pairs: an arithmetic instruction followed by a "pop" into its own
// first operand stores the result in place (a string "add" appends in
// place), "cmp" followed by a conditional jump sets the flag and jumps in one
// step, and "localint $N" followed by "pop $N" takes an int argument. Each
// falls back on the two records' own executors.
#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <utility>

#include "script/executors.h"
#include "script/interpreter.h"
#include "script/opcodes.h"
#include "script/script_numbers.h"

namespace asmExec {
namespace {

using namespace ScriptNumbers;

// A named operand's remembered look-up while it is current (same name epoch,
// same current object), else null.
inline const asmNameCache* FreshNames(asmInterpreter& m, const asmOperand& op) {
    const asmNameCache& c = op.names;
    return c.epoch == m.NameEpoch() && c.scope == m.currentObject ? &c : nullptr;
}

// The two parts the short paths work on: an int's number and a string's text.
struct IntPart {
    static constexpr int32_t kValueKind = VK_INT;
    static int32_t* OfCell(asmVarReg& c) { return c.HoldsInt() ? &c.IntPart().value : nullptr; }
    static int32_t* OfValue(asmVar* v) { return &static_cast<asmVarInt*>(v)->value; }
};
struct TextPart {
    static constexpr int32_t kValueKind = VK_STRING;
    static ddString* OfCell(asmVarReg& c) { return c.HoldsString() ? &c.StringPart().Text() : nullptr; }
    static ddString* OfValue(asmVar* v) { return &static_cast<asmVarString*>(v)->Text(); }
};

// Where that part of a register, local or named operand lives, or null when
// the operand holds another kind or its look-up is not current.
template <int Kind, typename Part>
inline auto PartSlot(asmInterpreter& m, asmOperand& op) -> decltype(Part::OfValue(nullptr)) {
    if constexpr (Kind == OPK_REG) {
        return Part::OfCell(m.Register(op.ivalue));
    } else if constexpr (Kind == OPK_LOCAL) {
        asmVarReg* cell = m.LocalCellIfValid(op.ivalue);
        return cell ? Part::OfCell(*cell) : nullptr;
    } else {
        const asmNameCache* c = FreshNames(m, op);
        if (!c) return nullptr;
        if (c->valueKind == Part::kValueKind) return Part::OfValue(c->value);
        if (c->valueKind == VK_CELL) return Part::OfCell(*static_cast<asmVarReg*>(c->value));
        return nullptr;
    }
}

template <int Kind>
inline int32_t* IntSlot(asmInterpreter& m, asmOperand& op) {
    return PartSlot<Kind, IntPart>(m, op);
}

template <int Kind>
inline ddString* TextSlot(asmInterpreter& m, asmOperand& op) {
    return PartSlot<Kind, TextPart>(m, op);
}

// The int of a B operand: an int literal's own number, or IntSlot; null for
// other literals.
template <int Kind>
inline int32_t* IntOperand(asmInterpreter& m, asmOperand& op) {
    if constexpr (Kind == OPK_INT)
        return &op.ivalue;
    else if constexpr (Kind == OPK_REAL || Kind == OPK_STRING)
        return nullptr;
    else
        return IntSlot<Kind>(m, op);
}

// The text "add" appends to a string for operand B (the literal's text in
// the value's own format, or the value's GetString), or null when the short
// path does not apply (an unbound cell, a stale look-up, not a value).
const char* AppendedText(asmInterpreter& m, asmOperand& op, char* buf) {
    asmVar* v = nullptr;
    switch (op.kind) {
    case OPK_INT:
        FormatInt(buf, op.ivalue);
        return buf;
    case OPK_REAL:
        FormatReal(buf, op.rvalue);
        return buf;
    case OPK_STRING:
        return op.text.c_str() ? op.text.c_str() : "";
    case OPK_REG:
        v = m.Register(op.ivalue).Target();
        break;
    case OPK_LOCAL:
        if (asmVarReg* cell = m.LocalCellIfValid(op.ivalue)) v = cell->Target();
        break;
    case OPK_NAME:
        if (const asmNameCache* c = FreshNames(m, op)) {
            if (c->valueKind == VK_CELL)
                v = static_cast<asmVarReg*>(c->value)->Target();
            else if (c->valueKind != VK_OTHER)
                v = c->value;
        }
        break;
    default:
        break;
    }
    return v ? v->GetString() : nullptr;
}

// Appends `x` to `s` where "add s, x" then "pop s" would copy the whole text
// twice. The buffer at least doubles when it grows, so building a long text
// costs time in proportion to its length. False when `x` lies in `s`'s own
// buffer or the text would grow too long: the caller takes the general path.
bool AppendInPlace(ddString& s, const char* x) {
    constexpr int64_t kMaxText = int64_t{1} << 30;
    const char* buf = s.c_str();
    if (!buf || (x >= buf && x < buf + s.Capacity())) return false;
    int64_t need = int64_t{s.Length()} + static_cast<int64_t>(std::strlen(x)) + 1;
    if (need > kMaxText) return false;
    if (need > s.Capacity())
        s.Reserve(static_cast<int>(std::min(kMaxText, std::max(need, 2 * int64_t{s.Capacity()}))));
    s.Append(x);
    return true;
}

struct AddInt {
    static int Do(int a, int b) { return WrapAdd(a, b); }
    static constexpr asmExecutor General = Add;
    static constexpr bool kAppends = true;  // on a string: appends the text
};
struct SubInt {
    static int Do(int a, int b) { return WrapSub(a, b); }
    static constexpr asmExecutor General = Sub;
    static constexpr bool kAppends = false;
};
struct MulInt {
    static int Do(int a, int b) { return WrapMul(a, b); }
    static constexpr asmExecutor General = Mul;
    static constexpr bool kAppends = false;
};

// op A, int literal: pushes the result.
template <typename Op, int KA>
[[gnu::always_inline]] inline int ArithLiteral(asmInterpreter& m, asmInstruction& in, int index) {
    if (int32_t* a = IntSlot<KA>(m, *in.operand1)) {
        m.PushCell().AssignInt(Op::Do(*a, in.operand2->ivalue));
        return index + 1;
    }
    return Op::General(m, in, index);
}

// op A, B with both holding ints: pushes the result.
template <typename Op, int KA, int KB>
[[gnu::always_inline]] inline int ArithValues(asmInterpreter& m, asmInstruction& in, int index) {
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

[[gnu::always_inline]] inline int PushLiteralInt(asmInterpreter& m, asmInstruction& in, int index) {
    m.PushCell().AssignInt(in.operand1->ivalue);
    return index + 1;
}

template <int KX>
[[gnu::always_inline]] inline int PushValue(asmInterpreter& m, asmInstruction& in, int index) {
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
[[gnu::always_inline]] inline int PopValue(asmInterpreter& m, asmInstruction& in, int index) {
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

// ---------------------------------------------------------------- fused pairs

// The pair's general path: the first record on its own, then the second.
[[gnu::noinline]] int BothAlone(asmInterpreter& m, asmInstruction& in, int index) {
    int next = in.alone(m, in, index);
    return in.next->executor(m, *in.next, next);
}

// A string's "add A, B" then "pop A": B's text is appended to A in place.
template <int KA>
[[gnu::noinline]] int AppendStore(asmInterpreter& m, asmInstruction& in, int index) {
    if (ddString* text = TextSlot<KA>(m, *in.operand1)) {
        char buf[kTextSize];
        const char* x = AppendedText(m, *in.operand2, buf);
        if (x && AppendInPlace(*text, x)) return index + 2;
    }
    return BothAlone(m, in, index);
}

// "op A, B" then "pop A": the result goes straight into A. The cell "op"
// would push lies above the stack's top afterwards, where nothing reads it,
// so only the stack's bound is checked.
template <typename Op, int KA, int KB>
[[gnu::always_inline]] inline int ArithStore(asmInterpreter& m, asmInstruction& in, int index) {
    if (m.sp < kStackCells - 1) {
        if (int32_t* a = IntSlot<KA>(m, *in.operand1)) {
            if (int32_t* b = IntOperand<KB>(m, *in.operand2)) {
                *a = Op::Do(*a, *b);
                return index + 2;
            }
        } else if constexpr (Op::kAppends) {
            return AppendStore<KA>(m, in, index);
        }
    }
    return BothAlone(m, in, index);
}

// "localint $N" then "pop $N", the way a method takes an int argument.
[[gnu::always_inline]] inline int LocalIntPop(asmInterpreter& m, asmInstruction& in, int index) {
    int n = in.operand1->ivalue;
    asmVarReg* cell = m.LocalCellIfValid(n);
    if (cell && m.sp >= 0 && m.StackCell(m.sp).HoldsInt()) {
        m.highWater = std::max(m.highWater, n);
        cell->AssignInt(m.StackCell(m.sp).IntPart().value);
        --m.sp;
        return index + 2;
    }
    return BothAlone(m, in, index);
}

struct IfEqual {
    static bool Holds(int f) { return f == 0; }
};
struct IfNotEqual {
    static bool Holds(int f) { return f != 0; }
};
struct IfLess {
    static bool Holds(int f) { return f < 0; }
};
struct IfLessOrEqual {
    static bool Holds(int f) { return f <= 0; }
};
struct IfAbove {
    static bool Holds(int f) { return f > 0; }
};
struct IfAboveOrEqual {
    static bool Holds(int f) { return f >= 0; }
};

// "cmp A, B" then a conditional jump: the flag is set as "cmp" sets it and
// the jump taken at once.
template <int KA, int KB, typename Cond>
[[gnu::always_inline]] inline int CmpJump(asmInterpreter& m, asmInstruction& in, int index) {
    if (int32_t* a = IntSlot<KA>(m, *in.operand1)) {
        if (int32_t* b = IntOperand<KB>(m, *in.operand2)) {
            m.flag = CompareDiff(*a, *b);
            return Cond::Holds(m.flag) ? in.next->operand1->ivalue : index + 2;
        }
    }
    return BothAlone(m, in, index);
}

// Index of a value operand kind among the specialised ones, -1 otherwise.
int Slot(const asmOperand* op) {
    if (!op) return -1;
    switch (op->kind) {
    case OPK_REG:
        return 0;
    case OPK_LOCAL:
        return 1;
    case OPK_NAME:
        return 2;
    default:
        return -1;
    }
}

constexpr int kKinds[3] = {OPK_REG, OPK_LOCAL, OPK_NAME};

template <typename Op>
asmExecutor PickArith(int a, const asmOperand& b) {
    if (b.kind == OPK_INT) {
        static constexpr asmExecutor table[3] = {ArithLiteral<Op, kKinds[0]>, ArithLiteral<Op, kKinds[1]>,
                                                 ArithLiteral<Op, kKinds[2]>};
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

// B operand kinds of the fused pairs.
constexpr int kOperandKinds[6] = {OPK_REG, OPK_LOCAL, OPK_NAME, OPK_INT, OPK_REAL, OPK_STRING};

int OperandSlot(const asmOperand* op) {
    if (!op) return -1;
    for (int i = 0; i < 6; ++i)
        if (op->kind == kOperandKinds[i]) return i;
    return -1;
}

template <typename Op, int KA, size_t... KB>
constexpr std::array<asmExecutor, 6> ArithStoreRow(std::index_sequence<KB...>) {
    return {ArithStore<Op, KA, kOperandKinds[KB]>...};
}

template <typename Op>
asmExecutor PickArithStore(int a, int b) {
    static constexpr std::array<std::array<asmExecutor, 6>, 3> table = {
        ArithStoreRow<Op, kKinds[0]>(std::make_index_sequence<6>{}),
        ArithStoreRow<Op, kKinds[1]>(std::make_index_sequence<6>{}),
        ArithStoreRow<Op, kKinds[2]>(std::make_index_sequence<6>{}),
    };
    return table[a][b];
}

template <typename Cond, int KA, size_t... KB>
constexpr std::array<asmExecutor, 4> CmpJumpRow(std::index_sequence<KB...>) {
    return {CmpJump<KA, kOperandKinds[KB], Cond>...};
}

template <typename Cond>
asmExecutor PickCmpJump(int a, int b) {
    static constexpr std::array<std::array<asmExecutor, 4>, 3> table = {
        CmpJumpRow<Cond, kKinds[0]>(std::make_index_sequence<4>{}),
        CmpJumpRow<Cond, kKinds[1]>(std::make_index_sequence<4>{}),
        CmpJumpRow<Cond, kKinds[2]>(std::make_index_sequence<4>{}),
    };
    return b < 4 ? table[a][b] : nullptr;
}

// Both operands name the same register, local or variable.
bool SameTarget(const asmOperand& x, const asmOperand& y) {
    if (x.kind != y.kind) return false;
    if (x.kind == OPK_NAME) return x.text == y.text;
    return x.ivalue == y.ivalue;
}

}  // namespace

asmExecutor SelectFused(const asmInstruction& first, const asmInstruction& second) {
    if (first.opcode == OP_LOCALINT && second.opcode == OP_POP &&
        SameTarget(*first.operand1, *second.operand1))
        return LocalIntPop;
    int a = Slot(first.operand1);
    if (a < 0) return nullptr;
    int b = OperandSlot(first.operand2);
    if (b < 0) return nullptr;
    if (second.opcode == OP_POP) {
        if (!SameTarget(*first.operand1, *second.operand1)) return nullptr;
        switch (first.opcode) {
        case OP_ADD:
            return PickArithStore<AddInt>(a, b);
        case OP_SUB:
            return PickArithStore<SubInt>(a, b);
        case OP_MUL:
            return PickArithStore<MulInt>(a, b);
        default:
            return nullptr;
        }
    }
    if (first.opcode != OP_CMP) return nullptr;
    switch (second.opcode) {
    case OP_JE:
        return PickCmpJump<IfEqual>(a, b);
    case OP_JNE:
        return PickCmpJump<IfNotEqual>(a, b);
    case OP_JL:
        return PickCmpJump<IfLess>(a, b);
    case OP_JLE:
        return PickCmpJump<IfLessOrEqual>(a, b);
    case OP_JA:
        return PickCmpJump<IfAbove>(a, b);
    case OP_JAE:
        return PickCmpJump<IfAboveOrEqual>(a, b);
    default:
        return nullptr;
    }
}

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
