// Writing and reading whole files safely: the bytes land complete; a write that cannot be done
// (past the size limit, onto a device or a pipe) says why and leaves the old file as it was;
// reading takes only ordinary files and never waits on a pipe.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "FileAccess.h"
#include "SafeWrite.h"

using namespace tarvell;
namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<unsigned char>;

Bytes contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A folder of the test's own, removed with everything in it.
class Scratch : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("tarvell-files-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path at(const char* name) const { return dir_ / name; }
    fs::path dir_;
};

// The process may write files of at most `bytes` while it lives.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old_); }

  private:
    rlimit old_{};
};

}  // namespace

using SafeWrite = Scratch;
using ReadRegularFile = Scratch;

TEST_F(SafeWrite, ReplacesTheFileWhole) {
    std::ofstream(at("a.bin")) << "an older, longer content";
    const Bytes bytes = {0, 1, 2, 255, 10};
    EXPECT_EQ(writeFileSafely(at("a.bin").string(), bytes), "");
    EXPECT_EQ(contents(at("a.bin")), bytes);
}

TEST_F(SafeWrite, AFolderThatIsNotThereGivesTheReason) {
    const fs::path path = at("no-such-folder") / "design.dtv";
    const Bytes bytes = {1, 2, 3};
    EXPECT_NE(writeFileSafely(path.string(), bytes), "");
    EXPECT_NE(writeFileSafely("", bytes), "");
    EXPECT_FALSE(fs::exists(path.parent_path()));
}

TEST_F(SafeWrite, AWritePastTheSizeLimitFailsAndKeepsTheOldFile) {
    const Bytes old(300, 7);
    ASSERT_EQ(writeFileSafely(at("design.dtv").string(), old), "");
    const Bytes design(1440, 1);  // a whole data file, past a 1,024-byte limit
    std::string reason;
    {
        const FileSizeLimit limit(1024);
        reason = writeFileSafely(at("design.dtv").string(), design);
    }
    EXPECT_NE(reason.find("only 1024 of 1440 bytes"), std::string::npos) << reason;
    EXPECT_EQ(contents(at("design.dtv")), old);
    // Nothing is left beside it: the temporary file went with the failure.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(SafeWrite, DevicesPipesAndFoldersAreRefusedAndLeftAsTheyWere) {
    ASSERT_EQ(::mkfifo(at("pipe.dtv").c_str(), 0600), 0);
    const Bytes bytes(1440, 1);
    for (const std::string& target : {at("pipe.dtv").string(), std::string("/dev/null")})
        EXPECT_NE(writeFileSafely(target, bytes).find("not an ordinary file"), std::string::npos)
            << target;
    EXPECT_TRUE(fs::is_fifo(at("pipe.dtv")));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_NE(writeFileSafely(dir_.string(), bytes).find("folder"), std::string::npos);
}

TEST_F(ReadRegularFile, ReadsUpToTheLimitAndSaysWhetherThereIsMore) {
    std::ofstream(at("ten")) << "0123456789";
    const FileBytes all = readRegularFile(at("ten").string(), 10);
    ASSERT_TRUE(all.ok()) << all.reason;
    EXPECT_EQ(all.bytes.size(), 10u);
    EXPECT_FALSE(all.longer);
    const FileBytes part = readRegularFile(at("ten").string(), 4);
    EXPECT_EQ(std::string(part.bytes.begin(), part.bytes.end()), "0123");
    EXPECT_TRUE(part.longer);
    EXPECT_NE(readRegularFile(at("none").string(), 4).reason.find("cannot be opened"),
              std::string::npos);
}

TEST_F(ReadRegularFile, PipesDevicesAndFoldersAreRefusedWithoutWaiting) {
    // Nobody writes to the pipe: an ordinary open would wait for ever.
    ASSERT_EQ(::mkfifo(at("pipe").c_str(), 0600), 0);
    for (const std::string& path : {at("pipe").string(), std::string("/dev/zero")}) {
        const FileBytes read = readRegularFile(path, 1440);
        EXPECT_NE(read.reason.find("not an ordinary file"), std::string::npos) << path;
        EXPECT_TRUE(read.bytes.empty());
    }
    EXPECT_NE(readRegularFile(dir_.string(), 10).reason.find("folder"), std::string::npos);
    // Removing takes only ordinary files too.
    EXPECT_FALSE(removeRegularFile(at("pipe").string()));
    EXPECT_TRUE(fs::is_fifo(at("pipe")));
}
