// What the game's sound plays, where and how loud: the ring of ten effects, positional
// volume and pan, the switches, and the music.

#include "sound/sound_system.h"

#include <gtest/gtest.h>

#include <cmath>

#include "shell/globals.h"
#include "shell/options.h"
#include "support/temp_dir.h"

namespace {

struct TRecorded_Device : TAudio_Device {
    struct TEffect {
        int slot = -1; // -1 for the plain player
        std::string path;
        double gain = 0, left = 0, right = 0;
    };
    std::vector<TEffect> effects;
    std::vector<std::string> music; // "" for a stop
    bool opens = true;
    bool Open(std::string& error) override {
        error = opens ? "" : "no device";
        return opens;
    }
    void Close() override {}
    bool Play_Effect(int slot, const std::string& path, double gain, double left, double right,
                     std::string&) override {
        effects.push_back({slot, path, gain, left, right});
        return true;
    }
    bool Play_Plain(const std::string& path, std::string&) override {
        effects.push_back({-1, path, 1, 1, 1});
        return true;
    }
    bool Play_Music(const std::string& path, std::string&) override {
        music.push_back(path);
        return true;
    }
    void Stop_Music() override { music.push_back(""); }
};

class Sound_System : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_Shell_Globals();
        Create_Primary_Global_Structs();
        Game_Settings->Generate_Debug_Log = false;
        Game_Settings->Allow_Sound = Game_Settings->Allow_Music = true;
        Game_Settings->Use_DirectSound = true;
        App_Dir = dir_.Path();
        Machine_Options = TMachine_Options();
        sound_.Initialize();
    }
    void TearDown() override {
        sound_.Free();
        App_Dir.clear();
        Reset_Shell_Globals();
    }
    TTemp_Dir dir_;
    TRecorded_Device device_;
    TSound_System sound_{device_};
};

TEST(Sound_Position, VolumeFallsWithDistanceAndWalls) {
    EXPECT_EQ(Positional_Volume(0, 0, 0), 0);
    EXPECT_EQ(Positional_Volume(0, 1, 0), 0);
    EXPECT_EQ(Positional_Volume(0, 2, 0), -100);
    EXPECT_EQ(Positional_Volume(0, 2, 1), -1600);
    EXPECT_EQ(Positional_Volume(0, 30, 9), -10000);
}

TEST(Sound_Position, BearingAndPanFollowTheMapView) {
    EXPECT_EQ(Sound_Bearing(0, -3), 0);
    EXPECT_EQ(Sound_Bearing(2, 0), 90);
    EXPECT_EQ(Sound_Bearing(3, 3), 135);
    EXPECT_EQ(Sound_Bearing(0, 4), 180);
    EXPECT_EQ(Sound_Bearing(-1, 0), 270);
    EXPECT_EQ(Sound_Bearing(-2, -2), 315);
    EXPECT_EQ(Sound_Bearing(1, -2), 27);
    EXPECT_EQ(Sound_Bearing(0, 0), 0);
    EXPECT_EQ(Pan_For_Bearing(0, false), -2250); // due north
    EXPECT_EQ(Pan_For_Bearing(0, true), 0);      // the listener's own square
    EXPECT_EQ(Pan_For_Bearing(135, false), 4500);
    EXPECT_EQ(Pan_For_Bearing(315, false), -4500);
    EXPECT_EQ(Pan_For_Bearing(90, false), 2250);
    EXPECT_EQ(Pan_For_Bearing(225, false), 0);
    // The four diagonals: north-east and south-west lie on the view's vertical axis.
    EXPECT_EQ(Pan_For_Bearing(Sound_Bearing(1, -1), false), 0);
    EXPECT_EQ(Pan_For_Bearing(Sound_Bearing(1, 1), false), 4500);
    EXPECT_EQ(Pan_For_Bearing(Sound_Bearing(-1, 1), false), 0);
    EXPECT_EQ(Pan_For_Bearing(Sound_Bearing(-1, -1), false), -4500);
    // West: the left of the view.
    EXPECT_EQ(Pan_For_Bearing(Sound_Bearing(-3, 0), false), -2250);
}

TEST(Sound_Position, HundredthsOfADecibelBecomeGains) {
    EXPECT_DOUBLE_EQ(Volume_To_Gain(0), 1.0);
    EXPECT_NEAR(Volume_To_Gain(-2000), 0.1, 1e-12);
    EXPECT_EQ(Volume_To_Gain(-10000), 0.0);
    double left = 0, right = 0;
    Pan_To_Gains(4500, left, right);
    EXPECT_NEAR(left, std::pow(10.0, -2.25), 1e-12);
    EXPECT_EQ(right, 1.0);
    Pan_To_Gains(-10000, left, right);
    EXPECT_EQ(left, 1.0);
    EXPECT_EQ(right, 0.0);
}

