#include "usecases/ProfileGames.h"

#include <algorithm>
#include <optional>

#include "profiles/GameBindings.h"
#include "profiles/ProfileBook.h"
#include "profiles/ProfileStore.h"

namespace qv530 {
namespace {

using Outcome = ProfileGames::Outcome;

// The session's state for a change: empty when it may write.
std::optional<ProfileGames::Change> Refusal(const StoreSession& session, const std::vector<std::string>& listAsRead,
                                            const std::string& program) {
    if (!session.ok()) return ProfileGames::Change{Outcome::Failed, program, -1, session.refusal(), {}};
    if (ProfileBook::Read(session.folder() + "str.ini", {}).readNames() != listAsRead)
        return ProfileGames::Change{Outcome::ListChanged, program, -1, {}, session.notes()};
    return std::nullopt;
}

ProfileGames::Change Failure(const GameBindingChange& change, const std::string& program) {
    return {change.badInput ? Outcome::Refused : Outcome::Failed, program, -1, change.error, change.notes};
}

} // namespace

std::string ProgramNameRefusalText(const GameDialogTexts& texts, std::string_view program) {
    switch (FindProgramNameFault(program)) {
    case ProgramNameFault::None: return {};
    case ProgramNameFault::Empty: return texts.emptyName;
    case ProgramNameFault::TooLong: {
        std::string text = texts.tooLong;
        if (const std::size_t at = text.find("%1"); at != std::string::npos)
            text.replace(at, 2, std::to_string(kProgramNameMax));
        return text;
    }
    case ProgramNameFault::Path: return texts.path;
    case ProgramNameFault::ControlCharacter: return texts.controlCharacter;
    case ProgramNameFault::BlankAtEnd: return texts.blankAtEnd;
    }
    return ProgramNameRefusal(program);
}

ProfileGames::ProfileGames(std::string folder, int position, std::vector<std::string> listAsRead)
    : folder_(std::move(folder)), position_(position), listAsRead_(std::move(listAsRead)) {
    Reload();
}

std::string ProfileGames::Reload() {
    programs_.clear();
    // A reader needs no lock: the ids are reconciled without writing them.
    const std::vector<std::string> ids = ListedProfileIds(folder_);
    const GameBindingList list = ReadGameBindings(folder_, ids);
    if (position_ < 0 || position_ >= static_cast<int>(ids.size())) return list.error;
    for (const GameBinding& binding : list.bindings)
        if (binding.profileId == ids[static_cast<std::size_t>(position_)]) programs_.push_back(binding.program);
    return list.error;
}

ProfileGames::Change ProfileGames::Add(const std::string& program) {
    if (std::string refusal = ProgramNameRefusal(program); !refusal.empty())
        return {Outcome::Refused, program, -1, std::move(refusal), {}};
    const StoreSession session(folder_);
    if (auto refused = Refusal(session, listAsRead_, program)) return *refused;
    Reload();
    if (std::find(programs_.begin(), programs_.end(), program) != programs_.end())
        return {Outcome::AlreadyBound, program, -1, {}, session.notes()};
    const GameBindingChange change = BindGame(session, position_, program);
    if (!change.done) return Failure(change, program);
    Change done{Outcome::Added, program, -1, {}, session.notes()};
    done.notes.insert(done.notes.end(), change.notes.begin(), change.notes.end());
    if (!change.previousProfileId.empty()) {
        done.previousPosition = PositionOfProfileId(session, change.previousProfileId);
        done.outcome = Outcome::Moved;
    }
    Reload();
    return done;
}

ProfileGames::Change ProfileGames::Remove(const std::string& program) {
    const StoreSession session(folder_);
    if (auto refused = Refusal(session, listAsRead_, program)) return *refused;
    // Another program may have moved it to another profile meanwhile: that binding stays.
    Reload();
    if (std::find(programs_.begin(), programs_.end(), program) == programs_.end())
        return {Outcome::NotBound, program, -1, {}, session.notes()};
    const GameBindingChange change = UnbindGame(session, program);
    if (!change.done) return Failure(change, program);
    Change done{Outcome::Removed, program, -1, {}, session.notes()};
    done.notes.insert(done.notes.end(), change.notes.begin(), change.notes.end());
    Reload();
    return done;
}

} // namespace qv530
