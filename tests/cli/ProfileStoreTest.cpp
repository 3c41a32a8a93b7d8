// The data folder as qv530ctl's profile commands change it, under faults:
// a kill at every file-system step, a lock another copy holds, two copies at
// once, damaged and odd files. Each family is one table.
#include <algorithm>
#include <csignal>
#include <filesystem>
#include <map>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include "cli/Commands.h"
#include "cli/SettingCommands.h"
#include "profiles/ConfigFiles.h"
#include "platform/FaultPoint.h"
#include "platform/FileIo.h"
#include "macros/MacroStore.h"
#include "profiles/DataFolderSetup.h"
#include "profiles/FactoryFiles.h"
#include "profiles/ProfileFileMoves.h"
#include "profiles/StoreJournal.h"
#include "settings/IniFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qv530::cli {
namespace {

constexpr std::size_t kMark = 100; // a byte of the mouse's palette: the profile's own mark
using Command = int (*)(const Args&, std::ostream&, std::ostream&);
// `profile bindings` of the three profiles the kill test starts from.
constexpr const char* kRacerOnB = "1 B racer\n";

class ProfileStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("HOME", home.path().c_str(), 1);
        ::unsetenv("XDG_CONFIG_HOME");
        ::setenv("LC_ALL", "C", 1);
        ::setenv("QV530_LOCK_WAIT_MS", "200", 1);
        ::alarm(300);
        PrepareDataFolder(err, "qv530ctl");
        folder = home.path() + "/.config/QV530-10800rad/";
    }
    void TearDown() override {
        ::alarm(0);
        ::unsetenv("QV530_LOCK_WAIT_MS");
    }
    int Do(Command run, const Args& args) {
        out.str("");
        err.str("");
        return run(args, out, err);
    }
    // Three profiles "A", "B", "C", each marked in its record and its caption.
    void ThreeProfiles() {
        ASSERT_EQ(Do(RunGet, {}), 0) << err.str(); // the first start initialises profile 0
        ASSERT_EQ(Do(RunProfile, {"rename", "0", "A"}), 0) << err.str();
        ASSERT_EQ(Do(RunProfile, {"new", "B"}), 0) << err.str();
        ASSERT_EQ(Do(RunProfile, {"new", "C"}), 0) << err.str();
        for (int p = 0; p < 3; ++p) Mark(p, static_cast<std::uint8_t>(0xA0 + p));
    }
    void Mark(int position, std::uint8_t mark) {
        std::string image = *ReadWholeFile(ProfileConfigPath(folder, position));
        image[kMark] = static_cast<char>(mark);
        ASSERT_EQ(WriteFileAtomic(ProfileConfigPath(folder, position), image), 0);
        ASSERT_EQ(WriteProfileString(ProfileSidePath(folder, position), "Setting-EN", "Item1", Caption(mark)), 0);
    }
    static std::string Caption(int mark) { return "mark " + std::to_string(mark); }
    // The mark of position's record when its caption matches it, else -1.
    int MarkAt(int position) {
        const auto image = ReadWholeFile(ProfileConfigPath(folder, position));
        if (!image || image->size() != 1885) return -1;
        const int mark = static_cast<std::uint8_t>((*image)[kMark]);
        return ReadProfileString(ProfileSidePath(folder, position), "Setting-EN", "Item1") == Caption(mark) ? mark : -1;
    }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        const IniDocument list = LoadIni(folder + "str.ini");
        const int count = std::atoi(list.Get("Profile", "ItemCount").c_str());
        for (int i = 0; i < count; ++i) names.push_back(list.Get("Profile", "Item" + std::to_string(i)));
        return names;
    }
    std::string Snapshot() {
        std::string all;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.is_regular_file() && entry.path().filename() != "QV530.lock")
                all += entry.path().filename().string() + "=" + ReadWholeFile(entry.path().string()).value_or("?") + "\n";
        return all;
    }
    bool Said(const std::string& text) const { return err.str().find(text) != std::string::npos; }

    test::TempDir home;
    std::string folder;
    std::ostringstream out, err;
};

