#include "game/dlg_select_module.h"

#include <filesystem>
#include <system_error>

#include "game/main_screen.h"
#include "platform/files.h"
#include "presentation/dialog_background.h"
#include "presentation/graphics.h"
#include "presentation/text.h"
#include "presentation/virtual_keys.h"
#include "shell/globals.h"
#include "world/module_definition.h"

TDC_Dlg_Select_Module::TDC_Dlg_Select_Module(TDC_Main& Main) : f_Main(Main) {
    f_Background = Load_Dialog_Background("Dlg_SelectModule.bmp", 696, 504);
    f_List = &Make_Child<TDC_List>();
    f_List->Set_Back_Colour(55, 55, 55);
    f_List->Set_Visible(true);
    for (const std::string& entry : Module_Entries())
        f_List->Add_Item(entry);
    f_List->OnSelect = [this](const std::string&, int Index) { Select(Index); };
    f_OK = &Make_Child<TDC_Text_Button>();
    f_Cancel = &Make_Child<TDC_Text_Button>();
    for (TDC_Text_Button* button : {f_OK, f_Cancel}) {
        button->Set_Image_Set(6);
        button->Set_Visible(true);
    }
    f_OK->f_Caption = "OK";
    f_Cancel->f_Caption = "Cancel";
    f_OK->OnClick = [this](const std::string&) { Accept(); };
    f_Cancel->OnClick = [this](const std::string&) { Cancel(); };
}

TDC_Dlg_Select_Module::~TDC_Dlg_Select_Module() {
    fg_vbfree(f_Background);
}

std::vector<std::string> TDC_Dlg_Select_Module::Module_Entries() {
    std::vector<std::string> entries;
    if (!Path_Settings)
        return entries;
    std::error_code error;
    const std::string folder = Native_Path(Path_Settings->Get_Modules_Folder());
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error))
        entries.push_back(it->path().filename().string());
    return entries;
}

void TDC_Dlg_Select_Module::Select(int Index) {
    f_List->Set_Selected_Index(Index);
    f_Description.clear();
    f_Difficulty_Description.clear();
    f_Data_Set.clear();
    const std::string name = f_List->Get_Selected_Text();
    // Only a plain folder name becomes the module; any other entry shows nothing.
    if (name.empty() || !Path_Settings || !Path_Settings->Set_Module(name + "\\"))
        return;
    TModule_Class module_class;
    Read_Module_Class(Path_Settings->Get_Module_Data_File(), module_class);
    f_Description = module_class.Description;
    f_Difficulty_Description = module_class.Difficulty_Description;
    f_Data_Set = module_class.Character_Data_Set_Identifier;
}

bool TDC_Dlg_Select_Module::Accept() {
    const std::string name = f_List->Get_Selected_Text();
    if (name.empty() || !Path_Settings)
        return false;
    if (!Path_Settings->Set_Module(name + "\\") ||
        !Folder_Exists(Path_Settings->Get_Module_Folder())) {
        f_Main.Show_Message("Select Module", "\"" + name + "\" is not a module folder.");
        return false;
    }
    TModule_Class module_class;
    const TData_File_Report report =
        Read_Module_Class(Path_Settings->Get_Module_Data_File(), module_class);
    if (!report.Ok()) {
        f_Main.Show_Error_List("Module Class Data File Errors: ",
                               Path_Settings->Get_Module_Data_File(), report.Errors);
        return false;
    }
    f_Main.Module_Folder = name;
    f_Main.Reload_Global_Structs();
    if (Game_Options)
        Game_Options->Module_Label = module_class.Character_Data_Set_Identifier;
    f_Result = 1;
    Set_Kill_Object(true);
    return true;
}

void TDC_Dlg_Select_Module::Cancel() {
    f_Result = 2;
    Set_Kill_Object(true);
}

void TDC_Dlg_Select_Module::Handle_KeyDown(uint16_t& Key, TShift_State) {
    if (Key == VK_ESCAPE)
        Cancel();
    else if (Key == VK_RETURN)
        Accept();
}

void TDC_Dlg_Select_Module::Handle_Draw(int Buffer) {
    if (f_Background >= 0)
        Copy_Rect_Transparent(0, 695, 0, 503, f_X, f_Y + 503, f_Background, Buffer);
    Text_Begin(Buffer);
    Set_Font(6);
    Set_Text_Colour(0, 0, 0);
    Set_Justify(2, 2);
    Print_At(f_X + 171, f_Y + 47, "Available Modules (Select One)");
    Print_At(f_X + 495, f_Y + 47, "Module Details");
    Set_Font(1);
    Set_Text_Colour(255, 255, 255);
    Print_Wrapped(f_X + 338, f_Y + 72, 327, f_Description, 230);
    Set_Text_Colour(200, 200, 200);
    Print_Wrapped(f_X + 338, f_Y + 302, 327, f_Difficulty_Description, 100);
    Text_End();
}

void TDC_Dlg_Select_Module::Reposition() {
    f_List->Set_Bounds("Module List", f_X + 35, f_Y + 68, 277, 356, false);
    f_OK->Set_Position("Button 1", f_X + 255, f_Y + 432, false);
    f_Cancel->Set_Position("Button 2", f_X + 463, f_Y + 432, false);
}
