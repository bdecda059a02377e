// The general executor of every instruction, and the specialised ones the
// assembler picks when the operand kinds allow a faster path. A specialised
// executor behaves exactly like the general one; it only skips work.
#pragma once

#include "script/code.h"

namespace asmExec {

int And(asmInterpreter& m, asmInstruction& in, int index);
int Or(asmInterpreter& m, asmInstruction& in, int index);
int Mov(asmInterpreter& m, asmInstruction& in, int index);
int Cmp(asmInterpreter& m, asmInstruction& in, int index);
int Jmp(asmInterpreter& m, asmInstruction& in, int index);
int Je(asmInterpreter& m, asmInstruction& in, int index);
int Jne(asmInterpreter& m, asmInstruction& in, int index);
int Jl(asmInterpreter& m, asmInstruction& in, int index);
int Jle(asmInterpreter& m, asmInstruction& in, int index);
int Ja(asmInterpreter& m, asmInstruction& in, int index);
int Jae(asmInterpreter& m, asmInstruction& in, int index);
int Add(asmInterpreter& m, asmInstruction& in, int index);
int Mul(asmInterpreter& m, asmInstruction& in, int index);
int Div(asmInterpreter& m, asmInstruction& in, int index);
int Sub(asmInterpreter& m, asmInstruction& in, int index);
int New(asmInterpreter& m, asmInstruction& in, int index);
int Push(asmInterpreter& m, asmInstruction& in, int index);
int Pop(asmInterpreter& m, asmInstruction& in, int index);
int Ret(asmInterpreter& m, asmInstruction& in, int index);
int Call(asmInterpreter& m, asmInstruction& in, int index);
int CallThis(asmInterpreter& m, asmInstruction& in, int index);
int CallParent(asmInterpreter& m, asmInstruction& in, int index);
int LocalInt(asmInterpreter& m, asmInstruction& in, int index);
int LocalString(asmInterpreter& m, asmInstruction& in, int index);
int LocalReal(asmInterpreter& m, asmInstruction& in, int index);
int Psax(asmInterpreter& m, asmInstruction& in, int index);
int Popax(asmInterpreter& m, asmInstruction& in, int index);
int SPush(asmInterpreter& m, asmInstruction& in, int index);
int SPop(asmInterpreter& m, asmInstruction& in, int index);
int Neg(asmInterpreter& m, asmInstruction& in, int index);
int CmpJe(asmInterpreter& m, asmInstruction& in, int index);
int CmpJne(asmInterpreter& m, asmInstruction& in, int index);
int CmpJae(asmInterpreter& m, asmInstruction& in, int index);
int CmpJle(asmInterpreter& m, asmInstruction& in, int index);
int CmpJa(asmInterpreter& m, asmInstruction& in, int index);
int CmpJl(asmInterpreter& m, asmInstruction& in, int index);
int SPushS(asmInterpreter& m, asmInstruction& in, int index);
int Cmp0(asmInterpreter& m, asmInstruction& in, int index);
int Delete(asmInterpreter& m, asmInstruction& in, int index);
int LocalDef(asmInterpreter& m, asmInstruction& in, int index);
int CmpSt(asmInterpreter& m, asmInstruction& in, int index);

// A specialised executor for the record, or null when none applies.
asmExecutor SelectFast(int opcode, const asmInstruction& in);

// Runs the method from index 0 until it returns (a record's executor
// returns -1 or an index past the end); script methods it calls by a call
// site marked `direct` run in the same loop.
void RunInstructions(asmInterpreter& m, asmMethod& method);

// An executor that carries out `first` and the record after it, `second`,
// as one (see asmInstruction::next), or null when the pair does not fuse.
asmExecutor SelectFused(const asmInstruction& first, const asmInstruction& second);

}  // namespace asmExec
