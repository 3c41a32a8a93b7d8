#pragma once
// The texts of the game dialog (the programs that bring a profile) and of
// its item in the profile dialog's menu. "%1" is the program or the
// profile, "%2" the other profile. English for a code other than the four.
#include <string>
#include <string_view>

namespace qv530 {

struct GameDialogTexts {
    std::string menuItem;        // the profile dialog's menu: "Game…"
    std::string title;           // %1: the profile's name
    std::string listName;        // the list, for assistive technology
    std::string nameField;       // the name field: its hint and name
    std::string add;
    std::string running;         // opens the menu of running programs
    std::string remove;
    std::string added;           // %1 program
    std::string moved;           // %1 program, %2 the profile it brought before
    std::string already;         // %1 program
    std::string removed;         // %1 program
    std::string notBound;        // %1 program
    std::string noneRunning;
    std::string nothingSelected;
    std::string unsaved;         // %1: the profile's name
    std::string listChanged;
    std::string failed;          // %1: why, as the store says it
    std::string unreadable;      // %1: why, as the store says it
    // Why a typed name cannot be bound.
    std::string emptyName;
    std::string tooLong;         // %1: the longest name in bytes
    std::string path;
    std::string controlCharacter;
    std::string blankAtEnd;
};

GameDialogTexts GameDialogTextsFor(std::string_view code);

} // namespace qv530
