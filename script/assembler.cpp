// Turning script lines into classes, methods and instruction records.
#include <cstring>
#include <string>

#include "foundation/fatal.h"
#include "foundation/text_util.h"
#include "script/executors.h"
#include "script/interpreter.h"
#include "script/line_lexer.h"
#include "script/opcodes.h"
#include "script/script_numbers.h"

namespace {

bool IsLower(char c) { return c >= 'a' && c <= 'z'; }

// The number after "$", read from at most 64 characters.
int LocalNumber(const char* afterDollar) {
    char buf[65];
    size_t n = std::strlen(afterDollar);
    if (n > 64) n = 64;
    std::memcpy(buf, afterDollar, n);
    buf[n] = '\0';
    return TextToInt(buf);
}

// Fuses the method's last two records when they form a pair with a fused
// executor ("add x, 1" then "pop x", "cmp" then a conditional jump).
void FuseLastPair(asmMethod& method) {
    if (method.count < 2) return;
    asmInstruction& first = *method.instructions[method.count - 2];
    asmInstruction& second = *method.instructions[method.count - 1];
    if (first.next) return;
    if (asmExecutor fused = asmExec::SelectFused(first, second)) {
        first.alone = first.executor;
        first.SetExecutor(fused);
        first.next = &second;
    }
}

constexpr int kEndClass = 0;
constexpr int kEndGame = 1;
constexpr int kEndModule = 2;
constexpr int kEndMethod = 3;

}  // namespace

void asmInterpreter::InitOpcodes() {
    delete opcodeMap;
    opcodeMap = new ddTrie<int>;
    for (int i = 0; i < OP_COUNT; ++i) SetTrieEntryValue(opcodeMap, kOpcodes[i].mnemonic, i);
}

void asmInterpreter::InitEndKinds() {
    delete endKindMap;
    endKindMap = new ddTrie<int>;
    SetTrieEntryValue(endKindMap, "class", kEndClass);
    SetTrieEntryValue(endKindMap, "game", kEndGame);
    SetTrieEntryValue(endKindMap, "module", kEndModule);
    SetTrieEntryValue(endKindMap, "method", kEndMethod);
}

void asmInterpreter::InitTypeMap() {
    delete typeMap;
    typeMap = new ddTrie<asmClass>;
}

void asmInterpreter::CreateGlobalClass() {
    if (!typeMap) InitTypeMap();
    auto cls = std::make_unique<asmClass>();
    cls->name = "global";
    globalClass = cls.get();
    scriptClasses.push_back(std::move(cls));
    SetTrieEntryRef(typeMap, "global", KIND_MODULE, globalClass);
    globalInit = DeclareMethod(globalClass, "init");
}

void asmInterpreter::SelectGlobal() {
    currentObject = globalObject;
    currentMethod = globalInit;
    currentClass = globalClass;
    currentClassName = "global";
}

void asmInterpreter::ClearProgram() {
    fixups.clear();
    labels.clear();
    delete opcodeMap;
    opcodeMap = nullptr;
    delete endKindMap;
    endKindMap = nullptr;
    delete typeMap;
    typeMap = nullptr;
    currentClass = nullptr;
    currentMethod = nullptr;
    globalClass = nullptr;
    globalInit = nullptr;
    lastDeclaredMethod = nullptr;
    // Replaced records first: a class may still list some of them unowned.
    retiredMethods.clear();
    scriptClasses.clear();
}

void asmInterpreter::AssemblerError(const char* message, std::string_view text) {
    std::string out;
    LocationReport(out);
    out += '\n';
    out += message;
    out += ' ';
    out += text;
    out += '\n';
    FatalExit(out, 1);
}

void asmInterpreter::AssembleText(std::string_view source) {
    std::string last;
    size_t pos = 0;
    while (pos < source.size()) {
        size_t end = source.find('\n', pos);
        if (end == std::string_view::npos) {
            // The last line has no line feed: it is assembled all the same.
            last.assign(source.substr(pos));
            last.push_back('\n');
            AssembleSourceLine(last);
            return;
        }
        AssembleSourceLine(source.substr(pos, end + 1 - pos));
        pos = end + 1;
    }
}

void asmInterpreter::AssembleSourceLine(std::string_view line) {
    if (line.size() > LineLexer::kMaxLine) AssemblerError("line too long", line);
    if (LexLine(line)) {
        AssembleLine(lexed.mnemonic);
    }
}

int asmInterpreter::LexLine(std::string_view line) {
    LineLexer::Lex(line, lexed);
    switch (lexed.status) {
    case LineLexer::Status::Nothing:
        return 0;
    case LineLexer::Status::Error:
        AssemblerError(lexed.error, line);
    case LineLexer::Status::Label: {
        if (!currentMethod) {
            std::string out = "\ndeclared label ";
            out += lexed.mnemonic;
            out += " not within method!\n";
            FatalExit(out, 1);
        }
        // A later definition in the same method wins.
        labels[{currentMethod, lexed.mnemonic}] = currentMethod->count;
        return 0;
    }
    case LineLexer::Status::Instruction:
        return 1;
    }
    return 0;
}

