// Audio for the sound, music and sound-table tests: the audio device opened
// on SDL's dummy driver (once per test program), an audio state of each
// test's own, and small WAV files written by the tests themselves.
#pragma once

#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "audio/audio_state.h"

namespace audio_test {

// Opens the audio device unless it is already open, and marks the current
// audio state open; true when it is.
bool EnsureAudioOpen();

// Writes a 44100 Hz 16-bit stereo WAV of the given number of frames.
void WriteWav(const std::filesystem::path& path, int frames);

// Frames for a length in milliseconds.
constexpr int FramesFor(int ms) { return 44100 * ms / 1000; }

// Waits (bounded) until cond() holds; the mixer runs on its own thread.
template <typename Cond>
bool WaitFor(Cond cond, int maxMs = 10000) {
    for (int waited = 0; waited < maxMs; waited += 5) {
        if (cond()) return true;
        SDL_Delay(5);
    }
    return cond();
}

// A temporary folder removed at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::filesystem::path& Path() const { return path; }
    std::string File(const std::string& name) const { return (path / name).string(); }

private:
    std::filesystem::path path;
};

// Base fixture: an audio state of the test's own, current and open (the
// test fails otherwise, so no test passes as a no-op); every channel and
// the music are halted after it.
class AudioTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    AudioState audio;
    ScopedAudio playing{audio};
    TempDir dir;
};

}  // namespace audio_test
