#include "datafiles/game_settings_loader.h"

#include "platform/files.h"
#include "shell/debug_log.h"
#include "shell/services.h"

namespace {

constexpr const char* log_category = "GameSettings";

} // namespace

TGame_Settings_Data_File_Loader::TGame_Settings_Data_File_Loader(std::string file_name,
                                                                 TGame_Settings& settings)
    : TData_File_Loader(std::move(file_name)), settings_(settings) {}

void TGame_Settings_Data_File_Loader::Process_Record(int32_t) {
    Debug_Log(log_category, "TGame_Settings_Data_File_Loader.Process_Record - Start");
    Set_Record_Name("Main Record");
    std::string text;
    auto read_bool = [&](const char* key, bool& field) {
        if (Get_Field_Value(key, text)) {
            field = Str_To_Bool(text);
        }
        Debug_Log(log_category, std::string("    ") + key + " = " + text);
    };
    auto read_string = [&](const char* key, std::string& field) {
        if (Get_Field_Value(key, text)) {
            field = Str_To_String(text);
        }
        Debug_Log(log_category, std::string("    ") + key + " = " + text);
    };
    read_bool("Allow Music", settings_.Allow_Music);
    read_bool("Allow Sound", settings_.Allow_Sound);
    read_bool("Use DirectSound", settings_.Use_DirectSound);
    read_string("Music Song Intro", settings_.Music_Song_Intro);
    read_string("Music Song Death", settings_.Music_Song_Death);
    // Stored straight into the settings the log reads, so it takes effect at once.
    read_bool("Generate Debug Log", settings_.Generate_Debug_Log);
    Debug_Log(log_category, "TGame_Settings_Data_File_Loader.Process_Record - End");
}

std::string Game_Settings_File() {
    // In its native form, so that messages name the file as the player sees it.
    if (Path_Settings) {
        return Native_Path(Path_Settings->Resolve_Path("Data\\", "Settings.txt"));
    }
    return Native_Path(App_Dir + "Data\\Settings.txt");
}

bool Load_Game_Settings() {
    Debug_Log(log_category, "Load_Game_Settings - Start");
    if (!Game_Settings) {
        Game_Settings = std::make_unique<TGame_Settings>();
    }
    Debug_Log(log_category, "    TGame_Settings_Data_File_Loader.create");
    const std::string file = Game_Settings_File();
    bool ok = true;
    {
        TGame_Settings_Data_File_Loader loader(file, *Game_Settings);
        Debug_Log(log_category, "    data_loader.Execute_Load");
        loader.Execute_Load();
        if (!loader.Get_Error_List().empty()) {
            ok = false;
            Debug_Log(log_category, "    data_loader.Get_Error_List.count > 0");
            auto show = [](const std::string& text) {
                Show_Message_Box("Data File Error", text);
                Debug_Log(log_category, "    Error Msg: " + text);
            };
            show("Errors reading file \"" + file + "\".");
            for (const std::string& message : loader.Get_Error_List()) {
                show(message);
            }
        }
    }
    Debug_Log(log_category, "Load_Game_Settings - End");
    return ok;
}
