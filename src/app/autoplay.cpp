#include "app/autoplay.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <deque>
#include <map>
#include <set>

#include "app/headless_game.h"
#include "app/tool_options.h"
#include "game/dlg_conversation.h"
#include "game/dlg_give_item.h"
#include "game/dlg_spells_add.h"
#include "game/dlg_spells_select.h"
#include "game/dlg_statistics.h"
#include "game/dlg_store.h"
#include "game/dlg_talk.h"
#include "game/win_inventory.h"
#include "platform/files.h"
#include "presentation/display_object.h"
#include "presentation/map_view.h"
#include "presentation/virtual_keys.h"
#include "rules/class_info.h"
#include "rules/combat.h"
#include "rules/spells.h"
#include "shell/enums.h"
#include "shell/globals.h"
#include "shell/helpers.h"
#include "world/actions.h"
#include "world/map.h"
#include "world/module.h"
#include "world/terrain.h"

namespace {

constexpr int32_t Cells = Map_Size * Map_Size;
int32_t cell(int32_t x, int32_t y) {
    return (x - 1) * Map_Size + (y - 1);
}
int32_t cell_x(int32_t c) {
    return c / Map_Size + 1;
}
int32_t cell_y(int32_t c) {
    return c % Map_Size + 1;
}
constexpr std::array<int32_t, 8> step_dx = {0, 1, 1, 1, 0, -1, -1, -1};
constexpr std::array<int32_t, 8> step_dy = {-1, -1, 0, 1, 1, 1, 0, -1};

// What a step into the square does for a walker who knows its terrain: walks on, or
// opens (a door, a secret door found, a door to bash).
bool walkable_terrain(const TTerrain& terrain, uint8_t mask) {
    if (terrain.Has_Movement_Flag(mask))
        return true;
    const auto action = TTerrain_Action(terrain.Next_Terrain_Action);
    return !terrain.Display_Chest_Window &&
           (action == TTerrain_Action::Open || action == TTerrain_Action::Bash_Door ||
            action == TTerrain_Action::Open_Secret);
}

// What an item is worth to its owner, one of a stack.
int32_t worth(const TItem& item) {
    return item.Get_Gold_Value() / std::max<int32_t>(1, item.Count_Of_Items());
}

bool is_ranged(const TItem& item) {
    return item.Damage.Maximum_Range > 1;
}

// Equipment the character may swap for something worth more: a hand keeps its kind (a
// bow for a bow, a shield for a shield, a blade for a blade).
bool same_kind(const TItem& item, const TItem* worn, int32_t slot) {
    if (slot != First_Hand_Slot && slot != Second_Hand_Slot)
        return true;
    const TItem_Type type = item.Get_Type();
    if (type == TItem_Type::Misc || type == TItem_Type::Ammo)
        return false;
    if (!worn)
        return slot == First_Hand_Slot ? type != TItem_Type::Shield && !is_ranged(item)
                                       : type == TItem_Type::Shield;
    return type == worn->Get_Type() && is_ranged(item) == is_ranged(*worn);
}

// A creature the character talks to rather than fights (what a click on it shows).
bool talks(const TMonster& creature) {
    return !creature.Talk_Topic_Names.empty() || creature.Store_Number != 0;
}

class TAutoplayer {
  public:
    TAutoplayer(THeadless_Screen& game, const TAutoplay_Options& options, TAutoplay_Run& run,
                std::FILE* log)
        : game_(game), options_(options), run_(run), log_(log) {}

    void Play() {
        screen_ = game_.Screen();
        host_ = game_.Host();
        for (uint64_t tick = 1; tick <= options_.Max_Ticks; ++tick) {
            run_.Ticks = tick;
            if (Finished())
                return;
            if (!Handle_Dialogs())
                Act();
            if (options_.Trace && log_ && tick % 20 == 0)
                Trace();
            host_->Timer_Tick();
            if (Stalled())
                return;
        }
        Finish("out of time");
    }

  private:
    TMonster* player() const { return screen_->Player(); }
    int32_t map_number() const { return Current_Module ? Current_Module->Current_Map : 0; }

    void Finish(const std::string& outcome) {
        run_.Outcome = outcome;
        if (const TMonster* p = player()) {
            run_.Gold = p->Gold;
            run_.Character_Level = p->Level;
        }
        Note_Quests();
    }

    void Note_Quests() {
        if (!Current_Module)
            return;
        run_.Quests_Done.clear();
        for (int32_t q = 1; q <= Current_Module->Quests.Count(); ++q)
            if (const TModule_Quest* quest = Current_Module->Quests.Get_Quest(q);
                quest && quest->Completed)
                run_.Quests_Done.push_back(quest->Name);
    }

    bool Won() const {
        if (!Current_Module)
            return false;
        for (int32_t q = 1; q <= Current_Module->Quests.Count(); ++q)
            if (const TModule_Quest* quest = Current_Module->Quests.Get_Quest(q);
                quest && quest->Game_Over && quest->Completed)
                return true;
        return false;
    }

    // Death, the end of the adventure, the map asked for; and a line per level entered.
    bool Finished() {
        if (screen_->Shown("Dlg Dead") || (!player() && screen_->Game_Running)) {
            const TDeath_Report& death = screen_->Death_Report;
            run_.Death_Cause = death.Cause.empty() ? death.Killer_Name : death.Cause;
            if (!death.Killer_Name.empty())
                run_.Death_Cause += ", level " + std::to_string(death.Killer_Level);
            run_.Character_Level = death.Level;
            run_.Gold = std::max(0, last_gold_);
            Note_Quests();
            run_.Outcome = "died";
            return true;
        }
        if (Won() || !screen_->Game_Running) {
            Finish(Won() ? "won" : "ended");
            return true;
        }
        TMonster* p = player();
        if (!p || !Current_Map)
            return false;
        const int32_t map = map_number();
        if (map != current_map_ || Current_Map.get() != map_object_) {
            if (map != current_map_) {
                run_.Levels.push_back({map, Current_Map->Display_Name, run_.Ticks, p->Level});
                // Only a map never reached before is progress: going back and forth
                // between two maps gains nothing.
                if (map > run_.Deepest_Map)
                    Progress();
                run_.Deepest_Map = std::max(run_.Deepest_Map, map);
                if (log_)
                    std::fprintf(log_, "autoplay: map %d \"%s\" entered at %s, level %d\n", map,
                                 Current_Map->Display_Name.c_str(),
                                 Game_Time_Text(run_.Ticks).c_str(), int(p->Level));
            }
            if (map == 1)
                going_up_ = false;
            else if (current_map_ == 1) {
                gold_after_town_ = p->Gold;
                left_town_at_ = run_.Ticks;
            }
            current_map_ = map;
            map_object_ = Current_Map.get();
            blocked_.clear();
            locked_.clear();
            bumps_.clear();
            exhausted_.clear();
            ignored_items_.clear();
            vain_lines_.clear();
            seen_ = &seen_by_map_[map];
            if (seen_->empty())
                seen_->assign(size_t(Cells), false);
            fighting_serial_ = 0;
            shopped_.clear();
            last_drawn_ = -1;
        }
        if (options_.Stop_At_Map > 0 && map >= options_.Stop_At_Map) {
            Finish("stopped");
            return true;
        }
        return false;
    }

    void Progress() { last_progress_ = run_.Ticks; }

    void Trace() const {
        const TMonster* p = player();
        if (!p)
            return;
        std::fprintf(
            log_,
            "autoplay: %s map %d (%d, %d) level %d health %.0f/%.0f mana %.0f/%.0f "
            "hunger %.0f/%.0f food %d potions %d mana potions %d arrows %d keys %d light %d "
            "gold %d: %s\n",
            Game_Time_Text(run_.Ticks).c_str(), map_number(), int(p->X), int(p->Y), int(p->Level),
            double(p->Health), double(p->Maximum_Health), double(p->Mana), double(p->Maximum_Mana),
            double(p->Hunger), double(p->Maximum_Hunger), Carried(TConsumption_Type::Food),
            Carried(TConsumption_Type::Health), Carried(TConsumption_Type::Mana), Ammo_Carried(),
            Keys_Carried(), int(p->Light_Radius), int(p->Gold), last_plan_.c_str());
    }

    bool Stalled() {
        TMonster* p = player();
        if (!p)
            return false;
        if (p->Experience != last_experience_ || p->Level != last_level_ || p->Gold != last_gold_) {
            last_experience_ = p->Experience, last_level_ = p->Level, last_gold_ = p->Gold;
            Progress();
        }
        if (run_.Ticks - last_progress_ < options_.Stall_Ticks)
            return false;
        run_.Stall_Reason = "nothing gained for " + Game_Time_Text(options_.Stall_Ticks) +
                            " on map " + std::to_string(map_number()) + " at (" +
                            std::to_string(p->X) + ", " + std::to_string(p->Y) + "): " + last_plan_;
        if (options_.Trace && log_)
            Trace_Surroundings(*p);
        Finish("stalled");
        return true;
    }

    // The squares around the character as it knows them, a row of text each: @ the
    // character, ? unknown, # not walkable, . reached, , walkable but not reached, M a
    // creature, E a connection, B given up, L locked, x a frontier that showed nothing.
    void Trace_Surroundings(const TMonster& p) {
        Search();
        const uint8_t mask = Movement_Mask_Of(p);
        for (int32_t y = p.Y - 12; y <= p.Y + 12; ++y) {
            std::string row;
            for (int32_t x = p.X - 20; x <= p.X + 20; ++x) {
                const TMap_Square* square = Current_Map->Get_Square(x, y);
                const TTerrain* terrain = square ? square->Get_Terrain(*Current_Map) : nullptr;
                const int32_t c = cell(x, y);
                row += !square                                         ? ' '
                       : x == p.X && y == p.Y                          ? '@'
                       : !Known(x, y)                                  ? '?'
                       : blocked_.count(c)                             ? 'B'
                       : locked_.count(c)                              ? 'L'
                       : square->Is_Entrance()                         ? 'E'
                       : square->Monster && Creature_Shown(x, y)       ? 'M'
                       : !terrain || !walkable_terrain(*terrain, mask) ? '#'
                       : exhausted_.count(c)                           ? 'x'
                       : distance_[size_t(c)] >= 0                     ? '.'
                                                                       : ',';
            }
            std::fprintf(log_, "autoplay:   %s\n", row.c_str());
        }
    }

    // ---- dialogs, through their controls ----

