// Small text helpers shared by the readers of the engine's text formats.
// Positions are offsets into the text; the text ends at its NUL, and for
// the searches also at a byte 0xFF.
#pragma once

#include <string>
#include <vector>

#include "foundation/dd_string.h"

// Space, TAB and LF (CR is not blank).
inline bool IsBlankChar(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// First position at or after `pos` that is not blank.
int SkipBlanks(const char* text, int pos);

// Copies the characters before the first blank (or the end) into `out` and
// returns the position of the next word.
int ReadWord(const char* text, std::string& out);
int ReadWord(const char* text, ddString& out);

// Drops every CR that stands right before an LF: in files made on Windows
// it belongs to the line end, not to the text before it. Other CRs stay.
void DropCrBeforeLf(std::string& text);

// Reads the leading run of digits and '-' as an int (0 for an empty run)
// and returns the position after the run and the blanks that follow.
int ReadInt(const char* text, int& out);

// The leading number of `text` as "%d" reads it (blanks, a sign, digits),
// saturated to the int range; false, `out` untouched, when the text does
// not start with one or is null.
bool ParseLeadingInt(const char* text, int& out);
// Like atoi, but a number out of range saturates instead of overflowing:
// ParseLeadingInt, or 0 when there is no number.
int TextToInt(const char* s);

// The words of `text` between the blanks "%s" skips (space, TAB, LF, VT, FF
// and CR); none for null.
std::vector<std::string> SplitWords(const char* text);
// The whole of `word` as an int (strtol's form: a sign and digits); false,
// `out` untouched, when it is empty, anything follows the number, or it does
// not fit.
bool ParseWholeInt(const std::string& word, int& out);
// The first `count` words of `text`, each a whole int, into out[0..count-1];
// false, `out` untouched, unless there are that many and all are ints.
bool ParseWholeInts(const char* text, int count, int* out);

// Whether `text` ends with `ending`; false when either is null.
bool EndsWith(const char* text, const char* ending);

// First position at or after `from` where `s` starts; when it does not
// occur, the end of the text (not -1). -1 for null arguments or from < 0.
int FindText(const char* text, const char* s, int from);
// FindText, then skips `s` and the blanks after it when found.
int FindAndSkip(const char* text, const char* s, int from);

// Removes comment blocks, from "<<" to ">>" (both included); an unclosed
// block runs to the end. Outside a block a 0xFF byte goes together with the
// byte after it; inside one it ends the text.
void StripCommentBlocks(std::string& text);

// name := after the last "/"; dir := up to and including it (no text when
// the path has no "/").
void SplitPath(ddString& dir, ddString& name, const char* path);

// v raised to lo and lowered to hi; unchanged when lo > hi.
int Clamp(int v, int lo, int hi);
