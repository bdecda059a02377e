// The table file readers and writers on their own: round trips, the line
// limits, and malformed or hostile input that must never read out of
// bounds or crash.
#include <gtest/gtest.h>

#include <string>

#include "foundation/random.h"
#include "script/table_files.h"

using namespace std::string_literals;

namespace {

std::vector<std::string> Lines(std::string_view text, size_t limit) {
    std::vector<std::string> out;
    TableLineReader reader(text);
    std::string_view line;
    while (reader.Next(limit, line)) out.emplace_back(line);
    return out;
}

TableRows Behaviour(std::string_view text) {
    TableRows rows;
    BehaviourError error;
    EXPECT_TRUE(ParseBehaviourTable(text, rows, error)) << (error.message ? error.message : "");
    return rows;
}

BehaviourError BehaviourFailure(std::string_view text) {
    TableRows rows;
    BehaviourError error;
    EXPECT_FALSE(ParseBehaviourTable(text, rows, error));
    return error;
}

}  // namespace

TEST(TableLines, SplitLikeAFixedLimitLineReader) {
    EXPECT_EQ(Lines("ab\ncd", 10), (std::vector<std::string>{"ab\n", "cd"}));
    EXPECT_EQ(Lines("abcdef\n", 4), (std::vector<std::string>{"abcd", "ef\n"}));
    // A line of exactly the limit leaves its LF as a line of its own.
    EXPECT_EQ(Lines("abcd\nx", 4), (std::vector<std::string>{"abcd", "\n", "x"}));
    EXPECT_EQ(Lines("\n\n", 4), (std::vector<std::string>{"\n", "\n"}));
    // A NUL ends what the scanners see of the line; the rest is not re-read.
    EXPECT_EQ(Lines("ab\0cd\nef"s, 10), (std::vector<std::string>{"ab", "ef"}));
    EXPECT_TRUE(Lines("", 10).empty());
}

TEST(TableHeaderFormat, WritesAndReadsBack) {
    const TableRows rows = {{"a", "b"}, {"c"}};
    const std::string text = FormatHeaderTable(rows, ';');
    EXPECT_EQ(text, "';'\na;b;\nc;");
    char sep = ' ';
    TableRows back;
    ParseHeaderTable(text, sep, back);
    EXPECT_EQ(sep, ';');
    EXPECT_EQ(back, rows);

    EXPECT_EQ(FormatHeaderTable({}, ','), "','");
    sep = ' ';
    ParseHeaderTable("','", sep, back);
    EXPECT_EQ(sep, ',');
    EXPECT_TRUE(back.empty());

    // Empty cells survive; an empty row in the middle is an empty line.
    const TableRows gaps = {{"", "x"}, {}, {"y"}};
    ParseHeaderTable(FormatHeaderTable(gaps, ';'), sep, back);
    EXPECT_EQ(back, gaps);
    EXPECT_EQ(FormatBlankTable(gaps), " x \n\ny ");
}

TEST(TableHeaderFormat, ReadsMalformedFilesSafely) {
    char sep = '#';
    TableRows rows = {{"stale"}};
    // No header at all, or one too short to hold a separator: the
    // separator stays and nothing is read.
    ParseHeaderTable("", sep, rows);
    EXPECT_EQ(sep, '#');
    EXPECT_TRUE(rows.empty());
    ParseHeaderTable("'", sep, rows);
    EXPECT_EQ(sep, '#');
    ParseHeaderTable("\na#b", sep, rows);
    EXPECT_EQ(sep, '#');
    EXPECT_EQ(rows, (TableRows{{"a", "b"}}));

    // A header longer than its limit is read on as the first row.
    ParseHeaderTable("';'tail;more\nx;", sep, rows);
    EXPECT_EQ(sep, ';');
    EXPECT_EQ(rows, (TableRows{{"more"}, {"x"}}));

    // CR drops what follows it up to the next separator.
    ParseHeaderTable("';'\na;b\rjunk;c\r\nd;\r\n", sep, rows);
    EXPECT_EQ(rows, (TableRows{{"a", "b", "c"}, {"d"}}));

    // A line of any length is one row.
    const std::string longCell(8192, 'z');
    ParseHeaderTable("';'\n" + longCell + ";\n" + longCell, sep, rows);
    EXPECT_EQ(rows, (TableRows{{longCell}, {longCell}}));

    // A NUL ends the line's cells.
    ParseHeaderTable("';'\na;b\0c;d\ne;"s, sep, rows);
    EXPECT_EQ(rows, (TableRows{{"a", "b"}, {"e"}}));
}

TEST(TableBlankFormat, GapsCommentsAndBlankLines) {
    TableRows rows;
    ParseBlankTable("  a  b\n#x y\n \t \n\nc\td  \n", rows);
    EXPECT_EQ(rows, (TableRows{{"", "a", "b"}, {"c", "d"}}));
    // A line of only CR is not blank: an empty row.
    ParseBlankTable("\r\nk\r\n", rows);
    EXPECT_EQ(rows, (TableRows{{}, {"k"}}));
    // No line feed at the end; a NUL alone makes a blank line.
    ParseBlankTable("p q"s + '\0' + "\nr", rows);
    EXPECT_EQ(rows, (TableRows{{"p", "q"}, {"r"}}));
    ParseBlankTable("", rows);
    EXPECT_TRUE(rows.empty());
    // What the blank writer writes reads back, lines of any length too.
    const TableRows table = {{"one", std::string(8192, 't')}, {"three"}};
    ParseBlankTable(FormatBlankTable(table), rows);
    EXPECT_EQ(rows, table);
}

