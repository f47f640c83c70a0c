#include "game/dlg_options.h"

#include <algorithm>
#include <string>

#include "game/save_load.h"
#include "presentation/dialog_background.h"
#include "presentation/graphics.h"
#include "presentation/text.h"
#include "presentation/virtual_keys.h"
#include "shell/options.h"
#include "shell/services.h"
#include "world/module.h"

namespace {

constexpr std::array<const char*, 7> captions{"Sound",
                                              "Music",
                                              "Don't Autosave Games",
                                              "Autosave every minute",
                                              "Autosave every 5 minutes",
                                              "Autosave every 20 minutes",
                                              "Display Frames Per Second"};

// The machine option behind toggle 1..7.
bool& option_of(TMachine_Options& options, int32_t n) {
    switch (n) {
    case 1:
        return options.Play_Sounds;
    case 2:
        return options.Play_Music;
    case 3:
        return options.Dont_Autosave;
    case 4:
        return options.Autosave_Every_Minute;
    case 5:
        return options.Autosave_Every_5_Minutes;
    case 6:
        return options.Autosave_Every_20_Minutes;
    default:
        return options.Show_Drawing_Speed;
    }
}

// The strip columns of the arrow buttons.
constexpr int left_arrow_column = 2;
constexpr int right_arrow_column = 3;

} // namespace

TDC_Dlg_Options::TDC_Dlg_Options() {
    f_Modal = true;
    f_Background = Load_Dialog_Background("Dlg_GameMenu.bmp", 307, 410);
    for (int32_t n = 1; n <= 7; ++n) {
        auto& toggle = Make_Child<TDC_Button_Toggle>();
        toggle.Set_Image_Set(1);
        toggle.Set_Toggle_Images(8, 9);
        toggle.Set_On(option_of(Machine_Options, n));
        toggle.Set_Visible(true);
        toggle.OnClick = [this, n](const std::string&) { Toggle_Clicked(n); };
        f_Toggles[size_t(n - 1)] = &toggle;
    }
    // Exactly one autosave choice is on, whatever the options file said: the first one
    // found on wins, and with none on "Don't Autosave Games" is.
    int32_t first_on = 3;
    for (int32_t n = 6; n >= 3; --n)
        if (f_Toggles[size_t(n - 1)]->Get_On())
            first_on = n;
    Toggle_Clicked(first_on);
    f_Speed = Machine_Options.Game_Speed_Modified_Percent;
    if (f_Speed < Min_Speed || f_Speed > Max_Speed)
        f_Speed = 100;
    f_Left_Arrow = &Make_Child<TDC_Button>();
    f_Left_Arrow->Set_Image_Set(3);
    f_Left_Arrow->f_Image_Index = left_arrow_column;
    f_Left_Arrow->Set_Visible(true);
    f_Left_Arrow->OnClick = [this](const std::string&) { Step_Speed(-1); };
    f_Right_Arrow = &Make_Child<TDC_Button>();
    f_Right_Arrow->Set_Image_Set(3);
    f_Right_Arrow->f_Image_Index = right_arrow_column;
    f_Right_Arrow->Set_Visible(true);
    f_Right_Arrow->OnClick = [this](const std::string&) { Step_Speed(1); };
    f_Close_Button = &Make_Child<TDC_Button>();
    f_Close_Button->Set_Image_Set(1);
    f_Close_Button->f_Image_Index = 0;
    f_Close_Button->Set_Visible(true);
    f_Close_Button->OnClick = [this](const std::string&) { Close(); };
    Update_Arrows();
}

TDC_Dlg_Options::~TDC_Dlg_Options() {
    if (f_Background >= 0)
        fg_vbfree(f_Background);
}

