#include "generation/tile_classes.h"

#include <algorithm>

#include "datafiles/data_file_errors.h"
#include "generation/terrain_category_cache.h"
#include "shell/globals.h"
#include "shell/helpers.h"

TTile_Class_Set Tile_Classes;

bool TTile_Class_Info::Tile_Size_Usable() const {
    return Tile_Square_Width >= 1 && Tile_Square_Width <= Grid_Span() && Tile_Square_Height >= 1 &&
           Tile_Square_Height <= Grid_Span();
}

TTile_Class* TTile_Class_Set::Tile(int32_t n) {
    return n >= 1 && n <= Tile_Count() ? &Tiles[static_cast<size_t>(n - 1)] : nullptr;
}

const TTile_Class* TTile_Class_Set::Tile(int32_t n) const {
    return n >= 1 && n <= Tile_Count() ? &Tiles[static_cast<size_t>(n - 1)] : nullptr;
}

void TTile_Class_Set::Clear() {
    Info = TTile_Class_Info{};
    Tiles.clear();
}

bool Tile_Can_Turn(const TTile_Class& tile, const TTile_Class_Info& info) {
    const uint32_t n = info.Tile_Square_Width;
    if (n == 0 || n != info.Tile_Square_Height || tile.Rows.size() != n)
        return false;
    return std::all_of(tile.Rows.begin(), tile.Rows.end(),
                       [n](const std::string& row) { return row.size() == n; });
}

std::optional<TTile_Square> Turn_Tile_Square(const TTile_Class_Info& info, uint32_t rotation,
                                             int32_t x, int32_t y) {
    const int32_t width = static_cast<int32_t>(info.Tile_Square_Width);
    const int32_t height = static_cast<int32_t>(info.Tile_Square_Height);
    if (x < 1 || x > width || y < 1 || y > height || rotation > 3)
        return std::nullopt;
    if (rotation == 0)
        return TTile_Square{x, y};
    // Turned copies exist only for square tiles; n + 1 is the 18 of 17 x 17 tiles.
    if (width != height)
        return std::nullopt;
    const int32_t m = width + 1;
    switch (rotation) {
    case 1:
        return TTile_Square{m - y, x};
    case 2:
        return TTile_Square{m - x, m - y};
    default:
        return TTile_Square{y, m - x};
    }
}

namespace {

// The copy of a square tile turned rotation quarters clockwise.
TTile_Class turned_copy(const TTile_Class& tile, uint32_t rotation) {
    TTile_Class copy = tile;
    copy.Rotation = rotation;
    for (uint32_t side = 0; side < 4; ++side)
        copy.Connection_Types[side] = tile.Connection_Types[(side + 4 - rotation) % 4];
    const size_t n = tile.Rows.size();
    for (size_t row = 0; row < n; ++row)
        for (size_t column = 0; column < n; ++column) {
            const size_t last = n - 1;
            char c = 0;
            switch (rotation) {
            case 1:
                c = tile.Rows[last - column][row];
                break;
            case 2:
                c = tile.Rows[last - row][last - column];
                break;
            default:
                c = tile.Rows[column][last - row];
                break;
            }
            copy.Rows[row][column] = c;
        }
    return copy;
}

bool same_shape(const TTile_Class& a, const TTile_Class& b) {
    return std::equal(std::begin(a.Connection_Types), std::end(a.Connection_Types),
                      std::begin(b.Connection_Types)) &&
           a.Rows == b.Rows;
}

// A grid or square position: "[Random]" (or anything that is not a number) is 0.
uint8_t low_byte(uint16_t word) {
    return static_cast<uint8_t>(word & 0xFF);
}

class TTile_Class_Loader : public TRecord_Loader {
  public:
    TTile_Class_Loader(const std::string& path, TTile_Class_Set& set)
        : TRecord_Loader(path), set_(set) {}

  protected:
    void Before_Load() override { global_symbols_.clear(); }

    void Process_Record(int32_t record_number) override {
        // The record name carries over: a tile without a name is cited by the last one.
        if (record_number == 1)
            read_header();
        else
            read_tile();
    }

