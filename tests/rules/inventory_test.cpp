#include <gtest/gtest.h>

#include "rules/inventory.h"
#include "rules_support.h"
#include "shell/value_stream.h"
#include "support/fake_services.h"

namespace {

class Inventory : public ::testing::Test {
  protected:
    TItem_List items;
    TInventory inventory;
    TFake_Subject character;
    TSound_Recorder sound;
    TScoped_Services use{{.Sound = &sound}};

    uint16_t make(const std::string& name, TItem_Type type, uint16_t quantity = 0,
                  uint16_t maximum = 0) {
        TItem item;
        item.Name = name;
        item.Item_Type = static_cast<uint8_t>(type);
        item.Quantity = quantity;
        item.Maximum_Stacked = maximum;
        return items.Add(item);
    }
    uint16_t quantity_in(int32_t slot) { return inventory.Get_In_Slot(slot, items)->Quantity; }
};

TEST_F(Inventory, AStackTakesOnlyAWholeIncomingStack) {
    inventory.Put_In_Slot(make("Arrow", TItem_Type::Ammo, 17, 20), 11, items);
    const uint16_t five = make("Arrow", TItem_Type::Ammo, 5, 20);
    EXPECT_TRUE(inventory.Add_To_Backpack(five, items));
    EXPECT_EQ(inventory.Get_Number_In_Slot(12, items), five); // room 3 < 5
    const uint16_t three = make("Arrow", TItem_Type::Ammo, 3, 20);
    EXPECT_TRUE(inventory.Add_To_Backpack(three, items));
    EXPECT_EQ(quantity_in(11), 20);
    EXPECT_EQ(items.Get(three), nullptr); // merged away
}

TEST_F(Inventory, SingleItemsOfQuantityZeroCountAsOne) {
    inventory.Put_In_Slot(make("Potion", TItem_Type::Potion, 0, 10), 11, items);
    EXPECT_TRUE(inventory.Add_To_Backpack(make("Potion", TItem_Type::Potion, 0, 10), items));
    EXPECT_EQ(quantity_in(11), 2);
    EXPECT_EQ(inventory.Count(), 1);
    // A single arrow lying in place leaves room for 19, not 20.
    inventory.Put_In_Slot(make("Bolt", TItem_Type::Ammo, 0, 20), 12, items);
    const uint16_t twenty = make("Bolt", TItem_Type::Ammo, 20, 20);
    EXPECT_TRUE(inventory.Add_To_Backpack(twenty, items));
    EXPECT_EQ(quantity_in(12), 0);
    EXPECT_EQ(inventory.Get_Number_In_Slot(13, items), twenty);
}

TEST_F(Inventory, AFullBackpackRefusesAndChangesNothing) {
    for (int32_t slot = 11; slot <= 90; ++slot)
        inventory.Put_In_Slot(make("Rock " + std::to_string(slot), TItem_Type::Misc), slot, items);
    const uint16_t extra = make("Gem", TItem_Type::Treasure);
    EXPECT_FALSE(inventory.Can_Add_To_Backpack(extra, items));
    EXPECT_FALSE(inventory.Add_To_Backpack(extra, items));
    EXPECT_NE(items.Get(extra), nullptr);
    EXPECT_EQ(inventory.Count(), 80);
}

TEST_F(Inventory, EquippedMeansTheItemsLocationFitsItsSlot) {
    const uint16_t ring = make("Ring", TItem_Type::Ring);
    const uint16_t glyph = make("Glyph", TItem_Type::Glyph);
    const uint16_t bag_ring = make("Ring 2", TItem_Type::Ring);
    items.Get(ring)->Effects.Add_Effect(TEffect_Type::Strength, 2, 0);
    items.Get(glyph)->Effects.Add_Effect(TEffect_Type::Strength, 3, 0);
    items.Get(bag_ring)->Effects.Add_Effect(TEffect_Type::Strength, 100, 0);
    items.Get(ring)->Defense = 4;
    inventory.Put_In_Slot(ring, 9, items);
    inventory.Put_In_Slot(glyph, 40, items);
    inventory.Put_In_Slot(bag_ring, 11, items);
    EXPECT_EQ(inventory.Get_Effect_Total(TEffect_Type::Strength, items), 5);
    EXPECT_EQ(inventory.Get_Total_Defense(items), 4);
    TEffect_List list;
    inventory.Add_Equipped_Effects_To(list, items);
    EXPECT_EQ(list.Count(), 2);
}

TEST_F(Inventory, HandsHoldOneTwoHandedItemOrTwoOneHandedOnes) {
    const uint16_t bow = make("Bow", TItem_Type::Bow);
    items.Get(bow)->Hands_Required = 2;
    const uint16_t shield = make("Shield", TItem_Type::Shield);
    inventory.Put_In_Slot(shield, 7, items);
    EXPECT_FALSE(inventory.Can_Place_In_Slot(bow, 6, items, &character, false));
    inventory.Take_From_Slot(7, items);
    inventory.Put_In_Slot(bow, 6, items);
    EXPECT_FALSE(inventory.Can_Place_In_Slot(shield, 7, items, &character, false));
    EXPECT_TRUE(inventory.Can_Place_In_Slot(shield, 11, items, &character, false));
    EXPECT_FALSE(inventory.Can_Place_In_Slot(shield, 1, items, &character, false));

    inventory.Clear();
    const uint16_t sword = make("Sword", TItem_Type::Weapon);
    const uint16_t axe = make("Axe", TItem_Type::Weapon);
    inventory.Put_In_Slot(sword, 6, items);
    EXPECT_FALSE(inventory.Can_Place_In_Slot(axe, 7, items, &character, false));
    EXPECT_TRUE(inventory.Can_Place_In_Slot(axe, 7, items, &character, true));
    EXPECT_TRUE(inventory.Can_Place_In_Slot(shield, 7, items, &character, false));
}

TEST_F(Inventory, RequirementsCountOnlyWhereTheItemIsEquipped) {
    const uint16_t helm = make("Helm", TItem_Type::Helm);
    items.Get(helm)->Requirements.Add_Requirement(3, 20, 1, 0);
    EXPECT_FALSE(inventory.Can_Place_In_Slot(helm, 1, items, &character, false));
    EXPECT_TRUE(inventory.Can_Place_In_Slot(helm, 30, items, &character, false));
    character.strength = 20;
    EXPECT_TRUE(inventory.Can_Place_In_Slot(helm, 1, items, &character, false));
}

TEST_F(Inventory, DroppingStacksWhatFitsAndKeepsHoldingTheRest) {
    THeld_Item held;
    inventory.Put_In_Slot(make("Arrow", TItem_Type::Ammo, 18, 20), 11, items);
    const uint16_t five = make("Arrow", TItem_Type::Ammo, 5, 20);
    held.Hold(five);
    EXPECT_TRUE(Drop_Held_On_Slot(held, inventory, 11, items, &character, false));
    EXPECT_EQ(quantity_in(11), 20);
    EXPECT_EQ(held.Peek_Held(), five);
    EXPECT_EQ(items.Get(five)->Quantity, 3);
    EXPECT_TRUE(sound.Played.empty());
    // Into a free slot it is simply put down.
    EXPECT_TRUE(Drop_Held_On_Slot(held, inventory, 12, items, &character, false));
    EXPECT_FALSE(held.Is_Holding());
    EXPECT_EQ(sound.Waves(), std::vector<std::string>{"put_down.wav"});
}

TEST_F(Inventory, DroppingOnAnOccupiedSlotSwapsAndARefusalKeepsTheHold) {
    THeld_Item held;
    const uint16_t old_helm = make("Old Helm", TItem_Type::Helm);
    const uint16_t new_helm = make("New Helm", TItem_Type::Helm);
    inventory.Put_In_Slot(old_helm, 1, items);
    held.Hold(new_helm);
    EXPECT_TRUE(Drop_Held_On_Slot(held, inventory, 1, items, &character, false));
    EXPECT_EQ(inventory.Get_Number_In_Slot(1, items), new_helm);
    EXPECT_EQ(held.Peek_Held(), old_helm);
    EXPECT_FALSE(Drop_Held_On_Slot(held, inventory, 3, items, &character, false));
    EXPECT_EQ(held.Peek_Held(), old_helm);
    held.Take_Held();
    EXPECT_TRUE(Pick_Up_From_Slot(held, inventory, 1, items));
    EXPECT_EQ(held.Peek_Held(), new_helm);
    EXPECT_EQ(sound.Waves().back(), "pick_up.wav");
}

TEST_F(Inventory, KeysAmmunitionAndLightsAreUsedUpOneAtATime) {
    const uint16_t keys = make("Key", TItem_Type::Key, 2, 5);
    items.Get(keys)->Key_Group = "Crypt";
    inventory.Put_In_Slot(keys, 11, items);
    EXPECT_FALSE(inventory.Use_Key("", items));
    EXPECT_FALSE(inventory.Use_Key("crypt", items));
    EXPECT_TRUE(inventory.Use_Key("Crypt", items));
    EXPECT_EQ(items.Get(keys)->Quantity, 1);
    EXPECT_TRUE(inventory.Use_Key("Crypt", items));
    EXPECT_EQ(items.Get(keys), nullptr);
    EXPECT_EQ(inventory.Count(), 0);

    const uint16_t arrow = make("Arrow", TItem_Type::Ammo, 1, 20);
    items.Get(arrow)->Ammo_Kind = " Arrow ";
    items.Get(arrow)->Use_Sound_File = "twang.wav";
    inventory.Put_In_Slot(arrow, 12, items);
    EXPECT_TRUE(inventory.Has_Ammo("arrow", items));
    EXPECT_EQ(inventory.Get_Ammo_Sound("ARROW", items), "twang.wav");
    EXPECT_EQ(inventory.Use_Ammo("arrow", items), arrow);
    EXPECT_EQ(inventory.Count(), 0);
    EXPECT_NE(items.Get(arrow), nullptr); // the shot still reads it
    EXPECT_FALSE(inventory.Has_Ammo("arrow", items));

    const uint16_t torches = make("Torch", TItem_Type::Misc, 3, 5);
    items.Get(torches)->Light_Radius = 4;
    items.Get(torches)->Light_Turns = 1;
    inventory.Put_In_Slot(torches, 6, items);
    inventory.Burn_Lights(items);
    EXPECT_EQ(items.Get(torches)->Quantity, 2);
    const uint16_t lamp = make("Lamp", TItem_Type::Misc);
    items.Get(lamp)->Light_Radius = 2;
    items.Get(lamp)->Light_Turns = 1;
    inventory.Put_In_Slot(lamp, 7, items);
    inventory.Burn_Lights(items);
    EXPECT_EQ(items.Get(lamp), nullptr);
    EXPECT_EQ(inventory.Count(), 1);
}

TEST_F(Inventory, UsingAStackUsesOneItem) {
    TFake_Consumer consumer;
    THeld_Item held;
    const uint16_t potions = make("Healing", TItem_Type::Potion, 3, 10);
    items.Get(potions)->Consumption_Type = static_cast<uint8_t>(TConsumption_Type::Health);
    items.Get(potions)->Consumption_Value = 30;
    held.Hold(potions);
    EXPECT_TRUE(Use_Held_Item(held, items, consumer));
    EXPECT_EQ(consumer.health, 100);
    EXPECT_EQ(items.Get(potions)->Quantity, 2);
    EXPECT_EQ(held.Peek_Held(), potions);
    EXPECT_EQ(sound.Waves(), std::vector<std::string>{"drink.wav"});

    // Quick use drinks from the inventory; the last one leaves it.
    held.Take_Held();
    items.Get(potions)->Quantity = 1;
    inventory.Put_In_Slot(potions, 20, items);
    EXPECT_TRUE(Quick_Use(inventory, 2, items, consumer, {}));
    EXPECT_EQ(items.Get(potions), nullptr);
    EXPECT_EQ(inventory.Count(), 0);
    EXPECT_FALSE(Quick_Use(inventory, 2, items, consumer, {}));
    EXPECT_EQ(consumer.recomputed, 2);

    const uint16_t rock = make("Rock", TItem_Type::Misc);
    held.Hold(rock);
    EXPECT_FALSE(Use_Held_Item(held, items, consumer));
    EXPECT_EQ(held.Peek_Held(), rock);
}

TEST_F(Inventory, SaveAndLoadKeepEntriesAndSlotsParallel) {
    inventory.Put_In_Slot(make("A", TItem_Type::Helm), 1, items);
    inventory.Put_In_Slot(make("B", TItem_Type::Misc), 50, items);
    TValue_Writer writer;
    inventory.Save(writer);
    TValue_Reader reader(writer.Bytes());
    TInventory back;
    back.Load(reader);
    EXPECT_EQ(back.Get_Number_In_Slot(50, items), 2);
    EXPECT_EQ(back.Get_Slot(1), 1);
    // A damaged record (lists of different lengths, a slot beyond the backpack) fails
    // the load and leaves the inventory as it was.
    const std::vector<std::pair<std::vector<uint16_t>, std::vector<uint8_t>>> damaged = {
        {{1, 2, 3}, {1}}, {{1}, {1, 2}}, {{1}, {95}}, {{1}, {0}}};
    for (const auto& [numbers, slots] : damaged) {
        TValue_Writer writer_bad;
        writer_bad.Write_Word_List(numbers);
        writer_bad.Write_Byte_List(slots);
        TValue_Reader reader_bad(writer_bad.Bytes());
        EXPECT_THROW(back.Load(reader_bad), TStream_Error);
        EXPECT_EQ(back.Count(), 2);
        EXPECT_EQ(back.Get_Number_In_Slot(50, items), 2);
    }
    // A number added without a slot is not written, so the save still loads.
    back.Items.Add(1);
    TValue_Writer partial;
    back.Save(partial);
    TValue_Reader partial_reader(partial.Bytes());
    TInventory again;
    again.Load(partial_reader);
    EXPECT_EQ(again.Count(), 2);
}

} // namespace
