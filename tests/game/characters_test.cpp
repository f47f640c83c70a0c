#include <gtest/gtest.h>

#include "game/game_support.h"
#include "platform/files.h"
#include "rules/inventory.h"
#include "shell/value_stream.h"

namespace {

class Characters : public ::testing::Test {
  protected:
    TTest_Game game;
    std::string file() const { return game.Dir.Path() + "Characters\\Aldric.dat"; }
};

TEST_F(Characters, AnExportedCharacterComesBackWithItsItemsRenumbered) {
    game.Player_Creature().Character_State = 1; // in a module
    ASSERT_TRUE(Export_Character(game.Player_Creature(), game.Map->Item_List, true));
    EXPECT_EQ(game.Display.Messages.back(),
              "Character Exported: Your character has been exported successfully.");
    EXPECT_EQ(game.Player_Creature().Character_State, 1); // only the file says available

    // Loaded into a level whose list already holds items: they get new numbers.
    auto other = std::make_unique<TWriteable_Map>();
    for (int i = 0; i < 5; ++i)
        other->Item_List.Add(TTest_Game::Named_Item("Rock"));
    TMonster loaded;
    ASSERT_TRUE(Load_Character(loaded, other->Item_List, file()));
    EXPECT_EQ(loaded.Name, "Aldric");
    EXPECT_EQ(loaded.Character_State, 0);
    EXPECT_EQ(loaded.Experience, 1234);
    EXPECT_EQ(loaded.Inventory.Count(), 2);
    const TItem* sword = loaded.Inventory.Get_In_Slot(6, other->Item_List);
    const TItem* potion = loaded.Inventory.Get_In_Slot(12, other->Item_List);
    ASSERT_TRUE(sword && potion);
    EXPECT_EQ(sword->Name, "Sword");
    EXPECT_EQ(sword->Number, 6);
    EXPECT_EQ(potion->Name, "Potion");
    EXPECT_EQ(potion->Number, 7);
    EXPECT_EQ(other->Item_List.Count(), 7);
}

// A character file written by hand with one carried item in the given slot.
void write_character(const std::string& path, uint16_t slot) {
    TValue_Writer w;
    w.Write_String("1.06");
    TMonster c;
    c.Name = "Broken";
    c.Save(w);
    w.Write_Word(1);
    w.Write_Word(slot);
    TTest_Game::Named_Item("Axe").Save(w);
    ASSERT_TRUE(w.Save_To_File(path));
}

TEST_F(Characters, ADamagedCharacterFileAddsNothing) {
    TMonster creature;
    creature.Name = "Untouched";
    const int32_t items_before = game.Map->Item_List.Count();
    const std::string path = game.Dir.Path() + "bad.dat";
    for (uint16_t slot : {0, 95}) {
        write_character(path, slot);
        EXPECT_FALSE(Load_Character(creature, game.Map->Item_List, path));
        EXPECT_EQ(game.Display.Messages.back(),
                  "Error: Unable to load character file \"" + path + "\".");
    }
    write_character(path, 11);
    std::string bytes;
    Read_Whole_File(path, bytes);
    Write_File_Atomic(path, bytes.substr(0, bytes.size() - 3)); // the item cut short
    EXPECT_FALSE(Load_Character(creature, game.Map->Item_List, path));
    EXPECT_EQ(creature.Name, "Untouched");
    EXPECT_EQ(game.Map->Item_List.Count(), items_before);

    write_character(path, 11);
    ASSERT_TRUE(Load_Character(creature, game.Map->Item_List, path));
    EXPECT_EQ(creature.Inventory.Get_In_Slot(11, game.Map->Item_List)->Name, "Axe");
}

TEST_F(Characters, ANameThatIsNoFileNameIsNotExported) {
    for (const std::string& name :
         std::vector<std::string>{"..\\..\\x", "a/b", "", "   ", std::string(300, 'n')}) {
        game.Player_Creature().Name = name;
        game.Display.Messages.clear();
        EXPECT_FALSE(Export_Character(game.Player_Creature(), game.Map->Item_List, true));
        ASSERT_EQ(game.Display.Messages.size(), 1u); // no "exported successfully"
        EXPECT_EQ(game.Display.Messages[0].rfind("Error: Unable to save character file", 0), 0u);
    }
    EXPECT_TRUE(List_Files(game.Dir.Path()).empty());
    EXPECT_TRUE(List_Files(game.Dir.Path() + "Characters").empty());
}

} // namespace
