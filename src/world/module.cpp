#include "world/module.h"

#include "platform/files.h"
#include "platform/names.h"
#include "rules/monster.h"
#include "shell/enums.h"
#include "shell/value_stream.h"
#include "world/map.h"
#include "world/module_definition.h"

std::unique_ptr<TWriteable_Module> Current_Module;

TModule_Map_Connection* TModule_Map::Get_Connection(int32_t k) {
    return k >= 1 && k <= static_cast<int32_t>(Connections.size())
               ? &Connections[static_cast<size_t>(k) - 1]
               : nullptr;
}

TModule_Map* TModule::Get_Map(int32_t n) {
    return n >= 1 && n <= Map_Count() ? &Maps[static_cast<size_t>(n) - 1] : nullptr;
}

const TModule_Map* TModule::Get_Map(int32_t n) const {
    return n >= 1 && n <= Map_Count() ? &Maps[static_cast<size_t>(n) - 1] : nullptr;
}

void TModule::Copy_From_Class(const TModule_Class& module_class) {
    Name = module_class.Name;
    Description = module_class.Description;
    Intro_Paragraphs = module_class.Intro_Paragraphs;
    Character_Data_Set_Identifier = module_class.Character_Data_Set_Identifier;
    Maps.clear();
    for (size_t n = 0; n < module_class.Maps.size(); ++n) {
        const TModule_Map_Class& map_class = module_class.Maps[n];
        TModule_Map& map = Maps.emplace_back();
        map.Map_Number = static_cast<uint16_t>(n + 1);
        map.Display_Name = map_class.Display_Name;
        map.Music_Filename = map_class.Music_Filename;
        map.Item_Level_Min = map_class.Item_Level_Min;
        map.Item_Level_Max = map_class.Item_Level_Max;
        map.Monster_Level_Min = map_class.Monster_Level_Min;
        map.Monster_Level_Max = map_class.Monster_Level_Max;
        // The module file keeps the chances as bytes.
        map.Chance_Magic_Item = static_cast<uint8_t>(map_class.Chance_Magic_Item);
        map.Chance_Unique_Item = static_cast<uint8_t>(map_class.Chance_Unique_Item);
        map.Chance_Monster_Modifier = static_cast<uint8_t>(map_class.Chance_Monster_Modifier);
        map.Item_Grouping_Type = map_class.Item_Grouping_Type;
        map.Monster_Grouping_Type = map_class.Monster_Grouping_Type;
        for (size_t k = 0; k < map_class.Connections.size(); ++k) {
            TModule_Map_Connection& connection = map.Connections.emplace_back();
            connection.Number = static_cast<uint16_t>(k + 1);
            // A number beyond a word names no map, as 0 does.
            const uint32_t destination = map_class.Connections[k].Destination_Map;
            connection.Destination_Map =
                destination <= 65535 ? static_cast<uint16_t>(destination) : 0;
            connection.Connection_Type = map_class.Connections[k].Connection_Type;
        }
    }
}

void TModule::Set_Current_Position(uint16_t map, uint16_t x, uint16_t y) {
    Current_Map = map;
    Current_X = x;
    Current_Y = y;
}

bool TModule::Get_Current_Music(std::string& name) const {
    const TModule_Map* map = Get_Map(Current_Map);
    name = map ? map->Music_Filename : std::string();
    return map != nullptr;
}

