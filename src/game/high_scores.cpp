#include "game/high_scores.h"

#include "game/save_load.h"

#include "platform/files.h"
#include "shell/value_stream.h"

void THigh_Scores_List::Save(TValue_Writer& writer) const {
    writer.Write_String(Current_Save_Version);
    for (const THigh_Score& entry : entries_) {
        writer.Write_String(entry.Name);
        writer.Write_String(entry.Class_Name);
        writer.Write_Word(entry.Level);
        writer.Write_Longint(entry.Experience);
    }
}

void THigh_Scores_List::Load(TValue_Reader& reader) {
    std::array<THigh_Score, High_Score_Count> read{};
    reader.Read_Version();
    for (THigh_Score& entry : read) {
        entry.Name = reader.Read_String();
        entry.Class_Name = reader.Read_String();
        entry.Level = reader.Read_Word();
        entry.Experience = reader.Read_Longint();
    }
    entries_ = read;
}

bool THigh_Scores_List::Load(const std::string& file) {
    if (!File_Exists(file))
        return false;
    TValue_Reader reader;
    bool ok = reader.Load_From_File(file);
    if (ok) {
        try {
            Load(reader);
        } catch (const TStream_Error&) {
            ok = false;
        }
    }
    load_failed_ = !ok;
    return ok;
}

bool THigh_Scores_List::Save(const std::string& file) const {
    if (load_failed_)
        return false;
    TValue_Writer writer;
    Save(writer);
    return writer.Save_To_File(file);
}

const THigh_Score* THigh_Scores_List::Get(int32_t position) const {
    if (position < 1 || position > High_Score_Count)
        return nullptr;
    return &entries_[static_cast<size_t>(position - 1)];
}

bool THigh_Scores_List::Add_Score(const std::string& name, const std::string& class_name,
                                  int32_t experience, uint16_t level) {
    size_t p = 0;
    while (p < entries_.size() &&
           !(entries_[p].Level < level ||
             (entries_[p].Level == level && entries_[p].Experience < experience)))
        ++p;
    if (p == entries_.size())
        return false;
    for (size_t i = entries_.size() - 1; i > p; --i)
        entries_[i] = entries_[i - 1];
    entries_[p] = THigh_Score{name, class_name, level, experience};
    return true;
}

bool Record_High_Score(const std::string& file, const std::string& name,
                       const std::string& class_name, int32_t experience, uint16_t level) {
    THigh_Scores_List table;
    table.Load(file);
    const bool entered = table.Add_Score(name, class_name, experience, level);
    // A damaged table is left alone on purpose; any other failed save is told. A table
    // that was not written holds no new score.
    const bool saved = table.Save(file);
    if (!saved && !table.Load_Failed())
        Save_Load_Display().Show_Message("Error",
                                         "Unable to save the high scores to \"" + file + "\".");
    return entered && saved;
}
