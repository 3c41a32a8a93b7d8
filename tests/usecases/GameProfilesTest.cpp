#include <fstream>
#include <map>
#include <sys/stat.h>

#include "lang/GameTexts.h"
#include "platform/ProcessTable.h"
#include "support/TempDir.h"
#include "usecases/GameSwitcher.h"
#include "usecases/RunningGames.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

using namespace std::chrono_literals;

TEST(GameMatchingTest, KernelNamePrefixOrLastPartOfTheFirstArgumentIgnoringCase) {
    const struct {
        const char* comm;
        const char* argv0;
        const char* program;
        bool runs;
    } cases[] = {
        {"supertuxkart", "/usr/games/supertuxkart", "SuperTuxKart", true},
        {"Shooter.exe", "Z:\\games\\Shooter.exe", "shooter.exe", true},
        {"wine64-preload", "Z:\\games\\Shooter.exe", "shooter.exe", true}, // by the argument alone
        {"a-very-long-gam", "./a-very-long-game-name", "A-Very-Long-Game-Name", true},
        {"a-very-long-gam", "", "a-very-long-game-name", true},  // the kernel cut it
        {"a-very-long-ga", "", "a-very-long-game", false},       // a 14-byte name was not cut
        {"shooter", "shooter", "shooter.exe", false},
        {"shooter.exe", "", "shooter", false},
        {"sh", "/bin/sh", "", false},
        {"bash", "/bin/bash", "bin", false},                      // a folder is no program
        {"steam", "C:/Program Files/Game/Game.EXE", "game.exe", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProcessRunsProgram({c.comm, c.argv0}, c.program), c.runs) << c.comm << " " << c.argv0 << " " << c.program;
    EXPECT_EQ(ShownProcessName({"wine64-preload", "Z:\\games\\Shooter.exe"}, "shooter.exe"), "Shooter.exe");
    EXPECT_EQ(ShownProcessName({"a-very-long-gam", "python3"}, "a-very-long-game"), "a-very-long-gam");
}

// A /proc of our own: the folders of the processes with their comm and cmdline.
TEST(GameMatchingTest, ProcTableListsProcessesAndReadsOnlyTheUsersOwn) {
    test::TempDir proc;
    const auto add = [&](const std::string& pid, const std::string& comm, const std::string& cmdline) {
        ASSERT_EQ(::mkdir((proc / pid).c_str(), 0755), 0);
        std::ofstream(proc / pid + "/comm") << comm << "\n";
        std::ofstream(proc / pid + "/cmdline") << cmdline;
    };
    add("12", "Shooter.exe", std::string("Z:\\games\\Shooter.exe\0-windowed\0", 30));
    add("7", "kworker/0:1", "");
    ASSERT_EQ(::mkdir((proc / "self").c_str(), 0755), 0);
    struct stat own {};
    ASSERT_EQ(::stat(proc.path().c_str(), &own), 0);

    ProcProcessTable table(proc.path(), own.st_uid);
    std::vector<int> pids = table.Pids();
    std::sort(pids.begin(), pids.end());
    EXPECT_EQ(pids, (std::vector<int>{7, 12}));
    const std::optional<ProcessName> game = table.Read(12);
    ASSERT_TRUE(game);
    EXPECT_EQ(game->comm, "Shooter.exe");
    EXPECT_EQ(game->argv0, "Z:\\games\\Shooter.exe");
    EXPECT_EQ(table.Read(7)->argv0, "");
    EXPECT_FALSE(table.Read(99)); // ended
    EXPECT_FALSE(ProcProcessTable(proc.path(), own.st_uid + 1).Read(12)); // another user's
}

// A process table whose processes the test starts and ends; it counts the
// processes read.
class FakeProcesses final : public ProcessTable {
public:
    std::vector<int> Pids() override {
        std::vector<int> pids;
        for (const auto& [pid, name] : processes) pids.push_back(pid);
        return pids;
    }
    std::optional<ProcessName> Read(int pid) override {
        ++reads;
        const auto found = processes.find(pid);
        return found == processes.end() ? std::nullopt : std::optional(found->second);
    }
    std::map<int, ProcessName> processes;
    int reads = 0;
};

TEST(GameMatchingTest, LookReadsOnlyNewProcessesAndTellsFirstStartsAndLastEnds) {
    FakeProcesses table;
    for (int pid = 100; pid < 600; ++pid) table.processes[pid] = {"idle" + std::to_string(pid), "/usr/bin/idle"};
    RunningGames games;
    EXPECT_TRUE(games.SetPrograms({"shooter.exe", "racer"}).empty());
    EXPECT_TRUE(games.Look(table).empty());
    EXPECT_EQ(table.reads, 500);
    table.processes[700] = {"racer", "racer"};
    table.processes[701] = {"racer", "racer"};
    table.processes[650] = {"Shooter.exe", "Z:\\g\\Shooter.exe"};
    auto changes = games.Look(table);
    EXPECT_EQ(table.reads, 503);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_TRUE(changes[0].started && changes[0].program == "shooter.exe" && changes[0].shown == "Shooter.exe");
    EXPECT_TRUE(changes[1].started && changes[1].program == "racer");
    table.processes.erase(700);
    EXPECT_TRUE(games.Look(table).empty()); // one racer still runs
    table.processes.erase(701);
    changes = games.Look(table);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_FALSE(changes[0].started);
    EXPECT_EQ(table.reads, 503);
    // Unbinding a running program ends it; binding one that runs starts it.
    changes = games.SetPrograms({"idle100"});
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_TRUE(!changes[0].started && changes[0].program == "shooter.exe");
    EXPECT_TRUE(changes[1].started && changes[1].program == "idle100");
}

// The switching rules, driven by a fake process table and a fake clock.
class GameSwitchTest : public ::testing::Test {
protected:
    void SetUp() override {
        table.processes[1] = {"bash", "bash"};
        watch.SetBindings({{"shooter.exe", "game"}, {"racer", "race"}});
    }
    // The window's reaction to a decision: a switch makes the profile current.
    std::optional<GameSwitch> Tick(std::chrono::milliseconds after = GameWatch::kLookInterval) {
        now += after;
        auto decision = watch.Tick(now, window);
        if (decision && decision->kind == GameSwitch::Kind::Switch) window.currentProfileId = decision->profileId;
        return decision;
    }
    static std::string Describe(const std::optional<GameSwitch>& d) {
        if (!d) return "none";
        return std::string(d->kind == GameSwitch::Kind::Switch ? "switch " : "refused ") + d->profileId + " " +
               d->game + (d->back ? " back" : "");
    }
    FakeProcesses table;
    GameWatch watch{table};
    WindowActivity window{"home", false, false};
    GameWatch::Clock::time_point now{};
};

TEST_F(GameSwitchTest, StartSwitchesEndComesBackAndGamesStack) {
    EXPECT_EQ(Describe(Tick()), "none");
    table.processes[10] = {"Shooter.exe", "Z:\\games\\Shooter.exe"};
    EXPECT_EQ(Describe(Tick()), "switch game Shooter.exe");
    table.processes[11] = {"racer", "/opt/racer"};
    EXPECT_EQ(Describe(Tick()), "switch race racer");
    table.processes.erase(11); // the newest ends: back to the one below
    EXPECT_EQ(Describe(Tick()), "switch game Shooter.exe");
    table.processes[12] = {"racer", "racer"};
    EXPECT_EQ(Describe(Tick()), "switch race racer");
    table.processes.erase(10); // an older one ends: nothing changes now
    EXPECT_EQ(Describe(Tick()), "none");
    table.processes.erase(12);
    EXPECT_EQ(Describe(Tick()), "switch home racer back");
    EXPECT_EQ(Describe(Tick()), "none");
}

TEST_F(GameSwitchTest, WaitsForApplyLooksAtMostEveryIntervalAndRefusesOverEdits) {
    Tick();
    const std::size_t looks = watch.looks();
    EXPECT_EQ(Describe(Tick(500ms)), "none");
    EXPECT_EQ(watch.looks(), looks); // too soon for another look
    EXPECT_EQ(watch.UntilNextLook(now), GameWatch::kLookInterval - 500ms);
    table.processes[10] = {"Shooter.exe", "Shooter.exe"};
    window.mustWait = true; // an Apply runs: the switch waits for its end
    EXPECT_EQ(Describe(Tick()), "none");
    window.mustWait = false;
    EXPECT_EQ(Describe(Tick(10ms)), "switch game Shooter.exe");

    window.unappliedEdits = true; // the game ends while the user edits
    table.processes.erase(10);
    EXPECT_EQ(Describe(Tick()), "refused home Shooter.exe back");
    table.processes[11] = {"racer", "racer"};
    EXPECT_EQ(Describe(Tick()), "refused race racer");
    window.unappliedEdits = false;
    EXPECT_EQ(Describe(Tick()), "none") << "a refused switch is not made later";
    table.processes.erase(11);
    EXPECT_EQ(Describe(Tick()), "none");
}

TEST_F(GameSwitchTest, ProfileChosenByTheUserDuringAGameStays) {
    table.processes[10] = {"racer", "racer"};
    EXPECT_EQ(Describe(Tick()), "switch race racer");
    window.currentProfileId = "chosen";
    table.processes.erase(10);
    EXPECT_EQ(Describe(Tick()), "none");
    // Unbinding a running game takes its profile back.
    table.processes[11] = {"racer", "racer"};
    EXPECT_EQ(Describe(Tick()), "switch race racer");
    watch.SetBindings({{"shooter.exe", "game"}});
    EXPECT_EQ(Describe(Tick(10ms)), "switch chosen racer back");
    watch.SetBindings({});
    EXPECT_FALSE(watch.watching());
}

TEST(GameNoticeTest, NamesTheGameAndTheProfileInEachLanguage) {
    const struct {
        const char* code;
        GameNotice notice;
        const char* text;
    } cases[] = {
        {"EN", {"Shooter.exe", "Game", false, false}, "Shooter.exe: profile Game"},
        {"EN", {"Shooter.exe", "Profile 1", true, false}, "Shooter.exe ended: profile Profile 1"},
        {"FR", {"racer", "Race", false, true}, "racer: profile Race not applied, the window has unsaved changes"},
        {"DE", {"racer", "Rennen", true, false}, "racer beendet: Profil Rennen"},
        {"CHS", {"racer", "赛车", false, true}, "racer：未应用配置 赛车，窗口中有未保存的更改"},
        {"CHT", {"racer", "%p%g", false, false}, "racer：設定檔 %p%g"}, // names are not read as forms
    };
    for (const auto& c : cases) EXPECT_EQ(GameNoticeText(c.code, c.notice), c.text) << c.code;
}

} // namespace
} // namespace qv530
