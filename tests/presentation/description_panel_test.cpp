// The description panel's lines for each kind of subject, compared line by line with
// what the rules give, worked out by hand. The text is measured with the stand-in
// metrics (6 x 12 pixels a character), so every wrap and every y is known.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "presentation/description_panel.h"
#include "presentation/text.h"
#include "rules/class_info.h"
#include "rules/item.h"
#include "rules/monster.h"
#include "rules/spells.h"
#include "world/map.h"
#include "world/terrain.h"

namespace {

// "x,y colour text": colour w white, g grey, r red, p pink, G green, ? other.
std::vector<std::string> Lines(const TDescription& d) {
    std::vector<std::string> out;
    for (const TDescription_Line& l : d.Lines) {
        char colour = '?';
        if (l.Colour == Colour_RGB(255, 255, 255))
            colour = 'w';
        else if (l.Colour == Colour_RGB(150, 150, 150))
            colour = 'g';
        else if (l.Colour == Colour_RGB(255, 0, 0))
            colour = 'r';
        else if (l.Colour == Colour_RGB(255, 0, 255))
            colour = 'p';
        out.push_back(std::to_string(l.X) + "," + std::to_string(l.Y) + " " + colour + " " +
                      l.Text);
    }
    return out;
}

class Description_Panel_Test : public ::testing::Test {
  protected:
    void SetUp() override {
        Free_Fonts(); // the stand-in metrics
        Master_Spells.Clear();
        Class_Infos.Clear();
        TClass_Info fighter;
        fighter.Class_Name = "Fighter";
        fighter.Spells.push_back({"Battle Focus", 1, 6, 0});
        Class_Infos.Add(fighter);
        TMonster hero;
        hero.Name = "Aldric";
        hero.Class_Number = 1;
        hero.Level = 4;
        hero.Strength = hero.Base_Strength = 12;
        hero.Health = hero.Maximum_Health = 30;
        player_ = map_.Monster_List.Get(map_.Monster_List.Add(hero));
    }
    void TearDown() override {
        Master_Spells.Clear();
        Class_Infos.Clear();
    }

    TDescription Describe_Item(const TItem& item, const TPrice_Display& prices = {}) {
        TDescription_Subject subject;
        subject.Kind = TSubject_Kind::Item;
        subject.Item = Item_Ref(map_.Item_List, map_.Item_List.Add(item));
        return Describe_Subject(subject, prices, &map_, player_);
    }
    TDescription Describe(TSubject_Kind kind, int32_t n, int32_t y = 0) {
        TDescription_Subject subject;
        subject.Kind = kind;
        subject.Spell = subject.Topic = subject.X = n;
        subject.Y = y;
        return Describe_Subject(subject, {}, &map_, player_);
    }

