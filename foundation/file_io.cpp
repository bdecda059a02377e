#include "foundation/file_io.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

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
    if (stream) std::fclose(stream);
    if (stream || finished) std::remove(temp.c_str());
}

bool AtomicFileWriter::Open() {
    stream = std::fopen(temp.c_str(), mode);
    return stream != nullptr;
}

bool AtomicFileWriter::Finish() {
    if (!stream) return finished;
    bool ok = std::fflush(stream) == 0 && !std::ferror(stream);
    ok = (std::fclose(stream) == 0) && ok;
    stream = nullptr;
    if (!ok) std::remove(temp.c_str());
    finished = ok;
    return ok;
}

bool AtomicFileWriter::Replace() {
    if (!finished) return false;
    finished = false;
    if (std::rename(temp.c_str(), target.c_str()) == 0) return true;
    std::remove(temp.c_str());
    return false;
}

bool AtomicFileWriter::Commit() { return Finish() && Replace(); }

namespace {

namespace fs = std::filesystem;

// Writes the bytes into the writer's temporary file and closes it.
bool WriteAside(AtomicFileWriter& out, const std::string& bytes) {
    return out.Open() && std::fwrite(bytes.data(), 1, bytes.size(), out.Stream()) == bytes.size() &&
           out.Finish();
}

// Whether a file can be put at the path: nothing there, or a plain file.
bool FileCanGoAt(const std::string& path) {
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    return !fs::exists(st) || fs::is_regular_file(st);
}

}  // namespace

int WriteFilePair(const std::string& firstPath, const std::string& firstBytes, const std::string& secondPath,
                  const std::string& secondBytes) {
    AtomicFileWriter first(firstPath, "wb"), second(secondPath, "wb");
    if (!FileCanGoAt(firstPath) || !WriteAside(first, firstBytes)) return 0;
    if (!FileCanGoAt(secondPath) || !WriteAside(second, secondBytes)) return 1;

    // The first target's old bytes stay reachable under a second name (a
    // hard link, or a copy where links are not made) until the second is in.
    std::error_code ec;
    const bool hadFirst = fs::exists(firstPath, ec);
    const std::string kept = firstPath + ".old" + std::to_string(getpid());
    if (hadFirst) {
        fs::create_hard_link(firstPath, kept, ec);
        if (ec && !fs::copy_file(firstPath, kept, ec)) return 0;
    }
    if (!first.Replace()) {
        if (hadFirst) fs::remove(kept, ec);
        return 0;
    }
    if (!second.Replace()) {
        if (hadFirst)
            fs::rename(kept, firstPath, ec);
        else
            fs::remove(firstPath, ec);
        return 1;
    }
    if (hadFirst) fs::remove(kept, ec);
    return -1;
}
