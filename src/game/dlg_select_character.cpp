#include "game/dlg_select_character.h"

#include <algorithm>

#include "game/main_screen.h"
#include "game/save_load.h"
#include "platform/files.h"
#include "platform/names.h"
#include "presentation/dialog_background.h"
#include "presentation/display_object.h"
#include "presentation/dlg_message.h"
#include "presentation/graphics.h"
#include "presentation/text.h"
#include "presentation/virtual_keys.h"
#include "rules/class_info.h"
#include "shell/globals.h"
#include "shell/helpers.h"
#include "shell/options.h"
#include "world/module_definition.h"

namespace {

constexpr int Portrait_Count = 40;
// A character file is its name + ".dat", and a file name holds at most 255 bytes.
constexpr size_t Longest_Name = 255 - 4;

const char* const Different_Data_Set =
    "This character was created using a different data set than is used by this module. "
    "This character cannot be used in this module.";

bool has_dat_extension(const std::string& file) {
    return file.size() > 4 && Same_Name(file.substr(file.size() - 4), ".dat");
}

} // namespace

TDC_Dlg_Select_Character::TDC_Dlg_Select_Character(TDC_Main& Main) : f_Main(Main) {
    f_Background = Load_Dialog_Background("Dlg_SelectCharacter.bmp", 696, 504);
    f_Layout = Load_Dialog_Background("Win_Char.bmp", 331, 356);
    if (Path_Settings) {
        TModule_Class module_class;
        Read_Module_Class(Path_Settings->Get_Module_Data_File(), module_class);
        f_Data_Set = module_class.Character_Data_Set_Identifier;
    }

    f_Opt_New = &Make_Child<TDC_Button_Toggle>();
    f_Opt_Existing = &Make_Child<TDC_Button_Toggle>();
    for (TDC_Button_Toggle* toggle : {f_Opt_New, f_Opt_Existing}) {
        toggle->Set_Image_Set(1);
        toggle->Set_Toggle_Images(8, 9);
        toggle->Set_Visible(true);
    }
    f_Opt_New->OnClick = [this](const std::string&) { Set_New_Mode(true); };
    f_Opt_Existing->OnClick = [this](const std::string&) { Set_New_Mode(false); };

    f_Class_List = &Make_Child<TDC_List>();
    f_File_List = &Make_Child<TDC_List>();
    for (TDC_List* list : {f_Class_List, f_File_List})
        list->Set_Back_Colour(55, 55, 55);
    for (int32_t n = 1; n <= Class_Infos.Count(); ++n)
        f_Class_List->Add_Item(Class_Infos.Get(n)->Class_Name);
    f_Class_List->OnSelect = [this](const std::string&, int Index) { Select_Class(Index); };
    f_File_List->OnSelect = [this](const std::string&, int Index) { Select_File(Index); };
    Fill_File_List();

    for (int n = 1; n <= Portrait_Count; ++n) {
        TDC_Button& button = Make_Child<TDC_Button>();
        button.Set_Image_Set(5);
        button.OnClick = [this, n](const std::string&) { Select_Portrait(n); };
        button.OnDraw = [this, n](const std::string&, int Buffer, bool, bool Pressed, bool, int X,
                                  int Y, int, int) { Draw_Portrait(n, X, Y, Pressed, Buffer); };
        f_Portrait_Buttons[size_t(n - 1)] = &button;
    }
    f_Edit = &Make_Child<TDC_EditText>();

    f_OK = &Make_Child<TDC_Text_Button>();
    f_Cancel = &Make_Child<TDC_Text_Button>();
    f_Delete = &Make_Child<TDC_Text_Button>();
    for (TDC_Text_Button* button : {f_OK, f_Cancel, f_Delete}) {
        button->Set_Image_Set(6);
        button->Set_Visible(true);
    }
    f_OK->f_Caption = "OK";
    f_Cancel->f_Caption = "Cancel";
    f_Delete->f_Caption = "Delete";
    // OK and Delete share a control name: each has its own handler.
    f_OK->OnClick = [this](const std::string&) { Accept(); };
    f_Cancel->OnClick = [this](const std::string&) { Cancel(); };
    f_Delete->OnClick = [this](const std::string&) { Delete_Selected(); };
    Set_New_Mode(true);
}

TDC_Dlg_Select_Character::~TDC_Dlg_Select_Character() {
    fg_vbfree(f_Layout);
    fg_vbfree(f_Background);
}

