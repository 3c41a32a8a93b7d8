// Saving an edited profile list with its file moves, switching, creating,
// import and export, on a real data folder.
#include <filesystem>
#include <functional>

#include "platform/FileIo.h"
#include "profiles/ConfigFiles.h"
#include "profiles/FactoryFiles.h"
#include "profiles/ProfileBook.h"
#include "profiles/ProfileFileMoves.h"
#include "profiles/ProfileStore.h"
#include "profiles/ProfileSwitch.h"
#include "profiles/StoreJournal.h"
#include "platform/FaultPoint.h"

#include <algorithm>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#include "settings/IniFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

class ProfileFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = dir.path() + "/data/";
        ASSERT_TRUE(ProvisionDataFolder(folder, "EN").errors.empty());
    }
    // A factory profile at position index, marked with fill in its mouse
    // palette, whose side file names it.
    void StoreProfile(int index, std::uint8_t fill) {
        std::string image = FactoryConfigImage();
        for (std::size_t at = 90; at < 110; ++at) image[at] = static_cast<char>(fill);
        ASSERT_EQ(WriteFileAtomic(ProfileConfigPath(folder, index), image), 0);
        IniDocument side;
        side.Set("Setting-EN", "Item1", "caption of " + std::to_string(fill));
        side.Set("Profile", "IsDefault", "Y");
        ASSERT_EQ(SaveIni(ProfileSidePath(folder, index), side), 0);
    }
    void WriteList(const std::vector<std::string>& names, const std::string& current) {
        IniDocument list = LoadIni(folder + "str.ini");
        list.DeleteSection("Profile");
        list.Set("Profile", "ItemCount", std::to_string(names.size()));
        for (std::size_t i = 0; i < names.size(); ++i) list.Set("Profile", "Item" + std::to_string(i), names[i]);
        list.Set("Profile", "CurProfileName", current);
        ASSERT_EQ(SaveIni(folder + "str.ini", list), 0);
    }
    // The fill byte of a stored profile's record, -1 when it has no file.
    int FillAt(int index) {
        const auto bytes = ReadWholeFile(ProfileConfigPath(folder, index));
        return bytes && bytes->size() == config_file::kSize ? static_cast<std::uint8_t>((*bytes)[100]) : -1;
    }
    std::string CaptionAt(int index) { return ReadProfileString(ProfileSidePath(folder, index), "Setting-EN", "Item1"); }
    ProfileBook Book() { return ProfileBook::Read(folder + "str.ini", "Profile"); }
    std::string ListValue(const std::string& key) { return ReadProfileString(folder + "str.ini", "Profile", key); }
    ConfigFiles Files() {
        ConfigFiles files(folder);
        files.settingsSection = "Setting-EN";
        return files;
    }
    bool LeftoverMoves() {
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.path().string().ends_with(".moving")) return true;
        return false;
    }

    test::TempDir dir;
    std::string folder;
};

TEST_F(ProfileFilesTest, DeletingAnEntryMovesTheLaterProfilesFilesWithThem) {
    StoreProfile(0, 0xA0);
    StoreProfile(1, 0xB1);
    StoreProfile(2, 0xC2);
    WriteList({"A", "B", "C"}, "C");
    ProfileBook book = Book();
    ASSERT_EQ(book.Delete(1), ProfileBook::Outcome::Done);
    const ProfileListSave saved = SaveProfileBook(StoreSession(folder), book, book.selected());
    ASSERT_TRUE(saved.saved) << saved.error;

    EXPECT_EQ(FillAt(0), 0xA0);
    EXPECT_EQ(FillAt(1), 0xC2); // C keeps its settings at its new place
    EXPECT_EQ(CaptionAt(1), "caption of 194");
    EXPECT_EQ(FillAt(2), -1);   // the last position's files are gone
    EXPECT_FALSE(FileExists(ProfileSidePath(folder, 2)));
    EXPECT_EQ(ListValue("ItemCount"), "2");
    EXPECT_EQ(ListValue("Item1"), "C");
    EXPECT_EQ(ListValue("CurProfileName"), "C");
    // The start-up load finds C where its files are.
    ConfigFiles files(folder);
    MouseSettings settings;
    DeviceState state;
    ASSERT_TRUE(files.LoadCurrentProfile(settings, state));
    EXPECT_EQ(state.profileFileIndex, 1);
}

