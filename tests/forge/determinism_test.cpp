// A full run writes every file, and a second run writes the same bytes.

#include <gtest/gtest.h>

#include <filesystem>

#include "forge_test_util.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

TEST(Forge_Run, TwoRunsWriteTheSameBytes) {
    TTemp_Dir first, second;
    std::vector<std::string> log;
    ASSERT_TRUE(Forge_All(first.Path(), log));
    ASSERT_TRUE(Forge_All(second.Path(), log));
    size_t files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(first.Path())) {
        if (!entry.is_regular_file())
            continue;
        const std::string relative = fs::relative(entry.path(), first.Path()).string();
        EXPECT_EQ(first.Read(relative), second.Read(relative)) << relative;
        EXPECT_EQ(relative.find(".part"), std::string::npos) << "left behind: " << relative;
        ++files;
    }
    EXPECT_EQ(files, All_Pictures().size() + All_Sounds().size());
    EXPECT_TRUE(fs::exists(first.Path() + "Pictures/SysPics/MainUI.bmp"));
    EXPECT_TRUE(fs::exists(first.Path() + "Sounds/button.wav"));
}

TEST(Forge_Run, AnUnwritableFolderIsReportedNotIgnored) {
    TTemp_Dir dir;
    for (const char* folder : {"Pictures", "Sounds", "Music"})
        dir.Write(folder, "a file where a folder must go");
    std::vector<std::string> log;
    EXPECT_FALSE(Forge_All(dir.Path(), log));
    ASSERT_FALSE(log.empty());
}
