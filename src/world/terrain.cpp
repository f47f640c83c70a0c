#include "world/terrain.h"

#include <algorithm>
#include <utility>

#include "datafiles/data_file_errors.h"
#include "shell/helpers.h"
#include "shell/services.h"

namespace {

const char* const action_names[Terrain_Action_Count] = {
    "None", "Move", "Open", "Close",  "Look", "Examine",   "Take",
    "Eat",  "Use",  "Cast", "Attack", "Any",  "Bash Door", "Open Secret"};

// Missing pieces read as 0, like any bad number, so "255,128" and "" are safe.
uint32_t color_from_text(const std::string& text) {
    std::vector<std::string> pieces;
    Split_List(text, pieces, false);
    uint32_t color = 0;
    for (size_t i = 0; i < 3 && i < pieces.size(); ++i)
        color |= static_cast<uint32_t>(Str_To_Byte(Trim(pieces[i]))) << (8 * i);
    return color;
}

uint8_t side_from_text(const std::string& text) {
    const std::string side = Lower_Case(Trim(text));
    if (side == "north")
        return 1;
    if (side == "east")
        return 2;
    if (side == "south")
        return 3;
    if (side == "west")
        return 4;
    return 0;
}

class TTerrain_Data_File_Loader : public TRecord_Loader {
  public:
    TTerrain_Data_File_Loader(const std::string& path, TTerrain_List& list)
        : TRecord_Loader(path), list_(list) {}

  protected:
    // Keys, in reading order: "Name", "ID", "Description", "Terrain Category",
    // "Picture Filename L1".."L3", "Sight Side Hidden", "Sight Hidden Layer",
    // "Movement Flag Land"/"Air"/"Water"/"Ethereal", "Vision Flag Normal",
    // "Next Animated Terrain ID", "Overview Color", "Light Radius Generated", "Style",
    // the damage keys, "Next Terrain Action", "Next Terrain Sound File",
    // "Next Terrain ID 1".."4", "Number of Duplicate Terrains",
    // "Duplicate Terrain <n> Filename L2"/"L3", "Locked Terrain Group",
    // "Trapped Terrain Group", "Display Chest Window", "Number of Locked Key Groups",
    // "Locked Key Group <n> Name". Every key is reported when missing.
    void Process_Record(int32_t) override {
        TTerrain t;
        t.Name = Get_String("Name");
        Set_Record_Name(t.Name);
        t.ID = Get_Word("ID");
        t.Description = Get_String("Description");
        Split_List(Get_String("Terrain Category"), t.Categories, true);
        for (int32_t layer = 1; layer <= 3; ++layer)
            t.Picture_Filename[layer - 1] =
                Get_String("Picture Filename L" + std::to_string(layer));
        t.Sight_Side_Hidden = side_from_text(Get_String("Sight Side Hidden"));
        std::string layer;
        t.Sight_Hidden_Layer =
            Get_Field_Value("Sight Hidden Layer", layer) ? Str_To_Byte(layer) : 3;
        if (Get_Bool("Movement Flag Land"))
            t.Movement_Flags |= Movement_Land;
        if (Get_Bool("Movement Flag Air"))
            t.Movement_Flags |= Movement_Air;
        if (Get_Bool("Movement Flag Water"))
            t.Movement_Flags |= Movement_Water;
        if (Get_Bool("Movement Flag Ethereal"))
            t.Movement_Flags |= Movement_Ethereal;
        if (Get_Bool("Vision Flag Normal"))
            t.Vision_Flags = Vision_Normal;
        t.Next_Animated_Terrain_ID = Get_Word("Next Animated Terrain ID");
        t.Overview_Color = color_from_text(Get_String("Overview Color"));
        t.Light_Radius_Generated = Get_Byte("Light Radius Generated");
        t.Style = Get_Byte("Style");
        t.Damage.Load_From_Data_File(*this, "");
        t.Next_Terrain_Action = Terrain_Action_From_Name(Get_String("Next Terrain Action"));
        t.Next_Terrain_Sound_File = Get_String("Next Terrain Sound File");
        for (int32_t i = 1; i <= 4; ++i)
            t.Next_Terrain_ID[i - 1] = Get_Word("Next Terrain ID " + std::to_string(i));
        const uint16_t duplicates = Get_Word("Number of Duplicate Terrains");
        // Both lists always grow together, a missing key adding an empty name.
        for (int32_t n = 1; n <= duplicates; ++n) {
            const std::string key = "Duplicate Terrain " + std::to_string(n) + " Filename L";
            t.Duplicate_L2.push_back(Get_String(key + "2"));
            t.Duplicate_L3.push_back(Get_String(key + "3"));
        }
        t.Locked_Terrain_Group = Get_String("Locked Terrain Group");
        t.Trapped_Terrain_Group = Get_String("Trapped Terrain Group");
        t.Display_Chest_Window = Get_Bool("Display Chest Window");
        const uint16_t key_groups = Get_Word("Number of Locked Key Groups");
        for (int32_t n = 1; n <= key_groups; ++n)
            t.Locked_Key_Groups.push_back(
                Get_String("Locked Key Group " + std::to_string(n) + " Name"));
        list_.Add_Terrain(t);
    }