bool TModule::Find_Connection_At(uint16_t map, int32_t x, int32_t y, TConnection_Target& target) {
    TModule_Map* here = Get_Map(map);
    // Unresolved squares are (0, 0): no character stands there.
    if (!here || !TMap::In_Map(x, y))
        return false;
    using enum TConnection_Type;
    const auto type = [](const TModule_Map_Connection& c) {
        return static_cast<TConnection_Type>(c.Connection_Type);
    };

    TModule_Map_Connection* taken = nullptr;
    for (TModule_Map_Connection& c : here->Connections) {
        if (c.Source_X != x || c.Source_Y != y)
            continue;
        if (!Get_Map(c.Destination_Map) || !TMap::In_Map(c.Dest_X, c.Dest_Y))
            continue;
        // A one-way connection carries travellers from its source.
        const TConnection_Type t = type(c);
        if (t == Two_Way_Always || t == Two_Way_Source_Initiated || t == One_Way_Only ||
            (t == Two_Way_Destination_Initiated && c.Used))
            taken = &c;
    }
    if (taken) {
        taken->Used = true;
        target = {taken->Destination_Map, taken->Dest_X, taken->Dest_Y};
        return true;
    }

    uint16_t taken_from = 0;
    for (int32_t n = 1; n <= Map_Count(); ++n)
        for (TModule_Map_Connection& c : Get_Map(n)->Connections) {
            if (c.Destination_Map != map || c.Dest_X != x || c.Dest_Y != y)
                continue;
            if (!TMap::In_Map(c.Source_X, c.Source_Y))
                continue;
            const TConnection_Type t = type(c);
            if (t == Two_Way_Always || t == Two_Way_Destination_Initiated ||
                (t == Two_Way_Source_Initiated && c.Used)) {
                taken = &c;
                taken_from = static_cast<uint16_t>(n);
            }
        }
    if (!taken)
        return false;
    taken->Used = true;
    target = {taken_from, taken->Source_X, taken->Source_Y};
    return true;
}

bool TModule::Raise_Item_Given(uint16_t item_event_id, uint16_t monster_event_id) {
    TRaised_Trigger raised;
    raised.Trigger_Type = static_cast<uint8_t>(TQuest_Trigger::Item_Given_To_Monster);
    raised.Item_Event_ID = item_event_id;
    raised.Monster_Event_ID = monster_event_id;
    return Raise(raised);
}

bool TModule::Raise_Monster_Killed(uint16_t monster_event_id) {
    TRaised_Trigger raised;
    raised.Trigger_Type = static_cast<uint8_t>(TQuest_Trigger::Monster_Killed);
    raised.Monster_Event_ID = monster_event_id;
    return Raise(raised);
}

bool TModule::Raise_Talked_About(uint16_t monster_event_id, uint16_t topic_id) {
    TRaised_Trigger raised;
    raised.Trigger_Type = static_cast<uint8_t>(TQuest_Trigger::Monster_Talked_To_About_Topic);
    raised.Monster_Event_ID = monster_event_id;
    raised.Topic_ID = topic_id;
    return Raise(raised);
}

bool TModule::Raise_Quest_Completed(uint16_t quest_id) {
    TRaised_Trigger raised;
    raised.Trigger_Type = static_cast<uint8_t>(TQuest_Trigger::Quest_Completed);
    raised.Quest_ID = quest_id;
    return Raise(raised);
}

bool TModule::Raise(const TRaised_Trigger& raised) {
    bool fired = false;
    // Results never add or remove events, so positions stay valid across nested raises.
    for (size_t i = 0; i < Events.Events.size(); ++i) {
        TModule_Event& event = Events.Events[i];
        if (!event.Enabled || event.Firing || !Event_Fires(event, raised))
            continue;
        fired = true;
        event.Firing = true;
        for (const TModule_Event_Result& result : event.Results)
            apply_result(result);
        event.Firing = false;
        if (!event.Permanent)
            event.Enabled = false;
    }
    return fired;
}

