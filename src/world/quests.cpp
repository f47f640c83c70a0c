#include "world/quests.h"

#include "datafiles/data_file_errors.h"
#include "shell/value_stream.h"

void TModule_Quest::Save(TValue_Writer& writer) const {
    writer.Write_Word(Quest_ID);
    writer.Write_String(Name);
    writer.Write_String(Description);
    writer.Write_Boolean(Visible);
    writer.Write_Boolean(Completed);
    writer.Write_Boolean(Failed);
    writer.Write_Longint(Experience);
    writer.Write_Boolean(Game_Over);
    writer.Write_String_List(Completion_Paragraphs);
}

void TModule_Quest::Load(TValue_Reader& reader) {
    Quest_ID = reader.Read_Word();
    Name = reader.Read_String();
    Description = reader.Read_String();
    Visible = reader.Read_Boolean();
    Completed = reader.Read_Boolean();
    Failed = reader.Read_Boolean();
    Experience = reader.Read_Longint();
    Game_Over = reader.Read_Boolean();
    reader.Read_String_List(Completion_Paragraphs);
}

TModule_Quest* TModule_Quests_List::Get_Quest(int32_t index) {
    return index >= 1 && index <= Count() ? &Quests[static_cast<size_t>(index) - 1] : nullptr;
}

const TModule_Quest* TModule_Quests_List::Get_Quest(int32_t index) const {
    return index >= 1 && index <= Count() ? &Quests[static_cast<size_t>(index) - 1] : nullptr;
}

void TModule_Quests_List::Save(TValue_Writer& writer) const {
    if (Quests.size() > 65535)
        throw TStream_Error("too many quests");
    writer.Write_Word(static_cast<uint16_t>(Quests.size()));
    for (const TModule_Quest& quest : Quests)
        quest.Save(writer);
}

void TModule_Quests_List::Load(TValue_Reader& reader) {
    std::vector<TModule_Quest> quests(reader.Read_Word());
    for (TModule_Quest& quest : quests)
        quest.Load(reader);
    Quests = std::move(quests);
}

namespace {

class TQuest_Loader : public TRecord_Loader {
  public:
    TQuest_Loader(const std::string& path, TModule_Quests_List& quests)
        : TRecord_Loader(path), quests_(quests) {}

  protected:
    void Process_Record(int32_t) override {
        TQuest_Class quest;
        quest.Quest_ID = Get_Word("Quest ID");
        Set_Record_Name(std::to_string(quest.Quest_ID));
        quest.Name = Get_String("Name");
        quest.Description = Get_String("Description");
        quest.Visible = Get_Bool("Visible");
        std::string experience;
        if (Get_Field_Value("Experience for Completion", experience))
            quest.Experience = Str_To_Longint(experience);
        quest.Game_Over = Get_Bool("Game Over");
        const uint16_t paragraphs = Get_Word("Completion Num Paragraphs");
        for (int32_t n = 1; n <= paragraphs; ++n)
            quest.Completion_Paragraphs.push_back(
                Get_String("Completion Paragraph " + std::to_string(n)));
        quests_.Quests.push_back(std::move(quest));
    }

  private:
    TModule_Quests_List& quests_;
};

} // namespace

TData_File_Report Read_Quests(const std::string& path, TModule_Quests_List& quests) {
    quests.Clear();
    TQuest_Loader loader(path, quests);
    loader.Execute_Load();
    return {Quest_Class_Errors_Heading, path, loader.Get_Error_List()};
}

bool Reset_Quests(TModule_Quests_List& quests, const std::string& path) {
    const TData_File_Report report = Read_Quests(path, quests);
    Report_Error_List(report.Heading, report.File_Name, report.Errors);
    return report.Ok();
}

TData_File_Report Check_Quest_File(const std::string& path) {
    TModule_Quests_List quests;
    return Read_Quests(path, quests);
}
