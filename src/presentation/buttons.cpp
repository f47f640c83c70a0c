#include "presentation/buttons.h"

#include "presentation/graphics.h"
#include "presentation/text.h"
#include "presentation/ui_hooks.h"
#include "shell/services.h"

void TDC_Button::Set_Image_Set(int Image_Set) {
    f_Image_Set = Image_Set;
    Button_Cell_Size(Image_Set, f_Cell_Width, f_Cell_Height);
    f_Width = f_Cell_Width;
    f_Height = f_Cell_Height;
}

void TDC_Button::Handle_MouseMove(TShift_State, int, int) {
    if (f_Description_Id > 0)
        Description_Panel().Set_Subject(f_Description_Id);
}

void TDC_Button::Handle_MouseUp(TMouse_Button, TShift_State, int X, int Y, bool Released_Outside) {
    if (Released_Outside || !Contains(X, Y) || !OnClick)
        return;
    Play_Sound("button.wav");
    OnClick(f_Name);
}

int TDC_Button::Image_Row() const {
    if (!f_Enabled)
        return 3;
    if (f_Mouse_Down)
        return 2;
    return f_Mouse_Over ? 1 : 0;
}

void TDC_Button::Handle_Draw(int Buffer) {
    const bool disabled = !f_Enabled;
    if (f_Draw_First && OnDraw) {
        fg_vbopen(Buffer);
        const bool lit = f_Enabled && (f_Mouse_Down || f_Mouse_Over);
        Set_Colour(lit ? Colour_From_RGB(11, 31, 183) : Colour_From_RGB(71, 71, 71));
        Fill_Rect(f_X + 2, f_X + f_Width - 3, f_Y + 2, f_Y + f_Height - 3);
        OnDraw(f_Name, Buffer, disabled, f_Mouse_Down, f_Mouse_Over, f_X, f_Y, f_Width, f_Height);
    }
    if (!f_No_Image && f_Cell_Width > 0) {
        const int sx = f_Image_Index * f_Cell_Width;
        const int sy = Image_Row() * f_Cell_Height;
        Copy_Rect_Transparent(sx, sx + f_Cell_Width - 1, sy, sy + f_Cell_Height - 1, f_X,
                              f_Y + f_Cell_Height - 1, Button_Strip(f_Image_Set), Buffer);
    }
    if (!f_Draw_First && OnDraw)
        OnDraw(f_Name, Buffer, disabled, f_Mouse_Down, f_Mouse_Over, f_X, f_Y, f_Width, f_Height);
}

void TDC_Text_Button::Handle_Draw(int Buffer) {
    TDC_Button::Handle_Draw(Buffer);
    const int shift = f_Mouse_Down ? 1 : 0;
    Text_Begin(Buffer);
    Set_Font(f_Font);
    if (f_Mouse_Over)
        Set_Text_Colour(255, 255, 255);
    else
        Set_Text_Colour(155, 155, 155);
    Set_Justify(2, 2);
    Print_At(f_X + f_Width / 2 + shift, f_Y + f_Height / 2 + f_Text_Offset_Y + shift, f_Caption);
    Text_End();
}

void TDC_Button_Toggle::Set_Toggle_Images(int On, int Off) {
    f_On_Index = On;
    f_Off_Index = Off;
    f_Image_Index = Off;
}

void TDC_Button_Toggle::Set_On(bool Flag) {
    f_Image_Index = Flag ? f_On_Index : f_Off_Index;
}

void TDC_Button_Toggle::Handle_MouseUp(TMouse_Button Button, TShift_State Shift, int X, int Y,
                                       bool Released_Outside) {
    if (!Released_Outside && Contains(X, Y) && f_Enabled)
        Set_On(!Get_On());
    TDC_Button::Handle_MouseUp(Button, Shift, X, Y, Released_Outside);
}
