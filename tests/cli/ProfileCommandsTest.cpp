#include <sys/stat.h>
#include <sstream>

#include "cli/Commands.h"
#include "platform/FileIo.h"
#include "profiles/DataFolderSetup.h"
#include "profiles/ProfileFileMoves.h"
#include "settings/IniFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qv530::cli {
namespace {

class ProfileCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("HOME", home.path().c_str(), 1);
        ::unsetenv("XDG_CONFIG_HOME");
        ::setenv("LANG", "en_US.UTF-8", 1);
        PrepareDataFolder(err, "qv530ctl");
        folder = home.path() + "/.config/QV530-10800rad/";
    }
    int Run(const Args& args) {
        out.str("");
        err.str("");
        return RunProfile(args, out, err);
    }
    std::string Config(int index) { return ReadWholeFile(ProfileConfigPath(folder, index)).value_or(""); }

    test::TempDir home;
    std::string folder;
    std::ostringstream out, err;
};

TEST_F(ProfileCommandsTest, NewCopyRenameSwitchAndListKeepEachProfilesFiles) {
    ASSERT_EQ(Run({"list"}), 0) << err.str();
    EXPECT_EQ(out.str(), "* 0 Profile 1\n");

    ASSERT_EQ(Run({"new"}), 0) << err.str();
    EXPECT_EQ(out.str(), "* 1 Profile 2\n");
    EXPECT_FALSE(Config(1).empty());
    EXPECT_EQ(ReadProfileString(folder + "str.ini", "Profile", "CurProfileName"), "Profile 2");

    // A changed setting of profile 1, then a copy of it.
    std::string changed = Config(1);
    changed[500] = '\x5C';
    ASSERT_EQ(WriteFileAtomic(ProfileConfigPath(folder, 1), changed), 0);
    ASSERT_EQ(Run({"copy", "1"}), 0) << err.str();
    EXPECT_EQ(out.str(), "  2 Copy Profile 2\n");
    EXPECT_TRUE(Config(2) == changed);

    ASSERT_EQ(Run({"rename", "2", "Shooter"}), 0) << err.str();
    EXPECT_EQ(Run({"rename", "2", "Profile 1"}), 2); // taken: the old name stays
    ASSERT_EQ(Run({"new", "Work"}), 0) << err.str();
    ASSERT_EQ(Run({"list"}), 0);
    EXPECT_EQ(out.str(), "  0 Profile 1\n  1 Profile 2\n  2 Shooter\n* 3 Work\n");

    ASSERT_EQ(Run({"switch", "Shooter"}), 0) << err.str();
    EXPECT_EQ(out.str(), "* 2 Shooter\n");
    EXPECT_TRUE(Config(2) == changed); // switching does not reset it
    EXPECT_EQ(Run({"switch", "9"}), 2);
}

TEST_F(ProfileCommandsTest, DeleteMovesTheLaterProfilesAndRefusesTheLast) {
    ASSERT_EQ(Run({"new"}), 0);
    ASSERT_EQ(Run({"new"}), 0);
    std::string third = Config(2);
    third[400] = '\x33';
    ASSERT_EQ(WriteFileAtomic(ProfileConfigPath(folder, 2), third), 0);
    ASSERT_EQ(Run({"delete", "1"}), 0) << err.str();
    EXPECT_TRUE(Config(1) == third);
    EXPECT_TRUE(Config(2).empty());
    ASSERT_EQ(Run({"list"}), 0);
    EXPECT_EQ(out.str(), "  0 Profile 1\n* 1 Profile 3\n");
    ASSERT_EQ(Run({"delete", "1"}), 0); // the current one: the entry at its place becomes current
    ASSERT_EQ(Run({"list"}), 0);
    EXPECT_EQ(out.str(), "* 0 Profile 1\n");
    EXPECT_EQ(Run({"delete", "0"}), 1);
    EXPECT_EQ(Run({"delete", "x"}), 2);
}

