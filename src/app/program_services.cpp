#include "app/program_services.h"

TProgram_Services::TProgram_Services() {
    previous_ = Install_Services({.Sound = &sound_,
                                  .Messages = &messages_,
                                  .Sprites = &sprites_,
                                  .Callbacks = &callbacks_,
                                  .Summons = &summons_,
                                  .Save_Load = &save_load_,
                                  .Description = &description_});
}

TProgram_Services::~TProgram_Services() {
    sound_.Free();
    Install_Services(previous_);
}

void TProgram_Services::Start_Sound() {
    sound_.Initialize();
}