// kill -9 at every file-system step of every profile command: the next
// command finds the folder as it was or as the command meant to leave it,
// and every profile that was not deleted keeps its settings and captions
// under its own name.
TEST_F(ProfileStoreTest, AKillAtEveryStepOfEveryProfileCommandLosesNothing) {
    const std::string importFile = home.path() + "/shared.bin";
    struct Case {
        Args args;
        std::vector<std::string> after;         // the names once done
        std::map<std::string, int> marksAfter;  // name -> mark once done (-2: any whole profile)
        std::string bindingsAfter = kRacerOnB; // `profile bindings` once done
    };
    const std::map<std::string, int> before{{"A", 0xA0}, {"B", 0xA1}, {"C", 0xA2}};
    const std::vector<Case> cases = {
        {{"delete", "0"}, {"B", "C"}, {{"B", 0xA1}, {"C", 0xA2}}, "0 B racer\n"},
        {{"delete", "1"}, {"A", "C"}, {{"A", 0xA0}, {"C", 0xA2}}, ""},
        {{"new", "D"}, {"A", "B", "C", "D"}, {{"A", 0xA0}, {"B", 0xA1}, {"C", 0xA2}, {"D", -2}}},
        {{"copy", "0"}, {"A", "B", "C", "Copy A"}, {{"A", 0xA0}, {"B", 0xA1}, {"C", 0xA2}, {"Copy A", 0xA0}}},
        {{"rename", "1", "X"}, {"A", "X", "C"}, {{"A", 0xA0}, {"X", 0xA1}, {"C", 0xA2}}, "1 X racer\n"},
        {{"bind", "2", "shooter.exe"}, {"A", "B", "C"}, before, "1 B racer\n2 C shooter.exe\n"},
        {{"bind", "C", "Racer"}, {"A", "B", "C"}, before, "2 C Racer\n"},
        {{"unbind", "racer"}, {"A", "B", "C"}, before, ""},
        {{"switch", "0"}, {"A", "B", "C"}, before},
        {{"import", "1", importFile}, {"A", "B", "C"}, {{"A", 0xA0}, {"B", 0xD3}, {"C", 0xA2}}},
    };
    ThreeProfiles();
    std::string shared = *ReadWholeFile(ProfileConfigPath(folder, 1));
    shared[kMark] = static_cast<char>(0xD3);
    ASSERT_EQ(WriteFileAtomic(importFile, shared), 0);
    ASSERT_EQ(WriteProfileString(SideFilePathFor(importFile), "Setting-EN", "Item1", Caption(0xD3)), 0);
    const std::vector<std::string> kBefore{"A", "B", "C"};

    for (const Case& c : cases) {
        int steps = 0;
        for (int killAt = 1;; ++killAt) {
            // Back to the three profiles.
            std::filesystem::remove_all(folder);
            ASSERT_NO_FATAL_FAILURE(SetUp());
            ThreeProfiles();
            ASSERT_EQ(Do(RunProfile, {"bind", "B", "racer"}), 0) << err.str();
            const pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                ArmFaultPoints(killAt);
                std::ostringstream o, e;
                _exit(RunProfile(c.args, o, e));
            }
            int status = 0;
            ASSERT_EQ(waitpid(child, &status, 0), child);
            const bool killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
            ASSERT_TRUE(killed || (WIFEXITED(status) && WEXITSTATUS(status) == 0))
                << c.args[0] << ": exit " << WEXITSTATUS(status) << " at step " << killAt;
            // The next command finishes what the kill cut short.
            ASSERT_EQ(Do(RunProfile, {"list"}), 0) << err.str();
            EXPECT_FALSE(PathExists(folder + kJournalName));
            const std::vector<std::string> names = Names();
            const bool isBefore = names == kBefore, isAfter = names == c.after;
            ASSERT_TRUE(isBefore || isAfter) << c.args[0] << " killed at step " << killAt;
            ASSERT_EQ(Do(RunProfile, {"bindings"}), 0) << err.str();
            EXPECT_TRUE((isBefore && out.str() == kRacerOnB) || (isAfter && out.str() == c.bindingsAfter))
                << c.args[0] << " killed at step " << killAt << ": " << out.str();
            for (std::size_t p = 0; p < names.size(); ++p) {
                std::vector<int> allowed;
                if (isBefore && before.count(names[p])) allowed.push_back(before.at(names[p]));
                if (isAfter && c.marksAfter.count(names[p])) allowed.push_back(c.marksAfter.at(names[p]));
                const int position = static_cast<int>(p);
                if (std::find(allowed.begin(), allowed.end(), -2) != allowed.end())
                    EXPECT_EQ(FileSize(ProfileConfigPath(folder, position)), 1885)
                        << names[p] << ": " << c.args[0] << " killed at step " << killAt;
                else
                    EXPECT_NE(std::find(allowed.begin(), allowed.end(), MarkAt(position)), allowed.end())
                        << names[p] << " holds " << MarkAt(position) << ": " << c.args[0] << " killed at step " << killAt;
            }
            steps = killAt;
            if (!killed) break;
        }
        EXPECT_GT(steps, 1) << c.args[0] << " made no change to kill";
    }
}

