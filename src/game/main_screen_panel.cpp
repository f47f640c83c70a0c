// The fixed part of the game screen: its controls and where they sit, the character
// panel with its bars, face, numbers and equipment slots, and the "PAUSED" sign.

#include <algorithm>
#include <cmath>

#include "game/main_screen.h"
#include "presentation/dialog_background.h"
#include "presentation/dlg_progress.h"
#include "presentation/graphics.h"
#include "presentation/text.h"
#include "rules/class_info.h"
#include "rules/monster.h"
#include "shell/enums.h"
#include "shell/helpers.h"
#include "world/map.h"

namespace {

struct TSlot_Place {
    int x, y;
};
// Equipment slots 1..10 of the character panel.
constexpr TSlot_Place slot_places[10] = {{80, 16},   {121, 29}, {80, 61},   {80, 106}, {80, 186},
                                         {121, 106}, {39, 106}, {121, 146}, {39, 146}, {16, 65}};

} // namespace

int32_t TDC_Main::Slot_At(int x, int y) {
    for (int32_t k = 0; k < 10; ++k) {
        const TSlot_Place& p = slot_places[k];
        if (x >= p.x && x <= p.x + 32 && y >= p.y && y <= p.y + 32)
            return k + 1;
    }
    return 0;
}

int32_t TDC_Main::Bar_Width(double current, double maximum) {
    if (!(maximum > 0) || !(current > 0))
        return 0;
    const double r = std::min(current / maximum, 1.0);
    return static_cast<int32_t>(101 * r);
}

int32_t TDC_Main::Face_Picture(const TMonster& character) {
    switch (static_cast<TMonster_Status>(character.Condition)) {
    case TMonster_Status::Normal: {
        if (character.Maximum_Health == 0)
            return 0;
        const double p = std::trunc(character.Health) / character.Maximum_Health * 100;
        if (p <= 5)
            return 5;
        if (p <= 20)
            return 4;
        if (p <= 40)
            return 3;
        if (p <= 60)
            return 2;
        if (p <= 80)
            return 1;
        return 0;
    }
    case TMonster_Status::Panic:
        return 6;
    case TMonster_Status::Poisoned:
        return 7;
    default:
        return 0;
    }
}

void TDC_Main::Make_Game_Controls() {
    if (f_Controls_Made)
        return;
    f_Controls_Made = true;
    if (f_Background < 0)
        f_Background = Load_Dialog_Background("MainUI.bmp", 800, 600);
    auto button = [this](const std::string& name, int set, int image, int topic,
                         std::function<void()> click) -> TDC_Button* {
        TDC_Button& b = Make_Child<TDC_Button>();
        b.f_Name = name;
        b.f_Description_Id = topic;
        b.Set_Image_Set(set);
        b.f_Image_Index = image;
        b.OnClick = [this, click](const std::string&) {
            if (Player() && Game_Running)
                click();
        };
        return &b;
    };
    const char keys[5] = {'G', 'Q', 'M', 'C', 'S'};
    for (int n = 0; n < 5; ++n) {
        f_Main_Control_Buttons[size_t(n)] =
            button("Main Control Button " + std::to_string(n + 1), 2, n, n + 1,
                   [this, key = keys[n]] { Key_Command(static_cast<uint16_t>(key), 0); });
    }
    f_Spell_Select_Button = button("Button Spell Sel", 2, 8, 6, [this] { Key_Command('B', 0); });
    for (int n = 0; n < 10; ++n) {
        TDC_Button* b = button("Spell Button " + std::to_string(n + 1), 10, 0, 9,
                               [this, n] { Select_Spell_Slot(n + 1); });
        b->OnDraw = [this, n](const std::string&, int Buffer, bool, bool Pressed, bool, int X,
                              int Y, int, int) {
            if (const TMonster* player = Player(); player && f_Hooks.Draw_Quick_Slot)
                f_Hooks.Draw_Quick_Slot(*player, n + 1, X, Y, Pressed, Buffer);
        };
        f_Spell_Buttons[size_t(n)] = b;
    }
    f_Drink_Health_Button = button("Drink Health Button", 10, 3, 7, [this] {
        if (!Shown("Dlg Store"))
            Player()->Drink_Health_Potion();
    });
    f_Drink_Mana_Button = button("Drink Mana Button", 10, 4, 8, [this] {
        if (!Shown("Dlg Store"))
            Player()->Drink_Mana_Potion();
    });
    f_Drop_Inventory = button("Drop Inventory", 3, 0, 10, [this] { Key_Command('I', 0); });
    f_Drop_Stats = button("Drop Stats", 3, 0, 11, [this] { Key_Command('R', 0); });
    Show_Game_Controls(false);
    Game_Running = false;
    Reposition();
}

