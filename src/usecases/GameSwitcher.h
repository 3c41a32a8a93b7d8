#pragma once
// Game profiles at run time: while a bound program runs its profile is the
// current one, and when it ends the profile from before comes back. Several
// games at once form a stack: the one started last wins, and each ending
// goes back through the stack. The window decides nothing here; it tells
// what it is doing and carries out the switch it is given:
//  - while an Apply runs (or a dialog holds the profiles) nothing is
//    switched, the games' starts and ends wait;
//  - with unapplied edits a switch is refused (said, never done later);
//  - when someone else made another profile current meanwhile (the user,
//    qv530ctl), the games no longer own the current profile: nothing is
//    switched back over the user's choice.
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "platform/ProcessTable.h"
#include "profiles/GameBindings.h"
#include "usecases/RunningGames.h"

namespace qv530 {

// What the window is doing, as the switcher needs to know it.
struct WindowActivity {
    std::string currentProfileId;
    bool mustWait = false;       // an Apply runs, or a dialog holds the profiles
    bool unappliedEdits = false;
};

struct GameSwitch {
    enum class Kind {
        Switch,  // make the profile current and apply it
        Refused, // the window has unapplied edits: say that the profile was not applied
    };
    Kind kind = Kind::Switch;
    std::string profileId;
    std::string game;  // the process's name for the notice
    bool back = false; // going back after the game ended
};

class GameSwitcher {
public:
    void Started(const std::string& program, const std::string& shown, const std::string& profileId);
    void Ended(const std::string& program, const std::string& shown);
    // The window changed the current profile itself: the games let go of it.
    // Call before reporting starts and ends.
    void Observe(const WindowActivity& window);
    // The switch to make now, if any; nothing while the window must wait.
    std::optional<GameSwitch> Next(const WindowActivity& window);
    bool idle() const { return frames_.empty() && !home_; }

private:
    struct Frame {
        std::string program;
        std::string shown;
        std::string profileId;
    };
    std::vector<Frame> frames_;         // running games in start order
    std::optional<std::string> home_;   // the profile from before the first game
    std::string expected_;              // the current profile as the games left it
    std::string lastEnded_;
};

// The running programs and the switcher, driven by a timer: no bindings, no
// looking; otherwise one look at the process table at most every
// kLookInterval, however often Tick is called.
class GameWatch {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kLookInterval{2000};

    explicit GameWatch(ProcessTable& table) : table_(table) {}

    // The bindings as the data folder holds them now.
    void SetBindings(const std::vector<GameBinding>& bindings);
    // Whether there is anything to watch (a timer is needed).
    bool watching() const { return !bindings_.empty() || !switcher_.idle(); }
    std::optional<GameSwitch> Tick(Clock::time_point now, const WindowActivity& window);
    // How long from now until the next look is due: a timer set to fire then
    // (never early) keeps the looks kLookInterval apart without missing one.
    Clock::duration UntilNextLook(Clock::time_point now) const;
    const std::vector<GameBinding>& bindings() const { return bindings_; }
    std::size_t looks() const { return looks_; }

private:
    void Feed(const std::vector<RunningGames::Change>& changes);
    const GameBinding* BindingOf(const std::string& program) const;

    ProcessTable& table_;
    std::vector<GameBinding> bindings_;
    RunningGames running_;
    GameSwitcher switcher_;
    std::optional<Clock::time_point> lastLook_;
    std::size_t looks_ = 0;
    std::vector<RunningGames::Change> pending_; // binding changes, fed with the next tick
};

} // namespace qv530
