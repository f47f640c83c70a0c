#include "app/data_validators.h"

#include "datafiles/game_settings_loader.h"

namespace {

void check_game_settings(std::vector<TData_File_Check>& checks) {
    // Into a copy: a check must not change the settings the tool runs with.
    TGame_Settings settings;
    const std::string file = Game_Settings_File();
    TGame_Settings_Data_File_Loader loader(file, settings);
    loader.Execute_Load();
    checks.push_back({"Game Settings Data File Errors: ", file, loader.Get_Error_List()});
}

} // namespace

const std::vector<TData_Validator>& Data_Validators() {
    static const std::vector<TData_Validator> validators = {
        {"game settings", check_game_settings},
    };
    return validators;
}
