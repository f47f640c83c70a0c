#pragma once
// The services a program gives the rules, the world and the screens, installed once at
// its start for its whole run: sound and music through the SDL mixer, messages on stderr
// (the window shows message boxes over itself while it is open; the main screen takes
// messages and callbacks over while it exists), the sprites' missiles for path finding,
// summoned monsters read from their data file, and saving and loading that remember the
// saved slot.

#include "game/save_load.h"
#include "platform/sdl/sdl_audio.h"
#include "presentation/ui_hooks.h"
#include "rules/main_callbacks.h"
#include "shell/services.h"
#include "sound/sound_system.h"
#include "world/casting.h"
#include "world/sprites.h"

class TProgram_Services {
  public:
    // Installs the services; the previous set comes back when this ends.
    TProgram_Services();
    ~TProgram_Services();
    TProgram_Services(const TProgram_Services&) = delete;
    TProgram_Services& operator=(const TProgram_Services&) = delete;

    // The game's sound starts with the game; the tool stays silent.
    void Start_Sound();

  private:
    class TSDL_Audio_Device : public TAudio_Device {
      public:
        bool Open(std::string& error) override { return audio.Open(error); }
        void Close() override { audio.Close(); }
        bool Play_Effect(int slot, const std::string& path, double gain, double left, double right,
                         std::string& error) override {
            return audio.Play_Effect(slot, path, gain, left, right, error);
        }
        bool Play_Plain(const std::string& path, std::string& error) override {
            return audio.Play_Plain(path, error);
        }
        bool Play_Music(const std::string& path, std::string& error) override {
            return audio.Play_Music(path, error);
        }
        void Stop_Music() override { audio.Stop_Music(); }
        TSDL_Audio audio;
    };
    TSDL_Audio_Device device_;
    TSound_System sound_{device_};
    TMessage_Service messages_;
    TMap_Sprite_Service sprites_;
    TMain_Callbacks callbacks_;
    TSummon_Service summons_;
    TSave_Load_Display save_load_;
    TDescription_Panel description_;
    TServices previous_;
};
