#pragma once
// The control tree. Every thing on the screen that is drawn or clicked is a control;
// dialogs are children of the main screen and buttons children of their dialog. All
// positions are screen coordinates, not relative to the parent.
//
// Ownership: a parent owns its children (std::unique_ptr); callers keep plain pointers
// or references, which stay valid while the control is in the tree. A control closes by
// setting f_Kill. At the end of the next dispatch the parent's sweep hands it to the
// parent's Kill_Child_Control (which reads its result) and takes it out of the tree.
// Controls taken out are freed only when no dispatch is running any more, so a handler
// may close its own control or dialog, or redraw the whole tree, and still return
// through live objects.
//
// Opening a dialog:
//     auto& dialog = Open_Dialog<TDC_Dlg_Message>("Message Dlg", true);
//     dialog.Set_Message(Title, Text);
// and reading its result when it closes:
//     void TOwner::Kill_Child_Control(const std::string& Name) {
//         if (auto* dialog = Closing_Child<TDC_Dlg_Message>()) ...
//     }

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using TShift_State = uint16_t;
constexpr TShift_State ssShift = 1;
constexpr TShift_State ssAlt = 2;
constexpr TShift_State ssCtrl = 4;
constexpr TShift_State ssLeft = 8;
constexpr TShift_State ssRight = 16;
constexpr TShift_State ssMiddle = 32;

enum TMouse_Button { mbLeft, mbRight, mbMiddle };

class TDisplay_Class {
  public:
    TDisplay_Class();
    virtual ~TDisplay_Class();
    TDisplay_Class(const TDisplay_Class&) = delete;
    TDisplay_Class& operator=(const TDisplay_Class&) = delete;

    // ---- what subclasses override (the base versions return 0 or do nothing) ----
    virtual int Get_Width() { return 0; }
    virtual int Get_Height() { return 0; }
    // Called by the sweep for each child whose f_Kill is set, with the child's name; the
    // child is Closing_Child() meanwhile. The override reads the child's result and, as
    // a rule, opens the next dialog. Afterwards the sweep takes the child out of the
    // tree, unless the override cleared its f_Kill to keep it open.
    virtual void Kill_Child_Control(const std::string& Name);
    virtual void Handle_MouseMove(TShift_State, int, int) {}
    virtual void Handle_MouseDown(TMouse_Button, TShift_State, int, int) {}
    virtual void Handle_MouseUp(TMouse_Button, TShift_State, int, int, bool) {}
    virtual void Handle_KeyDown(uint16_t&, TShift_State) {}
    virtual void Handle_Draw(int) {}
    virtual void Reposition() {}

    // ---- making children ----
    // Makes a T as the last child of this control and returns it; the tree owns it.
    template <class T, class... A> T& Make_Child(A&&... Args) {
        return *Add_Child(std::make_unique<T>(std::forward<A>(Args)...));
    }
    // A dialog: made as a child, named, centred on the screen, modal when asked, visible.
    template <class T, class... A>
    T& Open_Dialog(const std::string& Name, bool Modal, A&&... Args) {
        T& dialog = Make_Child<T>(std::forward<A>(Args)...);
        dialog.Set_Position_Centred(Name, Modal);
        dialog.Set_Visible(true);
        return dialog;
    }
    // Adopts a control made elsewhere; returns it (null when Child is null).
    template <class T> T* Add_Child(std::unique_ptr<T> Child) {
        T* child = Child.get();
        Add_Child_Control(std::move(Child));
        return child;
    }

    // ---- tree operations ----
    TDisplay_Class* Add_Child_Control(std::unique_ptr<TDisplay_Class> Child);
    // Takes a child out of the tree and hands it back (to move it elsewhere). Null when
    // Child is not a child of this control. To close a child, kill it or Free_Child it.
    [[nodiscard]] std::unique_ptr<TDisplay_Class> Remove_Child_Control(TDisplay_Class* Child);
    // The same by position, 1..count; null outside.
    [[nodiscard]] std::unique_ptr<TDisplay_Class> m_Delete_Child_Control(int Index);
    // Takes a child out of the tree now and frees it once no dispatch is running.
    void Free_Child(TDisplay_Class* Child);
    void Set_Kill_Object(bool Flag);
    void m_Kill_Any_Dead_Controls();
    void Set_Visible(bool Flag) { f_Visible = Flag; }
    void Set_Draw_Last(bool Flag) { f_Draw_Last = Flag; }
    virtual void Set_Bounds(const std::string& Name, int X, int Y, int Width, int Height,
                            bool Modal);
    void Set_Position(const std::string& Name, int X, int Y, bool Modal);
    void Set_Position_Centred(const std::string& Name, bool Modal);
    TDisplay_Class* Child_At(int X, int Y);
    bool Contains(int X, int Y) const;

    // The first child with this name, or null.
    TDisplay_Class* Find_Child(const std::string& Name) const;
    int Child_Count() const { return int(f_Children.size()); }
    // 1-based, as the tree counts them; null outside 1..count.
    TDisplay_Class* Child(int Index) const;
    // Inside Kill_Child_Control: the child being closed, when it is a T; else null.
    template <class T> T* Closing_Child() const { return dynamic_cast<T*>(closing_); }

    // ---- dispatchers: the host calls them on the root ----
    bool Dispatch_MouseMove(TShift_State Shift, int X, int Y);
    bool Dispatch_MouseDown(TMouse_Button Button, TShift_State Shift, int X, int Y);
    void Dispatch_MouseUp(TMouse_Button Button, TShift_State Shift, bool Outside, int X, int Y);
    void Dispatch_KeyDown(uint16_t& Key, TShift_State Shift);
    void Dispatch_Draw(int Buffer);
    void Dispatch_Reposition();

    int32_t f_ID = 0;
    std::string f_Name;
    TDisplay_Class* f_parent = nullptr;
    int32_t f_X = 0;
    int32_t f_Y = 0;
    int32_t f_Height = 0;
    int32_t f_Width = 0;
    bool f_Mouse_Over = false;
    bool f_Mouse_Down = false;
    bool f_Visible = false;
    bool f_Enabled = true;
    bool f_Modal = false;
    bool f_Draw_Last = false;
    bool f_Kill = false;
    bool f_Has_Modal_Child = false;
    bool f_Key_Handled = false;
    // What a dialog answers when it closes (its parent reads it in Kill_Child_Control).
    int32_t f_Result = 0;

  private:
    void recompute_modal();
    int index_of(const TDisplay_Class* Child) const;
    static void clear_hover(TDisplay_Class& Control);

    std::vector<std::unique_ptr<TDisplay_Class>> f_Children;
    TDisplay_Class* closing_ = nullptr;
    bool being_closed_ = false;
};

// While one of these exists, controls taken out of the tree are kept alive; when the
// last one ends they are freed. Every dispatcher holds one; so should anything else
// that runs handlers from outside a dispatch (the move timer), so that a control it
// closes outlives the handler that closed it.
class TDispatch_Guard {
  public:
    TDispatch_Guard();
    ~TDispatch_Guard();
    TDispatch_Guard(const TDispatch_Guard&) = delete;
    TDispatch_Guard& operator=(const TDispatch_Guard&) = delete;
};

// Controls taken out of the tree and not yet freed (none outside a dispatch).
int Controls_Awaiting_Free();

// Serial numbers: the next control created gets Last_Control_ID() + 1.
int32_t Last_Control_ID();
