#include "presentation/font.h"

#include "platform/sdl/sdl_font.h"

namespace {
constexpr int fallback_char_width = 6;
constexpr int fallback_height = 12;
} // namespace

TText_Font::TText_Font() : face_(std::make_unique<TSDL_Font>()) {}
TText_Font::~TText_Font() = default;

bool TText_Font::Open(const std::string& path, int points, std::string& error) {
    masks_.clear();
    index_.clear();
    widths_.clear();
    return face_->Open(path, points, error);
}

bool TText_Font::Is_Open() const {
    return face_->Is_Open();
}

int TText_Font::Height() const {
    return Is_Open() ? face_->Height() : fallback_height;
}

int TText_Font::Text_Width(const std::string& text) const {
    if (!Is_Open())
        return fallback_char_width * int(text.size());
    auto found = widths_.find(text);
    if (found != widths_.end())
        return found->second;
    if (widths_.size() >= 4 * cache_limit)
        widths_.clear();
    const int width = face_->Text_Width(text);
    widths_.emplace(text, width);
    return width;
}

const TText_Mask& TText_Font::Mask(const std::string& text) const {
    auto found = index_.find(text);
    if (found != index_.end()) {
        masks_.splice(masks_.begin(), masks_, found->second);
        return found->second->second;
    }
    TText_Mask mask;
    if (Is_Open())
        face_->Render(text, mask.coverage, mask.width, mask.height);
    if (masks_.size() >= cache_limit) {
        index_.erase(masks_.back().first);
        masks_.pop_back();
    }
    masks_.emplace_front(text, std::move(mask));
    index_[text] = masks_.begin();
    return masks_.front().second;
}
