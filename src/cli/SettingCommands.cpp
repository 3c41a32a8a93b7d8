// qv530ctl get and set.
#include "cli/SettingCommands.h"

#include <charconv>
#include <cstdio>

#include "profiles/ProfileStore.h"
#include "settings/RecordEdits.h"
#include "profiles/StartupProfile.h"

namespace qv530::cli {

bool ParseNumber(std::string_view text, int low, int high, int& value) {
    int parsed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return false;
    if (parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}

bool ParseCode(std::span<const std::string> words, int& code) {
    return words.size() == 2 && EqualsIgnoringAsciiCase(words[0], kCodeWord) && ParseNumber(words[1], 0, 0xFF, code);
}

std::string CodeWords(int code) { return std::string(kCodeWord) + " " + std::to_string(code); }

std::string LevelWords(std::uint8_t stored) {
    if (stored >= kMinLevel && stored <= kMaxLevel) return std::to_string(stored);
    return CodeWords(stored);
}

bool ParseLevelOrCode(std::span<const std::string> words, int& level) {
    return ParseCode(words, level) || (words.size() == 1 && ParseNumber(words[0], kMinLevel, kMaxLevel, level));
}

bool ParseColour(std::string_view text, Rgb& colour) {
    if (!text.empty() && text.front() == '#') text.remove_prefix(1);
    if (text.size() != 6) return false;
    std::uint8_t parts[3];
    for (int i = 0; i < 3; ++i) {
        const std::string_view pair = text.substr(static_cast<std::size_t>(i) * 2, 2);
        unsigned value = 0;
        const auto [end, error] = std::from_chars(pair.data(), pair.data() + 2, value, 16);
        if (error != std::errc() || end != pair.data() + 2) return false;
        parts[i] = static_cast<std::uint8_t>(value);
    }
    colour = {parts[0], parts[1], parts[2]};
    return true;
}

std::string FormatColour(const Rgb& colour) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", colour.red, colour.green, colour.blue);
    return text;
}

namespace {

const SettingCommand* Find(std::string_view name) {
    for (const SettingCommand& command : SettingCommands())
        if (EqualsIgnoringAsciiCase(command.name, name)) return &command;
    return nullptr;
}

void PrintNames(std::ostream& err) {
    err << "names:";
    for (const SettingCommand& command : SettingCommands()) err << " " << command.name;
    err << "\n";
}

} // namespace

// The current profile as the program loads it at start-up; what was loaded
// instead of a profile that could not be, and failed writes, go to err.
CliProfile LoadCurrent(std::ostream& err) {
    CliProfile profile(DataFolder());
    std::string notice;
    profile.language = LoadProfileAtStartUp(profile.files, profile.settings, profile.state, profile.sent, profile.texts,
                                            &notice, &profile.damaged);
    if (!notice.empty()) err << "qv530ctl: " << notice << "\n";
    return profile;
}

// Prints every failed write of the profile's files; true when there was one.
bool ReportWriteFailures(CliProfile& profile, std::ostream& err) {
    const std::vector<std::string> failures = profile.files.TakeWriteFailures();
    for (const std::string& failure : failures) err << "qv530ctl: " << failure << "\n";
    return !failures.empty();
}

int RunGet(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() > 1) {
        err << "usage: qv530ctl get [NAME]\n";
        return kSetBadInput;
    }
    const SettingCommand* only = nullptr;
    if (!args.empty() && (only = Find(args[0])) == nullptr) {
        err << "qv530ctl: unknown name '" << args[0] << "'; ";
        PrintNames(err);
        return kSetBadInput;
    }
    CliProfile profile = LoadCurrent(err);
    const bool writeFailed = ReportWriteFailures(profile, err);
    for (const SettingCommand& command : SettingCommands())
        if (only == nullptr || only == &command) command.get(profile, out);
    // The lines of a damaged profile are the factory settings', not its own.
    return writeFailed || profile.damaged ? 1 : 0;
}

int RunSet(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << "usage: qv530ctl set NAME VALUE...; ";
        PrintNames(err);
        return kSetBadInput;
    }
    const SettingCommand* command = Find(args[0]);
    if (command == nullptr) {
        err << "qv530ctl: unknown name '" << args[0] << "'; ";
        PrintNames(err);
        return kSetBadInput;
    }
    // Load, change and save under the data folder's lock.
    const StoreSession session(DataFolder());
    if (!session.ok()) {
        err << "qv530ctl: " << session.refusal() << "; nothing was changed\n";
        return 1;
    }
    CliProfile profile = LoadCurrent(err);
    if (ReportWriteFailures(profile, err)) return 1;
    if (profile.damaged) {
        err << "qv530ctl: nothing was changed; qv530ctl reset starts the profile anew from the factory settings, "
               "qv530ctl profile import replaces it with a profile file\n";
        return 1;
    }
    const int status = command->set(profile, std::span<const std::string>(args).subspan(1), err);
    if (status != kSetDone) return status;
    // Saved as the window's Apply saves: the configuration file, then the captions.
    const bool saved = profile.files.SaveProfileFiles(profile.settings, profile.state);
    for (const std::string& note : profile.files.TakeNotes()) err << "qv530ctl: " << note << "\n";
    if (ReportWriteFailures(profile, err) || !saved) {
        err << "qv530ctl: the profile could not be saved as " << profile.files.configPath() << "\n";
        return 1;
    }
    out << "saved " << profile.files.configPath() << "\n";
    return 0;
}

} // namespace qv530::cli
