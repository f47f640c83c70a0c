#include "world/terrain_file_checks.h"

#include <algorithm>

#include "world/terrain.h"

TData_File_Report Check_Terrain_File(const std::string& path) {
    TTerrain_List list;
    return list.Read_Terrain_File(path);
}
