// Every sound and piece of music in the built game folder, as the content generator
// made it, is read by SDL's wave reader, which the sound layer plays them with.

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/sdl/sdl_wave.h"

namespace fs = std::filesystem;

TEST(Forged_Sounds, EveryWaveOfTheGameFolderIsReadable) {
#ifndef KV_GAME_DIR
    GTEST_SKIP() << "this build makes no game folder: the content generator is not built";
#else
    size_t sounds = 0;
    for (const char* folder : {"Sounds", "Music"}) {
        const fs::path dir = fs::path(KV_GAME_DIR) / folder;
        ASSERT_TRUE(fs::is_directory(dir)) << dir;
        for (const auto& entry : fs::directory_iterator(dir)) {
            if (entry.path().extension() != ".wav") {
                continue;
            }
            TWave_Info info;
            std::string error;
            ASSERT_TRUE(Read_Wave_File(entry.path().string(), info, error)) << error;
            EXPECT_EQ(info.bits, 16) << entry.path();
            EXPECT_GT(info.bytes, 0u) << entry.path();
            ++sounds;
        }
    }
    EXPECT_GT(sounds, 56u); // the engine's own sounds and the content's
#endif
}

TEST(Forged_Sounds, AWaveWhoseChunksClaimMoreThanTheFileIsRefusedUnread) {
    // What the fuzzer found: a data chunk claiming 4 GB made SDL's reader ask for it.
    std::string wave =
        std::string("RIFF") + std::string("\x24\0\0\0", 4) + "WAVEfmt " +
        std::string("\x10\0\0\0\x01\0\x01\0\x44\xac\0\0\x88\x58\x01\0\x02\0\x10\0", 20) + "data" +
        std::string("\x04\0\0\0\x01\x02\x03\x04", 8);
    std::string error;
    EXPECT_TRUE(Check_Wave_Bytes(wave, error)) << error;
    std::string huge = wave;
    huge.replace(40, 4, std::string("\xf5\xff\xff\xff", 4));
    EXPECT_FALSE(Check_Wave_Bytes(huge, error));
    EXPECT_EQ(error, "the \"data\" chunk claims more bytes than the file has");
    std::string riff = wave;
    riff.replace(4, 4, std::string("\xff\0\0\0", 4));
    EXPECT_FALSE(Check_Wave_Bytes(riff, error));
    std::string no_data = wave.substr(0, 36);
    no_data.replace(4, 4, std::string("\x1c\0\0\0", 4));
    EXPECT_FALSE(Check_Wave_Bytes(no_data, error));
    EXPECT_EQ(error, "the file has no sound data");
    EXPECT_FALSE(Check_Wave_Bytes("RIFX", error));
}

#include "platform/sdl/sdl_audio.h"

// The mixer plays the game's own sounds and loops its music (on SDL's dummy driver when
// the machine has no sound card).
TEST(SDL_Audio, PlaysEffectsOnTheirChannelsAndLoopsMusic) {
#ifndef KV_GAME_DIR
    GTEST_SKIP() << "this build makes no game folder: the content generator is not built";
#else
    TSDL_Audio audio;
    std::string error;
    if (!audio.Open(error))
        GTEST_SKIP() << "no audio device: " << error;
    const fs::path sounds = fs::path(KV_GAME_DIR) / "Sounds";
    EXPECT_TRUE(audio.Play_Effect(3, (sounds / "button.wav").string(), 0.5, 1.0, 0.2, error))
        << error;
    EXPECT_TRUE(audio.Play_Plain((sounds / "itemdrop.wav").string(), error)) << error;
    EXPECT_FALSE(audio.Play_Effect(10, (sounds / "button.wav").string(), 1, 1, 1, error));
    EXPECT_FALSE(audio.Play_Effect(0, (sounds / "missing.wav").string(), 1, 1, 1, error));
    fs::path music;
    for (const auto& entry : fs::directory_iterator(fs::path(KV_GAME_DIR) / "Music"))
        music = entry.path();
    ASSERT_FALSE(music.empty());
    ASSERT_TRUE(audio.Play_Music(music.string(), error)) << error;
    EXPECT_TRUE(audio.Music_Playing());
    audio.Stop_Music();
    EXPECT_FALSE(audio.Music_Playing());
    audio.Close();
    EXPECT_FALSE(audio.Play_Plain((sounds / "button.wav").string(), error));
#endif
}
