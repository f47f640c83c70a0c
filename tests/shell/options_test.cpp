#include <gtest/gtest.h>

#include "platform/options_file.h"
#include "shell/globals.h"
#include "shell/options.h"
#include "shell/value_stream.h"
#include "support/temp_dir.h"

namespace {
class Machine_Options_Test : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_Shell_Globals();
        App_Dir = "/games/Krelvane/";
        file_path = dir.Path() + "krelvane/options.ini";
    }
    void TearDown() override { Reset_Shell_Globals(); }

    // An options file holding every value, as the Options dialog leaves it.
    TOptions_File full_file() {
        TOptions_File file(file_path);
        file.Write_String("Game Path", "/old/");
        file.Write_Integer("Last Saved Game Slot", 4);
        file.Write_String("Play Sounds", "true");
        file.Write_String("Play Music", "true");
        file.Write_String("Show Drawing Speed", "false");
        file.Write_String("Dont Autosave", "true");
        file.Write_String("Autosave Every Minute", "false");
        file.Write_String("Autosave Every 5 Minutes", "false");
        file.Write_String("Autosave Every 20 Minutes", "false");
        file.Write_Integer("Game Speed Modified Percent", 150);
        return file;
    }
    void expect_defaults() {
        EXPECT_EQ(Machine_Options.Game_Path, App_Dir);
        EXPECT_EQ(Machine_Options.Last_Saved_Game_Slot, 0);
        EXPECT_TRUE(Machine_Options.Play_Sounds);
        EXPECT_TRUE(Machine_Options.Play_Music);
        EXPECT_FALSE(Machine_Options.Show_Drawing_Speed);
        EXPECT_TRUE(Machine_Options.Dont_Autosave);
        EXPECT_FALSE(Machine_Options.Autosave_Every_Minute ||
                     Machine_Options.Autosave_Every_5_Minutes ||
                     Machine_Options.Autosave_Every_20_Minutes);
        EXPECT_EQ(Machine_Options.Game_Speed_Modified_Percent, 100);
    }

    TTemp_Dir dir;
    std::string file_path;
};
} // namespace

TEST_F(Machine_Options_Test, MissingOrIncompleteFilesGiveTheDefaults) {
    Machine_Options.Play_Music = false;
    EXPECT_FALSE(Read_Machine_Options(file_path)); // no file at all
    expect_defaults();

    // Every value but the slot: all defaults, even the music switched off here.
    TOptions_File file(file_path);
    file.Write_String("Play Music", "false");
    file.Write_Integer("Game Speed Modified Percent", 50);
    ASSERT_TRUE(file.Save());
    EXPECT_FALSE(Read_Machine_Options(file_path));
    expect_defaults();

    // A value of the wrong type, or a missing speed, is a failed read: defaults.
    TOptions_File wrong = full_file();
    wrong.Write_Integer("Play Music", 0);
    ASSERT_TRUE(wrong.Save());
    EXPECT_FALSE(Read_Machine_Options(file_path));
    expect_defaults();
}

TEST_F(Machine_Options_Test, BooleanStringsAndAutosaveChoice) {
    TOptions_File file = full_file();
    file.Write_String("Play Music", "FALSE");
    file.Write_String("Play Sounds", "no"); // only "false" switches a sound off
    file.Write_String("Show Drawing Speed", "TRUE");
    file.Write_String("Autosave Every 5 Minutes", "true");
    file.Write_String("Dont Autosave", "true");
    ASSERT_TRUE(file.Save());
    ASSERT_TRUE(Read_Machine_Options(file_path));
    EXPECT_FALSE(Machine_Options.Play_Music);
    EXPECT_TRUE(Machine_Options.Play_Sounds);
    EXPECT_TRUE(Machine_Options.Show_Drawing_Speed);
    EXPECT_TRUE(Machine_Options.Autosave_Every_5_Minutes);
    EXPECT_TRUE(Machine_Options.Dont_Autosave); // as stored; the dialog keeps one on
    EXPECT_EQ(Machine_Options.Game_Path, "/old/");
    EXPECT_EQ(Machine_Options.Last_Saved_Game_Slot, 4);
    EXPECT_EQ(Machine_Options.Game_Speed_Modified_Percent, 150);

    file.Write_String("Dont Autosave", "false");
    file.Write_String("Autosave Every 5 Minutes", "false");
    ASSERT_TRUE(file.Save());
    ASSERT_TRUE(Read_Machine_Options(file_path));
    EXPECT_TRUE(Machine_Options.Dont_Autosave); // nothing else chosen
}

