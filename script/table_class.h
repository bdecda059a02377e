// The script class "db" (type code 12): a table of text cells in rows of
// any length, saved and loaded in the formats of script/table_files.h, and
// exchanging rows with the string list of a "vector".
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/asm_class_obj.h"
#include "foundation/dd_string.h"
#include "foundation/dd_vector.h"
#include "script/script_class.h"
#include "script/table_files.h"

class asmClassDB : public asmScriptClass<asmClassDB, asmClassObj> {
public:
    static constexpr int32_t kTypeCode = 12;
    // Which file format Save and Load use.
    enum Mode : int32_t { MODE_HEADER = 0, MODE_SCRIPT = 1, MODE_BEHAVIOUR = 2 };

    asmClassDB(asmClass* cls, const char* name);
    ~asmClassDB() override;

    // The script methods' table, in the .cpp (read by asmScriptClass).
    struct ScriptMethods;

    // Table operations.
    void Init();
    void Free();
    int GetRowsNo() const { return static_cast<int>(rows.size()); }
    char GetSeparator() const { return separator; }
    void SetSeparator(char c) { separator = c; }
    int GetColsNo(int row) const;
    bool RowOutOfRange(int row) const { return row < 0 || row >= GetRowsNo(); }
    bool ColOutOfRange(int row, int col) const { return col < 0 || col >= Row(row).Size(); }
    void AddRow();
    void AddRowBegin();
    void AddCell(int row, const char* text);
    void AddCellBegin(int row, const char* text);
    const ddString& GetCell(int row, int col) const;
    void SetCell(int row, int col, const char* text);
    void RemoveCell(int row, int col);
    void RemoveCells(int row, int col, int n);
    void RemoveRow(int row);
    void SwapRows(int i, int j);
    void SetSize(int rowCount, int colCount);
    int FindByRow(const char* text) const;
    void Compact();
    void Print() const;
    void Save(const char* path, int mode) const;
    void Load(const char* path, int mode);

    ddVector<ddString>& Row(int row) const { return *rows[static_cast<size_t>(row)]; }

    // The table as plain rows, and replaced by plain rows.
    TableRows ToRows() const;
    void FromRows(TableRows&& source);

private:
    [[noreturn]] void AddOutOfRange(const char* which, int row) const;
    [[noreturn]] void GetCellFailure(const std::string& message) const;

    char separator = ' ';
    std::vector<std::unique_ptr<ddVector<ddString>>> rows;
};

extern template class asmScriptClass<asmClassDB, asmClassObj>;
