// The "db" script class: the table operations, its method table and
// dispatcher, and its loading and saving through the table file formats.
#include "script/table_class.h"

#include <sys/stat.h>

#include <cstdio>
#include <iterator>
#include <string>
#include <utility>

#include "foundation/fatal.h"
#include "foundation/file_io.h"
#include "script/arg_ops.h"
#include "script/interpreter.h"
#include "script/method_table.h"
#include "script/vector_class.h"

namespace {

[[noreturn]] void FailedToOpen(const char* path) {
    std::string out = "failed to open ";
    out += path;
    out += '\n';
    FatalExit(out, 1);
}

// Reads the whole file; a folder or an unreadable path is a file that does
// not open.
bool ReadTableFile(const char* path, std::string& text) {
    struct stat st {};
    if (stat(path, &st) == 0 && S_ISDIR(st.st_mode)) return false;
    return ReadWholeFile(path, text);
}

}  // namespace

asmClassDB::asmClassDB(asmClass* cls, const char* name) : asmScriptClass(cls) {
    SetName(name);
    Init();
}

asmClassDB::~asmClassDB() { Free(); }

void asmClassDB::Init() {
    rows.clear();
    separator = ' ';
}

void asmClassDB::Free() { rows.clear(); }

int asmClassDB::GetColsNo(int row) const {
    if (RowOutOfRange(row))
        FatalExit("asmClassDB::GetColsNo: row behind range " + std::to_string(row) + "\n", 1);
    return Row(row).Size();
}

void asmClassDB::AddRow() { rows.push_back(std::make_unique<ddVector<ddString>>()); }

void asmClassDB::AddRowBegin() { rows.insert(rows.begin(), std::make_unique<ddVector<ddString>>()); }

void asmClassDB::AddOutOfRange(const char* which, int row) const {
    std::string out = "asmClassDB::";
    out += GetName() ? GetName() : "";
    out += "->";
    out += which;
    out += ": row behind range ";
    out += std::to_string(row);
    out += '\n';
    FatalExit(out, 1);
}

void asmClassDB::AddCell(int row, const char* text) {
    if (row < 0) {
        AddRow();
        row = GetRowsNo() - 1;
    }
    if (row >= GetRowsNo()) AddOutOfRange("Add", row);
    Row(row).Add(ddString(text ? text : ""));
}

void asmClassDB::AddCellBegin(int row, const char* text) {
    if (row < 0) {
        AddRow();
        row = GetRowsNo() - 1;
    }
    if (row >= GetRowsNo()) AddOutOfRange("AddBegin", row);
    Row(row).AddBegin(ddString(text ? text : ""));
}

void asmClassDB::GetCellFailure(const std::string& message) const {
    std::fwrite(message.data(), 1, message.size(), stdout);
    Print();
    FatalExit("\n", 1);
}

const ddString& asmClassDB::GetCell(int row, int col) const {
    const std::string name = GetName() ? GetName() : "";
    if (RowOutOfRange(row)) {
        GetCellFailure("\ndb " + name + " error: wrong row: " + std::to_string(row) +
                       " rowsno: " + std::to_string(GetRowsNo()) + "\n");
    }
    if (ColOutOfRange(row, col)) {
        GetCellFailure("\ndb " + name + " error: wrong col: " + std::to_string(col) +
                       " row: " + std::to_string(row) + " colsno: " + std::to_string(Row(row).Size()) + "\n");
    }
    return Row(row).Get(col);
}

void asmClassDB::SetCell(int row, int col, const char* text) {
    if (RowOutOfRange(row)) return;
    Row(row).SetAt(col, ddString(text ? text : ""));
}

void asmClassDB::RemoveCell(int row, int col) {
    if (RowOutOfRange(row) || ColOutOfRange(row, col)) return;
    Row(row).RemoveAt(col);
}

void asmClassDB::RemoveCells(int row, int col, int n) {
    if (n < 1 || col < 0 || RowOutOfRange(row)) return;
    // Stops at the end of the row: further removals would find nothing.
    for (int k = 0; k < n && col < Row(row).Size(); ++k) RemoveCell(row, col);
}

void asmClassDB::RemoveRow(int row) {
    if (RowOutOfRange(row)) return;
    rows.erase(rows.begin() + row);
}

void asmClassDB::SwapRows(int i, int j) {
    if (RowOutOfRange(i) || RowOutOfRange(j) || i == j) return;
    std::swap(rows[static_cast<size_t>(i)], rows[static_cast<size_t>(j)]);
}

void asmClassDB::SetSize(int rowCount, int colCount) {
    Free();
    Init();
    const ddString zero("0");
    for (int r = 0; r < rowCount; ++r) {
        AddRow();
        for (int c = 0; c < colCount; ++c) rows.back()->Add(zero);
    }
}