TEST_F(ProfileCommandsTest, TheSeventhProfileIsRefusedWithTheDialogsMessage) {
    for (int i = 0; i < 5; ++i) ASSERT_EQ(Run({"new"}), 0) << err.str();
    const std::string list = *ReadWholeFile(folder + "str.ini");
    EXPECT_EQ(Run({"new"}), 1);
    EXPECT_EQ(err.str(), "Up to 6 Profiles Possible.\n");
    EXPECT_EQ(Run({"copy", "0"}), 1);
    EXPECT_EQ(*ReadWholeFile(folder + "str.ini"), list);
}

TEST_F(ProfileCommandsTest, ExportAndImportRoundTripAndWrongSizesAreRefused) {
    ASSERT_EQ(Run({"new"}), 0);
    std::string mine = Config(1);
    mine[300] = '\x21';
    ASSERT_EQ(WriteFileAtomic(ProfileConfigPath(folder, 1), mine), 0);
    const std::string file = home.path() + "/mine";
    ASSERT_EQ(Run({"export", "1", file}), 0) << err.str();
    EXPECT_TRUE(*ReadWholeFile(file + ".bin") == mine);
    EXPECT_TRUE(FileExists(file + ".ini"));

    ASSERT_EQ(Run({"import", "0", file + ".bin"}), 0) << err.str();
    EXPECT_EQ(Config(0)[300], '\x21');
    EXPECT_EQ(ReadProfileString(ProfileSidePath(folder, 0), "Setting-EN", "Item1"),
              ReadProfileString(file + ".ini", "Setting-EN", "Item1"));

    const std::string before = Config(0);
    ASSERT_EQ(WriteFileAtomic(home.path() + "/short.bin", std::string(1884, '\x01')), 0);
    EXPECT_EQ(Run({"import", "0", home.path() + "/short.bin"}), 2);
    EXPECT_NE(err.str().find("1884 bytes"), std::string::npos) << err.str();
    EXPECT_TRUE(Config(0) == before);
}

TEST_F(ProfileCommandsTest, DamagedListsNeverCostAProfileItsFiles) {
    ASSERT_EQ(Run({"new"}), 0);
    const std::string second = Config(1);
    for (const char* count : {"0", "7", "x"}) {
        ASSERT_EQ(WriteProfileString(folder + "str.ini", "Profile", "ItemCount", count), 0);
        ASSERT_EQ(Run({"list"}), 0) << count << err.str();
        EXPECT_EQ(out.str(), "  0 Profile 1\n* 1 Profile 2\n") << count;
        EXPECT_TRUE(Config(1) == second);
    }
    // The list repaired by the next change.
    ASSERT_EQ(Run({"rename", "0", "First"}), 0) << err.str();
    EXPECT_EQ(ReadProfileString(folder + "str.ini", "Profile", "ItemCount"), "2");
    EXPECT_TRUE(Config(1) == second);
}

// The names the dialog and rename refuse are refused by new too, with the
// real reason; names are found ignoring case.
TEST_F(ProfileCommandsTest, NamesAreRefusedAlikeEverywhereAndFoundIgnoringCase) {
    const std::string longName(1024, 'x');
    const struct {
        Args args;
        const char* reason;
    } refused[] = {
        {{"new", "   "}, "cannot be empty"},
        {{"new", "a\nb"}, "line break"},
        {{"new", longName}, "at most 1023 bytes"},
        {{"rename", "0", longName}, "at most 1023 bytes"},
        {{"rename", "0", " "}, "cannot be empty"},
    };
    for (const auto& c : refused) {
        EXPECT_EQ(Run(c.args), 2) << c.args[0];
        EXPECT_NE(err.str().find(c.reason), std::string::npos) << err.str();
    }
    ASSERT_EQ(Run({"list"}), 0);
    EXPECT_EQ(out.str(), "* 0 Profile 1\n");
    ASSERT_EQ(Run({"new", "Shooter"}), 0);
    ASSERT_EQ(Run({"switch", "profile 1"}), 0) << err.str();
    EXPECT_EQ(out.str(), "* 0 Profile 1\n");
    ASSERT_EQ(Run({"switch", "SHOOTER"}), 0) << err.str();
    EXPECT_EQ(out.str(), "* 1 Shooter\n");
    EXPECT_EQ(Run({"new", "shooter"}), 0) << "another case is another name";
}