void asmInterpreter::ParseOperand(const std::string& t, asmOperand& op) {
    op.text = "";
    op.ivalue = 0;
    op.rvalue = 0.0f;
    char first = t.empty() ? '\0' : t[0];
    if (first == '[') {
        size_t close = t.find(']', 1);
        if (close == std::string::npos) AssemblerError("bracket without close", t);
        if (close - 1 > LineLexer::kMaxBracket) AssemblerError("bracket text too long", t);
        std::string inner = t.substr(1, close - 1);
        op.text = inner.c_str();
        if (inner.size() >= 2 && inner[0] == '$' && IsLower(inner[1])) {
            op.kind = OPK_INDIRECT_REG;
            op.ivalue = inner[1] - 'a';
            if (op.ivalue >= kRegisterCount) AssemblerError("no such register", t);
        } else if (!inner.empty() && inner[0] == '$') {
            op.kind = OPK_INDIRECT_LOCAL;
            op.ivalue = LocalNumber(inner.c_str() + 1);
            if (op.ivalue < 1 || op.ivalue > kMaxLocalNumber) AssemblerError("wrong local number", t);
        } else {
            op.kind = OPK_INDIRECT_NAME;
        }
        return;
    }
    if (first == '$') {
        op.text = ddString();
        if (t.size() >= 2 && IsLower(t[1])) {
            op.kind = OPK_REG;
            op.ivalue = t[1] - 'a';
            if (op.ivalue >= kRegisterCount) AssemblerError("no such register", t);
        } else {
            op.kind = OPK_LOCAL;
            op.ivalue = LocalNumber(t.c_str() + 1);
            if (op.ivalue < 1 || op.ivalue > kMaxLocalNumber) AssemblerError("wrong local number", t);
        }
        return;
    }
    if ((first >= '0' && first <= '9') || first == '-') {
        op.text = ddString();
        if (t.find('.') != std::string::npos) {
            op.kind = OPK_REAL;
            op.rvalue = ScriptNumbers::TextToReal(t.c_str());
        } else {
            op.kind = OPK_INT;
            op.ivalue = TextToInt(t.c_str());
        }
        return;
    }
    if (first == '"') {
        op.kind = OPK_STRING;
        op.text = t.c_str() + 1;
        return;
    }
    op.kind = OPK_NAME;
    op.ivalue = -1;
    op.text = t.c_str();
}

asmMethod* asmInterpreter::DeclareMethod(asmClass* cls, const char* name) {
    ddTrie<asmMethod>* entry = cls->methods->Get(name);
    if (!entry) AssemblerError("directive without name", "method");
    if (entry->pointer && entry->owns) {
        std::string out = "method ";
        out += name;
        out += " already in use\n";
        FatalExit(out, 1);
    }
    auto* method = new asmMethod(name);
    entry->value = kScriptMethod;
    entry->pointer = method;
    entry->owns = 1;
    lastDeclaredMethod = entry;
    NamesChanged();
    return method;
}

void asmInterpreter::DeclareClass(int kind, const char* word) {
    const std::string& name = lexed.first;
    if (name.empty()) AssemblerError("directive without name", word);
    if (!typeMap) InitTypeMap();
    ddTrie<asmClass>* entry = typeMap->Find(name.c_str());
    if (entry && entry->pointer) {
        std::string out = "\n";
        out += word;
        out += ' ';
        out += name;
        out += " already declared!\n";
        FatalExit(out, 1);
    }
    auto cls = std::make_unique<asmClass>();
    cls->name = name.c_str();
    SetTrieEntryRef(typeMap, name.c_str(), kind, cls.get());
    currentClass = cls.get();
    scriptClasses.push_back(std::move(cls));
    currentClassName = name.c_str();
}

void asmInterpreter::ParentDirective(const std::string& base) {
    if (base.empty()) AssemblerError("directive without name", "parent");
    if (!currentClass) FatalExit("\ncan't add methods from base class: no child class\n", 1);
    ddTrie<asmClass>* entry = typeMap ? typeMap->Find(base.c_str()) : nullptr;
    if (!entry || !entry->pointer) AssemblerError("no such base class", base);
    asmClass* from = entry->pointer;
    if (from == currentClass) return;
    ddString** names = nullptr;
    int count = 0;
    ddTrie<asmMethod>::CollectNames(from->methods, names, count);
    for (int i = 0; i < count; ++i) {
        ddTrie<asmMethod>* src = from->methods->Find(names[i]->c_str());
        if (src && (src->value != -1 || src->pointer)) {
            ddTrie<asmMethod>* dst = currentClass->methods->Get(names[i]->c_str());
            // A record the class owned is kept until the program is cleared:
            // jumps waiting for their labels may still point into it.
            if (dst->owns && dst->pointer) retiredMethods.emplace_back(dst->pointer);
            dst->value = src->value;
            dst->pointer = src->pointer;
            dst->owns = 0;
        }
    }
    ArrResize(names, count, -count);
    NamesChanged();
}

