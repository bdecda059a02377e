#include "script/opcodes.h"

#include "script/executors.h"

using namespace asmExec;

const asmOpcodeInfo kOpcodes[OP_COUNT] = {
    {"and", asmShape::Operands2, And},
    {"or", asmShape::Operands2, Or},
    {"mov", asmShape::Operands2, Mov},
    {"cmp", asmShape::Operands2, Cmp},
    {"jmp", asmShape::Jump, Jmp},
    {"je", asmShape::Jump, Je},
    {"jne", asmShape::Jump, Jne},
    {"jl", asmShape::Jump, Jl},
    {"jle", asmShape::Jump, Jle},
    {"ja", asmShape::Jump, Ja},
    {"jae", asmShape::Jump, Jae},
    {"add", asmShape::Operands2, Add},
    {"mul", asmShape::Operands2, Mul},
    {"div", asmShape::Operands2, Div},
    {"sub", asmShape::Operands2, Sub},
    {"class", asmShape::ClassDecl, nullptr},
    {"module", asmShape::ModuleDecl, nullptr},
    {"game", asmShape::GameDecl, nullptr},
    {"end", asmShape::End, nullptr},
    {"new", asmShape::New, New},
    {"push", asmShape::Operands1, Push},
    {"pop", asmShape::Operands1, Pop},
    {"ret", asmShape::Operands0, Ret},
    {"call", asmShape::Operands2, Call},
    {"cthis", asmShape::Operands1, CallThis},
    {"clparent", asmShape::Operands2, CallParent},
    {"parent", asmShape::Parent, nullptr},
    {"method", asmShape::Method, nullptr},
    {"localint", asmShape::Local, LocalInt},
    {"localstring", asmShape::Local, LocalString},
    {"localreal", asmShape::Local, LocalReal},
    {"psax", asmShape::Operands0, Psax},
    {"popax", asmShape::Operands0, Popax},
    {"spush", asmShape::Operands1, SPush},
    {"spop", asmShape::Operands1, SPop},
    {"neg", asmShape::Operands0, Neg},
    {"cmpje", asmShape::Operands0, CmpJe},
    {"cmpjne", asmShape::Operands0, CmpJne},
    {"cmpjae", asmShape::Operands0, CmpJae},
    {"cmpjle", asmShape::Operands0, CmpJle},
    {"cmpja", asmShape::Operands0, CmpJa},
    {"cmpjl", asmShape::Operands0, CmpJl},
    {"spushs", asmShape::Operands0, SPushS},
    {"cmp0", asmShape::Operands0, Cmp0},
    {"delete", asmShape::Operands1, Delete},
    {"localdef", asmShape::Local, LocalDef},
    {"cmpst", asmShape::Operands0, CmpSt},
};

asmExecutor SelectExecutor(int opcode, const asmInstruction& instr) {
    if (opcode < 0 || opcode >= OP_COUNT) return nullptr;
    if (asmExecutor fast = SelectFast(opcode, instr)) return fast;
    return kOpcodes[opcode].executor;
}
