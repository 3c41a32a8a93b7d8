// qv530ctl profile: the profile dialog's operations from the command line,
// on the same list rules, each as one change of the profile store.
#include <cctype>
#include <string_view>

#include "cli/Commands.h"
#include "lang/ProfileTexts.h"
#include "lang/UiStrings.h"
#include "macros/MacroRebuild.h"
#include "platform/FileIo.h"
#include "profiles/GameBindings.h"
#include "profiles/ProfileBook.h"
#include "profiles/ProfileFileMoves.h"
#include "profiles/ProfileNameRules.h"
#include "profiles/ProfileStore.h"
#include "profiles/ProfileSwitch.h"
#include "settings/IniFile.h"

namespace qv530::cli {
namespace {

constexpr int kDone = 0;
constexpr int kRefused = 1;
constexpr int kBadInput = 2;

constexpr const char* kProfileUsage =
    "usage: qv530ctl profile list | new [NAME] | copy INDEX | delete INDEX | rename INDEX NAME |\n"
    "                        switch INDEX|NAME | export INDEX FILE | import INDEX FILE |\n"
    "                        bind INDEX|NAME PROGRAM | unbind PROGRAM | bindings\n";

// The data folder, its language and the list as the dialog reads it; made
// once the store's session holds the lock, so the list cannot change under it.
struct ProfileSession {
    explicit ProfileSession(const StoreSession& session) : store(session) {}

    const StoreSession& store;
    std::string folder = store.folder();
    std::string language = ReadProfileString(folder + "str.ini", "Skins", "Lan");
    ProfileTexts texts = EnglishWhenEmpty(ProfileTextsFor(language));
    ProfileTexts english = ProfileTextsFor("EN");
    ProfileBook book = ProfileBook::Read(folder + "str.ini", texts.baseName);
    // The current entry: the one the dialog would select, else entry 0.
    int current = book.CloseSelection();

    // The profile files as the window's start-up sets them up.
    ConfigFiles Files() const {
        ConfigFiles files(folder);
        UiStrings strings;
        LoadUiStrings(strings, language);
        files.settingsSection = strings.UiString(kSlotCaptionSection);
        return files;
    }

