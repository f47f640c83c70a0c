#include "platform/sdl/sdl_wave.h"

#include <SDL.h>

#include "platform/files.h"

bool Read_Wave_File(const std::string& path, TWave_Info& info, std::string& error) {
    info = {};
    SDL_AudioSpec spec;
    Uint8* data = nullptr;
    Uint32 length = 0;
    const std::string native = Native_Path(path);
    if (SDL_LoadWAV(native.c_str(), &spec, &data, &length) == nullptr) {
        error = native + ": " + SDL_GetError();
        return false;
    }
    info.channels = spec.channels;
    info.frequency = spec.freq;
    info.bits = SDL_AUDIO_BITSIZE(spec.format);
    info.bytes = length;
    SDL_FreeWAV(data);
    return true;
}
