#pragma once
// The death report: how the character ended, with its level, experience and class,
// who or what killed it, and whether it made a new high score. Making the report
// enters the character in the high-score table.

#include <cstdint>
#include <string>

#include "presentation/buttons.h"

class TDC_Dlg_Dead : public TDisplay_Class {
  public:
    TDC_Dlg_Dead();
    ~TDC_Dlg_Dead() override;

    // Stores the death and offers it to the high-score table of the file (the common
    // one when empty). A killer text, when given, names what killed the character.
    void Set_Death(const std::string& Name, const std::string& Class_Name, uint16_t Level,
                   int32_t Experience, const std::string& Killer_Name, uint16_t Killer_Level,
                   const std::string& Killer_Text, const std::string& Score_File = "");
    // The paragraph of the report.
    std::string Report() const;
    bool New_High_Score() const { return f_New_High_Score; }

    int Get_Width() override { return 460; }
    int Get_Height() override { return 572; }
    void Handle_KeyDown(uint16_t& Key, TShift_State Shift) override;
    void Handle_Draw(int Buffer) override;
    void Reposition() override;

    TDC_Button* f_Close_Button = nullptr;

  private:
    std::string f_Name, f_Class_Name, f_Killer_Name, f_Killer_Text;
    uint16_t f_Level = 0, f_Killer_Level = 0;
    int32_t f_Experience = 0;
    bool f_New_High_Score = false;
    int f_Background = -1;
};
