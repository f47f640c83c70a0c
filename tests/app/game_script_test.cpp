// The running game driven by input scripts, as a player drives it: the real main
// screen, map view and pictures of the default module, headless, where a script's
// "wait 20" is exactly one second of game time.

#include <gtest/gtest.h>

#include "screen_fixture.h"

#include <filesystem>

#include "app/game_screen.h"
#include "game/global_structs.h"
#include "platform/clock.h"
#include "presentation/display_object.h"
#include "presentation/graphics.h"
#include "presentation/host.h"
#include "presentation/map_view.h"
#include "rules/combat.h"
#include "rules/monster.h"
#include "rules/spells.h"
#include "shell/enums.h"
#include "shell/globals.h"
#include "shell/options.h"
#include "support/fake_services.h"
#include "support/temp_dir.h"
#include "world/actions.h"
#include "world/map.h"
#include "world/module.h"
#include "world/sprites.h"
#include "world/terrain.h"

namespace {

// A spell cast at a spot, as the quick slot's spell of these tests.
uint16_t Location_Spell() {
    for (int32_t n = 1; n <= Master_Spells.Count(); ++n)
        if (Master_Spells.Get(n)->Target_Type == 4)
            return static_cast<uint16_t>(n);
    return 0;
}

class Headless_Script : public Game_Screen_Test {
  protected:
    void SetUp() override {
        Game_Screen_Test::SetUp();
        Start_New_Game(3, 21);
    }
    // A free square of open ground d squares from the player in a straight line, every
    // square on the way free too.
    bool Free_Ground(int32_t d, int32_t& x, int32_t& y) {
        for (int32_t dx : {1, -1, 0})
            for (int32_t dy : {0, 1, -1}) {
                if (dx == 0 && dy == 0)
                    continue;
                bool clear = true;
                for (int32_t s = 1; s <= d && clear; ++s) {
                    const TMap_Square* sq =
                        Current_Map->Get_Square(Player().X + dx * s, Player().Y + dy * s);
                    clear = sq && sq->Monster == 0 && sq->Has_Movement_Flag(*Current_Map, 1) &&
                            !sq->Is_Entrance() && !sq->Is_Trapped() && sq->Item == 0;
                }
                if (clear) {
                    x = Player().X + dx * d;
                    y = Player().Y + dy * d;
                    return true;
                }
            }
        return false;
    }