    bool Handle_Dialogs() {
        if (auto* talk = dynamic_cast<TDC_Dlg_Talk*>(screen_->Shown("Dlg Talk"))) {
            int32_t press = 5;
            const TMonster* partner = screen_->Talk_Partner.Resolve(Current_Map->Monster_List);
            const bool new_partner = partner && !talked_.count(partner->Name);
            for (int32_t n = 1; n <= 4; ++n) {
                const std::string& caption = talk->f_Buttons[size_t(n - 1)]->f_Caption;
                if (caption == "Talk" && new_partner)
                    press = n;
                else if (caption == "Purchase Items" && !new_partner && Wants_To_Shop() &&
                         partner && !shopped_.count(partner->Name))
                    press = n;
            }
            // A quest item for the partner; one that takes nothing is not asked again.
            if (const int32_t gift = partner ? Quest_Gift(*player(), partner->Name) : 0) {
                bool takes = false;
                for (int32_t n = 1; n <= 4; ++n)
                    if (talk->f_Buttons[size_t(n - 1)]->f_Caption == "Give Items")
                        press = n, takes = true;
                if (!takes)
                    if (const TItem* item =
                            player()->Inventory.Get_In_Slot(gift, Current_Map->Item_List))
                        gifts_given_.insert(item->Name + "\n" + partner->Name);
            }
            if (partner)
                talked_.insert(partner->Name);
            Press(talk->f_Buttons[size_t(press - 1)], "the talk menu's button");
            if (screen_->Shown("Dlg Talk") == talk)
                host_->Key_Down(VK_ESCAPE);
            return true;
        }
        if (auto* conversation =
                dynamic_cast<TDC_Dlg_Conversation*>(screen_->Shown("Dlg Conversation"))) {
            // Every topic once, as a player reads what a new face has to say.
            const TMonster* partner = screen_->Talk_Partner.Resolve(Current_Map->Monster_List);
            const int32_t topics = partner ? int32_t(partner->Talk_Topic_Names.size()) : 0;
            for (int32_t n = 1; n <= topics; ++n)
                Choose_Topic(*conversation, n);
            host_->Key_Down(VK_ESCAPE);
            return true;
        }
        if (auto* store = dynamic_cast<TDC_Dlg_Store*>(screen_->Shown("Dlg Store"))) {
            Shop(*store);
            if (const TMonster* keeper = screen_->Talk_Partner.Resolve(Current_Map->Monster_List))
                shopped_.insert(keeper->Name);
            Press(store->f_Close_Button, "the store's close button");
            if (screen_->Shown("Dlg Store") == store)
                host_->Key_Down(VK_ESCAPE);
            // The inventory window beside the store is put away with it; one still
            // shown is closed too.
            if (const TDisplay_Class* window = screen_->Shown("Win Inventory");
                window && window->f_Visible)
                host_->Key_Down('I');
            return true;
        }
        if (auto* give = dynamic_cast<TDC_Dlg_GiveItem*>(screen_->Shown("Dlg GiveItem"))) {
            Give(*give);
            host_->Key_Down(VK_ESCAPE);
            return true;
        }
        for (const char* name : {"Dlg Module Text", "Message Dlg", "Error List Dlg", "Dlg Chest",
                                 "Dlg Store", "Dlg GiveItem", "Statistics Dlg", "Spells Add Dlg",
                                 "Spells Select Dlg", "Quests Dlg", "Game Menu"})
            if (screen_->Shown(name)) {
                host_->Key_Down(VK_ESCAPE);
                if (screen_->Shown(name))
                    host_->Key_Down(VK_RETURN);
                return true;
            }
        // Something else holds the game (a window this player does not use): closed.
        if (screen_->Actions_Disabled && run_.Ticks >= escaped_at_ + 20) {
            escaped_at_ = run_.Ticks;
            host_->Key_Down(VK_ESCAPE);
        }
        return screen_->Actions_Disabled;
    }

    // The quest items the creature waits for, from the backpack onto the first free
    // cell of the give dialog.
    void Give(TDC_Dlg_GiveItem& give) {
        const TMonster* partner = screen_->Talk_Partner.Resolve(Current_Map->Monster_List);
        TMonster* p = player();
        TDC_Win_Inventory* window = p && partner ? Open_Inventory() : nullptr;
        for (int32_t slot = 0; window && (slot = Quest_Gift(*p, partner->Name)) != 0;) {
            const TItem* item = p->Inventory.Get_In_Slot(slot, Current_Map->Item_List);
            gifts_given_.insert(item->Name + "\n" + partner->Name);
            int x = 0, y = 0;
            if (!Pick_From_Backpack(*window, slot) ||
                !give.Cell_Point(int(give.Given().size()), x, y))
                break;
            Press_Left(x, y);
            if (screen_->Cursor_Item.Is_Holding())
                Stash(*window);
        }
        if (screen_->Shown("Win Inventory"))
            host_->Key_Down('I');
    }

    // Food and health potions carried.
    int32_t Carried(TConsumption_Type type) const {
        const TMonster* p = player();
        int32_t count = 0;
        for (int32_t slot = First_Backpack_Slot; p && slot <= Last_Backpack_Slot; ++slot)
            if (const TItem* item = Current_Map->Item_List.Get(
                    p->Inventory.Get_Number_In_Slot(slot, Current_Map->Item_List));
                item && item->Consumption_Type == uint8_t(type))
                count += std::max(1, int32_t(item->Count_Of_Items()));
        return count;
    }

    // Arrows (or whatever the weapon in hand shoots) carried; -1 without such a weapon.
    int32_t Ammo_Carried() const {
        const TMonster* p = player();
        const TItem* weapon = Ranged_Weapon();
        if (!weapon)
            return -1;
        int32_t count = 0;
        for (int32_t slot = 1; slot <= Last_Backpack_Slot; ++slot)
            if (const TItem* item = p->Inventory.Get_In_Slot(slot, Current_Map->Item_List);
                item && Same_Name(item->Ammo_Kind, weapon->Ammo_Required))
                count += item->Quantity;
        return count;
    }

    // The bow the character shoots with: the one in hand, else the best in the backpack
    // (put away while there are no arrows for it).
    const TItem* Ranged_Weapon() const {
        const TMonster* p = player();
        if (!p)
            return nullptr;
        const TItem* held = p->Inventory.Get_In_Slot(First_Hand_Slot, Current_Map->Item_List);
        if (held && is_ranged(*held) && !held->Ammo_Required.empty())
            return held;
        if (!bow_put_away_)
            return nullptr;
        const TItem* best = nullptr;
        for (int32_t slot = First_Backpack_Slot; slot <= Last_Backpack_Slot; ++slot) {
            const TItem* item = p->Inventory.Get_In_Slot(slot, Current_Map->Item_List);
            if (item && is_ranged(*item) && !item->Ammo_Required.empty() &&
                Equip_Slot_Of_Type(item->Get_Type()) == First_Hand_Slot &&
                (!best || worth(*item) > worth(*best)))
                best = item;
        }
        return best;
    }

    // Out of arrows, a bow is put away for the best blade in the backpack; with arrows
    // again, the bow comes back. The backpack slot to take into the hand, or 0.
    int32_t Weapon_To_Swap(const TMonster& p) const {
        const TItem* held = p.Inventory.Get_In_Slot(First_Hand_Slot, Current_Map->Item_List);
        const bool shooting = held && is_ranged(*held);
        const int32_t ammo = Ammo_Carried();
        if (shooting == (ammo != 0) || ammo < 0)
            return 0;
        int32_t best = 0, best_worth = -1;
        for (int32_t slot = First_Backpack_Slot; slot <= Last_Backpack_Slot; ++slot) {
            const uint16_t number = p.Inventory.Get_Number_In_Slot(slot, Current_Map->Item_List);
            const TItem* item = Current_Map->Item_List.Get(number);
            if (!item || Equip_Slot_Of_Type(item->Get_Type()) != First_Hand_Slot ||
                item->Get_Type() == TItem_Type::Shield || is_ranged(*item) != !shooting ||
                worth(*item) <= best_worth ||
                !p.Inventory.Can_Place_In_Slot(number, First_Hand_Slot, Current_Map->Item_List, &p,
                                               p.Has_Two_Weapons()))
                continue;
            best = slot, best_worth = worth(*item);
        }
        return best;
    }

    // Keys for the doors: the town's outfitter sells them, and each opens one lock.
    int32_t Keys_Carried() const {
        const TMonster* p = player();
        int32_t count = 0;
        for (int32_t slot = 1; p && slot <= Last_Backpack_Slot; ++slot)
            if (const TItem* item = p->Inventory.Get_In_Slot(slot, Current_Map->Item_List);
                item && Same_Name(item->Key_Group, "Iron Key"))
                count += item->Count_Of_Items();
        return count;
    }

    static bool Is_Light(const TItem& item, int32_t radius) {
        return item.Get_Type() == TItem_Type::Misc && item.Light_Radius >= radius &&
               item.Light_Turns > 0;
    }

    // Lights at least this bright carried, in the backpack or in hand.
    int32_t Lights_Carried(int32_t radius) const {
        const TMonster* p = player();
        int32_t count = 0;
        for (int32_t slot = 1; p && slot <= Last_Backpack_Slot; ++slot)
            if (const TItem* item = p->Inventory.Get_In_Slot(slot, Current_Map->Item_List);
                item && Is_Light(*item, radius))
                ++count;
        return count;
    }

    // The weapon in hand leaves the other hand free for a light.
    bool Can_Hold_Light() const {
        const TMonster* p = player();
        const TItem* weapon =
            p ? p->Inventory.Get_In_Slot(First_Hand_Slot, Current_Map->Item_List) : nullptr;
        return p && (!weapon || weapon->Hands_Required < 2);
    }

    int32_t Potions_Wanted() const {
        const TMonster* p = player();
        return p ? std::clamp(4 + p->Gold / 150, 4, 10) : 0;
    }

    bool Wants_To_Shop() const {
        const TMonster* p = player();
        const int32_t ammo = Ammo_Carried();
        return p && p->Gold >= 5 &&
               (Carried(TConsumption_Type::Food) < 4 ||
                Carried(TConsumption_Type::Health) < Potions_Wanted() || (ammo >= 0 && ammo < 60) ||
                (wants_keys_ && Keys_Carried() < 2) || (Keys_Carried() == 0 && p->Gold >= 30));
    }

    // Out of food, potions or arrows deep down, with gold to buy more.
    bool Needs_Town() const {
        const TMonster* p = player();
        // A few minutes below the town before going back up.
        if (!p || map_number() <= 1 || run_.Ticks < left_town_at_ + 3600)
            return false;
        // A bow without arrows is no weapon at all.
        const int32_t ammo = Ammo_Carried();
        if (ammo >= 0 && ammo < 25 && p->Gold >= 30)
            return true;
        // Nor can a character live without food.
        if (Carried(TConsumption_Type::Food) == 0 && p->Hunger < p->Maximum_Hunger / 3 &&
            p->Gold >= 10)
            return true;
        // Gold enough to buy something more than on the last trip.
        if (p->Gold < 40 || p->Gold < gold_after_town_ + 30)
            return false;
        // With gold to spare, a last potion is not waited for.
        const int32_t potions = Carried(TConsumption_Type::Health);
        return (Carried(TConsumption_Type::Food) == 0 && p->Hunger < p->Maximum_Hunger / 2) ||
               potions == 0 || (potions < 2 && p->Gold >= 150) || (ammo >= 0 && ammo < 10) ||
               (Spell_Fighter(*p) && Carried(TConsumption_Type::Mana) == 0 && p->Gold >= 150) ||
               (wants_keys_ && Keys_Carried() == 0);
    }

    // Short of potions at the way down, with the gold to buy them: the town first.
    bool Stock_Up_Before_Going_Down() const {
        const TMonster* p = player();
        const int32_t ammo = Ammo_Carried();
        return p && map_number() > 1 && run_.Ticks >= left_town_at_ + 3600 && p->Gold >= 100 &&
               (Carried(TConsumption_Type::Health) < 4 || (ammo >= 0 && ammo < 100) ||
                (Spell_Fighter(*p) && Carried(TConsumption_Type::Mana) < 2));
    }

