#pragma once
// The tile class file: one header record that shapes a level (tile size, fill terrain,
// border rules, where the named starting tiles go, where the entrances are, global
// symbols) and one record per tile, a rectangle of symbol characters whose four sides
// carry connection types. Terrain categories stay names here; the digger resolves them
// against the level's terrain list through its category cache.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "rules/record_fields.h"

class TTerrain_Category_Cache;

// A named tile at a grid cell (X, Y from 1; 0 meaning random), or, for entrances, a
// square within that tile (column and row from 1).
struct TTile_Class_Specific_Location {
    std::string Name;
    uint8_t X = 0;
    uint8_t Y = 0;
};

// One alternative set of named tiles; the digger picks sets by chance.
struct TTile_Class_Group_Location {
    uint32_t Chance = 0;
    std::vector<TTile_Class_Specific_Location> Locations;
};

struct TTile_Class_Symbol {
    // Its first character is what rows use.
    std::string Symbol;
    std::vector<std::string> Categories;
};

struct TTile_Class_Info {
    uint32_t Tile_Square_Width = 0;
    uint32_t Tile_Square_Height = 0;
    std::vector<std::string> Fill_Categories;
    std::vector<std::string> Border_Fill_Categories;
    bool Change_Door_Directions = false;
    bool Change_Generic_Walls = false;
    bool Add_Black_Border = false;
    std::vector<std::string> Black_Border_Ceiling_Categories;
    std::vector<std::string> Black_Border_Wall_Categories;
    bool Third_Layer_Behind_Walls = false;
    bool Tiles_In_Border = false;
    bool Connection_Off_Map = false;
    bool Require_Start_Connections = false;
    uint32_t Increased_Border_Size = 0;
    uint32_t Percent_To_Fill = 0;
    uint32_t Tiles_Per_Cycle = 0;
    // Entry N - 1 is location, group or entrance N.
    std::vector<TTile_Class_Specific_Location> Specific_Locations;
    std::vector<TTile_Class_Group_Location> Group_Locations;
    std::vector<TTile_Class_Specific_Location> Entrances;

    // Squares per side the tile grid may cover: the whole map, or the map without its
    // outer 8 squares on each side.
    uint32_t Grid_Span() const { return Tiles_In_Border ? 200 : 184; }
    // The tile size gives a grid of at least one cell each way.
    bool Tile_Size_Usable() const;
};

struct TTile_Class {
    std::string Name;
    // Sides 1 north, 2 east, 3 south, 4 west at [0] to [3]; 0 is a closed side.
    uint8_t Connection_Types[4] = {0, 0, 0, 0};
    uint32_t Max_Per_Level = 0;
    uint32_t Max_Per_Module = 0;
    bool Allow_Random_Monsters = false;
    bool Allow_Wandering_Monsters = false;
    std::vector<std::string> Monster_Categories;
    bool Allow_Random_Items = false;
    std::vector<std::string> Item_Categories;
    bool Can_Rotate = false;
    uint32_t Percent_Chance = 0;
    uint32_t Section_Width = 0;
    uint32_t Section_Height = 0;
    uint32_t Section_X = 0;
    uint32_t Section_Y = 0;
    uint32_t Section_Group_ID = 0;
    // Only rows of the right width are kept, so there may be fewer than the height.
    std::vector<std::string> Rows;
    // The tile's own symbols first, then the file's global ones.
    std::vector<TTile_Class_Symbol> Symbols;
    // Positions are squares within the tile as the file gives them, never turned here.
    std::vector<TTile_Class_Specific_Location> Specific_Monsters;
    std::vector<TTile_Class_Specific_Location> Specific_Items;
    std::string Locked_Terrain_Groups;
    std::string Trapped_Terrain_Groups;
    // 0 for a tile from the file, 1 to 3 for a copy turned that many quarters clockwise.
    uint32_t Rotation = 0;
};

// The loaded file: the header and the tiles (tile number N is Tiles[N - 1]).
struct TTile_Class_Set {
    TTile_Class_Info Info;
    std::vector<TTile_Class> Tiles;

