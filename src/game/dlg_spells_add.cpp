#include "game/dlg_spells_add.h"

#include "game/main_screen.h"
#include "presentation/dialog_background.h"
#include "presentation/display_object.h"
#include "presentation/graphics.h"
#include "presentation/text.h"
#include "presentation/ui_hooks.h"
#include "presentation/virtual_keys.h"
#include "rules/class_info.h"
#include "rules/monster.h"
#include "rules/spells.h"
#include "shell/services.h"

namespace {

constexpr int grid_columns = 9, grid_rows = 5;

} // namespace

TDC_Dlg_Spells_Add::TDC_Dlg_Spells_Add(TDC_Main& main) : f_Main(main) {
    f_Modal = true;
    f_Background = Load_Dialog_Background("Dlg_SpellList.bmp", 619, 307);
    const TMonster* player = f_Main.Player();
    const TClass_Info* info = player ? player->Get_Class() : nullptr;
    int32_t first = 0;
    for (int n = 1; n <= Categories; ++n) {
        auto& toggle = Make_Child<TDC_Button_Toggle>();
        toggle.Set_Image_Set(1);
        toggle.Set_Toggle_Images(8, 9);
        toggle.Set_On(false);
        // A category the class does not name is not offered.
        const bool named = info && !info->Spell_Group_Names[size_t(n - 1)].empty();
        toggle.Set_Visible(named);
        if (named && first == 0)
            first = n;
        toggle.OnClick = [this, n](const std::string&) { Select_Category(n); };
        f_Toggles[size_t(n - 1)] = &toggle;
    }
    f_Close_Button = &Make_Child<TDC_Button>();
    f_Close_Button->Set_Image_Set(1);
    f_Close_Button->Set_Visible(true);
    f_Close_Button->OnClick = [this](const std::string&) { Set_Kill_Object(true); };
    Select_Category(first);
}

TDC_Dlg_Spells_Add::~TDC_Dlg_Spells_Add() {
    fg_vbfree(f_Background);
}

void TDC_Dlg_Spells_Add::Select_Category(int32_t n) {
    f_Category = (n >= 1 && n <= Categories) ? n : 0;
    for (int k = 1; k <= Categories; ++k)
        f_Toggles[size_t(k - 1)]->Set_On(k == f_Category);
    rebuild();
}

void TDC_Dlg_Spells_Add::rebuild() {
    f_Spells.clear();
    const TMonster* player = f_Main.Player();
    const TClass_Info* info = player ? player->Get_Class() : nullptr;
    if (!info || f_Category == 0)
        return;
    for (const TClass_Spell& entry : info->Spells)
        if (entry.Group == f_Category && f_Spells.size() < size_t(grid_columns * grid_rows))
            if (const uint16_t number = Master_Spells.Find_Named(entry.Name))
                f_Spells.push_back(number);
}

bool TDC_Dlg_Spells_Add::Can_Raise(const TMonster& character, uint16_t spell) {
    const TSpell* s = Master_Spells.Get(spell);
    return s && character.Spell_Points > 0 && Can_Learn(character, *s);
}

bool TDC_Dlg_Spells_Add::Click_Cell(int cell) {
    TMonster* player = f_Main.Player();
    if (!player || cell < 0 || cell >= int(f_Spells.size()))
        return false;
    const uint16_t spell = f_Spells[size_t(cell)];
    if (!Can_Raise(*player, spell))
        return false;
    TSpells_List& spells = player->Spells;
    uint16_t chance = 0;
    for (int32_t i = 1; i <= spells.Count(); ++i)
        if (spells.Get_Spell(i) == spell)
            chance = spells.Get_Chance(i);
    spells.Learn(spell, static_cast<uint16_t>(spells.Get_Learnt_Level(spell) + 1), chance);
    --player->Spell_Points;
    player->Recalculate();
    rebuild();
    Play_Sound("button.wav");
    return true;
}

bool TDC_Dlg_Spells_Add::Cell_Point(int cell, int& x, int& y) const {
    if (cell < 0 || cell >= grid_columns * grid_rows)
        return false;
    x = f_X + 231 + 40 * (cell % grid_columns) + 16;
    y = f_Y + 52 + 40 * (cell / grid_columns) + 16;
    return true;
}

