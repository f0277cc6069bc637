// Saving over existing files: permissions, hard links, links, files the user may not write, and
// a save ended by a signal.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "core/text/text_file.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

int ModeOf(const fs::path& p) {
    struct stat st {};
    ::lstat(p.c_str(), &st);
    return static_cast<int>(st.st_mode & 07777);
}

// Names in the folder other than the given ones.
std::vector<std::string> Others(const fs::path& dir, const std::vector<std::string>& known) {
    std::vector<std::string> others;
    for (const auto& e : fs::directory_iterator(dir))
        if (std::find(known.begin(), known.end(), e.path().filename()) == known.end())
            others.push_back(e.path().filename());
    return others;
}

TEST(FileSave, KeepsModeHardLinksAndLinks) {
    test::TempDir dir;
    // A replaced file keeps its permission bits.
    const fs::path results = dir / "results.txt";
    WriteBytes(results, "old");
    ::chmod(results.c_str(), 0640);
    ASSERT_TRUE(WriteFileAtomically(results, "new"));
    EXPECT_EQ(ReadBytes(results), "new");
    EXPECT_EQ(ModeOf(results), 0640);

    // Two hard links stay one file.
    const fs::path linked = dir / "linked.txt";
    fs::create_hard_link(results, linked);
    ASSERT_TRUE(WriteFileAtomically(results, "newer"));
    EXPECT_EQ(ReadBytes(linked), "newer");
    EXPECT_EQ(fs::hard_link_count(results), 2u);

    // A dangling link is written through: the link stays and its target appears.
    const fs::path link = dir / "link.txt";
    fs::create_symlink("target.txt", link);
    ASSERT_TRUE(WriteFileAtomically(link, "through"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(dir / "target.txt"), "through");
    EXPECT_EQ(Others(dir.Path(), {"results.txt", "linked.txt", "link.txt", "target.txt"}),
              std::vector<std::string>{});
}

// A file the user could not write in place is not replaced, even in a folder anyone may write.
// Run as an unprivileged user: "nobody" when the tests run as root.
TEST(FileSave, RefusesFilesTheUserCannotWrite) {
    test::TempDir dir;
    const uid_t nobody = 65534;
    const bool root = ::geteuid() == 0;
    const fs::path open = dir / "open";
    fs::create_directory(open);
    ::chmod(open.c_str(), 0777); // anyone may write in it
    const fs::path readOnly = open / "readonly.txt", others = open / "others.txt";
    WriteBytes(readOnly, "mine, read-only");
    ::chmod(readOnly.c_str(), 0444);
    WriteBytes(others, "someone else's");
    if (root) {
        ::chmod(dir.Path().c_str(), 0755);
        ASSERT_EQ(::chown(readOnly.c_str(), nobody, nobody), 0);
        // others.txt stays root's, 0644.
    }
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (root && (::setgid(nobody) != 0 || ::setuid(nobody) != 0)) ::_exit(99);
        int result = WriteFileAtomically(readOnly, "replaced") ? 1 : 0;
        if (root) result |= WriteFileAtomically(others, "replaced") ? 2 : 0;
        ::_exit(result);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 99) GTEST_SKIP() << "cannot become the unprivileged user nobody";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadBytes(readOnly), "mine, read-only");
    EXPECT_EQ(ReadBytes(others), "someone else's");
    EXPECT_EQ(Others(open, {"readonly.txt", "others.txt"}), std::vector<std::string>{});
    if (!root) GTEST_SKIP() << "not root: the file of another owner was not tried";
}

// SIGTERM during a save: the temporary file goes, the old file stays, the status is 143.
TEST(FileSave, ASignalDuringASaveLeavesNoTemporaryFile) {
    test::TempDir dir;
    const fs::path target = dir / "big.txt";
    WriteBytes(target, "old contents\r\n");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const std::string big(std::size_t{128} << 20, 'x');
        for (;;) WriteFileAtomically(target, big);
    }
    // Wait for the temporary file (".big.txt.zirtel-tmp-XXXXXX"), then stop the writer.
    bool seen = false;
    for (int i = 0; i < 20000 && !seen; ++i) {
        for (const auto& e : fs::directory_iterator(dir.Path()))
            if (e.path().filename().string().starts_with(".big.txt.zirtel-tmp-")) seen = true;
        if (!seen) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ::kill(child, SIGTERM);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(seen);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 143);
    EXPECT_EQ(ReadBytes(target), "old contents\r\n");
    EXPECT_EQ(Others(dir.Path(), {"big.txt"}), std::vector<std::string>{});
}

} // namespace
} // namespace zirtel