TEST_F(ProfileFilesTest, CopiesHoldTheSourcesFilesAndRingsOfMovesWork) {
    StoreProfile(0, 0xA0);
    StoreProfile(1, 0xB1);
    WriteList({"A", "B"}, "A");
    ProfileBook book = Book();
    ASSERT_EQ(book.Copy(0, "Copy"), ProfileBook::Outcome::Done); // [A, B, Copy A]
    ASSERT_EQ(book.Delete(0), ProfileBook::Outcome::Done);       // [B, Copy A]: the two swap places
    ASSERT_TRUE(SaveProfileBook(StoreSession(folder), book, 0).saved);
    EXPECT_EQ(FillAt(0), 0xB1);
    EXPECT_EQ(FillAt(1), 0xA0);
    EXPECT_EQ(CaptionAt(1), "caption of 160");
    EXPECT_EQ(ListValue("Item1"), "Copy A");
    EXPECT_FALSE(LeftoverMoves());

    // A copy appended to the list holds the source's bytes.
    book = Book();
    ASSERT_EQ(book.Copy(1, "Copy"), ProfileBook::Outcome::Done);
    ASSERT_TRUE(SaveProfileBook(StoreSession(folder), book, 0).saved);
    EXPECT_EQ(FillAt(2), 0xA0);
    EXPECT_EQ(ListValue("Item2"), "Copy Copy A");
}

// Whether a profile marked with fill is whole at one position: its
// configuration and side file side by side.
bool WholeSomewhere(const std::string& folder, std::uint8_t fill) {
    for (int p = 0; p < kMaxProfiles; ++p) {
        const auto config = ReadWholeFile(ProfileConfigPath(folder, p));
        const std::string caption = ReadProfileString(ProfileSidePath(folder, p), "Setting-EN", "Item1");
        if (config && config->size() == config_file::kSize && static_cast<std::uint8_t>((*config)[100]) == fill &&
            caption == "caption of " + std::to_string(fill))
            return true;
    }
    return false;
}

// A save killed at each of its file-system steps (as kill -9 or a power cut
// would end it), then the next program's look at the folder: every profile
// is whole, and the list is the old one or the new one, never a mix.
TEST_F(ProfileFilesTest, AKillAtAnyStepLeavesTheFolderAsItWasOrAsItIsMeantToBe) {
    struct Case {
        std::vector<std::uint8_t> fills;
        std::function<void(ProfileBook&)> edit;
        std::vector<std::string> after; // the names once saved
        int gone;                       // the fill the save deletes, or -1
    };
    const std::vector<Case> cases = {
        // Delete the first of three: both others move down.
        {{0xA0, 0xB1, 0xC2}, [](ProfileBook& b) { b.Delete(0); }, {"P1", "P2"}, 0xA0},
        // Copy the first, delete it: the two swap places.
        {{0xA0, 0xB1}, [](ProfileBook& b) { b.Copy(0, "Copy"); b.Delete(0); }, {"P1", "Copy P0"}, -1},
        // Delete the middle one of three.
        {{0xA0, 0xB1, 0xC2}, [](ProfileBook& b) { b.Delete(1); }, {"P0", "P2"}, 0xB1},
    };
    for (const Case& c : cases) {
        std::vector<std::string> before;
        for (std::size_t i = 0; i < c.fills.size(); ++i) before.push_back("P" + std::to_string(i));
        for (int killAt = 1;; ++killAt) {
            std::filesystem::remove(folder + kJournalName);
            for (std::size_t i = 0; i < c.fills.size(); ++i) StoreProfile(static_cast<int>(i), c.fills[i]);
            WriteList(before, "P0");
            const pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                ProfileBook book = Book();
                c.edit(book);
                ArmFaultPoints(killAt);
                _exit(SaveProfileBook(StoreSession(folder), book, 0).saved ? 0 : 1);
            }
            int status = 0;
            ASSERT_EQ(waitpid(child, &status, 0), child);
            const bool killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
            ASSERT_TRUE(killed || (WIFEXITED(status) && WEXITSTATUS(status) == 0)) << "kill at " << killAt;
            const StoreSession next(folder); // finishes what the kill cut short
            ASSERT_TRUE(next.ok()) << next.refusal();
            const std::vector<std::string> names = Book().readNames();
            EXPECT_TRUE(names == before || names == c.after) << "kill at " << killAt;
            for (std::uint8_t fill : c.fills) {
                if (names == c.after && fill == c.gone) continue; // deleted as asked
                EXPECT_TRUE(WholeSomewhere(folder, fill)) << int(fill) << ", kill at " << killAt;
            }
            if (!killed) break;
        }
    }
}

