#pragma once
// Small functions every part of the game shares: integer bounds, distances, compass
// directions, bit flags, list splitting, number formatting and the equipment slots.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/names.h"
#include "shell/enums.h"

int32_t Max(int32_t a, int32_t b);
int32_t Min(int32_t a, int32_t b);
// Straight-line distance in squares.
double Distance(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

// Bits 0..15 of a 16-bit flag word; other bit numbers are never set.
bool Bit_Is_Set(uint16_t mask, int32_t n);
void Set_Bit(uint16_t& mask, int32_t n, bool on);

// Splits text at each "," and appends the pieces to list. A piece ended by a comma
// is kept as it is (even empty, even with blanks before the comma); the text after a
// comma is trimmed before the next split; the last piece is added only when it is not
// empty after trimming. Pieces are lower-cased when lower is true.
void Split_List(const std::string& text, std::vector<std::string>& list, bool lower);

// Leading and trailing blanks and control characters removed.
std::string Trim(const std::string& text);
std::string Trim_Left(const std::string& text);
// Lower_Case and the other name helpers come with "platform/names.h".

// Compass directions: 0 none (same point), 1 north (y decreases), 2 north-east,
// 3 east (x increases), 4 south-east, 5 south, 6 south-west, 7 west, 8 north-west.
int32_t Direction_To(int32_t x0, int32_t y0, int32_t x1, int32_t y1);
// 1<->5, 2<->6, 3<->7, 4<->8; anything else gives 0.
int32_t Opposite_Direction(int32_t direction);
// Whole degrees 0..359 clockwise from north (y decreasing) from the first point to the
// second; the same point gives 0.
int32_t Bearing(int32_t x0, int32_t y0, int32_t x1, int32_t y1);

// "1,234,567"; negative numbers keep their sign in front: "-1,234".
std::string Format_Thousands(int64_t n);
// n blanks; empty for n <= 0.
std::string Spaces(int32_t n);

// The equipment slot kind an item type is worn in (0: not worn):
// 1 helm, 2 amulet, 3 armour, 4 belt, 5 boots, 6 hands, 8 rings, 9 glyphs and orbs,
// 10 gloves.
uint8_t Equip_Slot_Of_Type(TItem_Type item_type);
// Kinds 1..5 and 10 fit only their own slot; 6 fits slots 6 and 7; 8 fits 8 and 9;
// 9 fits any slot from 11 up; 0 fits nothing.
bool Fits_Slot(uint8_t slot_kind, int32_t slot);
// The inventory's form: also any backpack slot 11..90 for every kind.
bool Fits_Inventory_Slot(uint8_t slot_kind, int32_t slot);
