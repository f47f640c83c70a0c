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