    void After_Load() override {
        TTile_Class_Info& info = set_.Info;
        if (!info.Tile_Size_Usable())
            Add_Error("Tile size " + std::to_string(info.Tile_Square_Width) + " x " +
                      std::to_string(info.Tile_Square_Height) +
                      " does not fit the map: each side must be 1 to " +
                      std::to_string(info.Grid_Span()) + " squares.");
        if (set_.Tiles.empty())
            Add_Error("The file holds no tiles.");

        for (TTile_Class& tile : set_.Tiles)
            tile.Symbols.insert(tile.Symbols.end(), global_symbols_.begin(), global_symbols_.end());

        // Only the tiles of the file are turned, never earlier copies; a copy that
        // matches a tile already in the table adds nothing.
        const size_t from_file = set_.Tiles.size();
        for (size_t t = 0; t < from_file; ++t) {
            if (!set_.Tiles[t].Can_Rotate || !Tile_Can_Turn(set_.Tiles[t], info))
                continue;
            for (uint32_t rotation = 1; rotation <= 3; ++rotation) {
                TTile_Class copy = turned_copy(set_.Tiles[t], rotation);
                const bool known =
                    std::any_of(set_.Tiles.begin(), set_.Tiles.end(),
                                [&](const TTile_Class& other) { return same_shape(copy, other); });
                if (!known)
                    set_.Tiles.push_back(std::move(copy));
            }
        }
    }

  private:
    std::vector<std::string> categories(const std::string& key) {
        std::vector<std::string> list;
        Split_List(Get_String(key), list, true);
        return list;
    }

    // A grid cell coordinate of a tile location: a byte, or "[Random]" for 0.
    uint8_t cell_byte(const std::string& key) {
        const std::string value = Get_String(key);
        return Lower_Case(Trim(value)) == "[random]" ? 0 : Str_To_Byte(value);
    }
    // The same for a group tile, whose coordinates are words kept in 8 bits.
    uint8_t cell_word(const std::string& key) {
        const std::string value = Get_String(key);
        return Lower_Case(Trim(value)) == "[random]" ? 0 : low_byte(Str_To_Word(value));
    }

    void read_header() {
        TTile_Class_Info& info = set_.Info;
        info.Tile_Square_Width = Get_Word("Tile Square Width");
        info.Tile_Square_Height = Get_Word("Tile Square Height");
        info.Fill_Categories = categories("Fill Level With Terrain Category");
        info.Border_Fill_Categories = categories("Fill Level Border With Terrain Category");
        info.Change_Door_Directions = Get_Bool("Change Door Directions");
        info.Change_Generic_Walls = Get_Bool("Change Generic Walls to Specific");
        info.Add_Black_Border = Get_Bool("Add Black Border to Walls");
        info.Black_Border_Ceiling_Categories = categories("Black Border Ceiling Terrain Category");
        info.Black_Border_Wall_Categories = categories("Black Border Wall Terrain Category");
        info.Third_Layer_Behind_Walls = Get_Bool("Set Third Layer Visibility Behind Walls");
        info.Tiles_In_Border = Get_Bool("Tiles allowed in the border");
        info.Connection_Off_Map = Get_Bool("Allow tile connection off map");
        info.Require_Start_Connections = Get_Bool("Require connection between starting points");
        info.Increased_Border_Size = Get_Word("Increased Border Size");
        info.Percent_To_Fill = Get_Word("Percent of map to fill");
        info.Tiles_Per_Cycle = Get_Word("Number of tiles to change to resize");

        const uint16_t specific = Get_Word("Number of specific tile locations");
        for (int32_t n = 1; n <= specific; ++n) {
            const std::string key = "Tile Location " + std::to_string(n);
            TTile_Class_Specific_Location location;
            location.Name = Get_String(key + " Name");
            location.X = cell_byte(key + " Xpos");
            location.Y = cell_byte(key + " Ypos");
            info.Specific_Locations.push_back(location);
        }

        const uint16_t groups = Get_Word("Number of group tile locations");
        for (int32_t n = 1; n <= groups; ++n) {
            const std::string key = "Tile Group " + std::to_string(n);
            TTile_Class_Group_Location group;
            group.Chance = Get_Word(key + " Chance");
            const uint16_t tiles = Get_Word(key + " Number of Tiles");
            for (int32_t m = 1; m <= tiles; ++m) {
                const std::string tile_key = key + " Tile " + std::to_string(m);
                TTile_Class_Specific_Location location;
                location.Name = Get_String(tile_key + " Name");
                location.X = cell_word(tile_key + " Xpos");
                location.Y = cell_word(tile_key + " Ypos");
                group.Locations.push_back(location);
            }
            info.Group_Locations.push_back(std::move(group));
        }

        const uint16_t entrances = Get_Word("Number of Tile Entrances");
        for (int32_t n = 1; n <= entrances; ++n) {
            const std::string key = "Tile Entrance " + std::to_string(n);
            TTile_Class_Specific_Location entrance;
            entrance.Name = Get_String(key + " Name");
            entrance.X = low_byte(Get_Word(key + " Tile Square Xpos"));
            entrance.Y = low_byte(Get_Word(key + " Tile Square Ypos"));
            info.Entrances.push_back(entrance);
        }

        const uint16_t globals = Get_Word("Number of Global Tile Identifiers");
        for (int32_t n = 1; n <= globals; ++n) {
            const std::string key = "Global Identifier " + std::to_string(n);
            TTile_Class_Symbol symbol;
            symbol.Symbol = Get_String(key + " Symbol");
            symbol.Categories = categories(key + " Terrain Category");
            global_symbols_.push_back(std::move(symbol));
        }
    }

