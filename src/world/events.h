#pragma once
// Events: how a module scripts its story. An event waits for triggers (a monster
// killed, an item given to a monster, a monster talked to about a topic, a quest
// completed) and then applies its results (a quest completed, failed, shown or
// hidden, a text shown, the end of the game, music). Events are read from
// "Events.txt" when the module is created and kept, with their state, in the runtime
// module. Results that need the screen wait in a queue the game loop empties.

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "rules/record_fields.h"

class TValue_Reader;
class TValue_Writer;

// The position, action type and spell ID are kept and saved; no rule reads them.
struct TModule_Event_Trigger {
    uint8_t Trigger_Type = 0; // TQuest_Trigger
    uint16_t X = 0, Y = 0;
    uint16_t Action_Type = 0; // a terrain action
    uint16_t Monster_Event_ID = 0;
    uint16_t Item_Event_ID = 0;
    uint16_t Spell_ID = 0;
    uint16_t Topic_ID = 0;
    uint16_t Quest_ID = 0;
};

// The position, terrain, item and monster IDs, event ranges and talk ID are kept and
// saved; no rule reads them.
struct TModule_Event_Result {
    uint8_t Result_Type = 0; // TQuest_Action
    uint16_t X = 0, Y = 0;
    uint16_t New_Terrain_ID = 0;
    uint16_t Item_Event_ID = 0;
    uint16_t Monster_Event_ID = 0;
    std::string Music_Filename;
    std::string Text_Title;
    std::vector<std::string> Text_Paragraphs;
    uint16_t Disable_Event_From = 0, Disable_Event_To = 0;
    uint16_t Enable_Event_From = 0, Enable_Event_To = 0;
    uint16_t New_Talk_ID = 0;
    uint16_t Quest_ID = 0; // the quest's record number in the quest file
};

struct TModule_Event {
    uint16_t Event_ID = 0;
    bool Enabled = false;
    bool Permanent = false;
    std::vector<TModule_Event_Trigger> Triggers; // trigger k at index k - 1
    std::vector<TModule_Event_Result> Results;
    // Set while the event's results run, so that a raise from inside them cannot fire
    // it again; not saved.
    bool Firing = false;
};

// The records of the event file are the runtime events before play begins.
using TEvent_Class = TModule_Event;
using TEvent_Trigger_Class = TModule_Event_Trigger;
using TEvent_Result_Class = TModule_Event_Result;

// What the game loop must do for the screen: 1 end the game, 2 show a text, 3 play
// music.
struct TEvent_Return_Result {
    uint8_t Kind = 0;
    uint8_t End_Flag = 0;
    std::string Title;
    std::vector<std::string> Paragraphs;
    std::string Music_Filename;
};
inline constexpr uint8_t Return_End_Game = 1;
inline constexpr uint8_t Return_Display_Text = 2;
inline constexpr uint8_t Return_Play_Music = 3;

// The IDs a trigger is raised with; those its type does not use are ignored.
struct TRaised_Trigger {
    uint8_t Trigger_Type = 0;
    uint16_t Monster_Event_ID = 0;
    uint16_t Item_Event_ID = 0;
    uint16_t Topic_ID = 0;
    uint16_t Quest_ID = 0;
};

// Whether the trigger matches the raise (of its own type only).
bool Trigger_Matches(const TModule_Event_Trigger& trigger, const TRaised_Trigger& raised);
// Whether the event fires on the raise: it has at least one trigger of the raised
// type and every such trigger matches. Triggers of other types do not count.
bool Event_Fires(const TModule_Event& event, const TRaised_Trigger& raised);

class TModule_Events_List {
  public:
    std::vector<TModule_Event> Events; // in file order

    int32_t Count() const { return static_cast<int32_t>(Events.size()); }
    void Clear();

    void Push_Return_Result(TEvent_Return_Result result) { queue_.push_back(std::move(result)); }
    int32_t Return_Result_Count() const { return static_cast<int32_t>(queue_.size()); }
    // Moves the oldest queued result into out; false when the queue is empty.
    bool Pop_Return_Result(TEvent_Return_Result& out);

    // Word count, then each event: Word Event_ID; Booleans Enabled, Permanent; Word
    // trigger count and the triggers; Word result count and the results. The queue is
    // not saved.
    void Save(TValue_Writer& writer) const;
    // Throws TStream_Error on a damaged list, leaving the list as it was.
    void Load(TValue_Reader& reader);

  private:
    std::deque<TEvent_Return_Result> queue_;
};

// Reads "Events.txt" into events (emptied first), in file order, showing nothing.
//
// Keys: "Event ID", "Event Enabled", "Event Permanent", "Number of Triggers"; for each
// trigger N, "Trigger <N>" followed by " Type" ("None", "Item Given To Monster",
// "Monster Killed", "Monster Talked To About Topic", "Quest Completed"), " Xpos",
// " Ypos", " Action Type" (a terrain action), " Monster Event ID", " Item Event ID",
// " Spell ID", " Topic ID", " Quest ID"; "Number of Results"; for each result N,
// "Result <N>" followed by " Type" ("None", "Quest Completed", "Quest Failed",
// "Quest Visible True", "Quest Visible False", "Display Text", "End Game",
// "Play Music"), " Xpos", " Ypos", " New Terrain ID", " Item Event ID",
// " Monster Event ID", " Music Filename", " Text Title",
// " Number of Text Paragraphs", " Text Paragraph <M>", " Disable Event From",
// " Disable Event To", " Enable Event From", " Enable Event To", " New Talk ID",
// " Quest ID".
TData_File_Report Read_Events(const std::string& path, TModule_Events_List& events);
// The same, showing the errors under the event heading; false when there were any.
bool Reset_Events(TModule_Events_List& events, const std::string& path);
// The validator's check of an event file.
TData_File_Report Check_Event_File(const std::string& path);