// Another copy of the program holds the folder's lock for longer than the
// wait: every command that changes something refuses with the reason and
// exit 1, and no file changes.
TEST_F(ProfileStoreTest, AHeldLockRefusesEveryChangeAndWritesNothing) {
    ThreeProfiles();
    const std::string before = Snapshot();
    const int lock = ::open((folder + "QV530.lock").c_str(), O_RDWR | O_CREAT, 0644);
    ASSERT_GE(lock, 0);
    const pid_t holder = fork();
    if (holder == 0) {
        ::flock(lock, LOCK_EX);
        ::pause();
        _exit(0);
    }
    // The holder has it once a try from here fails.
    for (int i = 0; i < 500 && ::flock(::open((folder + "QV530.lock").c_str(), O_RDWR), LOCK_EX | LOCK_NB) == 0; ++i) {
        ::usleep(10000);
    }
    const std::vector<std::pair<Command, Args>> commands = {
        {RunProfile, {"new"}},          {RunProfile, {"copy", "0"}},     {RunProfile, {"delete", "1"}},
        {RunProfile, {"rename", "0", "Z"}}, {RunProfile, {"switch", "1"}}, {RunProfile, {"import", "1", folder + "config0.bin"}},
        {RunSet, {"rate", "125"}},      {RunApply, {"--emulate", "a11d", "--fast"}},
        {RunReset, {"--emulate", "a11d", "--fast"}},
    };
    for (const auto& [run, args] : commands) {
        EXPECT_EQ(Do(run, args), 1) << args[0];
        EXPECT_TRUE(Said("another copy of the program is saving")) << args[0] << ": " << err.str();
    }
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    ::close(lock);
    EXPECT_EQ(Snapshot(), before);
}

// Two copies at once, each changing the list many times: no change of
// either is lost (a list read before the other's write is never written back).
TEST_F(ProfileStoreTest, TwoCopiesAtOnceLoseNoChange) {
    ::setenv("QV530_LOCK_WAIT_MS", "20000", 1);
    const pid_t renamer = fork();
    if (renamer == 0) {
        std::ostringstream o, e;
        int failed = 0;
        for (int i = 1; i <= 20; ++i) failed += RunProfile({"rename", "0", "R" + std::to_string(i)}, o, e) != 0;
        _exit(failed);
    }
    int failed = 0;
    for (int i = 1; i <= 5; ++i) failed += Do(RunProfile, {"new", "N" + std::to_string(i)}) != 0;
    for (int i = 1; i <= 10; ++i) failed += Do(RunSet, {"sensitivity-x", std::to_string(1 + i % 11)}) != 0;
    int status = 0;
    ASSERT_EQ(waitpid(renamer, &status, 0), renamer);
    EXPECT_EQ(failed, 0) << err.str();
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"R20", "N1", "N2", "N3", "N4", "N5"}));
    ASSERT_EQ(Do(RunGet, {"sensitivity-x"}), 0);
    EXPECT_EQ(out.str(), "sensitivity-x " + std::to_string(1 + 10 % 11) + "\n");
}

