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
        if (auto* child = Closing_Child<TProbe>()) {
            results.push_back(child->result);
            if (keep_children)
                child->f_Kill = false;
        }
    }
    int downs = 0, ups = 0, result = 0;
    bool swallow_keys = false, keep_children = false;
    std::vector<uint16_t> keys;
    std::vector<std::string> killed;
    std::vector<int> results;
    std::vector<std::string>* draw_order = &own_order;
    std::vector<std::string> own_order;
};

TProbe* add(TDisplay_Class& parent, const std::string& name, int x, int y, int w, int h,
            bool modal = false) {
    return &parent.Make_Child<TProbe>(name, x, y, w, h, modal);
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
    TProbe* dialog = add(root, "Dlg", 100, 100, 200, 200);
    TProbe* lower = add(*dialog, "Lower", 120, 120, 50, 50);
    TProbe* upper = add(*dialog, "Upper", 140, 140, 50, 50);
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
    add(*dialog, "Third", 0, 0, 1, 1)->draw_order = &order;
    root.Dispatch_Draw(0);
    EXPECT_EQ(order, (std::vector<std::string>{"Main Window", "Dlg", "Lower", "Third", "Upper"}));
}

TEST(Display_Class, ModalChildSwallowsClicksKeysAndHover) {
    TProbe root("Main Window", 0, 0, 800, 600);
    auto* button = &root.Make_Child<TDC_Button>();
    int clicks = 0;
    button->Set_Bounds("Main Button", 10, 10, 40, 40, false);
    button->Set_Visible(true);
    button->OnClick = [&](const std::string&) { ++clicks; };
    TProbe* plain = add(root, "Panel", 300, 0, 100, 100);
    TProbe* modal = add(root, "Dlg", 400, 300, 100, 100, true);
    TProbe* inner = add(*modal, "Inner", 410, 310, 10, 10);
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
    TProbe* dialog = add(root, "Dlg", 100, 100, 100, 100);
    TProbe* item = add(*dialog, "Item", 110, 110, 10, 10);
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
    TProbe* a = add(root, "Dlg A", 0, 0, 10, 10);
    TProbe* keep = add(root, "Keep", 0, 0, 10, 10);
    TProbe* b = add(root, "Dlg B", 0, 0, 10, 10);
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

    // An owner that clears the mark keeps the child open; moves do not sweep.
    root.keep_children = true;
    keep->Set_Kill_Object(true);
    root.Dispatch_MouseMove(0, 1, 1);
    EXPECT_EQ(root.killed.back(), "Dlg B");
    root.Dispatch_MouseDown(mbLeft, 0, 700, 500);
    EXPECT_EQ(root.killed.back(), "Keep");
    EXPECT_EQ(root.Child(1), keep);
    root.Dispatch_Draw(0);
    EXPECT_EQ(root.killed.size(), 3u);
}

// An owner that redraws the whole screen while it closes a child (a progress bar while
// the next screen is built) sweeps again from inside that closing: each closing child is
// still handed over once.
class TRedrawing_Owner : public TProbe {
  public:
    using TProbe::TProbe;
    void Kill_Child_Control(const std::string& name) override {
        TProbe::Kill_Child_Control(name);
        if (killed.size() < 10)
            Dispatch_Draw(0);
    }
};

TEST(Display_Class, AnOwnerRedrawingWhileItClosesAChildClosesItOnce) {
    TRedrawing_Owner root("Main Window", 0, 0, 800, 600);
    TProbe* intro = add(root, "Dlg Intro", 0, 0, 10, 10);
    TProbe* other = add(root, "Dlg Other", 0, 0, 10, 10);
    intro->Set_Kill_Object(true);
    other->Set_Kill_Object(true);
    root.Dispatch_Draw(0);
    EXPECT_EQ(root.killed, (std::vector<std::string>{"Dlg Intro", "Dlg Other"}));
    EXPECT_EQ(root.Child_Count(), 0);
}

TEST(Display_Class, ChildrenLeaveTheTreeByPositionOrPointerAndDieWithTheirParent) {
    TProbe root("Main Window", 0, 0, 800, 600);
    TProbe* a = add(root, "A", 0, 0, 10, 10, true);
    add(*a, "A1", 0, 0, 1, 1);
    TProbe* b = add(root, "B", 0, 0, 10, 10);
    EXPECT_TRUE(root.f_Has_Modal_Child);
    root.Free_Child(a); // outside a dispatch: freed at once (the sanitizer watches)
    EXPECT_EQ(Controls_Awaiting_Free(), 0);
    EXPECT_EQ(root.Child_Count(), 1);
    EXPECT_EQ(root.Child(1), b);
    EXPECT_FALSE(root.f_Has_Modal_Child);

    TProbe stranger("S", 0, 0, 1, 1);
    EXPECT_EQ(root.Remove_Child_Control(&stranger), nullptr);
    EXPECT_EQ(root.m_Delete_Child_Control(5), nullptr); // outside 1..count
    root.Free_Child(&stranger);
    EXPECT_EQ(root.Child_Count(), 1);

    // Taken out, a child is handed back and may move to another parent.
    std::unique_ptr<TDisplay_Class> moved = root.Remove_Child_Control(b);
    ASSERT_EQ(moved.get(), b);
    EXPECT_EQ(b->f_parent, nullptr);
    EXPECT_EQ(stranger.Add_Child(std::move(moved)), b);
    EXPECT_EQ(b->f_parent, &stranger);
    EXPECT_EQ(root.Child_Count(), 0);

    const int32_t before = Last_Control_ID();
    TProbe next("N", 0, 0, 1, 1);
    EXPECT_EQ(next.f_ID, before + 1);
}

