// The runtime module: connections from both ends, the current position and music,
// what it copies from the definition, and its record in the module file.

#include <gtest/gtest.h>

#include "shell/enums.h"
#include "shell/value_stream.h"
#include "support/temp_dir.h"
#include "world/module.h"
#include "world/module_definition.h"

namespace {

// Two maps; map 1 has one connection of the type from (10, 10) to (20, 20) on map 2.
TModule two_maps(TConnection_Type type) {
    TModule module;
    module.Maps.resize(2);
    module.Maps[0].Music_Filename = "town.mid";
    module.Maps[1].Music_Filename = "crypt.mid";
    TModule_Map_Connection c;
    c.Number = 1;
    c.Destination_Map = 2;
    c.Source_X = 10, c.Source_Y = 10, c.Dest_X = 20, c.Dest_Y = 20;
    c.Connection_Type = static_cast<uint8_t>(type);
    module.Maps[0].Connections.push_back(c);
    return module;
}

bool from_source(TModule& module) {
    TConnection_Target target;
    const bool found = module.Find_Connection_At(1, 10, 10, target);
    EXPECT_TRUE(!found || (target.Map == 2 && target.X == 20 && target.Y == 20));
    return found;
}

bool from_destination(TModule& module) {
    TConnection_Target target;
    const bool found = module.Find_Connection_At(2, 20, 20, target);
    EXPECT_TRUE(!found || (target.Map == 1 && target.X == 10 && target.Y == 10));
    return found;
}

} // namespace

TEST(Module_Connections, EachTypeWorksFromEachEndAsItsRulesSay) {
    struct TRow {
        TConnection_Type type;
        bool source_first, destination_first, source_after_destination, destination_after_source;
    };
    using enum TConnection_Type;
    const TRow rows[] = {
        {Two_Way_Always, true, true, true, true},
        {Two_Way_Destination_Initiated, false, true, true, true},
        {Two_Way_Source_Initiated, true, false, true, true},
        {One_Way_Only, true, false, true, false},
        {No_Connection, false, false, false, false},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.type));
        TModule fresh = two_maps(row.type);
        EXPECT_EQ(from_source(fresh), row.source_first);
        fresh = two_maps(row.type);
        EXPECT_EQ(from_destination(fresh), row.destination_first);
        fresh = two_maps(row.type);
        from_destination(fresh);
        EXPECT_EQ(from_source(fresh), row.source_after_destination);
        fresh = two_maps(row.type);
        from_source(fresh);
        EXPECT_EQ(from_destination(fresh), row.destination_after_source);
    }
    // Travelling marks the connection used; a failed try does not.
    TModule module = two_maps(Two_Way_Destination_Initiated);
    from_source(module);
    EXPECT_FALSE(module.Maps[0].Connections[0].Used);
    from_destination(module);
    EXPECT_TRUE(module.Maps[0].Connections[0].Used);
}

TEST(Module_Connections, TheLastUsableWinsAndBrokenConnectionsLeadNowhere) {
    TModule module = two_maps(TConnection_Type::Two_Way_Always);
    TModule_Map_Connection second = module.Maps[0].Connections[0];
    second.Number = 2;
    second.Dest_X = 30;
    module.Maps[0].Connections.push_back(second);
    TConnection_Target target;
    ASSERT_TRUE(module.Find_Connection_At(1, 10, 10, target));
    EXPECT_EQ(target.X, 30);
    EXPECT_FALSE(module.Find_Connection_At(1, 11, 10, target)); // no entrance there
    EXPECT_FALSE(module.Find_Connection_At(3, 10, 10, target)); // no such map

    // A destination map outside the module, or a square never resolved, goes nowhere.
    TModule broken = two_maps(TConnection_Type::Two_Way_Always);
    broken.Maps[0].Connections[0].Destination_Map = 9;
    EXPECT_FALSE(broken.Find_Connection_At(1, 10, 10, target));
    broken.Maps[0].Connections[0].Destination_Map = 2;
    broken.Maps[0].Connections[0].Dest_X = 0;
    broken.Maps[0].Connections[0].Dest_Y = 0;
    EXPECT_FALSE(broken.Find_Connection_At(1, 10, 10, target));
    EXPECT_FALSE(broken.Find_Connection_At(2, 0, 0, target));
}

TEST(Module_Position, TheCurrentMapGivesTheMusic) {
    TModule module = two_maps(TConnection_Type::Two_Way_Always);
    std::string music = "stale";
    EXPECT_FALSE(module.Get_Current_Music(music)); // no current map yet
    EXPECT_TRUE(music.empty());
    module.Set_Current_Position(2, 20, 20);
    ASSERT_TRUE(module.Get_Current_Music(music));
    EXPECT_EQ(music, "crypt.mid");
    EXPECT_EQ(module.Current_X, 20);
}

TEST(Module_Definition_Copy, MapsAndConnectionsComeFromTheDefinition) {
    TModule_Class module_class;
    module_class.Name = "Hollowmere";
    module_class.Maps.resize(2);
    module_class.Maps[1].Display_Name = "Bell Cellars";
    module_class.Maps[1].Chance_Magic_Item = 300; // kept as a byte
    TModule_Map_Connections_Class c;
    c.Destination_Map = 1;
    c.Connection_Type = 3;
    module_class.Maps[1].Connections = {c, c};
    module_class.Maps[1].Connections[1].Destination_Map = 70000;

    TModule module;
    module.Copy_From_Class(module_class);
    EXPECT_EQ(module.Name, "Hollowmere");
    ASSERT_EQ(module.Map_Count(), 2);
    const TModule_Map& map = *module.Get_Map(2);
    EXPECT_EQ(map.Map_Number, 2);
    EXPECT_EQ(map.Display_Name, "Bell Cellars");
    EXPECT_EQ(map.Chance_Magic_Item, 44);
    ASSERT_EQ(map.Connections.size(), 2u);
    EXPECT_EQ(map.Connections[1].Number, 2);
    EXPECT_EQ(map.Connections[0].Destination_Map, 1);
    EXPECT_EQ(map.Connections[0].Connection_Type, 3);
    EXPECT_EQ(map.Connections[1].Destination_Map, 0); // beyond a word: no map
}

