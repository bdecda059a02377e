// The run loop: executes a method's compact form (script/compact_code.h).
// A frame's locals are bound once, when the method starts or resumes, and
// a "call" or "cthis" whose call site the object layer marked `direct`
// enters the called script method in the same loop, keeping the bookkeeping
// of a call through the object layer (asmInterpreter::BeginDirectCall).
//
// Each short path applies only when every value involved holds an int and
// the stack has room; otherwise the instruction goes to its record's
// executor, which does the full work. Each operation ends by jumping
// straight to the next one's code through a table of labels (a GNU
// extension), so no instruction costs a native call unless it goes to its
// record's executor.
#include <algorithm>

#include "script/compact_code.h"
#include "script/executors.h"
#include "script/interpreter.h"
#include "script/script_numbers.h"

namespace asmExec {
namespace {

using ScriptNumbers::CompareDiff;
using ScriptNumbers::WrapAdd;
using ScriptNumbers::WrapSub;

// A method's compact form in the current frame.
struct Activation {
    const asmCode* code;
    int32_t count;
    // The frame's local 1; null when the form names no local.
    asmVarReg* locals;
};

// The fast form when every local the method names lies within the cells
// (the frame base does not change while the method runs), else the checked
// form, whose records find "locals stack overflow" where it happens.
Activation Activate(asmInterpreter& m, asmMethod& method) {
    const asmCompactCode& c = method.Compact();
    if (c.maxLocal == 0) return {c.fast.get(), c.count, nullptr};
    if (m.frameBase + c.maxLocal < kLocalCells)
        return {c.fast.get(), c.count, m.LocalCells() + m.frameBase + 1};
    return {c.checked.get(), c.count, nullptr};
}

inline int32_t* IntOf(asmVarReg& cell) { return cell.HoldsInt() ? &cell.IntPart().value : nullptr; }

// The int a named operand holds while its remembered look-up is current,
// or null.
inline int32_t* NamedInt(asmInterpreter& m, const asmOperand& op) {
    const asmNameCache& n = op.names;
    if (n.epoch != m.NameEpoch() || n.scope != m.currentObject) return nullptr;
    if (n.valueKind == VK_INT) return &static_cast<asmVarInt*>(n.value)->value;
    if (n.valueKind == VK_CELL) return IntOf(*static_cast<asmVarReg*>(n.value));
    return nullptr;
}

// The int on top of the main stack, or null.
inline int32_t* TopInt(asmInterpreter& m) { return m.sp >= 0 ? IntOf(m.StackCell(m.sp)) : nullptr; }

// Whether a jump on these signs of the flag is taken.
inline bool Jumps(uint16_t jumpsOn, int32_t flag) {
    const uint16_t sign = flag < 0 ? 1 : flag == 0 ? 2 : 4;
    return (jumpsOn & sign) != 0;
}

// Enters the script method that the call site `c` remembers for `object`,
// when its cache is marked `direct`, still holds, and no debug report is
// asked for; false leaves the call to the general path.
[[gnu::always_inline]] inline bool EnterDirect(asmInterpreter& m, asmClassObj* object, const asmCode& c,
                                               Activation& run, const asmCode*& pc) {
    const asmOperand& nameOp = *c.x;
    const asmCallCache& cache = nameOp.call;
    const char* name = nameOp.text.c_str();
    if (!cache.direct || m.debugLevel != 0 || !cache.Holds(object, name, m.NameEpoch(), m.currentGame))
        return false;
    m.BeginDirectCall(object, name);
    asmCallFrame& f = m.callFrames[m.callDepth];
    m.OpenFrame(object, name, f.caller);
    f.code = run.code;
    f.count = run.count;
    f.locals = run.locals;
    f.resume = pc + 1;
    f.called = object;
    f.calledName = name;
    run = Activate(m, *cache.method);
    pc = run.code;
    return true;
}

}  // namespace

void RunInstructions(asmInterpreter& m, asmMethod& method) {
    const int32_t entryDepth = m.callDepth;
    Activation run = Activate(m, method);
    const asmCode* pc = run.code;
    // The label of each operation, from the one list (a label missing
    // below does not compile; one the list does not name is unused).
    static const void* const kHandlers[] = {
#define ASM_RUN_OP_LABEL(name, label) &&run_##label,
        ASM_RUN_OPS(ASM_RUN_OP_LABEL)
#undef ASM_RUN_OP_LABEL
    };
#ifdef ENGINE_FUZZING
    // Fuzz builds ask the harness's step guard before every instruction.
#define NEXT()                                                                          \
    do {                                                                                \
        if (m.stepGuard && !m.stepGuard()) m.Fatal("script stopped by the step guard"); \
        goto* kHandlers[pc->op];                                                        \
    } while (0)
#else
#define NEXT() goto* kHandlers[pc->op]
#endif
    NEXT();
run_record:
    goto record;
run_end:
    goto leave;
run_jump:
    pc = Jumps(pc->jumpsOn, m.flag) ? run.code + pc->jump : pc + 1;
    NEXT();
run_push_int:
    m.PushCell().AssignInt(pc->a);
    ++pc;
    NEXT();
run_push_local:
    if (int32_t* x = IntOf(run.locals[pc->a])) {
        const int32_t v = *x;
        m.PushCell().AssignInt(v);
        ++pc;
        NEXT();
    }
    goto record;
run_push_reg:
    if (int32_t* x = IntOf(m.Register(pc->a))) {
        const int32_t v = *x;
        m.PushCell().AssignInt(v);
        ++pc;
        NEXT();
    }
    goto record;
run_pop_local:
    if (int32_t* top = TopInt(m)) {
        if (int32_t* x = IntOf(run.locals[pc->a])) {
            *x = *top;
            --m.sp;
            ++pc;
            NEXT();
        }
    }
    goto record;
run_pop_reg:
    if (int32_t* top = TopInt(m)) {
        m.Register(pc->a).AssignInt(*top);
        --m.sp;
        ++pc;
        NEXT();
    }
    goto record;
run_localint:
    m.highWater = std::max(m.highWater, pc->b);
    run.locals[pc->a].BindInt();
    ++pc;
    NEXT();
run_localint_pop:
    if (int32_t* top = TopInt(m)) {
        m.highWater = std::max(m.highWater, pc->b);
        run.locals[pc->a].AssignInt(*top);
        --m.sp;
        pc += 2;
        NEXT();
    }
    goto record;
run_mov_local_int:
    if (int32_t* x = IntOf(run.locals[pc->a])) {
        *x = pc->b;
        ++pc;
        NEXT();
    }
    goto record;
run_add_local_int:
    if (int32_t* x = IntOf(run.locals[pc->a])) {
        const int32_t v = WrapAdd(*x, pc->b);
        m.PushCell().AssignInt(v);
        ++pc;
        NEXT();
    }
    goto record;
run_sub_local_int:
    if (int32_t* x = IntOf(run.locals[pc->a])) {
        const int32_t v = WrapSub(*x, pc->b);
        m.PushCell().AssignInt(v);
        ++pc;
        NEXT();
    }
    goto record;
run_add_local_local:
    if (int32_t* x = IntOf(run.locals[pc->a])) {
        if (int32_t* y = IntOf(run.locals[pc->b])) {
            const int32_t v = WrapAdd(*x, *y);
            m.PushCell().AssignInt(v);
            ++pc;
            NEXT();
        }
    }
    goto record;
run_add_reg_reg:
    if (int32_t* x = IntOf(m.Register(pc->a))) {
        if (int32_t* y = IntOf(m.Register(pc->b))) {
            const int32_t v = WrapAdd(*x, *y);
            m.PushCell().AssignInt(v);
            ++pc;
            NEXT();
        }
    }
    goto record;
// "op A, B" then "pop A": the result goes straight into A. The cell
// "op" would push lies above the stack's top afterwards, where
// nothing reads it, so only the stack's bound is checked.
run_add_to_local_int:
    if (int32_t* x = IntOf(run.locals[pc->a]); x && m.sp < kStackCells - 1) {
        *x = WrapAdd(*x, pc->b);
        pc += 2;
        NEXT();
    }
    goto record;
run_sub_to_local_int:
    if (int32_t* x = IntOf(run.locals[pc->a]); x && m.sp < kStackCells - 1) {
        *x = WrapSub(*x, pc->b);
        pc += 2;
        NEXT();
    }
    goto record;
run_add_to_name_int:
    if (int32_t* x = NamedInt(m, *pc->x); x && m.sp < kStackCells - 1) {
        *x = WrapAdd(*x, pc->b);
        pc += 2;
        NEXT();
    }
    goto record;
run_sub_to_name_int:
    if (int32_t* x = NamedInt(m, *pc->x); x && m.sp < kStackCells - 1) {
        *x = WrapSub(*x, pc->b);
        pc += 2;
        NEXT();
    }
    goto record;
run_add_to_local_local:
    if (m.sp < kStackCells - 1) {
        if (int32_t* x = IntOf(run.locals[pc->a])) {
            if (int32_t* y = IntOf(run.locals[pc->b])) {
                *x = WrapAdd(*x, *y);
                pc += 2;
                NEXT();
            }
        }
    }
    goto record;
run_cmp_local_int:
    if (int32_t* x = IntOf(run.locals[pc->a])) {
        m.flag = CompareDiff(*x, pc->b);
        ++pc;
        NEXT();
    }
    goto record;
run_cmp_jump_local_int:
    if (int32_t* x = IntOf(run.locals[pc->a])) {
        m.flag = CompareDiff(*x, pc->b);
        pc = Jumps(pc->jumpsOn, m.flag) ? run.code + pc->jump : pc + 2;
        NEXT();
    }
    goto record;
run_cmp_jump_name_int:
    if (int32_t* x = NamedInt(m, *pc->x)) {
        m.flag = CompareDiff(*x, pc->b);
        pc = Jumps(pc->jumpsOn, m.flag) ? run.code + pc->jump : pc + 2;
        NEXT();
    }
    goto record;
run_cmp_jump_local_local:
    if (int32_t* x = IntOf(run.locals[pc->a])) {
        if (int32_t* y = IntOf(run.locals[pc->b])) {
            m.flag = CompareDiff(*x, *y);
            pc = Jumps(pc->jumpsOn, m.flag) ? run.code + pc->jump : pc + 2;
            NEXT();
        }
    }
    goto record;
run_call_this:
    if (asmClassObj* object = m.currentObject; object && EnterDirect(m, object, *pc, run, pc)) NEXT();
    goto record;
run_call : {
    // The object named by a plain name, while its look-up is current.
    const asmNameCache& names = pc->rec->operand1->names;
    if (names.epoch == m.NameEpoch() && names.scope == m.currentObject && names.object &&
        EnterDirect(m, names.object, *pc, run, pc))
        NEXT();
    goto record;
}
record : {
    const int next = pc->rec->executor(m, *pc->rec, static_cast<int>(pc - run.code));
    if (next >= 0 && next < run.count) {
        pc = run.code + next;
        NEXT();
    }
}
leave:
    // The method returns: to the native caller, or to the script method
    // that this loop entered it from.
    if (m.callDepth == entryDepth) return;
    {
        // Read before the bookkeeping: what it destroys may run script
        // code that enters methods at this depth again.
        const asmCallFrame& f = m.callFrames[m.callDepth - 1];
        asmClassObj* called = f.called;
        const char* calledName = f.calledName;
        run = {f.code, f.count, f.locals};
        pc = f.resume;
        m.CloseFrame(f.caller);
        m.EndDirectCall(called, calledName);
    }
    NEXT();
#undef NEXT
}

}  // namespace asmExec
