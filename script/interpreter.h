// The script machine's core: the assembler state that turns script lines
// into methods, and the storage and executors that run them (main and
// special stacks, locals in frames, ten registers, the compare flag).
//
// One machine runs at a time. Code that runs on a machine is handed it;
// asmInterpreter::Instance (the last one made) is only for the callbacks
// of lower floors that cannot hand one over (engine events, a game's hooks).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "foundation/asm_class_obj.h"
#include "foundation/dd_string.h"
#include "foundation/dd_trie.h"
#include "script/asm_var.h"
#include "script/code.h"
#include "script/executors.h"
#include "script/line_lexer.h"
#include "script/object_model.h"

constexpr int kStackCells = 1000;
constexpr int kLocalCells = 1000;
constexpr int kRegisterCount = 10;
constexpr int kMaxLocalNumber = 999;
// Script methods nested deeper than this end the program instead of
// exhausting the native stack.
constexpr int kMaxCallDepth = 1000;

// Kinds of the type map: script classes, modules and games.
enum asmScriptKind : int32_t { KIND_CLASS = 0, KIND_MODULE = 1, KIND_GAME = 2 };

// Which concrete value an operand resolved to; picks the interpreter's
// fast paths.
enum asmValueKind : int32_t {
    VK_OTHER = 0,
    VK_INT = 1,
    VK_REAL = 2,
    VK_STRING = 3,
    VK_CELL = 4,
};

// What a script method's frame replaces while it runs.
struct asmFrameState {
    asmClassObj* object = nullptr;
    const char* methodName = nullptr;
    int32_t frameBase = -1;
    int32_t highWater = 0;
};

// A script method the run loop entered itself: its caller's frame, where
// the caller resumes, and the call, for the bookkeeping at its return.
struct asmCallFrame {
    asmFrameState caller;
    const asmCode* code = nullptr;
    const asmCode* resume = nullptr;
    int32_t count = 0;
    asmVarReg* locals = nullptr;
    asmClassObj* called = nullptr;
    const char* calledName = nullptr;
};

class asmInterpreter {
public:
    // The running machine, for lower floors' callbacks only (see above).
    static asmInterpreter* Instance;

    asmInterpreter();
    ~asmInterpreter();
    asmInterpreter(const asmInterpreter&) = delete;
    asmInterpreter& operator=(const asmInterpreter&) = delete;

    // ------------------------------------------------------------ set-up
    // The opcode map and the end-kind map.
    void InitOpcodes();
    void InitEndKinds();
    // The type map (empty); the object layer registers the built-in types.
    void InitTypeMap();
    // The global class (type "global", a module) and its "init" method.
    void CreateGlobalClass();
    // Current class, method and object become the global ones.
    void SelectGlobal();
    // Gives every stack cell, local and register its part classes and name.
    void SetUpCells(asmClass* intClass, asmClass* realClass, asmClass* stringClass);
    // Stack pointers and frame base to -1, high-water mark to 0.
    void ResetStorage();
    // Frees the assembled program: classes declared by the script, their
    // methods, the type, opcode, end-kind and label maps.
    void ClearProgram();

    void SetObjectModel(asmObjectModel* model) { objects = model; }
    asmObjectModel* GetObjectModel() const { return objects; }

    // ------------------------------------------------------------ assembler
    // Assembles every line of `source`; a last line without a line feed is
    // assembled too. Lines longer than the line limit are refused.
    void AssembleText(std::string_view source);
    // Assembles one line (line feed included).
    void AssembleSourceLine(std::string_view line);
    // Lexes the line; 1 when there is something to assemble (labels are
    // entered here), 0 otherwise.
    int LexLine(std::string_view line);
    void AssembleLine(const std::string& mnemonic);
    void ParseOperand(const std::string& textOfOperand, asmOperand& op);
    // Ties every pending jump to its label (looked up within the jump's
    // method) and empties the fix-up list.
    void TieLabels();
    // New method record in the class, entered under `name`.
    asmMethod* DeclareMethod(asmClass* cls, const char* name);
    [[noreturn]] void AssemblerError(const char* message, std::string_view text);

