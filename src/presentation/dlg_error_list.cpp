#include "presentation/dlg_error_list.h"

#include "presentation/dialog_background.h"
#include "presentation/graphics.h"
#include "presentation/text.h"

TDC_Dlg_ErrorList::TDC_Dlg_ErrorList() {
    f_Background = Load_Dialog_Background("Dlg_ErrorList.bmp", 427, 515);
    f_List = &Make_Child<TDC_List>();
    f_List->Set_Back_Colour(55, 55, 55);
    f_List->f_Wrap = true;
    f_List->f_Show_Selection = false;
    f_List->Set_Visible(true);
    f_Close_Button = &Make_Child<TDC_Button>();
    f_Close_Button->Set_Image_Set(1);
    f_Close_Button->Set_Visible(true);
    f_Close_Button->OnClick = [this](const std::string&) { Set_Kill_Object(true); };
}

TDC_Dlg_ErrorList::~TDC_Dlg_ErrorList() {
    fg_vbfree(f_Background);
}

void TDC_Dlg_ErrorList::Set_Errors(const std::string& Heading, const std::string& File,
                                   const std::vector<std::string>& Errors) {
    f_List->Clear();
    f_List->Add_Item(Heading);
    f_List->Add_Item(File);
    for (const std::string& error : Errors)
        f_List->Add_Item(error);
}

void TDC_Dlg_ErrorList::Handle_KeyDown(uint16_t& Key, TShift_State) {
    if (Key == 27)
        Set_Kill_Object(true);
}

void TDC_Dlg_ErrorList::Handle_Draw(int Buffer) {
    if (f_Background >= 0)
        Copy_Rect_Transparent(0, 426, 0, 514, f_X, f_Y + 514, f_Background, Buffer);
    Text_Begin(Buffer);
    Set_Font(6);
    Set_Text_Colour(0, 0, 0);
    Set_Justify(2, 2);
    Print_At(f_X + 213, f_Y + 47, "Error List");
    Text_End();
}

void TDC_Dlg_ErrorList::Reposition() {
    f_List->Set_Bounds("Error List", f_X + 43, f_Y + 68, 331, 373, false);
    f_Close_Button->Set_Position("Close Button", f_X + 354, f_Y + 449, false);
}
