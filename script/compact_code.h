// The operations of the run loop and how a method's records become its
// compact form (asmCompactCode): the commonest shapes on locals, registers
// and int literals get an operation of their own with the operands inline;
// everything else runs through its record's executor.
#pragma once

#include <cstdint>

#include "script/code.h"

enum asmRunOp : uint16_t {
    RUN_RECORD,         // the record's executor, which returns the next index
    RUN_END,            // "ret", or the end of the method
    RUN_JUMP,           // jmp, je, ... (jumpsOn)
    RUN_PUSH_INT,       // push literal a
    RUN_PUSH_LOCAL,     // push local a
    RUN_PUSH_REG,       // push register a
    RUN_POP_LOCAL,      // pop into local a
    RUN_POP_REG,        // pop into register a
    RUN_LOCALINT,       // localint $b (a = b - 1)
    RUN_LOCALINT_POP,   // localint $b, then pop $b
    RUN_MOV_LOCAL_INT,  // mov local a, literal b
    RUN_ADD_LOCAL_INT,  // add local a, literal b (pushes)
    RUN_SUB_LOCAL_INT,
    RUN_ADD_LOCAL_LOCAL,   // add local a, local b (pushes)
    RUN_ADD_REG_REG,       // add register a, register b (pushes)
    RUN_ADD_TO_LOCAL_INT,  // add local a, literal b, then pop into local a
    RUN_SUB_TO_LOCAL_INT,
    RUN_ADD_TO_LOCAL_LOCAL,  // add local a, local b, then pop into local a
    RUN_ADD_TO_NAME_INT,     // add x, literal b, then pop into x (a named value)
    RUN_SUB_TO_NAME_INT,
    RUN_CMP_LOCAL_INT,         // cmp local a, literal b
    RUN_CMP_JUMP_LOCAL_INT,    // cmp local a, literal b, then a conditional jump
    RUN_CMP_JUMP_LOCAL_LOCAL,  // cmp local a, local b, then a conditional jump
    RUN_CMP_JUMP_NAME_INT,     // cmp x, literal b, then a conditional jump
    RUN_CALL_THIS,             // cthis x
    RUN_CALL,                  // call (the record's named object), x
    RUN_OP_COUNT,
};

namespace asmExec {

// The method's compact form, made from its records as they are now.
asmCompactCode MakeCompact(const asmMethod& method);

}  // namespace asmExec
