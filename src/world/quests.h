#pragma once
// Quests: a module's named goals with a description, an experience reward and the
// text shown on completion, read from "Quests.txt" when the module is created and
// kept (with their state) in the runtime module. Events and results address a quest
// by its record number in the file.

#include <cstdint>
#include <string>
#include <vector>

#include "rules/record_fields.h"

class TValue_Reader;
class TValue_Writer;

class TModule_Quest {
  public:
    uint16_t Quest_ID = 0;
    std::string Name;
    std::string Description;
    bool Visible = false;
    bool Completed = false; // runtime state; the file has neither
    bool Failed = false;
    int32_t Experience = 0;
    bool Game_Over = false; // kept and saved; nothing acts on it
    std::vector<std::string> Completion_Paragraphs;

    // Word Quest_ID; Strings Name, Description; Booleans Visible, Completed, Failed;
    // Longint Experience; Boolean Game_Over; String list Completion_Paragraphs.
    void Save(TValue_Writer& writer) const;
    void Load(TValue_Reader& reader);
};

// The record of the quest file is the runtime quest before play begins.
using TQuest_Class = TModule_Quest;

class TModule_Quests_List {
  public:
    std::vector<TModule_Quest> Quests; // quest k at index k - 1

    int32_t Count() const { return static_cast<int32_t>(Quests.size()); }
    // Quest number index (1-based); nothing outside 1..Count.
    TModule_Quest* Get_Quest(int32_t index);
    const TModule_Quest* Get_Quest(int32_t index) const;
    void Clear() { Quests.clear(); }

    // Word count, then each quest.
    void Save(TValue_Writer& writer) const;
    // Throws TStream_Error on a damaged list, leaving the list as it was.
    void Load(TValue_Reader& reader);
};

// Reads "Quests.txt" into quests (emptied first), in file order, showing nothing.
//
// Keys: "Quest ID", "Name", "Description", "Visible", "Experience for Completion",
// "Game Over", "Completion Num Paragraphs", "Completion Paragraph <n>".
TData_File_Report Read_Quests(const std::string& path, TModule_Quests_List& quests);
// The same, showing the errors under the quest heading; false when there were any.
bool Reset_Quests(TModule_Quests_List& quests, const std::string& path);
// The validator's check of a quest file.
TData_File_Report Check_Quest_File(const std::string& path);
