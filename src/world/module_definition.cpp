#include "world/module_definition.h"

#include <algorithm>

#include "datafiles/data_file_errors.h"
#include "platform/files.h"
#include "shell/enums.h"
#include "shell/helpers.h"

std::unique_ptr<TModule_Class> Current_Module_Class;

const TModule_Map_Class* TModule_Class::Get_Map(uint32_t n) const {
    if (n < 1 || n > Maps.size())
        return nullptr;
    return &Maps[n - 1];
}

namespace {

class TModule_Class_Loader : public TRecord_Loader {
  public:
    TModule_Class_Loader(const std::string& path, TModule_Class& module_class)
        : TRecord_Loader(path), module_(module_class) {}
    bool Has_Record = false;

  protected:
    void Process_Record(int32_t record_number) override {
        // The definition is one record; anything after it is not part of it.
        if (record_number != 1)
            return;
        Has_Record = true;
        module_.Name = Get_String("Name");
        Set_Record_Name(module_.Name);
        module_.Description = Get_String("Description");
        module_.Difficulty_Description = Get_String("Module Difficulty Description", false);
        module_.Intro_Paragraph_Count = Get_Word("Number of Intro Paragraphs");
        for (uint32_t n = 1; n <= module_.Intro_Paragraph_Count; ++n)
            module_.Intro_Paragraphs.push_back(Get_String("Intro Paragraph " + std::to_string(n)));
        module_.Character_Data_Set_Identifier = Get_String("Character Data Set Identifier");
        module_.Starting_Map_Number = Get_Word("Starting Map Number");
        module_.Starting_Map_Entrance_ID = Get_Word("Starting Map Entrance ID");
        module_.Map_Count = Get_Word("Number Of Maps");
        for (uint32_t n = 1; n <= module_.Map_Count; ++n)
            module_.Maps.push_back(read_map(n));
    }

  private:
    TModule_Map_Class read_map(uint32_t n) {
        const std::string p = "Map " + std::to_string(n);
        TModule_Map_Class map;
        map.Map_Number = n;
        map.Name = Get_String(p + " Name");
        map.Display_Name = Get_String(p + " Display Name");
        map.Tiles_Filename = Get_String(p + " Tiles Filename");
        map.Terrain_Filename = Get_String(p + " Terrain Filename");
        map.Item_Classes_Filename = Get_String(p + " Item Classes Filename");
        map.Monster_Classes_Filename = Get_String(p + " Monster Classes Filename");
        map.Monster_Groups_Filename = Get_String(p + " Monster Groups Filename");
        map.Monster_Random_Items_Carried_Filename =
            Get_String(p + " Monster Random Items Carried Filename");
        map.Stores_Filename = Get_String(p + " Stores Filename");
        map.Music_Filename = Get_String(p + " Music Filename");
        // A missing key leaves the map lit, the field's default.
        std::string light;
        if (Get_Field_Value(p + " Universal Light", light))
            map.Universal_Light = Str_To_Bool(light);
        map.Chance_Group = Get_Word(p + " Chance Group");
        map.Trap_Group_Name = Get_String(p + " Trap Group Name");
        map.Place_Random_Items = Get_Bool(p + " Place Random Items");
        map.Item_Grouping_Type = Get_String(p + " Item Grouping Type");
        map.Min_Items = Get_Word(p + " Minimum Number of Items");
        map.Max_Items = Get_Word(p + " Maximum Number of Items");
        map.Item_Level_Min = Get_Word(p + " Item Level Min");
        map.Item_Level_Max = Get_Word(p + " Item Level Max");
        map.Chance_Magic_Item = Get_Word(p + " Chance for Magic Item Percent");
        map.Chance_Unique_Item = Get_Word(p + " Chance for Unique Item Percent");
        map.Magic_Increase_Per_Start_Level =
            Get_Float(p + " Increase Magic Item Pct Per Char Start Lvl");
        map.Unique_Increase_Per_Start_Level =
            Get_Float(p + " Increase Unique Item Pct Per Char Start Lvl");
        map.Chance_Items_In_Chest = Get_Word(p + " Chance for Items in Chest");
        map.Min_Items_Per_Chest = Get_Word(p + " Minimum Number of Items Per Chest");
        map.Max_Items_Per_Chest = Get_Word(p + " Maximum Number of Items Per Chest");
        map.Place_Random_Monsters = Get_Bool(p + " Place Random Monsters");
        map.Monster_Grouping_Type = Get_String(p + " Monster Grouping Type");
        map.Min_Monsters = Get_Word(p + " Minimum Number of Monsters");
        map.Max_Monsters = Get_Word(p + " Maximum Number of Monsters");
        map.Min_Monster_Groups = Get_Word(p + " Minimum Number of Monster Groups");
        map.Max_Monster_Groups = Get_Word(p + " Maximum Number of Monster Groups");
        map.Monsters_Increase_Per_Difficulty = Get_Word(p + " Increase In Monsters Per Difficulty");
        map.Groups_Increase_Per_Difficulty =
            Get_Word(p + " Increase In Monster Groups Per Difficulty");
        map.Monster_Level_Min = Get_Word(p + " Monster Level Min");
        map.Monster_Level_Max = Get_Word(p + " Monster Level Max");
        map.Chance_Monster_Modifier = Get_Word(p + " Chance for Monster Modifier Percent");
        map.Difficulty_Monster_Modifier_Increase =
            Get_Word(p + " Diff Level Incr Monst Mod Percent");
        map.Connection_Count = Get_Word(p + " Number of Connections");
        for (uint32_t m = 1; m <= map.Connection_Count; ++m)
            map.Connections.push_back(read_connection(n, p + " Conn " + std::to_string(m)));
        return map;
    }

