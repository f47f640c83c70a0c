#pragma once
// The per-user options file: our stand-in for the registry key that holds the player's
// own choices. Values keep the registry's names and types: strings (booleans are the
// strings "true" and "false") and 32-bit integers. The file lives in
// $XDG_CONFIG_HOME/krelvane/options.ini (or ~/.config/krelvane/options.ini) and holds
// one value per line:
//     Play Sounds = "true"
//     Last Saved Game Slot = 3
// Lines starting with "#" or ";" and blank lines are ignored; a line that cannot be
// read is skipped (and is lost at the next save).

#include <cstdint>
#include <map>
#include <string>

class TOptions_File {
  public:
    explicit TOptions_File(std::string path = Default_Path());

    // $XDG_CONFIG_HOME/krelvane/options.ini, falling back to ~/.config/krelvane/.
    static std::string Default_Path();

    // Reads the file. False when it does not exist or cannot be read (the store is
    // then empty, like a registry without the key).
    bool Load();
    // Writes every value, creating the folder. The old file is replaced only when the
    // new one is complete.
    bool Save() const;

    const std::string& Path() const { return path_; }
    bool Has_Value(const std::string& name) const;
    // False when the value is missing or has the other type.
    bool Read_String(const std::string& name, std::string& value) const;
    bool Read_Integer(const std::string& name, int32_t& value) const;
    void Write_String(const std::string& name, const std::string& value);
    void Write_Integer(const std::string& name, int32_t value);

  private:
    struct TValue {
        bool is_integer = false;
        std::string text;
        int32_t number = 0;
    };
    // Value names are compared without regard to case, as the registry does.
    struct TName_Less {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    std::string path_;
    std::map<std::string, TValue, TName_Less> values_;
};
