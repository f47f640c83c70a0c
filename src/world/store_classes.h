#pragma once
// Store classes: what each store of a map sells and at which prices. A map's
// " Stores Filename" names the file; every record makes one store on every map that
// names it, and a store restocks from the class at its own position.

#include <cstdint>
#include <string>
#include <vector>

#include "rules/record_fields.h"

struct TStore_Class {
    uint16_t Store_ID = 0;
    std::string Store_Name;
    uint16_t Buy_Min = 0, Buy_Max = 0;   // percent of value the character pays
    uint16_t Sell_Min = 0, Sell_Max = 0; // percent of value the character receives
    double Magic_Chance_Per_Level = 0;
    double Unique_Chance_Per_Level = 0;
    uint16_t Item_Min_Level_Offset = 0;
    uint16_t Item_Max_Level_Offset = 0;
    std::string Item_Grouping_Type;
    // The item groups flattened, one entry per item class in file order: the group's
    // name repeated for each of its classes, the class name, its appearance chance.
    std::vector<std::string> Item_Group_Names;
    std::vector<std::string> Item_Class_Names;
    std::vector<uint8_t> Appearance_Chances;
};

// The store classes of the map being made or loaded: class k at index k - 1.
extern std::vector<TStore_Class> Store_Classes;

// Replaces the table with the file's classes and returns what the load reported,
// showing nothing.
//
// Keys: "Store ID", "Store Name", "Buy Cost Modifier Percentage Min",
// "Buy Cost Modifier Percentage Max", "Sell Cost Modifier Percentage Min",
// "Sell Cost Modifier Percentage Max", "Chance For Magic Item Per Char Level",
// "Chance For Unique Item Per Char Level", "Item Min Level Character Level Offset",
// "Item Max Level Character Level Offset", "Item Grouping Type",
// "Number of Item Groups", "Item Group <g> Name", "Item Group <g> Number of Item Classes",
// "Item Group <g> Item Class <c> Name", "Item Group <g> Item Class <c> Appearance Chance"
// (a word of which the low byte is kept).
TData_File_Report Read_Store_Classes(const std::string& path,
                                     std::vector<TStore_Class>& table = Store_Classes);
// The same into the global table, showing the errors; false when there were any.
bool Load_Store_Classes(const std::string& path);
void Free_Store_Classes();
// Class number n (1-based), or nothing when the table has no such class: a store
// whose number names no class stays empty.
const TStore_Class* Get_Store_Class(int32_t n,
                                    const std::vector<TStore_Class>& table = Store_Classes);

// The validator's check of a store class file; it also reports every store whose ID
// is not its record number.
TData_File_Report Check_Store_Class_File(const std::string& path);
