#pragma once
// The display effects file ("Effects.txt"): the named animations that missiles,
// spells and hits are shown with. Damage records name them in "Damage Firing FX".

#include <cstdint>
#include <string>
#include <vector>

#include "datafiles/data_file_errors.h"
#include "rules/record_fields.h"
#include "shell/enums.h"

struct TDisplay_Effect {
    uint16_t Number = 0;
    std::string Name;
    TAnimation_Kind Type = TAnimation_Kind::Unset;
    uint16_t Bitmap_Index = 0;
    uint16_t Square_X_Offset = 0;
    uint16_t Square_Y_Offset = 0;
    uint16_t Start_X = 0;
    uint16_t Start_Y = 0;
    uint16_t End_X = 0;
    uint16_t End_Y = 0;
    uint16_t Picture_Width = 0;
    uint16_t Picture_Height = 0;
    uint16_t Total_Frames = 0;
    uint16_t Frames_Per_Line = 0;
    uint16_t Loop_Count = 0;
    uint16_t Speed = 0;
    bool Damage_FX_At_End = false;
};

class TDisplay_Effect_List {
  public:
    void Clear();
    int32_t Count() const { return static_cast<int32_t>(effects_.size()); }
    // 1-based; nothing for numbers outside 1..Count.
    const TDisplay_Effect* Get(int32_t number) const;
    // The number of the effect with exactly this name (a later equal name wins); 0 when
    // none has it.
    int32_t Find_Named(const std::string& name) const;
    void Add(const TDisplay_Effect& effect);
    // The effect pictures, lower-cased, 1-based by "Bitmap Index".
    std::vector<std::string> Bitmap_Names;

  private:
    std::vector<TDisplay_Effect> effects_;
};

// The table loaded at start-up (and again when a module is chosen).
extern TDisplay_Effect_List Display_Effects;

// Clears the table and reads the file into it; the errors are returned, not shown. Record 1 holds
// the pictures: "Number Of Effect Bitmaps", "Bitmap <n> Name". Every later record is one effect:
// "Name", "Type" ("Directional" or "Frames"), "Bitmap Index", "Bitmap Square X Offset",
// "Bitmap Square Y Offset", "Bitmap Start Xpos", "Bitmap Start Ypos", "Bitmap End Xpos",
// "Bitmap End Ypos", "Bitmap Picture Width", "Bitmap Picture Height",
// "Total Number Of Frames", "Frames Per Line", "Animation Loop Count",
// "Animation Speed", "Damage FX At End".
TData_File_Report Load_Display_Effects(const std::string& path,
                                       TDisplay_Effect_List& table = Display_Effects);
// The start-up load: the same, with the errors shown in the error list dialog; false
// when there were any.
bool Load_Display_Effects_File(const std::string& path);
