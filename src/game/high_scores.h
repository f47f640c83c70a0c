#pragma once
// The table of the ten best characters across all modules, kept in "HighScores.dat"
// of the common "Data\" folder: "1.06", then the ten entries in position order, each as
// String Name, String Class_Name, Word Level, Longint Experience.

#include <array>
#include <cstdint>
#include <string>

class TValue_Reader;
class TValue_Writer;

class THigh_Score {
  public:
    std::string Name;
    std::string Class_Name;
    uint16_t Level = 0;
    int32_t Experience = 0;
};

inline constexpr int32_t High_Score_Count = 10;

class THigh_Scores_List {
  public:
    // Overwrites the ten entries. A missing file changes nothing; a damaged one changes
    // nothing and marks the table as not to be saved over that file.
    bool Load(const std::string& file);
    // Through a temporary file, so a failed save leaves the file as it was. Refused
    // after a load that found the file damaged: the scores in it are not erased.
    bool Save(const std::string& file) const;
    // Positions 1..10; nothing for any other.
    const THigh_Score* Get(int32_t position) const;
    // Inserts the result where it belongs, below equal results; false when it does not
    // enter the table. A result of level 0 and experience 0 never does.
    bool Add_Score(const std::string& name, const std::string& class_name, int32_t experience,
                   uint16_t level);
    bool Load_Failed() const { return load_failed_; }

    void Save(TValue_Writer& writer) const;
    // Throws TStream_Error on damage, leaving the table as it was.
    void Load(TValue_Reader& reader);

  private:
    std::array<THigh_Score, High_Score_Count> entries_{};
    bool load_failed_ = false;
};

// When the character dies: loads the table (a missing file gives an empty one), adds
// the result and saves it again. True when the character entered the table and the
// table was written.
bool Record_High_Score(const std::string& file, const std::string& name,
                       const std::string& class_name, int32_t experience, uint16_t level);
