// The argument operations every built-in script method uses: arguments are
// popped from the main stack (the one pushed last first) and results pushed
// onto it. Each works on the machine it is handed, the one that called the
// method.
//
// Every push checks the stack bound and ends the program with
// "stack overflow" like the "push" instruction; every pop of an empty stack
// ends it with the underflow report tagged "PopArg".
#pragma once

#include <string>

#include "foundation/dd_string.h"

class asmInterpreter;
class asmVarReg;

// Register n takes a copy of the top cell, which is popped; returns register n.
asmVarReg* PopArg(asmInterpreter& m, int n);
int PopArgInt(asmInterpreter& m);
float PopArgReal(asmInterpreter& m);
// A copy of the popped text: later pushes cannot change it.
ddString PopArgString(asmInterpreter& m);
// Pops a text argument as an owned string ("" for none).
std::string PopText(asmInterpreter& m);

void PushInt(asmInterpreter& m, int i);
void PushReal(asmInterpreter& m, float r);
void PushString(asmInterpreter& m, const char* s);
void PushVarString(asmInterpreter& m, const ddString& s);
// Pushes the text a followed by b (either may live in any cell).
void PushConcat(asmInterpreter& m, const char* a, const char* b);

// Raises the stack pointer by one and returns that cell.
asmVarReg* NextStackCell(asmInterpreter& m);

// Register n (0 is $a ... 9 is $j) takes the value.
void SetRegInt(asmInterpreter& m, int n, int i);
void SetRegReal(asmInterpreter& m, int n, float r);
