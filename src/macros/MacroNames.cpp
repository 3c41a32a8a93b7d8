#include "macros/MacroNames.h"

#include <algorithm>

#include "buttons/FunctionName.h"
#include "macros/LeadingNumber.h"
#include "macros/MacroStore.h"
#include "settings/IniFile.h"

namespace qv530 {
namespace {

constexpr std::string_view kForbiddenCharacters{"[]\r\n\0", 5};
constexpr char kNumberSeparator = '_';
constexpr char kLabelSeparator = ':';

bool EqualAsciiNoCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

bool NameTaken(const std::vector<std::string>& names, std::string_view candidate, std::size_t except) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i != except && (names[i] == candidate || ShareMacroSection(names[i], candidate))) {
            return true;
        }
    }
    return false;
}

} // namespace

bool IsStorableMacroName(std::string_view name) {
    return !MacroSectionName(name).empty() && name.find_first_of(kForbiddenCharacters) == std::string_view::npos &&
           IniSectionProblem(MacroSectionName(name)).empty() && !IsMacroStoreKeyName(name);
}

std::string MacroNameRefusal(std::string_view name) {
    if (MacroSectionName(name).empty()) return "A macro name cannot be empty.";
    if (IsMacroStoreKeyName(name))
        return "\"" + std::string(store::kIndexSection) + "\" is the name of the macro list; choose another name.";
    std::string problem = IniSectionProblem(MacroSectionName(name));
    if (name.find('[') != std::string_view::npos) problem = problem.empty() ? "\"[\"" : "\"[\", " + problem;
    if (problem.empty() && name.find_first_of(kForbiddenCharacters) != std::string_view::npos)
        problem = "a line break";
    if (problem.empty()) return {};
    return "A macro name cannot hold " + problem + ".";
}

bool ShareMacroSection(std::string_view a, std::string_view b) {
    return EqualAsciiNoCase(MacroSectionName(a), MacroSectionName(b));
}

std::string NewMacroName(const std::vector<std::string>& names, std::string_view language) {
    const std::string_view last = names.empty() ? std::string_view{} : std::string_view{names.back()};
    const auto separator = last.find(kNumberSeparator);
    std::int64_t number = separator == std::string_view::npos
                              ? static_cast<std::int64_t>(names.size()) + 1
                              : LeadingNumber(last.substr(separator + 1)) + 1;
    const auto compose = [&](std::int64_t n) {
        return std::string(MacroWord(language)) + kNumberSeparator + std::to_string(n);
    };
    std::string name = compose(number);
    while (NameTaken(names, name, names.size())) {
        name = compose(++number);
    }
    return name;
}

bool IsAcceptedRename(const std::vector<std::string>& names, std::size_t index, std::string_view newName) {
    return IsStorableMacroName(newName) && !NameTaken(names, newName, index);
}

bool IsMacroInUse(std::string_view name, const std::array<std::string, 7>& buttonLabels) {
    for (const std::string& label : buttonLabels) {
        const auto separator = label.rfind(kLabelSeparator);
        const std::string_view tail =
            separator == std::string::npos ? std::string_view{label} : std::string_view{label}.substr(separator + 1);
        if (tail == name) {
            return true;
        }
        const std::string suffix = std::string(1, kLabelSeparator) + std::string(name);
        if (label.size() > suffix.size() && label.ends_with(suffix)) {
            return true;
        }
    }
    return false;
}

} // namespace qv530
