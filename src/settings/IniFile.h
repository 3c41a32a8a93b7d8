#pragma once
// INI text files with the semantics of the Windows profile-string functions,
// so that files written by the Windows tool and by this one stay
// interchangeable: case-insensitive sections and keys, a missing key reads
// empty, values are cut at 1023 characters, edits keep every other line and
// the order of keys, and a file keeps its encoding (UTF-16LE with BOM or
// UTF-8) and its line ends when it is rewritten.
#include <string>
#include <string_view>
#include <vector>

namespace qv530 {

// Longest value a read returns, in characters (the 1024-character buffer).
inline constexpr std::size_t kIniValueMax = 1023;

class IniDocument {
public:
    enum class Encoding { Utf8, Utf8Bom, Utf16Le };

    IniDocument() = default;
    // Parses file bytes; never fails (unreadable lines are kept as they are).
    static IniDocument Parse(std::string_view fileBytes);
    // The file bytes in the document's encoding and line ends.
    std::string Serialize() const;

    // The value, or empty when the section or key is missing.
    std::string Get(std::string_view section, std::string_view key) const;
    bool HasKey(std::string_view section, std::string_view key) const;
    bool HasSection(std::string_view section) const;
    // Key names of a section in file order.
    std::vector<std::string> Keys(std::string_view section) const;
    std::vector<std::string> Sections() const;
    // Calls onSection(name) for every section with a header and then
    // onKey(key, value) for each of its keys, in file order.
    template <typename OnSection, typename OnKey>
    void Visit(OnSection&& onSection, OnKey&& onKey) const {
        for (const Section& section : sections_) {
            if (!section.hasHeader) continue;
            onSection(std::string_view(section.name));
            for (const Line& line : section.lines)
                if (!line.key.empty()) onKey(std::string_view(line.key), std::string_view(line.value));
        }
    }

    // Updates the first matching key in place, or appends the key to its
    // section, or appends the section to the file. Refuses (false, nothing
    // changes) a key or section name the file cannot hold; see below.
    bool Set(std::string_view section, std::string_view key, std::string_view value);
    void DeleteKey(std::string_view section, std::string_view key);
    void DeleteSection(std::string_view section);

    Encoding encoding() const { return encoding_; }
    void setEncoding(Encoding encoding) { encoding_ = encoding; }

private:
    struct Line {
        std::string text;       // the line as it stands in the file (UTF-8, no line end)
        std::string key;        // empty for section headers, comments and other lines
        std::string value;      // the value as read
        std::string ending;     // "\r\n", "\n", a lone "\r" at the file's end, or none there; empty elsewhere: the file's own
    };
    struct Section {
        std::string name;       // empty name: the lines before the first header
        bool hasHeader = false;
        std::vector<Line> lines;
    };

    Section* FindSection(std::string_view name);
    const Section* FindSection(std::string_view name) const;
    static const Line* FindKey(const Section& section, std::string_view key);

    std::vector<Section> sections_;
    Encoding encoding_ = Encoding::Utf8;
    bool crlf_ = true;
};

// Names a file can hold. A key is not empty (blanks aside) and holds no "="
// (the reader splits there), does not start with "[" (a section header) or
// ";" (a comment), and holds no line break, NUL or byte-order mark. A section
// name is not empty and holds no "]", line break, NUL or byte-order mark.
// Empty when the name can be stored, else the characters that are not allowed.
std::string IniKeyProblem(std::string_view key);
std::string IniSectionProblem(std::string_view section);

// The profile-string calls, each reading (and writing) the whole file.
// A missing file reads empty. Writes create the file when it is missing and
// save atomically; they return 0 or the errno of the failed save (EINVAL
// for a key or section name the file cannot hold).
std::string ReadProfileString(const std::string& path, std::string_view section, std::string_view key);
int WriteProfileString(const std::string& path, std::string_view section, std::string_view key, std::string_view value);
int DeleteProfileKey(const std::string& path, std::string_view section, std::string_view key);
int DeleteProfileSection(const std::string& path, std::string_view section);
std::vector<std::string> ReadProfileKeys(const std::string& path, std::string_view section);

// Reads a file into a document (an empty document when it is missing or
// cannot be read: not a regular file, or larger than kMaxTextFileBytes).
IniDocument LoadIni(const std::string& path);
// For a read-modify-write: 0 with the file's document (empty when the file
// is missing), or the errno of a file that exists but cannot be read.
int LoadIniForEdit(const std::string& path, IniDocument& document);
// Saves a document atomically; returns 0 or errno.
int SaveIni(const std::string& path, const IniDocument& document);

} // namespace qv530
