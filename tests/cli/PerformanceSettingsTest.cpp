// qv530ctl get and set for the DPI stages, the rate, angle snapping and the pointer settings.
#include <cstdlib>
#include <sstream>

#include "cli/SettingCommands.h"
#include "profiles/DataFolderSetup.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qv530::cli {
namespace {

class PerformanceSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("HOME", home.path().c_str(), 1);
        ::unsetenv("XDG_CONFIG_HOME");
        PrepareDataFolder(err, "qv530ctl");
    }
    int Set(const Args& args) {
        out.str("");
        err.str("");
        return RunSet(args, out, err);
    }
    std::string Get(const std::string& name = "") {
        std::ostringstream lines;
        std::ostringstream ignored;
        EXPECT_EQ(RunGet(name.empty() ? Args{} : Args{name}, lines, ignored), 0);
        return lines.str();
    }

    test::TempDir home;
    std::ostringstream out, err;
};

TEST_F(PerformanceSettingsTest, FactoryValues) {
    const std::string all = Get();
    for (const char* line : {"dpi 1 600 --variant a11d\n", "dpi 7 12000 --variant a1dc\n", "dpi-stage 4 on\n",
                             "dpi-color 6 FF8000\n", "rate 500\n", "angle-snap off\n", "pointer-speed 6\n",
                             "double-click 6\n", "wheel 3\n", "sensitivity-x "})
        EXPECT_NE(all.find(line), std::string::npos) << line;
}

TEST_F(PerformanceSettingsTest, SetThenGetUsesThePageRules) {
    EXPECT_EQ(Set({"dpi", "3", "9999"}), 0) << err.str();  // no mouse: the A11D table
    EXPECT_EQ(Set({"dpi", "3", "1250", "--variant", "A1DC"}), 0) << err.str();
    EXPECT_EQ(Set({"DPI-Stage", "2", "off"}), 0);
    EXPECT_EQ(Set({"dpi-color", "1", "#0a0B0c"}), 0);
    EXPECT_EQ(Set({"rate", "1000"}), 0);
    EXPECT_EQ(Set({"angle-snap", "on"}), 0);
    EXPECT_EQ(Set({"pointer-speed", "11"}), 0);
    EXPECT_EQ(Set({"double-click", "1"}), 0);
    EXPECT_EQ(Set({"wheel", "100"}), 0);
    const std::string dpi = Get("dpi");
    EXPECT_NE(dpi.find("dpi 3 9900 --variant a11d\n"), std::string::npos);
    EXPECT_NE(dpi.find("dpi 3 1200 --variant a1dc\n"), std::string::npos);
    EXPECT_EQ(Get("dpi-stage").find("dpi-stage 2 off\n") != std::string::npos, true);
    EXPECT_EQ(Get("dpi-color").substr(0, 19), "dpi-color 1 0A0B0C\n");
    EXPECT_EQ(Get("rate"), "rate 1000\n");
    EXPECT_EQ(Get("angle-snap"), "angle-snap on\n");
    EXPECT_EQ(Get("pointer-speed"), "pointer-speed 11\n");
    EXPECT_EQ(Get("double-click"), "double-click 1\n");
    EXPECT_EQ(Get("wheel"), "wheel 100\n");
    EXPECT_EQ(Set({"wheel", "page"}), 0);
    EXPECT_EQ(Get("wheel"), "wheel page 100\n");  // the line count stays for the lines mode
}

TEST_F(PerformanceSettingsTest, BadInputChangesNothing) {
    const std::string before = Get();
    const Args bad[] = {
        {"dpi", "0", "800"},        {"dpi", "8", "800"},         {"dpi", "1", "123456"}, {"dpi", "1", "8x"},
        {"dpi", "1", "800", "--variant", "a2"}, {"dpi", "1"},  {"dpi-stage", "1", "maybe"},
        {"dpi-color", "1", "12345"}, {"rate", "333"},            {"rate", "0"},          {"angle-snap", "1"},
        {"pointer-speed", "0"},     {"double-click", "12"},      {"wheel", "0"},         {"wheel", "101"},
        {"wheel", "pages"},
    };
    for (const Args& args : bad) {
        EXPECT_EQ(Set(args), kSetBadInput) << args[0] << " " << args[1];
        EXPECT_FALSE(err.str().empty());
    }
    EXPECT_EQ(Get(), before);
}

} // namespace
} // namespace qv530::cli
