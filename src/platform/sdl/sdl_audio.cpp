#include "platform/sdl/sdl_audio.h"

#include "platform/files.h"
#include "platform/sdl/sdl_wave.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr int plain_channel = TSDL_Audio::Effect_Channels; // the eleventh

int mixer_level(double gain, int full) {
    return static_cast<int>(std::lround(std::clamp(gain, 0.0, 1.0) * full));
}

} // namespace

TSDL_Audio::~TSDL_Audio() {
    Close();
}

bool TSDL_Audio::Open(std::string& error) {
    if (open_)
        return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        error = SDL_GetError();
        return false;
    }
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
        error = Mix_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(Effect_Channels + 1);
    open_ = true;
    return true;
}

void TSDL_Audio::Close() {
    if (!open_)
        return;
    Stop_Music();
    Mix_HaltChannel(-1);
    for (auto& [path, chunk] : chunks_)
        Mix_FreeChunk(static_cast<Mix_Chunk*>(chunk));
    chunks_.clear();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    open_ = false;
}

bool TSDL_Audio::play_on(int channel, const std::string& path, std::string& error) {
    if (!open_) {
        error = "there is no audio device";
        return false;
    }
    // The channel's last sound is cut off by the next.
    Mix_HaltChannel(channel);
    Mix_Chunk* chunk = nullptr;
    if (auto found = chunks_.find(path); found != chunks_.end()) {
        chunk = static_cast<Mix_Chunk*>(found->second);
    } else {
        // The bytes are checked before the mixer sees them: a damaged file could make
        // it ask for gigabytes.
        std::string bytes;
        if (!Read_Whole_File(path, bytes)) {
            error = path + ": the file cannot be read";
            return false;
        }
        if (!Check_Wave_Bytes(bytes, error)) {
            error = path + ": " + error;
            return false;
        }
        chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), int(bytes.size())), 1);
        if (!chunk) {
            error = Mix_GetError();
            return false;
        }
        chunks_[path] = chunk;
    }
    if (Mix_PlayChannel(channel, chunk, 0) != channel) {
        error = Mix_GetError();
        return false;
    }
    return true;
}

bool TSDL_Audio::Play_Effect(int channel, const std::string& path, double gain, double left,
                             double right, std::string& error) {
    if (channel < 0 || channel >= Effect_Channels) {
        error = "no such channel";
        return false;
    }
    if (!open_) {
        error = "there is no audio device";
        return false;
    }
    Mix_Volume(channel, mixer_level(gain, MIX_MAX_VOLUME));
    Mix_SetPanning(channel, static_cast<Uint8>(mixer_level(left, 255)),
                   static_cast<Uint8>(mixer_level(right, 255)));
    return play_on(channel, path, error);
}

bool TSDL_Audio::Play_Plain(const std::string& path, std::string& error) {
    if (!open_) {
        error = "there is no audio device";
        return false;
    }
    Mix_Volume(plain_channel, MIX_MAX_VOLUME);
    return play_on(plain_channel, path, error);
}

bool TSDL_Audio::Play_Music(const std::string& path, std::string& error) {
    if (!open_) {
        error = "there is no audio device";
        return false;
    }
    Stop_Music();
    Mix_Music* music = Mix_LoadMUS(path.c_str());
    if (!music) {
        error = Mix_GetError();
        return false;
    }
    music_ = music;
    if (Mix_PlayMusic(music, -1) != 0) {
        error = Mix_GetError();
        Stop_Music();
        return false;
    }
    return true;
}

void TSDL_Audio::Stop_Music() {
    if (!music_)
        return;
    Mix_HaltMusic();
    Mix_FreeMusic(static_cast<Mix_Music*>(music_));
    music_ = nullptr;
}

bool TSDL_Audio::Music_Playing() const {
    return open_ && music_ && Mix_PlayingMusic() != 0;
}
