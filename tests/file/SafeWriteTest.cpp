// Writing a whole file safely: the bytes land complete, and a write that cannot be done says
// why and leaves nothing behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "SafeWrite.h"

using namespace tarvell;

TEST(SafeWrite, ReplacesTheFileWhole) {
    const auto path = std::filesystem::temp_directory_path() / "tarvell-safe-write-test.bin";
    std::ofstream(path) << "an older, longer content";
    const std::vector<unsigned char> bytes = {0, 1, 2, 255, 10};
    EXPECT_EQ(writeFileSafely(path.string(), bytes), "");
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> back{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
    std::filesystem::remove(path);
    EXPECT_EQ(back, bytes);
}

TEST(SafeWrite, AFolderThatIsNotThereGivesTheReason) {
    const auto path =
        std::filesystem::temp_directory_path() / "tarvell-no-such-folder" / "design.dtv";
    const std::vector<unsigned char> bytes = {1, 2, 3};
    EXPECT_NE(writeFileSafely(path.string(), bytes), "");
    EXPECT_NE(writeFileSafely("", bytes), "");
    EXPECT_FALSE(std::filesystem::exists(path.parent_path()));
}
