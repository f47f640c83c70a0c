#include <gtest/gtest.h>

#include "rules/callbacks_recorder.h"
#include "rules/monster_classes.h"
#include "rules/spells.h"
#include "shell/services.h"
#include "world/actions.h"
#include "world/casting.h"
#include "world_support.h"

namespace {

TSpell make_spell(const std::string& name, TEffect_Target target, int32_t range = 5) {
    TSpell s;
    s.Name = name;
    s.Maximum_Levels_From_Start = 5;
    s.Mana_Cost = 5;
    s.Mana_Cost_Per_Level = 2;
    s.Target_Type = static_cast<uint8_t>(target);
    s.Damage.Set_Damage(0, 0, 0, range);
    return s;
}

// A map with a caster at (50, 50) holding 100 mana, and the spells of the test.
struct TCasting_Map : TTest_Map {
    TCallbacks_Recorder shown;
    uint16_t caster_number = 0;
    TCasting_Map() {
        caster_number = Put_Creature(50, 50, "Mage");
        caster().Maximum_Mana = 100;
        caster().Mana = 100;
        caster().Maximum_Health = 100;
        caster().Health = 50;
        Player_Number = caster_number;
    }
    ~TCasting_Map() override { Master_Spells.Clear(); }
    TMonster& caster() { return *Monster_List.Get(caster_number); }
    uint16_t add_spell(const TSpell& spell, uint16_t level = 1) {
        Master_Spells.Add(spell);
        const auto number = static_cast<uint16_t>(Master_Spells.Count());
        caster().Spells.Learn(number, level, 100);
        return number;
    }
    int32_t followers() {
        int32_t n = 0;
        for (int32_t i = 1; i <= Monster_List.Count(); ++i)
            if (const TMonster* m = Monster_List.Get(i); m && m->Leader == caster_number)
                ++n;
        return n;
    }
};

} // namespace

TEST(Cast, Monster_And_Location_Spells_Need_A_Target_In_Range) {
    TCasting_Map map;
    TSpell bolt = make_spell("Bolt", TEffect_Target::Monster);
    bolt.Effects.Add_Effect(TEffect_Type::Fire_Damage, 2, 4);
    bolt.Growth_Types = {static_cast<uint8_t>(TAmount_Kind::Number)};
    bolt.Min_Growth = {1};
    bolt.Max_Growth = {2};
    bolt.Duration = 3;
    const uint16_t spell = map.add_spell(bolt, 3);
    const uint16_t rat = map.Put_Creature(55, 50, "Rat");
    map.Monster_List.Get(rat)->Maximum_Health = 100;
    map.Monster_List.Get(rat)->Health = 100;
    map.Put_Creature(56, 50, "Far Rat");
    // Beyond range, or at an empty square: nothing, and nothing spent.
    EXPECT_FALSE(Cast(map, map.caster(), spell, 56, 50, map.shown));
    EXPECT_FALSE(Cast(map, map.caster(), spell, 54, 50, map.shown));
    EXPECT_DOUBLE_EQ(map.caster().Mana, 100);
    EXPECT_TRUE(map.shown.spells.empty());
    // At the rat: level 3 costs 9; the hit carries 5 to 10 fire for 3 seconds.
    ASSERT_TRUE(Cast(map, map.caster(), spell, 55, 50, map.shown));
    EXPECT_DOUBLE_EQ(map.caster().Mana, 91);
    ASSERT_EQ(map.shown.spells.size(), 1u);
    const TSpell_Show& hit = map.shown.spells[0];
    EXPECT_EQ(hit.Target, rat);
    EXPECT_EQ(hit.Damage.Effects.Get_Min(1), 5);
    EXPECT_EQ(hit.Damage.Effects.Get_Max(1), 10);
    EXPECT_EQ(hit.Damage.Duration, 3);
    map.shown.Deliver_Hits();
    EXPECT_LE(map.Monster_List.Get(rat)->Health, 95);
    EXPECT_GE(map.Monster_List.Get(rat)->Health, 90);
    // Not enough mana: nothing.
    map.caster().Mana = 8;
    EXPECT_FALSE(Cast(map, map.caster(), spell, 55, 50, map.shown));
    // A spell the caster does not know, or a passive one, is never cast.
    const uint16_t unknown = static_cast<uint16_t>(Master_Spells.Count() + 1);
    EXPECT_FALSE(Cast(map, map.caster(), unknown, 55, 50, map.shown));
    const uint16_t passive = map.add_spell(make_spell("Skin", TEffect_Target::Always_On));
    EXPECT_FALSE(Cast(map, map.caster(), passive, 55, 50, map.shown));

    // A location spell flies to an empty spot in range.
    map.caster().Mana = 100;
    const uint16_t ball = map.add_spell(make_spell("Ball", TEffect_Target::Location, 4));
    EXPECT_FALSE(Cast(map, map.caster(), ball, 55, 50, map.shown));
    ASSERT_TRUE(Cast(map, map.caster(), ball, 53, 52, map.shown));
    EXPECT_EQ(map.shown.spells.back().Target, 0);
    EXPECT_EQ(map.shown.spells.back().X, 53);
    EXPECT_EQ(map.shown.spells.back().Y, 52);
}

