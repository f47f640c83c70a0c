#include "generation/level_population.h"

#include <algorithm>
#include <array>

#include "generation/map_digging.h"
#include "generation/terrain_category_cache.h"
#include "generation/tile_classes.h"
#include "rules/item_classes.h"
#include "rules/item_list.h"
#include "rules/monster_classes.h"
#include "rules/monster_creation.h"
#include "shell/helpers.h"
#include "shell/random.h"
#include "world/group_files.h"
#include "world/map.h"
#include "world/module_definition.h"
#include "world/store.h"
#include "world/store_classes.h"

namespace {

constexpr int32_t item_type_count = 23;

uint16_t saturated(int64_t value) {
    return static_cast<uint16_t>(std::clamp<int64_t>(value, 0, 65535));
}

// A list of squares read from the front, skipping squares something already holds.
class TPlacement_Squares {
  public:
    std::vector<std::pair<int32_t, int32_t>> Squares;

    void Shuffle() {
        const auto n = static_cast<int32_t>(Squares.size());
        for (int32_t pass = 0; pass < 3; ++pass)
            for (int32_t i = 0; i < n; ++i)
                std::swap(Squares[static_cast<size_t>(i)], Squares[static_cast<size_t>(Random(n))]);
    }
    bool Next_Free(const TMap& map, int32_t& x, int32_t& y) {
        while (position_ < Squares.size()) {
            const auto [sx, sy] = Squares[position_++];
            const TMap_Square* square = map.Get_Square(sx, sy);
            if (square && square->Monster == 0 && square->Item == 0) {
                x = sx;
                y = sy;
                return true;
            }
        }
        return false;
    }

  private:
    size_t position_ = 0;
};

class TLevel_Populator {
  public:
    TLevel_Populator(TMap& map, const TTile_Class_Set& tiles, const TTile_Grid& grid,
                     const TPopulation_Settings& settings, const TPopulation_Sources& sources,
                     const TPopulation_Request& request, TDig_Counts& counts,
                     std::vector<std::string>& errors)
        : map_(map), tiles_(tiles), grid_(grid), s_(settings), sources_(sources), request_(request),
          counts_(counts),
          errors_(errors), item_context_{map.Item_List, std::max<int32_t>(1, sources.Start_Level),
                                         nullptr, [&map](int32_t x, int32_t y, uint16_t number) {
                                             map.Drop_Item(x, y, number);
                                         }} {
        if (s_.Chance_Group_Index >= 1 &&
            s_.Chance_Group_Index <= static_cast<int32_t>(Chance_Groups.size()))
            chance_group_ = &Chance_Groups[static_cast<size_t>(s_.Chance_Group_Index - 1)];
    }

    void Run() {
        map_.Make_Current();
        Cache_Terrain_Categories(map_, cache_);
        collect_placement_squares();
        place_items();
        place_monsters();
        place_groups();
        place_stores();
        place_chests();
        counts_.Monsters = 0;
        for (int32_t n = 1; n <= map_.Monster_List.Count(); ++n)
            if (map_.Monster_List.Get(n))
                ++counts_.Monsters;
    }

  private:
    // Every occupied cell with its tile, cx outer and cy inner.
    template <typename F> void for_each_cell(F&& f) const {
        for (int32_t cx = 1; cx <= grid_.Width; ++cx)
            for (int32_t cy = 1; cy <= grid_.Height; ++cy)
                if (const TTile_Class* tile = tiles_.Tile(grid_.Cell(cx, cy).Tile))
                    f(cx, cy, *tile);
    }
    template <typename F> void for_each_square(int32_t cx, int32_t cy, F&& f) const {
        for (int32_t x = grid_.Left(cx); x < grid_.Left(cx) + grid_.Tile_Width; ++x)
            for (int32_t y = grid_.Top(cy); y < grid_.Top(cy) + grid_.Tile_Height; ++y)
                if (TMap::In_Map(x, y))
                    f(x, y);
    }

    std::string where() const {
        return " on Map " + std::to_string(request_.Map_Number) + ": " + request_.Map_File_Name +
               ".";
    }

