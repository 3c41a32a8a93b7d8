#include "platform/ProcessRunner.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace qv530 {
namespace {

constexpr std::size_t kOutputLimit = 64 * 1024;
// How often a child whose pipes are closed is checked for its end.
constexpr int kExitCheckMs = 20;

class Fd {
public:
    Fd() = default;
    ~Fd() { Reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int* put() { return &fd_; }
    void Reset() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
};

// Reads what is waiting on a non-blocking pipe; false once it is at its end.
bool Drain(int fd, std::string& into) {
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            const std::size_t room = kOutputLimit - std::min(kOutputLimit, into.size());
            into.append(buffer, std::min(room, static_cast<std::size_t>(n)));
            continue;
        }
        if (n == 0) return false;
        if (errno == EINTR) continue;
        return errno == EAGAIN || errno == EWOULDBLOCK;
    }
}

bool MakePipe(Fd& readEnd, Fd& writeEnd) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return false;
    *readEnd.put() = fds[0];
    *writeEnd.put() = fds[1];
    return ::fcntl(fds[0], F_SETFL, O_NONBLOCK) == 0;
}

int ExitCodeOf(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -1; }

class SystemRunner final : public ProcessRunner {
public:
    ProcessResult Run(const std::vector<std::string>& argv, int timeoutMs) override {
        ProcessResult result;
        if (argv.empty()) return result;
        std::vector<char*> args;
        for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);

        Fd outRead, outWrite, errRead, errWrite;
        if (!MakePipe(outRead, outWrite) || !MakePipe(errRead, errWrite)) return result;

        posix_spawn_file_actions_t actions;
        posix_spawnattr_t attributes;
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, outWrite.get(), STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, errWrite.get(), STDERR_FILENO);
        // The child starts with no blocked signals and default handling, whatever
        // the calling thread had.
        sigset_t none, all;
        sigemptyset(&none);
        sigfillset(&all);
        posix_spawnattr_setsigmask(&attributes, &none);
        posix_spawnattr_setsigdefault(&attributes, &all);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

        pid_t pid = -1;
        const int spawned = ::posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
        outWrite.Reset();
        errWrite.Reset();
        if (spawned != 0) return result;
        result.started = true;

        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(0, timeoutMs));
        bool outOpen = true, errOpen = true;
        for (;;) {
            int status = 0;
            const pid_t done = ::waitpid(pid, &status, WNOHANG);
            if (done == pid || (done < 0 && errno != EINTR)) {
                // Ended. A grandchild may still hold the pipes open, so take
                // only what is already there.
                if (outOpen) Drain(outRead.get(), result.out);
                if (errOpen) Drain(errRead.get(), result.err);
                result.exitCode = done == pid ? ExitCodeOf(status) : -1;
                return result;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                                  deadline - std::chrono::steady_clock::now())
                                  .count();
            if (left <= 0) break;
            pollfd fds[2];
            nfds_t count = 0;
            if (outOpen) fds[count++] = {outRead.get(), POLLIN, 0};
            if (errOpen) fds[count++] = {errRead.get(), POLLIN, 0};
            const int wait = static_cast<int>(std::min<long long>(left, kExitCheckMs));
            if (::poll(count ? fds : nullptr, count, wait) < 0 && errno != EINTR) break;
            if (outOpen) outOpen = Drain(outRead.get(), result.out);
            if (errOpen) errOpen = Drain(errRead.get(), result.err);
        }
        ::kill(pid, SIGKILL);
        while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
        }
        result.timedOut = true;
        return result;
    }
};

} // namespace

ProcessRunner& SystemProcessRunner() {
    static SystemRunner runner;
    return runner;
}

} // namespace qv530
