// The machine's storage, frames, operand resolution and fatal reports.
#include "script/interpreter.h"

#include <algorithm>
#include <string>
#include <typeinfo>

#include "foundation/fatal.h"
#include "script/arg_ops.h"

asmInterpreter* asmInterpreter::Instance = nullptr;

namespace {

const char* Printable(const char* s) { return s ? s : "(null)"; }

void NameCells(asmVarReg* cells, int count, const char* prefix) {
    std::string name;
    for (int i = 0; i < count; ++i) {
        name = prefix;
        name += std::to_string(i);
        cells[i].SetName(name.c_str());
    }
}

// What an object that is not a value stands in as for a value operation:
// every operation of the bare value ends the program with "forbidden
// instruction" and the operation's word.
asmVar& NotAValue() {
    static asmVar standIn(nullptr, nullptr);
    return standIn;
}

int32_t ValueKindOf(asmVar* v) {
    if (!v) return VK_OTHER;
    const std::type_info& t = typeid(*v);
    if (t == typeid(asmVarInt)) return VK_INT;
    if (t == typeid(asmVarReal)) return VK_REAL;
    if (t == typeid(asmVarString)) return VK_STRING;
    if (t == typeid(asmVarReg)) return VK_CELL;
    return VK_OTHER;
}

}  // namespace

asmInterpreter::asmInterpreter()
    : stack(new asmVarReg[kStackCells]),
      special(new asmVarReg[kStackCells]),
      locals(new asmVarReg[kLocalCells]),
      registers(new asmVarReg[kRegisterCount]) {
    Instance = this;
    // The method tries free the records they own through this; every
    // record is made by a machine, so it is installed here, before any.
    TrieFree<asmMethod>::Deleter = [](asmMethod* p) { delete p; };
    // Each running call holds at most a script frame and a built-in call
    // around it: pushing never allocates.
    running.reserve(2 * kMaxCallDepth + 16);
    // The cells are named once, with their part classes (SetUpCells).
    ResetStorage();
}

asmInterpreter::~asmInterpreter() {
    ClearProgram();
    if (Instance == this) Instance = nullptr;
}

void asmInterpreter::SetUpCells(asmClass* intClass, asmClass* realClass, asmClass* stringClass) {
    for (int i = 0; i < kStackCells; ++i) stack[i].SetPartClasses(intClass, realClass, stringClass);
    for (int i = 0; i < kLocalCells; ++i) locals[i].SetPartClasses(intClass, realClass, stringClass);
    for (int i = 0; i < kRegisterCount; ++i) registers[i].SetPartClasses(intClass, realClass, stringClass);
    NameCells(stack.get(), kStackCells, "_stack");
    NameCells(locals.get(), kLocalCells, "_local");
    for (int i = 0; i < kRegisterCount; ++i) {
        char name[] = {'_', 'r', 'e', 'g', static_cast<char>('a' + i), 'x', '\0'};
        registers[i].SetName(name);
    }
}

void asmInterpreter::ResetStorage() {
    sp = -1;
    ssp = -1;
    frameBase = -1;
    highWater = 0;
    callDepth = 0;
}

// ---------------------------------------------------------------- running

asmVarReg& asmInterpreter::LocalCell(int n) {
    int at = frameBase + n;
    if (at > kLocalCells - 1) Fatal("locals stack overflow");
    if (at < 0) Fatal("wrong local number");
    return locals[at];
}

const char* asmInterpreter::StableName(const char* name) {
    if (!name) return "";
    return internedNames.emplace(name).first->c_str();
}

// ---------------------------------------------------------------- names

asmClassObj* asmInterpreter::FindVar(const char* name) {
    asmClassObj* found = objects ? objects->LookupVar(name) : nullptr;
    if (!found) Fatal("no such var:", name ? name : "");
    return found;
}

const char* asmInterpreter::OperandName(asmOperand& op) {
    switch (op.kind) {
    case OPK_INDIRECT_NAME:
        return ResolveValue(op, op.text.c_str()).GetString();
    case OPK_INDIRECT_REG:
        return registers[op.ivalue].GetString();
    case OPK_INDIRECT_LOCAL:
        return LocalCell(op.ivalue).GetString();
    default:
        return op.text.c_str() ? op.text.c_str() : "";
    }
}

