#pragma once
// A scrolling list of strings with a selected item, paged by two arrow buttons.

#include <functional>
#include <string>
#include <vector>

#include "presentation/buttons.h"
#include "presentation/graphics.h"

using TSelect_Handler = std::function<void(const std::string& Name, int Index)>;
// Draws one shown item: list name, buffer, text, the line's top y, line height, and
// whether it is the selected item. The line spans the list's width.
using TDraw_Item_Handler =
    std::function<void(const std::string& Name, int Buffer, const std::string& Text, int Y,
                       int Height, bool Selected)>;

class TDC_List : public TDisplay_Class {
  public:
    TDC_List();

    // As the base, but a list is never modal.
    void Set_Bounds(const std::string& Name, int X, int Y, int Width, int Height,
                    bool Modal) override;
    void Set_Back_Colour(int R, int G, int B);
    void Add_Item(const std::string& Text);
    void Clear();
    int Get_Selected_Index() const { return f_Selected_Index; }
    std::string Get_Selected_Text() const;
    void Set_Selected_Index(int Index) { f_Selected_Index = Index; }
    void Set_Top_Index(int Index);

    // Items per page and the last index paging can reach past (see Scroll rules).
    int Page() const;
    int Last() const;
    // A screen point on item Index's line, clear of the arrow buttons; false when the
    // item is not on the page shown.
    bool Item_Point(int Index, int& X, int& Y) const;
    void Page_Up();
    void Page_Down();
    void Update_Scroll_Buttons();

    void Handle_MouseMove(TShift_State Shift, int X, int Y) override;
    void Handle_MouseUp(TMouse_Button Button, TShift_State Shift, int X, int Y,
                        bool Released_Outside) override;
    void Handle_Draw(int Buffer) override;
    void Reposition() override;

    TColour f_Back_Colour = 0;
    TColour f_Text_Colour = Colour_RGB(255, 255, 255);
    TColour f_Selected_Colour = Colour_RGB(0, 255, 0);
    TColour f_Hover_Colour = Colour_RGB(11, 31, 183);
    int f_Hover_Index = 0;
    int f_Selected_Index = 0;
    int f_Top_Index = 1;
    std::vector<std::string> f_Items;
    int f_Line_Height = 16;
    int f_Text_Width = 0;
    TDC_Button* f_Up_Button = nullptr;
    TDC_Button* f_Down_Button = nullptr;
    TSelect_Handler OnSelect;
    TDraw_Item_Handler OnDrawItem;
    bool f_Wrap = false;
    bool f_Show_Selection = true;
    bool f_Show_Hover = true;
    bool f_No_Back = false;

  private:
    int line_height() const { return f_Line_Height > 0 ? f_Line_Height : 1; }
    int item_at(int Y) const;
};
