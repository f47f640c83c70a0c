#pragma once
// The game folder the benchmarks read: KV_GAME_DIR, else "game/" beside the program,
// with the primary structures made and the debug log off.

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/files.h"
#include "shell/globals.h"
#include "shell/services.h"

// Messages and error lists that go nowhere.
struct TSilent_Messages : TMessage_Service {
    void Show_Message_Box(const std::string&, const std::string&) override {}
    void Show_Error_List(const std::string&, const std::string&,
                         const std::vector<std::string>&) override {}
};

inline void Enter_Bench_Game_Folder() {
    const char* given = std::getenv("KV_GAME_DIR");
    // The game folder is set only once the structures exist, so that nothing is logged
    // into it.
    App_Dir.clear();
    Reset_Shell_Globals();
    Create_Primary_Global_Structs();
    Game_Settings->Generate_Debug_Log = false;
    App_Dir = given ? std::string(given) + "/" : Executable_Dir() + "game/";
}

inline void Leave_Bench_Game_Folder() {
    App_Dir.clear();
    Reset_Shell_Globals();
}
