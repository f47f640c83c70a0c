#include "rules/creature_file_checks.h"

#include <algorithm>

#include "platform/files.h"
#include "rules/class_info.h"
#include "rules/monster_classes.h"
#include "rules/spells.h"
#include "shell/globals.h"

TData_File_Report Check_Class_Info_File(const std::string& path) {
    TClass_Info_List table;
    return Load_Class_Info(path, table);
}

TData_File_Report Check_Spells_File(const std::string& path) {
    return Load_Master_Spells(path);
}

TData_File_Report Check_Monster_Class_File(const std::string& path) {
    TMonster_Class_List list;
    return Load_Monster_Classes(path, list, [](const std::string& name) {
        if (!Path_Settings)
            return true;
        const std::string file = Path_Settings->Get_Sound_File(name);
        return !file.empty() && File_Exists(file);
    });
}

TData_File_Report Check_Monster_Modifiers_File(const std::string& path) {
    TMonster_Modifier_Tables tables;
    return Load_Monster_Modifiers(path, tables);
}

namespace {

// Reads only the map monster class file names; the module definition loader reports
// the rest of the file.
class TModule_Monster_Files_Reader : public TRecord_Loader {
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
            if (!Get_Field_Value("Map " + std::to_string(n) + " Monster Classes Filename", name,
                                 false) ||
                name.empty())
                continue;
            if (std::find(Names.begin(), Names.end(), name) == Names.end())
                Names.push_back(name);
        }
    }
};

} // namespace

std::vector<std::string> Module_Monster_Class_Files(const std::string& module_data_path) {
    TModule_Monster_Files_Reader reader(module_data_path);
    reader.Execute_Load();
    return reader.Names;
}