TEST(TableBehaviourFormat, TokensBracketsAndLiterals) {
    EXPECT_EQ(Behaviour("walk(10,20) \"hi there\" ; x\n"),
              (TableRows{{"walk", "(", "10", "20", ")", "\"hi there", "x"}}));
    // A line beginning with a bracket starts with an empty word.
    EXPECT_EQ(Behaviour("(a)\n"), (TableRows{{"", "(", "a", ")"}}));
    // Comments end lines; a word ends at the end of the text without a LF.
    EXPECT_EQ(Behaviour("# all comment\nw1 w2#c\nlast"), (TableRows{{"w1", "w2"}, {"last"}}));
    // A literal right after a word, and separators inside a literal.
    EXPECT_EQ(Behaviour("say\"a;b,#c\"\n"), (TableRows{{"say", "\"a;b,#c"}}));
    // CR is a separator, so CRLF files read like LF files.
    EXPECT_EQ(Behaviour("a b\r\nc\r\n"), (TableRows{{"a", "b"}, {"c"}}));
    // A token or line of any length is kept whole.
    const std::string big(8192, 'w');
    EXPECT_EQ(Behaviour(big + " \"" + big + "\"\n" + big), (TableRows{{big, "\"" + big}, {big}}));
}

TEST(TableBehaviourFormat, GroupsGatherLines) {
    EXPECT_EQ(Behaviour("{\n a b\n c d\n}\nnext\n"), (TableRows{{"a", "b", "c", "d"}, {"next"}}));
    // Opened after a word: the group continues that word's row.
    EXPECT_EQ(Behaviour("go{ x\ny }\n"), (TableRows{{"go", "x", "y"}}));
    // Closed right after a token, the state carries into the next line,
    // whose first tokens continue the same row.
    EXPECT_EQ(Behaviour("{ a\nb }\nc d\ne\n"), (TableRows{{"a", "b", "c", "d"}, {"e"}}));
    EXPECT_EQ(Behaviour("{ a\nb}\nc\ne\n"), (TableRows{{"a", "b", "c"}, {"e"}}));
    // Closed by a brace that begins a line: the next line is a new row.
    EXPECT_EQ(Behaviour("{ a\n}\nc\n"), (TableRows{{"a"}, {"c"}}));
}

TEST(TableBehaviourFormat, SyntaxErrorsNameTheirState) {
    BehaviourError e = BehaviourFailure("{\n{\n");
    EXPECT_STREQ(e.message, "\"{\" not closed before");
    EXPECT_EQ(e.state, 0);
    e = BehaviourFailure("{ a{\n");
    EXPECT_STREQ(e.message, "\"{\" not closed before");
    EXPECT_EQ(e.state, 1);
    e = BehaviourFailure("{ a {\n");
    EXPECT_EQ(e.state, 2);
    e = BehaviourFailure("}\n");
    EXPECT_STREQ(e.message, " \"}\" not opened before");
    EXPECT_EQ(e.state, 0);
    e = BehaviourFailure("a}\n");
    EXPECT_STREQ(e.message, "\"}\" not opened before");
    EXPECT_EQ(e.state, 1);
    e = BehaviourFailure("a }\n");
    EXPECT_STREQ(e.message, "\"}\" not opened before");
    EXPECT_EQ(e.state, 2);
    e = BehaviourFailure("\"open\n");
    EXPECT_STREQ(e.message, "unexpected end within literal");
    EXPECT_EQ(e.state, 3);
    // A literal still open where the text ends, and one cut by a NUL.
    EXPECT_EQ(BehaviourFailure("\"open").state, 3);
    EXPECT_EQ(BehaviourFailure("\"op\0en\"\n"s).state, 3);
    e = BehaviourFailure("{ a\n");
    EXPECT_STREQ(e.message, "\"{\" not closed on the end");
    EXPECT_EQ(e.state, 0);
    // The state a closing brace leaves carries into the next line.
    e = BehaviourFailure("{ a}\n}\n");
    EXPECT_STREQ(e.message, "\"}\" not opened before");
    EXPECT_EQ(e.state, 1);
}

TEST(TableFormats, ArbitraryBytesNeverBreakTheReaders) {
    SeedRandom(1234);
    const std::string alphabet = "ab ;,\t\r\n\0{}()\"#'x"s;
    for (int round = 0; round < 300; ++round) {
        std::string text;
        const int n = NextRandom() % 200;
        for (int i = 0; i < n; ++i)
            text += round % 2 ? alphabet[static_cast<size_t>(NextRandom()) % alphabet.size()]
                              : static_cast<char>(NextRandom() & 0xff);
        TableRows rows;
        char sep = ';';
        ParseHeaderTable(text, sep, rows);
        // Every line after the header makes one row.
        size_t cells = 0;
        for (const TableRow& r : rows) cells += r.size();
        EXPECT_LE(cells, text.size());
        ParseBlankTable(text, rows);
        BehaviourError error;
        if (!ParseBehaviourTable(text, rows, error)) {
            EXPECT_NE(error.message, nullptr);
            EXPECT_GE(error.state, 0);
            EXPECT_LE(error.state, 3);
        }
    }
}
