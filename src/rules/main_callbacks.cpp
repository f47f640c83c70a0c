#include "rules/main_callbacks.h"

#include "shell/services.h"

TMain_Callbacks& Main_Callbacks() {
    static TMain_Callbacks silent;
    TMain_Callbacks* installed = Services().Callbacks;
    return installed ? *installed : silent;
}
