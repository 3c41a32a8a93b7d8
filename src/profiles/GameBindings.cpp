#include "profiles/GameBindings.h"

#include <algorithm>
#include <cerrno>

#include "platform/FileIo.h"
#include "profiles/ProfileBook.h"
#include "profiles/ProfileStore.h"
#include "profiles/StoreJournal.h"
#include "settings/AsciiCase.h"

namespace qv530 {
namespace {

constexpr const char* kHeader = "# QV530 game profiles: profile identity, a tab, program name\n";

std::vector<std::string> ListedNames(const std::string& folder) {
    return ProfileBook::Read(folder + "str.ini", {}).readNames();
}

// The file under the lock, with only the bindings of live profiles; a
// damaged file is kept aside before it is written over.
GameBindingChange WriteBindings(const StoreSession& session, const GameBindingList& list,
                                const std::vector<std::string>& liveIds, std::vector<GameBinding> bindings) {
    GameBindingChange change;
    const std::string path = session.folder() + kGameBindingsName;
    std::erase_if(bindings, [&](const GameBinding& binding) {
        return std::find(liveIds.begin(), liveIds.end(), binding.profileId) == liveIds.end();
    });
    if (list.damaged) {
        // A copy, not a rename: a crash before the new file is written
        // leaves the old one in its place, its bindings still read.
        const std::optional<std::string> old = ReadWholeFile(path);
        const std::string aside = KeptAsideName(path);
        const int error = old ? WriteFileAtomic(aside, *old) : errno;
        if (error != 0) {
            change.error = "the damaged " + path + " cannot be kept aside: " + DescribeWriteError(aside, error);
            return change;
        }
        change.notes.push_back(path + " held lines that are no game binding; it was kept as " + aside);
    }
    if (const int error = WriteFileAtomic(path, FormatGameBindings(bindings)); error != 0) {
        change.error = DescribeWriteError(path, error);
        return change;
    }
    change.done = true;
    return change;
}

} // namespace

ProgramNameFault FindProgramNameFault(std::string_view program) {
    if (program.empty()) return ProgramNameFault::Empty;
    if (program.size() > kProgramNameMax) return ProgramNameFault::TooLong;
    if (program.find_first_of("/\\") != std::string_view::npos) return ProgramNameFault::Path;
    for (const char c : program)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return ProgramNameFault::ControlCharacter;
    if (program.front() == ' ' || program.back() == ' ') return ProgramNameFault::BlankAtEnd;
    return ProgramNameFault::None;
}

std::string ProgramNameRefusal(std::string_view program) {
    switch (FindProgramNameFault(program)) {
    case ProgramNameFault::None: return {};
    case ProgramNameFault::Empty: return "the program name is empty";
    case ProgramNameFault::TooLong:
        return "the program name is longer than " + std::to_string(kProgramNameMax) + " bytes";
    case ProgramNameFault::Path:
        return "'" + std::string(program) + "' is a path; give the program's name alone, such as shooter.exe";
    case ProgramNameFault::ControlCharacter: return "the program name holds a control character";
    case ProgramNameFault::BlankAtEnd: return "the program name begins or ends with a blank";
    }
    return {};
}

bool SameProgram(std::string_view a, std::string_view b) {
    return EqualsIgnoringAsciiCase(a, b);
}

bool ProgramNameLess(std::string_view a, std::string_view b) {
    const auto lower = [](char x, char y) { return LowerAscii(x) < LowerAscii(y); };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), lower)) return true;
    return !std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), lower) && a < b;
}

std::string FormatGameBindings(const std::vector<GameBinding>& bindings) {
    std::string text = kHeader;
    for (const GameBinding& binding : bindings) text += binding.profileId + '\t' + binding.program + '\n';
    return text;
}

