#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "foundation/dd_base.h"

namespace {
std::string TempPath(const char* name) {
    return ::testing::TempDir() + "ddbase_" + name + "_" + std::to_string(::getpid());
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void Spit(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}
}  // namespace

TEST(ddBase, SavesTheExactLayout) {
    ddBase doc("root", "v");
    doc.AddChild("c", "w");
    doc.DownToFirst(1);
    doc.AddChild("leaf", "");
    doc.AddChild("novalue", nullptr);
    doc.AddChild("spaced", " already");
    doc.ResetCurrent();
    doc.AddChild("tail", "x\n\t\t");
    std::string path = TempPath("layout");
    ASSERT_EQ(doc.Save(path.c_str()), 1);
    EXPECT_EQ(Slurp(path),
              "<root> v\n"
              "\t<c> w\n"
              "\t\t<leaf> \n"
              "\t\t</leaf>\n"
              "\t\t<novalue>\n"
              "\t\t</novalue>\n"
              "\t\t<spaced> already\n"
              "\t\t</spaced>\n"
              "\t</c>\n"
              "\t<tail> x\n"
              "\t</tail>\n"
              "</root>\n");
    std::remove(path.c_str());
}

TEST(ddBase, SaveLoadSaveIsIdentical) {
    ddBase doc("config", "");
    for (int i = 0; i < 3; ++i) {
        doc.ResetCurrent();
        doc.AddChild("group", std::to_string(i).c_str());
        doc.DownToLast(1);
        for (int j = 0; j < 3; ++j) {
            doc.AddChild("item", ("a<b \\ c << d >> " + std::to_string(j)).c_str());
            doc.DownToLast(1);
            doc.AddChild("deep", "x");
            doc.Up(1);
        }
    }
    std::string first = TempPath("first"), second = TempPath("second");
    ASSERT_EQ(doc.Save(first.c_str()), 1);
    ddBase back;
    ASSERT_EQ(back.Load(first.c_str()), 1);
    ASSERT_EQ(back.Save(second.c_str()), 1);
    EXPECT_EQ(Slurp(first), Slurp(second));

    // the tricky value reads back identical, apart from the written space
    ASSERT_TRUE(back.FindNode("item"));
    std::string v = back.GetCurrentValue();
    EXPECT_EQ(v.substr(0, v.find('\n')), " a<b \\ c << d >> 0");
    std::remove(first.c_str());
    std::remove(second.c_str());
}

// A node without a value reads back with the line end and indentation
// that follow it; written again, it has no value still.
TEST(ddBase, NodesWithoutValueSurviveSaveLoadSave) {
    ddBase doc("root", nullptr);
    doc.AddChild("none", nullptr);
    doc.AddChild("ends", "\n\t");  // trailing LF and TAB only: dropped whole
    doc.AddChild("empty", "");
    std::string first = TempPath("novalue1"), second = TempPath("novalue2");
    ASSERT_EQ(doc.Save(first.c_str()), 1);
    EXPECT_EQ(Slurp(first),
              "<root>\n"
              "\t<none>\n\t</none>\n"
              "\t<ends>\n\t</ends>\n"
              "\t<empty> \n\t</empty>\n"
              "</root>\n");
    ddBase back;
    ASSERT_EQ(back.Load(first.c_str()), 1);
    ASSERT_EQ(back.Save(second.c_str()), 1);
    EXPECT_EQ(Slurp(first), Slurp(second));
    std::remove(first.c_str());
    std::remove(second.c_str());
}

// Every tree that can be written comes back as the same bytes; a tree the
// reader would give back differently is not written at all.
TEST(ddBase, WritesOnlyWhatReadsBackTheSame) {
    std::string first = TempPath("odd1"), second = TempPath("odd2");
    ddBase odd("", "\\");
    odd.AddChild("a\\b", "\r\n<<x>> \\<\\ \t\x80\x01 ");
    odd.AddChild("sp ace/d", "</>");
    odd.DownToLast(1);
    odd.AddChild("\t\n", "\n\nlead");
    odd.AddChild("x", "end\\");
    ASSERT_EQ(odd.Save(first.c_str()), 1);
    ddBase back;
    ASSERT_EQ(back.Load(first.c_str()), 1);
    ASSERT_EQ(back.Save(second.c_str()), 1);
    EXPECT_EQ(Slurp(first), Slurp(second));
    ASSERT_TRUE(back.FindNode("sp ace/d"));
    EXPECT_EQ(back.CurrentChildCount(), 2);
    ASSERT_TRUE(back.FindNode("x"));
    EXPECT_EQ(std::string(back.GetCurrentValue()).substr(0, 5), " end\\");

    // Names the reader cannot give back, and the byte that ends its text:
    // the file stays as it was.
    const std::string kept = Slurp(first);
    const std::vector<std::pair<std::string, std::string>> refused = {{"b<c", "1"},    {"", "1"},
                                                                      {"/x", "1"},     {"a>b", "1"},
                                                                      {"ok", "a\xff"}, {"n\xff", "1"}};
    for (const auto& [name, value] : refused) {
        ddBase doc("a", "");
        doc.AddChild(name.c_str(), value.c_str());
        EXPECT_EQ(doc.Save(first.c_str()), 0) << name;
        EXPECT_EQ(Slurp(first), kept) << name;
    }
    ddBase rootName("r<t>", "");
    EXPECT_EQ(rootName.Save(first.c_str()), 0);
    // The root's name may begin with "/" (it is read before any tag).
    ddBase slashRoot("/r", "");
    slashRoot.AddChild("c", "");
    ASSERT_EQ(slashRoot.Save(first.c_str()), 1);
    ASSERT_EQ(back.Load(first.c_str()), 1);
    EXPECT_EQ(back.Name(), "/r");
    EXPECT_TRUE(back.FindNode("c"));

    // The tree of a file with a "<" in a name is refused rather than
    // written with a child it does not have.
    Spit(second, "<a>\n\t<b<c> 1\n\t</b<c>\n</a>\n");
    ASSERT_EQ(back.Load(second.c_str()), 1);
    EXPECT_EQ(back.Save(first.c_str()), 0);
    std::remove(first.c_str());
    std::remove(second.c_str());
}

TEST(ddBase, ReadsCommentsEscapesAndDroppedText) {
    std::string path = TempPath("read");
    Spit(path,
         "junk before <doc> top<< a comment\n spanning < lines >>\n"
         "\t<a>1<b>2</b>3</a>\n"
         "\t<esc>x\\<y\\\\z</esc>\n"
         "</doc> after the root");
    ddBase doc("old", "old");
    ASSERT_EQ(doc.Load(path.c_str()), 1);
    EXPECT_EQ(doc.Name(), "doc");
    EXPECT_EQ(doc.Value(), " top\n\t");
    ASSERT_TRUE(doc.FindNode("a"));
    EXPECT_STREQ(doc.GetCurrentValue(), "1");  // "3" after the child is dropped
    EXPECT_EQ(doc.CurrentChildCount(), 1);
    ASSERT_TRUE(doc.FindNode("b"));
    EXPECT_STREQ(doc.GetCurrentValue(), "2");
    ASSERT_TRUE(doc.FindNode("esc"));
    EXPECT_STREQ(doc.GetCurrentValue(), "x<y\\z");
    std::remove(path.c_str());
}

TEST(ddBase, LoadOfAMissingFileKeepsTheTree) {
    ddBase doc("r", "");
    doc.AddChild("keep", "1");
    EXPECT_EQ(doc.Load("/nonexistent/folder/file"), 0);
    EXPECT_TRUE(doc.FindNode("keep"));
}

TEST(ddBase, LongNamesAndValuesAreKeptWhole) {
    std::string name(120, 'n'), value(5000, 'v');
    std::string path = TempPath("long");
    Spit(path, "<r><" + name + ">" + value + "</" + name + "></r>");
    ddBase doc;
    ASSERT_EQ(doc.Load(path.c_str()), 1);
    ASSERT_TRUE(doc.FindNode(name.c_str()));
    EXPECT_EQ(std::string(doc.GetCurrentValue()), value);
    std::remove(path.c_str());
}

TEST(ddBase, SearchesLeaveTheCursorAsDocumented) {
    ddBase doc("root", "");
    doc.AddChild("x", "1");
    doc.DownToFirst(1);
    doc.AddChild("y", "2");
    doc.ResetCurrent();
    doc.AddChild("y", "3");
    doc.AddChild("z", "3");

    EXPECT_EQ(doc.FindNode("root"), 1);
    EXPECT_EQ(doc.GetCurrent(), doc.GetRoot());
    ASSERT_EQ(doc.FindNode("y"), 1);
    EXPECT_STREQ(doc.GetCurrentValue(), "2");  // the first in pre-order
    EXPECT_EQ(doc.FindNode("missing"), 0);
    EXPECT_EQ(doc.GetCurrent(), doc.GetRoot());

    EXPECT_EQ(doc.HasTopChild("y"), 1);
    EXPECT_STREQ(doc.GetCurrentValue(), "3");
    EXPECT_EQ(doc.HasTopChild("nope"), 0);
    EXPECT_EQ(doc.GetCurrent(), doc.GetRoot());

    ASSERT_EQ(doc.FindByValue("3"), 1);
    EXPECT_STREQ(doc.GetCurrentName(), "y");
    EXPECT_STREQ(doc.FindNthByName("y", 1), "3");
    EXPECT_EQ(doc.FindNthByName("y", 2), nullptr);
    EXPECT_EQ(doc.FindNthByName("y", -1), nullptr);
    EXPECT_EQ(doc.LastNode()->Name(), "z");

    // walking on from a found node visits what follows it in document order
    ASSERT_EQ(doc.FindNode("y"), 1);
    doc.NextNode();
    EXPECT_STREQ(doc.GetCurrentValue(), "3");
    EXPECT_TRUE(doc.WentUp());
    doc.NextNode();
    EXPECT_STREQ(doc.GetCurrentName(), "z");
    doc.NextNode();
    EXPECT_EQ(doc.GetCurrent(), doc.GetRoot());

    doc.Remove("x");
    EXPECT_EQ(doc.FindNode("x"), 0);
    EXPECT_EQ(doc.FindNode("y"), 1);
    EXPECT_STREQ(doc.GetCurrentValue(), "3");
}

TEST(ddBase, IntListsAndTrimming) {
    ddBase doc("root", "");
    doc.AddChild("nums", "");
    doc.FindNode("nums");
    int in[3] = {1, -2, 3};
    doc.SetIntList(3, in);
    EXPECT_STREQ(doc.GetCurrentValue(), "1 -2 3 ");
    int out[4] = {9, 9, 9, 9};
    EXPECT_EQ(doc.GetIntList(4, out), 4);
    EXPECT_EQ(out[0], 1);
    EXPECT_EQ(out[1], -2);
    EXPECT_EQ(out[2], 3);
    EXPECT_EQ(out[3], 0);

    doc.SetCurrentValue(ddString(" 5 x 7"));
    EXPECT_EQ(doc.GetIntList(3, out), 3);
    EXPECT_EQ(out[0], 5);
    EXPECT_EQ(out[1], 0);  // an empty run does not advance
    EXPECT_EQ(out[2], 0);

    doc.ResetCurrent();
    doc.AddChild("t", "  padded \n");
    doc.TrimValues("t");
    doc.FindNode("t");
    EXPECT_STREQ(doc.GetCurrentValue(), "padded");
}

TEST(ddBase, DeepNestingWalksAndFrees) {
    ddBase doc("root", "");
    for (int i = 0; i < 2000; ++i) {
        doc.AddChild("n", std::to_string(i).c_str());
        doc.AddChild("sibling", "s");
        doc.DownToFirst(1);
    }
    ASSERT_EQ(doc.FindNthByName("sibling", 1999) != nullptr, true);
    std::string path = TempPath("deep");
    ASSERT_EQ(doc.Save(path.c_str()), 1);
    ddBase back;
    ASSERT_EQ(back.Load(path.c_str()), 1);
    const char* v = back.FindNthByName("n", 1999);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(std::string(v).substr(0, 6), " 1999\n");  // the indentation follows
    std::remove(path.c_str());
}

TEST(ddBase, AHundredThousandLevelsLoadAndFree) {
    std::string text;
    for (int i = 0; i < 100000; ++i) text += "<n>";
    std::string path = TempPath("nested");
    Spit(path, text);
    {
        ddBase doc;
        ASSERT_EQ(doc.Load(path.c_str()), 1);
    }
    std::remove(path.c_str());
}

TEST(ddBase, SaveThatCannotWriteFailsAndKeepsTheOldFile) {
    ddBase doc("root", "");
    EXPECT_EQ(doc.Save("/nonexistent/dir/file"), 0);
}
