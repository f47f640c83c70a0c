#include "presentation/display_class.h"

#include <algorithm>

#include "shell/debug_log.h"

namespace {

int32_t last_id = 0;
const char* const unit = "DisplayClass";

void log_line(const TDisplay_Class& c, const std::string& what) {
    Debug_Log(unit, c.f_Name + what);
}

void clear_hover(TDisplay_Class& c) {
    c.f_Mouse_Over = false;
    for (TDisplay_Class* child : c.f_Children)
        clear_hover(*child);
}

} // namespace

int32_t Last_Control_ID() {
    return last_id;
}

TDisplay_Class::TDisplay_Class() : f_ID(++last_id) {
    log_line(*this, " - Create");
}

TDisplay_Class::~TDisplay_Class() {
    log_line(*this, " - Destroy");
    while (!f_Children.empty()) {
        TDisplay_Class* child = f_Children.front();
        delete child; // its destructor takes it out of the list
        if (!f_Children.empty() && f_Children.front() == child)
            f_Children.erase(f_Children.begin());
    }
    while (!detached_.empty()) {
        TDisplay_Class* child = detached_.back();
        delete child;
        if (!detached_.empty() && detached_.back() == child)
            detached_.pop_back();
    }
    if (f_parent) {
        Debug_Log(unit, "f_parent(" + f_parent->f_Name + ").Remove_Child_Control( " + f_Name + ")");
        f_parent->Remove_Child_Control(this);
    }
}

void TDisplay_Class::Kill_Child_Control(const std::string&) {}

void TDisplay_Class::recompute_modal() {
    f_Has_Modal_Child = std::any_of(f_Children.begin(), f_Children.end(),
                                    [](const TDisplay_Class* c) { return c->f_Modal; });
}

void TDisplay_Class::Add_Child_Control(TDisplay_Class* Child) {
    if (!Child)
        return;
    log_line(*this, " - Add_Child_Control(" + Child->f_Name + ")");
    Child->f_parent = this;
    f_Children.push_back(Child);
    recompute_modal();
}

void TDisplay_Class::Remove_Child_Control(TDisplay_Class* Child) {
    if (!Child)
        return;
    log_line(*this, " - Remove_Child_Control(" + Child->f_Name + ")");
    int found = 0;
    for (size_t i = 0; i < f_Children.size(); ++i)
        if (f_Children[i]->f_ID == Child->f_ID)
            found = int(i) + 1;
    if (found)
        m_Delete_Child_Control(found);
    detached_.erase(std::remove(detached_.begin(), detached_.end(), Child), detached_.end());
}

void TDisplay_Class::m_Delete_Child_Control(int Index) {
    log_line(*this, " - m_Delete_Child_Control(" + std::to_string(Index) + ")");
    if (Index < 1 || Index > int(f_Children.size()))
        return;
    f_Children.erase(f_Children.begin() + (Index - 1));
    recompute_modal();
}

void TDisplay_Class::Set_Kill_Object(bool Flag) {
    log_line(*this, " - Set_Kill_Object");
    f_Kill = Flag;
}

void TDisplay_Class::m_Kill_Any_Dead_Controls() {
    bool any = false;
    for (const TDisplay_Class* c : f_Children)
        any = any || c->f_Kill;
    if (!any)
        return;
    log_line(*this, " - m_Kill_Any_Dead_Controls");
    size_t i = 0;
    while (i < f_Children.size()) {
        TDisplay_Class* child = f_Children[i];
        if (!child->f_Kill) {
            ++i;
            continue;
        }
        const std::string name = child->f_Name; // the child may be gone after the call
        Kill_Child_Control(name);
        if (i < f_Children.size() && f_Children[i] == child)
            ++i;
    }
    // Children the owner did not free leave the list but stay owned here.
    i = 0;
    while (i < f_Children.size()) {
        TDisplay_Class* child = f_Children[i];
        if (child->f_Kill) {
            m_Delete_Child_Control(int(i) + 1);
            detached_.push_back(child);
        } else {
            ++i;
        }
    }
}

void TDisplay_Class::Set_Bounds(const std::string& Name, int X, int Y, int Width, int Height,
                                bool Modal) {
    f_Name = Name;
    f_X = X;
    f_Y = Y;
    f_Width = Width;
    f_Height = Height;
    f_Modal = Modal;
    if (f_parent)
        f_parent->recompute_modal();
    Dispatch_Reposition();
}

void TDisplay_Class::Set_Position(const std::string& Name, int X, int Y, bool Modal) {
    Set_Bounds(Name, X, Y, Get_Width(), Get_Height(), Modal);
}

void TDisplay_Class::Set_Position_Centred(const std::string& Name, bool Modal) {
    Set_Position(Name, (800 - Get_Width()) / 2, (600 - Get_Height()) / 2, Modal);
}

