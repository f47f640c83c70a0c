#include "app/headless_game.h"

#include <cstdlib>
#include <filesystem>

#include "app/game_screen.h"
#include "app/game_startup.h"
#include "app/program_services.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "presentation/graphics.h"
#include "presentation/text.h"
#include "presentation/virtual_keys.h"
#include "world/map.h"
#include "world/sprites.h"

namespace fs = std::filesystem;

TScratch_Game::TScratch_Game(const std::string& game_dir) {
    std::error_code error;
    const fs::path source = fs::absolute(Native_Path(game_dir), error);
    std::string pattern = (fs::temp_directory_path() / "krelvane-soak-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        return;
    Path = pattern + "/";
    for (const char* folder : {"Pictures", "Sounds", "Music", "Fonts", "Modules"})
        if (fs::exists(source / folder, error))
            fs::create_directory_symlink(source / folder, Path + folder, error);
    fs::copy(source / "Data", Path + "Data", fs::copy_options::recursive, error);
    for (const char* folder : {"Characters", "CurrGame", "Savegames", "log", "config"})
        fs::create_directories(Path + folder, error);
}

TScratch_Game::~TScratch_Game() {
    if (!Path.empty())
        Delete_Folder(Path);
}

bool Run_Headless_Game(const std::string& game_dir, std::string& error,
                       const std::function<void()>& play) {
    const std::string source = game_dir.empty() ? Default_Game_Dir() : game_dir;
    TScratch_Game scratch(source);
    if (scratch.Path.empty()) {
        error = "no scratch folder could be made";
        return false;
    }
    // The options file of the scratch folder, not the player's.
    setenv("XDG_CONFIG_HOME", (scratch.Path + "config").c_str(), 1);
    bool started_up = false;
    {
        TProgram_Services services;
        Start_Program(scratch.Path);
        TStart_Up_Report started;
        if (Start_Up_Game(started)) {
            started_up = true;
            std::string fonts;
            Load_Fonts(fonts);
            Register_Game_Dialogs();
            Set_Manual_Clock(true);
            play();
            Set_Manual_Clock(false);
            Free_Fonts();
        } else {
            error = "the game did not start in " + scratch.Path;
        }
        Shut_Down_Game();
    }
    return started_up;
}

bool THeadless_Screen::Start(const TQuick_Start& quick, const std::string& record,
                             std::string* error) {
    End();
    TMain_Screen_Start start;
    start.Skip_Intro = true;
    start.Quick_Start = quick;
    hooks_ = Make_Main_Screen_Hooks(screen_pointer_);
    screen_ = std::make_unique<TDC_Main>(hooks_, start);
    screen_pointer_ = screen_.get();
    THost_Callbacks callbacks;
    callbacks.On_Timer = [this] {
        counter_ = counter_ >= 20 ? 0 : counter_ + 1;
        screen_->Tick(counter_, 20.0);
    };
    callbacks.Draw_Frame = [this] { Draw_Game_Frame(*screen_); };
    host_ = std::make_unique<THost>(*screen_, callbacks);
    if (!record.empty() && !host_->Start_Recording(record, {Quick_Start_Command(quick)})) {
        if (error)
            *error = "the recording \"" + record + "\" could not be written";
        return false;
    }
    // The adventure opens on its story; play begins once it is read.
    if (screen_->Shown("Dlg Module Text")) {
        host_->Key_Down(VK_ESCAPE);
        host_->Timer_Tick();
    }
    return !screen_->Close_Requested() && screen_->Game_Running && Current_Map;
}

void THeadless_Screen::End() {
    host_.reset();
    screen_pointer_ = nullptr;
    screen_.reset();
    Sprites.Clear();
}
