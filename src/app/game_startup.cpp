#include "app/game_startup.h"

#include "app/window_host.h"
#include "presentation/display_object.h"
#include "presentation/graphics.h"

#include "datafiles/game_settings_loader.h"
#include "game/global_structs.h"
#include "platform/files.h"
#include "platform/names.h"
#include "platform/options_file.h"
#include "shell/debug_log.h"
#include "shell/globals.h"

namespace {

constexpr const char* log_category = "DlgMain";

std::string with_trailing_slash(const std::string& folder) {
    return folder.empty() ? "./" : With_Trailing_Separator(folder);
}

} // namespace

std::string Default_Game_Dir() {
    const std::string beside = Executable_Dir() + "game/";
    return Folder_Exists(beside) ? beside : Executable_Dir();
}

void Start_Program(const std::string& game_dir) {
    // The log lives in the game folder, so the folder is known before the banner.
    App_Dir = with_trailing_slash(game_dir.empty() ? Default_Game_Dir() : game_dir);
    Debug_Log_New_Execution(Executable_Path());
}

bool Start_Up_Game(TStart_Up_Report& report) {
    Debug_Log(log_category, "TDlg_Main.FormCreate - Start");
    Debug_Log(log_category, "  Setup_Global_Vars");
    // An options file that cannot be written costs only the remembered game path.
    Setup_Global_Vars(App_Dir);
    report.game_dir = App_Dir;
    report.options_file = TOptions_File::Default_Path();
    report.log_file = Native_Path(Debug_Log_File());

    Debug_Log(log_category, "  Create_Primary_Global_Structs");
    Create_Primary_Global_Structs();
    Debug_Log(log_category, "  Load_Primary_Global_Structs");
    // Errors in the settings file have been shown; the game runs on its defaults.
    bool settings_ok = Load_Primary_Global_Structs();
    report.data_files.push_back({Game_Settings_File(), settings_ok});

    Debug_Log(log_category, "  Init Form Vars");
    Intro_Music_Pending = true;
    App_Active = false;
    App_Ready = false;

    // The virtual buffers: the workspace must be the first one, handle 0.
    Debug_Log(log_category, "  fg_vbinit");
    fg_vbinit();
    Debug_Log(log_category, "  Workspace = fg_vballoc");
    fg_vballoc(Screen_Width, Screen_Height);
    Debug_Log(log_category, "  Display_Object = TDisplay_Object.Create");
    Display_Object = std::make_unique<TDisplay_Object>();
    Debug_Log(log_category, "  Create_Global_Structs");
    Create_Global_Structs();
    // The main screen comes here.
    Debug_Log(log_category, "  Load_External_Resources");
    Load_External_Resources();
    Debug_Log(log_category, "  Load_Global_Structs");
    Load_Global_Structs();
    // The cursor state, description texts and the move timer come here.

    App_Active = true;
    App_Ready = true;
    Debug_Log(log_category, "TDlg_Main.FormCreate - End");
    return true;
}

void Shut_Down_Game() {
    Debug_Log(log_category, "TDlg_Main.FormDestroy - Start");
    App_Ready = false;
    App_Active = false;
    // The main screen and the sound are taken down here; the display object last.
    if (Display_Object)
        Display_Object->Free_Game_Bitmaps();
    Display_Object.reset();
    Free_Global_Structs();
    Free_Primary_Global_Structs();
    Free_External_Resources();
    Graphics_Shutdown();
    Debug_Log(log_category, "TDlg_Main.FormDestroy - End");
}
