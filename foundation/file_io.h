// Whole-file reading and the replace-by-rename writer every save goes
// through, so a failed save never destroys the file that was there.
#pragma once

#include <cstdio>
#include <string>

// Reads every byte of the file; false when it cannot be opened.
bool ReadWholeFile(const char* path, std::string& out);

// Reads the file into a new[] buffer of its size + 1 bytes ending in a NUL;
// `length` is the byte count. Null and length 0 when it cannot be opened.
char* ReadWholeFile(const char* path, long& length);

// Frees the caller's previous new[] buffer and reads the whole file into a
// new one (null when the file cannot be opened). Returns the byte count.
long LoadFileBuffer(char*& buffer, const char* path);

// Whether the file opens for reading.
bool FileExists(const char* path);

// The stream's size, found by seeking to its end (the position stays there).
long FileSize(FILE* stream);

// Replaces the file with n bytes (through a temporary file); false when
// nothing could be written.
bool WriteFile(const char* path, const void* bytes, size_t n);

// Writes into a temporary file beside `path`; Commit renames it over the
// target. Destroyed without Commit, it removes the temporary file.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::string path, const char* mode = "w");
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    bool Open();
    FILE* Stream() { return stream; }
    // Finish, then Replace.
    bool Commit();
    // Flushes and closes the temporary file; false (and the file gone) when
    // it was not written whole.
    bool Finish();
    // Renames the finished temporary file over the target; false (and the
    // temporary file gone) when it cannot.
    bool Replace();

private:
    std::string target;
    std::string temp;
    const char* mode;
    FILE* stream = nullptr;
    bool finished = false;  // the temporary file is closed and waits for Replace
};

// Replaces two files with the given bytes, both or neither: each is written
// whole beside its target before either target is touched, a target that is
// a folder is refused, and when the second cannot be put in place the first
// gets its old bytes back (or goes, when it did not exist).
// -1 when both were written, else the index (0 or 1) of the one that failed.
int WriteFilePair(const std::string& firstPath, const std::string& firstBytes, const std::string& secondPath,
                  const std::string& secondBytes);
