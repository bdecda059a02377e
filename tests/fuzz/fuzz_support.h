// What every fuzz target shares: a guard that keeps the readers' file
// access inside the run's scratch folder, input files written there, a
// fatal-error handler that ends one input instead of the process, input
// split into named files, and a dummy screen with a font for targets whose
// readers draw. Targets run with the scratch folder as the working folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Thrown by the fatal-error handler: the engine would have ended here with
// this message and code. A target catches it around one input.
struct FuzzFatal {
    std::string message;
    int code;
};

// While one lives, the readers' fopen, rename and remove refuse paths with
// a ".." part and absolute paths outside the run folder (FUZZ_RUN_DIR,
// where libFuzzer saves findings), so no input reaches outside the working
// folder; fatal errors throw FuzzFatal.
class FuzzGuard {
public:
    FuzzGuard();
    ~FuzzGuard();
    FuzzGuard(const FuzzGuard&) = delete;
    FuzzGuard& operator=(const FuzzGuard&) = delete;
};

// Writes the bytes as the file `name` in the working folder; the name back.
std::string WriteInputFile(const char* name, std::string_view bytes);
// The whole file, or an empty string.
std::string ReadBackFile(const char* name);

// Splits an input into a first part and named files: every line
// "@@ <name>\n" starts a file of that name (a plain word of letters,
// digits, "_" and "."); the text before the first such line is the first
// part. Lets one input hold a definition and the files it names.
struct InputFiles {
    std::string_view first;
    std::vector<std::pair<std::string, std::string_view>> files;
};
InputFiles SplitInputFiles(std::string_view data);

// The split input written to the working folder: the first part as
// `firstName`, each named file under its name. The named files are
// removed again when it goes, so no input sees another's files.
class WrittenInput {
public:
    WrittenInput(const uint8_t* data, size_t size, const char* firstName);
    ~WrittenInput();
    WrittenInput(const WrittenInput&) = delete;
    WrittenInput& operator=(const WrittenInput&) = delete;
    const InputFiles& Files() const { return input; }

private:
    InputFiles input;
};

// A 160 x 120 dummy screen and the DejaVu font as the default font, opened
// once per process (in LLVMFuzzerInitialize).
void OpenDummyScreenAndFont();

// Ends the process as a finding: libFuzzer records the input that led here.
[[noreturn]] void FuzzFailure(const char* what);
