#pragma once
// A read-only index over a parsed INI document, built in one pass, for
// readers that look up many keys (the macro store): each lookup costs the
// same whatever the size of the file. It answers as IniDocument does: the
// first section of a name and the first key of a name count, without regard
// to ASCII case.
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

#include "settings/IniFile.h"

namespace qv530 {

class IniIndex {
public:
    explicit IniIndex(const IniDocument& document);

    // The value (cut as IniDocument::Get cuts it), or empty when missing.
    std::string Get(std::string_view section, std::string_view key) const;
    // The number of keys of the section.
    std::size_t KeyCount(std::string_view section) const;

private:
    struct Section {
        std::unordered_map<std::string, std::string> values; // lower-case key -> value
        std::size_t keyCount = 0;
    };
    std::unordered_map<std::string, Section> sections_; // lower-case name
};

} // namespace qv530
