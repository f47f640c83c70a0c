#pragma once
// Character selection: a new character made from a class, a portrait and a typed name,
// or an existing one from the characters folder with its details and a delete button.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "presentation/edit_text.h"
#include "presentation/list_control.h"
#include "rules/item_list.h"
#include "rules/monster.h"

class TDC_Main;

class TDC_Dlg_Select_Character : public TDisplay_Class {
  public:
    // The character made or chosen goes into Main.New_Character.
    explicit TDC_Dlg_Select_Character(TDC_Main& Main);
    ~TDC_Dlg_Select_Character() override;

    int Get_Width() override { return 696; }
    int Get_Height() override { return 504; }
    void Kill_Child_Control(const std::string&) override {}
    void Handle_KeyDown(uint16_t& Key, TShift_State Shift) override;
    void Handle_Draw(int Buffer) override;
    void Reposition() override;

    // "Opt New" (true) or "Opt Existing".
    void Set_New_Mode(bool New_Mode);
    bool New_Mode() const { return f_New_Mode; }
    // Class 1..count of the class list (clears the portrait).
    void Select_Class(int Index);
    // Portrait 1..40 of the selected class.
    void Select_Portrait(int n);
    // Entry 1..count of the file list, loaded as the preview.
    void Select_File(int Index);
    // Fills the file list with the characters folder's "*.dat" files.
    void Fill_File_List();
    // Result 1 (new) or 2 (existing) when the choice stands; false, with a message,
    // when it was refused.
    bool Accept();
    void Cancel();
    // Deletes the selected character's file; nothing without a selection.
    void Delete_Selected();
    // The panel's state text of the previewed character ("" without one).
    std::string State_Text() const;

    TDC_Button_Toggle* f_Opt_New = nullptr;
    TDC_Button_Toggle* f_Opt_Existing = nullptr;
    TDC_List* f_Class_List = nullptr;
    TDC_List* f_File_List = nullptr;
    std::array<TDC_Button*, 40> f_Portrait_Buttons{};
    TDC_EditText* f_Edit = nullptr;
    TDC_Text_Button* f_OK = nullptr;
    TDC_Text_Button* f_Cancel = nullptr;
    TDC_Text_Button* f_Delete = nullptr;
    int f_Portrait = 0;
    // The module's data set, which an existing character must share.
    std::string f_Data_Set;
    bool f_Preview_Loaded = false;
    TMonster f_Preview;

  private:
    void Refuse(const std::string& Title, const std::string& Text);
    bool Accept_New();
    bool Accept_Existing();
    bool Other_Data_Set() const;
    // The selected class's portrait files and the preview's picture, for drawing.
    void Load_Pictures();
    void Draw_Portrait(int n, int X, int Y, bool Pressed, int Buffer) const;
    void Draw_Details(int Buffer);

    TDC_Main& f_Main;
    bool f_New_Mode = true;
    // The preview's items live apart from every map.
    TItem_List f_Preview_Items;
    std::string f_Preview_File;
    int f_Background = -1;
    int f_Layout = -1;
};
