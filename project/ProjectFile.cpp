#include "project/ProjectFile.h"

#include "io/AtomicFile.h"
#include "project/ProjectCodec.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace lanternix {

namespace {

std::string cannotOpen(const std::string& path, int err) {
    return "Cannot open the project file \"" + path + "\": " + std::strerror(err) + ".";
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

ProjectRead readProjectFile(const std::string& path, WhenMissing missing) {
    ProjectRead r;
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        const int err = errno;
        if (err != ENOENT || missing == WhenMissing::Fail) {
            r.error = cannotOpen(path, err);
            return r;
        }
        // O_EXCL: never truncate a file that appeared meanwhile.
        FileDescriptor created(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (created.get() < 0 && errno != EEXIST)
            r.error = cannotOpen(path, errno);
        return r;
    }

    // One byte more than the largest project tells a file that cannot be one.
    std::string bytes(MaxProjectFileSize + 1, '\0');
    std::size_t have = 0;
    while (have < bytes.size()) {
        const ssize_t n = ::read(fd.get(), bytes.data() + have, bytes.size() - have);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            r.error = cannotOpen(path, errno);
            return r;
        }
        if (n == 0)
            break;
        have += static_cast<std::size_t>(n);
    }
    bytes.resize(have);
    if (have > MaxProjectFileSize) {
        r.error =
            "\"" + path + "\" is not a valid Lanternix project: it is larger than any project.";
        return r;
    }

    DecodedProject d = decodeProject(bytes);
    if (d.fault) {
        r.error =
            "\"" + path + "\" is not a valid Lanternix project: " + describeFault(*d.fault) + ".";
        return r;
    }
    if (d.longTextsDropped)
        r.warning = "The long texts saved in \"" + path +
                    "\" were dropped: another program has changed the file since, and only its "
                    "shortened texts could be read.";
    r.table = std::move(d.table);
    return r;
}

std::optional<std::string> saveProjectFile(const std::string& path, const MenuTable& table) {
    EncodedProject e = encodeProject(table);
    if (e.error)
        return e.error;
    if (auto reason = writeFileAtomically(path, e.bytes))
        return "Cannot save the project to \"" + path + "\": " + *reason + ".";
    return std::nullopt;
}

} // namespace lanternix
