#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "common/run_process.h"
#include "foundation/file_io.h"
#include "foundation/value_files.h"

namespace {
std::string Slurp(const std::string& path) {
    std::string s;
    return ReadWholeFile(path.c_str(), s) ? s : "<missing>";
}
}  // namespace

TEST(ValueFiles, MissingFilesGetTheirDefaultWritten) {
    TempFolder dir;
    int i = 0;
    LoadIntFile(i, (dir / "i").c_str(), 7);
    EXPECT_EQ(i, 7);
    EXPECT_EQ(Slurp(dir / "i"), "7");
    i = 0;
    LoadIntFile(i, (dir / "i").c_str(), 99);  // now found
    EXPECT_EQ(i, 7);

    float f = 0;
    LoadFloatFile(f, (dir / "f").c_str(), 1.5f);
    EXPECT_EQ(f, 1.5f);
    EXPECT_EQ(Slurp(dir / "f"), "1.500000");

    ddString t;
    LoadTextFile(t, (dir / "t").c_str(), "hello there");
    EXPECT_STREQ(t.c_str(), "hello there");
    EXPECT_EQ(Slurp(dir / "t"), "hello there");
    SaveTextFile("line one\nline two\n", (dir / "t").c_str());
    LoadTextFile(t, (dir / "t").c_str(), "other");
    EXPECT_STREQ(t.c_str(), "line one\nline two\n");
    SaveTextFile("made\r\non windows\r\nlone\rcr", (dir / "t").c_str());
    LoadTextFile(t, (dir / "t").c_str(), "other");
    EXPECT_STREQ(t.c_str(), "made\non windows\nlone\rcr");
}

TEST(ValueFiles, ReadsWithoutDefault) {
    TempFolder dir;
    int i = 5;
    float f = 5;
    ReadIntFile(i, (dir / "none").c_str());
    ReadFloatFile(f, (dir / "none").c_str());
    EXPECT_EQ(i, 0);
    EXPECT_EQ(f, 0.0f);
    EXPECT_EQ(Slurp(dir / "none"), "<missing>");

    dir.Write("n", "  -12\r\n");
    ReadIntFile(i, (dir / "n").c_str());
    EXPECT_EQ(i, -12);
    dir.Write("big", "99999999999999");
    ReadIntFile(i, (dir / "big").c_str());
    EXPECT_EQ(i, INT_MAX);
    dir.Write("x", "2.25");
    ReadFloatFile(f, (dir / "x").c_str());
    EXPECT_EQ(f, 2.25f);

    // A file that holds no number: plain reads give 0, loads the default,
    // and the file stays as it was.
    dir.Write("junk", "abc");
    ReadIntFile(i, (dir / "junk").c_str());
    EXPECT_EQ(i, 0);
    LoadIntFile(i, (dir / "junk").c_str(), 4);
    EXPECT_EQ(i, 4);
    EXPECT_EQ(Slurp(dir / "junk"), "abc");
}

TEST(ValueFiles, RaiseIntFileKeepsTheLargest) {
    TempFolder dir;
    const std::string p = dir / "best";
    RaiseIntFile(-3, p.c_str());  // missing: stored as 0, -3 is not above it
    EXPECT_EQ(Slurp(p), "0");
    RaiseIntFile(10, p.c_str());
    EXPECT_EQ(Slurp(p), "10");
    RaiseIntFile(4, p.c_str());
    EXPECT_EQ(Slurp(p), "10");
    RaiseIntFile(11, p.c_str());
    EXPECT_EQ(Slurp(p), "11");
}

TEST(FileIo, WholeFileHelpers) {
    TempFolder dir;
    const std::string p = dir / "data";
    const char bytes[] = {'a', '\0', 'b', '\n'};
    EXPECT_FALSE(FileExists(p.c_str()));
    EXPECT_TRUE(WriteFile(p.c_str(), bytes, sizeof bytes));
    EXPECT_TRUE(FileExists(p.c_str()));

    long len = -1;
    char* buf = ReadWholeFile(p.c_str(), len);
    ASSERT_NE(buf, nullptr);
    EXPECT_EQ(len, 4);
    EXPECT_EQ(buf[2], 'b');
    EXPECT_EQ(buf[4], '\0');
    delete[] buf;

    char* held = new char[3]{'o', 'l', 'd'};
    EXPECT_EQ(LoadFileBuffer(held, p.c_str()), 4);
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(held[0], 'a');
    EXPECT_EQ(LoadFileBuffer(held, (dir / "missing").c_str()), 0);
    EXPECT_EQ(held, nullptr);

    EXPECT_EQ(ReadWholeFile((dir / "missing").c_str(), len), nullptr);
    EXPECT_EQ(len, 0);

    FILE* f = std::fopen(p.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(FileSize(f), 4);
    std::fclose(f);

    EXPECT_FALSE(WriteFile((dir / "no/dir/file").c_str(), bytes, 1));
}
