#pragma once
// Module selection: the entries of the modules folder, with the chosen module's two
// descriptions beside the list.

#include <string>
#include <vector>

#include "presentation/list_control.h"

class TDC_Main;

class TDC_Dlg_Select_Module : public TDisplay_Class {
  public:
    explicit TDC_Dlg_Select_Module(TDC_Main& Main);
    ~TDC_Dlg_Select_Module() override;

    int Get_Width() override { return 696; }
    int Get_Height() override { return 504; }
    void Handle_KeyDown(uint16_t& Key, TShift_State Shift) override;
    void Handle_Draw(int Buffer) override;
    void Reposition() override;

    // The entries of the modules folder in the order the file system gives them.
    static std::vector<std::string> Module_Entries();
    // Selects list entry 1..count and shows its descriptions.
    void Select(int Index);
    // OK: true when the selected module became the current one (result 1).
    bool Accept();
    void Cancel();

    TDC_List* f_List = nullptr;
    TDC_Text_Button* f_OK = nullptr;
    TDC_Text_Button* f_Cancel = nullptr;
    std::string f_Description;
    std::string f_Difficulty_Description;
    std::string f_Data_Set;

  private:
    TDC_Main& f_Main;
    int f_Background = -1;
};
