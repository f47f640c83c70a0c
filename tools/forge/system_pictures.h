#pragma once
// The makers of the individual system pictures, grouped by kind.

#include "canvas.h"

// Sheets.
TCanvas Make_Misc();
TCanvas Make_Gen();
TCanvas Make_Tilegen();
TCanvas Make_Damage_FX();
TCanvas Make_Spells();
TCanvas Make_Spell_Containers();
// Number of spell icons in "Spells.bmp".
int Spell_Icon_Count();

// Button strips, sets 1 to 9.
TCanvas Make_Buttons_Small_Square();
TCanvas Make_Buttons_Main_Round();
TCanvas Make_Buttons_Arrows();
TCanvas Make_Buttons_Square_Icons();
TCanvas Make_Buttons_Square_Frames();
TCanvas Make_Buttons_Long_Rounded_Text();
TCanvas Make_Buttons_Long_Square_Text();
TCanvas Make_Buttons_Square_Named();
TCanvas Make_Buttons_Square_Named_Blank();

// Dialog and window backgrounds, by file name ("Dlg_Quests.bmp", ...).
TCanvas Make_Dialog(const char* name);
// The main screen.
TCanvas Make_Main_UI();
