#pragma once
// The main screen over a game folder of the test's own: the shipped data files and
// modules linked in, the globals loaded, a drawing buffer, a manual clock and an options
// file of its own. Input reaches the screen as the window hands it on.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "game/global_structs.h"
#include "game/main_screen.h"
#include "platform/clock.h"
#include "presentation/graphics.h"
#include "presentation/virtual_keys.h"
#include "rules/monster.h"
#include "shell/globals.h"
#include "shell/options.h"
#include "support/fake_services.h"
#include "support/temp_dir.h"
#include "world/map.h"

class Screen_Test : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_Shell_Globals();
        Create_Primary_Global_Structs();
        Game_Settings->Generate_Debug_Log = false;
        std::filesystem::create_directory_symlink(Content() / "Data", dir_.Path() + "Data");
        Lay_Out_Modules();
        App_Dir = dir_.Path();
        if (const char* old = std::getenv("XDG_CONFIG_HOME"))
            old_config_ = old;
        setenv("XDG_CONFIG_HOME", (dir_.Path() + "config").c_str(), 1);
        Create_Global_Structs();
        Load_Global_Structs();
        Machine_Options = TMachine_Options();
        fg_vbinit();
        fg_vballoc(Screen_Width, Screen_Height);
        Set_Manual_Clock(true);
    }
    void TearDown() override {
        screen_.reset();
        Set_Manual_Clock(false);
        Free_Global_Structs();
        Graphics_Shutdown();
        App_Dir.clear();
        Reset_Shell_Globals();
        if (old_config_.empty())
            unsetenv("XDG_CONFIG_HOME");
        else
            setenv("XDG_CONFIG_HOME", old_config_.c_str(), 1);
    }
    static std::filesystem::path Content() { return KV_FIXTURES_DIR "/../../content"; }
    virtual void Lay_Out_Modules() {
        std::filesystem::create_directory_symlink(Content() / "Modules", dir_.Path() + "Modules");
    }

    // The screen started without its opening picture; a quick start when one is given.
    TDC_Main& Start_Screen(const std::optional<TQuick_Start>& quick = {},
                           TMain_Screen_Hooks hooks = {}) {
        if (!hooks.Reload_Global_Structs)
            hooks.Reload_Global_Structs = [] { return Reload_Global_Structs(); };
        TMain_Screen_Start start;
        start.Skip_Intro = true;
        start.Quick_Start = quick;
        screen_ = std::make_unique<TDC_Main>(hooks, start);
        return *screen_;
    }
    void Key(uint16_t key, TShift_State shift = 0) {
        TDispatch_Guard guard;
        screen_->Dispatch_KeyDown(key, shift);
    }
    // Letters, digits and spaces as typed on the keyboard.
    void Type(const std::string& text) {
        for (char c : text) {
            if (c == ' ')
                Key(VK_SPACE);
            else if (c >= 'a' && c <= 'z')
                Key(uint16_t(c - 'a' + 'A'));
            else if (c >= 'A' && c <= 'Z')
                Key(uint16_t(c), ssShift);
            else
                Key(uint16_t(c));
        }
    }
    void Click(int x, int y) {
        TDispatch_Guard guard;
        screen_->Dispatch_MouseMove(0, x, y);
        screen_->Dispatch_MouseDown(mbLeft, ssLeft, x, y);
        screen_->Dispatch_MouseUp(mbLeft, 0, false, x, y);
    }
    // A click in the middle of the control.
    void Click(const TDisplay_Class* control) {
        ASSERT_NE(control, nullptr);
        Click(control->f_X + control->f_Width / 2, control->f_Y + control->f_Height / 2);
    }
    void Click(const TDisplay_Class& control) { Click(&control); }
    // A frame drawn, so that closed dialogs are swept away.
    void Draw() { screen_->Dispatch_Draw(Workspace_Buffer); }
    template <class T> T* Shown(const std::string& name) {
        return dynamic_cast<T*>(screen_->Shown(name));
    }
    TMonster& Player() { return *Current_Map->Player(); }

    TTemp_Dir dir_;
    std::string old_config_;
    TQuiet_Messages quiet_;
    TSound_Recorder sound_;
    TScoped_Services use_{{.Sound = &sound_, .Messages = &quiet_}};
    std::unique_ptr<TDC_Main> screen_;
};
