// A full apply to one emulated A11D mouse with the protocol's real pauses.
// Prints the elapsed time, the sum of the pauses the protocol asks for and
// their ratio, which must stay at or below 1.03 (the pauses dominate; the
// rest of the work must not add more than 3 %).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "usecases/ApplyUseCase.h"
#include "device/Discovery.h"
#include "device/EmulatedDevices.h"

int main() {
    using namespace qv530;
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "qv530-apply-bench";
    std::filesystem::create_directories(folder);

    MouseSettings settings, sent;
    DeviceState state;
    ResetToDefaults(settings);
    ConfigFiles files(folder.string() + "/");
    DeviceLink link;
    EmulatedBackend backend;
    backend.Plug(std::make_shared<EmulatedMouse>(MouseVariant::A11D));
    Discovery discovery(backend, link);
    link.a11dConnected = discovery.FindMouse(MouseVariant::A11D) ? 1 : 0;

    RealSleeper sleeper;
    Trace trace;
    ApplyContext context{settings, sent, state, files, link, sleeper, &trace, nullptr, {}};
    const auto start = std::chrono::steady_clock::now();
    ApplyAndSave(context);
    const double elapsedMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();

    long pausesMs = 0;
    for (const std::string& line : trace.Lines())
        if (const auto at = line.find(" sleep "); at != std::string::npos) pausesMs += std::stol(line.substr(at + 7));
    const double ratio = elapsedMs / static_cast<double>(pausesMs);
    std::printf("apply to one mouse: elapsed %.1f ms, protocol pauses %ld ms, ratio %.4f (limit 1.03)\n", elapsedMs,
                pausesMs, ratio);
    std::filesystem::remove_all(folder);
    return ratio <= 1.03 ? 0 : 1;
}
