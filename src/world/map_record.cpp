// The map record of a map file.

#include <algorithm>
#include <utility>

#include "datafiles/data_file_errors.h"
#include "platform/files.h"
#include "shell/globals.h"
#include "shell/value_stream.h"
#include "world/map.h"

namespace {

void save_marks(TValue_Writer& writer, const TSquare_Names& marks) {
    writer.Write_String_List(marks.Names);
    writer.Write_Word_List(marks.X);
    writer.Write_Word_List(marks.Y);
}

void load_marks(TValue_Reader& reader, TSquare_Names& marks) {
    reader.Read_String_List(marks.Names);
    reader.Read_Word_List(marks.X);
    reader.Read_Word_List(marks.Y);
    if (marks.X.size() != marks.Names.size() || marks.Y.size() != marks.Names.size())
        throw TStream_Error("lock or trap lists of different lengths");
}

std::string default_terrain_file(const std::string& name) {
    if (!Path_Settings || !Is_Plain_Name(name))
        return {};
    return Path_Settings->Get_Tile_File(name);
}

} // namespace

void TWriteable_Map::Save(TValue_Writer& writer) const {
    writer.Write_String(Version);
    writer.Write_String(Map_File_Name);
    writer.Write_String(Display_Name);
    for (const TMap_Square& square : squares_) // x-major, as the record wants
        square.Save(writer);
    writer.Write_Boolean(Universal_Light);
    writer.Write_String(Terrains.File_Name);
    Item_List.Save(writer);
    Monster_List.Save(writer);

    writer.Write_Boolean(!collections_.empty());
    if (!collections_.empty()) {
        if (collections_.size() > 65535)
            throw TStream_Error("too many item piles");
        writer.Write_Word(static_cast<uint16_t>(collections_.size()));
        for (size_t i = 1; i < collections_.size(); ++i) {
            writer.Write_Boolean(collections_[i] != nullptr);
            if (collections_[i])
                collections_[i]->Save(writer);
        }
    }
    Save_Store_Table(writer, Stores);

    std::vector<uint16_t> xs, ys;
    writer.Write_Boolean(!location_lists_.empty());
    if (!location_lists_.empty()) {
        // The table's length counts its unused entry 0.
        if (location_lists_.size() >= 65535)
            throw TStream_Error("too many location lists");
        writer.Write_Word(static_cast<uint16_t>(location_lists_.size() + 1));
        for (const TLocation_List& list : location_lists_) {
            writer.Write_Word_List(list.Values);
            xs.push_back(list.X);
            ys.push_back(list.Y);
        }
    }
    writer.Write_Word_List(xs);
    writer.Write_Word_List(ys);
    save_marks(writer, locks_);
    save_marks(writer, traps_);
}

void TWriteable_Map::Load(TValue_Reader& reader, const TTerrain_File_Resolver& terrain_file) {
    // Everything is read aside first, so a damaged file leaves the map untouched.
    const std::string version = reader.Read_String();
    reader.Read_String(); // replaced by the name of the file actually read
    const std::string display_name = reader.Read_String();
    std::vector<TMap_Square> squares(Map_Size * Map_Size);
    for (TMap_Square& square : squares)
        square.Load(reader);
    const bool universal_light = reader.Read_Boolean();
    const std::string terrain_name = reader.Read_String();
    TItem_List items;
    items.Load(reader);
    TMonster_List monsters;
    monsters.Load(reader);

    std::vector<std::unique_ptr<TItem_Collection>> collections;
    if (reader.Read_Boolean()) {
        collections.resize(std::max<uint16_t>(reader.Read_Word(), 1));
        for (size_t i = 1; i < collections.size(); ++i)
            if (reader.Read_Boolean()) {
                collections[i] = std::make_unique<TItem_Collection>();
                collections[i]->Load(reader);
            }
    }
    std::vector<TStore> stores = Load_Store_Table(reader);

    std::vector<std::vector<uint16_t>> values;
    if (reader.Read_Boolean()) {
        const uint16_t n = reader.Read_Word();
        for (int32_t i = 1; i < n; ++i) {
            values.emplace_back();
            reader.Read_Word_List(values.back());
        }
    }
    std::vector<uint16_t> xs, ys;
    reader.Read_Word_List(xs);
    reader.Read_Word_List(ys);
    if (xs.size() != values.size() || ys.size() != values.size())
        throw TStream_Error("location lists and their positions differ in length");
    TSquare_Names locks, traps;
    load_marks(reader, locks);
    load_marks(reader, traps);

    // A square's item or pile number that names nothing (an item deleted while the
    // square still named it) is dropped rather than losing the whole level; its
    // creature number is rebuilt from the creatures below.
    for (TMap_Square& square : squares) {
        if (square.Item == 0)
            continue;
        const bool named = square.Is_Pile()
                               ? square.Item < collections.size() && collections[square.Item]
                               : items.Get(square.Item) != nullptr;
        if (!named) {
            square.Item = 0;
            square.Set_Flag(Square_Pile, false);
        }
    }
    for (int32_t number = 1; number <= monsters.Count(); ++number)
        if (const TMonster* creature = monsters.Get(number))
            if (!In_Map(creature->X, creature->Y))
                throw TStream_Error("a creature stands off the map");
    for (const TStore& store : stores)
        for (uint16_t number : store.Stock_Items)
            if (!items.Get(number))
                throw TStream_Error("a store stocks a missing item");

    Version = version;
    Display_Name = display_name;
    squares_ = std::move(squares);
    Universal_Light = universal_light;
    Item_List = items;
    Monster_List = monsters;
    collections_ = std::move(collections);
    Stores = std::move(stores);
    location_lists_.clear();
    for (size_t i = 0; i < values.size(); ++i)
        location_lists_.push_back({std::move(values[i]), xs[i], ys[i]});
    locks_ = std::move(locks);
    traps_ = std::move(traps);
    Player_Number = 0;

    // Derived state: each creature's square names it, and no square names a creature
    // standing elsewhere; each monster's base counts the light and slowness of the items
    // it holds, which are only now in the map's own list.
    for (TMap_Square& square : squares_)
        square.Monster = 0;
    TCreature_World* previous = Creature_World();
    Make_Current();
    for (int32_t number = 1; number <= Monster_List.Count(); ++number)
        if (TMonster* creature = Monster_List.Get(number)) {
            Place_Monster_At_Its_Position(*creature);
            creature->Rebuild_Base();
        }
    Set_Creature_World(previous);

    const std::string path =
        terrain_file ? terrain_file(terrain_name) : default_terrain_file(terrain_name);
    Terrains.Clear();
    if (!path.empty())
        Terrains.Load_Terrain_File(path);
    else if (!terrain_name.empty()) // a name that is not a plain file name: as if missing
        Report_Error_List(Terrain_Errors_Heading, terrain_name,
                          {"Unable to load data file: \"" + terrain_name + "\"."});
    // The name stays with the map even when its file is missing, so saving keeps it.
    Terrains.File_Name = terrain_name;
}
std::unique_ptr<TWriteable_Map> Current_Map;
