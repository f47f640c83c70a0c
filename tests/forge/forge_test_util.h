#pragma once
// Helpers shared by the generator's tests.

#include <cstdint>
#include <string>

#include "canvas.h"
#include "forge.h"

// The catalogue entry of a system picture, made once per run; fails the test when it
// is missing.
const TCanvas& Make_System_Picture(const std::string& name);

inline uint32_t Le32(const std::string& b, size_t at) {
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 |
           uint32_t(uint8_t(b[at + 2])) << 16 | uint32_t(uint8_t(b[at + 3])) << 24;
}
inline uint32_t Le16(const std::string& b, size_t at) {
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8;
}
