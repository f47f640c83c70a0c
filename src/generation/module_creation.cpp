#include "generation/module_creation.h"

#include <chrono>

#include "datafiles/data_file_errors.h"
#include "generation/level_population.h"
#include "generation/tile_classes.h"
#include "platform/files.h"
#include "rules/item_classes.h"
#include "rules/item_modifiers.h"
#include "rules/monster_classes.h"
#include "shell/globals.h"
#include "shell/random.h"
#include "shell/value_stream.h"
#include "world/events.h"
#include "world/group_files.h"
#include "world/map.h"
#include "world/module.h"
#include "world/module_definition.h"
#include "world/quests.h"
#include "world/store_classes.h"

namespace {

constexpr const char* module_errors_heading = "Errors creating module: ";

std::string tile_file(const std::string& name) {
    return Path_Settings ? Path_Settings->Get_Tile_File(name) : std::string();
}

void free_map_files() {
    Free_Tile_Classes();
    Free_Store_Classes();
    Free_Chance_Groups();
    Free_Monster_Groups();
    Free_Monster_Rand_Items_Carried();
    Item_Modifier_Tables = TItem_Modifier_Tables{};
    Monster_Modifiers.Clear();
}

// Destination maps that are not among the maps could never be reached.
void check_destination_maps(const TModule_Class& module_class, std::vector<std::string>& errors) {
    for (uint32_t n = 1; n <= module_class.Map_Count; ++n) {
        const TModule_Map_Class* map_class = module_class.Get_Map(n);
        if (!map_class)
            continue;
        for (size_t k = 0; k < map_class->Connections.size(); ++k) {
            const uint32_t destination = map_class->Connections[k].Destination_Map;
            if (destination < 1 || destination > module_class.Map_Count)
                errors.push_back("Error Destination Map Not Found - For Map " + std::to_string(n) +
                                 ": Connection " + std::to_string(k + 1) + " has destination map " +
                                 std::to_string(destination) + ".");
        }
    }
}

} // namespace

bool Save_Created_Map(const TMap& map, const std::string& path) {
    TWriteable_Map copy;
    copy.Assign(map);
    try {
        TValue_Writer writer;
        writer.Write_String(Current_Save_Version);
        copy.Save(writer);
        return writer.Save_To_File(path);
    } catch (const TStream_Error&) {
        return false;
    }
}

TDig_Result Generate_Map(const TModule_Map_Class& map_class, uint32_t map_number, TMap& map,
                         const TModule_Creation_Options& options, TCreation_Classes& classes,
                         std::vector<std::string>& errors) {
    TDig_Result result;
    const size_t errors_before = errors.size();

    // A tile or terrain file that cannot be used would give an empty level: it stops
    // the creation like the class files do.
    if (!Load_Tile_Class_File(map_class.Tiles_Filename))
        errors.push_back("Unable to load tile class file \"" + map_class.Tiles_Filename +
                         "\" for Map " + std::to_string(map_number) + ".");
    if (Path_Settings) {
        Load_Item_Modifiers(Path_Settings->Get_Item_Modifiers_File());
        const TData_File_Report monster_modifiers =
            Load_Monster_Modifiers(Path_Settings->Get_Monster_Modifiers_File());
        Report_Error_List(monster_modifiers.Heading, monster_modifiers.File_Name,
                          monster_modifiers.Errors);
        Load_Chance_Groups(Path_Settings->Get_Chance_Groups_File());
        Load_Unique_Names(Path_Settings->Get_Unique_Item_Names_File());
    }
    if (!map_class.Monster_Random_Items_Carried_Filename.empty())
        Load_Monster_Rand_Items_Carried(tile_file(map_class.Monster_Random_Items_Carried_Filename));
    if (!map_class.Monster_Groups_Filename.empty())
        Load_Monster_Groups(tile_file(map_class.Monster_Groups_Filename));
    // The terrain loader shows its own errors; only a list left empty stops the dig.
    const std::string terrain_path = tile_file(map_class.Terrain_Filename);
    if (!terrain_path.empty())
        map.Terrains.Load_Terrain_File(terrain_path);
    else
        map.Terrains.Clear();
    if (map.Terrains.Count() == 0)
        errors.push_back("Unable to load terrain file \"" + map_class.Terrain_Filename +
                         "\" for Map " + std::to_string(map_number) + ".");
    const TData_File_Report monster_report =
        Load_Monster_Classes(tile_file(map_class.Monster_Classes_Filename), classes.Monsters);
    errors.insert(errors.end(), monster_report.Errors.begin(), monster_report.Errors.end());
    classes.Items.Load_Item_Classes(tile_file(map_class.Item_Classes_Filename), &errors);
    if (!map_class.Stores_Filename.empty())
        Load_Store_Classes(tile_file(map_class.Stores_Filename));

    if (errors.size() == errors_before) {
        TPopulation_Sources sources;
        sources.Item_Classes = &classes.Items;
        sources.Monster_Classes = &classes.Monsters;
        sources.Difficulty = options.Difficulty;
        sources.Start_Level = options.Start_Level;
        TDig_Request request;
        request.Map_Number = map_number;
        request.Map_File_Name = map_class.Tiles_Filename;
        request.Map_Class = &map_class;
        request.Sources = &sources;
        request.Reseed_From_Clock = !options.Seed.has_value();
        Dig_Tile_Map(map, Tile_Classes, request, result, errors);
    }
    free_map_files();
    return result;
}

