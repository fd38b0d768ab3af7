#include "io/AtomicFile.h"

#include "io/ReadFile.h"
#include "io/TempName.h"
#include "support/TempFolder.h"
#include "support/Why.h"

#include <iostream>
#include <optional>

#ifdef _WIN32
#include "io/WindowsText.h"

#include <windows.h>
#else
#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

using namespace lanternix;
using namespace lanternix::test;
namespace fs = std::filesystem;

#ifndef _WIN32
TEST(AtomicFile, ReplacesWholeOrNotAtAll) {
    TempFolder dir;
    const std::string path = dir.file("menu.lxp"), link = dir.file("link.lxp");
    EXPECT_EQ(why(writeFileAtomically(path, "first")), "");
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0666 & ~mask));

    writeBytes(path, std::string(20000, 'x')); // a longer old file
    ::chmod(path.c_str(), 0640);
    fs::create_symlink(path, link); // the file it points to is replaced and the link stays
    EXPECT_EQ(why(writeFileAtomically(link, "second")), "");
    EXPECT_EQ(readBytes(path), "second");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640));
    EXPECT_TRUE(fs::is_symlink(link));

    const std::string old(9600, 'o');
    writeBytes(path, old);
    // In a child: as a user, as root ignores permissions (1: in no group, 2: in group 4242 as
    // its own, 3: as one of its others); with a 4096-byte file size limit.
    auto saveInChild = [&](int asUser, bool limited, bool killed) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            const rlimit lim{4096, 4096};
            const gid_t group = 4242;
            if ((asUser && ::geteuid() == 0 &&
                 (::setgroups(asUser == 3, &group) || ::setgid(asUser == 2 ? group : 65534) ||
                  ::setuid(65534))) ||
                (limited && ::setrlimit(RLIMIT_FSIZE, &lim)) ||
                (!killed && std::signal(SIGXFSZ, SIG_IGN) == SIG_ERR))
                ::_exit(99);
            const std::string r = why(writeFileAtomically(path, std::string(50000, 'n')));
            ::_exit(r.empty() ? 0 : r == "Permission denied" ? 1 : r == "File too large" ? 2 : 3);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status);
    };

    ::chmod(path.c_str(), 0666);
    ::chmod(dir.path.c_str(), 0555); // a folder the user may not write to, though the file
    EXPECT_EQ(saveInChild(1, false, false), 1);
    ::chmod(dir.path.c_str(), 0777);
    ::chmod(path.c_str(), 0444); // a read-only file in a folder that would allow the rename
    EXPECT_EQ(saveInChild(1, false, false), 1);
    ::chmod(path.c_str(), 0644);
    EXPECT_EQ(saveInChild(0, true, false), 2);
    EXPECT_EQ(dir.entries(), 2);
    EXPECT_EQ(saveInChild(0, true, true), -SIGXFSZ);
    EXPECT_EQ(readBytes(path), old);
    // The killed save's file stays until the next save of the same target.
    EXPECT_EQ(dir.entries(), 3);
    EXPECT_EQ(why(writeFileAtomically(path, old)), "");
    EXPECT_EQ(dir.entries(), 2);
    // Writable through the file's group only, the user's own or another of its groups.
    for (const int asUser : {2, 3}) {
        if (::geteuid() == 0 && !::chown(path.c_str(), 0, 4242) && !::chmod(path.c_str(), 0464)) {
            EXPECT_EQ(saveInChild(asUser, false, false), 0) << asUser;
        }
    }
    if (::geteuid() == 0) { // root goes by any write bit, though only the group's is set
        EXPECT_EQ(why(writeFileAtomically(path, old)), "");
        // and keeps the owner and group, or a web server could read the page no more.
        struct stat st {};
        ASSERT_EQ(::chown(path.c_str(), 4343, 4242) | ::chmod(path.c_str(), 02640), 0);
        EXPECT_EQ(why(writeFileAtomically(path, "new")), "");
        ASSERT_EQ(::stat(path.c_str(), &st), 0);
        EXPECT_EQ(std::tuple(st.st_uid, st.st_gid, st.st_mode & 07777),
                  std::tuple(4343u, 4242u, 02640u));
    }
}
#endif

