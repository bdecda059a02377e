// The three text formats of the "db" table, kept apart from the script
// class so they can be read and written without a running machine.
//
// Header format ("save"/"load"): a first line of the separator between two
// apostrophes, then one line per row with every cell followed by the
// separator. Blank format ("savescript"/"loadscript"): the same rows with a
// blank after every cell and no header; on reading, runs of blanks, TABs and
// CRs split cells and lines that are blank or begin with "#" are skipped.
// Behaviour format ("loadbeh"): words, double-quoted literals, one-character
// bracket cells and brace groups that gather several lines into one row.
#pragma once

#include <string>
#include <string_view>
#include <vector>

using TableRow = std::vector<std::string>;
using TableRows = std::vector<TableRow>;

// Reads the text line by line. A line ends after its LF, whatever its
// length; with a limit it also ends after `maxChars` characters, and the
// rest of a longer line is read on as the next one (the header line of
// "load" is read so).
class TableLineReader {
public:
    explicit TableLineReader(std::string_view text) : text(text) {}
    // False at the end of the text. The line is cut at its first NUL, which
    // ends it for every scanner; the LF, when read, stays at its end.
    bool Next(std::string_view& line) { return Next(std::string_view::npos, line); }
    bool Next(size_t maxChars, std::string_view& line);

private:
    std::string_view text;
    size_t pos = 0;
};

constexpr size_t kTableHeaderChars = 8;  // the header line of "load"

// The file text "save" writes.
std::string FormatHeaderTable(const TableRows& rows, char separator);
// The file text "savescript" writes (a blank after every cell).
std::string FormatBlankTable(const TableRows& rows);

// "load": rows from the header format. `separator` takes the header's second
// character; it is left as it was when the file has no such character.
void ParseHeaderTable(std::string_view text, char& separator, TableRows& rows);

// "loadscript": rows from the blank format.
void ParseBlankTable(std::string_view text, TableRows& rows);

// A syntax error of the behaviour format: the message and the tokenizer
// state it was met in.
struct BehaviourError {
    const char* message = nullptr;
    int state = 0;
};

// "loadbeh": rows from the behaviour format. False on a syntax error, with
// `error` filled; the rows read so far are then incomplete.
bool ParseBehaviourTable(std::string_view text, TableRows& rows, BehaviourError& error);
