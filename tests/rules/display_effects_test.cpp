#include <gtest/gtest.h>

#include "datafiles/data_file_errors.h"
#include "rules/data_file_checks.h"
#include "rules/display_effects.h"
#include "rules/item_classes.h"
#include "rules_support.h"
#include "support/fake_services.h"
#include "support/temp_dir.h"

namespace {

class Display_Effects_File : public ::testing::Test {
  protected:
    void TearDown() override { Display_Effects.Clear(); }
    TTemp_Dir dir;
};

TEST_F(Display_Effects_File, EffectsAreNumberedAfterTheBitmapRecord) {
    const std::string path =
        dir.Write("Data/Effects.txt", Data_File_Text(Fixture_Records("display_effects.txt")));
    // Two bitmaps, then "Arrow" (Directional), "Blast" (Frames) and "Spark" (a bad type).
    const TData_File_Report report = Check_Display_Effects_File(path);
    EXPECT_EQ(report.Heading, "Display Effect Data File Errors: ");
    EXPECT_EQ(report.Errors,
              std::vector<std::string>{"Unknown value \"Sparkle\" for Type in record \"Spark\"."});
    ASSERT_EQ(Display_Effects.Count(), 3);
    EXPECT_EQ(Display_Effects.Bitmap_Names,
              (std::vector<std::string>{"missiles.bmp", "blasts.bmp"}));
    const TDisplay_Effect* blast = Display_Effects.Get(2);
    ASSERT_NE(blast, nullptr);
    EXPECT_EQ(blast->Number, 2);
    EXPECT_EQ(blast->Type, TAnimation_Kind::Frames);
    EXPECT_EQ(blast->Speed, 2);
    EXPECT_TRUE(blast->Damage_FX_At_End);
    EXPECT_EQ(Display_Effects.Find_Named("Blast"), 2);
    EXPECT_EQ(Display_Effects.Find_Named("blast"), 0);

    // An item class file checked next resolves its firing effects against them.
    const std::string items =
        dir.Write("Tiles/Items.txt",
                  Data_File_Text({{"Item Base Gold Value Mod Per Level Add Percent := 0"},
                                  {"Name := Bow", "Damage Firing FX := Arrow", "Type := Bow"}}));
    TItem_Class_List list;
    list.Read_Item_Classes(items);
    ASSERT_NE(list.Get(1), nullptr);
    EXPECT_EQ(list.Get(1)->Damage.Firing_FX, 1);
}

TEST_F(Display_Effects_File, TheStartUpLoadShowsItsErrorsOnce) {
    TMessages_Recorder shown;
    const TScoped_Services use({.Messages = &shown});
    const std::string missing = dir.Path() + "Data/Effects.txt";
    EXPECT_FALSE(Load_Display_Effects_File(missing));
    TItem_Class_List list;
    EXPECT_FALSE(list.Load_Item_Classes(dir.Path() + "x.txt"));
    ASSERT_EQ(shown.Error_Lists.size(), 2u);
    EXPECT_EQ(shown.Error_Lists[0].Heading + shown.Error_Lists[0].File,
              "Display Effect Data File Errors: " + missing);
    EXPECT_EQ(shown.Error_Lists[0].Messages.size(), 1u);
    EXPECT_EQ(shown.Error_Lists[1].Heading + shown.Error_Lists[1].File,
              "Item Class Data File Errors: " + dir.Path() + "x.txt");
}

} // namespace
