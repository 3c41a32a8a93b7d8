#pragma once
// The program's debug output: fixed English lines written where a Windows
// program would call OutputDebugString. They go to stderr when QV530_DEBUG=1,
// and to every capture that is open (tests read them there).
#include <mutex>
#include <vector>
#include <string>
#include <string_view>

namespace qv530 {

// Writes one debug text exactly as given (no line feed is added).
void DebugWrite(std::string_view text);

// printf-style form for the texts that carry numbers ("Read Size is: %d").
void DebugPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Collects every debug text written while it lives, from any thread.
class DebugCapture {
public:
    DebugCapture();
    ~DebugCapture();
    DebugCapture(const DebugCapture&) = delete;
    DebugCapture& operator=(const DebugCapture&) = delete;

    // Every text written so far, in order.
    std::vector<std::string> Texts() const;
    // All texts concatenated.
    std::string Joined() const;
    bool Contains(std::string_view text) const;
    void Clear();

private:
    friend void DebugWrite(std::string_view);
    void Add(std::string_view text);
    mutable std::mutex mutex_;
    std::vector<std::string> texts_;
};

} // namespace qv530
