// The PNG writer: chunk layout and checksums, and the pixels read back through zlib.

#include <gtest/gtest.h>

#include <zlib.h>

#include "platform/png_encoder.h"

namespace {

uint32_t be32(const std::string& b, size_t at) {
    return uint32_t(uint8_t(b[at])) << 24 | uint32_t(uint8_t(b[at + 1])) << 16 |
           uint32_t(uint8_t(b[at + 2])) << 8 | uint32_t(uint8_t(b[at + 3]));
}

// The chunks in order, each checked against its CRC: type and data.
std::vector<std::pair<std::string, std::string>> chunks(const std::string& png) {
    std::vector<std::pair<std::string, std::string>> out;
    size_t at = 8;
    while (at + 12 <= png.size()) {
        const uint32_t length = be32(png, at);
        const std::string body = png.substr(at + 4, 4 + length);
        const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size()));
        EXPECT_EQ(be32(png, at + 8 + length), uint32_t(crc)) << body.substr(0, 4);
        out.emplace_back(body.substr(0, 4), body.substr(4));
        at += 12 + length;
    }
    EXPECT_EQ(at, png.size());
    return out;
}

std::string inflate_all(const std::string& packed, size_t size) {
    std::string raw(size + 1, '\0');
    uLongf raw_size = uLongf(raw.size());
    EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(raw.data()), &raw_size,
                         reinterpret_cast<const Bytef*>(packed.data()), uLong(packed.size())),
              Z_OK);
    raw.resize(raw_size);
    return raw;
}

TEST(Png_Encoder, WritesRgbRowsThatInflateBackToThePixels) {
    // The top byte is not part of the colour.
    const std::vector<uint32_t> pixels = {0x010203, 0xFFFF00FF, 0, 0x7F090807, 0x00FF00, 0x808080};
    const std::string png = Encode_PNG(3, 2, pixels.data());
    ASSERT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    const auto parts = chunks(png);
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(parts[0].first, "IHDR");
    EXPECT_EQ(parts[0].second, std::string("\0\0\0\3\0\0\0\2\x08\x02\0\0\0", 13));
    EXPECT_EQ(parts[1].first, "IDAT");
    EXPECT_EQ(inflate_all(parts[1].second, 20), std::string("\0\1\2\3\xff\0\xff\0\0\0"
                                                            "\0\x09\x08\x07\0\xff\0\x80\x80\x80",
                                                            20));
    EXPECT_EQ(parts[2], std::make_pair(std::string("IEND"), std::string()));
    // The same pixels always give the same bytes (the generator's output is compared).
    EXPECT_EQ(Encode_PNG(3, 2, pixels.data()), png);

    // No size, no pixels read: a header of 0 x 0 and an empty image.
    for (const auto& [w, h] : {std::pair{0, 5}, std::pair{4, 0}, std::pair{-1, -1}}) {
        const auto empty = chunks(Encode_PNG(w, h, nullptr));
        ASSERT_EQ(empty.size(), 3u);
        EXPECT_EQ(empty[0].second.substr(0, 8), std::string(8, '\0'));
        EXPECT_EQ(inflate_all(empty[1].second, 0), "");
    }
}

} // namespace
