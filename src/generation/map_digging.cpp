#include "generation/map_digging.h"

#include <algorithm>
#include <array>

#include "generation/level_population.h"
#include "shell/debug_log.h"
#include "shell/helpers.h"
#include "shell/random.h"
#include "world/group_files.h"
#include "world/map.h"
#include "world/module_definition.h"

namespace {

constexpr const char* log_source = "RndDigTileMap";

// Directions 1 north, 2 east, 3 south, 4 west at index 0..3.
constexpr int32_t step_x[4] = {0, 1, 0, -1};
constexpr int32_t step_y[4] = {-1, 0, 1, 0};
constexpr int32_t facing_side(int32_t d) {
    return (d + 2) % 4;
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

} // namespace

bool TEntrance_Lists::Find_Entrance(uint32_t id, int32_t& x, int32_t& y) const {
    for (size_t i = 0; i < Ids.size(); ++i)
        if (Ids[i] == id) {
            x = Xs[i];
            y = Ys[i];
            return true;
        }
    return false;
}

int32_t TTile_Grid::Occupied_Count() const {
    return static_cast<int32_t>(
        std::count_if(Cells.begin(), Cells.end(), [](const TGrid_Cell& c) { return c.Tile != 0; }));
}

void Cache_Terrain_Categories(const TMap& map, TTerrain_Category_Cache& cache) {
    cache.Clear();
    for (int32_t slot = 1; slot <= map.Terrains.Count(); ++slot)
        if (const TTerrain* terrain = map.Terrains.Get_Terrain(slot))
            cache.Add_Terrain(static_cast<uint16_t>(slot), terrain->Style, terrain->Categories);
}

namespace {

// The layout of the tile grid: placing, growing and joining tiles.
class TGrid_Layout {
  public:
    TGrid_Layout(TTile_Class_Set& tiles, TTile_Grid& grid, std::vector<std::string>& errors,
                 uint32_t map_number, const std::string& map_file_name)
        : tiles_(tiles), info_(tiles.Info), grid_(grid), errors_(errors), map_number_(map_number),
          map_file_name_(map_file_name) {}

    // Whether a failure came from random choices, so that another layout may succeed.
    bool Random_Failure = false;

    void Place_Starting_Tiles() {
        bool placed_any = false;
        if (!info_.Specific_Locations.empty()) {
            for (const TTile_Class_Specific_Location& location : info_.Specific_Locations)
                place_tile_by_name(location.Name, location.X, location.Y, true);
            placed_any = true;
        } else {
            std::vector<int32_t> open_tiles;
            for (int32_t t = 1; t <= tiles_.Tile_Count(); ++t) {
                const uint8_t* c = tiles_.Tile(t)->Connection_Types;
                if (c[0] != 0 && c[1] != 0 && c[2] != 0 && c[3] != 0)
                    open_tiles.push_back(t);
            }
            if (!open_tiles.empty() && grid_.Width >= 1 && grid_.Height >= 1) {
                const int32_t pick = open_tiles[static_cast<size_t>(
                    Random(static_cast<int32_t>(open_tiles.size())))];
                // A grid too small for cell (6, 6) takes its centre cell.
                const int32_t cx =
                    grid_.Width >= 6 && grid_.Height >= 6 ? 6 : (grid_.Width + 1) / 2;
                const int32_t cy =
                    grid_.Width >= 6 && grid_.Height >= 6 ? 6 : (grid_.Height + 1) / 2;
                set_cell(cx, cy, pick, ++sequence_, false, true);
                placed_any = true;
            }
        }
        if (info_.Group_Locations.empty() || !placed_any)
            return;
        const int32_t r = Random_Range(1, 100);
        int64_t c = 0;
        for (const TTile_Class_Group_Location& group : info_.Group_Locations) {
            if (c <= r && r <= c + group.Chance)
                for (const TTile_Class_Specific_Location& location : group.Locations)
                    place_tile_by_name(location.Name, location.X, location.Y, false);
            c += group.Chance;
        }
    }

    // One growth cycle after another until the share of the grid is filled.
    void Grow() {
        const double target = static_cast<double>(grid_.Width) * grid_.Height *
                              static_cast<double>(info_.Percent_To_Fill) / 100.0;
        for (int32_t cycle = 1; cycle <= 100; ++cycle) {
            Add_Tiles_To_Empty_Map_Connections();
            if (static_cast<double>(grid_.Occupied_Count()) < target)
                change_tiles();
            else
                break;
        }
    }

    void Add_Tiles_To_Empty_Map_Connections() {
        Debug_Log(log_source, "Add_Tiles_To_Empty_Map_Connections");
        bool added = true;
        while (added) {
            added = false;
            for (int32_t cx = 1; cx <= grid_.Width; ++cx)
                for (int32_t cy = 1; cy <= grid_.Height; ++cy)
                    for (int32_t d = 0; d < 4; ++d) {
                        if (grid_.Cell(cx, cy).Tile == 0 || grid_.Cell(cx, cy).Connections[d] == 0)
                            continue;
                        const int32_t nx = cx + step_x[d], ny = cy + step_y[d];
                        if (grid_.In_Grid(nx, ny) && grid_.Cell(nx, ny).Tile == 0 &&
                            add_tile_to_location(nx, ny, 0))
                            added = true;
                    }
        }
    }

