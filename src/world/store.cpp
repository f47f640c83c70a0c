#include "world/store.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "datafiles/data_file_errors.h"
#include "platform/files.h"
#include "rules/item_classes.h"
#include "rules/item_list.h"
#include "rules/item_modifiers.h"
#include "shell/globals.h"
#include "shell/random.h"
#include "shell/value_stream.h"

namespace {

// Trunc(level x chance per level). The per-level chance is a real from the store file
// or a saved map: a huge, infinite or undefined product must not reach the integer.
int32_t chance_at_level(int32_t level, double per_level) {
    const double chance = std::trunc(level * per_level);
    if (std::isnan(chance))
        return 0;
    return static_cast<int32_t>(std::clamp(chance, -2147483647.0, 2147483647.0));
}

} // namespace

void TStore::Init(uint16_t store_id, const std::string& store_class_filename,
                  const std::string& item_class_filename) {
    Store_ID = store_id;
    Store_Class_Filename = store_class_filename;
    Item_Class_Filename = item_class_filename;
    Stocked = false;
}

void TStore::Reset(TItem_List* items) {
    if (items)
        for (uint16_t number : Stock_Items)
            items->Delete_Item(number);
    TStore fresh;
    fresh.Init(Store_ID, Store_Class_Filename, Item_Class_Filename);
    *this = std::move(fresh);
}

void TStore::Restock(const std::vector<TStore_Class>& store_classes,
                     const TItem_Class_List& item_classes, TItem_List& items, int32_t level,
                     const TItem_Modifier_Tables* modifiers) {
    const TStore_Class* store_class = Get_Store_Class(Store_ID, store_classes);
    if (!store_class)
        return;
    Store_Name = store_class->Store_Name;
    Buy_Min = store_class->Buy_Min;
    Buy_Max = store_class->Buy_Max;
    Sell_Min = store_class->Sell_Min;
    Sell_Max = store_class->Sell_Max;
    Magic_Chance_Per_Level = store_class->Magic_Chance_Per_Level;
    Unique_Chance_Per_Level = store_class->Unique_Chance_Per_Level;
    Item_Min_Level_Offset = store_class->Item_Min_Level_Offset;
    Item_Max_Level_Offset = store_class->Item_Max_Level_Offset;
    Item_Grouping_Type = store_class->Item_Grouping_Type;

    const int32_t magic_chance = chance_at_level(level, Magic_Chance_Per_Level);
    const int32_t unique_chance = chance_at_level(level, Unique_Chance_Per_Level);
    int32_t level_min = std::max(1, level + Item_Min_Level_Offset);
    const int32_t level_max = std::max(1, level + Item_Max_Level_Offset);

    TRandom_Item_Context context{items, level, modifiers, {}};
    const size_t entries =
        std::min({store_class->Item_Class_Names.size(), store_class->Item_Group_Names.size(),
                  store_class->Appearance_Chances.size()});
    for (size_t i = 0; i < entries; ++i) {
        const TItem_Class* item_class =
            item_classes.Find_Random_Class(store_class->Item_Class_Names[i], Item_Grouping_Type);
        if (!item_class || item_class->Item_Level_Min > level_max)
            continue;
        // The minimum only ever rises, for this entry and every later one.
        level_min = std::max<int32_t>(level_min, item_class->Item_Level_Min);
        if (!Percent_Roll(store_class->Appearance_Chances[i]))
            continue;
        const uint16_t number =
            item_classes.Create_Random_Item(*item_class, 0, 0, level_min, level_max, magic_chance,
                                            unique_chance, 0, 0, 0, false, context);
        if (number == 0)
            continue;
        Stock_Groups.push_back(store_class->Item_Group_Names[i]);
        Stock_Items.push_back(number);
    }
    Buy_Percent = static_cast<uint16_t>(Random_Range(Buy_Min, Buy_Max));
    Sell_Percent = static_cast<uint16_t>(Random_Range(Sell_Min, Sell_Max));
    Stocked = true;
}

bool TStore::Remove_Stock_Item(uint16_t item_number) {
    const auto found = std::find(Stock_Items.begin(), Stock_Items.end(), item_number);
    if (found == Stock_Items.end())
        return false;
    const auto index = found - Stock_Items.begin();
    Stock_Items.erase(found);
    Stock_Groups.erase(Stock_Groups.begin() + index);
    return true;
}

void TStore::Add_Stock_Item(const std::string& group, uint16_t item_number) {
    Stock_Groups.push_back(group);
    Stock_Items.push_back(item_number);
}

std::vector<std::string> TStore::Get_Categories() const {
    std::vector<std::string> categories = Stock_Groups;
    std::sort(categories.begin(), categories.end());
    categories.erase(std::unique(categories.begin(), categories.end()), categories.end());
    return categories;
}

