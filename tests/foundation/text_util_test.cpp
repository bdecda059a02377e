#include <gtest/gtest.h>

#include <climits>
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
    EXPECT_EQ(FindText("ab\xFF"
                       "cd",
                       "cd", 0),
              2);  // 0xFF ends the text
    EXPECT_EQ(FindText(nullptr, "a", 0), -1);
    EXPECT_EQ(FindText("a", nullptr, 0), -1);
    EXPECT_EQ(FindText("a", "a", -1), -1);
    EXPECT_EQ(FindText("abc", "c", 50), 3);  // past the end: never reads beyond it
    EXPECT_EQ(FindAndSkip("key =  value", "=", 0), 7);
    EXPECT_EQ(FindAndSkip("key value", "=", 0), 9);
}

TEST(TextUtil, CommentBlocks) {
    auto strip = [](std::string text) {
        StripCommentBlocks(text);
        return text;
    };
    EXPECT_EQ(strip("a<<note\nmore>>b<<x>>c"), "abc");
    EXPECT_EQ(strip("keep<<never closed"), "keep");
    EXPECT_EQ(strip("x\xFFyz"), "xz");     // 0xFF goes with the byte after it
    EXPECT_EQ(strip("a<<b\xFF>>c"), "a");  // and ends the text inside a block
    EXPECT_EQ(strip("no comments /* */"), "no comments /* */");
}

TEST(TextUtil, PathsAndClamping) {
    ddString dir, name;
    SplitPath(dir, name, "games/room/hall.lum");
    EXPECT_STREQ(dir.c_str(), "games/room/");
    EXPECT_STREQ(name.c_str(), "hall.lum");
    SplitPath(dir, name, "plain.txt");
    EXPECT_EQ(dir.c_str(), nullptr);
    EXPECT_STREQ(name.c_str(), "plain.txt");

    EXPECT_EQ(Clamp(10, 5, 1), 10);
    EXPECT_EQ(Clamp(0, 1, 5), 1);
    EXPECT_EQ(Clamp(9, 1, 5), 5);
}