TEST(Cast, Area_Spells_Hit_Everyone_But_The_Caster_Side) {
    TCasting_Map map;
    TSpell storm = make_spell("Storm", TEffect_Target::Monster_Area, 6);
    storm.Area_Radius = 1;
    const uint16_t spell = map.add_spell(storm);
    const uint16_t a = map.Put_Creature(54, 50, "A");
    const uint16_t b = map.Put_Creature(55, 51, "B");
    const uint16_t pet = map.Put_Creature(53, 49, "Pet");
    map.Monster_List.Get(pet)->Leader = map.caster_number;
    map.Put_Creature(56, 52, "Outside");
    // Nobody in the box: no cast.
    EXPECT_FALSE(Cast(map, map.caster(), spell, 50, 55, map.shown));
    ASSERT_TRUE(Cast(map, map.caster(), spell, 54, 50, map.shown));
    std::vector<uint16_t> hit;
    for (const TSpell_Show& s : map.shown.spells)
        hit.push_back(s.Target);
    EXPECT_EQ(hit, (std::vector<uint16_t>{a, b}));
    // A radius as wide as a data file may ask reaches the whole map and no further.
    TSpell wide = storm;
    wide.Area_Radius = 3.0e9;
    const uint16_t wide_spell = map.add_spell(wide);
    map.shown.spells.clear();
    ASSERT_TRUE(Cast(map, map.caster(), wide_spell, 54, 50, map.shown));
    EXPECT_EQ(map.shown.spells.size(), 3u);
}

TEST(Cast, Self_Spells_Apply_Their_Effects) {
    TCasting_Map map;
    TSpell mend = make_spell("Mend", TEffect_Target::Self, 0);
    mend.Effects.Add_Effect(TEffect_Type::Life_Current, 20, 20);
    mend.Effects.Add_Effect(TEffect_Type::Attack_Ability, 7, 0);
    mend.Duration = 10;
    const uint16_t spell = map.add_spell(mend);
    ASSERT_TRUE(Cast(map, map.caster(), spell, 50, 50, map.shown));
    EXPECT_DOUBLE_EQ(map.caster().Health, 70);
    EXPECT_DOUBLE_EQ(map.caster().Mana, 95);
    EXPECT_EQ(map.caster().Get_Effect_Total(TEffect_Type::Attack_Ability), 7);
    EXPECT_EQ(map.caster().Timed_Effect_Times.back(), 10000);
    ASSERT_EQ(map.shown.spells.size(), 1u);
    EXPECT_FALSE(map.shown.spells[0].Hit);
}

TEST(Cast, Teleport_Stays_On_The_Map_And_Ends_When_Boxed_In) {
    TCasting_Map map;
    TMonster& m = map.caster();
    // Amount 0, or a closet: the creature stays.
    Apply_Spell_Effect(map, m, static_cast<uint8_t>(TEffect_Type::Teleport), 0, 0, 0);
    EXPECT_EQ(m.X, 50);
    map.Fill(49, 49, 51, 51, Wall);
    map.Get_Square(50, 50)->Terrain = Floor;
    Apply_Spell_Effect(map, m, static_cast<uint8_t>(TEffect_Type::Teleport), 1, 1, 0);
    EXPECT_EQ(m.X, 50);
    EXPECT_EQ(m.Y, 50);
    // A long jump from near the edge lands inside 8..193 on a free square.
    Move_Creature(map, m, 10, 10);
    for (int i = 0; i < 20; ++i) {
        Apply_Spell_Effect(map, m, static_cast<uint8_t>(TEffect_Type::Teleport), 50, 50, 0);
        EXPECT_GE(m.X, 8);
        EXPECT_LE(m.X, 193);
        EXPECT_GE(m.Y, 8);
        EXPECT_LE(m.Y, 193);
        EXPECT_EQ(map.Get_Square(m.X, m.Y)->Monster, m.Number);
    }
    // The widest amount still lands on the map.
    Apply_Spell_Effect(map, m, static_cast<uint8_t>(TEffect_Type::Teleport), 2147483647, 2147483647,
                       0);
    EXPECT_GE(m.X, 8);
    EXPECT_LE(m.Y, 193);
}

