#pragma once
// Wave files as the sound layer will read them (SDL's own RIFF WAVE reader).

#include <string>

struct TWave_Info {
    int channels = 0;
    int frequency = 0;
    int bits = 0;
    unsigned bytes = 0; // of sample data
};

// Reads a wave file with SDL's reader. False with the reason when SDL refuses it.
bool Read_Wave_File(const std::string& path, TWave_Info& info, std::string& error);
