#include "app/data_validators.h"

#include "datafiles/game_settings_loader.h"
#include "generation/tile_classes.h"
#include "rules/creature_file_checks.h"
#include "rules/data_file_checks.h"
#include "shell/globals.h"

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

// Display effects come first: item classes resolve their "Damage Firing FX" names in it.
void check_display_effects(std::vector<TData_File_Check>& checks) {
    add(checks, Check_Display_Effects_File(Path_Settings->Get_Effects_File()));
}

void check_starting_equipment(std::vector<TData_File_Check>& checks) {
    add(checks, Check_Item_Class_File(Path_Settings->Get_Class_Item_Classes_File()));
}

void check_module_items(std::vector<TData_File_Check>& checks) {
    if (Path_Settings->Get_Module_Name().empty()) {
        return;
    }
    add(checks, Check_Item_Modifiers_File(Path_Settings->Get_Item_Modifiers_File()));
    add(checks, Check_Unique_Names_File(Path_Settings->Get_Unique_Item_Names_File()));
    for (const std::string& name : Module_Item_Class_Files(Path_Settings->Get_Module_Data_File())) {
        add(checks, Check_Item_Class_File(Path_Settings->Get_Tile_File(name)));
    }
}

// Spells come before the monster classes, which resolve their spell names in it.
void check_classes_and_spells(std::vector<TData_File_Check>& checks) {
    add(checks, Check_Class_Info_File(Path_Settings->Get_Class_Portraits_File()));
    add(checks, Check_Spells_File(Path_Settings->Get_Spells_File()));
    add(checks, Check_Monster_Class_File(Path_Settings->Get_Summon_Monster_Classes_File()));
}

void check_module_monsters(std::vector<TData_File_Check>& checks) {
    if (Path_Settings->Get_Module_Name().empty()) {
        return;
    }
    add(checks, Check_Monster_Modifiers_File(Path_Settings->Get_Monster_Modifiers_File()));
    for (const std::string& name :
         Module_Monster_Class_Files(Path_Settings->Get_Module_Data_File())) {
        add(checks, Check_Monster_Class_File(Path_Settings->Get_Tile_File(name)));
    }
}

void check_module_tiles(std::vector<TData_File_Check>& checks) {
    if (Path_Settings->Get_Module_Name().empty()) {
        return;
    }
    for (const std::string& name :
         Module_Tile_Class_Files(Path_Settings->Get_Module_Data_File())) {
        add(checks, Check_Tile_Class_File(Path_Settings->Get_Tile_File(name)));
    }
}

} // namespace

const std::vector<TData_Validator>& Data_Validators() {
    static const std::vector<TData_Validator> validators = {
        {"game settings", check_game_settings},
        {"display effects", check_display_effects},
        {"starting equipment", check_starting_equipment},
        {"module items", check_module_items},
        {"classes and spells", check_classes_and_spells},
        {"module monsters", check_module_monsters},
        {"module tiles", check_module_tiles},
    };
    return validators;
}
