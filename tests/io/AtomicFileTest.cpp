#include "io/AtomicFile.h"

#include "support/TempFolder.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace lanternix;
using namespace lanternix::test;
namespace fs = std::filesystem;

TEST(AtomicFile, ReplacesWholeOrNotAtAll) {
    TempFolder dir;
    const std::string path = dir.file("menu.lxp"), link = dir.file("link.lxp");
    EXPECT_EQ(writeFileAtomically(path, "first"), std::nullopt);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0666 & ~mask));

    writeBytes(path, std::string(20000, 'x')); // a longer old file
    ::chmod(path.c_str(), 0640);
    fs::create_symlink(path, link); // the file it points to is replaced and the link stays
    EXPECT_EQ(writeFileAtomically(link, "second"), std::nullopt);
    EXPECT_EQ(readBytes(path), "second");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640));
    EXPECT_TRUE(fs::is_symlink(link));

    const std::string old(9600, 'o');
    writeBytes(path, old);
    // In a child: as a user, as root ignores permissions; with a 4096-byte file size limit.
    auto saveInChild = [&](bool asUser, bool limited, bool killed) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            const rlimit lim{4096, 4096};
            if ((asUser && ::geteuid() == 0 && (::setgid(65534) || ::setuid(65534))) ||
                (limited && ::setrlimit(RLIMIT_FSIZE, &lim)) ||
                (!killed && std::signal(SIGXFSZ, SIG_IGN) == SIG_ERR))
                ::_exit(99);
            const auto why = writeFileAtomically(path, std::string(50000, 'n'));
            ::_exit(!why ? 0 : *why == "Permission denied" ? 1 : *why == "File too large" ? 2 : 3);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status);
    };

    ::chmod(dir.path.c_str(), 0555); // a folder the user may not write to
    EXPECT_EQ(saveInChild(true, false, false), 1);
    ::chmod(dir.path.c_str(), 0777);
    ::chmod(path.c_str(), 0444); // a read-only file in a folder that would allow the rename
    EXPECT_EQ(saveInChild(true, false, false), 1);
    ::chmod(path.c_str(), 0644);
    EXPECT_EQ(saveInChild(false, true, false), 2);
    EXPECT_EQ(dir.entries(), 2);
    EXPECT_EQ(saveInChild(false, true, true), -SIGXFSZ);
    EXPECT_EQ(readBytes(path), old);
}
