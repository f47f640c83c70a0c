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