// Game bindings follow their profile through renames and moves, go with a
// deleted profile, and bad input changes nothing.
TEST_F(ProfileCommandsTest, GameBindingsFollowTheirProfileAndRefuseBadInput) {
    ASSERT_EQ(Run({"new", "Game"}), 0) << err.str();
    ASSERT_EQ(Run({"new", "Other"}), 0) << err.str();
    ASSERT_EQ(Run({"bind", "game", "Shooter.exe"}), 0) << err.str();
    EXPECT_EQ(out.str(), "1 Game Shooter.exe\n");
    ASSERT_EQ(Run({"bind", "2", "supertuxkart"}), 0) << err.str();
    ASSERT_EQ(Run({"bind", "0", "racer"}), 0) << err.str();
    const std::string before = ReadWholeFile(folder + "QV530.games").value_or("");
    const struct {
        Args args;
        int status;
    } refused[] = {
        {{"bind", "Nobody", "x"}, 2},
        {{"bind", "7", "x"}, 2},
        {{"bind", "0", ""}, 2},
        {{"bind", "0", std::string(129, 'a')}, 2},
        {{"bind", "0", "games/x"}, 2},
        {{"bind", "0", "Z:\\games\\x.exe"}, 2},
        {{"bind", "0", "a\tb"}, 2},
        {{"unbind", "unknown"}, 2},
        {{"bind", "0"}, 2},
    };
    for (const auto& c : refused) {
        EXPECT_EQ(Run(c.args), c.status) << c.args.back();
        EXPECT_FALSE(err.str().empty()) << c.args.back();
    }
    EXPECT_EQ(ReadWholeFile(folder + "QV530.games").value_or(""), before);

    // Binding again moves the program, whatever its case.
    ASSERT_EQ(Run({"bind", "Other", "SHOOTER.EXE"}), 0) << err.str();
    EXPECT_EQ(err.str(), "qv530ctl: SHOOTER.EXE was bound to Game\n");
    ASSERT_EQ(Run({"bind", "Game", "Shooter.exe"}), 0);
    ASSERT_EQ(Run({"rename", "1", "Shooters"}), 0);
    ASSERT_EQ(Run({"delete", "0"}), 0);
    ASSERT_EQ(Run({"bindings"}), 0) << err.str();
    EXPECT_EQ(out.str(), "0 Shooters Shooter.exe\n1 Other supertuxkart\n");
    ASSERT_EQ(Run({"unbind", "shooter.EXE"}), 0) << err.str();
    ASSERT_EQ(Run({"bindings"}), 0);
    EXPECT_EQ(out.str(), "1 Other supertuxkart\n");
    // The deleted profile's binding is gone from the file with that write.
    EXPECT_EQ(ReadWholeFile(folder + "QV530.games").value_or("").find("racer"), std::string::npos);
}

// A file of bindings that cannot be read is never written over; one with
// damaged lines is kept aside before the next write.
TEST_F(ProfileCommandsTest, DamagedOrUnreadableBindingsFileIsKept) {
    ASSERT_EQ(::mkdir((folder + "QV530.games").c_str(), 0700), 0);
    EXPECT_EQ(Run({"bind", "0", "game"}), 1);
    EXPECT_EQ(Run({"bindings"}), 1);
    ASSERT_EQ(::rmdir((folder + "QV530.games").c_str()), 0);

    ASSERT_EQ(WriteFileAtomic(folder + "QV530.games", std::string("no tab here\n")), 0);
    ASSERT_EQ(Run({"bind", "0", "game"}), 0) << err.str();
    EXPECT_NE(err.str().find("kept as"), std::string::npos) << err.str();
    ASSERT_EQ(Run({"bindings"}), 0);
    EXPECT_EQ(out.str(), "0 Profile 1 game\n");
}

} // namespace
} // namespace qv530::cli
