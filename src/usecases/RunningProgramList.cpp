#include "usecases/RunningProgramList.h"

#include <algorithm>

#include "profiles/GameBindings.h"
#include "usecases/RunningGames.h"

namespace qv530 {
namespace {

bool EndsWithExe(std::string_view name) {
    constexpr std::string_view kExe = ".exe";
    return name.size() > kExe.size() && SameProgram(name.substr(name.size() - kExe.size()), kExe);
}

} // namespace

std::string BindableProcessName(const ProcessName& process) {
    if (process.argv0.empty()) return {};
    const std::string_view last = LastPathPart(process.argv0);
    const bool namesTheProgram = SameProgram(last.substr(0, std::min(last.size(), kKernelNameMax)), process.comm);
    std::string name((namesTheProgram || EndsWithExe(last) || process.comm.empty()) ? last : process.comm);
    return ProgramNameRefusal(name).empty() ? name : std::string();
}

std::vector<std::string> RunningProgramNames(ProcessTable& table) {
    std::vector<std::string> names;
    for (const int pid : table.Pids())
        if (const std::optional<ProcessName> process = table.Read(pid))
            if (std::string name = BindableProcessName(*process); !name.empty()) names.push_back(std::move(name));
    std::sort(names.begin(), names.end(), ProgramNameLess);
    names.erase(std::unique(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
                    return SameProgram(a, b);
                }),
                names.end());
    return names;
}

} // namespace qv530
