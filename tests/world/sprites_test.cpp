#include <gtest/gtest.h>

#include <vector>

#include "platform/clock.h"
#include "rules/display_effects.h"
#include "rules/spells.h"
#include "shell/options.h"
#include "support/fake_services.h"
#include "world/path_finding.h"
#include "world/sprites.h"
#include "world_support.h"

namespace {

// A map with the clock standing at 1000 ms, normal speed, sounds recorded, and the
// sprite, effect and spell tables empty before and after.
struct Sprites_Test : testing::Test {
    TTest_Map map;
    TSound_Recorder sound;
    TScoped_Services use{{.Sound = &sound}};
    TMain_Callbacks callbacks;
    int32_t saved_speed = Machine_Options.Game_Speed_Modified_Percent;

    // Effect numbers in Display_Effects.
    uint8_t arrow = 0, burst = 0;

    void SetUp() override {
        Set_Manual_Clock(true);
        Set_Clock(1000);
        Machine_Options.Game_Speed_Modified_Percent = 100;
        Sprites.Clear();
        Display_Effects.Clear();
        Master_Spells.Clear();
        TDisplay_Effect e;
        e.Type = TAnimation_Kind::Directional;
        e.Total_Frames = 8;
        e.Frames_Per_Line = 8;
        Display_Effects.Add(e);
        arrow = 1;
        e.Type = TAnimation_Kind::Frames;
        e.Total_Frames = 3;
        Display_Effects.Add(e);
        burst = 2;
    }
    void TearDown() override {
        Sprites.Clear();
        Display_Effects.Clear();
        Master_Spells.Clear();
        Machine_Options.Game_Speed_Modified_Percent = saved_speed;
        Set_Manual_Clock(false);
    }

    // One move-timer tick: the clock moves on, then the sprites.
    void tick(uint32_t ms = 50) {
        Advance_Clock(ms);
        Sprites.Update(map, callbacks);
    }
    double health(uint16_t creature) { return map.Monster_List.Get(creature)->Health; }