void TDC_Main::Reposition() {
    for (int n = 0; n < 5; ++n)
        if (TDC_Button* b = f_Main_Control_Buttons[size_t(n)])
            b->Set_Position(b->f_Name, 9 + 51 * n, 540, false);
    if (f_Spell_Select_Button)
        f_Spell_Select_Button->Set_Position("Button Spell Sel", 529, 540, false);
    for (int n = 0; n < 10; ++n)
        if (TDC_Button* b = f_Spell_Buttons[size_t(n)])
            b->Set_Position(b->f_Name, n < 5 ? 593 + 40 * n : 593 + 40 * (n - 5), n < 5 ? 511 : 553,
                            false);
    if (f_Drink_Health_Button)
        f_Drink_Health_Button->Set_Position("Drink Health Button", 713, 442, false);
    if (f_Drink_Mana_Button)
        f_Drink_Mana_Button->Set_Position("Drink Mana Button", 753, 442, false);
    if (f_Drop_Inventory)
        f_Drop_Inventory->Set_Position("Drop Inventory", 11, 195, false);
    if (f_Drop_Stats)
        f_Drop_Stats->Set_Position("Drop Stats", 487, 118, false);
    if (TDisplay_Class* w = Shown("Win Inventory"))
        w->Set_Position("Win Inventory", 0, 224, w->f_Modal);
    if (TDisplay_Class* w = Shown("Win Stats"))
        w->Set_Position("Win Stats", 195, 147, w->f_Modal);
}

bool TDC_Main::Wants_Black_Screen() const {
    for (const char* name :
         {"Dlg Intro", "Dlg MapGen", "Dlg TileGen", "Dlg Menu", "Dlg Select Module",
          "Dlg Difficulty", "Dlg Select Character", "Dlg Module Text"})
        if (Shown(name))
            return true;
    if (f_Progress && f_Progress->f_Clear)
        return true;
    if (From_Main_Menu)
        for (const char* name : {"Save Game Dlg", "Options Dlg", "High Scores Dlg"})
            if (Shown(name))
                return true;
    // Before the first game nothing of the game screen can be shown.
    return !Game_Running && !Player();
}

void TDC_Main::Handle_Draw(int Buffer) {
    fg_vbopen(Buffer);
    if (Shown("Error List Dlg") && !Error_List_Shown) {
        Set_Colour(0);
        Clear_Buffer();
    }
    if (Wants_Black_Screen()) {
        Set_Colour(0);
        Clear_Buffer();
        if (Shown("Dlg Menu")) {
            Text_Begin(Buffer);
            Set_Font(2);
            Set_Text_Colour(255, 255, 255);
            Set_Justify(1, 4);
            Print_At(10, 590, "Version: 1.06");
            Text_End();
        }
    } else {
        if (f_Background >= 0)
            Copy_Rect(0, 799, 0, 599, 0, 599, f_Background, Buffer);
        if (f_Hooks.Draw_Map_View)
            f_Hooks.Draw_Map_View(Buffer);
        Draw_Character_Panel(Buffer);
        Draw_Equipment_Slots(Buffer);
        if (f_Hooks.Draw_Description)
            f_Hooks.Draw_Description(Buffer);
    }
    if (Paused && Blink_On) {
        Text_Begin(Buffer);
        Set_Font(3);
        Set_Justify(1, 4);
        Set_Text_Colour(0, 0, 0);
        Print_At(699, 249, "PAUSED");
        Set_Text_Colour(200, 0, 0);
        Print_At(700, 250, "PAUSED");
        Text_End();
    }
}

