#include "game/dlg_spells_select.h"

#include <algorithm>

#include "game/main_screen.h"
#include "presentation/dialog_background.h"
#include "presentation/graphics.h"
#include "presentation/text.h"
#include "presentation/virtual_keys.h"
#include "rules/class_info.h"
#include "rules/monster.h"
#include "world/map.h"

namespace {

// The book's places, six on each page.
constexpr int entry_places[12][2] = {{54, 176},  {96, 183},  {54, 217},  {96, 224},
                                     {54, 258},  {96, 265},  {161, 183}, {203, 176},
                                     {161, 224}, {203, 217}, {161, 265}, {203, 258}};
constexpr const char* scrolls_page = "Scrolls";

} // namespace

TDC_Dlg_Spells_Select::TDC_Dlg_Spells_Select(TDC_Main& main) : f_Main(main) {
    f_Modal = true;
    f_Background = Load_Dialog_Background("Dlg_SpellSelection.bmp", 307, 450);
    const TMonster* player = f_Main.Player();
    if (const TClass_Info* info = player ? player->Get_Class() : nullptr)
        for (int g = 1; g <= 6; ++g)
            if (!info->Spell_Group_Names[size_t(g - 1)].empty()) {
                f_Page_Names.push_back(info->Spell_Group_Names[size_t(g - 1)]);
                f_Page_Groups.push_back(g);
            }
    f_Page_Names.push_back(scrolls_page);
    for (int k = 1; k <= 10; ++k) {
        auto& b = Make_Child<TDC_Spell_Button>();
        b.f_Description_Id = 0;
        b.Set_Visible(true);
        b.OnClick = [this, k](const std::string&) { Select_Slot(k); };
        f_Slot_Buttons[size_t(k - 1)] = &b;
    }
    for (int n = 0; n < Entries_Per_Group; ++n) {
        auto& b = Make_Child<TDC_Spell_Button>();
        b.f_Frame_Column = 1;
        b.OnClick = [this, n](const std::string&) {
            Assign_Entry(f_Group * Entries_Per_Group + n);
        };
        f_Entry_Buttons[size_t(n)] = &b;
    }
    auto button = [this](int set, int column, std::function<void()> click) {
        TDC_Button& b = Make_Child<TDC_Button>();
        b.Set_Image_Set(set);
        b.f_Image_Index = column;
        b.Set_Visible(true);
        b.OnClick = [click](const std::string&) { click(); };
        return &b;
    };
    f_Left_Arrow = button(3, 2, [this] { Set_Page(f_Page - 1); });
    f_Right_Arrow = button(3, 3, [this] { Set_Page(f_Page + 1); });
    f_Marker_Left = button(1, 5, [this] { Set_Group(f_Group - 1); });
    f_Marker_Right = button(1, 6, [this] { Set_Group(f_Group + 1); });
    f_Close_Button = button(1, 0, [this] { Set_Kill_Object(true); });
    const uint8_t selected = player ? player->Spells.Get_Selected_Slot() : 0;
    f_Slot = selected >= 1 ? selected : 1;
    Set_Page(1);
}

TDC_Dlg_Spells_Select::~TDC_Dlg_Spells_Select() {
    fg_vbfree(f_Background);
}

void TDC_Dlg_Spells_Select::Set_Page(int32_t page) {
    f_Page = std::clamp<int32_t>(page, 1, int32_t(f_Page_Names.size()));
    f_Group = 0;
    f_Entries.clear();
    const TMonster* player = f_Main.Player();
    if (!player)
        return refresh();
    const TSpells_List& spells = player->Spells;
    if (f_Page == int32_t(f_Page_Names.size())) {
        // Scrolls: the inventory slots that hold one.
        if (Current_Map)
            for (int32_t slot = 1; slot <= Last_Backpack_Slot; ++slot)
                if (const TItem* item = player->Inventory.Get_In_Slot(slot, Current_Map->Item_List))
                    if (item->Get_Type() == TItem_Type::Scroll)
                        f_Entries.push_back({uint8_t(TQuick_Slot_Kind::Scroll), uint16_t(slot)});
    } else if (const TClass_Info* info = player->Get_Class()) {
        const int32_t group = f_Page_Groups[size_t(f_Page - 1)];
        for (int32_t i = 1; i <= spells.Count(); ++i) {
            const TSpell* spell = Master_Spells.Get(spells.Get_Spell(i));
            if (!spell || spell->Is_Passive() || spells.Get_Learnt_Level_At(i) == 0)
                continue;
            const TClass_Spell* entry = info->Find_Spell(spell->Name);
            if (entry && entry->Group == group)
                f_Entries.push_back({uint8_t(TQuick_Slot_Kind::Spell), spell->Number});
        }
    }
    refresh();
}