    void collect_placement_squares() {
        for_each_cell([&](int32_t cx, int32_t cy, const TTile_Class& tile) {
            auto collect = [&](const std::vector<std::string>& categories,
                               TPlacement_Squares& into) {
                const uint16_t slot = cache_.Find_Terrain_By_Categories(categories).Slot;
                if (slot == 0)
                    return;
                for_each_square(cx, cy, [&](int32_t x, int32_t y) {
                    if (map_.Get_Square(x, y)->Terrain == slot)
                        into.Squares.emplace_back(x, y);
                });
            };
            if (tile.Allow_Random_Monsters)
                collect(tile.Monster_Categories, monster_squares_);
            if (tile.Allow_Random_Items)
                collect(tile.Item_Categories, item_squares_);
        });
        monster_squares_.Shuffle();
        item_squares_.Shuffle();
    }

    // Each specific thing of every placed tile, at its square turned with the tile; a
    // square outside the tile or the map is left out.
    template <typename F>
    void for_each_specific(const std::vector<TTile_Class_Specific_Location> TTile_Class::*list,
                           F&& f) {
        for_each_cell([&](int32_t cx, int32_t cy, const TTile_Class& tile) {
            for (const TTile_Class_Specific_Location& thing : tile.*list) {
                const auto turned = Turn_Tile_Square(tiles_.Info, tile.Rotation, thing.X, thing.Y);
                if (!turned)
                    continue;
                const int32_t x = grid_.Left(cx) + turned->X - 1;
                const int32_t y = grid_.Top(cy) + turned->Y - 1;
                if (TMap::In_Map(x, y))
                    f(thing.Name, x, y);
            }
        });
    }

    void build_eligible_items() {
        if (eligible_built_)
            return;
        eligible_built_ = true;
        if (chance_group_)
            chance_group_->Build_Item_Type_Table();
        if (!sources_.Item_Classes)
            return;
        for (int32_t i = 1; i <= sources_.Item_Classes->Count(); ++i) {
            const TItem_Class* item_class = sources_.Item_Classes->Get(i);
            if (item_class && item_class->Random_Appearance &&
                item_class->Item_Level_Min <= s_.Item_Level_Min && item_class->Item_Type >= 1 &&
                item_class->Item_Type <= item_type_count &&
                Group_Matches(*item_class, s_.Item_Grouping))
                eligible_[item_class->Item_Type].push_back(item_class);
        }
    }

    // One random item of a type the chance group rolls; 0 when none was made.
    uint16_t make_random_item(int32_t x, int32_t y, bool on_map) {
        int32_t type = chance_group_ ? chance_group_->Roll_Item_Type() : 0;
        if (type == 0)
            type = Random_Range(1, item_type_count);
        const auto& classes = eligible_[static_cast<size_t>(type)];
        if (classes.empty() || !sources_.Item_Classes)
            return 0;
        const TItem_Class* item_class =
            classes[static_cast<size_t>(Random(static_cast<int32_t>(classes.size())))];
        const uint16_t number = sources_.Item_Classes->Create_Random_Item(
            *item_class, x, y, s_.Item_Level_Min, s_.Item_Level_Max, s_.Magic_Chance,
            s_.Unique_Chance, s_.Magic_Per_Level, s_.Unique_Per_Level, 0, on_map, item_context_);
        if (number == 0)
            items_full_ = true;
        return number;
    }

    void place_items() {
        if (sources_.Item_Classes)
            for_each_specific(
                &TTile_Class::Specific_Items, [&](const std::string& name, int32_t x, int32_t y) {
                    const TItem_Class* item_class =
                        sources_.Item_Classes->Find_Random_Class(name, s_.Item_Grouping);
                    if (!item_class) {
                        errors_.push_back("Could not locate item \"" + name + "\"" + where());
                        return;
                    }
                    if (sources_.Item_Classes->Create_Random_Item(
                            *item_class, x, y, s_.Item_Level_Min, s_.Item_Level_Max,
                            s_.Magic_Chance, s_.Unique_Chance, s_.Magic_Per_Level,
                            s_.Unique_Per_Level, 0, true, item_context_) != 0)
                        ++counts_.Items;
                });
        if (!s_.Place_Items)
            return;
        map_.Item_List.Name = request_.Item_Classes_Filename;
        build_eligible_items();
        const int32_t n = Population_Count(s_.Items_Min, s_.Items_Max);
        for (int32_t i = 0; i < n && !items_full_; ++i) {
            int32_t x = 0, y = 0;
            if (item_squares_.Next_Free(map_, x, y) && make_random_item(x, y, true) != 0)
                ++counts_.Items;
        }
    }