void TDC_Main::Draw_Character_Panel(int Buffer) {
    const TMonster* player = Player();
    if (!player)
        return;
    if (f_Hooks.Draw_Creature)
        f_Hooks.Draw_Creature(*player, 180, 8, Buffer);
    struct TBar {
        int y;
        double current, maximum;
        TColour colour;
    };
    const TBar bars[4] = {
        {15, std::trunc(player->Health), double(player->Maximum_Health), Colour_RGB(255, 0, 0)},
        {42, std::trunc(player->Mana), double(player->Maximum_Mana), Colour_RGB(0, 0, 255)},
        {69, double(player->Hunger), double(player->Maximum_Hunger), Colour_RGB(0, 203, 0)},
        {96, double(player->Weight_Carried), double(player->Maximum_Weight),
         Colour_RGB(255, 187, 47)}};
    fg_vbopen(Buffer);
    for (const TBar& bar : bars) {
        const int width = Bar_Width(bar.current, bar.maximum);
        if (width > 0) {
            Set_Colour(bar.colour);
            Fill_Rect(400, 400 + width - 1, bar.y, bar.y + 12);
        }
    }
    if (f_Hooks.Draw_Face)
        f_Hooks.Draw_Face(Face_Picture(*player), 370, 117, Buffer);
    Text_Begin(Buffer);
    Set_Justify(2, 2);
    Set_Font(2);
    Set_Text_Colour(255, 255, 255);
    for (const TBar& bar : bars)
        Print_At(450, bar.y + 7,
                 std::to_string(static_cast<int64_t>(bar.current)) + " / " +
                     std::to_string(static_cast<int64_t>(bar.maximum)));
    Set_Justify(1, 4);
    Set_Font(3);
    Print_At(225, 30, player->Name);
    Set_Font(1);
    Set_Text_Colour(150, 150, 150);
    Print_At(225, 46, player->Class_Name);
    Set_Font(2);
    Set_Text_Colour(255, 255, 255);
    const TClass_Info* info = player->Get_Class();
    const int64_t next = info ? Experience_For_Next_Level(*info, player->Level) : 0;
    Print_At(212, 69, std::to_string(player->Level));
    Print_At(212, 94, Format_Thousands(player->Experience));
    Print_At(212, 119, Format_Thousands(next));
    Print_At(212, 144, Format_Thousands(player->Gold));
    Print_At(403, 137,
             std::string(Monster_Status_Name(static_cast<TMonster_Status>(player->Condition))));
    Text_End();
    // The buttons that call for attention.
    if (TDC_Button* b = f_Main_Control_Buttons[3])
        b->f_Image_Index = player->Characteristic_Points > 0 ? 5 : 3;
    if (TDC_Button* b = f_Main_Control_Buttons[4])
        b->f_Image_Index = player->Spell_Points > 0 ? 6 : 4;
    if (TDC_Button* b = f_Main_Control_Buttons[1])
        b->f_Image_Index = player->Quest_Value != 0 ? 7 : 1;
}

void TDC_Main::Draw_Equipment_Slots(int Buffer) {
    const TMonster* player = Player();
    if (!player || !Current_Map)
        return;
    for (int32_t slot = 1; slot <= 10; ++slot) {
        const TItem* item = player->Inventory.Get_In_Slot(slot, Current_Map->Item_List);
        if (!item)
            continue;
        const TSlot_Place& p = slot_places[slot - 1];
        if (f_Hooks.Draw_Slot_Background)
            f_Hooks.Draw_Slot_Background(p.x, p.y, slot == Hover_Slot, Buffer);
        if (f_Hooks.Draw_Item)
            f_Hooks.Draw_Item(*item, p.x, p.y, Buffer);
    }
}