TEST_F(ProfileFilesTest, NewEntriesNeverTakeStaleFilesAndEmptyListsWriteNothing) {
    StoreProfile(0, 0xA0);
    StoreProfile(1, 0xEE); // left over from a list that was shorter since
    WriteList({"A"}, "A");
    ProfileBook book = Book();
    ASSERT_EQ(book.New("Profile"), ProfileBook::Outcome::Done);
    ASSERT_TRUE(SaveProfileBook(StoreSession(folder), book, 0).saved);
    EXPECT_EQ(FillAt(1), -1);
    EXPECT_EQ(FillAt(0), 0xA0);

    // A damaged list that shows nothing: nothing is written, no file removed.
    WriteList({}, "");
    ASSERT_EQ(WriteProfileString(folder + "str.ini", "Profile", "ItemCount", "x"), 0);
    const std::string before = *ReadWholeFile(folder + "str.ini");
    EXPECT_FALSE(SaveProfileBook(StoreSession(folder), Book(), -1).saved);
    EXPECT_EQ(*ReadWholeFile(folder + "str.ini"), before);
    EXPECT_EQ(FillAt(0), 0xA0);
}

TEST_F(ProfileFilesTest, SwitchAppliesTheStrictRuleAndNeverHandsOverAnotherRecord) {
    StoreProfile(0, 0xA0);
    StoreProfile(1, 0xB1);
    StoreProfile(2, 0xC2);
    ASSERT_EQ(WriteProfileString(ProfileSidePath(folder, 2), "Profile", "IsDefault", "N"), 0);
    ConfigFiles files = Files();
    MouseSettings settings;
    DeviceState state;

    SwitchToProfile(1, files, settings, state);
    EXPECT_EQ(settings.at(100), 0xB1);
    EXPECT_EQ(state.currentProfile, 1);
    EXPECT_EQ(state.profileFileIndex, 1);
    EXPECT_EQ(settings.at(field::kProfileSlot), 0); // the stored record's own slot
    EXPECT_EQ(files.side.captions[0], "caption of 177");

    // "N": reset to the defaults, saved, marked "Y".
    SwitchToProfile(2, files, settings, state);
    MouseSettings defaults = settings;
    ResetToDefaults(defaults);
    EXPECT_EQ(settings, defaults);
    EXPECT_NE(FillAt(2), 0xC2);
    EXPECT_EQ(ReadProfileString(ProfileSidePath(folder, 2), "Profile", "IsDefault"), "Y");

    // A configuration file without its side file is kept as it is.
    std::remove(ProfileSidePath(folder, 0).c_str());
    SwitchToProfile(0, files, settings, state);
    EXPECT_EQ(settings.at(100), 0xA0);
    EXPECT_EQ(FillAt(0), 0xA0);
    EXPECT_FALSE(files.side.captions[0].empty()); // named after the button's function

    // A position without files starts as a new profile, not as a copy of the last record.
    SwitchToProfile(4, files, settings, state);
    EXPECT_EQ(settings.at(100), static_cast<std::uint8_t>(FactoryConfigImage()[101]));
    EXPECT_EQ(FillAt(4), settings.at(100));
}

