#include "presentation/bmp_file.h"

#include <cstdint>

#include "platform/files.h"

namespace {

uint32_t read_u16(const std::string& b, size_t at) {
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8;
}
uint32_t read_u32(const std::string& b, size_t at) {
    return read_u16(b, at) | read_u16(b, at + 2) << 16;
}

// The 8-bit value of a field under a bit-field mask.
int masked_channel(uint32_t pixel, uint32_t mask) {
    if (mask == 0)
        return 0;
    int shift = 0;
    while (((mask >> shift) & 1) == 0)
        ++shift;
    uint32_t max = mask >> shift;
    uint32_t value = (pixel & mask) >> shift;
    return int(value * 255 / max);
}

} // namespace

bool Decode_BMP(const std::string& b, TVirtual_Buffer& image, std::string& error) {
    if (b.size() < 26 || b[0] != 'B' || b[1] != 'M') {
        error = "not a BMP picture";
        return false;
    }
    const uint32_t data_offset = read_u32(b, 10);
    const uint32_t header_size = read_u32(b, 14);
    int64_t width = 0, height = 0;
    uint32_t bits = 0, compression = 0, colours_used = 0;
    size_t palette_entry = 4;
    if (header_size == 12) {
        width = read_u16(b, 18);
        height = int16_t(read_u16(b, 20));
        bits = read_u16(b, 24);
        palette_entry = 3;
    } else if (header_size >= 40 && b.size() >= 14 + size_t(header_size)) {
        width = int32_t(read_u32(b, 18));
        height = int32_t(read_u32(b, 22));
        bits = read_u16(b, 28);
        compression = read_u32(b, 30);
        colours_used = read_u32(b, 46);
    } else {
        error = "unknown or truncated BMP header";
        return false;
    }
    const bool top_down = height < 0;
    if (top_down)
        height = -height;
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384) {
        error = "BMP size " + std::to_string(width) + " x " + std::to_string(height) +
                " is not supported";
        return false;
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) {
        error = "BMP with " + std::to_string(bits) + " bits per pixel is not supported";
        return false;
    }
    uint32_t masks[3] = {0x00FF0000u, 0x0000FF00u, 0x000000FFu};
    if (compression == 3 && bits == 32) {
        // Masks follow a 40-byte header, or sit inside the larger ones at the same place.
        if (b.size() < 54 + 12) {
            error = "truncated BMP bit-field masks";
            return false;
        }
        for (int i = 0; i < 3; ++i)
            masks[i] = read_u32(b, 54 + 4 * i);
    } else if (compression != 0) {
        error = "compressed BMP pictures are not supported";
        return false;
    }

    std::vector<TColour> palette;
    if (bits <= 8) {
        size_t count = colours_used ? colours_used : (size_t(1) << bits);
        if (count > 256)
            count = 256;
        size_t at = 14 + header_size;
        // BI_BITFIELDS headers of 40 bytes keep their masks before the palette.
        if (header_size == 40 && compression == 3)
            at += 12;
        if (at + count * palette_entry > b.size()) {
            error = "truncated BMP palette";
            return false;
        }
        palette.resize(256, 0);
        for (size_t i = 0; i < count; ++i) {
            const size_t e = at + i * palette_entry;
            palette[i] = Colour_RGB(uint8_t(b[e + 2]), uint8_t(b[e + 1]), uint8_t(b[e]));
        }
    }

    const size_t stride = ((size_t(width) * bits + 31) / 32) * 4;
    if (data_offset > b.size() || (b.size() - data_offset) / stride < size_t(height)) {
        error = "truncated BMP pixel data";
        return false;
    }
    image.width = int(width);
    image.height = int(height);
    image.pixels.assign(size_t(width) * size_t(height), 0);
    for (int64_t row = 0; row < height; ++row) {
        const size_t src = data_offset + size_t(top_down ? row : height - 1 - row) * stride;
        TColour* dst = image.pixels.data() + size_t(row) * size_t(width);
        const auto* p = reinterpret_cast<const uint8_t*>(b.data()) + src;
        for (int64_t x = 0; x < width; ++x) {
            switch (bits) {
            case 1:
                dst[x] = palette[(p[x >> 3] >> (7 - (x & 7))) & 1];
                break;
            case 4:
                dst[x] = palette[(p[x >> 1] >> ((x & 1) ? 0 : 4)) & 15];
                break;
            case 8:
                dst[x] = palette[p[x]];
                break;
            case 24:
                dst[x] = Colour_RGB(p[3 * x + 2], p[3 * x + 1], p[3 * x]);
                break;
            default: {
                const uint32_t v = uint32_t(p[4 * x]) | uint32_t(p[4 * x + 1]) << 8 |
                                   uint32_t(p[4 * x + 2]) << 16 | uint32_t(p[4 * x + 3]) << 24;
                dst[x] = Colour_RGB(masked_channel(v, masks[0]), masked_channel(v, masks[1]),
                                    masked_channel(v, masks[2]));
            }
            }
        }
    }
    return true;
}

bool Load_BMP_File(const std::string& path, TVirtual_Buffer& image, std::string& error) {
    std::string bytes;
    if (!Read_Whole_File(path, bytes)) {
        error = "Unable to read picture \"" + path + "\"";
        return false;
    }
    std::string why;
    if (!Decode_BMP(bytes, image, why)) {
        error = "Unable to load picture \"" + path + "\": " + why;
        return false;
    }
    return true;
}
