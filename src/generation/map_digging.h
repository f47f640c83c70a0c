#pragma once
// Digging one dungeon level from the loaded tile class file: tiles are laid on a coarse
// grid so that touching sides agree, the layout grows until the header's share of the
// grid is used, separate starting tiles are bridged when the header asks for it, and
// then every placed tile's terrain, locks and traps are painted onto the 200 x 200
// squares, walls, doors and wall outlines are refined, the level is populated and the
// outer border is painted.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "generation/terrain_category_cache.h"
#include "generation/tile_classes.h"

class TMap;
struct TModule_Map_Class;
struct TPopulation_Sources;

// Every entrance found on the level, in parallel lists: entrance ID, map x, map y.
struct TEntrance_Lists {
    std::vector<uint32_t> Ids;
    std::vector<int32_t> Xs, Ys;
    void Clear() { Ids.clear(), Xs.clear(), Ys.clear(); }
    size_t Count() const { return Ids.size(); }
    // The first entry with the ID.
    bool Find_Entrance(uint32_t id, int32_t& x, int32_t& y) const;
};

// One cell of the tile grid.
struct TGrid_Cell {
    int32_t Tile = 0; // tile number, 0 for an empty cell
    uint8_t Connections[4] = {0, 0, 0, 0};
    bool Growable = false;
    bool Starting = false;
    uint32_t Sequence = 0; // all sections of one large tile share it
};

// The tile grid of a dig, kept with the result so that population and the tools can
// tell which tile covers which squares.
struct TTile_Grid {
    int32_t Width = 0, Height = 0;
    int32_t Offset_X = 1, Offset_Y = 1;
    int32_t Tile_Width = 0, Tile_Height = 0;
    std::vector<TGrid_Cell> Cells; // (cx, cy) at (cx - 1) * Height + (cy - 1)

    bool In_Grid(int32_t cx, int32_t cy) const {
        return cx >= 1 && cx <= Width && cy >= 1 && cy <= Height;
    }
    TGrid_Cell& Cell(int32_t cx, int32_t cy) {
        return Cells[static_cast<size_t>((cx - 1) * Height + (cy - 1))];
    }
    const TGrid_Cell& Cell(int32_t cx, int32_t cy) const {
        return Cells[static_cast<size_t>((cx - 1) * Height + (cy - 1))];
    }
    bool Occupied(int32_t cx, int32_t cy) const {
        return In_Grid(cx, cy) && Cell(cx, cy).Tile != 0;
    }
    int32_t Occupied_Count() const;
    // The map square of the top-left corner of a cell.
    int32_t Left(int32_t cx) const { return Offset_X + (cx - 1) * Tile_Width; }
    int32_t Top(int32_t cy) const { return Offset_Y + (cy - 1) * Tile_Height; }
};

// What a dig made, for the tools and the checks.
struct TDig_Counts {
    int32_t Monsters = 0;
    int32_t Items = 0;
    int32_t Chests = 0;
    int32_t Stores = 0;
    int32_t Traps = 0;
    int32_t Locks = 0;
};

struct TDig_Request {
    uint32_t Map_Number = 0;
    // The name used in the log and in messages (the map's tile class file name).
    std::string Map_File_Name;
    // The map class whose population settings apply; nothing digs an empty level
    // (the map generator with a tile file that no map names).
    const TModule_Map_Class* Map_Class = nullptr;
    // The loaded class files that fill the level; nothing places nothing.
    TPopulation_Sources* Sources = nullptr;
    // The game reseeds from the clock for every level; a fixed seed given to the tool
    // keeps the sequence running so that the whole module is reproducible.
    bool Reseed_From_Clock = true;
    // How many times a layout whose random parts failed (a starting tile that found no
    // room, starting tiles that could not be joined) is dug again with the next random
    // numbers before the failure is reported.
    int32_t Layout_Attempts = 8;
};

struct TDig_Result {
    TEntrance_Lists Entrances;
    TTile_Grid Grid;
    TDig_Counts Counts;
    // The layouts dug before one succeeded or the last failed.
    int32_t Layout_Attempts_Used = 0;
};

// Builds the level in map (whose terrain list must be loaded) from tiles, appending
// messages to errors. A tile file whose tile size does not fit the map, that holds no
// tiles, or a map without terrain digs nothing and says so.
void Dig_Tile_Map(TMap& map, TTile_Class_Set& tiles, const TDig_Request& request,
                  TDig_Result& result, std::vector<std::string>& errors);

// The terrain categories of every style-0 terrain of the map's list.
void Cache_Terrain_Categories(const TMap& map, TTerrain_Category_Cache& cache);

// The square passes, each over the whole map (exposed for their own checks).
void Change_Generic_Walls_Pass(TMap& map, const TTerrain_Category_Cache& cache);
void Change_Door_Directions_Pass(TMap& map, const TTerrain_Category_Cache& cache);
void Add_Black_Border_Pass(TMap& map, const TTile_Class_Info& info);
