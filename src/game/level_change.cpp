#include "game/level_change.h"

#include <memory>
#include <vector>

#include "rules/inventory.h"
#include "rules/monster.h"
#include "world/map.h"
#include "world/module.h"

namespace {

// A creature leaving the level with its items (item copies taken before it goes).
struct TTraveller {
    TMonster Creature;
    std::vector<uint16_t> Old_Numbers;
    std::vector<TItem> Items;
};

TTraveller take_along(const TMap& map, const TMonster& creature) {
    TTraveller t{creature, {}, {}};
    std::vector<int32_t> dangling;
    for (int32_t k = 1; k <= creature.Inventory.Count(); ++k) {
        const uint16_t number = creature.Inventory.Items.Get_Number(k);
        if (const TItem* item = map.Item_List.Get(number)) {
            t.Old_Numbers.push_back(number);
            t.Items.push_back(*item);
        } else {
            dangling.push_back(k);
        }
    }
    // A number naming nothing here would name some other item on the new level.
    for (auto k = dangling.rbegin(); k != dangling.rend(); ++k)
        t.Creature.Inventory.Delete_Entry(*k);
    return t;
}

// The travellers' items join the destination's list; false when it is full.
bool add_items(TMap& destination, TTraveller& t, std::vector<uint16_t>& new_numbers) {
    for (const TItem& item : t.Items) {
        const uint16_t number = destination.Item_List.Add(item);
        if (number == 0)
            return false;
        new_numbers.push_back(number);
    }
    t.Creature.Inventory.Renumber(t.Old_Numbers, new_numbers);
    return true;
}

bool set_square(TMap& map, TMonster& creature, int32_t x, int32_t y) {
    int32_t free_x = x, free_y = y;
    const TMap_Square* square = map.Get_Square(x, y);
    if (!square || square->Monster != 0) {
        if (!map.Find_Empty_Square_Near(x, y, free_x, free_y))
            return false;
    }
    creature.X = creature.Home_X = static_cast<uint8_t>(free_x);
    creature.Y = creature.Home_Y = static_cast<uint8_t>(free_y);
    return true;
}

} // namespace

bool Change_Level(const TGame_Objects& game, const std::string& folder, THeld_Item& held, int32_t x,
                  int32_t y) {
    TWriteable_Map& map = game.Map;
    const TMonster* player = map.Player();
    if (!player)
        return false;
    // Taking the connection marks it used: only once the change is certain.
    const TModule module_before = game.Module;
    TConnection_Target target;
    if (!game.Module.Find_Connection_At(game.Module.Current_Map, x, y, target) ||
        !game.Module.Get_Map(target.Map) || !TMap::In_Map(target.X, target.Y)) {
        static_cast<TModule&>(game.Module) = module_before;
        return false;
    }
    auto fail = [&](const std::string& message) {
        static_cast<TModule&>(game.Module) = module_before;
        Save_Load_Display().Show_Message("Error", message);
        return false;
    };

    struct TProgress_Dialog {
        TProgress_Dialog() { Save_Load_Display().Open_Progress("Loading Map..."); }
        ~TProgress_Dialog() { Save_Load_Display().Close_Progress(); }
    } progress;

    // Who goes: the player first, then its allies standing near.
    std::vector<uint16_t> numbers{map.Player_Number};
    for (int32_t n = 1; n <= map.Monster_List.Count(); ++n)
        if (const TMonster* c = map.Monster_List.Get(n))
            if (n != map.Player_Number && c->Leader == map.Player_Number &&
                TMap::Square_Distance(c->X, c->Y, player->X, player->Y) <= Follower_Distance)
                numbers.push_back(static_cast<uint16_t>(n));
    std::vector<TTraveller> travellers;
    for (uint16_t n : numbers)
        travellers.push_back(take_along(map, *map.Monster_List.Get(n)));
    const uint16_t held_number = map.Item_List.Get(held.Peek_Held()) ? held.Peek_Held() : 0;
    Save_Load_Display().Set_Progress(20);

    // The level as it stays behind, written before anything in memory changes.
    auto left = std::make_unique<TWriteable_Map>();
    left->Assign(map);
    for (size_t i = 0; i < travellers.size(); ++i) {
        for (uint16_t item : travellers[i].Old_Numbers)
            left->Item_List.Delete_Item(item);
        const TMonster& c = travellers[i].Creature;
        if (TMap_Square* square = left->Get_Square(c.X, c.Y);
            square && square->Monster == numbers[i])
            square->Remove_Monster();
        left->Monster_List.Delete_Slot(numbers[i]);
    }
    if (held_number)
        left->Item_List.Delete_Item(held_number);
    const std::string left_file = folder + std::to_string(module_before.Current_Map) + ".map";
    if (!Write_Map_File(*left, left_file))
        return fail("Unable to save module file \"" + left_file + "\".");
    Save_Load_Display().Set_Progress(40);

    const std::string next_file = folder + std::to_string(target.Map) + ".map";
    auto next = std::make_unique<TWriteable_Map>();
    if (!Read_Map_File(next_file, *next))
        return fail("Unable to load map file \"" + next_file + "\".");
    Save_Load_Display().Set_Progress(60);

    // Items first, then the creatures, whose inventories now name the new items.
    std::vector<uint16_t> player_old = travellers[0].Old_Numbers, player_new;
    bool fits = add_items(*next, travellers[0], player_new);
    for (size_t i = 1; i < travellers.size() && fits; ++i) {
        std::vector<uint16_t> new_numbers;
        fits = add_items(*next, travellers[i], new_numbers);
    }
    uint16_t new_held = 0;
    if (fits && held_number) {
        new_held = next->Item_List.Add(*map.Item_List.Get(held_number));
        fits = new_held != 0;
        player_old.push_back(held_number);
        player_new.push_back(new_held);
    }
    fits = fits && set_square(*next, travellers[0].Creature, target.X, target.Y);
    const uint16_t new_player = fits ? next->Monster_List.Add(travellers[0].Creature) : 0;
    if (new_player == 0)
        return fail("Unable to load map file \"" + next_file + "\".");
    next->Place_Monster_At_Its_Position(*next->Monster_List.Get(new_player));
    for (size_t i = 1; i < travellers.size(); ++i) {
        TMonster& follower = travellers[i].Creature;
        follower.Leader = new_player;
        // A follower without room beside the player stays behind: its items are in
        // the new list already, so it is dropped rather than left half-moved.
        if (!set_square(*next, follower, target.X, target.Y))
            continue;
        if (const uint16_t n = next->Monster_List.Add(follower))
            next->Place_Monster_At_Its_Position(*next->Monster_List.Get(n));
    }

    map.Assign(*next);
    map.Player_Number = new_player;
    map.Make_Current();
    held.Clear_Hold();
    if (new_held)
        held.Hold(new_held);
    game.Options.Remap_Item_Ids(player_old, player_new);
    TMonster& arrived = *map.Monster_List.Get(new_player);
    arrived.Recalculate();
    game.Module.Set_Current_Position(target.Map, arrived.X, arrived.Y);
    game.Options.Map_Entry_Level = arrived.Level;
    Save_Load_Display().Set_Progress(70);
    Save_Load_Display().Show_Map();
    return true;
}
