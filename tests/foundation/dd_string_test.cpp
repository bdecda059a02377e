#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "foundation/dd_string.h"

TEST(ddString, NoTextAndEmptyTextAreDifferent) {
    ddString none;
    EXPECT_EQ(none.c_str(), nullptr);
    EXPECT_TRUE(none == static_cast<const char*>(nullptr));
    EXPECT_FALSE(none == "");

    ddString empty("");
    ASSERT_NE(empty.c_str(), nullptr);
    EXPECT_EQ(empty.Length(), 0);
    EXPECT_EQ(empty.Capacity(), 32);
    EXPECT_TRUE(empty == "");
    EXPECT_FALSE(empty == static_cast<const char*>(nullptr));

    ddString copy(none);
    EXPECT_EQ(copy.c_str(), nullptr);
    ddString target("x");
    target = none;  // a source with no text clears the target
    EXPECT_EQ(target.c_str(), nullptr);
    target.SetFrom(static_cast<const ddString*>(nullptr));
    EXPECT_EQ(target.c_str(), nullptr);
}

TEST(ddString, AppendingKeepsTheEmptyStates) {
    ddString s;
    s.Append(ddString());
    EXPECT_EQ(s.c_str(), nullptr);
    s.Append(static_cast<const char*>(nullptr));
    EXPECT_EQ(s.c_str(), nullptr);
    s.Append("");
    ASSERT_NE(s.c_str(), nullptr);
    EXPECT_EQ(s.Length(), 0);

    s.AppendInt(-5).AppendChar('/').AppendFloat(2.0f);
    EXPECT_STREQ(s.c_str(), "-5/2.000000");
}

TEST(ddString, GrowsInStepsOf32AndKeepsTheNul) {
    ddString s;
    for (int i = 0; i < 31; ++i) s.AppendChar('a');
    EXPECT_EQ(s.Capacity(), 32);
    s.AppendChar('b');  // the 32nd character needs room for the NUL
    EXPECT_EQ(s.Length(), 32);
    EXPECT_EQ(s.Capacity(), 64);
    EXPECT_EQ(s.c_str()[32], '\0');
    s.Compact();
    EXPECT_EQ(s.Capacity(), 33);
    s.Append("c");
    EXPECT_EQ(s.Capacity(), 65);
    EXPECT_EQ(std::strlen(s.c_str()), 33u);
}

TEST(ddString, ReserveGrowsOnceAndKeepsTheText) {
    ddString s("abc");
    s.Reserve(1000);
    EXPECT_EQ(s.Capacity(), 1000);
    EXPECT_STREQ(s.c_str(), "abc");
    const char* buffer = s.c_str();
    for (int i = 0; i < 900; ++i) s.AppendChar('x');
    EXPECT_EQ(s.c_str(), buffer);  // no growth while it fits
    EXPECT_EQ(s.Length(), 903);
    s.Reserve(10);  // never shrinks
    EXPECT_EQ(s.Capacity(), 1000);
    ddString none;
    none.Reserve(8);
    EXPECT_STREQ(none.c_str(), "");
}

TEST(ddString, AppendingItselfWorks) {
    ddString s("abcdefghijklmnopqrstuvwxyz01234");  // 31 characters: appending must grow
    s.Append(s);
    EXPECT_STREQ(s.c_str(), "abcdefghijklmnopqrstuvwxyz01234abcdefghijklmnopqrstuvwxyz01234");
    s.Assign(s.c_str() + 3);
    EXPECT_EQ(s.Length(), 59);
}

TEST(ddString, CompareReportsTheShorterStringAsGreater) {
    EXPECT_EQ(ddString("ab").Compare("abc"), 1);
    EXPECT_EQ(ddString("abc").Compare("ab"), -1);
    EXPECT_EQ(ddString("ab").Compare("ac"), -1);
    EXPECT_EQ(ddString("ab").Compare("ab"), 0);
    EXPECT_EQ(ddString("ab").Compare(static_cast<const char*>(nullptr)), -1);
    EXPECT_EQ(ddString().Compare("a"), 1);  // no text compares as empty
    EXPECT_EQ(ddString().Compare(""), 0);
    // bytes above 127 compare as signed characters
    EXPECT_LT(ddString("\xC3").Compare("a"), 0);
}

