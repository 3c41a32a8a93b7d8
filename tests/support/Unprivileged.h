#pragma once
// Runs a piece of a test as an ordinary user, so that permission checks
// hold when the tests run as root (as CI does): a forked child drops to
// nobody (65534) first. The folders named are handed to that user before, so
// the child can work in them. The child's report (what it saw) and exit code
// come back to the test, which asserts on them.
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <filesystem>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qv530::test {

inline constexpr uid_t kNobody = 65534;

struct UnprivilegedRun {
    int exitCode = -1;  // the body's result; -1 when the child did not end normally
    std::string report; // what the body wrote into its stream
    bool dropped = false; // the child ran without root rights
};

inline UnprivilegedRun RunUnprivileged(const std::vector<std::string>& folders,
                                       const std::function<int(std::ostream& report)>& body) {
    const bool root = ::geteuid() == 0;
    if (root) {
        for (const std::string& folder : folders) {
            (void)!::lchown(folder.c_str(), kNobody, kNobody);
            for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
                (void)!::lchown(entry.path().c_str(), kNobody, kNobody);
        }
    }
    int channel[2];
    UnprivilegedRun run;
    if (::pipe(channel) != 0) return run;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        if (root && (::setgroups(0, nullptr) != 0 || ::setresgid(kNobody, kNobody, kNobody) != 0 ||
                     ::setresuid(kNobody, kNobody, kNobody) != 0))
            ::_exit(120);
        const char dropped = ::geteuid() != 0 && ::getuid() != 0 ? 'u' : 'r';
        std::ostringstream report;
        const int code = body(report);
        const std::string text = dropped + report.str();
        for (std::size_t done = 0; done < text.size();) {
            const ssize_t n = ::write(channel[1], text.data() + done, text.size() - done);
            if (n <= 0) break;
            done += static_cast<std::size_t>(n);
        }
        ::_exit(code);
    }
    ::close(channel[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    if (!text.empty()) {
        run.dropped = text[0] == 'u';
        run.report = text.substr(1);
    }
    return run;
}

} // namespace qv530::test