    TAttack_Show attack(uint16_t attacker, uint16_t target, int32_t amount, uint8_t fx = 0) {
        TAttack_Show a;
        a.Attacker = attacker;
        a.Target = target;
        if (const TMonster* m = map.Monster_List.Get(attacker)) {
            a.From_X = m->X;
            a.From_Y = m->Y;
        }
        if (const TMonster* m = map.Monster_List.Get(target)) {
            a.X = m->X;
            a.Y = m->Y;
        }
        a.Hit = true;
        a.Damage.Amount = amount;
        a.Damage.Firing_FX = fx;
        a.Impact_Sound = "thud.wav";
        a.Cause = "Orc";
        return a;
    }
    // Every sprite, in list order, as (placement, active, waits for).
    struct TShape {
        TSprite_Placement Placement;
        bool Active;
        uint16_t Waits_For;
        bool operator==(const TShape&) const = default;
    };
    std::vector<TShape> shapes() const {
        std::vector<TShape> all;
        for (int32_t i = 1; i <= Sprites.Count(); ++i) {
            const TSprite& s = *Sprites.Get(i);
            all.push_back({s.Placement, s.Active, s.Waits_For});
        }
        return all;
    }
    uint16_t number(int32_t index) const { return Sprites.Get(index)->Number; }
};

using P = TSprite_Placement;

TEST(Sprite_Direction, EightDirectionsFromTheVelocity) {
    EXPECT_EQ(Sprite_Direction(5, -5), 1);
    EXPECT_EQ(Sprite_Direction(5, 0), 2);
    EXPECT_EQ(Sprite_Direction(5, 5), 3);
    EXPECT_EQ(Sprite_Direction(0, 5), 4);
    EXPECT_EQ(Sprite_Direction(-5, 5), 5);
    EXPECT_EQ(Sprite_Direction(-5, 0), 6);
    EXPECT_EQ(Sprite_Direction(-5, -5), 7);
    EXPECT_EQ(Sprite_Direction(0, -5), 8);
    EXPECT_EQ(Sprite_Direction(0, 0), 8);
    // The diagonal holds while neither part is below half the other.
    EXPECT_EQ(Sprite_Direction(10, 5), 3);
    EXPECT_EQ(Sprite_Direction(10, 4.9), 2);
    EXPECT_EQ(Sprite_Direction(-4.9, -10), 8);
    EXPECT_EQ(Sprite_Direction(-5, -10), 7);
}

TEST(Sprite_Damage_Picture, RowByDamageTypeAndFrameBySize) {
    TDamage d;
    d.Amount = 9;
    EXPECT_EQ(Damage_Picture(d, true).Frame, 0);
    EXPECT_EQ(Damage_Picture(d, true).Row, 0);
    EXPECT_EQ(Damage_Picture(d, false).Row, 1);
    d.Amount = 10;
    EXPECT_EQ(Damage_Picture(d, true).Frame, 1);
    d.Amount = 30;
    EXPECT_EQ(Damage_Picture(d, true).Frame, 2);
    // The largest effect damage counts when it is above the rolled amount.
    d.Amount = 0;
    d.Effects.Add_Effect(13, 5, 31); // fire
    EXPECT_EQ(Damage_Picture(d, true).Row, 6);
    EXPECT_EQ(Damage_Picture(d, true).Frame, 2);
    EXPECT_EQ(Damage_Picture(d, false).Row, 1);
    d.Effects.Clear();
    d.Effects.Add_Effect(4, 1, 2); // cold
    EXPECT_EQ(Damage_Picture(d, true).Row, 2);
}

TEST_F(Sprites_Test, MovingSpritesStepBySpeed) {
    // d = 28 x 5 = 140: 9 steps at normal speed.
    TSprite s = TSprites_List::Make_Moving(P::Moving, 10, 10, 13, 14);
    EXPECT_DOUBLE_EQ(s.Pos_X, 280);
    EXPECT_DOUBLE_EQ(s.Pos_Y, 280);
    EXPECT_DOUBLE_EQ(s.Dx, 84.0 / 9);
    EXPECT_DOUBLE_EQ(s.Dy, 112.0 / 9);
    EXPECT_EQ(s.Start_Time, 1000u);
    s = TSprites_List::Make_Moving(P::Missile, 13, 14, 10, 10);
    EXPECT_DOUBLE_EQ(s.Dx, -84.0 / 9);
    EXPECT_DOUBLE_EQ(s.Dy, -112.0 / 9);
    // Twice the speed: half the steps, as a real.
    Machine_Options.Game_Speed_Modified_Percent = 200;
    s = TSprites_List::Make_Moving(P::Moving, 10, 10, 13, 14);
    EXPECT_DOUBLE_EQ(s.Dx, 84.0 / 4.5);
    EXPECT_DOUBLE_EQ(s.Dy, 112.0 / 4.5);
    // A neighbour square is one step even when halved; no distance is one step too.
    s = TSprites_List::Make_Moving(P::Moving, 10, 10, 11, 10);
    EXPECT_DOUBLE_EQ(s.Dx, 56);
    s = TSprites_List::Make_Moving(P::Moving, 10, 10, 10, 10);
    EXPECT_EQ(s.Dx, 0);
    EXPECT_EQ(s.Dy, 0);
}

TEST_F(Sprites_Test, WaitingSpritesStartWhenTheOneTheyWaitForEnds) {
    map.Player_Number = map.Put_Creature(20, 20, "Hero");
    TSprite first;
    first.X = first.Y = 5;
    first.Picture_Kind = TSprite_Picture::Damage_Frame;
    first.Duration = 200;
    const uint16_t a = Sprites.Add(first, map);
    TSprite second = first;
    second.X = 6;
    second.Active = false;
    second.Waits_For = a;
    second.Sound = "boom.wav";
    second.Sound_Placed = true;
    const uint16_t b = Sprites.Add(second, map);
    TSprite third = second;
    third.Waits_For = b;
    third.Sound.clear();
    const uint16_t c = Sprites.Add(third, map);
    EXPECT_TRUE(a != b && b != c && a != c);
    EXPECT_TRUE(sound.Played.empty()); // a waiting sprite is silent

    tick(200); // not yet more than 200 ms
    EXPECT_EQ(Sprites.Count(), 3);
    tick(1);
    ASSERT_EQ(Sprites.Count(), 2);
    EXPECT_EQ(Sprites.Find(a), nullptr);
    const TSprite* started = Sprites.Find(b);
    ASSERT_NE(started, nullptr);
    EXPECT_TRUE(started->Active);
    EXPECT_EQ(started->Start_Time, 1201u);
    ASSERT_EQ(sound.Played.size(), 1u);
    EXPECT_EQ(sound.Played[0].Wave, "boom.wav");
    EXPECT_EQ(std::pair(sound.Played[0].X, sound.Played[0].Y), std::pair(6, 5));
    EXPECT_FALSE(Sprites.Find(c)->Active);
    tick(201);
    EXPECT_TRUE(Sprites.Find(c)->Active);
    tick(201);
    EXPECT_EQ(Sprites.Count(), 0);
}

TEST_F(Sprites_Test, AMeleeHitLandsWhenItsFlashEnds) {
    const uint16_t orc = map.Put_Creature(10, 10, "Orc");
    const uint16_t rat = map.Put_Creature(11, 10, "Rat");
    map.Player_Number = orc;
    Sprites.Show_Attack(attack(orc, rat, 4), map);
    EXPECT_EQ(shapes(), (std::vector<TShape>{{P::Fixed, true, 0}, {P::Hit, false, number(1)}}));
    const TSprite& flash = *Sprites.Get(1);
    EXPECT_EQ(flash.Picture_Kind, TSprite_Picture::Damage_Frame);
    EXPECT_EQ(std::pair(flash.X, flash.Y), std::pair(11, 10));
    ASSERT_EQ(sound.Played.size(), 1u);
    EXPECT_EQ(std::pair(sound.Played[0].X, sound.Played[0].Y), std::pair(11, 10));

    for (int32_t t = 0; t < 4; ++t)
        tick(); // 200 ms: not more than the flash lasts
    EXPECT_DOUBLE_EQ(health(rat), 10);
    tick();
    EXPECT_DOUBLE_EQ(health(rat), 6);
    EXPECT_EQ(Sprites.Count(), 0);

    // A miss shows row 1 and brings no hit; without a character its sound has no place.
    map.Player_Number = 0;
    TAttack_Show miss = attack(orc, rat, 4);
    miss.Hit = false;
    Sprites.Show_Attack(miss, map);
    EXPECT_EQ(shapes(), (std::vector<TShape>{{P::Fixed, true, 0}}));
    EXPECT_EQ(Sprites.Get(1)->Picture, 1);
    EXPECT_EQ(std::pair(sound.Played[1].X, sound.Played[1].Y), std::pair(0, 0));
    // At twice the speed the flash lasts half as long.
    Sprites.Clear();
    Machine_Options.Game_Speed_Modified_Percent = 200;
    Sprites.Show_Attack(attack(orc, rat, 4), map);
    tick(101);
    EXPECT_DOUBLE_EQ(health(rat), 2);
}

TEST_F(Sprites_Test, AFramesEffectHitLandsAfterItsLastFrame) {
    const uint16_t orc = map.Put_Creature(10, 10, "Orc");
    const uint16_t rat = map.Put_Creature(11, 10, "Rat");
    Sprites.Show_Attack(attack(orc, rat, 4, burst), map);
    ASSERT_EQ(shapes(), (std::vector<TShape>{{P::Fixed, true, 0}, {P::Hit, false, number(1)}}));
    const TSprite& frames = *Sprites.Get(1);
    EXPECT_EQ(frames.Picture_Kind, TSprite_Picture::Display_Effect);
    EXPECT_EQ(frames.Picture, burst);
    // A frame every 100 ms and more: 2 at 150 ms, 3 at 300 ms, ended at 350 ms.
    std::vector<int32_t> seen;
    for (int32_t t = 0; t < 6; ++t) {
        seen.push_back(Sprites.Get(1)->Frame);
        EXPECT_DOUBLE_EQ(health(rat), 10);
        tick();
    }
    EXPECT_EQ(seen, (std::vector<int32_t>{1, 1, 1, 2, 2, 2}));
    EXPECT_EQ(Sprites.Get(1)->Frame, 3);
    tick();
    EXPECT_DOUBLE_EQ(health(rat), 6);
    EXPECT_EQ(Sprites.Count(), 0);
}

TEST_F(Sprites_Test, EffectsWithoutFramesPerLineOrUnknownEndNormally) {
    // An effect without "Frames Per Line" cannot be cut into frames, yet it runs out.
    TDisplay_Effect odd;
    odd.Type = TAnimation_Kind::Frames;
    odd.Total_Frames = 2;
    Display_Effects.Add(odd);
    const uint16_t rat = map.Put_Creature(11, 10, "Rat");
    Sprites.Show_Attack(attack(0, rat, 4, 3), map);
    ASSERT_EQ(Sprites.Count(), 2);
    for (int32_t t = 0; t < 4 && Sprites.Count() > 0; ++t)
        tick();
    EXPECT_EQ(Sprites.Count(), 0);
    EXPECT_DOUBLE_EQ(health(rat), 6);

    // An effect number the table lacks counts eight frames.
    TSprite lost;
    lost.Picture_Kind = TSprite_Picture::Display_Effect;
    lost.Picture = 99;
    lost.Frame = 1;
    lost.Ends_With_Frames = true;
    Sprites.Add(lost, map);
    int32_t ticks = 0;
    while (Sprites.Count() > 0 && ticks < 100) {
        tick(101);
        ++ticks;
    }
    EXPECT_EQ(ticks, 8);
}

TEST_F(Sprites_Test, AMissileStrikesTheFirstCreatureOnItsPathNotTheShooter) {
    const uint16_t archer = map.Put_Creature(10, 10, "Archer");
    const uint16_t near_rat = map.Put_Creature(12, 10, "Near");
    const uint16_t far_rat = map.Put_Creature(14, 10, "Far");
    map.Player_Number = archer;
    Sprites.Show_Attack(attack(archer, far_rat, 4, arrow), map);
    ASSERT_EQ(shapes(), (std::vector<TShape>{{P::Missile, true, 0}}));
    EXPECT_EQ(Sprites.Get(1)->Frame, 2); // flying east
    EXPECT_TRUE(sound.Played.empty());   // the flight itself is silent
    // 112 / 7 steps: 16 a tick; over square 11 for two ticks, then 12.
    EXPECT_TRUE(Sprites.Is_Missile_On_Square(10, 10));
    tick();
    EXPECT_TRUE(Sprites.Is_Missile_On_Square(11, 10));
    tick();
    EXPECT_EQ(Sprites.Count(), 1);
    {
        // Movers price the missile's square through the installed service.
        TMap_Sprite_Service service;
        const TScoped_Services missiles({.Sprites = &service});
        EXPECT_EQ(Step_Penalty(map, 11, 10, Movement_Land), 1000);
        EXPECT_EQ(Step_Penalty(map, 11, 11, Movement_Land), 0);
    }
    tick();
    // The missile is gone; the impact flash stands on the struck creature's square.
    EXPECT_EQ(shapes(), (std::vector<TShape>{{P::Fixed, true, 0}, {P::Hit, false, number(1)}}));
    EXPECT_FALSE(Sprites.Is_Missile_On_Square(12, 10));
    EXPECT_EQ(std::pair(Sprites.Get(1)->X, Sprites.Get(1)->Y), std::pair(12, 10));
    ASSERT_EQ(sound.Played.size(), 1u);
    EXPECT_EQ(sound.Played[0].Wave, "thud.wav");
    EXPECT_EQ(std::pair(sound.Played[0].X, sound.Played[0].Y), std::pair(12, 10));
    for (int32_t t = 0; t < 5; ++t)
        tick();
    EXPECT_EQ(Sprites.Count(), 0);
    EXPECT_DOUBLE_EQ(health(near_rat), 6);
    EXPECT_DOUBLE_EQ(health(far_rat), 10);
    EXPECT_DOUBLE_EQ(health(archer), 10);

    // At half speed the first step leaves the arrow over the archer's own square.
    Machine_Options.Game_Speed_Modified_Percent = 50;
    Sprites.Show_Attack(attack(archer, far_rat, 4, arrow), map);
    tick();
    EXPECT_EQ(shapes(), (std::vector<TShape>{{P::Missile, true, 0}}));
    EXPECT_TRUE(Sprites.Is_Missile_On_Square(10, 10));
}

TEST_F(Sprites_Test, AMissileStrikesAWallButNotTheSquareItLeaves) {
    // A shot from inside a wall square (a trap in the wall) flies out of it, slowly
    // enough to still be over that square after its first step.
    Machine_Options.Game_Speed_Modified_Percent = 50;
    map.Fill(10, 10, 10, 10, Wall);
    map.Fill(13, 10, 13, 10, Wall);
    const uint16_t rat = map.Put_Creature(14, 10, "Rat");
    TAttack_Show shot = attack(0, rat, 4, arrow);
    shot.From_X = 10;
    shot.From_Y = 10;
    Sprites.Show_Attack(shot, map);
    std::vector<int32_t> over;
    while (Sprites.Count() == 1 && Sprites.Get(1)->Placement == P::Missile && over.size() < 20) {
        over.push_back(Sprites.Get(1)->Flight_Square_X());
        tick();
    }
    EXPECT_EQ(over, (std::vector<int32_t>{10, 10, 11, 11, 11, 11, 12, 12, 12}));
    // Struck at the wall: a flash there and no hit for anybody.
    EXPECT_EQ(shapes(), (std::vector<TShape>{{P::Fixed, true, 0}}));
    EXPECT_EQ(std::pair(Sprites.Get(1)->X, Sprites.Get(1)->Y), std::pair(13, 10));
    tick(401); // the flash lasts 400 ms at half speed
    EXPECT_EQ(Sprites.Count(), 0);
    EXPECT_DOUBLE_EQ(health(rat), 10);

    // A missile that strikes nothing ends after 5000 ms.
    Machine_Options.Game_Speed_Modified_Percent = 100;
    map.Fill(13, 10, 13, 10, Floor);
    shot.X = 10;
    shot.Y = 10;
    Sprites.Show_Attack(shot, map); // aimed at its own square: it never moves
    tick(5000);
    EXPECT_EQ(Sprites.Count(), 1);
    tick(1);
    EXPECT_EQ(Sprites.Count(), 0);
}

TEST_F(Sprites_Test, AHitWhoseTargetHasGoneIsDropped) {
    const uint16_t orc = map.Put_Creature(10, 10, "Orc");
    const uint16_t rat = map.Put_Creature(11, 10, "Rat");
    Sprites.Show_Attack(attack(orc, rat, 4), map);
    // The rat dies before the flash ends, and a newcomer takes its number.
    map.Get_Square(11, 10)->Remove_Monster();
    map.Monster_List.Delete_Creature(rat);
    ASSERT_EQ(map.Put_Creature(11, 10, "Newcomer"), rat);
    tick(250);
    EXPECT_EQ(Sprites.Count(), 0);
    EXPECT_DOUBLE_EQ(health(rat), 10);

    // A hit still on its way when the list is cleared (the map left) never arrives.
    Sprites.Show_Attack(attack(orc, rat, 4, arrow), map);
    tick();
    Sprites.Clear();
    for (int32_t t = 0; t < 5; ++t)
        tick();
    EXPECT_DOUBLE_EQ(health(rat), 10);

    // A creature that goes takes the pictures attached to it, and their hit, along.
    TSpell area;
    area.Target_Type = static_cast<uint8_t>(TEffect_Target::Monster_Area);
    Master_Spells.Add(area);
    TSpell_Show s;
    s.Spell = 1;
    s.Caster = orc;
    s.Target = rat;
    s.Hit = true;
    s.Damage.Amount = 4;
    s.Damage.Firing_FX = burst;
    s.Impact_Sound = "zap.wav";
    Sprites.Show_Spell(s, map);
    ASSERT_EQ(Sprites.Count(), 3);
    map.Get_Square(11, 10)->Remove_Monster();
    map.Monster_List.Delete_Creature(rat);
    tick();
    EXPECT_EQ(Sprites.Count(), 0);
}

TEST_F(Sprites_Test, SpellsShowAsTheirTargetTypeAndEffectSay) {
    const uint16_t mage = map.Put_Creature(10, 10, "Mage");
    const uint16_t rat = map.Put_Creature(14, 10, "Rat");
    for (TEffect_Target type :
         {TEffect_Target::Location, TEffect_Target::Monster_Area, TEffect_Target::Monster}) {
        TSpell spell;
        spell.Target_Type = static_cast<uint8_t>(type);
        Master_Spells.Add(spell);
    }
    const uint16_t location = 1, area = 2, monster = 3;
    auto show = [&](uint16_t spell, uint8_t fx, bool with_sound = true, bool hit = true) {
        Sprites.Clear();
        TSpell_Show s;
        s.Spell = spell;
        s.Caster = mage;
        s.Target = rat;
        s.From_X = 10;
        s.From_Y = 10;
        s.X = 14;
        s.Y = 10;
        s.Hit = hit;
        s.Damage.Amount = 1;
        s.Damage.Firing_FX = fx;
        s.Impact_Sound = with_sound ? "zap.wav" : "";
        Sprites.Show_Spell(s, map);
        return shapes();
    };
    // 1. "Location": a missile, whatever its effect.
    EXPECT_EQ(show(location, burst), (std::vector<TShape>{{P::Missile, true, 0}}));
    EXPECT_EQ(show(location, 0), (std::vector<TShape>{{P::Missile, true, 0}}));
    // 2. "Monster Area" with frames: on the creature, its flash after, the hit last.
    std::vector<TShape> shown = show(area, burst);
    EXPECT_EQ(shown, (std::vector<TShape>{{P::Attached, true, 0},
                                          {P::Attached, false, number(1)},
                                          {P::Hit, false, number(2)}}));
    EXPECT_EQ(Sprites.Get(1)->Creature, Creature_Ref(map.Monster_List, rat));
    shown = show(area, burst, false);
    EXPECT_EQ(shown, (std::vector<TShape>{{P::Attached, true, 0}, {P::Hit, false, number(1)}}));
    // 3. Directional: a moving picture, the flash and the hit both after it.
    shown = show(monster, arrow);
    EXPECT_EQ(shown,
              (std::vector<TShape>{
                  {P::Moving, true, 0}, {P::Fixed, false, number(1)}, {P::Hit, false, number(1)}}));
    // 4. Frames on the square: the flash when there is a sound, the hit last.
    shown = show(monster, burst);
    EXPECT_EQ(shown,
              (std::vector<TShape>{
                  {P::Fixed, true, 0}, {P::Fixed, false, number(1)}, {P::Hit, false, number(2)}}));
    shown = show(monster, burst, false);
    EXPECT_EQ(shown, (std::vector<TShape>{{P::Fixed, true, 0}, {P::Hit, false, number(1)}}));
    // A spell that missed shows the same without a hit.
    shown = show(monster, burst, true, false);
    EXPECT_EQ(shown, (std::vector<TShape>{{P::Fixed, true, 0}, {P::Fixed, false, number(1)}}));
    EXPECT_EQ(Sprites.Get(2)->Picture, 1); // the miss row
    // 5. Nothing at all: no effect, or an area spell with a directional effect.
    EXPECT_EQ(show(monster, 0), std::vector<TShape>{});
    EXPECT_EQ(show(area, arrow), std::vector<TShape>{});

    // The moving picture ends on its target square; the hit arrives with it.
    show(monster, arrow);
    int32_t ticks = 0;
    while (Sprites.Get(1)->Placement == P::Moving && ticks < 20) {
        tick();
        ++ticks;
    }
    EXPECT_EQ(ticks, 7); // 16 a tick: within reach of the target square on the seventh
    EXPECT_DOUBLE_EQ(health(rat), 9);
    EXPECT_EQ(shapes(), (std::vector<TShape>{{P::Fixed, true, 0}}));
}

TEST_F(Sprites_Test, TheMapViewIsToldWhatToDrawOnEachSquare) {
    const uint16_t rat = map.Put_Creature(30, 30, "Rat");
    TSprite fixed;
    fixed.X = 20;
    fixed.Y = 21;
    fixed.Picture_Kind = TSprite_Picture::Damage_Frame;
    fixed.Picture = 6;
    fixed.Frame = 2;
    Sprites.Add(fixed, map);
    TSprite moving = TSprites_List::Make_Moving(P::Missile, 20, 21, 25, 21);
    moving.Pos_X = 28 * 20 + 9.7; // rx 9
    moving.Pos_Y = 28 * 21 + 5.2; // ry 5
    moving.Picture_Kind = TSprite_Picture::Display_Effect;
    moving.Picture = arrow;
    moving.Frame = 2;
    Sprites.Add(moving, map);
    TSprite hidden = fixed;
    hidden.Active = false;
    hidden.Waits_For = 1;
    Sprites.Add(hidden, map);
    TSprite follow;
    follow.Placement = P::Attached;
    follow.Creature = Creature_Ref(map.Monster_List, rat);
    follow.Picture_Kind = TSprite_Picture::Display_Effect;
    follow.Picture = burst;
    follow.Frame = 1;
    Sprites.Add(follow, map);

    auto drawn = [&](int32_t x, int32_t y) {
        std::vector<TSprite_Drawing> all;
        Sprites.For_Each_On_Square(x, y, map, [&](const TSprite_Drawing& d) { all.push_back(d); });
        return all;
    };
    const auto on_20_21 = drawn(20, 21);
    ASSERT_EQ(on_20_21.size(), 2u); // the waiting sprite is not drawn
    EXPECT_EQ(on_20_21[0].Picture_Kind, TSprite_Picture::Damage_Frame);
    EXPECT_EQ(std::pair(on_20_21[0].Offset_X, on_20_21[0].Offset_Y), std::pair(0, 0));
    EXPECT_EQ(std::pair(on_20_21[0].Picture, on_20_21[0].Frame), std::pair(6, 2));
    // 9 + 5 + 1 across; 13 - 4 + 2 - 18 down.
    EXPECT_EQ(std::pair(on_20_21[1].Offset_X, on_20_21[1].Offset_Y), std::pair(15, -7));
    EXPECT_EQ(std::pair(on_20_21[1].Picture, on_20_21[1].Frame), std::pair(int32_t{arrow}, 2));
    // Moving sprites are drawn where their position falls, without the half square that
    // decides what they strike.
    moving.Pos_X = 28 * 20 + 20;
    Sprites.Clear();
    Sprites.Add(moving, map);
    EXPECT_EQ(drawn(20, 21).size(), 1u);
    EXPECT_TRUE(drawn(21, 21).empty());
    EXPECT_TRUE(Sprites.Is_Missile_On_Square(21, 21));

    // The attached sprite goes where its creature goes.
    Sprites.Clear();
    Sprites.Add(follow, map);
    EXPECT_EQ(drawn(30, 30).size(), 1u);
    TMonster& creature = *map.Monster_List.Get(rat);
    map.Get_Square(30, 30)->Remove_Monster();
    creature.X = 31;
    map.Place_Monster_At_Its_Position(creature);
    EXPECT_TRUE(drawn(30, 30).empty());
    EXPECT_EQ(drawn(31, 30).size(), 1u);
}

} // namespace
