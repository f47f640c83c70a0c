#include "app/data_validators.h"

#include "datafiles/game_settings_loader.h"
#include "generation/tile_classes.h"
#include "rules/creature_file_checks.h"
#include "rules/data_file_checks.h"
#include "shell/globals.h"
#include "world/events.h"
#include "world/group_files.h"
#include "world/module_definition.h"
#include "world/quests.h"
#include "world/store_classes.h"
#include "world/terrain_file_checks.h"

namespace {

void check_game_settings(std::vector<TData_File_Check>& checks) {
    // Into a copy: a check must not change the settings the tool runs with.
    TGame_Settings settings;
    const std::string file = Game_Settings_File();
    TGame_Settings_Data_File_Loader loader(file, settings);
    loader.Execute_Load();
    checks.push_back({"Game Settings Data File Errors: ", file, loader.Get_Error_List()});
}

void add(std::vector<TData_File_Check>& checks, const TData_File_Report& report) {
    checks.push_back({report.Heading, report.File_Name, report.Errors});
}

// Display effects come first: item classes and traps resolve their "Damage Firing FX"
// names in it.
void check_display_effects(std::vector<TData_File_Check>& checks) {
    add(checks, Check_Display_Effects_File(Path_Settings->Get_Effects_File()));
}

void check_starting_equipment(std::vector<TData_File_Check>& checks) {
    add(checks, Check_Item_Class_File(Path_Settings->Get_Class_Item_Classes_File()));
}

// Spells come before the monster classes, which resolve their spell names in it.
void check_classes_and_spells(std::vector<TData_File_Check>& checks) {
    add(checks, Check_Class_Info_File(Path_Settings->Get_Class_Portraits_File()));
    add(checks, Check_Spells_File(Path_Settings->Get_Spells_File()));
    add(checks, Check_Monster_Class_File(Path_Settings->Get_Summon_Monster_Classes_File()));
}

// The module: its definition, the files of its "Data\" folder, then each file its maps
// name in "Tiles\" (once each, though several maps may share one).
void check_module(std::vector<TData_File_Check>& checks) {
    if (Path_Settings->Get_Module_Name().empty()) {
        return;
    }
    const std::string definition = Path_Settings->Get_Module_Data_File();
    add(checks, Check_Module_Data_File(definition));
    TModule_Class module_class;
    Read_Module_Class(definition, module_class);

    add(checks, Check_Item_Modifiers_File(Path_Settings->Get_Item_Modifiers_File()));
    add(checks, Check_Unique_Names_File(Path_Settings->Get_Unique_Item_Names_File()));
    add(checks, Check_Monster_Modifiers_File(Path_Settings->Get_Monster_Modifiers_File()));
    add(checks, Check_Chance_Groups_File(Path_Settings->Get_Chance_Groups_File()));
    add(checks, Check_Trap_Groups_File(Path_Settings->Get_Trap_Groups_File()));

    using TCheck = TData_File_Report (*)(const std::string&);
    const std::pair<std::string TModule_Map_Class::*, TCheck> per_map[] = {
        {&TModule_Map_Class::Terrain_Filename, Check_Terrain_File},
        {&TModule_Map_Class::Tiles_Filename, Check_Tile_Class_File},
        {&TModule_Map_Class::Item_Classes_Filename, Check_Item_Class_File},
        {&TModule_Map_Class::Monster_Classes_Filename, Check_Monster_Class_File},
        {&TModule_Map_Class::Monster_Groups_Filename, Check_Monster_Groups_File},
        {&TModule_Map_Class::Monster_Random_Items_Carried_Filename,
         Check_Monster_Rand_Items_Carried_File},
        {&TModule_Map_Class::Stores_Filename, Check_Store_Class_File},
    };
    for (const auto& [field, check] : per_map) {
        for (const std::string& name : Map_File_Names(module_class, field)) {
            add(checks, check(Path_Settings->Get_Tile_File(name)));
        }
    }
    // Module creation reads these last.
    add(checks, Check_Event_File(Path_Settings->Get_Events_File()));
    add(checks, Check_Quest_File(Path_Settings->Get_Quests_File()));
}

} // namespace

const std::vector<TData_Validator>& Data_Validators() {
    static const std::vector<TData_Validator> validators = {
        {"game settings", check_game_settings},
        {"display effects", check_display_effects},
        {"starting equipment", check_starting_equipment},
        {"classes and spells", check_classes_and_spells},
        {"module", check_module},
    };
    return validators;
}
