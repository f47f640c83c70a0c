// The checks the long runs make between ticks find each kind of broken level.

#include <gtest/gtest.h>

#include <algorithm>

#include "rules/monster.h"
#include "world/level_checks.h"
#include "world/map.h"

namespace {

bool has(const std::vector<std::string>& faults, const std::string& text) {
    return std::any_of(faults.begin(), faults.end(), [&](const std::string& fault) {
        return fault.find(text) != std::string::npos;
    });
}

TEST(Level_Checks, ASoundLevelPassesAndEachBreakageIsNamed) {
    TWriteable_Map map;
    TMonster hero;
    hero.Name = "Hero";
    hero.X = 10, hero.Y = 10;
    const uint16_t h = map.Monster_List.Add(hero);
    map.Place_Monster_At_Its_Position(*map.Monster_List.Get(h));
    map.Player_Number = h;
    TItem sword;
    sword.Name = "Sword";
    const uint16_t s = map.Item_List.Add(sword);
    ASSERT_TRUE(map.Monster_List.Get(h)->Inventory.Put_In_Slot(s, 6, map.Item_List));
    TItem coin;
    coin.Name = "Coin";
    const uint16_t c = map.Item_List.Add(coin);
    map.Get_Square(12, 12)->Add_Item(map, c);
    const uint16_t held = map.Item_List.Add(coin);
    EXPECT_EQ(Check_Level(map, held), std::vector<std::string>{});

    // The pointer's item dropped without a place: held nowhere.
    EXPECT_TRUE(has(Check_Level(map, 0), "Coin (3) is held nowhere"));
    // The sword lying on a square while still in the hand: held twice.
    map.Get_Square(13, 13)->Add_Item(map, s);
    EXPECT_TRUE(has(Check_Level(map, held), "Sword (1) is held twice"));
    // A square naming a creature that stands elsewhere, and a creature whose square
    // forgot it.
    map.Get_Square(10, 10)->Remove_Monster();
    map.Get_Square(11, 11)->Monster = h;
    const std::vector<std::string> faults = Check_Level(map, held);
    EXPECT_TRUE(has(faults, "square (11, 11) names Hero, who stands on (10, 10)"));
    EXPECT_TRUE(has(faults, "Hero (1) stands on (10, 10), which does not name it"));
    // A square naming an item the list does not have.
    map.Get_Square(14, 14)->Item = 99;
    EXPECT_TRUE(has(Check_Level(map, held), "holds item 99, which is not in the level's list"));
}

} // namespace
