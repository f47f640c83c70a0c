// What the mixer really sends to the speakers, recorded with SDL's file-writing audio
// driver: the louder side of a panned sound, a far sound quieter than a near one, and
// music that goes on after its file ended once.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "platform/sdl/sdl_audio.h"
#include "support/temp_dir.h"

namespace {

// A 16-bit stereo PCM wave file at 44100 Hz: a 440 Hz tone of the given length.
void write_tone(const std::string& path, double seconds) {
    const uint32_t frames = static_cast<uint32_t>(44100 * seconds);
    const uint32_t data = frames * 4;
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out << "RIFF";
    u32(36 + data);
    out << "WAVEfmt ";
    u32(16);
    u16(1);
    u16(2);
    u32(44100);
    u32(44100 * 4);
    u16(4);
    u16(16);
    out << "data";
    u32(data);
    for (uint32_t i = 0; i < frames; ++i) {
        const auto s = static_cast<int16_t>(12000 * std::sin(2 * M_PI * 440 * i / 44100.0));
        u16(static_cast<uint16_t>(s));
        u16(static_cast<uint16_t>(s));
    }
}

struct TRecording {
    std::vector<int16_t> samples; // interleaved left, right
    // The mean square of one channel (0 left, 1 right) over frames [from, to).
    double energy(int channel, size_t from = 0, size_t to = SIZE_MAX) const {
        const size_t frames = samples.size() / 2;
        to = std::min(to, frames);
        double sum = 0;
        for (size_t f = from; f < to; ++f)
            sum += double(samples[f * 2 + channel]) * samples[f * 2 + channel];
        return to > from ? sum / double(to - from) : 0;
    }
};

// Opens the mixer on the disk driver, runs play, lets it sound for ms, and reads back
// what was written.
template <class F> TRecording record(const TTemp_Dir& dir, const char* name, int ms, F play) {
    const std::string file = dir.Path() + name;
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    TRecording recording;
    {
        TSDL_Audio audio;
        std::string error;
        if (!audio.Open(error)) {
            ADD_FAILURE() << "the disk driver did not open: " << error;
            return recording;
        }
        play(audio);
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
    std::ifstream in(file, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    recording.samples.resize(bytes.size() / 2);
    std::memcpy(recording.samples.data(), bytes.data(), recording.samples.size() * 2);
    return recording;
}

class SDL_Audio_Recorded : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* driver = std::getenv("SDL_AUDIODRIVER");
        saved_ = driver ? driver : "";
        tone_ = dir_.Path() + "tone.wav";
        write_tone(tone_, 0.3);
    }
    void TearDown() override {
        if (saved_.empty())
            unsetenv("SDL_AUDIODRIVER");
        else
            setenv("SDL_AUDIODRIVER", saved_.c_str(), 1);
        unsetenv("SDL_DISKAUDIOFILE");
    }
    TTemp_Dir dir_;
    std::string tone_, saved_;
};

TEST_F(SDL_Audio_Recorded, APannedSoundIsLouderOnItsSideAndAFarOneQuieter) {
    const TRecording right = record(dir_, "right.raw", 250, [&](TSDL_Audio& audio) {
        std::string error;
        EXPECT_TRUE(audio.Play_Effect(0, tone_, 1.0, 0.1, 1.0, error)) << error;
    });
    ASSERT_GT(right.energy(1), 0);
    EXPECT_GT(right.energy(1), 10 * right.energy(0));

    const TRecording near = record(dir_, "near.raw", 250, [&](TSDL_Audio& audio) {
        std::string error;
        EXPECT_TRUE(audio.Play_Effect(4, tone_, 1.0, 1.0, 1.0, error)) << error;
    });
    const TRecording far = record(dir_, "far.raw", 250, [&](TSDL_Audio& audio) {
        std::string error;
        EXPECT_TRUE(audio.Play_Effect(4, tone_, 0.2, 1.0, 1.0, error)) << error;
    });
    ASSERT_GT(far.energy(0), 0);
    EXPECT_GT(near.energy(0), 4 * far.energy(0));
}

TEST_F(SDL_Audio_Recorded, MusicGoesOnAfterItsFileEndedOnce) {
    const std::string short_music = dir_.Path() + "short.wav";
    write_tone(short_music, 0.1);
    const TRecording music = record(dir_, "music.raw", 900, [&](TSDL_Audio& audio) {
        std::string error;
        EXPECT_TRUE(audio.Play_Music(short_music, error)) << error;
    });
    const size_t frames = music.samples.size() / 2;
    ASSERT_GT(frames, size_t(44100 * 0.35));
    // Well after the first 0.1 s the piece is still heard.
    EXPECT_GT(music.energy(0, size_t(44100 * 0.25), size_t(44100 * 0.35)), 1000.0);
}

} // namespace
