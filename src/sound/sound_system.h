#pragma once
// The game's sound: effects through a ring of ten mixer slots with volume and stereo
// position (or a plain player when the mixer is switched off), and one piece of music
// in a loop. Effects play only while "Play Sounds" and "Allow Sound" are on, music only
// while "Play Music" and "Allow Music" are.
//
// Volume is in hundredths of a decibel of attenuation, 0 (full) to -10000 (silent); pan
// from -10000 (left) to 10000 (right), 0 centred.

#include <cstdint>
#include <set>
#include <string>

#include "shell/services.h"

class TMap;

// What the sound system plays through: the SDL mixer in the game, a recorder in tests.
class TAudio_Device {
  public:
    virtual ~TAudio_Device() = default;
    virtual bool Open(std::string& error) = 0;
    virtual void Close() = 0;
    // slot 0..9; gain, left and right 0..1.
    virtual bool Play_Effect(int slot, const std::string& path, double gain, double left,
                             double right, std::string& error) = 0;
    virtual bool Play_Plain(const std::string& path, std::string& error) = 0;
    virtual bool Play_Music(const std::string& path, std::string& error) = 0;
    virtual void Stop_Music() = 0;
};

// Positional play: the volume for a source d squares away (the larger of the two
// differences) with blockers blocking squares between, never below -10000.
int32_t Positional_Volume(int32_t master, int32_t d, int32_t blockers);
// Whole degrees clockwise from "towards decreasing y": 90 towards increasing x.
int32_t Sound_Bearing(int32_t dx, int32_t dy);
// The pan for a bearing (0 when the source is on the listener's square).
int32_t Pan_For_Bearing(int32_t bearing, bool same_square);
// Hundredths of a decibel as a gain 0..1; -10000 is silent.
double Volume_To_Gain(int32_t volume);
// The pan as left and right gains: the far side is turned down by the pan.
void Pan_To_Gains(int32_t pan, double& left, double& right);

class TSound_System : public TSound_Service {
  public:
    explicit TSound_System(TAudio_Device& device);
    ~TSound_System() override;

    // Opens the mixer (when "Use DirectSound") and empties the ring. Called once.
    void Initialize();
    void Free();

    // TSound_Service: (0, 0) plays without a place, any other square from that square.
    void Play_Sound(const std::string& wave_file, int32_t x, int32_t y) override;
    void Play_Music(const std::string& music_file) override { Start_Music(music_file); }
    void Stop_Music() override;

    void Play_Plain_Sound(const std::string& wave_file);
    // Listener at (lx, ly), source at (x, y).
    void Play_Sound_At(const std::string& wave_file, int32_t x, int32_t y, int32_t lx, int32_t ly);
    // The character's square is the listener; without a character the sound has no place.
    void Play_Sound_From_Square(const std::string& wave_file, int32_t x, int32_t y);
    void Start_Music(const std::string& music_file);

    // The ring slot the last effect went to, 1..10 (0 before the first).
    int32_t Ring_Index() const { return ring_index_; }
    // The music playing now ("" when none).
    const std::string& Current_Music() const { return current_music_; }
    bool Busy() const { return busy_; }

  private:
    bool sounds_on() const;
    bool music_on() const;
    bool use_mixer() const;
    void mixer_play(const std::string& wave_file, int32_t volume, int32_t pan);
    // A file that cannot be played is reported once, then left silent.
    void report(const std::string& kind, const std::string& name, const std::string& error);

    TAudio_Device& device_;
    bool initialized_ = false;
    bool device_open_ = false;
    int32_t ring_index_ = 0;
    int32_t master_volume_ = 0;
    bool busy_ = false;
    std::string current_music_;
    std::set<std::string> reported_;
};
