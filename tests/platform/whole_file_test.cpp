// Files read whole within a bound, and files written beside their path and put in place whole.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "platform/whole_file.h"

namespace vekora {
namespace {

namespace fs = std::filesystem;

class Folder : public ::testing::Test {
protected:
    Folder() : folder_(fs::temp_directory_path() / ("vekora-whole-" + std::to_string(::getpid()))) {
        fs::create_directories(folder_);
    }
    ~Folder() override { fs::remove_all(folder_); }
    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }
    static void Write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    int Entries() const { return static_cast<int>(std::distance(fs::directory_iterator(folder_), {})); }
    fs::path folder_;
};

TEST_F(Folder, ReadsWithinTheBoundAndRefusesWhatItCannotUse) {
    Write(PathOf("ten"), "0123456789");
    Write(PathOf("mega"), std::string((1 << 20) + 1, 'x'));
    fs::create_directories(PathOf("sub"));
    const struct {
        std::string path;
        std::size_t maxBytes;
        std::string bytes;
        std::string error;
    } cases[] = {
        {PathOf("ten"), 10, "0123456789", ""},
        {PathOf("mega"), 1 << 20, "", "larger than 1 MB, more than any lesson needs"},
        {PathOf("sub"), 100, "", "Is a directory"},
        {PathOf("absent"), 100, "", "No such file or directory"},
        {"/dev/zero", 1 << 20, "", "larger than 1 MB, more than any lesson needs"},
    };
    for (const auto& c : cases) {
        const FileContent content = ReadWholeFile(c.path, c.maxBytes);
        EXPECT_EQ(content.bytes, c.bytes) << c.path;
        EXPECT_EQ(content.error, c.error) << c.path;
    }
}

TEST_F(Folder, ACommittedFileAppearsWholeWithTheUsualPermissions) {
    const std::string path = PathOf("out.txt");
    Write(path, "old");
    {
        AtomicFile file(path);
        ASSERT_TRUE(file.Ready()) << file.Error();
        EXPECT_EQ(fs::path(file.TempPath()).parent_path(), folder_);
        EXPECT_EQ(fs::path(file.TempPath()).extension(), ".txt");
        Write(file.TempPath(), "new and whole");
        EXPECT_EQ(Read(path), "old") << "the path keeps the old file until the commit";
        EXPECT_EQ(file.Commit(), "");
    }
    EXPECT_EQ(Read(path), "new and whole");
    EXPECT_EQ(Entries(), 1) << "no temporary file is left";
    const mode_t mask = ::umask(0);
    ::umask(mask);
    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0666 & ~mask);
}

TEST_F(Folder, AFileNotCommittedLeavesNothing) {
    const std::string kept = PathOf("kept.txt"), absent = PathOf("absent.txt");
    Write(kept, "old");
    {
        AtomicFile replacing(kept), creating(absent);
        Write(replacing.TempPath(), "half");
        Write(creating.TempPath(), "half");
    }
    EXPECT_EQ(Read(kept), "old");
    EXPECT_FALSE(fs::exists(absent));
    EXPECT_EQ(Entries(), 1);
}

TEST_F(Folder, AFileThatCannotBeWrittenSaysWhy) {
    AtomicFile nowhere(PathOf("no-such-folder/out.txt"));
    EXPECT_FALSE(nowhere.Ready());
    EXPECT_NE(nowhere.Error().find("out.txt: cannot create a file beside it"), std::string::npos) << nowhere.Error();
    EXPECT_NE(nowhere.Commit(), "");

    // A folder in the way is refused before anything is written, and nothing is left.
    fs::create_directories(PathOf("taken"));
    AtomicFile blocked(PathOf("taken"));
    EXPECT_FALSE(blocked.Ready());
    EXPECT_NE(blocked.Error().find("taken: not a file that can be written"), std::string::npos) << blocked.Error();
    EXPECT_NE(blocked.Commit(), "");
    EXPECT_TRUE(fs::is_directory(PathOf("taken")));
    EXPECT_EQ(Entries(), 1);
}

// Writes `text` through an AtomicFile at `path` as the outputs do; the commit's answer.
std::string WriteThrough(const std::string& path, const std::string& text) {
    AtomicFile file(path);
    if (!file.Ready()) return file.Error();
    std::ofstream(file.TempPath(), std::ios::binary) << text;
    return file.Commit();
}

TEST_F(Folder, ALinkIsFollowedAndThePlaceItNamesReplaced) {
    fs::create_directories(PathOf("real"));
    Write(PathOf("real/picture.png"), "old");
    fs::create_symlink("real/picture.png", PathOf("relative.png"));
    fs::create_symlink(PathOf("relative.png"), PathOf("chain.png"));
    fs::create_symlink("real/new.png", PathOf("dangling.png"));
    fs::create_symlink("loop-b", PathOf("loop-a"));
    fs::create_symlink("loop-a", PathOf("loop-b"));

    EXPECT_EQ(WriteThrough(PathOf("chain.png"), "through two links"), "");
    EXPECT_TRUE(fs::is_symlink(PathOf("chain.png")));
    EXPECT_TRUE(fs::is_symlink(PathOf("relative.png")));
    EXPECT_EQ(Read(PathOf("real/picture.png")), "through two links");

    // A link to a file not yet there makes the file where the link points.
    EXPECT_EQ(WriteThrough(PathOf("dangling.png"), "made"), "");
    EXPECT_TRUE(fs::is_symlink(PathOf("dangling.png")));
    EXPECT_EQ(Read(PathOf("real/new.png")), "made");

    EXPECT_NE(WriteThrough(PathOf("loop-a"), "never"), "");
    EXPECT_TRUE(fs::is_symlink(PathOf("loop-a")));
    EXPECT_EQ(Entries(), 6) << "no temporary file is left";
    EXPECT_EQ(std::distance(fs::directory_iterator(PathOf("real")), {}), 2);
}

TEST_F(Folder, APipeIsWrittenWhereItIsAndNeverReplaced) {
    const std::string pipe = PathOf("pipe.gif");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = Read(pipe); });
    EXPECT_EQ(WriteThrough(pipe, "streamed"), "");
    reader.join();
    EXPECT_EQ(received, "streamed");
    struct stat status {};
    ASSERT_EQ(::lstat(pipe.c_str(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    EXPECT_EQ(Entries(), 1);
}

// A device node of this folder's own that discards what it is given, as the machine's null
// device does (only root may make one).
TEST_F(Folder, ADeviceIsWrittenWhereItIsAndNeverReplaced) {
    const std::string device = PathOf("null.png");
    if (::mknod(device.c_str(), S_IFCHR | 0600, ::makedev(1, 3)) != 0) GTEST_SKIP() << "no right to make a device node";
    EXPECT_EQ(WriteThrough(device, "discarded"), "");
    struct stat status {};
    ASSERT_EQ(::lstat(device.c_str(), &status), 0);
    EXPECT_TRUE(S_ISCHR(status.st_mode));
    EXPECT_EQ(Entries(), 1);
}

}  // namespace
}  // namespace vekora
