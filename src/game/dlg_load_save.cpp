#include "game/dlg_load_save.h"

#include "game/main_screen.h"
#include "game/save_load.h"
#include "presentation/dialog_background.h"
#include "presentation/dlg_message.h"
#include "presentation/graphics.h"
#include "presentation/text.h"
#include "presentation/virtual_keys.h"
#include "shell/globals.h"
#include "shell/helpers.h"
#include "shell/paths.h"
#include "shell/services.h"
#include "world/map.h"
#include "world/module.h"

namespace {

// A key the name field turns into a character.
bool types_a_character(uint16_t key) {
    return key == VK_SPACE || key == VK_OEM_COMMA || key == VK_OEM_PERIOD ||
           (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
}

// While the dialog saves or loads, what goes wrong is told in a message box of the
// dialog's own, over it, so that the box takes the clicks and keys until it closes;
// the rest goes to the screen as usual.
class TDialog_Display : public TSave_Load_Display {
  public:
    TDialog_Display(TSave_Load_Display& outer, TDisplay_Class& dialog)
        : outer_(outer), dialog_(dialog) {}
    void Open_Progress(const std::string& text) override { outer_.Open_Progress(text); }
    void Set_Progress(int32_t percent) override { outer_.Set_Progress(percent); }
    void Close_Progress() override { outer_.Close_Progress(); }
    void Set_Busy_Pointer(bool busy) override { outer_.Set_Busy_Pointer(busy); }
    void Reload_Global_Structs() override { outer_.Reload_Global_Structs(); }
    void Show_Map() override { outer_.Show_Map(); }
    void Remember_Saved_Slot(int32_t slot) override { outer_.Remember_Saved_Slot(slot); }
    void Show_Message(const std::string& title, const std::string& text) override {
        const TDisplay_Class* open = dialog_.Find_Child("Message Dlg");
        if (!open || open->f_Kill)
            Show_Message_Dialog(dialog_, "Message Dlg", title, text);
    }

  private:
    TSave_Load_Display& outer_;
    TDisplay_Class& dialog_;
};

} // namespace

bool TDC_Dlg_Load_Save::Name_Is_Full(const std::string& name) {
    if (name.size() >= Max_Name_Length)
        return true;
    // Measured in the field's font, with room for the widest letter and the caret.
    const int previous = Current_Font();
    Set_Font(3);
    const bool full = Text_Width(name + "W") > 219 - 8;
    if (previous >= 1)
        Set_Font(previous);
    return full;
}

TDC_Dlg_Load_Save::TDC_Dlg_Load_Save(TDC_Main& main) : f_Main(main) {
    f_Modal = true;
    f_Background = Load_Dialog_Background("Dlg_LoadSave.bmp", 307, 410);
    for (int32_t n = 1; n <= Save_Slot_Count; ++n) {
        auto& toggle = Make_Child<TDC_Button_Toggle>();
        toggle.Set_Image_Set(1);
        toggle.Set_Toggle_Images(8, 9);
        toggle.Set_Visible(true);
        toggle.OnClick = [this, n](const std::string&) { Select_Slot(n); };
        f_Slot_Toggles[size_t(n - 1)] = &toggle;
        auto& name = Make_Child<TDC_EditText>();
        name.Set_Text_Colour(150, 150, 150);
        name.f_Enabled = false;
        name.Set_Visible(true);
        f_Slot_Names[size_t(n - 1)] = &name;
    }
    f_OK_Button = &Make_Child<TDC_Button>();
    f_OK_Button->Set_Image_Set(8);
    f_OK_Button->f_Image_Index = 0;
    f_OK_Button->Set_Visible(true);
    f_OK_Button->OnClick = [this](const std::string&) { Accept(); };
    f_Cancel_Button = &Make_Child<TDC_Button>();
    f_Cancel_Button->Set_Image_Set(8);
    f_Cancel_Button->f_Image_Index = 1;
    f_Cancel_Button->Set_Visible(true);
    f_Cancel_Button->OnClick = [this](const std::string&) { Cancel(); };
    Refresh_Names();
}

TDC_Dlg_Load_Save::~TDC_Dlg_Load_Save() {
    if (f_Background >= 0)
        fg_vbfree(f_Background);
}

void TDC_Dlg_Load_Save::Set_Mode(bool load) {
    f_Load_Mode = load;
    Select_Slot(f_Slot);
}

void TDC_Dlg_Load_Save::Refresh_Names() {
    for (int32_t n = 1; n <= Save_Slot_Count; ++n)
        f_Slot_Names[size_t(n - 1)]->f_Text =
            Path_Settings ? Read_Game_Name(Path_Settings->Get_Save_Slot_Folder(n)) : std::string();
}

void TDC_Dlg_Load_Save::Select_Slot(int32_t slot) {
    const int32_t previous = f_Slot;
    f_Slot = slot >= 1 && slot <= Save_Slot_Count ? slot : 0;
    // A name typed into a row that is left again was not saved: the row shows its game.
    if (previous != 0 && previous != f_Slot && Path_Settings)
        f_Slot_Names[size_t(previous - 1)]->f_Text =
            Read_Game_Name(Path_Settings->Get_Save_Slot_Folder(previous));
    for (int32_t n = 1; n <= Save_Slot_Count; ++n) {
        const bool chosen = n == f_Slot;
        f_Slot_Toggles[size_t(n - 1)]->Set_On(chosen);
        TDC_EditText* name = f_Slot_Names[size_t(n - 1)];
        if (chosen)
            name->Set_Text_Colour(255, 255, 255);
        else
            name->Set_Text_Colour(150, 150, 150);
        name->f_Enabled = chosen && !f_Load_Mode;
    }
}

std::string TDC_Dlg_Load_Save::Name_To_Save() const {
    std::string name = Trim(f_Slot_Names[size_t(f_Slot - 1)]->f_Text);
    if (name.size() > Max_Name_Length)
        name = Trim(name.substr(0, Max_Name_Length));
    if (name.empty() && Current_Module)
        name = Trim(Current_Module->Name);
    return name.empty() ? std::string("Saved Game") : name;
}

bool TDC_Dlg_Load_Save::Accept() {
    // Only the ten slots are ever written or read, and only once per dialog.
    if (f_Kill || f_Slot < 1 || f_Slot > Save_Slot_Count)
        return false;
    TDialog_Display display(Save_Load_Display(), *this);
    TScoped_Services shown_here({.Save_Load = &display});
    bool ok = false;
    if (f_Load_Mode) {
        ok = Load_Game_From_Slot(f_Slot, f_Main.Game());
        // From the main menu the screen starts the music when play begins.
        std::string music;
        if (ok && !f_Main.From_Main_Menu && Current_Module &&
            Current_Module->Get_Current_Music(music))
            Sound_Service().Play_Music(music);
    } else {
        TMonster* player = f_Main.Player();
        if (!player)
            return false;
        // The item on the pointer is in no slot and on no square: it is put away
        // first, or the saved game would lose it.
        Stow_Held_Item(f_Main.Cursor_Item, *Current_Map, *player);
        const std::string name = Name_To_Save();
        // On failure the slot keeps its game, and the dialog the typed name to try again.
        ok = Save_Game_To_Slot(f_Slot, name, f_Main.Game());
    }
    if (ok) {
        f_Result = 1;
        Set_Kill_Object(true);
    }
    return ok;
}

void TDC_Dlg_Load_Save::Cancel() {
    f_Result = 0;
    Set_Kill_Object(true);
}

void TDC_Dlg_Load_Save::Handle_KeyDown(uint16_t& Key, TShift_State) {
    if (Key == VK_RETURN) {
        f_Key_Handled = true;
        Accept();
    } else if (Key == VK_ESCAPE) {
        f_Key_Handled = true;
        Cancel();
    } else if (!f_Load_Mode && f_Slot != 0 && types_a_character(Key) &&
               Name_Is_Full(f_Slot_Names[size_t(f_Slot - 1)]->f_Text)) {
        // The name fills its box: further characters are not taken.
        f_Key_Handled = true;
    }
}

void TDC_Dlg_Load_Save::Handle_Draw(int Buffer) {
    if (f_Background >= 0)
        Copy_Rect_Transparent(0, 306, 0, 409, f_X, f_Y + 409, f_Background, Buffer);
    Text_Begin(Buffer);
    Set_Font(6);
    Set_Text_Colour(0, 0, 0);
    Set_Justify(2, 2);
    Print_At(f_X + 307 / 2, f_Y + 43, f_Load_Mode ? "Load Game" : "Save Game");
    Text_End();
}

void TDC_Dlg_Load_Save::Reposition() {
    for (int32_t n = 1; n <= Save_Slot_Count; ++n) {
        const int y = f_Y + 70 + 29 * (n - 1);
        const std::string number = std::to_string(n);
        f_Slot_Toggles[size_t(n - 1)]->Set_Position("Opt " + number, f_X + 18, y, false);
        f_Slot_Names[size_t(n - 1)]->Set_Bounds("Edit Box " + number, f_X + 54, y + 4, 219, 17,
                                                false);
    }
    f_OK_Button->Set_Position("OK Button", f_X + 172, f_Y + 359, false);
    f_Cancel_Button->Set_Position("Cancel Button", f_X + 225, f_Y + 359, false);
}
