#pragma once
// The game settings file "Data\Settings.txt": installation-wide switches read at
// start-up and again once a module is chosen (a module may carry its own copy).

#include <string>

#include "datafiles/data_file.h"
#include "shell/globals.h"

// One record, named "Main Record" in messages. Keys, all required, read in this order:
//   Allow Music         TRUE/YES allows music at all
//   Allow Sound         TRUE/YES allows sound effects at all
//   Use DirectSound     TRUE/YES plays effects through the mixer
//   Music Song Intro    file in "Music\" played once by the intro
//   Music Song Death    file in "Music\" played by the death dialog
//   Generate Debug Log  TRUE/YES writes the debug log (takes effect at once)
// A missing key is reported and leaves its default. With several records the last
// value read wins.
class TGame_Settings_Data_File_Loader : public TData_File_Loader {
  public:
    TGame_Settings_Data_File_Loader(std::string file_name, TGame_Settings& settings);

  protected:
    void Process_Record(int32_t record_number) override;

  private:
    TGame_Settings& settings_;
};

// The settings file as the override rule finds it.
std::string Game_Settings_File();

// Loads the settings file into Game_Settings (created with its defaults when it does
// not exist yet). Errors are shown in "Data File Error" message boxes and logged.
// True when the file had no errors.
bool Load_Game_Settings();