    // Sells what the character will not wear; buys food, health potions, arrows for a
    // bow, keys once a locked door was met, then better gear, while the gold lasts.
    void Shop(TDC_Dlg_Store& store) {
        TDC_Win_Inventory* window = Open_Inventory();
        if (!window)
            return;
        Sell_Spare(store, *window);
        const TMonster* p = player();
        // The strongest draughts while the gold is plentiful.
        if (p && p->Gold >= 300)
            Buy_Up_To(
                store, *window,
                [](const TItem& item) {
                    return item.Consumption_Type == uint8_t(TConsumption_Type::Health) &&
                           item.Consumption_Value >= 60;
                },
                [this] { return Carried(TConsumption_Type::Health); }, Potions_Wanted());
        const int32_t mana_potions = p && Caster(*p) ? std::clamp(p->Gold / 200, 2, 6) : 0;
        for (const auto& [type, wanted] : {std::pair{TConsumption_Type::Food, 5},
                                           std::pair{TConsumption_Type::Health, Potions_Wanted()},
                                           std::pair{TConsumption_Type::Mana, mana_potions}})
            Buy_Up_To(
                store, *window,
                [type](const TItem& item) { return item.Consumption_Type == uint8_t(type); },
                [this, type] { return Carried(type); }, wanted);
        // A key or two against the locked doors below (more once one was met), before
        // the arrows take the last of the gold.
        if (p && (wants_keys_ || p->Gold >= 30)) {
            Buy_Up_To(
                store, *window,
                [](const TItem& item) { return Same_Name(item.Key_Group, "Iron Key"); },
                [this] { return Keys_Carried(); }, wants_keys_ ? 4 : 2);
            if (Keys_Carried() > 0)
                key_trips_ = 0;
        }
        // Arrows: sixty whatever they cost; more while the gold left would still buy
        // the potions wanted (they may be sold elsewhere).
        if (const TItem* weapon = Ranged_Weapon()) {
            const auto arrows = [weapon](const TItem& item) {
                return Same_Name(item.Ammo_Kind, weapon->Ammo_Required);
            };
            Buy_Up_To(
                store, *window, arrows, [this] { return Ammo_Carried(); }, 60);
            const int32_t reserve =
                40 * std::max(0, Potions_Wanted() - Carried(TConsumption_Type::Health));
            Buy_Up_To(
                store, *window, arrows,
                [this, reserve] {
                    const TMonster* q = player();
                    return q && q->Gold >= reserve ? Ammo_Carried() : 1 << 20;
                },
                200);
        }
        // An antidote or two once the gold allows.
        if (p && p->Gold >= 60)
            Buy_Up_To(
                store, *window,
                [](const TItem& item) {
                    return item.Consumption_Type == uint8_t(TConsumption_Type::Cure_Poison);
                },
                [this] { return Carried(TConsumption_Type::Cure_Poison); }, p->Gold >= 150 ? 2 : 1);
        if (Can_Hold_Light()) {
            // A lantern outlasts many torches; torches while the gold is short.
            if (p && p->Gold >= 150)
                Buy_Up_To(
                    store, *window, [](const TItem& item) { return Is_Light(item, 4); },
                    [this] { return Lights_Carried(4); }, 1);
            Buy_Up_To(
                store, *window, [](const TItem& item) { return Is_Light(item, 1); },
                [this] { return Lights_Carried(1); }, 2);
        }
        Buy_Gear(store, *window);
        host_->Key_Down('I');
    }

    // Buys, category by category, the items that match while fewer than limit are
    // carried; each goes from the pointer into a free cell of the backpack.
    template <typename TMatch, typename TCount>
    void Buy_Up_To(TDC_Dlg_Store& store, TDC_Win_Inventory& window, TMatch matches, TCount carried,
                   int32_t limit) {
        for (int32_t category = 1; category <= int32_t(store.Captions().size()); ++category) {
            if (!Select_Category(store, category))
                continue;
            bool bought = true;
            while (bought && carried() < limit) {
                bought = false;
                const std::vector<uint16_t> shown = store.Shown_Items();
                for (size_t cell = 0; cell < shown.size() && !bought; ++cell) {
                    const TItem* item = Current_Map->Item_List.Get(shown[cell]);
                    if (item && matches(*item) && Click_Store_Cell(store, int(cell)))
                        bought = Stash(window);
                }
            }
        }
    }

    // The equipment slot an item would better, and by how much; 0 when none.
    int32_t Better_Slot(const TMonster& p, uint16_t number, int32_t& gain) const {
        const TItem* item = Current_Map->Item_List.Get(number);
        gain = 0;
        if (!item)
            return 0;
        int32_t best = 0;
        for (int32_t slot = 1; slot < First_Backpack_Slot; ++slot) {
            const TItem* worn = p.Inventory.Get_In_Slot(slot, Current_Map->Item_List);
            if (!same_kind(*item, worn, slot) ||
                !p.Inventory.Can_Place_In_Slot(number, slot, Current_Map->Item_List, &p,
                                               p.Has_Two_Weapons()))
                continue;
            const int32_t g = worth(*item) - (worn ? worth(*worn) : 0);
            if (g > gain)
                gain = g, best = slot;
        }
        return best;
    }

    // Weapons and armour the character would not wear are sold; keys, quest items,
    // food, potions, scrolls and arrows are kept.
    void Sell_Spare(TDC_Dlg_Store& store, TDC_Win_Inventory& window) {
        TMonster* p = player();
        for (int32_t slot = First_Backpack_Slot; p && slot <= Last_Backpack_Slot; ++slot) {
            const uint16_t number = p->Inventory.Get_Number_In_Slot(slot, Current_Map->Item_List);
            const TItem* item = Current_Map->Item_List.Get(number);
            if (!item || item->Event_ID != 0 || item->Consumption_Type != 0 ||
                !item->Ammo_Kind.empty() || Equip_Slot_Of_Type(item->Get_Type()) == 0 ||
                item->Get_Type() == TItem_Type::Misc || item->Get_Type() == TItem_Type::Glyph ||
                item->Get_Type() == TItem_Type::Orb)
                continue;
            // The bow put away for want of arrows is kept, and a blade beside a bow,
            // for when the arrows run out.
            if (item == Ranged_Weapon())
                continue;
            const TItem* held = p->Inventory.Get_In_Slot(First_Hand_Slot, Current_Map->Item_List);
            if (held && is_ranged(*held) && !is_ranged(*item) &&
                Equip_Slot_Of_Type(item->Get_Type()) == First_Hand_Slot &&
                item->Get_Type() != TItem_Type::Shield)
                continue;
            int32_t gain = 0;
            if (Better_Slot(*p, number, gain) != 0 || !Pick_From_Backpack(window, slot))
                continue;
            const size_t shown = store.Shown_Items().size();
            if (!Click_Store_Cell(store, int(shown)) || screen_->Cursor_Item.Is_Holding())
                Stash(window);
        }
    }

    // Better weapons and armour than those worn, with gold left for potions.
    void Buy_Gear(TDC_Dlg_Store& store, TDC_Win_Inventory& window) {
        TMonster* p = player();
        // A bow short of arrows keeps the gold for them (the forge may have run out).
        const int32_t ammo = Ammo_Carried();
        const int32_t reserve = 60 + (ammo >= 0 ? 2 * std::max(0, 200 - ammo) : 0);
        for (int32_t category = 1; p && category <= int32_t(store.Captions().size()); ++category) {
            if (!Select_Category(store, category))
                continue;
            const std::vector<uint16_t> shown = store.Shown_Items();
            for (size_t cell = 0; cell < shown.size(); ++cell) {
                const TItem* item = Current_Map->Item_List.Get(shown[cell]);
                int32_t gain = 0;
                if (!item || Better_Slot(*p, shown[cell], gain) == 0 || gain * 5 < worth(*item) ||
                    p->Gold < 2 * worth(*item) + reserve)
                    continue;
                if (Click_Store_Cell(store, int(cell)))
                    Stash(window);
                break; // the shown items have changed
            }
        }
    }

    // The inventory window, opened with its key (I closes it again).
    TDC_Win_Inventory* Open_Inventory() {
        if (const TDisplay_Class* shown = screen_->Shown("Win Inventory");
            !shown || !shown->f_Visible)
            host_->Key_Down('I');
        auto* window = dynamic_cast<TDC_Win_Inventory*>(screen_->Shown("Win Inventory"));
        if (!window || !window->f_Visible) {
            Missed("the inventory key");
            return nullptr;
        }
        return window;
    }

    // A press of a control (a button, a toggle) at its middle; false when it is hidden.
    bool Press(const TDisplay_Class* control, const char* what) {
        if (!control || !control->f_Visible) {
            Missed(what);
            return false;
        }
        Press_Left(control->f_X + control->f_Width / 2, control->f_Y + control->f_Height / 2);
        return true;
    }

    // A press that did not do what it should: the screen's layout and this player
    // disagree. Told on the trace, since the play goes on weaker without it.
    void Missed(const char* what) const {
        if (options_.Trace && log_)
            std::fprintf(log_, "autoplay: %s: the press on %s did nothing\n",
                         Game_Time_Text(run_.Ticks).c_str(), what);
    }

    // Conversation topic n, pressed in the list (paged down to it when needed).
    void Choose_Topic(TDC_Dlg_Conversation& conversation, int32_t n) {
        TDC_List& list = *conversation.f_Topic_List;
        int x = 0, y = 0;
        for (int page = 0; !list.Item_Point(n, x, y) && page < 20; ++page)
            if (!Press(list.f_Down_Button, "the topic list's arrow"))
                return;
        if (!list.Item_Point(n, x, y))
            return Missed("a conversation topic");
        Press_Left(x, y);
        if (list.Get_Selected_Index() != n)
            Missed("a conversation topic");
    }

    // A category toggle of the store.
    bool Select_Category(TDC_Dlg_Store& store, int32_t category) {
        Press(store.f_Toggles[size_t(category - 1)], "a store category");
        if (store.Category() == category)
            return true;
        Missed("a store category");
        return false;
    }

    // A press on a cell of the store's grid: buys its item onto the pointer, or sells
    // the item held into an empty cell. True when an item changed hands.
    bool Click_Store_Cell(TDC_Dlg_Store& store, int cell) {
        int x = 0, y = 0;
        if (!store.Cell_Point(cell, x, y))
            return false;
        const bool held = screen_->Cursor_Item.Is_Holding();
        Press_Left(x, y);
        return screen_->Cursor_Item.Is_Holding() != held;
    }

    // The inventory window's page, through its tab.
    bool Show_Page(TDC_Win_Inventory& window, int32_t page) {
        int x = 0, y = 0;
        if (window.Page() != page && window.Page_Point(page, x, y))
            Press_Left(x, y);
        if (window.Page() == page)
            return true;
        Missed("an inventory page");
        return false;
    }

    // A press and release of the left button at a screen point.
    void Press_Left(int x, int y) {
        host_->Mouse_Move(x, y);
        host_->Mouse_Down(mbLeft, x, y, ssLeft);
        host_->Mouse_Up(mbLeft, x, y);
    }

    // Takes the item of a backpack slot onto the pointer through the inventory window.
    bool Pick_From_Backpack(TDC_Win_Inventory& window, int32_t slot) {
        if (!Show_Page(window, (slot - First_Backpack_Slot) / 20 + 1))
            return false;
        for (int y = 0; y < 600; y += 4)
            for (int x = 0; x < 800; x += 4)
                if (window.Slot_At(x, y) == slot) {
                    Press_Left(x + 8, y + 8);
                    return screen_->Cursor_Item.Is_Holding();
                }
        return false;
    }

    // The best swap of a backpack item for a worn one (or into an empty slot), made
    // with the pointer: the item from the backpack onto the equipment slot of the
    // character panel, and what was worn back into the backpack.
    bool Equip_Better(TMonster& p) {
        if (run_.Ticks < equip_due_ || screen_->Cursor_Item.Is_Holding())
            return false;
        equip_due_ = run_.Ticks + 100;
        int32_t from = Weapon_To_Swap(p), to = First_Hand_Slot, best_gain = 0;
        if (from) {
            const TItem* held = p.Inventory.Get_In_Slot(First_Hand_Slot, Current_Map->Item_List);
            bow_put_away_ = held && is_ranged(*held);
        }
        if (!from)
            from = Light_To_Hold(p), to = Second_Hand_Slot;
        for (int32_t slot = First_Backpack_Slot; slot <= Last_Backpack_Slot && !from; ++slot) {
            const uint16_t number = p.Inventory.Get_Number_In_Slot(slot, Current_Map->Item_List);
            int32_t gain = 0;
            const int32_t into = number ? Better_Slot(p, number, gain) : 0;
            if (into != 0 && gain > best_gain)
                from = slot, to = into, best_gain = gain;
        }
        if (from == 0)
            return false;
        TDC_Win_Inventory* window = Open_Inventory();
        if (!window)
            return false;
        if (Pick_From_Backpack(*window, from)) {
            for (int y = 0; y < 232; y += 2)
                for (int x = 0; x < 176; x += 2)
                    if (TDC_Main::Slot_At(x, y) == to) {
                        Press_Left(x + 2, y + 2);
                        x = y = 1000;
                    }
            if (screen_->Cursor_Item.Is_Holding())
                Stash(*window);
        }
        host_->Key_Down('I');
        last_plan_ = "equipping";
        return true;
    }