void TDC_Dlg_Spells_Select::Set_Group(int32_t group) {
    const int32_t groups = std::max<int32_t>(
        1, (int32_t(f_Entries.size()) + Entries_Per_Group - 1) / Entries_Per_Group);
    f_Group = std::clamp<int32_t>(group, 0, groups - 1);
    refresh();
}

void TDC_Dlg_Spells_Select::Select_Slot(int32_t slot) {
    if (slot >= 1 && slot <= 10)
        f_Slot = slot;
    refresh();
}

bool TDC_Dlg_Spells_Select::Assign_Entry(int32_t n) {
    TMonster* player = f_Main.Player();
    if (!player || n < 0 || n >= int32_t(f_Entries.size()))
        return false;
    const TQuick_Slot entry = f_Entries[size_t(n)];
    player->Spells.Set_Quick_Slot(f_Slot, entry.Kind, entry.Value);
    f_Main.Refresh_Spell_Buttons();
    refresh();
    return true;
}

void TDC_Dlg_Spells_Select::refresh() {
    const TMonster* player = f_Main.Player();
    auto show = [](TDC_Spell_Button& b, const TQuick_Slot& q, const TMonster* owner) {
        if (q.Kind == uint8_t(TQuick_Slot_Kind::Spell))
            b.Show_Spell(Master_Spells.Get(q.Value) ? q.Value : 0);
        else if (q.Kind == uint8_t(TQuick_Slot_Kind::Scroll) && owner && Current_Map)
            b.Show_Item(Item_Ref(Current_Map->Item_List, owner->Inventory.Get_Number_In_Slot(
                                                             q.Value, Current_Map->Item_List)));
        else
            b.Show_Nothing();
    };
    for (int k = 1; k <= 10; ++k) {
        TDC_Spell_Button& b = *f_Slot_Buttons[size_t(k - 1)];
        const TQuick_Slot q = player ? player->Spells.Get_Quick_Slot(k) : TQuick_Slot{};
        show(b, q, player);
        b.f_Frame_Column = k == f_Slot ? 2 : q.Kind != 0 ? 1 : 0;
    }
    for (int n = 0; n < Entries_Per_Group; ++n) {
        TDC_Spell_Button& b = *f_Entry_Buttons[size_t(n)];
        const size_t index = size_t(f_Group * Entries_Per_Group + n);
        b.Set_Visible(index < f_Entries.size());
        show(b, index < f_Entries.size() ? f_Entries[index] : TQuick_Slot{}, player);
    }
    const int32_t pages = int32_t(f_Page_Names.size());
    f_Left_Arrow->f_Enabled = f_Page > 1;
    f_Right_Arrow->f_Enabled = f_Page < pages;
    f_Marker_Left->Set_Visible(f_Group > 0);
    f_Marker_Right->Set_Visible(size_t((f_Group + 1) * Entries_Per_Group) < f_Entries.size());
}

void TDC_Dlg_Spells_Select::Handle_KeyDown(uint16_t& Key, TShift_State) {
    if (Key == VK_ESCAPE) {
        Set_Kill_Object(true);
        f_Key_Handled = true;
    }
}

void TDC_Dlg_Spells_Select::Handle_Draw(int Buffer) {
    if (f_Background >= 0)
        Copy_Rect_Transparent(0, 306, 0, 449, f_X, f_Y + 449, f_Background, Buffer);
    Text_Begin(Buffer);
    Set_Font(6);
    Set_Text_Colour(10, 10, 10);
    Set_Justify(2, 2);
    Print_At(f_X + Get_Width() / 2, f_Y + 42, "Spell/Skill Selection");
    // The page's name between its arrows.
    Set_Font(2);
    Set_Text_Colour(255, 255, 255);
    Print_At(f_X + Get_Width() / 2, f_Y + 368, f_Page_Names[size_t(f_Page - 1)]);
    Text_End();
}

void TDC_Dlg_Spells_Select::Reposition() {
    for (int k = 0; k < 10; ++k)
        f_Slot_Buttons[size_t(k)]->Set_Position("Spell Button " + std::to_string(k + 1),
                                                f_X + 49 + 40 * (k % 5), f_Y + 60 + 40 * (k / 5),
                                                false);
    for (int n = 0; n < Entries_Per_Group; ++n)
        f_Entry_Buttons[size_t(n)]->Set_Position("Entry " + std::to_string(n + 1),
                                                 f_X + entry_places[n][0], f_Y + entry_places[n][1],
                                                 false);
    f_Left_Arrow->Set_Position("Left Arrow", f_X + 40, f_Y + 354, false);
    f_Right_Arrow->Set_Position("Right Arrow", f_X + 239, f_Y + 354, false);
    f_Marker_Left->Set_Position("Page Marker Left", f_X + 112, f_Y + 309, false);
    f_Marker_Right->Set_Position("Page Marker Right", f_X + 160, f_Y + 309, false);
    f_Close_Button->Set_Position("Close Button", f_X + 256, f_Y + 393, false);
}
