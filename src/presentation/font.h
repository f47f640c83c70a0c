#pragma once
// One screen font: a face at a point size, with the pictures of recently printed texts
// kept so that a frame full of the same captions costs one rendering each.
//
// A font whose file could not be opened still answers: it measures every character
// as 6 pixels wide and 12 high and draws nothing, so layouts and word wrap go on.

#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class TSDL_Font;

struct TText_Mask {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> coverage;
};

class TText_Font {
  public:
    TText_Font();
    ~TText_Font();
    TText_Font(const TText_Font&) = delete;
    TText_Font& operator=(const TText_Font&) = delete;

    bool Open(const std::string& path, int points, std::string& error);
    bool Is_Open() const;
    int Height() const;
    int Text_Width(const std::string& text) const;
    // The coverage of a text; the same object until the cache drops it.
    const TText_Mask& Mask(const std::string& text) const;

  private:
    std::unique_ptr<TSDL_Font> face_;
    static constexpr size_t cache_limit = 512;
    mutable std::list<std::pair<std::string, TText_Mask>> masks_; // most recent first
    mutable std::unordered_map<std::string, decltype(masks_)::iterator> index_;
    mutable std::unordered_map<std::string, int> widths_;
};