    // Bridges starting tiles that cannot reach each other; false when no bridge was
    // left to try (the message is added).
    bool Ensure_Starting_Point_Connections() {
        std::vector<std::pair<int32_t, int32_t>> starts;
        for (int32_t cx = 1; cx <= grid_.Width; ++cx)
            for (int32_t cy = 1; cy <= grid_.Height; ++cy)
                if (grid_.Cell(cx, cy).Tile != 0 && grid_.Cell(cx, cy).Starting)
                    starts.emplace_back(cx, cy);
        auto all_reached = [&](const std::vector<uint8_t>& reached) {
            return std::all_of(starts.begin(), starts.end(), [&](const auto& s) {
                return reached[index(s.first, s.second)] != 0;
            });
        };
        bool ok = true;
        bool joined = starts.empty();
        for (int32_t round = 1; !joined && round <= 1001; ++round) {
            const std::vector<uint8_t> reached = flood(starts.front());
            joined = all_reached(reached);
            if (joined)
                break;
            std::vector<std::array<int32_t, 4>> pairs;
            for (int32_t cx = 1; cx <= grid_.Width && pairs.size() < 50; ++cx)
                for (int32_t cy = 1; cy <= grid_.Height && pairs.size() < 50; ++cy) {
                    if (!reached[index(cx, cy)] || !grid_.Cell(cx, cy).Growable)
                        continue;
                    for (int32_t d = 0; d < 4 && pairs.size() < 50; ++d) {
                        const int32_t nx = cx + step_x[d], ny = cy + step_y[d];
                        if (grid_.In_Grid(nx, ny) && grid_.Cell(nx, ny).Growable &&
                            !reached[index(nx, ny)])
                            pairs.push_back({cx, cy, nx, ny});
                    }
                }
            if (pairs.empty()) {
                errors_.push_back("Could not ensure starting point connections on Map " +
                                  std::to_string(map_number_) + ": " + map_file_name_ + ".");
                Random_Failure = true;
                ok = false;
                break;
            }
            const auto& pair =
                pairs[static_cast<size_t>(Random(static_cast<int32_t>(pairs.size())))];
            const int32_t in_x = pair[0], in_y = pair[1], out_x = pair[2], out_y = pair[3];
            Debug_Log(log_source, "Clear In Tile:  (" + std::to_string(in_x) + "," +
                                      std::to_string(in_y) + ")");
            Debug_Log(log_source, "Clear Out Tile: (" + std::to_string(out_x) + "," +
                                      std::to_string(out_y) + ")");
            clear_placement(in_x, in_y);
            clear_placement(out_x, out_y);
            add_tile_to_location(in_x, in_y, side_mask(facing(in_x, in_y, out_x, out_y)));
            add_tile_to_location(out_x, out_y, side_mask(facing(out_x, out_y, in_x, in_y)));
            Add_Tiles_To_Empty_Map_Connections();
        }
        Add_Tiles_To_Empty_Map_Connections();
        // Bridges that keep being undone can use up every round; starts still apart then
        // are reported like a layout with no bridge left to try.
        if (ok && !joined && !all_reached(flood(starts.front()))) {
            errors_.push_back("Could not ensure starting point connections on Map " +
                              std::to_string(map_number_) + ": " + map_file_name_ + ".");
            Random_Failure = true;
            ok = false;
        }
        return ok;
    }

  private:
    size_t index(int32_t cx, int32_t cy) const {
        return static_cast<size_t>((cx - 1) * grid_.Height + (cy - 1));
    }
    static uint8_t side_mask(int32_t d) { return static_cast<uint8_t>(1u << d); }

    // The side of (ax, ay) that faces (bx, by).
    static int32_t facing(int32_t ax, int32_t ay, int32_t bx, int32_t by) {
        if (bx > ax)
            return 1;
        if (bx < ax)
            return 3;
        return by > ay ? 2 : 0;
    }

    void set_cell(int32_t cx, int32_t cy, int32_t tile_number, uint32_t sequence, bool starting,
                  bool growable) {
        TTile_Class* tile = tiles_.Tile(tile_number);
        if (!tile || !grid_.In_Grid(cx, cy))
            return;
        TGrid_Cell& cell = grid_.Cell(cx, cy);
        cell.Tile = tile_number;
        std::copy(std::begin(tile->Connection_Types), std::end(tile->Connection_Types),
                  cell.Connections);
        cell.Sequence = sequence;
        cell.Starting = starting;
        cell.Growable = growable;
        if (tile->Max_Per_Level > 0)
            --tile->Max_Per_Level;
        if (tile->Max_Per_Module > 0)
            --tile->Max_Per_Module;
    }

