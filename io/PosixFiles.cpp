// The file tools on POSIX systems.
#include "io/AtomicFile.h"
#include "io/FileReason.h"
#include "io/ReadFile.h"
#include "io/TempName.h"
#include "io/Utf8Path.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace lanternix {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { reset(); }
    int get() const { return fd_; }
    // Closes now, for the error that close itself may report.
    int reset() {
        const int r = fd_ >= 0 ? ::close(fd_) : 0;
        fd_ = -1;
        return r;
    }

private:
    int fd_;
};

Failure cannotWrite(int err) {
    return {Fault::CannotWrite, fileReason(err)};
}

bool inGroup(gid_t gid) {
    if (::getegid() == gid)
        return true;
    const int n = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(static_cast<std::size_t>(n > 0 ? n : 0));
    const int got = ::getgroups(n, groups.data());
    for (int i = 0; i < got; ++i)
        if (groups[static_cast<std::size_t>(i)] == gid)
            return true;
    return false;
}

// From the permission bits that apply to this user, not access(), which lets root write
// everything: a file that nobody may write is read-only for root too.
bool readOnly(const struct stat& st) {
    const uid_t uid = ::geteuid();
    if (uid == 0)
        return (st.st_mode & 0222) == 0;
    if (uid == st.st_uid)
        return (st.st_mode & S_IWUSR) == 0;
    if (inGroup(st.st_gid))
        return (st.st_mode & S_IWGRP) == 0;
    return (st.st_mode & S_IWOTH) == 0;
}

int kindError(const struct stat& st) {
    if (S_ISDIR(st.st_mode))
        return EISDIR;
    return S_ISREG(st.st_mode) ? 0 : NotRegularFile;
}

struct Target {
    std::string path; // links followed to the end
    bool exists = false;
    struct stat st {};
};

// Only a regular file that this user may write is replaced; saving through a link replaces
// the file it points to, not the link.
int findTarget(const std::string& path, Target& t) {
    t.path = path;
    if (::lstat(path.c_str(), &t.st) != 0)
        return errno == ENOENT ? 0 : errno; // a new file; a missing folder shows on creation
    if (S_ISLNK(t.st.st_mode)) {
        if (::stat(path.c_str(), &t.st) != 0)
            return errno == ENOENT ? BrokenLink : errno;
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved) == nullptr)
            return errno;
        t.path = resolved;
    }
    t.exists = true;
    if (const int err = kindError(t.st))
        return err;
    return readOnly(t.st) ? EACCES : 0;
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// A save holds a lock on its temporary file for as long as the file exists; one that was
// killed holds none, so its file is stale and goes.
void removeStaleTemps(const std::string& folder, const std::string& stem) {
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir)
        return;
    while (const dirent* e = ::readdir(dir.get())) {
        if (!isTempOf(e->d_name, stem))
            continue;
        const std::string p = folder + "/" + e->d_name;
        const FileDescriptor fd(::open(p.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat a {
        }, b{};
        if (fd.get() >= 0 && ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0 &&
            ::fstat(fd.get(), &a) == 0 && S_ISREG(a.st_mode) && ::lstat(p.c_str(), &b) == 0 &&
            sameFile(a, b))
            ::unlink(p.c_str());
    }
}

int writeAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return EIO;
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return 0;
}

} // namespace

std::string errnoReason(int err) {
    return std::strerror(err);
}