    static ProfileTexts EnglishWhenEmpty(ProfileTexts texts) {
        return texts.baseName.empty() ? ProfileTextsFor("EN") : texts;
    }
};

bool ParseIndex(const std::string& text, const ProfileBook& book, int& index) {
    if (text.empty() || text.size() > 2) return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    index = std::stoi(text);
    return index < book.count();
}

int BadIndex(const std::string& text, const ProfileBook& book, std::ostream& err) {
    err << "qv530ctl: '" << text << "' is not a profile index; the list holds 0.." << book.count() - 1 << "\n";
    return kBadInput;
}

// A name the list cannot hold, or one another entry has: the reason on err.
int RefuseName(const ProfileBook& book, const std::string& name, int except, std::ostream& err) {
    if (const std::string refusal = ProfileNameRefusal(name); !refusal.empty()) {
        err << "qv530ctl: " << refusal << "\n";
        return kBadInput;
    }
    const int other = book.Find(name);
    if (other >= 0 && other != except) {
        err << "qv530ctl: profile " << other << " is named '" << name << "' already\n";
        return kBadInput;
    }
    return kDone;
}

int Save(ProfileSession& session, int current, std::ostream& err, bool createNew = false) {
    NewProfileMaker makeNew;
    if (createNew) {
        const ConfigFiles files = session.Files();
        makeNew = [files](int position) { return MakeNewProfileFiles(files, position); };
    }
    const ProfileListSave saved = SaveProfileBook(session.store, session.book, current, makeNew);
    for (const std::string& note : saved.notes) err << "qv530ctl: " << note << "\n";
    if (saved.saved) return kDone;
    err << "qv530ctl: the profile list was not saved: "
        << (saved.error.empty() ? "there is no " + session.folder + "str.ini" : saved.error) << "\n";
    return kRefused;
}

// Makes index current as closing the dialog on it does; false (with the
// reason on err) when its file is no profile file.
bool Switch(ProfileSession& session, int index, std::ostream& err) {
    ConfigFiles files = session.Files();
    MouseSettings settings;
    DeviceState state;
    const std::string damage = SwitchToProfile(index, files, settings, state);
    bool written = true;
    for (const std::string& failure : files.TakeWriteFailures()) {
        err << "qv530ctl: " << failure << "\n";
        written = false;
    }
    if (!damage.empty()) err << "qv530ctl: " << damage << "\n";
    return written;
}

int List(ProfileSession& session, std::ostream& out, std::ostream& err) {
    if (session.book.count() == 0) {
        err << "qv530ctl: " << session.folder << "str.ini lists no profiles\n";
        return kRefused;
    }
    for (int i = 0; i < session.book.count(); ++i)
        out << (i == session.current ? "* " : "  ") << i << " "
            << session.book.entries()[static_cast<std::size_t>(i)].name << "\n";
    return kDone;
}

int New(ProfileSession& session, const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() > 1) return err << kProfileUsage, kBadInput;
    if (args.size() == 1)
        if (const int status = RefuseName(session.book, args[0], -1, err); status != kDone) return status;
    session.book.Select(session.current);
    if (session.book.New(session.texts.baseName) == ProfileBook::Outcome::Limit) {
        err << session.english.limitMessage << "\n";
        return kRefused;
    }
    const int index = session.book.selected();
    if (args.size() == 1) session.book.Rename(index, args[0]);
    // The entry and its files in one change: a crash leaves no entry without files.
    if (const int status = Save(session, index, err, true); status != kDone) return status;
    out << "* " << index << " " << session.book.entries()[static_cast<std::size_t>(index)].name << "\n";
    return kDone;
}

int Copy(ProfileSession& session, const Args& args, std::ostream& out, std::ostream& err) {
    int index = 0;
    if (args.size() != 1) return err << kProfileUsage, kBadInput;
    if (!ParseIndex(args[0], session.book, index)) return BadIndex(args[0], session.book, err);
    switch (session.book.Copy(index, session.texts.copy)) {
    case ProfileBook::Outcome::Limit: err << session.english.limitMessage << "\n"; return kRefused;
    case ProfileBook::Outcome::Ignored:
        err << "qv530ctl: the copy's name would be longer than " << kIniValueMax << " bytes\n";
        return kBadInput;
    case ProfileBook::Outcome::Done: break;
    }
    if (const int status = Save(session, session.current, err); status != kDone) return status;
    const int copy = session.book.count() - 1;
    out << "  " << copy << " " << session.book.entries()[static_cast<std::size_t>(copy)].name << "\n";
    return kDone;
}

int Delete(ProfileSession& session, const Args& args, std::ostream& out, std::ostream& err) {
    int index = 0;
    if (args.size() != 1) return err << kProfileUsage, kBadInput;
    if (!ParseIndex(args[0], session.book, index)) return BadIndex(args[0], session.book, err);
    const std::string name = session.book.entries()[static_cast<std::size_t>(index)].name;
    session.book.Select(session.current);
    if (session.book.Delete(index) != ProfileBook::Outcome::Done) {
        err << "qv530ctl: the last profile cannot be deleted\n";
        return kRefused;
    }
    const int current = session.book.selected();
    if (const int status = Save(session, current, err); status != kDone) return status;
    // The current profile's files moved with it; only when it was the one
    // deleted does the entry now at its place become current.
    if (index == session.current && !Switch(session, current, err)) return kRefused;
    out << "deleted " << name << "\n";
    return kDone;
}

int Rename(ProfileSession& session, const Args& args, std::ostream& out, std::ostream& err) {
    int index = 0;
    if (args.size() != 2) return err << kProfileUsage, kBadInput;
    if (!ParseIndex(args[0], session.book, index)) return BadIndex(args[0], session.book, err);
    if (const int status = RefuseName(session.book, args[1], index, err); status != kDone) return status;
    session.book.Rename(index, args[1]);
    if (const int status = Save(session, session.current, err); status != kDone) return status;
    out << (index == session.current ? "* " : "  ") << index << " " << args[1] << "\n";
    return kDone;
}

// A profile given by name or index; names are compared ignoring case, the
// exact name wins. -1 (and the reason on err) when none is.
int FindProfile(const ProfileSession& session, const std::string& text, std::ostream& err) {
    int index = session.book.Find(text);
    if (index < 0) index = session.book.FindIgnoringCase(text);
    if (index < 0 && !ParseIndex(text, session.book, index)) {
        err << "qv530ctl: no profile is named or numbered '" << text << "'\n";
        return -1;
    }
    return index;
}

int SwitchTo(ProfileSession& session, const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) return err << kProfileUsage, kBadInput;
    const int index = FindProfile(session, args[0], err);
    if (index < 0) return kBadInput;
    if (const int status = Save(session, index, err); status != kDone) return status;
    if (!Switch(session, index, err)) return kRefused;
    out << "* " << index << " " << session.book.entries()[static_cast<std::size_t>(index)].name << "\n";
    return kDone;
}

int Export(ProfileSession& session, const Args& args, std::ostream& out, std::ostream& err) {
    int index = 0;
    if (args.size() != 2) return err << kProfileUsage, kBadInput;
    if (!ParseIndex(args[0], session.book, index)) return BadIndex(args[0], session.book, err);
    const ConfigFiles files = session.Files();
    const ConfigFiles::ExportResult result = ExportStoredProfile(index, args[1], files);
    if (!result.written) {
        err << "qv530ctl: " << (result.error.empty() ? "cannot write " + result.path : result.error)
            << "; nothing was exported\n";
        return kRefused;
    }
    out << "exported " << result.path << " and " << SideFilePathFor(result.path) << "\n";
    return kDone;
}

