#include "world/store_classes.h"

#include "datafiles/data_file_errors.h"

std::vector<TStore_Class> Store_Classes;

namespace {

class TStore_Class_Loader : public TRecord_Loader {
  public:
    TStore_Class_Loader(const std::string& path, std::vector<TStore_Class>& table)
        : TRecord_Loader(path), table_(table) {}

  protected:
    void Process_Record(int32_t) override {
        TStore_Class store;
        store.Store_ID = Get_Word("Store ID");
        Set_Record_Name(std::to_string(store.Store_ID));
        store.Store_Name = Get_String("Store Name");
        store.Buy_Min = Get_Word("Buy Cost Modifier Percentage Min");
        store.Buy_Max = Get_Word("Buy Cost Modifier Percentage Max");
        store.Sell_Min = Get_Word("Sell Cost Modifier Percentage Min");
        store.Sell_Max = Get_Word("Sell Cost Modifier Percentage Max");
        store.Magic_Chance_Per_Level = Get_Float("Chance For Magic Item Per Char Level");
        store.Unique_Chance_Per_Level = Get_Float("Chance For Unique Item Per Char Level");
        store.Item_Min_Level_Offset = Get_Word("Item Min Level Character Level Offset");
        store.Item_Max_Level_Offset = Get_Word("Item Max Level Character Level Offset");
        store.Item_Grouping_Type = Get_String("Item Grouping Type");
        const uint16_t groups = Get_Word("Number of Item Groups");
        for (int32_t g = 1; g <= groups; ++g) {
            const std::string group = "Item Group " + std::to_string(g);
            const std::string group_name = Get_String(group + " Name");
            const uint16_t classes = Get_Word(group + " Number of Item Classes");
            for (int32_t c = 1; c <= classes; ++c) {
                const std::string item = group + " Item Class " + std::to_string(c);
                store.Item_Group_Names.push_back(group_name);
                store.Item_Class_Names.push_back(Get_String(item + " Name"));
                // Kept as a byte, as the stores always have: 300 becomes 44.
                store.Appearance_Chances.push_back(
                    static_cast<uint8_t>(Get_Word(item + " Appearance Chance") & 0xFF));
            }
        }
        table_.push_back(std::move(store));
    }

  private:
    std::vector<TStore_Class>& table_;
};

} // namespace

TData_File_Report Read_Store_Classes(const std::string& path, std::vector<TStore_Class>& table) {
    table.clear();
    TStore_Class_Loader loader(path, table);
    loader.Execute_Load();
    return {Store_Class_Errors_Heading, path, loader.Get_Error_List()};
}

bool Load_Store_Classes(const std::string& path) {
    const TData_File_Report report = Read_Store_Classes(path);
    Report_Error_List(report.Heading, report.File_Name, report.Errors);
    return report.Ok();
}

void Free_Store_Classes() {
    Store_Classes.clear();
}

const TStore_Class* Get_Store_Class(int32_t n, const std::vector<TStore_Class>& table) {
    if (n < 1 || static_cast<size_t>(n) > table.size())
        return nullptr;
    return &table[static_cast<size_t>(n) - 1];
}

TData_File_Report Check_Store_Class_File(const std::string& path) {
    std::vector<TStore_Class> table;
    TData_File_Report report = Read_Store_Classes(path, table);
    // Stores find their class by record number, so an ID that differs from it gives its
    // stores another class (or none) in the game.
    for (size_t k = 0; k < table.size(); ++k) {
        const size_t record = k + 1;
        if (table[k].Store_ID != record)
            report.Errors.push_back("Store ID " + std::to_string(table[k].Store_ID) +
                                    " of record " + std::to_string(record) +
                                    " is not its record number: stores take their class by "
                                    "record number.");
    }
    return report;
}
