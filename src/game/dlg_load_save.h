#pragma once
// The load and save dialog: ten slots, each with the name of the game saved there.
// The player picks a slot; in save mode the slot's name can be typed over. OK saves or
// loads, and the dialog closes only when that worked (result 1); Cancel and Escape
// close it with result 0.

#include <array>
#include <cstdint>
#include <string>

#include "presentation/buttons.h"
#include "presentation/edit_text.h"

class TDC_Main;

class TDC_Dlg_Load_Save : public TDisplay_Class {
  public:
    // The longest game name the player can type; a shorter one may already fill the
    // row's box.
    static constexpr size_t Max_Name_Length = 30;
    static bool Name_Is_Full(const std::string& name);

    explicit TDC_Dlg_Load_Save(TDC_Main& main);
    ~TDC_Dlg_Load_Save() override;

    void Set_Mode_Load() { Set_Mode(true); }
    void Set_Mode_Save() { Set_Mode(false); }
    bool Is_Load_Mode() const { return f_Load_Mode; }

    // Turns row 1..10 on and every other off; anything else chooses no row.
    void Select_Slot(int32_t slot);
    // The chosen row, 0 when none.
    int32_t Selected_Slot() const { return f_Slot; }
    // The slots' game names read again from the save folders.
    void Refresh_Names();
    // OK: saves into or loads from the chosen slot. False (and the dialog stays open)
    // when no slot is chosen or the save or load failed.
    bool Accept();
    void Cancel();

    int Get_Width() override { return 307; }
    int Get_Height() override { return 410; }
    void Handle_KeyDown(uint16_t& Key, TShift_State Shift) override;
    void Handle_Draw(int Buffer) override;
    void Reposition() override;

    std::array<TDC_Button_Toggle*, 10> f_Slot_Toggles{};
    std::array<TDC_EditText*, 10> f_Slot_Names{};
    TDC_Button* f_OK_Button = nullptr;
    TDC_Button* f_Cancel_Button = nullptr;

  private:
    void Set_Mode(bool load);
    // The name to save under: the typed text trimmed, or the module's name when blank.
    std::string Name_To_Save() const;

    TDC_Main& f_Main;
    bool f_Load_Mode = true;
    int32_t f_Slot = 0;
    int f_Background = -1;
};