    TMonster_Creation_Context creation_context() {
        TMonster_Creation_Context context{
            *sources_.Monster_Classes, sources_.Difficulty, nullptr,
            sources_.Item_Classes,     &item_context_,      &Monster_Rand_Items_Carried};
        context.Item_Grouping = s_.Item_Grouping;
        return context;
    }

    void place_monsters() {
        if (!sources_.Monster_Classes)
            return;
        const TMonster_Creation_Context context = creation_context();
        for_each_specific(
            &TTile_Class::Specific_Monsters, [&](const std::string& name, int32_t x, int32_t y) {
                const TMonster_Class* monster_class =
                    sources_.Monster_Classes->Find_Random_Class(name, s_.Monster_Grouping);
                if (!monster_class) {
                    errors_.push_back("Could not locate monster \"" + name + "\"" + where());
                    return;
                }
                // One creature to a square.
                if (map_.Get_Square(x, y)->Monster != 0)
                    return;
                Create_Monster(*monster_class, x, y, s_.Modifier_Chance, s_.Monster_Level_Min,
                               s_.Monster_Level_Max, s_.Item_Level_Min, s_.Item_Level_Max, context);
            });
        if (!s_.Place_Monsters)
            return;
        std::vector<const TMonster_Class*> eligible;
        for (int32_t i = 1; i <= sources_.Monster_Classes->Count(); ++i) {
            const TMonster_Class* monster_class = sources_.Monster_Classes->Get(i);
            if (monster_class && monster_class->Map_Appearance_Chance > 0 &&
                Monster_Group_Matches(monster_class->Monster_Group, s_.Monster_Grouping))
                eligible.push_back(monster_class);
        }
        const int32_t n = Population_Count(s_.Monsters_Min, s_.Monsters_Max);
        if (n <= 0 || eligible.empty())
            return;
        for (int32_t i = 0; i < n; ++i) {
            int32_t x = 0, y = 0;
            if (!monster_squares_.Next_Free(map_, x, y))
                continue;
            const TMonster_Class* monster_class =
                eligible[static_cast<size_t>(Random(static_cast<int32_t>(eligible.size())))];
            Create_Monster(*monster_class, x, y, s_.Modifier_Chance, s_.Monster_Level_Min,
                           s_.Monster_Level_Max, s_.Item_Level_Min, s_.Item_Level_Max, context);
        }
    }

    bool group_square_near(int32_t leader_x, int32_t leader_y, int32_t& x, int32_t& y) {
        for (int32_t r = 3; r <= 11; ++r) {
            bool found = false;
            for (int32_t sy = leader_y - r; sy <= leader_y + r; ++sy)
                for (int32_t sx = leader_x - r; sx <= leader_x + r; ++sx) {
                    const TMap_Square* square = map_.Get_Square(sx, sy);
                    if (!square || square->Monster != 0 ||
                        !square->Has_Movement_Flag(map_, Movement_Land))
                        continue;
                    if (Random_Range(1, 3) == 1) {
                        x = sx;
                        y = sy;
                        found = true;
                    }
                }
            if (found)
                return true;
        }
        return false;
    }

    bool group_square_alone(int32_t& x, int32_t& y) {
        const auto& squares = monster_squares_.Squares;
        // No square a monster may be put on: the member is skipped.
        if (squares.empty())
            return false;
        for (int32_t attempt = 1; attempt <= 101; ++attempt) {
            const auto [sx, sy] =
                squares[static_cast<size_t>(Random(static_cast<int32_t>(squares.size())))];
            if (map_.Get_Square(sx, sy)->Monster == 0) {
                x = sx;
                y = sy;
                return true;
            }
        }
        return false;
    }

