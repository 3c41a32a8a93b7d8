#include "platform/InstanceChannel.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

#include "platform/SingleInstance.h"

namespace qv530 {
namespace {

using Clock = std::chrono::steady_clock;

// Connections waiting for their line at one time; the oldest goes first.
constexpr std::size_t kMaxPending = 16;
// A connection that has not sent its line by then is dropped.
constexpr auto kPendingLifetime = std::chrono::seconds(2);

bool MakeAddress(const std::string& path, sockaddr_un& address, std::string& error) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.empty()) {
        error = "no private runtime folder for the socket";
        return false;
    }
    if (path.size() >= sizeof address.sun_path) {
        error = path + ": path too long for a local socket";
        return false;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

int Connect(int fd, const sockaddr_un& address) {
    int result;
    while ((result = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address)) != 0 &&
           errno == EINTR) {
    }
    return result;
}

// Whether a process listens on the socket at address.
bool SomeoneAnswers(const sockaddr_un& address) {
    const int probe = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (probe < 0) return true; // cannot tell: leave the file alone
    const bool answers = Connect(probe, address) == 0 || errno == EAGAIN;
    const bool stale = errno == ECONNREFUSED || errno == ENOENT;
    ::close(probe);
    return answers || !stale;
}

bool FromThisUser(int fd) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) == 0 && credentials.uid == ::geteuid();
}

int MsLeft(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

} // namespace

std::string InstanceSocketPath() {
    const std::string folder = RuntimeFolder();
    return folder.empty() ? std::string{} : folder + "/" + kInstanceSocketName;
}

InstanceRequest ParseInstanceRequest(std::string_view line) {
    InstanceRequest request;
    constexpr std::string_view kDemoStage = "demo-stage ";
    if (line == "restore") {
        request.kind = InstanceRequest::Kind::Restore;
    } else if (line == "started") {
        request.kind = InstanceRequest::Kind::Started;
    } else if (line.size() == kDemoStage.size() + 1 && line.starts_with(kDemoStage)) {
        const char digit = line.back();
        if (digit >= '0' && digit <= '0' + kDemoStageMax) {
            request.kind = InstanceRequest::Kind::DemoStage;
            request.stage = digit - '0';
        }
    }
    return request;
}

// ---- server ----

InstanceServer::~InstanceServer() { Close(); }

bool InstanceServer::Listen(const std::string& path) {
    Close();
    error_.clear();
    sockaddr_un address;
    if (!MakeAddress(path, address, error_)) return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error_ = std::string("socket: ") + std::strerror(errno);
        return false;
    }
    const auto fail = [&](const std::string& why) {
        error_ = path + ": " + why;
        ::close(fd);
        return false;
    };
    const auto bindSocket = [&] { return ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address); };
    if (bindSocket() != 0) {
        if (errno != EADDRINUSE) return fail(std::strerror(errno));
        struct stat info {};
        if (::lstat(path.c_str(), &info) == 0 && !S_ISSOCK(info.st_mode)) return fail("exists and is not a socket");
        if (SomeoneAnswers(address)) return fail("another program listens here");
        ::unlink(path.c_str());
        if (bindSocket() != 0) return fail(std::strerror(errno));
    }
    struct stat info {};
    if (::listen(fd, static_cast<int>(kMaxPending)) != 0 || ::lstat(path.c_str(), &info) != 0) {
        const std::string why = std::strerror(errno);
        ::unlink(path.c_str());
        return fail(why);
    }
    const int epollFd = ::epoll_create1(EPOLL_CLOEXEC);
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.fd = fd;
    if (epollFd < 0 || ::epoll_ctl(epollFd, EPOLL_CTL_ADD, fd, &event) != 0) {
        const std::string why = std::strerror(errno);
        if (epollFd >= 0) ::close(epollFd);
        ::unlink(path.c_str());
        return fail(why);
    }
    listenFd_ = fd;
    epollFd_ = epollFd;
    path_ = path;
    device_ = info.st_dev;
    inode_ = info.st_ino;
    return true;
}

void InstanceServer::Close() {
    while (!pending_.empty()) Drop(0);
    if (epollFd_ >= 0) ::close(epollFd_);
    epollFd_ = -1;
    if (listenFd_ < 0) return;
    ::close(listenFd_);
    listenFd_ = -1;
    // Only our own socket file: a later copy may have replaced it.
    struct stat info {};
    if (::lstat(path_.c_str(), &info) == 0 && info.st_dev == device_ && info.st_ino == inode_)
        ::unlink(path_.c_str());
    path_.clear();
}