    // Below the town the dark hides what shoots from a few squares off: a light (a
    // torch, a lantern) goes into a free hand, or in place of a shield, whenever the
    // weapon leaves a hand for it. The backpack slot of the brightest, or 0.
    int32_t Light_To_Hold(const TMonster& p) const {
        // Not while a two-handed bow waits in the backpack for arrows.
        if (Current_Map->Universal_Light || bow_put_away_)
            return 0;
        const TItem* held = p.Inventory.Get_In_Slot(Second_Hand_Slot, Current_Map->Item_List);
        if (held && (held->Light_Radius > 0 || held->Get_Type() != TItem_Type::Shield))
            return 0;
        int32_t best = 0, brightest = 0;
        for (int32_t slot = First_Backpack_Slot; slot <= Last_Backpack_Slot; ++slot) {
            const uint16_t number = p.Inventory.Get_Number_In_Slot(slot, Current_Map->Item_List);
            const TItem* item = Current_Map->Item_List.Get(number);
            if (item && item->Light_Radius > brightest && Is_Light(*item, 1) &&
                p.Inventory.Can_Place_In_Slot(number, Second_Hand_Slot, Current_Map->Item_List, &p,
                                              p.Has_Two_Weapons()))
                best = slot, brightest = item->Light_Radius;
        }
        return best;
    }

    // The held item into the first free backpack cell of the inventory window.
    bool Stash(TDC_Win_Inventory& window) {
        const TMonster* p = player();
        for (int32_t page = 1; page <= 4 && p; ++page) {
            if (!Show_Page(window, page))
                continue;
            for (int y = 0; y < 600; y += 4)
                for (int x = 0; x < 800; x += 4) {
                    const int32_t slot = window.Slot_At(x, y);
                    if (slot == 0 || p->Inventory.Get_Number_In_Slot(slot, Current_Map->Item_List))
                        continue;
                    Press_Left(x + 8, y + 8);
                    return !screen_->Cursor_Item.Is_Holding();
                }
        }
        return false;
    }

    // Stat points on the class's main attributes, through the statistics dialog.
    bool Spend_Stat_Points(TMonster& p) {
        if (p.Characteristic_Points == 0)
            return false;
        host_->Key_Down('C');
        auto* dialog = dynamic_cast<TDC_Dlg_Statistics*>(screen_->Shown("Statistics Dlg"));
        if (!dialog)
            return false;
        const bool scholar = Caster(p);
        // 1 Strength, 2 Intelligence, 3 Dexterity, 4 Constitution.
        const std::array<int32_t, 4> order =
            scholar ? std::array<int32_t, 4>{2, 4, 2, 3} : std::array<int32_t, 4>{1, 4, 3, 1};
        for (int32_t k = 0; p.Characteristic_Points > 0 && k < 100; ++k)
            if (!Press(dialog->f_Plus_Buttons[size_t(order[size_t(k % 4)] - 1)],
                       "a statistics plus button"))
                break;
        host_->Key_Down(VK_ESCAPE);
        return true;
    }

    // Spell points on the first spells that can be raised, attack spells first.
    bool Spend_Spell_Points(TMonster& p) {
        if (p.Spell_Points == 0 || run_.Ticks < spell_points_due_)
            return false;
        spell_points_due_ = run_.Ticks + 1200;
        host_->Key_Down('S');
        auto* dialog = dynamic_cast<TDC_Dlg_Spells_Add*>(screen_->Shown("Spells Add Dlg"));
        if (!dialog)
            return false;
        // Attack spells first, then the spells that light the dark or sense what
        // hides in it, then the rest.
        for (int pass = 0; pass < 3 && p.Spell_Points > 0; ++pass)
            for (int32_t category = 1;
                 category <= TDC_Dlg_Spells_Add::Categories && p.Spell_Points > 0; ++category) {
                // A category the class does not name has no toggle.
                if (!dialog->f_Toggles[size_t(category - 1)]->f_Visible)
                    continue;
                if (dialog->Category() != category)
                    Press(dialog->f_Toggles[size_t(category - 1)], "a spell category");
                if (dialog->Category() != category) {
                    Missed("a spell category");
                    continue;
                }
                const std::vector<uint16_t> spells = dialog->Shown_Spells();
                for (size_t cell = 0; cell < spells.size() && p.Spell_Points > 0; ++cell) {
                    const TSpell* spell = Master_Spells.Get(spells[cell]);
                    const int kind = !spell                                          ? 2
                                     : spell->Damage.Max > 0 && !spell->Is_Passive() ? 0
                                     : Dark_Effect(*spell) != TEffect_Type(0)        ? 1
                                                                                     : 2;
                    int x = 0, y = 0;
                    if (kind == pass && TDC_Dlg_Spells_Add::Can_Raise(p, spells[cell]) &&
                        dialog->Cell_Point(int(cell), x, y)) {
                        const uint16_t points = p.Spell_Points;
                        Press_Left(x, y);
                        if (p.Spell_Points == points)
                            Missed("a spell");
                    }
                }
            }
        host_->Key_Down(VK_ESCAPE);
        return true;
    }

    // Hungry: food from the backpack is taken onto the pointer in the inventory window
    // and given to the character's picture.
    bool Eat(TMonster& p) {
        if (p.Hunger > p.Maximum_Hunger / 3 || run_.Ticks < eat_due_)
            return false;
        eat_due_ = run_.Ticks + 200;
        return Consume(p, TConsumption_Type::Food);
    }

    // Poisoned (the panel says so), health does not come back: an antidote is drunk.
    bool Cure(TMonster& p) {
        if (p.Condition != uint8_t(TMonster_Status::Poisoned) || run_.Ticks < cure_due_)
            return false;
        cure_due_ = run_.Ticks + 100;
        return Consume(p, TConsumption_Type::Cure_Poison);
    }

    // An item of the kind from the backpack, taken onto the pointer in the inventory
    // window and given to the character's picture.
    bool Consume(TMonster& p, TConsumption_Type type) {
        int32_t found = 0;
        for (int32_t slot = First_Backpack_Slot; slot <= Last_Backpack_Slot && !found; ++slot) {
            const TItem* item = Current_Map->Item_List.Get(
                p.Inventory.Get_Number_In_Slot(slot, Current_Map->Item_List));
            if (item && item->Consumption_Type == uint8_t(type))
                found = slot;
        }
        if (!found || screen_->Cursor_Item.Is_Holding())
            return false;
        TDC_Win_Inventory* window = Open_Inventory();
        if (!window)
            return false;
        if (Pick_From_Backpack(*window, found))
            Press_Left(48, 37); // onto the character's picture
        host_->Key_Down('I');
        return true;
    }

    // An attack spell the character knows goes into a free quick slot, through the
    // quick bar's book.
    bool Set_Quick_Bar(TMonster& p) {
        if (run_.Ticks < quick_bar_due_)
            return false;
        bool missing = false;
        for (int32_t i = 1; i <= p.Spells.Count(); ++i)
            missing = missing || (Wanted_Spell(p, p.Spells.Get_Spell(i)) &&
                                  !In_Quick_Bar(p, p.Spells.Get_Spell(i)));
        if (!missing)
            return false;
        quick_bar_due_ = run_.Ticks + 1200;
        host_->Key_Down('B');
        auto* book = dynamic_cast<TDC_Dlg_Spells_Select*>(screen_->Shown("Spells Select Dlg"));
        if (!book)
            return false;
        int32_t free_slot = 10;
        for (int32_t k = 10; k >= 1; --k)
            if (p.Spells.Get_Quick_Slot(k).Kind == uint8_t(TQuick_Slot_Kind::Empty))
                free_slot = k;
        Press(book->f_Slot_Buttons[size_t(free_slot - 1)], "a quick slot of the book");
        if (book->Selected_Slot() != free_slot)
            Missed("a quick slot of the book");
        bool assigned = false;
        for (int32_t page = 1; page <= int32_t(book->Page_Names().size()) && !assigned; ++page) {
            // The book opens on its first page; the right arrow turns to the next.
            if (book->Page() < page)
                Press(book->f_Right_Arrow, "the book's arrow");
            if (book->Page() != page) {
                Missed("the book's arrow");
                break;
            }
            const std::vector<TQuick_Slot> entries = book->Entries();
            for (size_t n = 0; n < entries.size() && !assigned; ++n)
                if (entries[n].Kind == uint8_t(TQuick_Slot_Kind::Spell) &&
                    Wanted_Spell(p, entries[n].Value) && !In_Quick_Bar(p, entries[n].Value))
                    assigned = Assign_Entry(*book, p, free_slot, int32_t(n));
        }
        host_->Key_Down(VK_ESCAPE);
        return true;
    }

    // What a spell cast on oneself does against the dark: light around the caster, or
    // creatures sensed where it is too dark to see them; 0 for anything else.
    static TEffect_Type Dark_Effect(const TSpell& spell) {
        if (spell.Target_Type != uint8_t(TEffect_Target::Self) || spell.Duration <= 0)
            return TEffect_Type(0);
        for (int32_t i = 1; i <= spell.Effects.Count(); ++i) {
            const auto type = TEffect_Type(spell.Effects.Get_Type(i));
            if (type == TEffect_Type::Light_Radius || type == TEffect_Type::Detect_Evil)
                return type;
        }
        return TEffect_Type(0);
    }

    // Spells the quick bar should hold: attack spells and those against the dark.
    static bool Wanted_Spell(const TMonster& p, uint16_t number) {
        const TSpell* spell = Master_Spells.Get(number);
        return spell && p.Spells.Get_Level(number) > 0 &&
               (Attack_Spell(p, number) || Dark_Effect(*spell) != TEffect_Type(0));
    }

    static bool In_Quick_Bar(const TMonster& p, uint16_t number) {
        for (int32_t k = 1; k <= 10; ++k)
            if (const TQuick_Slot slot = p.Spells.Get_Quick_Slot(k);
                slot.Kind == uint8_t(TQuick_Slot_Kind::Spell) && slot.Value == number)
                return true;
        return false;
    }

    // Below the town, a spell against the dark is cast again once it has worn off,
    // with mana left over for an attack.
    bool Cast_Against_The_Dark(TMonster& p) {
        if (Current_Map->Universal_Light || run_.Ticks < dark_cast_due_)
            return false;
        for (int32_t k = 1; k <= 10; ++k) {
            const TQuick_Slot slot = p.Spells.Get_Quick_Slot(k);
            const TSpell* spell = slot.Kind == uint8_t(TQuick_Slot_Kind::Spell)
                                      ? Master_Spells.Get(slot.Value)
                                      : nullptr;
            if (!spell || p.Spells.Get_Level(slot.Value) == 0)
                continue;
            const TEffect_Type effect = Dark_Effect(*spell);
            if (effect == TEffect_Type(0) || p.Get_Effect_Total(effect) > 0 ||
                p.Mana <
                    spell->Get_Mana_Cost(p.Spells.Get_Level(slot.Value)) + 0.3 * p.Maximum_Mana)
                continue;
            dark_cast_due_ = run_.Ticks + 40;
            if (p.Spells.Get_Selected_Slot() != k)
                host_->Key_Down(uint16_t(VK_F1 + k - 1));
            last_plan_ = "casting " + spell->Name;
            return Click(p.X, p.Y, true);
        }
        return false;
    }