TEST_F(Machine_Options_Test, OutOfRangeSlotAndSpeedAreRepaired) {
    TOptions_File file = full_file();
    file.Write_Integer("Last Saved Game Slot", -3);
    file.Write_Integer("Game Speed Modified Percent", 0);
    ASSERT_TRUE(file.Save());
    ASSERT_TRUE(Read_Machine_Options(file_path));
    EXPECT_EQ(Machine_Options.Last_Saved_Game_Slot, 0);
    EXPECT_EQ(Machine_Options.Game_Speed_Modified_Percent, 100);
    EXPECT_EQ(Speed_Scaled_Time(100), 100);

    const std::pair<int32_t, int32_t> cases[] = {{11, 0}, {10, 10}, {1, 1}};
    for (auto [stored, read] : cases) {
        file.Write_Integer("Last Saved Game Slot", stored);
        ASSERT_TRUE(file.Save());
        Read_Machine_Options(file_path);
        EXPECT_EQ(Machine_Options.Last_Saved_Game_Slot, read) << stored;
    }
    const std::pair<int32_t, int32_t> speeds[] = {
        {9, 100}, {10, 10}, {200, 200}, {201, 100}, {-50, 100}};
    for (auto [stored, read] : speeds) {
        file.Write_Integer("Game Speed Modified Percent", stored);
        ASSERT_TRUE(file.Save());
        Read_Machine_Options(file_path);
        EXPECT_EQ(Machine_Options.Game_Speed_Modified_Percent, read) << stored;
    }
}

TEST_F(Machine_Options_Test, WritingKeepsEveryValue) {
    Machine_Options.Game_Path = "/here/";
    Machine_Options.Last_Saved_Game_Slot = 7;
    Machine_Options.Play_Sounds = false;
    Machine_Options.Dont_Autosave = false;
    Machine_Options.Autosave_Every_20_Minutes = true;
    Machine_Options.Game_Speed_Modified_Percent = 60;
    ASSERT_TRUE(Write_Machine_Options(file_path));

    TOptions_File stored(file_path);
    ASSERT_TRUE(stored.Load());
    std::string text;
    ASSERT_TRUE(stored.Read_String("Play Sounds", text));
    EXPECT_EQ(text, "false");
    ASSERT_TRUE(stored.Read_String("Autosave Every 20 Minutes", text));
    EXPECT_EQ(text, "true");

    Machine_Options = TMachine_Options();
    ASSERT_TRUE(Read_Machine_Options(file_path));
    EXPECT_EQ(Machine_Options.Game_Path, "/here/");
    EXPECT_EQ(Machine_Options.Last_Saved_Game_Slot, 7);
    EXPECT_FALSE(Machine_Options.Play_Sounds);
    EXPECT_FALSE(Machine_Options.Dont_Autosave);
    EXPECT_TRUE(Machine_Options.Autosave_Every_20_Minutes);
    EXPECT_EQ(Machine_Options.Game_Speed_Modified_Percent, 60);

    // The game path alone is rewritten at start-up; the other values stay.
    ASSERT_TRUE(Write_Game_Path("/moved/", file_path));
    ASSERT_TRUE(Read_Machine_Options(file_path));
    EXPECT_EQ(Machine_Options.Game_Path, "/moved/");
    EXPECT_EQ(Machine_Options.Last_Saved_Game_Slot, 7);
}

TEST_F(Machine_Options_Test, StartUpWritesOnlyTheGamePath) {
    ASSERT_TRUE(Setup_Global_Vars("/srv/Krelvane/Game", file_path));
    EXPECT_EQ(App_Dir, "/srv/Krelvane/Game/"); // case kept, separator added
    TOptions_File stored(file_path);
    ASSERT_TRUE(stored.Load());
    std::string text;
    ASSERT_TRUE(stored.Read_String("Game Path", text));
    EXPECT_EQ(text, "/srv/Krelvane/Game/");
    EXPECT_FALSE(stored.Has_Value("Last Saved Game Slot"));
    // A fresh installation therefore reads the defaults.
    EXPECT_FALSE(Read_Machine_Options(file_path));
    expect_defaults();
}

TEST(Speed_Scaling, FollowsTheGameSpeedPercent) {
    Machine_Options.Game_Speed_Modified_Percent = 200;
    EXPECT_EQ(Speed_Scaled_Time(100), 50);
    EXPECT_EQ(Speed_Scaled_Amount(7), 14);
    EXPECT_DOUBLE_EQ(Speed_Scaled_Time_F(75.0), 37.5);
    Machine_Options.Game_Speed_Modified_Percent = 50;
    EXPECT_EQ(Speed_Scaled_Time(100), 200);
    Machine_Options.Game_Speed_Modified_Percent = 30;
    EXPECT_EQ(Speed_Scaled_Time(100), 333); // truncated
    Machine_Options.Game_Speed_Modified_Percent = 150;
    EXPECT_EQ(Speed_Scaled_Amount(7), 10);
    EXPECT_EQ(Speed_Scaled_Amount(-7), -10); // toward zero
    Machine_Options.Game_Speed_Modified_Percent = 10;
    EXPECT_EQ(Speed_Scaled_Time(1000000000), 2147483647); // held at the 32-bit end
    Machine_Options.Game_Speed_Modified_Percent = 0;      // set in code, never read so
    EXPECT_EQ(Speed_Scaled_Time(100), 100);
    Machine_Options = TMachine_Options();
}

