#include "world/sight_light.h"

void Compute_Sight_Window(const TMap& map, int32_t left, int32_t top, uint8_t mask,
                          TView_Window& window) {
    for (auto& column : window)
        column.fill(1);
    const auto clear = [&](int32_t i, int32_t j) {
        return window[i][j] == 1 && map.Is_Vision_Clear(left + i, top + j, mask);
    };
    const auto step = [](int32_t t) { return t < 0 ? 1 : (t == 0 ? 0 : -1); };
    for (int32_t k = 2; k <= 7; ++k)
        for (int32_t t = -k; t <= k; ++t) {
            const int32_t i = 7 + t, s = step(t);
            if (!clear(i + s, 8 - k))
                window[i][7 - k] = 0;
            if (!clear(i + s, 6 + k))
                window[i][7 + k] = 0;
        }
    for (int32_t k = 2; k <= 7; ++k)
        for (int32_t t = -k; t <= k; ++t) {
            const int32_t j = 7 + t, s = step(t);
            if (!clear(8 - k, j + s))
                window[7 - k][j] = 0;
            if (!clear(6 + k, j + s))
                window[7 + k][j] = 0;
        }
}

void TMap::Compute_Sight(int32_t left, int32_t top, uint8_t mask) {
    sight_left_ = left;
    sight_top_ = top;
    sight_mask_ = mask;
    Compute_Sight_Window(*this, left, top, mask, sight_);
    // Near the map's edge the viewer's own neighbours may lie off the map.
    for (int32_t i = 0; i < View_Size; ++i)
        for (int32_t j = 0; j < View_Size; ++j)
            if (!In_Map(left + i, top + j))
                sight_[i][j] = 0;
}

void TMap::Compute_Light(int32_t left, int32_t top, uint8_t mask) {
    light_left_ = left;
    light_top_ = top;
    light_mask_ = mask;
    for (auto& column : light_)
        column.fill(Universal_Light ? 0 : 4);
    if (Universal_Light)
        return;
    TView_Window scratch;
    // Sources are looked for only on the map; the windows they cast may reach past its
    // edge, where squares block sight and are never lit.
    for (int32_t sx = Clamp_X(left - 7); sx <= Clamp_X(left + 22); ++sx)
        for (int32_t sy = Clamp_Y(top - 7); sy <= Clamp_Y(top + 22); ++sy) {
            int32_t r = Get_Square(sx, sy)->Get_Light_Radius(*this);
            if (r == 0)
                continue;
            r += 2;
            // Only squares within r of the source can be lit, and only those inside the
            // light window matter.
            if (sx + r < left || sx - r > left + 14 || sy + r < top || sy - r > top + 14)
                continue;
            Compute_Sight_Window(*this, sx - 7, sy - 7, mask, scratch);
            for (int32_t p = 0; p < View_Size; ++p)
                for (int32_t q = 0; q < View_Size; ++q) {
                    if (scratch[p][q] == 0)
                        continue;
                    const int32_t cx = sx - 7 + p, cy = sy - 7 + q;
                    if (cx < left || cx > left + 14 || cy < top || cy > top + 14 || !In_Map(cx, cy))
                        continue;
                    const int32_t d = Round_Distance(cx, cy, sx, sy);
                    if (d > r)
                        continue;
                    // Trunc(d / r * 5), exactly.
                    const int32_t level = d * 5 / r;
                    uint8_t& cell = light_[cx - left][cy - top];
                    if (level < cell)
                        cell = static_cast<uint8_t>(level);
                }
        }
}
