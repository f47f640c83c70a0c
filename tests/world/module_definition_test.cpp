#include "world/module_definition.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "datafiles/data_file_errors.h"
#include "rules/rules_support.h"
#include "support/fake_services.h"
#include "support/temp_dir.h"

namespace {

const std::string Content_Module = KV_FIXTURES_DIR "/../../content/Modules/Hollowmere/";

// The lines of the record of the two-map test module, each map leading to the other.
TRecord_Lines module_lines() {
    std::ifstream file(KV_FIXTURES_DIR "/module/ModuleData.txt");
    TRecord_Lines lines;
    bool in_record = false;
    for (std::string line; std::getline(file, line);) {
        if (line.rfind("Name := ", 0) == 0)
            in_record = true;
        if (in_record && line.find(" := ") != std::string::npos)
            lines.push_back(line);
    }
    return lines;
}

// Replaces the line of the key (or drops it when value is null).
void set_key(TRecord_Lines& lines, const std::string& key, const char* value) {
    const auto it = std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.rfind(key + " := ", 0) == 0;
    });
    ASSERT_NE(it, lines.end()) << key;
    if (value)
        *it = key + " := " + value;
    else
        lines.erase(it);
}

struct TModule_Files {
    TTemp_Dir dir;
    std::string Write(const TRecord_Lines& lines) {
        return dir.Write("Data/ModuleData.txt", Data_File_Text({lines}));
    }
    // Writes every file the maps of module_lines name into the "Tiles" folder.
    void Write_Map_Files() {
        for (const char* name : {"Tiles1.txt", "Tiles2.txt", "Terrain.txt", "Items.txt",
                                 "Monsters.txt", "Groups.txt", "Carried.txt", "Stores.txt"})
            dir.Write(std::string("Tiles/") + name, "");
    }
};

} // namespace

TEST(Module_Definition, The_Default_Module_Loads_Without_Errors) {
    TModule_Class module_class;
    const TData_File_Report report =
        Read_Module_Class(Content_Module + "Data/ModuleData.txt", module_class);
    EXPECT_EQ(report.Heading, "Module Class Data File Errors: ");
    EXPECT_TRUE(report.Ok()) << (report.Errors.empty() ? "" : report.Errors.front());
    EXPECT_EQ(module_class.Maps.size(), module_class.Map_Count);
    // Each file once, in the order the maps name them.
    EXPECT_EQ(Map_File_Names(module_class, &TModule_Map_Class::Stores_Filename),
              (std::vector<std::string>{"Town_Stores.txt", "Dungeon_Stores.txt"}));

    // Every file the maps name is in the module's tile folder.
    const TData_File_Report check = Check_Module_Data_File(Content_Module + "Data/ModuleData.txt");
    EXPECT_TRUE(check.Ok()) << (check.Errors.empty() ? "" : check.Errors.front());
}

