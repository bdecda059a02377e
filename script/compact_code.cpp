// Making a method's compact form from its records.
#include "script/compact_code.h"

#include <algorithm>

#include "script/opcodes.h"

namespace asmExec {
namespace {

bool Is(const asmOperand* op, int kind) { return op && op->kind == kind; }

// The local number an operand names directly, else 0.
int LocalNumber(const asmOperand* op) { return Is(op, OPK_LOCAL) ? op->ivalue : 0; }

// Where a jump record goes; a label past the end (or not tied yet, which
// the jump executors treat alike) ends the method.
int32_t JumpTarget(const asmInstruction& jump, int count) {
    int32_t target = jump.operand1 ? jump.operand1->ivalue : -1;
    return target >= 0 && target <= count ? target : count;
}

// The signs of the flag on which a jump opcode jumps, 0 for other opcodes.
uint16_t JumpsOn(int opcode) {
    constexpr uint16_t kLess = 1, kEqual = 2, kGreater = 4;
    switch (opcode) {
    case OP_JMP:
        return kLess | kEqual | kGreater;
    case OP_JE:
        return kEqual;
    case OP_JNE:
        return kLess | kGreater;
    case OP_JL:
        return kLess;
    case OP_JLE:
        return kLess | kEqual;
    case OP_JA:
        return kGreater;
    case OP_JAE:
        return kEqual | kGreater;
    default:
        return 0;
    }
}

// A pair the assembler fused (see asmInstruction::next).
asmCode Pair(asmInstruction& first, int count) {
    asmCode c;
    c.rec = &first;
    const asmInstruction& second = *first.next;
    const asmOperand* a = first.operand1;
    const asmOperand* b = first.operand2;
    if (first.opcode == OP_LOCALINT && second.opcode == OP_POP) {
        c.op = RUN_LOCALINT_POP;
        c.b = a->ivalue;
        c.a = a->ivalue - 1;
        return c;
    }
    const bool local = Is(a, OPK_LOCAL);
    if (!local && !Is(a, OPK_NAME)) return c;
    if (local)
        c.a = a->ivalue - 1;
    else
        c.x = first.operand1;
    if (second.opcode == OP_POP) {
        if (Is(b, OPK_INT)) {
            c.b = b->ivalue;
            if (first.opcode == OP_ADD) c.op = local ? RUN_ADD_TO_LOCAL_INT : RUN_ADD_TO_NAME_INT;
            if (first.opcode == OP_SUB) c.op = local ? RUN_SUB_TO_LOCAL_INT : RUN_SUB_TO_NAME_INT;
        } else if (local && Is(b, OPK_LOCAL) && first.opcode == OP_ADD) {
            c.b = b->ivalue - 1;
            c.op = RUN_ADD_TO_LOCAL_LOCAL;
        }
        return c;
    }
    if (first.opcode == OP_CMP && JumpsOn(second.opcode)) {
        c.jumpsOn = JumpsOn(second.opcode);
        c.jump = JumpTarget(second, count);
        if (Is(b, OPK_INT)) {
            c.b = b->ivalue;
            c.op = local ? RUN_CMP_JUMP_LOCAL_INT : RUN_CMP_JUMP_NAME_INT;
        } else if (local && Is(b, OPK_LOCAL)) {
            c.b = b->ivalue - 1;
            c.op = RUN_CMP_JUMP_LOCAL_LOCAL;
        }
    }
    return c;
}

asmCode Single(asmInstruction& in, int count) {
    asmCode c;
    c.rec = &in;
    const asmOperand* a = in.operand1;
    const asmOperand* b = in.operand2;
    // Operand a as a local's place or a register's number.
    auto place = [&](const asmOperand* op) { return Is(op, OPK_LOCAL) ? op->ivalue - 1 : op->ivalue; };
    switch (in.opcode) {
    case OP_JMP:
    case OP_JE:
    case OP_JNE:
    case OP_JL:
    case OP_JLE:
    case OP_JA:
    case OP_JAE:
        c.op = RUN_JUMP;
        c.jumpsOn = JumpsOn(in.opcode);
        c.jump = JumpTarget(in, count);
        break;
    case OP_RET:
        c.op = RUN_END;
        break;
    case OP_PUSH:
        if (Is(a, OPK_INT))
            c.op = RUN_PUSH_INT;
        else if (Is(a, OPK_LOCAL))
            c.op = RUN_PUSH_LOCAL;
        else if (Is(a, OPK_REG))
            c.op = RUN_PUSH_REG;
        if (c.op != RUN_RECORD) c.a = Is(a, OPK_INT) ? a->ivalue : place(a);
        break;
    case OP_POP:
        if (Is(a, OPK_LOCAL))
            c.op = RUN_POP_LOCAL;
        else if (Is(a, OPK_REG))
            c.op = RUN_POP_REG;
        if (c.op != RUN_RECORD) c.a = place(a);
        break;
    case OP_LOCALINT:
        c.op = RUN_LOCALINT;
        c.b = a->ivalue;
        c.a = a->ivalue - 1;
        break;
    case OP_MOV:
        if (Is(a, OPK_LOCAL) && Is(b, OPK_INT)) {
            c.op = RUN_MOV_LOCAL_INT;
            c.a = place(a);
            c.b = b->ivalue;
        }
        break;
    case OP_ADD:
    case OP_SUB:
        if (Is(a, OPK_LOCAL) && Is(b, OPK_INT)) {
            c.op = in.opcode == OP_ADD ? RUN_ADD_LOCAL_INT : RUN_SUB_LOCAL_INT;
            c.b = b->ivalue;
        } else if (in.opcode == OP_ADD && Is(a, OPK_LOCAL) && Is(b, OPK_LOCAL)) {
            c.op = RUN_ADD_LOCAL_LOCAL;
            c.b = place(b);
        } else if (in.opcode == OP_ADD && Is(a, OPK_REG) && Is(b, OPK_REG)) {
            c.op = RUN_ADD_REG_REG;
            c.b = place(b);
        }
        if (c.op != RUN_RECORD) c.a = place(a);
        break;
    case OP_CMP:
        if (Is(a, OPK_LOCAL) && Is(b, OPK_INT)) {
            c.op = RUN_CMP_LOCAL_INT;
            c.a = place(a);
            c.b = b->ivalue;
        }
        break;
    case OP_CTHIS:
        if (Is(a, OPK_NAME) && a->text.c_str()) {
            c.op = RUN_CALL_THIS;
            c.x = in.operand1;
        }
        break;
    case OP_CALL:
        if (Is(a, OPK_NAME) && Is(b, OPK_NAME) && b->text.c_str()) {
            c.op = RUN_CALL;
            c.x = in.operand2;
        }
        break;
    default:
        break;
    }
    return c;
}

}  // namespace

const char* RunOpName(int op) {
    static constexpr const char* kNames[] = {
#define ASM_RUN_OP_NAME(name, label) #label,
        ASM_RUN_OPS(ASM_RUN_OP_NAME)
#undef ASM_RUN_OP_NAME
    };
    return op >= 0 && op < RUN_OP_COUNT ? kNames[op] : "?";
}

asmCompactCode MakeCompact(const asmMethod& method) {
    const int count = method.count;
    asmCompactCode code;
    code.count = count;
    code.fast = std::make_unique<asmCode[]>(static_cast<size_t>(count) + 1);
    code.checked = std::make_unique<asmCode[]>(static_cast<size_t>(count) + 1);
    for (int i = 0; i < count; ++i) {
        asmInstruction& in = *method.instructions[i];
        code.maxLocal = std::max({code.maxLocal, LocalNumber(in.operand1), LocalNumber(in.operand2)});
        code.fast[i] = in.next ? Pair(in, count) : Single(in, count);
        code.checked[i].rec = &in;
    }
    code.fast[count].op = RUN_END;
    code.checked[count].op = RUN_END;
    return code;
}

}  // namespace asmExec
