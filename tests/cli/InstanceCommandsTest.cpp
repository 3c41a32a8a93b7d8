#include <cstdlib>
#include <sstream>

#include "cli/Commands.h"
#include "platform/InstanceChannel.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qv530::cli {
namespace {

using Lines = std::vector<std::string>;

// The commands find the running copy through XDG_RUNTIME_DIR.
class InstanceCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* saved = std::getenv("XDG_RUNTIME_DIR");
        if (saved) previous_ = saved;
        hadPrevious_ = saved != nullptr;
        ::setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
    }
    void TearDown() override {
        if (hadPrevious_) ::setenv("XDG_RUNTIME_DIR", previous_.c_str(), 1);
        else ::unsetenv("XDG_RUNTIME_DIR");
    }
    test::TempDir runtime;
    std::ostringstream out, err;

private:
    std::string previous_;
    bool hadPrevious_ = false;
};

TEST_F(InstanceCommandsTest, ShowAndDemoStageReachTheRunningCopy) {
    InstanceServer server;
    ASSERT_EQ(InstanceSocketPath(), runtime / "qv530-10800rad.sock");
    ASSERT_TRUE(server.Listen(InstanceSocketPath())) << server.error();
    EXPECT_EQ(RunShow({}, out, err), 0);
    EXPECT_EQ(RunDemoStage({"0"}, out, err), 0);
    EXPECT_EQ(RunDemoStage({"7"}, out, err), 0);
    EXPECT_EQ(server.TakeRequests(), (Lines{"restore", "demo-stage 0", "demo-stage 7"}));
    EXPECT_TRUE(err.str().empty()) << err.str();
    EXPECT_TRUE(out.str().empty());
}

TEST_F(InstanceCommandsTest, NoRunningCopyAndBadArguments) {
    EXPECT_EQ(RunShow({}, out, err), 1);
    EXPECT_NE(err.str().find("no running copy of the configurator"), std::string::npos) << err.str();
    err.str("");
    EXPECT_EQ(RunDemoStage({"2"}, out, err), 1);
    EXPECT_NE(err.str().find("no running copy"), std::string::npos);

    InstanceServer server;
    ASSERT_TRUE(server.Listen(InstanceSocketPath()));
    for (const Args& bad : {Args{}, Args{"8"}, Args{"x"}, Args{"-1"}, Args{"3", "4"}, Args{"03"}, Args{"3\nrestore"}}) {
        err.str("");
        EXPECT_EQ(RunDemoStage(bad, out, err), 2);
        EXPECT_NE(err.str().find("usage: qv530ctl demo-stage N"), std::string::npos);
    }
    EXPECT_EQ(RunShow({"now"}, out, err), 2);
    EXPECT_TRUE(server.TakeRequests().empty());
}

} // namespace
} // namespace qv530::cli