    std::vector<TTile_Class_Specific_Location> placed_things(const std::string& count_key,
                                                             const std::string& prefix) {
        std::vector<TTile_Class_Specific_Location> things;
        const uint16_t count = Get_Word(count_key);
        for (int32_t n = 1; n <= count; ++n) {
            const std::string key = prefix + std::to_string(n);
            TTile_Class_Specific_Location thing;
            thing.Name = Get_String(key + " Class Name");
            thing.X = low_byte(Get_Word(key + " Xpos"));
            thing.Y = low_byte(Get_Word(key + " Ypos"));
            things.push_back(thing);
        }
        return things;
    }

    void read_tile() {
        const TTile_Class_Info& info = set_.Info;
        TTile_Class tile;
        tile.Name = Get_String("Tile Name");
        Set_Record_Name(tile.Name);
        tile.Connection_Types[0] = low_byte(Get_Word("Connection Type N"));
        tile.Connection_Types[1] = low_byte(Get_Word("Connection Type E"));
        tile.Connection_Types[2] = low_byte(Get_Word("Connection Type S"));
        tile.Connection_Types[3] = low_byte(Get_Word("Connection Type W"));
        tile.Max_Per_Level = Get_Word("Maximum Number Per Dungeon Level");
        tile.Max_Per_Module = Get_Word("Maximum Number Per Module");
        tile.Allow_Random_Monsters = Get_Bool("Allow Random Monster Placement in this Tile");
        tile.Allow_Wandering_Monsters = Get_Bool("Allow Wandering Monster Placement");
        tile.Monster_Categories = categories("Monster Placement Terrain Category");
        tile.Allow_Random_Items = Get_Bool("Allow Random Item Placement in this Tile");
        tile.Item_Categories = categories("Item Placement Terrain Category");
        tile.Can_Rotate = Get_Bool("Tile Can Be Rotated");
        tile.Percent_Chance = Get_Word("Tile Percent Chance Per Dungeon Level");
        tile.Section_Width = Get_Word("Tile Section Width");
        tile.Section_Height = Get_Word("Tile Section Height");
        tile.Section_X = Get_Word("Tile Section Position X");
        tile.Section_Y = Get_Word("Tile Section Position Y");
        tile.Section_Group_ID = Get_Word("Tile Section Group ID");

        // A height the map cannot hold is reported once by the header check; reading
        // thousands of missing rows would only bury that message.
        const uint32_t rows = std::min(info.Tile_Square_Height, info.Grid_Span());
        for (uint32_t n = 1; n <= rows; ++n) {
            const std::string key = "Tile Row " + std::to_string(n);
            std::string row;
            if (!Get_Field_Value(key, row))
                continue; // reported as a missing field
            if (row.size() == info.Tile_Square_Width)
                tile.Rows.push_back(row);
            else
                Add_Error(key + " not the correct size.");
        }
        // Rows past the height are never read: a height that does not match the rows.
        if (rows == info.Tile_Square_Height) {
            const std::string next = "Tile Row " + std::to_string(rows + 1);
            std::string row;
            if (Get_Field_Value(next, row, false))
                Add_Error(next + " is beyond the Tile Square Height of " +
                          std::to_string(info.Tile_Square_Height) + ".");
        }

        const uint16_t symbols = Get_Word("Number of Tile Specific Identifiers");
        for (int32_t n = 1; n <= symbols; ++n) {
            const std::string key = "Identifier " + std::to_string(n);
            TTile_Class_Symbol symbol;
            symbol.Symbol = Get_String(key + " Symbol");
            symbol.Categories = categories(key + " Terrain Category");
            tile.Symbols.push_back(std::move(symbol));
        }

        tile.Specific_Monsters = placed_things("Number of Specific Monsters", "Monster ");
        tile.Specific_Items = placed_things("Number of Specific Items", "Item ");
        tile.Locked_Terrain_Groups = Get_String("Locked Terrain Groups");
        tile.Trapped_Terrain_Groups = Get_String("Trapped Terrain Groups");
        set_.Tiles.push_back(std::move(tile));
    }

