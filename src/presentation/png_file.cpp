#include "presentation/png_file.h"

#include "platform/files.h"
#include "platform/png_encoder.h"

std::string Encode_PNG(const TVirtual_Buffer& image) {
    return Encode_PNG(image.width, image.height, image.pixels.data());
}

bool Save_PNG(const TVirtual_Buffer& image, const std::string& path, std::string& error) {
    if (image.width <= 0 || image.height <= 0) {
        error = "There is no picture to save as \"" + path + "\"";
        return false;
    }
    if (!Write_File_Atomic(path, Encode_PNG(image))) {
        error = "Unable to write \"" + path + "\"";
        return false;
    }
    return true;
}
