#include "platform/KdeConfigText.h"

#include <optional>

namespace qv530 {
namespace {

// One line of the text: its content and its line end ("\n", "\r\n" or none).
struct Line {
    std::string_view content;
    std::string_view end;
};

std::vector<Line> SplitLines(std::string_view text) {
    std::vector<Line> lines;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        std::size_t contentEnd = newline == std::string_view::npos ? text.size() : newline;
        const std::size_t lineEnd = newline == std::string_view::npos ? text.size() : newline + 1;
        if (contentEnd > 0 && newline != std::string_view::npos && text[contentEnd - 1] == '\r') --contentEnd;
        lines.push_back({text.substr(0, contentEnd), text.substr(contentEnd, lineEnd - contentEnd)});
        text.remove_prefix(lineEnd);
    }
    return lines;
}

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string Unescape(std::string_view name) {
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name.substr(i, 4) == "\\x5b" || name.substr(i, 4) == "\\x5B") {
            out += '[';
            i += 3;
        } else if (name.substr(i, 4) == "\\x5d" || name.substr(i, 4) == "\\x5D") {
            out += ']';
            i += 3;
        } else {
            out += name[i];
        }
    }
    return out;
}

std::string Escape(std::string_view name) {
    std::string out;
    for (char c : name) {
        if (c == '[') out += "\\x5b";
        else if (c == ']') out += "\\x5d";
        else out += c;
    }
    return out;
}

// The key of an entry line: the text before '=', without its spaces and
// without an option suffix such as "[$e]"; nothing for comments and lines
// without '='.
std::optional<std::string_view> EntryKey(std::string_view content) {
    const std::string_view line = Trim(content);
    if (line.empty() || line.front() == '#' || line.front() == '[') return std::nullopt;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    std::string_view key = Trim(line.substr(0, equals));
    if (key.ends_with("]")) {
        const std::size_t option = key.find("[$");
        if (option != std::string_view::npos) key = Trim(key.substr(0, option));
    }
    return key;
}

// Where a group's lines are: the header's index (npos for a missing group)
// and the index one past its last entry line.
struct GroupSpan {
    std::size_t header = std::string::npos;
    std::size_t lastEntry = std::string::npos;
};

GroupSpan FindGroup(const std::vector<Line>& lines, const std::vector<std::string>& group) {
    GroupSpan span;
    bool inside = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::vector<std::string> header = ParseKdeGroupHeader(lines[i].content);
        if (!header.empty()) {
            if (inside) break;
            inside = header == group;
            if (inside) span.header = span.lastEntry = i;
            continue;
        }
        if (inside && !Trim(lines[i].content).empty()) span.lastEntry = i;
    }
    return span;
}

} // namespace

std::vector<std::string> ParseKdeGroupHeader(std::string_view line) {
    std::string_view rest = Trim(line);
    std::vector<std::string> group;
    if (!rest.starts_with('[')) return group;
    while (!rest.empty()) {
        if (rest.front() != '[') return {};
        const std::size_t close = rest.find(']');
        if (close == std::string_view::npos) return {};
        const std::string_view name = rest.substr(1, close - 1);
        // "[$i]" after a group marks it immutable; it is no part of the name.
        if (!name.starts_with('$')) group.push_back(Unescape(name));
        rest.remove_prefix(close + 1);
    }
    return group;
}

std::string KdeGroupHeader(const std::vector<std::string>& group) {
    std::string header;
    for (const std::string& name : group) header += "[" + Escape(name) + "]";
    return header;
}

std::string SetKdeConfigEntry(std::string_view text, const std::vector<std::string>& group, std::string_view key,
                              std::string_view value) {
    const std::vector<Line> lines = SplitLines(text);
    const GroupSpan span = FindGroup(lines, group);
    const std::string entry = std::string(key) + "=" + std::string(value);
    std::string out;
    out.reserve(text.size() + entry.size() + 64);
    if (span.header == std::string::npos) {
        out.assign(text);
        if (!out.empty() && !out.ends_with('\n')) out += '\n';
        if (!out.empty() && !out.ends_with("\n\n")) out += '\n';
        return out + KdeGroupHeader(group) + "\n" + entry + "\n";
    }
    bool done = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool inGroup = i > span.header && i <= span.lastEntry;
        if (!done && inGroup && EntryKey(lines[i].content) == key) {
            // The key as written (spaces, option suffix) stays; only the value changes.
            const std::size_t equals = lines[i].content.find('=');
            out.append(lines[i].content.substr(0, equals + 1)).append(value).append(lines[i].end);
            done = true;
            continue;
        }
        out.append(lines[i].content).append(lines[i].end);
        if (!done && i == span.lastEntry) {
            if (lines[i].end.empty()) out += '\n';
            out += entry;
            out += lines[i].end.empty() ? std::string_view("\n") : lines[i].end;
            done = true;
        }
    }
    return out;
}

bool FindKdeConfigEntry(std::string_view text, const std::vector<std::string>& group, std::string_view key,
                        std::string& value) {
    const std::vector<Line> lines = SplitLines(text);
    const GroupSpan span = FindGroup(lines, group);
    if (span.header == std::string::npos) return false;
    for (std::size_t i = span.header + 1; i <= span.lastEntry && i < lines.size(); ++i) {
        if (EntryKey(lines[i].content) != key) continue;
        const std::string_view content = lines[i].content;
        value = std::string(Trim(content.substr(content.find('=') + 1)));
        return true;
    }
    return false;
}

} // namespace qv530