    bool tile_fits(const TTile_Class& tile, int32_t cx, int32_t cy) const {
        for (int32_t d = 0; d < 4; ++d) {
            const int32_t nx = cx + step_x[d], ny = cy + step_y[d];
            if (!grid_.In_Grid(nx, ny))
                return false;
            const TGrid_Cell& neighbour = grid_.Cell(nx, ny);
            if (neighbour.Tile == 0)
                continue;
            if (neighbour.Connections[facing_side(d)] != tile.Connection_Types[d])
                return false;
        }
        return true;
    }

    // The section tile of a large tile at its position (from 1), or 0.
    int32_t section_tile(uint32_t group_id, uint32_t sx, uint32_t sy) const {
        for (int32_t t = 1; t <= tiles_.Tile_Count(); ++t) {
            const TTile_Class* tile = tiles_.Tile(t);
            if (tile->Section_Group_ID == group_id && tile->Section_X == sx &&
                tile->Section_Y == sy)
                return t;
        }
        return 0;
    }
    // A large tile of no stated size covers one cell.
    static int32_t section_span(uint32_t n) {
        return static_cast<int32_t>(std::max<uint32_t>(n, 1));
    }

    bool sections_fit(const TTile_Class& tile, int32_t cx, int32_t cy) const {
        for (int32_t a = 0; a < section_span(tile.Section_Width); ++a)
            for (int32_t b = 0; b < section_span(tile.Section_Height); ++b) {
                if (!grid_.In_Grid(cx + a, cy + b) || grid_.Cell(cx + a, cy + b).Tile != 0)
                    return false;
                const int32_t section =
                    section_tile(tile.Section_Group_ID, static_cast<uint32_t>(a + 1),
                                 static_cast<uint32_t>(b + 1));
                if (section == 0 || !tile_fits(*tiles_.Tile(section), cx + a, cy + b))
                    return false;
            }
        return true;
    }

    bool add_tile_to_location(int32_t cx, int32_t cy, uint8_t required_sides) {
        Debug_Log(log_source,
                  "Add_Tile_To_Location(" + std::to_string(cx) + "," + std::to_string(cy) + ")");
        // -1: any side; 0: closed; -2: open of any type; otherwise exactly that type.
        int32_t wanted[4];
        for (int32_t d = 0; d < 4; ++d) {
            wanted[d] = (required_sides & side_mask(d)) ? -2 : -1;
            const int32_t nx = cx + step_x[d], ny = cy + step_y[d];
            if (!grid_.In_Grid(nx, ny)) {
                if (!info_.Connection_Off_Map)
                    wanted[d] = wanted[d] == -2 ? -3 : 0; // -3: cannot be met
                continue;
            }
            const TGrid_Cell& neighbour = grid_.Cell(nx, ny);
            if (neighbour.Tile == 0)
                continue;
            const int32_t t = neighbour.Connections[facing_side(d)];
            if (t != 0)
                wanted[d] = t;
            else
                wanted[d] = wanted[d] == -2 ? -3 : 0;
        }
        std::vector<int32_t> candidates;
        uint64_t total = 0;
        for (int32_t n = 1; n <= tiles_.Tile_Count(); ++n) {
            const TTile_Class& tile = *tiles_.Tile(n);
            if (tile.Max_Per_Level == 0 || tile.Max_Per_Module == 0)
                continue;
            bool meets = true;
            for (int32_t d = 0; d < 4 && meets; ++d) {
                const int32_t type = tile.Connection_Types[d];
                meets = wanted[d] == -1 || (wanted[d] == -2 && type != 0) || wanted[d] == type;
            }
            if (!meets || (tile.Section_Group_ID != 0 && !sections_fit(tile, cx, cy)))
                continue;
            candidates.push_back(n);
            total += tile.Percent_Chance;
        }
        if (total == 0)
            return false;
        const int32_t r = Random_Range(1, 100);
        double sum = 0;
        int32_t chosen = 0;
        for (int32_t n : candidates) {
            sum += static_cast<double>(tiles_.Tile(n)->Percent_Chance) * 100.0 /
                   static_cast<double>(total);
            if (r < sum) {
                chosen = n;
                break;
            }
        }
        if (chosen == 0)
            return false;
        const uint32_t sequence = ++sequence_;
        const TTile_Class& tile = *tiles_.Tile(chosen);
        if (tile.Section_Group_ID == 0) {
            set_cell(cx, cy, chosen, sequence, false, true);
            return true;
        }
        const uint32_t group = tile.Section_Group_ID;
        const int32_t width = section_span(tile.Section_Width);
        const int32_t height = section_span(tile.Section_Height);
        for (int32_t a = 0; a < width; ++a)
            for (int32_t b = 0; b < height; ++b)
                set_cell(
                    cx + a, cy + b,
                    section_tile(group, static_cast<uint32_t>(a + 1), static_cast<uint32_t>(b + 1)),
                    sequence, false, true);
        return true;
    }

