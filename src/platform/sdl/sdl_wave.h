#pragma once
// Wave files as the sound layer will read them (SDL's own RIFF WAVE reader).

#include <string>

struct TWave_Info {
    int channels = 0;
    int frequency = 0;
    int bits = 0;
    unsigned bytes = 0; // of sample data
};

// Whether the bytes are a RIFF WAVE whose chunks all lie within the bytes. SDL's reader
// trusts a chunk's stated size and would ask for gigabytes for a damaged file; the
// sound layer hands it only bytes that pass. False with the reason otherwise.
bool Check_Wave_Bytes(const std::string& bytes, std::string& error);

// Reads a wave file (checked first) with SDL's reader. False with the reason when it is
// refused.
bool Read_Wave_File(const std::string& path, TWave_Info& info, std::string& error);
