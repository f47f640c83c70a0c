#pragma once
// The debug log: a plain-text trace of start-up, written to App_Dir +
// "log\kv_log.txt", one line per call: "yy.mm.dd hh.mm.ss TICKS MESSAGE".
// Only the categories "General", "DlgMain", "Struct" and "GameSettings" are written,
// and only while Game_Settings does not exist yet or its Generate_Debug_Log is set.
// Nothing is written while App_Dir is empty (set it before the banner).

#include <string>

void Debug_Log(const std::string& category, const std::string& message);

// The banner that begins every run's lines, under "General":
// "***************** " + program_path + " - New Execution *****************".
void Debug_Log_New_Execution(const std::string& program_path);

// The log file the lines go to.
std::string Debug_Log_File();
