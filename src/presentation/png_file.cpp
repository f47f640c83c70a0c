#include "presentation/png_file.h"

#include <zlib.h>

#include "platform/files.h"

namespace {

void put_u32(std::string& out, uint32_t v) {
    out += char(v >> 24);
    out += char(v >> 16);
    out += char(v >> 8);
    out += char(v);
}

void put_chunk(std::string& out, const char* type, const std::string& data) {
    put_u32(out, uint32_t(data.size()));
    std::string body(type, 4);
    body += data;
    out += body;
    put_u32(out,
            uint32_t(crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size()))));
}

} // namespace

std::string Encode_PNG(const TVirtual_Buffer& image) {
    std::string header;
    put_u32(header, uint32_t(image.width));
    put_u32(header, uint32_t(image.height));
    header += char(8); // bits per channel
    header += char(2); // RGB
    header += std::string(3, '\0');

    std::string raw;
    raw.reserve(size_t(image.height) * (size_t(image.width) * 3 + 1));
    for (int y = 0; y < image.height; ++y) {
        raw += '\0'; // no filter
        for (int x = 0; x < image.width; ++x) {
            const TColour c = image.pixels[size_t(y) * size_t(image.width) + size_t(x)];
            raw += char(Red_Of(c));
            raw += char(Green_Of(c));
            raw += char(Blue_Of(c));
        }
    }
    uLongf packed_size = compressBound(uLong(raw.size()));
    std::string packed(packed_size, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &packed_size,
              reinterpret_cast<const Bytef*>(raw.data()), uLong(raw.size()), 6);
    packed.resize(packed_size);

    std::string out("\x89PNG\r\n\x1a\n", 8);
    put_chunk(out, "IHDR", header);
    put_chunk(out, "IDAT", packed);
    put_chunk(out, "IEND", std::string());
    return out;
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
