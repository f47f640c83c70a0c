#include "platform/sdl/sdl_wave.h"

#include <SDL.h>

#include <cstdint>

#include "platform/files.h"

namespace {

uint32_t little_endian_32(const std::string& bytes, size_t at) {
    return uint32_t(uint8_t(bytes[at])) | uint32_t(uint8_t(bytes[at + 1])) << 8 |
           uint32_t(uint8_t(bytes[at + 2])) << 16 | uint32_t(uint8_t(bytes[at + 3])) << 24;
}

} // namespace

bool Check_Wave_Bytes(const std::string& bytes, std::string& error) {
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) {
        error = "not a RIFF WAVE file";
        return false;
    }
    if (little_endian_32(bytes, 4) > bytes.size() - 8) {
        error = "the RIFF chunk claims more bytes than the file has";
        return false;
    }
    // Every chunk (format, data and any other) must end within the file.
    size_t at = 12;
    bool format = false, data = false;
    while (at + 8 <= bytes.size()) {
        const uint32_t size = little_endian_32(bytes, at + 4);
        if (size > bytes.size() - at - 8) {
            error = "the \"" + bytes.substr(at, 4) + "\" chunk claims more bytes than the file has";
            return false;
        }
        format = format || bytes.compare(at, 4, "fmt ") == 0;
        data = data || bytes.compare(at, 4, "data") == 0;
        at += 8 + size + (size & 1);
    }
    if (!format || !data) {
        error = format ? "the file has no sound data" : "the file has no format chunk";
        return false;
    }
    return true;
}

bool Read_Wave_File(const std::string& path, TWave_Info& info, std::string& error) {
    info = {};
    const std::string native = Native_Path(path);
    std::string bytes;
    if (!Read_Whole_File(path, bytes)) {
        error = native + ": the file cannot be read";
        return false;
    }
    if (!Check_Wave_Bytes(bytes, error)) {
        error = native + ": " + error;
        return false;
    }
    SDL_AudioSpec spec;
    Uint8* data = nullptr;
    Uint32 length = 0;
    SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), int(bytes.size()));
    if (SDL_LoadWAV_RW(stream, 1, &spec, &data, &length) == nullptr) {
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