    void change_tiles() {
        std::vector<std::pair<int32_t, int32_t>> candidates;
        for (int32_t cx = 1; cx <= grid_.Width; ++cx)
            for (int32_t cy = 1; cy <= grid_.Height; ++cy) {
                const TGrid_Cell& cell = grid_.Cell(cx, cy);
                if (cell.Tile == 0 || !cell.Growable ||
                    tiles_.Tile(cell.Tile)->Section_Group_ID != 0)
                    continue;
                for (int32_t d = 0; d < 4; ++d) {
                    const int32_t nx = cx + step_x[d], ny = cy + step_y[d];
                    if (grid_.In_Grid(nx, ny) && grid_.Cell(nx, ny).Tile == 0) {
                        candidates.emplace_back(cx, cy);
                        break;
                    }
                }
            }
        for (uint32_t n = 0; n < info_.Tiles_Per_Cycle && !candidates.empty(); ++n) {
            const auto pick = static_cast<size_t>(Random(static_cast<int32_t>(candidates.size())));
            const auto [cx, cy] = candidates[pick];
            if (add_tile_to_location(cx, cy, 0))
                candidates.erase(candidates.begin() + static_cast<std::ptrdiff_t>(pick));
        }
    }

    void place_tile_by_name(const std::string& name, int32_t x, int32_t y, bool forced) {
        const std::string wanted = Lower_Case(Trim(name));
        std::vector<int32_t> candidates;
        for (int32_t t = 1; t <= tiles_.Tile_Count(); ++t) {
            const TTile_Class& tile = *tiles_.Tile(t);
            if (Lower_Case(Trim(tile.Name)) == wanted && (forced || tile.Max_Per_Level > 0))
                candidates.push_back(t);
        }
        if (candidates.empty()) {
            errors_.push_back("Could not find tile " + quoted(name) + ".");
            return;
        }
        const int32_t tile =
            candidates[static_cast<size_t>(Random(static_cast<int32_t>(candidates.size())))];
        if (x != 0 || y != 0) {
            if (grid_.In_Grid(x, y) && grid_.Cell(x, y).Tile == 0)
                set_cell(x, y, tile, ++sequence_, true, false);
            return;
        }
        // A side under 4 cells has no inner range: it draws from the whole side.
        auto inner = [](int32_t side) {
            return side < 4 ? Random_Range(1, side) : Random_Range(2, side - 2);
        };
        for (int32_t attempt = 1; attempt <= 101 && grid_.Width >= 1 && grid_.Height >= 1;
             ++attempt) {
            const int32_t cx = inner(grid_.Width);
            const int32_t cy = inner(grid_.Height);
            if (grid_.Cell(cx, cy).Tile != 0)
                continue;
            bool alone = true;
            for (int32_t d = 0; d < 4; ++d)
                if (grid_.Occupied(cx + step_x[d], cy + step_y[d]))
                    alone = false;
            if (alone) {
                set_cell(cx, cy, tile, ++sequence_, true, false);
                return;
            }
        }
        errors_.push_back("Could not place starting tile " + quoted(name) + ".");
        Random_Failure = true;
    }

    std::vector<uint8_t> flood(std::pair<int32_t, int32_t> from) const {
        std::vector<uint8_t> reached(grid_.Cells.size(), 0);
        std::vector<std::pair<int32_t, int32_t>> todo{from};
        reached[index(from.first, from.second)] = 1;
        while (!todo.empty()) {
            const auto [cx, cy] = todo.back();
            todo.pop_back();
            for (int32_t d = 0; d < 4; ++d) {
                const int32_t nx = cx + step_x[d], ny = cy + step_y[d];
                if (grid_.Cell(cx, cy).Connections[d] == 0 || !grid_.Occupied(nx, ny) ||
                    reached[index(nx, ny)])
                    continue;
                reached[index(nx, ny)] = 1;
                todo.emplace_back(nx, ny);
            }
        }
        return reached;
    }

    // Empties a cell, or every cell of the large tile placed with it.
    void clear_placement(int32_t cx, int32_t cy) {
        const TGrid_Cell cell = grid_.Cell(cx, cy);
        const TTile_Class* tile = tiles_.Tile(cell.Tile);
        if (!tile || tile->Section_Group_ID == 0) {
            grid_.Cell(cx, cy) = TGrid_Cell{};
            return;
        }
        for (TGrid_Cell& other : grid_.Cells) {
            const TTile_Class* other_tile = tiles_.Tile(other.Tile);
            if (other_tile && other_tile->Section_Group_ID == tile->Section_Group_ID &&
                other.Sequence == cell.Sequence)
                other = TGrid_Cell{};
        }
    }

