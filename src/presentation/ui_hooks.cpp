#include "presentation/ui_hooks.h"

#include <array>

#include "shell/services.h"

namespace {

constexpr std::array<std::array<int, 2>, Button_Image_Sets + 1> cell_sizes{{{0, 0},
                                                                            {23, 23},
                                                                            {51, 51},
                                                                            {18, 28},
                                                                            {38, 38},
                                                                            {38, 38},
                                                                            {200, 38},
                                                                            {200, 51},
                                                                            {51, 23},
                                                                            {224, 23},
                                                                            {38, 38}}};
std::array<int, Button_Image_Sets + 1> strips = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};

} // namespace

void Button_Cell_Size(int image_set, int& width, int& height) {
    const bool known = image_set >= 1 && image_set <= Button_Image_Sets;
    width = known ? cell_sizes[size_t(image_set)][0] : 0;
    height = known ? cell_sizes[size_t(image_set)][1] : 0;
}

void Set_Button_Strip(int image_set, int buffer) {
    if (image_set >= 1 && image_set <= Button_Image_Sets)
        strips[size_t(image_set)] = buffer;
}

int Button_Strip(int image_set) {
    return image_set >= 1 && image_set <= Button_Image_Sets ? strips[size_t(image_set)] : -1;
}

TDescription_Panel& Description_Panel() {
    static TDescription_Panel none;
    TDescription_Panel* installed = Services().Description;
    return installed ? *installed : none;
}
