#include "profiles/FactoryFiles.h"

#include <cstring>
#include <functional>

#include "buttons/ButtonFunction.h"
#include "buttons/FunctionName.h"
#include "lang/Language.h"
#include "lang/ProfileTexts.h"
#include "platform/FileIo.h"
#include "profiles/ConfigFiles.h"
#include "settings/IniFile.h"
#include "settings/MouseSettings.h"

namespace qv530 {
namespace {

constexpr std::string_view kAllLanguages[] = {kCodeChs, kCodeCht, kCodeEn, kCodeDe};

std::string Explain(int error) { return std::strerror(error); }

// Captions of the factory functions of buttons 1..7 and, as Item8, of "Deactivated".
std::array<std::string, kCaptionCount> FactoryCaptions(std::string_view code) {
    MouseSettings defaults;
    ResetToDefaults(defaults);
    std::array<std::string, kCaptionCount> captions;
    for (std::size_t i = 0; i < kWrittenCaptions; ++i)
        captions[i] = FunctionName(defaults.ButtonFunction(i), defaults.ButtonParam(i), code);
    captions[kWrittenCaptions] = FunctionName(function::kDisabled, 0, code);
    return captions;
}

} // namespace

std::string FactoryConfigImage() {
    MouseSettings settings; // zero, so the macro area is empty
    ResetToDefaults(settings);
    std::string image(config_file::kSize, '\0');
    image[config_file::kFlag] = static_cast<char>(config_file::kSavedFlag);
    std::memcpy(image.data() + config_file::kRecord, settings.data(), kMouseSettingsSize);
    return image;
}

std::string FactorySideFile(const std::string& languageCode) {
    IniDocument file;
    file.Set("Skins", "Lan", languageCode);
    const std::string firstProfile = ProfileBaseName(languageCode) + " 1";
    file.Set("Profile", "ItemCount", "1");
    file.Set("Profile", "Item0", firstProfile);
    file.Set("Profile", "CurProfileName", firstProfile);
    for (std::string_view code : kAllLanguages) {
        const std::string section = "Setting-" + std::string(code);
        const std::array<std::string, kCaptionCount> captions = FactoryCaptions(code);
        for (std::size_t i = 0; i < kCaptionCount; ++i) file.Set(section, "Item" + std::to_string(i + 1), captions[i]);
    }
    return file.Serialize();
}

std::string FactoryMacroStore() {
    IniDocument store;
    store.Set("MacroName", "MacroCount", "0");
    store.Set("MacroName", "0", "");
    return store.Serialize();
}

ProvisionReport ProvisionDataFolder(const std::string& folder, const std::string& languageCode) {
    ProvisionReport report;
    if (const int error = MakeFolders(folder); error != 0) {
        report.errors.push_back("cannot create the data folder " + folder + ": " + Explain(error));
        return report;
    }
    // Contents are made only for the files that are missing.
    const struct {
        const char* name;
        std::function<std::string()> contents;
    } files[] = {
        {"config.bin", FactoryConfigImage},
        {"str.ini", [&] { return FactorySideFile(languageCode); }},
        {"record.ini", FactoryMacroStore},
    };
    for (const auto& file : files) {
        const std::string path = folder + file.name;
        if (FileSize(path) >= 0) continue; // never replace what is there
        if (const int error = WriteFileAtomic(path, file.contents()); error != 0) {
            report.errors.push_back("cannot create " + path + ": " + Explain(error));
            continue;
        }
        report.created.push_back(path);
    }
    return report;
}

} // namespace qv530
