// The INI engine. An input is a file, optionally followed by a line
// "#~edits~#" and one edit per line, fields split by tabs:
//   S<TAB>section<TAB>key<TAB>value     set
//   D<TAB>section<TAB>key               delete the key
//   X<TAB>section                       delete the section
// Properties:
//   - a UTF-8 file is written back byte for byte;
//   - what is written reads back to the same sections, keys and values;
//   - a set that is taken reads back its value; a name the format cannot
//     hold is refused and changes nothing.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "settings/IniFile.h"
#include "settings/IniIndex.h"
#include "settings/TextEncoding.h"

namespace {

using qv530::IniDocument;

constexpr std::string_view kEditsMarker = "\n#~edits~#\n";

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const auto end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A value as a set stores it: line breaks and NUL left out, cut as reads cut.
std::string Stored(std::string_view value) {
    std::string out;
    for (char c : value)
        if (c != '\r' && c != '\n' && c != '\0') out += c;
    return std::string(qv530::Utf8Prefix(out, qv530::kIniValueMax));
}

// Every section, key and value of a document, as the reader answers.
void CheckSameContent(const IniDocument& a, const IniDocument& b) {
    FUZZ_CHECK(a.Sections().size() == b.Sections().size());
    const qv530::IniIndex indexB(b);
    for (const std::string& section : a.Sections()) {
        FUZZ_CHECK(a.Keys(section) == b.Keys(section));
        for (const std::string& key : a.Keys(section)) {
            if (a.Get(section, key) != b.Get(section, key))
                std::fprintf(stderr, "[%s] %s: \"%s\" then \"%s\"\n", section.c_str(), key.c_str(),
                             a.Get(section, key).c_str(), b.Get(section, key).c_str());
            FUZZ_CHECK(a.Get(section, key) == b.Get(section, key));
            FUZZ_CHECK(indexB.Get(section, key) == b.Get(section, key));
        }
        FUZZ_CHECK(indexB.KeyCount(section) == b.Keys(section).size());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto marker = input.find(kEditsMarker);
    const std::string_view file = input.substr(0, marker);
    IniDocument document = IniDocument::Parse(file);

    if (document.encoding() != IniDocument::Encoding::Utf16Le) FUZZ_CHECK(document.Serialize() == file);
    CheckSameContent(document, IniDocument::Parse(document.Serialize()));

    if (marker != std::string_view::npos) {
        for (std::string_view line : Split(input.substr(marker + kEditsMarker.size()), '\n')) {
            const auto fields = Split(line, '\t');
            if (fields.empty() || fields[0].size() != 1) continue;
            const std::string before = document.Serialize();
            switch (fields[0][0]) {
            case 'S': {
                if (fields.size() != 4) break;
                const bool storable =
                    qv530::IniKeyProblem(fields[2]).empty() && qv530::IniSectionProblem(fields[1]).empty();
                const bool taken = document.Set(fields[1], fields[2], fields[3]);
                FUZZ_CHECK(taken == storable);
                if (!taken) {
                    FUZZ_CHECK(document.Serialize() == before);
                    break;
                }
                FUZZ_CHECK(document.Get(Trim(fields[1]), Trim(fields[2])) == Stored(fields[3]));
                break;
            }
            case 'D':
                if (fields.size() == 3) document.DeleteKey(fields[1], fields[2]);
                break;
            case 'X':
                if (fields.size() == 2) document.DeleteSection(fields[1]);
                break;
            default: break;
            }
        }
    }

    // What is written reads back the same, and stays the same when written again.
    const std::string once = document.Serialize();
    const IniDocument again = IniDocument::Parse(once);
    if (document.encoding() != IniDocument::Encoding::Utf16Le) {
        CheckSameContent(document, again);
        FUZZ_CHECK(again.Serialize() == once);
    } else {
        FUZZ_CHECK(IniDocument::Parse(again.Serialize()).Serialize() == again.Serialize());
    }
    return 0;
}
