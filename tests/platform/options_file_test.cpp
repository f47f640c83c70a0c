#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/clock.h"
#include "platform/options_file.h"
#include "support/temp_dir.h"

TEST(Options_File, KeepsTypesAndNamesAcrossASave) {
    TTemp_Dir dir;
    std::string path = dir.Path() + "cfg/krelvane/options.ini";
    TOptions_File out(path);
    EXPECT_FALSE(out.Load()); // no file yet: like a registry without the key
    out.Write_String("Play Sounds", "false");
    out.Write_String("Game Path", "/games/krel \"vane\"\\");
    out.Write_Integer("Last Saved Game Slot", -3);
    ASSERT_TRUE(out.Save());

    TOptions_File in(path);
    ASSERT_TRUE(in.Load());
    std::string s;
    int32_t n = 0;
    EXPECT_TRUE(in.Read_String("Play Sounds", s));
    EXPECT_EQ(s, "false");
    EXPECT_TRUE(in.Read_String("game path", s)); // names ignore case
    EXPECT_EQ(s, "/games/krel \"vane\"\\");
    EXPECT_TRUE(in.Read_Integer("Last Saved Game Slot", n));
    EXPECT_EQ(n, -3);
    // The wrong type is a failed read, as a registry read of the wrong type fails.
    EXPECT_FALSE(in.Read_Integer("Play Sounds", n));
    EXPECT_FALSE(in.Read_String("Last Saved Game Slot", s));
    EXPECT_FALSE(in.Has_Value("Play Music"));
}

TEST(Options_File, SkipsLinesItCannotRead) {
    TTemp_Dir dir;
    std::string path = dir.Write("options.ini", "# comment\r\n"
                                                "Game Speed Modified Percent = 150\r\n"
                                                "broken line\n"
                                                "Too Big = 99999999999\n"
                                                "Unquoted = true\n"
                                                "Play Music = \"FALSE\"\n");
    TOptions_File in(path);
    ASSERT_TRUE(in.Load());
    int32_t n = 0;
    std::string s;
    EXPECT_TRUE(in.Read_Integer("Game Speed Modified Percent", n));
    EXPECT_EQ(n, 150);
    EXPECT_FALSE(in.Has_Value("Too Big"));
    EXPECT_FALSE(in.Has_Value("Unquoted"));
    EXPECT_TRUE(in.Read_String("Play Music", s));
    EXPECT_EQ(s, "FALSE");
}

TEST(Options_File, DefaultPathFollowsXdgConfigHome) {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    std::string saved = old ? old : "";
    setenv("XDG_CONFIG_HOME", "/tmp/xdg-test", 1);
    EXPECT_EQ(TOptions_File::Default_Path(), "/tmp/xdg-test/krelvane/options.ini");
    setenv("XDG_CONFIG_HOME", "relative", 1); // not absolute: ignored
    EXPECT_NE(TOptions_File::Default_Path().find("/.config/krelvane/options.ini"),
              std::string::npos);
    if (old) {
        setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    } else {
        unsetenv("XDG_CONFIG_HOME");
    }
}

TEST(Clock, GivesAPlausibleLocalTimeAndAMovingTick) {
    TDate_Time t = Local_Date_Time();
    EXPECT_GE(t.year, 2020);
    EXPECT_TRUE(t.month >= 1 && t.month <= 12);
    EXPECT_TRUE(t.hour >= 0 && t.hour <= 23);
    EXPECT_TRUE(t.millisecond >= 0 && t.millisecond <= 999);
    // The tick counts milliseconds: a pause of 30 shows as about 30, not as 0 nor as
    // seconds or microseconds.
    const uint32_t a = Tick_Count();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const uint32_t b = Tick_Count();
    EXPECT_GE(b - a, 29u);
    EXPECT_LT(b - a, 1000u);
}

TEST(Clock, ManualClockMovesOnlyWhenAdvancedAndNeverJumps) {
    Set_Manual_Clock(true);
    Set_Clock(0xFFFFFFF0u); // wraps like a 32-bit tick count
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(Tick_Count(), 0xFFFFFFF0u);
    Advance_Clock(50);
    EXPECT_EQ(Tick_Count(), 0x22u);
    // Back to automatic: it goes on from where it stood, then follows real time.
    Set_Manual_Clock(false);
    const uint32_t a = Tick_Count();
    EXPECT_LT(a - 0x22u, 5u);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_GE(Tick_Count() - a, 19u);
    Advance_Clock(1000); // a skip forward in automatic mode
    EXPECT_GE(Tick_Count() - a, 1019u);
    EXPECT_FALSE(Manual_Clock());
}
