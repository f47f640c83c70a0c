// krelvane-tool render-view on the default module, against a reviewed picture.
//
// The reference is tests/fixtures/render_view/hollowmere_seed7_map2.png. When the view
// changes on purpose, look at the new picture first, then replace the reference:
//   KV_REFRESH_REFERENCE=1 build/test/bin/test_render_view
// and review the new file by eye before committing it.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/render_view.h"
#include "support/temp_dir.h"

namespace {

std::string read_file(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

int run(const std::vector<std::string>& args) {
    std::FILE* sink = std::tmpfile();
    const int status = Tool_Render_View(args, sink, sink);
    std::fclose(sink);
    return status;
}

TEST(Render_View, WrongArgumentsAreRefusedWithStatus2) {
    EXPECT_EQ(run({"--module", "Hollowmere", "--seed", "7", "--map", "1"}), 2);
    EXPECT_EQ(run({"--module", "Hollowmere", "--seed", "x", "--map", "1", "--png", "a.png"}), 2);
    EXPECT_EQ(
        run({"--module", "Hollowmere", "--seed", "7", "--map", "1", "--at", "5", "--png", "a.png"}),
        2);
    EXPECT_EQ(run({"--bogus", "1"}), 2);
#ifdef KV_GAME_DIR
    EXPECT_EQ(run({"--module", "No Such Module", "--game-dir", KV_GAME_DIR, "--seed", "7", "--map",
                   "1", "--png", "a.png"}),
              2);
#endif
}

TEST(Render_View, TheCellarsSeenFromTheirEntranceMatchTheirReference) {
#ifndef KV_GAME_DIR
    GTEST_SKIP() << "this build makes no game folder: the content generator is not built";
#else
    TTemp_Dir dir;
    const std::string png = dir.Path() + "view.png";
    ASSERT_EQ(run({"--module", "Hollowmere", "--game-dir", KV_GAME_DIR, "--seed", "7", "--map", "2",
                   "--png", png}),
              0);
    const std::string picture = read_file(png);
    ASSERT_FALSE(picture.empty());
    const std::string reference_path =
        std::string(KV_FIXTURES_DIR) + "/render_view/hollowmere_seed7_map2.png";
    if (std::getenv("KV_REFRESH_REFERENCE")) {
        std::ofstream(reference_path, std::ios::binary) << picture;
        GTEST_SKIP() << "reference written to " << reference_path << ": review it by eye";
    }
    const std::string reference = read_file(reference_path);
    ASSERT_FALSE(reference.empty()) << "no reference at " << reference_path;
    // The encoder gives the same bytes for the same pixels, so the files compare exactly.
    const std::string kept =
        (std::filesystem::temp_directory_path() / "render_view_hollowmere.png").string();
    EXPECT_TRUE(picture == reference)
        << "the view differs from " << reference_path << "; the new one is kept as " << kept;
    if (picture != reference)
        std::ofstream(kept, std::ios::binary) << picture;
#endif
}

} // namespace
