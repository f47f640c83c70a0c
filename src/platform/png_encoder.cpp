#include "platform/png_encoder.h"

#include <zlib.h>

namespace {

void put_u32_be(std::string& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(char(v >> shift & 255));
}

void put_chunk(std::string& out, const char* type, const std::string& data) {
    put_u32_be(out, uint32_t(data.size()));
    std::string body(type, 4);
    body += data;
    out += body;
    put_u32_be(out,
               uint32_t(crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size()))));
}

} // namespace

std::string Encode_PNG(int Width, int Height, const uint32_t* Pixels) {
    const size_t w = Width > 0 && Height > 0 ? size_t(Width) : 0;
    const size_t h = w > 0 ? size_t(Height) : 0;
    std::string raw;
    raw.reserve(h * (1 + 3 * w));
    for (size_t y = 0; y < h; ++y) {
        raw.push_back('\0'); // no filter
        for (size_t x = 0; x < w; ++x) {
            const uint32_t c = Pixels[y * w + x];
            raw.push_back(char(c >> 16 & 255));
            raw.push_back(char(c >> 8 & 255));
            raw.push_back(char(c & 255));
        }
    }
    uLongf packed_size = compressBound(uLong(raw.size()));
    std::string packed(packed_size, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &packed_size,
              reinterpret_cast<const Bytef*>(raw.data()), uLong(raw.size()), 6);
    packed.resize(packed_size);

    std::string header;
    put_u32_be(header, uint32_t(w));
    put_u32_be(header, uint32_t(h));
    header += std::string("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, no interlace
    std::string out("\x89PNG\r\n\x1a\n", 8);
    put_chunk(out, "IHDR", header);
    put_chunk(out, "IDAT", packed);
    put_chunk(out, "IEND", std::string());
    return out;
}