namespace {

TWriteable_Module full_module() {
    TWriteable_Module module;
    static_cast<TModule&>(module) = two_maps(TConnection_Type::Two_Way_Source_Initiated);
    module.Name = "Hollowmere";
    module.Description = std::string(300, 'd'); // a long string
    module.Intro_Paragraphs = {"Rain.", "Bells."};
    module.Character_Data_Set_Identifier = "Standard";
    module.Start_Map = 1, module.Start_X = 12, module.Start_Y = 13;
    module.Set_Current_Position(2, 20, 20);
    module.Maps[1].Chance_Unique_Item = 200;
    module.Maps[0].Connections[0].Used = true;
    module.File_Name = "module.mod";
    TModule_Quest quest;
    quest.Quest_ID = 1;
    quest.Name = "The Silent Bell";
    quest.Completed = true;
    quest.Experience = -5;
    quest.Completion_Paragraphs = {"Quiet."};
    module.Quests.Quests = {quest, TModule_Quest()};
    TModule_Event event;
    event.Event_ID = 4;
    event.Enabled = false;
    event.Permanent = true;
    TModule_Event_Trigger trigger;
    trigger.Trigger_Type = 2;
    trigger.Monster_Event_ID = 40000;
    trigger.Spell_ID = 3;
    TModule_Event_Result result;
    result.Result_Type = 5;
    result.Text_Title = "Done";
    result.Text_Paragraphs = {"a", "b"};
    result.Music_Filename = "m.mid";
    result.New_Talk_ID = 6;
    event.Triggers = {trigger};
    event.Results = {result, TModule_Event_Result()};
    module.Events.Events = {event};
    return module;
}

} // namespace

TEST(Module_Record, AModuleWithQuestsEventsAndConnectionsReadsBackWhole) {
    const TWriteable_Module module = full_module();
    TValue_Writer writer;
    module.Save(writer);
    TWriteable_Module loaded;
    loaded.Folder = "kept/";
    TValue_Reader reader(writer.Bytes());
    loaded.Load(reader);
    EXPECT_TRUE(reader.At_End());
    // Saving what was read gives the same bytes: every field came back.
    TValue_Writer again;
    loaded.Save(again);
    EXPECT_EQ(again.Bytes(), writer.Bytes());
    EXPECT_EQ(loaded.Folder, "kept/");
    EXPECT_EQ(loaded.Events.Events[0].Triggers[0].Monster_Event_ID, 40000);
    // The source-initiated connection was used from its source: it works backwards.
    TConnection_Target target;
    EXPECT_TRUE(loaded.Find_Connection_At(2, 20, 20, target));
}

TEST(Module_Record, DamagedRecordsFailAndLeaveTheModuleAsItWas) {
    TWriteable_Module module = full_module();
    TValue_Writer writer;
    module.Save(writer);
    const std::string bytes = writer.Bytes();

    TWriteable_Module loaded = full_module();
    loaded.Name = "Before";
    TValue_Reader truncated(bytes.substr(0, bytes.size() - 3));
    EXPECT_THROW(loaded.Load(truncated), TStream_Error);
    EXPECT_EQ(loaded.Name, "Before");

    for (const auto& damage : {+[](TWriteable_Module& m) { m.Current_Map = 3; },
                               +[](TWriteable_Module& m) { m.Start_Map = 0; },
                               +[](TWriteable_Module& m) { m.Current_X = 201; },
                               +[](TWriteable_Module& m) { m.Start_Y = 0; }}) {
        TWriteable_Module bad = full_module();
        damage(bad);
        TValue_Writer bad_writer;
        bad.Save(bad_writer);
        TValue_Reader reader(bad_writer.Bytes());
        EXPECT_THROW(loaded.Load(reader), TStream_Error);
        EXPECT_EQ(loaded.Name, "Before");
    }
}

TEST(Module_Record, TheModuleFileNamesItselfAfterTheFileRead) {
    TTemp_Dir dir;
    const TWriteable_Module module = full_module();
    ASSERT_TRUE(Write_Module_File(module, dir.Path() + "saved.mod"));
    TWriteable_Module loaded;
    ASSERT_TRUE(Read_Module_File(dir.Path() + "saved.mod", loaded));
    EXPECT_EQ(loaded.File_Name, "saved.mod");
    EXPECT_EQ(loaded.Name, "Hollowmere");
    TValue_Reader raw;
    ASSERT_TRUE(raw.Load_From_File(dir.Path() + "saved.mod"));
    EXPECT_EQ(raw.Read_Version(), "1.06");
    EXPECT_FALSE(Read_Module_File(dir.Path() + "missing.mod", loaded));
    dir.Write("empty.mod", "");
    EXPECT_FALSE(Read_Module_File(dir.Path() + "empty.mod", loaded));
    EXPECT_EQ(loaded.File_Name, "saved.mod");
}
