#include "platform/HidSysCalls.h"

#include <fcntl.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace qv530 {
namespace {

class SystemCalls final : public HidSysCalls {
public:
    int Open(const char* path, int flags) override { return ::open(path, flags); }
    int Close(int fd) override { return ::close(fd); }
    ssize_t Read(int fd, void* buffer, std::size_t size) override { return ::read(fd, buffer, size); }
    ssize_t Write(int fd, const void* buffer, std::size_t size) override { return ::write(fd, buffer, size); }
    int Ioctl(int fd, unsigned long request, void* argument) override { return ::ioctl(fd, request, argument); }
    int Poll(pollfd* fds, nfds_t count, int timeoutMs) override { return ::poll(fds, count, timeoutMs); }
    int EventFd(unsigned int initialValue, int flags) override { return ::eventfd(initialValue, flags); }
};

} // namespace

HidSysCalls& SystemHidSysCalls() {
    static SystemCalls calls;
    return calls;
}

} // namespace qv530
