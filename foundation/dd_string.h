// The engine's own growable string. It tells "no text" (null data) apart
// from "empty text" (a buffer holding only the NUL); many callers rely on it.
#pragma once

#include <cstdint>

class ddString {
public:
    ddString() = default;
    ddString(const char* s) { Assign(s); }  // NOLINT: implicit on purpose
    ddString(const ddString& other) { Assign(other.data); }
    ddString(ddString&& other) noexcept;
    ~ddString();

    ddString& operator=(const char* s) {
        Assign(s);
        return *this;
    }
    ddString& operator=(const ddString& other);
    ddString& operator=(ddString&& other) noexcept;

    const char* c_str() const { return data; }
    int Length() const { return length; }
    int Capacity() const { return capacity; }
    bool HasText() const { return data != nullptr; }

    // Assignment
    void Assign(const char* s);
    void SetFrom(const ddString& other) { *this = other; }
    void SetFrom(const ddString* other);
    void AssignRight(const ddString& src, int off, int n);
    void AssignMid(const ddString& src, int pos, int n);

    // Appending; each returns the string so calls chain.
    ddString& Append(const char* s);
    ddString& Append(const ddString& s);
    ddString& AppendChar(char c);
    ddString& AppendInt(int i);
    ddString& AppendFloat(float f);
    // Grows the buffer to at least `n` bytes (the NUL included) in one step,
    // for callers that append much and choose their own growth; never
    // shrinks. A string without text becomes an empty one.
    void Reserve(int n);

    // In-place edits
    void Overwrite(int pos, const char* s);
    void WriteEnd(const char* s);
    void ReplaceChar(char a, char b);
    void ReplaceAll(const char* find, const char* repl);
    void Trim();
    void CutEnd(const char* suffix);
    void CutEnd(const ddString& suffix);
    void Between(const char* startMark, const char* endMark, const char* src);
    void Between(const char* startMark, const char* endMark);
    void Compact();

    // Queries
    const char* Right(int n) const;
    int FindChar(char c, int from = 0) const;
    int Find(const char* s, int from = 0) const;
    int FindLast(const char* s) const;
    bool Contains(const char* s) const;
    bool EqualsAt(const char* s, int n, int pos) const;
    bool IsBlank() const;
    int Compare(const char* s) const;
    int Compare(const ddString& s) const { return Compare(s.data ? s.data : ""); }

    bool operator==(const char* s) const;
    bool operator!=(const char* s) const { return !(*this == s); }
    bool operator==(const ddString& s) const { return *this == s.c_str(); }
    bool operator!=(const ddString& s) const { return !(*this == s.c_str()); }

    // New heap arrays the caller frees with delete[]; null when out of range.
    char* CopyFromEnd(int off, int n) const;
    char* Mid(int pos, int n) const;
    char* RightCopy(int n) const { return CopyFromEnd(0, n); }

    static bool IsBlankChar(char c) { return c == ' ' || c == '\t' || c == '\n'; }

private:
    // Copies src (NUL included) into the buffer from position `to` on,
    // growing 32 bytes at a time; the length ends at the copied NUL.
    void CopyIn(const char* src, int to);
    void Grow();
    void Clear();

    char* data = nullptr;
    int32_t length = 0;
    int32_t capacity = 0;
};
