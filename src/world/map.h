#pragma once
// One dungeon level: 200 x 200 squares holding terrain, items and piles, creatures,
// locks and traps, with the sight and light of the 15 x 15 view window. The map owns
// its terrain list, its items and its creatures; squares refer to them by number.
//
// Every square query is safe off the map (x or y outside 1..200): there is no square
// there, it blocks movement and sight, and nothing stands or lies on it.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "rules/item_list.h"
#include "rules/main_callbacks.h"
#include "rules/monster.h"
#include "rules/monster_list.h"
#include "world/store.h"
#include "world/terrain.h"

class TMap;
class TValue_Reader;
class TValue_Writer;

inline constexpr int32_t Map_Size = 200;
inline constexpr int32_t View_Size = 15;

// Square flags.
inline constexpr uint16_t Square_Explored = 1;
inline constexpr uint16_t Square_Pile = 2;
inline constexpr uint16_t Square_Entrance = 8;
inline constexpr uint16_t Square_Locked = 32;
inline constexpr uint16_t Square_Trapped = 64;
inline constexpr uint16_t Square_Secret_Checked = 128;
inline constexpr uint16_t Square_Secret_Found = 256;
inline constexpr uint16_t Square_Lock_Tried = 512;

class TMap_Square {
  public:
    uint16_t Terrain = 0; // slot in the map's terrain list
    uint16_t Item = 0;    // an item number, or a collection index when piled
    uint16_t Monster = 0; // a creature number
    uint16_t Flags = 0;
    uint8_t Overlay = 0;

    const TTerrain* Get_Terrain(const TMap& map) const;
    TMonster* Get_Monster(TMap& map) const;
    // The first item of the pile, or the single item.
    TItem* Get_Top_Item(TMap& map) const;
    // Creatures do not block sight; a square without terrain does.
    bool Has_Vision_Flag(const TMap& map, uint8_t mask) const;
    // False whenever a creature stands here, or there is no terrain.
    bool Has_Movement_Flag(const TMap& map, uint8_t mask) const;
    // The terrain's light, or the standing creature's if larger.
    int32_t Get_Light_Radius(const TMap& map) const;
    uint32_t Get_Overview_Color(const TMap& map) const;
    // The terrain's description when its action is "Look".
    std::string Get_Look_Description(const TMap& map) const;
    std::vector<std::string> Get_Categories(const TMap& map) const;
    bool Get_Display_Chest_Window(const TMap& map) const;

    void Place_Monster(const TMonster& creature) { Monster = creature.Number; }
    void Remove_Monster() { Monster = 0; }
    // Piles up a second item; always true: a pile whose collection is gone gets a new
    // one, so a dropped item is never lost.
    bool Add_Item(TMap& map, uint16_t item_number);
    // Hands the top item to the creature; an item it does not accept goes back.
    bool Take_Top_Item(TMap& map, TMonster& creature);

    bool Get_Flag(uint16_t flag) const { return (Flags & flag) != 0; }
    void Set_Flag(uint16_t flag, bool on) { Flags = on ? (Flags | flag) : (Flags & ~flag); }
    bool Is_Explored() const { return Get_Flag(Square_Explored); }
    void Set_Explored(bool on) { Set_Flag(Square_Explored, on); }
    bool Is_Pile() const { return Get_Flag(Square_Pile); }
    bool Is_Entrance() const { return Get_Flag(Square_Entrance); }
    void Set_Entrance(bool on) { Set_Flag(Square_Entrance, on); }
    bool Is_Locked() const { return Get_Flag(Square_Locked); }
    bool Is_Trapped() const { return Get_Flag(Square_Trapped); }
    bool Is_Secret_Checked() const { return Get_Flag(Square_Secret_Checked); }
    bool Is_Secret_Found() const { return Get_Flag(Square_Secret_Found); }
    bool Is_Lock_Tried() const { return Get_Flag(Square_Lock_Tried); }
    void Set_Lock_Tried(bool on) { Set_Flag(Square_Lock_Tried, on); }

    void Clear() { *this = TMap_Square(); }
    void Assign(const TMap_Square& source) { *this = source; }

    // The picture layer (2 or 3) to leave out when drawing the square; 0 for none. dx
    // and dy are the square's position minus the viewer's. Drawn from memory (out of
    // sight) the terrain's hidden layer is always left out, whatever its side.
    int32_t Hidden_Layer(const TMap& map, int32_t dx, int32_t dy, bool in_sight) const;
    // For a secret door drawn in sight with layer 3 shown: the player's one detection
    // roll, made the first time and remembered. True when the door was found.
    bool Detect_Secret_Door(const TMap& map, const TMonster* player);

