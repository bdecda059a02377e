// libFuzzer round trip of the tagged text writer: a tree saved, loaded and
// saved again gives the same bytes, both for trees read from any file and
// for trees built through the API from the input's names and values;
// a tree the reader would misread is refused and writes nothing.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "foundation/dd_base.h"
#include "foundation/file_io.h"
#include "fuzz_support.h"

namespace {

// Names and values are C strings: they end at a NUL.
std::string Word(FuzzedDataProvider& in, size_t most) { return in.ConsumeRandomLengthString(most).c_str(); }

// Saves, loads what was saved, saves again: the two files must match. A
// tree the reader would misread is refused and nothing is written.
void ExpectStableSave(ddBase& doc) {
    if (!doc.CanBeWritten()) {
        if (doc.Save("refused.txt") || FileExists("refused.txt"))
            FuzzFailure("a tree that cannot be read back was written");
        return;
    }
    if (!doc.Save("first.txt")) FuzzFailure("saving into the working folder failed");
    ddBase again;
    if (!again.Load("first.txt")) FuzzFailure("a saved file did not load");
    if (!again.Save("second.txt")) FuzzFailure("saving into the working folder failed");
    if (ReadBackFile("first.txt") != ReadBackFile("second.txt"))
        FuzzFailure("save, load, save changed the file");
}

// Builds a tree from the input: each step adds a child under the cursor
// (a name and a value from the input), goes down to the last child, or up.
void BuildTree(FuzzedDataProvider& in, ddBase& doc) {
    int nodes = 0;
    while (in.remaining_bytes() > 0 && nodes < 200) {
        switch (in.ConsumeIntegralInRange<int>(0, 3)) {
        case 0:
        case 1: {
            const std::string name = Word(in, 16);
            const std::string value = Word(in, 32);
            doc.AddChild(name.c_str(), value.c_str());
            ++nodes;
            break;
        }
        case 2:
            doc.DownToLast(1);
            break;
        default:
            doc.Up(1);
            break;
        }
    }
    doc.ResetCurrent();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzGuard guard;
    // The input as a file.
    WriteInputFile("input.txt", {reinterpret_cast<const char*>(data), size});
    ddBase read;
    if (!read.Load("input.txt")) FuzzFailure("an existing file did not load");
    ExpectStableSave(read);

    // The input as building steps; the root keeps its name and value.
    FuzzedDataProvider in(data, size);
    const std::string rootName = Word(in, 16);
    const std::string rootValue = Word(in, 32);
    ddBase built(rootName.c_str(), rootValue.c_str());
    BuildTree(in, built);
    ExpectStableSave(built);
    return 0;
}