void Resolve_Entrances(const TModule_Class& module_class, uint32_t n, TMap& map, TModule& module,
                       const TEntrance_Lists& entrances, std::vector<std::string>& errors) {
    auto mark = [&](int32_t x, int32_t y) {
        if (TMap_Square* square = map.Get_Square(x, y))
            square->Set_Entrance(true);
    };
    for (uint32_t m = 1; m <= module_class.Map_Count && m <= module.Maps.size(); ++m) {
        const TModule_Map_Class* map_class = module_class.Get_Map(m);
        if (!map_class)
            continue;
        for (size_t k = 0;
             k < map_class->Connections.size() && k < module.Maps[m - 1].Connections.size(); ++k) {
            const TModule_Map_Connections_Class& c = map_class->Connections[k];
            if (c.Destination_Map != n)
                continue;
            int32_t x = 0, y = 0;
            if (entrances.Find_Entrance(c.Dest_Entrance_ID, x, y)) {
                module.Maps[m - 1].Connections[k].Dest_X = static_cast<uint16_t>(x);
                module.Maps[m - 1].Connections[k].Dest_Y = static_cast<uint16_t>(y);
                mark(x, y);
            } else {
                errors.push_back("Error Entrance Not Found  - For Map " + std::to_string(n) +
                                 ": Map " + std::to_string(m) + " Connection " +
                                 std::to_string(k + 1) + " has destination entrance " +
                                 std::to_string(c.Dest_Entrance_ID) + ".");
            }
        }
    }
    const TModule_Map_Class* own = module_class.Get_Map(n);
    if (!own || n > module.Maps.size())
        return;
    for (size_t k = 0; k < own->Connections.size() && k < module.Maps[n - 1].Connections.size();
         ++k) {
        const TModule_Map_Connections_Class& c = own->Connections[k];
        int32_t x = 0, y = 0;
        if (entrances.Find_Entrance(c.Entrance_ID, x, y)) {
            module.Maps[n - 1].Connections[k].Source_X = static_cast<uint16_t>(x);
            module.Maps[n - 1].Connections[k].Source_Y = static_cast<uint16_t>(y);
            mark(x, y);
        } else {
            errors.push_back("Error Entrance Not Found - For Map " + std::to_string(n) +
                             ": Connection " + std::to_string(k + 1) + " has entrance " +
                             std::to_string(c.Entrance_ID) + ".");
        }
    }
}

