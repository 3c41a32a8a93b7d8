#pragma once
// The start-up picture: borderless, centred, three seconds, and neither
// keys nor clicks shorten it.
#include <QDialog>
#include <QImage>

namespace qv530 {

class CDlgSplash : public QDialog {
    Q_OBJECT
public:
    static constexpr int kShowMs = 3000;
    explicit CDlgSplash(QWidget* parent = nullptr, int showMs = kShowMs);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void reject() override {}
    void keyPressEvent(QKeyEvent* event) override;

private:
    QImage picture_;
};

} // namespace qv530
