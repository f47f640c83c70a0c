#include <gtest/gtest.h>

#include "shell/services.h"
#include "support/fake_services.h"

namespace {

TEST(Services, NothingInstalledIsSilentAndNeverNothing) {
    const TServices previous = Install_Services({});
    ::testing::internal::CaptureStderr();
    Play_Sound("door.wav");
    Sound_Service().Play_Sound("growl.wav", 10, 10);
    const bool missile = Sprite_Service().Is_Missile_On_Square(10, 10);
    Show_Message_Box("Error", "Unable to load map file \"2.map\".");
    const std::string printed = ::testing::internal::GetCapturedStderr();
    Install_Services(previous);
    EXPECT_FALSE(missile);
    EXPECT_EQ(printed, "Error: Unable to load map file \"2.map\".\n");
}

TEST(Services, AScopedSetReplacesOnlyWhatItNamesAndPutsTheOldSetBack) {
    TSound_Recorder program_sound, test_sound;
    TMessages_Recorder messages;
    const TServices previous = Install_Services({.Sound = &program_sound, .Messages = &messages});
    {
        const TScoped_Services use({.Sound = &test_sound});
        Play_Sound("click.wav");
        Play_Sound(""); // nothing to play
        Show_Message_Box("Resume", "No saved game.");
        EXPECT_EQ(Services().Messages, &messages);
    }
    Play_Sound("after.wav");
    const TServices replaced = Install_Services(previous);
    EXPECT_EQ(test_sound.Waves(), std::vector<std::string>{"click.wav"});
    EXPECT_EQ(program_sound.Waves(), std::vector<std::string>{"after.wav"});
    EXPECT_EQ(messages.Boxes, std::vector<std::string>{"Resume|No saved game."});
    EXPECT_EQ(replaced.Sound, &program_sound);
    EXPECT_EQ(Services().Sound, previous.Sound);
}

} // namespace