    TTile_Class_Set& tiles_;
    const TTile_Class_Info& info_;
    TTile_Grid& grid_;
    std::vector<std::string>& errors_;
    uint32_t map_number_;
    const std::string& map_file_name_;
    uint32_t sequence_ = 0;
};

// Per terrain slot, whether the terrain has each of a few categories.
std::vector<uint8_t> category_marks(const TMap& map, const std::vector<std::string>& names) {
    std::vector<uint8_t> marks(static_cast<size_t>(map.Terrains.Count()) + 1, 0);
    for (int32_t slot = 1; slot <= map.Terrains.Count(); ++slot)
        if (const TTerrain* terrain = map.Terrains.Get_Terrain(slot))
            for (size_t n = 0; n < names.size(); ++n)
                if (terrain->Is_In_Category(names[n]))
                    marks[static_cast<size_t>(slot)] |= static_cast<uint8_t>(1u << n);
    return marks;
}

// The marks of every square, x-major from (1, 1); squares off the map have none.
class TSquare_Marks {
  public:
    TSquare_Marks(const TMap& map, const std::vector<std::string>& names)
        : marks_(static_cast<size_t>(Map_Size * Map_Size), 0) {
        const std::vector<uint8_t> by_slot = category_marks(map, names);
        for (int32_t x = 1; x <= Map_Size; ++x)
            for (int32_t y = 1; y <= Map_Size; ++y) {
                const uint16_t slot = map.Get_Square(x, y)->Terrain;
                marks_[at(x, y)] = slot < by_slot.size() ? by_slot[slot] : 0;
            }
    }
    uint8_t Get(int32_t x, int32_t y) const { return TMap::In_Map(x, y) ? marks_[at(x, y)] : 0; }
    bool Has(int32_t x, int32_t y, uint8_t mask) const { return (Get(x, y) & mask) != 0; }