  private:
    TTerrain_List& list_;
};

} // namespace

std::string Terrain_Action_Name(int32_t action) {
    if (action < 0 || action >= Terrain_Action_Count)
        return {};
    return action_names[action];
}

uint8_t Terrain_Action_From_Name(const std::string& name) {
    for (int32_t i = 0; i < Terrain_Action_Count; ++i)
        if (name == action_names[i])
            return static_cast<uint8_t>(i);
    return 0;
}

bool TTerrain::Is_In_Category(const std::string& name) const {
    const std::string wanted = Lower_Case(name);
    return std::find(Categories.begin(), Categories.end(), wanted) != Categories.end();
}

std::string TTerrain::Get_Picture_Filename(int32_t layer) const {
    if (layer < 1 || layer > 3)
        return {};
    return Picture_Filename[layer - 1];
}

void TTerrain::Set_Picture_Index(int32_t layer, uint16_t index) {
    if (layer >= 1 && layer <= 3)
        Picture_Index[layer - 1] = index;
}

uint16_t TTerrain::Get_Next_Terrain(int32_t action) const {
    const auto direct = [this](int32_t a) -> uint16_t {
        if (a == static_cast<int32_t>(TTerrain_Action::Open) ||
            a == static_cast<int32_t>(TTerrain_Action::Close) ||
            a == static_cast<int32_t>(TTerrain_Action::Open_Secret)) {
            if (a != Next_Terrain_Action)
                return 0;
            Play_Sound(Next_Terrain_Sound_File);
            return Next_Terrain_ID[0];
        }
        if (a == static_cast<int32_t>(TTerrain_Action::Bash_Door))
            return Next_Terrain_ID[1];
        return 0;
    };
    if (action == static_cast<int32_t>(TTerrain_Action::Use) ||
        action == static_cast<int32_t>(TTerrain_Action::Any)) {
        // One level only: "Use" on a terrain whose own action is "Use" gives 0.
        const uint16_t result = direct(Next_Terrain_Action);
        Play_Sound(Next_Terrain_Sound_File);
        return result;
    }
    return direct(action);
}

const TTerrain* TTerrain_List::Get_Terrain(int32_t slot) const {
    if (slot < 1 || slot > static_cast<int32_t>(slots_.size()))
        return nullptr;
    return slots_[slot - 1].get();
}

TTerrain* TTerrain_List::Get_Terrain(int32_t slot) {
    return const_cast<TTerrain*>(std::as_const(*this).Get_Terrain(slot));
}

uint16_t TTerrain_List::Add_Terrain(const TTerrain& terrain) {
    auto copy = std::make_unique<TWriteable_Terrain>(terrain);
    // Slots are emptied only all at once (Clear), so the first empty slot is always the
    // next one; no scan, which would make long files (duplicates) load in square time.
    if (slots_.size() >= 65535)
        return 0;
    copy->Slot = static_cast<uint16_t>(slots_.size() + 1);
    slots_.push_back(std::move(copy));
    return static_cast<uint16_t>(slots_.size());
}

uint16_t TTerrain_List::Find_Terrain_Slot_By_ID(uint16_t id) const {
    for (size_t i = slots_.size(); i > 0; --i)
        if (slots_[i - 1] && slots_[i - 1]->ID == id)
            return static_cast<uint16_t>(i);
    return 0;
}

void TTerrain_List::Assign(const TTerrain_List& source) {
    if (this == &source)
        return;
    File_Name = source.File_Name;
    slots_.clear();
    for (const auto& terrain : source.slots_)
        if (terrain)
            Add_Terrain(*terrain);
}

TData_File_Report TTerrain_List::Read_Terrain_File(const std::string& path) {
    Clear();
    File_Name = File_Name_Part(path);
    TTerrain_Data_File_Loader loader(path, *this);
    loader.Execute_Load();
    const size_t loaded = slots_.size();
    for (size_t i = 0; i < loaded; ++i) {
        if (!slots_[i] || slots_[i]->Duplicate_L2.empty())
            continue;
        const std::vector<std::string> l2 = slots_[i]->Duplicate_L2;
        const std::vector<std::string> l3 = slots_[i]->Duplicate_L3;
        // Copies are made from the terrain without its duplicate lists, so a large
        // duplicate count costs one copy per duplicate, not one whole list per copy.
        TTerrain base = *slots_[i];
        base.Duplicate_L2.clear();
        base.Duplicate_L3.clear();
        for (size_t k = 0; k < l2.size(); ++k) {
            TTerrain copy = base;
            if (!l2[k].empty())
                copy.Picture_Filename[1] = l2[k];
            if (k < l3.size() && !l3[k].empty())
                copy.Picture_Filename[2] = l3[k];
            Add_Terrain(copy);
        }
    }
    return {Terrain_Errors_Heading, path, loader.Get_Error_List()};
}

bool TTerrain_List::Load_Terrain_File(const std::string& path) {
    const TData_File_Report report = Read_Terrain_File(path);
    Report_Error_List(report.Heading, report.File_Name, report.Errors);
    return report.Ok();
}
