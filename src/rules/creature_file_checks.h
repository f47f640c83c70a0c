#pragma once
// One call per data file of creatures and spells, as the module authors' validator uses
// them: each loads the whole file and returns its error heading and messages, showing
// nothing.

#include <string>
#include <vector>

#include "rules/record_fields.h"

// "Classes.txt".
TData_File_Report Check_Class_Info_File(const std::string& path);
// "Spells.txt", loaded into the master spell list so that the monster class files
// checked after it resolve their spell names.
TData_File_Report Check_Spells_File(const std::string& path);
// A monster class file ("Summon_MonsterClasses.txt" or a module's per-map file); its
// sound names are looked for in the sound folder.
TData_File_Report Check_Monster_Class_File(const std::string& path);
// "MonsterModifiers.txt" of a module.
TData_File_Report Check_Monster_Modifiers_File(const std::string& path);