  private:
    static size_t at(int32_t x, int32_t y) {
        return static_cast<size_t>((x - 1) * Map_Size + (y - 1));
    }
    std::vector<uint8_t> marks_;
};

// The categories of the square's terrain, leaving out those named.
std::vector<std::string> categories_except(const TMap& map, int32_t x, int32_t y,
                                           std::vector<std::string> request,
                                           const std::vector<std::string>& left_out) {
    const TTerrain* terrain = map.Get_Square(x, y)->Get_Terrain(map);
    if (terrain)
        for (const std::string& category : terrain->Categories)
            if (std::find(left_out.begin(), left_out.end(), Lower_Case(category)) == left_out.end())
                request.push_back(category);
    return request;
}

void apply_tile_marks(TMap& map, const TTile_Grid& grid, int32_t cx, int32_t cy,
                      const std::string& tile_groups, bool locks,
                      const std::vector<std::string>& names, const std::vector<uint16_t>& percents,
                      const std::string& trap_group_name) {
    if (Trim(tile_groups).empty())
        return;
    for (int32_t y = grid.Top(cy); y < grid.Top(cy) + grid.Tile_Height; ++y)
        for (int32_t x = grid.Left(cx); x < grid.Left(cx) + grid.Tile_Width; ++x) {
            const TMap_Square* square = map.Get_Square(x, y);
            const TTerrain* terrain = square ? square->Get_Terrain(map) : nullptr;
            if (!terrain)
                continue;
            const std::string& group =
                locks ? terrain->Locked_Terrain_Group : terrain->Trapped_Terrain_Group;
            if (group.empty() || tile_groups.find(group) == std::string::npos)
                continue;
            const std::string lower = Lower_Case(group);
            size_t p = 0;
            while (p < names.size() && Lower_Case(names[p]) != lower)
                ++p;
            if (p == names.size() || p >= percents.size() || percents[p] < Random_Range(1, 100))
                continue;
            if (!locks) {
                map.Set_Trap(trap_group_name, x, y, true);
                continue;
            }
            // A locked terrain without key groups has no key to name: it stays unlocked.
            const std::vector<std::string>& keys = terrain->Locked_Key_Groups;
            if (keys.empty())
                continue;
            const int32_t k = Random_Range(1, static_cast<int32_t>(keys.size()));
            map.Set_Lock(keys[static_cast<size_t>(k - 1)], x, y, true);
        }
}

} // namespace

void Change_Generic_Walls_Pass(TMap& map, const TTerrain_Category_Cache& cache) {
    enum : uint8_t { ceiling = 1, wall = 2, generic = 4, door = 8 };
    const TSquare_Marks marks(map, {"ceiling", "wall", "generic", "door"});
    auto solid = [&](int32_t x, int32_t y) {
        const uint8_t m = marks.Get(x, y);
        return (m & (wall | door)) != 0 && (m & ceiling) == 0;
    };
    // Side neighbours as bits N 1, E 2, S 4, W 8; the odd single-side names are what
    // the terrain files are named after.
    static const std::array<const char*, 16> suffixes = {nullptr, "s",   "w",   "ne",  "n",  "ns",
                                                         "es",    "nes", "e",   "nw",  "ew", "new",
                                                         "sw",    "nsw", "esw", "nesw"};
    for (int32_t x = 1; x <= Map_Size; ++x)
        for (int32_t y = 1; y <= Map_Size; ++y) {
            const uint8_t m = marks.Get(x, y);
            if ((m & wall) == 0 || (m & generic) == 0 || (m & ceiling) != 0)
                continue;
            int32_t count = 0;
            for (int32_t dx = -1; dx <= 1; ++dx)
                for (int32_t dy = -1; dy <= 1; ++dy)
                    count += solid(x + dx, y + dy) ? 1 : 0;
            const uint32_t sides = (solid(x, y - 1) ? 1u : 0u) | (solid(x + 1, y) ? 2u : 0u) |
                                   (solid(x, y + 1) ? 4u : 0u) | (solid(x - 1, y) ? 8u : 0u);
            const char* suffix = count == 9 ? "ceiling" : suffixes[sides];
            // A lone pillar matches no shape and stays as it is.
            if (!suffix)
                continue;
            const TTerrain_Choice choice = cache.Find_Terrain_By_Categories(
                categories_except(map, x, y, {"wall", suffix}, {"generic", "wall"}));
            if (choice.Slot != 0)
                map.Get_Square(x, y)->Terrain = choice.Slot;
        }
}

void Change_Door_Directions_Pass(TMap& map, const TTerrain_Category_Cache& cache) {
    enum : uint8_t { door = 1, wall = 2 };
    const TSquare_Marks marks(map, {"door", "wall"});
    for (int32_t x = 1; x <= Map_Size; ++x)
        for (int32_t y = 1; y <= Map_Size; ++y) {
            if (!marks.Has(x, y, door))
                continue;
            int32_t count = 0;
            for (int32_t dx = -1; dx <= 1; ++dx)
                for (int32_t dy = -1; dy <= 1; ++dy)
                    count += marks.Has(x + dx, y + dy, wall) ? 1 : 0;
            const bool west_east = marks.Has(x - 1, y, wall) && marks.Has(x + 1, y, wall);
            const bool north_south = marks.Has(x, y - 1, wall) && marks.Has(x, y + 1, wall);
            const bool any_north_south = marks.Has(x, y - 1, wall) || marks.Has(x, y + 1, wall);
            const bool any_west_east = marks.Has(x - 1, y, wall) || marks.Has(x + 1, y, wall);
            std::vector<std::string> request;
            if (count == 9)
                request = categories_except(map, x, y, {"wall", "ceiling"}, {"generic"});
            else if (west_east && !any_north_south)
                request = categories_except(map, x, y, {"door", "ns"}, {"generic", "ew"});
            else if (north_south && !any_west_east)
                request = categories_except(map, x, y, {"door", "ew"}, {"generic", "ns"});
            else
                continue;
            const TTerrain_Choice choice = cache.Find_Terrain_By_Categories(request);
            if (choice.Slot != 0)
                map.Get_Square(x, y)->Terrain = choice.Slot;
        }
}

void Add_Black_Border_Pass(TMap& map, const TTile_Class_Info& info) {
    for (int32_t x = 1; x <= Map_Size; ++x)
        for (int32_t y = 1; y <= Map_Size; ++y)
            map.Get_Square(x, y)->Overlay = 0;
    // Without both categories there is no outline to draw.
    if (info.Black_Border_Ceiling_Categories.empty() || info.Black_Border_Wall_Categories.empty())
        return;
    enum : uint8_t { ceiling = 1, wall = 2 };
    const TSquare_Marks marks(map, {info.Black_Border_Ceiling_Categories.front(),
                                    info.Black_Border_Wall_Categories.front()});
    struct TRule {
        uint8_t needed; // NW 1, N 2, NE 4, W 8, E 16, SW 32, S 64, SE 128
        uint8_t overlay;
    };
    static const TRule rules[] = {
        {255, 12},    {8 | 32 | 64, 6}, {1 | 2 | 8, 13}, {2 | 4 | 16, 10}, {16 | 64 | 128, 9},
        {4 | 32, 11}, {1 | 128, 7},     {8, 15},         {16, 8},          {2, 14},
        {64, 5},      {1, 4},           {4, 1},          {32, 3},          {128, 2}};
    for (int32_t x = 1; x <= Map_Size; ++x)
        for (int32_t y = 1; y <= Map_Size; ++y) {
            if (!marks.Has(x, y, ceiling) || marks.Has(x, y, wall))
                continue;
            const uint8_t around = static_cast<uint8_t>(
                (marks.Has(x - 1, y - 1, wall) ? 1 : 0) | (marks.Has(x, y - 1, wall) ? 2 : 0) |
                (marks.Has(x + 1, y - 1, wall) ? 4 : 0) | (marks.Has(x - 1, y, wall) ? 8 : 0) |
                (marks.Has(x + 1, y, wall) ? 16 : 0) | (marks.Has(x - 1, y + 1, wall) ? 32 : 0) |
                (marks.Has(x, y + 1, wall) ? 64 : 0) | (marks.Has(x + 1, y + 1, wall) ? 128 : 0));
            if (around == 0)
                continue;
            for (const TRule& rule : rules)
                if ((around & rule.needed) == rule.needed) {
                    map.Get_Square(x, y)->Overlay = rule.overlay;
                    break;
                }
        }
}

namespace {

// One dig, phase by phase. The phases run in this order and each draws its random
// numbers as it goes, so a fixed seed always digs the same level.
class TLevel_Digger {
  public:
    TLevel_Digger(TMap& map, TTile_Class_Set& tiles, const TDig_Request& request,
                  TDig_Result& result, std::vector<std::string>& errors)
        : map_(map), tiles_(tiles), info_(tiles.Info), request_(request), result_(result),
          grid_(result.Grid), errors_(errors) {}