TEST(ddString, FindingAndSearching) {
    ddString s("one two one");
    EXPECT_EQ(s.Find("one", 0), 0);
    EXPECT_EQ(s.Find("one", 1), 8);
    EXPECT_EQ(s.Find("one", s.Length()), -1);
    EXPECT_EQ(s.Find("one", -1), -1);
    EXPECT_EQ(s.FindLast("one"), 8);
    EXPECT_EQ(s.FindLast(""), s.Length());
    EXPECT_EQ(s.FindChar('t', 0), 4);
    EXPECT_EQ(s.FindChar('t', -7), 4);
    EXPECT_TRUE(s.Contains("two"));
    EXPECT_FALSE(s.Contains(nullptr));
    EXPECT_TRUE(s.EqualsAt("two", 3, 4));
    EXPECT_FALSE(s.EqualsAt("two", 3, -1));
    EXPECT_FALSE(s.EqualsAt("two", 0, 4));
    EXPECT_STREQ(s.Right(3), "one");
    EXPECT_STREQ(s.Right(100), "one two one");
    EXPECT_STREQ(s.Right(0), "");
}

TEST(ddString, RangesOutsideTheTextGiveEmptyText) {
    ddString src("abcdef");
    ddString r;
    r.AssignRight(src, 1, 2);
    EXPECT_STREQ(r.c_str(), "de");
    r.AssignRight(src, 0, 99);
    EXPECT_STREQ(r.c_str(), "abcdef");
    r.AssignRight(src, -3, 2);
    EXPECT_STREQ(r.c_str(), "");
    r.AssignMid(src, 2, 3);
    EXPECT_STREQ(r.c_str(), "cde");
    r.AssignMid(src, -1, 3);
    EXPECT_STREQ(r.c_str(), "");
    r.AssignMid(src, 6, 1);
    EXPECT_STREQ(r.c_str(), "");

    std::unique_ptr<char[]> mid(src.Mid(4, 10));
    EXPECT_STREQ(mid.get(), "ef");
    EXPECT_EQ(src.Mid(-1, 2), nullptr);
    std::unique_ptr<char[]> tail(src.RightCopy(2));
    EXPECT_STREQ(tail.get(), "ef");
    EXPECT_EQ(src.CopyFromEnd(6, 1), nullptr);
}

TEST(ddString, EditsInPlace) {
    ddString s("abc");
    s.CutEnd("xyz");
    EXPECT_EQ(s.c_str(), nullptr);
    s = "hello.txt";
    s.CutEnd("123");  // length only; the characters are not compared
    EXPECT_STREQ(s.c_str(), "hello.");
    s.CutEnd(ddString(""));
    EXPECT_STREQ(s.c_str(), "hello.");

    s = " \t a b \n";
    s.Trim();
    EXPECT_STREQ(s.c_str(), "a b");
    s = " \t\n ";
    s.Trim();
    ASSERT_NE(s.c_str(), nullptr);
    EXPECT_EQ(s.Length(), 0);
    s = " \r";
    s.Trim();
    EXPECT_STREQ(s.c_str(), "\r");  // CR is not blank

    s = "aXbXc";
    s.ReplaceChar('X', '-');
    EXPECT_STREQ(s.c_str(), "a-b-c");
    s.ReplaceAll("-", "--");
    EXPECT_STREQ(s.c_str(), "a--b--c");
    s.ReplaceAll("", "z");
    EXPECT_STREQ(s.c_str(), "a--b--c");
    s = "aaa";
    s.ReplaceAll("aa", "b");
    EXPECT_STREQ(s.c_str(), "ba");

    s = "abcdef";
    s.Overwrite(4, "XYZ");
    EXPECT_STREQ(s.c_str(), "abcdXY");
    s.Overwrite(-1, "Q");
    EXPECT_STREQ(s.c_str(), "abcdXY");
    s.WriteEnd("12");
    EXPECT_STREQ(s.c_str(), "abcd12");
    s.WriteEnd("1234567");
    EXPECT_STREQ(s.c_str(), "abcd12");
}

TEST(ddString, BetweenTakesTheBareFileName) {
    ddString s;
    s.Between("/", ".png", "data/pictures/hero.png");
    EXPECT_STREQ(s.c_str(), "hero");
    s.Between(nullptr, nullptr, "whole");
    EXPECT_STREQ(s.c_str(), "whole");
    s = "a/b/c.lum";
    s.Between("/", ".lum");
    EXPECT_STREQ(s.c_str(), "c");
    std::string longName(300, 'x');
    s.Between("/", ".z", ("dir/" + longName + ".z").c_str());
    EXPECT_EQ(s.Length(), 300);
}