TEST(Module_Definition, Every_Key_Fills_Its_Field) {
    TModule_Files files;
    TModule_Class m;
    const TData_File_Report report = Read_Module_Class(files.Write(module_lines()), m);
    EXPECT_TRUE(report.Ok()) << (report.Errors.empty() ? "" : report.Errors.front());
    EXPECT_EQ(m.Difficulty_Description, "Gentle.");
    EXPECT_EQ(m.Intro_Paragraphs, (std::vector<std::string>{"First.", "Second."}));
    EXPECT_EQ(m.Character_Data_Set_Identifier, "Krelvane");
    EXPECT_EQ(m.Starting_Map_Entrance_ID, 2u);
    ASSERT_EQ(m.Maps.size(), 2u);
    const TModule_Map_Class& map = m.Maps[1];
    EXPECT_EQ(map.Map_Number, 2u);
    EXPECT_EQ(map.Tiles_Filename, "Tiles2.txt");
    EXPECT_EQ(map.Monster_Random_Items_Carried_Filename, "Carried.txt");
    EXPECT_FALSE(map.Universal_Light);
    EXPECT_TRUE(map.Place_Random_Items);
    EXPECT_FALSE(map.Place_Random_Monsters); // "on" is not "TRUE" or "YES"
    EXPECT_EQ(map.Chance_Group, 2);
    EXPECT_EQ(map.Trap_Group_Name, "Pits");
    EXPECT_DOUBLE_EQ(map.Magic_Increase_Per_Start_Level, 1.5);
    EXPECT_DOUBLE_EQ(map.Unique_Increase_Per_Start_Level, 0.25);
    EXPECT_EQ(map.Min_Monster_Groups, 4);
    EXPECT_EQ(map.Max_Monster_Groups, 5);
    EXPECT_EQ(map.Monsters_Increase_Per_Difficulty, 3);
    EXPECT_EQ(map.Groups_Increase_Per_Difficulty, 6);
    EXPECT_EQ(map.Monster_Level_Min, 7);
    EXPECT_EQ(map.Monster_Level_Max, 9);
    EXPECT_EQ(map.Difficulty_Monster_Modifier_Increase, 5);
    ASSERT_EQ(map.Connection_Count, 1u);
    const TModule_Map_Connections_Class& c = map.Connections[0];
    EXPECT_EQ(c.Source_Map, 2u);
    EXPECT_EQ(c.Entrance_ID, 2u);
    EXPECT_EQ(c.Destination_Map, 1u);
    EXPECT_EQ(c.Dest_Entrance_ID, 1u);
}

TEST(Module_Definition, Optional_And_Missing_Keys) {
    TModule_Files files;
    TRecord_Lines lines = module_lines();
    set_key(lines, "Module Difficulty Description", nullptr);
    TModule_Class m;
    EXPECT_TRUE(Read_Module_Class(files.Write(lines), m).Ok());

    // A map without " Universal Light" stays lit, and the key is reported.
    set_key(lines, "Map 1 Universal Light", nullptr);
    const TData_File_Report report = Read_Module_Class(files.Write(lines), m);
    EXPECT_EQ(report.Errors,
              (std::vector<std::string>{"Could not find field \"Map 1 Universal Light\" in record "
                                        "\"Test Module\"."}));
    ASSERT_EQ(m.Maps.size(), 2u);
    EXPECT_TRUE(m.Maps[0].Universal_Light);
    EXPECT_FALSE(m.Maps[1].Universal_Light);
}

TEST(Module_Definition, Connection_Types_Are_Matched_Exactly) {
    TModule_Files files;
    TRecord_Lines lines = module_lines();
    set_key(lines, "Map 1 Conn 1 Connection Type", "Two way - always");
    set_key(lines, "Map 2 Conn 1 Connection Type", "One Way Only");
    TModule_Class m;
    TData_File_Report report = Read_Module_Class(files.Write(lines), m);
    EXPECT_EQ(report.Errors,
              (std::vector<std::string>{"Unknown value \"Two way - always\" for Map 1 Conn 1 "
                                        "Connection Type in record \"Test Module\"."}));
    EXPECT_EQ(m.Maps[0].Connections[0].Connection_Type, 0);
    EXPECT_EQ(m.Maps[1].Connections[0].Connection_Type, 4);

    // A missing type is reported as missing and as an unknown (empty) name.
    set_key(lines, "Map 1 Conn 1 Connection Type", nullptr);
    report = Read_Module_Class(files.Write(lines), m);
    EXPECT_EQ(report.Errors.size(), 2u);
    EXPECT_EQ(m.Maps[0].Connections[0].Connection_Type, 0);
}

