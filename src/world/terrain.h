#pragma once
// The kinds of ground, wall, door, chest and decoration that fill map squares. Each map
// owns a terrain list loaded from its terrain file; squares keep only a slot number in
// that list, so slots stay stable for the life of the map.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "rules/damage.h"
#include "rules/record_fields.h"

// What acting on a terrain can do; names match the data file exactly.
enum class TTerrain_Action : uint8_t {
    None = 0,
    Move = 1,
    Open = 2,
    Close = 3,
    Look = 4,
    Examine = 5,
    Take = 6,
    Eat = 7,
    Use = 8,
    Cast = 9,
    Attack = 10,
    Any = 11,
    Bash_Door = 12,
    Open_Secret = 13,
};
inline constexpr int32_t Terrain_Action_Count = 14;
// The exact data-file name of an action; empty outside 0..13.
std::string Terrain_Action_Name(int32_t action);
// The action of that exact name, 0 ("None") when no name matches.
uint8_t Terrain_Action_From_Name(const std::string& name);

// Movement kinds and the one vision kind.
inline constexpr uint8_t Movement_Land = 1;
inline constexpr uint8_t Movement_Air = 2;
inline constexpr uint8_t Movement_Water = 4;
inline constexpr uint8_t Movement_Ethereal = 8;
inline constexpr uint8_t Vision_Normal = 1;

class TTerrain {
  public:
    uint16_t Slot = 0;
    uint16_t ID = 0;
    std::string Name;
    std::string Description;
    std::vector<std::string> Categories; // lower case
    std::array<std::string, 3> Picture_Filename;
    uint8_t Movement_Flags = 0;
    uint8_t Vision_Flags = 0;
    uint16_t Next_Animated_Terrain_ID = 0; // carried, no rule reads it
    uint32_t Overview_Color = 0;           // red bits 0-7, green 8-15, blue 16-23
    uint8_t Light_Radius_Generated = 0;
    TDamage Damage;
    uint8_t Sight_Side_Hidden = 0; // 0 none, 1 north, 2 east, 3 south, 4 west
    uint8_t Sight_Hidden_Layer = 3;
    uint8_t Next_Terrain_Action = 0;
    std::string Next_Terrain_Sound_File;
    std::array<uint16_t, 4> Next_Terrain_ID{}; // [0] action result, [1] bashing result
    bool Display_Chest_Window = false;
    std::string Locked_Terrain_Group;
    std::vector<std::string> Locked_Key_Groups;
    std::string Trapped_Terrain_Group;
    uint8_t Style = 0;
    std::vector<std::string> Duplicate_L2; // only while loading
    std::vector<std::string> Duplicate_L3;
    std::array<uint16_t, 3> Picture_Index{};

    virtual ~TTerrain() = default;
    void Assign(const TTerrain& source) { *this = source; }
    bool Has_Movement_Flag(uint8_t mask) const { return (Movement_Flags & mask) != 0; }
    bool Has_Vision_Flag(uint8_t mask) const { return (Vision_Flags & mask) != 0; }
    bool Is_In_Category(const std::string& name) const;
    // Layers 1..3; any other layer reads empty and is ignored.
    std::string Get_Picture_Filename(int32_t layer) const;
    void Set_Picture_Index(int32_t layer, uint16_t index);
    // The terrain ID the action turns this terrain into, 0 for no change. "Use" and
    // "Any" follow the terrain's own action one level only, so a terrain whose action
    // is itself "Use" or "Any" yields 0. The change's sound goes to the sound service.
    uint16_t Get_Next_Terrain(int32_t action) const;
};

// What every list holds.
class TWriteable_Terrain : public TTerrain {
  public:
    TWriteable_Terrain() = default;
    explicit TWriteable_Terrain(const TTerrain& terrain) : TTerrain(terrain) {}
};

class TTerrain_List {
  public:
    TTerrain_List() = default;
    TTerrain_List(const TTerrain_List& other) { Assign(other); }
    TTerrain_List& operator=(const TTerrain_List& other) {
        Assign(other);
        return *this;
    }

    std::string File_Name;

    uint16_t Count() const { return static_cast<uint16_t>(slots_.size()); }
    // Nothing for slot 0, above Count, or an empty slot.
    const TTerrain* Get_Terrain(int32_t slot) const;
    TTerrain* Get_Terrain(int32_t slot);
    // Stores a copy in the first empty slot (or appends) and returns its slot; 0 when
    // the list is full.
    uint16_t Add_Terrain(const TTerrain& terrain);
    // The last slot whose terrain has this ID, 0 if none.
    uint16_t Find_Terrain_Slot_By_ID(uint16_t id) const;
    void Clear() { slots_.clear(); }
    void Assign(const TTerrain_List& source);
    // Clears, remembers the file's name (without folder), loads every record and
    // expands duplicates. The errors are shown under "Terrain Data File Errors: ";
    // false when there were any (what loaded is kept).
    bool Load_Terrain_File(const std::string& path);
    // The same without showing the errors (for the validator).
    TData_File_Report Read_Terrain_File(const std::string& path);

  private:
    std::vector<std::unique_ptr<TWriteable_Terrain>> slots_;
};