void asmInterpreter::EndDirective(const std::string& word) {
    if (word.empty()) AssemblerError("directive without name", "end");
    ddTrie<int>* entry = endKindMap ? endKindMap->Find(word.c_str()) : nullptr;
    int kind = entry ? entry->value : -1;
    switch (kind) {
    case kEndClass:
    case kEndGame:
        SelectGlobal();
        return;
    case kEndModule:
        if (objects) objects->NewObject(currentClassName.c_str(), currentClassName.c_str());
        SelectGlobal();
        return;
    case kEndMethod:
        currentMethod = currentClass == globalClass ? globalInit : nullptr;
        return;
    default: {
        std::string out = "\nunknown end ";
        out += word;
        out += " -1\n";
        FatalExit(out, 1);
    }
    }
}

void asmInterpreter::AssembleLine(const std::string& mnemonic) {
    ddTrie<int>* entry = opcodeMap ? opcodeMap->Find(mnemonic.c_str()) : nullptr;
    if (!entry || entry->value < 0 || entry->value >= OP_COUNT) AssemblerError("wrong instruction", mnemonic);
    int opcode = entry->value;
    const asmOpcodeInfo& info = kOpcodes[opcode];

    switch (info.shape) {
    case asmShape::ClassDecl:
        return DeclareClass(KIND_CLASS, "class");
    case asmShape::GameDecl:
        return DeclareClass(KIND_GAME, "game");
    case asmShape::ModuleDecl:
        return DeclareClass(KIND_MODULE, "module");
    case asmShape::Parent:
        return ParentDirective(lexed.first);
    case asmShape::End:
        return EndDirective(lexed.first);
    case asmShape::Method:
        if (lexed.first.empty()) AssemblerError("directive without name", "method");
        if (!currentClass) FatalExit("\nmethod without class\n", 1);
        currentMethod = DeclareMethod(currentClass, lexed.first.c_str());
        return;
    case asmShape::New: {
        auto instr = std::make_unique<asmInstruction>();
        instr->opcode = opcode;
        ParseOperand(lexed.first, *instr->NewOperand1());
        ParseOperand(lexed.second, *instr->NewOperand2());
        instr->SetExecutor(SelectExecutor(opcode, *instr));
        if (currentMethod) {
            currentMethod->Append(instr.release());
        } else {
            // Between the methods of a class: carried out while loading.
            instr->executor(*this, *instr, 0);
        }
        return;
    }
    default:
        break;
    }

    if (!currentClass) FatalExit("\ninstruction not within class\n", 1);
    if (!currentMethod) FatalExit("\ninstruction not within method\n", 1);
    auto instr = std::make_unique<asmInstruction>();
    instr->opcode = opcode;
    switch (info.shape) {
    case asmShape::Operands2:
        ParseOperand(lexed.first, *instr->NewOperand1());
        ParseOperand(lexed.second, *instr->NewOperand2());
        break;
    case asmShape::Operands1:
        ParseOperand(lexed.first, *instr->NewOperand1());
        break;
    case asmShape::Local:
        ParseOperand(lexed.first, *instr->NewOperand1());
        if (instr->operand1->kind != OPK_LOCAL) AssemblerError("wrong local number", lexed.first);
        break;
    case asmShape::Jump:
        ParseOperand(lexed.first, *instr->NewOperand1());
        instr->ParseLabel();
        fixups.emplace_back(instr.get(), currentMethod);
        break;
    default:
        break;
    }
    instr->SetExecutor(SelectExecutor(opcode, *instr));
    currentMethod->Append(instr.release());
    FuseLastPair(*currentMethod);
}

void asmInterpreter::TieLabels() {
    for (auto& [instr, method] : fixups) {
        asmOperand& op = *instr->operand1;
        const char* name = op.text.c_str() ? op.text.c_str() : "";
        auto found = labels.find({method, name});
        if (found == labels.end()) {
            std::string out = "\nno such label ";
            out += name;
            out += '\n';
            FatalExit(out, 1);
        }
        op.ivalue = found->second;
        op.text = ddString();
        instr->SetExecutor(SelectExecutor(instr->opcode, *instr));
        method->RecordsChanged();
    }
    fixups.clear();
    labels.clear();
}
