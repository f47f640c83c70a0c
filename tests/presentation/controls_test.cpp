// Buttons, toggles, lists, the edit field and the message box.

#include <gtest/gtest.h>

#include "presentation/buttons.h"
#include "presentation/dlg_message.h"
#include "presentation/edit_text.h"
#include "presentation/graphics.h"
#include "presentation/list_control.h"
#include "presentation/ui_hooks.h"
#include "support/fake_services.h"

namespace {

struct TPanel_Recorder : TDescription_Panel {
    std::vector<int> subjects;
    void Set_Subject(int id) override { subjects.push_back(id); }
};

class Controls : public ::testing::Test {
  protected:
    void SetUp() override {
        fg_vbinit();
        ASSERT_EQ(fg_vballoc(800, 600), Workspace_Buffer);
    }
    void TearDown() override {
        for (int s = 1; s <= Button_Image_Sets; ++s)
            Set_Button_Strip(s, -1);
        Graphics_Shutdown();
    }
    static TColour pixel(int x, int y) {
        return Buffer_Of(Workspace_Buffer)->pixels[size_t(y) * 800 + size_t(x)];
    }
    TSound_Recorder sound;
    TPanel_Recorder panel;
    TScoped_Services use{{.Sound = &sound, .Description = &panel}};
};

// A root that remembers the names of the children that closed.
struct TRoot : TDisplay_Class {
    TRoot() {
        Set_Bounds("Main Window", 0, 0, 800, 600, false);
        Set_Visible(true);
    }
    void Kill_Child_Control(const std::string& name) override { killed.push_back(name); }
    std::vector<std::string> killed;
};

void click(TDisplay_Class& root, int x, int y) {
    root.Dispatch_MouseMove(0, x, y);
    root.Dispatch_MouseDown(mbLeft, 0, x, y);
    root.Dispatch_MouseUp(mbLeft, 0, false, x, y);
}

TEST_F(Controls, ButtonShowsTheRowOfItsStateAndClicksOnlyWhenReleasedOnIt) {
    // Image set 1 (23 x 23): column 1's rows in four colours, black corner transparent.
    const int strip = fg_vballoc(230, 92);
    fg_vbopen(strip);
    for (int row = 0; row < 4; ++row) {
        Set_Colour(Colour_RGB(10 + row, 0, 0));
        Fill_Rect(23, 45, row * 23, row * 23 + 22);
        Set_Colour(0);
        Set_Pixel(23, row * 23);
    }
    Set_Button_Strip(1, strip);

    TRoot root;
    auto* button = &root.Make_Child<TDC_Button>();
    button->Set_Image_Set(1);
    button->f_Image_Index = 1;
    EXPECT_EQ(button->f_Width, 23);
    button->Set_Position("OK", 100, 100, false);
    button->Set_Visible(true);
    button->f_Description_Id = 7;
    std::vector<std::string> clicked;
    button->OnClick = [&](const std::string& name) { clicked.push_back(name); };

    auto drawn_row = [&] {
        fg_vbopen(Workspace_Buffer);
        Set_Colour(Colour_RGB(0, 0, 99));
        Clear_Buffer();
        root.Dispatch_Draw(Workspace_Buffer);
        EXPECT_EQ(pixel(100, 100), Colour_RGB(0, 0, 99)); // transparent corner
        EXPECT_EQ(pixel(123, 100), Colour_RGB(0, 0, 99)); // one past the cell
        return Red_Of(pixel(122, 122)) - 10;
    };
    EXPECT_EQ(drawn_row(), 0);
    root.Dispatch_MouseMove(0, 110, 110);
    EXPECT_EQ(drawn_row(), 1);
    EXPECT_EQ(panel.subjects, std::vector<int>{7}); // the hovered button is described
    root.Dispatch_MouseDown(mbLeft, 0, 110, 110);
    EXPECT_EQ(drawn_row(), 2);
    // Released elsewhere: no click, and the button is no longer pressed.
    root.Dispatch_MouseUp(mbLeft, 0, false, 300, 300);
    EXPECT_TRUE(clicked.empty());
    EXPECT_EQ(drawn_row(), 1);
    click(root, 123, 123); // the inclusive edge
    EXPECT_EQ(clicked, std::vector<std::string>{"OK"});
    EXPECT_EQ(sound.Waves(), std::vector<std::string>{"button.wav"});
    button->f_Enabled = false;
    EXPECT_EQ(drawn_row(), 3);
    click(root, 110, 110);
    EXPECT_EQ(clicked.size(), 1u);
}

TEST_F(Controls, ToggleFlipsOnAClickAndReportsIt) {
    TRoot root;
    auto* toggle = &root.Make_Child<TDC_Button_Toggle>();
    toggle->Set_Image_Set(1);
    toggle->Set_Toggle_Images(8, 9);
    EXPECT_FALSE(toggle->Get_On());
    EXPECT_EQ(toggle->f_Image_Index, 9);
    toggle->Set_Position("Opt 1", 10, 10, false);
    toggle->Set_Visible(true);
    bool seen = false;
    toggle->OnClick = [&](const std::string&) { seen = toggle->Get_On(); };
    click(root, 15, 15);
    EXPECT_TRUE(toggle->Get_On());
    EXPECT_TRUE(seen);
    click(root, 15, 15);
    EXPECT_FALSE(toggle->Get_On());
    toggle->Set_On(true);
    EXPECT_EQ(toggle->f_Image_Index, 8);
    toggle->f_Enabled = false;
    click(root, 15, 15);
    EXPECT_TRUE(toggle->Get_On());
}

TEST_F(Controls, ListPagesByWholePagesAndSelectsTheItemUnderThePointer) {
    TRoot root;
    auto* list = &root.Make_Child<TDC_List>();
    list->Set_Bounds("Topic List", 100, 100, 200, 64, true);
    EXPECT_FALSE(list->f_Modal);
    list->Set_Visible(true);
    for (int i = 1; i <= 8; ++i)
        list->Add_Item("Item " + std::to_string(i));
    EXPECT_EQ(list->Page(), 4);
    EXPECT_FALSE(list->f_Up_Button->f_Enabled);
    EXPECT_TRUE(list->f_Down_Button->f_Enabled);
    EXPECT_EQ(list->f_Down_Button->f_X, 280);
    EXPECT_EQ(list->f_Down_Button->f_Y, 134);
    std::vector<int> tops;
    for (int i = 0; i < 4; ++i) {
        tops.push_back(list->f_Top_Index);
        list->Page_Down();
    }
    // 8 items, page 4: pages start at 1, 5 and 9 (an empty last page), never beyond.
    EXPECT_EQ(tops, (std::vector<int>{1, 5, 9, 9}));
    EXPECT_FALSE(list->f_Down_Button->f_Enabled);
    list->Add_Item("Item 9");
    list->Add_Item("Item 10");
    list->Page_Down();
    EXPECT_EQ(list->f_Top_Index, 9);
    list->Page_Up();
    list->Page_Up();
    list->Page_Up();
    EXPECT_EQ(list->f_Top_Index, 1);

    // Clicking the down arrow pages; clicking a row selects it.
    click(root, 285, 140);
    EXPECT_EQ(list->f_Top_Index, 5);
    std::vector<int> selected;
    list->OnSelect = [&](const std::string&, int index) { selected.push_back(index); };
    click(root, 150, 100 + 16 + 3); // second row of the page starting at 5
    EXPECT_EQ(list->Get_Selected_Index(), 6);
    EXPECT_EQ(list->Get_Selected_Text(), "Item 6");
    EXPECT_EQ(selected, std::vector<int>{6});
    EXPECT_EQ(sound.Waves().back(), "item_sel.wav");
    EXPECT_EQ(list->f_Hover_Index, 6);
    list->Set_Top_Index(9);
    click(root, 150, 100 + 48 + 3); // row 4 of the last page holds nothing
    EXPECT_EQ(list->Get_Selected_Index(), 6);
    list->Set_Selected_Index(40);
    EXPECT_EQ(list->Get_Selected_Text(), "");
    root.Dispatch_Draw(Workspace_Buffer);

    // A zero line height is refused rather than divided by.
    list->f_Line_Height = 0;
    list->Page_Down();
    root.Dispatch_MouseMove(0, 150, 120);
    root.Dispatch_Draw(Workspace_Buffer);
}

TEST_F(Controls, EditFieldTypesLettersDigitsAndSymbols) {
    TDC_EditText edit;
    auto type = [&](uint16_t key, TShift_State shift = 0) { edit.Handle_KeyDown(key, shift); };
    type(8);
    EXPECT_EQ(edit.f_Text, "");
    type('H', ssShift);
    type('I');
    type(' ');
    type('2', ssShift);
    type('7');
    type(188);
    type(190);
    type('0', ssShift);
    type(13);  // Enter: ignored
    type(112); // F1: ignored
    EXPECT_EQ(edit.f_Text, "Hi @7,.)");
    type(8);
    EXPECT_EQ(edit.f_Text, "Hi @7,.");
    edit.f_Enabled = false;
    type('X');
    EXPECT_EQ(edit.f_Text, "Hi @7,.");
}

TEST_F(Controls, MessageBoxClosesByItsButtonOrEscape) {
    TRoot root;
    TDC_Dlg_Message* box = &Show_Message_Dialog(root, "Message Dlg", "Title", "Some text");
    EXPECT_EQ(box->f_X, 245);
    EXPECT_EQ(box->f_Y, 193);
    EXPECT_TRUE(root.f_Has_Modal_Child);
    ASSERT_NE(box->Find_Child("Close Button"), nullptr);
    EXPECT_EQ(box->f_Close_Button->f_X, 245 + 255);
    root.Dispatch_Draw(Workspace_Buffer); // no picture here: drawn as a plain plate
    EXPECT_NE(pixel(250, 300), 0u);
    click(root, 245 + 260, 193 + 165);
    EXPECT_EQ(root.killed, std::vector<std::string>{"Message Dlg"});
    EXPECT_EQ(root.Child_Count(), 0);

    Show_Message_Dialog(root, "General Message", "T", "x");
    uint16_t key = 'A';
    root.Dispatch_KeyDown(key, 0);
    EXPECT_EQ(root.Child_Count(), 1);
    key = 27;
    root.Dispatch_KeyDown(key, 0);
    EXPECT_EQ(root.killed.back(), "General Message");
    EXPECT_EQ(root.Child_Count(), 0);
}

} // namespace
