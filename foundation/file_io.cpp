#include "foundation/file_io.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>

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

char* ReadWholeFile(const char* path, long& length) {
    length = 0;
    std::string text;
    if (!path || !ReadWholeFile(path, text)) return nullptr;
    char* buffer = new char[text.size() + 1];
    std::memcpy(buffer, text.data(), text.size());
    buffer[text.size()] = '\0';
    length = static_cast<long>(text.size());
    return buffer;
}

long LoadFileBuffer(char*& buffer, const char* path) {
    delete[] buffer;
    long length = 0;
    buffer = ReadWholeFile(path, length);
    return length;
}

bool FileExists(const char* path) {
    if (!path) return false;
    FILE* f = std::fopen(path, "r");
    if (!f) return false;
    std::fclose(f);
    return true;
}

long FileSize(FILE* stream) {
    if (!stream || std::fseek(stream, 0, SEEK_END) != 0) return 0;
    return std::ftell(stream);
}

bool WriteFile(const char* path, const void* bytes, size_t n) {
    if (!path) return false;
    AtomicFileWriter out(path, "wb");
    if (!out.Open()) return false;
    if (n > 0 && std::fwrite(bytes, 1, n, out.Stream()) != n) return false;
    return out.Commit();
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