    // ------------------------------------------------------------ running
    void RunMethod(asmMethod& method) { asmExec::RunInstructions(*this, method); }

    // A script method's frame: the called object becomes current, the
    // frame starts above every local the caller's chain declared, and the
    // running method name is the called name; `saved` keeps what the caller
    // had, for CloseFrame. Nesting deeper than kMaxCallDepth ends the
    // program instead of exhausting the native stack.
    void OpenFrame(asmClassObj* object, const char* calledName, asmFrameState& saved) {
        if (callDepth >= kMaxCallDepth) Fatal("script methods nested too deep");
        saved = {currentObject, runningMethodName, frameBase, highWater};
        currentObject = object;
        frameBase = frameBase + highWater;
        runningMethodName = calledName;
        ++callDepth;
    }
    void CloseFrame(const asmFrameState& saved) {
        --callDepth;
        currentObject = saved.object;
        runningMethodName = saved.methodName;
        frameBase = saved.frameBase;
        highWater = saved.highWater;
    }
    // Opens a frame for `object`, runs the method, closes the frame.
    void RunScriptMethod(asmClassObj* object, asmMethod& method, const char* calledName) {
        asmFrameState saved;
        OpenFrame(object, calledName, saved);
        RunMethod(method);
        CloseFrame(saved);
    }

    // A call of a script method that the run loop makes itself (a call
    // site's cache marked `direct`) keeps the object layer's bookkeeping of
    // a call through it: the last called name, the object among the running
    // calls, and at the return the debug report and the destruction of what
    // waited for the outermost call.
    void BeginDirectCall(asmClassObj* object, const char* name) {
        lastCalledName = name;
        running.push_back(object);
    }
    void EndDirectCall(asmClassObj* object, const char* name) {
        if (debugLevel == 4 || running.size() == 1)
            objects->CallReturned(object, name);
        else
            running.pop_back();
    }

    // Calls a method by name through the object layer.
    void CallOn(asmClassObj* object, const char* name, asmCallCache& cache) {
        if (objects)
            objects->CallMethod(object, name, cache);
        else
            object->CallMethod(this, name);
    }
    // A copy of the name that lives as long as the machine (names read from
    // variables may change while the method runs).
    const char* StableName(const char* name);

    // Register n takes a copy of the popped top cell.
    asmVarReg& PopArg(int n);

    asmVarReg& LocalCell(int n);
    // Local n of the current frame, or null when it lies outside the cells.
    asmVarReg* LocalCellIfValid(int n) {
        int at = frameBase + n;
        return at >= 0 && at < kLocalCells ? &locals[at] : nullptr;
    }
    asmVarReg& Register(int n) { return registers[n]; }
    // Local cell 0; the run loop binds a frame's locals from it once.
    asmVarReg* LocalCells() { return locals.get(); }
    asmVarReg& StackCell(int n) { return stack[n]; }
    asmVarReg& SpecialCell(int n) { return special[n]; }

    // The object of that name, or the fatal "no such var:".
    asmClassObj* FindVar(const char* name);
    // Any name table changed: every remembered look-up is stale. 64 bits
    // never come round, so a look-up remembered long ago is never taken for
    // a current one.
    void NamesChanged() { ++nameEpoch; }
    uint64_t NameEpoch() const { return nameEpoch; }

    void SetCurrentGame(asmClassObj* game) {
        currentGame = game;
        NamesChanged();
    }

    // Operand resolution shared by the executors.
    const char* OperandName(asmOperand& op);
    asmClassObj* OperandVar(asmOperand& op) {
        const asmNameCache& c = op.names;
        if (op.kind == OPK_NAME && c.epoch == nameEpoch && c.scope == currentObject) return c.object;
        return LookUpOperandVar(op);
    }
    asmVar& OperandValue(asmOperand& op);
    asmClassObj* OperandObject(asmOperand& op);
    asmVar* OperandValueOrNull(asmOperand& op);
    int OperandInt(asmOperand& op);
    void LoadCell(asmVarReg& cell, asmOperand& op);
    void AssignFrom(asmVar& value, asmOperand& op);
    void CompareWith(asmVar& value, asmOperand& op);
    // The value an instruction's A operand names: register, local or variable.
    asmVar& ValueOf(asmOperand& op);