    // Entry n of the book's page into the quick slot chosen, through its button (the
    // page's markers turn to its group of twelve).
    bool Assign_Entry(TDC_Dlg_Spells_Select& book, const TMonster& p, int32_t slot, int32_t n) {
        const int32_t group = n / TDC_Dlg_Spells_Select::Entries_Per_Group;
        for (int k = 0; book.Group() < group && k < 20; ++k)
            Press(book.f_Marker_Right, "the book's page marker");
        if (book.Group() != group) {
            Missed("the book's page marker");
            return false;
        }
        const TQuick_Slot entry = book.Entries()[size_t(n)];
        Press(book.f_Entry_Buttons[size_t(n % TDC_Dlg_Spells_Select::Entries_Per_Group)],
              "an entry of the book");
        const TQuick_Slot now = p.Spells.Get_Quick_Slot(slot);
        if (now.Kind == entry.Kind && now.Value == entry.Value)
            return true;
        Missed("an entry of the book");
        return false;
    }

    static bool Attack_Spell(const TMonster& p, uint16_t number) {
        const TSpell* spell = Master_Spells.Get(number);
        return spell && spell->Damage.Max > 0 && !spell->Is_Passive() &&
               p.Spells.Get_Level(number) > 0;
    }

    // A character that fights with spells: an attack spell in its quick slots and no
    // bow.
    bool Spell_Fighter(const TMonster& p) const { return Caster(p) && Ammo_Carried() < 0; }

    // A character whose quick slots hold an attack spell.
    bool Caster(const TMonster& p) const { return Attack_Slot(p) > 0; }

    int32_t Attack_Slot(const TMonster& p) const {
        for (int32_t k = 1; k <= 10; ++k) {
            const TQuick_Slot slot = p.Spells.Get_Quick_Slot(k);
            if (slot.Kind != uint8_t(TQuick_Slot_Kind::Spell))
                continue;
            if (Attack_Spell(p, slot.Value))
                return k;
        }
        return 0;
    }

    // ---- the map as the player knows it ----

    // Draws the frame when the character has moved since the last one: the view is
    // what marks squares explored and places the map under the pointer.
    void Look() {
        const TMonster* p = player();
        const int32_t at = p ? cell(p->X, p->Y) : -1;
        if (at == last_drawn_ && run_.Ticks < drawn_at_ + 10)
            return;
        host_->Redraw();
        last_drawn_ = at;
        drawn_at_ = run_.Ticks;
    }

    bool In_Sight(int32_t x, int32_t y) const {
        const int32_t i = x - Current_Map->Sight_Left(), j = y - Current_Map->Sight_Top();
        return Current_Map->Get_Sight(i, j) == 1 && Current_Map->Get_Light(i, j) < 4;
    }

    // A creature is known to stand on the square: seen, or sensed in the dark within
    // the character's sensing range (the view marks it).
    bool Creature_Shown(int32_t x, int32_t y) const {
        if (In_Sight(x, y))
            return true;
        const TMonster* p = player();
        const int32_t i = x - Current_Map->Sight_Left(), j = y - Current_Map->Sight_Top();
        return p && Current_Map->Get_Sight(i, j) == 1 && Current_Map->Get_Light(i, j) > 0 &&
               TMap::Square_Distance(x, y, p->X, p->Y) <= p->Get_Detect_Evil();
    }

    bool Known(int32_t x, int32_t y) const {
        const TMap_Square* square = Current_Map->Get_Square(x, y);
        return square && (square->Is_Explored() || In_Sight(x, y));
    }

    bool Walkable(int32_t x, int32_t y, uint8_t mask) const {
        const TMap_Square* square = Current_Map->Get_Square(x, y);
        if (!square || !Known(x, y) || blocked_.count(cell(x, y)) || square->Is_Entrance() ||
            (locked_.count(cell(x, y)) && square->Is_Locked() && Keys_Carried() == 0))
            return false;
        const TTerrain* terrain = square->Get_Terrain(*Current_Map);
        if (!terrain || !walkable_terrain(*terrain, mask))
            return false;
        // A creature blocks the way where the character sees it; one out of sight is
        // not known to be there.
        const TMonster* p = player();
        return square->Monster == 0 || (p && square->Monster == p->Number) || !Creature_Shown(x, y);
    }

    // Distances from the character over the squares it knows it can walk.
    void Search() {
        TMonster* p = player();
        distance_.assign(Cells, -1);
        parent_.assign(Cells, -1);
        std::deque<int32_t> queue;
        const int32_t start = cell(p->X, p->Y);
        distance_[size_t(start)] = 0;
        queue.push_back(start);
        const uint8_t mask = Movement_Mask_Of(*p);
        while (!queue.empty()) {
            const int32_t c = queue.front();
            queue.pop_front();
            for (size_t d = 0; d < 8; ++d) {
                const int32_t nx = cell_x(c) + step_dx[d], ny = cell_y(c) + step_dy[d];
                if (!TMap::In_Map(nx, ny))
                    continue;
                const int32_t n = cell(nx, ny);
                if (distance_[size_t(n)] >= 0 || !Walkable(nx, ny, mask))
                    continue;
                distance_[size_t(n)] = distance_[size_t(c)] + 1;
                parent_[size_t(n)] = c;
                queue.push_back(n);
            }
        }
    }

    // The reached square next to (x, y) nearest the character, or -1.
    int32_t Nearest_Beside(int32_t x, int32_t y) const {
        int32_t best = -1;
        for (size_t d = 0; d < 8; ++d) {
            const int32_t nx = x + step_dx[d], ny = y + step_dy[d];
            if (!TMap::In_Map(nx, ny))
                continue;
            const int32_t n = cell(nx, ny);
            if (distance_[size_t(n)] >= 0 &&
                (best < 0 || distance_[size_t(n)] < distance_[size_t(best)]))
                best = n;
        }
        return best;
    }

    // The first square on the way to a reached square.
    int32_t First_Step(int32_t goal) const {
        int32_t c = goal;
        while (parent_[size_t(c)] >= 0 && distance_[size_t(parent_[size_t(c)])] > 0)
            c = parent_[size_t(c)];
        return c;
    }

    // ---- the player's commands ----

    // The screen point over map square (x, y) in the view last drawn; false off it.
    bool Point_Of(int32_t x, int32_t y, int& px, int& py) const {
        const auto& at = game_.Hooks().Map_Square_At;
        if (!at)
            return false;
        for (int row = 1; row <= View_Rows; ++row)
            for (int column = 1; column <= View_Columns; ++column) {
                int cx = 0, cy = 0;
                TMap_View::Cell_Corner(column, row, cx, cy);
                for (const auto& [ox, oy] :
                     {std::pair{27, 27}, std::pair{27, 20}, std::pair{27, 34}, std::pair{20, 27}}) {
                    int32_t mx = 0, my = 0;
                    if (at(cx + ox, cy + oy, mx, my) && mx == x && my == y) {
                        px = cx + ox, py = cy + oy;
                        return true;
                    }
                }
            }
        return false;
    }

    // A press and release of a mouse button over the square.
    bool Click(int32_t x, int32_t y, bool right) {
        int px = 0, py = 0;
        if (!Point_Of(x, y, px, py))
            return false;
        host_->Mouse_Move(px, py);
        host_->Mouse_Down(right ? mbRight : mbLeft, px, py, right ? ssRight : ssLeft);
        host_->Mouse_Up(right ? mbRight : mbLeft, px, py);
        return true;
    }

    // A step (or an act) into a neighbouring square; squares that a few tries do not
    // change are given up.
    void Step_Into(int32_t x, int32_t y) {
        const TMonster* p = player();
        const TMap_Square* square = Current_Map->Get_Square(x, y);
        if (p && square && last_step_ == cell(x, y) && last_from_ == cell(p->X, p->Y) &&
            last_terrain_ == square->Terrain && (square->Monster == 0 || !Creature_Shown(x, y)) &&
            ++bumps_[cell(x, y)] >= 6) {
            if (square->Item != 0)
                ignored_items_.insert(cell(x, y));
            else if (square->Is_Locked() && Keys_Carried() == 0) {
                // A locked door: a key opens it.
                wants_keys_ = true;
                locked_.insert(cell(x, y));
            } else
                blocked_.insert(cell(x, y));
        }
        if (p && square) {
            last_step_ = cell(x, y), last_from_ = cell(p->X, p->Y);
            last_terrain_ = square->Terrain;
        }
        Click(x, y, false);
    }

    bool Go_Beside(int32_t x, int32_t y, const std::string& plan) {
        const TMonster* p = player();
        if (std::max(std::abs(p->X - x), std::abs(p->Y - y)) == 1) {
            last_plan_ = plan;
            Step_Into(x, y);
            return true;
        }
        const int32_t beside = Nearest_Beside(x, y);
        if (beside < 0)
            return false;
        const int32_t next = First_Step(beside);
        last_plan_ = plan;
        Step_Into(cell_x(next), cell_y(next));
        return true;
    }

    // ---- deciding ----

    void Act() {
        TMonster* p = player();
        if (!p || !Current_Map)
            return;
        // The hardest blow of the last few seconds: a character that could not take
        // two more like it drinks, whatever it is doing.
        hardest_hit_ = std::max(hardest_hit_ * 0.995, last_health_ - double(p->Health));
        last_health_ = p->Health;
        if ((p->Health < 0.45 * p->Maximum_Health ||
             (p->Health < 2 * hardest_hit_ && p->Health < 0.8 * p->Maximum_Health)) &&
            run_.Ticks >= potion_at_ + (hardest_hit_ > 0.3 * p->Maximum_Health ? 8 : 20) &&
            Carried(TConsumption_Type::Health) > 0) {
            potion_at_ = run_.Ticks;
            host_->Key_Down(VK_F1 + 10);
        }
        // The view marks the squares passed as explored, step by step, as a player's
        // screen does: in the dark only the squares beside the character are lit.
        Look();
        if (screen_->Pending_Command != TDC_Main::Command_None || screen_->Moving)
            return;
        Count_Explored();
        Count_Kill();
        if (p->Maximum_Mana > 0 && p->Mana < 0.2 * p->Maximum_Mana && Caster(*p) &&
            run_.Ticks >= mana_potion_at_ + 40) {
            mana_potion_at_ = run_.Ticks;
            host_->Key_Down(VK_F1 + 11);
        }
        if (Eat(*p) || Cure(*p) || Spend_Stat_Points(*p) || Spend_Spell_Points(*p) ||
            Set_Quick_Bar(*p))
            return;
        Remember_Keepers(*p);
        Search();
        // A bow without arrows is put away even in a fight.
        if ((Weapon_To_Swap(*p) != 0 && Equip_Better(*p)) || Fight(*p) || Cast_Against_The_Dark(*p))
            return;
        // Hurt, with nothing in sight: wait for health to come back before going on.
        // Health falling while at rest (something unseen, hunger) ends the rest.
        // A character that fights with spells (not a bow) waits for its mana the same
        // way.
        const bool spell_fighter = Spell_Fighter(*p);
        const bool low_mana = spell_fighter && p->Mana < 0.5 * p->Maximum_Mana;
        if (run_.Ticks >= no_rest_until_ &&
            (p->Health < 0.75 * p->Maximum_Health || low_mana || resting_)) {
            if (resting_ && p->Health < rest_health_) {
                resting_ = false;
                no_rest_until_ = run_.Ticks + 600;
            } else {
                resting_ = p->Health < 0.95 * p->Maximum_Health ||
                           (spell_fighter && p->Mana < 0.9 * p->Maximum_Mana);
                rest_health_ = p->Health;
                if (resting_) {
                    last_plan_ = "resting";
                    return;
                }
            }
        }
        if (Equip_Better(*p) || Talk_To_Townsfolk(*p) || Deliver_Quest_Items(*p) ||
            Go_Shopping(*p) || Go_Up_To_Town(*p) || Pick_Up(*p) || Explore_Or_Descend(*p))
            return;
        // Squares given up on (a door that would not open while something unseen stood
        // in it, an item out of reach, a frontier that showed nothing) are tried again
        // before the level is thought to be done.
        if ((!blocked_.empty() || !exhausted_.empty() || !ignored_items_.empty()) &&
            run_.Ticks >= retry_at_) {
            retry_at_ = run_.Ticks + 1200;
            blocked_.clear();
            exhausted_.clear();
            ignored_items_.clear();
            bumps_.clear();
            last_plan_ = "trying again what was given up";
            return;
        }
        if (wants_keys_ && Keys_Carried() == 0 && map_number() > 1 && p->Gold >= 25 &&
            key_trips_ < 3) {
            ++key_trips_;
            going_up_ = true;
            last_plan_ = "going up for keys";
            return;
        }
        last_plan_ = "nothing to do: no reachable unexplored square, item or way down";
    }

