#include "game/win_stats.h"

#include "game/main_screen.h"
#include "presentation/dialog_background.h"
#include "presentation/graphics.h"
#include "presentation/text.h"
#include "presentation/ui_hooks.h"
#include "rules/monster.h"
#include "shell/enums.h"

TDC_Win_Stats::TDC_Win_Stats(TDC_Main& main) : f_Main(main) {
    f_Background = Load_Dialog_Background("Win_Stats.bmp", 304, 172);
}

TDC_Win_Stats::~TDC_Win_Stats() {
    fg_vbfree(f_Background);
}

void TDC_Win_Stats::Set_Bounds(const std::string& Name, int, int, int Width, int Height,
                               bool Modal) {
    TDisplay_Class::Set_Bounds(Name, f_Main.f_X + 195, f_Main.f_Y + 147, Width, Height, Modal);
}

int32_t TDC_Win_Stats::Topic_At(int x, int y) const {
    const int dx = x - f_X, dy = y - f_Y;
    // The four abilities: two columns by two rows.
    if (dy >= 14 && dy < 60) {
        const int row = dy < 37 ? 0 : 1;
        if (dx >= 12 && dx < 79)
            return row == 0 ? 12 : 13; // Strength, Intelligence
        if (dx >= 80 && dx < 147)
            return row == 0 ? 14 : 15; // Dexterity, Constitution
    }
    // Attack ability, defence ability, damage.
    if (dx >= 12 && dx <= 146 && dy >= 60 && dy < 60 + 3 * 23)
        return 16 + (dy - 60) / 23;
    // The five resistances.
    if (dx >= 150 && dx <= 284 && dy >= 14 && dy < 14 + 5 * 23)
        return 19 + (dy - 14) / 23;
    return 0;
}

void TDC_Win_Stats::Handle_MouseMove(TShift_State, int X, int Y) {
    if (const int32_t topic = Topic_At(X, Y))
        Description_Panel().Set_Subject_Topic(topic);
    else
        Description_Panel().Clear_Subject();
}

void TDC_Win_Stats::Handle_Draw(int Buffer) {
    if (f_Background >= 0)
        Copy_Rect_Transparent(0, 303, 0, 171, f_X, f_Y + 171, f_Background, Buffer);
    const TMonster* player = f_Main.Player();
    if (!player || f_Main.Get_Actions_Disabled())
        return;
    const int x = f_X, y = f_Y;
    Text_Begin(Buffer);
    Set_Font(2);
    Set_Text_Colour(255, 203, 151);
    // Bottoms of the text on the given rows.
    Set_Justify(3, 4);
    Print_At(x + 71, y + 36, std::to_string(player->Strength));
    Print_At(x + 140, y + 36, std::to_string(player->Dexterity));
    Print_At(x + 71, y + 59, std::to_string(player->Intelligence));
    Print_At(x + 140, y + 59, std::to_string(player->Constitution));
    Print_At(x + 71, y + 82, std::to_string(player->Attack_Ability));
    Print_At(x + 71, y + 105, std::to_string(player->Defense_Ability));
    Print_At(x + 140, y + 128,
             std::string(Monster_Status_Name(static_cast<TMonster_Status>(player->Condition))));
    const int32_t resistances[5] = {
        player->Get_Fire_Resist_Total(), player->Get_Cold_Resist_Total(),
        player->Get_Lightning_Resist_Total(), player->Get_Magic_Resist_Total(),
        player->Get_Poison_Resist_Total()};
    for (int k = 0; k < 5; ++k)
        Print_At(x + 278, y + 36 + 23 * k, std::to_string(resistances[k]) + "%");
    Set_Justify(2, 4);
    Print_At(x + 111, y + 82, player->Get_To_Hit_Text());
    Print_At(x + 111, y + 105, player->Get_Damage_Text());
    Text_End();
}
