#include "profiles/ProfileBook.h"

#include <cctype>

#include "profiles/ConfigFiles.h"
#include "profiles/ProfileList.h"
#include "settings/AsciiCase.h"

namespace qv530 {
namespace {

constexpr const char* kProfile = "Profile";

std::string ItemKey(int index) { return "Item" + std::to_string(index); }

// The number the C library reads at the start of text: blanks, a sign,
// digits; 0 when there are none. Kept far from overflowing.
long long LeadingNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        if (value < 1'000'000'000'000LL) value = value * 10 + (text[i] - '0');
    return negative ? -value : value;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
    for (const std::string& n : names)
        if (n == name) return true;
    return false;
}

} // namespace

bool IsValidProfileName(const std::string& name) {
    if (name.empty() || name.size() > kIniValueMax) return false;
    for (char c : name)
        if (c == '\n' || c == '\r' || c == '\0') return false;
    return true;
}

std::string NextProfileName(const std::vector<std::string>& names, const std::string& baseName) {
    if (names.empty()) return baseName + " 1";
    const std::string& last = names.back();
    const auto space = last.find(' ');
    std::string stem;
    long long number = 0;
    if (space != std::string::npos) {
        stem = baseName;
        number = LeadingNumber(last.substr(space + 1)) + 1;
    } else {
        stem = last;
        number = static_cast<long long>(names.size());
    }
    std::string name = stem + " " + std::to_string(number);
    while (Contains(names, name)) name = stem + " " + std::to_string(++number);
    return name;
}

ProfileBook ProfileBook::Read(const std::string& listPath, const std::string& baseName) {
    return Read(LoadIni(listPath), baseName);
}

ProfileBook ProfileBook::Read(const IniDocument& list, const std::string& baseName) {
    ProfileBook book;
    std::vector<std::string> names;
    const auto count = ParseCount(list.Get(kProfile, "ItemCount"));
    if (count && *count >= 1 && *count <= kMaxProfiles) {
        for (int i = 0; i < *count; ++i) names.push_back(list.Get(kProfile, ItemKey(i)));
    } else {
        // A damaged count: show the names that are there.
        book.repaired_ = list.HasSection(kProfile);
        for (int i = 0; i < kMaxProfiles && list.HasKey(kProfile, ItemKey(i)); ++i)
            names.push_back(list.Get(kProfile, ItemKey(i)));
    }
    book.readCount_ = static_cast<int>(names.size());
    book.readNames_ = names;

    // The selection as the start-up load finds the current profile: the last
    // equal name; only without one the first name beginning with it.
    const std::string current = list.Get(kProfile, "CurProfileName");
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == current) book.selected_ = static_cast<int>(i);
    if (book.selected_ < 0)
        for (std::size_t i = 0; i < names.size() && book.selected_ < 0; ++i)
            if (StartsWithIgnoringAsciiCase(names[i], current)) book.selected_ = static_cast<int>(i);

    for (std::size_t i = 0; i < names.size(); ++i) {
        ProfileEntry entry{names[i], static_cast<int>(i), static_cast<int>(i), false, book.nextKey_++};
        book.entries_.push_back(entry);
    }
    // Names must be unique (the current profile is found by its name):
    // a missing name gets the rule's name, a repeated one a number. The
    // selected entry keeps its name when it is one of the repeats.
    for (int i = 0; i < book.count(); ++i) {
        ProfileEntry& entry = book.entries_[static_cast<std::size_t>(i)];
        if (!IsValidProfileName(entry.name)) {
            entry.name = book.Unique(baseName + " " + std::to_string(i + 1), i);
            book.repaired_ = true;
        }
    }
    for (int i = 0; i < book.count(); ++i) {
        ProfileEntry& entry = book.entries_[static_cast<std::size_t>(i)];
        const int other = book.Find(entry.name);
        if (other == i) continue;
        // Two equal names: the one that is not selected gets a number.
        const int renamed = i == book.selected_ ? other : i;
        ProfileEntry& target = book.entries_[static_cast<std::size_t>(renamed)];
        target.name = book.Unique(target.name, renamed);
        book.repaired_ = true;
    }
    return book;
}

void ProfileBook::Select(int index) { selected_ = index >= 0 && index < count() ? index : -1; }

int ProfileBook::Find(const std::string& name) const {
    for (int i = 0; i < count(); ++i)
        if (entries_[static_cast<std::size_t>(i)].name == name) return i;
    return -1;
}

int ProfileBook::FindIgnoringCase(const std::string& name) const {
    for (int i = 0; i < count(); ++i) {
        const std::string& entry = entries_[static_cast<std::size_t>(i)].name;
        if (EqualsIgnoringAsciiCase(entry, name)) return i;
    }
    return -1;
}

bool ProfileBook::Contains(const std::string& name, int except) const {
    for (int i = 0; i < count(); ++i)
        if (i != except && entries_[static_cast<std::size_t>(i)].name == name) return true;
    return false;
}

std::string ProfileBook::Unique(const std::string& name, int except) const {
    if (!Contains(name, except)) return name;
    for (int n = 2;; ++n) {
        std::string candidate = name + " " + std::to_string(n);
        if (!Contains(candidate, except)) return candidate;
    }
}

ProfileBook::Outcome ProfileBook::New(const std::string& baseName) {
    if (count() >= kMaxProfiles) return Outcome::Limit;
    std::vector<std::string> names;
    for (const ProfileEntry& entry : entries_) names.push_back(entry.name);
    // The first entry of an empty list is not marked new: closing on it
    // switches to position 0, whose missing files are then created.
    entries_.push_back({NextProfileName(names, baseName), -1, -1, !names.empty(), nextKey_++});
    selected_ = count() - 1;
    return Outcome::Done;
}

ProfileBook::Outcome ProfileBook::Delete(int index) {
    if (count() < 2 || index < 0 || index >= count()) return Outcome::Ignored;
    entries_.erase(entries_.begin() + index);
    if (selected_ == index) selected_ = index < count() ? index : count() - 1;
    else if (selected_ > index) --selected_;
    return Outcome::Done;
}

ProfileBook::Outcome ProfileBook::Copy(int index, const std::string& copyWord) {
    if (index < 0 || index >= count()) return Outcome::Ignored;
    if (count() >= kMaxProfiles) return Outcome::Limit;
    const ProfileEntry& source = entries_[static_cast<std::size_t>(index)];
    ProfileEntry copy{Unique(copyWord + " " + source.name), -1, source.filesFrom, false, nextKey_++};
    if (!IsValidProfileName(copy.name)) return Outcome::Ignored;
    entries_.push_back(copy);
    return Outcome::Done;
}

ProfileBook::Outcome ProfileBook::Rename(int index, const std::string& name) {
    if (index < 0 || index >= count() || !IsValidProfileName(name) || Contains(name, index)) return Outcome::Ignored;
    entries_[static_cast<std::size_t>(index)].name = name;
    return Outcome::Done;
}

int ProfileBook::CloseSelection() const {
    if (entries_.empty()) return -1;
    return selected_ >= 0 ? selected_ : 0;
}

int ProfileBook::PositionOfKey(int key) const {
    for (int i = 0; i < count(); ++i)
        if (entries_[static_cast<std::size_t>(i)].key == key) return i;
    return -1;
}

int ProfileBook::PositionOfOrigin(int origin) const {
    if (origin < 0) return -1;
    for (int i = 0; i < count(); ++i)
        if (entries_[static_cast<std::size_t>(i)].origin == origin) return i;
    return -1;
}

} // namespace qv530
