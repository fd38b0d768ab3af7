#pragma once

#include <functional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace lanternix::test {

struct ChildOutcome {
    std::string said; // what the child wrote back
    int status = 0;   // as from waitpid
};

// Runs fn in a forked child, for steps that change process-wide limits or identity, or that
// are meant to kill the process. The child's answer comes back through a pipe.
inline ChildOutcome runInChild(const std::function<std::string()>& fn) {
    int fds[2];
    if (::pipe(fds) != 0)
        return {"pipe failed", -1};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        const std::string said = fn();
        [[maybe_unused]] auto n = ::write(fds[1], said.data(), said.size());
        ::_exit(0);
    }
    ::close(fds[1]);
    ChildOutcome out;
    char buf[512];
    for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;)
        out.said.append(buf, static_cast<std::size_t>(n));
    ::close(fds[0]);
    ::waitpid(pid, &out.status, 0);
    return out;
}

// Permission checks do not apply to root, so a child that tests them gives up root first.
inline bool dropRoot() {
    if (::geteuid() != 0)
        return true;
    return ::setgid(65534) == 0 && ::setuid(65534) == 0;
}

} // namespace lanternix::test