TEST(Module_Definition, Start_And_Destination_Maps_Must_Exist) {
    TModule_Files files;
    TRecord_Lines lines = module_lines();
    set_key(lines, "Starting Map Number", "7");
    set_key(lines, "Map 2 Conn 1 Destination Map Number", "9");
    TModule_Class m;
    EXPECT_EQ(Read_Module_Class(files.Write(lines), m).Errors,
              (std::vector<std::string>{
                  "Cannot find module starting position.",
                  "Error Destination Map Not Found - For Map 2: Connection 1 has destination "
                  "map 9."}));

    // No maps at all: nothing to start on.
    lines = module_lines();
    set_key(lines, "Number Of Maps", "0");
    TModule_Class empty;
    const TData_File_Report report = Read_Module_Class(files.Write(lines), empty);
    EXPECT_TRUE(empty.Maps.empty());
    EXPECT_EQ(report.Errors, (std::vector<std::string>{"Cannot find module starting position."}));

    // A definition that holds no record has nowhere to start either.
    EXPECT_EQ(Read_Module_Class(files.Write({}), m).Errors,
              (std::vector<std::string>{"Cannot find module starting position."}));

    // An unreadable definition reports only that.
    EXPECT_EQ(Read_Module_Class(files.dir.Path() + "none.txt", m).Errors.size(), 1u);
}

TEST(Module_Definition, Loading_Replaces_The_Current_Module_Class_And_Shows_Errors) {
    TModule_Files files;
    TMessages_Recorder messages;
    const TScoped_Services use({.Messages = &messages});
    // Each list shown as its heading followed by its messages.
    auto shown = [&messages] {
        std::vector<std::string> lines;
        for (const auto& list : messages.Error_Lists) {
            lines.push_back(list.Heading);
            lines.insert(lines.end(), list.Messages.begin(), list.Messages.end());
        }
        return lines;
    };
    EXPECT_TRUE(Load_Module_Class_File(files.Write(module_lines())));
    EXPECT_TRUE(shown().empty());
    ASSERT_TRUE(Current_Module_Class);
    EXPECT_EQ(Current_Module_Class->Map_Count, 2u);

    TRecord_Lines lines = module_lines();
    set_key(lines, "Name", "Other");
    set_key(lines, "Starting Map Number", "0");
    EXPECT_FALSE(Load_Module_Class_File(files.Write(lines)));
    EXPECT_EQ(shown(), (std::vector<std::string>{"Module Class Data File Errors: ",
                                                 "Cannot find module starting position."}));
    // The new class stays current even so.
    ASSERT_TRUE(Current_Module_Class);
    EXPECT_EQ(Current_Module_Class->Name, "Other");
    Free_Module_Class();
    EXPECT_FALSE(Current_Module_Class);
}

TEST(Module_Definition, Finds_The_Map_Of_A_Tile_File) {
    TModule_Files files;
    TRecord_Lines lines = module_lines();
    set_key(lines, "Map 2 Tiles Filename", "TILES1.TXT");
    set_key(lines, "Map 2 Terrain Filename", "Other.txt");
    {
        TQuiet_Messages quiet;
        const TScoped_Services use({.Messages = &quiet});
        ASSERT_TRUE(Load_Module_Class_File(files.Write(lines)));
    }

    const TMap_Class_Files found = Find_Map_Class_By_Tiles_File("tiles1.txt");
    EXPECT_EQ(found.Map_Number, 2u); // the last map with that file
    EXPECT_EQ(found.Terrain_Filename, "Other.txt");
    EXPECT_EQ(found.Monster_Groups_Filename, "Groups.txt");
    EXPECT_EQ(Find_Map_Class_By_Tiles_File("Tiles2.txt").Map_Number, 0u);
    Free_Module_Class();
    EXPECT_EQ(Find_Map_Class_By_Tiles_File("Tiles1.txt").Map_Number, 0u);
}

TEST(Module_Definition, The_Check_Reports_Map_Files_That_Are_Not_There) {
    TModule_Files files;
    files.Write_Map_Files();
    TRecord_Lines lines = module_lines();
    const std::string path = files.Write(lines);
    EXPECT_TRUE(Check_Module_Data_File(path).Ok());

    set_key(lines, "Map 2 Stores Filename", "Missing.txt");
    set_key(lines, "Map 1 Terrain Filename", "..\\Data\\ModuleData.txt");
    EXPECT_EQ(Check_Module_Data_File(files.Write(lines)).Errors,
              (std::vector<std::string>{
                  "Could not find file \"..\\Data\\ModuleData.txt\" named by Map 1 Terrain "
                  "Filename.",
                  "Could not find file \"Missing.txt\" named by Map 2 Stores Filename."}));
}
