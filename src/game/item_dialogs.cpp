#include "game/item_dialogs.h"

#include <memory>

#include "game/dlg_chest.h"
#include "game/dlg_give_item.h"
#include "game/dlg_spells_add.h"
#include "game/dlg_spells_select.h"
#include "game/dlg_store.h"
#include "game/main_screen.h"
#include "game/win_inventory.h"
#include "game/win_stats.h"
#include "rules/monster.h"
#include "world/map.h"

namespace {

// The store, chest and give-item dialogs work beside the inventory window.
void show_inventory(TDC_Main& main) {
    if (TDisplay_Class* window = main.Open_Game_Dialog("Win Inventory", false))
        window->Set_Visible(true);
}

// The creature talked to, when it is still on the map.
TMonster* talk_partner(TDC_Main& main) {
    return Current_Map ? main.Talk_Partner.Resolve(Current_Map->Monster_List) : nullptr;
}

} // namespace

void Register_Item_Dialogs() {
    Register_Game_Dialog("Win Inventory", [](TDC_Main& main) -> std::unique_ptr<TDisplay_Class> {
        return std::make_unique<TDC_Win_Inventory>(main);
    });
    Register_Game_Dialog("Win Stats", [](TDC_Main& main) -> std::unique_ptr<TDisplay_Class> {
        return std::make_unique<TDC_Win_Stats>(main);
    });
    Register_Game_Dialog("Dlg Store", [](TDC_Main& main) -> std::unique_ptr<TDisplay_Class> {
        const TMonster* keeper = talk_partner(main);
        if (!main.Player() || !keeper || !Current_Map->Get_Store(keeper->Store_Number))
            return nullptr;
        show_inventory(main);
        auto dialog = std::make_unique<TDC_Dlg_Store>(main);
        dialog->Set_Store(main.Talk_Partner, keeper->Store_Number);
        return dialog;
    });
    Register_Game_Dialog("Dlg Chest", [](TDC_Main& main) -> std::unique_ptr<TDisplay_Class> {
        if (!main.Player())
            return nullptr;
        show_inventory(main);
        auto dialog = std::make_unique<TDC_Dlg_Chest>(main);
        dialog->Set_Chest(main.Chest_X, main.Chest_Y);
        return dialog;
    });
    Register_Game_Dialog("Dlg GiveItem", [](TDC_Main& main) -> std::unique_ptr<TDisplay_Class> {
        if (!main.Player() || !talk_partner(main))
            return nullptr;
        show_inventory(main);
        auto dialog = std::make_unique<TDC_Dlg_GiveItem>(main);
        dialog->Set_Creature(main.Talk_Partner);
        return dialog;
    });
    Register_Game_Dialog("Spells Add Dlg", [](TDC_Main& main) -> std::unique_ptr<TDisplay_Class> {
        if (!main.Player())
            return nullptr;
        return std::make_unique<TDC_Dlg_Spells_Add>(main);
    });
    Register_Game_Dialog("Spells Select Dlg",
                         [](TDC_Main& main) -> std::unique_ptr<TDisplay_Class> {
                             if (!main.Player())
                                 return nullptr;
                             return std::make_unique<TDC_Dlg_Spells_Select>(main);
                         });
}
