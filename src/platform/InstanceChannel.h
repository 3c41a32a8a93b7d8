#pragma once
// The running copy's local socket. Other programs (qv530ctl show) ask it to
// show its window; in demo mode they can also make the emulated mouse report
// a DPI-stage change. One request per connection: a single line of text.
//
//   "restore"        show the main window (what WM_RESTOREWINDOW does)
//   "demo-stage N"   demo mode only: the emulated mouse switches to stage N, 0..7
//   "started"        the program was started again; on a desktop without a
//                    tray the running copy shows its window
#include <chrono>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace qv530 {

inline constexpr const char* kInstanceSocketName = "qv530-10800rad.sock";
// Longest request line, without its line feed.
inline constexpr std::size_t kInstanceRequestMax = 256;
inline constexpr int kDemoStageMax = 7;

// RuntimeFolder() + "/qv530-10800rad.sock"; empty when there is no runtime folder.
std::string InstanceSocketPath();

struct InstanceRequest {
    enum class Kind { Invalid, Restore, DemoStage, Started };
    Kind kind = Kind::Invalid;
    int stage = 0; // DemoStage only
};

// Exactly "restore", "started" or "demo-stage N" with one digit N in 0..7; anything
// else is Invalid.
InstanceRequest ParseInstanceRequest(std::string_view line);

class InstanceServer {
public:
    InstanceServer() = default;
    ~InstanceServer();
    InstanceServer(const InstanceServer&) = delete;
    InstanceServer& operator=(const InstanceServer&) = delete;

    // Listens on path. A socket file left behind by a copy that ended is
    // replaced; one that answers belongs to a running copy and is left alone,
    // as is anything at path that is not a socket. False with error() set on
    // failure. Listening again first closes the previous socket.
    bool Listen(const std::string& path);
    // Stops listening and removes the socket file if it is still ours.
    void Close();
    bool IsListening() const { return listenFd_ >= 0; }
    const std::string& error() const { return error_; }

    // Readable when connections or request bytes are waiting: watch it with a
    // socket notifier and call TakeRequests. -1 while not listening.
    int fd() const { return epollFd_; }

    // Never waits. Accepts waiting connections from this user and reads what
    // they sent; returns each complete, valid request line once, oldest
    // first. Connections sending a line that is too long or not a request,
    // and connections that stay silent for a while, are dropped. A request
    // whose connection has not sent its line yet is returned by a later call.
    std::vector<std::string> TakeRequests();

private:
    struct Pending {
        int fd;
        std::string data;
        std::chrono::steady_clock::time_point since;
    };
    bool ReadRequest(Pending& connection, std::vector<std::string>& requests);
    void Drop(std::size_t index);

    int listenFd_ = -1;
    int epollFd_ = -1;
    std::string path_;
    dev_t device_ = 0;
    ino_t inode_ = 0;
    std::vector<Pending> pending_;
    std::string error_;
};

// Connects to the running copy's socket at path, writes the request and a
// line feed, and closes. Gives up after timeoutMs. False with error set when
// nothing listens there or the request cannot be sent.
bool SendInstanceRequest(const std::string& path, const std::string& request, std::string& error,
                         int timeoutMs = 2000);

} // namespace qv530
