#include <gtest/gtest.h>

#include <sstream>

#include "rules/callbacks_recorder.h"
#include "rules/class_info.h"
#include "rules/monster_classes.h"
#include "rules/spells.h"
#include "shell/random.h"
#include "shell/services.h"
#include "world/actions.h"
#include "world/behaviour.h"
#include "world/casting.h"
#include "world_support.h"

namespace {

// Hits arrive one tick after they were shown, as a short sprite would deliver them.
// With at_once they land while the attacker is still acting, as with no sprites at all.
struct TDelayed_Hits : TCallbacks_Recorder {
    int32_t delivered = 0;
    bool at_once = false;
    void Show_Attack(const TAttack_Show& attack) override {
        TCallbacks_Recorder::Show_Attack(attack);
        if (at_once)
            Next_Tick();
    }
    void Show_Spell(const TSpell_Show& spell) override {
        TCallbacks_Recorder::Show_Spell(spell);
        if (at_once)
            Next_Tick();
    }
    void Next_Tick() {
        delivered += static_cast<int32_t>(attacks.size() + spells.size());
        Deliver_Hits();
    }
};

TSpell sim_spell(const std::string& name, TEffect_Target target, int32_t range) {
    TSpell s;
    s.Name = name;
    s.Maximum_Levels_From_Start = 5;
    s.Target_Type = static_cast<uint8_t>(target);
    s.Damage.Set_Damage(1, 3, 0, range);
    return s;
}

// Summoners call imps.
struct TImp_File : TSummon_Service {
    bool Read_Summon_Classes(TMonster_Class_List& classes) override {
        TMonster_Class imp;
        imp.Name = "Imp";
        imp.Movement_Mask = Movement_Land;
        imp.Health_Min = imp.Health_Max = 8;
        imp.Movement_Speed = "Normal";
        classes.General.Movement_Speeds = {{"Normal", 300}};
        classes.General.Health_Modifier = 1;
        classes.Add(imp);
        return true;
    }
};

// A walled arena with a player and monsters of every strategy; the screen it plays on
// is installed while it lives.
struct TArena : TTest_Map {
    TDelayed_Hits shown;
    TImp_File imps;
    TScoped_Services use{{.Callbacks = &shown, .Summons = &imps}};

    explicit TArena(uint16_t hero_health) {
        TClass_Info hero_class;
        hero_class.Class_Name = "Hero";
        hero_class.Base_Maximum_Health = hero_health;
        hero_class.Health_Regeneration = 1;
        hero_class.Base_Maximum_Hunger = 1000;
        hero_class.Base_Movement_Speed = 250;
        hero_class.Attack_Per_Dexterity = 3;
        Class_Infos.Add(hero_class);
        Fill(1, 1, Map_Size, Map_Size, Wall);
        Fill(40, 40, 80, 80, Floor);
        Fill(60, 45, 60, 70, Wall);

        TSpell bolt = sim_spell("Bolt", TEffect_Target::Monster, 8);
        bolt.Effects.Add_Effect(TEffect_Type::Fire_Damage, 2, 5);
        Master_Spells.Add(bolt);
        TSpell blast = sim_spell("Blast", TEffect_Target::Monster_Area, 8);
        blast.Area_Radius = 2;
        blast.Effects.Add_Effect(TEffect_Type::Cold_Damage, 1, 4);
        blast.Effects.Add_Effect(TEffect_Type::Reduce_Target_Movement, 50, 0);
        blast.Duration = 2;
        Master_Spells.Add(blast);
        TSpell call = sim_spell("Call", TEffect_Target::No_Target, 0);
        call.Summoned_Monster = "Imp";
        call.Summon_Base_Count = 2;
        Master_Spells.Add(call);
        TSpell blink = sim_spell("Blink", TEffect_Target::Self, 0);
        blink.Effects.Add_Effect(TEffect_Type::Teleport, 6, 6);
        blink.Effects.Add_Effect(TEffect_Type::Life_Current, 5, 5);
        Master_Spells.Add(blink);

        Player_Number = Put_Creature(50, 60, "Hero");
        TMonster& hero = *Player();
        hero.Base_Dexterity = 20;
        hero.Set_Class(1);
        hero.Level = 3;
        hero.Fill_Health();
        hero.Fill_Hunger();

        using S = TMovement_Strategy;
        add(45, 45, S::Hunt, "Rat").Spells.Learn(4, 1, 20);
        add(75, 75, S::Ranged_Hunt, "Mage").Spells.Learn(1, 2, 60);
        add(70, 50, S::Hunt, "Shaman").Spells.Learn(2, 1, 40);
        add(78, 42, S::Hunt, "Summoner").Spells.Learn(3, 1, 30);
        add(42, 78, S::Wander_Around, "Bat");
        add(55, 55, S::Patrol, "Sentry");
        add(65, 65, S::Keep_Away, "Coward");
        add(44, 70, S::Follow, "Shadow");
        add(58, 78, S::Stay_Put, "Toad");
        add(72, 72, S::Anchored_5_Squares, "Hound");
        TMonster& thorns = add(66, 44, S::Guard, "Bramble");
        thorns.Add_Permanent_Effect(static_cast<uint8_t>(TEffect_Type::Attacker_Takes_Damage), 4,
                                    0);
        TMonster& spider = add(48, 48, S::Hunt, "Spider");
        natural_effect(spider, TEffect_Type::Poison_Damage, 1, 2);
        TMonster& siren = add(52, 75, S::Hunt, "Siren");
        natural_effect(siren, TEffect_Type::Change_Allegiance, 30, 0);
        for (int i = 0; i < 2; ++i) {
            TMonster& ally = add(49 + i * 2, 61, S::Guard_Monster, "Ally");
            ally.Leader = Player_Number;
            ally.Guard_Distance = 3;
        }
    }
    ~TArena() override {
        Class_Infos.Clear();
        Master_Spells.Clear();
    }
    TMonster& add(int32_t x, int32_t y, TMovement_Strategy strategy, const std::string& name) {
        TMonster& m = *Monster_List.Get(Put_Creature(x, y, name));
        m.Movement_Strategy = static_cast<uint8_t>(strategy);
        m.Movement_Mask = Movement_Land;
        m.Level = 2;
        m.Maximum_Health = m.Health = 40;
        m.Attack_Ability = 30;
        m.Defense_Ability = 20;
        m.Base_Movement_Interval = m.Movement_Interval = 300;
        m.Natural_Attacks.Clear();
        m.Natural_Attacks.Add_Natural_Attack("Claw", 100, 2, 6, 1, 0, 0);
        return m;
    }
    static void natural_effect(TMonster& m, TEffect_Type type, int32_t min, int32_t max) {
        m.Natural_Attacks.Get_Effects(1)->Add_Effect(type, min, max);
    }