    // Reports. Each writes the location report first and ends with code 1.
    void LocationReport(std::string& out) const;
    [[noreturn]] void Fatal(const char* message);
    [[noreturn]] void Fatal(const char* message, const char* subject);
    [[noreturn]] void Underflow(const char* tag);

    // Main-stack pushes with the bound check.
    asmVarReg& PushCell() {
        if (sp + 1 > kStackCells - 1) Fatal("stack overflow");
        return stack[++sp];
    }

    // ------------------------------------------------------------ state
    // Assembler.
    bool loading = true;
    ddTrie<int>* opcodeMap = nullptr;
    ddTrie<int>* endKindMap = nullptr;
    // name -> (kind as value, class descriptor as pointer, never owned)
    ddTrie<asmClass>* typeMap = nullptr;
    asmClass* currentClass = nullptr;
    asmMethod* currentMethod = nullptr;
    ddString currentClassName;
    asmClass* globalClass = nullptr;
    asmClassObj* globalObject = nullptr;
    asmMethod* globalInit = nullptr;
    ddTrie<asmMethod>* lastDeclaredMethod = nullptr;

    // Runtime.
    asmClassObj* currentObject = nullptr;
    asmClassObj* currentGame = nullptr;
    const char* runningMethodName = nullptr;
    const char* lastCalledName = nullptr;
    int32_t sp = -1;
    int32_t ssp = -1;
    int32_t frameBase = -1;
    int32_t highWater = 0;
    int32_t flag = 0;
    int32_t callDepth = 0;
    // The debug level scripts set with the engine method "setdebugstate":
    // 1 reports every call found, 1 and 2 report missing methods called
    // with values on the stack, 3 every missing method, 4 every call after
    // it ran.
    int32_t debugLevel = 0;
    // Objects with a call in progress (through the object layer or entered
    // by the run loop), innermost last. An object deleted while it is here
    // is destroyed only after its calls return.
    std::vector<asmClassObj*> running;
    // The callers of the script methods the run loop entered itself, by
    // call depth (one more than the deepest, which OpenFrame refuses).
    std::unique_ptr<asmCallFrame[]> callFrames = std::make_unique<asmCallFrame[]>(kMaxCallDepth + 1);

#ifdef ENGINE_FUZZING
    // Fuzz builds only (no other build has it): asked before every
    // instruction; false ends the run like a script error, so that an
    // endless script is not taken for a hang.
    bool (*stepGuard)() = nullptr;
#endif

private:
    void DeclareClass(int kind, const char* word);
    void ParentDirective(const std::string& base);
    void EndDirective(const std::string& word);
    asmVar& ResolveValue(asmOperand& op, const char* name);
    // OperandVar without the remembered look-up: looks the name up and, for
    // a plain name, remembers what it found.
    asmClassObj* LookUpOperandVar(asmOperand& op);

    // The lexer's output for the line being assembled.
    LineLexer::Result lexed;

    std::unique_ptr<asmVarReg[]> stack;
    std::unique_ptr<asmVarReg[]> special;
    std::unique_ptr<asmVarReg[]> locals;
    std::unique_ptr<asmVarReg[]> registers;

    asmObjectModel* objects = nullptr;
    uint64_t nameEpoch = 1;

    // Labels by (method, name); jumps waiting for their label.
    std::map<std::pair<const asmMethod*, std::string>, int> labels;
    std::vector<std::pair<asmInstruction*, asmMethod*>> fixups;
    // Classes the script declared, and method records replaced while
    // assembling; both live until the program is cleared.
    std::vector<std::unique_ptr<asmClass>> scriptClasses;
    std::vector<std::unique_ptr<asmMethod>> retiredMethods;
    std::unordered_set<std::string> internedNames;
};