// A 200 x 200 dialog with a button "OK" at (20, 20) and an item at (100, 100) in it.
struct TDialog_With_Button : TProbe {
    TDialog_With_Button() : TProbe("Dlg", 100, 100, 200, 200, true) {
        button = &Make_Child<TDC_Button>();
        button->f_Name = "OK";
        button->Set_Visible(true);
        hovered = &Make_Child<TProbe>("Item", 0, 0, 20, 20);
        Reposition();
    }
    int Get_Width() override { return 200; }
    int Get_Height() override { return 200; }
    // Looks its children up by name: the button may have closed.
    void Reposition() override {
        if (TDisplay_Class* ok = Find_Child("OK"))
            ok->Set_Bounds("OK", f_X + 20, f_Y + 20, 40, 20, false);
        if (TDisplay_Class* item = Find_Child("Item"))
            item->Set_Bounds("Item", f_X + 100, f_Y + 100, 20, 20, false);
    }
    TDC_Button* button;
    TProbe* hovered;
};

void click(TDisplay_Class& root, int x, int y) {
    root.Dispatch_MouseMove(0, x, y);
    root.Dispatch_MouseDown(mbLeft, 0, x, y);
    root.Dispatch_MouseUp(mbLeft, 0, false, x, y);
}

// These run under AddressSanitizer: a handler that closes its own control or dialog and
// then goes on (redrawing the tree on the way, as a progress bar does) must find every
// object it returns through still alive, and the closed ones freed afterwards.
TEST(Display_Class, AHandlerMayCloseItsOwnDialogAndRedrawBeforeReturning) {
    TProbe root("Main Window", 0, 0, 800, 600);
    auto& dialog = root.Open_Dialog<TDialog_With_Button>("Dlg Confirm", true);
    EXPECT_EQ(dialog.f_X, 300);
    EXPECT_EQ(dialog.f_Y, 200);
    EXPECT_EQ(dialog.f_Name, "Dlg Confirm");
    EXPECT_TRUE(dialog.f_Visible);
    EXPECT_TRUE(root.f_Has_Modal_Child);
    dialog.result = 5;
    std::string seen;
    dialog.button->OnClick = [&](const std::string& name) {
        dialog.Set_Kill_Object(true);
        root.Dispatch_Draw(0); // the sweep runs here, inside the handler
        EXPECT_EQ(root.Child_Count(), 0);
        EXPECT_GE(Controls_Awaiting_Free(), 1);
        seen = name; // the button's own name: still alive
    };
    click(root, 330, 225);
    EXPECT_EQ(seen, "OK");
    EXPECT_EQ(root.killed, std::vector<std::string>{"Dlg Confirm"});
    EXPECT_EQ(root.results, std::vector<int>{5});
    EXPECT_EQ(Controls_Awaiting_Free(), 0);
    EXPECT_FALSE(root.f_Has_Modal_Child);

    // A button that closes itself and repositions its dialog (which sweeps the button).
    auto& second = root.Make_Child<TDialog_With_Button>();
    second.Set_Position("Dlg Second", 100, 100, false);
    TDC_Button* button = second.button;
    button->OnClick = [&](const std::string& name) {
        button->Set_Kill_Object(true);
        second.Set_Position("Dlg Second", 100, 100, false);
        EXPECT_EQ(second.Find_Child("OK"), nullptr);
        seen = name + " again";
    };
    click(root, 125, 125);
    EXPECT_EQ(seen, "OK again");
    EXPECT_EQ(second.killed, std::vector<std::string>{"OK"});
    EXPECT_EQ(second.Child_Count(), 1);
}

TEST(Display_Class, ADialogClosedWhileItsChildIsHoveredIsLeftAlone) {
    TProbe root("Main Window", 0, 0, 800, 600);
    auto& dialog = root.Make_Child<TDialog_With_Button>();
    TProbe* item = dialog.hovered;
    root.Dispatch_MouseMove(0, 205, 205);
    ASSERT_TRUE(item->f_Mouse_Over);
    // Closed by the move timer, say, while the pointer rests on its child.
    {
        TDispatch_Guard timer;
        dialog.Set_Kill_Object(true);
        root.Free_Child(&dialog);
        EXPECT_EQ(Controls_Awaiting_Free(), 1);
        EXPECT_TRUE(item->f_Mouse_Over); // still alive until the timer's handlers are done
    }
    EXPECT_EQ(Controls_Awaiting_Free(), 0);
    root.Dispatch_MouseMove(0, 206, 206);
    root.Dispatch_Draw(0);
    EXPECT_TRUE(root.f_Mouse_Over);
    EXPECT_TRUE(root.killed.empty()); // freed by its owner, not reported

    // Closed from the child's own hover handler, with a sweep straight away.
    struct TCloser : TProbe {
        using TProbe::TProbe;
        void Handle_MouseMove(TShift_State, int, int) override {
            f_parent->Set_Kill_Object(true);
            root->Dispatch_KeyDown(key, 0);
            f_Mouse_Over = true; // still its own object
        }
        TDisplay_Class* root = nullptr;
        uint16_t key = 'A';
    };
    auto& again = root.Make_Child<TDialog_With_Button>();
    again.Set_Position("Dlg Again", 100, 100, false);
    auto& closer = again.Make_Child<TCloser>("Closer", 250, 250, 10, 10);
    closer.root = &root;
    root.Dispatch_MouseMove(0, 255, 255);
    EXPECT_EQ(root.killed, std::vector<std::string>{"Dlg Again"});
    EXPECT_EQ(root.Child_Count(), 0);
    root.Dispatch_MouseMove(0, 255, 255);
    EXPECT_TRUE(root.f_Mouse_Over);
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