    int32_t Tile_Count() const { return static_cast<int32_t>(Tiles.size()); }
    // Tile number n, or nullptr outside 1..Tile_Count.
    TTile_Class* Tile(int32_t n);
    const TTile_Class* Tile(int32_t n) const;
    void Clear();
};

// The tile file the digger works from, replaced by each load.
extern TTile_Class_Set Tile_Classes;

// Reads a tile class file into set (emptied first) and adds the turned copies; the
// errors are returned, not shown.
//
// Header record keys: "Tile Square Width", "Tile Square Height",
// "Fill Level With Terrain Category", "Fill Level Border With Terrain Category",
// "Change Door Directions", "Change Generic Walls to Specific",
// "Add Black Border to Walls", "Black Border Ceiling Terrain Category",
// "Black Border Wall Terrain Category", "Set Third Layer Visibility Behind Walls",
// "Tiles allowed in the border", "Allow tile connection off map",
// "Require connection between starting points", "Increased Border Size",
// "Percent of map to fill", "Number of tiles to change to resize",
// "Number of specific tile locations", "Tile Location <n> Name" / " Xpos" / " Ypos"
// (a number or "[Random]"), "Number of group tile locations", "Tile Group <n> Chance",
// "Tile Group <n> Number of Tiles", "Tile Group <n> Tile <m> Name" / " Xpos" / " Ypos",
// "Number of Tile Entrances", "Tile Entrance <n> Name",
// "Tile Entrance <n> Tile Square Xpos" / " Ypos", "Number of Global Tile Identifiers",
// "Global Identifier <n> Symbol", "Global Identifier <n> Terrain Category".
//
// Tile record keys: "Tile Name", "Connection Type N" / "E" / "S" / "W",
// "Maximum Number Per Dungeon Level", "Maximum Number Per Module",
// "Allow Random Monster Placement in this Tile", "Allow Wandering Monster Placement",
// "Monster Placement Terrain Category", "Allow Random Item Placement in this Tile",
// "Item Placement Terrain Category", "Tile Can Be Rotated",
// "Tile Percent Chance Per Dungeon Level", "Tile Section Width", "Tile Section Height",
// "Tile Section Position X", "Tile Section Position Y", "Tile Section Group ID",
// "Tile Row <n>" for n = 1 to the tile height, "Number of Tile Specific Identifiers",
// "Identifier <n> Symbol", "Identifier <n> Terrain Category",
// "Number of Specific Monsters", "Monster <n> Class Name" / " Xpos" / " Ypos",
// "Number of Specific Items", "Item <n> Class Name" / " Xpos" / " Ypos",
// "Locked Terrain Groups", "Trapped Terrain Groups".
TData_File_Report Read_Tile_Class_File(const std::string& path, TTile_Class_Set& set);

// Loads the named file of the module's "Tiles\" folder into Tile_Classes, showing the
// errors under "Tile Class Data File Errors: "; false when there were any.
bool Load_Tile_Class_File(const std::string& filename);
void Free_Tile_Classes();

// A tile can be turned only when it is square and has all its rows.
bool Tile_Can_Turn(const TTile_Class& tile, const TTile_Class_Info& info);

// A square within a tile (column and row from 1).
struct TTile_Square {
    int32_t X = 0;
    int32_t Y = 0;
    bool operator==(const TTile_Square&) const = default;
};
// Where the square (x, y) of a tile lands in its copy turned rotation quarters
// clockwise; nothing when the square lies outside the tile, or the tile size cannot
// be turned.
std::optional<TTile_Square> Turn_Tile_Square(const TTile_Class_Info& info, uint32_t rotation,
                                             int32_t x, int32_t y);

// The terrain of a tile, square by square: calls put(column, row, slot) with column
// and row from 0 within the tile for every character whose symbol has categories
// matching a terrain. The first symbol starting with the character wins (the tile's
// own before the global ones). A symbol matched by exactly one terrain keeps it for
// the rest of the tile; one with several gets a fresh choice on every square. Only the
// rows the tile has are read.
void Paint_Tile_Squares(const TTile_Class& tile, const TTerrain_Category_Cache& terrains,
                        const std::function<void(int32_t, int32_t, uint16_t)>& put);

// The validator's check of one tile class file: loads it as the game does.
TData_File_Report Check_Tile_Class_File(const std::string& path);
