#pragma once
// What the controls need from layers that are set up later: the button strips the
// display object loads, and the description panel whose subject a hovered button
// becomes (a service, shell/services.h). Until they are there, buttons draw no picture
// and hovering changes nothing. Click sounds go to the sound service.

#include <string>

constexpr int Button_Image_Sets = 10;

// The cell size of a button strip (image set 1..10); 0 x 0 for other sets.
void Button_Cell_Size(int image_set, int& width, int& height);
// The buffer holding the strip of an image set, or -1 when none is loaded.
void Set_Button_Strip(int image_set, int buffer);
int Button_Strip(int image_set);

// The panel that describes what the pointer is over.
class TDescription_Panel {
  public:
    virtual ~TDescription_Panel() = default;
    // Makes a description number the subject of the panel.
    virtual void Set_Subject(int /*id*/) {}
};

// The installed panel, or one that shows nothing.
TDescription_Panel& Description_Panel();
