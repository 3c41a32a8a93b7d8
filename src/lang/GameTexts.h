#pragma once
// The notices of game profiles: a game started or ended and its profile was
// sent, or was not because the window holds unsaved changes. English for a
// code other than the four.
#include <string>
#include <string_view>

namespace qv530 {

struct GameNotice {
    std::string game;    // the process's name: "Shooter.exe"
    std::string profile; // the profile's name in the list
    bool back = false;   // the game ended and the profile from before comes back
    bool refused = false;
};

// "Shooter.exe: profile Game", "Shooter.exe ended: profile Profile 1", ...
std::string GameNoticeText(std::string_view code, const GameNotice& notice);

} // namespace qv530