bool Create_Module(const TModule_Class& module_class, TWriteable_Module& module, TMap& map,
                   const TModule_Creation_Options& options, TModule_Creation_Result& result,
                   const TProgress_Callback& progress) {
    auto report = [&](int32_t percent, const std::string& text) {
        if (progress)
            progress(percent, text);
    };
    std::string text = "Module creation in progress...";
    report(0, text);
    result = TModule_Creation_Result{};
    std::vector<std::string>& errors = result.Errors;
    module.Copy_From_Class(module_class);
    if (options.Seed)
        Set_Random_Seed(*options.Seed);

    report(10, text);
    TCreation_Classes classes;

    // Nothing is made from a definition whose start or connections lead nowhere.
    if (module_class.Starting_Map_Number < 1 ||
        module_class.Starting_Map_Number > module_class.Map_Count)
        errors.push_back("Cannot find module starting position.");
    check_destination_maps(module_class, errors);
    if (errors.empty() && !options.Current_Game_Folder.empty() &&
        !Folder_Exists(options.Current_Game_Folder))
        Create_Folder(options.Current_Game_Folder);

    bool start_found = false;
    int32_t percent = 10;
    for (uint32_t n = 1; n <= module_class.Map_Count && errors.empty(); ++n) {
        text = "Map " + std::to_string(n) + " creation in progress...";
        report(percent, text);
        const auto started = std::chrono::steady_clock::now();
        // A definition built in memory may count more maps than it holds.
        if (!module_class.Get_Map(n)) {
            errors.push_back("Map " + std::to_string(n) +
                             " is missing from the module definition.");
            break;
        }
        const TModule_Map_Class& map_class = *module_class.Get_Map(n);
        const TDig_Result dug = Generate_Map(map_class, n, map, options, classes, errors);
        Resolve_Entrances(module_class, n, map, module, dug.Entrances, errors);
        if (n == module_class.Starting_Map_Number) {
            int32_t x = 0, y = 0;
            if (dug.Entrances.Find_Entrance(module_class.Starting_Map_Entrance_ID, x, y)) {
                module.Start_Map = static_cast<uint16_t>(n);
                module.Start_X = static_cast<uint16_t>(x);
                module.Start_Y = static_cast<uint16_t>(y);
                start_found = true;
            } else {
                errors.push_back("Cannot find module starting position.");
            }
        }
        map.Set_Display_Name(map_class.Display_Name);
        map.Set_Universal_Light(map_class.Universal_Light);
        const std::string file_name = std::to_string(n) + ".map";
        map.Map_File_Name = file_name;
        // A level that cannot be written would be missing when the player reaches it.
        if (!Save_Created_Map(map, options.Current_Game_Folder + file_name))
            errors.push_back("Unable to save module file \"" + options.Current_Game_Folder +
                             file_name + "\".");

        TMap_Creation_Report line;
        line.Map_Number = n;
        line.Name = map_class.Name;
        line.Grid_Cells = dug.Grid.Width * dug.Grid.Height;
        line.Cells_Used = dug.Grid.Occupied_Count();
        line.Squares_Dug = line.Cells_Used * dug.Grid.Tile_Width * dug.Grid.Tile_Height;
        line.Counts = dug.Counts;
        line.Layout_Attempts = dug.Layout_Attempts_Used;
        line.Milliseconds =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
                .count();
        result.Maps.push_back(line);
        percent += 80 / static_cast<int32_t>(module_class.Map_Count);
    }
    if (errors.empty() && !start_found)
        errors.push_back("Cannot find module starting position.");
    module.Set_Current_Position(module.Start_Map, module.Start_X, module.Start_Y);
    if (Path_Settings) {
        Reset_Quests(module.Quests, Path_Settings->Get_Quests_File());
        Reset_Events(module.Events, Path_Settings->Get_Events_File());
    }
    report(90, text);

    if (errors.empty()) {
        const std::string path = options.Current_Game_Folder + "module.mod";
        module.File_Name = "module.mod";
        if (!Write_Module_File(module, path))
            errors.push_back("Unable to save module file \"" + path + "\".");
    }
    if (!errors.empty())
        Report_Error_List(module_errors_heading, module_class.Name, errors);
    report(100, text);
    return errors.empty();
}
