// Arguments of the built-in script classes that name objects, carry text or
// come as a group of ints.
#pragma once

#include <string>

#include "foundation/asm_class_obj.h"
#include "script/arg_ops.h"

class Obraz;

// The object of that name; an unknown name ends the program with
// "no such var:".
asmClassObj* FindNamedObject(asmInterpreter& m, const char* name);

// Pops a name and returns the object it designates (fatal when unknown).
asmClassObj* PopNamedObject(asmInterpreter& m);

// Pops a name and returns the object it designates when it is a T, else
// null; an unknown name is fatal.
template <class T>
T* PopObject(asmInterpreter& m) {
    return dynamic_cast<T*>(PopNamedObject(m));
}

// Pops a name and returns the visible object it designates, or null when
// the object is of another kind. An unknown name ends the program with
// "no such var:" when `unknownIsFatal`, else it gives null.
Obraz* PopVisibleObject(asmInterpreter& m, bool unknownIsFatal);

// Pushes the name, or "null" for none or an empty one.
void PushNameOrNull(asmInterpreter& m, const char* name);

// Pops n ints into v[0..n) in script order (the last pushed is v[n - 1]).
template <int N>
void PopInts(asmInterpreter& m, int (&v)[N]) {
    for (int i = N - 1; i >= 0; --i) v[i] = PopArgInt(m);
}
