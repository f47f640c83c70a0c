#include "screen_fixture.h"

#include <filesystem>

#include "game/global_structs.h"
#include "presentation/display_class.h"
#include "presentation/display_object.h"
#include "presentation/graphics.h"
#include "presentation/host.h"
#include "presentation/text.h"
#include "shell/globals.h"
#include "shell/options.h"
#include "world/map.h"
#include "world/sprites.h"

namespace fs = std::filesystem;

void Game_Screen_Test::SetUp() {
    Reset_Shell_Globals();
    Create_Primary_Global_Structs();
    Game_Settings->Generate_Debug_Log = false;
    const fs::path game = KV_GAME_DIR;
    for (const char* folder : {"Modules", "Pictures", "Sounds", "Music"})
        if (fs::exists(game / folder))
            fs::create_directory_symlink(game / folder, dir_.Path() + folder);
    fs::create_directories(dir_.Path() + "Data");
    for (const fs::directory_entry& e : fs::directory_iterator(game / "Data"))
        if (e.path().filename() != "HighScores.dat")
            fs::create_symlink(e.path(), fs::path(dir_.Path() + "Data") / e.path().filename());
    App_Dir = dir_.Path();
    Machine_Options = TMachine_Options();
    fg_vbinit();
    fg_vballoc(Screen_Width, Screen_Height);
    Create_Global_Structs();
    Load_Global_Structs();
    Display_Object = std::make_unique<TDisplay_Object>();
    // The pictures show the texts as the player reads them.
    std::string report;
    Load_Fonts(report);
    // What the game asks the sound layer to play; messages go nowhere.
    services_ =
        std::make_unique<TScoped_Services>(TServices{.Sound = &sound_, .Messages = &quiet_});
    Register_Game_Dialogs();
    hooks_ = Make_Main_Screen_Hooks(screen_pointer_);
    fs::create_directories(KV_SCREENS_DIR);
}

void Game_Screen_Test::TearDown() {
    screen_pointer_ = nullptr;
    screen_.reset();
    services_.reset();
    Sprites.Clear();
    Display_Object.reset();
    Free_Fonts();
    Free_Global_Structs();
    Graphics_Shutdown();
    App_Dir.clear();
    Reset_Shell_Globals();
}

void Game_Screen_Test::Start(TMain_Screen_Start start) {
    screen_pointer_ = nullptr;
    screen_.reset();
    start.Skip_Intro = true;
    screen_ = std::make_unique<TDC_Main>(hooks_, start);
    screen_pointer_ = screen_.get();
}

void Game_Screen_Test::Start_New_Game(int32_t class_number, uint32_t seed,
                                      const std::string& name) {
    TMain_Screen_Start start;
    start.Quick_Start =
        TQuick_Start{.Module = "Hollowmere", .Class = class_number, .Name = name, .Seed = seed};
    Start(start);
    Play("key Escape\n");
}

void Game_Screen_Test::Play(const std::string& script) {
    const std::string file = dir_.Write("script.txt", script);
    THost_Callbacks callbacks;
    callbacks.On_Timer = [this] {
        counter_ = counter_ >= 20 ? 0 : counter_ + 1;
        screen_->Tick(counter_, 20.0);
    };
    THost host(*screen_, callbacks);
    THost_Settings settings;
    settings.headless = true;
    settings.script = file;
    ASSERT_EQ(host.Run_Headless(settings), 0) << script;
}

std::string Game_Screen_Test::Shot(const std::string& name) {
    return "wait 1\nscreenshot " + std::string(KV_SCREENS_DIR) + "/" + name + ".png\n";
}

void Game_Screen_Test::Click(const TDisplay_Class& control) {
    const std::string at =
        At(control.f_X + control.f_Width / 2, control.f_Y + control.f_Height / 2);
    Play("move " + at + "\nclick " + at + "\n");
}

std::string Game_Screen_Test::Point_Of(int32_t x, int32_t y) {
    Play("");
    for (int py = 150; py < 560; py += 3)
        for (int px = 10; px < 790; px += 3) {
            int32_t mx = 0, my = 0;
            if (hooks_.Map_Square_At(px, py, mx, my) && mx == x && my == y)
                return At(px, py);
        }
    ADD_FAILURE() << "square " << x << "," << y << " is not on the screen";
    return "0 0";
}

TMonster& Game_Screen_Test::Player() {
    return *Current_Map->Player();
}
