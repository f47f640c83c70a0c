#include <gtest/gtest.h>

#include "rules/item_list.h"
#include "rules/references.h"
#include "shell/value_stream.h"

namespace {

TItem item_with_every_field() {
    TItem item;
    item.Number = 4;
    item.Name = "Flaming Long Sword of Fire";
    item.Description = "Sharp.";
    item.Class_Name = "Sword";
    item.Item_Group = "blades";
    item.Item_Type = static_cast<uint8_t>(TItem_Type::Weapon);
    item.Level = 300;
    item.Weapon_Type = "Sword";
    item.Picture_Filename = "sword.bmp";
    item.Damage.Set_Damage(4, 40000, 3, 1);
    item.Use_Sound_File = "swing.wav";
    item.Event_ID = 12;
    item.Ammo_Kind = "Arrow";
    item.Ammo_Required = "Bolt";
    item.Weight = 150;
    item.Hands_Required = 2;
    item.Consumption_Type = 5;
    item.Consumption_Value = 33;
    item.Defense = 70;
    item.Key_Group = "Crypt";
    item.Gold_Value = -100000;
    item.Light_Radius = 200;
    item.Light_Turns = 999;
    item.Quantity = 7;
    item.Maximum_Stacked = 9;
    const TAttribute attribute{1, 2, true, 3, 4, 5};
    item.Attributes.Add(&attribute);
    item.Attributes.Add(nullptr);
    item.Requirements.Add_Requirement(3, 12, 2, 10);
    item.Effects.Add_Effect(TEffect_Type::Fire_Damage, 2, 6);
    item.Spell_Names = {"Fire Bolt", "Heal"};
    item.Spell_Levels = {3, 1};
    item.Picture_Index = 55;
    return item;
}

TEST(Item_Saving, EveryFieldButThePictureIndexRoundTrips) {
    const TItem item = item_with_every_field();
    TValue_Writer writer;
    item.Save(writer);
    TValue_Reader reader(writer.Bytes());
    TItem back;
    back.Load(reader);
    EXPECT_TRUE(reader.At_End());
    EXPECT_EQ(back.Picture_Index, 0);
    // Compare through a second save: every saved field in its saved order.
    TValue_Writer again;
    back.Save(again);
    EXPECT_EQ(again.Bytes(), writer.Bytes());
    EXPECT_EQ(back.Name, item.Name);
    EXPECT_EQ(back.Damage.Max, 40000);
    EXPECT_EQ(back.Gold_Value, -100000);
    EXPECT_EQ(back.Light_Radius, 200);
    EXPECT_EQ(back.Attributes, item.Attributes);
    EXPECT_EQ(back.Requirements.Get_Requirement_Value(1, 2), 13);
    EXPECT_EQ(back.Effects, item.Effects);
    EXPECT_EQ(back.Spell_Levels, (std::vector<uint16_t>{3, 1}));
}

TEST(Item_Saving, ATruncatedOrDamagedRecordThrowsTheStreamError) {
    // Spell lists of different lengths: the levels are written parallel to the names,
    // and a file in which they differ anyway does not load.
    TItem uneven = item_with_every_field();
    uneven.Spell_Levels = {4};
    TValue_Writer uneven_writer;
    uneven.Save(uneven_writer);
    TValue_Reader uneven_reader(uneven_writer.Bytes());
    TItem back_uneven;
    back_uneven.Load(uneven_reader);
    EXPECT_EQ(back_uneven.Spell_Levels, (std::vector<uint16_t>{4, 0}));
    // The record ends with the level list: put a one-level list in its place.
    TValue_Writer two_levels, one_level;
    two_levels.Write_Word_List({4, 0});
    one_level.Write_Word_List({4});
    const std::string& whole = uneven_writer.Bytes();
    TValue_Reader damaged(whole.substr(0, whole.size() - two_levels.Bytes().size()) +
                          one_level.Bytes());
    EXPECT_THROW(back_uneven.Load(damaged), TStream_Error);

    TValue_Writer writer;
    item_with_every_field().Save(writer);
    const std::string bytes = writer.Bytes();
    for (size_t cut : {size_t{0}, size_t{5}, bytes.size() / 2, bytes.size() - 1}) {
        TValue_Reader reader(bytes.substr(0, cut));
        TItem back;
        EXPECT_THROW(back.Load(reader), TStream_Error) << "cut at " << cut;
    }
}

TEST(Item_Values, GoldValueCountsTheStackAndGoldValueEffects) {
    TItem item;
    item.Gold_Value = 10;
    item.Quantity = 3;
    item.Effects.Add_Effect(TEffect_Type::Gold_Value, 50, 0);
    EXPECT_EQ(item.Get_Gold_Value(), 45);
    item.Quantity = 1;
    EXPECT_EQ(item.Get_Gold_Value(), 15);
    item.Effects.Clear();
    item.Effects.Add_Effect(TEffect_Type::Gold_Value, -50, 0); // only raises
    EXPECT_EQ(item.Get_Gold_Value(), 10);
}

TEST(Item_Values, StackWeightDoesNotWrap) {
    TItem item;
    item.Weight = 100;
    item.Quantity = 1000;
    EXPECT_EQ(item.Get_Weight(), 100000u);
    item.Quantity = 0;
    EXPECT_EQ(item.Get_Weight(), 100u);
    // Two of the heaviest stacks saturate the total instead of wrapping.
    TItem_List list;
    TItem_Collection carried;
    item.Weight = 65535;
    item.Quantity = 65535;
    carried.Add(list.Add(item));
    carried.Add(list.Add(item));
    EXPECT_EQ(carried.Get_Total_Weight(list), UINT32_MAX);
}

TEST(Item_List, NumbersAreSlotsAndFreedSlotsAreReused) {
    TItem_List list;
    TItem a;
    a.Name = "A";
    EXPECT_EQ(list.Add(a), 1);
    EXPECT_EQ(list.Add(a), 2);
    EXPECT_EQ(list.Add(a), 3);
    list.Delete_Item(2);
    EXPECT_EQ(list.Get(2), nullptr);
    EXPECT_EQ(list.Get(0), nullptr);
    EXPECT_EQ(list.Get(4), nullptr);
    a.Name = "B";
    EXPECT_EQ(list.Add(a), 2);
    EXPECT_EQ(list.Get(2)->Name, "B");
    EXPECT_EQ(list.Get(2)->Number, 2);
}

// What a screen keeps across ticks finds its item only while the number still names it.
TEST(Item_List, ReferencesNeverReachALaterItemOfTheSameNumber) {
    TItem_List list;
    TItem a;
    a.Name = "Ring";
    list.Add(a);
    const TItem_Ref ring = Item_Ref(list, list.Add(a));
    EXPECT_EQ(ring.Resolve(list), list.Get(2));
    EXPECT_EQ(Item_Ref(list, 7), TItem_Ref());
    list.Delete_Item(2);
    EXPECT_EQ(ring.Resolve(list), nullptr);
    a.Name = "Bread";
    ASSERT_EQ(list.Add(a), 2);
    EXPECT_EQ(ring.Resolve(list), nullptr);
    EXPECT_EQ(TItem_Ref(*list.Get(2)).Resolve(list)->Name, "Bread");
    // Items loaded or copied into a list are new to it.
    const TItem_Ref bread(*list.Get(2));
    TValue_Writer writer;
    list.Save(writer);
    TValue_Reader reader(writer.Bytes());
    TItem_List loaded;
    loaded.Load(reader);
    const TItem_List copy = list;
    EXPECT_EQ(bread.Resolve(loaded), nullptr);
    EXPECT_EQ(bread.Resolve(copy), nullptr);
    EXPECT_NE(Item_Ref(loaded, 2).Resolve(loaded), nullptr);
    EXPECT_NE(Item_Ref(loaded, 1).Serial, Item_Ref(copy, 1).Serial);
}

TEST(Item_List, EmptySlotsSurviveSaveAndLoad) {
    TItem_List list;
    list.Name = "Level 1";
    list.Add(item_with_every_field());
    list.Add(TItem{});
    list.Delete_Slot(1);
    TValue_Writer writer;
    list.Save(writer);
    TValue_Reader reader(writer.Bytes());
    TItem_List back;
    back.Load(reader);
    EXPECT_EQ(back.Name, "Level 1");
    ASSERT_EQ(back.Count(), 2);
    EXPECT_EQ(back.Get(1), nullptr);
    ASSERT_NE(back.Get(2), nullptr);
    EXPECT_EQ(back.Get(2)->Number, 2);
    // A truncated list throws and keeps what the list held.
    TValue_Reader truncated(writer.Bytes().substr(0, writer.Bytes().size() - 3));
    EXPECT_THROW(back.Load(truncated), TStream_Error);
    EXPECT_EQ(back.Count(), 2);
    ASSERT_NE(back.Get(2), nullptr);
    // A copy is deep.
    TItem_List copy = back;
    copy.Get(2)->Name = "changed";
    EXPECT_EQ(back.Get(2)->Name, "");
}

TEST(Item_Collection, RenumberFollowsTheNewNumbersOnce) {
    TItem_Collection c;
    c.Add(5);
    c.Add(7);
    c.Add(9);
    c.Renumber({5, 7}, {7, 12});
    EXPECT_EQ(c.Numbers(), (std::vector<uint16_t>{7, 12, 9}));
}

} // namespace
