// The assembled program: methods made of instruction records, each with an
// executor and up to two operands, and the compact form of each method that
// the run loop executes (made from the records when the method first runs).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/asm_class_obj.h"
#include "foundation/dd_string.h"

class asmInterpreter;
class asmInstruction;
class asmVar;
class asmMethod;

// Carries one instruction out; returns the index of the next one, -1 to end
// the method.
using asmExecutor = int (*)(asmInterpreter& machine, asmInstruction& instr, int index);

enum asmOperandKind : int32_t {
    OPK_NONE = -1,
    OPK_INT = 0,             // 12, -3
    OPK_REAL = 1,            // 1.5
    OPK_STRING = 2,          // "text"
    OPK_INDIRECT_NAME = 3,   // [name]
    OPK_INDIRECT_REG = 4,    // [$c]
    OPK_INDIRECT_LOCAL = 5,  // [$2]
    OPK_NAME = 6,            // name
    OPK_LOCAL = 7,           // $2
    OPK_REG = 8,             // $c
    OPK_LABEL = 9,           // the operand of a jump
};

// What a name operand last resolved to. Valid while the machine's name epoch
// and the current object are those it was made with; any change to a name
// table moves the epoch on.
struct asmNameCache {
    uint64_t epoch = 0;
    asmClassObj* scope = nullptr;
    asmClassObj* object = nullptr;
    asmVar* value = nullptr;  // null when the object is not a value
    int32_t valueKind = 0;    // asmValueKind of `value`
};

// Per-call-site memory the object layer uses to skip repeated method
// look-ups ("call", "cthis", "clparent"). The object layer fills it after
// a full search; it and the run loop (for a site marked `direct`) trust it
// only while everything the search depended on is unchanged (Holds): the
// machine's name epoch (moved on by every change to a name table or a
// method table), the called object (address and id), its class descriptor
// and the method name, and, for a result that the search found past the
// object itself, its owner, the owner's class and the running game's class.
struct asmCallCache {
    uint64_t epoch = 0;  // 0: empty
    const void* object = nullptr;
    int32_t objectId = -1;
    const void* cls = nullptr;
    const char* name = nullptr;
    bool deep = false;  // the result depends on owner and game too
    const void* owner = nullptr;
    const void* ownerClass = nullptr;
    const void* gameClass = nullptr;
    // What the search found, in the object layer's encoding.
    int32_t index = -1;
    int32_t common = -1;
    asmMethod* method = nullptr;
    // Set by the object layer when `method` is a method written in script
    // that the run loop may enter itself, doing the bridge's bookkeeping.
    bool direct = false;

    // Whether what the cache remembers still answers a call of `calledName`
    // on `callee`, with the machine at name epoch `nameEpoch` and `game`
    // running.
    bool Holds(const asmClassObj* callee, const char* calledName, uint64_t nameEpoch,
               const asmClassObj* game) const {
        if (epoch != nameEpoch || object != callee || objectId != callee->GetId() ||
            cls != callee->GetClass() || name != calledName)
            return false;
        if (!deep) return true;
        const asmClassObj* o = callee->GetOwner();
        return owner == o && ownerClass == (o ? o->GetClass() : nullptr) &&
               gameClass == (game ? game->GetClass() : nullptr);
    }
};

class asmOperand {
public:
    // A number, register or local carries no text and cannot name a label:
    // "wrong label format". Otherwise the kind becomes a label.
    void ParseLabel();

    int32_t kind = OPK_NONE;
    int32_t ivalue = 0;
    float rvalue = 0.0f;
    ddString text;

    asmNameCache names;
    asmCallCache call;
};

class asmInstruction {
public:
    asmInstruction() = default;
    ~asmInstruction() { FreeOperands(); }
    asmInstruction(const asmInstruction&) = delete;
    asmInstruction& operator=(const asmInstruction&) = delete;

    asmOperand* NewOperand1();
    asmOperand* NewOperand2();
    // Deletes both operands and leaves the pointers null.
    void FreeOperands();
    void ParseLabel() {
        if (operand1) operand1->ParseLabel();
    }

    asmExecutor executor = nullptr;
    asmOperand* operand1 = nullptr;
    asmOperand* operand2 = nullptr;
    int32_t opcode = -1;
    // A record fused with the one after it ("add x, 1" then "pop x", "cmp"
    // then a conditional jump) runs both through `executor` and returns the
    // index after the pair. `alone` is its executor on its own, which the
    // fused one falls back on (followed by `next`'s) whenever its short path
    // does not apply; `next` keeps its own executor for jumps that land on it.
    asmExecutor alone = nullptr;
    asmInstruction* next = nullptr;

    void SetExecutor(asmExecutor e) { executor = e; }
};

// One instruction of a method's compact form: what the run loop does
// (asmRunOp, script/compact_code.h) with its operands inline. Every entry
// keeps its record, whose executor is the general path.
struct asmCode {
    uint16_t op = 0;
    // Conditional jumps: the signs of the flag that jump (bit 0 less, bit 1
    // equal, bit 2 greater).
    uint16_t jumpsOn = 0;
    // A local's place in the frame (its number - 1), a register's number,
    // or an int literal.
    int32_t a = 0;
    int32_t b = 0;
    // The index jumped to; the method's count when the jump ends the method.
    int32_t jump = 0;
    asmInstruction* rec = nullptr;
    // A named operand (with its remembered look-up and call-site cache).
    asmOperand* x = nullptr;
};

// A method's compact form: one entry per record and an end entry after
// them. `fast` takes the short paths; `checked` runs every record through
// its executor, for frames whose locals would pass the last local cell.
struct asmCompactCode {
    std::unique_ptr<asmCode[]> fast;
    std::unique_ptr<asmCode[]> checked;
    int32_t count = 0;
    // The highest local number a record names directly ($N).
    int32_t maxLocal = 0;
};

class asmMethod {
public:
    explicit asmMethod(const char* methodName);
    ~asmMethod();
    asmMethod(const asmMethod&) = delete;
    asmMethod& operator=(const asmMethod&) = delete;

    // Takes ownership of the record.
    void Append(asmInstruction* instr);
    // Runs the method on the machine from index 0.
    void Run(asmInterpreter& machine);
    // The records changed (appended, fused or tied to their labels): the
    // compact form is made again before the method next runs.
    void RecordsChanged() { stale = true; }
    // The compact form, made from the records if they changed since.
    const asmCompactCode& Compact() {
        if (stale) Recompile();
        return compact;
    }

    int32_t count = 0;
    ddString name;
    asmInstruction** instructions = nullptr;

private:
    void Recompile();

    asmCompactCode compact;
    bool stale = true;
    // Earlier compact forms: a frame of the run loop may still be in one.
    std::vector<asmCompactCode> retired;
};
