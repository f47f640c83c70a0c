#pragma once
// A dialog's own picture: a buffer of the dialog's size holding its system picture,
// pink turned black. Without the picture the dialog gets a plain plate, so that it
// still reads and can be closed.

#include <string>

// The buffer, or -1 when none could be allocated; free it with fg_vbfree.
int Load_Dialog_Background(const std::string& picture, int width, int height);
// The plate drawn when a dialog's picture is missing.
void Draw_Plain_Plate(int buffer, int width, int height);