    void Count_Explored() {
        int32_t count = 0;
        const TMonster* p = player();
        for (int32_t x = std::max(1, p->X - 8); x <= std::min(Map_Size, p->X + 8); ++x)
            for (int32_t y = std::max(1, p->Y - 8); y <= std::min(Map_Size, p->Y + 8); ++y)
                if (!(*seen_)[size_t(cell(x, y))] && Current_Map->Get_Square(x, y)->Is_Explored()) {
                    (*seen_)[size_t(cell(x, y))] = true;
                    ++count;
                }
        if (count > 0)
            Progress();
    }

    // The creature last fought is gone from the level.
    void Count_Kill() {
        if (fighting_serial_ == 0)
            return;
        const TMonster* m = Current_Map->Monster_List.Get(fighting_number_);
        if (!m || m->Serial != fighting_serial_ || m->Is_Dead()) {
            ++run_.Kills;
            fighting_serial_ = 0;
            Progress();
        }
    }

    // The nearest creature in sight that is not a townsman or the character's own.
    bool Fight(TMonster& p) {
        const TMonster* target = nullptr;
        int32_t best = 1 << 30;
        for (const TMonster* other : Creatures_In_Sight(p)) {
            if (other->Is_Dead() || talks(*other) || other->Leader == p.Number)
                continue;
            const int32_t distance = TMap::Square_Distance(p.X, p.Y, other->X, other->Y);
            if (distance < best &&
                (distance == 1 || Nearest_Beside(other->X, other->Y) >= 0 ||
                 (Caster(p) && Current_Map->Is_Line_Clear(p.X, p.Y, other->X, other->Y))))
                best = distance, target = other;
        }
        if (!target)
            return false;
        if (fighting_serial_ != target->Serial) {
            fighting_serial_ = target->Serial;
            fighting_number_ = target->Number;
        }
        // Hurt with no potion left, the character runs for the way up: no creature
        // follows it to another map, and the town sells potions.
        if (p.Health < 0.5 * p.Maximum_Health && Carried(TConsumption_Type::Health) == 0 &&
            hardest_hit_ >= 0.05 * p.Maximum_Health)
            if (const TModule_Map_Connection* way = Way_Up();
                way && Go_Beside(way->Dest_X, way->Dest_Y, "running for the way up")) {
                going_up_ = true;
                return true;
            }
        // Badly hurt with no potion left: away from the creature (a slower one is left
        // behind), unless cornered.
        if (p.Health < 0.35 * p.Maximum_Health && Carried(TConsumption_Type::Health) <= 1 &&
            Back_Away(p, *target))
            return true;
        // A spell or a bow reaches from where the character stands when the line is
        // clear; else from a square beside it that gives a clear line; else the
        // character waits a moment for the creature to come round the corner.
        const int32_t slot = Attack_Slot(p);
        const TSpell* spell =
            slot > 0 ? Master_Spells.Get(p.Spells.Get_Quick_Slot(slot).Value) : nullptr;
        const bool can_cast =
            spell && p.Mana >= spell->Get_Mana_Cost(p.Spells.Get_Level(spell->Number));
        const bool can_shoot = Ammo_Carried() > 0 && Has_Ranged_Attack(p);
        const int32_t distance = TMap::Square_Distance(p.X, p.Y, target->X, target->Y);
        // A spell fighter out of mana steps back from a creature that strikes hard (one
        // that guards its place lets it go), rather than trade blows with a staff; it
        // comes back rested.
        if (Spell_Fighter(p) && !can_cast && distance <= 2 &&
            hardest_hit_ > 0.2 * p.Maximum_Health && Carried(TConsumption_Type::Mana) == 0 &&
            Back_Away(p, *target))
            return true;
        // Hurt, a spell fighter steps back from a creature beside it and casts again
        // from there (a slow one is left behind); a character that strikes from afar
        // steps back from one that strikes it past a wall corner it cannot strike
        // through.
        if ((can_cast || can_shoot) && distance == 1 &&
            ((Spell_Fighter(p) && p.Health < 0.6 * p.Maximum_Health) ||
             (!Clear_Shot(p.X, p.Y, *target) && hardest_hit_ >= 1)) &&
            Back_Away(p, *target))
            return true;
        if ((can_cast || can_shoot) && distance <= 7) {
            if (Clear_Shot(p.X, p.Y, *target) && !Striking_In_Vain(p, *target)) {
                if (can_cast) {
                    if (p.Spells.Get_Selected_Slot() != slot)
                        host_->Key_Down(uint16_t(VK_F1 + slot - 1));
                    last_plan_ = "casting at " + target->Name;
                    if (Click(target->X, target->Y, true))
                        return true;
                } else if (distance > 1) {
                    last_plan_ = "shooting at " + target->Name;
                    if (Click(target->X, target->Y, false))
                        return true;
                }
            } else if (Step_To_Shoot(p, *target)) {
                return true;
            } else if (distance > 1 && distance <= 3) {
                // Beside it, the creature strikes past the corner where neither spell
                // nor arrow can: it is fought hand to hand instead.
                if (waiting_for_ != target->Serial)
                    waiting_for_ = target->Serial, waiting_since_ = run_.Ticks;
                if (run_.Ticks < waiting_since_ + 60) {
                    last_plan_ = "waiting for a clear line to " + target->Name;
                    return true;
                }
            }
        }
        return Go_Beside(target->X, target->Y, "fighting " + target->Name);
    }

    // Shots from one square at a creature on another that leave its health as it was
    // (the missile's path meets a wall the line of sight passes): after a dozen the
    // line between the two squares is given up, and the character moves.
    bool Striking_In_Vain(const TMonster& p, const TMonster& target) {
        const std::pair<int32_t, int32_t> line{cell(p.X, p.Y), cell(target.X, target.Y)};
        if (vain_lines_.count(line))
            return true;
        if (strikes_.Line != line || strikes_.Serial != target.Serial ||
            target.Health < strikes_.Health)
            strikes_ = {line, target.Serial, target.Health, 0};
        if (++strikes_.Count < 12)
            return false;
        vain_lines_.insert(line);
        return true;
    }

    // An arrow or a spell from (x, y) reaches the creature: the line is clear, and one
    // at a creature diagonally beside flies past the two squares between, where a wall
    // would take it.
    bool Clear_Shot(int32_t x, int32_t y, const TMonster& target) const {
        const int32_t dx = target.X - x, dy = target.Y - y;
        if (std::abs(dx) == 1 && std::abs(dy) == 1 &&
            (!Air_Passes(x + dx, y) || !Air_Passes(x, y + dy)))
            return false;
        return Current_Map->Is_Line_Clear(x, y, target.X, target.Y);
    }

    // A step to a square beside the character with a clear shot at the creature, the
    // farthest from it.
    bool Step_To_Shoot(const TMonster& p, const TMonster& target) {
        const int32_t best = Farthest_Step(p, target, 0, [&](int32_t x, int32_t y, int32_t far) {
            return far <= 7 && Clear_Shot(x, y, target);
        });
        if (best < 0)
            return false;
        last_plan_ = "stepping aside for a shot at " + target.Name;
        Step_Into(cell_x(best), cell_y(best));
        return true;
    }

    // The square a step away that the character can walk to, farther from the creature
    // than beyond and the farthest of those accept(x, y, distance) takes; -1 for none.
    template <typename TAccept>
    int32_t Farthest_Step(const TMonster& p, const TMonster& from, int32_t beyond,
                          TAccept accept) const {
        int32_t best = -1;
        for (size_t d = 0; d < 8; ++d) {
            const int32_t nx = p.X + step_dx[d], ny = p.Y + step_dy[d];
            if (!TMap::In_Map(nx, ny) || distance_[size_t(cell(nx, ny))] != 1)
                continue;
            const int32_t far = TMap::Square_Distance(nx, ny, from.X, from.Y);
            if (far > beyond && accept(nx, ny, far))
                beyond = far, best = cell(nx, ny);
        }
        return best;
    }

    bool Air_Passes(int32_t x, int32_t y) const {
        const TMap_Square* square = Current_Map->Get_Square(x, y);
        return square && square->Has_Movement_Flag(*Current_Map, Movement_Air);
    }

    bool Back_Away(const TMonster& p, const TMonster& from) {
        // Steps back that leave the character where it was (something unseen in the
        // way) are not tried again for a few seconds.
        const int32_t here = cell(p.X, p.Y);
        if (run_.Ticks < no_backing_until_)
            return false;
        if (here != backing_from_)
            backing_from_ = here, backing_tries_ = 0;
        if (++backing_tries_ > 5) {
            no_backing_until_ = run_.Ticks + 100;
            backing_tries_ = 0;
            return false;
        }
        const int32_t away = Farthest_Step(p, from, TMap::Square_Distance(p.X, p.Y, from.X, from.Y),
                                           [](int32_t, int32_t, int32_t) { return true; });
        if (away < 0)
            return false;
        last_plan_ = "backing away from " + from.Name;
        Step_Into(cell_x(away), cell_y(away));
        return true;
    }

    // Where the store keepers were last seen, so the character can find them again.
    void Remember_Keepers(const TMonster& p) {
        for (const TMonster* other : Creatures_In_Sight(p)) {
            if (other->Store_Number != 0)
                keepers_[map_number()][other->Name] = cell(other->X, other->Y);
            if (talks(*other))
                townsfolk_[other->Name] = {map_number(), cell(other->X, other->Y)};
        }
    }

    // A quest the character has been given asks it to give an item it carries to this
    // creature, as the quest log tells: the item's name and the creature's (or the
    // first words of it, "Warden Ilsabet" for "Warden Ilsabet Marr") are both in the
    // quest's description. The backpack slot of the item, or 0.
    int32_t Quest_Gift(const TMonster& p, const std::string& creature) const {
        if (!Current_Module)
            return 0;
        bool quest_items = false;
        for (int32_t slot = First_Backpack_Slot; slot <= Last_Backpack_Slot && !quest_items;
             ++slot) {
            const TItem* item = p.Inventory.Get_In_Slot(slot, Current_Map->Item_List);
            quest_items = item && item->Event_ID != 0;
        }
        if (!quest_items)
            return 0;
        const std::string first_words = creature.substr(0, creature.rfind(' '));
        for (int32_t q = 1; q <= Current_Module->Quests.Count(); ++q) {
            const TModule_Quest* quest = Current_Module->Quests.Get_Quest(q);
            if (!quest || !quest->Visible || quest->Completed || quest->Failed)
                continue;
            const std::string text = Lower_Case(quest->Description);
            if (text.find(Lower_Case(creature)) == std::string::npos &&
                text.find(Lower_Case(first_words)) == std::string::npos)
                continue;
            for (int32_t slot = First_Backpack_Slot; slot <= Last_Backpack_Slot; ++slot) {
                const TItem* item = p.Inventory.Get_In_Slot(slot, Current_Map->Item_List);
                if (item && item->Event_ID != 0 &&
                    text.find(Lower_Case(item->Name)) != std::string::npos &&
                    !gifts_given_.count(item->Name + "\n" + creature))
                    return slot;
            }
        }
        return 0;
    }

