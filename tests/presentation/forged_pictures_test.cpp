// Every picture in the built game folder, as the content generator made it, is read by
// the engine's picture reader at a size the drawing code can use.

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files.h"
#include "presentation/bmp_file.h"

namespace fs = std::filesystem;

TEST(Forged_Pictures, EveryPictureOfTheGameFolderLoads) {
#ifndef KV_GAME_DIR
    GTEST_SKIP() << "this build makes no game folder: the content generator is not built";
#else
    const fs::path pictures = fs::path(KV_GAME_DIR) / "Pictures";
    ASSERT_TRUE(fs::is_directory(pictures)) << pictures;
    size_t system = 0, items = 0, total = 0;
    for (const auto& entry : fs::recursive_directory_iterator(pictures)) {
        if (!entry.is_regular_file() || entry.path().extension() != ".bmp") {
            continue;
        }
        const std::string folder = entry.path().parent_path().filename().string();
        TVirtual_Buffer image;
        std::string error;
        ASSERT_TRUE(Load_BMP_File(entry.path().string(), image, error)) << error;
        ++total;
        if (folder == "SysPics") {
            ++system;
        } else if (folder == "Items") {
            ++items;
            // Item pictures are drawn one per 32 x 32 cell.
            EXPECT_EQ(image.width, 32) << entry.path();
            EXPECT_EQ(image.height, 32) << entry.path();
        }
    }
    EXPECT_GE(system, 44u); // the 44 the engine names, and the effect sheets
    EXPECT_GT(items, 0u);
    EXPECT_GT(total, system + items);
#endif
}