void TDC_Dlg_Select_Character::Set_New_Mode(bool New_Mode) {
    f_New_Mode = New_Mode;
    f_Opt_New->Set_On(New_Mode);
    f_Opt_Existing->Set_On(!New_Mode);
    f_Class_List->Set_Visible(New_Mode);
    f_Edit->Set_Visible(New_Mode);
    f_Edit->f_Enabled = New_Mode;
    for (TDC_Button* button : f_Portrait_Buttons)
        button->Set_Visible(New_Mode);
    f_File_List->Set_Visible(!New_Mode);
    f_Delete->Set_Visible(!New_Mode);
    Load_Pictures();
}

void TDC_Dlg_Select_Character::Select_Class(int Index) {
    f_Class_List->Set_Selected_Index(Index);
    Select_Portrait(0);
    Load_Pictures();
}

void TDC_Dlg_Select_Character::Select_Portrait(int n) {
    const TClass_Info* info = Class_Infos.Get(f_Class_List->Get_Selected_Index());
    // Only a portrait the class has can be chosen.
    if (n != 0 && (!info || n < 1 || n > int(info->Portraits.size())))
        return;
    f_Portrait = n;
    for (int k = 1; k <= Portrait_Count; ++k)
        f_Portrait_Buttons[size_t(k - 1)]->f_Image_Index = k == n ? 1 : 0;
}

void TDC_Dlg_Select_Character::Fill_File_List() {
    f_File_List->Clear();
    f_File_List->Set_Selected_Index(0);
    f_Preview_Loaded = false;
    f_Preview_File.clear();
    if (!Path_Settings)
        return;
    for (const std::string& file : List_Files(Path_Settings->Get_Characters_Folder()))
        if (has_dat_extension(file))
            f_File_List->Add_Item(file.substr(0, file.size() - 4));
}

void TDC_Dlg_Select_Character::Select_File(int Index) {
    f_File_List->Set_Selected_Index(Index);
    f_Preview_Loaded = false;
    f_Preview_File.clear();
    const std::string name = f_File_List->Get_Selected_Text();
    if (name.empty() || !Path_Settings)
        return;
    TMonster preview;
    TItem_List items;
    if (!Load_Character(preview, items, Path_Settings->Get_Character_File(name + ".dat"))) {
        // Its error has been shown; a character that cannot be read is not chosen.
        f_File_List->Set_Selected_Index(0);
        return;
    }
    f_Preview = std::move(preview);
    f_Preview_Items = items;
    f_Preview_File = name;
    f_Preview_Loaded = true;
    Load_Pictures();
}

bool TDC_Dlg_Select_Character::Other_Data_Set() const {
    return !Same_Name(Trim(f_Preview.Module_Text), Trim(f_Data_Set));
}

std::string TDC_Dlg_Select_Character::State_Text() const {
    if (!f_Preview_Loaded)
        return std::string();
    if (Other_Data_Set())
        return Different_Data_Set;
    switch (f_Preview.Character_State) {
    case 1:
        return "This character is currently in a module and cannot be used.";
    case 2:
        return "This character has died. This character may be resurrected at a cost of half "
               "his gold and all of his current experience.";
    default:
        return "This character is available for use.";
    }
}

void TDC_Dlg_Select_Character::Refuse(const std::string& Title, const std::string& Text) {
    Show_Message_Dialog(*this, "General Message", Title, Text);
}

bool TDC_Dlg_Select_Character::Accept() {
    if (f_Has_Modal_Child)
        return false;
    return f_New_Mode ? Accept_New() : Accept_Existing();
}

bool TDC_Dlg_Select_Character::Accept_New() {
    const int32_t class_number = f_Class_List->Get_Selected_Index();
    const TClass_Info* info = Class_Infos.Get(class_number);
    if (!info) {
        Refuse("Character Class", "You must select a character class from the list.");
        return false;
    }
    if (f_Portrait < 1 || f_Portrait > int(info->Portraits.size())) {
        Refuse("Character Portrait", "You must select a character portrait for your character.");
        return false;
    }
    // The name becomes a file name when the character is exported: one that cannot be
    // (blank, "..", too long) is refused like an empty one.
    const std::string name = Trim(f_Edit->f_Text);
    if (!Is_Plain_Name(name) || name.size() > Longest_Name) {
        Refuse("Character Name", "You must enter a name for your character.");
        return false;
    }
    if (!Path_Settings || File_Exists(Path_Settings->Get_Character_File(name + ".dat"))) {
        Refuse("Character Name", "A character with that name already exists.");
        return false;
    }
    *f_Main.New_Character = Make_Character(static_cast<uint8_t>(class_number), name,
                                           info->Portraits[size_t(f_Portrait - 1)]);
    if (Game_Options)
        Game_Options->Start_Level = f_Main.New_Character->Level;
    f_Result = 1;
    Set_Kill_Object(true);
    return true;
}

