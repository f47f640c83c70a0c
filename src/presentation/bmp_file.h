#pragma once
// Windows BMP pictures: 1, 4 and 8 bits with a palette, 24 bits, and 32 bits (plain or
// with bit-field masks); bottom-up and top-down rows; the old 12-byte header and the
// 40, 52, 56, 108 and 124-byte ones. Compressed (RLE) pictures are refused with a
// message, as is anything truncated or inconsistent.

#include <string>

#include "presentation/graphics.h"

// Decodes the bytes of a file into image (0x00RRGGBB pixels, top row first). False
// with a readable reason when the bytes are not a picture we can show.
bool Decode_BMP(const std::string& bytes, TVirtual_Buffer& image, std::string& error);
// Reads and decodes a file; the reason names the file.
bool Load_BMP_File(const std::string& path, TVirtual_Buffer& image, std::string& error);
