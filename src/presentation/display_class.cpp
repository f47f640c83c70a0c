#include "presentation/display_class.h"

#include <algorithm>

#include "shell/debug_log.h"

namespace {

int32_t last_id = 0;
const char* const unit = "DisplayClass";

// Controls taken out of the tree while a dispatch runs, freed when the last guard ends.
int guard_depth = 0;
std::vector<std::unique_ptr<TDisplay_Class>> awaiting_free;

void log_line(const TDisplay_Class& c, const std::string& what) {
    Debug_Log(unit, c.f_Name + what);
}

void free_later(std::unique_ptr<TDisplay_Class> control) {
    if (!control)
        return;
    TDispatch_Guard guard; // outside any dispatch it is freed when this guard ends
    awaiting_free.push_back(std::move(control));
}

} // namespace

TDispatch_Guard::TDispatch_Guard() {
    ++guard_depth;
}

TDispatch_Guard::~TDispatch_Guard() {
    if (guard_depth > 1) {
        --guard_depth;
        return;
    }
    // Still counted while the freed controls' destructors run, so that anything they
    // take out of a tree waits for this loop as well.
    while (!awaiting_free.empty()) {
        std::vector<std::unique_ptr<TDisplay_Class>> dead = std::move(awaiting_free);
        awaiting_free.clear();
        dead.clear();
    }
    --guard_depth;
}

int Controls_Awaiting_Free() {
    return int(awaiting_free.size());
}

int32_t Last_Control_ID() {
    return last_id;
}

TDisplay_Class::TDisplay_Class() : f_ID(++last_id) {
    log_line(*this, " - Create");
}

TDisplay_Class::~TDisplay_Class() {
    log_line(*this, " - Destroy");
    // Child 1 first, as the children were added.
    while (!f_Children.empty()) {
        std::unique_ptr<TDisplay_Class> child = m_Delete_Child_Control(1);
        child.reset();
    }
}

void TDisplay_Class::Kill_Child_Control(const std::string&) {}

void TDisplay_Class::recompute_modal() {
    f_Has_Modal_Child =
        std::any_of(f_Children.begin(), f_Children.end(), [](const auto& c) { return c->f_Modal; });
}

int TDisplay_Class::index_of(const TDisplay_Class* Child) const {
    for (size_t i = 0; i < f_Children.size(); ++i)
        if (f_Children[i].get() == Child)
            return int(i) + 1;
    return 0;
}

void TDisplay_Class::clear_hover(TDisplay_Class& Control) {
    Control.f_Mouse_Over = false;
    for (const auto& child : Control.f_Children)
        clear_hover(*child);
}

TDisplay_Class* TDisplay_Class::Add_Child_Control(std::unique_ptr<TDisplay_Class> Child) {
    if (!Child)
        return nullptr;
    log_line(*this, " - Add_Child_Control(" + Child->f_Name + ")");
    TDisplay_Class* child = Child.get();
    child->f_parent = this;
    f_Children.push_back(std::move(Child));
    recompute_modal();
    return child;
}

std::unique_ptr<TDisplay_Class> TDisplay_Class::Remove_Child_Control(TDisplay_Class* Child) {
    if (!Child)
        return nullptr;
    log_line(*this, " - Remove_Child_Control(" + Child->f_Name + ")");
    const int index = index_of(Child);
    return index ? m_Delete_Child_Control(index) : nullptr;
}

std::unique_ptr<TDisplay_Class> TDisplay_Class::m_Delete_Child_Control(int Index) {
    log_line(*this, " - m_Delete_Child_Control(" + std::to_string(Index) + ")");
    if (Index < 1 || Index > int(f_Children.size()))
        return nullptr;
    std::unique_ptr<TDisplay_Class> child = std::move(f_Children[size_t(Index - 1)]);
    f_Children.erase(f_Children.begin() + (Index - 1));
    child->f_parent = nullptr;
    recompute_modal();
    return child;
}

void TDisplay_Class::Free_Child(TDisplay_Class* Child) {
    if (const int index = index_of(Child))
        free_later(m_Delete_Child_Control(index));
}

void TDisplay_Class::Set_Kill_Object(bool Flag) {
    log_line(*this, " - Set_Kill_Object");
    f_Kill = Flag;
}

