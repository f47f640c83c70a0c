// The control tree: hit testing, the dispatchers, modal children and the sweep.

#include <gtest/gtest.h>

#include "presentation/buttons.h"
#include "presentation/display_class.h"
#include "presentation/graphics.h"

namespace {

// A control that records what reached it.
class TProbe : public TDisplay_Class {
  public:
    TProbe(const std::string& name, int x, int y, int w, int h, bool modal = false) {
        Set_Bounds(name, x, y, w, h, modal);
        Set_Visible(true);
    }
    void Handle_MouseDown(TMouse_Button, TShift_State, int, int) override { ++downs; }
    void Handle_MouseUp(TMouse_Button, TShift_State, int, int, bool outside) override {
        ups += outside ? 0 : 1;
    }
    void Handle_KeyDown(uint16_t& key, TShift_State) override {
        keys.push_back(key);
        if (swallow_keys)
            f_Key_Handled = true;
    }
    void Handle_Draw(int) override { draw_order->push_back(f_Name); }
    void Kill_Child_Control(const std::string& name) override {
        killed.push_back(name);
        if (auto* child = dynamic_cast<TProbe*>(Find_Child(name))) {
            results.push_back(child->result);
            if (free_children)
                Free_Child(child);
        }
    }
    int downs = 0, ups = 0, result = 0;
    bool swallow_keys = false, free_children = true;
    std::vector<uint16_t> keys;
    std::vector<std::string> killed;
    std::vector<int> results;
    std::vector<std::string>* draw_order = &own_order;
    std::vector<std::string> own_order;
};

TProbe* add(TDisplay_Class& parent, TProbe* child) {
    parent.Add_Child_Control(child);
    return child;
}

TEST(Display_Class, HitTestIsInclusiveOnBothEdges) {
    TProbe c("C", 10, 10, 20, 20);
    EXPECT_TRUE(c.Contains(30, 30));
    EXPECT_TRUE(c.Contains(10, 10));
    EXPECT_FALSE(c.Contains(31, 30));
    EXPECT_FALSE(c.Contains(30, 31));
    EXPECT_FALSE(c.Contains(9, 15));
    c.Set_Visible(false);
    EXPECT_FALSE(c.Contains(15, 15));
}

TEST(Display_Class, APressReachesOnlyTheDeepestControlAndTheFirstOfOverlappingSiblings) {
    TProbe root("Main Window", 0, 0, 800, 600);
    TProbe* dialog = add(root, new TProbe("Dlg", 100, 100, 200, 200));
    TProbe* lower = add(*dialog, new TProbe("Lower", 120, 120, 50, 50));
    TProbe* upper = add(*dialog, new TProbe("Upper", 140, 140, 50, 50));
    root.Dispatch_MouseDown(mbLeft, 0, 150, 150);
    EXPECT_EQ(lower->downs, 1);
    EXPECT_EQ(upper->downs, 0);
    EXPECT_EQ(dialog->downs + root.downs, 0);
    EXPECT_TRUE(lower->f_Mouse_Down);
    // The release reaches every control; only the one under the pointer acts.
    root.Dispatch_MouseUp(mbLeft, 0, false, 150, 150);
    EXPECT_FALSE(lower->f_Mouse_Down);
    EXPECT_EQ(lower->ups, 1);
    EXPECT_EQ(dialog->ups + root.ups, 0);
    // Overlapping siblings both lie under the pointer, so both see a release inside.
    EXPECT_EQ(upper->ups, 1);
    root.Dispatch_MouseDown(mbLeft, 0, 250, 250);
    EXPECT_EQ(dialog->downs, 1);
    // Later children are drawn over earlier ones.
    std::vector<std::string> order;
    for (TProbe* p : {&root, dialog, lower, upper})
        p->draw_order = &order;
    upper->Set_Draw_Last(true);
    add(*dialog, new TProbe("Third", 0, 0, 1, 1))->draw_order = &order;
    root.Dispatch_Draw(0);
    EXPECT_EQ(order, (std::vector<std::string>{"Main Window", "Dlg", "Lower", "Third", "Upper"}));
}

TEST(Display_Class, ModalChildSwallowsClicksKeysAndHover) {
    TProbe root("Main Window", 0, 0, 800, 600);
    auto* button = new TDC_Button();
    int clicks = 0;
    button->Set_Bounds("Main Button", 10, 10, 40, 40, false);
    button->Set_Visible(true);
    button->OnClick = [&](const std::string&) { ++clicks; };
    root.Add_Child_Control(button);
    TProbe* plain = add(root, new TProbe("Panel", 300, 0, 100, 100));
    TProbe* modal = add(root, new TProbe("Dlg", 400, 300, 100, 100, true));
    TProbe* inner = add(*modal, new TProbe("Inner", 410, 310, 10, 10));
    EXPECT_TRUE(root.f_Has_Modal_Child);

    root.Dispatch_MouseMove(0, 20, 20);
    EXPECT_FALSE(button->f_Mouse_Over);
    root.Dispatch_MouseDown(mbLeft, 0, 20, 20);
    root.Dispatch_MouseUp(mbLeft, 0, false, 20, 20);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(button->f_Mouse_Down);
    EXPECT_EQ(root.downs, 0);

    uint16_t key = 'A';
    root.Dispatch_KeyDown(key, 0);
    EXPECT_TRUE(root.keys.empty());
    EXPECT_TRUE(plain->keys.empty());
    EXPECT_EQ(modal->keys, std::vector<uint16_t>{'A'});
    EXPECT_EQ(inner->keys, std::vector<uint16_t>{'A'});
    // A handler that keeps the key from its children.
    modal->swallow_keys = true;
    root.Dispatch_KeyDown(key, 0);
    EXPECT_EQ(inner->keys.size(), 1u);
    EXPECT_FALSE(modal->f_Key_Handled);

    // With the dialog gone, the button works again.
    modal->Set_Kill_Object(true);
    root.Dispatch_Draw(0);
    root.Dispatch_MouseMove(0, 20, 20);
    root.Dispatch_MouseDown(mbLeft, 0, 20, 20);
    EXPECT_EQ(root.Child_Count(), 2);
    EXPECT_FALSE(root.f_Has_Modal_Child);
    EXPECT_TRUE(button->f_Mouse_Down);
    root.Dispatch_MouseUp(mbLeft, 0, false, 20, 20);
    EXPECT_EQ(clicks, 1);
}

TEST(Display_Class, HoverFollowsThePointerAndLeavesWithIt) {
    TProbe root("Main Window", 0, 0, 800, 600);
    TProbe* dialog = add(root, new TProbe("Dlg", 100, 100, 100, 100));
    TProbe* item = add(*dialog, new TProbe("Item", 110, 110, 10, 10));
    root.Dispatch_MouseMove(0, 115, 115);
    EXPECT_TRUE(item->f_Mouse_Over);
    EXPECT_FALSE(dialog->f_Mouse_Over);
    root.Dispatch_MouseMove(0, 150, 150);
    EXPECT_FALSE(item->f_Mouse_Over);
    EXPECT_TRUE(dialog->f_Mouse_Over);
    // A jump straight out of the dialog clears its children too.
    root.Dispatch_MouseMove(0, 115, 115);
    root.Dispatch_MouseMove(0, 600, 500);
    EXPECT_FALSE(item->f_Mouse_Over);
    EXPECT_TRUE(root.f_Mouse_Over);
}

TEST(Display_Class, SweepHandsEveryKilledChildToItsOwnerOnce) {
    TProbe root("Main Window", 0, 0, 800, 600);
    TProbe* a = add(root, new TProbe("Dlg A", 0, 0, 10, 10));
    TProbe* keep = add(root, new TProbe("Keep", 0, 0, 10, 10));
    TProbe* b = add(root, new TProbe("Dlg B", 0, 0, 10, 10));
    a->result = 7;
    b->result = 9;
    a->Set_Kill_Object(true);
    b->Set_Kill_Object(true);
    root.Dispatch_Draw(0);
    EXPECT_EQ(root.killed, (std::vector<std::string>{"Dlg A", "Dlg B"}));
    EXPECT_EQ(root.results, (std::vector<int>{7, 9}));
    ASSERT_EQ(root.Child_Count(), 1);
    EXPECT_EQ(root.Child(1), keep);
    EXPECT_EQ(root.Child(2), nullptr);
    root.m_Delete_Child_Control(5); // outside 1..count: nothing
    EXPECT_EQ(root.Child_Count(), 1);

    // An owner that does not free the child: it leaves the list and is freed with
    // its parent (the sanitizer checks nothing leaks or is freed twice).
    root.free_children = false;
    keep->Set_Kill_Object(true);
    root.Dispatch_MouseMove(0, 1, 1);
    EXPECT_EQ(root.Child_Count(), 1); // moves do not sweep
    root.Dispatch_MouseDown(mbLeft, 0, 700, 500);
    EXPECT_EQ(root.Child_Count(), 0);
    EXPECT_EQ(root.killed.back(), "Keep");
}

TEST(Display_Class, DestroyingAControlTakesItOutOfItsParent) {
    TProbe root("Main Window", 0, 0, 800, 600);
    TProbe* a = add(root, new TProbe("A", 0, 0, 10, 10, true));
    add(*a, new TProbe("A1", 0, 0, 1, 1));
    TProbe* b = add(root, new TProbe("B", 0, 0, 10, 10));
    EXPECT_TRUE(root.f_Has_Modal_Child);
    delete a;
    EXPECT_EQ(root.Child_Count(), 1);
    EXPECT_EQ(root.Child(1), b);
    EXPECT_FALSE(root.f_Has_Modal_Child);
    TProbe stranger("S", 0, 0, 1, 1);
    root.Remove_Child_Control(&stranger);
    EXPECT_EQ(root.Child_Count(), 1);
    const int32_t before = Last_Control_ID();
    TProbe next("N", 0, 0, 1, 1);
    EXPECT_EQ(next.f_ID, before + 1);
}

TEST(Display_Class, PositionCentredUsesTheControlsOwnSize) {
    struct TSized : TDisplay_Class {
        int Get_Width() override { return 309; }
        int Get_Height() override { return 213; }
    } dialog;
    dialog.Set_Position_Centred("Message Dlg", true);
    EXPECT_EQ(dialog.f_X, 245);
    EXPECT_EQ(dialog.f_Y, 193);
    EXPECT_EQ(dialog.f_Width, 309);
    EXPECT_TRUE(dialog.f_Modal);
    EXPECT_EQ(dialog.f_Name, "Message Dlg");
}

} // namespace