    TModule_Map_Connections_Class read_connection(uint32_t source_map, const std::string& c) {
        TModule_Map_Connections_Class connection;
        connection.Source_Map = source_map;
        connection.Entrance_ID = Get_Word(c + " Entrance ID");
        connection.Destination_Map = Get_Word(c + " Destination Map Number");
        connection.Dest_Entrance_ID = Get_Word(c + " Dest Entrance ID");
        // Names are matched exactly; a missing key is also an unknown (empty) name.
        const std::string type_text = Get_String(c + " Connection Type");
        TConnection_Type type = TConnection_Type::No_Connection;
        if (Find_Enum_Value(type_text, type))
            connection.Connection_Type = static_cast<uint8_t>(type);
        else
            Report_Unknown_Value(type_text, c + " Connection Type");
        return connection;
    }

    TModule_Class& module_;
};

// The module's "Tiles\" folder beside the "Data\" folder that holds the definition.
std::string tiles_folder_beside(const std::string& definition_path) {
    const auto is_separator = [](char ch) { return ch == '\\' || ch == '/'; };
    std::string folder = definition_path;
    while (!folder.empty() && !is_separator(folder.back()))
        folder.pop_back(); // the file name
    while (!folder.empty() && is_separator(folder.back()))
        folder.pop_back();
    while (!folder.empty() && !is_separator(folder.back()))
        folder.pop_back(); // the "Data" folder
    return folder + "Tiles\\";
}

} // namespace

TData_File_Report Read_Module_Class(const std::string& path, TModule_Class& module_class) {
    module_class = TModule_Class();
    TModule_Class_Loader loader(path, module_class);
    loader.Execute_Load();
    TData_File_Report report{Module_Class_Errors_Heading, path, loader.Get_Error_List()};
    // A file that could not be read has nothing to check further; one that was read but
    // holds no record has no maps to start on.
    if (loader.Has_Record || report.Errors.empty()) {
        for (std::string& message : Check_Module_Class(module_class))
            report.Errors.push_back(std::move(message));
    }
    return report;
}

bool Load_Module_Class_File(const std::string& path) {
    Free_Module_Class();
    Current_Module_Class = std::make_unique<TModule_Class>();
    const TData_File_Report report = Read_Module_Class(path, *Current_Module_Class);
    Report_Error_List(report.Heading, report.File_Name, report.Errors);
    return report.Ok();
}

void Free_Module_Class() {
    Current_Module_Class.reset();
}

std::vector<std::string> Check_Module_Class(const TModule_Class& module_class) {
    std::vector<std::string> errors;
    // Without this the game would start on a map that was never made.
    if (!module_class.Get_Map(module_class.Starting_Map_Number))
        errors.push_back("Cannot find module starting position.");
    for (const TModule_Map_Class& map : module_class.Maps) {
        for (size_t k = 0; k < map.Connections.size(); ++k) {
            const uint32_t destination = map.Connections[k].Destination_Map;
            if (!module_class.Get_Map(destination))
                errors.push_back("Error Destination Map Not Found - For Map " +
                                 std::to_string(map.Map_Number) + ": Connection " +
                                 std::to_string(k + 1) + " has destination map " +
                                 std::to_string(destination) + ".");
        }
    }
    return errors;
}

TMap_Class_Files Find_Map_Class_By_Tiles_File(const std::string& tiles_filename) {
    TMap_Class_Files found;
    if (!Current_Module_Class)
        return found;
    const std::string wanted = Lower_Case(tiles_filename);
    for (const TModule_Map_Class& map : Current_Module_Class->Maps) {
        if (Lower_Case(map.Tiles_Filename) != wanted)
            continue;
        found.Map_Number = map.Map_Number;
        found.Terrain_Filename = map.Terrain_Filename;
        found.Item_Classes_Filename = map.Item_Classes_Filename;
        found.Monster_Classes_Filename = map.Monster_Classes_Filename;
        found.Monster_Groups_Filename = map.Monster_Groups_Filename;
        found.Monster_Random_Items_Carried_Filename = map.Monster_Random_Items_Carried_Filename;
    }
    return found;
}

std::vector<std::string> Map_File_Names(const TModule_Class& module_class,
                                        std::string TModule_Map_Class::*field) {
    std::vector<std::string> names;
    for (const TModule_Map_Class& map : module_class.Maps) {
        const std::string& name = map.*field;
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }
    return names;
}

TData_File_Report Check_Module_Data_File(const std::string& path) {
    TModule_Class module_class;
    TData_File_Report report = Read_Module_Class(path, module_class);
    struct TNamed_File {
        const char* key;
        std::string TModule_Map_Class::*field;
    };
    static const TNamed_File named_files[] = {
        {" Tiles Filename", &TModule_Map_Class::Tiles_Filename},
        {" Terrain Filename", &TModule_Map_Class::Terrain_Filename},
        {" Item Classes Filename", &TModule_Map_Class::Item_Classes_Filename},
        {" Monster Classes Filename", &TModule_Map_Class::Monster_Classes_Filename},
        {" Monster Groups Filename", &TModule_Map_Class::Monster_Groups_Filename},
        {" Monster Random Items Carried Filename",
         &TModule_Map_Class::Monster_Random_Items_Carried_Filename},
        {" Stores Filename", &TModule_Map_Class::Stores_Filename},
    };
    const std::string tiles_folder = tiles_folder_beside(path);
    for (const TModule_Map_Class& map : module_class.Maps) {
        for (const TNamed_File& named : named_files) {
            const std::string& name = map.*named.field;
            if (Is_Plain_Name(name) && File_Exists(tiles_folder + name))
                continue;
            report.Errors.push_back("Could not find file \"" + name + "\" named by Map " +
                                    std::to_string(map.Map_Number) + named.key + ".");
        }
    }
    return report;
}
