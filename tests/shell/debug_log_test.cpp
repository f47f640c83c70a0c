#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "platform/files.h"
#include "shell/debug_log.h"
#include "shell/globals.h"
#include "support/temp_dir.h"

namespace {
class Debug_Log_Test : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_Shell_Globals();
        App_Dir = game.Path();
    }
    void TearDown() override { Reset_Shell_Globals(); }

    std::vector<std::string> lines(const std::string& relative = "log/kv_log.txt") const {
        std::istringstream in(game.Read(relative));
        std::vector<std::string> result;
        for (std::string line; std::getline(in, line);)
            result.push_back(line);
        return result;
    }
    TTemp_Dir game;
};
} // namespace

TEST_F(Debug_Log_Test, WritesDatedLinesIntoANewLogFolder) {
    EXPECT_EQ(Debug_Log_File(), App_Dir + "log\\kv_log.txt");
    Debug_Log("DlgMain", "  Setup_Global_Vars");
    const std::vector<std::string> written = lines();
    ASSERT_EQ(written.size(), 1u);
    // yy.mm.dd hh.mm.ss TICKS MESSAGE, the message with its own indentation.
    const std::regex format(
        R"(^(\d\d)\.(\d\d)\.(\d\d) (\d\d)\.(\d\d)\.(\d\d) (\d+)   Setup_Global_Vars$)");
    std::smatch parts;
    ASSERT_TRUE(std::regex_match(written[0], parts, format)) << written[0];
    const int month = std::stoi(parts[2]);
    EXPECT_TRUE(month >= 1 && month <= 12);
}

TEST_F(Debug_Log_Test, OnlyTheStartUpCategoriesAreWritten) {
    for (const char* category : {"General", "DlgMain", "Struct", "GameSettings"})
        Debug_Log(category, category);
    for (const char* category : {"DCMain", "Sounds", "general", "Struct ", "RndDigTileMap", ""})
        Debug_Log(category, "not written");
    const std::vector<std::string> written = lines();
    ASSERT_EQ(written.size(), 4u);
    EXPECT_NE(written[0].find(" General"), std::string::npos);
    EXPECT_NE(written[3].find(" GameSettings"), std::string::npos);
}

TEST_F(Debug_Log_Test, FollowsTheSettingsSwitch) {
    Debug_Log("General", "early");   // no settings yet: written
    Create_Primary_Global_Structs(); // logs its start and end under "Struct"
    Game_Settings->Generate_Debug_Log = false;
    Debug_Log("General", "after the settings");
    Game_Settings->Generate_Debug_Log = true;
    Debug_Log("General", "switched back on");
    const std::vector<std::string> written = lines();
    ASSERT_EQ(written.size(), 4u);
    EXPECT_NE(written[0].find(" early"), std::string::npos);
    EXPECT_NE(written[1].find("Create_Primary_Global_Structs - Start"), std::string::npos);
    EXPECT_NE(written[2].find("Create_Primary_Global_Structs - End"), std::string::npos);
    EXPECT_NE(written[3].find(" switched back on"), std::string::npos);
}

TEST_F(Debug_Log_Test, RunsAppendToTheExistingLog) {
    // An older run's log, named as the game once wrote it.
    game.Write("log/KV_Log.txt", "old line 1\nold line 2\n");
    Debug_Log_New_Execution("/opt/krelvane/krelvane");
    Debug_Log("Struct", "next");
    const std::vector<std::string> written = lines("log/KV_Log.txt");
    ASSERT_EQ(written.size(), 4u);
    EXPECT_EQ(written[0], "old line 1");
    EXPECT_EQ(written[1], "old line 2");
    const std::string banner =
        "***************** /opt/krelvane/krelvane - New Execution *****************";
    ASSERT_GE(written[2].size(), banner.size());
    EXPECT_EQ(written[2].substr(written[2].size() - banner.size()), banner);
}

TEST_F(Debug_Log_Test, ALogThatCannotBeOpenedLosesOnlyTheLine) {
    // The log's name taken by a folder: appending fails, nothing is replaced.
    game.Write("log/kv_log.txt/keep.txt", "kept");
    EXPECT_NO_THROW(Debug_Log("General", "skipped"));
    EXPECT_EQ(game.Read("log/kv_log.txt/keep.txt"), "kept");
    EXPECT_TRUE(Folder_Exists(App_Dir + "log/kv_log.txt"));
}