    // Word Terrain, Word Item, Word Monster, Word Flags, Byte Overlay.
    void Save(TValue_Writer& writer) const;
    void Load(TValue_Reader& reader);
};

// A list of values tied to one square (the chest window reads it).
struct TLocation_List {
    std::vector<uint16_t> Values;
    uint16_t X = 0, Y = 0;
};

// Named marks on squares, in parallel lists (locks and traps).
struct TSquare_Names {
    std::vector<std::string> Names;
    std::vector<uint16_t> X, Y;
    void Clear() { Names.clear(), X.clear(), Y.clear(); }
};

class TMap : public TCreature_World {
  public:
    TMap();
    TMap(const TMap&) = delete;
    TMap& operator=(const TMap&) = delete;
    ~TMap() override;

    std::string Display_Name;
    bool Universal_Light = false;
    std::string Version = "1.00";
    std::string Map_File_Name;
    TTerrain_List Terrains;
    TItem_List Item_List;
    TMonster_List Monster_List;
    // Store k at index k - 1; creatures name theirs by Store_Number.
    std::vector<TStore> Stores;
    // Not saved with the map: the game header names the player.
    uint16_t Player_Number = 0;

    // Nothing off the map.
    TMap_Square* Get_Square(int32_t x, int32_t y);
    const TMap_Square* Get_Square(int32_t x, int32_t y) const;
    static bool In_Map(int32_t x, int32_t y) {
        return x >= 1 && x <= Map_Size && y >= 1 && y <= Map_Size;
    }

    // Makes this the map creatures live in.
    void Make_Current() { Set_Creature_World(this); }

    void Clear(bool clear_terrains);
    void Assign(const TMap& source);
    void Set_Display_Name(const std::string& name) { Display_Name = name; }
    void Set_Universal_Light(bool on) { Universal_Light = on; }

    void Place_Monster_At_Its_Position(const TMonster& creature);
    // Turns the square into the last terrain with this ID (what doors open into). An
    // ID the terrain list lacks leaves the square as it is, never without terrain;
    // false then, and off the map.
    bool Change_Terrain(int32_t x, int32_t y, uint16_t terrain_id);
    // Every creature's tick, in list order, fetched by number so that creatures dying
    // or appearing during the pass are never touched after they are gone; then the
    // dead are freed (TMonster_List::Remove_Dead). The monsters that think in the pass
    // act through the callbacks.
    void Tick_Monsters(TMain_Callbacks& callbacks, int32_t ticks_per_second);
    // A random free square a land mover may enter, in growing blocks up to 10 squares
    // out (the centre included).
    bool Find_Empty_Square_Near(int32_t x, int32_t y, int32_t& found_x, int32_t& found_y) const;

