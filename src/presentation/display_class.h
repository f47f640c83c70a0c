#pragma once
// The control tree. Every thing on the screen that is drawn or clicked is a control;
// dialogs are children of the main screen and buttons children of their dialog. All
// positions are screen coordinates, not relative to the parent.
//
// Ownership: a parent owns its children. A child that asks to be closed sets f_Kill;
// at the end of the next dispatch the parent's Kill_Child_Control reads its result
// and deletes it (the child's destructor takes it out of the parent's list).

#include <cstdint>
#include <string>
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
    // Called for each child whose f_Kill is set. The override reads the child's result
    // and deletes it, usually through Free_Child.
    virtual void Kill_Child_Control(const std::string& Name);
    virtual void Handle_MouseMove(TShift_State, int, int) {}
    virtual void Handle_MouseDown(TMouse_Button, TShift_State, int, int) {}
    virtual void Handle_MouseUp(TMouse_Button, TShift_State, int, int, bool) {}
    virtual void Handle_KeyDown(uint16_t&, TShift_State) {}
    virtual void Handle_Draw(int) {}
    virtual void Reposition() {}

    // ---- tree operations ----
    void Add_Child_Control(TDisplay_Class* Child);
    void Remove_Child_Control(TDisplay_Class* Child);
    void m_Delete_Child_Control(int Index);
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

    // Deletes a child of this control (the usual body of Kill_Child_Control).
    void Free_Child(TDisplay_Class* Child);
    // The first child with this name, or null.
    TDisplay_Class* Find_Child(const std::string& Name) const;
    int Child_Count() const { return int(f_Children.size()); }
    // 1-based, as the tree counts them; null outside 1..count.
    TDisplay_Class* Child(int Index) const;

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
    std::vector<TDisplay_Class*> f_Children;

  private:
    void recompute_modal();
    // Children taken out of the list by the sweep without being freed: still owned,
    // freed with this control unless someone deletes them first.
    std::vector<TDisplay_Class*> detached_;
};

// Serial numbers: the next control created gets Last_Control_ID() + 1.
int32_t Last_Control_ID();