Result<> writeFileAtomically(const std::string& path, std::string_view bytes) {
    Target target;
    if (const int err = findTarget(path, target))
        return cannotWrite(err);
    const std::filesystem::path split(target.path);
    const std::string folder = split.has_parent_path() ? split.parent_path().string() : ".";
    const long nameMax = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    const std::string stem =
        tempStem(split.filename().string(), nameMax > 0 ? std::size_t(nameMax) : 255, false);
    removeStaleTemps(folder, stem);

    // The lock lives on a second descriptor, so that the first can be closed (and its error
    // seen) before the rename.
    std::string tmp;
    int lockFd = -1;
    for (int attempt = 0; lockFd < 0; ++attempt) {
        tmp = folder + "/" + stem + std::string(TempSuffixLength, 'X');
        const int fd = ::mkostemp(tmp.data(), O_CLOEXEC);
        if (fd < 0)
            return cannotWrite(errno);
        struct stat a {
        }, b{};
        ::flock(fd, LOCK_EX); // where locks are not supported, no save takes it for stale
        if (::fstat(fd, &a) == 0 && ::lstat(tmp.c_str(), &b) == 0 && sameFile(a, b)) {
            lockFd = fd;
        } else {
            ::close(fd); // another save removed it before it was locked
            if (attempt == 3)
                return cannotWrite(EAGAIN);
        }
    }
    const FileDescriptor lock(lockFd);
    FileDescriptor file(::fcntl(lockFd, F_DUPFD_CLOEXEC, 0));
    if (file.get() < 0) {
        const int err = errno;
        ::unlink(tmp.c_str());
        return cannotWrite(err);
    }

    // Keep the old file's owner, group and permissions (a web server may read it by its group);
    // a new file gets the usual 0666 less the umask. Who may not give the file away keeps at
    // least its group where allowed. The mode comes last, as a change of owner clears set-ID bits.
    if (target.exists) {
        [[maybe_unused]] const bool kept =
            ::fchown(file.get(), target.st.st_uid, target.st.st_gid) == 0 ||
            ::fchown(file.get(), uid_t(-1), target.st.st_gid) == 0;
        ::fchmod(file.get(), target.st.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(file.get(), 0666 & ~mask);
    }
    int err = writeAll(file.get(), bytes);
    if (err == 0 && ::fsync(file.get()) != 0)
        err = errno;
    if (file.reset() != 0 && err == 0)
        err = errno;
    if (err == 0 && std::rename(tmp.c_str(), target.path.c_str()) != 0)
        err = errno;
    if (err != 0) {
        ::unlink(tmp.c_str());
        return cannotWrite(err);
    }
    // Make the rename itself durable; the new file is in place either way.
    const FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
    return {};
}

namespace {

// The whole file, or with partial only its first maxBytes.
Result<std::string> readRegularFile(const std::string& path, std::size_t maxBytes, bool partial) {
    auto fail = [](int err) {
        const Fault kind = err == ENOENT  ? Fault::NotFound
                           : err == EFBIG ? Fault::TooLarge
                                          : Fault::CannotRead;
        return Failure{kind, fileReason(err)};
    };
    // Looked at before opening, as opening a device may do something of its own.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        const int err = errno;
        return fail(err == ENOENT && ::lstat(path.c_str(), &st) == 0 ? BrokenLink : err);
    }
    if (const int err = kindError(st))
        return fail(err);
    // Should it have become a pipe meanwhile, O_NONBLOCK keeps the open from waiting.
    const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0)
        return fail(errno);
    if (::fstat(fd.get(), &st) != 0)
        return fail(errno);
    if (const int err = kindError(st))
        return fail(err);

    // One byte more than the size, to see a file that grew meanwhile.
    std::string bytes(std::min<std::size_t>(maxBytes + 1, std::size_t(st.st_size) + 1), '\0');
    std::size_t have = 0;
    for (;;) {
        if (have == bytes.size()) {
            if (have > maxBytes && partial) {
                have = maxBytes;
                break;
            }
            if (have > maxBytes)
                return fail(EFBIG);
            bytes.resize(std::min(maxBytes + 1, have * 2));
        }
        const ssize_t n = ::read(fd.get(), bytes.data() + have, bytes.size() - have);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return fail(errno);
        if (n == 0)
            break;
        have += static_cast<std::size_t>(n);
    }
    bytes.resize(have);
    return bytes;
}

} // namespace

Result<std::string> readWholeFile(const std::string& path, std::size_t maxBytes) {
    return readRegularFile(path, maxBytes, false);
}

Result<std::string> readFileStart(const std::string& path, std::size_t maxBytes) {
    return readRegularFile(path, maxBytes, true);
}

Result<> createEmptyFile(const std::string& path) {
    // O_EXCL: never truncate a file that appeared meanwhile.
    const FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd.get() < 0 && errno != EEXIST)
        return cannotWrite(errno);
    return {};
}

} // namespace lanternix