// Refused before anything on disk changes, for writing and for reading, on every system.
TEST(AtomicFile, ReplacesAndReadsOnlyRegularFiles) {
    TempFolder dir;
    // "page" in Cyrillic: a name outside any 8-bit code page.
    const std::string page = dir.file("\xD1\x81\xD1\x82\xD1\x80.htm"), none = dir.file("none");
    writeBytes(page, "old");
    fs::create_directory(pathFromUtf8(dir.file("folder")));
    fs::permissions(pathFromUtf8(page), fs::perms(0222), fs::perm_options::remove); // read-only
    const std::string notRegular = "Not a regular file", broken = "Broken symbolic link";
    std::vector<std::pair<std::string, std::string>> cases = {
        {page, "Permission denied"}, {dir.file("folder"), "Is a directory"}};
#ifdef _WIN32
    const std::string pipe = "\\\\.\\pipe\\lanternix-" + std::to_string(GetCurrentProcessId());
    for (int i = 0; i < 2; ++i) // one for each look at it
        ASSERT_NE(CreateNamedPipeW(toUtf16(pipe)->c_str(), PIPE_ACCESS_DUPLEX, 0, 2, 0, 0, 0, {}),
                  INVALID_HANDLE_VALUE);
    cases.insert(cases.end(), {{"NUL", notRegular}, {pipe, notRegular}});
    // Wine makes no links, though it says it did.
    const std::string link = dir.file("dangling");
    if (CreateSymbolicLinkW(toUtf16(link)->c_str(), toUtf16(none)->c_str(),
                            SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) &&
        GetFileAttributesW(toUtf16(link)->c_str()) != INVALID_FILE_ATTRIBUTES)
        cases.push_back({link, broken});
    else
        std::cout << "[  NOTE    ] no symbolic link could be made: the broken link is not tried\n";
#else
    // A device of our own where root may make one, so that a fault cannot replace /dev/null.
    const std::string device = dir.file("null"), fifo = dir.file("fifo"), loop = dir.file("loop");
    const std::string null =
        ::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) ? "/dev/null" : device;
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_symlink(none, dir.file("dangling"));
    fs::create_symlink(loop, loop);
    cases.insert(cases.end(), {{null, notRegular},
                               {fifo, notRegular}, // never waits for a writer
                               {dir.file("dangling"), broken},
                               {loop, "Too many levels of symbolic links"}});
#endif
    const long entries = dir.entries();
    for (const auto& [path, reason] : cases) {
        EXPECT_EQ(why(writeFileAtomically(path, "new")), reason) << path;
        EXPECT_EQ(why(readWholeFile(path, 100)), path == page ? "" : reason);
    }
    EXPECT_EQ(dir.entries(), entries); // no temporary file left
    EXPECT_EQ(readBytes(page), "old");
#ifndef _WIN32
    EXPECT_TRUE(fs::is_fifo(fifo) && fs::is_character_file(null));
#endif
    EXPECT_FALSE(fs::exists(pathFromUtf8(none)));
    const Result<std::string> big = readWholeFile(page, 2);
    EXPECT_EQ(std::pair(big.failure().kind, why(big)),
              std::pair(Fault::TooLarge, std::string("File too large")));
    EXPECT_EQ(readWholeFile(none, 100).failure().kind, Fault::NotFound);

    // The temporary file of a killed save goes with the next save; one that a save in progress
    // holds, and names that only look alike, stay.
    fs::permissions(pathFromUtf8(page), fs::perms::owner_write, fs::perm_options::add);
    const std::string stem = dir.file(".\xD1\x81\xD1\x82\xD1\x80.htm.lx-");
    const std::string stale = stem + "A0zZ9a", live = stem + "Live00";
    for (const std::string& name : {stale, live, stem + "a1B2c", stem + "a1B2c34", stem + "a1B2-3"})
        writeBytes(name, "left");
#ifdef _WIN32
    const HANDLE held =
        CreateFileW(toUtf16(live)->c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
#else
    const int held = ::open(live.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
#endif
    EXPECT_EQ(why(writeFileAtomically(page, "new")), "");
    EXPECT_EQ(readBytes(page), "new");
    EXPECT_FALSE(fs::exists(pathFromUtf8(stale)));
    EXPECT_EQ(dir.entries(), entries + 4);
#ifdef _WIN32
    CloseHandle(held);
    EXPECT_FALSE(GetFileAttributesW(toUtf16(page)->c_str()) & FILE_ATTRIBUTE_HIDDEN); // as before
#else
    ::close(held);
#endif

    // The longest name a folder allows still saves: the temporary name is cut to fit.
    const std::string longest = dir.file(std::string(251, 'n') + ".htm");
    EXPECT_EQ(why(writeFileAtomically(longest, "x")), "");
    EXPECT_EQ(readWholeFile(longest, 10).value(), "x");
    EXPECT_EQ(dir.entries(), entries + 5);
    // Cut at a character: two bytes each on POSIX, one UTF-16 unit each on Windows.
    EXPECT_EQ(tempStem("\xD0\xBC\xD0\xB5\xD0\xBD\xD1\x8E", 17, false),
              ".\xD0\xBC\xD0\xB5\xD0\xBD.lx-");
    EXPECT_EQ(tempStem("\xE0\xA4\x85\xE0\xA4\x85", 16, false), ".\xE0\xA4\x85.lx-"); // 3 bytes
    EXPECT_EQ(tempStem("a\xE0", 13, false), ".a\xE0.lx-"); // a character cut short is a byte
    EXPECT_EQ(tempStem("\xD0\xBC\xD0\xB5\xD0\xBD\xD1\x8E", 17, true),
              ".\xD0\xBC\xD0\xB5\xD0\xBD\xD1\x8E.lx-");
}