int Import(ProfileSession& session, const Args& args, std::ostream& out, std::ostream& err) {
    int index = 0;
    if (args.size() != 2) return err << kProfileUsage, kBadInput;
    if (!ParseIndex(args[0], session.book, index)) return BadIndex(args[0], session.book, err);
    const std::string& path = args[1];
    ConfigFiles files = session.Files();
    MouseSettings settings;
    DeviceState state;
    switch (ImportIntoProfile(index, path, files, settings, state)) {
    case ConfigFiles::ImportResult::NotABinFile:
        err << "qv530ctl: " << path << " is not a profile file (its name has no .bin)\n";
        return kBadInput;
    case ConfigFiles::ImportResult::Missing: err << "qv530ctl: " << path << " does not exist\n"; return kBadInput;
    case ConfigFiles::ImportResult::Unreadable:
        err << "qv530ctl: " << ConfigFileDamage(path) << "; nothing was imported\n";
        return kBadInput;
    case ConfigFiles::ImportResult::WrongSize:
        err << "qv530ctl: " << path << " has " << FileSize(path) << " bytes; a profile file has "
            << config_file::kSize << "\n";
        return kBadInput;
    case ConfigFiles::ImportResult::Imported: break;
    }
    // Saved as Apply saves: the macro slots from the store, the record, the
    // captions and "IsDefault" = "Y", so the next start keeps it.
    RebuildMacroSlotsFromStore(settings, files.macroStorePath());
    const bool saved = files.SaveProfileFiles(settings, state);
    for (const std::string& note : files.TakeNotes()) err << "qv530ctl: " << note << "\n";
    for (const std::string& failure : files.TakeWriteFailures()) err << "qv530ctl: " << failure << "\n";
    if (!saved) {
        err << "qv530ctl: the import was not saved in " << files.configPath() << "\n";
        return kRefused;
    }
    out << "imported " << path << " into " << index << " "
        << session.book.entries()[static_cast<std::size_t>(index)].name << "\n";
    return kDone;
}

const std::string& NameAt(const ProfileSession& session, int index) {
    return session.book.entries()[static_cast<std::size_t>(index)].name;
}

int BindingOutcome(const GameBindingChange& change, std::ostream& err) {
    for (const std::string& note : change.notes) err << "qv530ctl: " << note << "\n";
    if (change.done) return kDone;
    err << "qv530ctl: " << change.error << "; nothing was changed\n";
    return change.badInput ? kBadInput : kRefused;
}

int Bind(ProfileSession& session, const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) return err << kProfileUsage, kBadInput;
    const int index = FindProfile(session, args[0], err);
    if (index < 0) return kBadInput;
    const GameBindingChange change = BindGame(session.store, index, args[1]);
    if (const int status = BindingOutcome(change, err); status != kDone) return status;
    if (!change.previousProfileId.empty()) {
        const int previous = PositionOfProfileId(session.store, change.previousProfileId);
        if (previous >= 0) err << "qv530ctl: " << args[1] << " was bound to " << NameAt(session, previous) << "\n";
    }
    out << index << " " << NameAt(session, index) << " " << args[1] << "\n";
    return kDone;
}

int Unbind(ProfileSession& session, const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) return err << kProfileUsage, kBadInput;
    if (const int status = BindingOutcome(UnbindGame(session.store, args[0]), err); status != kDone) return status;
    out << "unbound " << args[0] << "\n";
    return kDone;
}

int Bindings(ProfileSession& session, std::ostream& out, std::ostream& err) {
    std::string error;
    const std::vector<PlacedBinding> placed = PlacedGameBindings(session.store, &error);
    if (!error.empty()) return err << "qv530ctl: " << error << "\n", kRefused;
    for (const PlacedBinding& p : placed)
        out << p.position << " " << NameAt(session, p.position) << " " << p.binding.program << "\n";
    return kDone;
}

} // namespace

int RunProfile(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return err << kProfileUsage, kBadInput;
    const std::string& command = args[0];
    const Args rest(args.begin() + 1, args.end());
    // Every command reads and changes the folder under its lock; the list
    // alone may still be read from a folder whose lock cannot be had.
    const StoreSession store(DataFolder());
    for (const std::string& note : store.notes()) err << "qv530ctl: " << note << "\n";
    const bool listing = (command == "list" || command == "bindings") && rest.empty();
    if (!store.ok() && !listing) {
        err << "qv530ctl: " << store.refusal() << "; nothing was changed\n";
        return kRefused;
    }
    ProfileSession session(store);
    if (listing) return command == "list" ? List(session, out, err) : Bindings(session, out, err);
    if (session.book.count() == 0 && command != "new") {
        err << "qv530ctl: " << session.folder << "str.ini lists no profiles\n";
        return kRefused;
    }
    if (command == "new") return New(session, rest, out, err);
    if (command == "copy") return Copy(session, rest, out, err);
    if (command == "delete") return Delete(session, rest, out, err);
    if (command == "rename") return Rename(session, rest, out, err);
    if (command == "switch") return SwitchTo(session, rest, out, err);
    if (command == "export") return Export(session, rest, out, err);
    if (command == "import") return Import(session, rest, out, err);
    if (command == "bind") return Bind(session, rest, out, err);
    if (command == "unbind") return Unbind(session, rest, out, err);
    err << kProfileUsage;
    return kBadInput;
}

} // namespace qv530::cli
