// libFuzzer target for the table formats ("load", "loadscript", "loadbeh"):
// any file reads in every format, a behaviour syntax error ends like the
// engine's script error, and a table the engine writes ("save",
// "savescript") reads back with the same rows and cells.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "script/table_class.h"

namespace {

// The last empty row at the end is not kept: its line end is taken for
// the file's own, which hand-made tables end with too.
void ExpectSameRows(TableRows a, TableRows b, const char* what) {
    for (TableRows* rows : {&a, &b})
        while (!rows->empty() && rows->back().empty()) rows->pop_back();
    if (a != b) FuzzFailure(what);
}

// Loads in each format; a behaviour syntax error ends the load as in the
// engine (a script error).
void LoadAll(asmClassDB& table, const char* path) {
    for (int mode : {asmClassDB::MODE_BEHAVIOUR, asmClassDB::MODE_SCRIPT, asmClassDB::MODE_HEADER}) {
        try {
            table.Load(path, mode);
        } catch (const FuzzFatal&) {
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzGuard guard;
    WriteInputFile("input.db", {reinterpret_cast<const char*>(data), size});
    asmClassDB table(nullptr, "t");
    LoadAll(table, "input.db");  // ends with the header format's rows

    // "save" then "load": the same rows, the same separator.
    const TableRows rows = table.ToRows();
    {
        table.Save("saved.db", asmClassDB::MODE_HEADER);
        asmClassDB back(nullptr, "b");
        back.SetSeparator(table.GetSeparator() == 'x' ? 'y' : 'x');
        back.Load("saved.db", asmClassDB::MODE_HEADER);
        ExpectSameRows(rows, back.ToRows(), "a table written by save reads back with other rows");
        if (back.GetSeparator() != table.GetSeparator())
            FuzzFailure("a table written by save reads back with another separator");
    }

    // "savescript" then "loadscript", from rows the blank format can hold
    // (those it read itself).
    table.Load("input.db", asmClassDB::MODE_SCRIPT);
    // An empty row (read from a line of a CR) is written as an empty line,
    // which the format skips: such rows are not compared.
    TableRows words = table.ToRows();
    {
        table.Save("saved.txt", asmClassDB::MODE_SCRIPT);
        asmClassDB back(nullptr, "b");
        back.Load("saved.txt", asmClassDB::MODE_SCRIPT);
        std::erase_if(words, [](const TableRow& row) { return row.empty(); });
        ExpectSameRows(words, back.ToRows(), "a table written by savescript reads back with other rows");
    }
    return 0;
}
