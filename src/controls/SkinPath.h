#pragma once
// Turns the skin picture names used across the program ("Skins\Logo.png",
// "/skins/main.png", "/Config/Config.png", "\\skins/MacroManagement/...")
// into one relative name inside the skin folder, and finds that file.
#include <filesystem>
#include <string>
#include <string_view>

namespace qv530 {

// Both separators become '/', repeated separators collapse, and a leading
// "Skins" or "skins" folder is dropped: "\skins\ItemBK.png" -> "ItemBK.png".
std::string NormaliseSkinPath(std::string_view path);

// The file under `skinFolder` for `path`. When the exact name is missing, each
// component is matched ignoring case. Empty when nothing matches.
std::filesystem::path ResolveSkinFile(const std::filesystem::path& skinFolder, std::string_view path);

// The folder that holds the program's data ("Skins", "doc") for a program
// folder: the program folder itself when "Skins" is beside the executable (the
// build tree), else "../share/qv530-10800rad" (an installed layout such as
// /usr/bin and /usr/share). Empty when neither holds a "Skins" folder.
std::filesystem::path FindProgramDataFolder(const std::filesystem::path& programFolder);

// The skin folder of a program folder: "Skins" in FindProgramDataFolder.
// Empty when there is none.
std::filesystem::path FindSkinFolder(const std::filesystem::path& programFolder);
// A file the program ships (the user guide) in FindProgramDataFolder; empty
// when there is no data folder or it lacks the file.
std::filesystem::path FindProgramData(const std::filesystem::path& programFolder, const std::filesystem::path& relative);

}  // namespace qv530