    static int32_t Round_Distance(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    static int32_t Square_Distance(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    static int32_t Clamp_X(int32_t v);
    static int32_t Clamp_Y(int32_t v);

    // Appends the store and returns its number.
    uint16_t Add_Store(const TStore& store) {
        Stores.push_back(store);
        return static_cast<uint16_t>(Stores.size());
    }
    // Store n (1-based); nothing outside the table.
    TStore* Get_Store(int32_t n) {
        return n >= 1 && n <= static_cast<int32_t>(Stores.size()) ? &Stores[n - 1] : nullptr;
    }

    // Nothing for 0 or above the table.
    TItem_Collection* Get_Collection(int32_t index);
    const TItem_Collection* Get_Collection(int32_t index) const;
    // A new empty collection in the last empty entry, or appended; first index 1.
    uint16_t New_Collection();
    bool Delete_Collection(int32_t index);
    int32_t Collection_Table_Size() const { return static_cast<int32_t>(collections_.size()); }

    void Add_Location_List(const std::vector<uint16_t>& list, int32_t x, int32_t y);
    // The list of the last entry tied to (x, y); nothing when none is.
    const std::vector<uint16_t>* Get_Location_List(int32_t x, int32_t y) const;
    std::vector<uint16_t>* Get_Location_List(int32_t x, int32_t y);
    const std::vector<TLocation_List>& Location_Lists() const { return location_lists_; }

    void Set_Lock(const std::string& name, int32_t x, int32_t y, bool locked);
    bool Get_Lock_Name(int32_t x, int32_t y, std::string& name) const;
    void Set_Trap(const std::string& name, int32_t x, int32_t y, bool trapped);
    bool Get_Trap_Name(int32_t x, int32_t y, std::string& name) const;
    const TSquare_Names& Locks() const { return locks_; }
    const TSquare_Names& Traps() const { return traps_; }

    bool Is_Vision_Clear(int32_t x, int32_t y, uint8_t mask) const;
    // The 15 x 15 window whose top-left square is (left, top); cells off the map are
    // never visible.
    void Compute_Sight(int32_t left, int32_t top, uint8_t mask);
    void Compute_Light(int32_t left, int32_t top, uint8_t mask);
    // 0 outside 0..14.
    uint8_t Get_Sight(int32_t i, int32_t j) const;
    // Light level 0 (brightest) to 5; 4 or more is dark. 0 outside 0..14.
    uint8_t Get_Light(int32_t i, int32_t j) const;
    int32_t Sight_Left() const { return sight_left_; }
    int32_t Sight_Top() const { return sight_top_; }
    int32_t Light_Left() const { return light_left_; }
    int32_t Light_Top() const { return light_top_; }
    // Squares between the two points that block normal sight.
    int32_t Count_Sight_Blockers(int32_t x1, int32_t y1, int32_t x2, int32_t y2) const;
    // Whether a missile can fly between the two points.
    bool Is_Line_Clear(int32_t x1, int32_t y1, int32_t x2, int32_t y2) const;

    // Each empties the list, then gives every picture of the terrains, creatures or
    // items its index in it (1-based), adding names not yet there.
    void Prepare_Terrain_Pictures(std::vector<std::string>& pictures);
    void Prepare_Monster_Pictures(std::vector<std::string>& pictures);
    void Prepare_Item_Pictures(std::vector<std::string>& pictures);

    // TCreature_World
    TItem_List& Items() override { return Item_List; }
    TMonster_List& Monsters() override { return Monster_List; }
    TMonster* Player() override { return Monster_List.Get(Player_Number); }
    void Forget_Player() override { Player_Number = 0; }
    void Set_Square_Creature(int32_t x, int32_t y, uint16_t number) override;
    void Drop_Item(int32_t x, int32_t y, uint16_t item_number) override;
    // To the sound service.
    void Play_Sound(const std::string& wave_file, int32_t x, int32_t y) override;
    // To the installed callbacks (the main screen).
    void Player_Died(const TDeath_Report& report) override;
    // The current module's "Monster Killed" trigger.
    void Raise_Monster_Killed(uint16_t event_id) override;
    // The monster thinks with the callbacks of the pass under way (the installed ones
    // outside a pass). Monsters more than 30 squares from the player do not think.
    bool Behaviour_Step(TMonster& monster) override;

  protected:
    std::vector<TMap_Square> squares_;                           // x-major: (x - 1) * 200 + (y - 1)
    std::vector<std::unique_ptr<TItem_Collection>> collections_; // entry 0 unused
    std::vector<TLocation_List> location_lists_;
    TSquare_Names locks_;
    TSquare_Names traps_;
    std::array<std::array<uint8_t, View_Size>, View_Size> sight_{}; // [i][j]
    std::array<std::array<uint8_t, View_Size>, View_Size> light_{};
    int32_t sight_left_ = 0, sight_top_ = 0, light_left_ = 0, light_top_ = 0;
    uint8_t sight_mask_ = 0, light_mask_ = 0;
    TMain_Callbacks* pass_callbacks_ = nullptr; // while Tick_Monsters runs
};

// The map as it is written to and read from a map file.
class TWriteable_Map : public TMap {
  public:
    // Turns the terrain file name a map names into the file to read (normally the
    // module's "Tiles\" folder); an empty answer counts as a missing file.
    using TTerrain_File_Resolver = std::function<std::string(const std::string& name)>;

    // The map record. Throws TStream_Error when a value cannot be written.
    void Save(TValue_Writer& writer) const;
    // Reads the map record and the terrain file it names. A damaged record (a wrong
    // tag, lists that should be parallel and are not, a creature off the map, a store
    // stocking a missing item) throws TStream_Error and leaves the map as it was. A
    // square's stale item or creature number is dropped; a terrain file that cannot be
    // found is reported and the level loads without terrain.
    void Load(TValue_Reader& reader, const TTerrain_File_Resolver& terrain_file = {});
};

// The one level held in memory while a game runs (made with the global structures).
extern std::unique_ptr<TWriteable_Map> Current_Map;
