#pragma once
// The character's statistics page: the four primary attributes, health, mana, hunger
// and weight with their share of the maximum, and while stat points remain a plus
// button beside each attribute that spends one point on it.

#include <array>
#include <cstdint>
#include <string>

#include "presentation/buttons.h"

class TMonster;

class TDC_Dlg_Statistics : public TDisplay_Class {
  public:
    TDC_Dlg_Statistics();
    ~TDC_Dlg_Statistics() override;

    // Spends one stat point on attribute n (1 Strength, 2 Intelligence, 3 Dexterity,
    // 4 Constitution); nothing when no point remains.
    void Spend_Point(int32_t n);
    // The values shown: the four attributes, then "current / maximum" and the percent
    // of health, mana, hunger and weight.
    std::array<std::string, 4> Attribute_Texts() const;
    std::array<std::string, 4> Pool_Texts() const;
    std::array<std::string, 4> Percent_Texts() const;
    // "You have N stat points remaining." or empty without points.
    std::string Points_Text() const;

    int Get_Width() override { return 338; }
    int Get_Height() override { return 410; }
    void Handle_KeyDown(uint16_t& Key, TShift_State Shift) override;
    void Handle_Draw(int Buffer) override;
    void Reposition() override;

    std::array<TDC_Button*, 4> f_Plus_Buttons{};
    TDC_Button* f_Close_Button = nullptr;

  private:
    void update_buttons();
    int f_Background = -1;
};