asmClassObj* asmInterpreter::LookUpOperandVar(asmOperand& op) {
    if (op.kind != OPK_NAME) return FindVar(OperandName(op));
    asmNameCache& c = op.names;
    asmClassObj* obj = FindVar(op.text.c_str());
    c.epoch = nameEpoch;
    c.scope = currentObject;
    c.object = obj;
    c.value = dynamic_cast<asmVar*>(obj);
    c.valueKind = ValueKindOf(c.value);
    return obj;
}

// The value an indirect name refers to; the bracket's variable itself is
// looked up by name every time (its text may change).
asmVar& asmInterpreter::ResolveValue(asmOperand&, const char* name) {
    asmClassObj* obj = FindVar(name);
    auto* v = dynamic_cast<asmVar*>(obj);
    return v ? *v : NotAValue();
}

asmVar& asmInterpreter::OperandValue(asmOperand& op) {
    if (op.kind == OPK_NAME) {
        asmNameCache& c = op.names;
        if (c.epoch != nameEpoch || c.scope != currentObject) LookUpOperandVar(op);
        return c.value ? *c.value : NotAValue();
    }
    return ResolveValue(op, OperandName(op));
}

asmClassObj* asmInterpreter::OperandObject(asmOperand& op) {
    switch (op.kind) {
    case OPK_INDIRECT_NAME:
    case OPK_INDIRECT_REG:
    case OPK_INDIRECT_LOCAL:
    case OPK_NAME:
        return OperandVar(op);
    case OPK_LOCAL:
        return &LocalCell(op.ivalue);
    case OPK_REG:
        return &registers[op.ivalue];
    default:
        return nullptr;
    }
}

asmVar* asmInterpreter::OperandValueOrNull(asmOperand& op) {
    switch (op.kind) {
    case OPK_INDIRECT_NAME:
    case OPK_INDIRECT_REG:
    case OPK_INDIRECT_LOCAL:
    case OPK_NAME:
        return &OperandValue(op);
    case OPK_LOCAL:
        return &LocalCell(op.ivalue);
    case OPK_REG:
        return &registers[op.ivalue];
    default:
        return nullptr;
    }
}

asmVar& asmInterpreter::ValueOf(asmOperand& op) {
    if (op.kind == OPK_REG) return registers[op.ivalue];
    if (op.kind == OPK_LOCAL) return LocalCell(op.ivalue);
    return OperandValue(op);
}

int asmInterpreter::OperandInt(asmOperand& op) {
    switch (op.kind) {
    case OPK_INT:
        return op.ivalue;
    case OPK_NAME:
        return OperandValue(op).GetInt();
    case OPK_LOCAL:
        return LocalCell(op.ivalue).GetInt();
    case OPK_REG:
        return registers[op.ivalue].GetInt();
    default:
        FatalExit("\nwrong argument to instruction: not int\n", 1);
    }
}

void asmInterpreter::LoadCell(asmVarReg& cell, asmOperand& op) {
    switch (op.kind) {
    case OPK_INT:
        cell.AssignInt(op.ivalue);
        return;
    case OPK_REAL:
        cell.AssignReal(op.rvalue);
        return;
    case OPK_STRING:
        cell.AssignString(op.text);
        return;
    case OPK_LOCAL:
        cell.SetAs(LocalCell(op.ivalue));
        return;
    case OPK_REG:
        cell.SetAs(registers[op.ivalue]);
        return;
    default:
        cell.SetAs(OperandValue(op));
        return;
    }
}

void asmInterpreter::AssignFrom(asmVar& value, asmOperand& op) {
    switch (op.kind) {
    case OPK_INT:
        value.SetInt(op.ivalue);
        return;
    case OPK_REAL:
        value.SetReal(op.rvalue);
        return;
    case OPK_STRING:
        value.SetString(op.text);
        return;
    case OPK_LOCAL:
        value.Set(LocalCell(op.ivalue));
        return;
    case OPK_REG:
        value.Set(registers[op.ivalue]);
        return;
    default:
        value.Set(OperandValue(op));
        return;
    }
}

void asmInterpreter::CompareWith(asmVar& value, asmOperand& op) {
    switch (op.kind) {
    case OPK_INT:
        flag = value.Cmp(static_cast<int>(op.ivalue));
        return;
    case OPK_REAL:
        flag = value.Cmp(op.rvalue);
        return;
    case OPK_STRING:
        flag = value.Cmp(op.text.c_str());
        return;
    case OPK_LOCAL:
        flag = value.Cmp(LocalCell(op.ivalue));
        return;
    case OPK_REG:
        flag = value.Cmp(registers[op.ivalue]);
        return;
    default:
        flag = value.Cmp(OperandValue(op));
        return;
    }
}