    // A quest item to give: to its creature, when the character knows where it stands;
    // up to the town first when that is where it was met.
    bool Deliver_Quest_Items(const TMonster& p) {
        for (const auto& [name, place] : townsfolk_) {
            if (!Quest_Gift(p, name))
                continue;
            if (place.first != map_number()) {
                if (place.first < map_number() && Way_Up()) {
                    going_up_ = true;
                    return Go_Up_To_Town(p);
                }
                continue;
            }
            const int32_t x = cell_x(place.second), y = cell_y(place.second);
            const TMap_Square* square = Current_Map->Get_Square(x, y);
            const TMonster* there =
                square ? Current_Map->Monster_List.Get(square->Monster) : nullptr;
            if (TMap::Square_Distance(p.X, p.Y, x, y) <= 1 && (!there || there->Name != name)) {
                // Gone from where it stood: looked for again when next seen.
                townsfolk_.erase(name);
                return false;
            }
            if (Go_Beside(x, y, "taking a quest item to " + name))
                return true;
        }
        return false;
    }

    // The other creatures standing on squares in sight, at most 7 squares away.
    std::vector<const TMonster*> Creatures_In_Sight(const TMonster& p) const {
        std::vector<const TMonster*> seen;
        for (int32_t x = p.X - 7; x <= p.X + 7; ++x)
            for (int32_t y = p.Y - 7; y <= p.Y + 7; ++y) {
                const TMap_Square* square = Current_Map->Get_Square(x, y);
                if (!square || square->Monster == 0 || square->Monster == p.Number ||
                    !Creature_Shown(x, y))
                    continue;
                if (const TMonster* other = Current_Map->Monster_List.Get(square->Monster))
                    seen.push_back(other);
            }
        return seen;
    }

    // Back up toward the town when supplies run out: the way up is where the
    // character came down.
    bool Go_Up_To_Town(const TMonster& p) {
        if (map_number() == 1 && Wants_To_Shop()) {
            // In town: to the keepers not yet visited, where they were last seen.
            for (const auto& [name, at] : keepers_[1]) {
                if (shopped_.count(name))
                    continue;
                const int32_t x = cell_x(at), y = cell_y(at);
                const TMap_Square* square = Current_Map->Get_Square(x, y);
                const TMonster* there =
                    square ? Current_Map->Monster_List.Get(square->Monster) : nullptr;
                // Beside the place and the keeper is not there: not this visit.
                if (TMap::Square_Distance(p.X, p.Y, x, y) <= 1 && (!there || there->Name != name)) {
                    shopped_.insert(name);
                    continue;
                }
                if (Go_Beside(x, y, "going back to a store keeper"))
                    return true;
            }
            return false;
        }
        if (!Needs_Town() && !(going_up_ && map_number() > 1))
            return false;
        going_up_ = true;
        const TModule_Map_Connection* way = Way_Up();
        return way && Go_Beside(way->Dest_X, way->Dest_Y, "going up to buy supplies");
    }

    // Where the character came down, when it can walk there.
    const TModule_Map_Connection* Way_Up() const {
        const int32_t map = map_number();
        for (int32_t n = 1; Current_Module && n <= int32_t(Current_Module->Maps.size()); ++n)
            for (const TModule_Map_Connection& way :
                 Current_Module->Maps[size_t(n - 1)].Connections)
                if (way.Destination_Map == map && n < map && Known(way.Dest_X, way.Dest_Y) &&
                    (TMap::Square_Distance(player()->X, player()->Y, way.Dest_X, way.Dest_Y) <= 1 ||
                     Nearest_Beside(way.Dest_X, way.Dest_Y) >= 0))
                    return &way;
        return nullptr;
    }

    // Townsfolk who talk are asked about everything once.
    bool Talk_To_Townsfolk(TMonster& p) {
        for (const TMonster* other : Creatures_In_Sight(p))
            if (!other->Talk_Topic_Names.empty() && !talked_.count(other->Name) &&
                Go_Beside(other->X, other->Y, "talking to " + other->Name))
                return true;
        return false;
    }

    // A store keeper in sight, when food or potions are wanted.
    bool Go_Shopping(TMonster& p) {
        if (!Wants_To_Shop())
            return false;
        for (const TMonster* other : Creatures_In_Sight(p))
            if (other->Store_Number != 0 && !shopped_.count(other->Name) &&
                (talked_.insert(other->Name), true) &&
                Go_Beside(other->X, other->Y, "going to buy from " + other->Name))
                return true;
        return false;
    }

    bool Pick_Up(TMonster& p) {
        if (p.Maximum_Weight > 0 && p.Weight_Carried > p.Maximum_Weight * 3 / 4)
            return false;
        int32_t best = -1, best_distance = 1 << 30;
        for (int32_t x = std::max(1, p.X - 20); x <= std::min(Map_Size, p.X + 20); ++x)
            for (int32_t y = std::max(1, p.Y - 20); y <= std::min(Map_Size, p.Y + 20); ++y) {
                const TMap_Square* square = Current_Map->Get_Square(x, y);
                if (square->Item == 0 || !Known(x, y) || ignored_items_.count(cell(x, y)) ||
                    square->Is_Entrance() || (x == p.X && y == p.Y))
                    continue;
                const int32_t beside = Nearest_Beside(x, y);
                if (beside >= 0 && distance_[size_t(beside)] < best_distance)
                    best = cell(x, y), best_distance = distance_[size_t(beside)];
            }
        if (best < 0)
            return false;
        // An item that a minute of trying has not brought into the backpack is left.
        if (Pursued_Too_Long(item_goal_, best)) {
            ignored_items_.insert(best);
            return false;
        }
        return Go_Beside(cell_x(best), cell_y(best), "picking up an item");
    }

    // The square pursued and since when.
    struct TGoal {
        int32_t Square = -1;
        uint64_t Since = 0, Last = 0;
    };

    // True once the same goal has been pursued for a minute of game time without a
    // break: one taken up again later (after a trip to the town) starts afresh.
    bool Pursued_Too_Long(TGoal& goal, int32_t square) {
        if (goal.Square != square || run_.Ticks > goal.Last + 100)
            goal = {square, run_.Ticks, run_.Ticks};
        goal.Last = run_.Ticks;
        return run_.Ticks - goal.Since > 1200;
    }

    bool Explore_Or_Descend(TMonster& p) {
        // Frontier: a reached square beside one not yet known.
        int32_t frontier = -1;
        for (int32_t c = 0; c < Cells; ++c) {
            if (distance_[size_t(c)] < 0 || exhausted_.count(c))
                continue;
            if (frontier >= 0 && distance_[size_t(c)] >= distance_[size_t(frontier)])
                continue;
            const int32_t x = cell_x(c), y = cell_y(c);
            for (size_t d = 0; d < 8; ++d)
                if (TMap::In_Map(x + step_dx[d], y + step_dy[d]) &&
                    !Known(x + step_dx[d], y + step_dy[d])) {
                    frontier = c;
                    break;
                }
        }
        // Standing on the frontier without seeing past it: what lies there stays unseen.
        if (frontier == cell(p.X, p.Y)) {
            exhausted_.insert(frontier);
            return true;
        }
        const TModule_Map_Connection* down = Known_Way_Down();
        const bool strong = p.Level >= 2 * map_number();
        if (down && (frontier < 0 || strong)) {
            if (Stock_Up_Before_Going_Down() && Way_Up()) {
                going_up_ = true;
                last_plan_ = "going up for potions before going down";
                return true;
            }
            if (Go_Beside(down->Source_X, down->Source_Y, "heading down")) {
                if (std::max(std::abs(p.X - down->Source_X), std::abs(p.Y - down->Source_Y)) == 1)
                    last_plan_ = "taking the way down";
                return true;
            }
        }
        if (frontier >= 0 && Pursued_Too_Long(frontier_goal_, frontier)) {
            exhausted_.insert(frontier);
            return true;
        }
        if (frontier >= 0) {
            const int32_t next = First_Step(frontier);
            last_plan_ = "exploring toward (" + std::to_string(cell_x(frontier)) + ", " +
                         std::to_string(cell_y(frontier)) + ")";
            Step_Into(cell_x(next), cell_y(next));
            return true;
        }
        return false;
    }

    // A connection to a deeper map whose square the character has seen.
    const TModule_Map_Connection* Known_Way_Down() const {
        const int32_t map = map_number();
        if (!Current_Module || map < 1 || map > int32_t(Current_Module->Maps.size()))
            return nullptr;
        for (const TModule_Map_Connection& way : Current_Module->Maps[size_t(map - 1)].Connections)
            if (way.Destination_Map > map && Known(way.Source_X, way.Source_Y))
                return &way;
        return nullptr;
    }

  public:
    static std::string Game_Time_Text(uint64_t ticks) {
        const uint64_t seconds = ticks / 20;
        char text[32];
        std::snprintf(text, sizeof text, "%llu:%02llu:%02llu", (unsigned long long)(seconds / 3600),
                      (unsigned long long)(seconds / 60 % 60), (unsigned long long)(seconds % 60));
        return text;
    }

  private:
    THeadless_Screen& game_;
    const TAutoplay_Options& options_;
    TAutoplay_Run& run_;
    std::FILE* log_;
    TDC_Main* screen_ = nullptr;
    THost* host_ = nullptr;
    std::vector<int32_t> distance_, parent_;
    // The squares counted as explored, map by map: coming back to a map explores
    // nothing new.
    std::map<int32_t, std::vector<bool>> seen_by_map_;
    std::vector<bool>* seen_ = nullptr;
    std::set<int32_t> blocked_, exhausted_, ignored_items_;
    std::map<int32_t, int32_t> bumps_;
    std::set<std::string> talked_; // townsfolk by name: a level loaded again renumbers them
    int32_t current_map_ = 0;
    const TMap* map_object_ = nullptr;
    uint64_t last_progress_ = 0, potion_at_ = 0, mana_potion_at_ = 0;
    uint64_t spell_points_due_ = 0, quick_bar_due_ = 0, eat_due_ = 0, cure_due_ = 0, drawn_at_ = 0,
             escaped_at_ = 0;
    int32_t last_drawn_ = -1, last_step_ = -1, last_from_ = -1;
    uint16_t last_terrain_ = 0;
    int32_t last_experience_ = -1, last_gold_ = -1;
    uint16_t last_level_ = 0;
    uint32_t fighting_serial_ = 0;
    uint16_t fighting_number_ = 0;
    std::string last_plan_ = "starting";
    bool resting_ = false;
    bool going_up_ = false;
    bool bow_put_away_ = false;       // the bow went into the backpack for want of arrows
    TGoal item_goal_, frontier_goal_; // the item and the unexplored square pursued
    bool wants_keys_ = false;
    int32_t key_trips_ = 0;       // trips to town for keys in a row that found none
    int32_t gold_after_town_ = 0; // the gold left when the character last left the town
    uint64_t left_town_at_ = 0;
    std::set<int32_t> locked_; // locked doors met on this map
    uint64_t equip_due_ = 0;
    uint64_t retry_at_ = 0;                         // when what was given up may be tried again
    int32_t backing_from_ = -1, backing_tries_ = 0; // steps back tried from a square
    uint64_t no_backing_until_ = 0;
    struct TStrikes {
        std::pair<int32_t, int32_t> Line{-1, -1}; // from the character's square to the target's
        uint32_t Serial = 0;
        double Health = 0;
        int32_t Count = 0;
    } strikes_;
    std::set<std::pair<int32_t, int32_t>> vain_lines_; // on this map
    uint64_t dark_cast_due_ = 0;
    uint32_t waiting_for_ = 0; // the creature waited for to give a clear shot, since when
    uint64_t waiting_since_ = 0;
    std::map<int32_t, std::map<std::string, int32_t>> keepers_; // map, name: square
    std::set<std::string> shopped_; // the store keepers bought from on this visit
    // Creatures that talk, by name: the map and square where last seen.
    std::map<std::string, std::pair<int32_t, int32_t>> townsfolk_;
    std::set<std::string> gifts_given_; // item and creature names
    double rest_health_ = 0;
    double last_health_ = 0, hardest_hit_ = 0;
    uint64_t no_rest_until_ = 0;
};

} // namespace

