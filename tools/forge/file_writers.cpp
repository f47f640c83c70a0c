#include "file_writers.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include <zlib.h>

namespace {

void put_u16(std::string& s, uint32_t v) {
    s.push_back(char(v & 255));
    s.push_back(char(v >> 8 & 255));
}
void put_u32(std::string& s, uint32_t v) {
    put_u16(s, v & 0xFFFF);
    put_u16(s, v >> 16);
}
void put_u32_be(std::string& s, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        s.push_back(char(v >> shift & 255));
}

void png_chunk(std::string& out, const char* type, const std::string& data) {
    put_u32_be(out, uint32_t(data.size()));
    std::string body(type, 4);
    body += data;
    out += body;
    put_u32_be(out,
               uint32_t(crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size()))));
}

} // namespace

std::string Encode_BMP(const TCanvas& canvas) {
    const uint32_t w = uint32_t(canvas.Width()), h = uint32_t(canvas.Height());
    const uint32_t stride = (w * 3 + 3) / 4 * 4;
    const uint32_t image_size = stride * h;
    std::string s;
    s.reserve(54 + image_size);
    s += "BM";
    put_u32(s, 54 + image_size);
    put_u32(s, 0);
    put_u32(s, 54);
    put_u32(s, 40);
    put_u32(s, w);
    put_u32(s, h); // positive: bottom-up
    put_u16(s, 1);
    put_u16(s, 24);
    put_u32(s, 0); // BI_RGB
    put_u32(s, image_size);
    put_u32(s, 2835); // 72 dpi
    put_u32(s, 2835);
    put_u32(s, 0);
    put_u32(s, 0);
    for (int y = int(h) - 1; y >= 0; --y) {
        for (uint32_t x = 0; x < w; ++x) {
            const TRGB c = canvas.Get(int(x), y);
            s.push_back(char(Blue_Of(c)));
            s.push_back(char(Green_Of(c)));
            s.push_back(char(Red_Of(c)));
        }
        s.append(stride - w * 3, '\0');
    }
    return s;
}

std::string Encode_WAV(const std::vector<int16_t>& samples) {
    const uint32_t data_size = uint32_t(samples.size() * 2);
    std::string s;
    s.reserve(44 + data_size);
    s += "RIFF";
    put_u32(s, 36 + data_size);
    s += "WAVE";
    s += "fmt ";
    put_u32(s, 16);
    put_u16(s, 1); // PCM
    put_u16(s, 1); // mono
    put_u32(s, Sample_Rate);
    put_u32(s, Sample_Rate * 2);
    put_u16(s, 2);
    put_u16(s, 16);
    s += "data";
    put_u32(s, data_size);
    for (int16_t v : samples)
        put_u16(s, uint16_t(v));
    return s;
}

std::string Encode_PNG(const TCanvas& canvas) {
    const int w = canvas.Width(), h = canvas.Height();
    std::string raw;
    raw.reserve(size_t(h) * (1 + 3 * size_t(w)));
    for (int y = 0; y < h; ++y) {
        raw.push_back('\0'); // no filter
        for (int x = 0; x < w; ++x) {
            const TRGB c = canvas.Get(x, y);
            raw.push_back(char(Red_Of(c)));
            raw.push_back(char(Green_Of(c)));
            raw.push_back(char(Blue_Of(c)));
        }
    }
    uLongf packed_size = compressBound(uLong(raw.size()));
    std::string packed(packed_size, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &packed_size,
              reinterpret_cast<const Bytef*>(raw.data()), uLong(raw.size()), 6);
    packed.resize(packed_size);

    std::string out("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    put_u32_be(header, uint32_t(w));
    put_u32_be(header, uint32_t(h));
    header += std::string("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, no interlace
    png_chunk(out, "IHDR", header);
    png_chunk(out, "IDAT", packed);
    png_chunk(out, "IEND", "");
    return out;
}

bool Write_File_Atomic(const std::string& path, const std::string& bytes, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path target(path);
    if (target.has_parent_path())
        fs::create_directories(target.parent_path(), ec);
    const std::string temp = path + ".part";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), std::streamsize(bytes.size()));
        out.close();
        if (!out) {
            error = "Unable to write \"" + temp + "\"";
            fs::remove(temp, ec);
            return false;
        }
    }
    fs::rename(temp, target, ec);
    if (ec) {
        error = "Unable to replace \"" + path + "\": " + ec.message();
        fs::remove(temp, ec);
        return false;
    }
    return true;
}
