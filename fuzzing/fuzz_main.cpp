// krelvane-fuzz: libFuzzer over one loader, chosen by KV_FUZZ_TARGET (./fuzz sets it).

#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz_targets.h"

namespace {

std::string target_name() {
    const char* name = std::getenv("KV_FUZZ_TARGET");
    return name ? name : "";
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const std::string name = target_name();
    for (const std::string& known : Fuzz_Target_Names())
        if (known == name)
            return 0;
    std::fprintf(stderr, "krelvane-fuzz: set KV_FUZZ_TARGET to one of:");
    for (const std::string& known : Fuzz_Target_Names())
        std::fprintf(stderr, " %s", known.c_str());
    std::fprintf(stderr, "\n");
    std::exit(2);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string name = target_name();
    Fuzz_One_Input(name, data, size);
    return 0;
}
