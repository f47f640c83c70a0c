#pragma once
// The file formats the generator writes: 24-bit BMP pictures for the engine, 16-bit
// mono PCM WAV sounds, and PNG sheets for looking at the pictures.

#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"

constexpr int Sample_Rate = 22050;

// A Windows BMP: 14-byte file header, 40-byte info header, 24-bit BI_RGB, bottom-up
// rows padded to four bytes.
std::string Encode_BMP(const TCanvas& canvas);
// A RIFF WAVE: the RIFF header, a 16-byte "fmt " chunk (PCM, mono, 22050 Hz, 16 bits)
// and the "data" chunk, nothing else.
std::string Encode_WAV(const std::vector<int16_t>& samples);
// An 8-bit RGB PNG.
std::string Encode_PNG(const TCanvas& canvas);

// Writes bytes to path through a temporary file renamed over it, so a half-written
// file never stands under the real name; parent folders are made. False with a reason.
bool Write_File_Atomic(const std::string& path, const std::string& bytes, std::string& error);
