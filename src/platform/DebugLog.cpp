#include "platform/DebugLog.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace qv530 {
namespace {

std::mutex& CapturesMutex() {
    static std::mutex mutex;
    return mutex;
}

std::vector<DebugCapture*>& Captures() {
    static std::vector<DebugCapture*> captures;
    return captures;
}

bool DebugToStderr() {
    static const bool enabled = [] {
        const char* value = std::getenv("QV530_DEBUG");
        return value != nullptr && std::strcmp(value, "1") == 0;
    }();
    return enabled;
}

} // namespace

void DebugWrite(std::string_view text) {
    if (DebugToStderr()) {
        std::fwrite(text.data(), 1, text.size(), stderr);
        if (text.empty() || text.back() != '\n') std::fputc('\n', stderr);
    }
    std::lock_guard lock(CapturesMutex());
    for (DebugCapture* capture : Captures()) capture->Add(text);
}

void DebugPrintf(const char* format, ...) {
    char buffer[2048];
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (length < 0) return;
    DebugWrite(std::string_view(buffer, std::min<std::size_t>(static_cast<std::size_t>(length), sizeof buffer - 1)));
}

DebugCapture::DebugCapture() {
    std::lock_guard lock(CapturesMutex());
    Captures().push_back(this);
}

DebugCapture::~DebugCapture() {
    std::lock_guard lock(CapturesMutex());
    auto& captures = Captures();
    captures.erase(std::remove(captures.begin(), captures.end(), this), captures.end());
}

void DebugCapture::Add(std::string_view text) {
    std::lock_guard lock(mutex_);
    texts_.emplace_back(text);
}

std::vector<std::string> DebugCapture::Texts() const {
    std::lock_guard lock(mutex_);
    return texts_;
}

std::string DebugCapture::Joined() const {
    std::string all;
    for (const auto& text : Texts()) all += text;
    return all;
}

bool DebugCapture::Contains(std::string_view text) const {
    for (const auto& t : Texts())
        if (t == text) return true;
    return false;
}

void DebugCapture::Clear() {
    std::lock_guard lock(mutex_);
    texts_.clear();
}

} // namespace qv530