void InstanceServer::Drop(std::size_t index) {
    ::close(pending_[index].fd); // closing also takes it out of the epoll set
    pending_.erase(pending_.begin() + static_cast<std::ptrdiff_t>(index));
}

// Reads what a connection has sent; true once it is done with: a line, the
// end of the stream (a last line without its line feed counts), an error, or
// more than a request can hold. A valid request line goes to requests.
bool InstanceServer::ReadRequest(Pending& connection, std::vector<std::string>& requests) {
    char buffer[kInstanceRequestMax + 2];
    for (;;) {
        const ssize_t n = ::read(connection.fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return false;
        if (n > 0) connection.data.append(buffer, static_cast<std::size_t>(n));
        const std::size_t end = connection.data.find('\n');
        // Room for a full request and a carriage return before its line feed.
        if (n > 0 && end == std::string::npos && connection.data.size() <= kInstanceRequestMax + 1) continue;
        std::string line = n < 0 ? std::string{} : connection.data.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() <= kInstanceRequestMax && ParseInstanceRequest(line).kind != InstanceRequest::Kind::Invalid)
            requests.push_back(std::move(line));
        return true;
    }
}

std::vector<std::string> InstanceServer::TakeRequests() {
    std::vector<std::string> requests;
    if (listenFd_ < 0) return requests;
    // Empty the ready list; everything is looked at below anyway.
    epoll_event events[kMaxPending + 1];
    while (::epoll_wait(epollFd_, events, static_cast<int>(kMaxPending + 1), 0) < 0 && errno == EINTR) {
    }

    const auto now = Clock::now();
    for (std::size_t i = 0; i < pending_.size();) {
        if (ReadRequest(pending_[i], requests) || now - pending_[i].since > kPendingLifetime) Drop(i);
        else ++i;
    }

    for (;;) {
        const int client = ::accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (client < 0) {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            break; // EAGAIN: none left; anything else (EMFILE): try again on the next call
        }
        Pending connection{client, {}, now};
        if (!FromThisUser(client) || ReadRequest(connection, requests)) {
            ::close(client);
            continue;
        }
        // Still to send its line: watched until it does.
        epoll_event event{};
        event.events = EPOLLIN;
        event.data.fd = client;
        if (::epoll_ctl(epollFd_, EPOLL_CTL_ADD, client, &event) != 0) {
            ::close(client);
            continue;
        }
        if (pending_.size() >= kMaxPending) Drop(0);
        pending_.push_back(std::move(connection));
    }
    return requests;
}

// ---- client ----

bool SendInstanceRequest(const std::string& path, const std::string& request, std::string& error, int timeoutMs) {
    error.clear();
    if (request.empty() || request.size() > kInstanceRequestMax ||
        request.find_first_of(std::string("\n\0", 2)) != std::string::npos) {
        error = "not a single request line of at most 256 bytes";
        return false;
    }
    sockaddr_un address;
    if (!MakeAddress(path, address, error)) return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = std::string("socket: ") + std::strerror(errno);
        return false;
    }
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    const auto fail = [&](const std::string& why) {
        error = why;
        ::close(fd);
        return false;
    };

    // A full backlog answers EAGAIN; the running copy may be busy for a moment.
    while (Connect(fd, address) != 0) {
        if (errno == ENOENT || errno == ECONNREFUSED)
            return fail("no running copy of the configurator (nothing listens on " + path + ")");
        if (errno != EAGAIN) return fail(path + ": " + std::strerror(errno));
        if (MsLeft(deadline) == 0) return fail(path + ": the running copy does not accept the request");
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }

    const std::string line = request + "\n";
    std::size_t sent = 0;
    while (sent < line.size()) {
        const ssize_t n = ::send(fd, line.data() + sent, line.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return fail(path + ": " + std::strerror(errno));
        pollfd writable{fd, POLLOUT, 0};
        const int left = MsLeft(deadline);
        if (left == 0 || (::poll(&writable, 1, left) < 0 && errno != EINTR))
            return fail(path + ": the running copy does not take the request");
    }
    ::close(fd);
    return true;
}

} // namespace qv530
