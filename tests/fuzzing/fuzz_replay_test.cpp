// Every input the fuzzer ever broke a loader with, and every seed it starts from, read
// again by the same loader: refused with errors is fine, a fault is not (the sanitizers
// of the test build see to that).

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz_targets.h"

namespace {

namespace fs = std::filesystem;

TEST(Fuzz_Replay, EverySavedInputLoadsOrIsRefusedWithoutAFault) {
    const std::vector<std::string>& names = Fuzz_Target_Names();
    int replayed = 0;
    for (const char* kind : {"cases", "seeds"}) {
        const fs::path root = fs::path(KV_FUZZ_DIR) / kind;
        if (!fs::exists(root))
            continue;
        for (const auto& folder : fs::directory_iterator(root)) {
            const std::string target = folder.path().filename().string();
            // A folder for a target that no longer exists would replay nothing.
            ASSERT_NE(std::find(names.begin(), names.end(), target), names.end()) << folder.path();
            for (const auto& file : fs::directory_iterator(folder.path())) {
                std::ifstream in(file.path(), std::ios::binary);
                const std::string bytes{std::istreambuf_iterator<char>(in),
                                        std::istreambuf_iterator<char>()};
                SCOPED_TRACE(file.path().string());
                ASSERT_TRUE(Fuzz_One_Input(target, reinterpret_cast<const uint8_t*>(bytes.data()),
                                           bytes.size()));
                ++replayed;
            }
        }
    }
    EXPECT_GT(replayed, 0);
    EXPECT_FALSE(Fuzz_One_Input("no-such-loader", nullptr, 0));
}

} // namespace
