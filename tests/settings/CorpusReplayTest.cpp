// Replays the saved inputs of the INI and configuration-file readers: none
// may crash, and a file rewritten once is stable under further rewrites.
#include <algorithm>
#include <filesystem>

#include "platform/FileIo.h"
#include "profiles/ConfigFiles.h"
#include "settings/IniFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

std::vector<std::filesystem::path> Corpus(const std::string& extension) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(QV530_SETTINGS_CORPUS))
        if (entry.path().extension() == extension) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

TEST(CorpusReplay, IniFilesParseAndRewriteStably) {
    const auto files = Corpus(".ini");
    ASSERT_GE(files.size(), 5u);
    for (const auto& path : files) {
        const std::string bytes = *ReadWholeFile(path.string());
        const IniDocument first = IniDocument::Parse(bytes);
        const std::string once = first.Serialize();
        const IniDocument second = IniDocument::Parse(once);
        EXPECT_EQ(second.Serialize(), once) << path;
        EXPECT_EQ(second.Sections(), first.Sections()) << path;
        for (const std::string& section : first.Sections())
            for (const std::string& key : first.Keys(section))
                EXPECT_EQ(second.Get(section, key), first.Get(section, key)) << path << " " << section << "/" << key;
        // Every prefix reads without a crash.
        for (std::size_t cut = 0; cut < bytes.size(); cut += 7) IniDocument::Parse(std::string_view(bytes).substr(0, cut));
    }
}

TEST(CorpusReplay, ConfigurationFilesOfAnySizeLoad) {
    for (const auto& path : Corpus(".bin")) {
        MouseSettings settings;
        for (auto& b : settings.bytes) b = 0xEE;
        DeviceState state;
        ConfigFiles files("");
        files.ReadConfigFile(path.string(), settings, state);
        const long long size = FileSize(path.string());
        const std::size_t read = size <= 1 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(size) - 1, kMouseSettingsSize);
        if (read < kMouseSettingsSize) {
            EXPECT_EQ(settings.at(read), 0xEE) << path; // the rest keeps its bytes
        }
    }
}

} // namespace
} // namespace qv530
