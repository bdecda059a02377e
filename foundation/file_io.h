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
    bool Commit();

private:
    std::string target;
    std::string temp;
    const char* mode;
    FILE* stream = nullptr;
};
