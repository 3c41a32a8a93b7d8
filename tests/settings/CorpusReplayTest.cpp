// The saved configuration files of the fuzz corpus, loaded: a whole profile
// file gives its flag byte and record; a file of any other size is damaged
// and leaves the record as it was. (The fuzz replay runs the same files for crashes and
// round trips; here the loaded bytes are compared with the file's own.)
#include <string>

#include "platform/FileIo.h"
#include "profiles/ConfigFiles.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

TEST(CorpusReplay, ConfigurationFilesLoadTheirFlagAndTheRecordBytesTheyHold) {
    struct Case {
        const char* file;
        std::size_t recordBytes; // of the file's bytes after its flag byte, the ones the record takes
    };
    const Case cases[] = {
        {"corpus/config_file/config-empty.bin", 0},     // 0 bytes: damaged
        {"corpus/config_file/config-short.bin", 0},     // 769 bytes: damaged
        {"corpus/config_file/config-exact.bin", 1884},  // 1885 bytes: a whole file
        {"corpus/config_file/config-long.bin", 0},      // 2001 bytes: damaged
        {"corpus/config_file/factory.bin", 1884},
        {"regressions/config_file/all-zero-record.bin", 1884},
    };
    constexpr std::uint8_t kFill = 0xEE;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string path = std::string(QV530_FUZZ_INPUTS) + "/" + c.file;
        const auto file = ReadWholeFile(path);
        ASSERT_TRUE(file) << "missing saved input";
        MouseSettings settings;
        for (auto& b : settings.bytes) b = kFill;
        DeviceState state;
        state.firstRunFlag = kFill;
        ConfigFiles files("");
        files.ReadConfigFile(path, settings, state);
        EXPECT_EQ(state.firstRunFlag, c.recordBytes > 0 ? static_cast<std::uint8_t>((*file)[0]) : kFill);
        EXPECT_EQ(files.damage().empty(), c.recordBytes > 0) << files.damage();
        for (std::size_t i = 0; i < kMouseSettingsSize; ++i) {
            const std::uint8_t expected = i < c.recordBytes ? static_cast<std::uint8_t>((*file)[1 + i]) : kFill;
            ASSERT_EQ(settings.at(i), expected) << "record byte " << i;
        }
    }
}

} // namespace
} // namespace qv530