    TWriteable_Map map_;
    TMonster* player_ = nullptr;
};

TEST_F(Description_Panel_Test, WeaponsShowValueDamageWeightAndTheirEffectsInTheRulesWords) {
    TItem sword;
    sword.Name = "Short Sword";
    sword.Gold_Value = 1250;
    sword.Damage.Set_Damage(2, 6, 0, 1);
    sword.Weight = 5;
    EXPECT_EQ(Lines(Describe_Item(sword)),
              (std::vector<std::string>{"565,24 w Short Sword", "565,45 w Value", "680,45 w 1,250",
                                        "565,61 w Damage", "680,61 w 2 - 6", "565,77 w Weight",
                                        "680,77 w 5"}));

    // Two modifiers' effects; a title longer than a line wraps under itself.
    TItem magic = sword;
    magic.Name = "Gleaming Short Sword of the Mountain Bear";
    magic.Effects.Add_Effect(TEffect_Type::Attack_Ability, 10, 10);
    magic.Effects.Add_Effect(TEffect_Type::Strength, 3, 3);
    const TDescription d = Describe_Item(magic);
    EXPECT_EQ(Lines(d), (std::vector<std::string>{
                            "565,24 w Gleaming Short Sword of the Mountain", "565,36 w Bear",
                            "565,57 w Value", "680,57 w 1,250", "565,73 w Damage", "680,73 w 2 - 6",
                            "565,89 w Weight", "680,89 w 5", "565,105 w +10 To Attack Ability",
                            "565,121 w +3 Strength"}));
    EXPECT_EQ(d.Picture, TDescription_Picture::Item);
    EXPECT_FALSE(d.Extended);

    // A unique two-handed staff: its unmet requirement in red, the met one in white.
    TItem staff;
    staff.Name = "Ilsabet's Staff";
    staff.Description = "A bell-rope staff.";
    staff.Gold_Value = 900;
    staff.Defense = 4;
    staff.Weight = 7;
    staff.Hands_Required = 2;
    staff.Requirements.Add_Requirement(1, 5, 1, 0);  // level 5: the hero is 4
    staff.Requirements.Add_Requirement(3, 10, 1, 0); // strength 10: the hero has 12
    EXPECT_EQ(
        Lines(Describe_Item(staff)),
        (std::vector<std::string>{
            "565,24 w Ilsabet's Staff", "565,36 g A bell-rope staff.", "565,57 w Value",
            "680,57 w 900", "565,73 w Defense Ability", "680,73 w 4", "565,89 w Weight",
            "680,89 w 7", "565,105 w Requirement", "680,105 w Two Handed", "565,121 r Requirement",
            "680,121 r Level 5", "565,137 w Requirement", "680,137 w Strength of 10"}));

    // Enough effects to pass y 170 lengthen the panel.
    for (int k = 0; k < 6; ++k)
        magic.Effects.Add_Effect(TEffect_Type::Strength, 1, 1);
    EXPECT_TRUE(Describe_Item(magic).Extended);
}

TEST_F(Description_Panel_Test, APotionInAStoreShowsWhatTheCharacterPaysOrIsPaid) {
    TItem potion;
    potion.Name = "Healing Potion";
    potion.Item_Type = static_cast<uint8_t>(TItem_Type::Potion);
    potion.Gold_Value = 40;
    potion.Weight = 1;
    potion.Consumption_Type = 2;
    potion.Consumption_Value = 20;
    TPrice_Display buying{true, true, false, 150, 50};
    EXPECT_EQ(
        Lines(Describe_Item(potion, buying)),
        (std::vector<std::string>{"565,24 w Healing Potion", "565,45 w Cost", "680,45 w 60",
                                  "565,61 w Weight", "680,61 w 1", "565,77 p +20 to Health"}));
    TPrice_Display selling{true, false, true, 150, 50};
    const std::vector<std::string> sold = Lines(Describe_Item(potion, selling));
    ASSERT_GE(sold.size(), 3u);
    EXPECT_EQ(sold[1], "565,45 w Sell Value");
    EXPECT_EQ(sold[2], "680,45 w 20");
    // Without a store, the value itself; a cure shows its own line.
    potion.Consumption_Type = 4;
    const std::vector<std::string> plain = Lines(Describe_Item(potion));
    EXPECT_EQ(plain[1], "565,45 w Value");
    EXPECT_EQ(plain.back(), "565,77 p Cure Poison");
}

TEST_F(Description_Panel_Test, CreaturesShowLevelHealthBarAndCondition) {
    TMonster ghoul;
    ghoul.Name = "Ghoul";
    ghoul.Level = 3;
    ghoul.Health = 25.7;
    ghoul.Maximum_Health = 50;
    ghoul.Condition = 2;
    TDescription_Subject subject;
    subject.Kind = TSubject_Kind::Creature;
    subject.Creature = Creature_Ref(map_.Monster_List, map_.Monster_List.Add(ghoul));
    TDescription d = Describe_Subject(subject, {}, &map_, player_);
    EXPECT_EQ(Lines(d), (std::vector<std::string>{"575,24 w Ghoul", "607,45 w Level 3",
                                                  "625,63 w 25 / 50", "575,84 p Poisoned"}));
    EXPECT_TRUE(d.Lines[2].Centred);
    EXPECT_EQ(d.Bar_Width, 50) << "50.5 with the fraction dropped";

    // A maximum of 0 draws an empty bar; negative health draws nothing either.
    TMonster* c = subject.Creature.Resolve(map_.Monster_List);
    c->Maximum_Health = 0;
    EXPECT_EQ(Describe_Subject(subject, {}, &map_, player_).Bar_Width, 0);
    c->Maximum_Health = 50;
    c->Health = -3;
    EXPECT_EQ(Describe_Subject(subject, {}, &map_, player_).Bar_Width, 0);

    // Gone: nothing at all, even when a new creature takes its number.
    map_.Monster_List.Mark_Dead(*c);
    map_.Monster_List.Remove_Dead();
    map_.Monster_List.Add(ghoul);
    EXPECT_TRUE(Describe_Subject(subject, {}, &map_, player_).Empty());
}

TEST_F(Description_Panel_Test, ASquareIsNamedOnlyWhenLitWithItsLock) {
    TTerrain floor;
    floor.Name = "Mossy Flagstones";
    floor.ID = 1;
    map_.Get_Square(50, 60)->Terrain = map_.Terrains.Add_Terrain(floor);
    map_.Set_Lock("Iron", 50, 60, true);
    EXPECT_TRUE(Describe(TSubject_Kind::Square, 50, 60).Empty()) << "dark and never seen";
    map_.Universal_Light = true;
    EXPECT_EQ(Lines(Describe(TSubject_Kind::Square, 50, 60)),
              (std::vector<std::string>{"580,24 g Mossy Flagstones",
                                        "580,45 w Locked (Requires Iron Key)"}));
    EXPECT_TRUE(Describe(TSubject_Kind::Square, 0, 60).Empty()) << "off the map";
}

TEST_F(Description_Panel_Test, SpellsShowTheirLevelsCostAndEffectsAtTheKnownLevel) {
    TSpell focus;
    focus.Name = "Battle Focus";
    focus.Description = "Sharpens the mind.";
    focus.Mana_Cost = 5;
    focus.Mana_Cost_Per_Level = 2;
    focus.Target_Type = 3;
    focus.Effects.Add_Effect(TEffect_Type::Attack_Ability, 2, 2);
    focus.Growth_Types = {1};
    focus.Min_Growth = {1};
    focus.Max_Growth = {1};
    Master_Spells.Add(focus);
    // Not known: only the level it needs, in red.
    EXPECT_EQ(Lines(Describe(TSubject_Kind::Spell, 1)),
              (std::vector<std::string>{"565,24 w Battle Focus", "565,36 g Sharpens the mind.",
                                        "565,57 r Minimum Character Level", "680,57 r 6"}));
    player_->Spells.Learn(1, 1, 100);
    std::vector<std::string> first = Lines(Describe(TSubject_Kind::Spell, 1));
    first.erase(first.begin(), first.begin() + 4);
    EXPECT_EQ(first,
              (std::vector<std::string>{"565,73 w Spell Level", "680,73 w 1",
                                        "565,89 w Mana To Cast", "680,89 w 5", "565,105 w Target",
                                        "680,105 w Self", "565,121 w +3 To Attack Ability"}));
    player_->Spells.Learn(1, 3, 100);
    player_->Level = 6;
    EXPECT_EQ(Lines(Describe(TSubject_Kind::Spell, 1)),
              (std::vector<std::string>{"565,24 w Battle Focus", "565,36 g Sharpens the mind.",
                                        "565,57 w Spell Level", "680,57 w 3",
                                        "565,73 w Mana To Cast", "680,73 w 9", "565,89 w Target",
                                        "680,89 w Self", "565,105 w +5 To Attack Ability"}));
    EXPECT_TRUE(Describe(TSubject_Kind::Spell, 2).Empty()) << "no such spell";
}

TEST_F(Description_Panel_Test, HelpTopicsShowTitleTextAndTheButtonsHotkey) {
    TDescription menu = Describe(TSubject_Kind::Topic, 1);
    EXPECT_EQ(Lines(menu), (std::vector<std::string>{
                               "580,32 w Menu", "580,44 g Pressing this button will display",
                               "580,56 g the game menu.", "580,160 g (Hotkey G)"}));
    EXPECT_EQ(menu.Picture_X, 520);
    TDescription inventory = Describe(TSubject_Kind::Topic, 10);
    EXPECT_EQ(Lines(inventory),
              (std::vector<std::string>{
                  "565,32 w Show\\Hide Inventory", "565,44 g Pressing this button will show or",
                  "565,56 g hide your character's inventory.", "565,160 g (Hotkey I)"}));
    EXPECT_EQ(inventory.Picture_X, 540);
    TDescription health = Describe(TSubject_Kind::Topic, 28);
    EXPECT_EQ(Lines(health), (std::vector<std::string>{
                                 "565,32 w Health", "565,44 g Your character's total health.",
                                 "565,56 g When this reaches zero, you are", "565,68 g dead."}));
    EXPECT_EQ(health.Picture_X, 538);
    EXPECT_TRUE(Describe(TSubject_Kind::Topic, 33).Empty());
}

TEST_F(Description_Panel_Test, AnItemThatHasGoneDescribesNothing) {
    TItem potion;
    potion.Name = "Healing Potion";
    const uint16_t n = map_.Item_List.Add(potion);
    TDescription_Subject subject;
    subject.Kind = TSubject_Kind::Item;
    subject.Item = Item_Ref(map_.Item_List, n);
    ASSERT_FALSE(Describe_Subject(subject, {}, &map_, player_).Empty());
    map_.Item_List.Delete_Item(n);
    potion.Name = "Another";
    map_.Item_List.Add(potion); // takes the freed number
    EXPECT_TRUE(Describe_Subject(subject, {}, &map_, player_).Empty());
}

} // namespace
