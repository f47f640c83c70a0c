#pragma once
// The table of the ten best characters, read from its file when the dialog opens.

#include "game/high_scores.h"
#include "presentation/buttons.h"

class TDC_Dlg_HighScores : public TDisplay_Class {
  public:
    // The common table when the file is empty.
    explicit TDC_Dlg_HighScores(const std::string& Score_File = "");
    ~TDC_Dlg_HighScores() override;

    const THigh_Scores_List& Scores() const { return f_Scores; }

    int Get_Width() override { return 696; }
    int Get_Height() override { return 552; }
    void Handle_KeyDown(uint16_t& Key, TShift_State Shift) override;
    void Handle_Draw(int Buffer) override;
    void Reposition() override;

    TDC_Button* f_Close_Button = nullptr;

  private:
    THigh_Scores_List f_Scores;
    int f_Background = -1;
};
