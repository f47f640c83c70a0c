#include "presentation/list_control.h"

#include "presentation/text.h"
#include "shell/services.h"

TDC_List::TDC_List() {
    f_Up_Button = &Make_Child<TDC_Button>();
    f_Up_Button->Set_Image_Set(3);
    f_Up_Button->f_Image_Index = 1;
    f_Up_Button->f_Name = "Button Up";
    f_Up_Button->Set_Visible(true);
    f_Up_Button->OnClick = [this](const std::string&) { Page_Up(); };
    f_Down_Button = &Make_Child<TDC_Button>();
    f_Down_Button->Set_Image_Set(3);
    f_Down_Button->f_Image_Index = 0;
    f_Down_Button->f_Name = "Button Down";
    f_Down_Button->Set_Visible(true);
    f_Down_Button->OnClick = [this](const std::string&) { Page_Down(); };
    Update_Scroll_Buttons();
}

void TDC_List::Set_Bounds(const std::string& Name, int X, int Y, int Width, int Height, bool) {
    TDisplay_Class::Set_Bounds(Name, X, Y, Width, Height, false);
    Update_Scroll_Buttons();
}

void TDC_List::Set_Back_Colour(int R, int G, int B) {
    f_Back_Colour = Colour_From_RGB(R, G, B);
}

void TDC_List::Add_Item(const std::string& Text) {
    f_Items.push_back(Text);
    Update_Scroll_Buttons();
}

void TDC_List::Clear() {
    f_Items.clear();
    Update_Scroll_Buttons();
}

std::string TDC_List::Get_Selected_Text() const {
    if (f_Selected_Index < 1 || f_Selected_Index > int(f_Items.size()))
        return std::string();
    return f_Items[size_t(f_Selected_Index - 1)];
}

void TDC_List::Set_Top_Index(int Index) {
    f_Top_Index = Index;
    Update_Scroll_Buttons();
}

int TDC_List::Page() const {
    return f_Height / line_height();
}

int TDC_List::Last() const {
    const int page = Page();
    return page == 0 ? 0 : (int(f_Items.size()) / page + 1) * page;
}

bool TDC_List::Item_Point(int Index, int& X, int& Y) const {
    if (Index < 1 || Index > int(f_Items.size()) || Index < f_Top_Index ||
        Index >= f_Top_Index + Page())
        return false;
    X = f_X + 8;
    Y = f_Y + (Index - f_Top_Index) * line_height() + line_height() / 2;
    return true;
}

void TDC_List::Page_Up() {
    f_Top_Index = std::max(1, f_Top_Index - Page());
    Update_Scroll_Buttons();
}

void TDC_List::Page_Down() {
    const int page = Page();
    f_Top_Index += page;
    if (f_Top_Index + page > Last() + 1)
        f_Top_Index = std::max(1, Last() - page + 1);
    Update_Scroll_Buttons();
}

void TDC_List::Update_Scroll_Buttons() {
    f_Down_Button->f_Enabled = Last() - Page() + 1 > f_Top_Index;
    f_Up_Button->f_Enabled = f_Top_Index >= 2;
}

int TDC_List::item_at(int Y) const {
    const int index = (Y - f_Y) / line_height() + f_Top_Index;
    return index >= 1 && index <= int(f_Items.size()) ? index : 0;
}

void TDC_List::Handle_MouseMove(TShift_State, int X, int Y) {
    f_Hover_Index = Contains(X, Y) ? item_at(Y) : 0;
}

void TDC_List::Handle_MouseUp(TMouse_Button, TShift_State, int X, int Y, bool Released_Outside) {
    if (Released_Outside || !Contains(X, Y) || f_Up_Button->Contains(X, Y) ||
        f_Down_Button->Contains(X, Y))
        return;
    const int index = item_at(Y);
    if (index == 0)
        return;
    f_Selected_Index = index;
    Play_Sound("item_sel.wav");
    if (OnSelect)
        OnSelect(f_Name, index);
}

void TDC_List::Handle_Draw(int Buffer) {
    fg_vbopen(Buffer);
    const int lh = line_height();
    if (!f_No_Back) {
        Set_Colour(f_Back_Colour);
        Fill_Rect(f_X, f_X + f_Width - 1, f_Y, f_Y + f_Height - 1);
    }
    if (f_Mouse_Over && f_Hover_Index > 0 && f_Show_Hover) {
        const int top = (f_Hover_Index - f_Top_Index) * lh + f_Y;
        if (top >= f_Y && top + lh < f_Y + f_Height) {
            Set_Colour(f_Hover_Colour);
            Fill_Rect(f_X, f_X + f_Width - 1, top, top + lh - 1);
        }
    }
    const int wrap_width = f_Text_Width > 0 ? f_Text_Width : f_Width - 8;
    if (!OnDrawItem) {
        Text_Begin(Buffer);
        Set_Font(1);
        Set_Justify(1, 4);
    }
    const int max_items = f_Height / lh + 1;
    int baseline = f_Y + 4 + lh;
    for (int k = 0, index = f_Top_Index;
         k < max_items && index >= 1 && index <= int(f_Items.size()) && baseline <= f_Y + f_Height;
         ++k, ++index, baseline += lh) {
        const std::string& item = f_Items[size_t(index - 1)];
        const bool selected = index == f_Selected_Index;
        if (OnDrawItem) {
            OnDrawItem(f_Name, Buffer, item, f_Y + k * lh, lh, selected);
            continue;
        }
        Set_Text_Colour(selected && f_Show_Selection ? f_Selected_Colour : f_Text_Colour);
        if (f_Wrap) {
            Print_Wrapped(f_X + 4, baseline - lh, wrap_width, item, lh);
            Set_Justify(1, 4);
        } else {
            Print_At(f_X + 4, baseline, item);
        }
    }
    if (!OnDrawItem)
        Text_End();
}

void TDC_List::Reposition() {
    f_Up_Button->Set_Position("Button Up", f_X + f_Width - 20, f_Y + 2, false);
    f_Down_Button->Set_Position("Button Down", f_X + f_Width - 20, f_Y + f_Height - 30, false);
}
