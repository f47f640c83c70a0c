#include <gtest/gtest.h>

#include <chrono>

#include "datafiles/data_file_errors.h"
#include "support/fake_services.h"
#include "support/temp_dir.h"
#include "world/terrain.h"
#include "world/terrain_file_checks.h"

namespace {

// Full records with every key, in files named as a module names them.
const std::string Fixtures = KV_FIXTURES_DIR "/world/";

std::string data_file(const std::string& records) {
    return "Terrain\n*BEGIN*\n//\n\n" + records + "*END*\n";
}

// Counts the messages of the error lists shown while it lives.
struct Quiet_Errors : TMessage_Service {
    void Show_Error_List(const std::string&, const std::string&,
                         const std::vector<std::string>& m) override {
        shown += static_cast<int>(m.size());
    }
    int shown = 0;
    TScoped_Services use{{.Messages = this}};
};

TEST(Terrain_File, ReadsEveryFieldOfARecord) {
    TTerrain_List list;
    Quiet_Errors quiet;
    ASSERT_TRUE(list.Load_Terrain_File(Fixtures + "Cave_Terrain.txt"));
    EXPECT_EQ(list.File_Name, "Cave_Terrain.txt");
    ASSERT_EQ(list.Count(), 1);
    const TTerrain& t = *list.Get_Terrain(1);
    EXPECT_EQ(t.Slot, 1);
    EXPECT_EQ(t.ID, 5);
    EXPECT_EQ(t.Categories, (std::vector<std::string>{"cave floor", "room"}));
    EXPECT_TRUE(t.Is_In_Category("ROOM"));
    EXPECT_EQ(t.Overview_Color, 33023u);
    EXPECT_EQ(t.Sight_Side_Hidden, 3);
    EXPECT_EQ(t.Sight_Hidden_Layer, 2);
    EXPECT_EQ(t.Movement_Flags, Movement_Land | Movement_Air); // "1" is not true
    EXPECT_TRUE(t.Has_Vision_Flag(Vision_Normal));
    EXPECT_EQ(t.Light_Radius_Generated, 2);
    EXPECT_EQ(t.Next_Terrain_Action, static_cast<uint8_t>(TTerrain_Action::Open));
    EXPECT_EQ(t.Get_Picture_Filename(3), "l3.bmp");
    EXPECT_EQ(t.Get_Picture_Filename(4), "");
    EXPECT_EQ(t.Locked_Key_Groups, (std::vector<std::string>{"Iron"}));
    EXPECT_EQ(quiet.shown, 0);
}

TEST(Terrain_File, DuplicatesFollowAllRecordsAndTheLastWinsItsId) {
    // Wall (ID 9, two duplicates) then Floor (ID 1).
    const std::string path = Fixtures + "Duplicate_Terrain.txt";
    TTerrain_List list;
    Quiet_Errors quiet;
    // "Duplicate Terrain 2 Filename L3" is missing: reported, and read as empty.
    EXPECT_FALSE(list.Load_Terrain_File(path));
    EXPECT_EQ(quiet.shown, 1);
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Get_Terrain(2)->Name, "Floor");
    EXPECT_EQ(list.Get_Terrain(3)->Get_Picture_Filename(2), "a2.bmp");
    EXPECT_EQ(list.Get_Terrain(3)->Get_Picture_Filename(3), "a3.bmp");
    EXPECT_EQ(list.Get_Terrain(4)->Get_Picture_Filename(2), "l2.bmp");
    EXPECT_EQ(list.Get_Terrain(4)->Get_Picture_Filename(3), "l3.bmp");
    EXPECT_TRUE(list.Get_Terrain(4)->Duplicate_L2.empty());
    EXPECT_EQ(list.Find_Terrain_Slot_By_ID(9), 4);
    EXPECT_EQ(list.Find_Terrain_Slot_By_ID(77), 0);

    // Reloading reuses slots from 1.
    list.Load_Terrain_File(path);
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Get_Terrain(1)->Slot, 1);
}

// A mistyped duplicate count (20000 for 2) must not make the load take minutes: each
// copy is made without the duplicate lists.
TEST(Terrain_File, AHugeDuplicateCountLoadsPromptly) {
    TTemp_Dir dir;
    const std::string path = dir.Write(
        "t.txt", data_file("Name := Rock\nID := 3\nNumber of Duplicate Terrains := 20000\n\n"));
    TTerrain_List list;
    const auto start = std::chrono::steady_clock::now();
    const TData_File_Report report = list.Read_Terrain_File(path);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_FALSE(report.Ok());
    EXPECT_EQ(list.Count(), 20001);
    EXPECT_EQ(list.Find_Terrain_Slot_By_ID(3), 20001);
    EXPECT_TRUE(list.Get_Terrain(20001)->Duplicate_L3.empty());
    EXPECT_LT(seconds, 10.0);
}

