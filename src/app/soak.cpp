#include "app/soak.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>

#include "app/game_startup.h"
#include "app/headless_game.h"
#include "app/tool_options.h"
#include "game/dlg_load_save.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "presentation/display_object.h"
#include "presentation/graphics.h"
#include "presentation/host.h"
#include "presentation/text.h"
#include "presentation/virtual_keys.h"
#include "rules/monster.h"
#include "shell/globals.h"
#include "world/level_checks.h"
#include "world/map.h"
#include "world/module.h"
#include "world/sprites.h"

namespace {

// What a player presses; Escape most often, as players close what they opened.
constexpr uint16_t keys[] = {
    VK_ESCAPE, VK_ESCAPE, VK_ESCAPE, VK_RETURN, 'I',       'R',       'T',        ' ',       'G',
    'Q',       'M',       'C',       'S',       'B',       '1',       '2',        '3',       '4',
    '5',       VK_F1,     VK_F1 + 1, VK_F1 + 2, VK_F1 + 3, VK_F1 + 9, VK_F1 + 10, VK_F1 + 11};

class TSoak {
  public:
    TSoak(const TSoak_Options& options, TSoak_Report& report, std::FILE* log)
        : options_(options), report_(report), log_(log), random_(options.Seed) {}

    bool Run() {
        if (!New_Game())
            return false;
        uint64_t idle = 0;
        for (uint64_t tick = 1; tick <= options_.Ticks; ++tick) {
            report_.Ticks = tick;
            Act(tick);
            host_->Timer_Tick();
            if (tick % 4 == 0)
                host_->Redraw();
            if (release_in_ > 0 && --release_in_ == 0)
                host_->Mouse_Up(mbLeft, pointer_x_, pointer_y_);
            const bool dead = screen_->Shown("Dlg Dead") != nullptr;
            if (dead && !dead_shown_)
                ++report_.Deaths;
            dead_shown_ = dead;
            // After a quit, or the menus after a death, the next game begins.
            idle = screen_->Game_Running ? 0 : idle + 1;
            if (screen_->Close_Requested() || idle > 400) {
                idle = 0;
                if (!New_Game())
                    return false;
                continue;
            }
            if (tick % uint64_t(options_.Check_Every) == 0 && !Check(tick))
                return false;
        }
        return true;
    }

    ~TSoak() { End_Game(); }

  private:
    int32_t roll(int32_t n) { return int32_t(random_() % uint32_t(n)); }

    void End_Game() { game_.End(); }

    bool New_Game() {
        End_Game();
        ++report_.Games;
        dead_shown_ = false;
        const TQuick_Start start{.Module = options_.Module,
                                 .Class = 1 + roll(3),
                                 .Name = "Soak",
                                 .Difficulty = 1 + roll(4),
                                 .Seed = uint32_t(random_())};
        const bool started = game_.Start(start);
        screen_ = game_.Screen();
        host_ = game_.Host();
        if (!started) {
            report_.Faults.push_back("tick " + std::to_string(report_.Ticks) + ": a new game of " +
                                     options_.Module + " did not start");
            return false;
        }
        return true;
    }

    void Act(uint64_t tick) {
        const int32_t action = roll(1000);
        const int x = roll(800), y = roll(600);
        if (action < 250) {
            pointer_x_ = x, pointer_y_ = y;
            host_->Mouse_Move(x, y, release_in_ > 0 ? ssLeft : 0);
        } else if (action < 320) {
            // Pressed and held a little: a walk, an attack, a button or a slot.
            if (release_in_ > 0)
                host_->Mouse_Up(mbLeft, pointer_x_, pointer_y_);
            pointer_x_ = x, pointer_y_ = y;
            host_->Mouse_Move(x, y);
            host_->Mouse_Down(mbLeft, x, y, ssLeft);
            release_in_ = 1 + roll(30);
        } else if (action < 350) {
            host_->Mouse_Move(x, y);
            host_->Mouse_Down(mbRight, x, y, ssRight);
            host_->Mouse_Up(mbRight, x, y);
        } else if (action < 400) {
            const uint16_t key = keys[roll(int32_t(std::size(keys)))];
            const bool ctrl = key >= '1' && key <= '5' && roll(2) == 0;
            const size_t children = size_t(screen_->Child_Count());
            host_->Key_Down(key, ctrl ? ssCtrl : 0);
            if (size_t(screen_->Child_Count()) > children)
                ++report_.Dialogs;
        } else if (action < 403) {
            Save_Or_Load(roll(2) == 0, 1 + roll(3));
        } else if (action < 405) {
            Take_A_Connection();
        }
        (void)tick;
    }

