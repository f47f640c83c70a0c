#pragma once
// The mixer and the music player, over SDL2_mixer: ten effect channels that each play a
// wave file once with its own gain and left and right gains, one channel for plain
// playing at full volume, and one piece of music looped until it is changed or stopped.

#include <map>
#include <string>

class TSDL_Audio {
  public:
    static constexpr int Effect_Channels = 10;

    TSDL_Audio() = default;
    ~TSDL_Audio();
    TSDL_Audio(const TSDL_Audio&) = delete;
    TSDL_Audio& operator=(const TSDL_Audio&) = delete;

    // Opens the audio device; false with the reason when there is none.
    bool Open(std::string& error);
    void Close();
    bool Is_Open() const { return open_; }

    // Plays the wave file once on channel 0..9, cutting off what the channel played.
    // gain, left and right are 0..1.
    bool Play_Effect(int channel, const std::string& path, double gain, double left, double right,
                     std::string& error);
    // The plain player: one sound at a time at full volume, the newest cutting off the last.
    bool Play_Plain(const std::string& path, std::string& error);
    // Loops the music file until it is changed or stopped.
    bool Play_Music(const std::string& path, std::string& error);
    void Stop_Music();
    bool Music_Playing() const;

  private:
    bool open_ = false;
    // Every wave loaded so far (Mix_Chunk), kept until the device closes, so a sound
    // played every tick is read once.
    std::map<std::string, void*> chunks_;
    void* music_ = nullptr; // Mix_Music
    bool play_on(int channel, const std::string& path, std::string& error);
};