TEST_F(ProfileFilesTest, CreateTakesTheFactoryMacroAreaAndTheDefaultsAndStaysInitialised) {
    std::string factory = FactoryConfigImage();
    factory[config_file::kRecord + field::kMacroSlot] = 0x5A;        // a macro in the factory file
    factory[config_file::kRecord + field::kSensitivityX] = 9;        // not a default
    ASSERT_EQ(WriteFileAtomic(folder + "config.bin", factory), 0);
    ConfigFiles files = Files();
    MouseSettings settings;
    DeviceState state;
    settings.at(field::kMacroSlot) = 0x11;
    CreateProfileAt(3, files, settings, state);
    EXPECT_EQ(settings.at(field::kMacroSlot), 0x5A);
    EXPECT_NE(settings.at(field::kSensitivityX), 9);
    EXPECT_EQ(state.profileFileIndex, 3);
    EXPECT_EQ(settings.at(field::kProfileSlot), 0); // the factory file's
    const auto stored = ReadWholeFile(ProfileConfigPath(folder, 3));
    ASSERT_TRUE(stored);
    EXPECT_EQ(static_cast<std::uint8_t>((*stored)[config_file::kRecord + field::kMacroSlot]), 0x5A);
    EXPECT_FALSE(CaptionAt(3).empty());
    // Marked: switching back later keeps what is applied to it.
    EXPECT_EQ(ReadProfileString(ProfileSidePath(folder, 3), "Profile", "IsDefault"), "Y");
}

TEST_F(ProfileFilesTest, ImportOnlyTakesWholeProfileFiles) {
    StoreProfile(1, 0xB1);
    ConfigFiles files = Files();
    MouseSettings settings;
    DeviceState state;
    settings.at(100) = 0x77;
    files.side.captions[0] = "mine";
    const std::string outside = dir.path() + "/outside";
    for (std::size_t size : {config_file::kSize - 1, config_file::kSize + 1}) {
        ASSERT_EQ(WriteFileAtomic(outside + ".bin", std::string(size, '\x42')), 0);
        ASSERT_EQ(WriteProfileString(outside + ".ini", "Setting-EN", "Item1", "theirs"), 0);
        EXPECT_EQ(ImportIntoProfile(1, outside + ".bin", files, settings, state), ConfigFiles::ImportResult::WrongSize);
        EXPECT_EQ(settings.at(100), 0x77);
        EXPECT_EQ(files.side.captions[0], "mine");
        EXPECT_EQ(state.profileFileIndex, 0);
    }
    EXPECT_EQ(ImportIntoProfile(1, outside + ".txt", files, settings, state), ConfigFiles::ImportResult::NotABinFile);
    EXPECT_EQ(ImportIntoProfile(1, outside + "-none.bin", files, settings, state), ConfigFiles::ImportResult::Missing);

    ASSERT_EQ(WriteFileAtomic(outside + ".bin", std::string(config_file::kSize, '\x42')), 0);
    EXPECT_EQ(ImportIntoProfile(1, outside + ".bin", files, settings, state), ConfigFiles::ImportResult::Imported);
    EXPECT_EQ(settings.at(100), 0x42);
    EXPECT_EQ(files.side.captions[0], "theirs");
    EXPECT_EQ(state.profileFileIndex, 1);
    EXPECT_EQ(FillAt(1), 0xB1); // saved only by the next apply
}

TEST_F(ProfileFilesTest, ExportOfAStoredProfileFollowsTheNameRules) {
    StoreProfile(0, 0xA0);
    StoreProfile(2, 0xC2);
    WriteList({"A", "B", "C"}, "A");
    const ConfigFiles files = Files();
    const std::string out = dir.path() + "/out";
    auto result = ExportStoredProfile(2, out + "/c", files);
    EXPECT_FALSE(result.written); // no such folder
    std::filesystem::create_directories(out);
    result = ExportStoredProfile(2, out + "/c", files);
    ASSERT_TRUE(result.written);
    EXPECT_EQ(result.path, out + "/c.bin");
    EXPECT_EQ(static_cast<std::uint8_t>((*ReadWholeFile(out + "/c.bin"))[100]), 0xC2);
    EXPECT_EQ(ReadProfileString(out + "/c.ini", "Setting-EN", "Item1"), "caption of 194");

    result = ExportStoredProfile(0, out + "/a.bin.old", files);
    EXPECT_EQ(result.path, out + "/a.bin.old");
    EXPECT_TRUE(FileExists(out + "/a.ini.old"));
    EXPECT_EQ(FillAt(2), 0xC2); // the stored profile is untouched
}

} // namespace
} // namespace qv530
