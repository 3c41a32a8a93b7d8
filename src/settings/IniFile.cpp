#include "settings/IniFile.h"

#include "platform/FileIo.h"
#include "settings/AsciiCase.h"
#include "settings/TextEncoding.h"

#include <algorithm>
#include <cerrno>

namespace qv530 {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16Bom = "\xFF\xFE";
constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

bool Enclosed(std::string_view value) {
    return value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
}

// The Windows reader strips one pair of enclosing double or single quotes.
std::string_view Unquote(std::string_view value) { return Enclosed(value) ? value.substr(1, value.size() - 2) : value; }

std::string FormatValue(std::string_view value) {
    const bool padded = !value.empty() && (kBlanks.find(value.front()) != std::string_view::npos ||
                                           kBlanks.find(value.back()) != std::string_view::npos);
    if (padded || Enclosed(value)) return "\"" + std::string(value) + "\"";
    return std::string(value);
}

std::string StripNul(std::string_view text) {
    std::string out(text);
    out.erase(std::remove(out.begin(), out.end(), '\0'), out.end());
    return out;
}

// A value or key as it may stand on one line: line breaks and NUL characters
// would split or cut the line, so they are left out.
std::string OneLine(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '\r' && c != '\n' && c != '\0') out += c;
    return out;
}

// The characters of name a file cannot hold, listed for a message.
std::string NameProblem(std::string_view name, std::string_view forbidden, std::string_view forbiddenFirst) {
    const std::string_view trimmed = Trim(name);
    if (trimmed.empty()) return "an empty name";
    std::string problem;
    const auto add = [&problem](const std::string& what) { problem += (problem.empty() ? "" : ", ") + what; };
    for (char c : forbiddenFirst)
        if (trimmed.front() == c) add(std::string("a leading \"") + c + "\"");
    for (char c : forbidden)
        if (name.find(c) != std::string_view::npos) add(std::string("\"") + c + "\"");
    if (name.find_first_of("\r\n") != std::string_view::npos) add("a line break");
    if (name.find('\0') != std::string_view::npos) add("a NUL character");
    if (name.find(kUtf8Bom) != std::string_view::npos) add("a byte-order mark");
    return problem;
}

} // namespace

std::string IniKeyProblem(std::string_view key) { return NameProblem(key, "=", "[;"); }

std::string IniSectionProblem(std::string_view section) { return NameProblem(section, "]", ""); }

IniDocument IniDocument::Parse(std::string_view fileBytes) {
    IniDocument document;
    std::string text;
    if (fileBytes.starts_with(kUtf16Bom)) {
        document.encoding_ = Encoding::Utf16Le;
        text = Utf16LeToUtf8(fileBytes.substr(kUtf16Bom.size()));
    } else if (fileBytes.starts_with(kUtf8Bom)) {
        document.encoding_ = Encoding::Utf8Bom;
        text = std::string(fileBytes.substr(kUtf8Bom.size()));
    } else {
        text = std::string(fileBytes);
    }
    const auto firstBreak = text.find('\n');
    document.crlf_ = firstBreak == std::string::npos || (firstBreak > 0 && text[firstBreak - 1] == '\r');

    document.sections_.push_back(Section{});
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        std::string_view ending = "\n";
        if (end == std::string::npos) {
            end = text.size();
            ending = {};
        }
        std::string raw(text.data() + start, end - start);
        // A CR belongs to the line end right before its LF, or at the very
        // end of the file (a line end cut short); any other CR stays with the
        // line's text (and value).
        if (!raw.empty() && raw.back() == '\r') {
            raw.pop_back();
            ending = ending.empty() ? "\r" : "\r\n";
        }
        start = end + 1;

        // The line is kept as found; its name, key and value are read
        // without NUL characters.
        const std::string clean = StripNul(raw);
        Line line{std::move(raw), {}, {}, std::string(ending)};
        const std::string_view trimmed = Trim(clean);
        if (trimmed.starts_with('[')) {
            const auto close = trimmed.find(']');
            const std::string_view name =
                Trim(close == std::string_view::npos ? trimmed.substr(1) : trimmed.substr(1, close - 1));
            document.sections_.push_back(Section{std::string(name), true, {std::move(line)}});
            continue;
        }
        const auto equals = trimmed.find('=');
        if (equals != std::string_view::npos && equals > 0 && !trimmed.starts_with(';')) {
            line.key = std::string(Trim(trimmed.substr(0, equals)));
            line.value = std::string(Unquote(Trim(trimmed.substr(equals + 1))));
        }
        document.sections_.back().lines.push_back(std::move(line));
    }
    return document;
}

std::string IniDocument::Serialize() const {
    const std::string_view lineEnd = crlf_ ? "\r\n" : "\n";
    std::string text;
    const Line* last = nullptr;
    for (const Section& section : sections_)
        if (!section.lines.empty()) last = &section.lines.back();
    for (const Section& section : sections_)
        for (const Line& line : section.lines) {
            text += line.text;
            // A last line keeps its end as found (none, or a lone CR); a line
            // that is no longer last gets a whole one.
            if (&line == last) text += line.ending;
            else if (line.ending == "\r") text += "\r\n";
            else text += line.ending.empty() ? lineEnd : line.ending;
        }
    switch (encoding_) {
    case Encoding::Utf16Le: return std::string(kUtf16Bom) + Utf8ToUtf16Le(text);
    case Encoding::Utf8Bom: return std::string(kUtf8Bom) + text;
    case Encoding::Utf8: break;
    }
    return text;
}