    TTile_Class_Set& set_;
    std::vector<TTile_Class_Symbol> global_symbols_;
};

} // namespace

TData_File_Report Read_Tile_Class_File(const std::string& path, TTile_Class_Set& set) {
    set.Clear();
    TTile_Class_Loader loader(path, set);
    loader.Execute_Load();
    return {Tile_Class_Errors_Heading, path, loader.Get_Error_List()};
}

bool Load_Tile_Class_File(const std::string& filename) {
    const std::string path = Path_Settings ? Path_Settings->Get_Tile_File(filename) : std::string();
    if (path.empty()) {
        // Not a plain file name: nothing outside the module's folder is read.
        Tile_Classes.Clear();
        Report_Error_List(Tile_Class_Errors_Heading, filename,
                          {"Unable to load data file: \"" + filename + "\"."});
        return false;
    }
    const TData_File_Report report = Read_Tile_Class_File(path, Tile_Classes);
    Report_Error_List(report.Heading, report.File_Name, report.Errors);
    return report.Ok();
}

void Free_Tile_Classes() {
    Tile_Classes.Clear();
}

void Paint_Tile_Squares(const TTile_Class& tile, const TTerrain_Category_Cache& terrains,
                        const std::function<void(int32_t, int32_t, uint16_t)>& put) {
    // Per symbol of this tile: the terrain kept once it was the only candidate.
    std::vector<uint16_t> remembered(tile.Symbols.size(), 0);
    auto symbol_of = [&](char c) -> int32_t {
        for (size_t s = 0; s < tile.Symbols.size(); ++s)
            if (!tile.Symbols[s].Symbol.empty() && tile.Symbols[s].Symbol.front() == c)
                return static_cast<int32_t>(s);
        return -1;
    };
    for (size_t row = 0; row < tile.Rows.size(); ++row) {
        const std::string& text = tile.Rows[row];
        for (size_t column = 0; column < text.size(); ++column) {
            const int32_t s = symbol_of(text[column]);
            if (s < 0 || tile.Symbols[static_cast<size_t>(s)].Categories.empty())
                continue;
            uint16_t& kept = remembered[static_cast<size_t>(s)];
            uint16_t slot = kept;
            if (slot == 0) {
                const TTerrain_Choice choice = terrains.Find_Terrain_By_Categories(
                    tile.Symbols[static_cast<size_t>(s)].Categories);
                slot = choice.Slot;
                if (choice.Only)
                    kept = choice.Slot;
            }
            if (slot != 0)
                put(static_cast<int32_t>(column), static_cast<int32_t>(row), slot);
        }
    }
}

TData_File_Report Check_Tile_Class_File(const std::string& path) {
    TTile_Class_Set set;
    return Read_Tile_Class_File(path, set);
}
