#include "usecases/RunningGames.h"

#include <algorithm>
#include <unordered_set>

#include "profiles/GameBindings.h"

namespace qv530 {

std::string_view LastPathPart(std::string_view argument) {
    const std::size_t slash = argument.find_last_of("/\\");
    return slash == std::string_view::npos ? argument : argument.substr(slash + 1);
}

bool ProcessRunsProgram(const ProcessName& process, std::string_view program) {
    if (program.empty()) return false;
    const std::string_view kernelName = program.substr(0, std::min(program.size(), kKernelNameMax));
    return SameProgram(process.comm, kernelName) || SameProgram(LastPathPart(process.argv0), program);
}

std::string ShownProcessName(const ProcessName& process, std::string_view program) {
    const std::string_view last = LastPathPart(process.argv0);
    return std::string(SameProgram(last, program) || process.comm.empty() ? last : process.comm);
}

int RunningGames::MatchOf(const ProcessName& name) const {
    for (std::size_t i = 0; i < programs_.size(); ++i)
        if (ProcessRunsProgram(name, programs_[i])) return static_cast<int>(i);
    return -1;
}

std::vector<RunningGames::Change> RunningGames::CountChanges(const std::vector<int>& before,
                                                              const std::vector<std::size_t>& startOrder) {
    std::vector<Change> changes;
    for (std::size_t i = 0; i < programs_.size(); ++i)
        if (before[i] > 0 && counts_[i] == 0) changes.push_back({programs_[i], shown_[i], false});
    for (const std::size_t i : startOrder)
        if (before[i] == 0 && counts_[i] > 0) changes.push_back({programs_[i], shown_[i], true});
    return changes;
}

std::vector<RunningGames::Change> RunningGames::SetPrograms(const std::vector<std::string>& programs) {
    std::vector<Change> changes;
    // Programs no longer bound end, under their old names.
    for (std::size_t i = 0; i < programs_.size(); ++i) {
        const bool kept = std::any_of(programs.begin(), programs.end(),
                                      [&](const std::string& p) { return SameProgram(p, programs_[i]); });
        if (!kept && counts_[i] > 0) changes.push_back({programs_[i], shown_[i], false});
    }
    std::vector<int> before(programs.size(), 0);
    std::vector<std::string> shown(programs.size());
    for (std::size_t n = 0; n < programs.size(); ++n)
        for (std::size_t i = 0; i < programs_.size(); ++i)
            if (SameProgram(programs[n], programs_[i])) {
                before[n] = counts_[i];
                shown[n] = shown_[i];
            }
    programs_ = programs;
    shown_ = std::move(shown);
    counts_.assign(programs_.size(), 0);
    std::vector<std::size_t> startOrder;
    std::vector<std::pair<int, Known*>> ordered;
    for (auto& [pid, known] : known_) ordered.emplace_back(pid, &known);
    std::sort(ordered.begin(), ordered.end());
    for (auto& [pid, known] : ordered) {
        known->program = MatchOf(known->name);
        if (known->program < 0) continue;
        const auto index = static_cast<std::size_t>(known->program);
        if (counts_[index]++ == 0 && before[index] == 0) {
            shown_[index] = ShownProcessName(known->name, programs_[index]);
            startOrder.push_back(index);
        }
    }
    for (Change& change : CountChanges(before, startOrder)) changes.push_back(std::move(change));
    return changes;
}

std::vector<RunningGames::Change> RunningGames::Look(ProcessTable& table) {
    const std::vector<int> before = counts_;
    std::vector<int> pids = table.Pids();
    std::sort(pids.begin(), pids.end());
    // Ended: known processes the table no longer lists.
    const std::unordered_set<int> listed(pids.begin(), pids.end());
    for (auto it = known_.begin(); it != known_.end();) {
        if (listed.count(it->first) == 0) {
            if (it->second.program >= 0) --counts_[static_cast<std::size_t>(it->second.program)];
            it = known_.erase(it);
        } else {
            ++it;
        }
    }
    // Started: only the new ones are read. One that ended before it could be
    // read, or another user's, is remembered as no program.
    std::vector<std::size_t> startOrder;
    for (const int pid : pids) {
        if (known_.count(pid) != 0) continue;
        Known known;
        if (auto name = table.Read(pid)) {
            known.name = std::move(*name);
            known.program = MatchOf(known.name);
        }
        if (known.program >= 0) {
            const auto index = static_cast<std::size_t>(known.program);
            if (counts_[index]++ == 0) {
                shown_[index] = ShownProcessName(known.name, programs_[index]);
                startOrder.push_back(index);
            }
        }
        known_.emplace(pid, std::move(known));
    }
    return CountChanges(before, startOrder);
}

std::vector<std::string> RunningGames::Running() const {
    std::vector<std::string> running;
    for (std::size_t i = 0; i < programs_.size(); ++i)
        if (counts_[i] > 0) running.push_back(programs_[i]);
    return running;
}

} // namespace qv530