    void add_named_modifiers(TMonster& monster, const std::vector<std::string>& names) {
        bool changed = false;
        for (const std::string& name : names)
            for (const TMonster_Modifier_Class& modifier : Monster_Modifiers.Modifiers) {
                if (Lower_Case(Trim(modifier.Name)) != Lower_Case(Trim(name)) ||
                    monster.Level < modifier.Level_Min || monster.Level > modifier.Level_Max)
                    continue;
                for (int32_t i = 1; i <= modifier.Effects.Count(); ++i) {
                    const auto [first, second] = modifier.Effects.Roll_Amounts(i);
                    monster.Add_Permanent_Effect(modifier.Effects.Get_Type(i), first, second);
                }
                monster.Modifier_Names.push_back(modifier.Name);
                changed = true;
                break;
            }
        if (changed)
            monster.Recalculate();
    }

    void place_groups() {
        // The count is drawn even when no group is loaded, so that the rest of the
        // level draws the same numbers either way.
        const int32_t n = Population_Count(s_.Groups_Min, s_.Groups_Max);
        if (n < 1 || !sources_.Monster_Classes || Monster_Groups.empty())
            return;
        const TMonster_Creation_Context context = creation_context();
        for (int32_t g = 0; g < n; ++g) {
            std::vector<const TModule_Monster_Group*> candidates;
            for (const TModule_Monster_Group& group : Monster_Groups)
                if (Matches_Grouping_Type(group, s_.Monster_Grouping))
                    candidates.push_back(&group);
            if (candidates.empty())
                continue;
            const TModule_Monster_Group& group =
                *candidates[static_cast<size_t>(Random(static_cast<int32_t>(candidates.size())))];
            uint16_t leader = 0;
            int32_t leader_x = 0, leader_y = 0;
            for (const TModule_Monster_Group_Monster& member : group.Members) {
                int32_t x = 0, y = 0;
                const bool found = leader != 0 ? group_square_near(leader_x, leader_y, x, y)
                                               : group_square_alone(x, y);
                if (!found || (!member.Is_Leader && leader == 0))
                    continue;
                const TMonster_Class* monster_class = sources_.Monster_Classes->Find_Random_Class(
                    member.Class_Name, s_.Monster_Grouping);
                if (!monster_class) {
                    errors_.push_back("Could not locate monster class \"" + member.Class_Name +
                                      "\"" + where());
                    continue;
                }
                const uint16_t number = Create_Monster(
                    *monster_class, x, y, 0, s_.Monster_Level_Min + member.Level_Min_Plus,
                    s_.Monster_Level_Max + member.Level_Min_Plus, s_.Item_Level_Min,
                    s_.Item_Level_Max, context);
                TMonster* monster = map_.Monster_List.Get(number);
                if (!monster)
                    return;
                if (member.Is_Leader) {
                    leader = number;
                    leader_x = x;
                    leader_y = y;
                    if (!group.Leader_Name_Prefix.empty())
                        monster->Name = group.Leader_Name_Prefix + " " + monster->Name;
                    if (!group.Leader_Name_Suffix.empty())
                        monster->Name = monster->Name + " " + group.Leader_Name_Suffix;
                } else {
                    monster->Leader = leader;
                    monster->Guard_Distance = group.Follow_Distance;
                }
                add_named_modifiers(*monster, member.Modifier_Types);
            }
        }
    }

    void place_stores() {
        // Stores are made unstocked; loading their map stocks them.
        for (const TStore_Class& store_class : Store_Classes) {
            TStore store;
            store.Init(store_class.Store_ID, request_.Stores_Filename,
                       request_.Item_Classes_Filename);
            map_.Stores.push_back(std::move(store));
            ++counts_.Stores;
        }
    }

    void place_chests() {
        build_eligible_items();
        for_each_cell([&](int32_t cx, int32_t cy, const TTile_Class&) {
            for_each_square(cx, cy, [&](int32_t x, int32_t y) {
                if (!map_.Get_Square(x, y)->Get_Display_Chest_Window(map_))
                    return;
                int32_t n = 0;
                if (s_.Chest_Min >= 1 && s_.Chest_Max >= 1 &&
                    Random_Range(1, 100) <= s_.Chest_Chance)
                    n = Population_Count(s_.Chest_Min, s_.Chest_Max);
                std::vector<uint16_t> contents;
                for (int32_t i = 0; i < n && !items_full_; ++i)
                    if (const uint16_t number = make_random_item(x, y, false))
                        contents.push_back(number);
                map_.Add_Location_List(contents, x, y);
                ++counts_.Chests;
            });
        });
    }

