#pragma once
// qv530ctl get and set: the named settings of the current profile. Each
// group of names lives in its own file and is listed once in
// SettingTable.cpp; get prints "NAME VALUE" lines that set takes back.
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Commands.h"
#include "lang/UiStrings.h"
#include "profiles/ConfigFiles.h"
#include "settings/AsciiCase.h"

namespace qv530::cli {

// The current profile as get and set work on it.
struct CliProfile {
    explicit CliProfile(std::string dataFolder) : files(std::move(dataFolder)) {}
    MouseSettings settings;
    MouseSettings sent;
    DeviceState state;
    UiStrings texts;
    std::string language; // "CHS", "CHT", "EN" or "DE"
    ConfigFiles files;
    // The profile's configuration file is no profile file: the factory
    // settings stand in for it.
    bool damaged = false;
};

// Exit statuses of set.
inline constexpr int kSetDone = 0;
inline constexpr int kSetRefused = 1;  // a refusal the window shows as a message box
inline constexpr int kSetBadInput = 2; // unknown name, value out of range, wrong count

struct SettingCommand {
    std::string_view name;
    std::string_view usage; // "sensitivity-x N (1..11)"
    // Prints the name's lines.
    void (*get)(const CliProfile& profile, std::ostream& out);
    // Changes the record (and captions); returns a status above, with one line on err when not done.
    int (*set)(CliProfile& profile, std::span<const std::string> values, std::ostream& err);
};

// Every name, in get's order.
std::span<const SettingCommand> SettingCommands();

// Groups of names, one per file.
std::span<const SettingCommand> AxisSettingCommands();
std::span<const SettingCommand> LightingSettingCommands();
std::span<const SettingCommand> PerformanceSettingCommands();
std::span<const SettingCommand> ButtonSettingCommands();

// Shared value parsing: a whole decimal number in [low, high], else nothing.
bool ParseNumber(std::string_view text, int low, int high, int& value);
// "RRGGBB" or "#RRGGBB".
bool ParseColour(std::string_view text, Rgb& colour);
std::string FormatColour(const Rgb& colour);

// A stored byte that no word of set names (a stray value a file from
// elsewhere may hold) is printed by get as "code N" and taken back by set as
// it is, so that get's lines fed to set give the same bytes.
inline constexpr std::string_view kCodeWord = "code";
// Exactly the two words "code" and a number 0..255.
bool ParseCode(std::span<const std::string> words, int& code);
std::string CodeWords(int code);
// A level 1..11 (sensitivity, pointer speed, double-click), else "code N".
std::string LevelWords(std::uint8_t stored);
// A level 1..11, or "code N" as it is.
bool ParseLevelOrCode(std::span<const std::string> words, int& level);

// The current profile as the program loads it at start-up; what was loaded
// instead of a profile that could not be, and failed writes, go to err.
CliProfile LoadCurrent(std::ostream& err);
// Prints every failed write of the profile's files; true when there was one.
bool ReportWriteFailures(CliProfile& profile, std::ostream& err);

int RunGet(const Args& args, std::ostream& out, std::ostream& err);
int RunSet(const Args& args, std::ostream& out, std::ostream& err);

} // namespace qv530::cli