// A configuration or side file that is no profile file is never taken as
// settings, never sent, never overwritten in place.
TEST_F(ProfileStoreTest, DamagedFilesAreKeptAndNeverTakenAsSettings) {
    struct Damage {
        const char* what;
        std::function<void(const std::string& path)> make;
    };
    const std::vector<Damage> damages = {
        {"empty", [](const std::string& p) { WriteFileAtomic(p, std::string()); }},
        {"100 bytes", [](const std::string& p) { WriteFileAtomic(p, std::string(100, '\x07')); }},
        {"1884 bytes", [](const std::string& p) { WriteFileAtomic(p, std::string(1884, '\x07')); }},
        {"1886 bytes", [](const std::string& p) { WriteFileAtomic(p, std::string(1886, '\x07')); }},
        {"a folder", [](const std::string& p) { std::filesystem::create_directories(p + "/inside"); }},
        {"a FIFO", [](const std::string& p) { ::mkfifo(p.c_str(), 0644); }},
    };
    for (const Damage& damage : damages) {
        std::filesystem::remove_all(folder);
        PrepareDataFolder(err, "qv530ctl");
        ASSERT_EQ(Do(RunSet, {"rate", "250"}), 0) << err.str();
        std::filesystem::remove(folder + "config0.bin");
        damage.make(folder + "config0.bin");
        const auto kept = [&] {
            for (const auto& entry : std::filesystem::directory_iterator(folder))
                if (entry.path().filename().string().starts_with("config0.bin.damaged-")) return true;
            return false;
        };
        // Shown (as the factory settings) with the reason, exit 1; nothing written.
        EXPECT_EQ(Do(RunGet, {"rate"}), 1) << damage.what;
        EXPECT_TRUE(Said("config0.bin")) << damage.what << ": " << err.str();
        EXPECT_EQ(Do(RunSet, {"rate", "125"}), 1) << damage.what;
        EXPECT_EQ(Do(RunApply, {"--emulate", "a11d", "--fast", "--trace", "-"}), 1) << damage.what;
        EXPECT_EQ(out.str(), "") << damage.what << ": something was sent";
        EXPECT_FALSE(kept()) << damage.what;
        // A reset starts the profile anew and keeps the damaged file aside.
        EXPECT_EQ(Do(RunReset, {"--emulate", "a11d", "--fast"}), 0) << damage.what << ": " << err.str();
        EXPECT_TRUE(kept()) << damage.what;
        EXPECT_EQ(Do(RunGet, {"rate"}), 0) << damage.what << ": " << err.str();
        EXPECT_EQ(out.str(), "rate 500\n") << damage.what;
    }

    // A side file that cannot be read never resets a saved profile.
    for (const Damage& damage : damages) {
        std::filesystem::remove_all(folder);
        PrepareDataFolder(err, "qv530ctl");
        ASSERT_EQ(Do(RunSet, {"rate", "250"}), 0) << err.str();
        std::filesystem::remove(folder + "str0.ini");
        damage.make(folder + "str0.ini");
        EXPECT_EQ(Do(RunGet, {"rate"}), 0) << damage.what << ": " << err.str();
        EXPECT_EQ(out.str(), "rate 250\n") << damage.what;
    }
    std::filesystem::remove(folder + "str0.ini");
    EXPECT_EQ(Do(RunGet, {"rate"}), 0);
    EXPECT_EQ(out.str(), "rate 250\n") << "a missing side file";
}

