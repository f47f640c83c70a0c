#include <gtest/gtest.h>

#include "shell/helpers.h"

using list = std::vector<std::string>;

TEST(Helpers, SplitListKeepsItsQuirks) {
    list pieces;
    Split_List(" Room , Hall,,  Cave  ", pieces, false);
    // A piece before a comma is kept as written (leading and trailing blanks, or
    // empty); the text after a comma is trimmed before the next split.
    EXPECT_EQ(pieces, (list{" Room ", "Hall", "", "Cave"}));

    pieces.clear();
    Split_List("a, b ,", pieces, false);
    EXPECT_EQ(pieces, (list{"a", "b "})); // nothing after the last comma

    pieces.clear();
    Split_List("   ", pieces, false);
    EXPECT_TRUE(pieces.empty());

    pieces = {"kept"};
    Split_List("Room ", pieces, true);
    EXPECT_EQ(pieces, (list{"kept", "room "})); // appended, lower-cased, blanks kept

    pieces.clear();
    Split_List("Dungeon,CRYPT", pieces, true);
    EXPECT_EQ(pieces, (list{"dungeon", "crypt"}));
}

TEST(Helpers, TrimRemovesBlanksAndControlCharacters) {
    EXPECT_EQ(Trim("\t  Sword \r\n"), "Sword");
    EXPECT_EQ(Trim(" a b "), "a b");
    EXPECT_EQ(Trim(" \t"), "");
    EXPECT_EQ(Trim_Left("  a "), "a ");
}

TEST(Helpers, DirectionsFollowTheCompass) {
    EXPECT_EQ(Direction_To(10, 10, 10, 9), 1);
    EXPECT_EQ(Direction_To(10, 10, 11, 11), 4);
    EXPECT_EQ(Direction_To(10, 10, 10, 10), 0);
    EXPECT_EQ(Direction_To(10, 10, 15, 3), 2);
    EXPECT_EQ(Direction_To(10, 10, 20, 10), 3);
    EXPECT_EQ(Direction_To(10, 10, 10, 12), 5);
    EXPECT_EQ(Direction_To(10, 10, 9, 30), 6);
    EXPECT_EQ(Direction_To(10, 10, 1, 10), 7);
    EXPECT_EQ(Direction_To(10, 10, 9, 9), 8);
    const int32_t opposite[] = {0, 5, 6, 7, 8, 1, 2, 3, 4, 0};
    for (int d = 0; d <= 9; ++d)
        EXPECT_EQ(Opposite_Direction(d), opposite[d]) << d;
    EXPECT_EQ(Opposite_Direction(-1), 0);
}

TEST(Helpers, BearingsInWholeDegrees) {
    EXPECT_EQ(Bearing(0, 0, 1, -1), 45);
    EXPECT_EQ(Bearing(0, 0, -1, 1), 225);
    EXPECT_EQ(Bearing(0, 0, 0, 0), 0);
    EXPECT_EQ(Bearing(0, 0, 0, -4), 0);
    EXPECT_EQ(Bearing(0, 0, 3, 0), 90);
    EXPECT_EQ(Bearing(0, 0, 0, 2), 180);
    EXPECT_EQ(Bearing(0, 0, -3, 0), 270);
    EXPECT_EQ(Bearing(0, 0, 1, -2), 27);   // atan(1/2) = 26.57
    EXPECT_EQ(Bearing(0, 0, 2, 1), 117);   // 180 - 63.43
    EXPECT_EQ(Bearing(0, 0, -3, -1), 288); // 360 - 71.57
    EXPECT_EQ(Bearing(0, 0, -1, -200), 0); // rounds to 360, which is 0
    EXPECT_EQ(Bearing(5, 5, 10, 2), 59);
}

TEST(Helpers, NumbersAndBits) {
    EXPECT_EQ(Format_Thousands(0), "0");
    EXPECT_EQ(Format_Thousands(999), "999");
    EXPECT_EQ(Format_Thousands(1000), "1,000");
    EXPECT_EQ(Format_Thousands(1234567), "1,234,567");
    EXPECT_EQ(Format_Thousands(-1234), "-1,234");
    EXPECT_EQ(Format_Thousands(-123456), "-123,456");
    EXPECT_EQ(Format_Thousands(-2147483648LL), "-2,147,483,648");
    EXPECT_EQ(Spaces(3), "   ");
    EXPECT_EQ(Spaces(0), "");
    EXPECT_EQ(Spaces(-2), "");
    EXPECT_EQ(Max(-2, 7), 7);
    EXPECT_EQ(Min(-2, 7), -2);
    EXPECT_DOUBLE_EQ(Distance(1, 1, 4, 5), 5.0);

    uint16_t mask = 0;
    Set_Bit(mask, 0, true);
    Set_Bit(mask, 15, true);
    EXPECT_EQ(mask, 0x8001);
    EXPECT_TRUE(Bit_Is_Set(mask, 15));
    EXPECT_FALSE(Bit_Is_Set(mask, 3));
    Set_Bit(mask, 0, false);
    Set_Bit(mask, 16, true); // outside the word: ignored
    EXPECT_EQ(mask, 0x8000);
    EXPECT_FALSE(Bit_Is_Set(mask, 31));
}

TEST(Helpers, EquipmentSlots) {
    EXPECT_EQ(Equip_Slot_Of_Type(TItem_Type::Helm), 1);
    EXPECT_EQ(Equip_Slot_Of_Type(TItem_Type::Boots), 5);
    EXPECT_EQ(Equip_Slot_Of_Type(TItem_Type::Shield), 6);
    EXPECT_EQ(Equip_Slot_Of_Type(TItem_Type::Misc), 6);
    EXPECT_EQ(Equip_Slot_Of_Type(TItem_Type::Ring), 8);
    EXPECT_EQ(Equip_Slot_Of_Type(TItem_Type::Orb), 9);
    EXPECT_EQ(Equip_Slot_Of_Type(TItem_Type::Gloves), 10);
    EXPECT_EQ(Equip_Slot_Of_Type(TItem_Type::Potion), 0);
    EXPECT_EQ(Equip_Slot_Of_Type(TItem_Type::Ammo), 0);

    EXPECT_TRUE(Fits_Slot(10, 10));
    EXPECT_FALSE(Fits_Slot(1, 2));
    EXPECT_TRUE(Fits_Slot(6, 7));
    EXPECT_FALSE(Fits_Slot(6, 8));
    EXPECT_TRUE(Fits_Slot(8, 9));
    EXPECT_FALSE(Fits_Slot(9, 10));
    EXPECT_TRUE(Fits_Slot(9, 11));
    EXPECT_FALSE(Fits_Slot(0, 11));
    EXPECT_FALSE(Fits_Slot(3, 40));
    EXPECT_TRUE(Fits_Inventory_Slot(3, 40));
    EXPECT_TRUE(Fits_Inventory_Slot(0, 90));
    EXPECT_FALSE(Fits_Inventory_Slot(0, 91));
    EXPECT_TRUE(Fits_Inventory_Slot(3, 3));
    EXPECT_FALSE(Fits_Inventory_Slot(3, 4));
}
