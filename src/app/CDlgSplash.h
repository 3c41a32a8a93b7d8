#pragma once
// The start-up picture: borderless, centred, three seconds from the moment it
// is shown, and neither keys nor clicks shorten it. Once its picture is on
// the screen it says so, and the program builds its window meanwhile.
#include <QDialog>
#include <QImage>
#include <QTimer>

namespace qv530 {

class CDlgSplash : public QDialog {
    Q_OBJECT
public:
    static constexpr int kShowMs = 3000;
    explicit CDlgSplash(QWidget* parent = nullptr, int showMs = kShowMs);

signals:
    // Once, after the picture's first paint.
    void pictureShown();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void reject() override {}
    void keyPressEvent(QKeyEvent* event) override;

private:
    QImage picture_;
    QTimer timer_;
    int showMs_;
    bool painted_ = false;
};

} // namespace qv530
