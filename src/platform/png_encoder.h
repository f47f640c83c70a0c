#pragma once
// The one PNG writer, shared by the game (screenshots, the widget sheet) and the content
// generator (contact sheets): 8-bit RGB, rows unfiltered, deflated at level 6, so the
// same pixels always give the same bytes.

#include <cstdint>
#include <string>

// Width x Height pixels, row by row from the top, each 0xRRGGBB (a top byte is
// ignored). A size of 0 or less gives a picture without pixels.
std::string Encode_PNG(int Width, int Height, const uint32_t* Pixels);
