#include "script/code.h"

#include <cstring>

#include "foundation/asm_class_obj.h"
#include "foundation/fatal.h"
#include "script/compact_code.h"
#include "script/interpreter.h"

void asmOperand::ParseLabel() {
    if (kind == OPK_INT || kind == OPK_REAL || kind == OPK_LOCAL || kind == OPK_REG)
        FatalExit("\nwrong label format", 1);
    kind = OPK_LABEL;
}

asmOperand* asmInstruction::NewOperand1() {
    delete operand1;
    operand1 = new asmOperand;
    return operand1;
}

asmOperand* asmInstruction::NewOperand2() {
    delete operand2;
    operand2 = new asmOperand;
    return operand2;
}

void asmInstruction::FreeOperands() {
    delete operand1;
    delete operand2;
    operand1 = nullptr;
    operand2 = nullptr;
}

asmMethod::asmMethod(const char* methodName) : name(methodName) {}

asmMethod::~asmMethod() {
    for (int i = 0; i < count; ++i) delete instructions[i];
    delete[] instructions;
}

void asmMethod::Append(asmInstruction* instr) {
    // The array grows by 32 entries whenever it is full.
    if (count % 32 == 0) {
        auto** grown = new asmInstruction*[static_cast<size_t>(count) + 32];
        if (count > 0) std::memcpy(grown, instructions, sizeof(asmInstruction*) * static_cast<size_t>(count));
        delete[] instructions;
        instructions = grown;
    }
    instructions[count++] = instr;
    RecordsChanged();
}

void asmMethod::Recompile() {
    if (compact.fast) retired.push_back(std::move(compact));
    compact = asmExec::MakeCompact(*this);
    stale = false;
}

void asmMethod::Run(asmInterpreter& machine) { machine.RunMethod(*this); }
