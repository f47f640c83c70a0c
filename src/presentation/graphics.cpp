#include "presentation/graphics.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "presentation/bmp_file.h"
#include "presentation/font.h"

namespace {

struct TGraphics_State {
    std::vector<std::unique_ptr<TVirtual_Buffer>> buffers =
        std::vector<std::unique_ptr<TVirtual_Buffer>>(Max_Virtual_Buffers);
    int active = -1;
    TColour colour = 0;
    TColour text_colour = 0;
    const TText_Font* font = nullptr;
    int justify_h = -1;
    int justify_v = -1;
    int pos_x = 0;
    int pos_y = 0;
    int open_dcs = 0;
    std::string last_error;
    TPresenter presenter;
    int mouse_x = -1;
    int mouse_y = -1;
};

constexpr int far_away = 1 << 24;

TGraphics_State& state() {
    static TGraphics_State s;
    return s;
}

TVirtual_Buffer* active_buffer() {
    return Buffer_Of(state().active);
}

// Clips a copy of w x h pixels from (sx, sy) in src to (dx, dy) in dst to both
// buffers. False when nothing is left.
bool clip_copy(const TVirtual_Buffer& src, const TVirtual_Buffer& dst, int& sx, int& sy, int& dx,
               int& dy, int& w, int& h) {
    if (sx < 0) {
        dx -= sx;
        w += sx;
        sx = 0;
    }
    if (sy < 0) {
        dy -= sy;
        h += sy;
        sy = 0;
    }
    if (dx < 0) {
        sx -= dx;
        w += dx;
        dx = 0;
    }
    if (dy < 0) {
        sy -= dy;
        h += dy;
        dy = 0;
    }
    w = std::min({w, src.width - sx, dst.width - dx});
    h = std::min({h, src.height - sy, dst.height - dy});
    return w > 0 && h > 0;
}

void copy_rect(int min_x, int max_x, int min_y, int max_y, int dest_x, int dest_y, int source,
               int destination, bool transparent) {
    TVirtual_Buffer* src = Buffer_Of(source);
    TVirtual_Buffer* dst = Buffer_Of(destination);
    if (!src || !dst || max_x < min_x || max_y < min_y)
        return;
    // Coordinates this far out (from damaged data) can only miss every buffer.
    for (int v : {min_x, max_x, min_y, max_y, dest_x, dest_y})
        if (v < -far_away || v > far_away)
            return;
    // 64-bit sizes keep absurd rectangles from data files from overflowing.
    const int64_t w64 = int64_t(max_x) - min_x + 1;
    const int64_t h64 = int64_t(max_y) - min_y + 1;
    if (w64 > 1 << 20 || h64 > 1 << 20)
        return;
    int w = int(w64), h = int(h64);
    int sx = min_x, sy = min_y, dx = dest_x;
    int dy = int(std::clamp<int64_t>(int64_t(dest_y) - h + 1, -(1 << 22), 1 << 22));
    if (!clip_copy(*src, *dst, sx, sy, dx, dy, w, h))
        return;
    const int sw = src->width, dw = dst->width;
    // A copy within one buffer may overlap itself; take the rows from a copy then.
    std::vector<TColour> scratch;
    const TColour* from = src->pixels.data() + size_t(sy) * size_t(sw) + size_t(sx);
    size_t from_pitch = size_t(sw);
    if (src == dst) {
        scratch.resize(size_t(w) * size_t(h));
        for (int y = 0; y < h; ++y)
            std::memcpy(scratch.data() + size_t(y) * size_t(w), from + size_t(y) * from_pitch,
                        size_t(w) * sizeof(TColour));
        from = scratch.data();
        from_pitch = size_t(w);
    }
    TColour* to = dst->pixels.data() + size_t(dy) * size_t(dw) + size_t(dx);
    for (int y = 0; y < h; ++y) {
        const TColour* s = from + size_t(y) * from_pitch;
        TColour* d = to + size_t(y) * size_t(dw);
        if (!transparent) {
            std::memcpy(d, s, size_t(w) * sizeof(TColour));
        } else {
            for (int x = 0; x < w; ++x)
                d[x] = s[x] != 0 ? s[x] : d[x];
        }
    }
}

void blend_mask(TVirtual_Buffer& dst, const TText_Mask& mask, int left, int top, TColour colour) {
    const int cr = Red_Of(colour), cg = Green_Of(colour), cb = Blue_Of(colour);
    const int x0 = std::max(0, -left), y0 = std::max(0, -top);
    const int x1 = std::min(mask.width, dst.width - left);
    const int y1 = std::min(mask.height, dst.height - top);
    for (int y = y0; y < y1; ++y) {
        const uint8_t* a = mask.coverage.data() + size_t(y) * size_t(mask.width);
        TColour* d = dst.pixels.data() + size_t(top + y) * size_t(dst.width) + size_t(left);
        for (int x = x0; x < x1; ++x) {
            const int alpha = a[x];
            if (alpha == 0)
                continue;
            if (alpha == 255) {
                d[x] = colour;
                continue;
            }
            const TColour p = d[x];
            const int r = Red_Of(p) + (cr - Red_Of(p)) * alpha / 255;
            const int g = Green_Of(p) + (cg - Green_Of(p)) * alpha / 255;
            const int b = Blue_Of(p) + (cb - Blue_Of(p)) * alpha / 255;
            d[x] = Colour_RGB(r, g, b);
        }
    }
}

} // namespace

