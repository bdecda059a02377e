#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/text_util.h"

TEST(TextUtil, WordsAndNumbers) {
    EXPECT_EQ(SkipBlanks(" \t\nx", 0), 3);
    EXPECT_EQ(SkipBlanks("ab", 2), 2);
    EXPECT_EQ(SkipBlanks("  \xFF  ", 0), 2);  // stops at 0xFF
    EXPECT_EQ(SkipBlanks(" \r x", 0), 1);     // CR is not blank

    std::string w;
    const char* text = "alpha  beta";
    int next = ReadWord(text, w);
    EXPECT_EQ(w, "alpha");
    EXPECT_EQ(next, 7);
    next += ReadWord(text + next, w);
    EXPECT_EQ(w, "beta");
    EXPECT_EQ(next, 11);
    std::string longWord(4000, 'k');
    ddString dw;
    EXPECT_EQ(ReadWord(longWord.c_str(), dw), 4000);
    EXPECT_EQ(dw.Length(), 4000);

    int n = 99;
    EXPECT_EQ(ReadInt("-42  rest", n), 5);
    EXPECT_EQ(n, -42);
    EXPECT_EQ(ReadInt("x1", n), 0);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(ReadInt("7-3 ", n), 4);  // the run, converted like atoi
    EXPECT_EQ(n, 7);
    ReadInt("123456789012345", n);
    EXPECT_EQ(n, INT_MAX);
    EXPECT_EQ(TextToInt("-99999999999"), INT_MIN);
    EXPECT_EQ(TextToInt("  12abc"), 12);
}

TEST(TextUtil, WholeWordsAndLeadingNumbers) {
    using Words = std::vector<std::string>;
    EXPECT_EQ(SplitWords(" a\tbb\r\n c\vd\fe "), (Words{"a", "bb", "c", "d", "e"}));
    EXPECT_EQ(SplitWords(" \t\r\n"), Words{});
    EXPECT_EQ(SplitWords(nullptr), Words{});

    int v = 7;
    EXPECT_TRUE(ParseWholeInt("-12", v));
    EXPECT_EQ(v, -12);
    EXPECT_TRUE(ParseWholeInt("+2147483647", v));
    EXPECT_EQ(v, INT_MAX);
    v = 7;
    for (const char* bad : {"", "12x", "x12", "-", "2147483648", "-2147483649", "99999999999999999999999"})
        EXPECT_FALSE(ParseWholeInt(bad, v)) << bad;
    EXPECT_EQ(v, 7);  // untouched by a failure

    int four[4] = {9, 9, 9, 9};
    EXPECT_FALSE(ParseWholeInts("1 2 3", 4, four));
    EXPECT_FALSE(ParseWholeInts("1 2 x 4", 4, four));
    EXPECT_EQ(four[0], 9);  // no partial result
    EXPECT_TRUE(ParseWholeInts("1 2\t3 4 extra", 4, four));
    EXPECT_EQ(four[3], 4);
    EXPECT_FALSE(ParseWholeInts(nullptr, 1, four));

    EXPECT_TRUE(ParseLeadingInt(" \n-12abc", v));
    EXPECT_EQ(v, -12);
    EXPECT_TRUE(ParseLeadingInt("99999999999999999999999", v));
    EXPECT_EQ(v, INT_MAX);
    v = 7;
    EXPECT_FALSE(ParseLeadingInt("abc", v));
    EXPECT_FALSE(ParseLeadingInt(nullptr, v));
    EXPECT_EQ(v, 7);

    EXPECT_TRUE(EndsWith("room.zel", "zel"));
    EXPECT_TRUE(EndsWith("db", "db"));
    EXPECT_FALSE(EndsWith("el", "zel"));
    EXPECT_FALSE(EndsWith(nullptr, "zel"));
    EXPECT_FALSE(EndsWith("zel", nullptr));
}

TEST(TextUtil, FindingText) {
    EXPECT_EQ(FindText("hello world", "world", 0), 6);
    EXPECT_EQ(FindText("hello world", "o", 5), 7);
    EXPECT_EQ(FindText("hello", "zz", 0), 5);  // the end, not -1
    EXPECT_EQ(FindText("ab\xFF" "cd", "cd", 0), 2);  // 0xFF ends the text
    EXPECT_EQ(FindText(nullptr, "a", 0), -1);
    EXPECT_EQ(FindText("a", nullptr, 0), -1);
    EXPECT_EQ(FindText("a", "a", -1), -1);
    EXPECT_EQ(FindText("abc", "c", 50), 3);  // past the end: never reads beyond it
    EXPECT_EQ(FindAndSkip("key =  value", "=", 0), 7);
    EXPECT_EQ(FindAndSkip("key value", "=", 0), 9);
}

