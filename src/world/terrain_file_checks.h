#pragma once
// The terrain files of a module, as the module authors' validator checks them.

#include <string>
#include <vector>

#include "rules/record_fields.h"

// Loads one terrain file and returns its error heading and messages, showing nothing.
TData_File_Report Check_Terrain_File(const std::string& path);
