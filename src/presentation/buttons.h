#pragma once
// Image buttons, text buttons and toggles. A button shows one cell of its image set's
// strip: row 0 normal, 1 hover, 2 pressed, 3 disabled.

#include <functional>
#include <string>

#include "presentation/display_class.h"

using TClick_Handler = std::function<void(const std::string& Name)>;
// Custom drawing: name, buffer, disabled, pressed, hover, and the button's rectangle.
using TButton_Draw_Handler =
    std::function<void(const std::string& Name, int Buffer, bool Disabled, bool Pressed, bool Hover,
                       int X, int Y, int Width, int Height)>;

class TDC_Button : public TDisplay_Class {
  public:
    // Also takes the strip's cell size as the button's size.
    void Set_Image_Set(int Image_Set);

    int Get_Width() override { return f_Cell_Width; }
    int Get_Height() override { return f_Cell_Height; }
    void Kill_Child_Control(const std::string&) override {}
    void Handle_MouseMove(TShift_State Shift, int X, int Y) override;
    void Handle_MouseUp(TMouse_Button Button, TShift_State Shift, int X, int Y,
                        bool Released_Outside) override;
    void Handle_Draw(int Buffer) override;

    // The strip row the button shows now.
    int Image_Row() const;

    int f_Image_Set = 0;
    int f_Image_Index = 0;
    int f_Description_Id = 0;
    bool f_No_Image = false;
    bool f_Draw_First = false;
    TClick_Handler OnClick;
    TButton_Draw_Handler OnDraw;

  private:
    int f_Cell_Width = 0;
    int f_Cell_Height = 0;
};

class TDC_Text_Button : public TDC_Button {
  public:
    void Handle_KeyDown(uint16_t&, TShift_State) override {}
    void Handle_Draw(int Buffer) override;

    std::string f_Caption;
    int f_Font = 4;
    int f_Text_Offset_Y = 0;
};

class TDC_Button_Toggle : public TDC_Button {
  public:
    void Set_Toggle_Images(int On, int Off);
    void Set_On(bool Flag);
    bool Get_On() const { return f_Image_Index == f_On_Index; }
    void Handle_MouseUp(TMouse_Button Button, TShift_State Shift, int X, int Y,
                        bool Released_Outside) override;

    int f_On_Index = 0;
    int f_Off_Index = 0;
};