TEST(TextUtil, CommentBlocks) {
    auto strip = [](const std::string& in) {
        long len = static_cast<long>(in.size());
        char* buf = new char[in.size() + 1];
        std::memcpy(buf, in.c_str(), in.size() + 1);
        StripComments(buf, len);
        std::string out(buf, static_cast<size_t>(len));
        EXPECT_EQ(std::strlen(buf), static_cast<size_t>(len));
        delete[] buf;
        return out;
    };
    EXPECT_EQ(strip("a<<note\nmore>>b<<x>>c"), "abc");
    EXPECT_EQ(strip("keep<<never closed"), "keep");
    EXPECT_EQ(strip("x\xFFyz"), "xz");  // 0xFF goes with the byte after it
    EXPECT_EQ(strip("no comments"), "no comments");
    SetCommentMarkers("/*", "*/");
    EXPECT_EQ(strip("a/*b*/c<<d>>"), "ac<<d>>");
    SetCommentMarkers("<<", ">>");
    EXPECT_EQ(strip("a/*b*/c<<d>>"), "a/*b*/c");
}

TEST(TextUtil, MeasuresAndPaths) {
    EXPECT_EQ(WidestLine("ab\nabcd\nx", '\n'), 4);
    EXPECT_EQ(WidestLine("\tA|bcd", '|'), 4);
    EXPECT_EQ(WidestLine(nullptr, '\n'), 0);
    EXPECT_EQ(CountParts("a,b,,c", ','), 4);
    EXPECT_EQ(CountParts("", ','), 1);
    EXPECT_EQ(CountParts(nullptr, ','), 0);

    ddString dir, name;
    SplitPath(dir, name, "games/room/hall.lum");
    EXPECT_STREQ(dir.c_str(), "games/room/");
    EXPECT_STREQ(name.c_str(), "hall.lum");
    SplitPath(dir, name, "plain.txt");
    EXPECT_EQ(dir.c_str(), nullptr);
    EXPECT_STREQ(name.c_str(), "plain.txt");
}

TEST(TextUtil, TablesAndNumbers) {
    EXPECT_EQ(AllocTable(0, 3), nullptr);
    EXPECT_EQ(AllocTable(2, 0), nullptr);
    int** t = AllocTable(2, 3);
    ASSERT_NE(t, nullptr);
    t[1][2] = 9;
    EXPECT_EQ(GetTableCell(t, 1, 2, 2, 3), 9);
    EXPECT_EQ(GetTableCell(t, 2, 0, 2, 3), 0);
    EXPECT_EQ(GetTableCell(t, 0, -1, 2, 3), 0);
    EXPECT_EQ(GetTableCell(nullptr, 0, 0, 2, 3), 0);
    FreeTable(t, 2);
    EXPECT_EQ(t, nullptr);

    std::vector<int> v{1, 2, 3, 4, 5, 6};
    ShuffleInts(v.data(), 6);
    std::vector<int> sorted = v;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<int>{1, 2, 3, 4, 5, 6}));

    EXPECT_EQ(Clamp(10, 5, 1), 10);
    EXPECT_EQ(Clamp(0, 1, 5), 1);
    EXPECT_EQ(Clamp(9, 1, 5), 5);
    EXPECT_EQ(ClampToRange(0.5, 1.0, 2.0), 1.0);
    EXPECT_EQ(ClampToRange(7.0, 3.0, 2.0), 7.0);

    char buf[12];
    EXPECT_EQ(IntToText(buf, sizeof buf, -305), 3);
    EXPECT_STREQ(buf, "305");
    EXPECT_EQ(IntToText(buf, sizeof buf, INT_MIN), 10);
    EXPECT_STREQ(buf, "2147483648");
    char small[3] = {'x', 'x', 'x'};
    EXPECT_EQ(IntToText(small, sizeof small, 1234), 4);  // does not fit
    EXPECT_STREQ(small, "");
    for (int n : {0, 7, INT_MAX, INT_MIN, -1000000000}) {
        char* s = IntToNewString(n);
        std::string expect = std::to_string(n);
        if (expect[0] == '-') expect.erase(0, 1);
        EXPECT_EQ(std::string(s), expect);
        delete[] s;
    }
}
