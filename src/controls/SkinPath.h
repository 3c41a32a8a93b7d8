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

// The skin folder of a program folder: "Skins" beside the executable, else
// "../share/qv530-10800rad/Skins". Empty when neither exists.
std::filesystem::path FindSkinFolder(const std::filesystem::path& programFolder);
// A file or folder the program ships (skins, the user guide): beside the
// program, else in "../share/qv530-10800rad/". Empty when neither exists.
std::filesystem::path FindProgramData(const std::filesystem::path& programFolder, const std::filesystem::path& relative);

}  // namespace qv530
