#include "shell/debug_log.h"

#include <cstdio>
#include <mutex>

#include "platform/clock.h"
#include "platform/files.h"
#include "shell/globals.h"

namespace {
std::mutex log_mutex;

bool is_written_category(const std::string& category) {
    return category == "General" || category == "DlgMain" || category == "Struct" ||
           category == "GameSettings";
}

std::string log_line(const std::string& message) {
    const TDate_Time now = Local_Date_Time();
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%02d.%02d.%02d %02d.%02d.%02d %u ", now.year % 100,
                  now.month, now.day, now.hour, now.minute, now.second,
                  static_cast<unsigned>(Tick_Count()));
    return stamp + message + "\n";
}
} // namespace

std::string Debug_Log_File() {
    // The log was named by lower-casing the whole path. On Linux only the part the
    // game names itself is lower-cased: the game folder keeps its case, and the
    // case-insensitive lookup still finds a "log\KV_Log.txt" written another way.
    return App_Dir + "log\\kv_log.txt";
}

void Debug_Log(const std::string& category, const std::string& message) {
    if (Game_Settings && !Game_Settings->Generate_Debug_Log)
        return;
    if (!is_written_category(category))
        return;
    if (App_Dir.empty())
        return;
    const std::string line = log_line(message);

    std::lock_guard<std::mutex> lock(log_mutex);
    // A user who turns the log on expects to find it, so its folder is made.
    Create_Folder(App_Dir + "log");
    // Appending creates a missing file and never truncates one: when the file cannot
    // be opened the line is skipped and the old lines stay.
    std::FILE* file = Open_File(Debug_Log_File(), "ab");
    if (!file)
        return;
    std::fwrite(line.data(), 1, line.size(), file);
    std::fclose(file);
}

void Debug_Log_New_Execution(const std::string& program_path) {
    Debug_Log("General",
              "***************** " + program_path + " - New Execution *****************");
}
