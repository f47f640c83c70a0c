#include <gtest/gtest.h>

#include "shell/enums.h"

TEST(Enums, NamesAreTheDataFileTexts) {
    EXPECT_EQ(Item_Type_Name(TItem_Type::None), "None");
    EXPECT_EQ(Item_Type_Name(TItem_Type::Orb), "Orb");
    EXPECT_EQ(Item_Type_Name(static_cast<TItem_Type>(24)), "");
    EXPECT_EQ(Retreat_When_Name(TRetreat_When::When_lightly_hurt), "When lightly hurt");
    EXPECT_EQ(Movement_Strategy_Name(static_cast<TMovement_Strategy>(0)), "None");
    EXPECT_EQ(Movement_Strategy_Name(static_cast<TMovement_Strategy>(1)), "None");
    EXPECT_EQ(Movement_Strategy_Name(TMovement_Strategy::Anchored_10_Squares),
              "Anchored 10 Squares");
    EXPECT_EQ(static_cast<int>(TMovement_Strategy::Anchored_10_Squares), 13);
    EXPECT_EQ(Connection_Type_Name(static_cast<TConnection_Type>(0)), "");
    EXPECT_EQ(Connection_Type_Name(TConnection_Type::One_Way_Only), "One Way Only");
    EXPECT_EQ(Consumption_Type_Name(TConsumption_Type::Permanent_Constitution),
              "Permanent Constitution");
    EXPECT_EQ(Corpse_Type_Name(TCorpse_Type::Huge_Corpse), "Huge Corpse");
    EXPECT_EQ(Quest_Action_Name(TQuest_Action::Play_Music), "Play Music");
    EXPECT_EQ(Quest_Trigger_Name(TQuest_Trigger::Monster_Talked_To_About_Topic),
              "Monster Talked To About Topic");
    EXPECT_EQ(Effect_Target_Name(static_cast<TEffect_Target>(1)), "None");
    EXPECT_EQ(Effect_Target_Name(TEffect_Target::Monster_Area), "Monster Area");
    EXPECT_EQ(Amount_Kind_Name(TAmount_Kind::Percent), "Percent");
    EXPECT_EQ(Modifier_Position_Name(TModifier_Position::Suffix), "Suffix");
    EXPECT_EQ(Animation_Kind_Name(TAnimation_Kind::Frames), "Frames");
    EXPECT_EQ(Intelligence_Category_Name(TIntelligence_Category::Expert), "Expert");
    EXPECT_EQ(Monster_Status_Name(TMonster_Status::Sleeping), "Sleeping");
    EXPECT_EQ(Response_Range_Name(TResponse_Range::Point_Blank), "Point Blank");
}

TEST(Enums, EffectTypesAreNumberedFromOne) {
    EXPECT_EQ(Effect_Type_Last, 77);
    EXPECT_EQ(Effect_Type_Name(static_cast<TEffect_Type>(0)), "");
    EXPECT_EQ(Effect_Type_Name(static_cast<TEffect_Type>(1)), "Attack Ignores Targets Defense");
    EXPECT_EQ(Effect_Type_Name(static_cast<TEffect_Type>(21)), "Light Radius");
    EXPECT_EQ(Effect_Type_Name(static_cast<TEffect_Type>(50)), "Two Weapons");
    EXPECT_EQ(Effect_Type_Name(static_cast<TEffect_Type>(69)), "Hunger");
    EXPECT_EQ(Effect_Type_Name(static_cast<TEffect_Type>(77)), "Reduce Damage");
    EXPECT_EQ(Effect_Type_Name(static_cast<TEffect_Type>(78)), "");
    // Every effect has a distinct, non-empty name: a lookup finds each one back.
    for (int i = 1; i <= Effect_Type_Last; ++i) {
        TEffect_Type found{};
        ASSERT_TRUE(Find_Enum_Value(Effect_Type_Name(static_cast<TEffect_Type>(i)), found)) << i;
        EXPECT_EQ(static_cast<int>(found), i);
    }
}

TEST(Enums, LookupMatchesWholeTextExactly) {
    TConnection_Type connection = TConnection_Type::One_Way_Only;
    EXPECT_TRUE(Find_Enum_Value("Two Way - Always", connection));
    EXPECT_EQ(connection, TConnection_Type::Two_Way_Always);
    EXPECT_FALSE(Find_Enum_Value("Two way - always", connection)); // case counts
    EXPECT_FALSE(Find_Enum_Value("Two Way - Always ", connection));
    EXPECT_FALSE(Find_Enum_Value("Two Way", connection));
    EXPECT_FALSE(Find_Enum_Value("", connection));           // value 0 has no name to match
    EXPECT_EQ(connection, TConnection_Type::Two_Way_Always); // untouched on failure

    TMovement_Strategy strategy = TMovement_Strategy::Hunt;
    EXPECT_TRUE(Find_Enum_Value("None", strategy));
    EXPECT_EQ(static_cast<int>(strategy), 0);
    TItem_Type type = TItem_Type::None;
    EXPECT_TRUE(Find_Enum_Value("Glyph", type));
    EXPECT_EQ(type, TItem_Type::Glyph);
}