int TDC_Dlg_Spells_Add::cell_at(int x, int y) const {
    const int dx = x - (f_X + 231), dy = y - (f_Y + 52);
    if (dx < 0 || dy < 0 || dx % 40 > 37 || dy % 40 > 37)
        return -1;
    const int column = dx / 40, row = dy / 40;
    if (column >= grid_columns || row >= grid_rows)
        return -1;
    return row * grid_columns + column;
}

void TDC_Dlg_Spells_Add::Handle_MouseMove(TShift_State, int X, int Y) {
    f_Hover_Cell = cell_at(X, Y);
    if (f_Hover_Cell >= 0 && f_Hover_Cell < int(f_Spells.size()))
        Description_Panel().Set_Subject_Spell(f_Spells[size_t(f_Hover_Cell)]);
    else
        Description_Panel().Clear_Subject();
}

void TDC_Dlg_Spells_Add::Handle_MouseDown(TMouse_Button Button, TShift_State, int X, int Y) {
    if (Button == mbLeft)
        Click_Cell(cell_at(X, Y));
}

void TDC_Dlg_Spells_Add::Handle_KeyDown(uint16_t& Key, TShift_State) {
    if (Key == VK_ESCAPE) {
        Set_Kill_Object(true);
        f_Key_Handled = true;
    }
}

void TDC_Dlg_Spells_Add::Handle_Draw(int Buffer) {
    if (f_Background >= 0)
        Copy_Rect_Transparent(0, 618, 0, 306, f_X, f_Y + 306, f_Background, Buffer);
    const TMonster* player = f_Main.Player();
    const TClass_Info* info = player ? player->Get_Class() : nullptr;
    Text_Begin(Buffer);
    Set_Font(6);
    Set_Text_Colour(0, 0, 0);
    Set_Justify(2, 2);
    Print_At(f_X + 307, f_Y + 32, "Spell/Skill List");
    Set_Font(1);
    Set_Text_Colour(255, 255, 255);
    Set_Justify(1, 5);
    if (info)
        for (int n = 0; n < Categories; ++n)
            Print_At(f_X + 56, f_Y + 53 + 29 * n, info->Spell_Group_Names[size_t(n)]);
    if (player && player->Spell_Points > 0) {
        Set_Font(2);
        Set_Justify(2, 2);
        Print_At(f_X + 401, f_Y + 263,
                 "You have " + std::to_string(player->Spell_Points) +
                     " spell/skill points remaining.");
    }
    Text_End();
    if (!player || !Display_Object)
        return;
    for (int cell = 0; cell < int(f_Spells.size()); ++cell) {
        const TSpell* spell = Master_Spells.Get(f_Spells[size_t(cell)]);
        if (!spell)
            continue;
        const int x = f_X + 231 + 40 * (cell % grid_columns);
        const int y = f_Y + 52 + 40 * (cell / grid_columns);
        Display_Object->Draw_Spell_Icon(spell->Picture_ID, false, x - 3, y - 3, Buffer);
        // The level in the corner: green while a point can raise it, grey once it cannot.
        const bool raisable = Can_Raise(*player, spell->Number);
        const std::string learnt = std::to_string(player->Spells.Get_Learnt_Level(spell->Number));
        Text_Begin(Buffer);
        Set_Font(2);
        Set_Justify(3, 4);
        Set_Text_Colour(0, 0, 0);
        Print_At(x + 34, y + 34, learnt); // a shadow, so the figure reads over any icon
        if (raisable)
            Set_Text_Colour(120, 230, 120);
        else
            Set_Text_Colour(190, 190, 190);
        Print_At(x + 33, y + 33, learnt);
        Text_End();
    }
}

void TDC_Dlg_Spells_Add::Reposition() {
    for (int n = 1; n <= Categories; ++n)
        f_Toggles[size_t(n - 1)]->Set_Position("Opt " + std::to_string(n), f_X + 18,
                                               f_Y + 49 + 29 * (n - 1), false);
    f_Close_Button->Set_Position("Close Button", f_X + 563, f_Y + 251, false);
}