void TStore::Save(TValue_Writer& writer) const {
    writer.Write_Word(Store_ID);
    writer.Write_String(Store_Class_Filename);
    writer.Write_String(Item_Class_Filename);
    writer.Write_Boolean(Stocked);
    writer.Write_String(Store_Name);
    writer.Write_Word(Buy_Min);
    writer.Write_Word(Buy_Max);
    writer.Write_Word(Sell_Min);
    writer.Write_Word(Sell_Max);
    writer.Write_Float(Magic_Chance_Per_Level);
    writer.Write_Float(Unique_Chance_Per_Level);
    writer.Write_Longint(Item_Min_Level_Offset);
    writer.Write_Longint(Item_Max_Level_Offset);
    writer.Write_String(Item_Grouping_Type);
    writer.Write_String_List(Stock_Groups);
    writer.Write_Word_List(Stock_Items);
}

void TStore::Load(TValue_Reader& reader) {
    TStore store;
    store.Store_ID = reader.Read_Word();
    store.Store_Class_Filename = reader.Read_String();
    store.Item_Class_Filename = reader.Read_String();
    store.Stocked = reader.Read_Boolean();
    store.Store_Name = reader.Read_String();
    store.Buy_Min = reader.Read_Word();
    store.Buy_Max = reader.Read_Word();
    store.Sell_Min = reader.Read_Word();
    store.Sell_Max = reader.Read_Word();
    store.Magic_Chance_Per_Level = reader.Read_Float();
    store.Unique_Chance_Per_Level = reader.Read_Float();
    store.Item_Min_Level_Offset = reader.Read_Longint();
    store.Item_Max_Level_Offset = reader.Read_Longint();
    store.Item_Grouping_Type = reader.Read_String();
    reader.Read_String_List(store.Stock_Groups);
    reader.Read_Word_List(store.Stock_Items);
    if (store.Stock_Groups.size() != store.Stock_Items.size())
        throw TStream_Error("store stock lists of different lengths");
    *this = std::move(store);
}

int32_t Price(const TItem& item, bool selling, const TStore* store) {
    const int64_t value = item.Get_Gold_Value();
    if (!store)
        return static_cast<int32_t>(value);
    const int64_t percent = selling ? store->Sell_Percent : store->Buy_Percent;
    // A dear stack at a high percent must not wrap to a price the store pays out.
    return static_cast<int32_t>(std::clamp<int64_t>(value * percent / 100,
                                                    -std::numeric_limits<int32_t>::max(),
                                                    std::numeric_limits<int32_t>::max()));
}

void Save_Store_Table(TValue_Writer& writer, const std::vector<TStore>& stores) {
    writer.Write_Boolean(!stores.empty());
    if (stores.empty())
        return;
    if (stores.size() >= 65535)
        throw TStream_Error("too many stores");
    writer.Write_Word(static_cast<uint16_t>(stores.size() + 1));
    for (const TStore& store : stores)
        store.Save(writer);
}

std::vector<TStore> Load_Store_Table(TValue_Reader& reader) {
    std::vector<TStore> stores;
    if (!reader.Read_Boolean())
        return stores;
    const uint16_t n = reader.Read_Word();
    for (int32_t i = 1; i < n; ++i)
        stores.emplace_back().Load(reader);
    return stores;
}

namespace {

// A store's file in the module's "Tiles\" folder; empty for a name that is not a
// plain file name.
std::string tiles_file(const std::string& name) {
    if (!Path_Settings || !Is_Plain_Name(name))
        return {};
    return Path_Settings->Get_Tile_File(name);
}

bool report(const TData_File_Report& report) {
    Report_Error_List(report.Heading, report.File_Name, report.Errors);
    return report.Ok();
}

} // namespace

bool Restock_Stores(std::vector<TStore>& stores, TItem_List& items, int32_t level) {
    for (TStore& store : stores)
        store.Reset(&items);
    if (stores.empty() || !Path_Settings)
        return stores.empty();

    bool ok = true;
    TItem_Class_List item_classes;
    ok &= report(item_classes.Read_Item_Classes(tiles_file(stores.front().Item_Class_Filename)));
    TItem_Modifier_Tables modifiers;
    ok &= report(Read_Item_Modifiers(Path_Settings->Get_Item_Modifiers_File(), modifiers));
    ok &= report(Read_Unique_Names(Path_Settings->Get_Unique_Item_Names_File(), modifiers));
    std::vector<TStore_Class> store_classes;
    ok &=
        report(Read_Store_Classes(tiles_file(stores.front().Store_Class_Filename), store_classes));

    for (TStore& store : stores)
        store.Restock(store_classes, item_classes, items, level, &modifiers);
    return ok;
}