GameBindingList ParseGameBindings(std::string_view text) {
    GameBindingList list;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.empty() || line.front() == '#') continue;
        const std::size_t tab = line.find('\t');
        const std::string_view id = line.substr(0, std::min(tab, line.size()));
        const std::string_view program = tab == std::string_view::npos ? std::string_view() : line.substr(tab + 1);
        const bool taken = std::any_of(list.bindings.begin(), list.bindings.end(),
                                       [&](const GameBinding& b) { return SameProgram(b.program, program); });
        if (id.empty() || !ProgramNameRefusal(program).empty() || taken) {
            list.damaged = true;
            continue;
        }
        list.bindings.push_back({std::string(program), std::string(id)});
    }
    return list;
}

GameBindingList ReadGameBindings(const std::string& folder, const std::vector<std::string>& liveIds) {
    const std::string path = folder + kGameBindingsName;
    const std::optional<std::string> text = ReadWholeFile(path);
    if (!text) {
        GameBindingList none;
        if (errno != ENOENT) none.error = DescribeReadError(path, errno);
        return none;
    }
    GameBindingList list = ParseGameBindings(*text);
    std::erase_if(list.bindings, [&](const GameBinding& binding) {
        return std::find(liveIds.begin(), liveIds.end(), binding.profileId) == liveIds.end();
    });
    return list;
}

std::vector<std::string> ListedProfileIds(const std::string& folder) {
    const std::string stored = ReadWholeFile(folder + kProfileIdsName).value_or(std::string());
    return ReconcileProfileIds(stored, ListedNames(folder));
}

GameBindingChange BindGame(const StoreSession& session, int position, const std::string& program) {
    GameBindingChange change;
    if (!session.ok()) return change.error = session.refusal(), change;
    change.badInput = true;
    if (change.error = ProgramNameRefusal(program); !change.error.empty()) return change;
    const std::vector<std::string> ids = ProfileIds(session, ListedNames(session.folder()));
    if (position < 0 || position >= static_cast<int>(ids.size()))
        return change.error = "there is no profile " + std::to_string(position), change;
    change.badInput = false;
    const GameBindingList list = ReadGameBindings(session.folder(), ids);
    if (!list.error.empty()) return change.error = list.error, change;
    std::vector<GameBinding> bindings = list.bindings;
    const std::string& id = ids[static_cast<std::size_t>(position)];
    std::string previous;
    const auto same = [&](const GameBinding& b) { return SameProgram(b.program, program); };
    if (const auto found = std::find_if(bindings.begin(), bindings.end(), same); found != bindings.end()) {
        previous = found->profileId;
        found->profileId = id;
        found->program = program;
    } else {
        bindings.push_back({program, id});
    }
    change = WriteBindings(session, list, ids, std::move(bindings));
    if (change.done && previous != id) change.previousProfileId = previous;
    return change;
}

GameBindingChange UnbindGame(const StoreSession& session, const std::string& program) {
    GameBindingChange change;
    if (!session.ok()) return change.error = session.refusal(), change;
    const std::vector<std::string> ids = ProfileIds(session, ListedNames(session.folder()));
    const GameBindingList list = ReadGameBindings(session.folder(), ids);
    if (!list.error.empty()) return change.error = list.error, change;
    std::vector<GameBinding> bindings = list.bindings;
    if (std::erase_if(bindings, [&](const GameBinding& b) { return SameProgram(b.program, program); }) == 0)
        return change.error = "no profile is bound to '" + program + "'", change.badInput = true, change;
    return WriteBindings(session, list, ids, std::move(bindings));
}

std::vector<PlacedBinding> PlacedGameBindings(const StoreSession& session, std::string* error) {
    const std::vector<std::string> ids =
        session.ok() ? ProfileIds(session, ListedNames(session.folder())) : ListedProfileIds(session.folder());
    const GameBindingList list = ReadGameBindings(session.folder(), ids);
    if (error) *error = list.error;
    std::vector<PlacedBinding> placed;
    for (std::size_t p = 0; p < ids.size(); ++p)
        for (const GameBinding& binding : list.bindings)
            if (binding.profileId == ids[p]) placed.push_back({static_cast<int>(p), binding});
    return placed;
}

} // namespace qv530
