// The operations of the run loop and how a method's records become its
// compact form (asmCompactCode): the commonest shapes on locals, registers
// and int literals get an operation of their own with the operands inline;
// everything else runs through its record's executor.
#pragma once

#include <cstdint>

#include "script/code.h"

// Every operation of the run loop, once: X(NAME, label) gives the enum
// value RUN_NAME, the run loop's handler label run_label and the name
// "label" (RunOpName). Operands a, b, x are those of asmCode.
#define ASM_RUN_OPS(X)                                                                                      \
    X(RECORD, record)                             /* the record's executor, which returns the next index */ \
    X(END, end)                                   /* "ret", or the end of the method */                     \
    X(JUMP, jump)                                 /* jmp, je, ... (jumpsOn) */                              \
    X(PUSH_INT, push_int)                         /* push literal a */                                      \
    X(PUSH_LOCAL, push_local)                     /* push local a */                                        \
    X(PUSH_REG, push_reg)                         /* push register a */                                     \
    X(POP_LOCAL, pop_local)                       /* pop into local a */                                    \
    X(POP_REG, pop_reg)                           /* pop into register a */                                 \
    X(LOCALINT, localint)                         /* localint $b (a = b - 1) */                             \
    X(LOCALINT_POP, localint_pop)                 /* localint $b, then pop $b */                            \
    X(MOV_LOCAL_INT, mov_local_int)               /* mov local a, literal b */                              \
    X(ADD_LOCAL_INT, add_local_int)               /* add local a, literal b (pushes) */                     \
    X(SUB_LOCAL_INT, sub_local_int)               /* sub local a, literal b (pushes) */                     \
    X(ADD_LOCAL_LOCAL, add_local_local)           /* add local a, local b (pushes) */                       \
    X(ADD_REG_REG, add_reg_reg)                   /* add register a, register b (pushes) */                 \
    X(ADD_TO_LOCAL_INT, add_to_local_int)         /* add local a, literal b, then pop into local a */       \
    X(SUB_TO_LOCAL_INT, sub_to_local_int)         /* sub local a, literal b, then pop into local a */       \
    X(ADD_TO_LOCAL_LOCAL, add_to_local_local)     /* add local a, local b, then pop into local a */         \
    X(ADD_TO_NAME_INT, add_to_name_int)           /* add x, literal b, then pop into x (a named value) */   \
    X(SUB_TO_NAME_INT, sub_to_name_int)           /* sub x, literal b, then pop into x */                   \
    X(CMP_LOCAL_INT, cmp_local_int)               /* cmp local a, literal b */                              \
    X(CMP_JUMP_LOCAL_INT, cmp_jump_local_int)     /* cmp local a, literal b, then a conditional jump */     \
    X(CMP_JUMP_LOCAL_LOCAL, cmp_jump_local_local) /* cmp local a, local b, then a conditional jump */       \
    X(CMP_JUMP_NAME_INT, cmp_jump_name_int)       /* cmp x, literal b, then a conditional jump */           \
    X(CALL_THIS, call_this)                       /* cthis x */                                             \
    X(CALL, call)                                 /* call (the record's named object), x */

enum asmRunOp : uint16_t {
#define ASM_RUN_OP_ENUM(name, label) RUN_##name,
    ASM_RUN_OPS(ASM_RUN_OP_ENUM)
#undef ASM_RUN_OP_ENUM
        RUN_OP_COUNT,
};

namespace asmExec {

// The method's compact form, made from its records as they are now.
asmCompactCode MakeCompact(const asmMethod& method);

// The operation's name ("push_int", "call_this", ...), or "?" for a value
// outside the list.
const char* RunOpName(int op);

}  // namespace asmExec
