#pragma once
// Game profiles in the running program. A single-shot timer exists only
// while there is something to watch (bindings, or a game's profile still to
// give back) and fires when the next look at the process table is due; the
// bindings are read again whenever the data folder changes. What a decision
// means is the window's: it says what it is doing (activity) and carries out
// the switch (carryOut).
#include <QObject>

#include <functional>
#include <memory>
#include <string>

#include "platform/ProcessTable.h"
#include "usecases/GameSwitcher.h"

class QTimer;

namespace qv530 {

class GameWatcher : public QObject {
    Q_OBJECT
public:
    GameWatcher(std::string dataFolder, std::unique_ptr<ProcessTable> table, QObject* parent);
    ~GameWatcher() override;

    std::function<WindowActivity()> activity;
    std::function<void(const GameSwitch&)> carryOut;

    // The bindings read again from the data folder, then a decision.
    void Reload();
    // A decision now (a sequence ended, a dialog closed), with a look at the
    // process table when one is due.
    void Tick();
    bool timerRunning() const { return timer_ != nullptr; }

private:
    // Sets the timer for the next look, or removes it when nothing is watched.
    void Schedule();

    std::string folder_;
    std::unique_ptr<ProcessTable> table_;
    GameWatch watch_;
    QTimer* timer_ = nullptr;
};

} // namespace qv530
