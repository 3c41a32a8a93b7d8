#include "app/GameWatcher.h"

#include <QTimer>

#include <algorithm>

#include "platform/DebugLog.h"
#include "profiles/GameBindings.h"

namespace qv530 {

namespace {

bool SameBindings(const std::vector<GameBinding>& a, const std::vector<GameBinding>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const GameBinding& x, const GameBinding& y) {
        return x.program == y.program && x.profileId == y.profileId;
    });
}

} // namespace

GameWatcher::GameWatcher(std::string dataFolder, std::unique_ptr<ProcessTable> table, QObject* parent)
    : QObject(parent), folder_(std::move(dataFolder)), table_(std::move(table)), watch_(*table_) {}

GameWatcher::~GameWatcher() = default;

void GameWatcher::Reload() {
    const GameBindingList list = ReadGameBindings(folder_, ListedProfileIds(folder_));
    if (!list.error.empty()) {
        // The bindings as last read stay in force until the file can be read again.
        DebugPrintf("Game bindings not read: %s\n", list.error.c_str());
    } else if (!SameBindings(list.bindings, watch_.bindings())) {
        watch_.SetBindings(list.bindings);
        DebugPrintf("Game bindings: %zu\n", list.bindings.size());
    }
    Tick();
}

void GameWatcher::Tick() {
    if (timer_ != nullptr) timer_->stop();
    if (watch_.watching() && activity) {
        const std::optional<GameSwitch> decision = watch_.Tick(GameWatch::Clock::now(), activity());
        if (decision && carryOut) carryOut(*decision);
    }
    Schedule();
}

void GameWatcher::Schedule() {
    if (!watch_.watching()) {
        // No bindings: no timer, no wake-ups.
        delete timer_;
        timer_ = nullptr;
        return;
    }
    if (timer_ == nullptr) {
        timer_ = new QTimer(this);
        timer_->setSingleShot(true);
        // A precise timer never fires early, so a look that is due is never missed.
        timer_->setTimerType(Qt::PreciseTimer);
        connect(timer_, &QTimer::timeout, this, &GameWatcher::Tick);
    }
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(watch_.UntilNextLook(GameWatch::Clock::now()));
    timer_->start(std::max(wait, std::chrono::milliseconds(1)));
}

} // namespace qv530