TEST_F(Sound_System, TheEleventhEffectTakesTheOldestSlot) {
    for (int i = 1; i <= 11; ++i)
        sound_.Play_Sound("button.wav", 0, 0);
    ASSERT_EQ(device_.effects.size(), 11u);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(device_.effects[size_t(i)].slot, i);
    EXPECT_EQ(device_.effects[10].slot, 0);
    EXPECT_EQ(sound_.Ring_Index(), 1);
    EXPECT_EQ(device_.effects[0].gain, 1.0);
    EXPECT_NE(device_.effects[0].path.find("button.wav"), std::string::npos);
    // The mixer opens the file by its Linux path.
    EXPECT_EQ(device_.effects[0].path.find('\\'), std::string::npos) << device_.effects[0].path;
}

TEST_F(Sound_System, SwitchesSilenceEffectsAndTheMixerCanBeLeftOut) {
    Machine_Options.Play_Sounds = false;
    sound_.Play_Sound("button.wav", 0, 0);
    EXPECT_TRUE(device_.effects.empty());
    Machine_Options.Play_Sounds = true;
    Game_Settings->Allow_Sound = false;
    sound_.Play_Sound("button.wav", 5, 5);
    EXPECT_TRUE(device_.effects.empty());
    // Without the mixer every sound goes to the plain player, placed or not.
    Game_Settings->Allow_Sound = true;
    Game_Settings->Use_DirectSound = false;
    sound_.Play_Sound("button.wav", 0, 0);
    sound_.Play_Sound_At("door.wav", 9, 9, 1, 1);
    ASSERT_EQ(device_.effects.size(), 2u);
    EXPECT_EQ(device_.effects[0].slot, -1);
    EXPECT_EQ(device_.effects[1].slot, -1);
    // A name from a file is a file of the sounds folder, never a path out of it.
    sound_.Play_Sound("../../etc/passwd", 0, 0);
    EXPECT_EQ(device_.effects.back().path.find(".."), std::string::npos);
}

TEST_F(Sound_System, APlacedSoundIsQuieterAwayAndPannedToItsSide) {
    sound_.Play_Sound_At("growl.wav", 12, 10, 10, 10); // two squares east
    ASSERT_EQ(device_.effects.size(), 1u);
    EXPECT_NEAR(device_.effects[0].gain, Volume_To_Gain(-100), 1e-12);
    EXPECT_EQ(device_.effects[0].right, 1.0);
    EXPECT_NEAR(device_.effects[0].left, Volume_To_Gain(-2250), 1e-12);
    // Without a character the square has no listener: the sound plays without a place.
    sound_.Play_Sound("growl.wav", 40, 40);
    EXPECT_EQ(device_.effects.back().gain, 1.0);
    EXPECT_EQ(device_.effects.back().left, 1.0);
}

TEST_F(Sound_System, MusicLoopsChangesAndStopsAndAMissingFileIsSilence) {
    dir_.Write("Music/crypt.wav", "RIFF");
    dir_.Write("Music/town.wav", "RIFF");
    sound_.Play_Music("crypt.wav");
    ASSERT_EQ(device_.music.size(), 1u);
    EXPECT_NE(device_.music[0].find("crypt.wav"), std::string::npos);
    EXPECT_EQ(sound_.Current_Music(), "crypt.wav");
    sound_.Play_Music("town.wav"); // the old piece closes first
    EXPECT_EQ(device_.music, (std::vector<std::string>{device_.music[0], "", device_.music[2]}));
    EXPECT_EQ(sound_.Current_Music(), "town.wav");
    sound_.Play_Music("nowhere.wav");
    EXPECT_EQ(sound_.Current_Music(), "");
    EXPECT_EQ(device_.music.back(), "");
    EXPECT_FALSE(sound_.Busy());
    Machine_Options.Play_Music = false;
    sound_.Play_Music("town.wav");
    EXPECT_EQ(sound_.Current_Music(), "");
    Machine_Options.Play_Music = true;
    sound_.Play_Music("town.wav");
    sound_.Stop_Music();
    EXPECT_EQ(sound_.Current_Music(), "");
    EXPECT_EQ(device_.music.back(), "");
}

TEST(Sound_Without_Device, NothingPlaysAndNothingFails) {
    Reset_Shell_Globals();
    Create_Primary_Global_Structs();
    Game_Settings->Generate_Debug_Log = false;
    Game_Settings->Allow_Sound = Game_Settings->Allow_Music = true;
    TRecorded_Device device;
    device.opens = false;
    TSound_System sound(device);
    sound.Initialize();
    sound.Play_Sound("button.wav", 0, 0);
    sound.Play_Music("crypt.wav");
    EXPECT_TRUE(device.effects.empty());
    EXPECT_TRUE(device.music.empty());
    Reset_Shell_Globals();
}

} // namespace