int fg_modetest(int width, int height, int depth) {
    const bool size_ok = width == Screen_Width && height == Screen_Height;
    const bool depth_ok = depth == 16 || depth == 24 || depth == 32;
    return size_ok && depth_ok ? 0 : 1;
}

int fg_vbinit() {
    Graphics_Shutdown();
    return 0;
}

void Graphics_Shutdown() {
    TPresenter presenter = std::move(state().presenter);
    state() = TGraphics_State();
    state().presenter = std::move(presenter);
}

void fg_ddmemory(int) {}
void fg_vbdepth(int) {}

int fg_vballoc(int width, int height) {
    if (width <= 0 || height <= 0 || int64_t(width) * height > (int64_t(1) << 26))
        return -1;
    auto& buffers = state().buffers;
    for (int h = 0; h < Max_Virtual_Buffers; ++h) {
        if (buffers[size_t(h)])
            continue;
        auto buffer = std::make_unique<TVirtual_Buffer>();
        buffer->width = width;
        buffer->height = height;
        buffer->pixels.assign(size_t(width) * size_t(height), 0);
        buffers[size_t(h)] = std::move(buffer);
        return h;
    }
    return -1;
}

void fg_vbfree(int handle) {
    if (!Buffer_Of(handle))
        return;
    state().buffers[size_t(handle)].reset();
    if (state().active == handle)
        state().active = -1;
}

int fg_vbopen(int handle) {
    if (!Buffer_Of(handle))
        return -1;
    state().active = handle;
    return 0;
}

int Active_Buffer() {
    return state().active;
}

TVirtual_Buffer* Buffer_Of(int handle) {
    if (handle < 0 || handle >= Max_Virtual_Buffers)
        return nullptr;
    return state().buffers[size_t(handle)].get();
}

bool Buffer_Size(int handle, int& width, int& height) {
    const TVirtual_Buffer* b = Buffer_Of(handle);
    width = b ? b->width : 0;
    height = b ? b->height : 0;
    return b != nullptr;
}

int fg_showbmp(const std::string& file) {
    TVirtual_Buffer* dst = active_buffer();
    if (!dst) {
        state().last_error = "No buffer is open to load \"" + file + "\" into";
        return 1;
    }
    TVirtual_Buffer picture;
    if (!Load_BMP_File(file, picture, state().last_error))
        return 2;
    const int w = std::min(picture.width, dst->width);
    const int h = std::min(picture.height, dst->height);
    for (int y = 0; y < h; ++y)
        std::memcpy(dst->pixels.data() + size_t(y) * size_t(dst->width),
                    picture.pixels.data() + size_t(y) * size_t(picture.width),
                    size_t(w) * sizeof(TColour));
    state().last_error.clear();
    return 0;
}

const std::string& Last_Graphics_Error() {
    return state().last_error;
}

void Copy_Rect(int min_x, int max_x, int min_y, int max_y, int dest_x, int dest_y, int source,
               int destination) {
    copy_rect(min_x, max_x, min_y, max_y, dest_x, dest_y, source, destination, false);
}

void Copy_Rect_Transparent(int min_x, int max_x, int min_y, int max_y, int dest_x, int dest_y,
                           int source, int destination) {
    copy_rect(min_x, max_x, min_y, max_y, dest_x, dest_y, source, destination, true);
}

void Copy_Whole_Buffer(int source, int destination) {
    const TVirtual_Buffer* src = Buffer_Of(source);
    if (!src)
        return;
    Copy_Rect(0, src->width - 1, 0, src->height - 1, 0, src->height - 1, source, destination);
}

