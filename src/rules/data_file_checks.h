#pragma once
// One call per data file of the rules, as the module authors' validator uses them:
// each loads the whole file and returns its error heading and messages, showing
// nothing.

#include <string>
#include <vector>

#include "rules/record_fields.h"

// "Effects.txt", loaded into the display effects table so that the item class files
// checked after it resolve their "Damage Firing FX" names.
TData_File_Report Check_Display_Effects_File(const std::string& path);
// An item class file ("Classes_ItemClasses.txt" or a module's per-map file).
TData_File_Report Check_Item_Class_File(const std::string& path);
// "ItemModifiers.txt" and "UniqueItemNames.txt" of a module.
TData_File_Report Check_Item_Modifiers_File(const std::string& path);
TData_File_Report Check_Unique_Names_File(const std::string& path);
