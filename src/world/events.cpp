#include "world/events.h"

#include <algorithm>

#include "datafiles/data_file_errors.h"
#include "shell/enums.h"
#include "shell/value_stream.h"
#include "world/terrain.h"

bool Trigger_Matches(const TModule_Event_Trigger& trigger, const TRaised_Trigger& raised) {
    if (trigger.Trigger_Type != raised.Trigger_Type)
        return false;
    switch (static_cast<TQuest_Trigger>(trigger.Trigger_Type)) {
    case TQuest_Trigger::Item_Given_To_Monster:
        return trigger.Monster_Event_ID == raised.Monster_Event_ID &&
               trigger.Item_Event_ID == raised.Item_Event_ID;
    case TQuest_Trigger::Monster_Killed:
        return trigger.Monster_Event_ID == raised.Monster_Event_ID;
    case TQuest_Trigger::Monster_Talked_To_About_Topic:
        return trigger.Monster_Event_ID == raised.Monster_Event_ID &&
               trigger.Topic_ID == raised.Topic_ID;
    case TQuest_Trigger::Quest_Completed:
        return trigger.Quest_ID == raised.Quest_ID;
    default:
        return false; // "None" is never raised
    }
}

bool Event_Fires(const TModule_Event& event, const TRaised_Trigger& raised) {
    bool any = false;
    for (const TModule_Event_Trigger& trigger : event.Triggers) {
        if (trigger.Trigger_Type != raised.Trigger_Type)
            continue;
        if (!Trigger_Matches(trigger, raised))
            return false;
        any = true;
    }
    return any;
}

void TModule_Events_List::Clear() {
    Events.clear();
    queue_.clear();
}

bool TModule_Events_List::Pop_Return_Result(TEvent_Return_Result& out) {
    if (queue_.empty())
        return false;
    out = std::move(queue_.front());
    queue_.pop_front();
    return true;
}

namespace {

void write_count(TValue_Writer& writer, size_t count) {
    if (count > 65535)
        throw TStream_Error("list too long");
    writer.Write_Word(static_cast<uint16_t>(count));
}

void save_trigger(TValue_Writer& writer, const TModule_Event_Trigger& t) {
    writer.Write_Byte(t.Trigger_Type);
    for (uint16_t value : {t.X, t.Y, t.Action_Type, t.Monster_Event_ID, t.Item_Event_ID, t.Spell_ID,
                           t.Topic_ID, t.Quest_ID})
        writer.Write_Word(value);
}

void load_trigger(TValue_Reader& reader, TModule_Event_Trigger& t) {
    t.Trigger_Type = reader.Read_Byte();
    for (uint16_t* value : {&t.X, &t.Y, &t.Action_Type, &t.Monster_Event_ID, &t.Item_Event_ID,
                            &t.Spell_ID, &t.Topic_ID, &t.Quest_ID})
        *value = reader.Read_Word();
}

void save_result(TValue_Writer& writer, const TModule_Event_Result& r) {
    writer.Write_Byte(r.Result_Type);
    for (uint16_t value : {r.X, r.Y, r.New_Terrain_ID, r.Item_Event_ID, r.Monster_Event_ID})
        writer.Write_Word(value);
    writer.Write_String(r.Music_Filename);
    for (uint16_t value : {r.Disable_Event_From, r.Disable_Event_To, r.Enable_Event_From,
                           r.Enable_Event_To, r.New_Talk_ID, r.Quest_ID})
        writer.Write_Word(value);
    writer.Write_String(r.Text_Title);
    writer.Write_String_List(r.Text_Paragraphs);
}

void load_result(TValue_Reader& reader, TModule_Event_Result& r) {
    r.Result_Type = reader.Read_Byte();
    for (uint16_t* value : {&r.X, &r.Y, &r.New_Terrain_ID, &r.Item_Event_ID, &r.Monster_Event_ID})
        *value = reader.Read_Word();
    r.Music_Filename = reader.Read_String();
    for (uint16_t* value : {&r.Disable_Event_From, &r.Disable_Event_To, &r.Enable_Event_From,
                            &r.Enable_Event_To, &r.New_Talk_ID, &r.Quest_ID})
        *value = reader.Read_Word();
    r.Text_Title = reader.Read_String();
    reader.Read_String_List(r.Text_Paragraphs);
}

} // namespace

void TModule_Events_List::Save(TValue_Writer& writer) const {
    write_count(writer, Events.size());
    for (const TModule_Event& event : Events) {
        writer.Write_Word(event.Event_ID);
        writer.Write_Boolean(event.Enabled);
        writer.Write_Boolean(event.Permanent);
        write_count(writer, event.Triggers.size());
        for (const TModule_Event_Trigger& trigger : event.Triggers)
            save_trigger(writer, trigger);
        write_count(writer, event.Results.size());
        for (const TModule_Event_Result& result : event.Results)
            save_result(writer, result);
    }
}

