#pragma once
// The DPI stages page: seven vertical sliders (one per stage), the stage's
// DPI in a value box that opens a number box on a click, the stage's on/off
// icon and its colour swatch. It works in one stage table at a time (the
// connected mouse's; A11D wins). By keyboard: per stage its value box (Space
// or F2 opens the number box, Escape closes it), its slider, its on/off
// icon (Space) and its colour square (Space opens the chooser).
#include <QColor>
#include <QLineEdit>

#include <array>
#include <functional>
#include <optional>

#include "pages/CDlgPage.h"
#include "settings/DpiEdits.h"

namespace qv530 {

class CDMarkerV;
class CFocusItem;

class CDlgDPISetting : public CDlgPage {
    Q_OBJECT
public:
    static constexpr int kFirstMarkerId = 2027;
    static constexpr int kFirstEditId = 1148;

    CDlgDPISetting(ProfileEditor& editor, QWidget* parent = nullptr);

    // true = the A1DC mouse's table (sliders 1..120), false = the A11D's (1..180).
    void SetDpiVariant(bool a1dc);
    StageTable table() const { return table_; }
    void RefreshFromSettings() override;
    // The open box's typed DPI is stored by the commit rule and the box
    // closes; a box opened and left untouched changes nothing.
    void CommitTypedValues() override;
    bool HasTypedValues() const override;

    // The stage whose number box is open, -1 none.
    int openStage() const { return openStage_; }
    CDMarkerV* marker(int stage) const { return markers_[static_cast<std::size_t>(stage)]; }
    QLineEdit* edit(int stage) const { return edits_[static_cast<std::size_t>(stage)]; }

    // The desktop's colour chooser, opened on the stage's colour; nothing
    // when cancelled. Tests replace it.
    std::function<std::optional<QColor>(const QColor& initial)> chooseColour;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnMarkerChanged(int value, int controlId);
    void OpenEdit(int stage, Qt::FocusReason reason);
    void ChooseStageColour(int stage);
    void Commit(int stage);
    void HideEdits();

    StageTable table_ = StageTable::A;
    std::array<CDMarkerV*, field::kStageCount> markers_{};
    std::array<QLineEdit*, field::kStageCount> edits_{};
    std::array<CFocusItem*, field::kStageCount> valueItems_{};
    std::array<CFocusItem*, field::kStageCount> swatchItems_{};
    int openStage_ = -1;
    DpiCommitMemory lastCommit_;
    QImage valueBox_, enabled_, disabled_;
    QFont font_;
};

} // namespace qv530
