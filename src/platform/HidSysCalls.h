#pragma once
// The system calls the hidraw backend makes, behind one small interface so
// tests can make them fail (EACCES, ENODEV, EINTR, short transfers) without
// hardware. Each call behaves like the libc function of the same name:
// -1 and errno on failure.
#include <cstddef>
#include <poll.h>
#include <sys/types.h>

namespace qv530 {

class HidSysCalls {
public:
    virtual ~HidSysCalls() = default;
    virtual int Open(const char* path, int flags) = 0;
    virtual int Close(int fd) = 0;
    virtual ssize_t Read(int fd, void* buffer, std::size_t size) = 0;
    virtual ssize_t Write(int fd, const void* buffer, std::size_t size) = 0;
    virtual int Ioctl(int fd, unsigned long request, void* argument) = 0;
    virtual int Poll(pollfd* fds, nfds_t count, int timeoutMs) = 0;
    virtual int EventFd(unsigned int initialValue, int flags) = 0;
};

// The real calls.
HidSysCalls& SystemHidSysCalls();

} // namespace qv530