void TDC_Dlg_Options::Toggle_Clicked(int32_t n) {
    if (n < 3 || n > 6)
        return; // sound, music and the frame counter stand alone
    if (f_Toggles[size_t(n - 1)]->Get_On())
        for (int32_t other = 3; other <= 6; ++other)
            if (other != n)
                f_Toggles[size_t(other - 1)]->Set_On(false);
    bool any = false;
    for (int32_t k = 3; k <= 6; ++k)
        any = any || f_Toggles[size_t(k - 1)]->Get_On();
    if (!any)
        f_Toggles[2]->Set_On(true);
}

void TDC_Dlg_Options::Step_Speed(int32_t direction) {
    f_Speed =
        std::clamp(f_Speed + (direction < 0 ? -Speed_Step : Speed_Step), Min_Speed, Max_Speed);
    Update_Arrows();
}

void TDC_Dlg_Options::Update_Arrows() {
    f_Left_Arrow->f_Enabled = f_Speed > Min_Speed;
    f_Right_Arrow->f_Enabled = f_Speed < Max_Speed;
}

void TDC_Dlg_Options::Close() {
    if (f_Kill)
        return;
    for (int32_t n = 1; n <= 7; ++n)
        option_of(Machine_Options, n) = f_Toggles[size_t(n - 1)]->Get_On();
    Machine_Options.Game_Speed_Modified_Percent = f_Speed;
    std::string music;
    if (Machine_Options.Play_Music) {
        if (Current_Module && Current_Module->Get_Current_Music(music))
            Sound_Service().Play_Music(music);
    } else {
        Sound_Service().Stop_Music();
    }
    // A file that cannot be written keeps its old values; the choices hold for this run,
    // and the player is told they will not last.
    if (!Write_Machine_Options())
        Save_Load_Display().Show_Message(
            "Options", "Your choices hold for this game, but they could not be kept: \"" +
                           TOptions_File::Default_Path() + "\" could not be written.");
    f_Result = 1;
    Set_Kill_Object(true);
}

void TDC_Dlg_Options::Handle_KeyDown(uint16_t& Key, TShift_State) {
    // The choices show as they are made: Enter and Escape both keep them and close.
    if (Key == VK_RETURN || Key == VK_ESCAPE) {
        f_Key_Handled = true;
        Close();
    }
}

void TDC_Dlg_Options::Handle_Draw(int Buffer) {
    if (f_Background >= 0) {
        Copy_Rect_Transparent(0, 306, 0, 409, f_X, f_Y + 409, f_Background, Buffer);
        // The picture is the game menu's: its dark panel is cleared of the menu's label
        // boxes, and the toggles sit on it in their own rows.
        fg_vbopen(Buffer);
        Set_Colour(Colour_From_RGB(40, 30, 24));
        Fill_Rect(f_X + 21, f_X + 285, f_Y + 55, f_Y + 336);
    }
    Text_Begin(Buffer);
    Set_Font(6);
    Set_Text_Colour(0, 0, 0);
    Set_Justify(2, 2);
    Print_At(f_X + 307 / 2, f_Y + 33, "Options");
    Set_Font(3);
    Set_Text_Colour(255, 255, 255);
    Set_Justify(1, 2);
    for (size_t i = 0; i < f_Toggles.size(); ++i)
        Print_At(f_Toggles[i]->f_X + 32, f_Toggles[i]->f_Y + 12, captions[i]);
    Set_Justify(2, 2);
    Print_At(f_X + 307 / 2, f_Left_Arrow->f_Y + 14, "Game Speed: " + std::to_string(f_Speed) + "%");
    Text_End();
}

void TDC_Dlg_Options::Reposition() {
    for (int32_t n = 1; n <= 7; ++n)
        f_Toggles[size_t(n - 1)]->Set_Position("Opt " + std::to_string(n), f_X + 40,
                                               f_Y + 62 + 26 * (n - 1), false);
    const int arrows_y = f_Y + 62 + 26 * 7 + 12;
    f_Left_Arrow->Set_Position("Left Arrow", f_X + 60, arrows_y, false);
    f_Right_Arrow->Set_Position("Right Arrow", f_X + 229, arrows_y, false);
    f_Close_Button->Set_Position("Close Button", f_X + 253, f_Y + 357, false);
}
