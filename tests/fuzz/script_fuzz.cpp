// libFuzzer target for the assembler and a bounded run of the interpreter:
// any text assembles or ends in a script error, and what assembles runs
// until it returns, fails with a script error, or uses up its budget of
// steps, time or memory (an endless script is not a finding). The machine
// carries the script core's classes (values, vectors, tables), no window.
#include <sanitizer/allocator_interface.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "script/script_machine.h"

namespace {

constexpr uint64_t kMaxSteps = 200000;
constexpr auto kMaxTime = std::chrono::milliseconds(500);
constexpr size_t kMaxHeapBytes = size_t(256) << 20;

uint64_t g_steps = 0;
std::chrono::steady_clock::time_point g_deadline;

bool WithinBudget() {
    ++g_steps;
    if (g_steps > kMaxSteps) return false;
    if ((g_steps & 1023) == 0) {
        if (std::chrono::steady_clock::now() > g_deadline) return false;
        if (__sanitizer_get_current_allocated_bytes() > kMaxHeapBytes) return false;
    }
    return true;
}

// Building a machine's thousands of cells costs far more than most runs,
// so one machine serves every input: set up, run, then cleared with its
// cells emptied, so each input starts as on a new machine and frees what
// it made.
void EmptyCell(asmVarReg& cell) {
    cell.Unbind();
    cell.IntPart().value = 0;
    cell.RealPart().value = 0.0f;
    const char* text = cell.StringPart().GetString();
    if (text && *text) cell.StringPart().SetString("");
}

void Empty(asmScriptMachine& machine) {
    machine.Clear();
    asmInterpreter& m = machine.interp;
    for (int i = 0; i < kStackCells; ++i) {
        EmptyCell(m.StackCell(i));
        EmptyCell(m.SpecialCell(i));
    }
    for (int i = 0; i < kLocalCells; ++i) EmptyCell(*m.LocalCellIfValid(i - m.frameBase));
    for (int i = 0; i < kRegisterCount; ++i) EmptyCell(m.Register(i));
    m.flag = 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static asmScriptMachine* machine = [] {
        auto* m = new asmScriptMachine;
        Empty(*m);
        return m;
    }();
    FuzzGuard guard;
    const std::string source(reinterpret_cast<const char*>(data), size);
    try {
        machine->SetUp();
        machine->interp.stepGuard = WithinBudget;
        g_steps = 0;
        g_deadline = std::chrono::steady_clock::now() + kMaxTime;
        machine->LoadText(source);
    } catch (const FuzzFatal&) {
        // a script error: the engine would have ended with its message
    }
    Empty(*machine);
    return 0;
}
