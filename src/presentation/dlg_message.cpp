#include "presentation/dlg_message.h"

#include "presentation/graphics.h"
#include "presentation/text.h"
#include "shell/debug_log.h"
#include "shell/globals.h"

namespace {

std::string message_picture() {
    const std::string folder = "Pictures\\SysPics\\";
    if (Path_Settings)
        return Path_Settings->Resolve_Path(folder, "Dlg_Message.bmp");
    return App_Dir + folder + "Dlg_Message.bmp";
}

} // namespace

TDC_Dlg_Message::TDC_Dlg_Message() {
    f_Background = fg_vballoc(309, 213);
    if (f_Background >= 0) {
        const int previous = Active_Buffer();
        fg_vbopen(f_Background);
        if (fg_showbmp(message_picture()) != 0) {
            // Without its picture the box is a plain plate, so the message still reads.
            Debug_Log("General", Last_Graphics_Error());
            Set_Colour(Colour_RGB(130, 112, 84));
            Clear_Buffer();
            Set_Colour(Colour_RGB(220, 200, 160));
            Fill_Rect(0, 308, 0, 1);
            Fill_Rect(0, 308, 211, 212);
            Fill_Rect(0, 1, 0, 212);
            Fill_Rect(307, 308, 0, 212);
        }
        Pink_To_Black(f_Background);
        fg_vbopen(previous);
    } else {
        Debug_Log("General", "Error allocating virtual buffer: TDC_Dlg_Message");
    }
    f_Close_Button = &Make_Child<TDC_Button>();
    f_Close_Button->Set_Image_Set(1);
    f_Close_Button->f_Image_Index = 0;
    f_Close_Button->Set_Visible(true);
    f_Close_Button->OnClick = [this](const std::string&) { Set_Kill_Object(true); };
}

TDC_Dlg_Message::~TDC_Dlg_Message() {
    fg_vbfree(f_Background);
}

void TDC_Dlg_Message::Set_Message(const std::string& Title, const std::string& Text) {
    f_Title = Title;
    f_Text = Text;
}

void TDC_Dlg_Message::Handle_KeyDown(uint16_t& Key, TShift_State) {
    if (Key == 27)
        Set_Kill_Object(true);
}

void TDC_Dlg_Message::Handle_Draw(int Buffer) {
    Copy_Rect_Transparent(0, 308, 0, 212, f_X, f_Y + 212, f_Background, Buffer);
    Text_Begin(Buffer);
    Set_Font(6);
    Set_Text_Colour(0, 0, 0);
    Set_Justify(2, 2);
    Print_At(f_X + 148, f_Y + 31, f_Title);
    Set_Font(3);
    Print_Wrapped(f_X + 21, f_Y + 58, 257, f_Text, 98);
    Set_Text_Colour(255, 255, 255);
    Print_Wrapped(f_X + 20, f_Y + 57, 257, f_Text, 98);
    Text_End();
}

void TDC_Dlg_Message::Reposition() {
    f_Close_Button->Set_Position("Close Button", f_X + 255, f_Y + 160, false);
}

TDC_Dlg_Message& Show_Message_Dialog(TDisplay_Class& Parent, const std::string& Name,
                                     const std::string& Title, const std::string& Text) {
    auto& dialog = Parent.Open_Dialog<TDC_Dlg_Message>(Name, true);
    dialog.Set_Message(Title, Text);
    return dialog;
}
