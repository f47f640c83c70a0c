#include <gtest/gtest.h>

#include <algorithm>

#include "datafiles/game_settings_loader.h"
#include "platform/files.h"
#include "shell/debug_log.h"
#include "shell/globals.h"
#include "support/fake_services.h"
#include "support/temp_dir.h"

namespace {

using TStrings = std::vector<std::string>;

std::string settings_file(const TStrings& fields) {
    std::string text = "Krelvane settings\r\n*BEGIN*\r\n// Game settings\r\n\r\n";
    for (const std::string& field : fields) {
        text += field + "\r\n";
    }
    return text + "\r\n*END*\r\n";
}

const TStrings all_fields = {"Allow Music := Yes",           "Allow Sound := TRUE",
                             "Use DirectSound := yes",       "Music Song Intro := intro.ogg",
                             "Music Song Death := dead.ogg", "Generate Debug Log := TRUE"};

class Settings_File_Load : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_Shell_Globals();
        App_Dir = dir.Path();
        Create_Primary_Global_Structs();
    }
    void TearDown() override { Reset_Shell_Globals(); }
    TStrings log_lines() const {
        std::string text;
        Read_Whole_File(Debug_Log_File(), text);
        TStrings lines;
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find('\n', start);
            std::string line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            // Drop the date, time and tick count: "yy.mm.dd hh.mm.ss TICKS ".
            size_t third_blank = line.find(' ', line.find(' ', line.find(' ') + 1) + 1);
            lines.push_back(line.substr(third_blank + 1));
            start = end == std::string::npos ? text.size() : end + 1;
        }
        return lines;
    }

    TTemp_Dir dir;
    TMessages_Recorder messages;
    TScoped_Services use{{.Messages = &messages}};
};

TEST_F(Settings_File_Load, EveryFieldIsReadIntoTheSettings) {
    dir.Write("Data/Settings.txt", settings_file(all_fields));
    EXPECT_TRUE(Load_Game_Settings());
    EXPECT_TRUE(Game_Settings->Allow_Music);
    EXPECT_TRUE(Game_Settings->Allow_Sound);
    EXPECT_TRUE(Game_Settings->Use_DirectSound);
    EXPECT_EQ(Game_Settings->Music_Song_Intro, "intro.ogg");
    EXPECT_EQ(Game_Settings->Music_Song_Death, "dead.ogg");
    EXPECT_TRUE(Game_Settings->Generate_Debug_Log);
    EXPECT_EQ(Game_Settings->Color_Depth, 16);
    EXPECT_TRUE(messages.Boxes.empty());

    TStrings fields = all_fields;
    fields[0] = "Allow Music := 1";
    dir.Write("Data/Settings.txt", settings_file(fields));
    EXPECT_TRUE(Load_Game_Settings());
    EXPECT_FALSE(Game_Settings->Allow_Music);

    // With several records the last value wins.
    std::string text = settings_file(all_fields);
    text.replace(text.find("\r\n*END*"), 2,
                 "\r\nAllow Music := no\r\nAllow Sound := no\r\nUse DirectSound := no\r\n"
                 "Music Song Intro := b.ogg\r\nMusic Song Death := c.ogg\r\n"
                 "Generate Debug Log := yes\r\n");
    dir.Write("Data/Settings.txt", text);
    EXPECT_TRUE(Load_Game_Settings());
    EXPECT_FALSE(Game_Settings->Allow_Music);
    EXPECT_EQ(Game_Settings->Music_Song_Intro, "b.ogg");
}

TEST_F(Settings_File_Load, OnlyTheMarkersLeaveTheDefaultsAndReportNothing) {
    dir.Write("Data/Settings.txt", "*BEGIN*\r\n\r\n\r\n*END*\r\n");
    EXPECT_TRUE(Load_Game_Settings());
    EXPECT_FALSE(Game_Settings->Allow_Music);
    EXPECT_FALSE(Game_Settings->Allow_Sound);
    EXPECT_TRUE(Game_Settings->Generate_Debug_Log);
    EXPECT_TRUE(messages.Boxes.empty());
}

