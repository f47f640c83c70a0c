#pragma once
// A store of a map: what it has in stock and the prices it pays and asks. Stores are
// made unstocked with their map and restocked every time their map is loaded, so the
// stock and the prices change each time the character comes back to the level.

#include <cstdint>
#include <string>
#include <vector>

#include "world/store_classes.h"

class TItem;
class TItem_Class_List;
class TItem_List;
class TValue_Reader;
class TValue_Writer;
struct TItem_Modifier_Tables;

class TStore {
  public:
    uint16_t Store_ID = 0; // also the position of its class in the store class file
    std::string Store_Class_Filename;
    std::string Item_Class_Filename;
    bool Stocked = false;
    std::string Store_Name;
    uint16_t Buy_Min = 0, Buy_Max = 0, Sell_Min = 0, Sell_Max = 0;
    double Magic_Chance_Per_Level = 0;
    double Unique_Chance_Per_Level = 0;
    int32_t Item_Min_Level_Offset = 0, Item_Max_Level_Offset = 0;
    std::string Item_Grouping_Type;
    uint16_t Buy_Percent = 0, Sell_Percent = 0; // drawn at the last restock; not saved
    std::vector<std::string> Stock_Groups;      // parallel to Stock_Items
    std::vector<uint16_t> Stock_Items;          // item numbers in the map's item list

    void Init(uint16_t store_id, const std::string& store_class_filename,
              const std::string& item_class_filename);
    // Clears everything but the ID and the file names. The stock items still in the
    // map's item list are deleted from it, so restocking never leaves unowned items
    // behind; items already sold are no longer in the stock and stay.
    void Reset(TItem_List* items);
    // Fills the stock from store class Store_ID for a character of the level. A class
    // position the table lacks leaves the store empty and unstocked.
    void Restock(const std::vector<TStore_Class>& store_classes,
                 const TItem_Class_List& item_classes, TItem_List& items, int32_t level,
                 const TItem_Modifier_Tables* modifiers = nullptr);
    uint16_t Get_Buy_Percent() const { return Buy_Percent; }
    uint16_t Get_Sell_Percent() const { return Sell_Percent; }
    // Takes the item out of the stock (it was bought); false when it is not there. The
    // store window must call it for every item it hands over, or the next restock
    // deletes the item.
    bool Remove_Stock_Item(uint16_t item_number);
    // An item the character sold joins the stock under its category.
    void Add_Stock_Item(const std::string& group, uint16_t item_number);
    // The distinct categories of the stocked items, sorted.
    std::vector<std::string> Get_Categories() const;

    // Word Store_ID; Strings Store_Class_Filename, Item_Class_Filename; Boolean Stocked;
    // String Store_Name; Words Buy_Min, Buy_Max, Sell_Min, Sell_Max; Floats the two
    // per-level chances; Longints the two level offsets; String Item_Grouping_Type;
    // String list Stock_Groups; Word list Stock_Items.
    void Save(TValue_Writer& writer) const;
    // Throws TStream_Error on a damaged record, leaving the store as it was.
    void Load(TValue_Reader& reader);
};

// What the character pays for the item (buying) or receives for it (selling):
// Trunc(value × percent / 100) of the store's buy or sell percent, the value itself
// without a store.
int32_t Price(const TItem& item, bool selling, const TStore* store);

// The stores table of the map record: a Boolean whether it exists, then Word n (its
// length counting the unused entry 0) and stores 1 to n - 1.
void Save_Store_Table(TValue_Writer& writer, const std::vector<TStore>& stores);
// Throws TStream_Error on a damaged table.
std::vector<TStore> Load_Store_Table(TValue_Reader& reader);

// Restocks every store of a map when it is loaded: the item classes come from the
// first store's item class file, the store classes from its store class file (both in
// the module's "Tiles\" folder), the item modifiers and unique names from the module's
// "Data\" folder. Each store is reset, then restocked for the character's level. The
// loaded files are freed again. Files that fail to load show their error lists; the
// stores are then restocked from what was read. False when any file had errors.
bool Restock_Stores(std::vector<TStore>& stores, TItem_List& items, int32_t level);