    bool Heard(const std::string& wave) const {
        for (const std::string& w : sound_.Waves())
            if (w.rfind(wave, 0) == 0)
                return true;
        return false;
    }
};

TEST_F(Headless_Script, HoldingTheLeftButtonWalksTowardThePointerUntilReleased) {
    ASSERT_TRUE(screen_->Game_Running);
    int32_t x = 0, y = 0;
    ASSERT_TRUE(Free_Ground(3, x, y));
    const int32_t sx = Player().X, sy = Player().Y;
    const int32_t dx = (x - sx) / 3, dy = (y - sy) / 3;
    // How far along the line from the start the player stands (-1 when off it).
    auto along = [&] {
        const int32_t k = dx != 0 ? (Player().X - sx) * dx : (Player().Y - sy) * dy;
        return Player().X == sx + k * dx && Player().Y == sy + k * dy ? k : -1;
    };
    const std::string at = Point_Of(x, y);
    Play("move " + at + "\ndown " + at + "\nwait 15\n");
    EXPECT_EQ(along(), 3) << "a step every 5 ticks reaches the square pressed";
    // Still held: the view follows the player and the pointer leads it on.
    Play("wait 5\n");
    EXPECT_GT(along(), 3);
    // Released: the walk under way ends at its target, and no new one begins.
    Play("up " + at + "\nwait 20\n");
    const int32_t stopped_x = Player().X, stopped_y = Player().Y;
    Play("wait 30\n");
    EXPECT_EQ(Player().X, stopped_x);
    EXPECT_EQ(Player().Y, stopped_y);
}

TEST_F(Headless_Script, F3TwiceAndARightClickCastTheQuickSpell) {
    TMonster& player = Player();
    const uint16_t spell = Location_Spell();
    ASSERT_NE(spell, 0);
    player.Spells.Learn(spell, 1, 100);
    player.Spells.Set_Quick_Slot(3, 1, spell);
    Play("key F3\n");
    EXPECT_EQ(player.Spells.Get_Selected_Slot(), 3);
    Play("key F3\n");
    EXPECT_EQ(player.Spells.Get_Selected_Slot(), 0);
    // An empty slot is not kept selected.
    Play("key F5\n");
    EXPECT_EQ(player.Spells.Get_Selected_Slot(), 0);
    Play("key F3\n");
    player.Fill_Mana();
    const double mana = player.Mana;
    int32_t x = 0, y = 0;
    ASSERT_TRUE(Free_Ground(2, x, y));
    Play("rclick " + Point_Of(x, y) + "\nwait 20\n");
    EXPECT_LT(Player().Mana, mana) << "the spell's mana was spent";
}

// A bow reaches past the next square: a click on a creature three squares off shoots
// an arrow at it where the character stands, where a sword would walk up to it.
TEST_F(Headless_Script, AClickOnADistantCreatureWithABowShootsAnArrow) {
    Start_New_Game(2, 21);
    TMonster& player = Player();
    auto arrows = [&] {
        int32_t count = 0;
        for (int32_t slot = 1; slot <= Last_Backpack_Slot; ++slot)
            if (const TItem* item = player.Inventory.Get_In_Slot(slot, Current_Map->Item_List);
                item && !item->Ammo_Kind.empty())
                count += std::max<int32_t>(1, item->Quantity);
        return count;
    };
    const int32_t before = arrows();
    ASSERT_GT(before, 1) << "the Stalker starts with a quiver of arrows";
    ASSERT_TRUE(Has_Ranged_Attack(player)) << "and with the bow in hand";
    int32_t x = 0, y = 0;
    ASSERT_TRUE(Free_Ground(3, x, y));
    TMonster target;
    target.Name = "Straw Target";
    target.X = target.Home_X = uint8_t(x);
    target.Y = target.Home_Y = uint8_t(y);
    target.Level = 1;
    target.Health = target.Maximum_Health = 500;
    const uint16_t n = Current_Map->Monster_List.Add(target);
    Current_Map->Place_Monster_At_Its_Position(*Current_Map->Monster_List.Get(n));
    const int32_t sx = player.X, sy = player.Y;
    Play("click " + Point_Of(x, y) + "\nwait 20\n");
    EXPECT_EQ(arrows(), before - 1) << "one arrow shot";
    const TMonster* hit = Current_Map->Monster_List.Get(n);
    ASSERT_NE(hit, nullptr);
    EXPECT_LT(hit->Health, 500) << "and it struck the creature";
    // Beside the character the bow shoots as well.
    {
        int32_t ax = 0, ay = 0;
        Current_Map->Get_Square(x, y)->Monster = 0;
        ASSERT_TRUE(Free_Ground(1, ax, ay));
        TMonster* t = Current_Map->Monster_List.Get(n);
        t->X = uint8_t(ax), t->Y = uint8_t(ay);
        Current_Map->Place_Monster_At_Its_Position(*t);
        const double health = t->Health;
        Play("click " + Point_Of(ax, ay) + "\nwait 20\n");
        EXPECT_EQ(arrows(), before - 2);
        EXPECT_LT(Current_Map->Monster_List.Get(n)->Health, health) << "adjacent";
    }
    EXPECT_EQ(Player().X, sx);
    EXPECT_EQ(Player().Y, sy);
    // Beyond a bow's reach the character walks toward the creature until it is in
    // reach, then shoots: a bow that reaches two squares, and the creature three off.
    player.Inventory.Get_In_Slot(First_Hand_Slot, Current_Map->Item_List)->Damage.Maximum_Range = 2;
    TMonster* t = Current_Map->Monster_List.Get(n);
    Current_Map->Get_Square(t->X, t->Y)->Monster = 0;
    t->X = uint8_t(x), t->Y = uint8_t(y);
    Current_Map->Place_Monster_At_Its_Position(*t);
    Play("click " + Point_Of(x, y) + "\nwait 20\n");
    EXPECT_EQ(TMap::Square_Distance(Player().X, Player().Y, x, y), 2);
    EXPECT_EQ(arrows(), before - 3) << "one arrow, shot once in reach";
}

TEST_F(Headless_Script, SteppingOntoTheTownsConnectionGoesDownAndBackWithEveryItem) {
    const uint16_t town = Current_Module->Current_Map;
    const TModule_Map_Connection* way = nullptr;
    for (const TModule_Map_Connection& c : Current_Module->Get_Map(town)->Connections)
        if (!way && TMap::In_Map(c.Source_X, c.Source_Y) && c.Connection_Type != 2)
            way = &c;
    ASSERT_NE(way, nullptr);
    const uint16_t below = way->Destination_Map;
    const int32_t cx = way->Source_X, cy = way->Source_Y;
    // The character walks up to the connection first: a free square beside it.
    int32_t nx = 0, ny = 0;
    ASSERT_TRUE(Current_Map->Find_Empty_Square_Near(cx + 1, cy, nx, ny));
    Move_Creature(*Current_Map, Player(), nx, ny);
    // A weapon in the first hand, remembered as set 1.
    TMonster& hero = Player();
    const int32_t items = hero.Inventory.Count();
    const uint16_t weapon = hero.Inventory.Items.Get_Number(1);
    hero.Inventory.Take_From_Slot(hero.Inventory.Get_Slot(1), Current_Map->Item_List);
    ASSERT_TRUE(hero.Inventory.Put_In_Slot(weapon, First_Hand_Slot, Current_Map->Item_List));
    Play("key Ctrl+1\n");
    ASSERT_EQ(Game_Options->Equipment_Sets[0].First_Hand_Id, weapon);

    Play("click " + Point_Of(cx, cy) + "\nwait 40\n");
    ASSERT_EQ(Current_Module->Current_Map, below);
    EXPECT_EQ(Player().Inventory.Count(), items);
    const uint16_t moved =
        Player().Inventory.Get_Number_In_Slot(First_Hand_Slot, Current_Map->Item_List);
    EXPECT_NE(moved, 0);
    EXPECT_EQ(Game_Options->Equipment_Sets[0].First_Hand_Id, moved);
    EXPECT_EQ(screen_->Find_Child("Dlg Progress"), nullptr);

    // Off the entrance and onto it again.
    const int32_t ex = Player().X, ey = Player().Y;
    int32_t fx = 0, fy = 0;
    ASSERT_TRUE(Current_Map->Find_Empty_Square_Near(ex + 1, ey, fx, fy));
    Play("click " + Point_Of(fx, fy) + "\nwait 40\n");
    ASSERT_EQ(Current_Module->Current_Map, below);
    Play("click " + Point_Of(ex, ey) + "\nwait 40\n");
    EXPECT_EQ(Current_Module->Current_Map, town);
    EXPECT_EQ(Player().Inventory.Count(), items);
}

TEST_F(Headless_Script, TheAdventureSoundsAsItIsPlayed) {
    // The town's music from the start.
    std::string town_music;
    ASSERT_TRUE(Current_Module->Get_Current_Music(town_music));
    ASSERT_FALSE(sound_.Music.empty());
    EXPECT_EQ(sound_.Music.back(), town_music);

    // A button: the overview map's, then Escape.
    Play("click 136 565\nwait 2\nkey Escape\n");
    EXPECT_TRUE(Heard("button.wav"));
    EXPECT_EQ(screen_->Shown("Overview Map"), nullptr) << "Escape closed what the button opened";

    // A door east of the character, opened with a click.
    uint16_t door = 0;
    for (uint16_t slot = 1; slot <= Current_Map->Terrains.Count() && !door; ++slot)
        if (const TTerrain* t = Current_Map->Terrains.Get_Terrain(slot))
            if (t->Next_Terrain_Action == static_cast<uint8_t>(TTerrain_Action::Open) &&
                !t->Next_Terrain_Sound_File.empty())
                door = slot;
    ASSERT_NE(door, 0);
    const std::string door_sound = Current_Map->Terrains.Get_Terrain(door)->Next_Terrain_Sound_File;
    int32_t x = 0, y = 0;
    ASSERT_TRUE(Free_Ground(1, x, y));
    Current_Map->Get_Square(x, y)->Terrain = door;
    Play("click " + Point_Of(x, y) + "\nwait 10\n");
    EXPECT_TRUE(Heard(door_sound)) << door_sound;

    // A fight with a creature that does not talk, until a hit and a miss were heard.
    TMonster* foe = nullptr;
    for (int32_t n = 1; n <= Current_Map->Monster_List.Count() && !foe; ++n)
        if (TMonster* c = Current_Map->Monster_List.Get(n); c && n != Current_Map->Player_Number)
            foe = c;
    ASSERT_NE(foe, nullptr);
    foe->Talk_Topic_Names.clear();
    foe->Talk_Topic_Texts.clear();
    foe->Store_Number = 0;
    foe->Maximum_Health = 60000;
    foe->Fill_Health();
    int32_t fx = 0, fy = 0;
    ASSERT_TRUE(Free_Ground(1, fx, fy));
    Move_Creature(*Current_Map, *foe, fx, fy);
    const std::string at = Point_Of(fx, fy);
    bool hit = false, missed = false;
    for (int round = 0; round < 20 && !(hit && missed); ++round) {
        Move_Creature(*Current_Map, *foe, fx, fy);
        Play("click " + at + "\nwait 10\n");
        missed = Heard("miss_0");
        for (const std::string& w : sound_.Waves())
            for (const char* armour : {"chain", "plate", "leth_", "wood_", "cloth", "cold_",
                                       "fire_", "lit_", "mag_", "pois_"})
                hit = hit || w.rfind(armour, 0) == 0;
    }
    EXPECT_TRUE(hit);
    EXPECT_TRUE(missed);

    // Down the first connection: the new level's music.
    const TModule_Map_Connection* way = nullptr;
    for (const TModule_Map_Connection& c :
         Current_Module->Get_Map(Current_Module->Current_Map)->Connections)
        if (!way && TMap::In_Map(c.Source_X, c.Source_Y) && c.Connection_Type != 2)
            way = &c;
    ASSERT_NE(way, nullptr);
    const uint16_t below = way->Destination_Map;
    ASSERT_TRUE(screen_->Take_Connection(way->Source_X, way->Source_Y));
    ASSERT_EQ(Current_Module->Current_Map, below);
    std::string below_music;
    ASSERT_TRUE(Current_Module->Get_Current_Music(below_music));
    EXPECT_EQ(sound_.Music.back(), below_music);
}

} // namespace