void TModule_Events_List::Load(TValue_Reader& reader) {
    std::vector<TModule_Event> events(reader.Read_Word());
    for (TModule_Event& event : events) {
        event.Event_ID = reader.Read_Word();
        event.Enabled = reader.Read_Boolean();
        event.Permanent = reader.Read_Boolean();
        event.Triggers.resize(reader.Read_Word());
        for (TModule_Event_Trigger& trigger : event.Triggers)
            load_trigger(reader, trigger);
        event.Results.resize(reader.Read_Word());
        for (TModule_Event_Result& result : event.Results)
            load_result(reader, result);
    }
    Events = std::move(events);
    queue_.clear();
}

namespace {

class TEvent_Loader : public TRecord_Loader {
  public:
    TEvent_Loader(const std::string& path, TModule_Events_List& events)
        : TRecord_Loader(path), events_(events) {}

  protected:
    void Process_Record(int32_t) override {
        TEvent_Class event;
        event.Event_ID = Get_Word("Event ID");
        Set_Record_Name(std::to_string(event.Event_ID));
        event.Enabled = Get_Bool("Event Enabled");
        event.Permanent = Get_Bool("Event Permanent");
        const uint16_t triggers = Get_Word("Number of Triggers");
        for (int32_t n = 1; n <= triggers; ++n)
            event.Triggers.push_back(read_trigger("Trigger " + std::to_string(n)));
        const uint16_t results = Get_Word("Number of Results");
        for (int32_t n = 1; n <= results; ++n)
            event.Results.push_back(read_result("Result " + std::to_string(n)));
        events_.Events.push_back(std::move(event));
    }

  private:
    // An enumeration value by its exact name; an unknown name is reported and reads
    // as 0, a missing key only as missing.
    template <typename T> uint8_t read_enum(const std::string& key) {
        std::string name;
        if (!Get_Field_Value(key, name))
            return 0;
        T value{};
        if (!Find_Enum_Value(name, value)) {
            Report_Unknown_Value(name, key);
            return 0;
        }
        return static_cast<uint8_t>(value);
    }

    TEvent_Trigger_Class read_trigger(const std::string& q) {
        TEvent_Trigger_Class t;
        t.Trigger_Type = read_enum<TQuest_Trigger>(q + " Type");
        t.X = Get_Word(q + " Xpos");
        t.Y = Get_Word(q + " Ypos");
        std::string action;
        if (Get_Field_Value(q + " Action Type", action)) {
            t.Action_Type = Terrain_Action_From_Name(action);
            if (Terrain_Action_Name(t.Action_Type) != action)
                Report_Unknown_Value(action, q + " Action Type");
        }
        t.Monster_Event_ID = Get_Word(q + " Monster Event ID");
        t.Item_Event_ID = Get_Word(q + " Item Event ID");
        t.Spell_ID = Get_Word(q + " Spell ID");
        t.Topic_ID = Get_Word(q + " Topic ID");
        t.Quest_ID = Get_Word(q + " Quest ID");
        return t;
    }

    TEvent_Result_Class read_result(const std::string& q) {
        TEvent_Result_Class r;
        r.Result_Type = read_enum<TQuest_Action>(q + " Type");
        r.X = Get_Word(q + " Xpos");
        r.Y = Get_Word(q + " Ypos");
        r.New_Terrain_ID = Get_Word(q + " New Terrain ID");
        r.Item_Event_ID = Get_Word(q + " Item Event ID");
        r.Monster_Event_ID = Get_Word(q + " Monster Event ID");
        r.Music_Filename = Get_String(q + " Music Filename");
        r.Text_Title = Get_String(q + " Text Title");
        const uint16_t paragraphs = Get_Word(q + " Number of Text Paragraphs");
        for (int32_t m = 1; m <= paragraphs; ++m)
            r.Text_Paragraphs.push_back(Get_String(q + " Text Paragraph " + std::to_string(m)));
        r.Disable_Event_From = Get_Word(q + " Disable Event From");
        r.Disable_Event_To = Get_Word(q + " Disable Event To");
        r.Enable_Event_From = Get_Word(q + " Enable Event From");
        r.Enable_Event_To = Get_Word(q + " Enable Event To");
        r.New_Talk_ID = Get_Word(q + " New Talk ID");
        r.Quest_ID = Get_Word(q + " Quest ID");
        return r;
    }

    TModule_Events_List& events_;
};

} // namespace

TData_File_Report Read_Events(const std::string& path, TModule_Events_List& events) {
    events.Clear();
    TEvent_Loader loader(path, events);
    loader.Execute_Load();
    return {Event_Class_Errors_Heading, path, loader.Get_Error_List()};
}

bool Reset_Events(TModule_Events_List& events, const std::string& path) {
    const TData_File_Report report = Read_Events(path, events);
    Report_Error_List(report.Heading, report.File_Name, report.Errors);
    return report.Ok();
}

TData_File_Report Check_Event_File(const std::string& path) {
    TModule_Events_List events;
    return Read_Events(path, events);
}
