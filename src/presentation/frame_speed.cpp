#include "presentation/frame_speed.h"

#include <string>

#include "presentation/text.h"

void TFrame_Speed::Reset(uint32_t now) {
    frames_ = 0;
    accumulated_ = 0;
    average_ = 0;
    previous_ = now;
}

void TFrame_Speed::Frame(int buffer, uint32_t now) {
    if (++frames_ >= 50) {
        average_ = accumulated_ / 50;
        accumulated_ = 0;
        frames_ = 0;
    }
    Text_Begin(buffer);
    Set_Font(1);
    Set_Text_Colour(200, 200, 200);
    Set_Justify(1, 4);
    Print_At(10, 250, std::to_string(average_) + " ms");
    if (average_ >= 1)
        Print_At(10, 260, std::to_string(1000 / average_) + " FPS");
    Text_End();
    accumulated_ += int32_t(now - previous_);
    previous_ = now;
}
