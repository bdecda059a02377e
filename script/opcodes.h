// The script language's opcodes: mnemonic, number and how each line is
// assembled.
#pragma once

#include "script/code.h"

enum asmOpcode : int {
    OP_AND = 0,
    OP_OR = 1,
    OP_MOV = 2,
    OP_CMP = 3,
    OP_JMP = 4,
    OP_JE = 5,
    OP_JNE = 6,
    OP_JL = 7,
    OP_JLE = 8,
    OP_JA = 9,
    OP_JAE = 10,
    OP_ADD = 11,
    OP_MUL = 12,
    OP_DIV = 13,
    OP_SUB = 14,
    OP_CLASS = 15,
    OP_MODULE = 16,
    OP_GAME = 17,
    OP_END = 18,
    OP_NEW = 19,
    OP_PUSH = 20,
    OP_POP = 21,
    OP_RET = 22,
    OP_CALL = 23,
    OP_CTHIS = 24,
    OP_CLPARENT = 25,
    OP_PARENT = 26,
    OP_METHOD = 27,
    OP_LOCALINT = 28,
    OP_LOCALSTRING = 29,
    OP_LOCALREAL = 30,
    OP_PSAX = 31,
    OP_POPAX = 32,
    OP_SPUSH = 33,
    OP_SPOP = 34,
    OP_NEG = 35,
    OP_CMPJE = 36,
    OP_CMPJNE = 37,
    OP_CMPJAE = 38,
    OP_CMPJLE = 39,
    OP_CMPJA = 40,
    OP_CMPJL = 41,
    OP_SPUSHS = 42,
    OP_CMP0 = 43,
    OP_DELETE = 44,
    OP_LOCALDEF = 45,
    OP_CMPST = 46,
    OP_COUNT = 47,
};

// How a line of that opcode is assembled.
enum class asmShape {
    Operands0,   // instruction without operands
    Operands1,   // instruction with one operand
    Operands2,   // instruction with two operands
    Local,       // one operand that must be a local ($N)
    Jump,        // one label operand
    New,         // two operands; carried out at once between methods
    ClassDecl,   // class NAME
    ModuleDecl,  // module NAME
    GameDecl,    // game NAME
    End,         // end WORD
    Parent,      // parent BASE
    Method,      // method NAME
};

struct asmOpcodeInfo {
    const char* mnemonic;
    asmShape shape;
    asmExecutor executor;  // the general executor; null for directives
};

extern const asmOpcodeInfo kOpcodes[OP_COUNT];

// The executor for an assembled record: a specialised one when the operand
// kinds allow a faster path, else the opcode's general executor.
asmExecutor SelectExecutor(int opcode, const asmInstruction& instr);
