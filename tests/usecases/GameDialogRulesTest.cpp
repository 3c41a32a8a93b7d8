// The game dialog's rules without a window: the names offered from the
// running programs, and why a typed name is refused, in the user's language.
#include <map>

#include "lang/GameDialogTexts.h"
#include "profiles/GameBindings.h"
#include "usecases/ProfileGames.h"
#include "usecases/RunningProgramList.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

class ListedProcesses final : public ProcessTable {
public:
    std::vector<int> Pids() override {
        std::vector<int> pids;
        for (const auto& [pid, name] : processes) pids.push_back(pid);
        pids.push_back(9999); // ended before it was read
        return pids;
    }
    std::optional<ProcessName> Read(int pid) override {
        const auto found = processes.find(pid);
        return found == processes.end() ? std::nullopt : std::optional(found->second);
    }
    std::map<int, ProcessName> processes;
};

TEST(RunningProgramListTest, OneBindableNamePerProgramSortedIgnoringCase) {
    const struct {
        const char* comm;
        const char* argv0;
        const char* name;
    } cases[] = {
        {"supertuxkart", "/usr/games/supertuxkart", "supertuxkart"},
        {"a-very-long-gam", "/opt/a-very-long-game-name", "a-very-long-game-name"}, // the kernel cut it
        {"wine64-preload", "Z:\\games\\Shooter.exe", "Shooter.exe"},              // Wine keeps its own name
        {"Web Content", "/usr/lib/firefox-esr/firefox-esr", "Web Content"},
        {"sshd", "sshd: me@pts/0", "sshd"},                                         // a rewritten argument
        {"kworker/0:1", "", ""},                                                    // a kernel thread
        {"bad/name", "bad/name", ""},                                               // nothing a binding takes
    };
    ListedProcesses table;
    int pid = 100;
    for (const auto& c : cases) {
        EXPECT_EQ(BindableProcessName({c.comm, c.argv0}), c.name) << c.comm << " " << c.argv0;
        table.processes[pid++] = {c.comm, c.argv0};
    }
    table.processes[pid++] = {"SuperTuxKart", "SuperTuxKart"}; // the same program in other case
    table.processes[pid++] = {"supertuxkart", "supertuxkart"};
    EXPECT_EQ(RunningProgramNames(table),
              (std::vector<std::string>{"a-very-long-game-name", "Shooter.exe", "sshd", "SuperTuxKart", "Web Content"}));
}

TEST(GameDialogTextsTest, EveryRefusalOfATypedNameIsSaidInTheLanguage) {
    for (const char* code : {"CHS", "CHT", "EN", "DE"}) {
        const GameDialogTexts texts = GameDialogTextsFor(code);
        const struct {
            std::string program;
            std::string said;
        } cases[] = {
            {"", texts.emptyName},
            {std::string(kProgramNameMax + 1, 'a'), texts.tooLong.substr(0, texts.tooLong.find("%1")) + "128"},
            {"C:\\games\\shooter.exe", texts.path},
            {"/usr/games/racer", texts.path},
            {std::string("tab\there"), texts.controlCharacter},
            {" racer", texts.blankAtEnd},
            {"shooter.exe", ""},
        };
        for (const auto& c : cases) {
            const std::string said = ProgramNameRefusalText(texts, c.program);
            EXPECT_EQ(said.substr(0, c.said.size()), c.said) << code << " '" << c.program << "'";
            EXPECT_EQ(said.empty(), c.said.empty()) << code << " '" << c.program << "'";
            EXPECT_EQ(said.find("%1"), std::string::npos) << code;
        }
        EXPECT_FALSE(texts.menuItem.empty());
    }
}

} // namespace
} // namespace qv530
