#include "foundation/file_io.h"

#include <unistd.h>

#include <cstdio>

bool ReadWholeFile(const char* path, std::string& out) {
    FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    out.clear();
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
    std::fclose(f);
    return true;
}

AtomicFileWriter::AtomicFileWriter(std::string path, const char* m)
    : target(std::move(path)), temp(target + ".tmp" + std::to_string(getpid())), mode(m) {}

AtomicFileWriter::~AtomicFileWriter() {
    if (stream) {
        std::fclose(stream);
        std::remove(temp.c_str());
    }
}

bool AtomicFileWriter::Open() {
    stream = std::fopen(temp.c_str(), mode);
    return stream != nullptr;
}

bool AtomicFileWriter::Commit() {
    if (!stream) return false;
    bool ok = std::fflush(stream) == 0 && !std::ferror(stream);
    ok = (std::fclose(stream) == 0) && ok;
    stream = nullptr;
    if (ok && std::rename(temp.c_str(), target.c_str()) == 0) return true;
    std::remove(temp.c_str());
    return false;
}
