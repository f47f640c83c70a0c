#pragma once
// The real game played without a window: a scratch copy of the game folder, the
// program's services started in it, and main screens made and driven through a
// headless host on a manual clock, drawn as the game draws its frames. The soak and the automatic
// player share it.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "game/main_screen.h"
#include "presentation/host.h"

// A copy of the game folder to play in: the common data copied (the game writes its
// high scores there), the pictures, sounds and modules linked, the rest made fresh.
// Removed again when it goes; Path is empty when it could not be made.
struct TScratch_Game {
    std::string Path;
    explicit TScratch_Game(const std::string& game_dir);
    ~TScratch_Game();
    TScratch_Game(const TScratch_Game&) = delete;
    TScratch_Game& operator=(const TScratch_Game&) = delete;
};

// Runs play() with the game started in a scratch copy of game_dir (the default game
// folder when empty): services, the common data, fonts, the game's dialogs and the
// manual clock. False, with the reason in error, when the game could not start.
bool Run_Headless_Game(const std::string& game_dir, std::string& error,
                       const std::function<void()>& play);

// One main screen of a quick-started game and the host that drives it.
class THeadless_Screen {
  public:
    ~THeadless_Screen() { End(); }
    // Makes the screen, and closes the adventure's opening story; false when the game
    // did not start. With a record file every input from the first one (that Escape)
    // is written there as a script that the game replays, headed by the command that
    // starts the same game; false with error set when the file cannot be written.
    bool Start(const TQuick_Start& start, const std::string& record = {},
               std::string* error = nullptr);
    void End();
    TDC_Main* Screen() const { return screen_.get(); }
    THost* Host() const { return host_.get(); }
    // The hooks the screen was made with (for the map square under a point).
    const TMain_Screen_Hooks& Hooks() const { return hooks_; }

  private:
    TDC_Main* screen_pointer_ = nullptr;
    std::unique_ptr<TDC_Main> screen_;
    std::unique_ptr<THost> host_;
    TMain_Screen_Hooks hooks_;
    int32_t counter_ = 0;
};