void TModule::apply_result(const TModule_Event_Result& result) {
    TEvent_Return_Result queued;
    switch (static_cast<TQuest_Action>(result.Result_Type)) {
    case TQuest_Action::Quest_Completed:
        Complete_Quest(result.Quest_ID);
        return;
    case TQuest_Action::Quest_Failed:
        Fail_Quest(result.Quest_ID);
        return;
    case TQuest_Action::Quest_Visible_True:
        Set_Quest_Visible(result.Quest_ID, true);
        return;
    case TQuest_Action::Quest_Visible_False:
        Set_Quest_Visible(result.Quest_ID, false);
        return;
    case TQuest_Action::Display_Text:
        queued.Kind = Return_Display_Text;
        queued.Title = result.Text_Title;
        queued.Paragraphs = result.Text_Paragraphs;
        break;
    case TQuest_Action::End_Game:
        queued.Kind = Return_End_Game;
        queued.End_Flag = 1;
        break;
    case TQuest_Action::Play_Music:
        queued.Kind = Return_Play_Music;
        queued.Music_Filename = result.Music_Filename;
        break;
    default:
        return;
    }
    Events.Push_Return_Result(std::move(queued));
}

namespace {

TMonster* story_player() {
    TCreature_World* world = Creature_World();
    return world ? world->Player() : nullptr;
}

void story_sound(const std::string& wave_file) {
    if (TCreature_World* world = Creature_World())
        world->Play_Sound(wave_file, 0, 0);
}

} // namespace

void TModule::mark_quest_log_changed() {
    if (TMonster* player = story_player())
        player->Quest_Value = 1;
}

bool TModule::Complete_Quest(int32_t id) {
    TModule_Quest* quest = Quests.Get_Quest(id);
    if (!quest || quest->Completed)
        return false;
    quest->Completed = true;
    const int32_t experience = quest->Experience;
    Raise_Quest_Completed(static_cast<uint16_t>(id));
    if (TMonster* player = story_player())
        player->Gain_Experience(experience);
    mark_quest_log_changed();
    story_sound("q_comp.wav");
    return true;
}

bool TModule::Fail_Quest(int32_t id) {
    TModule_Quest* quest = Quests.Get_Quest(id);
    if (!quest)
        return false;
    quest->Failed = true;
    mark_quest_log_changed();
    story_sound("q_fail.wav");
    return true;
}

bool TModule::Set_Quest_Visible(int32_t id, bool visible) {
    TModule_Quest* quest = Quests.Get_Quest(id);
    if (!quest)
        return false;
    quest->Visible = visible;
    if (visible) {
        mark_quest_log_changed();
        story_sound("new_q.wav");
    }
    return true;
}

void TWriteable_Module::Save(TValue_Writer& writer) const {
    writer.Write_String(Name);
    writer.Write_String(Description);
    if (Intro_Paragraphs.size() > 65535 || Maps.size() > 65535)
        throw TStream_Error("list too long");
    writer.Write_Word(static_cast<uint16_t>(Intro_Paragraphs.size()));
    for (const std::string& paragraph : Intro_Paragraphs)
        writer.Write_String(paragraph);
    writer.Write_String(Character_Data_Set_Identifier);
    for (uint16_t value : {Start_Map, Start_X, Start_Y, Current_Map, Current_X, Current_Y})
        writer.Write_Word(value);
    writer.Write_Word(static_cast<uint16_t>(Maps.size()));
    for (const TModule_Map& map : Maps) {
        writer.Write_Word(map.Map_Number);
        writer.Write_String(map.Display_Name);
        writer.Write_String(map.Music_Filename);
        for (uint16_t value :
             {map.Item_Level_Min, map.Item_Level_Max, map.Monster_Level_Min, map.Monster_Level_Max})
            writer.Write_Word(value);
        for (uint8_t value :
             {map.Chance_Magic_Item, map.Chance_Unique_Item, map.Chance_Monster_Modifier})
            writer.Write_Byte(value);
        writer.Write_String(map.Item_Grouping_Type);
        writer.Write_String(map.Monster_Grouping_Type);
        if (map.Connections.size() > 65535)
            throw TStream_Error("too many connections");
        writer.Write_Word(static_cast<uint16_t>(map.Connections.size()));
        for (const TModule_Map_Connection& c : map.Connections) {
            for (uint16_t value :
                 {c.Number, c.Destination_Map, c.Source_X, c.Source_Y, c.Dest_X, c.Dest_Y})
                writer.Write_Word(value);
            writer.Write_Byte(c.Connection_Type);
            writer.Write_Boolean(c.Used);
        }
    }
    writer.Write_String(File_Name);
    Quests.Save(writer);
    Events.Save(writer);
}