TEST(Cast, Scrolls_Are_Used_Only_When_The_Cast_Goes_Ahead) {
    TCasting_Map map;
    TSpell bolt = make_spell("Bolt", TEffect_Target::Monster, 3);
    bolt.Mana_Cost = 500;
    Master_Spells.Add(bolt);
    auto add_scroll = [&](const std::string& spell_name, uint16_t level) {
        TItem scroll;
        scroll.Name = "Scroll";
        scroll.Item_Type = static_cast<uint8_t>(TItem_Type::Scroll);
        scroll.Spell_Names = {spell_name};
        scroll.Spell_Levels = {level};
        const uint16_t number = map.Item_List.Add(scroll);
        EXPECT_TRUE(map.caster().Add_To_Backpack(number));
        return number;
    };
    const uint16_t scroll = add_scroll("Bolt", 7);
    ASSERT_EQ(map.caster().Spells.Get_Quick_Slot(1).Kind,
              static_cast<uint8_t>(TQuick_Slot_Kind::Scroll));
    const uint16_t rat = map.Put_Creature(52, 50, "Rat");
    // Out of range: the scroll and its quick slot stay.
    EXPECT_FALSE(Cast_From_Quick_Slot(map, map.caster(), 1, 54, 50, map.shown));
    EXPECT_NE(map.Item_List.Get(scroll), nullptr);
    EXPECT_EQ(map.caster().Spells.Get_Quick_Slot(1).Kind,
              static_cast<uint8_t>(TQuick_Slot_Kind::Scroll));
    // At the rat: cast at level 5 (the spell's limit), free of mana, and used up.
    ASSERT_TRUE(Cast_From_Quick_Slot(map, map.caster(), 1, 52, 50, map.shown));
    EXPECT_EQ(map.shown.spells.back().Target, rat);
    EXPECT_DOUBLE_EQ(map.caster().Mana, 100);
    EXPECT_EQ(map.Item_List.Get(scroll), nullptr);
    EXPECT_EQ(map.caster().Spells.Get_Quick_Slot(1).Kind,
              static_cast<uint8_t>(TQuick_Slot_Kind::Empty));
    EXPECT_EQ(map.shown.spell_button_refreshes, 1);
    // A scroll naming no spell of this game does nothing and stays.
    const uint16_t odd = add_scroll("Fireblast", 1);
    EXPECT_FALSE(Cast_From_Quick_Slot(map, map.caster(), 1, 52, 50, map.shown));
    EXPECT_NE(map.Item_List.Get(odd), nullptr);
    // A spell whose level limit is missing is read at level 1: its effect lasts 10 s,
    // not for ever.
    TSpell shield = make_spell("Shield", TEffect_Target::Self, 0);
    shield.Maximum_Levels_From_Start = 0;
    shield.Duration = 10;
    shield.Duration_Per_Level = 20;
    shield.Effects.Add_Effect(TEffect_Type::Defense_Ability, 5, 0);
    Master_Spells.Add(shield);
    const uint16_t shield_scroll = add_scroll("Shield", 0);
    int32_t shield_slot = 0;
    for (int32_t k = 1; k <= 10; ++k)
        if (const TQuick_Slot q = map.caster().Spells.Get_Quick_Slot(k);
            q.Kind == static_cast<uint8_t>(TQuick_Slot_Kind::Scroll) &&
            map.caster().Inventory.Get_Number_In_Slot(q.Value, map.Item_List) == shield_scroll)
            shield_slot = k;
    ASSERT_NE(shield_slot, 0);
    ASSERT_TRUE(Cast_From_Quick_Slot(map, map.caster(), shield_slot, 50, 50, map.shown));
    EXPECT_EQ(map.Item_List.Get(shield_scroll), nullptr);
    EXPECT_EQ(map.caster().Permanent_Effects.Count(), 0);
    ASSERT_FALSE(map.caster().Timed_Effect_Times.empty());
    EXPECT_EQ(map.caster().Timed_Effect_Times.back(), 10000);
    // An empty slot casts nothing.
    EXPECT_FALSE(Cast_From_Quick_Slot(map, map.caster(), 9, 52, 50, map.shown));
}

// The summoned monsters' class file: a wolf, or no file at all.
struct TSummon_File : TSummon_Service {
    bool found = true;
    bool Read_Summon_Classes(TMonster_Class_List& classes) override {
        if (!found)
            return false;
        TMonster_Class wolf;
        wolf.Name = "Wolf";
        wolf.Movement_Mask = Movement_Land;
        wolf.Health_Min = wolf.Health_Max = 10;
        classes.Add(wolf);
        return true;
    }
};

