#include "project/AtomicFile.h"

#include "ChildProcess.h"
#include "TempFolder.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

using namespace lanternix;
using namespace lanternix::test;

namespace {

mode_t modeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

} // namespace

TEST(AtomicFile, ReplacesWholeAndKeepsPermissions) {
    TempFolder dir;
    const std::string path = dir.file("menu.lxp");
    EXPECT_EQ(writeFileAtomically(path, "first"), std::nullopt);
    EXPECT_EQ(readBytes(path), "first");
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(modeOf(path), 0666 & ~mask);

    writeBytes(path, std::string(20000, 'x')); // a longer old file
    ::chmod(path.c_str(), 0640);
    EXPECT_EQ(writeFileAtomically(path, "second"), std::nullopt);
    EXPECT_EQ(readBytes(path), "second");
    EXPECT_EQ(modeOf(path), 0640u);

    // Through a link the file it points to is replaced and the link stays.
    const std::string link = dir.file("link.lxp");
    std::filesystem::create_symlink(path, link);
    EXPECT_EQ(writeFileAtomically(link, "third"), std::nullopt);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readBytes(path), "third");
    EXPECT_EQ(dir.listing(), "link.lxp\nmenu.lxp\n"); // no temporary files left
}

TEST(AtomicFile, FailuresLeaveTheOldFileWhole) {
    TempFolder dir;
    EXPECT_EQ(writeFileAtomically(dir.file("gone/menu.lxp"), "x"), "No such file or directory");
    std::filesystem::create_directory(dir.file("sub"));
    EXPECT_EQ(writeFileAtomically(dir.file("sub"), "x"), "Is a directory");

    const std::string old = "old project bytes";
    const std::string path = dir.file("menu.lxp");
    writeBytes(path, old);

    auto saveAsUser = [&] {
        return runInChild([&] {
                   return dropRoot() ? writeFileAtomically(path, "new").value_or("written")
                                     : std::string("cannot drop root");
               })
            .said;
    };
    ::chmod(dir.path().c_str(), 0555); // a folder the user may not write to
    EXPECT_EQ(saveAsUser(), "Permission denied");
    EXPECT_EQ(readBytes(path), old);
    ::chmod(dir.path().c_str(), 0777);
    ::chmod(path.c_str(), 0444); // a read-only file in a folder that would allow the rename
    EXPECT_EQ(saveAsUser(), "Permission denied");
    EXPECT_EQ(readBytes(path), old);
    ::chmod(path.c_str(), 0644);
    ::chmod(dir.path().c_str(), 0700);
    EXPECT_EQ(dir.listing(), "menu.lxp\nsub\n");
}

TEST(AtomicFile, WriteFailingPartWayLeavesTheOldFileWhole) {
    TempFolder dir;
    const std::string path = dir.file("menu.lxp");
    const std::string old(9600, 'o');
    writeBytes(path, old);
    const std::string big(50000, 'n');

    // The device takes 4096 bytes, then write() fails with EFBIG.
    ChildOutcome c = runInChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit lim{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &lim);
        return writeFileAtomically(path, big).value_or("written");
    });
    EXPECT_EQ(c.said, "File too large");
    EXPECT_EQ(readBytes(path), old);
    EXPECT_EQ(dir.listing(), "menu.lxp\n");

    // The same limit with the signal left alone kills the process in the middle of the save.
    c = runInChild([&] {
        const rlimit lim{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &lim);
        return writeFileAtomically(path, big).value_or("written");
    });
    ASSERT_TRUE(WIFSIGNALED(c.status));
    EXPECT_EQ(WTERMSIG(c.status), SIGXFSZ);
    EXPECT_EQ(readBytes(path), old);
}
