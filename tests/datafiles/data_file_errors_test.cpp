#include <gtest/gtest.h>

#include "datafiles/data_file_errors.h"

namespace {

struct TReport {
    std::string heading;
    std::string file;
    std::vector<std::string> messages;
};

TEST(Error_Lists, EveryListReachesTheSinkAndEmptyListsShowNothing) {
    std::vector<TReport> reports;
    TError_List_Sink previous =
        Set_Error_List_Sink([&](const std::string& heading, const std::string& file,
                                const std::vector<std::string>& messages) {
            reports.push_back({heading, file, messages});
        });
    Report_Error_List(Item_Class_Errors_Heading, "Items.txt", {"a", "b"});
    Report_Error_List(Monster_Class_Errors_Heading, "Monsters.txt", {});
    // A second list right after the first is handed on too (the screen queues it).
    Report_Error_List(Monster_Class_Errors_Heading, "Monsters.txt", {"c"});
    Set_Error_List_Sink(previous);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].heading, "Item Class Data File Errors: ");
    EXPECT_EQ(reports[0].messages, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(reports[1].heading, "Monster Class Data File Errors: ");
    EXPECT_EQ(reports[1].file, "Monsters.txt");
}

TEST(Error_Lists, WithoutASinkTheListGoesToStandardError) {
    Set_Error_List_Sink(nullptr);
    ::testing::internal::CaptureStderr();
    Report_Error_List(Terrain_Errors_Heading, "Terrain.txt", {"Cannot find *BEGIN*"});
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Terrain Data File Errors: \nTerrain.txt\nCannot find *BEGIN*\n");
}

} // namespace
