// The script class "vector" (type code 11): a typed list of ints, reals or
// strings that scripts add to, search, sort, shuffle, save and load.
#pragma once

#include <cstdint>

#include "foundation/asm_class_obj.h"
#include "foundation/dd_string.h"
#include "foundation/dd_vector.h"
#include "script/script_class.h"

class asmClassVector : public asmScriptClass<asmClassVector, asmClassObj> {
public:
    static constexpr int32_t kTypeCode = 11;
    enum ElementType : int32_t { ELEM_INT = 0, ELEM_REAL = 1, ELEM_STRING = 2 };

    asmClassVector(asmClass* cls, const char* name);
    ~asmClassVector() override;

    // The script methods' table, in the .cpp (read by asmScriptClass).
    struct ScriptMethods;

    ddVector<ddString>& Strings() { return strings; }

private:
    int32_t elementType = ELEM_INT;
    ddVector<ddString> strings;
    ddVector<int> ints;
    ddVector<float> reals;
};

extern template class asmScriptClass<asmClassVector, asmClassObj>;

// The vector the object is, or null when it is of another type: objects
// named where a vector is required are checked, never cast blindly.
asmClassVector* AsVector(asmClassObj* object);

// Looks the name up (fatal "no such var:" when nothing bears it) and returns
// the vector; an object of another type ends the program with
// "<who>: <name> is not a vector".
asmClassVector* FindVectorNamed(asmInterpreter& m, const char* who, const char* name);
