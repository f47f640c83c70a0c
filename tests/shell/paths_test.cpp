#include <gtest/gtest.h>

#include "platform/files.h"
#include "shell/globals.h"
#include "shell/paths.h"
#include "support/temp_dir.h"

namespace {
class Paths : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_Shell_Globals();
        App_Dir = game.Path();
    }
    void TearDown() override { Reset_Shell_Globals(); }
    TTemp_Dir game;
    TPath_Settings paths;
};
} // namespace

TEST_F(Paths, ModuleCopiesOverrideCommonFiles) {
    game.Write("Pictures/SysPics/MainUI.bmp", "common");
    game.Write("Modules/Crypt/Pictures/SysPics/MainUI.bmp", "crypt");
    game.Write("Modules/Crypt/Data/Settings.txt", "crypt settings");
    const std::string common_ui = App_Dir + "Pictures\\SysPics\\MainUI.bmp";

    EXPECT_EQ(paths.Get_Main_UI_Bitmap(), common_ui); // no module yet
    ASSERT_TRUE(paths.Set_Module("Crypt\\"));
    EXPECT_EQ(paths.Get_Module_Name(), "Crypt\\");
    EXPECT_EQ(paths.Get_Module_Folder(), App_Dir + "Modules\\Crypt\\");
    EXPECT_EQ(paths.Get_Main_UI_Bitmap(),
              App_Dir + "Modules\\Crypt\\Pictures\\SysPics\\MainUI.bmp");
    EXPECT_EQ(paths.Get_Settings_File(), App_Dir + "Modules\\Crypt\\Data\\Settings.txt");
    // Files the module does not have come from the common folders.
    EXPECT_EQ(paths.Get_Misc_Bitmap(), App_Dir + "Pictures\\SysPics\\misc.bmp");
    EXPECT_EQ(paths.Get_Spells_File(), App_Dir + "Data\\Spells.txt");
    EXPECT_EQ(paths.Get_Sound_File("door.wav"), App_Dir + "Sounds\\door.wav");

    ASSERT_TRUE(paths.Set_Module("Forest\\")); // a module without its own copy
    EXPECT_EQ(paths.Get_Main_UI_Bitmap(), common_ui);
    ASSERT_TRUE(paths.Set_Module(""));
    EXPECT_EQ(paths.Get_Module_Folder(), "");
    EXPECT_EQ(paths.Get_Settings_File(), App_Dir + "Data\\Settings.txt");
}

TEST_F(Paths, NamesThatLeaveTheirFolderResolveToNothing) {
    game.Write("secret.bmp", "x");
    ASSERT_TRUE(paths.Set_Module("Crypt\\"));
    EXPECT_EQ(paths.Get_Terrain_Picture("..\\..\\secret.bmp"), "");
    EXPECT_EQ(paths.Get_Item_Picture("../secret.bmp"), "");
    EXPECT_EQ(paths.Get_Monster_Picture("C:\\x.bmp"), "");
    EXPECT_EQ(paths.Get_Music_File(""), "");
    EXPECT_EQ(paths.Get_Character_File("..\\evil"), "");
    EXPECT_EQ(paths.Get_Tile_File("sub/tiles.txt"), "");
    EXPECT_EQ(paths.Get_Module_Data_File_By_Name("..\\Other\\Data\\x.txt"), "");
    EXPECT_EQ(paths.Get_Terrain_Picture("wall.bmp"), App_Dir + "Pictures\\Terrain\\wall.bmp");

    EXPECT_FALSE(paths.Set_Module("..\\"));
    EXPECT_FALSE(paths.Set_Module("a\\b\\"));
    EXPECT_FALSE(paths.Set_Module("Crypt"));       // a module name ends in its separator
    EXPECT_EQ(paths.Get_Module_Name(), "Crypt\\"); // unchanged by the refusals
    ASSERT_TRUE(paths.Set_Module("Forest/"));
    EXPECT_EQ(paths.Get_Module_Name(), "Forest\\");
}

TEST_F(Paths, FixedFilesAndFolders) {
    game.Write("Modules/Crypt/Data/HighScores.dat", "module copy");
    ASSERT_TRUE(paths.Set_Module("Crypt\\"));
    EXPECT_EQ(paths.Get_High_Score_File(), App_Dir + "Data\\HighScores.dat");
    EXPECT_EQ(paths.Get_Save_Slot_Folder(3), App_Dir + "Savegames\\slot03\\");
    EXPECT_EQ(paths.Get_Save_Slot_Folder(12), App_Dir + "Savegames\\slot12\\");
    EXPECT_EQ(paths.Get_Save_Slot_Folder(-3), "");
    EXPECT_EQ(paths.Get_Current_Game_Folder(), App_Dir + "CurrGame\\");
    EXPECT_EQ(paths.Get_Character_File("Hero.dat"), App_Dir + "Characters\\Hero.dat");
    EXPECT_EQ(paths.Get_Modules_Folder(), App_Dir + "Modules\\");
    EXPECT_EQ(paths.Get_Module_Data_File(), App_Dir + "Modules\\Crypt\\Data\\ModuleData.txt");
    EXPECT_EQ(paths.Get_Unique_Item_Names_File(),
              App_Dir + "Modules\\Crypt\\Data\\UniqueItemNames.txt");
    EXPECT_EQ(paths.Get_Tiles_Folder(), App_Dir + "Modules\\Crypt\\Tiles\\");
    EXPECT_EQ(paths.Get_Tile_File("Tiles1.txt"), App_Dir + "Modules\\Crypt\\Tiles\\Tiles1.txt");
    EXPECT_EQ(paths.Get_Summon_Monster_Classes_File(), App_Dir + "Data\\Summon_MonsterClasses.txt");

    // Module files are never looked for outside a chosen module.
    ASSERT_TRUE(paths.Set_Module(""));
    EXPECT_EQ(paths.Get_Quests_File(), "");
    EXPECT_EQ(paths.Get_Tiles_Folder(), "");
}

TEST_F(Paths, OverrideLookupIgnoresCase) {
    game.Write("modules/crypt/pictures/syspics/mainui.bmp", "crypt");
    ASSERT_TRUE(paths.Set_Module("Crypt\\"));
    const std::string found = paths.Get_Main_UI_Bitmap();
    EXPECT_EQ(found, App_Dir + "Modules\\Crypt\\Pictures\\SysPics\\MainUI.bmp");
    std::string bytes;
    EXPECT_TRUE(Read_Whole_File(found, bytes));
    EXPECT_EQ(bytes, "crypt");
}
