// qv530ctl get and set of the lighting names.
#include <cstdlib>
#include <sstream>

#include "cli/SettingCommands.h"
#include "platform/FileIo.h"
#include "profiles/DataFolderSetup.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qv530::cli {
namespace {

class LightingSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("HOME", home.path().c_str(), 1);
        ::unsetenv("XDG_CONFIG_HOME");
        PrepareDataFolder(err, "qv530ctl");
    }
    int Set(std::vector<std::string> args) {
        err.str("");
        std::ostringstream ignored;
        return RunSet(args, ignored, err);
    }
    std::string Get(const std::string& name) {
        std::ostringstream out;
        EXPECT_EQ(RunGet({name}, out, err), 0);
        return out.str();
    }
    std::string Config() { return ReadWholeFile(home.path() + "/.config/QV530-10800rad/config0.bin").value_or(""); }

    test::TempDir home;
    std::ostringstream err;
};

TEST_F(LightingSettingsTest, GetPrintsEveryLevelWithTheStoredEffectLast) {
    EXPECT_EQ(Get("light"), "light standard 3\nlight breathing 4\nlight tapping 4\nlight stream 4\nlight neon 4\n");
    EXPECT_EQ(Get("pad-light"), "pad-light standard 3\npad-light breathing 4\npad-light stream 4\npad-light neon 4\n");
    EXPECT_EQ(Get("light-color"), "light-color 1\n");
    EXPECT_EQ(Get("pad-light-palette"),
              "pad-light-palette 0 FF0000\npad-light-palette 1 FFFF00\npad-light-palette 2 00FF00\n"
              "pad-light-palette 3 00FFFF\npad-light-palette 4 FF00FF\n");
}

TEST_F(LightingSettingsTest, SetFollowsThePagesRules) {
    ASSERT_EQ(Set({"light", "Breathing", "5"}), 0) << err.str();
    ASSERT_EQ(Set({"light-color", "cycle"}), 0) << err.str();
    EXPECT_EQ(Get("light-color"), "light-color cycle\n");
    ASSERT_EQ(Set({"light", "1"}), 0); // standard by number: the cycle becomes entry 0
    EXPECT_EQ(Get("light-color"), "light-color 0\n");
    EXPECT_EQ(Get("light"), "light breathing 5\nlight neon 4\nlight tapping 4\nlight stream 4\nlight standard 3\n");
    ASSERT_EQ(Set({"pad-light-palette", "2", "#a0b0c0"}), 0);
    EXPECT_NE(Get("pad-light-palette").find("pad-light-palette 2 A0B0C0\n"), std::string::npos);

    // Refused, nothing saved: the pad has no finger tapping, levels are 1..6,
    // no colour cycle in standard, entries are 0..4.
    const auto before = Config();
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"pad-light", "tapping"}, {"pad-light", "4"}, {"light", "neon", "7"}, {"light", "0"},
          {"light", "off"}, {"light"}, {"light-color", "cycle"}, {"light-color", "5"}, {"light-palette", "5", "FFFFFF"},
          {"light-palette", "1", "GGGGGG"}, {"pad-light-color"}}) {
        EXPECT_EQ(Set(bad), 2) << bad[0] << " " << (bad.size() > 1 ? bad[1] : "");
        EXPECT_FALSE(err.str().empty());
    }
    EXPECT_EQ(Config(), before);
}

} // namespace
} // namespace qv530::cli