    void Run() {
        result_ = TDig_Result{};
        if (request_.Reseed_From_Clock)
            Seed_Random_From_Time();
        Cache_Terrain_Categories(map_, cache_);
        map_.Clear(false);
        // Nothing sound can be dug from a tile file that failed this way.
        if (!info_.Tile_Size_Usable() || tiles_.Tiles.empty() || map_.Terrains.Count() == 0) {
            errors_.push_back("Cannot dig Map " + std::to_string(request_.Map_Number) + " from \"" +
                              request_.Map_File_Name +
                              "\": its tile size, its tiles or its terrain could not be used.");
            return;
        }
        fill_map();
        size_grid();
        compute_population_settings();
        lay_out_tiles();
        centre_grid();
        collect_entrances();
        paint_tiles();
        refine_walls();
        populate();
        paint_border();
        result_.Counts.Locks = static_cast<int32_t>(map_.Locks().Names.size());
        result_.Counts.Traps = static_cast<int32_t>(map_.Traps().Names.size());
    }

  private:
    // Every square in the tile file's fill terrain, where the file names one.
    void fill_map() {
        if (info_.Fill_Categories.empty())
            return;
        const uint16_t fill = cache_.Find_Terrain_By_Categories(info_.Fill_Categories).Slot;
        for (int32_t x = 1; x <= Map_Size; ++x)
            for (int32_t y = 1; y <= Map_Size; ++y)
                map_.Get_Square(x, y)->Terrain = fill;
    }

    void size_grid() {
        grid_.Tile_Width = static_cast<int32_t>(info_.Tile_Square_Width);
        grid_.Tile_Height = static_cast<int32_t>(info_.Tile_Square_Height);
        grid_.Width = static_cast<int32_t>(info_.Grid_Span()) / grid_.Tile_Width;
        grid_.Height = static_cast<int32_t>(info_.Grid_Span()) / grid_.Tile_Height;
    }

    // What the map class asks of the population (nothing without a map class).
    void compute_population_settings() {
        if (!request_.Map_Class)
            return;
        const int32_t difficulty = request_.Sources ? request_.Sources->Difficulty : 2;
        const uint16_t start_level = request_.Sources ? request_.Sources->Start_Level : 0;
        settings_ = Compute_Population_Settings(*request_.Map_Class, difficulty, start_level);
        Debug_Log(log_source, "Map File Name:        " + request_.Map_File_Name);
        Debug_Log(log_source,
                  "  Item Level Range:   " + std::to_string(request_.Map_Class->Item_Level_Min) +
                      " - " + std::to_string(request_.Map_Class->Item_Level_Max));
    }

    // The starting tiles, growth and the repair of starting points that cannot reach
    // each other. A layout whose random parts failed is dug again with the next random
    // numbers; each attempt starts from the counters the file gave.
    void lay_out_tiles() {
        std::vector<uint32_t> per_level, per_module;
        for (const TTile_Class& tile : tiles_.Tiles) {
            per_level.push_back(tile.Max_Per_Level);
            per_module.push_back(tile.Max_Per_Module);
        }
        const int32_t attempts = std::max(1, request_.Layout_Attempts);
        std::vector<std::string> layout_errors;
        for (int32_t attempt = 1; attempt <= attempts; ++attempt) {
            result_.Layout_Attempts_Used = attempt;
            for (size_t t = 0; t < tiles_.Tiles.size(); ++t) {
                tiles_.Tiles[t].Max_Per_Level = per_level[t];
                tiles_.Tiles[t].Max_Per_Module = per_module[t];
            }
            grid_.Cells.assign(static_cast<size_t>(grid_.Width * grid_.Height), TGrid_Cell{});
            layout_errors.clear();
            TGrid_Layout layout(tiles_, grid_, layout_errors, request_.Map_Number,
                                request_.Map_File_Name);
            layout.Place_Starting_Tiles();
            layout.Grow();
            if (info_.Require_Start_Connections)
                layout.Ensure_Starting_Point_Connections();
            if (layout_errors.empty() || !layout.Random_Failure)
                break;
        }
        errors_.insert(errors_.end(), layout_errors.begin(), layout_errors.end());
    }

    void centre_grid() {
        // Cell 1 never starts before square 1, so the grid stays on the map.
        grid_.Offset_X = std::max(1, (Map_Size - grid_.Tile_Width * grid_.Width) / 2);
        grid_.Offset_Y = std::max(1, (Map_Size - grid_.Tile_Height * grid_.Height) / 2);
    }

    // Every occupied cell with its tile, cx outer and cy inner.
    template <typename F> void for_each_placed_tile(F&& f) {
        for (int32_t cx = 1; cx <= grid_.Width; ++cx)
            for (int32_t cy = 1; cy <= grid_.Height; ++cy)
                if (const TTile_Class* tile = tiles_.Tile(grid_.Cell(cx, cy).Tile))
                    f(cx, cy, *tile);
    }