bool TDC_Dlg_Select_Character::Accept_Existing() {
    if (!f_Preview_Loaded || f_File_List->Get_Selected_Index() == 0) {
        Refuse("Select Character", "You must select a character from the list.");
        return false;
    }
    if (f_Preview.Character_State == 1) {
        Refuse("Character Unavailable",
               "You cannot use a character that is currently in a module.");
        return false;
    }
    // Another data set's classes, spells and items mean nothing in this module.
    if (Other_Data_Set()) {
        Refuse("Character Unavailable", Different_Data_Set);
        return false;
    }
    TMonster chosen = f_Preview;
    // The game reloads the character by its name from the characters folder: the name
    // is the file chosen, whatever the file says.
    chosen.Name = f_Preview_File;
    if (chosen.Character_State == 2) {
        // Resurrection costs all the current experience and half the gold; the file
        // keeps the price paid, since the game reads the character from it.
        chosen.Experience = 0;
        chosen.Gold /= 2;
        chosen.Character_State = 0;
        chosen.Gain_Experience(0);
        chosen.Recalculate();
        if (!Save_Character(chosen, f_Preview_Items,
                            Path_Settings->Get_Character_File(f_Preview_File + ".dat")))
            return false;
    }
    if (Game_Options)
        Game_Options->Start_Level = chosen.Level;
    // The items come back when the game reloads the character; the numbers of the
    // preview's own list name nothing in the new game.
    chosen.Inventory.Clear();
    *f_Main.New_Character = std::move(chosen);
    f_Result = 2;
    Set_Kill_Object(true);
    return true;
}

void TDC_Dlg_Select_Character::Cancel() {
    if (f_Has_Modal_Child)
        return;
    f_Result = 3;
    Set_Kill_Object(true);
}

void TDC_Dlg_Select_Character::Delete_Selected() {
    if (f_New_Mode || !Path_Settings)
        return;
    const std::string name = f_File_List->Get_Selected_Text();
    if (f_File_List->Get_Selected_Index() == 0 || name.empty())
        return;
    const std::string file = Path_Settings->Get_Character_File(name + ".dat");
    if (!file.empty())
        Delete_File(file);
    Fill_File_List();
}

void TDC_Dlg_Select_Character::Handle_KeyDown(uint16_t& Key, TShift_State) {
    if (Key == VK_ESCAPE)
        Cancel();
    else if (Key == VK_RETURN)
        Accept();
}

void TDC_Dlg_Select_Character::Load_Pictures() {
    if (!Display_Object)
        return;
    std::vector<std::string> names;
    if (const TClass_Info* info = Class_Infos.Get(f_Class_List->Get_Selected_Index()))
        names = info->Portraits;
    if (f_Preview_Loaded && !f_Preview.Picture_Filename.empty())
        names.push_back(f_Preview.Picture_Filename);
    if (!names.empty())
        Display_Object->Load_Monster_Images(names, "Character Selection", true);
}

void TDC_Dlg_Select_Character::Draw_Portrait(int n, int X, int Y, bool Pressed, int Buffer) const {
    const TClass_Info* info = Class_Infos.Get(f_Class_List->Get_Selected_Index());
    if (!Display_Object || !info || n > int(info->Portraits.size()))
        return;
    const TPicture_Sheet& sheet = Display_Object->f_Monster;
    int cx = 0, cy = 0;
    if (!sheet.Cell_Of(sheet.Slot_Of(info->Portraits[size_t(n - 1)]), cx, cy))
        return;
    // The head and shoulders of the standing figure fill the frame's well.
    const int shift = Pressed ? 1 : 0;
    const int sx = cx + (sheet.Cell - 30) / 2, sy = cy + 6;
    Copy_Rect_Transparent(sx, sx + 29, sy, sy + 29, X + 4 + shift, Y + 4 + shift + 29, sheet.Buffer,
                          Buffer);
}