void Pink_To_Black(int handle) {
    TVirtual_Buffer* b = Buffer_Of(handle);
    if (!b)
        return;
    const TColour pink = Colour_RGB(255, 0, 255);
    std::replace(b->pixels.begin(), b->pixels.end(), pink, TColour(0));
}

TColour Colour_From_RGB(int red, int green, int blue) {
    return Colour_RGB(std::clamp(red, 0, 255), std::clamp(green, 0, 255), std::clamp(blue, 0, 255));
}

void Set_Colour(TColour colour) {
    state().colour = colour & 0x00FFFFFFu;
}
TColour Current_Colour() {
    return state().colour;
}

void Clear_Buffer() {
    if (TVirtual_Buffer* b = active_buffer())
        std::fill(b->pixels.begin(), b->pixels.end(), state().colour);
}

void Fill_Rect(int min_x, int max_x, int min_y, int max_y) {
    TVirtual_Buffer* b = active_buffer();
    if (!b)
        return;
    min_x = std::max(min_x, 0);
    min_y = std::max(min_y, 0);
    max_x = std::min(max_x, b->width - 1);
    max_y = std::min(max_y, b->height - 1);
    for (int y = min_y; y <= max_y && min_x <= max_x; ++y) {
        TColour* row = b->pixels.data() + size_t(y) * size_t(b->width);
        std::fill(row + min_x, row + max_x + 1, state().colour);
    }
}

TColour Read_Pixel(int x, int y) {
    const TVirtual_Buffer* b = active_buffer();
    if (!b || x < 0 || y < 0 || x >= b->width || y >= b->height)
        return 0;
    return b->pixels[size_t(y) * size_t(b->width) + size_t(x)];
}

void Set_Pixel(int x, int y) {
    TVirtual_Buffer* b = active_buffer();
    if (!b || x < 0 || y < 0 || x >= b->width || y >= b->height)
        return;
    b->pixels[size_t(y) * size_t(b->width) + size_t(x)] = state().colour;
}

// The buffers are plain memory, so direct access needs no locking.
void Begin_Direct_Access() {}
void End_Direct_Access() {}

void Get_DC() {
    ++state().open_dcs;
}
void Release_DC() {
    if (state().open_dcs > 0)
        --state().open_dcs;
}
int Open_DC_Count() {
    return state().open_dcs;
}

void Select_Font(const TText_Font* font) {
    state().font = font;
}
const TText_Font* Selected_Font() {
    return state().font;
}

void Justify(int horizontal, int vertical) {
    state().justify_h = std::clamp(horizontal, -1, 1);
    state().justify_v = std::clamp(vertical, -1, 1);
}

void Move_To(int x, int y) {
    state().pos_x = x;
    state().pos_y = y;
}

void Set_Text_Colour_Value(TColour colour) {
    state().text_colour = colour & 0x00FFFFFFu;
}
TColour Text_Colour() {
    return state().text_colour;
}

void Print_Text(const std::string& text) {
    auto& s = state();
    const TText_Font* font = s.font;
    if (!font || text.empty())
        return;
    const int width = font->Text_Width(text);
    const int height = font->Height();
    int left = s.pos_x;
    if (s.justify_h == 0)
        left -= width / 2;
    else if (s.justify_h == 1)
        left -= width;
    int top = s.pos_y;
    if (s.justify_v == -1)
        top = s.pos_y - height + 1;
    else if (s.justify_v == 0)
        top = s.pos_y - height / 2;
    const bool reachable = left > -far_away && left < far_away && top > -far_away && top < far_away;
    if (TVirtual_Buffer* b = active_buffer(); b && reachable)
        blend_mask(*b, font->Mask(text), left, top, s.text_colour);
    s.pos_x += width;
}

int Get_X_Position() {
    return state().pos_x;
}

void Set_Presenter(TPresenter presenter) {
    state().presenter = std::move(presenter);
}

void Present() {
    const TVirtual_Buffer* workspace = Buffer_Of(Workspace_Buffer);
    if (workspace && state().presenter)
        state().presenter(*workspace);
}

void Restore_Surfaces() {}

void Set_Mouse_Position(int x, int y) {
    state().mouse_x = x;
    state().mouse_y = y;
}

void Mouse_Position(int& x, int& y) {
    x = state().mouse_x;
    y = state().mouse_y;
}
