#include "platform/ProcessTable.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <charconv>
#include <memory>

namespace qv530 {
namespace {

// The first argument of a long Wine command line fits well in this.
constexpr std::size_t kCmdlineReadMax = 4096;
constexpr std::size_t kCommReadMax = 64;

std::optional<std::string> ReadSmallFile(const std::string& path, std::size_t limit) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return std::nullopt;
    std::string text(limit, '\0');
    std::size_t used = 0;
    while (used < limit) {
        const ssize_t got = ::read(fd, text.data() + used, limit - used);
        if (got < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (got == 0) break;
        used += static_cast<std::size_t>(got);
    }
    ::close(fd);
    text.resize(used);
    return text;
}

bool ParsePid(const char* name, int& pid) {
    const char* end = name;
    while (*end) ++end;
    const auto [rest, error] = std::from_chars(name, end, pid);
    return error == std::errc() && rest == end && end != name && pid > 0;
}

} // namespace

ProcProcessTable::ProcProcessTable(std::string root, std::optional<uid_t> user)
    : root_(std::move(root)), user_(user.value_or(::getuid())) {
    if (!root_.empty() && root_.back() != '/') root_ += '/';
}

std::vector<int> ProcProcessTable::Pids() {
    std::vector<int> pids;
    const std::unique_ptr<DIR, int (*)(DIR*)> folder(::opendir(root_.c_str()), ::closedir);
    if (!folder) return pids;
    while (const dirent* entry = ::readdir(folder.get())) {
        int pid = 0;
        if (ParsePid(entry->d_name, pid)) pids.push_back(pid);
    }
    return pids;
}

std::optional<ProcessName> ProcProcessTable::Read(int pid) {
    const std::string folder = root_ + std::to_string(pid);
    struct stat info {};
    // The folder of a process belongs to the user it runs as.
    if (::stat(folder.c_str(), &info) != 0 || info.st_uid != user_) return std::nullopt;
    std::optional<std::string> comm = ReadSmallFile(folder + "/comm", kCommReadMax);
    if (!comm) return std::nullopt;
    if (!comm->empty() && comm->back() == '\n') comm->pop_back();
    // The arguments are separated by NUL bytes; a kernel thread has none.
    std::string argv0 = ReadSmallFile(folder + "/cmdline", kCmdlineReadMax).value_or(std::string());
    if (const std::size_t end = argv0.find('\0'); end != std::string::npos) argv0.resize(end);
    return ProcessName{std::move(*comm), std::move(argv0)};
}

} // namespace qv530