TEST(Game_Options, SavesItsFieldsInOrderAndWidth) {
    TGame_Options options;
    TValue_Writer writer;
    options.Save(writer);
    auto bytes = [](std::initializer_list<int> values) {
        std::string out;
        for (int v : values)
            out += static_cast<char>(v);
        return out;
    };
    // Flags 1..5, difficulty 2, start and entry level 0, then five empty sets.
    std::string expected = bytes({9, 9, 8, 9, 9, 2, 2, 2, 0, 2, 0});
    for (int i = 0; i < 5; ++i)
        expected += bytes({6, 0, 2, 0, 6, 0, 2, 0, 2, 0});
    EXPECT_EQ(writer.Bytes(), expected);
    EXPECT_EQ(writer.Bytes().size(), 11u + 50u);

    options.Flag_1 = false;
    options.Flag_3 = true;
    options.Difficulty = 4;
    options.Start_Level = 40000;
    options.Map_Entry_Level = 12;
    options.Module_Label = "The Crypt";
    options.Equipment_Sets[4] = {"Long Sword", 17, "[Empty]", 0, 3};
    TValue_Writer changed;
    options.Save(changed);

    TGame_Options loaded;
    TValue_Reader reader(changed.Bytes());
    loaded.Load(reader);
    EXPECT_TRUE(reader.At_End());
    EXPECT_FALSE(loaded.Flag_1);
    EXPECT_TRUE(loaded.Flag_3);
    EXPECT_EQ(loaded.Difficulty, 4);
    EXPECT_EQ(loaded.Start_Level, 40000);
    EXPECT_EQ(loaded.Map_Entry_Level, 12);
    EXPECT_EQ(loaded.Module_Label, ""); // not saved
    EXPECT_EQ(loaded.Equipment_Sets[4].First_Hand_Name, "Long Sword");
    EXPECT_EQ(loaded.Equipment_Sets[4].First_Hand_Id, 17);
    EXPECT_EQ(loaded.Equipment_Sets[4].Second_Hand_Name, "[Empty]");
    EXPECT_EQ(loaded.Equipment_Sets[4].Spell_Slot, 3);

    // A record cut short is a read error and leaves the options as they were.
    TGame_Options kept;
    kept.Difficulty = 3;
    TValue_Reader cut(changed.Bytes().substr(0, changed.Bytes().size() - 1));
    EXPECT_THROW(kept.Load(cut), TStream_Error);
    EXPECT_EQ(kept.Difficulty, 3);
    EXPECT_TRUE(kept.Flag_1);

    // A difficulty the game never sets is damage too.
    std::string damaged = changed.Bytes();
    ASSERT_EQ(damaged.substr(5, 2), bytes({2, 4}));
    damaged[6] = 9;
    TValue_Reader wrong(damaged);
    EXPECT_THROW(kept.Load(wrong), TStream_Error);
    EXPECT_EQ(kept.Difficulty, 3);
}

TEST(Game_Options, RemapsEquipmentSetItems) {
    TGame_Options options;
    options.Equipment_Sets[0] = {"Sword", 5, "Shield", 9, 1};
    options.Equipment_Sets[1] = {"Bow", 12, "[Empty]", 0, 0};
    options.Equipment_Sets[2] = {"Axe", 4, "Dagger", 5, 0};
    options.Remap_Item_Ids({9, 5, 0, 12}, {30, 31, 77, 5});
    EXPECT_EQ(options.Equipment_Sets[0].First_Hand_Id, 31);
    EXPECT_EQ(options.Equipment_Sets[0].Second_Hand_Id, 30);
    EXPECT_EQ(options.Equipment_Sets[1].First_Hand_Id, 5);  // 12 -> 5, not then 5 -> 31
    EXPECT_EQ(options.Equipment_Sets[1].Second_Hand_Id, 0); // no item stays no item
    EXPECT_EQ(options.Equipment_Sets[2].First_Hand_Id, 4);  // not renumbered
    EXPECT_EQ(options.Equipment_Sets[2].Second_Hand_Id, 31);
}
