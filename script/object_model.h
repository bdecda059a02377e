// What the interpreter needs from the object layer: finding objects by name,
// calling their methods, and carrying out "new" and "delete". The
// interpreter holds one (asmInterpreter::SetObjectModel); the object layer
// implements it.
//
// Name look-ups are remembered per operand. Whoever changes a name table
// (the object map, an object's variables, the current game's variables, an
// owner link) or deletes an object must call asmInterpreter::NamesChanged()
// so that nothing stale is used.
#pragma once

class asmClassObj;
class asmOperand;
struct asmCallCache;

class asmObjectModel {
public:
    virtual ~asmObjectModel() = default;

    // The object of that name by the scoping rules (current object, its
    // owner, the object map, the global object, the current game), or null.
    virtual asmClassObj* LookupVar(const char* name) = 0;

    // Calls a method by name on an object ("call", "cthis", "clparent").
    // `cache` belongs to the call site and may remember the entry found;
    // marking it `direct` lets the run loop make later calls from that site
    // itself (asmInterpreter::BeginDirectCall and EndDirectCall).
    virtual void CallMethod(asmClassObj* object, const char* name, asmCallCache& cache) = 0;

    // A call of `name` on `object` returned: its debug report, the object
    // leaves the running calls (asmInterpreter::running) and, after the
    // outermost call, what waited for it is destroyed.
    virtual void CallReturned(asmClassObj* object, const char* name) = 0;

    // "new TYPE, NAME" (also carried out while loading, between methods)
    // and "delete NAME", with their operands as assembled.
    virtual void ExecNew(asmOperand& type, asmOperand& name) = 0;
    virtual void ExecDelete(asmOperand& name) = 0;

    // Creates the object of a module when its "end module" is read: class
    // name and object name are both the module's name.
    virtual void NewObject(const char* className, const char* objectName) = 0;
};