// ---------------------------------------------------------------- reports

void asmInterpreter::LocationReport(std::string& out) const {
    if (!currentGame) return;
    out += "\ngame : ";
    out += Printable(currentGame->GetName());
    out += "\nclass : ";
    out += Printable(currentObject ? currentObject->GetName() : nullptr);
    out += "\nmethod: ";
    out += Printable(lastCalledName);
    out += " within ";
    out += Printable(runningMethodName);
    out += '\n';
}

void asmInterpreter::Fatal(const char* message) {
    std::string out;
    LocationReport(out);
    out += '\n';
    out += message;
    out += '\n';
    FatalExit(out, 1);
}

void asmInterpreter::Fatal(const char* message, const char* subject) {
    std::string out;
    LocationReport(out);
    out += '\n';
    out += message;
    out += ' ';
    out += Printable(subject);
    out += '\n';
    FatalExit(out, 1);
}

void asmInterpreter::Underflow(const char* tag) {
    std::string out;
    if (currentGame) {
        out += "\ngame : ";
        out += Printable(currentGame->GetName());
        out += "\nclass : ";
        out += Printable(currentObject ? currentObject->GetName() : nullptr);
        out += "\nmethod: ";
        out += Printable(lastCalledName);
    }
    LocationReport(out);
    out += '\n';
    out += tag;
    out += "  : stack pointer < 0\n";
    FatalExit(out, 1);
}

// ---------------------------------------------------------------- arguments

asmVarReg& asmInterpreter::PopArg(int n) {
    if (sp < 0) Underflow("PopArg");
    if (n < 0 || n >= kRegisterCount) Fatal("no such register");
    registers[n].SetAs(stack[sp]);
    --sp;
    return registers[n];
}

asmVarReg* PopArg(asmInterpreter& m, int n) { return &m.PopArg(n); }

int PopArgInt(asmInterpreter& m) {
    if (m.sp < 0) m.Underflow("PopArg");
    return m.StackCell(m.sp--).GetInt();
}

float PopArgReal(asmInterpreter& m) {
    if (m.sp < 0) m.Underflow("PopArg");
    return m.StackCell(m.sp--).GetReal();
}

ddString PopArgString(asmInterpreter& m) {
    if (m.sp < 0) m.Underflow("PopArg");
    return ddString(m.StackCell(m.sp--).GetString());
}

std::string PopText(asmInterpreter& m) {
    ddString s = PopArgString(m);
    return s.c_str() ? s.c_str() : "";
}

void PushInt(asmInterpreter& m, int i) { m.PushCell().AssignInt(i); }
void PushReal(asmInterpreter& m, float r) { m.PushCell().AssignReal(r); }
void PushString(asmInterpreter& m, const char* s) { m.PushCell().AssignString(s); }
void PushVarString(asmInterpreter& m, const ddString& s) { m.PushCell().AssignString(s); }

void PushConcat(asmInterpreter& m, const char* a, const char* b) {
    if (!a) a = "";
    if (!b) b = "";
    asmVarReg& cell = m.PushCell();
    cell.BindString();
    ddString& text = cell.StringPart().Text();
    const char* buf = text.c_str();
    const char* bufEnd = buf ? buf + text.Capacity() : nullptr;
    auto inside = [&](const char* p) { return buf && p >= buf && p < bufEnd; };
    if (inside(b) && !(a == buf)) {
        // b would be overwritten before it is read.
        std::string joined = a;
        joined += b;
        text = joined.c_str();
        return;
    }
    if (a != buf) text = a;
    text.Append(b);
}

asmVarReg* NextStackCell(asmInterpreter& m) { return &m.PushCell(); }

void SetRegInt(asmInterpreter& m, int n, int i) {
    if (n < 0 || n >= kRegisterCount) m.Fatal("no such register");
    m.Register(n).AssignInt(i);
}

void SetRegReal(asmInterpreter& m, int n, float r) {
    if (n < 0 || n >= kRegisterCount) m.Fatal("no such register");
    m.Register(n).AssignReal(r);
}
