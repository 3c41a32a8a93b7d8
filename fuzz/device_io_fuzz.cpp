// Device I/O against the emulated mice and pad. An input is a record (its
// first 1884 bytes; a shorter input leaves the rest zero), sent by Apply to
// an emulated mouse (A11D, or A1DC when the first input byte is odd) and
// pad, followed by input reports: a length byte, then that many bytes read
// into the reader's buffer over what the previous read left there.
// Properties:
//   - a record without settings is refused: nothing is sent or saved;
//   - otherwise every report is taken, each command frame carries its
//     checksum, and the saved file holds the record that was sent;
//   - a notification is seen only in the bytes of the read itself.
#include <array>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "device/Discovery.h"
#include "device/EmulatedDevices.h"
#include "device/ReaderThread.h"
#include "device/Trace.h"
#include "platform/FileIo.h"
#include "usecases/ApplyUseCase.h"

namespace {

using namespace qv530;

// The bytes of a trace line's payload.
std::vector<unsigned> Payload(const std::string& line) {
    std::istringstream in(line);
    std::string device, op;
    in >> device >> op;
    std::vector<unsigned> bytes;
    for (std::string hex; in >> hex;) bytes.push_back(static_cast<unsigned>(std::stoul(hex, nullptr, 16)));
    return bytes;
}

void CheckApply(const std::uint8_t* data, std::size_t size) {
    const std::string folder = fuzz::ScratchFolder();
    MouseSettings settings;
    std::memcpy(settings.data(), data, std::min(size, kMouseSettingsSize));
    MouseSettings sent;
    DeviceState state;
    ConfigFiles files(folder);
    DeviceLink link;
    EmulatedBackend backend;
    NoSleeper sleeper;
    Trace trace;
    const MouseVariant variant = size > 0 && (data[0] & 1) ? MouseVariant::A1DC : MouseVariant::A11D;
    auto mouse = std::make_shared<EmulatedMouse>(variant);
    backend.Plug(mouse);
    backend.Plug(std::make_shared<EmulatedPad>());
    Discovery discovery(backend, link);
    link.Connected(variant) = discovery.FindMouse(variant) ? 1 : 0;
    link.padConnected = discovery.FindPad() ? 1 : 0;
    FUZZ_CHECK(link.Connected(variant).load() == 1 && link.padConnected.load() == 1);

    std::remove((folder + "config0.bin").c_str());
    ApplyContext context{settings, sent, state, files, link, sleeper, &trace, {}, {}};
    const ApplyResult result = ApplyAndSave(context);
    if (HoldsNoSettings(settings)) {
        FUZZ_CHECK(!result.refused.empty() && trace.Lines().empty() && !FileExists(folder + "config0.bin"));
        return;
    }
    FUZZ_CHECK(result.refused.empty() && result.failedReports == 0 && result.saved);
    const std::string mouseName = variant == MouseVariant::A11D ? "a11d" : "a1dc";
    for (const std::string& line : trace.Lines()) {
        if (line.rfind(mouseName + " set-feature ", 0) != 0) continue;
        const std::vector<unsigned> bytes = Payload(line);
        FUZZ_CHECK(bytes.size() == 9);
        unsigned sum = 0;
        for (std::size_t i = 1; i < bytes.size(); ++i) sum += bytes[i];
        FUZZ_CHECK(sum % 256 == 0xFF);
    }
    const auto saved = ReadWholeFile(folder + "config0.bin");
    FUZZ_CHECK(saved && saved->size() == 1 + kMouseSettingsSize);
    FUZZ_CHECK(std::memcmp(saved->data() + 1, settings.data(), kMouseSettingsSize) == 0);
    FUZZ_CHECK(sent.bytes == settings.bytes);
}

void CheckReads(const std::uint8_t* data, std::size_t size) {
    std::array<std::uint8_t, kReaderBufferSize> buffer{};
    std::size_t at = 0;
    while (at < size) {
        const std::size_t length = std::min<std::size_t>(data[at++], buffer.size());
        const std::size_t got = std::min(length, size - at);
        std::memcpy(buffer.data(), data + at, got);
        at += got;
        const StageChange change = RecogniseNotification(buffer, static_cast<int>(got));
        if (change.recognised) {
            FUZZ_CHECK(got > 3 && buffer[0] == 0x04 && buffer[1] == 0x01);
            FUZZ_CHECK(change.stage == data[at - got + 3]);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CheckApply(data, size);
    if (size > kMouseSettingsSize) CheckReads(data + kMouseSettingsSize, size - kMouseSettingsSize);
    return 0;
}
