#include "fuzz_support.h"

#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "foundation/fatal.h"
#include "foundation/sanitizer_defaults.h"
#include "graphics/font.h"
#include "graphics/graph_api.h"

namespace {

bool g_guarding = false;

bool ClimbsUp(std::string_view path) {
    while (!path.empty()) {
        const size_t slash = path.find('/');
        if (path.substr(0, slash) == "..") return true;
        if (slash == std::string_view::npos) break;
        path.remove_prefix(slash + 1);
    }
    return false;
}

// Relative paths stay in the working folder; absolute ones are allowed only
// below FUZZ_RUN_DIR, where libFuzzer writes what it found when a run ends
// in a finding.
bool Allowed(const char* path) {
    if (!path || ClimbsUp(path)) return false;
    if (path[0] != '/') return true;
    static const std::string runDir = [] {
        const char* d = std::getenv("FUZZ_RUN_DIR");
        return d && d[0] == '/' ? std::string(d) + "/" : std::string();
    }();
    return !runDir.empty() && std::string_view(path).substr(0, runDir.size()) == runDir;
}

bool Refused(const char* path) {
    if (!g_guarding || Allowed(path)) return false;
    errno = EACCES;
    return true;
}

[[noreturn]] void ThrowFatal(std::string_view message, int code) {
    throw FuzzFatal{std::string(message), code};
}

}  // namespace

// The link wraps these (-Wl,--wrap=...): every call from the engine and the
// targets comes here first.
extern "C" {
FILE* __real_fopen(const char* path, const char* mode);
FILE* __real_fopen64(const char* path, const char* mode);
int __real_rename(const char* from, const char* to);
int __real_remove(const char* path);

FILE* __wrap_fopen(const char* path, const char* mode) {
    return Refused(path) ? nullptr : __real_fopen(path, mode);
}
FILE* __wrap_fopen64(const char* path, const char* mode) {
    return Refused(path) ? nullptr : __real_fopen64(path, mode);
}
int __wrap_rename(const char* from, const char* to) {
    return Refused(from) || Refused(to) ? -1 : __real_rename(from, to);
}
int __wrap_remove(const char* path) { return Refused(path) ? -1 : __real_remove(path); }
}

FuzzGuard::FuzzGuard() {
    g_guarding = true;
    SetFatalHandler(ThrowFatal);
}

FuzzGuard::~FuzzGuard() {
    SetFatalHandler(nullptr);
    g_guarding = false;
}

std::string WriteInputFile(const char* name, std::string_view bytes) {
    FILE* f = std::fopen(name, "wb");
    if (!f) FuzzFailure("cannot write an input file in the working folder");
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return name;
}

std::string ReadBackFile(const char* name) {
    std::string out;
    FILE* f = std::fopen(name, "rb");
    if (!f) return out;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
    std::fclose(f);
    return out;
}

InputFiles SplitInputFiles(std::string_view data) {
    InputFiles out;
    constexpr std::string_view kMark = "@@ ";
    auto plainName = [](std::string_view n) {
        if (n.empty() || n.size() > 64 || n == "." || n == "..") return false;
        for (char c : n)
            if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '.') return false;
        return true;
    };
    size_t start = 0;  // where the current part's text begins
    bool inFirst = true;
    size_t lineStart = 0;
    auto close = [&](size_t end) {
        std::string_view part = data.substr(start, end - start);
        if (inFirst)
            out.first = part;
        else
            out.files.back().second = part;
    };
    while (lineStart < data.size()) {
        size_t lineEnd = data.find('\n', lineStart);
        if (lineEnd == std::string_view::npos) lineEnd = data.size();
        std::string_view line = data.substr(lineStart, lineEnd - lineStart);
        if (line.substr(0, kMark.size()) == kMark && plainName(line.substr(kMark.size()))) {
            close(lineStart);
            out.files.emplace_back(std::string(line.substr(kMark.size())), std::string_view());
            inFirst = false;
            start = lineEnd < data.size() ? lineEnd + 1 : data.size();
        }
        lineStart = lineEnd + 1;
    }
    close(data.size());
    return out;
}

WrittenInput::WrittenInput(const uint8_t* data, size_t size, const char* firstName)
    : input(SplitInputFiles({reinterpret_cast<const char*>(data), size})) {
    for (const auto& [name, bytes] : input.files) WriteInputFile(name.c_str(), bytes);
    WriteInputFile(firstName, input.first);
}

WrittenInput::~WrittenInput() {
    for (const auto& [name, bytes] : input.files) std::remove(name.c_str());
}

void OpenDummyScreenAndFont() {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) FuzzFailure("SDL video did not start");
    GraphAPI::VideoState& video = GraphAPI::CurrentVideo();
    video.Screen = SDL_SetVideoMode(160, 120, 32, 0);
    if (!video.Screen) FuzzFailure("no dummy screen");
    video.ScreenWidth = 160;
    video.ScreenHeight = 120;
    video.BitsPerPixel = 32;
    video.ScreenImage.ViewSurface(video.Screen);
    video.ScreenImage.w = 160;
    video.ScreenImage.h = 120;
    GraphAPI::SetAppSize(160, 120);
    if (!OpenFontLibrary()) FuzzFailure("the font library did not start");
    DefaultFont().Open("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 12);
    if (!DefaultFont().GetHandle()) FuzzFailure("no DejaVu Sans font (fonts-dejavu-core)");
}

void FuzzFailure(const char* what) {
    std::fprintf(stderr, "fuzz finding: %s\n", what);
    std::abort();
}
