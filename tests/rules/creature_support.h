#pragma once
// A stand-in for the map as creatures see it, installed while it lives, and helpers
// to put items on it.

#include <string>
#include <tuple>
#include <vector>

#include "rules/class_info.h"
#include "rules/item_list.h"
#include "rules/monster.h"
#include "rules/monster_list.h"
#include "rules/spells.h"
#include "shell/options.h"

struct TFake_World : TCreature_World {
    TItem_List items;
    TMonster_List monsters;
    uint16_t player_number = 0;
    std::vector<std::tuple<int32_t, int32_t, uint16_t>> square_changes;
    std::vector<std::tuple<int32_t, int32_t, uint16_t>> drops;
    std::vector<std::string> sounds;
    std::vector<TDeath_Report> deaths;
    std::vector<uint16_t> events;
    int32_t behaviour_steps = 0;

    TFake_World() { Set_Creature_World(this); }
    ~TFake_World() override {
        Set_Creature_World(nullptr);
        Class_Infos.Clear();
        Master_Spells.Clear();
        Machine_Options.Game_Speed_Modified_Percent = 100;
    }
    TItem_List& Items() override { return items; }
    TMonster_List& Monsters() override { return monsters; }
    TMonster* Player() override { return monsters.Get(player_number); }
    void Forget_Player() override { player_number = 0; }
    void Set_Square_Creature(int32_t x, int32_t y, uint16_t number) override {
        square_changes.emplace_back(x, y, number);
    }
    void Drop_Item(int32_t x, int32_t y, uint16_t item) override { drops.emplace_back(x, y, item); }
    void Play_Sound(const std::string& wave, int32_t, int32_t) override { sounds.push_back(wave); }
    void Player_Died(const TDeath_Report& report) override { deaths.push_back(report); }
    void Raise_Monster_Killed(uint16_t event_id) override { events.push_back(event_id); }
    bool Behaviour_Step(TMonster&) override {
        ++behaviour_steps;
        return true;
    }

    // An item in the world's item list.
    uint16_t Add_Item(const std::string& name, TItem_Type type, uint16_t weight = 0) {
        TItem item;
        item.Name = name;
        item.Item_Type = static_cast<uint8_t>(type);
        item.Weight = weight;
        return items.Add(item);
    }
    // Runs the creature's ticks (20 a second) for that many ms of real time; stops when
    // it dies. Returns whether it lives.
    static bool Run(TMonster* creature, int32_t ms) {
        for (int32_t t = 0; t < ms; t += 50)
            if (!creature->Tick(20))
                return false;
        return true;
    }
};
