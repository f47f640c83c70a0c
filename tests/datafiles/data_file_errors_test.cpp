#include <gtest/gtest.h>

#include "datafiles/data_file_errors.h"
#include "support/fake_services.h"

namespace {

TEST(Error_Lists, EveryListReachesTheMessageServiceAndEmptyListsShowNothing) {
    TMessages_Recorder messages;
    {
        const TScoped_Services use({.Messages = &messages});
        Report_Error_List(Item_Class_Errors_Heading, "Items.txt", {"a", "b"});
        Report_Error_List(Monster_Class_Errors_Heading, "Monsters.txt", {});
        // A second list right after the first is handed on too (the screen queues it).
        Report_Error_List(Monster_Class_Errors_Heading, "Monsters.txt", {"c"});
    }
    Report_Error_List(Item_Class_Errors_Heading, "After.txt", {"d"}); // no longer installed
    ASSERT_EQ(messages.Error_Lists.size(), 2u);
    EXPECT_EQ(messages.Error_Lists[0].Heading, "Item Class Data File Errors: ");
    EXPECT_EQ(messages.Error_Lists[0].Messages, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(messages.Error_Lists[1].Heading, "Monster Class Data File Errors: ");
    EXPECT_EQ(messages.Error_Lists[1].File, "Monsters.txt");
}

TEST(Error_Lists, WithoutAServiceTheListGoesToStandardError) {
    const TServices previous = Install_Services({});
    ::testing::internal::CaptureStderr();
    Report_Error_List(Terrain_Errors_Heading, "Terrain.txt", {"Cannot find *BEGIN*"});
    Show_Message_Box("Data File Error", "Errors reading file \"x\".");
    const std::string printed = ::testing::internal::GetCapturedStderr();
    Install_Services(previous);
    EXPECT_EQ(printed, "Terrain Data File Errors: \nTerrain.txt\nCannot find *BEGIN*\n"
                       "Data File Error: Errors reading file \"x\".\n");
}

} // namespace
