#include <gtest/gtest.h>

#include "rules/effect_list.h"
#include "rules/natural_attacks.h"
#include "rules_support.h"
#include "shell/random.h"
#include "shell/value_stream.h"

namespace {

TEST(Effect_Text, SignIsAddedOnlyWhenAskedFor) {
    EXPECT_EQ(Effect_Text(2, 5, 0, false), "5 To Attack Ability");
    EXPECT_EQ(Effect_Text(2, 5, 0, true), "+5 To Attack Ability");
    EXPECT_EQ(Effect_Text(13, 2, 6, false), " 2 - 6 Fire Damage");
    EXPECT_EQ(Effect_Text(13, 2, 6, true), "+ 2 - 6 Fire Damage");
    EXPECT_EQ(Effect_Text(67, 3, 9, true), "+ 3 - 9 Damage To Undead");
    // Texts with a fixed sign or none ignore the request.
    EXPECT_EQ(Effect_Text(74, 4, 0, true), "-4 To Attack Ability");
    EXPECT_EQ(Effect_Text(60, 7, 0, false), "+7 To Hunger");
    EXPECT_EQ(Effect_Text(20, 7, 0, true), "7% Life Stolen Per Hit");
}

TEST(Effect_Text, EveryKindOfTextIsWordedExactly) {
    EXPECT_EQ(Effect_Text(1, 25, 0, true), "Target's Defense Reduced By 25% For Attack");
    EXPECT_EQ(Effect_Text(6, 2, 0, false), "2 Constitution");
    EXPECT_EQ(Effect_Text(19, 3, 0, false), "Replenish Life +3%");
    EXPECT_EQ(Effect_Text(43, 4, 0, false), "Poison Length Reduced By 4 seconds");
    EXPECT_EQ(Effect_Text(50, 1, 1, true), "Allows A One-Handed Weapon In Each Hand");
    EXPECT_EQ(Effect_Text(59, 8, 0, false), "Detect Monsters At 8 yards");
    EXPECT_EQ(Effect_Text(72, 5, 0, false), "Teleport 5 yards away");
    EXPECT_EQ(Effect_Text(77, 5, 0, true), "-5% Damage");
    EXPECT_EQ(Effect_Text(40, 5, 0, true), "");
    // A damaged save may hold a type beyond the table: no text, no fault.
    EXPECT_EQ(Effect_Text(0, 5, 0, true), "");
    EXPECT_EQ(Effect_Text(200, 5, 0, true), "");
}

TEST(Effect_List, TotalsCountMinimaOfTheAskedType) {
    TEffect_List list;
    list.Add_Effect(TEffect_Type::Strength, 2, 9);
    list.Add_Effect(TEffect_Type::Dexterity, 4, 0);
    list.Add_Effect(TEffect_Type::Strength, 3, 0);
    list.Add_Effect(200, 50, 50);
    EXPECT_EQ(list.Get_Total(TEffect_Type::Strength), 5);
    EXPECT_TRUE(list.Has_Effect(TEffect_Type::Dexterity));
    EXPECT_FALSE(list.Has_Effect(TEffect_Type::Life));
    list.Delete_Effect(1);
    EXPECT_EQ(list.Get_Total(TEffect_Type::Strength), 3);
    list.Set_Amounts(9, 1, 1); // outside: nothing happens
    EXPECT_EQ(list.Count(), 3);
}

TEST(Effect_List, MainDamageTypeIsTheLargestMaximumFirstOnATie) {
    TEffect_List list;
    EXPECT_EQ(list.Get_Main_Damage_Type(), 0);
    list.Add_Effect(TEffect_Type::Strength, 1, 99);
    list.Add_Effect(TEffect_Type::Cold_Damage, 1, 6);
    list.Add_Effect(TEffect_Type::Fire_Damage, 1, 8);
    list.Add_Effect(TEffect_Type::Poison_Damage, 1, 8);
    EXPECT_EQ(list.Get_Main_Damage_Type(), 13);
    list.Add_Effect(TEffect_Type::Dispel_Undead, 1, 20);
    EXPECT_EQ(list.Get_Main_Damage_Type(), 67);
    // Dispel Undead is not one of the largest-damage types.
    EXPECT_EQ(list.Get_Largest_Damage(), 8);
}

TEST(Roll_Amounts, OrdinaryEffectsRollOneAmountInTheirRange) {
    TEffect_List list;
    list.Add_Effect(TEffect_Type::Strength, 3, 8);
    list.Add_Effect(TEffect_Type::Life, 5, 0); // reversed: always the minimum
    Set_Random_Seed(7);
    bool saw_low = false, saw_high = false;
    for (int n = 0; n < 400; ++n) {
        const auto [first, second] = list.Roll_Amounts(1);
        ASSERT_GE(first, 3);
        ASSERT_LE(first, 8);
        EXPECT_EQ(second, 0);
        saw_low |= first == 3;
        saw_high |= first == 8;
        EXPECT_EQ(list.Roll_Amounts(2).first, 5);
    }
    EXPECT_TRUE(saw_low && saw_high);
}

TEST(Roll_Amounts, RangeDamageSpreadsBothEndsByTheVariance) {
    TEffect_List list;
    list.Add_Effect(TEffect_Type::Fire_Damage, 3, 8, 2);
    list.Add_Effect(TEffect_Type::Cold_Damage, 1, 2, 5);
    list.Add_Effect(TEffect_Type::Magic_Damage, 4, 6, 0);
    Set_Random_Seed(11);
    int lowest = 99, highest = 0;
    for (int n = 0; n < 500; ++n) {
        const auto [low, high] = list.Roll_Amounts(1);
        ASSERT_GE(low, 1);
        ASSERT_LE(low, 5);
        ASSERT_GE(high, std::max(6, low));
        ASSERT_LE(high, 10);
        lowest = std::min(lowest, low);
        highest = std::max(highest, high);
        const auto [cold_low, cold_high] = list.Roll_Amounts(2);
        ASSERT_GE(cold_low, 1); // never below 1
        ASSERT_GE(cold_high, cold_low);
        EXPECT_EQ(list.Roll_Amounts(3), std::make_pair(4, 6));
    }
    EXPECT_EQ(lowest, 1);
    EXPECT_EQ(highest, 10);
}

TEST(Effect_List_Loading, UnknownTypesAreReportedAndLeaveNoGap) {
    TMemory_Record record({{"W Number of Effects", "4"},
                           {"W Effect 1 Type", "Strength"},
                           {"W Effect 1 Min Amount", "1"},
                           {"W Effect 1 Max Amount", "2"},
                           {"W Effect 2 Type", "Fire Damage"},
                           {"W Effect 2 Min Amount", "3"},
                           {"W Effect 2 Max Amount", "6"},
                           {"W Effect 2 Damage Variance", "2"},
                           {"W Effect 3 Type", "strength"},
                           {"W Effect 4 Type", "Life"},
                           {"W Effect 4 Min Amount", "7"}});
    TEffect_List list;
    list.Load_From_Data_File(record, "W ");
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Get_Type(3), 17);
    EXPECT_EQ(list.Get_Min(3), 7);
    EXPECT_EQ(list.Get_Variance(2), 2);
    // The variance is optional; the other amounts are not.
    EXPECT_EQ(record.errors, (std::vector<std::string>{
                                 "Unknown value \"strength\" for W Effect 3 Type in record \"1\".",
                                 "Could not find field \"W Effect 4 Max Amount\" in record 1."}));
}

