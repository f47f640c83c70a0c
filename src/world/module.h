#pragma once
// The runtime module: what the game keeps of the module definition while an adventure
// is played: its name and introduction, where the character started and where it is
// now, each map's display name, music, level ranges and connections with their
// squares, and the module's quests and events with the story rules that tie them
// together. Module creation builds it; it is saved as the module file of the game.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "world/events.h"
#include "world/quests.h"

class TModule_Class;
class TValue_Reader;
class TValue_Writer;

struct TModule_Map_Connection {
    uint16_t Number = 0; // position in its map's table
    uint16_t Destination_Map = 0;
    uint16_t Source_X = 0, Source_Y = 0; // the entrance on the map that owns it
    uint16_t Dest_X = 0, Dest_Y = 0;     // the arrival square on the destination map
    uint8_t Connection_Type = 0;         // TConnection_Type
    bool Used = false;                   // travelled at least once, either way
};

struct TModule_Map {
    uint16_t Map_Number = 0;
    std::string Display_Name;
    std::string Music_Filename;
    uint16_t Item_Level_Min = 0, Item_Level_Max = 0;
    uint16_t Monster_Level_Min = 0, Monster_Level_Max = 0;
    uint8_t Chance_Magic_Item = 0;
    uint8_t Chance_Unique_Item = 0;
    uint8_t Chance_Monster_Modifier = 0;
    std::string Item_Grouping_Type;
    std::string Monster_Grouping_Type;
    std::vector<TModule_Map_Connection> Connections; // connection k at index k - 1

    // Nothing outside 1..the connection count.
    TModule_Map_Connection* Get_Connection(int32_t k);
};

// Where taking a connection leads.
struct TConnection_Target {
    uint16_t Map = 0;
    uint16_t X = 0, Y = 0;
};

class TModule {
  public:
    std::string Name;
    std::string Description;
    std::vector<std::string> Intro_Paragraphs;
    std::string Character_Data_Set_Identifier;
    uint16_t Start_Map = 0, Start_X = 0, Start_Y = 0;
    uint16_t Current_Map = 0, Current_X = 0, Current_Y = 0;
    std::string Folder;    // where the module file was read from; not saved
    std::string File_Name; // the module file's name in the current-game folder
    TModule_Quests_List Quests;
    TModule_Events_List Events;
    std::vector<TModule_Map> Maps; // map n at index n - 1

    int32_t Map_Count() const { return static_cast<int32_t>(Maps.size()); }
    // Nothing outside 1..Map_Count.
    TModule_Map* Get_Map(int32_t n);
    const TModule_Map* Get_Map(int32_t n) const;

    // What module creation copies from the definition before any map is made: the
    // names, introduction and data set, and for every map its number, display name,
    // music, level ranges, chances (kept as bytes), grouping types and one connection
    // per connection class with its number, destination and type. The squares and
    // the start position are filled in as the maps are made.
    void Copy_From_Class(const TModule_Class& module_class);

    void Set_Current_Position(uint16_t map, uint16_t x, uint16_t y);
    // The current map's music file; false (and empty) when there is no current map.
    bool Get_Current_Music(std::string& name) const;
    void Set_Folder(const std::string& folder) { Folder = folder; }

    // The connection taken by a character standing on (x, y) of map, which is then
    // marked used. First the connections of that map whose source is the square: types
    // "Two Way - Always", "Two Way - Source Initiated" and "One Way Only" always work
    // from there, "Two Way - Destination Initiated" only once used. Failing those, the
    // connections of every map that arrive at the square, taken backwards: "Two Way -
    // Always" and "Two Way - Destination Initiated" always, "Two Way - Source
    // Initiated" only once used, "One Way Only" never. Among several the last wins. A
    // connection leading to no map or to an unresolved square never works. False when
    // nothing works: the character stays.
    bool Find_Connection_At(uint16_t map, int32_t x, int32_t y, TConnection_Target& target);

    // Raising a trigger: each enabled event, in list order, whose triggers of that type
    // all match fires: its results apply at once (so raises nest), and then, unless
    // permanent, it is disabled. An event whose results are running is not fired again
    // from inside them. True when at least one event fired.
    bool Raise_Item_Given(uint16_t item_event_id, uint16_t monster_event_id);
    bool Raise_Monster_Killed(uint16_t monster_event_id);
    bool Raise_Talked_About(uint16_t monster_event_id, uint16_t topic_id);
    bool Raise_Quest_Completed(uint16_t quest_id);
    bool Raise(const TRaised_Trigger& raised);

    // Quest number id (its record number in the quest file) is completed: its
    // "Quest Completed" triggers are raised, the player gains its experience, the
    // quest log is marked changed and "q_comp.wav" plays. A quest already completed,
    // or an id naming no quest, changes nothing. False then.
    bool Complete_Quest(int32_t id);
    // Failed, the log marked changed, "q_fail.wav". False for an id naming no quest.
    bool Fail_Quest(int32_t id);
    // Shown or hidden; showing marks the log changed and plays "new_q.wav". False for an
    // id naming no quest.
    bool Set_Quest_Visible(int32_t id, bool visible);
    TModule_Quest* Get_Quest(int32_t index) { return Quests.Get_Quest(index); }

    int32_t Return_Result_Count() const { return Events.Return_Result_Count(); }
    bool Pop_Return_Result(TEvent_Return_Result& out) { return Events.Pop_Return_Result(out); }

  private:
    void apply_result(const TModule_Event_Result& result);
    // The player's quest log shows something new.
    void mark_quest_log_changed();
};

class TWriteable_Module : public TModule {
  public:
    // The module record. Throws TStream_Error when a value cannot be written.
    void Save(TValue_Writer& writer) const;
    // Reads the module record. A damaged record (a wrong tag, the start or current map
    // naming no map, a start or current square off the map) throws TStream_Error and
    // leaves the module as it was. Folder is kept.
    void Load(TValue_Reader& reader);
};

// The module file: the version string, then the module record, written whole or not
// at all. False when it could not be written.
bool Write_Module_File(const TWriteable_Module& module, const std::string& path);
// Reads a module file; File_Name becomes the name of the file read. False, with the
// module unchanged, when the file is missing or damaged.
bool Read_Module_File(const std::string& path, TWriteable_Module& module);

// The module of the game being played; made with the other per-game structures.
extern std::unique_ptr<TWriteable_Module> Current_Module;

// Entry points for combat, the talk and give dialogs: the raises of the current
// module. False when there is no module or no event fired.
bool Module_Raise_Monster_Killed(uint16_t monster_event_id);
bool Module_Raise_Talked_About(uint16_t monster_event_id, uint16_t topic_id);
bool Module_Raise_Item_Given(uint16_t item_event_id, uint16_t monster_event_id);
