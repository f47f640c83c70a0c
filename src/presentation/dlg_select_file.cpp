#include "presentation/dlg_select_file.h"

#include "platform/files.h"
#include "platform/names.h"
#include "presentation/dialog_background.h"
#include "presentation/graphics.h"
#include "presentation/text.h"
#include "presentation/virtual_keys.h"

TDC_Dlg_SelectFile::TDC_Dlg_SelectFile(std::vector<std::string> Names) {
    f_Modal = true;
    f_Background = Load_Dialog_Background("Dlg_Quests.bmp", 427, 515);
    f_List = &Make_Child<TDC_List>();
    f_List->Set_Back_Colour(55, 55, 55);
    f_List->Set_Visible(true);
    for (const std::string& name : Names)
        f_List->Add_Item(name);
    f_OK = &Make_Child<TDC_Button>();
    f_Cancel = &Make_Child<TDC_Button>();
    f_OK->Set_Image_Set(8);
    f_OK->f_Image_Index = 0;
    f_Cancel->Set_Image_Set(8);
    f_Cancel->f_Image_Index = 1;
    f_OK->Set_Visible(true);
    f_Cancel->Set_Visible(true);
    f_OK->OnClick = [this](const std::string&) { Accept(); };
    f_Cancel->OnClick = [this](const std::string&) { Cancel(); };
}

TDC_Dlg_SelectFile::~TDC_Dlg_SelectFile() {
    fg_vbfree(f_Background);
}

bool TDC_Dlg_SelectFile::Accept() {
    const std::string name = f_List->Get_Selected_Text();
    if (name.empty())
        return false;
    f_Chosen = name;
    f_Result = 1;
    Set_Kill_Object(true);
    return true;
}

void TDC_Dlg_SelectFile::Cancel() {
    f_Chosen.clear();
    f_Result = 0;
    Set_Kill_Object(true);
}

void TDC_Dlg_SelectFile::Handle_KeyDown(uint16_t& Key, TShift_State) {
    if (Key == VK_ESCAPE)
        Cancel();
    else if (Key == VK_RETURN)
        Accept();
}

void TDC_Dlg_SelectFile::Handle_Draw(int Buffer) {
    if (f_Background >= 0)
        Copy_Rect_Transparent(0, 426, 0, 514, f_X, f_Y + 514, f_Background, Buffer);
    Text_Begin(Buffer);
    Set_Font(6);
    Set_Text_Colour(0, 0, 0);
    Set_Justify(2, 2);
    Print_At(f_X + 207, f_Y + 47, "Select File");
    Text_End();
}

void TDC_Dlg_SelectFile::Reposition() {
    f_List->Set_Bounds("File List", f_X + 43, f_Y + 68, 331, 373, false);
    f_OK->Set_Position("OK Button", f_X + 271, f_Y + 449, false);
    f_Cancel->Set_Position("Cancel Button", f_X + 327, f_Y + 449, false);
}

std::vector<std::string> Files_With_Extension(const std::string& folder,
                                              const std::string& extension) {
    std::vector<std::string> names;
    const std::string wanted = Lower_Case(extension);
    for (const std::string& name : List_Files(folder))
        if (name.size() > wanted.size() &&
            Lower_Case(name.substr(name.size() - wanted.size())) == wanted)
            names.push_back(name);
    return names;
}
