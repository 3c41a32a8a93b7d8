#include "usecases/GameSwitcher.h"

#include <algorithm>

namespace qv530 {

void GameSwitcher::Started(const std::string& program, const std::string& shown, const std::string& profileId) {
    const bool known = std::any_of(frames_.begin(), frames_.end(),
                                   [&](const Frame& f) { return SameProgram(f.program, program); });
    if (!known) frames_.push_back({program, shown, profileId});
}

void GameSwitcher::Ended(const std::string& program, const std::string& shown) {
    if (std::erase_if(frames_, [&](const Frame& f) { return SameProgram(f.program, program); }) > 0)
        lastEnded_ = shown;
}

void GameSwitcher::Observe(const WindowActivity& window) {
    if (window.mustWait || !home_ || window.currentProfileId == expected_) return;
    frames_.clear();
    home_.reset();
}

std::optional<GameSwitch> GameSwitcher::Next(const WindowActivity& window) {
    if (window.mustWait || idle()) return std::nullopt;
    if (!home_) {
        home_ = window.currentProfileId;
        expected_ = *home_;
    }
    GameSwitch decision;
    decision.back = frames_.empty();
    decision.profileId = decision.back ? *home_ : frames_.back().profileId;
    decision.game = decision.back ? lastEnded_ : frames_.back().shown;
    if (decision.back) home_.reset(); // the last game ended: the games let go
    if (decision.profileId == window.currentProfileId) return std::nullopt;
    if (window.unappliedEdits) {
        // Not done later either: the games let go of the current profile.
        frames_.clear();
        home_.reset();
        decision.kind = GameSwitch::Kind::Refused;
        return decision;
    }
    expected_ = decision.profileId;
    return decision;
}

const GameBinding* GameWatch::BindingOf(const std::string& program) const {
    for (const GameBinding& binding : bindings_)
        if (SameProgram(binding.program, program)) return &binding;
    return nullptr;
}

void GameWatch::SetBindings(const std::vector<GameBinding>& bindings) {
    // A running program bound to another profile now ends and starts again.
    for (const GameBinding& binding : bindings)
        if (const GameBinding* old = BindingOf(binding.program); old && old->profileId != binding.profileId)
            for (const std::string& running : running_.Running())
                if (SameProgram(running, binding.program)) {
                    pending_.push_back({running, running, false});
                    pending_.push_back({running, running, true});
                }
    bindings_ = bindings;
    std::vector<std::string> programs;
    for (const GameBinding& binding : bindings_) programs.push_back(binding.program);
    for (RunningGames::Change& change : running_.SetPrograms(programs)) pending_.push_back(std::move(change));
    if (bindings_.empty()) lastLook_.reset();
}

void GameWatch::Feed(const std::vector<RunningGames::Change>& changes) {
    for (const RunningGames::Change& change : changes) {
        if (!change.started) {
            switcher_.Ended(change.program, change.shown);
        } else if (const GameBinding* binding = BindingOf(change.program)) {
            switcher_.Started(change.program, change.shown, binding->profileId);
        }
    }
}

std::optional<GameSwitch> GameWatch::Tick(Clock::time_point now, const WindowActivity& window) {
    switcher_.Observe(window);
    Feed(pending_);
    pending_.clear();
    if (!bindings_.empty() && (!lastLook_ || now - *lastLook_ >= kLookInterval)) {
        lastLook_ = now;
        ++looks_;
        Feed(running_.Look(table_));
    }
    return switcher_.Next(window);
}

GameWatch::Clock::duration GameWatch::UntilNextLook(Clock::time_point now) const {
    if (!lastLook_ || now - *lastLook_ >= kLookInterval) return Clock::duration::zero();
    return *lastLook_ + kLookInterval - now;
}

} // namespace qv530