    // Every creature is where its squares say, and every number it holds names a
    // creature; the first fault found is described.
    std::string fault() {
        std::ostringstream why;
        for (int32_t n = 1; n <= Monster_List.Count(); ++n) {
            const TMonster* m = Monster_List.Get(n);
            if (!m)
                continue;
            if (m->Number != n)
                why << "creature " << n << " calls itself " << m->Number;
            else if (!In_Map(m->X, m->Y) || Get_Square(m->X, m->Y)->Monster != n)
                why << "creature " << n << " is not on its square";
            else if (m->Leader != 0 && !Monster_List.Get(m->Leader))
                why << "creature " << n << " follows a missing leader " << m->Leader;
            else if (m->Condition_Source != 0 && !Monster_List.Get(m->Condition_Source))
                why << "creature " << n << " keeps a missing source";
            else if (m->Health < 0 || m->Health > m->Maximum_Health)
                why << "creature " << n << " has health " << m->Health;
            if (!why.str().empty())
                return why.str();
        }
        for (int32_t x = 1; x <= Map_Size; ++x)
            for (int32_t y = 1; y <= Map_Size; ++y)
                if (const uint16_t n = Get_Square(x, y)->Monster) {
                    const TMonster* m = Monster_List.Get(n);
                    if (!m || m->X != x || m->Y != y)
                        return "square " + std::to_string(x) + "," + std::to_string(y) +
                               " names creature " + std::to_string(n);
                }
        if (Player_Number != 0 && !Player())
            return "the player is missing";
        return {};
    }

    // The player acts when its move is due: strikes a neighbour, else walks at random.
    void player_turn(int32_t tick) {
        TMonster* hero = Player();
        if (!hero || tick % 5 != 0)
            return;
        for (int32_t d = 1; d <= 8; ++d) {
            const TMap_Square* s = Get_Square(hero->X + Direction_Dx(d), hero->Y + Direction_Dy(d));
            const TMonster* m = s ? s->Get_Monster(*this) : nullptr;
            if (m && m->Leader != Player_Number) {
                Player_Step(*this, *hero, d, shown);
                return;
            }
        }
        Player_Step(*this, *hero, Random_Range(1, 8), shown);
    }
};

} // namespace

namespace {

// Runs the arena for 4000 ticks (200 s of game time); returns the first fault found.
std::string run(TArena& arena) {
    std::string fault;
    for (int32_t tick = 1; tick <= 4000 && fault.empty(); ++tick) {
        arena.shown.Next_Tick();
        arena.player_turn(tick);
        arena.Tick_Monsters(arena.shown, 20);
        if (tick % 20 == 0)
            fault = arena.fault();
    }
    return fault;
}

int32_t living(TArena& arena) {
    int32_t alive = 0;
    for (int32_t n = 1; n <= arena.Monster_List.Count(); ++n)
        alive += arena.Monster_List.Get(n) != nullptr;
    return alive;
}

} // namespace

TEST(Combat_Simulation, A_Strong_Hero_Clears_The_Arena) {
    Set_Random_Seed(20261206);
    TArena arena(3000);
    const int32_t at_start = living(arena);
    EXPECT_EQ(run(arena), "");
    EXPECT_GT(arena.shown.delivered, 100);
    EXPECT_NE(arena.Player(), nullptr);
    EXPECT_LT(living(arena), at_start / 2);
}

TEST(Combat_Simulation, The_Monsters_Go_On_After_The_Heros_Death) {
    Set_Random_Seed(20261206);
    TArena arena(300);
    EXPECT_EQ(run(arena), "");
    EXPECT_EQ(arena.Player(), nullptr);
    ASSERT_EQ(arena.shown.deaths.size(), 1u);
    EXPECT_EQ(arena.shown.deaths[0].Name, "Hero");
    // Its allies no longer follow anyone.
    for (int32_t n = 1; n <= arena.Monster_List.Count(); ++n)
        if (const TMonster* m = arena.Monster_List.Get(n); m && m->Name == "Ally") {
            EXPECT_EQ(m->Leader, 0);
        }
}

TEST(Combat_Simulation, Hits_Landing_During_The_Attackers_Step) {
    Set_Random_Seed(77);
    TArena arena(1000);
    arena.shown.at_once = true;
    EXPECT_EQ(run(arena), "");
    EXPECT_GT(arena.shown.delivered, 100);
}