    TMap& map_;
    const TTile_Class_Set& tiles_;
    const TTile_Grid& grid_;
    const TPopulation_Settings& s_;
    const TPopulation_Sources& sources_;
    const TPopulation_Request& request_;
    TDig_Counts& counts_;
    std::vector<std::string>& errors_;
    TRandom_Item_Context item_context_;
    TModule_Chance_Group* chance_group_ = nullptr;
    TTerrain_Category_Cache cache_;
    TPlacement_Squares monster_squares_, item_squares_;
    std::array<std::vector<const TItem_Class*>, item_type_count + 1> eligible_;
    bool eligible_built_ = false;
    bool items_full_ = false;
};

} // namespace

int32_t Population_Count(int32_t lo, int32_t hi) {
    return hi < lo ? lo : Random_Range(lo, hi);
}

TPopulation_Settings Compute_Population_Settings(const TModule_Map_Class& m, int32_t difficulty,
                                                 uint16_t start_level) {
    TPopulation_Settings s;
    s.Item_Level_Min = m.Item_Level_Min;
    s.Item_Level_Max = m.Item_Level_Max;
    s.Magic_Chance = m.Chance_Magic_Item;
    s.Unique_Chance = m.Chance_Unique_Item;
    s.Magic_Per_Level = m.Magic_Increase_Per_Start_Level;
    s.Unique_Per_Level = m.Unique_Increase_Per_Start_Level;
    s.Chest_Chance = m.Chance_Items_In_Chest;
    s.Chest_Min = m.Min_Items_Per_Chest;
    s.Chest_Max = m.Max_Items_Per_Chest;
    s.Place_Items = m.Place_Random_Items;
    s.Place_Monsters = m.Place_Random_Monsters;
    s.Item_Grouping = m.Item_Grouping_Type;
    s.Monster_Grouping = m.Monster_Grouping_Type;
    s.Monsters_Min = m.Min_Monsters;
    s.Monsters_Max = m.Max_Monsters;
    s.Groups_Min = m.Min_Monster_Groups;
    s.Groups_Max = m.Max_Monster_Groups;
    s.Monster_Level_Min = m.Monster_Level_Min;
    s.Monster_Level_Max = m.Monster_Level_Max;
    s.Modifier_Chance = m.Chance_Monster_Modifier;
    s.Items_Min = m.Min_Items;
    s.Items_Max = m.Max_Items;
    s.Trap_Group_Name = m.Trap_Group_Name;
    s.Chance_Group_Index = m.Chance_Group >= 1 ? Find_Chance_Group_Index(m.Chance_Group) : 0;

    if (difficulty > 2) {
        const int64_t step = difficulty - 2;
        if (m.Difficulty_Monster_Modifier_Increase != 0)
            s.Modifier_Chance =
                saturated(s.Modifier_Chance + step * m.Difficulty_Monster_Modifier_Increase);
        s.Monsters_Min = saturated(s.Monsters_Min + step * m.Monsters_Increase_Per_Difficulty);
        s.Monsters_Max = saturated(s.Monsters_Max + step * m.Monsters_Increase_Per_Difficulty);
        s.Groups_Min = saturated(s.Groups_Min + step * m.Groups_Increase_Per_Difficulty);
        s.Groups_Max = saturated(s.Groups_Max + step * m.Groups_Increase_Per_Difficulty);
    }
    if (start_level != 0) {
        const int64_t add = start_level - 1;
        s.Item_Level_Min = saturated(s.Item_Level_Min + add);
        s.Item_Level_Max = saturated(s.Item_Level_Max + add);
        s.Monster_Level_Min = saturated(s.Monster_Level_Min + add);
        s.Monster_Level_Max = saturated(s.Monster_Level_Max + add);
    }
    return s;
}

void Populate_Level(TMap& map, const TTile_Class_Set& tiles, const TTile_Grid& grid,
                    const TPopulation_Settings& settings, const TPopulation_Sources& sources,
                    const TPopulation_Request& request, TDig_Counts& counts,
                    std::vector<std::string>& errors) {
    TLevel_Populator(map, tiles, grid, settings, sources, request, counts, errors).Run();
}