    void collect_entrances() {
        TEntrance_Lists& entrances = result_.Entrances;
        for_each_placed_tile([&](int32_t cx, int32_t cy, const TTile_Class& tile) {
            for (size_t n = 0; n < info_.Entrances.size(); ++n) {
                const TTile_Class_Specific_Location& entrance = info_.Entrances[n];
                if (entrance.Name != tile.Name)
                    continue;
                // An entrance outside its tile or the map is left out (and reported as
                // not found when a connection needs it).
                const auto turned = Turn_Tile_Square(info_, tile.Rotation, entrance.X, entrance.Y);
                if (!turned)
                    continue;
                const int32_t x = grid_.Left(cx) + turned->X - 1;
                const int32_t y = grid_.Top(cy) + turned->Y - 1;
                if (!TMap::In_Map(x, y))
                    continue;
                entrances.Ids.push_back(static_cast<uint32_t>(n + 1));
                entrances.Xs.push_back(x);
                entrances.Ys.push_back(y);
            }
        });
    }

    // Each placed tile's terrain, then its locks and traps, cell by cell: the marks of
    // a cell are drawn right after its terrain.
    void paint_tiles() {
        const TModule_Chance_Group* chance_group =
            settings_.Chance_Group_Index >= 1 &&
                    settings_.Chance_Group_Index <= static_cast<int32_t>(Chance_Groups.size())
                ? &Chance_Groups[static_cast<size_t>(settings_.Chance_Group_Index - 1)]
                : nullptr;
        for_each_placed_tile([&](int32_t cx, int32_t cy, const TTile_Class& tile) {
            paint_cell(cx, cy, tile);
            if (chance_group)
                lock_and_trap_cell(cx, cy, tile, *chance_group);
        });
    }

    void paint_cell(int32_t cx, int32_t cy, const TTile_Class& tile) {
        const int32_t left = grid_.Left(cx), top = grid_.Top(cy);
        Paint_Tile_Squares(tile, cache_, [&](int32_t column, int32_t row, uint16_t slot) {
            if (TMap_Square* square = map_.Get_Square(left + column, top + row))
                square->Terrain = slot;
        });
    }

    void lock_and_trap_cell(int32_t cx, int32_t cy, const TTile_Class& tile,
                            const TModule_Chance_Group& group) {
        apply_tile_marks(map_, grid_, cx, cy, tile.Locked_Terrain_Groups, true,
                         group.Locked_Group_Names, group.Locked_Group_Percents, "");
        apply_tile_marks(map_, grid_, cx, cy, tile.Trapped_Terrain_Groups, false,
                         group.Trapped_Group_Names, group.Trapped_Group_Percents,
                         settings_.Trap_Group_Name);
    }

    // Wall outlines, then generic walls turned to their shapes, then doors turned to
    // their walls, as the tile file asks.
    void refine_walls() {
        if (info_.Add_Black_Border)
            Add_Black_Border_Pass(map_, info_);
        if (info_.Change_Generic_Walls)
            Change_Generic_Walls_Pass(map_, cache_);
        if (info_.Change_Door_Directions)
            Change_Door_Directions_Pass(map_, cache_);
    }

    void populate() {
        if (!request_.Map_Class || !request_.Sources)
            return;
        TPopulation_Request population{request_.Map_Number, request_.Map_File_Name,
                                       request_.Map_Class->Stores_Filename,
                                       request_.Map_Class->Item_Classes_Filename};
        Populate_Level(map_, tiles_, grid_, settings_, *request_.Sources, population,
                       result_.Counts, errors_);
    }

    // The outer border in its own terrain. No terrain of the border's categories: the
    // border keeps what was dug rather than losing its terrain.
    void paint_border() {
        const uint16_t border =
            info_.Border_Fill_Categories.empty()
                ? 0
                : cache_.Find_Terrain_By_Categories(info_.Border_Fill_Categories).Slot;
        if (border == 0)
            return;
        const int64_t b = static_cast<int64_t>(info_.Increased_Border_Size) + 8;
        for (int32_t x = 1; x <= Map_Size - 1; ++x)
            for (int32_t y = 1; y <= Map_Size - 1; ++y) {
                const bool in_border =
                    x <= b - 1 || y <= b - 1 || x >= Map_Size - b || y >= Map_Size - b;
                if (in_border)
                    map_.Get_Square(x, y)->Terrain = border;
            }
    }

    TMap& map_;
    TTile_Class_Set& tiles_;
    const TTile_Class_Info& info_;
    const TDig_Request& request_;
    TDig_Result& result_;
    TTile_Grid& grid_;
    std::vector<std::string>& errors_;
    TTerrain_Category_Cache cache_;
    TPopulation_Settings settings_;
};

} // namespace

void Dig_Tile_Map(TMap& map, TTile_Class_Set& tiles, const TDig_Request& request,
                  TDig_Result& result, std::vector<std::string>& errors) {
    TLevel_Digger(map, tiles, request, result, errors).Run();
}