TEST(Effect_List_Saving, RoundTripKeepsAmountsAndDropsVariance) {
    TEffect_List list;
    list.Add_Effect(TEffect_Type::Fire_Damage, 2, 60000, 4);
    list.Add_Effect(TEffect_Type::Strength, -3, 0);
    TValue_Writer writer;
    list.Save(writer);
    TValue_Reader reader(writer.Bytes());
    TEffect_List back;
    back.Add_Effect(TEffect_Type::Life, 1, 1);
    back.Load(reader);
    ASSERT_EQ(back.Count(), 2);
    EXPECT_EQ(back.Get_Max(1), 60000);
    EXPECT_EQ(back.Get_Min(2), -3);
    EXPECT_EQ(back.Get_Variance(1), 0);
    EXPECT_TRUE(reader.At_End());

    // A damaged record whose lists differ in length does not load.
    TValue_Writer damaged;
    damaged.Write_Byte_List({49, 49});
    damaged.Write_Longint_List({1, 2});
    damaged.Write_Longint_List({1});
    TValue_Reader damaged_reader(damaged.Bytes());
    EXPECT_THROW(back.Load(damaged_reader), TStream_Error);
    EXPECT_EQ(back.Count(), 2);
}

TEST(Natural_Attacks, LoadReplacesHandsAndRoundTrips) {
    TNatural_Attacks attacks;
    attacks.Set_Default_Hands();
    ASSERT_EQ(attacks.Count(), 1);
    EXPECT_EQ(attacks.Get_Damage(1)->Get_Text(), "1 - 4");
    TMemory_Record none({{"Number of Natural Attacks", "0"}});
    attacks.Load_From_Data_File(none, "");
    EXPECT_EQ(attacks.Count(), 0);
    EXPECT_EQ(attacks.Get_Damage(1), nullptr);

    TMemory_Record bite({{"Number of Natural Attacks", "1"},
                         {"Natural Attack 1 Name", "Bite"},
                         {"Natural Attack 1 Chance To Use", "80"},
                         {"Natural Attack 1 Recharge Time", "300"},
                         {"Natural Attack 1 Damage Amount Min", "2"},
                         {"Natural Attack 1 Damage Amount Max", "5"},
                         {"Natural Attack 1 Damage Maximum Range", "1"},
                         {"Natural Attack 1 Damage Firing FX", "None"},
                         {"Natural Attack 1 Number of Effects", "1"},
                         {"Natural Attack 1 Effect 1 Type", "Poison Damage"},
                         {"Natural Attack 1 Effect 1 Min Amount", "1"},
                         {"Natural Attack 1 Effect 1 Max Amount", "3"}});
    attacks.Load_From_Data_File(bite, "");
    EXPECT_TRUE(bite.errors.empty());
    TValue_Writer writer;
    attacks.Save(writer);
    TValue_Reader reader(writer.Bytes());
    TNatural_Attacks back;
    back.Load(reader);
    ASSERT_EQ(back.Count(), 1);
    EXPECT_EQ(back.Get(1)->Name, "Bite");
    EXPECT_EQ(back.Get(1)->Chance_To_Use, 80);
    EXPECT_EQ(back.Get(1)->Recharge_Time, 300);
    EXPECT_EQ(back.Get_Damage(1)->Get_Text(), "2 - 5");
    EXPECT_EQ(back.Get(1)->Effects.Get_Effect_Text(1, false), " 1 - 3 Poison Damage");
}

} // namespace
