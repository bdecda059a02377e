// Whole-file reading and the replace-by-rename writer every save goes
// through, so a failed save never destroys the file that was there.
#pragma once

#include <cstdio>
#include <string>

// Reads every byte of the file; false when it cannot be opened.
bool ReadWholeFile(const char* path, std::string& out);

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