TEST(Terrain_File, BadValuesFallBackQuietlyAndMissingKeysAreReported) {
    TTemp_Dir dir;
    const std::string path =
        dir.Write("t.txt", data_file("Name := Odd\nID := 70000\nOverview Color := 255,128\n"
                                     "Sight Side Hidden := up\nNext Terrain Action := open\n\n"
                                     "Name := Blank\nOverview Color := \n\n"));
    const TData_File_Report report = Check_Terrain_File(path);
    EXPECT_EQ(report.Heading, "Terrain Data File Errors: ");
    EXPECT_FALSE(report.Errors.empty());
    TTerrain_List list;
    Quiet_Errors quiet;
    list.Load_Terrain_File(path);
    ASSERT_EQ(list.Count(), 2);
    const TTerrain& odd = *list.Get_Terrain(1);
    EXPECT_EQ(odd.ID, 0);
    EXPECT_EQ(odd.Overview_Color, 33023u);
    EXPECT_EQ(odd.Sight_Side_Hidden, 0);
    EXPECT_EQ(odd.Next_Terrain_Action, 0); // names match case-sensitively
    EXPECT_EQ(odd.Sight_Hidden_Layer, 3);
    EXPECT_EQ(list.Get_Terrain(2)->Overview_Color, 0u);
    EXPECT_EQ(quiet.shown, static_cast<int>(report.Errors.size()));

    EXPECT_FALSE(Check_Terrain_File(dir.Path() + "missing.txt").Ok());
}

TEST(Terrain_Actions, DoorsOpenIntoTheirNextTerrain) {
    TSound_Recorder sound;
    const TScoped_Services use({.Sound = &sound});
    const auto& played = sound.Played;
    TTerrain door;
    door.Next_Terrain_Action = static_cast<uint8_t>(TTerrain_Action::Open);
    door.Next_Terrain_ID = {7, 0, 0, 0};
    door.Next_Terrain_Sound_File = "door.wav";
    EXPECT_EQ(door.Get_Next_Terrain(static_cast<int32_t>(TTerrain_Action::Close)), 0);
    EXPECT_TRUE(played.empty());
    EXPECT_EQ(door.Get_Next_Terrain(static_cast<int32_t>(TTerrain_Action::Open)), 7);
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0].Wave, "door.wav");
    EXPECT_EQ(door.Get_Next_Terrain(static_cast<int32_t>(TTerrain_Action::Use)), 7);
    EXPECT_EQ(played.size(), 3u); // the inner evaluation and the use both play
    EXPECT_EQ(door.Get_Next_Terrain(static_cast<int32_t>(TTerrain_Action::Bash_Door)), 0);
    door.Next_Terrain_ID[1] = 12;
    EXPECT_EQ(door.Get_Next_Terrain(static_cast<int32_t>(TTerrain_Action::Bash_Door)), 12);
    EXPECT_EQ(door.Get_Next_Terrain(99), 0);

    // A terrain whose own action is "Use" or "Any" ends at once with no change.
    for (TTerrain_Action self : {TTerrain_Action::Use, TTerrain_Action::Any}) {
        TTerrain loop = door;
        loop.Next_Terrain_Action = static_cast<uint8_t>(self);
        EXPECT_EQ(loop.Get_Next_Terrain(static_cast<int32_t>(TTerrain_Action::Use)), 0);
        EXPECT_EQ(loop.Get_Next_Terrain(static_cast<int32_t>(TTerrain_Action::Any)), 0);
    }
}

TEST(Terrain_Checks, TheDefaultModulesTerrainFilesLoadCleanly) {
    const std::string tiles =
        std::string(KV_FIXTURES_DIR) + "/../../content/Modules/Hollowmere/Tiles/";
    for (const char* name : {"Town_Terrain.txt", "Crypt_Terrain.txt", "Cave_Terrain.txt"}) {
        TTerrain_List list;
        const TData_File_Report report = list.Read_Terrain_File(tiles + name);
        EXPECT_TRUE(report.Ok()) << name << ": " << (report.Ok() ? "" : report.Errors[0]);
        EXPECT_GT(list.Count(), 0) << name;
        // Every door opens into a terrain of the same file.
        for (int32_t slot = 1; slot <= list.Count(); ++slot)
            for (int32_t k = 0; k < 2; ++k) {
                const uint16_t next = list.Get_Terrain(slot)->Next_Terrain_ID[k];
                EXPECT_TRUE(next == 0 || list.Find_Terrain_Slot_By_ID(next) != 0)
                    << name << " " << list.Get_Terrain(slot)->Name;
            }
    }
}

} // namespace
