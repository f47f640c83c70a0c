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
