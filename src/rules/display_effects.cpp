#include "rules/display_effects.h"

#include "shell/helpers.h"

TDisplay_Effect_List Display_Effects;

void TDisplay_Effect_List::Clear() {
    effects_.clear();
    Bitmap_Names.clear();
}

const TDisplay_Effect* TDisplay_Effect_List::Get(int32_t number) const {
    if (number < 1 || number > Count())
        return nullptr;
    return &effects_[number - 1];
}

int32_t TDisplay_Effect_List::Find_Named(const std::string& name) const {
    for (int32_t i = Count(); i >= 1; --i)
        if (effects_[i - 1].Name == name)
            return i;
    return 0;
}

void TDisplay_Effect_List::Add(const TDisplay_Effect& effect) {
    effects_.push_back(effect);
    effects_.back().Number = static_cast<uint16_t>(effects_.size());
}

namespace {

class TDisplay_Effect_Loader : public TRecord_Loader {
  public:
    TDisplay_Effect_Loader(const std::string& path, TDisplay_Effect_List& table)
        : TRecord_Loader(path), table_(table) {}

  protected:
    void Process_Record(int32_t record_number) override {
        if (record_number == 1) {
            const uint16_t count = Get_Word("Number Of Effect Bitmaps");
            for (int32_t n = 1; n <= count; ++n)
                table_.Bitmap_Names.push_back(
                    Lower_Case(Get_String("Bitmap " + std::to_string(n) + " Name")));
            return;
        }
        TDisplay_Effect e;
        e.Name = Get_String("Name");
        Set_Record_Name(e.Name);
        std::string type_text;
        if (TData_File_Loader::Get_Field_Value("Type", type_text) &&
            !Find_Enum_Value(type_text, e.Type))
            Report_Unknown_Value(type_text, "Type");
        e.Bitmap_Index = Get_Word("Bitmap Index");
        e.Square_X_Offset = Get_Word("Bitmap Square X Offset");
        e.Square_Y_Offset = Get_Word("Bitmap Square Y Offset");
        e.Start_X = Get_Word("Bitmap Start Xpos");
        e.Start_Y = Get_Word("Bitmap Start Ypos");
        e.End_X = Get_Word("Bitmap End Xpos");
        e.End_Y = Get_Word("Bitmap End Ypos");
        e.Picture_Width = Get_Word("Bitmap Picture Width");
        e.Picture_Height = Get_Word("Bitmap Picture Height");
        e.Total_Frames = Get_Word("Total Number Of Frames");
        e.Frames_Per_Line = Get_Word("Frames Per Line");
        e.Loop_Count = Get_Word("Animation Loop Count");
        e.Speed = Get_Word("Animation Speed");
        e.Damage_FX_At_End = Get_Bool("Damage FX At End");
        table_.Add(e);
    }

  private:
    TDisplay_Effect_List& table_;
};

} // namespace

TData_File_Report Load_Display_Effects(const std::string& path, TDisplay_Effect_List& table) {
    table.Clear();
    TDisplay_Effect_Loader loader(path, table);
    loader.Execute_Load();
    return {Display_Effect_Errors_Heading, path, loader.Get_Error_List()};
}

bool Load_Display_Effects_File(const std::string& path) {
    const TData_File_Report report = Load_Display_Effects(path);
    Report_Error_List(report.Heading, report.File_Name, report.Errors);
    return report.Ok();
}