void TWriteable_Module::Load(TValue_Reader& reader) {
    TModule m;
    m.Name = reader.Read_String();
    m.Description = reader.Read_String();
    m.Intro_Paragraphs.resize(reader.Read_Word());
    for (std::string& paragraph : m.Intro_Paragraphs)
        paragraph = reader.Read_String();
    m.Character_Data_Set_Identifier = reader.Read_String();
    for (uint16_t* value :
         {&m.Start_Map, &m.Start_X, &m.Start_Y, &m.Current_Map, &m.Current_X, &m.Current_Y})
        *value = reader.Read_Word();
    m.Maps.resize(reader.Read_Word());
    for (TModule_Map& map : m.Maps) {
        map.Map_Number = reader.Read_Word();
        map.Display_Name = reader.Read_String();
        map.Music_Filename = reader.Read_String();
        for (uint16_t* value : {&map.Item_Level_Min, &map.Item_Level_Max, &map.Monster_Level_Min,
                                &map.Monster_Level_Max})
            *value = reader.Read_Word();
        for (uint8_t* value :
             {&map.Chance_Magic_Item, &map.Chance_Unique_Item, &map.Chance_Monster_Modifier})
            *value = reader.Read_Byte();
        map.Item_Grouping_Type = reader.Read_String();
        map.Monster_Grouping_Type = reader.Read_String();
        map.Connections.resize(reader.Read_Word());
        for (TModule_Map_Connection& c : map.Connections) {
            for (uint16_t* value :
                 {&c.Number, &c.Destination_Map, &c.Source_X, &c.Source_Y, &c.Dest_X, &c.Dest_Y})
                *value = reader.Read_Word();
            c.Connection_Type = reader.Read_Byte();
            c.Used = reader.Read_Boolean();
        }
    }
    m.File_Name = reader.Read_String();
    m.Quests.Load(reader);
    m.Events.Load(reader);

    // The game starts and goes on from these: they must name a map and a square on it.
    if (!m.Get_Map(m.Start_Map) || !m.Get_Map(m.Current_Map))
        throw TStream_Error("the module's start or current map names no map");
    if (!TMap::In_Map(m.Start_X, m.Start_Y) || !TMap::In_Map(m.Current_X, m.Current_Y))
        throw TStream_Error("the module's start or current square is off the map");

    m.Folder = Folder;
    static_cast<TModule&>(*this) = std::move(m);
}

bool Write_Module_File(const TWriteable_Module& module, const std::string& path) {
    try {
        TValue_Writer writer;
        writer.Write_String(Current_Save_Version);
        module.Save(writer);
        return writer.Save_To_File(path);
    } catch (const TStream_Error&) {
        return false;
    }
}

bool Read_Module_File(const std::string& path, TWriteable_Module& module) {
    TValue_Reader reader;
    if (!reader.Load_From_File(path))
        return false;
    try {
        reader.Read_Version();
        module.Load(reader);
    } catch (const TStream_Error&) {
        return false;
    }
    module.File_Name = File_Name_Part(path);
    return true;
}

bool Module_Raise_Monster_Killed(uint16_t monster_event_id) {
    return Current_Module && Current_Module->Raise_Monster_Killed(monster_event_id);
}

bool Module_Raise_Talked_About(uint16_t monster_event_id, uint16_t topic_id) {
    return Current_Module && Current_Module->Raise_Talked_About(monster_event_id, topic_id);
}

bool Module_Raise_Item_Given(uint16_t item_event_id, uint16_t monster_event_id) {
    return Current_Module && Current_Module->Raise_Item_Given(item_event_id, monster_event_id);
}
