#pragma once
// The loaders that read files players and module authors hand the game, each fed any
// bytes as a file of its kind. A loader may refuse the bytes with errors; it must never
// crash, hang or read out of bounds. libFuzzer drives them (krelvane-fuzz), and the
// tests replay every input that once broke one.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Every target's name, as ./fuzz and the case folders use it.
const std::vector<std::string>& Fuzz_Target_Names();

// Runs one input through the named loader; false when no target has that name.
bool Fuzz_One_Input(const std::string& target, const uint8_t* data, size_t size);
