#pragma once
// The drawing-speed display: the average frame time over the last 50 frames and the
// frames per second it makes, printed at the left edge of the screen.

#include <cstdint>

class TFrame_Speed {
  public:
    // Starts counting from now (the window's activation).
    void Reset(uint32_t now);
    // Counts a frame drawn at tick now and prints the figures into the buffer: the
    // average + " ms" at (10, 250) and, when the average is at least 1 ms, 1000 /
    // average + " FPS" at (10, 260), font 1, colour (200, 200, 200).
    void Frame(int buffer, uint32_t now);
    int32_t Average() const { return average_; }

  private:
    int32_t frames_ = 0;
    int32_t accumulated_ = 0;
    int32_t average_ = 0;
    uint32_t previous_ = 0;
};
