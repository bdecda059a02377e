// libFuzzer target for vector files and value files: any file loads as a
// vector of strings, reals and ints and as an int, real and text value, and
// what the engine saves reads back as what was saved.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "foundation/dd_vector.h"
#include "foundation/value_files.h"
#include "fuzz_support.h"

namespace {

// The element as the file holds it: reals are compared as written.
std::string Written(const ddString& v) { return v.c_str() ? v.c_str() : ""; }
std::string Written(float v) {
    std::string s;
    VectorFormat(v, s);
    return s;
}
std::string Written(int v) { return std::to_string(v); }

// Loads the input; saving that, loading it and saving again gives the same
// file, and the second list holds the first one's elements as written.
template <typename T>
void VectorRoundTrip() {
    ddVector<T> loaded;
    if (loaded.LoadFromFile("input.vec") < 0) FuzzFailure("an existing vector file did not load");
    if (loaded.Save("first.vec") != loaded.Size()) FuzzFailure("saving into the working folder failed");
    ddVector<T> back;
    if (back.LoadFromFile("first.vec") != loaded.Size())
        FuzzFailure("a saved vector reads back with another count");
    for (int i = 0; i < loaded.Size(); ++i)
        if (Written(loaded.Get(i)) != Written(back.Get(i)))
            FuzzFailure("a saved vector reads back with another element");
    back.Save("second.vec");
    if (ReadBackFile("first.vec") != ReadBackFile("second.vec"))
        FuzzFailure("save, load, save changed the vector file");
}

void ValueFiles(const std::string& bytes) {
    int i = 7;
    float f = 7.0f;
    ReadIntFile(i, "input.vec");
    ReadFloatFile(f, "input.vec");
    LoadIntFile(i, "input.vec", 3);
    LoadFloatFile(f, "input.vec", 3.0f);
    ddString text;
    LoadTextFile(text, "input.vec", "default");

    // What "save" writes, "load" reads back.
    if (!SaveIntFile(i, "int.txt")) FuzzFailure("saving into the working folder failed");
    int i2 = ~i;
    ReadIntFile(i2, "int.txt");
    if (i2 != i) FuzzFailure("a saved int reads back as another");
    if (!SaveFloatFile(f, "real.txt")) FuzzFailure("saving into the working folder failed");
    float f2 = 0.0f;
    LoadFloatFile(f2, "real.txt", 1.0f);
    if (!std::isnan(f) && Written(f2) != Written(f)) FuzzFailure("a saved real reads back as another");
    // A CR before LF belongs to the line end when read: such texts do not
    // come back whole, by design. A NUL ends the value's text.
    const std::string value(bytes.c_str());
    if (value.find("\r\n") == std::string::npos) {
        if (!SaveTextFile(value.c_str(), "text.txt")) FuzzFailure("saving into the working folder failed");
        ddString back;
        LoadTextFile(back, "text.txt", "");
        if (Written(back) != value) FuzzFailure("a saved text reads back as another");
    }
    RaiseIntFile(i2 / 2, "int.txt");
    std::remove("missing.txt");
    LoadIntFile(i2, "missing.txt", 5);  // created holding the default
    ReadIntFile(i2, "missing.txt");
    if (i2 != 5) FuzzFailure("a missing value file was not created with its default");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzGuard guard;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    WriteInputFile("input.vec", bytes);
    VectorRoundTrip<ddString>();
    VectorRoundTrip<float>();
    VectorRoundTrip<int>();
    ValueFiles(bytes);
    return 0;
}
