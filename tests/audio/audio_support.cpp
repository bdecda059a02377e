#include "audio_support.h"

#include <fstream>
#include <random>
#include <vector>

#include "audio/audio_state.h"

namespace audio_test {

namespace {

bool g_openedHere = false;

// Closes what EnsureAudioOpen opened, after the last test (each test's
// audio state released what it played when it went).
class AudioEnvironment : public ::testing::Environment {
public:
    void TearDown() override {
        if (!g_openedHere) return;
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        g_openedHere = false;
    }
};

const bool g_environmentAdded = (::testing::AddGlobalTestEnvironment(new AudioEnvironment), true);

void Put16(std::ofstream& out, uint16_t v) {
    const char b[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
    out.write(b, 2);
}

void Put32(std::ofstream& out, uint32_t v) {
    Put16(out, static_cast<uint16_t>(v & 0xFFFF));
    Put16(out, static_cast<uint16_t>(v >> 16));
}

}  // namespace

bool EnsureAudioOpen() {
    if (!g_openedHere) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) return false;
        // A small buffer keeps the waits for a natural end short.
        if (!OpenAudioDevice(512)) return false;
        g_openedHere = true;
    }
    CurrentAudio().AudioOpen = 1;
    return true;
}

void WriteWav(const std::filesystem::path& path, int frames) {
    std::ofstream out(path, std::ios::binary);
    const uint32_t dataBytes = static_cast<uint32_t>(frames) * 4;
    out.write("RIFF", 4);
    Put32(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, 2);
    Put32(out, 44100);
    Put32(out, 44100 * 4);
    Put16(out, 4);
    Put16(out, 16);
    out.write("data", 4);
    Put32(out, dataBytes);
    // A quiet square wave.
    for (int i = 0; i < frames; ++i) {
        const uint16_t s = (i / 50) % 2 ? 0x0400 : 0xFC00;
        Put16(out, s);
        Put16(out, s);
    }
}

TempDir::TempDir() {
    std::random_device rd;
    path = std::filesystem::temp_directory_path() / ("audio_test_" + std::to_string(rd()));
    std::filesystem::create_directories(path);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
}

void AudioTest::SetUp() { ASSERT_TRUE(EnsureAudioOpen()) << "audio did not open: " << SDL_GetError(); }

// While the test's sounds still live.
void AudioTest::TearDown() { ReleaseAudio(); }

}  // namespace audio_test
