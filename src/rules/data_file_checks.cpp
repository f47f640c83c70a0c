#include "rules/data_file_checks.h"

#include <algorithm>

#include "rules/display_effects.h"
#include "rules/item_classes.h"
#include "rules/item_modifiers.h"

TData_File_Report Check_Display_Effects_File(const std::string& path) {
    return Load_Display_Effects(path);
}

TData_File_Report Check_Item_Class_File(const std::string& path) {
    TItem_Class_List list;
    return list.Read_Item_Classes(path);
}

TData_File_Report Check_Item_Modifiers_File(const std::string& path) {
    TItem_Modifier_Tables tables;
    return Read_Item_Modifiers(path, tables);
}

TData_File_Report Check_Unique_Names_File(const std::string& path) {
    TItem_Modifier_Tables tables;
    return Read_Unique_Names(path, tables);
}

namespace {

// Reads only the map item class file names; the module definition loader reports the
// rest of the file.
class TModule_Item_Files_Reader : public TRecord_Loader {
  public:
    using TRecord_Loader::TRecord_Loader;
    std::vector<std::string> Names;

  protected:
    void Process_Record(int32_t record_number) override {
        if (record_number != 1)
            return;
        const uint16_t maps = Get_Word("Number Of Maps", false);
        for (int32_t n = 1; n <= maps; ++n) {
            std::string name;
            if (!Get_Field_Value("Map " + std::to_string(n) + " Item Classes Filename", name,
                                 false) ||
                name.empty())
                continue;
            if (std::find(Names.begin(), Names.end(), name) == Names.end())
                Names.push_back(name);
        }
    }
};

} // namespace

std::vector<std::string> Module_Item_Class_Files(const std::string& module_data_path) {
    TModule_Item_Files_Reader reader(module_data_path);
    reader.Execute_Load();
    return reader.Names;
}
