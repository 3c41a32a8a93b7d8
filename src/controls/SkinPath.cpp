#include "SkinPath.h"

#include <algorithm>
#include <system_error>

#include "settings/AsciiCase.h"

namespace qv530 {

std::string NormaliseSkinPath(std::string_view path) {
    std::string out;
    out.reserve(path.size());
    for (char c : path) {
        if (c == '\\') c = '/';
        if (c == '/' && (out.empty() || out.back() == '/')) continue;
        out.push_back(c);
    }
    constexpr std::string_view kSkinsFolder = "skins/";
    if (StartsWithIgnoringAsciiCase(out, kSkinsFolder)) out.erase(0, kSkinsFolder.size());
    while (!out.empty() && out.back() == '/') out.pop_back();
    return out;
}

std::filesystem::path ResolveSkinFile(const std::filesystem::path& skinFolder, std::string_view path) {
    namespace fs = std::filesystem;
    const std::string relative = NormaliseSkinPath(path);
    if (relative.empty() || skinFolder.empty()) return {};
    for (const auto& part : fs::path(relative)) {
        if (part == "..") return {};  // names never leave the skin folder
    }
    std::error_code ec;
    fs::path exact = skinFolder / relative;
    if (fs::is_regular_file(exact, ec)) return exact;

    fs::path current = skinFolder;
    std::string_view rest = relative;
    while (!rest.empty()) {
        const std::size_t slash = rest.find('/');
        const std::string_view part = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view{} : rest.substr(slash + 1);
        if (part == ".") continue;
        fs::path found;
        for (fs::directory_iterator it(current, ec), end; !ec && it != end; it.increment(ec)) {
            if (EqualsIgnoringAsciiCase(it->path().filename().string(), part)) {
                found = it->path();
                break;
            }
        }
        if (found.empty()) return {};
        current = found;
    }
    return fs::is_regular_file(current, ec) ? current : fs::path{};
}

std::filesystem::path FindProgramDataFolder(const std::filesystem::path& programFolder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_directory(programFolder / "Skins", ec)) return programFolder;
    const fs::path installed = (programFolder / ".." / "share" / "qv530-10800rad").lexically_normal();
    if (fs::is_directory(installed / "Skins", ec)) return installed;
    return {};
}

std::filesystem::path FindSkinFolder(const std::filesystem::path& programFolder) {
    const std::filesystem::path data = FindProgramDataFolder(programFolder);
    return data.empty() ? data : data / "Skins";
}

std::filesystem::path FindProgramData(const std::filesystem::path& programFolder, const std::filesystem::path& relative) {
    std::error_code ec;
    const std::filesystem::path data = FindProgramDataFolder(programFolder);
    if (data.empty() || !std::filesystem::exists(data / relative, ec)) return {};
    return data / relative;
}

}  // namespace qv530
