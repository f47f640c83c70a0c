#pragma once
// The services a program gives the rules, the world and the screens, installed once at
// its start for its whole run. What exists so far: messages on stderr (the window shows
// message boxes over itself while it is open), summoned monsters read from their data
// file, and saving and loading that remember the saved slot. Sound is silent, no sprite
// moves, and the screen's callbacks and description panel do nothing until the sound
// layer and the main game screen take their places here.

#include "game/save_load.h"
#include "presentation/ui_hooks.h"
#include "rules/main_callbacks.h"
#include "shell/services.h"
#include "world/sprites.h"
#include "world/casting.h"

class TProgram_Services {
  public:
    // Installs the services; the previous set comes back when this ends.
    TProgram_Services();
    ~TProgram_Services();
    TProgram_Services(const TProgram_Services&) = delete;
    TProgram_Services& operator=(const TProgram_Services&) = delete;

  private:
    TSound_Service sound_;
    TMessage_Service messages_;
    TMap_Sprite_Service sprites_;
    TMain_Callbacks callbacks_;
    TSummon_Service summons_;
    TSave_Load_Display save_load_;
    TDescription_Panel description_;
    TServices previous_;
};