    // Through the load and save dialog, as the player does it.
    void Save_Or_Load(bool load, int32_t slot) {
        if (!screen_->Game_Running || screen_->Actions_Disabled || (load && !saved_[slot]))
            return;
        screen_->Load_Save_Mode = load;
        auto* dialog =
            dynamic_cast<TDC_Dlg_Load_Save*>(screen_->Open_Game_Dialog("Save Game Dlg", true));
        if (!dialog)
            return;
        dialog->Select_Slot(slot);
        if (dialog->Accept()) {
            (load ? report_.Loads : report_.Saves) += 1;
            saved_[slot] = true;
        } else {
            dialog->Cancel();
        }
        host_->Timer_Tick();
    }

    // The player steps onto one of the level's connections.
    void Take_A_Connection() {
        TMonster* player = screen_->Player();
        if (!player || !Current_Module || !Current_Map || screen_->Actions_Disabled)
            return;
        const int32_t level = Current_Module->Current_Map;
        if (level < 1 || level > int32_t(Current_Module->Maps.size()))
            return;
        const auto& connections = Current_Module->Maps[size_t(level - 1)].Connections;
        if (connections.empty())
            return;
        const TModule_Map_Connection& way = connections[size_t(roll(int32_t(connections.size())))];
        TMap_Square* square = Current_Map->Get_Square(way.Source_X, way.Source_Y);
        if (!square || (square->Monster != 0 && square->Monster != player->Number))
            return;
        Current_Map->Get_Square(player->X, player->Y)->Remove_Monster();
        player->X = uint8_t(way.Source_X);
        player->Y = uint8_t(way.Source_Y);
        square->Place_Monster(*player);
        if (screen_->Take_Connection(way.Source_X, way.Source_Y))
            ++report_.Level_Changes;
    }

    bool Check(uint64_t tick) {
        if (!Current_Map || !screen_->Game_Running)
            return true;
        const std::vector<std::string> faults =
            Check_Level(*Current_Map, screen_->Cursor_Item.Peek_Held());
        for (const std::string& fault : faults)
            report_.Faults.push_back("tick " + std::to_string(tick) + ": " + fault);
        if (!faults.empty() && log_)
            for (const std::string& fault : report_.Faults)
                std::fprintf(log_, "soak: %s\n", fault.c_str());
        return faults.empty();
    }

    const TSoak_Options& options_;
    TSoak_Report& report_;
    std::FILE* log_;
    std::mt19937 random_;
    THeadless_Screen game_;
    TDC_Main* screen_ = nullptr;
    THost* host_ = nullptr;
    int32_t release_in_ = 0;
    int pointer_x_ = 0, pointer_y_ = 0;
    bool dead_shown_ = false;
    bool saved_[4] = {false, false, false, false};
};

} // namespace

bool Run_Soak(const TSoak_Options& options, TSoak_Report& report, std::FILE* log) {
    bool ok = false;
    std::string error;
    if (!Run_Headless_Game(options.Game_Dir, error, [&] {
            TSoak soak(options, report, log);
            ok = soak.Run();
        }))
        report.Faults.push_back(error);
    return ok && report.Faults.empty();
}

int Tool_Soak(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
    TSoak_Options options;
    TTool_Options read("soak", "\nUsage: krelvane-tool soak [--ticks N] [--seed S] "
                               "[--game-dir DIR] [--module NAME]");
    read.Number("--ticks", 1, UINT64_MAX, "a number of ticks", options.Ticks);
    read.Number("--seed", 0, 0xFFFFFFFFull, "a valid seed", options.Seed);
    read.Game_Dir("--game-dir", options.Game_Dir);
    read.Module("--module", options.Module);
    if (const int status = read.Parse(args, err))
        return status;
    TSoak_Report report;
    const bool ok = Run_Soak(options, report, err);
    std::fprintf(out,
                 "soak: %llu ticks (%.0f minutes of play), seed %u: %d games, %d saves, %d "
                 "loads, %d level changes, %d dialogs, %d deaths\n",
                 (unsigned long long)report.Ticks, double(report.Ticks) / 20 / 60, options.Seed,
                 report.Games, report.Saves, report.Loads, report.Level_Changes, report.Dialogs,
                 report.Deaths);
    for (const std::string& fault : report.Faults)
        std::fprintf(out, "fault: %s\n", fault.c_str());
    std::fprintf(out, "%s\n", ok ? "no fault" : "FAILED");
    return ok ? 0 : 1;
}
