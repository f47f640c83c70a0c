#pragma once
// Showing the error list of a data file. Code that loads a data file calls
// Report_Error_List with the heading of its file kind when the loader's error list is
// not empty; the list goes to the installed message service (shell/services.h), which
// the game screen gives its "Error List Dlg" dialog and which headless prints to stderr.

#include <string>
#include <vector>

// The fixed headings of the error list dialog, one per kind of data file.
inline constexpr const char* Monster_Modifier_Class_Errors_Heading =
    "Monster Modifier Class Data File Errors: ";
inline constexpr const char* Monster_Random_Items_Carried_Errors_Heading =
    "Monster Random Items Carried Data File Errors: ";
inline constexpr const char* Monster_Class_Errors_Heading = "Monster Class Data File Errors: ";
inline constexpr const char* Trap_Groups_Errors_Heading = "Trap Groups Data File Errors: ";
inline constexpr const char* Item_Modifier_Class_Errors_Heading =
    "Item Modifier Class Data File Errors: ";
inline constexpr const char* Item_Unique_Class_Errors_Heading =
    "Item Unique Class Data File Errors: ";
inline constexpr const char* Item_Class_Errors_Heading = "Item Class Data File Errors: ";
inline constexpr const char* Tile_Class_Errors_Heading = "Tile Class Data File Errors: ";
inline constexpr const char* Module_Class_Errors_Heading = "Module Class Data File Errors: ";
inline constexpr const char* Store_Class_Errors_Heading = "Store Class Data File Errors: ";
inline constexpr const char* Chance_Groups_Errors_Heading = "Chance Groups Data File Errors: ";
inline constexpr const char* Monster_Groups_Errors_Heading = "Monster Groups Data File Errors: ";
inline constexpr const char* Class_Portrait_Errors_Heading = "Class Portrait Data File Errors: ";
inline constexpr const char* Event_Class_Errors_Heading = "Event Class Data File Errors: ";
inline constexpr const char* Quest_Class_Errors_Heading = "Quest Class Data File Errors: ";
inline constexpr const char* Master_Spell_Errors_Heading = "Master Spell Data File Errors: ";
inline constexpr const char* Terrain_Errors_Heading = "Terrain Data File Errors: ";
inline constexpr const char* Display_Effect_Errors_Heading = "Display Effect Data File Errors: ";

// Shows a non-empty error list (an empty list shows nothing).
void Report_Error_List(const std::string& heading, const std::string& file,
                       const std::vector<std::string>& messages);

// The lines of an error list as the dialog shows them.
std::vector<std::string> Error_List_Lines(const std::string& heading, const std::string& file,
                                          const std::vector<std::string>& messages);
