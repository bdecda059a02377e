// The table and vector classes where a script cannot reach them: the
// dispatchers' unknown indexes, saves that must not leave debris, and
// loads of paths that are not files.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "script/child_process.h"
#include "script/table_class.h"
#include "script/vector_class.h"

namespace fs = std::filesystem;

namespace {

struct TempDir {
    TempDir() {
        char tmpl[] = "/tmp/table_class_XXXXXX";
        path = mkdtemp(tmpl);
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    fs::path path;
};

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

TEST(TableClass, UnknownBuiltInIndexesAreFatal) {
    ChildOutcome r = RunInChild([] {
        asmClassDB t(nullptr, "t");
        t.CallBuiltIn(nullptr, 26);
    });
    EXPECT_TRUE(r.exited);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "db unknown built in method 26\n");

    r = RunInChild([] {
        asmClassVector v(nullptr, "v");
        v.CallBuiltIn(nullptr, -3);
    });
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "\nvector unknown built in method -3");
}

TEST(TableClass, SaveReplacesTheFileAndLeavesNothingElse) {
    TempDir dir;
    const fs::path file = dir.path / "t.db";
    { std::ofstream(file) << "old contents"; }
    asmClassDB t(nullptr, "t");
    t.SetSeparator(';');
    t.AddCell(-1, "a");
    t.AddCell(0, "b");
    t.AddCell(-1, "c");
    t.Save(file.c_str(), asmClassDB::MODE_HEADER);
    EXPECT_EQ(Slurp(file), "';'\na;b;\nc;");
    t.Save(file.c_str(), asmClassDB::MODE_SCRIPT);
    EXPECT_EQ(Slurp(file), "a b \nc ");
    EXPECT_EQ(t.GetSeparator(), ';');
    int entries = 0;
    for (const auto& e : fs::directory_iterator(dir.path)) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 1);

    asmClassDB u(nullptr, "u");
    u.Load(file.c_str(), asmClassDB::MODE_SCRIPT);
    EXPECT_EQ(u.ToRows(), (TableRows{{"a", "b"}, {"c"}}));
}

// Lines are read whole: a cell of any length comes back as it was saved,
// in both formats the table writes.
TEST(TableClass, LongCellsLoadBackAsSaved) {
    TempDir dir;
    const fs::path file = dir.path / "long.db";
    const std::string longCell(8192, 'x');
    asmClassDB t(nullptr, "t");
    t.SetSeparator(';');
    t.AddCell(-1, longCell.c_str());
    t.AddCell(0, "b");
    t.AddCell(-1, (longCell + longCell).c_str());
    const TableRows saved = t.ToRows();
    for (int mode : {asmClassDB::MODE_HEADER, asmClassDB::MODE_SCRIPT}) {
        t.Save(file.c_str(), mode);
        asmClassDB back(nullptr, "back");
        back.Load(file.c_str(), mode);
        EXPECT_EQ(back.ToRows(), saved) << "mode " << mode;
    }
}

TEST(TableClass, AFailedSaveKeepsWhatWasThere) {
    TempDir dir;
    // The target is a folder holding a file: the rename cannot replace it.
    const fs::path target = dir.path / "busy";
    fs::create_directories(target / "inside");
    ChildOutcome r = RunInChild([&] {
        asmClassDB t(nullptr, "t");
        t.AddCell(-1, "a");
        t.Save(target.c_str(), asmClassDB::MODE_HEADER);
    });
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "failed to open " + target.string() + "\n");
    EXPECT_TRUE(fs::is_directory(target / "inside"));
    int entries = 0;
    for (const auto& e : fs::directory_iterator(dir.path)) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST(TableClass, LoadingAFolderIsAFileThatDoesNotOpen) {
    TempDir dir;
    ChildOutcome r = RunInChild([&] {
        asmClassDB t(nullptr, "t");
        t.Load(dir.path.c_str(), asmClassDB::MODE_BEHAVIOUR);
    });
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "failed to open " + dir.path.string() + "\n");
}

TEST(TableClass, RowOperationsIgnoreWhatIsNotThere) {
    asmClassDB t(nullptr, "t");
    t.SetSize(2, 2);
    t.SwapRows(0, 5);
    t.SwapRows(-1, 0);
    t.RemoveRow(2);
    t.RemoveCells(0, 1, 100);
    t.RemoveCells(1, -1, 1);
    t.RemoveCells(1, 0, 0);
    t.SetCell(9, 0, "x");
    EXPECT_EQ(t.ToRows(), (TableRows{{"0"}, {"0", "0"}}));
    t.AddRowBegin();
    t.AddCellBegin(0, "b");
    t.AddCellBegin(0, "a");
    EXPECT_EQ(t.FindByRow("a"), 0);
    EXPECT_EQ(t.FindByRow("0"), 1);
    t.Compact();
    EXPECT_EQ(t.ToRows(), (TableRows{{"a", "b"}, {"0"}, {"0", "0"}}));
}