int asmClassDB::FindByRow(const char* text) const {
    const char* wanted = text ? text : "";
    for (int r = 0; r < GetRowsNo(); ++r)
        if (Row(r).Size() > 0 && Row(r).Get(0) == wanted) return r;
    return -1;
}

void asmClassDB::Compact() {
    for (auto& row : rows)
        for (int c = 0; c < row->Size(); ++c) row->Get(c).Compact();
}

void asmClassDB::Print() const {
    std::string out = "data base ";
    out += GetName() ? GetName() : "";
    out += ":\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    for (int r = 0; r < GetRowsNo(); ++r) {
        std::string head = "row: " + std::to_string(r) + " ";
        std::fwrite(head.data(), 1, head.size(), stdout);
        Row(r).Print();
    }
    std::fputc('\n', stdout);
}

TableRows asmClassDB::ToRows() const {
    TableRows out(rows.size());
    for (size_t r = 0; r < rows.size(); ++r) {
        const ddVector<ddString>& row = *rows[r];
        out[r].reserve(static_cast<size_t>(row.Size()));
        for (int c = 0; c < row.Size(); ++c) {
            const char* s = row.Get(c).c_str();
            out[r].emplace_back(s ? s : "");
        }
    }
    return out;
}

void asmClassDB::FromRows(TableRows&& source) {
    Free();
    rows.reserve(source.size());
    for (TableRow& cells : source) {
        AddRow();
        for (const std::string& cell : cells) rows.back()->Add(ddString(cell.c_str()));
    }
}

void asmClassDB::Save(const char* path, int mode) const {
    const std::string text =
        mode == MODE_HEADER ? FormatHeaderTable(ToRows(), separator) : FormatBlankTable(ToRows());
    AtomicFileWriter out(path);
    if (!out.Open()) FailedToOpen(path);
    const bool written =
        text.empty() || std::fwrite(text.data(), 1, text.size(), out.Stream()) == text.size();
    // A save that cannot be completed leaves the old file in place and is
    // reported like one that cannot be opened.
    if (!written || !out.Commit()) FailedToOpen(path);
}

void asmClassDB::Load(const char* path, int mode) {
    Free();
    std::string text;
    if (!ReadTableFile(path, text)) FailedToOpen(path);
    TableRows loaded;
    switch (mode) {
    case MODE_HEADER:
        ParseHeaderTable(text, separator, loaded);
        break;
    case MODE_SCRIPT:
        separator = ' ';
        ParseBlankTable(text, loaded);
        break;
    default: {
        separator = ' ';
        BehaviourError error;
        if (!ParseBehaviourTable(text, loaded, error)) {
            std::string out = GetName() ? GetName() : "";
            out += ": db.loadbeh error: ";
            out += error.message;
            out += " state: ";
            out += std::to_string(error.state);
            out += " \n";
            FatalExit(out, 1);
        }
        break;
    }
    }
    FromRows(std::move(loaded));
}

