#pragma once
// What the controls need from layers that are set up later: the button strips the
// display object loads, the click sounds, and the description panel's subject. Each
// is installed at start-up; until then buttons draw no picture, clicks are silent and
// hovering changes nothing.

#include <functional>
#include <string>

constexpr int Button_Image_Sets = 10;

// The cell size of a button strip (image set 1..10); 0 x 0 for other sets.
void Button_Cell_Size(int image_set, int& width, int& height);
// The buffer holding the strip of an image set, or -1 when none is loaded.
void Set_Button_Strip(int image_set, int buffer);
int Button_Strip(int image_set);

// Plays a sound effect of the "Sounds\" folder by file name ("button.wav").
void Set_UI_Sound_Player(std::function<void(const std::string& file)> player);
void Play_UI_Sound(const std::string& file);

// Makes a number the subject of the description panel (hovered buttons).
void Set_Description_Subject_Handler(std::function<void(int id)> handler);
void Set_Description_Subject(int id);
