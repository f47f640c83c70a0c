#include "world/level_checks.h"

#include <map>

#include "world/map.h"
#include "world/store.h"

namespace {

std::string at(int32_t x, int32_t y) {
    return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

} // namespace

std::vector<std::string> Check_Level(const TMap& map, uint16_t held_item) {
    std::vector<std::string> faults;
    // Where each item is held, for the one-place rule.
    std::map<uint16_t, std::vector<std::string>> holders;
    auto hold = [&](uint16_t number, const std::string& place) {
        if (number == 0)
            return;
        if (!map.Item_List.Get(number))
            faults.push_back(place + " holds item " + std::to_string(number) +
                             ", which is not in the level's list");
        else
            holders[number].push_back(place);
    };

    for (int32_t y = 1; y <= Map_Size; ++y)
        for (int32_t x = 1; x <= Map_Size; ++x) {
            const TMap_Square& square = *map.Get_Square(x, y);
            if (square.Monster != 0) {
                const TMonster* creature = map.Monster_List.Get(square.Monster);
                if (!creature)
                    faults.push_back("square " + at(x, y) + " names creature " +
                                     std::to_string(square.Monster) + ", which is gone");
                else if (creature->X != x || creature->Y != y)
                    faults.push_back("square " + at(x, y) + " names " + creature->Name +
                                     ", who stands on " + at(creature->X, creature->Y));
            }
            if (square.Item == 0)
                continue;
            if (!square.Is_Pile()) {
                hold(square.Item, "square " + at(x, y));
            } else if (const TItem_Collection* pile = map.Get_Collection(square.Item)) {
                for (uint16_t number : pile->Numbers())
                    hold(number, "the pile on " + at(x, y));
            } else {
                faults.push_back("square " + at(x, y) + " names pile " +
                                 std::to_string(square.Item) + ", which is gone");
            }
        }

    for (int32_t n = 1; n <= map.Monster_List.Count(); ++n) {
        const TMonster* creature = map.Monster_List.Get(n);
        if (!creature)
            continue;
        if (!TMap::In_Map(creature->X, creature->Y))
            faults.push_back(creature->Name + " (" + std::to_string(n) +
                             ") stands off the map at " + at(creature->X, creature->Y));
        else if (map.Get_Square(creature->X, creature->Y)->Monster != n)
            faults.push_back(creature->Name + " (" + std::to_string(n) + ") stands on " +
                             at(creature->X, creature->Y) + ", which does not name it");
        const TInventory& inventory = creature->Inventory;
        for (int32_t k = 1; k <= inventory.Count(); ++k) {
            const uint8_t slot = inventory.Get_Slot(k);
            if (slot < 1 || slot > 90)
                faults.push_back(creature->Name + "'s inventory entry " + std::to_string(k) +
                                 " is in slot " + std::to_string(slot));
            hold(inventory.Items.Get_Number(k), creature->Name + "'s slot " + std::to_string(slot));
        }
    }
    if (map.Player_Number != 0 && !map.Monster_List.Get(map.Player_Number))
        faults.push_back("the player's number " + std::to_string(map.Player_Number) +
                         " names no living creature");

    for (const TLocation_List& chest : map.Location_Lists())
        for (uint16_t number : chest.Values)
            hold(number, "the chest on " + at(chest.X, chest.Y));
    for (size_t s = 0; s < map.Stores.size(); ++s)
        for (uint16_t number : map.Stores[s].Stock_Items)
            hold(number, "store " + std::to_string(s + 1));
    hold(held_item, "the pointer");

    for (int32_t n = 1; n <= map.Item_List.Count(); ++n) {
        const TItem* item = map.Item_List.Get(n);
        if (!item)
            continue;
        const auto found = holders.find(uint16_t(n));
        if (found == holders.end()) {
            faults.push_back(item->Name + " (" + std::to_string(n) + ") is held nowhere");
        } else if (found->second.size() > 1) {
            std::string places;
            for (const std::string& place : found->second)
                places += (places.empty() ? "" : " and ") + place;
            faults.push_back(item->Name + " (" + std::to_string(n) + ") is held twice: by " +
                             places);
        }
    }
    return faults;
}
