// The engine's sounds: every name it asks for, each a clean RIFF WAVE.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "file_writers.h"
#include "forge_test_util.h"

TEST(Forge_Sounds, EveryNameTheEngineAsksForIsMade) {
    const std::set<std::string> expected = {
        "button.wav",   "item_sel.wav", "itempick.wav", "itemdrop.wav", "pick_up.wav",
        "put_down.wav", "money.wav",    "eat.wav",      "drink.wav",    "use_key.wav",
        "unlock.wav",   "shovel.wav",   "doorbash.wav", "punch.wav",    "miss_01.wav",
        "miss_02.wav",  "miss_03.wav",  "miss_04.wav",  "miss_05.wav",  "miss_06.wav",
        "miss_07.wav",  "chainmin.wav", "chainmed.wav", "chainmaj.wav", "platemin.wav",
        "platemed.wav", "platemaj.wav", "leth_min.wav", "leth_med.wav", "leth_maj.wav",
        "wood_min.wav", "wood_med.wav", "wood_maj.wav", "clothmin.wav", "clothmed.wav",
        "clothmaj.wav", "cold_min.wav", "cold_med.wav", "cold_maj.wav", "fire_min.wav",
        "fire_med.wav", "fire_maj.wav", "lit_min.wav",  "lit_med.wav",  "lit_maj.wav",
        "mag_min.wav",  "mag_med.wav",  "mag_maj.wav",  "pois_min.wav", "pois_med.wav",
        "pois_maj.wav", "newlevel.wav", "chardie2.wav", "new_q.wav",    "q_comp.wav",
        "q_fail.wav"};
    ASSERT_EQ(expected.size(), 56u);
    std::set<std::string> made;
    for (const TSound_Entry& e : Engine_Sounds()) {
        EXPECT_EQ(e.folder, "Sounds");
        EXPECT_TRUE(made.insert(e.name).second) << "made twice: " << e.name;
    }
    EXPECT_EQ(made, expected);
}

TEST(Forge_Sounds, EverySoundIsAShortCleanMonoWave) {
    std::set<std::vector<int16_t>> distinct;
    size_t count = 0;
    for (const TSound_Entry& e : All_Sounds()) {
        ++count;
        SCOPED_TRACE(e.name);
        const std::vector<int16_t> pcm = e.make();
        const std::string b = Encode_WAV(pcm);
        // The header the engine's reader and the mixer both accept.
        ASSERT_EQ(b.substr(0, 4), "RIFF");
        EXPECT_EQ(Le32(b, 4), b.size() - 8);
        EXPECT_EQ(b.substr(8, 8), "WAVEfmt ");
        EXPECT_EQ(Le32(b, 16), 16u);
        EXPECT_EQ(Le16(b, 22), 1u);
        EXPECT_EQ(Le32(b, 24), 22050u);
        EXPECT_EQ(Le16(b, 34), 16u);
        EXPECT_EQ(b.substr(36, 4), "data");
        EXPECT_EQ(Le32(b, 40), b.size() - 44);

        const double seconds = pcm.size() / 22050.0;
        const bool music = e.folder == "Music";
        EXPECT_GE(seconds, music ? 10.0 : 0.04);
        EXPECT_LE(seconds, music ? 60.0 : 2.0);
        int peak = 0;
        for (int16_t v : pcm)
            peak = std::max(peak, std::abs(int(v)));
        EXPECT_GT(peak, 8000) << "too quiet";
        EXPECT_LT(peak, 32000) << "at or near clipping";
        if (music) {
            // A loop: the end runs into the start like any two neighbouring samples.
            int largest_step = 0;
            for (size_t i = 1; i < pcm.size(); ++i)
                largest_step = std::max(largest_step, std::abs(pcm[i] - pcm[i - 1]));
            EXPECT_LE(std::abs(pcm.front() - pcm.back()), largest_step);
        } else {
            EXPECT_LT(std::abs(pcm.front()), 500);
            EXPECT_LT(std::abs(pcm.back()), 500);
        }
        distinct.insert(pcm);
    }
    EXPECT_EQ(distinct.size(), count) << "two sounds are identical";
}
