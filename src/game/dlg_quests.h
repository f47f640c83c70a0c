#pragma once
// The quest log: one row for every quest the character has been given, in the
// module's order, each with its mark, its text and "In Progress" or "Completed".
// Opening it tells the character the news has been read.

#include <cstdint>
#include <vector>

#include "presentation/buttons.h"
#include "presentation/list_control.h"

class TDC_Dlg_Quests : public TDisplay_Class {
  public:
    TDC_Dlg_Quests();
    ~TDC_Dlg_Quests() override;

    // The quest numbers of the rows, top to bottom.
    const std::vector<int32_t>& Rows() const { return f_Rows; }

    int Get_Width() override { return 427; }
    int Get_Height() override { return 515; }
    void Handle_KeyDown(uint16_t& Key, TShift_State Shift) override;
    void Handle_Draw(int Buffer) override;
    void Reposition() override;

    TDC_List* f_Quest_List = nullptr;
    TDC_Button* f_Close_Button = nullptr;

  private:
    void draw_row(int Buffer, int Y, int Height);
    std::vector<int32_t> f_Rows;
    int f_Background = -1;
};
