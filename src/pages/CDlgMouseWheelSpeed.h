#pragma once
// The scroll speed page: lines per notch (with a number box and up/down
// arrows, 1..100) or one screen per notch. By keyboard: the two radio icons
// are focus items, and Up/Down in the number box step it like the arrows.
#include <QLineEdit>

#include "pages/CDlgPage.h"

namespace qv530 {

class CDlgMouseWheelSpeed : public CDlgPage {
    Q_OBJECT
public:
    static constexpr int kEditId = 2035;

    explicit CDlgMouseWheelSpeed(ProfileEditor& editor, QWidget* parent = nullptr);
    void RefreshFromSettings() override;
    QLineEdit* linesBox() const { return box_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void FillBox();
    void ChooseScreen(bool page);
    void OnBoxEdited(const QString& text);

    QLineEdit* box_ = nullptr;
    QImage enabled_, disabled_, arrows_;
    QFont font_;
};

} // namespace qv530