// The summary line of a run.
static void print_run(std::FILE* out, const TAutoplay_Run& r) {
    std::fprintf(out,
                 "autoplay: %s, seed %u: %s after %s; character level %d, deepest map %d, "
                 "%d kills, %d gold",
                 r.Class_Name.c_str(), r.Seed, r.Outcome.c_str(),
                 TAutoplayer::Game_Time_Text(r.Ticks).c_str(), r.Character_Level, r.Deepest_Map,
                 r.Kills, r.Gold);
    std::string levels;
    for (const TAutoplay_Level_Entry& e : r.Levels)
        levels += (levels.empty() ? "" : ", ") + std::to_string(e.Map) + ":" +
                  std::to_string(e.Character_Level);
    std::fprintf(out, "; level at each map's entry %s", levels.c_str());
    if (!r.Death_Cause.empty())
        std::fprintf(out, "; killed by %s", r.Death_Cause.c_str());
    if (!r.Stall_Reason.empty())
        std::fprintf(out, "; %s", r.Stall_Reason.c_str());
    std::string quests;
    for (const std::string& q : r.Quests_Done)
        quests += (quests.empty() ? "" : ", ") + q;
    std::fprintf(out, "; quests done: %s\n", quests.empty() ? "none" : quests.c_str());
}

bool Run_Autoplay(const TAutoplay_Options& options, std::vector<TAutoplay_Run>& runs,
                  std::string& error, std::FILE* log) {
    bool known_class = true;
    int32_t classes = 0;
    std::string output_error; // the recording or the final frame could not be written
    const bool started = Run_Headless_Game(options.Game_Dir, error, [&] {
        // The classes are the game's own table: every one of them, or the one asked for.
        classes = Class_Infos.Count();
        if (options.Class > classes) {
            known_class = false;
            return;
        }
        const int32_t first = options.Class > 0 ? options.Class : 1;
        const int32_t last = options.Class > 0 ? options.Class : Class_Infos.Count();
        for (int32_t c = first; c <= last; ++c)
            for (int32_t r = 0; r < std::max(1, options.Runs); ++r) {
                TAutoplay_Run run;
                run.Class = c;
                run.Seed = options.Seed + uint32_t(r);
                const TClass_Info* info = Class_Infos.Get(c);
                run.Class_Name = info ? info->Class_Name : std::to_string(c);
                if (log)
                    std::fprintf(log, "autoplay: %s, seed %u, difficulty %d\n",
                                 run.Class_Name.c_str(), run.Seed, int(options.Difficulty));
                THeadless_Screen game;
                std::string record_error;
                if (!game.Start(TQuick_Start{.Module = options.Module,
                                             .Class = c,
                                             .Name = "Autoplay",
                                             .Difficulty = options.Difficulty,
                                             .Seed = run.Seed},
                                options.Record, &record_error)) {
                    run.Outcome = "did not start";
                    if (!record_error.empty())
                        output_error = record_error;
                } else {
                    TAutoplayer player(game, options, run, log);
                    player.Play();
                    if (!options.Record.empty() && !game.Host()->Stop_Recording())
                        output_error =
                            "the recording \"" + options.Record + "\" could not be written";
                    // The frame the game would show now.
                    if (!options.Screenshot.empty()) {
                        game.Host()->Redraw();
                        std::string screenshot_error;
                        if (!game.Host()->Save_Screenshot(options.Screenshot, screenshot_error))
                            output_error = screenshot_error;
                    }
                }
                if (log)
                    print_run(log, run);
                runs.push_back(run);
            }
    });
    if (started && !known_class)
        error = "there is no class " + std::to_string(options.Class) + " (the game has " +
                std::to_string(classes) + ")";
    else if (started && !output_error.empty())
        error = output_error;
    return started && known_class && output_error.empty();
}

namespace {

std::string json_text(const std::string& s) {
    std::string out = "\"";
    for (const char ch : s) {
        if (ch == '"' || ch == '\\')
            out += '\\', out += ch;
        else if (uint8_t(ch) < 0x20) {
            char code[8];
            std::snprintf(code, sizeof code, "\\u%04x", unsigned(uint8_t(ch)));
            out += code;
        } else
            out += ch;
    }
    return out + "\"";
}

template <typename T> T median(std::vector<T> values) {
    if (values.empty())
        return T{};
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct TClass_Summary {
    std::string Name;
    int32_t Runs = 0, Wins = 0;
    uint64_t Median_Ticks = 0;
    int32_t Median_Level = 0;
};

std::vector<TClass_Summary> summarise(const std::vector<TAutoplay_Run>& runs) {
    std::vector<TClass_Summary> table;
    std::map<int32_t, std::pair<std::vector<uint64_t>, std::vector<int32_t>>> figures;
    for (const TAutoplay_Run& run : runs) {
        auto it = std::find_if(table.begin(), table.end(),
                               [&](const TClass_Summary& s) { return s.Name == run.Class_Name; });
        if (it == table.end())
            it = table.insert(table.end(), TClass_Summary{run.Class_Name});
        ++it->Runs;
        it->Wins += run.Outcome == "won";
        figures[run.Class].first.push_back(run.Ticks);
        figures[run.Class].second.push_back(run.Character_Level);
        it->Median_Ticks = median(figures[run.Class].first);
        it->Median_Level = median(figures[run.Class].second);
    }
    return table;
}

} // namespace

std::string Autoplay_Json(const TAutoplay_Options& options,
                          const std::vector<TAutoplay_Run>& runs) {
    std::string j = "{\n  \"module\": " + json_text(options.Module) +
                    ",\n  \"difficulty\": " + std::to_string(options.Difficulty) +
                    ",\n  \"max_ticks\": " + std::to_string(options.Max_Ticks) + ",\n  \"runs\": [";
    for (size_t i = 0; i < runs.size(); ++i) {
        const TAutoplay_Run& r = runs[i];
        j += i ? ",\n    {" : "\n    {";
        j += "\"class\": " + std::to_string(r.Class) +
             ", \"class_name\": " + json_text(r.Class_Name) +
             ", \"seed\": " + std::to_string(r.Seed) + ", \"outcome\": " + json_text(r.Outcome) +
             ", \"ticks\": " + std::to_string(r.Ticks) +
             ", \"game_time\": " + json_text(TAutoplayer::Game_Time_Text(r.Ticks)) +
             ", \"character_level\": " + std::to_string(r.Character_Level) +
             ", \"deepest_map\": " + std::to_string(r.Deepest_Map) +
             ", \"kills\": " + std::to_string(r.Kills) + ", \"gold\": " + std::to_string(r.Gold) +
             ", \"death_cause\": " + json_text(r.Death_Cause) +
             ", \"stall_reason\": " + json_text(r.Stall_Reason) + ", \"levels\": [";
        for (size_t k = 0; k < r.Levels.size(); ++k)
            j += (k ? ", " : "") + std::string("{\"map\": ") + std::to_string(r.Levels[k].Map) +
                 ", \"name\": " + json_text(r.Levels[k].Name) +
                 ", \"ticks\": " + std::to_string(r.Levels[k].Tick) +
                 ", \"character_level\": " + std::to_string(r.Levels[k].Character_Level) + "}";
        j += "], \"quests_done\": [";
        for (size_t k = 0; k < r.Quests_Done.size(); ++k)
            j += (k ? ", " : "") + json_text(r.Quests_Done[k]);
        j += "]}";
    }
    j += "\n  ],\n  \"classes\": [";
    const std::vector<TClass_Summary> table = summarise(runs);
    for (size_t i = 0; i < table.size(); ++i)
        j += (i ? ",\n    " : "\n    ") + std::string("{\"class_name\": ") +
             json_text(table[i].Name) + ", \"runs\": " + std::to_string(table[i].Runs) +
             ", \"wins\": " + std::to_string(table[i].Wins) +
             ", \"median_ticks\": " + std::to_string(table[i].Median_Ticks) +
             ", \"median_level\": " + std::to_string(table[i].Median_Level) + "}";
    return j + "\n  ]\n}\n";
}

int Tool_Autoplay(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
    static const char* usage =
        "Usage: krelvane-tool autoplay --module NAME [--game-dir DIR] [--class N] [--seed N] "
        "[--difficulty D] [--max-ticks T] [--runs R] [--report FILE.json] [--stop-at-map K] "
        "[--trace] [--record FILE] [--screenshot FILE.png]";
    TAutoplay_Options options;
    bool module_given = false;
    TTool_Options read("autoplay", std::string("; ") + usage);
    read.Module("--module", options.Module, &module_given);
    read.Game_Dir("--game-dir", options.Game_Dir);
    read.Number("--class", 1, 255, "a class number", options.Class);
    read.Number("--seed", 0, 0xFFFFFFFFull, "a valid seed", options.Seed);
    read.Number("--difficulty", 1, 4, "a difficulty from 1 to 4", options.Difficulty);
    read.Number("--max-ticks", 1, 1000000000ull, "a number of ticks", options.Max_Ticks);
    read.Number("--runs", 1, 1000, "a number of runs from 1 to 1000", options.Runs);
    read.Text("--report", options.Report);
    read.Number("--stop-at-map", 1, 1000, "a map number", options.Stop_At_Map);
    read.Text("--record", options.Record);
    read.Text("--screenshot", options.Screenshot);
    read.Flag("--trace", options.Trace);
    if (const int status = read.Parse(args, err))
        return status;
    if (!module_given) {
        std::fprintf(err, "autoplay: --module is needed; %s\n", usage);
        return 2;
    }
    // A recording replays one game: one class, one seed.
    if ((!options.Record.empty() || !options.Screenshot.empty()) &&
        (options.Class == 0 || options.Runs != 1)) {
        std::fprintf(err, "autoplay: --record and --screenshot are for a single run: give "
                          "--class and no more than --runs 1\n");
        return 2;
    }
    std::vector<TAutoplay_Run> runs;
    std::string error;
    // A run played whose recording or last frame could not be written is still told.
    const bool played = Run_Autoplay(options, runs, error, out);
    if (!played && runs.empty()) {
        std::fprintf(err, "autoplay: %s\n", error.c_str());
        return 1;
    }
    if (runs.size() > 1) {
        std::fprintf(out, "%-16s %5s %9s %12s %12s\n", "class", "runs", "win rate", "median time",
                     "median level");
        for (const TClass_Summary& s : summarise(runs))
            std::fprintf(out, "%-16s %5d %8d%% %12s %12d\n", s.Name.c_str(), s.Runs,
                         s.Runs ? 100 * s.Wins / s.Runs : 0,
                         TAutoplayer::Game_Time_Text(s.Median_Ticks).c_str(), s.Median_Level);
    }
    if (!options.Report.empty()) {
        std::FILE* f = std::fopen(options.Report.c_str(), "wb");
        const std::string json = Autoplay_Json(options, runs);
        if (!f || std::fwrite(json.data(), 1, json.size(), f) != json.size()) {
            if (f)
                std::fclose(f);
            std::fprintf(err, "autoplay: the report \"%s\" could not be written\n",
                         options.Report.c_str());
            return 1;
        }
        std::fclose(f);
    }
    if (!played) {
        std::fprintf(err, "autoplay: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