TEST_F(Settings_File_Load, AMissingFieldOrFileIsShownAndKeepsTheDefaults) {
    TStrings fields(all_fields.begin(), all_fields.end() - 1);
    dir.Write("Data/Settings.txt", settings_file(fields));
    EXPECT_FALSE(Load_Game_Settings());
    EXPECT_TRUE(Game_Settings->Generate_Debug_Log);
    const std::string file = Game_Settings_File();
    const std::string message =
        "Could not find field \"Generate Debug Log\" in record \"Main Record\".";
    EXPECT_EQ(messages.Boxes, (TStrings{"Data File Error|Errors reading file \"" + file + "\".",
                                        "Data File Error|" + message}));

    Delete_File(file);
    Game_Settings = std::make_unique<TGame_Settings>();
    messages.Boxes.clear();
    EXPECT_FALSE(Load_Game_Settings());
    EXPECT_EQ(messages.Boxes,
              (TStrings{"Data File Error|Errors reading file \"" + file + "\".",
                        "Data File Error|Unable to load data file: \"" + file + "\"."}));
    EXPECT_FALSE(Game_Settings->Allow_Music);
    EXPECT_FALSE(Game_Settings->Allow_Sound);
}

TEST_F(Settings_File_Load, EachFieldIsLoggedInOrder) {
    dir.Write("log/placeholder", "");
    TStrings fields = all_fields;
    fields.erase(fields.begin() + 3); // no "Music Song Intro": logged with an empty text
    dir.Write("Data/Settings.txt", settings_file(fields));
    Load_Game_Settings();
    TStrings lines = log_lines();
    lines.erase(lines.begin(), std::find(lines.begin(), lines.end(), "Load_Game_Settings - Start"));
    EXPECT_EQ(
        lines,
        (TStrings{
            "Load_Game_Settings - Start", "    TGame_Settings_Data_File_Loader.create",
            "    data_loader.Execute_Load",
            "TGame_Settings_Data_File_Loader.Process_Record - Start", "    Allow Music = Yes",
            "    Allow Sound = TRUE", "    Use DirectSound = yes",
            "    Music Song Intro = ", "    Music Song Death = dead.ogg",
            "    Generate Debug Log = TRUE", "TGame_Settings_Data_File_Loader.Process_Record - End",
            "    data_loader.Get_Error_List.count > 0",
            "    Error Msg: Errors reading file \"" + Game_Settings_File() + "\".",
            "    Error Msg: Could not find field \"Music Song Intro\" in record \"Main Record\".",
            "Load_Game_Settings - End"}));
}

TEST_F(Settings_File_Load, TurningTheLogOffTakesEffectAtOnce) {
    dir.Write("log/placeholder", "");
    TStrings fields = all_fields;
    fields[5] = "Generate Debug Log := FALSE";
    dir.Write("Data/Settings.txt", settings_file(fields));
    EXPECT_TRUE(Load_Game_Settings());
    EXPECT_FALSE(Game_Settings->Generate_Debug_Log);
    const TStrings lines = log_lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "    Music Song Death = dead.ogg");
}

TEST_F(Settings_File_Load, AModulesOwnCopyWinsOnceTheModuleIsChosen) {
    dir.Write("Data/Settings.txt", settings_file(all_fields));
    TStrings module_fields = all_fields;
    module_fields[0] = "Allow Music := no";
    dir.Write("Modules/Crypt/Data/Settings.txt", settings_file(module_fields));
    EXPECT_TRUE(Load_Game_Settings());
    EXPECT_TRUE(Game_Settings->Allow_Music);
    ASSERT_TRUE(Path_Settings->Set_Module("Crypt\\"));
    EXPECT_TRUE(Load_Game_Settings());
    EXPECT_FALSE(Game_Settings->Allow_Music);
    EXPECT_NE(Game_Settings_File().find("Modules/Crypt/Data/Settings.txt"), std::string::npos);
}

} // namespace
