#pragma once
// The running game for the script tests: a game folder of the test's own whose
// pictures, sounds and modules are the built game folder's (the common data files are
// linked one by one, so a high-score table a test writes stays its own), the display
// object and the fonts, the real main-screen hooks, and a headless host that plays
// input scripts, where "wait 20" is exactly one second of game time.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/game_screen.h"
#include "support/fake_services.h"
#include "support/temp_dir.h"

class TDisplay_Class;
class TMonster;

class Game_Screen_Test : public ::testing::Test {
  protected:
    // Everything but the screen: each test starts the one it needs.
    void SetUp() override;
    void TearDown() override;

    // A screen started as asked (without the opening picture).
    void Start(TMain_Screen_Start start);
    // A new game of the default module, its opening text read and closed.
    void Start_New_Game(int32_t class_number, uint32_t seed, const std::string& name = "Wanderer");

    void Play(const std::string& script);
    // The script line that leaves a picture of the screen in the build's "screens".
    static std::string Shot(const std::string& name);
    void Screenshot(const std::string& name) { Play(Shot(name)); }
    static std::string At(int x, int y) { return std::to_string(x) + " " + std::to_string(y); }
    // The pointer moved onto the middle of the control and clicked there.
    void Click(const TDisplay_Class& control);
    // A screen point over map square (x, y) as the view shows it now.
    std::string Point_Of(int32_t x, int32_t y);
    TMonster& Player();

    TTemp_Dir dir_;
    TSound_Recorder sound_;
    TQuiet_Messages quiet_;
    TDC_Main* screen_pointer_ = nullptr;
    TMain_Screen_Hooks hooks_;
    std::unique_ptr<TDC_Main> screen_;
    int32_t counter_ = 0;

  private:
    std::unique_ptr<TScoped_Services> services_;
};
