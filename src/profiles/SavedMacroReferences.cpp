#include "profiles/SavedMacroReferences.h"

#include <algorithm>

#include "platform/FileIo.h"
#include "profiles/ConfigFiles.h"

namespace qv530 {

bool PointSavedMacroButtons(const std::string& configPath, const ButtonCaptions& captions,
                            const std::vector<std::string>& names) {
    if (!FileExists(configPath)) return false;
    auto bytes = ReadFilePrefix(configPath, config_file::kSize);
    if (!bytes || bytes->size() != config_file::kSize) return false;
    MouseSettings saved;
    std::copy_n(bytes->begin() + config_file::kRecord, kMouseSettingsSize, saved.bytes.begin());
    if (!PointMacroButtonsAtSlots(saved, captions, names)) return false;
    std::copy(saved.bytes.begin(), saved.bytes.end(), bytes->begin() + config_file::kRecord);
    return WriteFileAtomic(configPath, bytes->data(), bytes->size()) == 0;
}

} // namespace qv530
