#include <gtest/gtest.h>

#include "datafiles/data_file_errors.h"
#include "rules/callbacks_recorder.h"
#include "rules/spells.h"
#include "shell/value_stream.h"
#include "support/fake_services.h"
#include "world/map.h"
#include "world_support.h"

namespace {

// A level with something of everything the map record holds.
void furnish(TTest_Map& map) {
    map.Set_Display_Name("The Crypt");
    map.Set_Universal_Light(true);
    map.Terrains.File_Name = "Crypt_Terrain.txt";
    map.Fill(1, 1, 200, 1, Wall);
    map.Get_Square(30, 31)->Overlay = 7;
    map.Get_Square(30, 31)->Set_Explored(true);
    map.Get_Square(199, 200)->Set_Entrance(true);
    const uint16_t rat = map.Put_Creature(30, 30, "Rat");
    map.Put_Creature(31, 30, "Orc");
    map.Put_Creature(200, 200, "Bat");
    map.Monster_List.Delete_Creature(rat); // an empty slot in the list
    map.Get_Square(30, 30)->Remove_Monster();
    map.Put_Item(40, 40, "Sword");
    map.Put_Item(41, 40, "Shield");
    map.Put_Item(41, 40, "Helm");
    map.Put_Item(41, 40, "Boots");
    map.New_Collection(); // a chest's contents, on no square
    map.Get_Collection(2)->Add(1);
    map.Set_Lock("Iron", 50, 50, true);
    map.Set_Lock("Gold", 51, 50, true);
    map.Set_Trap("Spikes", 52, 50, true);
    map.Add_Location_List({1, 2, 3}, 60, 60);
    map.Add_Location_List({}, 61, 60);
}

std::string saved(const TWriteable_Map& map) {
    TValue_Writer writer;
    map.Save(writer);
    return writer.Bytes();
}

TEST(Map_Record, ASavedMapLoadsBackWholeAndWritesTheSameBytes) {
    TTest_Map map;
    furnish(map);
    const std::string bytes = saved(map);

    TTest_Map loaded;
    std::string asked;
    TValue_Reader reader(bytes);
    loaded.Load(reader, [&](const std::string& name) {
        asked = name;
        return KV_FIXTURES_DIR "/world/" + name; // Floor and Wall only
    });
    EXPECT_TRUE(reader.At_End());
    EXPECT_EQ(asked, "Crypt_Terrain.txt");
    EXPECT_EQ(loaded.Terrains.Count(), 2); // read again from the file
    EXPECT_EQ(loaded.Terrains.Get_Terrain(2)->Name, "Wall");
    EXPECT_EQ(loaded.Display_Name, "The Crypt");
    EXPECT_EQ(loaded.Version, "1.00");
    EXPECT_TRUE(loaded.Universal_Light);
    EXPECT_EQ(loaded.Get_Square(30, 31)->Overlay, 7);
    EXPECT_TRUE(loaded.Get_Square(30, 31)->Is_Explored());
    EXPECT_TRUE(loaded.Get_Square(199, 200)->Is_Entrance());
    EXPECT_EQ(loaded.Get_Square(5, 1)->Terrain, Wall);

    EXPECT_EQ(loaded.Monster_List.Get(1), nullptr);
    EXPECT_EQ(loaded.Get_Square(31, 30)->Get_Monster(loaded)->Name, "Orc");
    EXPECT_EQ(loaded.Get_Square(200, 200)->Get_Monster(loaded)->Name, "Bat");
    EXPECT_EQ(loaded.Get_Square(30, 30)->Monster, 0);

    EXPECT_EQ(loaded.Get_Square(40, 40)->Get_Top_Item(loaded)->Name, "Sword");
    const TMap_Square& pile = *loaded.Get_Square(41, 40);
    ASSERT_TRUE(pile.Is_Pile());
    EXPECT_EQ(loaded.Get_Collection(pile.Item)->Count(), 3);
    EXPECT_EQ(loaded.Get_Collection(2)->Numbers(), std::vector<uint16_t>{1});

    std::string name;
    ASSERT_TRUE(loaded.Get_Lock_Name(51, 50, name));
    EXPECT_EQ(name, "Gold");
    EXPECT_TRUE(loaded.Get_Square(50, 50)->Is_Locked());
    ASSERT_TRUE(loaded.Get_Trap_Name(52, 50, name));
    EXPECT_EQ(name, "Spikes");
    EXPECT_TRUE(loaded.Get_Square(52, 50)->Is_Trapped());
    ASSERT_NE(loaded.Get_Location_List(60, 60), nullptr);
    EXPECT_EQ(*loaded.Get_Location_List(60, 60), (std::vector<uint16_t>{1, 2, 3}));
    ASSERT_NE(loaded.Get_Location_List(61, 60), nullptr);

    EXPECT_EQ(saved(loaded), bytes);
}

TEST(Map_Record, AnEmptyMapHasNoTables) {
    TTest_Map map;
    TTest_Map loaded;
    TValue_Reader reader(saved(map));
    loaded.Load(reader, [](const std::string&) { return std::string(); });
    EXPECT_EQ(loaded.Collection_Table_Size(), 0);
    EXPECT_TRUE(loaded.Location_Lists().empty());
    EXPECT_EQ(loaded.Terrains.Count(), 0); // no file: every square blocks
    EXPECT_FALSE(loaded.Get_Square(5, 5)->Has_Movement_Flag(loaded, Movement_Land));
}

// A damaged file leaves the map as it was.
void expect_refused(const std::string& bytes) {
    TTest_Map map;
    map.Set_Display_Name("Before");
    map.Put_Creature(9, 9, "Keeper");
    TValue_Reader reader(bytes);
    EXPECT_THROW(map.Load(reader, [](const std::string&) { return std::string(); }), TStream_Error);
    EXPECT_EQ(map.Display_Name, "Before");
    EXPECT_EQ(map.Get_Square(9, 9)->Get_Monster(map)->Name, "Keeper");
    EXPECT_EQ(map.Terrains.Count(), 5);
}

TEST(Map_Record, DamagedRecordsAreRefusedAndChangeNothing) {
    TTest_Map map;
    furnish(map);
    const std::string bytes = saved(map);
    expect_refused(bytes.substr(0, bytes.size() / 2));
    expect_refused(bytes.substr(0, bytes.size() - 1));

    TTest_Map off_map;
    off_map.Put_Creature(0, 5, "Ghost");
    expect_refused(saved(off_map));
}

// A stale number on a square (its creature or item deleted while the square still named
// it) is dropped on load; the level and everything else on it load as saved.
TEST(Map_Record, StaleSquareNumbersAreDroppedAndTheLevelLoads) {
    TTest_Map map;
    const uint16_t orc = map.Put_Creature(20, 20, "Orc");
    map.Get_Square(3, 3)->Monster = 12;
    map.Get_Square(4, 3)->Item = 4;
    map.Get_Square(5, 3)->Item = 4;
    map.Get_Square(5, 3)->Set_Flag(Square_Pile, true);
    const uint16_t sword = map.Put_Item(6, 3, "Sword");
    TTest_Map loaded;
    TValue_Reader reader(saved(map));
    ASSERT_NO_THROW(loaded.Load(reader, [](const std::string&) { return std::string(); }));
    EXPECT_EQ(loaded.Get_Square(3, 3)->Monster, 0);
    EXPECT_EQ(loaded.Get_Square(20, 20)->Monster, orc);
    EXPECT_EQ(loaded.Get_Square(4, 3)->Item, 0);
    EXPECT_EQ(loaded.Get_Square(5, 3)->Item, 0);
    EXPECT_FALSE(loaded.Get_Square(5, 3)->Is_Pile());
    EXPECT_EQ(loaded.Get_Square(6, 3)->Item, sword);
}

// A terrain file name that cannot be resolved (not a plain file name) is reported as a
// missing terrain file and kept for the next save.
TEST(Map_Record, AnUnresolvableTerrainFileIsReported) {
    TTest_Map map;
    map.Terrains.File_Name = "..\\..\\secret.txt";
    TTest_Map loaded;
    TMessages_Recorder shown;
    {
        const TScoped_Services use({.Messages = &shown});
        TValue_Reader reader(saved(map));
        loaded.Load(reader, [](const std::string&) { return std::string(); });
    }
    ASSERT_EQ(shown.Error_Lists.size(), 1u);
    EXPECT_EQ(shown.Error_Lists[0].Heading, "Terrain Data File Errors: ");
    EXPECT_EQ(shown.Error_Lists[0].Messages,
              std::vector<std::string>{"Unable to load data file: \"..\\..\\secret.txt\"."});
    EXPECT_EQ(loaded.Terrains.Count(), 0);
    EXPECT_EQ(loaded.Terrains.File_Name, "..\\..\\secret.txt");
}

// A monster whose light and pace come from every source: its class's light, a passive
// spell, a lantern in its hand whose handle slows it, and a timed slowness that meets the
// 3000 ms limit. Saved and loaded again and again, it stays the monster never saved,
// while the slowness lasts and after it ends.
TEST(Map_Record, AMonsterKeepsItsLightAndPaceThroughAnyNumberOfLoads) {
    TSpell glow;
    glow.Name = "Glow";
    glow.Target_Type = 5; // passive
    glow.Effects.Add_Effect(TEffect_Type::Light_Radius, 2, 2);
    glow.Effects.Add_Effect(TEffect_Type::Reduce_Movement, 100, 100);
    Master_Spells.Add(glow);

    auto never_saved = std::make_unique<TTest_Map>();
    const uint16_t number = never_saved->Put_Creature(30, 30, "Wisp", 1);
    TMonster& wisp = *never_saved->Monster_List.Get(number);
    wisp.Spells.Learn(1, 1, 0);
    TItem lantern;
    lantern.Name = "Lantern";
    lantern.Light_Radius = 3;
    lantern.Effects.Add_Effect(TEffect_Type::Reduce_Movement, 200, 200);
    ASSERT_TRUE(wisp.Put_In_Slot(never_saved->Item_List.Add(lantern), 6));
    wisp.Add_Timed_Effect(static_cast<uint8_t>(TEffect_Type::Reduce_Movement), 2500, 2500, 2);
    wisp.Recalculate();
    ASSERT_EQ(wisp.Light_Radius, 6);               // 1 + 2 + 3
    ASSERT_EQ(wisp.Get_Movement_Interval(), 3000); // 1000 + 100 + 200 + 2500, limited

    std::unique_ptr<TTest_Map> current;
    const TTest_Map* source = never_saved.get();
    for (int round = 1; round <= 5; ++round) {
        const std::string bytes = saved(*source);
        auto loaded = std::make_unique<TTest_Map>();
        TValue_Reader reader(bytes);
        loaded->Load(reader, [](const std::string&) { return std::string(); });
        TMonster& back = *loaded->Monster_List.Get(number);
        back.Recalculate();
        EXPECT_EQ(back.Light_Radius, 6) << "round " << round;
        EXPECT_EQ(back.Get_Movement_Interval(), 3000) << "round " << round;
        EXPECT_EQ(back.Base_Light_Radius, 1) << "round " << round;
        EXPECT_EQ(back.Base_Movement_Interval, 1000) << "round " << round;
        current = std::move(loaded);
        source = current.get();
    }

    // Once the slowness wears off, both move at their own pace again.
    TCallbacks_Recorder shown;
    for (TTest_Map* map : {never_saved.get(), current.get()}) {
        for (int tick = 0; tick < 60; ++tick)
            map->Tick_Monsters(shown, 20);
        EXPECT_EQ(map->Monster_List.Get(number)->Get_Movement_Interval(), 1300);
        EXPECT_EQ(map->Monster_List.Get(number)->Light_Radius, 6);
    }
    Master_Spells.Clear();
}

} // namespace
