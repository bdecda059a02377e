// The game loop fixture (shell/loop_fixture.h) with the engine's script
// classes registered and a script machine set up, for tests that drive
// script objects through frames of the loop.
#pragma once

#include <memory>

#include "script/asm_var.h"
#include "script/script_machine.h"
#include "script_classes/engine_script_classes.h"
#include "shell/loop_fixture.h"

class ScriptLoopTest : public loop_test::LoopTest {
protected:
    void SetUp() override {
        LoopTest::SetUp();
        machine = std::make_unique<asmScriptMachine>(EngineScriptClasses());
        machine->SetUp();
    }
    void TearDown() override {
        machine.reset();
        LoopTest::TearDown();
    }

    asmClassObj* Object(const char* name) { return machine->objects.LookupVar(name); }
    // The named int variable's value; -999 when there is no such int.
    int IntVar(const char* name) {
        auto* v = dynamic_cast<asmVar*>(Object(name));
        return v ? v->GetInt() : -999;
    }

    std::unique_ptr<asmScriptMachine> machine;
};