// Odd names where files are written or read: links and FIFOs are never
// written through, a lock file that cannot be used refuses, an export writes
// nothing in the data folder, new never overwrites, an import is kept.
TEST_F(ProfileStoreTest, OddFilesAreRefusedAndNothingIsOverwrittenBehindTheUsersBack) {
    const std::string outside = home.path() + "/outside";
    ASSERT_EQ(WriteFileAtomic(outside, std::string("keep")), 0);
    // A link planted at the temporary name of a save is not written through.
    std::filesystem::create_symlink(outside, folder + "config0.bin.tmp-" + std::to_string(::getpid()));
    EXPECT_EQ(Do(RunSet, {"rate", "125"}), 0) << err.str();
    EXPECT_EQ(*ReadWholeFile(outside), "keep");
    // qv530ctl defaults writes only a regular file or a new name.
    ::mkfifo((home.path() + "/fifo").c_str(), 0644);
    std::filesystem::create_symlink(outside, home.path() + "/link");
    for (const std::string name : {"/fifo", "/link"}) {
        EXPECT_EQ(Do(RunDefaults, {home.path() + name}), 1) << name;
        EXPECT_TRUE(Said("not a regular file")) << err.str();
    }
    EXPECT_EQ(*ReadWholeFile(outside), "keep");
    EXPECT_EQ(Do(RunDefaults, {home.path() + "/new.bin"}), 0);
    // A trace into a FIFO that no program reads does not hang.
    EXPECT_EQ(Do(RunApply, {"--emulate", "a11d", "--fast", "--trace", home.path() + "/fifo"}), 1);
    EXPECT_TRUE(Said("no program reads")) << err.str();
    // Import of a FIFO or a folder names the real reason.
    ::mkfifo((home.path() + "/pipe.bin").c_str(), 0644);
    std::filesystem::create_directories(home.path() + "/dir.bin");
    for (const std::string name : {"/pipe.bin", "/dir.bin"}) {
        EXPECT_EQ(Do(RunProfile, {"import", "0", home.path() + name}), 2) << name;
        EXPECT_TRUE(Said("is not a regular file")) << name << ": " << err.str();
    }

    // An imported profile is marked initialised: the next start keeps it.
    ASSERT_EQ(Do(RunProfile, {"import", "0", home.path() + "/new.bin"}), 0) << err.str();
    EXPECT_EQ(ReadProfileString(folder + "str0.ini", "Profile", "IsDefault"), "Y");

    // profile new never overwrites a file it finds at the new position.
    ASSERT_EQ(WriteFileAtomic(folder + "config1.bin", std::string(1885, '\x05')), 0);
    ASSERT_EQ(Do(RunProfile, {"new"}), 0) << err.str();
    bool orphanKept = false;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().starts_with("config1.bin.kept-"))
            orphanKept = *ReadWholeFile(entry.path().string()) == std::string(1885, '\x05');
    EXPECT_TRUE(orphanKept) << err.str();

    // An export writes nothing in the data folder, even on a first run.
    std::filesystem::remove_all(folder);
    const std::string exported = home.path() + "/exported";
    PrepareDataFolder(err, "qv530ctl");
    const std::string fresh = Snapshot();
    ASSERT_EQ(Do(RunProfile, {"export", "0", exported}), 0) << err.str();
    EXPECT_EQ(Snapshot(), fresh);
    EXPECT_TRUE(FileExists(exported + ".bin"));

    // A lock file that cannot be used (a folder at its name) refuses changes.
    std::filesystem::remove(folder + "QV530.lock");
    std::filesystem::create_directories(folder + "QV530.lock");
    EXPECT_EQ(Do(RunSet, {"rate", "125"}), 1);
    EXPECT_TRUE(Said("cannot be used")) << err.str();
    EXPECT_EQ(Do(RunProfile, {"new"}), 1);
    EXPECT_EQ(Snapshot(), fresh);
}

// More refusals that must come before anything is sent or written.
TEST_F(ProfileStoreTest, RefusalsComeBeforeAnythingIsSentOrLost) {
    // A data folder that is a file: nothing is sent, the failure is said.
    std::filesystem::remove_all(folder);
    ASSERT_EQ(WriteFileAtomic(folder.substr(0, folder.size() - 1), std::string("not a folder")), 0);
    EXPECT_EQ(Do(RunApply, {"--emulate", "a11d", "--fast", "--trace", "-"}), 1);
    EXPECT_EQ(out.str(), "") << "something was sent";
    std::filesystem::remove(folder.substr(0, folder.size() - 1));

    // profile new on a list that names nothing keeps the file it finds.
    PrepareDataFolder(err, "qv530ctl");
    ASSERT_EQ(WriteFileAtomic(folder + "config0.bin", std::string(1885, '\x06')), 0);
    ASSERT_EQ(WriteFileAtomic(folder + "str.ini", std::string("\x01\x02 garbage \xff\n")), 0);
    ASSERT_EQ(Do(RunProfile, {"new"}), 0) << err.str();
    bool kept = false;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().starts_with("config0.bin.kept-"))
            kept = *ReadWholeFile(entry.path().string()) == std::string(1885, '\x06');
    EXPECT_TRUE(kept) << err.str();

    // A macro longer than a slot plays is sent cut, and the cut is said.
    MacroStore store(folder + "record.ini");
    std::vector<std::string> items;
    for (int i = 0; i < 20; ++i) items.insert(items.end(), {"A   Dn", "A   Up"});
    ASSERT_EQ(store.WriteMacroNames({"Fire"}), 0);
    ASSERT_EQ(store.WriteMacro("Fire", 0, "1", items), 0);
    EXPECT_EQ(Do(RunApply, {"--emulate", "a11d", "--fast"}), 0) << err.str();
    EXPECT_TRUE(Said("macro Fire: only the first 32 of 40 key events fit in the mouse")) << err.str();
}

} // namespace
} // namespace qv530::cli
