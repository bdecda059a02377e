// The argument operations every built-in script method uses: arguments are
// popped from the main stack (the one pushed last first) and results pushed
// onto it. They work on the running machine (asmInterpreter::Instance).
//
// Every push checks the stack bound and ends the program with
// "stack overflow" like the "push" instruction; every pop of an empty stack
// ends it with the underflow report tagged "PopArg".
#pragma once

#include <string>

#include "foundation/dd_string.h"

class asmVarReg;

// Register n takes a copy of the top cell, which is popped; returns register n.
asmVarReg* PopArg(int n);
int PopArgInt();
float PopArgReal();
// A copy of the popped text: later pushes cannot change it.
ddString PopArgString();
// Pops a text argument as an owned string ("" for none).
std::string PopText();

void PushInt(int i);
void PushReal(float r);
void PushString(const char* s);
void PushVarString(const ddString& s);
// Pushes the text a followed by b (either may live in any cell).
void PushConcat(const char* a, const char* b);

// Raises the stack pointer by one and returns that cell.
asmVarReg* NextStackCell();

// Register n (0 is $a ... 9 is $j) takes the value.
void SetRegInt(int n, int i);
void SetRegReal(int n, float r);