void TDisplay_Class::m_Kill_Any_Dead_Controls() {
    // A child whose closing is under way (its owner redrew the screen from its
    // Kill_Child_Control) is left to the sweep that began it.
    auto marked = [this] {
        return std::find_if(f_Children.begin(), f_Children.end(),
                            [](const auto& c) { return c->f_Kill && !c->being_closed_; });
    };
    if (marked() == f_Children.end())
        return;
    log_line(*this, " - m_Kill_Any_Dead_Controls");
    TDispatch_Guard guard;
    // Each pass either takes a marked child out or finds the owner kept it (its mark
    // cleared), so every killed child reaches Kill_Child_Control once. The owner may
    // add, free or move children meanwhile: the child is looked up again afterwards.
    for (auto it = marked(); it != f_Children.end(); it = marked()) {
        TDisplay_Class* child = it->get();
        TDisplay_Class* const outer = closing_;
        closing_ = child;
        child->being_closed_ = true;
        const std::string name = child->f_Name;
        Kill_Child_Control(name);
        closing_ = outer;
        child->being_closed_ = false; // still alive: the guard keeps what was taken out
        if (child->f_Kill)
            Free_Child(child);
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
    for (const auto& c : f_Children)
        if (c->Contains(X, Y))
            return c.get();
    return nullptr;
}

TDisplay_Class* TDisplay_Class::Find_Child(const std::string& Name) const {
    for (const auto& c : f_Children)
        if (c->f_Name == Name)
            return c.get();
    return nullptr;
}

TDisplay_Class* TDisplay_Class::Child(int Index) const {
    if (Index < 1 || Index > int(f_Children.size()))
        return nullptr;
    return f_Children[size_t(Index - 1)].get();
}

// The dispatchers walk the children by index and look each one up again: a handler
// may add or close controls on the way, and a closed one stays alive until the guard
// of the outermost dispatch ends.

bool TDisplay_Class::Dispatch_MouseMove(TShift_State Shift, int X, int Y) {
    TDispatch_Guard guard;
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
        TDisplay_Class* child = f_Children[i].get();
        if (f_Has_Modal_Child && !child->f_Modal)
            clear_hover(*child);
        else
            child->Dispatch_MouseMove(Shift, X, Y);
    }
    return true;
}

bool TDisplay_Class::Dispatch_MouseDown(TMouse_Button Button, TShift_State Shift, int X, int Y) {
    TDispatch_Guard guard;
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
    TDispatch_Guard guard;
    log_line(*this, " - MouseUp");
    f_Mouse_Down = false;
    const bool inside = Contains(X, Y);
    const bool mine = inside && !Child_At(X, Y) && !f_Has_Modal_Child && f_Enabled;
    Handle_MouseUp(Button, Shift, X, Y, Outside || !mine);
    for (size_t i = 0; i < f_Children.size(); ++i) {
        TDisplay_Class* child = f_Children[i].get();
        const bool reachable = inside && (!f_Has_Modal_Child || child->f_Modal);
        child->Dispatch_MouseUp(Button, Shift, Outside || !reachable, X, Y);
    }
    m_Kill_Any_Dead_Controls();
}

void TDisplay_Class::Dispatch_KeyDown(uint16_t& Key, TShift_State Shift) {
    TDispatch_Guard guard;
    if (!f_Has_Modal_Child && f_Enabled)
        Handle_KeyDown(Key, Shift);
    if (!f_Key_Handled && f_Enabled) {
        for (size_t i = 0; i < f_Children.size(); ++i) {
            TDisplay_Class* child = f_Children[i].get();
            if (f_Has_Modal_Child && !child->f_Modal)
                continue;
            child->Dispatch_KeyDown(Key, Shift);
        }
    }
    f_Key_Handled = false;
    m_Kill_Any_Dead_Controls();
}

void TDisplay_Class::Dispatch_Draw(int Buffer) {
    TDispatch_Guard guard;
    if (f_Visible) {
        Handle_Draw(Buffer);
        for (int pass = 0; pass < 2; ++pass) {
            for (size_t i = 0; i < f_Children.size(); ++i) {
                TDisplay_Class* child = f_Children[i].get();
                if (child->f_Kill || child->f_Draw_Last != (pass == 1))
                    continue;
                child->Dispatch_Draw(Buffer);
            }
        }
    }
    m_Kill_Any_Dead_Controls();
}

void TDisplay_Class::Dispatch_Reposition() {
    TDispatch_Guard guard;
    log_line(*this, " - Reposition");
    Reposition();
    for (size_t i = 0; i < f_Children.size(); ++i)
        f_Children[i]->Dispatch_Reposition();
    m_Kill_Any_Dead_Controls();
}
