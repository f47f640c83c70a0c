#include "file_writers.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/png_encoder.h"

namespace {

void put_u16(std::string& s, uint32_t v) {
    s.push_back(char(v & 255));
    s.push_back(char(v >> 8 & 255));
}
void put_u32(std::string& s, uint32_t v) {
    put_u16(s, v & 0xFFFF);
    put_u16(s, v >> 16);
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
    return Encode_PNG(canvas.Width(), canvas.Height(), canvas.Pixels().data());
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
