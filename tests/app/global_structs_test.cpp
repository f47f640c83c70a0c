#include <gtest/gtest.h>

#include "game/global_structs.h"
#include "shell/globals.h"
#include "shell/options.h"
#include "support/fake_services.h"
#include "support/temp_dir.h"

namespace {

std::string settings_file(const std::string& allow_music) {
    return "*BEGIN*\r\n\r\n\r\nAllow Music := " + allow_music +
           "\r\nAllow Sound := yes\r\nUse DirectSound := no\r\nMusic Song Intro := a.ogg\r\n"
           "Music Song Death := b.ogg\r\nGenerate Debug Log := no\r\n\r\n*END*\r\n";
}

TEST(Global_Structs, AModulesSettingsTakeEffectOnReloadAndFreeingEmptiesTheGlobals) {
    Reset_Shell_Globals();
    TTemp_Dir dir;
    App_Dir = dir.Path();
    dir.Write("Data/Settings.txt", settings_file("yes"));
    dir.Write("Modules/Crypt/Data/Settings.txt", settings_file("no"));
    for (const char* file : {"Effects.txt", "Classes.txt", "Spells.txt"}) {
        dir.Write(std::string("Data/") + file, "*BEGIN*\r\n\r\n\r\n*END*\r\n");
    }

    Create_Primary_Global_Structs();
    EXPECT_TRUE(Load_Primary_Global_Structs());
    EXPECT_TRUE(Game_Settings->Allow_Music);
    Create_Global_Structs();
    EXPECT_NE(Game_Options, nullptr);

    ASSERT_TRUE(Path_Settings->Set_Module("Crypt\\"));
    EXPECT_TRUE(Reload_Global_Structs());
    EXPECT_FALSE(Game_Settings->Allow_Music);

    // A broken copy is shown, and the load says so.
    dir.Write("Modules/Crypt/Data/Settings.txt", "no marker\r\n");
    TMessages_Recorder messages;
    {
        const TScoped_Services use({.Messages = &messages});
        EXPECT_FALSE(Reload_Global_Structs());
    }
    EXPECT_EQ(messages.Boxes.size(), 2u);

    Free_Global_Structs();
    EXPECT_EQ(Game_Options, nullptr);
    Free_Primary_Global_Structs();
    EXPECT_EQ(Path_Settings, nullptr);
    EXPECT_EQ(Game_Settings, nullptr);
    Reset_Shell_Globals();
}

} // namespace
