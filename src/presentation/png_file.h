#pragma once
// Saving a buffer as a PNG picture (8-bit RGB), for screenshots and the widget sheet.

#include <string>

#include "presentation/graphics.h"

// The PNG bytes of an image.
std::string Encode_PNG(const TVirtual_Buffer& image);
// Writes the picture; the file is replaced only when complete. False with a reason.
bool Save_PNG(const TVirtual_Buffer& image, const std::string& path, std::string& error);
