#pragma once
// Hand-built maps for the world tests: terrains by slot, walls drawn square by square,
// creatures and items put straight in.

#include <fstream>
#include <sstream>
#include <string>

#include "world/map.h"

// The bytes of a data file kept among the world test fixtures.
inline std::string Read_Fixture(const std::string& name) {
    std::ifstream file(KV_FIXTURES_DIR "/world/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// Slots of the terrains every test map has.
inline constexpr uint16_t Floor = 1;      // land and air movers, sight passes
inline constexpr uint16_t Wall = 2;       // blocks everything
inline constexpr uint16_t Torch = 3;      // floor giving light of radius 3
inline constexpr uint16_t Water = 4;      // water movers only, sight passes
inline constexpr uint16_t North_Wall = 5; // a wall whose layer 3 hides from the north

inline TTerrain Make_Terrain(uint16_t id, const std::string& name, uint8_t movement, uint8_t vision,
                             uint8_t light = 0) {
    TTerrain t;
    t.ID = id;
    t.Name = name;
    t.Movement_Flags = movement;
    t.Vision_Flags = vision;
    t.Light_Radius_Generated = light;
    return t;
}

// A map that is floor everywhere, with the test terrains, current while it lives.
struct TTest_Map : TWriteable_Map {
    TTest_Map() {
        Terrains.Add_Terrain(Make_Terrain(1, "Floor", Movement_Land | Movement_Air, Vision_Normal));
        Terrains.Add_Terrain(Make_Terrain(2, "Wall", 0, 0));
        Terrains.Add_Terrain(
            Make_Terrain(3, "Torch", Movement_Land | Movement_Air, Vision_Normal, 3));
        Terrains.Add_Terrain(Make_Terrain(4, "Water", Movement_Water, Vision_Normal));
        TTerrain north = Make_Terrain(5, "North Wall", 0, 0);
        north.Sight_Side_Hidden = 1;
        north.Sight_Hidden_Layer = 3;
        Terrains.Add_Terrain(north);
        Fill(1, 1, Map_Size, Map_Size, Floor);
        Make_Current();
    }
    void Fill(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint16_t terrain) {
        for (int32_t x = x1; x <= x2; ++x)
            for (int32_t y = y1; y <= y2; ++y)
                Get_Square(x, y)->Terrain = terrain;
    }
    // A creature standing at (x, y); returns its number.
    uint16_t Put_Creature(int32_t x, int32_t y, const std::string& name = "Rat",
                          uint8_t light = 0) {
        TMonster creature;
        creature.Name = name;
        creature.X = static_cast<uint8_t>(x);
        creature.Y = static_cast<uint8_t>(y);
        creature.Light_Radius = light;
        creature.Base_Light_Radius = light;
        creature.Base_Movement_Interval = 1000;
        creature.Movement_Interval = 1000;
        creature.Maximum_Health = 10;
        creature.Health = 10;
        const uint16_t number = Monster_List.Add(creature);
        Place_Monster_At_Its_Position(*Monster_List.Get(number));
        return number;
    }
    uint16_t Put_Item(int32_t x, int32_t y, const std::string& name) {
        TItem item;
        item.Name = name;
        const uint16_t number = Item_List.Add(item);
        Get_Square(x, y)->Add_Item(*this, number);
        return number;
    }
};