bool TDisplay_Class::Contains(int X, int Y) const {
    return f_Visible && f_X <= X && X <= f_X + f_Width && f_Y <= Y && Y <= f_Y + f_Height;
}

TDisplay_Class* TDisplay_Class::Child_At(int X, int Y) {
    for (TDisplay_Class* c : f_Children)
        if (c->Contains(X, Y))
            return c;
    return nullptr;
}

void TDisplay_Class::Free_Child(TDisplay_Class* Child) {
    if (!Child || Child->f_parent != this)
        return;
    delete Child;
}

TDisplay_Class* TDisplay_Class::Find_Child(const std::string& Name) const {
    for (TDisplay_Class* c : f_Children)
        if (c->f_Name == Name)
            return c;
    return nullptr;
}

TDisplay_Class* TDisplay_Class::Child(int Index) const {
    if (Index < 1 || Index > int(f_Children.size()))
        return nullptr;
    return f_Children[size_t(Index - 1)];
}

bool TDisplay_Class::Dispatch_MouseMove(TShift_State Shift, int X, int Y) {
    if (!Contains(X, Y)) {
        // The pointer left this control, so none of its children is under it either.
        clear_hover(*this);
        return false;
    }
    f_Mouse_Over = false;
    if (!Child_At(X, Y) && !f_Has_Modal_Child && f_Enabled) {
        f_Mouse_Over = true;
        Handle_MouseMove(Shift, X, Y);
    }
    for (size_t i = 0; i < f_Children.size(); ++i) {
        TDisplay_Class* child = f_Children[i];
        if (f_Has_Modal_Child && !child->f_Modal)
            clear_hover(*child);
        else
            child->Dispatch_MouseMove(Shift, X, Y);
    }
    return true;
}

bool TDisplay_Class::Dispatch_MouseDown(TMouse_Button Button, TShift_State Shift, int X, int Y) {
    if (!Contains(X, Y)) {
        f_Mouse_Down = false;
        m_Kill_Any_Dead_Controls();
        return false;
    }
    f_Mouse_Down = false;
    if (TDisplay_Class* child = Child_At(X, Y)) {
        if (!f_Has_Modal_Child || child->f_Modal)
            child->Dispatch_MouseDown(Button, Shift, X, Y);
    } else if (!f_Has_Modal_Child && f_Enabled) {
        f_Mouse_Down = true;
        Handle_MouseDown(Button, Shift, X, Y);
    }
    m_Kill_Any_Dead_Controls();
    return true;
}

void TDisplay_Class::Dispatch_MouseUp(TMouse_Button Button, TShift_State Shift, bool Outside, int X,
                                      int Y) {
    log_line(*this, " - MouseUp");
    f_Mouse_Down = false;
    const bool inside = Contains(X, Y);
    const bool mine = inside && !Child_At(X, Y) && !f_Has_Modal_Child && f_Enabled;
    Handle_MouseUp(Button, Shift, X, Y, Outside || !mine);
    for (size_t i = 0; i < f_Children.size(); ++i) {
        TDisplay_Class* child = f_Children[i];
        const bool reachable = inside && (!f_Has_Modal_Child || child->f_Modal);
        child->Dispatch_MouseUp(Button, Shift, Outside || !reachable, X, Y);
    }
    m_Kill_Any_Dead_Controls();
}

void TDisplay_Class::Dispatch_KeyDown(uint16_t& Key, TShift_State Shift) {
    if (!f_Has_Modal_Child && f_Enabled)
        Handle_KeyDown(Key, Shift);
    if (!f_Key_Handled && f_Enabled) {
        for (size_t i = 0; i < f_Children.size(); ++i) {
            TDisplay_Class* child = f_Children[i];
            if (f_Has_Modal_Child && !child->f_Modal)
                continue;
            child->Dispatch_KeyDown(Key, Shift);
        }
    }
    f_Key_Handled = false;
    m_Kill_Any_Dead_Controls();
}

void TDisplay_Class::Dispatch_Draw(int Buffer) {
    if (f_Visible) {
        Handle_Draw(Buffer);
        for (int pass = 0; pass < 2; ++pass) {
            for (size_t i = 0; i < f_Children.size(); ++i) {
                TDisplay_Class* child = f_Children[i];
                if (child->f_Kill || child->f_Draw_Last != (pass == 1))
                    continue;
                child->Dispatch_Draw(Buffer);
            }
        }
    }
    m_Kill_Any_Dead_Controls();
}

void TDisplay_Class::Dispatch_Reposition() {
    log_line(*this, " - Reposition");
    Reposition();
    for (size_t i = 0; i < f_Children.size(); ++i)
        f_Children[i]->Dispatch_Reposition();
    m_Kill_Any_Dead_Controls();
}