void TDC_Dlg_Select_Character::Draw_Details(int Buffer) {
    const int x = f_X + 344, y = f_Y + 84;
    if (Display_Object) {
        const TPicture_Sheet& sheet = Display_Object->f_Monster;
        const int slot = sheet.Slot_Of(f_Preview.Picture_Filename);
        if (slot >= 0)
            Display_Object->Draw_Monster(slot, x, y, Buffer);
    }
    Text_Begin(Buffer);
    Set_Text_Colour(255, 255, 255);
    Set_Justify(1, 5);
    Set_Font(6);
    Print_At(x + 64, y + 2, f_Preview.Name);
    Set_Font(3);
    Print_At(x + 64, y + 20, f_Preview.Class_Name + ", level " + std::to_string(f_Preview.Level));
    Set_Font(1);
    const std::vector<std::string> lines = {
        "Strength " + std::to_string(f_Preview.Strength) + "    Dexterity " +
            std::to_string(f_Preview.Dexterity),
        "Intelligence " + std::to_string(f_Preview.Intelligence) + "    Constitution " +
            std::to_string(f_Preview.Constitution),
        "Health " + std::to_string(f_Preview.Maximum_Health) + "    Mana " +
            std::to_string(f_Preview.Maximum_Mana),
        "Experience " + std::to_string(f_Preview.Experience) + "    Gold " +
            std::to_string(f_Preview.Gold)};
    int line_y = y + 66;
    for (const std::string& line : lines) {
        Print_At(x, line_y, line);
        line_y += 18;
    }
    // Three lines of the longest state fit above the panel's lower edge, clear of its
    // frame.
    Set_Justify(1, 4);
    Set_Font(1);
    Print_Wrapped(f_X + 343, f_Y + 366, 312, State_Text(), 54);
    Text_End();
}

void TDC_Dlg_Select_Character::Handle_Draw(int Buffer) {
    if (f_Background >= 0)
        Copy_Rect_Transparent(0, 695, 0, 503, f_X, f_Y + 503, f_Background, Buffer);
    if (f_Layout >= 0)
        Copy_Rect_Transparent(0, 330, 0, 355, f_X + 334, f_Y + 68 + 355, f_Layout, Buffer);
    Text_Begin(Buffer);
    Set_Font(6);
    Set_Text_Colour(0, 0, 0);
    Set_Justify(2, 2);
    Print_At(f_X + 171, f_Y + 47, f_New_Mode ? "Character Class" : "Existing Character Name");
    Print_At(f_X + 495, f_Y + 47, "Character Details");
    Set_Font(3);
    Set_Text_Colour(255, 255, 255);
    Set_Justify(1, 2);
    if (f_New_Mode) {
        Print_At(f_X + 344, f_Y + 169, "Character Name:");
        Print_At(f_X + 344, f_Y + 205, "Select a portrait:");
        if (const TClass_Info* info = Class_Infos.Get(f_Class_List->Get_Selected_Index())) {
            Set_Font(1);
            Set_Justify(1, 4);
            Print_Wrapped(f_X + 344, f_Y + 84, 312, info->Short_Description, 60);
        }
    }
    Text_End();
    if (!f_New_Mode && f_Preview_Loaded)
        Draw_Details(Buffer);
}

void TDC_Dlg_Select_Character::Reposition() {
    f_Opt_New->Set_Position("Opt New", f_X + 148, f_Y + 79, false);
    f_Opt_Existing->Set_Position("Opt Existing", f_X + 175, f_Y + 79, false);
    f_Class_List->Set_Bounds("Character Class List", f_X + 35, f_Y + 148, 277, 276, false);
    f_File_List->Set_Bounds("Character File List", f_X + 35, f_Y + 148, 277, 276, false);
    for (int n = 1; n <= Portrait_Count; ++n)
        f_Portrait_Buttons[size_t(n - 1)]->Set_Position("Portrait Button " + std::to_string(n),
                                                        f_X + 344 + 38 * ((n - 1) % 8),
                                                        f_Y + 220 + 38 * ((n - 1) / 8), false);
    f_Edit->Set_Bounds("Edit Box", f_X + 344 + 121, f_Y + 220 - 64, 132, 26, false);
    f_OK->Set_Position("Button 1", f_X + 255, f_Y + 432, false);
    f_Cancel->Set_Position("Button 2", f_X + 463, f_Y + 432, false);
    f_Delete->Set_Position("Button 1", f_X + 33, f_Y + 432, false);
}
