// The configuration file reader. An input is a configuration file of any size.
// Properties:
//   - the reader takes the flag and as many record bytes as the file holds,
//     and leaves the rest of the record as it was;
//   - a whole file (1885 bytes) that holds settings, written again, is the
//     same file (with the saved flag), and reads back to the same record;
//   - the dump of qv530ctl describes any record.
#include <cstdint>
#include <cstring>
#include <string>

#include "FuzzCheck.h"
#include "cli/RecordDump.h"
#include "platform/DebugLog.h"
#include "platform/FileIo.h"
#include "profiles/ConfigFiles.h"

namespace {
constexpr std::uint8_t kFill = 0xEE;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace qv530;
    const std::string& folder = fuzz::ScratchFolder();
    const std::string path = folder + "input.bin";
    if (WriteFileAtomic(path, data, size) != 0) std::abort();

    MouseSettings settings;
    for (auto& b : settings.bytes) b = kFill;
    DeviceState state;
    ConfigFiles files(folder);
    const std::size_t read = files.ReadConfigFile(path, settings, state);
    // Only a file of exactly the profile size is read; any other is damaged
    // and leaves the record alone.
    FUZZ_CHECK(read == (size == config_file::kSize ? config_file::kSize : 0));
    FUZZ_CHECK(files.damage().empty() == (size == config_file::kSize));
    const std::size_t recordBytes = read > config_file::kRecord ? read - config_file::kRecord : 0;
    FUZZ_CHECK(std::memcmp(settings.data(), data + config_file::kRecord, recordBytes) == 0 || recordBytes == 0);
    for (std::size_t i = recordBytes; i < kMouseSettingsSize; ++i) FUZZ_CHECK(settings.at(i) == kFill);
    if (read > 0) FUZZ_CHECK(state.firstRunFlag == data[config_file::kFlag]);

    (void)cli::DumpRecord(settings);

    if (size == config_file::kSize && !HoldsNoSettings(settings)) {
        FUZZ_CHECK(files.SaveCurrentProfile(settings, state));
        const auto written = ReadWholeFile(files.configPath());
        FUZZ_CHECK(written && written->size() == config_file::kSize);
        FUZZ_CHECK(static_cast<std::uint8_t>((*written)[config_file::kFlag]) == config_file::kSavedFlag);
        FUZZ_CHECK(std::memcmp(written->data() + config_file::kRecord, data + config_file::kRecord,
                               kMouseSettingsSize) == 0);
        MouseSettings again;
        DeviceState againState;
        FUZZ_CHECK(files.ReadConfigFile(files.configPath(), again, againState) == config_file::kSize);
        FUZZ_CHECK(again.bytes == settings.bytes);
    }
    // A record of zeros is never written.
    if (HoldsNoSettings(settings)) FUZZ_CHECK(!files.SaveCurrentProfile(settings, state));
    (void)files.TakeWriteFailures();
    return 0;
}