// The script methods: each name with its built-in index and handler.
struct asmClassDB::ScriptMethods {
    static void Add(asmClassDB& self, asmInterpreter& m, int) {
        ddString text = PopArgString(m);
        int row = PopArgInt(m);
        self.AddCell(row, text.c_str());
    }
    static void Get(asmClassDB& self, asmInterpreter& m, int) {
        int col = PopArgInt(m);
        int row = PopArgInt(m);
        const char* s = self.GetCell(row, col).c_str();
        PushString(m, s ? s : "");
    }
    static void Set(asmClassDB& self, asmInterpreter& m, int) {
        ddString text = PopArgString(m);
        int col = PopArgInt(m);
        int row = PopArgInt(m);
        self.SetCell(row, col, text.c_str());
    }
    static void SetSeparator(asmClassDB& self, asmInterpreter& m, int) {
        // An empty text would make the NUL the separator, which no loaded
        // line can hold: the separator is kept instead.
        std::string s = PopText(m);
        if (!s.empty()) self.SetSeparator(s[0]);
    }
    static void SetSize(asmClassDB& self, asmInterpreter& m, int) {
        int cols = PopArgInt(m);
        int rowCount = PopArgInt(m);
        self.SetSize(rowCount, cols);
    }
    static void FindByRow(asmClassDB& self, asmInterpreter& m, int) {
        ddString text = PopArgString(m);
        PushInt(m, self.FindByRow(text.c_str()));
    }
    static void CopyToVector(asmClassDB& self, asmInterpreter& m, int) {
        int row = PopArgInt(m);
        std::string name = PopText(m);
        asmClassVector* vector = FindVectorNamed(m, "db copyvec", name.c_str());
        if (self.RowOutOfRange(row)) {
            FatalExit("db copy vec index out of range " + std::to_string(row) + " " +
                          std::to_string(self.GetRowsNo()) + "\n",
                      1);
        }
        vector->Strings() = self.Row(row);
    }
    static void SwapRows(asmClassDB& self, asmInterpreter& m, int) {
        int i = PopArgInt(m);
        int j = PopArgInt(m);
        self.SwapRows(i, j);
    }
    static void RemoveAt(asmClassDB& self, asmInterpreter& m, int) {
        int col = PopArgInt(m);
        int row = PopArgInt(m);
        self.RemoveCell(row, col);
    }
    static void RemoveCells(asmClassDB& self, asmInterpreter& m, int) {
        int n = PopArgInt(m);
        int col = PopArgInt(m);
        int row = PopArgInt(m);
        self.RemoveCells(row, col, n);
    }
    static void RowInRange(asmClassDB& self, asmInterpreter& m, int) {
        int row = PopArgInt(m);
        PushInt(m, self.RowOutOfRange(row) ? 0 : 1);
    }
    static void AddInFront(asmClassDB& self, asmInterpreter& m, int) {
        ddString text = PopArgString(m);
        int row = PopArgInt(m);
        self.AddCellBegin(row, text.c_str());
    }
    static void CopyFromVector(asmClassDB& self, asmInterpreter& m, int) {
        int row = PopArgInt(m);
        std::string name = PopText(m);
        asmClassVector* vector = FindVectorNamed(m, "db getvec", name.c_str());
        if (self.RowOutOfRange(row)) {
            FatalExit("db get vec index out of range " + std::to_string(row) + " " +
                          std::to_string(self.GetRowsNo()) + "\n",
                      1);
        }
        self.Row(row) = vector->Strings();
    }
    static constexpr MethodRow<asmClassDB> kRows[] = {
        {"add", 0, Add},
        {"get", 1, Get},
        {"set", 2, Set},
        {"getrowsno", 3, [](asmClassDB& self, asmInterpreter& m, int) { PushInt(m, self.GetRowsNo()); }},
        {"getcolsno", 4,
         [](asmClassDB& self, asmInterpreter& m, int) { PushInt(m, self.GetColsNo(PopArgInt(m))); }},
        {"free", 5, [](asmClassDB& self, asmInterpreter&, int) { self.Free(); }},
        {"load", 6,
         [](asmClassDB& self, asmInterpreter& m, int) { self.Load(PopText(m).c_str(), MODE_HEADER); }},
        {"save", 7,
         [](asmClassDB& self, asmInterpreter& m, int) { self.Save(PopText(m).c_str(), MODE_HEADER); }},
        {"print", 8, [](asmClassDB& self, asmInterpreter&, int) { self.Print(); }},
        {"setseparator", 9, SetSeparator},
        {"setsize", 10, SetSize},
        {"addrow", 11,
         [](asmClassDB& self, asmInterpreter& m, int) {
             self.AddRow();
             PushInt(m, self.GetRowsNo());
         }},
        {"findbyrow", 12, FindByRow},
        {"copyvec", 13, CopyToVector},
        {"loadscript", 14,
         [](asmClassDB& self, asmInterpreter& m, int) { self.Load(PopText(m).c_str(), MODE_SCRIPT); }},
        {"swap", 15, SwapRows},
        {"removeat", 16, RemoveAt},
        {"removen", 17, RemoveCells},
        {"rowinrange", 18, RowInRange},
        {"loadbeh", 19,
         [](asmClassDB& self, asmInterpreter& m, int) { self.Load(PopText(m).c_str(), MODE_BEHAVIOUR); }},
        {"readonly", 20, [](asmClassDB& self, asmInterpreter&, int) { self.Compact(); }},
        {"addbegin", 21, AddInFront},
        {"addbeginrow", 22,
         [](asmClassDB& self, asmInterpreter& m, int) {
             self.AddRowBegin();
             PushInt(m, self.GetRowsNo());
         }},
        {"savescript", 23,
         [](asmClassDB& self, asmInterpreter& m, int) { self.Save(PopText(m).c_str(), MODE_SCRIPT); }},
        {"removerow", 24, [](asmClassDB& self, asmInterpreter& m, int) { self.RemoveRow(PopArgInt(m)); }},
        {"getvec", 25, CopyFromVector},
    };
    static_assert(std::size(kRows) == 26);
    static constexpr UnknownMethod kUnknown{"db unknown built in method %d\n", OnUnknown::End};
    static constexpr MethodTable<asmClassDB> kTable{kRows, kUnknown};
};

template class asmScriptClass<asmClassDB, asmClassObj>;
