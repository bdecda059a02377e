// libFuzzer round trip of the tagged text writer: a tree saved, loaded and
// saved again gives the same bytes, both for trees read from any file and
// for trees built through the API from the input's names and values.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "foundation/dd_base.h"
#include "fuzz_support.h"

namespace {

// TODO(i13-faults): names the reader would misread (empty, holding "<" or
// ">", or a child's name beginning with "/") do not survive a save yet;
// they are mended on another branch. Remove this once it has landed.
bool NameWritable(const std::string& name) {
    return !name.empty() && name.find_first_of("<>\xff") == std::string::npos && name[0] != '/';
}

// The reader drops a byte 0xFF with the byte after it, before anything
// else (files never hold one after reading), so no text holding one can be
// written back.
bool ValueWritable(const std::string& value) { return value.find('\xff') == std::string::npos; }

bool NamesWritable(const ddBase* node) {
    const char* n = node->Name().c_str();
    if (!NameWritable(n ? n : "")) return false;
    for (const ddBase* child : node->Children())
        if (!NamesWritable(child)) return false;
    return true;
}

// Saves, loads what was saved, saves again: the two files must match.
void ExpectStableSave(ddBase& doc) {
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
            // Names and values are C strings: they end at a NUL.
            const std::string name = in.ConsumeRandomLengthString(16).c_str();
            const std::string value = in.ConsumeRandomLengthString(32).c_str();
            if (!NameWritable(name) || !ValueWritable(value)) break;
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
    if (NamesWritable(&read)) ExpectStableSave(read);

    // The input as building steps; the root keeps its name and value.
    FuzzedDataProvider in(data, size);
    const std::string rootName = in.ConsumeRandomLengthString(16).c_str();
    const std::string rootValue = in.ConsumeRandomLengthString(32).c_str();
    if (!NameWritable(rootName) || !ValueWritable(rootValue)) return 0;
    ddBase built(rootName.c_str(), rootValue.c_str());
    BuildTree(in, built);
    ExpectStableSave(built);
    return 0;
}
