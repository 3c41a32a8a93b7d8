#pragma once
// The angle-snapping page: two radio icons, off and on, with their captions.
#include "pages/CDlgPage.h"

namespace qv530 {

class CDlgAngleSnap : public CDlgPage {
    Q_OBJECT
public:
    explicit CDlgAngleSnap(ProfileEditor& editor, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage enabled_, disabled_;
    QFont font_;
};

} // namespace qv530
