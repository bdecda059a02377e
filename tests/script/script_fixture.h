// A machine ready to assemble and run scripts, with a small object layer
// standing in for the real one: values made by "new" live in one table,
// script classes get plain objects, and calls find script methods in the
// object's class and then in the global class.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "script/arg_ops.h"
#include "script/interpreter.h"

class FakeObjects : public asmObjectModel {
public:
    explicit FakeObjects(asmInterpreter& m) : machine(m) {}

    asmClassObj* LookupVar(const char* name) override {
        ++lookups;
        // The current object's own variables come first.
        if (machine.currentObject) {
            ddTrie<asmClassObj>* e = machine.currentObject->GetVars()->Find(name);
            if (e && e->pointer) return e->pointer;
        }
        auto it = table.find(name);
        return it == table.end() ? nullptr : it->second.get();
    }

    void CallMethod(asmClassObj* object, const char* name, asmCallCache& cache) override {
        machine.lastCalledName = name;
        calls.push_back(name);
        asmMethod* method = nullptr;
        if (cache.epoch == machine.NameEpoch() && cache.cls == object->GetClass() && cache.method) {
            method = cache.method;
        } else {
            ++methodLookups;
            method = Find(object->GetClass(), name);
            if (!method) method = Find(machine.globalClass, name);
            cache.epoch = machine.NameEpoch();
            cache.cls = object->GetClass();
            cache.method = method;
        }
        if (method) machine.RunScriptMethod(object, *method, name);
    }

    // Only the run loop's direct calls end here, and this layer marks no
    // call site direct; their bookkeeping would end like this.
    void CallReturned(asmClassObj*, const char*) override { machine.running.pop_back(); }

    void ExecNew(asmOperand& type, asmOperand& nameOp) override {
        std::string typeName = machine.OperandName(type);
        std::string name = machine.OperandName(nameOp);
        std::unique_ptr<asmClassObj> made;
        if (typeName == "int")
            made = std::make_unique<asmVarInt>(nullptr, name.c_str());
        else if (typeName == "real")
            made = std::make_unique<asmVarReal>(nullptr, name.c_str());
        else if (typeName == "string")
            made = std::make_unique<asmVarString>(nullptr, name.c_str());
        else if (typeName == "def")
            made = std::make_unique<asmVarReg>(nullptr, name.c_str());
        else {
            ddTrie<asmClass>* entry = machine.typeMap->Find(typeName.c_str());
            if (!entry || !entry->pointer)
                machine.Fatal("declaration of non existing type", typeName.c_str());
            made = std::make_unique<asmClassObj>(entry->pointer);
            made->SetName(name.c_str());
        }
        asmClassObj* scope = machine.currentObject;
        if (scope && scope != machine.globalObject) {
            // Made inside an object's method: one of that object's variables.
            ddTrie<asmClassObj>* e = scope->GetVars()->Get(name.c_str());
            if (e->pointer) machine.Fatal("already created", name.c_str());
            e->pointer = made.release();
        } else {
            if (table.count(name)) machine.Fatal("already created", name.c_str());
            table[name] = std::move(made);
        }
        machine.NamesChanged();
    }

    void ExecDelete(asmOperand& nameOp) override {
        std::string name = machine.OperandName(nameOp);
        if (!table.count(name)) machine.Fatal("there is no object to delete: ", name.c_str());
        table.erase(name);
        machine.NamesChanged();
    }

    void NewObject(const char* className, const char* objectName) override {
        ddTrie<asmClass>* entry = machine.typeMap->Find(className);
        auto obj = std::make_unique<asmClassObj>(entry ? entry->pointer : nullptr);
        obj->SetName(objectName);
        table[objectName] = std::move(obj);
        modulesMade.push_back(objectName);
        machine.NamesChanged();
    }

    asmVar* Value(const std::string& name) {
        auto it = table.find(name);
        return it == table.end() ? nullptr : dynamic_cast<asmVar*>(it->second.get());
    }

    static asmMethod* Find(asmClass* cls, const char* name) {
        if (!cls) return nullptr;
        ddTrie<asmMethod>* e = cls->methods->Find(name);
        return e && e->value == kScriptMethod ? e->pointer : nullptr;
    }

    asmInterpreter& machine;
    std::map<std::string, std::unique_ptr<asmClassObj>> table;
    std::vector<std::string> calls;
    std::vector<std::string> modulesMade;
    int lookups = 0;
    int methodLookups = 0;
};

// Owns a machine set up for assembling, plus the stand-in object layer.
struct ScriptMachine {
    ScriptMachine() : objects(machine) {
        machine.SetObjectModel(&objects);
        machine.InitOpcodes();
        machine.InitEndKinds();
        machine.InitTypeMap();
        machine.CreateGlobalClass();
        auto global = std::make_unique<asmClassObj>(machine.globalClass);
        global->SetName("global");
        machine.globalObject = global.get();
        objects.table["global"] = std::move(global);
        machine.SelectGlobal();
    }
    ~ScriptMachine() {
        // Objects before the classes they point at.
        objects.table.clear();
    }

    // Assembles the text, ties labels, ends loading.
    void Load(std::string_view text) {
        machine.AssembleText(text);
        machine.TieLabels();
        machine.loading = false;
    }

    // Loads the text and runs the global "init" on the global object.
    void Run(std::string_view text) {
        Load(text);
        machine.currentObject = machine.globalObject;
        machine.RunScriptMethod(machine.globalObject, *machine.globalInit, "init");
    }

    asmVarReg& Top() { return machine.StackCell(machine.sp); }
    int Depth() const { return machine.sp + 1; }

    asmInterpreter machine;
    FakeObjects objects;
};