IniDocument::Section* IniDocument::FindSection(std::string_view name) {
    for (Section& section : sections_)
        if (section.hasHeader && EqualsIgnoringAsciiCase(section.name, name)) return &section;
    return nullptr;
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
    for (const Section& section : sections_)
        if (section.hasHeader && EqualsIgnoringAsciiCase(section.name, name)) return &section;
    return nullptr;
}

const IniDocument::Line* IniDocument::FindKey(const Section& section, std::string_view key) {
    for (const Line& line : section.lines)
        if (!line.key.empty() && EqualsIgnoringAsciiCase(line.key, key)) return &line;
    return nullptr;
}

std::string IniDocument::Get(std::string_view section, std::string_view key) const {
    const Section* found = FindSection(section);
    if (found == nullptr) return {};
    const Line* line = FindKey(*found, key);
    if (line == nullptr) return {};
    return std::string(Utf8Prefix(line->value, kIniValueMax));
}

bool IniDocument::HasKey(std::string_view section, std::string_view key) const {
    const Section* found = FindSection(section);
    return found != nullptr && FindKey(*found, key) != nullptr;
}

bool IniDocument::HasSection(std::string_view section) const { return FindSection(section) != nullptr; }

std::vector<std::string> IniDocument::Keys(std::string_view section) const {
    std::vector<std::string> keys;
    if (const Section* found = FindSection(section))
        for (const Line& line : found->lines)
            if (!line.key.empty()) keys.push_back(line.key);
    return keys;
}

std::vector<std::string> IniDocument::Sections() const {
    std::vector<std::string> names;
    for (const Section& section : sections_)
        if (section.hasHeader) names.push_back(section.name);
    return names;
}

bool IniDocument::Set(std::string_view sectionName, std::string_view keyName, std::string_view value) {
    if (!IniKeyProblem(keyName).empty() || !IniSectionProblem(sectionName).empty()) return false;
    const std::string key(Trim(keyName));
    const std::string name(Trim(sectionName));
    const std::string lineEnd = crlf_ ? "\r\n" : "\n";
    // The line as a read of it would find it: the key, then the value
    // without the quotes that keep its blanks.
    const std::string formatted = FormatValue(OneLine(value));
    Line updated{key + "=" + formatted, key, std::string(Unquote(Trim(formatted))), lineEnd};
    Section* section = FindSection(name);
    if (section == nullptr) {
        sections_.push_back(Section{name, true, {Line{"[" + name + "]", {}, {}, lineEnd}}});
        section = &sections_.back();
    }
    for (Line& line : section->lines)
        if (!line.key.empty() && EqualsIgnoringAsciiCase(line.key, key)) {
            updated.ending = line.ending; // the line keeps its own line end
            line = std::move(updated);
            return true;
        }
    // After the section's last non-blank line, so blank separators stay between sections.
    auto position = section->lines.end();
    while (position != section->lines.begin() + 1 && Trim(std::prev(position)->text).empty()) --position;
    section->lines.insert(position, std::move(updated));
    return true;
}

void IniDocument::DeleteKey(std::string_view sectionName, std::string_view key) {
    Section* section = FindSection(sectionName);
    if (section == nullptr) return;
    auto& lines = section->lines;
    const auto match = std::find_if(lines.begin(), lines.end(),
                                    [&](const Line& line) { return !line.key.empty() && EqualsIgnoringAsciiCase(line.key, key); });
    if (match != lines.end()) lines.erase(match);
}

void IniDocument::DeleteSection(std::string_view sectionName) {
    const auto match = std::find_if(sections_.begin(), sections_.end(), [&](const Section& section) {
        return section.hasHeader && EqualsIgnoringAsciiCase(section.name, sectionName);
    });
    if (match != sections_.end()) sections_.erase(match);
}

IniDocument LoadIni(const std::string& path) {
    const auto bytes = ReadWholeFile(path);
    return bytes ? IniDocument::Parse(*bytes) : IniDocument{};
}

int SaveIni(const std::string& path, const IniDocument& document) {
    return WriteFileAtomic(path, document.Serialize());
}

std::string ReadProfileString(const std::string& path, std::string_view section, std::string_view key) {
    return LoadIni(path).Get(section, key);
}

int LoadIniForEdit(const std::string& path, IniDocument& document) {
    errno = 0;
    if (const auto bytes = ReadWholeFile(path)) {
        document = IniDocument::Parse(*bytes);
        return 0;
    }
    // A missing file starts empty; one that exists but cannot be read must
    // not be replaced by a file holding only the new key.
    if (errno == ENOENT) {
        document = IniDocument{};
        return 0;
    }
    return errno != 0 ? errno : EIO;
}

namespace {

// Reads the file, applies one edit and saves it atomically. Deleting from a
// file that does not exist does nothing, as the Windows calls do.
template <typename Edit>
int EditIni(const std::string& path, bool createMissing, Edit edit) {
    if (!createMissing && !FileExists(path)) return 0;
    IniDocument document;
    if (const int error = LoadIniForEdit(path, document); error != 0) return error;
    edit(document);
    return SaveIni(path, document);
}

} // namespace

int WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                       std::string_view value) {
    if (!IniKeyProblem(key).empty() || !IniSectionProblem(section).empty()) return EINVAL;
    return EditIni(path, true, [&](IniDocument& document) { document.Set(section, key, value); });
}

int DeleteProfileKey(const std::string& path, std::string_view section, std::string_view key) {
    return EditIni(path, false, [&](IniDocument& document) { document.DeleteKey(section, key); });
}

int DeleteProfileSection(const std::string& path, std::string_view section) {
    return EditIni(path, false, [&](IniDocument& document) { document.DeleteSection(section); });
}

std::vector<std::string> ReadProfileKeys(const std::string& path, std::string_view section) {
    return LoadIni(path).Keys(section);
}

} // namespace qv530