TEST(Cast, Summons_Up_To_Their_Count) {
    TCasting_Map map;
    TSummon_File summon_file;
    const TScoped_Services use({.Summons = &summon_file});
    TSpell call = make_spell("Call", TEffect_Target::No_Target, 0);
    call.Summoned_Monster = "wolf";
    call.Summon_Base_Count = 2;
    const uint16_t spell = map.add_spell(call);
    ASSERT_TRUE(Cast(map, map.caster(), spell, 50, 50, map.shown));
    EXPECT_EQ(map.followers(), 2);
    EXPECT_DOUBLE_EQ(map.caster().Mana, 95);
    for (int32_t i = 1; i <= map.Monster_List.Count(); ++i)
        if (const TMonster* m = map.Monster_List.Get(i); m && m->Leader == map.caster_number) {
            EXPECT_EQ(m->Movement_Strategy,
                      static_cast<uint8_t>(TMovement_Strategy::Guard_Monster));
            EXPECT_EQ(m->Guard_Distance, 3);
            EXPECT_LE(TMap::Square_Distance(m->X, m->Y, 50, 50), 1);
            EXPECT_EQ(map.Get_Square(m->X, m->Y)->Monster, m->Number);
        }
    // Two already follow: nothing more, nothing spent.
    EXPECT_FALSE(Cast(map, map.caster(), spell, 50, 50, map.shown));
    EXPECT_EQ(map.followers(), 2);
    EXPECT_DOUBLE_EQ(map.caster().Mana, 95);
    // A class the summon file lacks, or no file: nothing made, no mana spent.
    TCasting_Map other;
    TSpell ghost = call;
    ghost.Summoned_Monster = "Ghost";
    const uint16_t ghost_spell = other.add_spell(ghost);
    EXPECT_FALSE(Cast(other, other.caster(), ghost_spell, 50, 50, other.shown));
    summon_file.found = false;
    const uint16_t wolf_spell = other.add_spell(call);
    EXPECT_FALSE(Cast(other, other.caster(), wolf_spell, 50, 50, other.shown));
    // Walled in: no square beside the caster, so nobody comes and nothing is spent.
    summon_file.found = true;
    other.Fill(49, 49, 51, 51, Wall);
    other.Get_Square(50, 50)->Terrain = Floor;
    EXPECT_FALSE(Cast(other, other.caster(), wolf_spell, 50, 50, other.shown));
    EXPECT_EQ(other.followers(), 0);
    EXPECT_DOUBLE_EQ(other.caster().Mana, 100);
}

TEST(Cast, A_Caster_Killed_By_Its_Own_Hits_Is_Not_Touched_Again) {
    // Hits that land while the cast is still going on, as with no sprites at all.
    struct TAt_Once : TCallbacks_Recorder {
        void Show_Spell(const TSpell_Show& spell) override {
            TCallbacks_Recorder::Show_Spell(spell);
            Deliver_Hits();
        }
    };
    TAt_Once at_once;
    TCasting_Map map;
    TSpell storm = make_spell("Storm", TEffect_Target::Monster_Area, 6);
    storm.Area_Radius = 1;
    const uint16_t spell = map.add_spell(storm);
    TSpell bolt = make_spell("Bolt", TEffect_Target::Monster, 6);
    Master_Spells.Add(bolt);
    // Thorny victims: the first hit to arrive kills the caster.
    for (int32_t x : {53, 54}) {
        TMonster& thorny = *map.Monster_List.Get(map.Put_Creature(x, 50, "Bramble"));
        thorny.Add_Permanent_Effect(static_cast<uint8_t>(TEffect_Type::Attacker_Takes_Damage), 500,
                                    0);
        thorny.Recalculate();
    }
    EXPECT_TRUE(Cast(map, map.caster(), spell, 54, 50, at_once));
    EXPECT_EQ(map.Player(), nullptr);

    // A scroll read at a thorny creature is used up before its hit can kill the reader.
    TCasting_Map again;
    TItem scroll;
    scroll.Item_Type = static_cast<uint8_t>(TItem_Type::Scroll);
    scroll.Spell_Names = {"Bolt"};
    scroll.Spell_Levels = {1};
    const uint16_t number = again.Item_List.Add(scroll);
    ASSERT_TRUE(again.caster().Add_To_Backpack(number));
    TMonster& thorny = *again.Monster_List.Get(again.Put_Creature(52, 50, "Bramble"));
    thorny.Add_Permanent_Effect(static_cast<uint8_t>(TEffect_Type::Attacker_Takes_Damage), 500, 0);
    thorny.Recalculate();
    TAt_Once shown;
    EXPECT_TRUE(Cast_From_Quick_Slot(again, again.caster(), 1, 52, 50, shown));
    EXPECT_EQ(again.Player(), nullptr);
    EXPECT_EQ(again.Item_List.Get(number), nullptr);
}
